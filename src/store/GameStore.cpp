#include "store/GameStore.h"

#include <algorithm>
#include <array>

#include "record/Text.h"
#include "store/FileIo.h"
#include "store/SearchKeyList.h"
#include "store/StoreStrings.h"

namespace stonewise {

namespace {

struct DefaultGroup {
    int nameId;
    std::uint32_t type;
};

constexpr std::array<DefaultGroup, 6> kDefaultGroups{{
    {kStrGroupMailGo, kGroupMailGo},
    {kStrGroupPlayAndRecord, kGroupPlayAndRecord},
    {kStrGroupProblems, kGroupProblems},
    {kStrGroupViewing, kGroupViewing},
    {kStrGroupFinishedMailGo, kGroupFinishedMailGo},
    {kStrGroupFinishedGames, kGroupFinishedGames},
}};

bool isStoredGroup(int number) { return number >= 0 && number < kScratchGroup; }

} // namespace

int modeGroupSlot(int mode) {
    switch (mode) {
    case 1: return 0;
    case 2: return 1;
    case 16: return 2;
    case 32: return 3;
    case 64: return 4;
    case 256: return 5;
    case 8192: return 6;
    case 4096:
    case 4608: return 7;
    default: return -1;
    }
}

GameStore::GameStore(DataFolder folder, const StringTable& strings)
    : m_folder(std::move(folder)), m_strings(&strings) {}

void GameStore::damage(StoreMessages& messages, int title) const {
    messages.push_back({storeText(*m_strings, kTextDataDamaged), storeText(*m_strings, title)});
}

void GameStore::versionMessage(StoreMessages& messages, int id) const {
    messages.push_back({storeText(*m_strings, id), storeText(*m_strings, kStrFileReading)});
}

bool GameStore::written(bool ok, const std::string& path, StoreMessages& messages) const {
    if (!ok)
        messages.push_back(
            {storeText(*m_strings, kStrFileNotWritten, {fromUtf8(path)}), storeText(*m_strings, kStrSavingData)});
    return ok;
}

// --- groups -----------------------------------------------------------------------------------

const GroupRecord* GameStore::group(int number) const {
    if (number < 0 || number >= kGroupSlots) return nullptr;
    const auto& g = m_groups[static_cast<std::size_t>(number)];
    return g ? &*g : nullptr;
}

GroupRecord* GameStore::group(int number) {
    return const_cast<GroupRecord*>(static_cast<const GameStore*>(this)->group(number));
}

std::optional<int> GameStore::readGroupList(StoreMessages& messages) {
    m_groups = GroupTable{};
    const auto bytes = readWholeFile(m_folder.file(kGroupListFileName));
    if (!bytes) return 0;
    GroupListRead read = decodeGroupList(*bytes);
    switch (read.status) {
    case StoreReadStatus::Ok: m_groups = std::move(read.groups); return read.slots;
    case StoreReadStatus::BadVersion: versionMessage(messages, kStrGroupListVersion); return std::nullopt;
    default: damage(messages, kTitleGroupList); return std::nullopt;
    }
}

bool GameStore::writeGroupList(StoreMessages& messages) {
    const int slots = usedGroupSlots(m_groups);
    makeFolders(m_folder.path());
    const std::string path = m_folder.file(kGroupListFileName);
    return written(writeFileAtomically(path, encodeGroupList(m_groups, slots)), path, messages);
}

std::optional<int> GameStore::groupForMode(int mode, const SettingsRecord& settings) const {
    auto serves = [mode](const GroupRecord& g) {
        return mode == 0 ? g.type == 0 : (g.type & static_cast<std::uint32_t>(mode)) != 0;
    };
    const int slot = modeGroupSlot(mode);
    if (slot >= 0) {
        const int remembered = settings.modeGroups[static_cast<std::size_t>(slot)];
        if (isStoredGroup(remembered))
            if (const GroupRecord* g = group(remembered); g && serves(*g)) return remembered;
    }
    for (int n = 0; n < kScratchGroup; ++n)
        if (const GroupRecord* g = group(n); g && serves(*g)) return n;
    return std::nullopt;
}

std::optional<int> GameStore::placeGroup(std::u16string_view name, std::uint32_t type,
                                         std::optional<std::u16string> externalFolder) {
    int number = -1;
    for (int n = 0; n < kMaxUserGroups && number < 0; ++n)
        if (!m_groups[static_cast<std::size_t>(n)]) number = n;
    if (number < 0) return std::nullopt;
    GroupRecord g;
    g.number = static_cast<std::uint16_t>(number);
    g.name = std::u16string(storedText(name, kGroupNameBuffer));
    g.type = type;
    g.gameCount = 0;
    g.externalFolder = std::move(externalFolder);
    m_groups[static_cast<std::size_t>(number)] = std::move(g);
    m_folder.createGroupFolder(number);
    return number;
}

std::optional<int> GameStore::addGroup(std::u16string name, std::uint32_t type,
                                       std::optional<std::u16string> externalFolder, StoreMessages& messages) {
    const std::optional<int> placed = placeGroup(name, type, std::move(externalFolder));
    if (!placed) {
        messages.push_back({storeText(*m_strings, kTextGroupLimit), storeText(*m_strings, kTitleGroupSettings)});
        return std::nullopt;
    }
    const int number = *placed;
    if (!isFolder(m_folder.groupFolder(number))) {
        m_groups[static_cast<std::size_t>(number)].reset();
        messages.push_back({storeText(*m_strings, kStrFolderNotCreated, {fromUtf8(m_folder.groupFolder(number))}),
                            storeText(*m_strings, kTitleGroupSettings)});
        return std::nullopt;
    }
    if (!writeGroupList(messages)) {
        // A group the list on disk does not hold would be gone at the next start with its games.
        m_groups[static_cast<std::size_t>(number)].reset();
        m_folder.removeGroupFolder(number);
        return std::nullopt;
    }
    return number;
}

void GameStore::setScratchFolder(std::u16string folder) {
    GroupRecord scratch;
    scratch.number = kScratchGroup;
    scratch.name = std::u16string(storedText(folder, kGroupNameBuffer));
    scratch.gameCount = 0;
    m_groups[kScratchGroup] = std::move(scratch);
}

bool GameStore::deleteGroup(int number, int currentGroup, StoreMessages& messages) {
    if (!isStoredGroup(number) || !group(number)) return false;
    const std::u16string title = storeText(*m_strings, kTitleGroupListDialog);
    if (number == currentGroup) {
        messages.push_back({storeText(*m_strings, kStrGroupNotDeletable), title});
        return false;
    }
    if (gameList(number, messages).count() > 0) {
        messages.push_back({storeText(*m_strings, kStrGroupHasGames, {number + 1}), title});
        return false;
    }
    // The list goes first: a group whose folder is gone but which the list still holds would come
    // back empty at the next start.
    std::optional<GroupRecord> removed = std::move(m_groups[static_cast<std::size_t>(number)]);
    m_groups[static_cast<std::size_t>(number)].reset();
    if (!writeGroupList(messages)) {
        m_groups[static_cast<std::size_t>(number)] = std::move(removed);
        return false;
    }
    m_lists.erase(number);
    const std::string folder = m_folder.groupFolder(number);
    if (isFolder(folder)) {
        emptyFolder(folder);
        m_folder.removeGroupFolder(number);
    }
    return true;
}

void GameStore::start(const SettingsRecord& settings, const GameDate& today, StoreMessages& messages) {
    readGroupList(messages);
    // The user's groups (the pattern database and scratch groups above 99 do not count).
    int existing = 0;
    int only = -1;
    for (int n = 0; n < kMaxUserGroups; ++n)
        if (group(n)) {
            ++existing;
            only = n;
        }
    // Default groups stay for the session even when the data folder cannot be written (the one
    // message of the list below says so): every mode needs its group.
    auto create = [&](const DefaultGroup& d) { placeGroup(storeText(*m_strings, d.nameId), d.type, std::nullopt); };
    if (existing == 0) {
        for (const DefaultGroup& d : kDefaultGroups) create(d);
    } else if (existing == 1 && group(only)->type == 0) {
        group(only)->type = kGroupMailGo;
        for (const DefaultGroup& d : kDefaultGroups)
            if (d.type != kGroupMailGo) create(d);
    } else {
        for (const DefaultGroup& d : kDefaultGroups)
            if (!groupForMode(static_cast<int>(d.type), settings)) create(d);
    }
    writeGroupList(messages);

    const bool firstStart = !pathExists(m_folder.file(memberPageFileName(0)));
    readMembers(messages);
    if (firstStart) {
        MemberRecord unknown;
        unknown.name = storeText(*m_strings, kStrUnknownMember);
        unknown.registered = {today.year, today.month, today.day, 0};
        MemberRecord second = unknown;
        second.name = std::u16string(kSecondMemberName);
        unknown.number = 0;
        second.number = 1;
        m_members.put(unknown);
        m_members.put(second);
        writeMembers(messages);
    }
    m_currentGroup = std::max(lastViewGroup(settings), 0);
}

// --- members ----------------------------------------------------------------------------------

std::optional<int> GameStore::readMembers(StoreMessages& messages) {
    m_members = MemberList();
    int elements = 0;
    for (int page = 0; page < kMemberPages; ++page) {
        const auto bytes = readWholeFile(m_folder.file(memberPageFileName(page)));
        if (!bytes) break;
        MemberPageRead read = decodeMemberPage(*bytes, page);
        if (read.status == StoreReadStatus::BadVersion) {
            versionMessage(messages, kStrMemberListVersion);
            if (page == 0) return std::nullopt;
            break; // the pages before it stay read
        }
        elements += read.elements;
        m_members.setPage(page, std::move(read.page));
        if (read.status == StoreReadStatus::Damaged || read.dropped) damage(messages, kTitleMemberList);
    }
    return elements;
}

std::optional<int> GameStore::writeMembers(StoreMessages& messages) {
    makeFolders(m_folder.path());
    int pages = 0;
    for (int index = 0; index < kMemberPages; ++index) {
        MemberPage* page = m_members.page(index);
        if (!page) break;
        if (!page->changed) continue;
        const std::string path = m_folder.file(memberPageFileName(index));
        if (!written(writeFileAtomically(path, encodeMemberPage(*page, index)), path, messages)) return std::nullopt;
        page->changed = false;
        ++pages;
    }
    return pages;
}

// --- game lists -------------------------------------------------------------------------------

std::optional<int> GameStore::readGameListPage(int group, int page, GameListSlots& slots, StoreMessages& messages) {
    slots = GameListSlots{};
    if (!isStoredGroup(group) || page < 0 || page >= kGameListPages) return 0;
    const auto bytes = readWholeFile(m_folder.groupFile(group, gameListPageFileName(page)));
    if (!bytes) return 0;
    GameListPageRead read = decodeGameListPage(*bytes, page);
    if (read.status == StoreReadStatus::BadVersion) {
        versionMessage(messages, kStrGameListVersion);
        return std::nullopt;
    }
    if (read.status == StoreReadStatus::Damaged)
        messages.push_back(
            {storeText(*m_strings, kTextGameListDamaged, {group, page * kGamesPerPage + read.damagedSlot}),
             storeText(*m_strings, kTitleGameList)});
    slots = std::move(read.entries);
    return read.used;
}

bool GameStore::writeGameListPage(int group, int page, const GameListSlots& slots, StoreMessages& messages) {
    if (!isStoredGroup(group) || page < 0 || page >= kGameListPages) return false;
    const std::string path = m_folder.groupFile(group, gameListPageFileName(page));
    return written(m_folder.createGroupFolder(group) && writeFileAtomically(path, encodeGameListPage(slots)), path,
                   messages);
}

GameList& GameStore::gameList(int group, StoreMessages& messages) {
    auto it = m_lists.find(group);
    if (it != m_lists.end()) return it->second;
    GameList& list = m_lists.emplace(group, GameList(group)).first->second;
    if (!isStoredGroup(group)) return list;
    GameListSlots slots;
    for (int page = 0; page < kGameListPages; ++page)
        if (readGameListPage(group, page, slots, messages).value_or(0) > 0) list.setPage(page, slots);
    if (GroupRecord* g = this->group(group)) g->gameCount = list.count();
    return list;
}

bool GameStore::saveGameList(int group, StoreMessages& messages) {
    auto it = m_lists.find(group);
    if (it == m_lists.end()) return true;
    GameList& list = it->second;
    bool ok = true;
    for (int page = 0; page < kGameListPages; ++page) {
        if (!list.pageChanged(page)) continue;
        if (!writeGameListPage(group, page, list.page(page), messages)) ok = false;
        else list.setPageChanged(page, false);
    }
    updateGameCount(group);
    return ok;
}

std::optional<int> GameStore::newGameNumber(int group, StoreMessages& messages) {
    if (!isStoredGroup(group)) return std::nullopt;
    const int n = gameList(group, messages).lowestFreeNumber();
    if (n < 1) return std::nullopt;
    return n;
}

void GameStore::updateGameCount(int group) {
    auto it = m_lists.find(group);
    if (GroupRecord* g = this->group(group); g && it != m_lists.end()) g->gameCount = it->second.count();
}

bool GameStore::deleteGame(int group, int number, StoreMessages& messages) {
    if (!isStoredGroup(group)) return false;
    if (!gameList(group, messages).clear(number)) {
        messages.push_back(
            {storeText(*m_strings, kStrGameEntryMissing, {number}), storeText(*m_strings, kTitleGameList)});
        return false;
    }
    removeFile(gameFilePath(group, number));
    updateGameCount(group);
    return true;
}

// --- games ------------------------------------------------------------------------------------

std::string GameStore::gameFilePath(int group, int number) const {
    if (group == kScratchGroup) {
        const GroupRecord* scratch = this->group(kScratchGroup);
        if (!scratch || scratch->name.empty()) return {};
        std::string folder = toUtf8(scratch->name);
        if (folder.front() != '/') folder = m_folder.path() + folder; // a name of the data folder
        if (folder.back() != '/') folder.push_back('/');
        return folder + gameFileName(number);
    }
    if (!isStoredGroup(group)) return {};
    return m_folder.groupFile(group, gameFileName(number));
}

GameFileRead GameStore::readGame(int group, int number, StoreMessages& messages) const {
    const std::string path = gameFilePath(group, number);
    const auto bytes = path.empty() ? std::nullopt : readWholeFile(path);
    if (!bytes) return {};
    GameFileRead read = decodeGameFile(*bytes);
    if (read.status == StoreReadStatus::BadVersion) versionMessage(messages, kStrGameFileVersion);
    else if (read.status == StoreReadStatus::Damaged) damage(messages, kTitleGameFile);
    return read;
}

bool GameStore::writeGame(int group, int number, const RecordSequence& record, const GameInfo* owner,
                          StoreMessages& messages) {
    const std::string path = gameFilePath(group, number);
    if (path.empty()) return written(false, m_folder.groupFile(group, gameFileName(number)), messages);
    if (group == kScratchGroup) makeFolders(path.substr(0, path.find_last_of('/')));
    else if (!m_folder.createGroupFolder(group)) return written(false, path, messages);
    const NodeForm form = group == kScratchGroup ? NodeForm::Compact : NodeForm::Ordinary;
    const std::vector<std::uint8_t> bytes = encodeGameFile(record, owner, form);
    return written(m_batch ? writeFileUnsynced(path, bytes) : writeFileAtomically(path, bytes), path, messages);
}

bool GameStore::endBatch() {
    if (!m_batch) return true;
    m_batch = false;
    return syncFileSystem(m_folder.path());
}

GameFileRead GameStore::openGame(int group, int number, StoreMessages& messages) {
    if (group != kScratchGroup && !gameList(group, messages).find(number)) {
        messages.push_back(
            {storeText(*m_strings, kStrGameEntryMissing, {number}), storeText(*m_strings, kTitleGameList)});
        return {};
    }
    GameFileRead read = readGame(group, number, messages);
    if (read.status != StoreReadStatus::Ok)
        messages.push_back({storeText(*m_strings, kStrGameReadFailed), storeText(*m_strings, kTitleGameFile)});
    return read;
}

std::optional<int> GameStore::transferGame(int fromGroup, int number, int toGroup, std::u16string_view name, bool move,
                                           StoreMessages& messages) {
    if (!isStoredGroup(fromGroup) || !isStoredGroup(toGroup) || !group(toGroup)) return std::nullopt;
    if (move && fromGroup == toGroup) return std::nullopt;
    const GameInfo* source = gameList(fromGroup, messages).find(number);
    if (!source) return std::nullopt;
    const GameInfo original = *source;
    GameInfo entry = original;
    GameFileRead read = readGame(fromGroup, number, messages);
    if (read.status != StoreReadStatus::Ok) return std::nullopt;
    const std::optional<int> target = newGameNumber(toGroup, messages);
    if (!target) return std::nullopt;

    entry.number = *target;
    entry.name = std::u16string(name.substr(0, std::min(name.size(), kMaxCopyNameLength)));
    if (read.entry) {
        entry.blackName = read.entry->blackName;
        entry.whiteName = read.entry->whiteName;
    }
    // The copy is complete on disk (file, then its list page) before the original goes, so that
    // a failure at any step leaves the game in at least one group.
    if (!writeGame(toGroup, *target, *read.main, &entry, messages)) return std::nullopt;
    GameList& destination = gameList(toGroup, messages);
    const int page = *target / kGamesPerPage;
    const bool pendingBefore = destination.pageChanged(page);
    destination.put(entry);
    // Takes the copy back out of the destination: its list entry, then its file. When the list
    // cannot be written the copy stays, listed in memory as on disk.
    auto withdrawCopy = [&] {
        destination.clear(*target);
        if (writeGameListPage(toGroup, page, destination.page(page), messages))
            removeFile(gameFilePath(toGroup, *target));
        else destination.put(entry);
        destination.setPageChanged(page, false);
        updateGameCount(toGroup);
    };
    if (!writeGameListPage(toGroup, page, destination.page(page), messages)) {
        destination.clear(*target);
        destination.setPageChanged(page, pendingBefore);
        removeFile(gameFilePath(toGroup, *target));
        return std::nullopt;
    }
    destination.setPageChanged(page, false);
    updateGameCount(toGroup);
    if (move) {
        GameList& origin = gameList(fromGroup, messages);
        const int fromPage = number / kGamesPerPage;
        const bool originPending = origin.pageChanged(fromPage);
        origin.clear(number);
        if (!writeGameListPage(fromGroup, fromPage, origin.page(fromPage), messages)) {
            // The origin keeps the game, in memory as on disk, and the copy is withdrawn, so that a
            // failed move changes nothing (were withdrawing to fail too, the game is in both groups).
            origin.put(original);
            origin.setPageChanged(fromPage, originPending);
            withdrawCopy();
            return std::nullopt;
        }
        origin.setPageChanged(fromPage, false);
        removeFile(gameFilePath(fromGroup, number));
        updateGameCount(fromGroup);
    }
    // The game counts of the list are refreshed whenever a group's list is read: a list that
    // cannot be written now costs nothing but the message.
    writeGroupList(messages);
    return target;
}

std::optional<int> GameStore::copyGame(int fromGroup, int number, int toGroup, std::u16string_view name,
                                       StoreMessages& messages) {
    auto result = transferGame(fromGroup, number, toGroup, name, false, messages);
    if (!result) messages.push_back({storeText(*m_strings, kStrCopyGameFailed), storeText(*m_strings, kStrCopyGame)});
    return result;
}

std::optional<int> GameStore::moveGame(int fromGroup, int number, int toGroup, std::u16string_view name,
                                       StoreMessages& messages) {
    auto result = transferGame(fromGroup, number, toGroup, name, true, messages);
    if (!result) messages.push_back({storeText(*m_strings, kStrMoveGameFailed), storeText(*m_strings, kStrMoveGame)});
    return result;
}

// --- search keys ------------------------------------------------------------------------------

std::optional<std::vector<std::u16string>> GameStore::readSearchKeys(StoreMessages& messages) const {
    const auto bytes = readWholeFile(m_folder.file(kSearchKeysFileName));
    if (!bytes) return std::vector<std::u16string>{};
    SearchKeysRead read = decodeSearchKeys(*bytes);
    if (read.status == StoreReadStatus::BadVersion) {
        versionMessage(messages, kStrSearchKeysVersion);
        return std::nullopt;
    }
    if (read.status == StoreReadStatus::Damaged) damage(messages, kTitleSearchKeys);
    return read.keys;
}

bool GameStore::writeSearchKeys(const std::vector<std::u16string>& keys, StoreMessages& messages) const {
    makeFolders(m_folder.path());
    const std::string path = m_folder.file(kSearchKeysFileName);
    return written(writeFileAtomically(path, encodeSearchKeys(keys)), path, messages);
}

} // namespace stonewise
