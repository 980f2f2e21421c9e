#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "store/FileIo.h"
#include "store/TextSearch.h"

namespace stonewise {

// The name of a group's search text cache in its folder.
inline constexpr const char* kSearchTextCacheName = "SearchText.dat";

// A game's texts as the search text cache keeps them, read in place: the comments' places, and
// their texts packed one after the other in `texts`.
class KeptSearchText {
public:
    explicit KeptSearchText(std::span<const std::uint8_t> record) : m_record(record) {}

    int lastMoveInSequence() const;
    int lastMove() const;
    std::size_t commentCount() const;
    std::size_t mainComments() const;
    // Comment `i` but for its start, which is where the comment before it ends.
    SearchComment comment(std::size_t i) const;
    std::string_view texts() const;

private:
    std::span<const std::uint8_t> m_record;
};

// A group's search text cache: the searchable texts of its games (GameSearchText) kept in one file
// of the group's folder, each with the identity of the game file it was read from. An entry counts
// only while its game file still has that identity, so a game changed, replaced or touched on disk
// since is read again. The file is only a copy: when it is missing, damaged or cannot be written,
// the games are read from their own files.
class SearchTextCache {
public:
    // Reads the cache at `path` (empty: no cache at all); a missing or damaged one is empty.
    // Texts whose file changed less than `settle` nanoseconds before `put` are not kept.
    explicit SearchTextCache(std::string path, std::int64_t settle = kSearchTextSettle);

    // The texts of game `number` kept for a file of identity `file`, where they lie; nothing when
    // none are kept for it. Their counts agree with their size; the texts themselves are not
    // checked.
    std::optional<KeptSearchText> kept(int number, const FileIdentity& file) const;
    // The same, copied out and checked whole; nothing when they are not packed text.
    std::optional<GameSearchText> text(int number, const FileIdentity& file) const;

    // Keeps the texts of game `number` read from a file of identity `file` (unless it changed
    // too recently to tell a later change by its times).
    void put(int number, const FileIdentity& file, const GameSearchText& text);
    // Drops what is kept for game `number`.
    void forget(int number);
    // Drops every game whose `kept[number]` is false.
    void keepOnly(const std::vector<bool>& kept);
    // Numbers of the games kept, in order.
    std::vector<int> games() const;

    // Writes the cache when something changed since it was read; false when that failed.
    bool save();

private:
    struct Slot {
        FileIdentity file;
        std::size_t offset = 0; // of the record in m_read, when `owned` is empty
        std::size_t size = 0;
        std::vector<std::uint8_t> owned;
    };
    std::span<const std::uint8_t> record(const Slot& slot) const;
    const Slot* find(int number, const FileIdentity& file) const;
    void read();

    std::string m_path;
    std::int64_t m_settle;
    FileBytes m_read;
    std::vector<std::optional<Slot>> m_slots;
    bool m_changed = false;
};

} // namespace stonewise
