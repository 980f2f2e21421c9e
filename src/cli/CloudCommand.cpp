// stonewise-cli cloud: the cloud registry of a data folder (its folders, files and file times), and
// one check of the cloud files of the Mail Go games.
#include <cstdio>
#include <ostream>
#include <string>

#include "app/Application.h"
#include "app/Clock.h"
#include "app/CommandLine.h"
#include "app/FunctionModes.h"
#include "app/MailGoGame.h"
#include "cli/CliCommand.h"
#include "cli/DataFolderOption.h"
#include "mailgo/CloudExchange.h"
#include "mailgo/CloudPoller.h"
#include "mailgo/CloudRegistryFile.h"
#include "mailgo/MailGoTimeLimit.h"
#include "record/StringTable.h"
#include "record/Text.h"
#include "store/GameStore.h"

namespace stonewise::cli {

namespace {

std::string timeText(const CloudTime& t) {
    if (t.empty()) return "-";
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", t.year, t.month, t.day, t.hour, t.minute,
                  t.second);
    return text;
}

void listFolder(const CloudRegistry& registry, const CloudFolder& folder, std::ostream& out) {
    out << "folder " << folder.number << "\t" << toUtf8(folder.path) << "\n";
    for (std::size_t slot = 0; slot < folder.files.size(); ++slot) {
        const CloudFileEntry& e = folder.files[slot];
        const CloudFileId id = cloudFileId(folder.number, static_cast<int>(slot), e.generation);
        out << "\t" << id << "\t" << (e.deleted() ? "deleted" : timeText(registry.time(e.timeSlot))) << "\t"
            << (e.name ? toUtf8(*e.name) : std::string()) << "\n";
    }
}

// Reads changed cloud files into the stored games, printing each file read.
class StoreReader : public CloudMailReader {
public:
    StoreReader(GameStore& store, int group, const SettingsRecord& settings, std::ostream& out)
        : m_store(store), m_group(group), m_options(mailReadOptions(settings, true)), m_out(out) {}
    bool readNextMove(const CloudGame& game, const std::string& path) override {
        return read(game, path, "next-move").result.newMoves > 0;
    }
    bool readStudy(const CloudGame& game, const std::string& path) override {
        return read(game, path, "study").studyMoves > 0;
    }
    bool failed = false;

private:
    StoredMailReceipt read(const CloudGame& game, const std::string& path, const char* kind) {
        const SystemClock clock;
        const std::optional<std::u16string> text = readMailTextFile(path);
        StoredMailReceipt receipt;
        if (text)
            receipt = receiveMailIntoStore(m_store, m_group, *text, m_options, MailSource::Cloud, game.index,
                                           stampFromSeconds(clock.secondsSinceEpoch()));
        m_out << "read\t" << kind << "\t" << path << "\tgame " << game.index << "\tmoves " << receipt.result.newMoves
              << "\tstudy " << receipt.studyMoves << "\n";
        for (const MailMessage& m : receipt.result.messages) m_out << "\t" << toUtf8(m.text) << "\n";
        if (receipt.written) m_out << "wrote\tgame " << game.index << "\n";
        if ((receipt.result.taken() || !receipt.result.messages.empty()) && !receipt.written) failed = true;
        return receipt;
    }
    GameStore& m_store;
    int m_group;
    MailReadOptions m_options;
    std::ostream& m_out;
};

// One forced check of the cloud folders of the Mail Go group's games, as the window's import makes.
int poll(const DataFolder& folder, std::ostream& out, std::ostream& err) {
    Application app(CommandLine{}, folder, std::string());
    app.loadSettings(nullptr);
    GameStore store(folder, StringTable::japanese());
    StoreMessages messages;
    store.readGroupList(messages);
    store.readMembers(messages);
    CloudRegistry registry = loadCloudRegistry(folder, StringTable::japanese(), messages);
    const int group = store.groupForMode(kModeMailGo, app.settings()).value_or(-1);
    std::vector<CloudGame> games;
    if (store.group(group))
        for (const GameInfo* info : store.gameList(group, messages).entries())
            if (info && usesCloud(*info))
                games.push_back({info->number, cloudFileOf(*info), mailGoSides(*info, store.members()).userIsBlack});
    const SystemClock clock;
    const std::int64_t now = clock.secondsSinceEpoch();
    CloudPoller poller(now - kCloudMinuteCheckSeconds);
    CloudWindowState window;
    window.mailGoMode = true;
    StoreReader reader(store, group, app.settings(), out);
    const CloudCheck check = poller.force(now, window, games, registry, reader);
    out << "games\t" << games.size() << "\tchanged\t"
        << (check.changedGame ? std::to_string(*check.changedGame) : std::string("-")) << "\n";
    if (check.statusText) out << toUtf8(uiText(check.statusText)) << "\n";
    const bool saved = saveCloudRegistry(registry, folder, StringTable::japanese(), messages);
    for (const StoreMessage& m : messages) err << toUtf8(m.title) << ": " << toUtf8(m.text) << "\n";
    return saved && !reader.failed ? 0 : 1;
}

int run(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err) {
    std::vector<std::string> args = arguments;
    const auto folder = takeDataFolder(args);
    if (folder && args.size() == 1 && args[0] == "poll") return poll(*folder, out, err);
    if (!folder || args.size() != 1 || args[0] != "list") {
        err << "usage: stonewise-cli cloud list|poll [--data DIR]\n";
        return 2;
    }
    StoreMessages messages;
    const CloudRegistry registry = loadCloudRegistry(*folder, StringTable::japanese(), messages);
    for (const auto& f : registry.folders())
        if (f) listFolder(registry, *f, out);
    out << "time records: " << registry.timeCount() << "\n";
    for (const StoreMessage& m : messages) err << toUtf8(m.title) << ": " << toUtf8(m.text) << "\n";
    return messages.empty() ? 0 : 1;
}

} // namespace

CliCommand cloudCommand() {
    return {"cloud", "cloud list|poll [--data DIR]",
            "list: the cloud folders of the data folder with their next-move files: identifier (as a game keeps it), "
            "last write time seen (UTC) and name; poll: one check of the Mail Go games' cloud files, reading what "
            "changed into the games (--data: another data folder)",
            &run};
}

} // namespace stonewise::cli
