#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace stonewise {

// The book file (".GOBOOK"): a 512-byte header, the arrays it lists (each a tagged record file of
// its own: a 16-byte head, elements of mark 10, the end mark), and data blocks that the array
// records point to. All numbers little-endian.

constexpr std::uint32_t kBookMagicRecords = 0x18273641; // arrays are read as records
constexpr std::uint32_t kBookMagicCounts = 0x18273642;  // arrays are only counted
constexpr std::uint32_t kBookCheckValue = 0x19421019;
constexpr std::size_t kBookHeaderSize = 512;
constexpr std::size_t kBookBlockSize = 2048; // data blocks are laid out in whole multiples of it
constexpr std::size_t kBookTextBufferBytes = 2048;
constexpr int kMaxListedBooks = 1023;

// Header byte offsets.
constexpr std::size_t kHeaderTitle = 36; // zero-terminated UTF-16LE, up to byte 243
constexpr std::size_t kHeaderTitleEnd = 244;
constexpr std::size_t kBookTitleChars = (kHeaderTitleEnd - kHeaderTitle) / 2 - 1; // and its terminator
constexpr std::size_t kHeaderDirectory = 244;                                     // six (offset, count) pairs of u32
constexpr std::size_t kHeaderValueA = 292;     // u32: the number of pages of the book
constexpr std::size_t kHeaderValueB = 296;     // u32: the number of answer records (problems, traces)
constexpr std::size_t kHeaderValueC = 304;     // u32: kept in the list entry
constexpr std::size_t kHeaderSpeed = 312;      // u16: the book's replay speed in percent
constexpr std::size_t kHeaderAppendix = 316;   // (offset, count) of the appendix array
constexpr std::size_t kHeaderEnciphered = 324; // u8: non-zero for an enciphered book
constexpr std::size_t kHeaderFlags = 326;      // u8
constexpr std::size_t kHeaderDataBase = 344;   // u32: added to the positions of text and pictures
constexpr std::size_t kHeaderCheck = 428;      // u32: kBookCheckValue

// The arrays of a book, in the order of the header's directory (the appendix array last).
enum class BookArray : int { Index, Desc, DescText, Kifu, Image, Audio, Appendix };
constexpr int kBookArrayCount = 7;

// Piece kinds: the code a written-out piece carries, which names its file and its folder.
enum class PieceKind : int {
    IndexArray = 2,
    DescArray = 3,
    DescTextArray = 4,
    KifuArray = 5,
    AudioArray = 7,
    AppendixArray = 8,
    DescText = 9,
    Game = 10,
    ImageBmp = 11,
    Audio = 12,
    ImageJpeg = 13,
};

// The kind name of a piece kind ("descText", "audio", …); "" for an unknown code.
const char* pieceKindName(int kind);
// The file name of piece `index` of a kind: "%s%05d.bmp" (11), ".jpg" (13), ".mp3" (12), ".dat"
// otherwise; "%s.dat" for an index below 0.
std::string pieceFileName(int kind, int index);
// The installed-piece folder of a kind ("AppendixKey", "DescText", "Kifu", "KifuImage", "Audio"),
// or "" for a piece that lies directly in the book's own folder.
const char* pieceFolderName(int kind);

// A 24-bit signed number (bit 23 the sign) as an int.
constexpr int signExtend24(std::uint32_t v) {
    v &= 0xFFFFFF;
    return (v & 0x800000) ? static_cast<int>(v) - 0x1000000 : static_cast<int>(v);
}

} // namespace stonewise
