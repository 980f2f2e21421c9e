// stonewise-cli import: game-record files into a group of the library, with the window's import.
#include <unistd.h>

#include <ctime>
#include <ostream>
#include <string>

#include "app/GameSession.h"
#include "app/Importer.h"
#include "cli/CliCommand.h"
#include "cli/DataFolderOption.h"
#include "formats/TextEncoding.h"
#include "record/StringTable.h"
#include "record/Text.h"
#include "store/FileIo.h"
#include "store/GameFile.h"
#include "store/GameStore.h"
#include "store/SettingsFile.h"
#include "store/StoreMemberDirectory.h"

namespace stonewise::cli {

namespace {

constexpr const char* kUsage =
    "usage: stonewise-cli import --data DIR --group N [--mode temp|overwrite|new] [--new-groups] FILE...\n"
    "       (N from 1, as `groups` lists it; --new-groups: when the group is full, the next games go into\n"
    "        new groups of its kind)\n";

std::string shownText(std::u16string_view text) {
    std::string s = toUtf8(text);
    for (char& c : s)
        if (c == '\r' || c == '\n') c = ' ';
    return s;
}

// The command line's side of an import: no dialog (every file takes the options' choice), the
// outcome of each file on standard output, messages and a progress line on standard error.
class CliImport final : public ImportFrontEnd {
public:
    CliImport(GameStore& store, std::ostream& out, std::ostream& err) : m_store(store), m_out(out), m_err(err) {}
    ImportDialogResult askImport(const ImportDialogRequest&) override { return {}; }
    void showMessage(std::u16string_view text, std::u16string_view title) override {
        m_err << shownText(title) << ": " << shownText(text) << "\n";
    }
    bool takeTemporary(LoadedGame& game) override {
        // The temporary game is the one the window shows at its next start. The one there before
        // may hold moves the user played: it is kept as a new game of the group first.
        StoreMessages messages;
        GameFileRead before = m_store.readGame(kScratchGroup, 0, messages);
        if (before.status == StoreReadStatus::Ok && before.main && before.main->nodeCount() > 0) {
            const std::optional<int> kept = storeNewGame(m_store, m_store.currentGroup(), *before.main,
                                                         before.entry.value_or(GameInfo{}), messages);
            if (!kept) {
                for (const StoreMessage& m : messages) showMessage(m.text, m.title);
                m_err << "stonewise-cli: the temporary game there was could not be kept; it stays\n";
                return false;
            }
            m_out << "the temporary game there was is kept as game " << *kept << " of group "
                  << m_store.currentGroup() + 1 << "\n";
        }
        messages.clear();
        GameInfo info = game.info;
        info.number = 0;
        const bool ok =
            prepareScratchGroup(m_store) && m_store.writeGame(kScratchGroup, 0, *game.main, &info, messages);
        for (const StoreMessage& m : messages) showMessage(m.text, m.title);
        return ok;
    }
    void beginProgress(const ImportProgressRequest& request) override {
        m_total = request.total;
        m_tty = ::isatty(STDERR_FILENO) == 1;
    }
    bool stepProgress(int done, std::u16string_view) override {
        if (m_tty) m_err << "\rimporting " << done << "/" << m_total << (done == m_total ? "\n" : "") << std::flush;
        else if (done == m_total || (done > 0 && done % 100 == 0))
            m_err << "importing " << done << "/" << m_total << "\n";
        return true;
    }
    void reported(const ImportReport& r) override {
        m_out << r.path;
        if (r.gameIndex > 0) m_out << " #" << r.gameIndex + 1;
        switch (r.status) {
        case ImportStatus::Stored:
            m_out << ": stored as game " << r.number << " of group " << r.group + 1 << " (" << shownText(r.name)
                  << ")\n";
            break;
        case ImportStatus::Temporary: m_out << ": stored as the temporary game (" << shownText(r.name) << ")\n"; break;
        case ImportStatus::Skipped: m_out << ": skipped\n"; break;
        case ImportStatus::Refused:
            m_out << ": refused: " << shownText(r.message) << "\n";
            ++m_refused;
            break;
        }
    }
    int refused() const { return m_refused; }

private:
    GameStore& m_store;
    std::ostream& m_out;
    std::ostream& m_err;
    int m_total = 0;
    bool m_tty = false;
    int m_refused = 0;
};

GameDate today() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return {static_cast<std::uint16_t>(local.tm_year + 1900), static_cast<std::uint16_t>(local.tm_mon + 1),
            static_cast<std::uint8_t>(local.tm_mday), 0};
}

GameTime nowTime() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    GameTime t;
    t.year = static_cast<std::uint16_t>(local.tm_year + 1900);
    t.month = static_cast<std::uint16_t>(local.tm_mon + 1);
    t.day = static_cast<std::uint8_t>(local.tm_mday);
    t.hour = static_cast<std::uint8_t>(local.tm_hour);
    t.minute = static_cast<std::uint8_t>(local.tm_min);
    t.second = static_cast<std::uint8_t>(local.tm_sec);
    return t;
}

