#include "view/MoveListModel.h"

#include <algorithm>

#include "record/CommentStore.h"
#include "record/Text.h"
#include "view/ElapsedTimeText.h"
#include "view/PanelStrings.h"

namespace stonewise {

namespace {

bool isHighSurrogate(char16_t c) { return c >= 0xD800 && c <= 0xDBFF; }

// The first `maxLength` characters of a text, without splitting a surrogate pair.
std::u16string cut(std::u16string text, std::size_t maxLength) {
    if (text.size() <= maxLength) return text;
    std::size_t n = maxLength;
    if (n > 0 && isHighSurrogate(text[n - 1])) --n;
    text.resize(n);
    return text;
}

// The first comment of a child sequence: its first move's comment, else the text its link's
// comment index names (an index into the child's own store).
std::u16string_view firstComment(const RecordNode& link, const RecordSequence& child) {
    for (const RecordNode& n : child.nodes()) {
        if (!n.isMoveOrPass()) continue;
        if (n.comment >= 0) return child.commentOf(n);
        break;
    }
    return child.comments().text(link.comment);
}

bool isReference(const RecordNode& link, const RecordSequence& child) {
    if (child.kind() == kReference) return true;
    if (child.kind() == kBranch) return false;
    return link.linkKind() == kReference;
}

} // namespace

std::u16string listCommentText(std::u16string_view comment, std::size_t maxLength) {
    const std::u16string plain = withoutBracketTags(comment);
    std::u16string text;
    text.reserve(std::min(plain.size(), maxLength + 1));
    for (std::size_t i = 0; i < plain.size() && text.size() <= maxLength; ++i) {
        const char16_t c = plain[i];
        if (c == u'\r' || c == u'\n') {
            if (c == u'\r' && i + 1 < plain.size() && plain[i + 1] == u'\n') ++i;
            text.push_back(u' ');
        } else {
            text.push_back(c);
        }
    }
    return cut(std::move(text), maxLength);
}

void MoveListModel::clear() {
    m_lines.clear();
    m_branches.clear();
    m_nodeLines.clear();
    m_branchLines.clear();
    m_main = nullptr;
}

void MoveListModel::build(const RecordSequence& main, const MoveListOptions& options) {
    clear();
    m_options = options;
    m_main = &main;
    m_offset = main.numberOffset();
    if (options.hideMoves || !main.isValid()) return;
    if (options.collapsed) {
        // The main record is one header line, numbered with its first move as the board counts it.
        const int first = main.handicapCount() >= 2 ? 2 : 1;
        const int number = main.lastMoveNumber() >= first ? first + m_offset : 0;
        MoveListLine header;
        header.kind = MoveListLineKind::MainRecord;
        header.icon = MoveListIcon::MainRecord;
        header.text = cut(panelText(options.strings, kStrMainRecordLine, {number}), kMaxLineLength);
        header.sequence = &main;
        header.moveNumber = number - m_offset;
        addLine(std::move(header));
    }
    addSequence(main, -1, 0, options.collapsed);
}

int MoveListModel::addLine(MoveListLine line) {
    const int index = lineCount();
    if (line.kind == MoveListLineKind::Branch) {
        m_branchLines[line.branch] = index;
        m_branches.push_back({line.parent, line.branch, index});
    }
    if (line.nodeIndex >= 0) m_nodeLines[{line.sequence, line.nodeIndex}] = index;
    m_lines.push_back(std::move(line));
    return index;
}

std::pair<std::u16string, std::u16string> MoveListModel::labels(int x, int y) const {
    if (m_options.pointLabels) return m_options.pointLabels(x, y);
    return {toU16(x + 1), toU16(y + 1)};
}

std::u16string MoveListModel::noteOf(const RecordSequence& s, const RecordNode& n) const {
    const std::u16string_view comment = s.commentOf(n);
    if (!comment.empty()) return listCommentText(comment, kMaxCommentInLine);
    if (m_options.showElapsed && n.elapsed != 0) return elapsedListText(n.elapsedSeconds());
    return {};
}

std::u16string MoveListModel::moveLineText(const RecordSequence& s, const RecordNode& n, int running,
                                           bool inBranch) const {
    const int number = n.moveNumber + m_offset;
    const std::u16string note = noteOf(s, n);
    if (n.type == NodeType::Pass || !n.hasPoint())
        return panelText(m_options.strings, kStrPassLine, {number, note}, kMaxLineLength);
    const auto [column, row] = labels(n.x, n.y);
    if (inBranch)
        return panelText(m_options.strings, kStrBranchMoveLine, {number, running, column, row, note}, kMaxLineLength);
    return panelText(m_options.strings, kStrMoveLine, {number, column, row, note}, kMaxLineLength);
}

std::u16string MoveListModel::branchLineText(const RecordNode& link, const RecordSequence& child) const {
    const std::u16string heading =
        panelText(m_options.strings, isReference(link, child) ? kStrReferenceHeading : kStrBranchHeading);
    const std::u16string comment = listCommentText(firstComment(link, child), kMaxBranchComment);
    std::u16string text;
    if (m_options.collapsed) {
        const int number = child.firstMoveNumber() + m_offset;
        text = comment.empty() ? formatText(u"%3d : %s", {number, heading}, 1024)
                               : formatText(u"%3d : %s %s", {number, heading, comment}, 1024);
    } else {
        text = comment.empty() ? heading : heading + u" " + comment;
    }
    return cut(std::move(text), kMaxLineLength);
}

void MoveListModel::addSequence(const RecordSequence& s, int parentLine, int level, bool movesHidden) {
    if (level >= kMaxLevels) return;
    const bool inBranch = s.depth() > 0;
    // Handicap stones (all numbered 1) come before the first move of a handicap game: not listed.
    const bool skipHandicap = !inBranch && s.handicapCount() >= 2;
    int running = 0;
    for (int i = 0; i < s.nodeCount(); ++i) {
        const RecordNode& n = s.node(i);
        if (n.isSetup()) continue;
        if (n.isLink()) {
            const RecordSequence* child = s.child(n.childSlot);
            if (!child || child == &s || !child->isValid()) continue;
            MoveListLine line;
            line.kind = MoveListLineKind::Branch;
            line.icon = isReference(n, *child) ? MoveListIcon::Reference : MoveListIcon::Branch;
            line.text = branchLineText(n, *child);
            line.parent = parentLine;
            line.level = level;
            line.sequence = &s;
            line.nodeIndex = i;
            line.branch = child;
            line.moveNumber = child->firstMoveNumber();
            const int index = addLine(std::move(line));
            addSequence(*child, index, level + 1, false);
            continue;
        }
        if (skipHandicap && n.moveNumber <= 1) continue;
        if (n.isMoveOrPass()) {
            ++running;
            if (movesHidden) continue;
            MoveListLine line;
            line.kind = n.isMove() && n.hasPoint() ? MoveListLineKind::Move : MoveListLineKind::Pass;
            line.icon = colourOfMove(n.moveNumber) == kBlack ? MoveListIcon::BlackStone : MoveListIcon::WhiteStone;
            line.text = moveLineText(s, n, running, inBranch);
            line.parent = parentLine;
            line.level = level;
            line.sequence = &s;
            line.nodeIndex = i;
            line.moveNumber = n.moveNumber;
            addLine(std::move(line));
        } else if (n.isMark()) {
            if (movesHidden || !m_options.showMarks || !n.hasPoint()) continue;
            const auto [column, row] = labels(n.x, n.y);
            MoveListLine line;
            line.kind = MoveListLineKind::Mark;
            line.icon = static_cast<MoveListIcon>(std::clamp(n.markKind() + 2, 3, 7));
            line.text = panelText(m_options.strings, kStrMarkLine, {column, row}, kMaxLineLength);
            line.parent = parentLine;
            line.level = level;
            line.sequence = &s;
            line.nodeIndex = i;
            line.moveNumber = n.moveNumber;
            addLine(std::move(line));
        }
    }
}

std::vector<int> MoveListModel::children(int parent) const {
    std::vector<int> result;
    for (int i = 0; i < lineCount(); ++i)
        if (m_lines[static_cast<std::size_t>(i)].parent == parent) result.push_back(i);
    return result;
}

int MoveListModel::lineOfNode(const RecordSequence* sequence, int nodeIndex) const {
    auto it = m_nodeLines.find({sequence, nodeIndex});
    return it == m_nodeLines.end() ? -1 : it->second;
}

int MoveListModel::lineOfBranch(const RecordSequence* child) const {
    auto it = m_branchLines.find(child);
    return it == m_branchLines.end() ? -1 : it->second;
}

int MoveListModel::lineForSelection(const RecordSequence* sequence, int nodeIndex) const {
    if (!sequence || m_lines.empty()) return -1;
    if (int exact = lineOfNode(sequence, nodeIndex); exact >= 0) return exact;
    int best = -1;
    for (int i = 0; i < lineCount(); ++i) {
        const MoveListLine& l = m_lines[static_cast<std::size_t>(i)];
        if (l.sequence != sequence || l.kind == MoveListLineKind::Branch || l.nodeIndex < 0) continue;
        if (l.nodeIndex <= nodeIndex && (best < 0 || l.nodeIndex > m_lines[static_cast<std::size_t>(best)].nodeIndex))
            best = i;
    }
    if (best >= 0) return best;
    if (int branch = lineOfBranch(sequence); branch >= 0) return branch;
    if (sequence == m_main && m_lines.front().kind == MoveListLineKind::MainRecord) return 0;
    return -1;
}

MoveListTarget MoveListModel::targetOf(int i) const {
    if (i < 0 || i >= lineCount()) return {};
    const MoveListLine& l = m_lines[static_cast<std::size_t>(i)];
    MoveListTarget t;
    switch (l.kind) {
    case MoveListLineKind::MainRecord:
        t.showSequence = l.sequence;
        t.showMove = -1;
        break;
    case MoveListLineKind::Move:
    case MoveListLineKind::Pass:
    case MoveListLineKind::Mark:
        t.showSequence = l.sequence;
        t.showMove = l.moveNumber;
        t.selectSequence = l.sequence;
        t.selectIndex = l.nodeIndex;
        break;
    case MoveListLineKind::Branch:
        t.showSequence = l.branch;
        t.showMove = l.moveNumber;
        t.selectSequence = l.sequence;
        t.selectIndex = l.nodeIndex;
        break;
    }
    return t;
}

bool collapsedModeAvailable(const RecordSequence& main, bool markEditing) {
    if (markEditing) return false;
    for (int slot = 1; slot <= main.highestChildSlot(); ++slot)
        if (main.child(slot)) return true;
    return false;
}

bool markEditingAvailable(bool mainWindow, bool hasRecord, bool collapsed) {
    return mainWindow && hasRecord && !collapsed;
}

namespace {
RecordSequence* findIn(RecordSequence& s, const RecordSequence* target, int level) {
    if (&s == target) return &s;
    if (level >= MoveListModel::kMaxLevels) return nullptr;
    for (int slot = 1; slot <= s.highestChildSlot(); ++slot) {
        RecordSequence* child = s.child(slot);
        if (!child || child == &s || !child->isValid()) continue;
        if (RecordSequence* found = findIn(*child, target, level + 1)) return found;
    }
    return nullptr;
}
} // namespace

RecordSequence* findSequence(RecordSequence& main, const RecordSequence* target) {
    if (!target || !main.isValid()) return nullptr;
    return findIn(main, target, 0);
}

} // namespace stonewise
