// stonewise-cli mail: the Mail Go text of a stored game as the window would send it, and received
// mail text taken into its game as the window would take it.
#include <map>
#include <ostream>
#include <string>

#include "app/Application.h"
#include "app/Clock.h"
#include "app/CommandLine.h"
#include "app/FunctionModes.h"
#include "app/MailGoGame.h"
#include "cli/CliCommand.h"
#include "cli/DataFolderOption.h"
#include "mailgo/MailGoTimeLimit.h"
#include "record/StringTable.h"
#include "record/Text.h"
#include "store/GameStore.h"

namespace stonewise::cli {

namespace {

constexpr const char* kUsage = "usage: stonewise-cli mail write [--data DIR] --group N GAME [--study] [--english]\n"
                               "       stonewise-cli mail read [--data DIR] [--group N] FILE\n";

std::optional<int> wholeNumber(const std::string& text) {
    if (text.empty() || text.size() > 6 || text.find_first_not_of("0123456789") != std::string::npos)
        return std::nullopt;
    return std::stoi(text);
}

// The store of a data folder with its groups and members read, and the settings beside it.
struct OpenedStore {
    Application app;
    GameStore store;
    StoreMessages messages;
    explicit OpenedStore(const DataFolder& folder)
        : app(CommandLine{}, folder, std::string()), store(folder, StringTable::japanese()) {
        app.loadSettings(nullptr);
        store.readGroupList(messages);
        store.readMembers(messages);
    }
    void report(std::ostream& err) const {
        for (const StoreMessage& m : messages) err << toUtf8(m.title) << ": " << toUtf8(m.text) << "\n";
    }
};

// The study sequence to send from a stored record: the branch or reference sequence that leaves
// the main line last.
const RecordSequence* lastStudySequence(const RecordSequence& main) {
    const RecordSequence* found = nullptr;
    int foundLink = -1;
    for (int slot = 1; slot <= RecordSequence::kMaxChildren; ++slot)
        if (const RecordSequence* child = main.child(slot); child && main.findLink(slot) > foundLink) {
            found = child;
            foundLink = main.findLink(slot);
        }
    return found;
}

int positiveOrMinusOne(std::optional<int> n) { return n && *n >= 1 ? *n : -1; }

int write(std::vector<std::string> args, const DataFolder& folder, std::ostream& out, std::ostream& err) {
    std::optional<int> group;
    int game = 0; // the game's number: 0 while none is given, -1 for one that is no number or a second one
    bool study = false;
    bool english = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--group" && i + 1 < args.size()) group = wholeNumber(args[++i]);
        else if (args[i] == "--study") study = true;
        else if (args[i] == "--english") english = true;
        else if (game == 0) game = positiveOrMinusOne(wholeNumber(args[i]));
        else game = -1, args.clear();
    }
    if (!group || *group < 1 || *group > kScratchGroup || game < 1) {
        err << kUsage;
        return 2;
    }
    OpenedStore opened(folder);
    GameStore& store = opened.store;
    const int index = *group - 1;
    const GameInfo* listed = store.group(index) ? store.gameList(index, opened.messages).find(game) : nullptr;
    GameFileRead read = listed ? store.openGame(index, game, opened.messages) : GameFileRead{};
    if (!listed || read.status != StoreReadStatus::Ok || !read.main) {
        opened.report(err);
        err << "stonewise-cli: there is no game " << game << " in group " << *group << "\n";
        return 1;
    }
    const RecordSequence* sequence = study ? lastStudySequence(*read.main) : nullptr;
    if (study && !sequence) {
        err << "stonewise-cli: " << toUtf8(uiText(53042)) << "\n";
        return 1;
    }
    MailComposeRequest request =
        mailComposeRequest(*listed, store.members(), opened.app.settings(),
                           study ? MailPurpose::StudySequence : MailPurpose::NextMove, !english, false);
    request.plainText = true;
    const MailText mail = composeMailText(*listed, *read.main, sequence, request);
    out << toUtf8(mail.text);
    opened.report(err);
    return 0;
}

int read(std::vector<std::string> args, const DataFolder& folder, std::ostream& out, std::ostream& err) {
    std::optional<int> group;
    std::string file;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--group" && i + 1 < args.size()) {
            group = wholeNumber(args[++i]);
            if (!group) file.clear(), args.clear();
        } else if (file.empty()) {
            file = args[i];
        } else {
            file.clear();
            break;
        }
    }
    if (file.empty() || (group && (*group < 1 || *group > kScratchGroup))) {
        err << kUsage;
        return 2;
    }
    const std::optional<std::u16string> text = readMailTextFile(file);
    if (!text) {
        err << "stonewise-cli: cannot read " << file << "\n";
        return 1;
    }
    OpenedStore opened(folder);
    // The group the window would look in: the one given, else the Mail Go mode's.
    const int index = group ? *group - 1 : opened.store.groupForMode(kModeMailGo, opened.app.settings()).value_or(-1);
    const SystemClock clock;
    const StoredMailReceipt receipt =
        receiveMailIntoStore(opened.store, index, *text, mailReadOptions(opened.app.settings(), true),
                             MailSource::Command, 0, stampFromSeconds(clock.secondsSinceEpoch()));
    opened.report(err);
    if (!receipt.headingFound) {
        err << "stonewise-cli: " << toUtf8(uiText(53011)) << "\n";
        return 1;
    }
    out << "game\t" << receipt.game << "\t" << toUtf8(receipt.gameName) << "\n";
    if (receipt.game == 0) {
        err << "stonewise-cli: the group has no game of this name (the window would make one)\n";
        return 1;
    }
    out << "moves\t" << receipt.result.newMoves << "\tlast\t" << receipt.result.lastMoveRead << "\n";
    if (receipt.result.commentsUpdated > 0) out << "comments\t" << receipt.result.commentsUpdated << "\n";
    if (receipt.studyMoves > 0) out << "study\t" << receipt.studyMoves << "\n";
    for (const MailMessage& m : receipt.result.messages) err << toUtf8(m.text) << "\n";
    if ((receipt.result.taken() || !receipt.result.messages.empty()) && !receipt.written) {
        err << "stonewise-cli: the game could not be stored\n";
        return 1;
    }
    return receipt.result.messages.empty() || receipt.result.taken() ? 0 : 1;
}

int run(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err) {
    std::vector<std::string> args = arguments;
    const auto folder = takeDataFolder(args);
    if (!folder || args.empty() || (args[0] != "write" && args[0] != "read")) {
        err << kUsage;
        return 2;
    }
    const std::string verb = args[0];
    args.erase(args.begin());
    return verb == "write" ? write(args, *folder, out, err) : read(args, *folder, out, err);
}

} // namespace

CliCommand mailCommand() {
    return {"mail", "mail write|read ...",
            "write --group N GAME [--study] [--english]: prints the Mail Go text that sending the game's next move (or "
            "its last study sequence) would make; read [--group N] FILE: takes the mail text of FILE into the game it "
            "names and prints the game, the moves taken and any refusal",
            &run};
}

} // namespace stonewise::cli
