#include "formats/ContinuationMerge.h"

#include <memory>

#include "record/RecordSequence.h"

namespace stonewise {

namespace {

int childCount(const RecordSequence& s) {
    int n = 0;
    for (int slot = 1; slot <= s.highestChildSlot(); ++slot) n += s.child(slot) != nullptr;
    return n;
}

bool fits(const RecordSequence& line, const RecordSequence& c) {
    int texts = 0, links = 0;
    for (const RecordNode& k : c.nodes()) {
        texts += k.comment >= 0;
        links += k.isLink();
    }
    return line.nodeCount() - 1 + c.nodeCount() <= RecordSequence::kMaxNodes &&
           line.comments().count() + texts <= CommentStore::kMaxTexts &&
           line.labelCount() + c.labelCount() <= RecordSequence::kMaxLabels &&
           childCount(line) - 1 + links <= RecordSequence::kMaxChildren;
}

bool join(RecordSequence& line, int linkIndex) {
    const int slot = line.node(linkIndex).childSlot;
    RecordSequence* c = line.child(slot);
    if (!c || !fits(line, *c)) return false;
    std::unique_ptr<RecordSequence> owned = line.releaseChild(slot);
    line.removeNode(linkIndex);
    for (int i = 0; i < owned->nodeCount(); ++i) {
        RecordNode k = owned->node(i);
        k.listItem = 0;
        if (k.isLink()) {
            std::unique_ptr<RecordSequence> grandchild = owned->releaseChild(k.childSlot);
            if (!grandchild) continue;
            const int branch = line.nextFreeBranchNumber();
            RecordSequence* g = grandchild.get();
            const int newSlot = line.adoptChild(std::move(grandchild));
            if (newSlot < 0) continue;
            k.childSlot = static_cast<std::uint8_t>(newSlot);
            k.branchNumber = static_cast<std::uint8_t>(branch > 0 ? branch : 0);
            g->setBranchNumber(k.branchNumber);
            k.comment = -1;
        } else if (k.comment >= 0) {
            const int text = line.comments().add(owned->commentOf(k), k.moveNumber, Backslashes::Keep);
            k.comment = static_cast<std::int16_t>(text);
        }
        if (!line.appendNode(k)) break;
    }
    line.updateLastMoveNumber();
    return true;
}

} // namespace

int joinContinuations(RecordSequence& s) {
    int joined = 0;
    for (bool again = true; again;) {
        again = false;
        const int last = s.lastMoveNumber();
        for (int i = 0; i < s.nodeCount(); ++i) {
            const RecordNode& k = s.node(i);
            if (!k.isLink() || k.linkKind() != kBranch || k.moveNumber != last) continue;
            const RecordSequence* c = s.child(k.childSlot);
            if (!c || c->kind() != kBranch || c->firstMoveNumber() != last + 1) continue;
            if (join(s, i)) {
                ++joined;
                again = true;
                break;
            }
        }
    }
    for (int slot = 1; slot <= s.highestChildSlot(); ++slot)
        if (RecordSequence* c = s.child(slot)) joined += joinContinuations(*c);
    return joined;
}

} // namespace stonewise
