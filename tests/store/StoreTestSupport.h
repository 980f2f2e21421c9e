#pragma once

#include <cstdint>
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace stonewise::test {

// Bytes of a stored file written out by hand from its documented layout, little-endian, so that a
// test shows field by field what a reader must see.
class Bytes {
public:
    Bytes& u8(std::uint8_t v) {
        m_b.push_back(v);
        return *this;
    }
    Bytes& u16(std::uint16_t v) { return u8(static_cast<std::uint8_t>(v)).u8(static_cast<std::uint8_t>(v >> 8)); }
    Bytes& i16(std::int16_t v) { return u16(static_cast<std::uint16_t>(v)); }
    Bytes& u32(std::uint32_t v) { return u16(static_cast<std::uint16_t>(v)).u16(static_cast<std::uint16_t>(v >> 16)); }
    Bytes& i32(std::int32_t v) { return u32(static_cast<std::uint32_t>(v)); }
    Bytes& f32(float v);
    // UTF-16LE characters, without a terminator.
    Bytes& chars(std::u16string_view text) {
        for (char16_t c : text) u16(static_cast<std::uint16_t>(c));
        return *this;
    }
    Bytes& raw(std::span<const std::uint8_t> bytes) {
        m_b.insert(m_b.end(), bytes.begin(), bytes.end());
        return *this;
    }

    // The 16-byte header: magic, version, the file's word, record size, count.
    Bytes& header(std::uint32_t thirdWord, std::uint16_t recordSize, std::uint16_t count, std::uint32_t version = 1) {
        return u32(0x81726354).u32(version).u32(thirdWord).u16(recordSize).u16(count);
    }
    // An element head: mark, index, count.
    Bytes& element(std::uint8_t mark, std::uint8_t index, std::int16_t count) { return u8(mark).u8(index).i16(count); }
    // A field head: type, id, length.
    Bytes& head(std::uint8_t type, std::uint8_t id, std::int16_t length) { return u8(type).u8(id).i16(length); }
    Bytes& fieldU16(std::uint8_t id, std::initializer_list<std::uint16_t> values, std::uint8_t type = 2) {
        head(type, id, static_cast<std::int16_t>(2 * values.size()));
        for (auto v : values) u16(v);
        return *this;
    }
    Bytes& fieldU32(std::uint8_t id, std::initializer_list<std::uint32_t> values, std::uint8_t type = 4) {
        head(type, id, static_cast<std::int16_t>(4 * values.size()));
        for (auto v : values) u32(v);
        return *this;
    }
    // A text field: type 7, length = characters + 1, the text and its terminator.
    Bytes& fieldText(std::uint8_t id, std::u16string_view text) {
        return head(7, id, static_cast<std::int16_t>(text.size() + 1)).chars(text).u16(0);
    }
    // A text field without text: type 7, length 0, no value.
    Bytes& fieldNoText(std::uint8_t id) { return head(7, id, 0); }
    Bytes& end() { return u32(255); }

    const std::vector<std::uint8_t>& bytes() const { return m_b; }
    operator std::span<const std::uint8_t>() const { return m_b; }
    std::size_t size() const { return m_b.size(); }

private:
    std::vector<std::uint8_t> m_b;
};

// A fresh, empty folder under the system's temporary folder, removed with everything in it when
// the object goes. `STONEWISE_DATA_DIR` points at it while it lives.
class TempDataFolder {
public:
    TempDataFolder();
    ~TempDataFolder();
    TempDataFolder(const TempDataFolder&) = delete;
    TempDataFolder& operator=(const TempDataFolder&) = delete;
    // The folder's path, ending with "/".
    const std::string& path() const { return m_path; }

private:
    std::string m_path;
};

// Writes bytes to a file (creating its folder); fails the test when it cannot.
void writeTestFile(const std::string& path, std::span<const std::uint8_t> bytes);
// The bytes of a file; empty when it cannot be read.
std::vector<std::uint8_t> readTestFile(const std::string& path);

} // namespace stonewise::test

#include <memory>

#include "record/RecordSequence.h"

namespace stonewise::test {

// A game record of `moves` moves with comments, elapsed times, a mark, a label, a branch holding a
// branch of its own, a reference sequence and a free child slot between them.
std::unique_ptr<RecordSequence> sampleRecord(int moves);

// Whether two records hold the same sequences, nodes and comments; `withElapsed` false ignores
// elapsed times. Fails the test at the first difference.
void expectSameRecord(const RecordSequence& a, const RecordSequence& b, bool withElapsed = true);

} // namespace stonewise::test
