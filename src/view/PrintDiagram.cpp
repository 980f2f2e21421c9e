#include "view/PrintDiagram.h"

#include <algorithm>
#include <array>
#include <cstdlib>

#include "board/BoardPosition.h"
#include "record/GameRecord.h"

namespace stonewise {

namespace {

// The stones standing in the figure: colour and the move that put each down.
struct Figure {
    std::array<Colour, kPointCount> colour{};
    std::array<int, kPointCount> move{};
    bool taken = false; // made from the position, so later stones go on top of it

    void copy(const BoardPosition& pos) {
        for (int x = 0; x < pos.size(); ++x)
            for (int y = 0; y < pos.size(); ++y) {
                const BoardPoint& p = pos.at(x, y);
                const auto i = static_cast<std::size_t>(pointIndex(x, y));
                colour[i] = p.hasStone() ? static_cast<Colour>(p.colour) : kEmpty;
                move[i] = p.moveNumber;
            }
        taken = true;
    }
};

class DiagramWalk {
public:
    DiagramWalk(const GameRecord& record, int lines, const PrintOptions& options)
        : m_record(record), m_main(record.main()), m_options(options), m_offset(record.main().numberOffset()) {
        m_pos.setSize(lines);
    }

    PrintDiagram run(int lastMove);

private:
    const RecordSequence& sequenceFor(int n) const {
        return m_options.board == 2 ? m_main : *m_record.sequenceForMove(n);
    }
    void placeStartingStones();
    void placeSetupStones(const RecordSequence& s, int n);
    void playMove(const RecordNode& node, int n);
    void collectMarks(int lastMove);
    void note(PrintNote::Kind kind, int n, int x, int y, int first = 0) {
        if (static_cast<int>(m_out.notes.size()) < PrintDiagram::kMaxNotes)
            m_out.notes.push_back({kind, n + m_offset, x, y, first});
    }
    bool numbering(int n) const { return m_options.numbers && n >= m_firstMove; }
    int shown(int move) const { return move + m_offset; }

