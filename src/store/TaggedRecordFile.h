#pragma once

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace stonewise {

// The binary container of the program's data files ("tagged record file"), little-endian:
//   header, 16 bytes: u32 magic 0x81726354, u32 version 1, u32 a word per file kind,
//                     u16 record size, u16 element count;
//   elements: a 4-byte head (u8 mark, u8 index, i16 count) followed by `count` fields;
//   fields:   a 4-byte head (u8 type, u8 id, i16 length) followed by the value;
//   end mark: the u32 value 255.
// The settings file uses the same header and fields without element heads.

constexpr std::uint32_t kTaggedMagic = 0x81726354;
constexpr std::uint32_t kTaggedVersion = 1;
constexpr std::size_t kTaggedHeaderSize = 16;

// Element marks.
constexpr std::uint8_t kMarkElement = 10;      // an ordinary element; count 0 = an empty slot
constexpr std::uint8_t kMarkSequence = 11;     // opens a stored sequence of a game file
constexpr std::uint8_t kMarkSequenceEnd = 254; // ends a stored sequence
constexpr std::uint8_t kMarkEnd = 255;         // ends the file

// Field types.
constexpr std::uint8_t kFieldBytes = 1;
constexpr std::uint8_t kFieldU16 = 2;
constexpr std::uint8_t kFieldU16Settings = 3; // u16 values of the settings file
constexpr std::uint8_t kFieldU32 = 4;
constexpr std::uint8_t kFieldFloat = 6;
constexpr std::uint8_t kFieldText = 7;
constexpr std::uint8_t kFieldBlock = 8;

// Characters of the text buffers of the readers, terminator included.
constexpr std::size_t kTextBuffer = 256;
constexpr std::size_t kGroupNameBuffer = 260;

// How reading one stored file ended.
enum class StoreReadStatus {
    Ok,
    Missing,    // the file does not exist (or cannot be opened): an empty list, silently
    BadVersion, // the version word is not 1: the file's version message, an empty list
    Damaged,    // a short header, a short read or an unexpected mark: the damage message
};

// The 16-byte header.
struct TaggedHeader {
    std::uint32_t magic = kTaggedMagic;
    std::uint32_t version = kTaggedVersion;
    std::uint32_t thirdWord = 0;
    std::uint16_t recordSize = 0;
    std::uint16_t count = 0;

    // Readers check only the 16-bit version word at byte 4.
    bool versionOk() const { return (version & 0xFFFF) == kTaggedVersion; }
};

// Any 4-byte head: an element head (mark, index, count) or a field head (type, id, length).
struct TaggedHead {
    std::uint8_t first = 0;  // mark or type
    std::uint8_t second = 0; // index or id
    std::int16_t value = 0;  // count or length

    std::uint8_t mark() const { return first; }
    std::uint8_t index() const { return second; }
    int count() const { return value; }
    std::uint8_t type() const { return first; }
    std::uint8_t id() const { return second; }
    int length() const { return value; }
    // Bytes of the value behind a field head: length × 2 for texts, length otherwise; -1 when negative.
    long valueBytes() const { return value < 0 ? -1 : (first == kFieldText ? 2L * value : long{value}); }
};

// A field read with its value.
struct TaggedField {
    TaggedHead head;
    std::span<const std::uint8_t> value;

    std::uint8_t type() const { return head.type(); }
    std::uint8_t id() const { return head.id(); }
    // The value's n-th byte, u16, i16, u32 or i32 at a byte offset; 0 beyond the value.
    std::uint8_t u8(std::size_t offset) const;
    std::uint16_t u16(std::size_t offset = 0) const;
    std::int16_t i16(std::size_t offset = 0) const { return static_cast<std::int16_t>(u16(offset)); }
    std::uint32_t u32(std::size_t offset = 0) const;
    std::int32_t i32(std::size_t offset = 0) const { return static_cast<std::int32_t>(u32(offset)); }
    float f32() const;
    // The text of a type-7 value as a reader with a buffer of `buffer` characters sees it: up to the
    // first zero, cut to buffer − 1 characters; nothing for a length of 0 or less.
    std::optional<std::u16string> text(std::size_t buffer = kTextBuffer) const;
    // Copies the value into `out` (at most out.size() bytes); missing bytes stay as they are.
    void copyTo(std::span<std::uint8_t> out) const;
};

// Reads a tagged record file from memory. Every read checks the bytes left: a short read returns
// false and leaves the position where it was.
class TaggedRecordReader {
public:
    explicit TaggedRecordReader(std::span<const std::uint8_t> bytes) : m_bytes(bytes) {}

    // The 16-byte header; false when fewer than 16 bytes are left.
    bool readHeader(TaggedHeader& header);
    // The header of a file: Damaged when it is short, BadVersion for another version, else Ok.
    StoreReadStatus readCheckedHeader(TaggedHeader& header);
    // A 4-byte head; false on a short read.
    bool readHead(TaggedHead& head);
    // A field head and its value; false on a short read or a negative length.
    bool readField(TaggedField& field);
    // The value of a field whose head has been read; false on a short read or a negative length.
    bool readValue(const TaggedHead& head, TaggedField& field);
    // `n` raw bytes; false on a short read.
    bool readBytes(std::size_t n, std::span<const std::uint8_t>& out);
    bool skip(std::size_t n);

    std::size_t position() const { return m_pos; }
    std::size_t remaining() const { return m_bytes.size() - m_pos; }

private:
    std::span<const std::uint8_t> m_bytes;
    std::size_t m_pos = 0;
};

// Writes a tagged record file into memory, field by field, little-endian.
class TaggedRecordWriter {
public:
    TaggedRecordWriter() { m_bytes.reserve(4096); }

    void header(std::uint32_t thirdWord, std::uint16_t recordSize, std::uint16_t count);
    // Changes the two u16 words at bytes 12 and 14 after the fact.
    void patchHeaderWords(std::uint16_t recordSize, std::uint16_t count);
    void element(std::uint8_t mark, std::uint8_t index, std::int16_t count);
    void fieldHead(std::uint8_t type, std::uint8_t id, std::int16_t length);
    void fieldBytes(std::uint8_t type, std::uint8_t id, std::span<const std::uint8_t> value);
    void fieldU16(std::uint8_t id, std::initializer_list<std::uint16_t> values, std::uint8_t type = kFieldU16);
    void fieldU32(std::uint8_t id, std::initializer_list<std::uint32_t> values, std::uint8_t type = kFieldU32);
    void fieldFloat(std::uint8_t id, float value);
    // A text field: the text up to its first zero, cut to `buffer` − 1 characters (never splitting a
    // surrogate pair), then its terminator; the length counts characters with the terminator.
    // No text writes a head with length 0 and no value.
    void fieldText(std::uint8_t id, std::optional<std::u16string_view> text, std::size_t buffer = kTextBuffer);
    // The end mark (u32 255).
    void end() { u32(kMarkEnd); }

    void u8(std::uint8_t v) { m_bytes.push_back(v); }
    void u16(std::uint16_t v);
    void u32(std::uint32_t v);
    void text(std::u16string_view chars); // raw UTF-16LE characters

    const std::vector<std::uint8_t>& bytes() const { return m_bytes; }
    std::vector<std::uint8_t> take() { return std::move(m_bytes); }

private:
    std::vector<std::uint8_t> m_bytes;
};

// The number of slots of a table of optional entries up to the last one in use.
template <typename Table>
int usedSlots(const Table& table) {
    int used = 0;
    for (std::size_t slot = 0; slot < table.size(); ++slot)
        if (table[slot]) used = static_cast<int>(slot) + 1;
    return used;
}

// The first `slotCount` slots of a table of optional entries, one element each: an empty slot as an
// element without fields, an entry as `fields` fields that `write(slot, entry)` writes.
template <typename Table, typename WriteEntry>
void writeSlots(TaggedRecordWriter& w, const Table& table, int slotCount, std::int16_t fields, WriteEntry write) {
    for (int slot = 0; slot < slotCount; ++slot) {
        const auto& entry = table[static_cast<std::size_t>(slot)];
        w.element(kMarkElement, static_cast<std::uint8_t>(slot), entry ? fields : 0);
        if (entry) write(slot, *entry);
    }
}

// The text a writer stores for `text` with a buffer of `buffer` characters: up to its first zero,
// cut to buffer − 1 characters without splitting a surrogate pair.
std::u16string_view storedText(std::u16string_view text, std::size_t buffer = kTextBuffer);

} // namespace stonewise
