#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "record/RecordSequence.h"

namespace stonewise {

class StringTable;

// What a line of the move list stands for.
enum class MoveListLineKind : std::uint8_t {
    MainRecord, // the main record as one line ("分岐表示" only)
    Move,
    Pass,
    Mark,   // a mark or label ("マーク編集" only)
    Branch, // a branch or reference sequence; its own lines hang under it
};

// The icon of a line. A mark's icon is its kind plus 2, at most 7 (letters and labels).
enum class MoveListIcon : std::uint8_t {
    BlackStone = 0,
    WhiteStone = 1,
    Branch = 2,
    Circle = 3,
    Square = 4,
    Triangle = 5,
    Cross = 6,
    Letter = 7,
    Reference = 8,
    MainRecord = 9,
};
constexpr int kMoveListIconCount = 10;

// One line of the move list.
struct MoveListLine {
    MoveListLineKind kind = MoveListLineKind::Move;
    MoveListIcon icon = MoveListIcon::BlackStone;
    std::u16string text;
    int parent = -1;                          // the line it hangs under; -1 at the top level
    int level = 0;                            // 0 at the top level
    const RecordSequence* sequence = nullptr; // the sequence holding the node (the header: the main record)
    int nodeIndex = -1;                       // the node in `sequence` (a branch: its link); -1 for the header
    const RecordSequence* branch = nullptr;   // branch lines: the child sequence
    int moveNumber = 0;                       // the node's move number as the record counts (a branch:
                                              // its first move; the header: the main record's first)
};

// A branch line inserted, in insertion order: the line it hangs under, its sequence and its line.
struct MoveListBranchEntry {
    int parentLine = -1;
    const RecordSequence* sequence = nullptr;
    int line = -1;
};

// The column and row labels of a point as the board shows them.
using PointLabelFunction = std::function<std::pair<std::u16string, std::u16string>(int x, int y)>;

// How the list is built.
struct MoveListOptions {
    bool showMarks = false;               // "マーク編集": marks and labels get lines
    bool collapsed = false;               // "分岐表示": the main record is one line, only branches are listed
    bool showElapsed = false;             // a move without a comment shows its elapsed time
    bool hideMoves = false;               // a problem that hides its moves: the list stays empty
    const StringTable* strings = nullptr; // null: the interface language
    PointLabelFunction pointLabels;       // null: 1-based numbers
};

// What selecting a line asks of the board window: show `showMove` of `showSequence` (-1: its last
// move), then select the node `selectIndex` of `selectSequence` when one is given.
struct MoveListTarget {
    const RecordSequence* showSequence = nullptr;
    int showMove = -1;
    const RecordSequence* selectSequence = nullptr;
    int selectIndex = -1;
};

// The move list of a record without pixels: its lines with their texts and icons as a tree (the
// main record at the top level, each branch and reference sequence under its own line), and the
// mapping between lines and record nodes both ways. Built from the record and rebuilt whenever
// its structure changes; it keeps pointers into the record and must not outlive that state.
class MoveListModel {
public:
    static constexpr int kMaxLineLength = 160;
    static constexpr int kMaxCommentInLine = 100;
    static constexpr int kMaxBranchComment = 120;
    static constexpr int kMaxLevels = 256;

    // Builds the lines of `main` and its children; the previous lines are dropped.
    void build(const RecordSequence& main, const MoveListOptions& options);
    void clear();

    bool empty() const { return m_lines.empty(); }
    int lineCount() const { return static_cast<int>(m_lines.size()); }
    // Line `i`, 0 <= i < lineCount(); lines are in display order, each after its parent.
    const MoveListLine& line(int i) const { return m_lines[static_cast<std::size_t>(i)]; }
    const std::vector<MoveListLine>& lines() const { return m_lines; }
    // The lines hanging directly under `parent` (-1: the top level), in order.
    std::vector<int> children(int parent) const;
    // The branch lines in insertion order.
    const std::vector<MoveListBranchEntry>& branches() const { return m_branches; }

    // The line of a node; -1 when the node has none.
    int lineOfNode(const RecordSequence* sequence, int nodeIndex) const;
    // The line of a child sequence's branch line; -1 when none.
    int lineOfBranch(const RecordSequence* child) const;
    // The line that shows a node the board selected: its own line, else the nearest listed line of
    // the same sequence before it, else the sequence's branch line (the main record's header in
    // "分岐表示"); -1 when nothing fits.
    int lineForSelection(const RecordSequence* sequence, int nodeIndex) const;
    // What the board window shows when line `i` is selected; an empty target for a bad index.
    MoveListTarget targetOf(int i) const;

private:
    void addSequence(const RecordSequence& s, int parentLine, int level, bool movesHidden);
    int addLine(MoveListLine line);
    std::u16string moveLineText(const RecordSequence& s, const RecordNode& n, int running, bool inBranch) const;
    std::u16string noteOf(const RecordSequence& s, const RecordNode& n) const;
    std::u16string branchLineText(const RecordNode& link, const RecordSequence& child) const;
    std::pair<std::u16string, std::u16string> labels(int x, int y) const;

    MoveListOptions m_options;
    const RecordSequence* m_main = nullptr;
    int m_offset = 0;
    std::vector<MoveListLine> m_lines;
    std::vector<MoveListBranchEntry> m_branches;
    std::map<std::pair<const RecordSequence*, int>, int> m_nodeLines;
    std::map<const RecordSequence*, int> m_branchLines;
};

// A comment as a list line shows it: data tags removed, line breaks as blanks, at most `maxLength`
// characters (never half a surrogate pair).
std::u16string listCommentText(std::u16string_view comment, std::size_t maxLength);

// Whether "分岐表示" can be switched on: the main record has a branch and "マーク編集" is off.
bool collapsedModeAvailable(const RecordSequence& main, bool markEditing);
// Whether "マーク編集" can be switched on: the main board window with a record, "分岐表示" off.
bool markEditingAvailable(bool mainWindow, bool hasRecord, bool collapsed);

// The sequence of `main`'s tree that `target` points to, reached from `main`; null when `target`
// is not (or no longer) part of that tree.
RecordSequence* findSequence(RecordSequence& main, const RecordSequence* target);

} // namespace stonewise
