#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace stonewise {

// A calendar date as the game header stores it; all zero when unset.
struct GameDate {
    std::uint16_t year = 0;
    std::uint16_t month = 0;
    std::uint8_t day = 0;
    std::uint8_t hour = 0; // end date only
};

// A moment to the second (the time a Mail Go move arrived).
struct GameTime {
    std::uint16_t year = 0;
    std::uint16_t month = 0;
    std::uint8_t day = 0;
    std::uint8_t hour = 0;
    std::uint8_t minute = 0;
    std::uint8_t second = 0;
};

// Game types.
enum GameType : std::int16_t { kGameMailGo = 1, kGamePlayAndRecord = 2, kGameRecord = 0 };

// Winners.
enum Winner : std::int16_t { kInPlay = 0, kBlackWins = 1, kWhiteWins = 2, kJigo = 3 };

// Flag bits of the header.
constexpr std::uint16_t kInfoExtendedHeader = 0x10;
constexpr std::uint16_t kInfoExternalGame = 0x100;
constexpr std::uint16_t kInfoReread = 0x200;
constexpr std::uint16_t kInfoMoveWaiting = 0x400;

// Display flag bits (live only while the game is open).
constexpr std::uint8_t kDisplayInitialMoveValid = 0x01;
constexpr std::uint8_t kDisplayInitialMoveUsed = 0x02;

// Margins from which a win is by resignation or on time.
constexpr float kMarginResignation = 1000.0f;
constexpr float kMarginOnTime = 2000.0f;

// The header of a game: number, name, players (member numbers), board, handicap, komi, dates,
// type, state and result, flags, Mail Go fields, and the values carried unchanged through the
// store and SGF.
struct GameInfo {
    std::int32_t number = 0;
    std::u16string name;
    std::int32_t blackPlayer = 0;
    std::int32_t whitePlayer = 0;
    std::uint8_t carriedByte1 = 0; // two bytes and a word carried unchanged
    std::uint8_t carriedByte2 = 0;
    std::uint16_t carriedWord = 0;
    std::int16_t handicap = 0; // 0 none, 1 free without stones, 2..9 table, > 9 free
    float komi = 0.0f;         // negative: reverse komi
    GameDate startDate;
    GameDate endDate;
    std::int16_t lastExchangedMove = 0;
    std::int16_t type = kGameRecord;
    std::int16_t protection = 0; // 1 or more: protected ("保護")
    std::int16_t winner = kInPlay;
    float margin = 0.0f;
    std::u16string gameComment;
    std::int16_t ownMoveMark = 0; // Mail Go: last own move sent; also the initial display move
    std::uint16_t flags = 0;
    std::uint8_t board = 0;      // 1 = 13 lines, anything else 19
    std::uint8_t startFlags = 0; // any of 0xF8: "to start" shows move 0
    std::uint8_t mailGoFlags = 0;
    std::uint8_t displayFlags = 0;
    GameTime waitingTime;
    std::uint8_t formatVersion = 0;
    std::array<std::uint8_t, 3> versionBytes{};
    std::uint32_t carriedValue = 0;
    std::u16string carriedText;
    std::u16string blackName; // kept in game files beside the member numbers
    std::u16string whiteName;
    // Properties of an SGF file's root node that the header has no field for, as SGF text written
    // back unchanged: PL, AE, and RE or DT in a form the result and date fields cannot hold.
    std::u16string sgfRootExtras;

    int boardSize() const { return board == 1 ? 13 : 19; }
    bool isProtected() const { return protection >= 1; }
    bool isMailGo() const { return type == kGameMailGo; }
    bool startsAtMoveZero() const { return (startFlags & 0xF8) != 0; }
};

} // namespace stonewise
