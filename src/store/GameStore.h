#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "record/GameInfo.h"
#include "record/RecordSequence.h"
#include "record/StringTable.h"
#include "store/DataFolder.h"
#include "store/GameFile.h"
#include "store/GameList.h"
#include "store/GroupList.h"
#include "store/MemberList.h"
#include "store/SettingsRecord.h"
#include "store/StoreMessage.h"

namespace stonewise {

// The library of a board window kept in the data folder: the group table, the members and the game
// lists of the groups in use, with the files behind them.
//
// Every operation fails one way: it returns false (or nothing, when it gives a value) and leaves
// the message to show in the `StoreMessages` it is given: a damaged or foreign file, a file or
// folder that cannot be written, a refusal. Messages about what was read but damaged come with a
// result. Nothing throws, and the store itself never shows anything.
class GameStore {
public:
    // A store on `folder` whose messages take their texts from `strings` (the Japanese table
    // fills in what `strings` lacks). `strings` must outlive the store.
    GameStore(DataFolder folder, const StringTable& strings);

    const DataFolder& folder() const { return m_folder; }

    // --- start --------------------------------------------------------------------------------
    // Reads the group list, makes sure of the default groups and writes the list; reads the members
    // (a first start, without a member file, registers "不明" and "黒石さん" on `today`); takes the
    // current group from the settings' last view (below 0 becomes 0). What cannot be read or
    // written is in `messages`; the store works on with what it has.
    void start(const SettingsRecord& settings, const GameDate& today, StoreMessages& messages);
    int currentGroup() const { return m_currentGroup; }
    void setCurrentGroup(int group) { m_currentGroup = group; }

    // --- groups -------------------------------------------------------------------------------
    const GroupTable& groups() const { return m_groups; }
    const GroupRecord* group(int number) const;
    GroupRecord* group(int number);
    // Reads "GroupIdList.dat" into the table; returns the slots read (0 when there is no file).
    // Nothing when the file is damaged or of another version; the table is then empty.
    std::optional<int> readGroupList(StoreMessages& messages);
    // Writes the table; false when the file could not be written (the old file then stays).
    bool writeGroupList(StoreMessages& messages);
    // The group a function mode uses: the mode's remembered group when it exists and serves the
    // mode, else the first group whose type shares a bit with the mode (for mode 0 the first group
    // of type 0); nothing when none does.
    std::optional<int> groupForMode(int mode, const SettingsRecord& settings) const;
    // Creates a group in the lowest free number below 100 with its folder, and writes the group
    // list. Nothing when 100 groups exist or the folder or the list cannot be written (the group
    // then is not added).
    std::optional<int> addGroup(std::u16string name, std::uint32_t type, std::optional<std::u16string> externalFolder,
                                StoreMessages& messages);
    // Names the folder of the scratch group's game file (the record of group 106).
    void setScratchFolder(std::u16string folder);
    // Deletes a group without games that is not `currentGroup`: its folder is emptied and removed,
    // its slot cleared and the group list written. Refusals leave 11403 or 11402; when the list
    // cannot be written the group stays.
    bool deleteGroup(int number, int currentGroup, StoreMessages& messages);

    // --- members ------------------------------------------------------------------------------
    MemberList& members() { return m_members; }
    const MemberList& members() const { return m_members; }
    // Reads the member pages from page 0 until a page file is missing; returns the member elements
    // read (a damaged page keeps what was read, with a message; reading stops at a page of another
    // version, with a message). Nothing when the first page is of another version.
    std::optional<int> readMembers(StoreMessages& messages);
    // Writes the pages changed since the last save, stopping at the first page that does not
    // exist; returns the pages written, or nothing when one could not be written (its flag stays set).
    std::optional<int> writeMembers(StoreMessages& messages);