std::optional<int> groupNumber(const std::string& text) {
    try {
        std::size_t used = 0;
        const int n = std::stoi(text, &used);
        if (used == text.size() && n >= 1 && n <= kMaxUserGroups) return n - 1;
    } catch (...) {}
    return std::nullopt;
}

int run(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err) {
    std::vector<std::string> args = arguments;
    bool hasData = false;
    for (const std::string& a : args) hasData = hasData || a == "--data";
    const auto folder = takeDataFolder(args);
    std::optional<int> group;
    ImportChoice mode = ImportChoice::NewGame;
    bool newGroups = false;
    std::vector<std::string> files;
    bool wrong = !folder || !hasData;
    for (std::size_t i = 0; i < args.size() && !wrong; ++i) {
        if (args[i] == "--group" && i + 1 < args.size()) {
            group = groupNumber(args[++i]);
            wrong = !group;
        } else if (args[i] == "--mode" && i + 1 < args.size()) {
            const std::string& m = args[++i];
            if (m == "temp") mode = ImportChoice::Temporary;
            else if (m == "overwrite") mode = ImportChoice::Overwrite;
            else if (m == "new") mode = ImportChoice::NewGame;
            else wrong = true;
        } else if (args[i] == "--new-groups") {
            newGroups = true;
        } else if (args[i].rfind("--", 0) == 0) {
            wrong = true;
        } else {
            files.push_back(args[i]);
        }
    }
    if (wrong || !group || files.empty()) {
        err << kUsage;
        return 2;
    }
    // A data folder that does not exist yet is prepared as the window's first start does it.
    if (!makeFolders(folder->path())) {
        err << "stonewise-cli: cannot create the data folder " << folder->path() << "\n";
        return 1;
    }
    const StringTable& strings = StringTable::japanese();
    SettingsRecord settings;
    StoreMessages messages;
    const SettingsLoadResult loaded = startUpSettings(*folder, settings, strings, true);
    messages.insert(messages.end(), loaded.messages.begin(), loaded.messages.end());
    if (!pathExists(folder->file(kSettingsFileName))) saveSettings(*folder, settings);
    GameStore store(*folder, strings);
    store.start(settings, today(), messages);
    for (const StoreMessage& m : messages) err << shownText(m.title) << ": " << shownText(m.text) << "\n";
    if (!store.group(*group)) {
        err << "stonewise-cli: there is no group " << *group + 1 << "\n";
        return 1;
    }
    store.setCurrentGroup(*group);

    StoreMemberDirectory members(store.members(), today());
    ImportOptions options;
    options.defaultGroup = *group;
    options.askDialog = false;
    options.preset.choice = mode;
    options.preset.group = kImportCurrentGroup;
    options.overflowToNewGroups = newGroups;
    options.settings.codePage = systemCodePage(true);
    options.settings.members = &members;
    options.settings.now = nowTime();
    CliImport front(store, out, err);
    Importer importer(store, strings, front);
    const ImportSummary summary = importer.run(files, options);
    err << summary.stored << " stored, " << summary.temporary << " temporary, " << summary.refused << " refused\n";
    return summary.refused == 0 && !summary.ended ? 0 : 1;
}

} // namespace

CliCommand importCommand() {
    return {"import", "import --data DIR --group N [--mode temp|overwrite|new] [--new-groups] FILE...",
            "Stores game-record files (SGF, UGF; every game of a collection) in group N of the library (new games "
            "unless --mode says otherwise), as the window's \"ファイルの読み込み\" does; prints where each went or why "
            "it was refused",
            &run};
}

} // namespace stonewise::cli