    const GameRecord& m_record;
    const RecordSequence& m_main;
    const PrintOptions& m_options;
    int m_offset;
    int m_firstMove = 1;
    BoardPosition m_pos;
    Figure m_figure;
    int m_prevX = -1;
    int m_prevY = -1;
    PrintDiagram m_out;
};

void DiagramWalk::placeStartingStones() {
    const int handicap = m_main.handicapCount();
    if (handicap >= 2) {
        int placed = 0;
        for (int i = 0; i < m_main.nodeCount() && placed < handicap; ++i) {
            const RecordNode& n = m_main.node(i);
            if (!n.isMove() || n.moveNumber != 1) continue;
            ++placed;
            if (n.hasPoint() && m_pos.onBoard(n.x, n.y)) m_pos.placeStartingStone(n.x, n.y, n.stoneColour(), 1);
        }
        placeSetupStones(m_main, 1);
        return;
    }
    for (int i = 0; i < m_main.leadingSetupCount() && i < m_main.nodeCount(); ++i) {
        const RecordNode& n = m_main.node(i);
        if (n.hasPoint() && m_pos.onBoard(n.x, n.y)) m_pos.placeStartingStone(n.x, n.y, n.stoneColour(), 0);
    }
}

void DiagramWalk::placeSetupStones(const RecordSequence& s, int n) {
    s.forEachSetupStone(n, [&](const RecordNode& k) {
        if (!k.hasPoint() || !m_pos.onBoard(k.x, k.y)) return;
        m_pos.placeSetupStone(k.x, k.y, k.stoneColour(), s.depth());
        const auto i = static_cast<std::size_t>(pointIndex(k.x, k.y));
        if (m_figure.taken && m_figure.colour[i] == kEmpty) {
            m_figure.colour[i] = k.stoneColour();
            m_figure.move[i] = 0;
        }
    });
}

void DiagramWalk::playMove(const RecordNode& node, int n) {
    const int x = node.x;
    const int y = node.y;
    const auto i = static_cast<std::size_t>(pointIndex(x, y));
    const bool retaken = numbering(n) && m_figure.colour[i] != kEmpty;
    // A "ヌキ" note names the point already: a far move on a taken point is noted once.
    if (m_options.distantList && n >= m_firstMove && m_prevX >= 0 && !retaken) {
        const int limit = m_options.distanceLimit;
        if (std::abs(x - m_prevX) >= limit || std::abs(y - m_prevY) >= limit) note(PrintNote::Kind::Distant, n, x, y);
    }
    m_prevX = x;
    m_prevY = y;
    if (retaken) {
        note(PrintNote::Kind::Retaken, n, x, y, shown(m_figure.move[i]));
    } else if (numbering(n)) {
        m_figure.colour[i] = node.stoneColour();
        m_figure.move[i] = n;
    }
    // A record that plays on an occupied point keeps the stone there, as its own display does.
    if (m_pos.at(x, y).hasStone()) return;
    PlacedStone stone;
    stone.x = x;
    stone.y = y;
    stone.colour = node.stoneColour();
    stone.moveNumber = n;
    m_pos.play(stone);
}

void DiagramWalk::collectMarks(int lastMove) {
    const RecordSequence& s = sequenceFor(lastMove);
    s.forEachMark(lastMove, [&](const RecordNode& k) {
        if (!k.hasPoint() || !m_pos.onBoard(k.x, k.y) || k.markKind() == 0) return;
        const bool letter = k.markKind() == kMarkUpperLetter || k.markKind() == kMarkLowerLetter;
        m_out.marks.push_back({k.x, k.y, k.markKind(), letter ? std::u16string(1, k.data2) : std::u16string()});
    });
    for (const LabelEntry& e : s.labels()) {
        if (e.moveNumber != lastMove || !m_pos.onBoard(e.x, e.y)) continue;
        const int kind = e.small ? kMarkSmallLabel : kMarkLabel;
        m_out.marks.push_back({e.x, e.y, kind, std::u16string(s.comments().text(e.textIndex))});
    }
}

PrintDiagram DiagramWalk::run(int lastMove) {
    m_out.lines = m_pos.size();
    m_firstMove = m_options.firstNumber - m_offset;
    if (m_firstMove > lastMove) m_firstMove = lastMove + 1; // nothing numbered, nothing noted
    placeStartingStones();
    const int start = m_main.handicapCount() >= 2 ? 2 : 1;
    for (int n = start; n <= lastMove; ++n) {
        if (numbering(n) && !m_figure.taken) m_figure.copy(m_pos);
        const RecordSequence& s = sequenceFor(n);
        const RecordNode* node = s.findNode(n);
        if (!node) continue;
        m_out.lastNumber = shown(n);
        m_out.lastIsPass = node->type == NodeType::Pass;
        m_out.lastX = m_out.lastY = -1;
        if (node->isMove() && node->hasPoint() && m_pos.onBoard(node->x, node->y)) {
            playMove(*node, n);
            m_out.lastX = node->x;
            m_out.lastY = node->y;
        }
        placeSetupStones(s, n);
    }
    if (!m_figure.taken) m_figure.copy(m_pos);

    for (int x = 0; x < m_pos.size(); ++x)
        for (int y = 0; y < m_pos.size(); ++y) {
            const auto i = static_cast<std::size_t>(pointIndex(x, y));
            if (m_figure.colour[i] == kEmpty) continue;
            const int move = m_figure.move[i];
            m_out.stones.push_back({x, y, m_figure.colour[i], numbering(move) ? shown(move) : 0});
        }
    std::stable_sort(m_out.notes.begin(), m_out.notes.end(), [](const PrintNote& a, const PrintNote& b) {
        return a.number != b.number ? a.number < b.number : a.kind < b.kind;
    });
    collectMarks(lastMove);
    m_out.blackPrisoners = m_pos.prisoners(kBlack);
    m_out.whitePrisoners = m_pos.prisoners(kWhite);
    return m_out;
}

} // namespace

PrintDiagram buildPrintDiagram(const GameRecord& record, int lines, int lastMove, const PrintOptions& options) {
    return DiagramWalk(record, lines, options).run(lastMove);
}

} // namespace stonewise
