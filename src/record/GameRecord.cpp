#include "record/GameRecord.h"

#include <vector>

namespace stonewise {

namespace {
void registerTree(RecordSequence* s, SequenceList& list) {
    list.add(s);
    for (int slot = 1; slot <= s->highestChildSlot(); ++slot)
        if (RecordSequence* c = s->child(slot)) registerTree(c, list);
}
} // namespace

GameRecord::GameRecord() { reset(); }

GameRecord::~GameRecord() { m_main.reset(); }

void GameRecord::reset() {
    m_main.reset();
    m_main = RecordSequence::createMain(&m_list);
    m_path.clear();
    m_current = m_main.get();
    m_branchesAfter = false;
    m_list.checkLoops();
}

void GameRecord::adopt(std::unique_ptr<RecordSequence> main) {
    if (!main) {
        reset();
        return;
    }
    m_main.reset();
    // A record built elsewhere carries no list; a record of another window is taken out of it.
    std::vector<RecordSequence*> stack{main.get()};
    while (!stack.empty()) {
        RecordSequence* s = stack.back();
        stack.pop_back();
        if (s->list()) s->list()->unlink(s);
        for (int slot = 1; slot <= s->highestChildSlot(); ++slot)
            if (RecordSequence* c = s->child(slot)) stack.push_back(c);
    }
    m_main = std::move(main);
    m_main->reparent(0, nullptr);
    registerTree(m_main.get(), m_list);
    m_path.clear();
    m_current = m_main.get();
    m_branchesAfter = false;
}

RecordSequence* GameRecord::pathSequence(int level) const {
    if (level <= 0 || level > m_path.depth()) return m_main.get();
    return m_path.entry(level).sequence;
}

bool GameRecord::enterSequence(RecordSequence* s, const std::function<void()>& beforeChange) {
    if (!s) return false;
    std::vector<RecordSequence*> chain;
    for (RecordSequence* p = s; p && p->parent(); p = p->parent()) {
        chain.push_back(p);
        if (chain.size() > SequencePath::kMaxDepth) return false;
    }
    // The chain must end at this record's main sequence.
    RecordSequence* root = chain.empty() ? s : chain.back()->parent();
    if (root != m_main.get()) return false;
    SequencePath next;
    for (auto it = chain.rbegin(); it != chain.rend(); ++it) next.push(*it, (*it)->firstMoveNumber());
    if (!(next == m_path) && beforeChange) beforeChange();
    m_path = next;
    return true;
}

RecordSequence* GameRecord::sequenceForMove(int moveNumber) const {
    for (int level = m_path.depth(); level >= 1; --level) {
        RecordSequence* s = m_path.entry(level).sequence;
        if (s->firstMoveNumber() <= moveNumber) return s;
    }
    return m_main.get();
}

const RecordNode* GameRecord::nodeAtMove(int moveNumber) {
    if (moveNumber == -1) moveNumber = pathLastMove();
    RecordSequence* s = sequenceForMove(moveNumber);
    m_current = s;
    const int i = s->findNodeIndex(moveNumber);
    m_branchesAfter = false;
    if (i < 0) return nullptr;
    const RecordNode& n = s->node(i);
    m_branchesAfter = (n.flags & 3) != 0;
    return &n;
}

const RecordNode* GameRecord::lastMoveAtOrBefore(int moveNumber) {
    if (moveNumber == -1) moveNumber = pathLastMove();
    for (int n = moveNumber; n >= 0; --n) {
        RecordSequence* s = sequenceForMove(n);
        const int i = s->findNodeIndex(n);
        if (i >= 0 && s->node(i).isMove()) {
            m_current = s;
            return &s->node(i);
        }
    }
    return nullptr;
}

} // namespace stonewise
