#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "record/GameRecord.h"
#include "search/PatternDatabase.h"
#include "view/PrintDiagram.h"

namespace stonewise {

class PatternQuery;

// Texts of the result's diagram, branches and moves.
enum PatternResultStringId : int {
    kStrPatternBranches = 58064,    // "分岐表示"
    kStrPatternShowBook = 58065,    // "ブックを表示"
    kStrPatternMainLine = 58066,    // "本譜"
    kStrPatternVariation = 58067,   // "変化 %d手目から"
    kStrPatternMoveRow = 58068,     // "%d  %s %s": number after the match, colour, point
    kStrPatternBlack = 58069,       // "黒"
    kStrPatternWhite = 58070,       // "白"
    kStrPatternPass = 58071,        // "パス"
    kStrPatternMatchedTo = 58072,   // "%d手目まで一致"
    kStrPatternBranchFrom = 58073,  // "%d手目からの変化"
    kStrPatternCannotRead = 58074,  // the result's record cannot be read
    kStrPatternSearchBoard = 58075, // "検索する盤面："
    kStrPatternMainBoard = 58076,   // "メイン"
    kStrPatternStudyBoard = 58077,  // "検討図"
    kStrPatternMovesColumn = 58078, // "続きの手順"
    kStrPatternBookNumber = 58079,  // "碁ブック(%d)": a book no longer installed
    kStrPatternPoint = 58081,       // "(%s,%s)": a point by its column and row labels
};

// What the diagram beside the result list shows: the position of a line after a move, the moves
// that followed numbered from 1, the last move before them marked, within the part of the board
// that matters (the corner of a corner match, else the whole board).
struct PatternDiagram {
    int lines = 19;
    int left = 0; // the points shown, inclusive
    int top = 0;
    int right = 18;
    int bottom = 18;
    std::vector<PrintStone> stones; // `number` counts the moves after the position, 0 for none
    int markX = -1;                 // the last move before the numbered ones, -1 for none
    int markY = -1;
    std::u16string caption;

    bool empty() const { return stones.empty(); }
};

// A row of the branch tree: the main line or a variation, indented by its depth.
struct PatternBranchRow {
    int depth = 0;
    std::u16string text;
};

// The moves the diagram numbers, in order.
struct PatternMoveRow {
    int number = 0; // as the diagram numbers it
    std::u16string text;
};

// The most moves the diagram numbers after its position.
constexpr int kPatternDiagramMoves = 12;

// The line of `main` whose collector of the result's kind begins with the moves the result matched
// of the searched position (the main line first, then the variations in order), and the number of
// the move where the match ends; null when no line matches.
RecordSequence* matchedLine(RecordSequence& main, int boardSize, const PatternResult& result, const PatternQuery& query,
                            int& move);

// The record of one result as the panel shows it: the diagram of the matched line at the match,
// the record's branches, the moves that followed and the comment of the move chosen.
class PatternResultView {
public:
    // Takes the result's record: finds the matched line and shows it at the match (the main line
    // from its start when no line matches).
    void show(std::unique_ptr<RecordSequence> main, int boardSize, const PatternResult& result,
              const PatternQuery& query);
    void clear();
    bool empty() const { return !m_loaded; }
    // The column and row labels the moves are listed with (the board's); without, numbers from 1.
    void setPointLabels(std::function<std::pair<std::u16string, std::u16string>(int x, int y)> labels) {
        m_labels = std::move(labels);
    }

    const PatternDiagram& diagram() const { return m_diagram; }
    const std::vector<PatternBranchRow>& branches() const { return m_branchRows; }
    const std::vector<PatternMoveRow>& moves() const { return m_moves; }
    // The comment of the move shown (the match's last move, a branch's first, a move chosen).
    const std::u16string& comment() const { return m_comment; }
    // The branch row the diagram shows.
    int shownBranch() const { return m_shownBranch; }
    int matchedMove() const { return m_matched; }

    // "分岐表示": the branch at `row` from its first move (the matched line at its match).
    bool showBranch(int row);
    // A move of the list: its comment.
    void chooseMove(int row);

private:
    void listBranches(RecordSequence& s, int depth);
    // The diagram of `line` after move `before` with the moves that follow.
    void draw(RecordSequence& line, int before);
    std::u16string commentAt(int move);

    GameRecord m_record;
    std::function<std::pair<std::u16string, std::u16string>(int x, int y)> m_labels;
    bool m_loaded = false;
    int m_boardSize = 19;
    int m_kind = 1; // collector kind of the match
    int m_matched = 0;
    RecordSequence* m_matchedLine = nullptr;
    std::vector<RecordSequence*> m_branches;
    std::vector<PatternBranchRow> m_branchRows;
    int m_shownBranch = -1;
    PatternDiagram m_diagram;
    std::vector<PatternMoveRow> m_moves;
    std::u16string m_comment;
};

} // namespace stonewise
