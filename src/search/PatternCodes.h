#pragma once

#include <cstdint>

namespace stonewise {

// The numbers shared by the pattern database's files, its builder and its search.

// The four pattern databases, one per kind of record; kind k lives in group folder 100 + k.
enum class PatternKind : std::uint8_t { General = 0, Reference = 1, Joseki = 2, Fuseki = 3 };
constexpr int kPatternKindCount = 4;
constexpr int kPatternFolderBase = 100;

// Record types of a stored game (the later one wins when several type flags are set).
enum PatternRecordType : std::uint8_t {
    kRecordReference = 1,
    kRecordJoseki = 2,
    kRecordFuseki = 3,
    kRecordGeneral = 4,
};

// A record's type flags.
constexpr std::uint8_t kTypeFlagReference = 0x01;
constexpr std::uint8_t kTypeFlagJoseki = 0x02;
constexpr std::uint8_t kTypeFlagFuseki = 0x04;

// Collector kinds: 1 the whole board, 2..5 the corners upper left, upper right, lower left, lower
// right. A corner record of a 13-line board carries kThirteenLines in its kind byte.
constexpr int kWholeBoard = 1;
constexpr int kUpperLeft = 2;
constexpr int kUpperRight = 3;
constexpr int kLowerLeft = 4;
constexpr int kLowerRight = 5;
constexpr std::uint8_t kThirteenLines = 0x10;
constexpr std::uint8_t kCollectorKindMask = 0x0F;

// Packed moves: a corner move byte is (x << 4) | y; a play elsewhere is kElsewhereByte, a move
// that does not exist kNoMoveByte. In a move group both read as kElsewhereByte.
constexpr std::uint8_t kElsewhereByte = 0xEE;
constexpr std::uint8_t kNoMoveByte = 0xFF;
constexpr std::uint8_t kFramePass = 0xFF; // x and y of a play elsewhere in a collector's frame

// Limits of a collector and of what the files keep.
constexpr int kMaxPatternMoves = 640;
constexpr int kMaxDistantMoves = 32;
constexpr int kOpeningMoves = 16;     // moves in an opening record
constexpr int kWholeSnapshotStep = 8; // whole-board snapshots after moves 16, 24, ...
constexpr int kWholeSnapshotLimit = 160;
constexpr int kCornerSnapshotStep = 4; // corner snapshots after moves 16, 20, ...
constexpr int kCornerSnapshotLimit = 48;
constexpr int kCornerSize = 12; // points per side of a packed corner

// File layouts.
constexpr std::uint32_t kPatternFileMagic = 0x19421019;
constexpr std::uint32_t kPatternEndMark = 0xFFFF0000;
constexpr std::uint32_t kDatabaseMagic = 0x12894378;
constexpr std::uint32_t kCompositionMagic = 0x20130214;
constexpr int kPatternFileHeaderSize = 12;
constexpr int kGameRecordSize = 28;
constexpr int kOpeningRecordSize = 24;
constexpr int kCornerRecordSize = 21;
constexpr int kWholeSnapshotSize = 107;
constexpr int kCornerSnapshotSize = 43;
constexpr int kPackedBoardSize = 95;
constexpr int kPackedCornerSize = 36;
constexpr int kDatabaseHeaderSize = 12;

// The most games a database holds, and the results of one search.
constexpr int kMaxPatternGames = 25600;
constexpr int kMaxPatternResults = 100;
// The group number of a Go book's records is 1000 + the book's number.
constexpr int kBookGroupBase = 1000;
// Variations of more moves than this are not analysed.
constexpr int kMaxVariationMoves = 160;

} // namespace stonewise
