#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "record/GameInfo.h"
#include "store/TaggedRecordFile.h"

namespace stonewise {

// The results diary: one short record per game played (dates, players, handicap and komi, the
// result, game name, place, impressions), filed in result groups. Its files live in the folder
// "GameResult" of the data folder: "GameResultGroup.dat" holds the groups and "List%05d.dat" the
// records of one group, by group number.

constexpr int kResultGroupSlots = 50;
// The most records one group file holds (its count is a 16-bit word).
constexpr int kMaxResultRecords = 65535;
// Characters of the impressions a record keeps, terminator included; the other texts keep 255.
constexpr std::size_t kImpressionsBuffer = 4096;

// One result group.
struct ResultGroup {
    std::uint16_t number = 0; // names its records file
    std::u16string name;

    bool operator==(const ResultGroup&) const = default;
};

using ResultGroupTable = std::array<std::optional<ResultGroup>, kResultGroupSlots>;

// What reading "GameResultGroup.dat" gave. On damage the groups read before it are kept.
struct ResultGroupRead {
    StoreReadStatus status = StoreReadStatus::Missing;
    ResultGroupTable groups{};
    int slots = 0; // slots read
};

// Values of the result field.
enum ResultWinner : std::uint16_t { kResultBlackWon = 1, kResultJigo = 3 }; // any other value: white won

// One game in the diary.
struct GameResult {
    GameDate begun; // year, month, day
    GameDate ended;
    std::u16string place;
    std::u16string firstPlayer;
    std::uint16_t secondIsBlack = 0; // 1: the second player played black, otherwise the first
    std::uint16_t handicap = 0;      // below 1 an even game
    float komi = 0.0f;
    std::uint16_t kept8 = 0;
    std::uint16_t result = kResultBlackWon;
    float margin = 0.0f; // points; 1000 or more resignation, 2000 or more on time
    std::uint16_t kept11 = 0;
    std::uint16_t kept12 = 0;
    std::u16string gameName;
    std::u16string impressions;
    std::u16string secondPlayer;

    const std::u16string& blackName() const { return secondIsBlack == 1 ? secondPlayer : firstPlayer; }
    const std::u16string& whiteName() const { return secondIsBlack == 1 ? firstPlayer : secondPlayer; }
    bool blackWon() const { return result == kResultBlackWon; }
    bool jigo() const { return result == kResultJigo; }
    bool whiteWon() const { return !blackWon() && !jigo(); }

    bool operator==(const GameResult& other) const;
};

// The record slots of one group file; an empty slot holds nothing.
using ResultSlots = std::vector<std::optional<GameResult>>;

// What reading "List%05d.dat" gave. On damage the records read before it are kept.
struct ResultRecordsRead {
    StoreReadStatus status = StoreReadStatus::Missing;
    ResultSlots records;
};

// Reads the bytes of "GameResultGroup.dat" (at most 50 slots).
ResultGroupRead decodeResultGroups(std::span<const std::uint8_t> bytes);
// The bytes of "GameResultGroup.dat" for the first `slotCount` slots (empty slots as empty elements).
std::vector<std::uint8_t> encodeResultGroups(const ResultGroupTable& groups, int slotCount);
// The number of slots up to the last one that holds a group.
int usedResultGroupSlots(const ResultGroupTable& groups);

// Reads the bytes of a group's "List%05d.dat".
ResultRecordsRead decodeResultRecords(std::span<const std::uint8_t> bytes);
// The bytes of a group's "List%05d.dat" (at most 65,535 slots).
std::vector<std::uint8_t> encodeResultRecords(const ResultSlots& records);

inline constexpr const char* kResultFolderName = "GameResult";
inline constexpr const char* kResultGroupFileName = "GameResultGroup.dat";
// "List%05d.dat".
std::string resultRecordsFileName(int groupNumber);

} // namespace stonewise