    // --- game lists ---------------------------------------------------------------------------
    // The game list of a group, read from its pages the first time it is asked for. Group 106
    // has no list (an empty one is given).
    GameList& gameList(int group, StoreMessages& messages);
    // Reads one page file into `slots`; returns the index of the last used slot + 1 (0 when
    // missing; a damaged page keeps the slots before the damage, with a message). Nothing when the
    // page is of another version.
    std::optional<int> readGameListPage(int group, int page, GameListSlots& slots, StoreMessages& messages);
    // Writes one page file; false when it could not be written.
    bool writeGameListPage(int group, int page, const GameListSlots& slots, StoreMessages& messages);
    // Writes every changed page of a group's list; false when one could not be written.
    bool saveGameList(int group, StoreMessages& messages);
    // The number for a new game of a group: the lowest number from 1 up whose slot is empty;
    // nothing when all 1,999 are taken.
    std::optional<int> newGameNumber(int group, StoreMessages& messages);
    // Deletes a game: its list slot is emptied (the page is written with the next save) and its
    // file deleted. False (and 11602) when the group has no such game.
    bool deleteGame(int group, int number, StoreMessages& messages);

    // --- games --------------------------------------------------------------------------------
    // The path of a game's file: "Group%03d/Game%05d.dat", or for group 106 the scratch folder
    // named by that group's record. Empty when group 106 has no folder.
    std::string gameFilePath(int group, int number) const;
    // Reads a game file; damage and version leave their messages. The result's status tells.
    GameFileRead readGame(int group, int number, StoreMessages& messages) const;
    // Writes a game file atomically with `owner` as its entry when given (the scratch group in the
    // compact form); false when it could not be written (the old file then stays).
    bool writeGame(int group, int number, const RecordSequence& record, const GameInfo* owner, StoreMessages& messages);
    // Opens a listed game: 11602 when the number has no list entry, 11603 when its file cannot be read.
    GameFileRead openGame(int group, int number, StoreMessages& messages);

    // Copies a game into another group under a new number and `name` (at most 200 characters);
    // returns the new number, or nothing with message 11801 titled 11800.
    std::optional<int> copyGame(int fromGroup, int number, int toGroup, std::u16string_view name,
                                StoreMessages& messages);
    // The same, then the game leaves its group (slot emptied and written, file deleted); failure
    // leaves 11803 titled 11802.
    std::optional<int> moveGame(int fromGroup, int number, int toGroup, std::u16string_view name,
                                StoreMessages& messages);

    // --- many games at once ---
    // While a batch is open, new game files are written without waiting for the disk each time;
    // `endBatch` flushes them all at once (write the list pages that name them after it). False
    // when the flush failed.
    void beginBatch() { m_batch = true; }
    bool endBatch();

    // --- search keys --------------------------------------------------------------------------
    // The search keys (none when there is no file); nothing when the file is of another version.
    std::optional<std::vector<std::u16string>> readSearchKeys(StoreMessages& messages) const;
    bool writeSearchKeys(const std::vector<std::u16string>& keys, StoreMessages& messages) const;

private:
    // Puts a group record in the lowest free number below 100 and makes its folder if it can;
    // nothing when 100 groups exist. Writes no list.
    std::optional<int> placeGroup(std::u16string_view name, std::uint32_t type,
                                  std::optional<std::u16string> externalFolder);
    std::optional<int> transferGame(int fromGroup, int number, int toGroup, std::u16string_view name, bool move,
                                    StoreMessages& messages);
    void damage(StoreMessages& messages, int title) const;
    void versionMessage(StoreMessages& messages, int id) const;
    // `ok`; when false, the message that `path` could not be written.
    bool written(bool ok, const std::string& path, StoreMessages& messages) const;
    void updateGameCount(int group);

    DataFolder m_folder;
    const StringTable* m_strings;
    GroupTable m_groups{};
    MemberList m_members;
    std::map<int, GameList> m_lists;
    int m_currentGroup = 0;
    bool m_batch = false;
};

// The slot of a function mode among the settings' remembered groups; -1 for a mode without one.
int modeGroupSlot(int mode);

// The longest name a copied or moved game takes.
constexpr std::size_t kMaxCopyNameLength = 200;

} // namespace stonewise
