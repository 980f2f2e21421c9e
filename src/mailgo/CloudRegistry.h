#pragma once

#include <array>
#include <compare>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace stonewise {

// A file's last-write time in UTC as the cloud registry keeps it; year 0 = empty. Times compare
// field by field: year, month, day, hour, minute, second.
struct CloudTime {
    std::uint16_t year = 0;
    std::uint8_t month = 0;
    std::uint8_t day = 0;
    std::uint8_t hour = 0;
    std::uint8_t minute = 0;
    std::uint8_t second = 0;

    bool empty() const { return year == 0; }
    auto operator<=>(const CloudTime&) const = default;
};

// Time records per block (and per "CloudTime%02d.dat" file).
constexpr int kCloudTimeBlock = 1000;
// Time records in all: the count the files keep is a u16.
constexpr int kCloudTimeLimit = 65535;
// Folders and file slots per folder: the folder number is the identifier's upper u16, the slot key
// (slot × 4) its lower one.
constexpr int kCloudFolderLimit = 65535;
constexpr int kCloudFileSlotLimit = 16384;
// Characters of a stored folder path or file name, terminator included.
constexpr std::size_t kCloudPathBuffer = 260;

// A cloud file identifier kept in a game's information; 0 = none.
using CloudFileId = std::uint32_t;
constexpr CloudFileId kNoCloudFile = 0;

// One file of a cloud folder.
struct CloudFileEntry {
    std::uint16_t folder = 0;     // the folder's number, from 1
    std::uint16_t slotKey = 0;    // the slot × 4
    std::uint16_t generation = 0; // 2 bits: an identifier of an earlier user of the slot no longer matches
    std::int16_t state = 0;       // negative: deleted
    std::uint16_t fifth = 0;      // kept as read
    std::int32_t timeSlot = -1;   // index into the time table; -1 = none
    std::optional<std::u16string> name;

    bool deleted() const { return state < 0; }
    bool operator==(const CloudFileEntry&) const = default;
};

// A folder kept equal with another computer by a synchronisation service, and its files.
struct CloudFolder {
    std::uint16_t number = 0; // from 1: the folder slot + 1
    std::u16string path;
    std::vector<CloudFileEntry> files; // by slot

    bool operator==(const CloudFolder&) const = default;
};

// Folder slots; an empty slot is a folder removed or never used.
using CloudFolders = std::vector<std::optional<CloudFolder>>;

// The cloud registry: the folders, their files, and the last-write time seen of each file. An
// identifier is (folder number × 65536) + (slot × 4) + generation; one whose folder, slot or
// generation does not match, or whose entry is deleted, refers to nothing.
class CloudRegistry {
public:
    CloudRegistry() = default;
    // A registry of folders read from the data folder; time slots that point past `timeCount`
    // records, or at a record another entry uses, are dropped.
    CloudRegistry(CloudFolders folders, std::vector<CloudTime> times);

    const CloudFolders& folders() const { return m_folders; }
    const CloudFolder* folder(int number) const;
    // The number of the folder at `path` (compared ignoring case and a closing "/"); 0 for none.
    int findFolder(std::u16string_view path) const;
    // The folder at `path`, added when missing; 0 when the registry is full or the path empty.
    int registerFolder(std::u16string_view path);

    struct Registered {
        CloudFileId id = kNoCloudFile; // kNoCloudFile: the path has no file name or the registry is full
        bool created = false;          // a new entry was made (a dialog that is cancelled drops it again)
    };
    // The file at `path` (folder path, "/", file name), found ignoring case or added with its folder.
    Registered registerFile(std::u16string_view path);
    // Marks the entry deleted and clears its time record; false when `id` refers to nothing.
    bool dropFile(CloudFileId id);

    // The live entry of an identifier; null when it refers to nothing.
    const CloudFileEntry* entry(CloudFileId id) const;
    // The file's path: folder path, "/", file name; nothing when `id` refers to nothing.
    std::optional<std::u16string> path(CloudFileId id) const;
    // The same in the file system's encoding (UTF-8).
    std::optional<std::string> filePath(CloudFileId id) const;

    // Stores the file's current last-write time in its time record (taking a free record when the
    // entry has none); false when `id` refers to nothing, the file cannot be read or no record is free.
    bool recordFileTime(CloudFileId id);
    // Whether the file was written after the time recorded for it. An entry without a time (no
    // record, or an empty one) takes the file's time and answers yes; a file that cannot be read,
    // or an identifier that refers to nothing, counts as unchanged.
    bool hasFileChanged(CloudFileId id);

    // The time table: records in use and the record of a slot (empty beyond the table).
    int timeCount() const { return m_timeCount; }
    CloudTime time(int slot) const;
    std::vector<CloudTime> times() const;
    // Blocks of 1,000 records changed since the last save.
    std::vector<int> changedTimeBlocks() const;
    // Changes to folders and files since the last save.
    int changes() const { return m_changes; }
    // After a save: nothing is changed any more.
    void markSaved();

private:
    CloudFileEntry* liveEntry(CloudFileId id);
    int takeTimeSlot();
    void setTime(int slot, CloudTime time);

    CloudFolders m_folders;
    std::vector<std::array<CloudTime, kCloudTimeBlock>> m_blocks;
    std::vector<bool> m_blockChanged;
    int m_timeCount = 0;
    int m_savedTimeCount = 0;
    int m_changes = 0;
};

// The identifier of a folder's file slot and generation.
CloudFileId cloudFileId(int folder, int slot, int generation);

// A file's path without the text from the last "." of its name on ("a/b.c/game" keeps its name).
std::u16string cloudBaseName(std::u16string_view path);
// The name of a study-sequence file: base + "-B001.nextmove" ("W" for White), as a full path.
std::u16string cloudStudyFileName(std::u16string_view path, char16_t letter, int number);
// The first file (by name) in the folder that matches base + "-%c*.nextmove", ignoring case; the
// path in the file system's encoding, nothing when there is none.
std::optional<std::string> findCloudStudyFile(std::u16string_view path, char16_t letter);

// A file's last-write time in UTC; nothing when it cannot be read.
std::optional<CloudTime> cloudFileTime(const std::string& path);
// The UTC calendar time of seconds since 1970; and back.
CloudTime cloudTimeFromSeconds(std::int64_t seconds);
std::int64_t secondsFromCloudTime(const CloudTime& time);

} // namespace stonewise
