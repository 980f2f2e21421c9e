#include "app/PatternResultView.h"

#include <algorithm>

#include "record/StringTable.h"
#include "record/Text.h"
#include "search/PatternLine.h"
#include "search/PatternQuery.h"

namespace stonewise {

namespace {

constexpr int kMostBranchRows = 500;

// Whether the first `count` moves of two collectors are the same.
bool samePrefix(const PatternCollector& a, const PatternCollector& b, int count) {
    if (a.count < count || b.count < count) return false;
    for (int i = 0; i < count; ++i) {
        const PatternMove& p = a.moves[static_cast<std::size_t>(i)];
        const PatternMove& q = b.moves[static_cast<std::size_t>(i)];
        if (p.x != q.x || p.y != q.y) return false;
    }
    return true;
}

// The part of the board a match of collector `kind` concerns: its corner's 13 lines, or all.
void frame(PatternDiagram& d, int kind) {
    d.left = d.top = 0;
    d.right = d.bottom = d.lines - 1;
    if (d.lines != 19 || kind < kUpperLeft || kind > kLowerRight) return;
    constexpr int kSpan = 12;
    const bool right = kind == kUpperRight || kind == kLowerRight;
    const bool lower = kind == kLowerLeft || kind == kLowerRight;
    d.left = right ? d.lines - 1 - kSpan : 0;
    d.right = d.left + kSpan;
    d.top = lower ? d.lines - 1 - kSpan : 0;
    d.bottom = d.top + kSpan;
}

} // namespace

RecordSequence* matchedLine(RecordSequence& main, int boardSize, const PatternResult& result, const PatternQuery& query,
                            int& move) {
    move = -1;
    const int queryKind = result.collectorKind == kWholeBoard ? kWholeBoard : query.lastMoveCorner();
    const PatternCollector* wanted = query.analyzer().find(queryKind);
    if (!wanted || result.matchedMoves == 0) return nullptr;
    RecordSequence* found = nullptr;
    PatternAnalyzer analyzer;
    std::vector<LineStone> line;
    auto tryLine = [&](RecordSequence& s) {
        if (found) return;
        collectLine(s, line);
        analyzer.analyse(line, boardSize, 0, true);
        const PatternCollector* c = analyzer.find(result.collectorKind);
        if (c && samePrefix(*c, *wanted, result.matchedMoves)) {
            found = &s;
            move = c->moves[static_cast<std::size_t>(result.matchedMoves - 1)].sequence;
        }
    };
    tryLine(main);
    forEachVariation(main, true, [&](const RecordSequence& s) { tryLine(const_cast<RecordSequence&>(s)); });
    return found;
}

void PatternResultView::clear() {
    m_record.reset();
    m_loaded = false;
    m_matchedLine = nullptr;
    m_branches.clear();
    m_branchRows.clear();
    m_shownBranch = -1;
    m_diagram = {};
    m_moves.clear();
    m_comment.clear();
}

void PatternResultView::show(std::unique_ptr<RecordSequence> main, int boardSize, const PatternResult& result,
                             const PatternQuery& query) {
    clear();
    if (!main) return;
    m_record.adopt(std::move(main));
    m_loaded = true;
    m_boardSize = boardSize == 13 ? 13 : 19;
    m_kind = result.collectorKind;
    int move = -1;
    m_matchedLine = matchedLine(m_record.main(), m_boardSize, result, query, move);
    m_matched = std::max(move, 0);
    listBranches(m_record.main(), 0);
    const auto at = std::find(m_branches.begin(), m_branches.end(), m_matchedLine ? m_matchedLine : &m_record.main());
    showBranch(static_cast<int>(at - m_branches.begin()));
}

void PatternResultView::listBranches(RecordSequence& s, int depth) {
    if (static_cast<int>(m_branches.size()) >= kMostBranchRows) return;
    m_branches.push_back(&s);
    m_branchRows.push_back({depth, depth == 0 ? std::u16string(uiText(kStrPatternMainLine))
                                              : formatText(uiText(kStrPatternVariation), {s.firstMoveNumber()})});
    for (const RecordNode& n : s.nodes())
        if (n.isLink())
            if (RecordSequence* child = s.child(n.childSlot)) listBranches(*child, depth + 1);
}

bool PatternResultView::showBranch(int row) {
    if (!m_loaded || row < 0 || row >= static_cast<int>(m_branches.size())) return false;
    m_shownBranch = row;
    RecordSequence& line = *m_branches[static_cast<std::size_t>(row)];
    const bool matched = &line == m_matchedLine;
    const int before = matched ? m_matched : std::max(line.firstMoveNumber() - 1, 0);
    draw(line, before);
    m_diagram.caption = matched    ? formatText(uiText(kStrPatternMatchedTo), {m_matched + line.numberOffset()})
                        : row == 0 ? std::u16string(uiText(kStrPatternMainLine))
                                   : formatText(uiText(kStrPatternBranchFrom), {line.firstMoveNumber()});
    return true;
}

void PatternResultView::draw(RecordSequence& line, int before) {
    m_record.enterSequence(&line);
    const int last = std::min(before + kPatternDiagramMoves, line.lastMoveNumber());
    const int offset = m_record.main().numberOffset();
    PrintOptions options;
    options.numbers = true;
    options.firstNumber = before + 1 + offset;
    const PrintDiagram print = buildPrintDiagram(m_record, m_boardSize, std::max(last, before), options);
    m_diagram = {};
    m_diagram.lines = print.lines;
    m_diagram.stones = print.stones;
    // A corner's diagram leaves out what happens elsewhere: its numbers then skip those moves.
    frame(m_diagram, m_kind);
    for (PrintStone& s : m_diagram.stones)
        if (s.number > 0) s.number -= before + offset;

    m_moves.clear();
    for (int n = before + 1; n <= last; ++n) {
        const RecordNode* node = m_record.nodeAtMove(n);
        if (!node || !node->isMoveOrPass()) continue;
        const bool black = (node->isMove() ? node->stoneColour() : node->passColour()) == kBlack;
        std::u16string point(uiText(kStrPatternPass));
        if (node->isMove() && node->hasPoint()) {
            const auto [column, row] =
                m_labels ? m_labels(node->x, node->y) : std::pair{toU16(node->x + 1), toU16(node->y + 1)};
            point = formatText(uiText(kStrPatternPoint), {column, row});
        }
        const std::u16string colour(uiText(black ? kStrPatternBlack : kStrPatternWhite));
        m_moves.push_back({n - before, formatText(uiText(kStrPatternMoveRow), {n - before, colour, point})});
    }
    if (const RecordNode* mark = before > 0 ? m_record.nodeAtMove(before) : nullptr;
        mark && mark->isMove() && mark->hasPoint()) {
        m_diagram.markX = mark->x;
        m_diagram.markY = mark->y;
    }
    m_comment = commentAt(before > 0 ? before : std::min(1, last));
}

std::u16string PatternResultView::commentAt(int move) {
    const RecordNode* node = move > 0 ? m_record.nodeAtMove(move) : nullptr;
    const RecordSequence* s = node ? m_record.currentSequence() : nullptr;
    return s ? std::u16string(s->commentOf(*node)) : std::u16string();
}

void PatternResultView::chooseMove(int row) {
    if (row < 0 || row >= static_cast<int>(m_moves.size()) || m_shownBranch < 0) return;
    const RecordSequence& line = *m_branches[static_cast<std::size_t>(m_shownBranch)];
    const int before = &line == m_matchedLine ? m_matched : std::max(line.firstMoveNumber() - 1, 0);
    m_comment = commentAt(before + m_moves[static_cast<std::size_t>(row)].number);
}

} // namespace stonewise
