#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "formats/TextEncoding.h"
#include "record/GameInfo.h"
#include "record/RecordSequence.h"

namespace stonewise {

class MemberDirectory;

// Splits the header's kept "[black rank],[white rank],[place]" (a bare "," for a missing rank,
// nothing for a missing place) back into its parts; false when the text is not of that form.
bool splitRanksAndPlace(std::u16string_view text, std::u16string_view parts[3], bool has[3]);

// The output encoding setting ("SGF出力データ形式："): 0 the system code page without a mark,
// 1 UTF-8 with its mark, 2 UTF-16 little-endian with its mark.
enum class SgfEncoding : std::uint8_t { SystemCodePage = 0, Utf8 = 1, Utf16 = 2 };

// Switches of one SGF write.
struct SgfWriteOptions {
    SgfEncoding encoding = SgfEncoding::SystemCodePage;
    CodePage codePage = CodePage::Cp932; // the system code page
    // Mail Go and cloud output: the main line only, without variations and reference sequences.
    bool exportOnly = false;
    // With `exportOnly`: whether comments go along ("棋譜のコメントは送信しない" switched off).
    bool exportComments = true;
    // Names of the players; without it (or for member 0, the unknown player, or a member it does not
    // know) the names kept in the header.
    const MemberDirectory* members = nullptr;
};

// The bytes of a written file and the encoding they ended up in.
struct SgfWriteResult {
    std::string bytes;
    SgfEncoding encoding = SgfEncoding::SystemCodePage;
    // Some text had no form in the system code page, so the whole file went out as UTF-8.
    bool fellBackToUtf8 = false;
};

// The whole SGF file for a record and its header: the family's header line with HA, KM, RE and AP,
// GN, PB, PW, GC, DT, ranks and place, handicap or setup stones, then one node per record node with
// variations and reference sequences as standard SGF nesting. The handicap-stone count is the main
// record's. Text that the system code page cannot hold sends the whole file out as UTF-8 with
// CA[UTF-8]; nothing is ever left out.
SgfWriteResult writeSgf(const RecordSequence& main, const GameInfo& info, const SgfWriteOptions& options);

// The same file as UTF-16 text, with the CA property for `encoding` (none for UTF-16).
std::u16string sgfText(const RecordSequence& main, const GameInfo& info, const SgfWriteOptions& options);

// Writes the file atomically (a temporary file in the same folder, flushed and renamed over the
// target). False when it cannot be written; an existing file then stays as it was.
bool saveSgfFile(const std::string& path, const RecordSequence& main, const GameInfo& info,
                 const SgfWriteOptions& options, SgfWriteResult* written = nullptr);

// The result property for a header: "RE[0]" for jigo, "RE[B+R]" for resignation, "RE[W+T]" for a
// win on time, "RE[B+2.5]" for points; empty while the game is in play.
std::u16string sgfResultText(const GameInfo& info);

// A date as the header writes it in DT: "YYYY-MM-DD".
std::u16string sgfDateText(const GameDate& date);

// A file name made from a game name: "/", ">", "<", "?", ":", """, "\", "*", "|" and ";" become "_".
std::u16string safeFileName(std::u16string_view name);

// Number of the name a game without one is given ("無題"; "No name" in English).
inline constexpr int kStrNoName = 20710;

// The file name the save dialog proposes: the safe game name (or text 20710) with ".sgf".
std::u16string defaultSgfFileName(const GameInfo& info);

} // namespace stonewise
