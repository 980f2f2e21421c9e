// stonewise-cli export: a stored game written as an SGF file.
#include <ostream>
#include <string>

#include "cli/CliCommand.h"
#include "cli/DataFolderOption.h"
#include "formats/SgfWriter.h"
#include "record/StringTable.h"
#include "record/Text.h"
#include "store/GameStore.h"
#include "store/StoreMemberDirectory.h"

namespace stonewise::cli {

namespace {

std::optional<int> number(const std::string& text) {
    try {
        std::size_t used = 0;
        const int value = std::stoi(text, &used);
        if (used == text.size()) return value;
    } catch (...) {}
    return std::nullopt;
}

int run(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err) {
    std::vector<std::string> args = arguments;
    const auto folder = takeDataFolder(args);
    const auto shownGroup = args.size() >= 2 ? number(args[0]) : std::nullopt;
    const auto game = args.size() >= 2 ? number(args[1]) : std::nullopt;
    if (!folder || args.size() < 2 || args.size() > 3 || !shownGroup || !game || *shownGroup < 1 ||
        *shownGroup > kScratchGroup || *game < 1) {
        err << "usage: stonewise-cli export GROUP NUMBER [OUT.sgf] [--data DIR]   (GROUP from 1, as `groups` lists "
               "it)\n";
        return 2;
    }
    const int group = *shownGroup - 1;
    GameStore store(*folder, StringTable::japanese());
    StoreMessages messages;
    store.readGroupList(messages);
    store.readMembers(messages);
    auto report = [&] {
        for (const StoreMessage& m : messages) err << toUtf8(m.title) << ": " << toUtf8(m.text) << "\n";
    };
    if (!store.group(group)) {
        report();
        err << "stonewise-cli: there is no group " << *shownGroup << "\n";
        return 1;
    }
    GameFileRead read = store.openGame(group, *game, messages);
    if (read.status != StoreReadStatus::Ok || !read.main) {
        report();
        return 1;
    }
    const GameInfo* listed = store.gameList(group, messages).find(*game);
    const GameInfo info = listed ? *listed : read.entry.value_or(GameInfo{});
    StoreMemberDirectory members(store.members(), {});
    SgfWriteOptions options;
    options.encoding = SgfEncoding::Utf8;
    options.members = &members;
    if (args.size() == 3) {
        SgfWriteResult written;
        if (!saveSgfFile(args[2], *read.main, info, options, &written)) {
            err << "stonewise-cli: cannot write " << args[2] << "\n";
            return 1;
        }
        out << "wrote " << args[2] << "\n";
    } else {
        out << writeSgf(*read.main, info, options).bytes;
    }
    report();
    return 0;
}

} // namespace

CliCommand exportCommand() {
    return {"export", "export GROUP NUMBER [OUT.sgf] [--data DIR]",
            "Writes a stored game as SGF in UTF-8 (GROUP from 1, as `groups` lists it) to OUT.sgf, or to the standard "
            "output",
            run};
}

} // namespace stonewise::cli
