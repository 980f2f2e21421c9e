#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "record/GameInfo.h"
#include "record/RecordSequence.h"

namespace stonewise {

class GameStore;
class MemberList;

// Searching the games of a group for words in their names, players and comments.

constexpr int kMaxSearchTerms = 10;
constexpr std::size_t kMaxSearchStringLength = 128;
constexpr int kMaxSearchHits = 1024;
// How long a game file must be left alone before the texts read from it are kept for the next
// search: a file changed again within the same tick of a coarse file clock (two seconds on some
// disks) would look unchanged.
constexpr std::int64_t kSearchTextSettle = 2'000'000'000; // nanoseconds

// How the terms are matched; every option is on by default and "any term" is the rule.
struct TextSearchOptions {
    bool branches = true;  // "分岐、参考手順内": comments of every variation and reference sequence too
    bool allTerms = false; // "文字列の全てを含む" instead of "文字列のどれかを含む"
    bool gameName = true;  // "対局名"
    bool players = true;   // "対局者" (with the names aliases stand for)

    bool operator==(const TextSearchOptions&) const = default;
};

// One hit: a game, the sequence (0: the main line) and the move, with the comment that matched
// (empty for a hit on the game's name or players).
struct TextSearchHit {
    int game = 0;
    std::uint32_t sequence = 0; // the sequence's id after `numberTree`
    int moveInSequence = 0;     // counted from the sequence's first move, 1-based
    int move = 0;               // the move number as the board shows it
    std::u16string comment;

    bool operator==(const TextSearchHit&) const = default;
};

struct TextSearchResult {
    std::vector<TextSearchHit> hits;
    int skipped = 0;   // games whose file is missing, or damaged where it holds a word
    bool full = false; // the search stopped at kMaxSearchHits
};

// A search string as far as it is used: its first 128 characters, a surrogate pair that would be
// cut there left out whole.
std::u16string_view cutSearchString(std::u16string_view text);

// The terms of a search string: its first 128 characters cut at every space and ideographic
// space, empty pieces dropped, at most ten. Each term is plain text (no pattern characters).
std::vector<std::u16string> searchTerms(std::u16string_view text);

// The text around the first place in `text` where a term occurs: up to `radius` characters on
// each side, line breaks as spaces, "..." where it was cut (a surrogate pair is never split). The
// start of the text when no term occurs in it.
std::u16string hitExcerpt(std::u16string_view text, const std::vector<std::u16string>& terms, std::size_t radius);

// Text as the search keeps it: each UTF-16 code unit written as UTF-8 writes a code point of that
// value (a surrogate on its own too). Every unit's bytes start with a byte no other byte of it has,
// so packed text holds a packed term exactly where the text holds the term; mostly Latin text
// takes half the room.
std::string packSearchText(std::u16string_view text);
// The code units of packed text; nothing when `packed` is not packed text.
std::optional<std::u16string> unpackSearchText(std::string_view packed);

// One comment as the search sees it: where it stands and where its text is in the game's texts.
struct SearchComment {
    std::uint32_t sequence = 0; // as in TextSearchHit
    int moveInSequence = 0;
    int move = 0;
    std::uint32_t start = 0; // in GameSearchText::texts, in bytes
    std::uint32_t length = 0;

    bool operator==(const SearchComment&) const = default;
};

// The texts of one game the search looks at, in the order it looks: the main line's comments in
// node order, then each variation's, depth first in node order. A link's copy of its child's first
// comment is left out (the child's own is there).
struct GameSearchText {
    int lastMoveInSequence = 0; // the main line's last move, where a hit on the header points
    int lastMove = 0;
    std::size_t mainComments = 0; // how many of `comments` are the main line's
    std::vector<SearchComment> comments;
    std::string texts; // the comments' texts packed, one after the other

    std::string_view textOf(const SearchComment& c) const { return std::string_view(texts).substr(c.start, c.length); }
    bool operator==(const GameSearchText&) const = default;
};

// The searchable texts of a record (numbered with `numberTree` first).
GameSearchText gameSearchText(RecordSequence& record);

// Searches one game's texts and appends its hits to `result` until it holds kMaxSearchHits.
// `blackNames` and `whiteNames` as for searchGame.
void searchGameText(const GameInfo& info, const std::vector<std::u16string>& blackNames,
                    const std::vector<std::u16string>& whiteNames, const GameSearchText& text,
                    const std::vector<std::u16string>& terms, const TextSearchOptions& options,
                    TextSearchResult& result);

// Searches one game (its record numbered with `numberTree` first) and appends its hits to `result`
// until it holds kMaxSearchHits. `blackNames` and `whiteNames` are the players' names to test
// (an alias's own name and the name it stands for).
void searchGame(const GameInfo& info, const std::vector<std::u16string>& blackNames,
                const std::vector<std::u16string>& whiteNames, RecordSequence& record,
                const std::vector<std::u16string>& terms, const TextSearchOptions& options, TextSearchResult& result);

// The names a player is searched by: the member's name and, for an alias, the name it stands for;
// without a member, the name kept in the game.
std::vector<std::u16string> playerSearchNames(const MemberList& members, std::int32_t member, std::u16string_view kept);

// Searches every game of `group` in the order of its game list; a game whose file cannot be read
// is skipped and counted. The texts of the games read are kept in the group's search text cache
// (SearchTextCache, files changed less than `settle` nanoseconds ago left out), so that the next
// search reads only the games changed since.
TextSearchResult searchGroup(GameStore& store, int group, const std::vector<std::u16string>& terms,
                             const TextSearchOptions& options, std::int64_t settle = kSearchTextSettle);

} // namespace stonewise
