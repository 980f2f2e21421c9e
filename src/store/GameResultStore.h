#pragma once

#include <optional>
#include <set>
#include <string>
#include <string_view>

#include "store/DataFolder.h"
#include "store/GameResultFile.h"
#include "store/StoreMessage.h"

namespace stonewise {

class StringTable;

// The results diary of a data folder: its result groups in memory, each group's records read and
// written on demand, and the CSV export. Every file is replaced atomically; a file that read as
// damaged is kept beside the new one as "<name>$" before it is first replaced, so that what could
// not be read is never lost.
class GameResultStore {
public:
    GameResultStore(DataFolder folder, const StringTable& strings);

    // The diary's folder, "GameResult/" in the data folder.
    std::string folder() const { return m_folder; }

    // Reads "GameResultGroup.dat": a missing file gives no groups; a damaged one leaves the
    // damage message and keeps the groups read before the damage; another version leaves its
    // message and gives no groups. False unless the file was read whole (or is missing).
    bool readGroups(StoreMessages& messages);
    const ResultGroupTable& groups() const { return m_groups; }
    // The group in a slot, or null.
    const ResultGroup* group(int slot) const;
    // The slot of the first group of that name, or nothing.
    std::optional<int> findGroup(std::u16string_view name) const;
    // Adds a group in the first free slot, with the lowest number no group has, and writes the
    // group file; the slot, or nothing when 50 groups exist or the file cannot be written (the
    // group is not kept then).
    std::optional<int> addGroup(std::u16string_view name, StoreMessages& messages);
    // Removes a group and its records file; false when the group file cannot be written (the group
    // stays).
    bool removeGroup(int slot, StoreMessages& messages);

    // The records of the group in `slot` (none for an empty slot); damage or another version
    // leaves its message and gives the records read before it.
    ResultSlots readRecords(int slot, StoreMessages& messages);
    // Writes the records of the group in `slot`; false with a message when it fails.
    bool writeRecords(int slot, const ResultSlots& records, StoreMessages& messages);

    // Writes the group's records as a CSV file at `path` (replaced atomically: a failure leaves no
    // part of a file). A records file that reads only in part exports what was read, with its
    // message. False for an empty slot, or with a message when the file cannot be written.
    bool exportCsv(int slot, const std::string& path, bool wholePointKomi, StoreMessages& messages);

private:
    std::string groupsPath() const;
    std::string recordsPath(const ResultGroup& group) const;
    bool write(const std::string& path, std::span<const std::uint8_t> bytes, StoreMessages& messages);
    void readProblem(StoreReadStatus status, const std::string& path, StoreMessages& messages);

    std::string m_folder;
    const StringTable* m_strings;
    ResultGroupTable m_groups{};
    std::set<std::string> m_damaged; // files that read as damaged and are not yet kept aside
};

} // namespace stonewise
