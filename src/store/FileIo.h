#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace stonewise {

// The largest file the store reads into memory; a larger file reads as damaged.
constexpr std::size_t kMaxStoreFileSize = 64u << 20;

// The whole content of a file; nothing when it cannot be opened or read, or is larger than `maxSize`.
std::optional<std::vector<std::uint8_t>> readWholeFile(const std::string& path,
                                                       std::size_t maxSize = kMaxStoreFileSize);

// What tells one state of a file from another: a file written in place, replaced or touched
// differs in one of these.
struct FileIdentity {
    std::uint64_t inode = 0;
    std::uint64_t size = 0;
    std::int64_t modified = 0; // nanoseconds since 1970
    std::int64_t changed = 0;  // the status change time, which no program can set back

    bool operator==(const FileIdentity&) const = default;
};

// The identity of the regular file at `path`; nothing when there is none.
std::optional<FileIdentity> fileIdentity(const std::string& path);

// A file's bytes read whole into a buffer that is not cleared first: for a large file read often.
struct FileBytes {
    std::unique_ptr<std::uint8_t[]> data;
    std::size_t size = 0;

    std::span<const std::uint8_t> bytes() const { return {data.get(), size}; }
};
// The same as readWholeFile, into a FileBytes.
std::optional<FileBytes> readFileBytes(const std::string& path, std::size_t maxSize = kMaxStoreFileSize);

// How far a replaced file must have gone before the call returns.
enum class Durability : std::uint8_t {
    Disk,    // flushed to the disk: survives a power cut
    Process, // in the system's cache: survives the program being killed, at a small part of the cost
};

// Replaces `path` by `bytes` atomically: the bytes go to a temporary file in the same folder, which
// is flushed as `durability` asks and renamed over the old file. On any failure (no folder, full
// disk) the old file stays as it was, the temporary file is removed, and the result is false.
bool writeFileAtomically(const std::string& path, std::span<const std::uint8_t> bytes,
                         Durability durability = Durability::Disk);
// The same for many files written at once (an import): a new file is renamed into place without
// waiting for the disk (a file that replaces another still waits); `syncFileSystem` then flushes
// them all at once, before anything that names them is written.
bool writeFileUnsynced(const std::string& path, std::span<const std::uint8_t> bytes);
// Flushes the file system that holds `path` (a folder); false when that failed.
bool syncFileSystem(const std::string& path);

// Whether a file (or folder) exists at `path`.
bool pathExists(const std::string& path);
// Whether `path` is a folder.
bool isFolder(const std::string& path);
// Creates a folder when it is missing (not its parents); true when it exists afterwards.
bool makeFolder(const std::string& path);
// Creates a folder and every missing parent; true when it exists afterwards.
bool makeFolders(const std::string& path);
// Deletes a file; true when it is gone afterwards (also when it never existed).
bool removeFile(const std::string& path);
// Renames a file, replacing `to` atomically; false when it fails.
bool renameFile(const std::string& from, const std::string& to);
// Deletes every file under `folder` and, depth first, every sub-folder; the folder itself stays.
// False when something could not be deleted.
bool emptyFolder(const std::string& folder);
// Removes an empty folder; false when it fails.
bool removeFolder(const std::string& folder);

} // namespace stonewise
