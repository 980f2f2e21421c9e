#include "store/GameResultStore.h"

#include <algorithm>

#include "record/Text.h"
#include "store/FileIo.h"
#include "store/GameResultReport.h"
#include "store/StoreStrings.h"

namespace stonewise {

GameResultStore::GameResultStore(DataFolder folder, const StringTable& strings)
    : m_folder(folder.file(kResultFolderName) + "/"), m_strings(&strings) {}

std::string GameResultStore::groupsPath() const { return m_folder + kResultGroupFileName; }

std::string GameResultStore::recordsPath(const ResultGroup& group) const {
    return m_folder + resultRecordsFileName(group.number);
}

void GameResultStore::readProblem(StoreReadStatus status, const std::string& path, StoreMessages& messages) {
    if (status == StoreReadStatus::Damaged) {
        m_damaged.insert(path);
        messages.push_back({storeText(*m_strings, kTextDataDamaged), storeText(*m_strings, kTitleResultGroupsReading)});
    } else if (status == StoreReadStatus::BadVersion) {
        m_damaged.insert(path); // unreadable here, but another version's data all the same
        messages.push_back(
            {storeText(*m_strings, kTextResultFileVersion, {fromUtf8(path)}), storeText(*m_strings, kStrFileReading)});
    }
}

bool GameResultStore::write(const std::string& path, std::span<const std::uint8_t> bytes, StoreMessages& messages) {
    bool ok = makeFolders(m_folder);
    if (ok && m_damaged.contains(path)) {
        // What could not be read stays beside the new file.
        const auto old = readWholeFile(path);
        ok = !old || writeFileAtomically(path + "$", *old);
        if (ok) m_damaged.erase(path);
    }
    ok = ok && writeFileAtomically(path, bytes);
    if (!ok)
        messages.push_back(
            {storeText(*m_strings, kStrFileNotWritten, {fromUtf8(path)}), storeText(*m_strings, kStrSavingData)});
    return ok;
}

bool GameResultStore::readGroups(StoreMessages& messages) {
    m_groups = ResultGroupTable{};
    const auto bytes = readWholeFile(groupsPath());
    if (!bytes) return true;
    ResultGroupRead read = decodeResultGroups(*bytes);
    readProblem(read.status, groupsPath(), messages);
    if (read.status == StoreReadStatus::BadVersion) return false;
    m_groups = std::move(read.groups);
    return read.status == StoreReadStatus::Ok;
}

const ResultGroup* GameResultStore::group(int slot) const {
    if (slot < 0 || slot >= kResultGroupSlots) return nullptr;
    const auto& g = m_groups[static_cast<std::size_t>(slot)];
    return g ? &*g : nullptr;
}

std::optional<int> GameResultStore::findGroup(std::u16string_view name) const {
    for (int slot = 0; slot < kResultGroupSlots; ++slot)
        if (const ResultGroup* g = group(slot); g && g->name == name) return slot;
    return std::nullopt;
}

std::optional<int> GameResultStore::addGroup(std::u16string_view name, StoreMessages& messages) {
    int slot = 0;
    while (slot < kResultGroupSlots && group(slot)) ++slot;
    if (slot == kResultGroupSlots) return std::nullopt;
    // A records file without a group (its group lost with a damaged group file) keeps its number.
    auto taken = [this](std::uint16_t n) {
        return std::any_of(m_groups.begin(), m_groups.end(), [n](const auto& g) { return g && g->number == n; }) ||
               pathExists(m_folder + resultRecordsFileName(n));
    };
    std::uint16_t number = 0;
    while (taken(number)) ++number;
    m_groups[static_cast<std::size_t>(slot)] = ResultGroup{number, std::u16string(storedText(name, kGroupNameBuffer))};
    if (!write(groupsPath(), encodeResultGroups(m_groups, usedResultGroupSlots(m_groups)), messages)) {
        m_groups[static_cast<std::size_t>(slot)].reset();
        return std::nullopt;
    }
    return slot;
}

bool GameResultStore::removeGroup(int slot, StoreMessages& messages) {
    const ResultGroup* g = group(slot);
    if (!g) return false;
    const ResultGroup removed = *g;
    m_groups[static_cast<std::size_t>(slot)].reset();
    if (!write(groupsPath(), encodeResultGroups(m_groups, usedResultGroupSlots(m_groups)), messages)) {
        m_groups[static_cast<std::size_t>(slot)] = removed;
        return false;
    }
    removeFile(recordsPath(removed));
    return true;
}

ResultSlots GameResultStore::readRecords(int slot, StoreMessages& messages) {
    const ResultGroup* g = group(slot);
    if (!g) return {};
    const std::string path = recordsPath(*g);
    const auto bytes = readWholeFile(path);
    if (!bytes) return {};
    ResultRecordsRead read = decodeResultRecords(*bytes);
    readProblem(read.status, path, messages);
    return std::move(read.records);
}

bool GameResultStore::writeRecords(int slot, const ResultSlots& records, StoreMessages& messages) {
    const ResultGroup* g = group(slot);
    return g && write(recordsPath(*g), encodeResultRecords(records), messages);
}

bool GameResultStore::exportCsv(int slot, const std::string& path, bool wholePointKomi, StoreMessages& messages) {
    const ResultGroup* g = group(slot);
    if (!g) return false;
    const ResultSlots records = readRecords(slot, messages);
    if (writeFileAtomically(path, resultCsvBytes(g->name, records, wholePointKomi))) return true;
    messages.push_back(
        {storeText(*m_strings, kTextCsvNotWritten, {fromUtf8(path)}), storeText(*m_strings, kTitleCsvExport)});
    return false;
}

} // namespace stonewise
