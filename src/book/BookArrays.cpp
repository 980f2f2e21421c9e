#include "book/BookArrays.h"

#include <functional>

#include "book/BookFormat.h"
#include "book/TaggedElements.h"

namespace stonewise {

namespace {

constexpr std::size_t kTextChars = kBookTextBufferBytes / 2;

// Walks the elements of an array by the book reader's rules and hands every field of a non-empty
// element to `field`; `begin` starts a record, `finish` ends it.
template <typename T>
BookTable<T> readArray(std::span<const std::uint8_t> bytes, const std::function<void(T&, const TaggedField&)>& field,
                       const std::function<void(T&)>& finish = {}) {
    BookTable<T> table;
    TaggedRecordReader r(bytes);
    TaggedHeader head;
    if (!r.readHeader(head)) return table;
    T record{};
    TaggedElementVisitor visit;
    visit.begin = [&](int, int) {
        record = T{};
        record.position = static_cast<int>(table.size());
    };
    visit.field = [&](int, const TaggedField& value) { field(record, value); };
    visit.end = [&](int, int fields) {
        if (fields <= 0) {
            table.emplace_back();
            return;
        }
        if (finish) finish(record);
        table.emplace_back(std::move(record));
    };
    readTaggedElements(r, head.count, visit);
    return table;
}

std::u16string textOf(const TaggedField& f) {
    if (f.type() != kFieldText) return {};
    return f.text(kTextChars).value_or(std::u16string());
}

// The high bytes of an index record's numbers, kept until the element ends.
struct IndexRecordReading : BookIndexRecord {
    std::uint8_t ownHigh = 0;
    std::uint8_t linkHigh = 0;
    std::uint16_t linkLow = 0;
};

// Writes the head of an array; the element count is patched in at the end.
class ArrayWriter {
public:
    explicit ArrayWriter(PieceKind kind) { m_w.header(static_cast<std::uint32_t>(kind), 0, 0); }
    template <typename T>
    void slot(const std::optional<T>& record, int fields, std::uint8_t index) {
        m_w.element(kMarkElement, index, static_cast<std::int16_t>(record ? fields : 0));
        ++m_count;
    }
    TaggedRecordWriter& w() { return m_w; }
    std::vector<std::uint8_t> finish() {
        m_w.patchHeaderWords(0, static_cast<std::uint16_t>(m_count));
        m_w.end();
        return m_w.take();
    }

private:
    TaggedRecordWriter m_w;
    int m_count = 0;
};

void text(TaggedRecordWriter& w, std::uint8_t id, const std::u16string& s) { w.fieldText(id, s, kTextChars); }

} // namespace

BookTable<BookIndexRecord> readIndexArray(std::span<const std::uint8_t> bytes) {
    BookTable<IndexRecordReading> reading = readArray<IndexRecordReading>(
        bytes,
        [](IndexRecordReading& r, const TaggedField& f) {
            switch (f.id()) {
            case 1: r.linkLow = f.u16(); break;
            case 2:
                r.ownHigh = f.u8(0);
                r.linkHigh = f.u8(1);
                break;
            case 3: r.value3 = f.u16(); break;
            case 4: r.title = textOf(f); break;
            case 6: r.textLength = f.u16(); break;
            case 7: r.value7 = f.u32(); break;
            case 8: r.textPosition = f.u32(); break;
            case 9: r.audioLength = f.u32(); break;
            case 10: r.value10 = f.u16(); break;
            case 11: r.audioOffset = f.u32(); break;
            default: break;
            }
        },
        [](IndexRecordReading& r) {
            r.ownNumber =
                signExtend24((static_cast<std::uint32_t>(r.ownHigh) << 16) | static_cast<std::uint16_t>(r.position));
            r.link = signExtend24((static_cast<std::uint32_t>(r.linkHigh) << 16) | r.linkLow);
        });
    BookTable<BookIndexRecord> table;
    table.reserve(reading.size());
    for (auto& r : reading)
        table.push_back(r ? std::optional<BookIndexRecord>(static_cast<BookIndexRecord&>(*r)) : std::nullopt);
    return table;
}

BookTable<BookDescRecord> readDescArray(std::span<const std::uint8_t> bytes) {
    return readArray<BookDescRecord>(bytes, [](BookDescRecord& r, const TaggedField& f) {
        switch (f.id()) {
        case 1: r.indexEntry = f.u32(); break;
        case 3: r.gameNumber = f.u32(); break;
        case 4: r.pictureNumber = f.u32(); break;
        case 5:
            r.displayFlags = f.u8(0);
            r.orientation = f.u8(1);
            break;
        case 6: r.startMove = f.u16(); break;
        case 7: r.endMove = f.u16(); break;
        case 8: r.duration = f.u32(); break;
        case 9: r.textPiece = f.u32(); break;
        case 10: r.kind = f.u16(); break;
        case 11: r.answerNumber = f.u16(); break;
        case 12: r.category = f.u32(); break;
        default: break; // 2 is a flag without value
        }
    });
}

BookTable<BookPieceRecord> readPieceArray(std::span<const std::uint8_t> bytes) {
    return readArray<BookPieceRecord>(bytes, [](BookPieceRecord& r, const TaggedField& f) {
        if (f.id() == 1) r.value1 = f.u32();
        if (f.id() == 2) r.value2 = f.u32();
    });
}

BookTable<BookKifuRecord> readKifuArray(std::span<const std::uint8_t> bytes) {
    return readArray<BookKifuRecord>(bytes, [](BookKifuRecord& r, const TaggedField& f) {
        if (f.id() == 1) r.name = textOf(f);
        if (f.id() == 2) r.blockPosition = f.u32();
        if (f.id() == 3) {
            r.lengthLow = f.u16(0);
            r.lengthHigh = f.u16(2);
        }
    });
}

BookTable<BookAppendixRecord> readAppendixArray(std::span<const std::uint8_t> bytes) {
    return readArray<BookAppendixRecord>(bytes, [](BookAppendixRecord& r, const TaggedField& f) {
        if (f.id() == 1) r.value1 = f.i16();
        if (f.id() == 2) r.name = textOf(f);
        if (f.id() == 3) r.value3 = f.i16();
    });
}

int countArrayElements(std::span<const std::uint8_t> bytes) { return static_cast<int>(readPieceArray(bytes).size()); }

std::vector<std::uint8_t> writeIndexArray(const BookTable<BookIndexRecord>& table) {
    ArrayWriter a(PieceKind::IndexArray);
    TaggedRecordWriter& w = a.w();
    for (std::size_t i = 0; i < table.size(); ++i) {
        const auto& r = table[i];
        a.slot(r, 10, static_cast<std::uint8_t>(i));
        if (!r) continue;
        const auto own = static_cast<std::uint32_t>(r->ownNumber);
        const auto link = static_cast<std::uint32_t>(r->link);
        w.fieldU16(1, {static_cast<std::uint16_t>(link)});
        const std::uint8_t high[2] = {static_cast<std::uint8_t>(own >> 16), static_cast<std::uint8_t>(link >> 16)};
        w.fieldBytes(kFieldBytes, 2, high);
        w.fieldU16(3, {r->value3});
        text(w, 4, r->title);
        w.fieldU16(6, {r->textLength});
        w.fieldU32(7, {r->value7});
        w.fieldU32(8, {r->textPosition});
        w.fieldU32(9, {r->audioLength});
        w.fieldU16(10, {r->value10});
        w.fieldU32(11, {r->audioOffset});
    }
    return a.finish();
}

std::vector<std::uint8_t> writeDescArray(const BookTable<BookDescRecord>& table) {
    ArrayWriter a(PieceKind::DescArray);
    TaggedRecordWriter& w = a.w();
    for (std::size_t i = 0; i < table.size(); ++i) {
        const auto& r = table[i];
        a.slot(r, 11, static_cast<std::uint8_t>(i));
        if (!r) continue;
        w.fieldU32(1, {r->indexEntry});
        w.fieldU32(3, {r->gameNumber});
        w.fieldU32(4, {r->pictureNumber});
        const std::uint8_t five[2] = {r->displayFlags, r->orientation};
        w.fieldBytes(kFieldBytes, 5, five);
        w.fieldU16(6, {r->startMove});
        w.fieldU16(7, {r->endMove});
        w.fieldU32(8, {r->duration});
        w.fieldU32(9, {r->textPiece});
        w.fieldU16(10, {r->kind});
        w.fieldU16(11, {r->answerNumber});
        w.fieldU32(12, {r->category});
    }
    return a.finish();
}

std::vector<std::uint8_t> writePieceArray(const BookTable<BookPieceRecord>& table) {
    ArrayWriter a(PieceKind::DescTextArray);
    TaggedRecordWriter& w = a.w();
    for (std::size_t i = 0; i < table.size(); ++i) {
        const auto& r = table[i];
        a.slot(r, 2, static_cast<std::uint8_t>(i));
        if (!r) continue;
        w.fieldU32(1, {r->value1});
        w.fieldU32(2, {r->value2});
    }
    return a.finish();
}

std::vector<std::uint8_t> writeKifuArray(const BookTable<BookKifuRecord>& table) {
    ArrayWriter a(PieceKind::KifuArray);
    TaggedRecordWriter& w = a.w();
    for (std::size_t i = 0; i < table.size(); ++i) {
        const auto& r = table[i];
        a.slot(r, 3, static_cast<std::uint8_t>(i));
        if (!r) continue;
        text(w, 1, r->name);
        w.fieldU32(2, {r->blockPosition});
        w.fieldU16(3, {r->lengthLow, r->lengthHigh});
    }
    return a.finish();
}

} // namespace stonewise
