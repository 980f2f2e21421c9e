#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "store/TaggedRecordFile.h"

namespace stonewise {

// Group type bits; the same values are the function modes.
enum GroupType : std::uint32_t {
    kGroupMailGo = 1,
    kGroupFinishedMailGo = 2,
    kGroupPlayAndRecord = 16,
    kGroupFinishedGames = 32,
    kGroupProblems = 64,
    kGroupViewing = 256,
    kGroupExternal = 512, // only together with viewing
};

constexpr int kGroupSlots = 107;    // group numbers 0..106
constexpr int kScratchGroup = 106;  // the board window's temporary game; its name holds a folder
constexpr int kMaxUserGroups = 100; // groups the user may create

// One group of games.
struct GroupRecord {
    std::uint16_t number = 0;                     // equal to its slot
    std::u16string name;                          // up to 259 characters
    std::uint32_t valueA = 0;                     // kept with the group
    std::uint32_t valueB = 0;                     // kept with the group
    std::uint32_t type = 0;                       // GroupType bits
    std::int32_t gameCount = -1;                  // games in the group; -1 until counted
    std::optional<std::u16string> externalFolder; // folder of an external game-record group

    bool operator==(const GroupRecord&) const = default;
};

// The 107 group slots; an empty slot holds no group.
using GroupTable = std::array<std::optional<GroupRecord>, kGroupSlots>;

// What reading "GroupIdList.dat" gave: on damage the table is empty and the slot count 0.
struct GroupListRead {
    StoreReadStatus status = StoreReadStatus::Missing;
    GroupTable groups{};
    int slots = 0; // slots read
};

// Reads the bytes of "GroupIdList.dat" (at most 107 slots). A stored number that differs from its
// slot is replaced by the slot; texts are cut to their buffers.
GroupListRead decodeGroupList(std::span<const std::uint8_t> bytes);

// The bytes of "GroupIdList.dat" for the first `slotCount` slots (empty slots as empty elements).
std::vector<std::uint8_t> encodeGroupList(const GroupTable& groups, int slotCount);

// The number of slots up to the last one that holds a group.
int usedGroupSlots(const GroupTable& groups);

inline constexpr const char* kGroupListFileName = "GroupIdList.dat";

} // namespace stonewise
