#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "mailgo/CloudRegistry.h"
#include "store/StoreMessage.h"
#include "store/TaggedRecordFile.h"

namespace stonewise {

class DataFolder;
class StringTable;

// The registry's files in the data folder: "CloudData.dat" holds the folders and their files,
// "CloudTime%02d.dat" the time records, 1,000 to a file (CloudTime00 records 0-999, CloudTime01
// records 1000-1999, ...).
inline constexpr std::string_view kCloudDataFileName = "CloudData.dat";
std::string cloudTimeFileName(int block);

// What reading "CloudData.dat" gave; on damage or another version no folders.
struct CloudDataRead {
    StoreReadStatus status = StoreReadStatus::Missing;
    CloudFolders folders;
};
CloudDataRead decodeCloudData(std::span<const std::uint8_t> bytes);
std::vector<std::uint8_t> encodeCloudData(const CloudFolders& folders);

// What reading one "CloudTime%02d.dat" gave: the records in use in all files (the header's count)
// and the records of this block, up to 1,000; on damage or another version nothing.
struct CloudTimeRead {
    StoreReadStatus status = StoreReadStatus::Missing;
    int count = 0;
    std::vector<CloudTime> records;
};
CloudTimeRead decodeCloudTimeBlock(std::span<const std::uint8_t> bytes);
// A block of 1,000 records (missing ones written empty) under a header that counts `count` in all.
std::vector<std::uint8_t> encodeCloudTimeBlock(std::span<const CloudTime> records, int count);

// The registry as stored; empty when there is none. A file of another version or a damaged one
// leaves its message in `messages` and gives an empty registry (the files stay as they are until
// something is registered).
CloudRegistry loadCloudRegistry(const DataFolder& folder, const StringTable& strings, StoreMessages& messages);
// Writes "CloudData.dat" when folders or files changed and each changed time block; false (with
// the message) when a file could not be written, and the registry stays changed for a later try.
bool saveCloudRegistry(CloudRegistry& registry, const DataFolder& folder, const StringTable& strings,
                       StoreMessages& messages);

} // namespace stonewise
