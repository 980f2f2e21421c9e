// stonewise-cli info: what a game-record file holds, from the header pre-read and a full read.
#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "cli/CliCommand.h"
#include "formats/GameFileLoader.h"
#include "formats/MemberDirectory.h"
#include "formats/SgfWriter.h"
#include "record/Text.h"

namespace stonewise::cli {

namespace {

std::string pointText(const RecordNode& k) {
    if (!k.hasPoint() || k.x > 18 || k.y > 18) return "tt";
    return {static_cast<char>('a' + k.x), static_cast<char>('a' + k.y)};
}

// One move as the lines show it: "B pd", "W tt" for a pass.
std::string moveText(const RecordNode& k) {
    const bool black = k.type == NodeType::BlackMove || (k.type == NodeType::Pass && k.passColour() == kBlack);
    return std::string(black ? "B " : "W ") + pointText(k);
}

// Every line of play from the start to an end of the tree: the moves of a sequence after the moves
// of its parents up to where it hangs.
void collectLines(const RecordSequence& s, std::vector<std::string> prefix, std::vector<std::string>& out) {
    std::vector<std::string> line = prefix;
    struct Hang {
        const RecordSequence* child;
        std::size_t at;
    };
    std::vector<Hang> hangs;
    // Handicap stones are part of the start position (written as AB), not moves.
    const bool handicapStones = s.depth() == 0 && s.handicapCount() >= 2;
    for (const RecordNode& k : s.nodes()) {
        if (handicapStones && k.type == NodeType::BlackMove && k.moveNumber == 1) continue;
        if (k.isMoveOrPass()) {
            line.push_back(moveText(k));
            continue;
        }
        if (!k.isLink()) continue;
        const RecordSequence* c = s.child(k.childSlot);
        if (!c) continue;
        // A variation continues after the moves so far; a reference sequence replaces the last one.
        std::size_t at = line.size();
        if (k.linkKind() == kReference && at > prefix.size()) --at;
        hangs.push_back({c, at});
    }
    std::string joined;
    for (const std::string& m : line) joined += (joined.empty() ? "" : " ") + m;
    out.push_back(joined);
    for (const Hang& h : hangs)
        collectLines(*h.child, std::vector<std::string>(line.begin(), line.begin() + static_cast<long>(h.at)), out);
}

int countSequences(const RecordSequence& s) {
    int n = 0;
    for (int slot = 1; slot <= s.highestChildSlot(); ++slot)
        if (const RecordSequence* c = s.child(slot)) n += 1 + countSequences(*c);
    return n;
}

// One line of text: line breaks shown as "\\n".
std::string oneLine(std::u16string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == u'\r' || text[i] == u'\n') {
            out += "\\n";
            if (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') ++i;
            continue;
        }
        out += toUtf8(text.substr(i, 1));
    }
    return out;
}

// Every comment of the record, the main line first, each after the move it belongs to.
void collectComments(const RecordSequence& s, std::vector<std::string>& out) {
    for (const RecordNode& k : s.nodes()) {
        if (k.comment >= 0) {
            const std::u16string_view text = s.commentOf(k);
            if (!text.empty()) out.push_back("comment (move " + std::to_string(k.moveNumber) + "): " + oneLine(text));
        }
    }
    for (int slot = 1; slot <= s.highestChildSlot(); ++slot)
        if (const RecordSequence* c = s.child(slot)) collectComments(*c, out);
}

std::string resultText(const GameInfo& info) {
    const std::u16string re = sgfResultText(info);
    if (re.empty()) return "none";
    return toUtf8(std::u16string_view(re).substr(3, re.size() - 4));
}

int run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    std::string path;
    bool lines = false;
    bool latin = false;
    std::string charset;
    for (std::size_t k = 0; k < args.size(); ++k) {
        const std::string& a = args[k];
        if (a == "--lines") lines = true;
        else if (a == "--cp1252") latin = true;
        else if (a == "--charset" || a.starts_with("--charset=")) {
            if (a == "--charset" && k + 1 == args.size()) {
                err << "stonewise-cli info: --charset needs the name of a charset\n";
                return 2;
            }
            charset = a == "--charset" ? args[++k] : a.substr(10);
            if (!resolveCharsetName(charset)) {
                err << "stonewise-cli info: unknown charset " << charset << "\n";
                return 2;
            }
        } else if (!a.empty() && a[0] == '-') {
            err << "stonewise-cli info: unknown option " << a << "\n";
            return 2;
        } else if (path.empty()) path = a;
        else {
            err << "stonewise-cli info: one file only\n";
            return 2;
        }
    }
    if (path.empty()) {
        err << "usage: stonewise-cli info FILE [--lines] [--cp1252] [--charset NAME]\n";
        return 2;
    }
    InMemoryMembers members;
    LoadSettings settings;
    settings.codePage = latin ? CodePage::Windows1252 : CodePage::Cp932;
    settings.charset = charset;
    settings.members = &members;
    const HeaderPreview preview = preReadGameFile(path, settings);
    if (preview.failure != LoadFailure::None) {
        err << "stonewise-cli info: " << path << ": " << loadFailureText(preview.failure) << "\n";
        return 1;
    }
    LoadRequest request;
    const LoadedGame game = loadGameFile(path, request, settings);
    if (!game.ok) {
        err << "stonewise-cli info: " << path << ": " << loadFailureText(game.failure) << "\n";
        return 1;
    }
    const GameInfo& info = game.info;
    char komi[32];
    std::snprintf(komi, sizeof komi, "%g", static_cast<double>(info.komi));
    out << "name: " << toUtf8(preview.proposedName) << "\n";
    out << "black: " << toUtf8(info.blackName) << "\n";
    out << "white: " << toUtf8(info.whiteName) << "\n";
    out << "size: " << info.boardSize() << "\n";
    out << "handicap: " << info.handicap << " (" << game.handicapStones << " stones)\n";
    out << "komi: " << komi << "\n";
    out << "result: " << resultText(info) << "\n";
    if (info.startDate.year > 0) {
        char date[32];
        std::snprintf(date, sizeof date, "%04d-%02d-%02d", info.startDate.year, info.startDate.month,
                      info.startDate.day);
        out << "date: " << date << "\n";
    }
    out << "encoding: " << describeTextSource(game.textSource) << "\n";
    out << "moves: " << std::max(0, game.main->lastMoveNumber()) << "\n";
    out << "branches: " << countSequences(*game.main) << "\n";
    if (game.dropped > 0) out << "left out at the record's limits: " << game.dropped << "\n";
    std::vector<std::string> comments;
    collectComments(*game.main, comments);
    for (const std::string& c : comments) out << c << "\n";
    if (const std::u16string notice = loadNoticeText(game); !notice.empty()) out << toUtf8(notice) << "\n";
    for (const LoadMessage& m : game.messages) err << "stonewise-cli info: " << toUtf8(m.text) << "\n";
    if (lines) {
        std::vector<std::string> all;
        collectLines(*game.main, {}, all);
        std::sort(all.begin(), all.end());
        for (const std::string& l : all) out << "line: " << l << "\n";
    }
    return 0;
}

} // namespace

CliCommand infoCommand() {
    return {"info", "info FILE [--lines] [--cp1252] [--charset NAME]",
            "Shows the game information of an SGF or UGF file: name, players, board size, handicap, komi, result, "
            "the charset its text was read in and why (byte-order mark, CA, detected, forced or the system code "
            "page), number of moves and branches, and its comments (--lines: every line of play, sorted; --cp1252: "
            "the system code page is Windows-1252 instead of Shift_JIS; --charset: read the file in this charset, "
            "whatever it says)",
            &run};
}

} // namespace stonewise::cli
