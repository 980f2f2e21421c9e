#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace stonewise {

// How one answer (or trace) of a book entry ended.
enum class AnswerResult : std::uint8_t { None = 0, Correct = 1, Variation = 2, Failure = 3, Abandoned = 4 };

// One answer: its result and the local time it was given.
struct AnswerSlot {
    std::uint8_t result = 0;
    std::uint8_t year = 0; // (year + 48) mod 256: the year minus 2000
    std::uint8_t month = 0;
    std::uint8_t day = 0;
    std::uint8_t hour = 0;
    std::uint8_t minute = 0;

    bool empty() const { return result == 0; }
    bool operator==(const AnswerSlot&) const = default;
};

// The local time an answer is stamped with.
struct AnswerTime {
    int year = 2000, month = 1, day = 1, hour = 0, minute = 0;
};

// The last five answers of one entry, oldest first, empty slots at the end (30 bytes stored).
struct AnswerRecord {
    std::array<AnswerSlot, 5> slots{};

    // Records a result in the first empty slot; when all five are full, the oldest is dropped.
    void record(AnswerResult result, const AnswerTime& when);
    // The latest result, or None.
    AnswerResult latest() const;
    bool empty() const { return slots[0].empty(); }
    bool operator==(const AnswerRecord&) const = default;
};

constexpr std::uint32_t kAnswerMagic = 0x18273642;
constexpr std::uint32_t kAnswerVersion = 2;
constexpr std::uint32_t kAnswerThirdWord = 14;
constexpr std::uint16_t kAnswerRecordSize = 30;
constexpr const char* kAnswerFileName = "answerData.dat";

// The answer records of a book ("answerData.dat" in the book's own folder): one per entry that can
// be answered or traced.
class AnswerTable {
public:
    // A table of `count` empty records.
    explicit AnswerTable(std::size_t count = 0) : m_records(count) {}

    // Reads the file's bytes: one record per element, in file order (fields fill a record 6 bytes
    // each); a short header or a wrong magic or version gives an empty table, elements that end
    // early leave the remaining records empty.
    static AnswerTable decode(std::span<const std::uint8_t> bytes);
    std::vector<std::uint8_t> encode() const;
    // Reads the file at `path`; a missing or unreadable file gives an empty table.
    static AnswerTable load(const std::string& path);
    // Writes the table to `path` atomically; false on failure.
    bool save(const std::string& path) const;

    std::size_t size() const { return m_records.size(); }
    const AnswerRecord* at(std::size_t n) const { return n < m_records.size() ? &m_records[n] : nullptr; }
    // Records a result for entry `n`, growing the table to hold it; marks the table changed.
    void record(std::size_t n, AnswerResult result, const AnswerTime& when);
    // Clears the answers of entry `n` (or of every entry); marks the table changed.
    void reset(std::optional<std::size_t> n = std::nullopt);
    bool changed() const { return m_changed; }
    void markSaved() { m_changed = false; }

private:
    std::vector<AnswerRecord> m_records;
    bool m_changed = false;
};

} // namespace stonewise
