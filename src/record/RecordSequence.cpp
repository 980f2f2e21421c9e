#include "record/RecordSequence.h"

#include <algorithm>
#include <climits>
#include <cstdlib>

namespace stonewise {

namespace {
// Seconds up to 32,760, beyond that minus the minutes, `half` seconds added before dividing.
std::int16_t encodeNodeTime(long seconds, long half) {
    if (seconds < 0) seconds = 0;
    if (seconds <= 32760) return static_cast<std::int16_t>(seconds);
    const long minutes = std::min((seconds + half) / 60, 32767L);
    return static_cast<std::int16_t>(-minutes);
}
} // namespace

std::int16_t encodeElapsed(long seconds) { return encodeNodeTime(seconds, 0); }

std::int16_t encodeMeasuredElapsed(long seconds) { return encodeNodeTime(seconds, 30); }

// --- construction -----------------------------------------------------------------------------

RecordSequence::RecordSequence(SequenceList* list, RecordSequence* parent, int depth, int slot, int firstMove)
    : m_parent(parent), m_list(list), m_depth(depth), m_slot(slot), m_firstMove(firstMove), m_lastMove(firstMove - 1),
      m_savedLastMove(firstMove - 1) {
    // The main record gets its first block of nodes at once; branches are mostly short, and a few
    // nodes at once spare them the first steps of growing one node at a time.
    m_nodes.reserve(parent ? 16 : 128);
    if (m_list) m_list->add(this);
}

std::unique_ptr<RecordSequence> RecordSequence::createMain(SequenceList* list) {
    return std::unique_ptr<RecordSequence>(new RecordSequence(list, nullptr, 0, 0, 1));
}

RecordSequence::~RecordSequence() {
    if (!isValid()) return;
    prefetchChildren();
    m_children.clear();
    if (m_list) m_list->unlink(this);
    m_signature = kDestroyedSignature;
}

RecordSequence* RecordSequence::createChild(int depth, int firstMoveNumber, SequenceKind kind) {
    const int slot = nextFreeChildSlot();
    if (slot < 0) return nullptr;
    if (static_cast<int>(m_children.size()) <= slot) m_children.resize(static_cast<std::size_t>(slot) + 1);
    auto child = std::unique_ptr<RecordSequence>(new RecordSequence(m_list, this, depth, slot, firstMoveNumber));
    child->m_kind = kind;
    child->m_handicap = m_handicap;
    child->m_numberOffset = m_numberOffset;
    m_children[static_cast<std::size_t>(slot)] = std::move(child);
    m_highestSlot = std::max(m_highestSlot, slot);
    return m_children[static_cast<std::size_t>(slot)].get();
}

bool RecordSequence::destroyChild(int slot) {
    auto gone = releaseChild(slot);
    return gone != nullptr;
}

std::unique_ptr<RecordSequence> RecordSequence::releaseChild(int slot) {
    if (slot <= 0 || slot >= static_cast<int>(m_children.size()) || !m_children[static_cast<std::size_t>(slot)])
        return nullptr;
    auto out = std::move(m_children[static_cast<std::size_t>(slot)]);
    while (m_highestSlot > 0 && !child(m_highestSlot)) --m_highestSlot;
    m_children.resize(static_cast<std::size_t>(m_highestSlot) + 1);
    return out;
}

int RecordSequence::adoptChild(std::unique_ptr<RecordSequence> c) {
    const int slot = nextFreeChildSlot();
    if (slot < 0 || !c) return -1;
    if (static_cast<int>(m_children.size()) <= slot) m_children.resize(static_cast<std::size_t>(slot) + 1);
    c->m_slot = slot;
    c->reparent(m_depth + 1, this);
    m_children[static_cast<std::size_t>(slot)] = std::move(c);
    m_highestSlot = std::max(m_highestSlot, slot);
    return slot;
}

void RecordSequence::reparent(int depth, RecordSequence* parent) {
    m_depth = depth;
    m_parent = parent;
    for (int s = 1; s <= m_highestSlot; ++s)
        if (RecordSequence* c = child(s)) c->reparent(depth + 1, this);
}

RecordSequence* RecordSequence::child(int slot) {
    if (slot == 0) return this;
    if (slot < 0 || slot >= static_cast<int>(m_children.size())) return nullptr;
    RecordSequence* c = m_children[static_cast<std::size_t>(slot)].get();
    return c && c->isValid() ? c : nullptr;
}

const RecordSequence* RecordSequence::child(int slot) const { return const_cast<RecordSequence*>(this)->child(slot); }

void RecordSequence::prefetchChildren() const {
    for (const auto& c : m_children)
        if (c) __builtin_prefetch(c.get());
    for (const auto& c : m_children)
        if (c) __builtin_prefetch(c->m_nodes.data());
}

int RecordSequence::nextFreeChildSlot() const {
    for (int s = 1; s <= kMaxChildren; ++s)
        if (s >= static_cast<int>(m_children.size()) || !m_children[static_cast<std::size_t>(s)]) return s;
    return -1;
}

int RecordSequence::nextFreeBranchNumber() const {
    std::array<bool, 256> used{};
    for (const RecordNode& n : m_nodes)
        if (n.isLink()) used[n.branchNumber] = true;
    for (int b = 1; b <= 255; ++b)
        if (!used[static_cast<std::size_t>(b)]) return b;
    return -1;
}

void RecordSequence::copyInto(RecordSequence& target, SequenceList* list) const {
    target.m_id = m_id;
    target.m_branchNumber = m_branchNumber;
    target.m_handicap = m_handicap;
    target.m_leadingSetup = m_leadingSetup;
    target.m_keepFirstMove = m_keepFirstMove;
    target.m_numberOffset = m_numberOffset;
    target.m_kind = m_kind;
    target.m_answer = m_answer;
    target.m_nodes = m_nodes;
    target.m_comments = m_comments;
    target.m_lastMove = m_lastMove;
    target.m_savedLastMove = m_savedLastMove;
    target.m_labels = m_labels;
    target.m_children.resize(m_children.size());
    target.m_highestSlot = m_highestSlot;
    for (int s = 1; s <= m_highestSlot; ++s) {
        const RecordSequence* c = child(s);
        if (!c) continue;
        auto copy = std::unique_ptr<RecordSequence>(new RecordSequence(list, &target, c->m_depth, s, c->m_firstMove));
        c->copyInto(*copy, list);
        target.m_children[static_cast<std::size_t>(s)] = std::move(copy);
    }
}

std::unique_ptr<RecordSequence> RecordSequence::clone(SequenceList* list) const {
    auto copy = std::unique_ptr<RecordSequence>(new RecordSequence(list, nullptr, m_depth, m_slot, m_firstMove));
    copyInto(*copy, list);
    return copy;
}

// --- nodes ------------------------------------------------------------------------------------

void RecordSequence::reindexFrom(int index) {
    for (int i = std::max(0, index); i < nodeCount(); ++i)
        m_nodes[static_cast<std::size_t>(i)].index = static_cast<std::uint16_t>(i);
}

void RecordSequence::updateLastMoveNumber() {
    // Without a branch per node (moves, marks and links are mixed, so the processor would often guess
    // such a branch wrong); the compiler can then take several nodes at once.
    int last = m_firstMove - 1;
    for (const RecordNode& n : m_nodes) {
        const int keep = -static_cast<int>(n.isMoveOrPass()); // all ones for a move or pass
        last = std::max(last, (n.moveNumber & keep) | (INT_MIN & ~keep));
    }
    m_lastMove = last;
}

RecordNode* RecordSequence::appendNode(const RecordNode& n) {
    if (nodeCount() >= kMaxNodes) return nullptr;
    // The node is copied straight into its place and given its index there.
    const auto index = static_cast<std::uint16_t>(nodeCount());
    RecordNode& placed = m_nodes.emplace_back(n);
    placed.index = index;
    if (placed.isLabel()) {
        const int entry = registerLabel(placed);
        if (entry < 0) {
            m_nodes.pop_back();
            return nullptr;
        }
        placed.data2 = static_cast<std::uint8_t>('@' + entry);
    }
    if (placed.isMoveOrPass()) m_lastMove = std::max(m_lastMove, static_cast<int>(placed.moveNumber));
    ++m_changes;
    return &placed;
}

RecordNode* RecordSequence::insertNode(int moveNumber, const RecordNode& n, bool renumber) {
    if (nodeCount() >= kMaxNodes) return nullptr;
    if (n.isLabel() && labelCount() >= kMaxLabels) {
        bool replaces = false;
        for (const LabelEntry& e : m_labels) replaces |= e.x == n.x && e.y == n.y;
        if (!replaces) return nullptr;
    }
    int pos = nodeCount();
    if (moveNumber >= 1) {
        const int atNext = moveNumber + 1 <= m_lastMove ? findNodeIndex(moveNumber + 1) : -1;
        if (atNext >= 0) pos = atNext;
    } else {
        for (int i = 0; i < nodeCount(); ++i) {
            const RecordNode& k = node(i);
            if (k.moveNumber > 0 || k.isMark()) {
                pos = i;
                break;
            }
        }
    }
    bool shift = renumber;
    if (!shift && n.isMoveOrPass() && pos < nodeCount()) shift = true;
    // A black stone joining the handicap stones at move 1 (-1 stands for the last move).
    const int after = moveNumber == -1 ? m_lastMove : moveNumber;
    if (after == 1 && n.moveNumber == 1 && n.type == NodeType::BlackMove && findNodeIndex(1) >= 0) shift = false;

    m_nodes.insert(m_nodes.begin() + pos, n);
    m_changes += nodeCount() - 1 - pos;
    reindexFrom(pos);
    if (shift) shiftMoveNumbers(pos + 1, +1);
    RecordNode& placed = m_nodes[static_cast<std::size_t>(pos)];
    if (placed.isLabel()) {
        const int entry = registerLabel(placed);
        placed.data2 = static_cast<std::uint8_t>('@' + std::max(entry, 0));
    }
    // Only a move or pass, or renumbered moves, can change the last move number.
    if (shift || placed.isMoveOrPass()) updateLastMoveNumber();
    ++m_changes;
    return &m_nodes[static_cast<std::size_t>(pos)];
}

// Moves the numbers of the nodes from `fromIndex` on, with their texts, labels and the sequences
// hanging after them, so that a branch keeps following the move it was made for.
void RecordSequence::shiftMoveNumbers(int fromIndex, int delta) {
    for (int i = fromIndex; i < nodeCount(); ++i) {
        RecordNode& k = m_nodes[static_cast<std::size_t>(i)];
        k.moveNumber = static_cast<std::int16_t>(k.moveNumber + delta);
        if (k.comment >= 0 && !k.isLabel()) m_comments.setMoveNumber(k.comment, k.moveNumber);
        if (k.isLabel()) {
            const int entry = k.data2 - '@';
            if (entry >= 0 && entry < labelCount())
                m_labels[static_cast<std::size_t>(entry)].moveNumber = static_cast<std::uint16_t>(k.moveNumber);
        }
        if (k.isLink())
            if (RecordSequence* c = child(k.childSlot)) c->renumberSubtree(delta);
    }
}

void RecordSequence::renumberSubtree(int delta) {
    m_firstMove += delta;
    shiftMoveNumbers(0, delta);
    m_lastMove += delta;
    m_savedLastMove += delta;
}

bool RecordSequence::removeNode(int index) {
    if (index < 0 || index >= nodeCount()) return false;
    const RecordNode gone = node(index);
    if (gone.isLink()) destroyChild(gone.childSlot);
    // A label's entry goes with its last node: two label nodes of one point share an entry.
    bool shared = false;
    if (gone.isLabel())
        for (const RecordNode& k : m_nodes) shared |= &k != &node(index) && k.isLabel() && k.data2 == gone.data2;
    if (gone.isLabel() && !shared) {
        const int entry = gone.data2 - '@';
        if (entry >= 0 && entry < labelCount()) {
            m_labels.erase(m_labels.begin() + entry);
            for (RecordNode& k : m_nodes)
                if (k.isLabel() && k.data2 - '@' > entry) --k.data2;
        }
    }
    m_nodes.erase(m_nodes.begin() + index);
    m_changes += nodeCount() - index + 1;
    reindexFrom(index);
    const bool handicapStone = gone.type == NodeType::BlackMove && gone.moveNumber == 1 && m_handicap > 1;
    if (handicapStone) {
        --m_handicap;
    } else if (gone.isMoveOrPass()) {
        shiftMoveNumbers(index, -1);
    }
    if (gone.isSetup() && gone.moveNumber == 0 && m_leadingSetup > 0) --m_leadingSetup;
    updateLastMoveNumber();
    return true;
}

void RecordSequence::truncate() {
    int last = -1;
    for (int i = nodeCount() - 1; i >= 0; --i)
        if (node(i).isMoveOrPass()) {
            last = i;
            break;
        }
    if (last < 0) return;
    for (int i = nodeCount() - 1; i >= last; --i) {
        const RecordNode& k = node(i);
        if (k.isLink()) destroyChild(k.childSlot);
        if (k.isLabel()) {
            const int entry = k.data2 - '@';
            if (entry >= 0 && entry < labelCount()) m_labels.erase(m_labels.begin() + entry);
        }
    }
    m_changes += nodeCount() - last;
    m_nodes.resize(static_cast<std::size_t>(last));
    if (m_handicap > 1) {
        int stones = 0;
        for (const RecordNode& k : m_nodes) stones += k.type == NodeType::BlackMove && k.moveNumber == 1;
        m_handicap = std::min(m_handicap, stones);
    }
    updateLastMoveNumber();
}

void RecordSequence::clear() {
    std::vector<RecordNode> kept;
    int keep = std::min(m_leadingSetup, nodeCount());
    for (int i = 0; i < keep; ++i) {
        RecordNode k = node(i);
        k.comment = -1;
        kept.push_back(k);
    }
    if (m_keepFirstMove) {
        for (int i = keep; i < nodeCount(); ++i)
            if (node(i).isMoveOrPass()) {
                RecordNode k = node(i);
                k.comment = -1;
                k.index = static_cast<std::uint16_t>(kept.size());
                kept.push_back(k);
                break;
            }
    }
    m_children.clear();
    m_highestSlot = 0;
    m_comments.clear();
    m_labels.clear();
    m_nodes = std::move(kept);
    m_nodes.reserve(128);
    m_handicap = 0;
    m_numberOffset = 0;
    m_cursor = 0;
    ++m_changes;
    m_lastMove = m_keepFirstMove ? 1 : m_firstMove - 1;
    m_savedLastMove = m_lastMove;
}

int RecordSequence::findNodeIndex(int moveNumber) const {
    if (moveNumber == -1) moveNumber = m_lastMove;
    if (moveNumber > m_lastMove || (moveNumber == 0 && m_leadingSetup == 0)) return -1;
    if (m_nodes.empty()) return -1;
    if (moveNumber == m_lastMove) {
        // The last move's nodes end the sequence: back from the end to the first of them (past the
        // marks, stones and links of the moves before, which the walk from the front would pass).
        int i = nodeCount() - 1;
        while (i > 0 && node(i - 1).moveNumber >= moveNumber) --i;
        if (node(i).moveNumber != moveNumber) return -1;
        m_cursor = i;
        return i;
    }
    const int diff = moveNumber - m_firstMove;
    int start = std::max(0, diff - (diff > 0 ? 1 : 0) - m_highestSlot);
    start = std::min(start, nodeCount() - 1);
    // Move numbers never decrease along a sequence: back up to the first node of number >= n.
    while (start > 0 && node(start - 1).moveNumber >= moveNumber) --start;
    for (int i = start; i < nodeCount(); ++i) {
        const int number = node(i).moveNumber;
        if (number == moveNumber) {
            m_cursor = i;
            return i;
        }
        if (number > moveNumber) break;
    }
    return -1;
}

RecordNode* RecordSequence::findNode(int moveNumber) {
    const int i = findNodeIndex(moveNumber);
    return i < 0 ? nullptr : &m_nodes[static_cast<std::size_t>(i)];
}

const RecordNode* RecordSequence::findNode(int moveNumber) const {
    const int i = findNodeIndex(moveNumber);
    return i < 0 ? nullptr : &m_nodes[static_cast<std::size_t>(i)];
}

int RecordSequence::findNodeAt(int x, int y) const {
    for (int i = nodeCount() - 1; i >= 0; --i) {
        const RecordNode& k = node(i);
        if ((k.isMove() || k.isSetup()) && k.x == x && k.y == y) return i;
    }
    return -1;
}

int RecordSequence::findLastMove(int moveNumber, Colour colour) const {
    if (moveNumber < 0) moveNumber = m_lastMove;
    for (int i = nodeCount() - 1; i >= 0; --i) {
        const RecordNode& k = node(i);
        if (!k.isMove() || k.moveNumber > moveNumber) continue;
        if (colour == kEmpty || k.stoneColour() == colour) return i;
    }
    return -1;
}

int RecordSequence::findLink(int slot) const {
    for (int i = 0; i < nodeCount(); ++i)
        if (node(i).isLink() && node(i).childSlot == slot) return i;
    return -1;
}

int RecordSequence::findLink(const RecordSequence* c) const {
    if (!c || c->m_parent != this) return -1;
    return findLink(c->m_slot);
}

void RecordSequence::forEachSetupStone(int moveNumber, const std::function<void(const RecordNode&)>& f) const {
    int i = findNodeIndex(moveNumber);
    if (i < 0) return;
    for (; i < nodeCount() && node(i).moveNumber == moveNumber; ++i)
        if (node(i).isSetup()) f(node(i));
}

void RecordSequence::forEachMark(int moveNumber, const std::function<void(const RecordNode&)>& f) const {
    int i = findNodeIndex(moveNumber);
    if (i < 0) return;
    for (; i < nodeCount() && node(i).moveNumber == moveNumber; ++i)
        if (node(i).isMark() && !node(i).isLabel()) f(node(i));
}

// --- texts and labels -------------------------------------------------------------------------

bool RecordSequence::setComment(int nodeIndex, std::u16string_view text, Backslashes rule) {
    if (nodeIndex < 0 || nodeIndex >= nodeCount()) return false;
    RecordNode& k = m_nodes[static_cast<std::size_t>(nodeIndex)];
    if (text.empty()) {
        k.comment = -1;
        return true;
    }
    const int index = m_comments.add(text, k.moveNumber, rule);
    if (index < 0) return false;
    k.comment = static_cast<std::int16_t>(index);
    return true;
}

int RecordSequence::registerLabel(const RecordNode& labelNode) {
    LabelEntry entry;
    entry.x = labelNode.x;
    entry.y = labelNode.y;
    entry.small = labelNode.data1 == kMarkSmallLabel ? 1 : 0;
    entry.textIndex = static_cast<std::uint16_t>(std::max<int>(labelNode.comment, 0));
    entry.moveNumber = static_cast<std::uint16_t>(labelNode.moveNumber);
    for (std::size_t i = 0; i < m_labels.size(); ++i)
        if (m_labels[i].x == entry.x && m_labels[i].y == entry.y) {
            m_labels[i] = entry;
            return static_cast<int>(i);
        }
    if (labelCount() >= kMaxLabels) return -1;
    m_labels.push_back(entry);
    return labelCount() - 1;
}

// --- tree passes ------------------------------------------------------------------------------

void setLinkAnswer(RecordNode& link, RecordSequence& child, std::int16_t firstComment) {
    // A link keeps the index of its child's first comment (it refers to the child's store).
    link.comment = firstComment;
    const AnswerKind kind = answerKindOfText(child.comments().text(firstComment));
    link.data1 = kind;
    child.setAnswerKind(kind);
}

namespace {

void collectChildren(RecordSequence* s, std::vector<RecordSequence*>& out) {
    s->prefetchChildren();
    for (int slot = 1; slot <= s->highestChildSlot(); ++slot)
        if (RecordSequence* c = s->child(slot)) {
            out.push_back(c);
            collectChildren(c, out);
        }
}

// The answer kind of `c` from the tag of its first comment, given to the link `link` that leads to it.
void readAnswerTag(RecordNode& link, RecordSequence& c) {
    if (c.nodeCount() > 0) {
        setLinkAnswer(link, c, c.node(0).comment);
        return;
    }
    link.data1 = kNoAnswer;
    c.setAnswerKind(kNoAnswer);
}

void numberSequence(RecordSequence* s, bool answerTags) {
    s->prefetchChildren();
    s->numberLinks(answerTags);
    for (int slot = 1; slot <= s->highestChildSlot(); ++slot)
        if (RecordSequence* c = s->child(slot)) numberSequence(c, answerTags);
}

} // namespace

void RecordSequence::numberLinks(bool answerTags) {
    // One pass: a move's bits are cleared when it is met, before the links after it set them.
    int lastMove = -1;
    for (int i = 0; i < nodeCount(); ++i) {
        RecordNode& k = node(i);
        if (k.isMove()) k.flags &= static_cast<std::uint8_t>(~3u);
        if (k.isMoveOrPass()) lastMove = i;
        if (!k.isLink()) continue;
        if (lastMove >= 0) node(lastMove).flags |= static_cast<std::uint8_t>(k.flags & 3);
        if (k.branchNumber == 0) {
            const int b = nextFreeBranchNumber();
            if (b > 0) k.branchNumber = static_cast<std::uint8_t>(b);
        }
        if (RecordSequence* c = child(k.childSlot)) {
            c->setBranchNumber(k.branchNumber);
            if (answerTags) readAnswerTag(k, *c);
        }
    }
}

void RecordSequence::numberTree() { numberTree(false); }

void RecordSequence::numberTreeAndReadAnswerTags() { numberTree(true); }

void RecordSequence::numberTree(bool answerTags) {
    std::vector<RecordSequence*> all;
    collectChildren(this, all);
    if (std::all_of(all.begin(), all.end(), [](const RecordSequence* c) { return c->id() == 0; })) {
        // None has an id yet (a record just read): they are numbered in turn, without a table of
        // the ids in use.
        std::uint32_t next = 1;
        for (RecordSequence* c : all) c->setId(next < 65536 ? next++ : 0);
        numberSequence(this, answerTags);
        return;
    }
    std::vector<bool> used(65536, false);
    std::vector<RecordSequence*> fresh;
    for (RecordSequence* c : all) {
        if (c->id() != 0 && c->id() < 65536 && !used[c->id()]) {
            used[c->id()] = true;
        } else {
            c->setId(0);
            fresh.push_back(c);
        }
    }
    std::uint32_t next = 1;
    for (RecordSequence* c : fresh) {
        while (next < 65536 && used[next]) ++next;
        if (next >= 65536) break;
        used[next] = true;
        c->setId(next);
    }
    numberSequence(this, answerTags);
}

void RecordSequence::readAnswerTags() {
    for (int i = 0; i < nodeCount(); ++i) {
        RecordNode& link = m_nodes[static_cast<std::size_t>(i)];
        if (!link.isLink()) continue;
        RecordSequence* c = child(link.childSlot);
        if (!c) continue;
        readAnswerTag(link, *c);
        c->readAnswerTags();
    }
}

RecordSequence::ElapsedTotals RecordSequence::elapsedTotals() const {
    ElapsedTotals t;
    for (const RecordNode& k : m_nodes) {
        if (!k.isMoveOrPass() || k.moveNumber < m_firstMove || k.moveNumber > m_lastMove) continue;
        (k.moveNumber & 1 ? t.black : t.white) += k.elapsedSeconds();
    }
    return t;
}

// --- merging a new branch ---------------------------------------------------------------------

namespace {

constexpr int kMaxMergeCandidates = 64;

bool isPlayedNode(const RecordNode& k) { return k.isMoveOrPass() || k.isSetup(); }

bool sameNode(const RecordNode& a, const RecordNode& b) {
    return a.type == b.type && a.moveNumber == b.moveNumber && a.x == b.x && a.y == b.y;
}

enum class MergeOutcome { Diverges = 0, Extends = 1, Contained = 2 };

struct MergeMatch {
    MergeOutcome outcome = MergeOutcome::Diverges;
    int matched = 0;                 // played nodes of the new branch matched
    RecordSequence* where = nullptr; // the sequence in which the match ended
    int rest = 0;                    // index in the new branch's played nodes where its rest begins
};

bool better(const MergeMatch& a, const MergeMatch& b) {
    if (a.outcome != b.outcome) return a.outcome > b.outcome;
    return a.matched > b.matched;
}

// Compares the played nodes `played[k..]` of a new branch with sequence `s` from its start,
// following the sequences that hang off `s` on the way.
MergeMatch compareWith(const std::vector<const RecordNode*>& played, int k, RecordSequence* s, int guard) {
    MergeMatch best;
    best.where = s;
    best.matched = k;
    best.rest = k;
    if (guard > 256) return best;
    int candidates = 0;
    int i = 0;
    for (; i < s->nodeCount(); ++i) {
        const RecordNode& node = s->node(i);
        if (node.isLink()) {
            RecordSequence* c = s->child(node.childSlot);
            if (c && candidates++ < kMaxMergeCandidates && k < static_cast<int>(played.size())) {
                const MergeMatch sub = compareWith(played, k, c, guard + 1);
                if (sub.matched > k && better(sub, best)) best = sub;
            }
            continue;
        }
        if (!isPlayedNode(node)) continue;
        if (k >= static_cast<int>(played.size())) break; // the sequence goes on beyond the new branch
        if (!sameNode(*played[static_cast<std::size_t>(k)], node)) {
            MergeMatch linear{MergeOutcome::Diverges, k, s, k};
            if (better(linear, best)) best = linear;
            return best;
        }
        ++k;
    }
    MergeMatch linear;
    linear.where = s;
    linear.matched = k;
    linear.rest = k;
    if (k >= static_cast<int>(played.size())) linear.outcome = MergeOutcome::Contained;
    else linear.outcome = k > 0 ? MergeOutcome::Extends : MergeOutcome::Diverges;
    if (better(linear, best)) best = linear;
    return best;
}

RecordNode* linkTo(RecordSequence* s) {
    RecordSequence* parent = s ? s->parent() : nullptr;
    if (!parent) return nullptr;
    const int i = parent->findLink(s);
    return i < 0 ? nullptr : &parent->node(i);
}

} // namespace

RecordNode* RecordSequence::mergeBranch(RecordSequence* newBranch) {
    if (!newBranch || newBranch->parent() != this || !newBranch->isValid()) return nullptr;
    const int first = newBranch->firstMoveNumber();
    std::vector<const RecordNode*> played;
    for (const RecordNode& k : newBranch->nodes())
        if (isPlayedNode(k)) played.push_back(&k);

    MergeMatch best;
    int candidates = 0;
    for (const RecordNode& k : m_nodes) {
        if (!k.isLink() || (k.moveNumber != first - 1 && k.moveNumber != first)) continue;
        RecordSequence* sibling = child(k.childSlot);
        if (!sibling || sibling == newBranch) continue;
        if (candidates++ >= kMaxMergeCandidates) break;
        const MergeMatch m = compareWith(played, 0, sibling, 0);
        if (!best.where || better(m, best)) best = m;
    }
    if (!best.where || best.outcome == MergeOutcome::Diverges) return linkTo(newBranch);

    if (best.outcome == MergeOutcome::Extends) {
        // Append the rest of the new branch, with its texts, to the sequence it extends.
        RecordSequence* target = best.where;
        int playedSeen = 0;
        for (const RecordNode& k : newBranch->nodes()) {
            if (isPlayedNode(k)) ++playedSeen;
            if (playedSeen <= best.rest || k.isLink()) continue;
            RecordNode copy = k;
            copy.comment = -1;
            copy.listItem = 0;
            if (k.comment >= 0) {
                const int text = target->comments().add(newBranch->commentOf(k), k.moveNumber, Backslashes::Keep);
                copy.comment = static_cast<std::int16_t>(text);
            }
            if (!target->appendNode(copy)) break;
        }
    }
    const int link = findLink(newBranch);
    if (link >= 0) removeNode(link);
    else destroyChild(newBranch->slot());
    return linkTo(best.where);
}

// --- the list of every sequence ---------------------------------------------------------------

void SequenceList::add(RecordSequence* s) {
    s->m_list = this;
    s->m_next = nullptr;
    s->m_prev = m_last;
    if (m_last) m_last->m_next = s;
    else m_first = s;
    m_last = s;
}

void SequenceList::unlink(RecordSequence* s) {
    if (s->m_prev) s->m_prev->m_next = s->m_next == s ? nullptr : s->m_next;
    else if (m_first == s) m_first = s->m_next == s ? nullptr : s->m_next;
    if (s->m_next && s->m_next != s) s->m_next->m_prev = s->m_prev;
    else if (m_last == s) m_last = s->m_prev;
    s->m_next = s->m_prev = nullptr;
    s->m_list = nullptr;
}

void SequenceList::remove(RecordSequence* s) {
    unlink(s);
    checkLoops();
}

int SequenceList::checkLoops() {
    int cut = 0;
    for (RecordSequence* s = m_first; s; s = s->m_next) {
        if (!s->isValid()) break;
        if (s->m_next != s) continue;
        if (m_onLoop) m_onLoop();
        ++cut;
        // The back links are whole: the sequence whose previous one is `s` is its true successor,
        // so the chain is mended rather than losing the sequences after the loop.
        RecordSequence* successor = nullptr;
        for (RecordSequence* t = m_last; t && t != s; t = t->m_prev) successor = t;
        if (successor && successor->m_prev == s) {
            s->m_next = successor;
        } else {
            s->m_next = nullptr;
            m_last = s;
            break;
        }
    }
    return cut;
}

int SequenceList::size() const {
    int n = 0;
    for (RecordSequence* s = m_first; s && s->isValid() && n < 1 << 20; s = s->m_next == s ? nullptr : s->m_next) ++n;
    return n;
}

} // namespace stonewise
