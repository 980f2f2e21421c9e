#include "store/TaggedRecordFile.h"

#include <algorithm>
#include <bit>
#include <cstring>

namespace stonewise {

// --- reading a field's value ------------------------------------------------------------------

std::uint8_t TaggedField::u8(std::size_t offset) const { return offset < value.size() ? value[offset] : 0; }

std::uint16_t TaggedField::u16(std::size_t offset) const {
    return static_cast<std::uint16_t>(u8(offset) | (u8(offset + 1) << 8));
}

std::uint32_t TaggedField::u32(std::size_t offset) const {
    return static_cast<std::uint32_t>(u16(offset)) | (static_cast<std::uint32_t>(u16(offset + 2)) << 16);
}

float TaggedField::f32() const { return std::bit_cast<float>(u32(0)); }

std::optional<std::u16string> TaggedField::text(std::size_t buffer) const {
    if (head.length() <= 0 || buffer == 0) return std::nullopt;
    std::u16string out;
    const std::size_t chars = std::min(value.size() / 2, buffer - 1);
    out.reserve(chars);
    for (std::size_t i = 0; i < chars; ++i) {
        const char16_t c = static_cast<char16_t>(u16(2 * i));
        if (c == 0) break;
        out.push_back(c);
    }
    // A cut that leaves half of a surrogate pair drops that half.
    if (out.size() == buffer - 1 && !out.empty() && out.back() >= 0xD800 && out.back() <= 0xDBFF) out.pop_back();
    return out;
}

void TaggedField::copyTo(std::span<std::uint8_t> out) const {
    const std::size_t n = std::min(out.size(), value.size());
    if (n) std::memcpy(out.data(), value.data(), n);
}

// --- the reader -------------------------------------------------------------------------------

bool TaggedRecordReader::readBytes(std::size_t n, std::span<const std::uint8_t>& out) {
    if (n > remaining()) return false;
    out = m_bytes.subspan(m_pos, n);
    m_pos += n;
    return true;
}

bool TaggedRecordReader::skip(std::size_t n) {
    if (n > remaining()) return false;
    m_pos += n;
    return true;
}

bool TaggedRecordReader::readHeader(TaggedHeader& header) {
    std::span<const std::uint8_t> b;
    if (!readBytes(kTaggedHeaderSize, b)) return false;
    TaggedField f{{}, b};
    header.magic = f.u32(0);
    header.version = f.u32(4);
    header.thirdWord = f.u32(8);
    header.recordSize = f.u16(12);
    header.count = f.u16(14);
    return true;
}

StoreReadStatus TaggedRecordReader::readCheckedHeader(TaggedHeader& header) {
    if (!readHeader(header)) return StoreReadStatus::Damaged;
    return header.versionOk() ? StoreReadStatus::Ok : StoreReadStatus::BadVersion;
}

bool TaggedRecordReader::readHead(TaggedHead& head) {
    std::span<const std::uint8_t> b;
    if (!readBytes(4, b)) return false;
    head.first = b[0];
    head.second = b[1];
    head.value = static_cast<std::int16_t>(b[2] | (b[3] << 8));
    return true;
}

bool TaggedRecordReader::readValue(const TaggedHead& head, TaggedField& field) {
    const long n = head.valueBytes();
    if (n < 0) return false;
    field.head = head;
    return readBytes(static_cast<std::size_t>(n), field.value);
}

bool TaggedRecordReader::readField(TaggedField& field) {
    const std::size_t start = m_pos;
    TaggedHead head;
    if (!readHead(head)) return false;
    if (!readValue(head, field)) {
        m_pos = start;
        return false;
    }
    return true;
}

// --- the writer -------------------------------------------------------------------------------

std::u16string_view storedText(std::u16string_view text, std::size_t buffer) {
    const std::size_t zero = text.find(u'\0');
    if (zero != std::u16string_view::npos) text = text.substr(0, zero);
    if (buffer == 0) return {};
    if (text.size() > buffer - 1) {
        text = text.substr(0, buffer - 1);
        if (!text.empty() && text.back() >= 0xD800 && text.back() <= 0xDBFF) text.remove_suffix(1);
    }
    return text;
}

void TaggedRecordWriter::u16(std::uint16_t v) {
    m_bytes.push_back(static_cast<std::uint8_t>(v));
    m_bytes.push_back(static_cast<std::uint8_t>(v >> 8));
}

void TaggedRecordWriter::u32(std::uint32_t v) {
    u16(static_cast<std::uint16_t>(v));
    u16(static_cast<std::uint16_t>(v >> 16));
}

void TaggedRecordWriter::text(std::u16string_view chars) {
    for (char16_t c : chars) u16(static_cast<std::uint16_t>(c));
}

void TaggedRecordWriter::header(std::uint32_t thirdWord, std::uint16_t recordSize, std::uint16_t count) {
    u32(kTaggedMagic);
    u32(kTaggedVersion);
    u32(thirdWord);
    u16(recordSize);
    u16(count);
}

void TaggedRecordWriter::patchHeaderWords(std::uint16_t recordSize, std::uint16_t count) {
    if (m_bytes.size() < kTaggedHeaderSize) return;
    m_bytes[12] = static_cast<std::uint8_t>(recordSize);
    m_bytes[13] = static_cast<std::uint8_t>(recordSize >> 8);
    m_bytes[14] = static_cast<std::uint8_t>(count);
    m_bytes[15] = static_cast<std::uint8_t>(count >> 8);
}

void TaggedRecordWriter::element(std::uint8_t mark, std::uint8_t index, std::int16_t count) {
    u8(mark);
    u8(index);
    u16(static_cast<std::uint16_t>(count));
}

void TaggedRecordWriter::fieldHead(std::uint8_t type, std::uint8_t id, std::int16_t length) {
    u8(type);
    u8(id);
    u16(static_cast<std::uint16_t>(length));
}

void TaggedRecordWriter::fieldBytes(std::uint8_t type, std::uint8_t id, std::span<const std::uint8_t> value) {
    fieldHead(type, id, static_cast<std::int16_t>(value.size()));
    m_bytes.insert(m_bytes.end(), value.begin(), value.end());
}

void TaggedRecordWriter::fieldU16(std::uint8_t id, std::initializer_list<std::uint16_t> values, std::uint8_t type) {
    fieldHead(type, id, static_cast<std::int16_t>(2 * values.size()));
    for (std::uint16_t v : values) u16(v);
}

void TaggedRecordWriter::fieldU32(std::uint8_t id, std::initializer_list<std::uint32_t> values, std::uint8_t type) {
    fieldHead(type, id, static_cast<std::int16_t>(4 * values.size()));
    for (std::uint32_t v : values) u32(v);
}

void TaggedRecordWriter::fieldFloat(std::uint8_t id, float value) {
    fieldHead(kFieldFloat, id, 4);
    u32(std::bit_cast<std::uint32_t>(value));
}

void TaggedRecordWriter::fieldText(std::uint8_t id, std::optional<std::u16string_view> value, std::size_t buffer) {
    if (!value) {
        fieldHead(kFieldText, id, 0);
        return;
    }
    const std::u16string_view t = storedText(*value, buffer);
    fieldHead(kFieldText, id, static_cast<std::int16_t>(t.size() + 1));
    text(t);
    u16(0);
}

} // namespace stonewise
