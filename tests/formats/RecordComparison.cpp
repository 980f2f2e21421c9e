#include "formats/RecordComparison.h"

#include <sstream>

#include "record/Text.h"

namespace stonewise::test {

namespace {

std::string describe(const RecordNode& n) {
    std::ostringstream out;
    out << "node #" << n.index << " type " << static_cast<int>(n.type) << " move " << n.moveNumber << " at ("
        << static_cast<int>(n.x) << "," << static_cast<int>(n.y) << ")";
    return out.str();
}

std::string compareSequences(const RecordSequence& a, const RecordSequence& b, const std::string& where) {
    std::ostringstream out;
    if (a.firstMoveNumber() != b.firstMoveNumber())
        return where + ": first move " + std::to_string(a.firstMoveNumber()) + " vs " +
               std::to_string(b.firstMoveNumber());
    if (a.kind() != b.kind()) return where + ": kind differs";
    if (a.nodeCount() != b.nodeCount())
        return where + ": " + std::to_string(a.nodeCount()) + " nodes vs " + std::to_string(b.nodeCount());
    for (int i = 0; i < a.nodeCount(); ++i) {
        const RecordNode& x = a.node(i);
        const RecordNode& y = b.node(i);
        const std::string at = where + " " + describe(x);
        if (x.type != y.type || x.moveNumber != y.moveNumber || x.x != y.x || x.y != y.y)
            return at + " vs " + describe(y);
        if (x.isMark() && (x.data1 != y.data1 ||
                           ((x.data1 == kMarkUpperLetter || x.data1 == kMarkLowerLetter) && x.data2 != y.data2)))
            return at + ": mark kind or letter differs";
        if (x.type == NodeType::Pass && x.passColour() != y.passColour()) return at + ": the pass changed colour";
        if (x.elapsed != y.elapsed)
            return at + ": time " + std::to_string(x.elapsed) + " vs " + std::to_string(y.elapsed);
        if (x.isLink()) {
            if (x.linkKind() != y.linkKind()) return at + ": link kind differs";
            const RecordSequence* cx = a.child(x.childSlot);
            const RecordSequence* cy = b.child(y.childSlot);
            if (!cx || !cy) {
                if (cx != cy) return at + ": child missing on one side";
                continue;
            }
            const std::string d = compareSequences(*cx, *cy, where + "/" + std::to_string(i));
            if (!d.empty()) return d;
            continue;
        }
        if (a.commentOf(x) != b.commentOf(y))
            return at + ": text \"" + toUtf8(a.commentOf(x)) + "\" vs \"" + toUtf8(b.commentOf(y)) + "\"";
    }
    if (a.labelCount() != b.labelCount()) return where + ": label count differs";
    return {};
}

} // namespace

std::string recordDifference(const RecordSequence& a, const RecordSequence& b) {
    auto handicap = [](const RecordSequence& s) { return s.handicapCount() >= 2 ? s.handicapCount() : 0; };
    if (handicap(a) != handicap(b))
        return "handicap stones " + std::to_string(a.handicapCount()) + " vs " + std::to_string(b.handicapCount());
    if (a.leadingSetupCount() != b.leadingSetupCount())
        return "leading setup stones " + std::to_string(a.leadingSetupCount()) + " vs " +
               std::to_string(b.leadingSetupCount());
    if (a.lastMoveNumber() != b.lastMoveNumber())
        return "last move " + std::to_string(a.lastMoveNumber()) + " vs " + std::to_string(b.lastMoveNumber());
    return compareSequences(a, b, "main");
}

std::string infoDifference(const GameInfo& a, const GameInfo& b) {
    auto text = [](const char* what, const std::u16string& x, const std::u16string& y) -> std::string {
        if (x == y) return {};
        return std::string(what) + " \"" + toUtf8(x) + "\" vs \"" + toUtf8(y) + "\"";
    };
    auto number = [](const char* what, double x, double y) -> std::string {
        if (x == y) return {};
        std::ostringstream out;
        out << what << " " << x << " vs " << y;
        return out.str();
    };
    for (const std::string& d : {
             text("name", a.name, b.name),
             text("black", a.blackName, b.blackName),
             text("white", a.whiteName, b.whiteName),
             number("handicap", a.handicap, b.handicap),
             number("komi", a.komi, b.komi),
             number("winner", a.winner, b.winner),
             number("margin", a.margin, b.margin),
             number("type", a.type, b.type),
             number("flags", a.flags, b.flags),
             number("start flags", a.startFlags, b.startFlags),
             number("format version", a.formatVersion, b.formatVersion),
             number("board", a.boardSize(), b.boardSize()),
             number("year", a.startDate.year, b.startDate.year),
             number("month", a.startDate.month, b.startDate.month),
             number("day", a.startDate.day, b.startDate.day),
             text("game comment", a.gameComment, b.gameComment),
             text("ranks and place", a.carriedText, b.carriedText),
             text("root properties", a.sgfRootExtras, b.sgfRootExtras),
         })
        if (!d.empty()) return d;
    return {};
}

} // namespace stonewise::test
