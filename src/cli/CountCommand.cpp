// stonewise-cli count: the territory count of a game's final position (or of move N), with the
// dead stones the program proposes, as the counting panel shows it.
#include <charconv>
#include <string>
#include <vector>

#include "board/CountingBoard.h"
#include "board/PositionRebuild.h"
#include "cli/CliCommand.h"
#include "formats/GameFileLoader.h"
#include "formats/MemberDirectory.h"
#include "record/StringTable.h"
#include "record/Text.h"

namespace stonewise::cli {

namespace {

constexpr const char* kUsage = "usage: stonewise-cli count FILE.sgf [--move N] [--board] [--rules RU]\n";

// The dead stones of one colour as SGF points: "dd ee".
std::string deadList(const CountingBoard& board, Colour colour) {
    std::string out;
    for (const auto& [x, y] : board.deadStones()) {
        if (board.stoneAt(x, y) != colour) continue;
        if (!out.empty()) out += ' ';
        out += static_cast<char>('a' + x);
        out += static_cast<char>('a' + y);
    }
    return out.empty() ? "-" : out;
}

// The counted board, one row a line: X O stones, x o dead stones, # black and = white territory,
// ! false eyes, . the rest.
void printBoard(const CountingBoard& board, std::ostream& out) {
    for (int y = 0; y < board.size(); ++y) {
        std::string row;
        for (int x = 0; x < board.size(); ++x) {
            const Colour stone = board.stoneAt(x, y);
            const bool dead = board.deadState(x, y) != DeadState::Alive;
            char c = '.';
            if (stone != kEmpty) c = stone == kBlack ? (dead ? 'x' : 'X') : (dead ? 'o' : 'O');
            else if (board.mark(x, y) == kCountMarkBlackTerritory) c = '#';
            else if (board.mark(x, y) == kCountMarkWhiteTerritory) c = '=';
            else if (board.mark(x, y) == kCountMarkFalseEye) c = '!';
            row += c;
        }
        out << row << "\n";
    }
}

bool parseMove(const std::string& text, int& move) {
    const char* end = text.data() + text.size();
    const auto [p, ec] = std::from_chars(text.data(), end, move);
    return ec == std::errc() && p == end && move >= 0;
}

int run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    std::string path;
    int move = -1;
    bool diagram = false;
    std::string rulesName;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--board") {
            diagram = true;
        } else if (a == "--move") {
            if (i + 1 >= args.size() || !parseMove(args[i + 1], move)) {
                err << "stonewise-cli count: --move needs a move number\n" << kUsage;
                return 2;
            }
            ++i;
        } else if (a == "--rules") {
            if (i + 1 >= args.size()) {
                err << "stonewise-cli count: --rules needs the rules' name\n" << kUsage;
                return 2;
            }
            rulesName = args[++i];
        } else if (!a.empty() && a[0] == '-') {
            err << "stonewise-cli count: unknown option " << a << "\n" << kUsage;
            return 2;
        } else if (path.empty()) {
            path = a;
        } else {
            err << kUsage;
            return 2;
        }
    }
    if (path.empty()) {
        err << kUsage;
        return 2;
    }
    InMemoryMembers members;
    LoadSettings settings;
    settings.members = &members;
    LoadedGame game = loadGameFile(path, LoadRequest{}, settings);
    if (!game.ok) {
        err << "stonewise-cli count: " << path << ": " << loadFailureText(game.failure) << "\n";
        return 1;
    }
    GameRecord record;
    record.adopt(std::move(game.main));
    const int last = std::max(0, record.main().lastMoveNumber());
    if (move > last) {
        err << "stonewise-cli count: the game has " << last << " moves\n";
        return 1;
    }
    BoardPosition pos;
    pos.setSize(game.info.boardSize());
    BoardNavigation nav;
    nav.setTotalMoves(last);
    nav.show(move < 0 ? -1 : move);
    rebuildPosition(pos, nav, record, {});

    CountingBoard board;
    board.start(pos, nav.shownMove(), passedOutAt(record, nav.shownMove()));
    if (!board.analyse()) out << toUtf8(uiText(11404)) << "\n";
    const double komi = static_cast<double>(game.info.komi);
    const CountingRules rules = countingRulesNamed(rulesName, game.info.handicap);
    const CountResult r = scoredUnder(board.count(komi), komi, rules);
    if (diagram) printBoard(board, out);
    out << "dead black: " << deadList(board, kBlack) << "\n";
    out << "dead white: " << deadList(board, kWhite) << "\n";
    for (const std::u16string* line :
         {&r.whiteTerritoryLine, &r.blackTerritoryLine, &r.whiteLine, &r.blackLine, &r.boardLine, &r.resultLine})
        out << toUtf8(*line) << "\n";
    if (rules.area) out << toUtf8(uiText(55524)) << "\n";
    if (rules.handicapCompensation != 0) out << toUtf8(formatText(uiText(55525), {rules.handicapCompensation})) << "\n";
    out << sgfResultOfCount(r) << "\n";
    return 0;
}

} // namespace

CliCommand countCommand() {
    return {"count", "count FILE.sgf [--move N] [--board] [--rules RU]",
            "Counts the territory of a game's final position (--move: after move N) with Japanese scoring: the dead "
            "stones the program proposes, each side's territory and score, the board result and the result after "
            "komi as the counting panel shows them (--board: the counted board first), and last the result after komi "
            "as an SGF RE value. --rules takes the game's RU value: under rules that count the area (Chinese, AGA, "
            "New Zealand, ...) the scores are living stones and territory, with white's handicap compensation",
            &run};
}

} // namespace stonewise::cli
