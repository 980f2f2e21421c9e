#include "store/GameFile.h"

#include <cstdio>
#include <string_view>
#include <vector>

#include "record/CommentStore.h"
#include "store/GameListEntry.h"

namespace stonewise {

namespace {

constexpr std::uint32_t kGameFileThirdWord = 0x000D0003;
constexpr std::uint16_t kNoEntry = 0xFFFF;
constexpr std::size_t kCommentBuffer = CommentStore::kBlockSize; // a whole text block
constexpr int kMaxDepth = 256;
constexpr std::uint8_t kCompactCommentBit = 64;

// --- writing ----------------------------------------------------------------------------------

void writeSequenceHeader(TaggedRecordWriter& w, const RecordSequence& s) {
    w.fieldHead(kFieldBlock, 0, 24);
    const int parentSlot = s.parent() ? s.parent()->slot() : -1;
    const int values[10] = {
        s.slot(),   s.handicapCount(), s.firstMoveNumber(),  s.lastMoveNumber(), s.depth(),
        parentSlot, s.nodeCount(),     s.highestChildSlot(), s.kind(),           static_cast<int>(s.id())};
    for (int v : values) w.u16(static_cast<std::uint16_t>(v));
    w.u32(0);
}

bool hasStoredComment(const RecordSequence& s, const RecordNode& n) {
    return !n.isLink() && n.comment >= 0 && s.comments().entry(n.comment) != nullptr;
}

void writeOrdinaryNode(TaggedRecordWriter& w, const RecordSequence& s, const RecordNode& n) {
    const bool comment = hasStoredComment(s, n);
    w.element(kMarkElement, 0, comment ? 7 : 6);
    w.fieldHead(kFieldBytes, 1, 2);
    w.u8(static_cast<std::uint8_t>(n.type));
    w.u8(n.childSlot);
    w.fieldU16(2, {static_cast<std::uint16_t>(n.moveNumber)});
    w.fieldHead(kFieldBytes, 3, 2);
    w.u8(n.x);
    w.u8(n.y);
    if (comment) w.fieldText(5, s.commentOf(n), kCommentBuffer);
    w.fieldU16(6, {static_cast<std::uint16_t>(n.elapsed)});
    w.fieldHead(kFieldBytes, 7, 2);
    w.u8(n.data1);
    w.u8(n.data2);
    w.fieldHead(kFieldBytes, 8, 2);
    w.u8(n.branchNumber);
    w.u8(n.flags);
}

// The compact form holds a move-number step of 0..3 (the step × 16 must stay below the comment
// bit) and the low four flag bits.
bool fitsCompact(const RecordNode& n, int previousMove) {
    const int step = n.moveNumber - previousMove;
    return step >= 0 && step <= 3 && (n.flags & ~15) == 0;
}

void writeCompactNode(TaggedRecordWriter& w, const RecordSequence& s, const RecordNode& n, int previousMove) {
    const bool comment = hasStoredComment(s, n);
    const int step = n.moveNumber - previousMove;
    w.fieldHead(kFieldBlock, 0, 8);
    w.u8(static_cast<std::uint8_t>(n.type));
    w.u8(n.childSlot);
    w.u8(n.x);
    w.u8(n.y);
    w.u8(n.data1);
    w.u8(n.data2);
    w.u8(n.branchNumber);
    w.u8(static_cast<std::uint8_t>(step * 16 + (n.flags & 15) + (comment ? kCompactCommentBit : 0)));
    if (comment) w.fieldText(0, s.commentOf(n), kCommentBuffer);
}

void writeSequence(TaggedRecordWriter& w, const RecordSequence& s, NodeForm form) {
    w.element(kMarkSequence, static_cast<std::uint8_t>(s.depth()), -1);
    writeSequenceHeader(w, s);
    int previousMove = s.firstMoveNumber();
    for (const RecordNode& n : s.nodes()) {
        if (form == NodeForm::Compact && fitsCompact(n, previousMove)) writeCompactNode(w, s, n, previousMove);
        else writeOrdinaryNode(w, s, n);
        previousMove = n.moveNumber;
    }
    w.u32(kMarkSequenceEnd);
    for (int slot = 1; slot <= s.highestChildSlot(); ++slot) {
        if (const RecordSequence* c = s.child(slot)) writeSequence(w, *c, form);
        else w.element(kMarkSequence, 255, 0);
    }
}

// --- reading ----------------------------------------------------------------------------------

struct SequenceHeader {
    int handicap = 0;
    int firstMove = 1;
    int highestChild = 0;
    int kind = 0;
    int id = 0;
};

bool readSequenceHeader(TaggedRecordReader& r, SequenceHeader& h) {
    TaggedField f;
    if (!r.readField(f) || f.type() != kFieldBlock || f.id() != 0 || f.value.size() < 20) return false;
    h.handicap = f.i16(2);
    h.firstMove = f.i16(4);
    h.highestChild = f.i16(14);
    h.kind = f.i16(16);
    h.id = f.u16(18);
    return h.highestChild >= 0 && h.highestChild <= RecordSequence::kMaxChildren;
}

bool appendWithComment(RecordSequence& s, RecordNode n, const std::optional<std::u16string>& comment) {
    n.comment = -1;
    n.listItem = 0;
    if (comment && !n.isLink()) {
        const int index = s.comments().add(*comment, n.moveNumber, Backslashes::Keep);
        if (index < 0) return false;
        n.comment = static_cast<std::int16_t>(index);
    }
    return s.appendNode(n) != nullptr;
}

bool readOrdinaryNode(TaggedRecordReader& r, int fieldCount, RecordSequence& s, RecordNode& n) {
    std::optional<std::u16string> comment;
    for (int i = 0; i < fieldCount; ++i) {
        TaggedField f;
        if (!r.readField(f)) return false;
        switch (f.id()) {
        case 1:
            n.type = static_cast<NodeType>(f.u8(0));
            n.childSlot = f.u8(1);
            break;
        case 2: n.moveNumber = f.i16(); break;
        case 3:
            n.x = f.u8(0);
            n.y = f.u8(1);
            break;
        case 5: comment = f.text(kCommentBuffer); break;
        case 6: n.elapsed = f.i16(); break;
        case 7:
            n.data1 = f.u8(0);
            n.data2 = f.u8(1);
            break;
        case 8:
            n.branchNumber = f.u8(0);
            n.flags = f.u8(1);
            break;
        default: break;
        }
    }
    return appendWithComment(s, n, comment);
}

bool readCompactNode(TaggedRecordReader& r, const TaggedHead& head, int previousMove, RecordSequence& s,
                     RecordNode& n) {
    TaggedField f;
    if (head.length() != 8 || !r.readValue(head, f)) return false;
    n.type = static_cast<NodeType>(f.u8(0));
    n.childSlot = f.u8(1);
    n.x = f.u8(2);
    n.y = f.u8(3);
    n.data1 = f.u8(4);
    n.data2 = f.u8(5);
    n.branchNumber = f.u8(6);
    const std::uint8_t last = f.u8(7);
    n.flags = last & 15;
    n.moveNumber = static_cast<std::int16_t>(previousMove + ((last >> 4) & 3));
    n.elapsed = 0;
    std::optional<std::u16string> comment;
    if (last & kCompactCommentBit) {
        TaggedField text;
        if (!r.readField(text) || text.type() != kFieldText || text.id() != 0) return false;
        comment = text.text(kCommentBuffer);
    }
    return appendWithComment(s, n, comment);
}

// The nodes of a sequence up to its end mark.
bool readNodes(TaggedRecordReader& r, RecordSequence& s) {
    int previousMove = s.firstMoveNumber();
    for (;;) {
        TaggedHead head;
        if (!r.readHead(head)) return false;
        RecordNode n;
        if (head.mark() == kMarkSequenceEnd) return true;
        if (head.mark() == kMarkElement) {
            if (head.count() < 0 || !readOrdinaryNode(r, head.count(), s, n)) return false;
        } else if (head.type() == kFieldBlock && head.id() == 0) {
            if (!readCompactNode(r, head, previousMove, s, n)) return false;
        } else {
            return false;
        }
        previousMove = n.moveNumber;
    }
}

void applyHeader(RecordSequence& s, const SequenceHeader& h) {
    s.setHandicapCount(h.handicap);
    s.setNumberOffset(h.handicap >= 2 ? -1 : 0);
    s.setKind(static_cast<SequenceKind>(h.kind & 0xFF));
    s.setId(static_cast<std::uint32_t>(h.id));
}

void finishSequence(RecordSequence& s) {
    s.updateLastMoveNumber();
    s.setSavedLastMoveNumber(s.lastMoveNumber());
}

bool readChildren(TaggedRecordReader& r, RecordSequence& s, int highestChild);

// A stored sequence whose element head has been read: header, nodes, end, then its children.
bool readSequenceBody(TaggedRecordReader& r, RecordSequence& s, const SequenceHeader& h) {
    applyHeader(s, h);
    if (!readNodes(r, s)) return false;
    finishSequence(s);
    return readChildren(r, s, h.highestChild);
}

bool readChildren(TaggedRecordReader& r, RecordSequence& s, int highestChild) {
    if (highestChild > 0 && s.depth() >= kMaxDepth) return false;
    std::vector<int> freeSlots;
    for (int slot = 1; slot <= highestChild; ++slot) {
        TaggedHead head;
        if (!r.readHead(head) || head.mark() != kMarkSequence) return false;
        SequenceHeader h;
        const bool empty = head.count() == 0;
        if (!empty && !readSequenceHeader(r, h)) return false;
        RecordSequence* c = s.createChild(s.depth() + 1, h.firstMove, static_cast<SequenceKind>(h.kind & 0xFF));
        if (!c || c->slot() != slot) return false;
        if (empty) {
            freeSlots.push_back(slot); // held until the later slots are filled
            continue;
        }
        if (!readSequenceBody(r, *c, h)) return false;
    }
    for (int slot : freeSlots) s.destroyChild(slot);
    return true;
}

// Links whose child is missing get slot 255 and no comment; a main record's leading setup stones
// are counted.
void repairLinks(RecordSequence& s) {
    for (int i = 0; i < s.nodeCount(); ++i) {
        RecordNode& n = s.node(i);
        if (!n.isLink()) continue;
        if (!s.child(n.childSlot) || n.childSlot == 0) {
            n.childSlot = 255;
            n.comment = -1;
        }
    }
    for (int slot = 1; slot <= s.highestChildSlot(); ++slot)
        if (RecordSequence* c = s.child(slot)) repairLinks(*c);
}

} // namespace

std::string gameFileName(int number) {
    char name[40];
    std::snprintf(name, sizeof name, "Game%05d.dat", number);
    return name;
}

std::vector<std::uint8_t> encodeGameFile(const RecordSequence& main, const GameInfo* entry, NodeForm form) {
    TaggedRecordWriter w;
    w.header(kGameFileThirdWord, entry ? 0 : kNoEntry, static_cast<std::uint16_t>(main.highestChildSlot()));
    if (entry) writeGameListEntry(w, *entry, 255, true);
    writeSequence(w, main, form);
    w.end();
    return w.take();
}

GameFileRead decodeGameFile(std::span<const std::uint8_t> bytes) {
    GameFileRead out;
    TaggedRecordReader r(bytes);
    TaggedHeader header;
    out.status = StoreReadStatus::Damaged;
    if (!r.readHeader(header)) return out;
    if (!header.versionOk()) {
        out.status = StoreReadStatus::BadVersion;
        return out;
    }
    TaggedHead head;
    if (header.recordSize == 0) {
        GameInfo info;
        if (!r.readHead(head) || head.mark() != kMarkElement || head.count() < 0 ||
            !readGameListEntry(r, head.count(), info))
            return out;
        out.entry = std::move(info);
    }
    SequenceHeader h;
    if (!r.readHead(head) || head.mark() != kMarkSequence || head.count() == 0 || !readSequenceHeader(r, h))
        return GameFileRead{StoreReadStatus::Damaged, nullptr, std::nullopt};
    auto main = RecordSequence::createMain(nullptr);
    main->setFirstMoveNumber(h.firstMove);
    if (!readSequenceBody(r, *main, h)) return GameFileRead{StoreReadStatus::Damaged, nullptr, std::nullopt};
    if (!r.readHead(head) || head.mark() != kMarkEnd)
        return GameFileRead{StoreReadStatus::Damaged, nullptr, std::nullopt};
    repairLinks(*main);
    int leading = 0;
    while (leading < main->nodeCount() && main->node(leading).isSetup() && main->node(leading).moveNumber == 0)
        ++leading;
    main->setLeadingSetupCount(leading);
    out.status = StoreReadStatus::Ok;
    out.main = std::move(main);
    return out;
}

} // namespace stonewise
