#include "mailgo/CloudRegistryFile.h"

#include <algorithm>
#include <cstdio>

#include "mailgo/CloudTexts.h"
#include "record/Text.h"
#include "store/DataFolder.h"
#include "store/FileIo.h"
#include "store/StoreStrings.h"

namespace stonewise {

namespace {

constexpr std::uint32_t kCloudDataThirdWord = 20;
constexpr std::uint16_t kCloudDataRecordSize = 28;
constexpr std::uint32_t kCloudTimeThirdWord = 21;
constexpr std::uint16_t kCloudTimeRecordSize = 8;
constexpr std::uint8_t kMarkCloudFile = 9;
constexpr std::int16_t kFolderFieldCount = 4;
constexpr std::int16_t kFileFieldCount = 7;

// A folder's file list, which follows its type-8 field at once and ends with the end mark.
bool readFileList(TaggedRecordReader& r, std::vector<CloudFileEntry>& files) {
    for (;;) {
        TaggedHead head;
        if (!r.readHead(head)) return false;
        if (head.mark() == kMarkEnd) return true;
        if (head.mark() != kMarkCloudFile || head.count() < 0 || files.size() >= kCloudFileSlotLimit) return false;
        CloudFileEntry e;
        for (int i = 0; i < head.count(); ++i) {
            TaggedField f;
            if (!r.readField(f)) return false;
            switch (f.id()) {
            case 11: e.folder = f.u16(); break;
            case 12: e.slotKey = f.u16(); break;
            case 13: e.generation = f.u16(); break;
            case 14: e.state = f.i16(); break;
            case 15: e.fifth = f.u16(); break;
            case 16: e.timeSlot = f.i32(); break;
            case 17: e.name = f.text(kCloudPathBuffer); break;
            default: break;
            }
        }
        files.push_back(std::move(e));
    }
}

bool readFolder(TaggedRecordReader& r, int fields, CloudFolder& folder) {
    for (int i = 0; i < fields; ++i) {
        TaggedField f;
        if (!r.readField(f)) return false;
        if (f.id() == 3) folder.path = f.text(kCloudPathBuffer).value_or(std::u16string());
        if (f.id() == 4 && f.type() == kFieldBlock && !readFileList(r, folder.files)) return false;
    }
    return true;
}

void writeFolder(TaggedRecordWriter& w, const CloudFolder& folder) {
    w.fieldU16(1, {folder.number});
    w.fieldU16(2, {static_cast<std::uint16_t>(folder.files.size())});
    w.fieldText(3, std::u16string_view(folder.path), kCloudPathBuffer);
    w.fieldHead(kFieldBlock, 4, 0);
    for (std::size_t slot = 0; slot < folder.files.size(); ++slot) {
        const CloudFileEntry& e = folder.files[slot];
        w.element(kMarkCloudFile, static_cast<std::uint8_t>(slot), kFileFieldCount);
        w.fieldU16(11, {e.folder});
        w.fieldU16(12, {e.slotKey});
        w.fieldU16(13, {e.generation});
        w.fieldU16(14, {static_cast<std::uint16_t>(e.state)});
        w.fieldU16(15, {e.fifth});
        w.fieldU32(16, {static_cast<std::uint32_t>(e.timeSlot)});
        if (e.name) w.fieldText(17, std::u16string_view(*e.name), kCloudPathBuffer);
        else w.fieldText(17, std::nullopt);
    }
    w.end();
}

CloudTime timeRecord(const TaggedField& f) { return {f.u16(0), f.u8(2), f.u8(3), f.u8(4), f.u8(5), f.u8(6)}; }

void damage(StoreMessages& messages, const StringTable& strings) {
    messages.push_back({storeText(strings, kTextDataDamaged), storeText(strings, kTitleCloudDataRead)});
}

void versionMessage(StoreMessages& messages, const StringTable& strings) {
    messages.push_back({storeText(strings, kStrCloudDataVersion), storeText(strings, kStrFileReading)});
}

// Reads every time file the first one counts; nothing (with the message) when one is damaged,
// missing or of another version.
std::optional<std::vector<CloudTime>> readTimes(const DataFolder& folder, const StringTable& strings,
                                                StoreMessages& messages) {
    std::vector<CloudTime> times;
    int count = 0;
    for (int block = 0; block == 0 || block < (count + kCloudTimeBlock - 1) / kCloudTimeBlock; ++block) {
        const auto bytes = readWholeFile(folder.file(cloudTimeFileName(block)));
        if (!bytes && block == 0) return times;
        const CloudTimeRead read = bytes ? decodeCloudTimeBlock(*bytes) : CloudTimeRead{StoreReadStatus::Damaged};
        if (read.status == StoreReadStatus::BadVersion) versionMessage(messages, strings);
        if (read.status != StoreReadStatus::Ok) {
            if (read.status == StoreReadStatus::Damaged) damage(messages, strings);
            return std::nullopt;
        }
        if (block == 0) count = read.count;
        times.insert(times.end(), read.records.begin(), read.records.end());
        times.resize(static_cast<std::size_t>(block + 1) * kCloudTimeBlock);
    }
    times.resize(static_cast<std::size_t>(count));
    return times;
}

} // namespace

std::string cloudTimeFileName(int block) {
    char name[32];
    std::snprintf(name, sizeof name, "CloudTime%02d.dat", block);
    return name;
}

CloudDataRead decodeCloudData(std::span<const std::uint8_t> bytes) {
    CloudDataRead out;
    TaggedRecordReader r(bytes);
    TaggedHeader header;
    out.status = r.readCheckedHeader(header);
    if (out.status != StoreReadStatus::Ok) return out;
    auto damaged = [&out] {
        out = CloudDataRead{StoreReadStatus::Damaged, {}};
        return out;
    };
    for (int slot = 0; slot < header.count; ++slot) {
        TaggedHead head;
        if (!r.readHead(head)) return damaged();
        if (head.mark() == kMarkEnd) break;
        if (head.mark() != kMarkElement || head.count() < 0) return damaged();
        if (head.count() == 0) {
            out.folders.emplace_back();
            continue;
        }
        CloudFolder folder;
        folder.number = static_cast<std::uint16_t>(slot + 1);
        if (!readFolder(r, head.count(), folder)) return damaged();
        out.folders.emplace_back(std::move(folder));
    }
    return out;
}

std::vector<std::uint8_t> encodeCloudData(const CloudFolders& folders) {
    const std::size_t slots = std::min<std::size_t>(folders.size(), kCloudFolderLimit);
    TaggedRecordWriter w;
    w.header(kCloudDataThirdWord, kCloudDataRecordSize, static_cast<std::uint16_t>(slots));
    for (std::size_t slot = 0; slot < slots; ++slot) {
        const auto& folder = folders[slot];
        w.element(kMarkElement, static_cast<std::uint8_t>(slot), folder ? kFolderFieldCount : 0);
        if (folder) writeFolder(w, *folder);
    }
    w.end();
    return w.take();
}

CloudTimeRead decodeCloudTimeBlock(std::span<const std::uint8_t> bytes) {
    CloudTimeRead out;
    TaggedRecordReader r(bytes);
    TaggedHeader header;
    out.status = r.readCheckedHeader(header);
    if (out.status != StoreReadStatus::Ok) return out;
    out.count = header.count;
    const CloudTimeRead damaged{StoreReadStatus::Damaged, 0, {}};
    for (int i = 0; i < kCloudTimeBlock; ++i) {
        TaggedHead head;
        if (!r.readHead(head)) return damaged;
        if (head.mark() == kMarkEnd) break;
        if (head.mark() != kMarkElement || head.count() < 0) return damaged;
        CloudTime record;
        for (int n = 0; n < head.count(); ++n) {
            TaggedField f;
            if (!r.readField(f)) return damaged;
            if (f.type() == kFieldBlock && f.id() == 1) record = timeRecord(f);
        }
        out.records.push_back(record);
    }
    return out;
}

std::vector<std::uint8_t> encodeCloudTimeBlock(std::span<const CloudTime> records, int count) {
    TaggedRecordWriter w;
    w.header(kCloudTimeThirdWord, kCloudTimeRecordSize, static_cast<std::uint16_t>(count));
    for (int i = 0; i < kCloudTimeBlock; ++i) {
        const CloudTime t =
            static_cast<std::size_t>(i) < records.size() ? records[static_cast<std::size_t>(i)] : CloudTime{};
        w.element(kMarkElement, static_cast<std::uint8_t>(i), 1);
        w.fieldHead(kFieldBlock, 1, kCloudTimeRecordSize);
        w.u16(t.year);
        w.u8(t.month);
        w.u8(t.day);
        w.u8(t.hour);
        w.u8(t.minute);
        w.u8(t.second);
        w.u8(0);
    }
    w.end();
    return w.take();
}

CloudRegistry loadCloudRegistry(const DataFolder& folder, const StringTable& strings, StoreMessages& messages) {
    const auto bytes = readWholeFile(folder.file(kCloudDataFileName));
    if (!bytes) return {};
    CloudDataRead read = decodeCloudData(*bytes);
    if (read.status == StoreReadStatus::BadVersion) versionMessage(messages, strings);
    if (read.status == StoreReadStatus::Damaged) damage(messages, strings);
    if (read.status != StoreReadStatus::Ok) return {};
    auto times = readTimes(folder, strings, messages);
    if (!times) return {};
    return CloudRegistry(std::move(read.folders), std::move(*times));
}

bool saveCloudRegistry(CloudRegistry& registry, const DataFolder& folder, const StringTable& strings,
                       StoreMessages& messages) {
    const std::vector<int> blocks = registry.changedTimeBlocks();
    if (registry.changes() == 0 && blocks.empty()) return true;
    makeFolders(folder.path());
    auto write = [&](const std::string& name, std::span<const std::uint8_t> bytes) {
        const std::string path = folder.file(name);
        if (writeFileAtomically(path, bytes)) return true;
        messages.push_back(
            {storeText(strings, kStrFileNotWritten, {fromUtf8(path)}), storeText(strings, kStrSavingData)});
        return false;
    };
    const std::vector<CloudTime> times = registry.times();
    for (int block : blocks) {
        const std::size_t first = static_cast<std::size_t>(block) * kCloudTimeBlock;
        const std::size_t n = std::min<std::size_t>(kCloudTimeBlock, times.size() - std::min(first, times.size()));
        const std::span<const CloudTime> records(times.data() + std::min(first, times.size()), n);
        if (!write(cloudTimeFileName(block), encodeCloudTimeBlock(records, registry.timeCount()))) return false;
    }
    if (registry.changes() > 0 && !write(std::string(kCloudDataFileName), encodeCloudData(registry.folders())))
        return false;
    registry.markSaved();
    return true;
}

} // namespace stonewise
