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

constexpr int kGamesPerPage = 10;   // page n holds game numbers 10n .. 10n + 9
constexpr int kGameListPages = 200; // game numbers below 2,000
constexpr int kMaxGameNumber = kGamesPerPage * kGameListPages - 1;

// The ten slots of one game list page; an empty slot holds no game.
using GameListSlots = std::array<std::optional<GameInfo>, kGamesPerPage>;

// What reading one game list page gave.
struct GameListPageRead {
    StoreReadStatus status = StoreReadStatus::Missing;
    GameListSlots entries{};
    int used = 0;         // index of the last non-empty slot + 1
    int damagedSlot = -1; // the slot where damage was met
};

// Reads the bytes of game list page `page`. The game number of an entry is the one its slot stands
// for. On damage the entries read up to that point are kept.
GameListPageRead decodeGameListPage(std::span<const std::uint8_t> bytes, int page);

// The bytes of game list page `page`: ten elements, an empty slot as an element with count 0.
std::vector<std::uint8_t> encodeGameListPage(const GameListSlots& entries);

// "GameIdList%05d.dat".
std::string gameListPageFileName(int page);

} // namespace stonewise
