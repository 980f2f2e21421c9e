// Importing game-record files into the library: the dialog's choices, the target group, the load
// modes, collections, and every refusal.
#include "app/Importer.h"

#include <algorithm>
#include <map>
#include <memory>

#include "app/ProblemImport.h"
#include "record/StringTable.h"
#include "record/Text.h"
#include "store/GameList.h"
#include "store/GameListPage.h"
#include "store/GameStore.h"
#include "store/GroupGameNames.h"
#include "store/GroupList.h"

namespace stonewise {

namespace {

constexpr int kStrReadTitle = 11606;  // "ファイル読み込み"
constexpr int kStrGroupLimit = 20707; // the registered groups have reached the limit
constexpr int kStrCannotRead = 25013; // the game record file could not be read: %s %s
constexpr int kStrCannotOpen = 25014;
constexpr int kStrTooLarge = 25015;
constexpr int kStrNoGame = 25016;
constexpr int kStrUnknownKind = 25017;
constexpr int kStrImportTitle = 52000;     // "ファイルの読み込み"
constexpr int kStrFirstDialogText = 52001; // 52001..52011: the dialog's labels and buttons
constexpr int kStrAutoGroup = 52012;       // "<自動振り分け>"
constexpr int kStrCurrentGroup = 52013;    // "<現在のグループ>"
constexpr int kStrGroupItem = 52014;       // "G%d: %s"
constexpr int kStrExternalTarget = 52015;  // "外部棋譜グループに読み込むことはできません。"
constexpr int kStrGroupFull = 52016;       // group %s holds the most games (%d): %s not read
constexpr int kStrProgress = 52018;        // reading game-record files (%d/%d) %s
constexpr int kStrCancel = 52019;          // "中止"
constexpr int kStrOverflowGroup = 52021;   // "%s %d": the next group of a full one

// The main board window lists at most this many groups in the save group list.
constexpr int kMaxListedGroups = 107;

std::u16string fileNameOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    return isValidUtf8(name) ? fromUtf8(name) : std::u16string(name.begin(), name.end());
}

bool isExternal(const GroupRecord& g) { return g.externalFolder.has_value() || (g.type & kGroupExternal) != 0; }

LoadMode loadMode(ImportChoice choice) {
    switch (choice) {
    case ImportChoice::Overwrite: return LoadMode::Overwrite;
    case ImportChoice::NewGame: return LoadMode::NewGame;
    default: return LoadMode::Temporary;
    }
}

} // namespace

// --- helpers -----------------------------------------------------------------------------------

std::u16string withoutSampleNumber(std::u16string_view name) {
    const std::size_t open = name.find(u'(');
    if (open == std::u16string_view::npos) return std::u16string(name);
    std::size_t i = open + 1;
    int value = 0;
    bool digits = false;
    while (i < name.size() && name[i] >= u'0' && name[i] <= u'9') {
        value = std::min(value * 10 + (name[i] - u'0'), 1000000);
        digits = true;
        ++i;
    }
    if (!digits || value <= 0 || open == 0) return std::u16string(name);
    return std::u16string(name.substr(0, open));
}

std::optional<int> automaticGroup(const GameStore& store, const GameInfo& info) {
    std::uint32_t wanted = 0;
    if (info.type == kGameMailGo) wanted = kGroupMailGo;
    else if (info.type == kGamePlayAndRecord) wanted = kGroupPlayAndRecord;
    else if (info.type == 3 || info.startFlags >= 16) wanted = kGroupProblems;
    std::optional<int> first;
    for (int n = 0; n < kMaxUserGroups; ++n) {
        const GroupRecord* g = store.group(n);
        if (!g || isExternal(*g)) continue;
        if (!first) first = n;
        if (wanted != 0 && (g->type & wanted) != 0) return n;
    }
    return first;
}

std::u16string loadFailureMessage(const StringTable& strings, const std::string& path, LoadFailure failure) {
    int reason = kStrCannotOpen;
    switch (failure) {
    case LoadFailure::TooLarge: reason = kStrTooLarge; break;
    case LoadFailure::NoGame: reason = kStrNoGame; break;
    case LoadFailure::UnknownFileKind: reason = kStrUnknownKind; break;
    default: break;
    }
    const std::u16string shown = isValidUtf8(path) ? fromUtf8(path) : std::u16string(path.begin(), path.end());
    return formatText(StringTable::lookup(&strings, kStrCannotRead).value_or(u""),
                      {shown, std::u16string(StringTable::lookup(&strings, reason).value_or(u""))});
}

std::optional<int> storeNewGame(GameStore& store, int group, const RecordSequence& main, GameInfo info,
                                StoreMessages& messages) {
    GameList& list = store.gameList(group, messages);
    const int number = list.lowestFreeNumber();
    if (number < 1) return std::nullopt;
    info.number = number;
    info.name = GroupGameNames(list).uniqueName(info.name);
    if (!store.writeGame(group, number, main, &info, messages)) return std::nullopt;
    list.put(info);
    if (!store.saveGameList(group, messages)) {
        // The entry could not be written: the game leaves the list again, as before.
        list.clear(number);
        return std::nullopt;
    }
    return number;
}

// --- the import ----------------------------------------------------------------------------------

struct Importer::State {
    const ImportOptions* options = nullptr;
    ImportSummary summary;
    ImportDialogResult choice; // the last choices of the dialog
    bool applyToAll = false;
    int target = 0; // the group the last file went to
    int fileCount = 0;
    std::map<int, std::unique_ptr<GroupGameNames>> names;
    std::map<int, bool> changedLists;
    std::map<int, int> overflow; // a full group → the group opened after it

    GroupGameNames& namesOf(GameStore& store, int group) {
        auto& n = names[group];
        if (!n) {
            StoreMessages ignored;
            n = std::make_unique<GroupGameNames>(store.gameList(group, ignored));
        }
        return *n;
    }
};

Importer::Importer(GameStore& store, const StringTable& strings, ImportFrontEnd& frontEnd)
    : m_store(store), m_strings(strings), m_frontEnd(frontEnd) {}

std::u16string Importer::text(int id) const {
    return std::u16string(StringTable::lookup(&m_strings, id).value_or(u""));
}

ImportSummary Importer::run(const std::vector<std::string>& paths, const ImportOptions& options) {
    State state;
    state.options = &options;
    state.fileCount = static_cast<int>(paths.size());
    state.target = options.defaultGroup;
    state.choice = options.preset;
    state.choice.choice = ImportChoice::NewGame; // new until the user chooses
    if (!options.askDialog) {
        state.choice = options.preset;
        state.applyToAll = true;
    }
    // New game files reach the disk together, before the list pages that name them.
    m_store.beginBatch();
    const bool progress = paths.size() > 1;
    if (progress) m_frontEnd.beginProgress({text(kStrImportTitle), text(kStrCancel), state.fileCount});
    for (std::size_t i = 0; i < paths.size(); ++i) {
        if (progress &&
            !m_frontEnd.stepProgress(
                static_cast<int>(i),
                formatText(text(kStrProgress), {static_cast<int>(i) + 1, state.fileCount, fileNameOf(paths[i])}))) {
            state.summary.ended = true;
            break;
        }
        if (!importFile(state, paths[i])) {
            state.summary.ended = true;
            break;
        }
    }
    state.summary.mergeContinuations = state.choice.mergeContinuations;
    StoreMessages messages;
    m_store.endBatch();
    for (const auto& [group, changed] : state.changedLists)
        if (changed) m_store.saveGameList(group, messages);
    m_store.writeMembers(messages);
    for (const StoreMessage& m : messages) m_frontEnd.showMessage(m.text, m.title);
    if (progress) {
        m_frontEnd.stepProgress(state.fileCount, {});
        m_frontEnd.endProgress();
    }
    return state.summary;
}

void Importer::refuse(State& state, const std::string& path, int gameIndex, std::u16string message, int group) {
    ++state.summary.refused;
    ImportReport r;
    r.path = path;
    r.gameIndex = gameIndex;
    r.status = ImportStatus::Refused;
    r.group = group;
    r.message = std::move(message);
    r.title = text(kStrImportTitle);
    m_frontEnd.reported(r);
}

void Importer::refuseUnread(State& state, const std::string& path, int gameIndex,
                            const std::vector<LoadMessage>& messages, LoadFailure failure) {
    for (std::size_t k = 1; k < messages.size(); ++k) m_frontEnd.showMessage(messages[k].text, messages[k].title);
    ++state.summary.refused;
    if (messages.empty())
        m_frontEnd.reported({path,
                             gameIndex,
                             ImportStatus::Refused,
                             -1,
                             0,
                             {},
                             loadFailureMessage(m_strings, path, failure),
                             text(kStrReadTitle)});
    else
        m_frontEnd.reported(
            {path, gameIndex, ImportStatus::Refused, -1, 0, {}, messages.front().text, messages.front().title});
}

ImportDialogRequest Importer::dialogRequest(const State& state, const std::string& path, const std::u16string& name,
                                            int fileCount) const {
    ImportDialogRequest q;
    ImportDialogTexts& t = q.texts;
    t.title = text(kStrImportTitle);
    std::u16string* fields[] = {&t.fileLabel, &t.gameLabel, &t.groupLabel, &t.applyToAll, &t.mergeContinuations,
                                &t.temporary, &t.overwrite, &t.newGame,    &t.skip,       &t.end,
                                &t.help};
    for (int k = 0; k < 11; ++k) *fields[k] = text(kStrFirstDialogText + k);
    q.fileName = fileNameOf(path);
    q.gameName = name;
    q.groups.push_back({kImportAutoGroup, text(kStrAutoGroup)});
    q.groups.push_back({kImportCurrentGroup, text(kStrCurrentGroup)});
    int listed = 0;
    for (int n = 0; n < kMaxUserGroups && listed < kMaxListedGroups; ++n) {
        const GroupRecord* g = m_store.group(n);
        if (!g || isExternal(*g)) continue;
        q.groups.push_back({n, formatText(text(kStrGroupItem), {n + 1, g->name})});
        ++listed;
    }
    q.selectedGroup = state.choice.group;
    q.applyToAll = false;
    q.mergeContinuations = state.choice.mergeContinuations;
    const bool mainWindow = state.options->mainWindow;
    StoreMessages ignored;
    q.overwriteEnabled =
        mainWindow && m_store.group(state.options->defaultGroup) &&
        GroupGameNames(m_store.gameList(state.options->defaultGroup, ignored)).findGame(name).has_value();
    q.newGameEnabled = mainWindow;
    q.skipEnabled = fileCount > 1;
    return q;
}

std::optional<int> Importer::resolveGroup(const State& state, int choice, const GameInfo& info) const {
    if (choice == kImportCurrentGroup) return state.options->defaultGroup;
    if (choice == kImportAutoGroup) return automaticGroup(m_store, info);
    if (m_store.group(choice)) return choice;
    return std::nullopt;
}

bool Importer::importFile(State& state, const std::string& path) {
    LoadSettings settings = state.options->settings;
    // Without a dialog to fill, new games into a given group need nothing of the header first: the
    // file is read once.
    if (state.applyToAll && state.choice.choice == ImportChoice::NewGame && state.choice.group != kImportAutoGroup &&
        !state.options->demoRecords) {
        const std::optional<int> group = resolveGroup(state, state.choice.group, GameInfo{});
        if (!group || !m_store.group(*group) || isExternal(*m_store.group(*group)))
            return refuseTarget(state, path, group);
        state.target = *group;
        return storeGames(state, path, {}, false);
    }
    const HeaderPreview preview = preReadGameFile(path, settings);
    if (!preview.ok) {
        refuseUnread(state, path, 0, preview.messages, preview.failure);
        return true;
    }
    std::u16string proposed = preview.proposedName;
    if (state.options->demoRecords) proposed = withoutSampleNumber(proposed);
    std::u16string name = proposed;
    if (!state.applyToAll) {
        const ImportDialogResult answer = m_frontEnd.askImport(dialogRequest(state, path, proposed, state.fileCount));
        if (answer.choice == ImportChoice::End) return false;
        if (answer.choice == ImportChoice::Skip) {
            if (state.fileCount <= 1) return false; // no skipping the only file: it ends the import
            ++state.summary.skipped;
            m_frontEnd.reported({path, 0, ImportStatus::Skipped, -1, 0, proposed, {}, {}});
            return true;
        }
        // A temporary game goes to the window whatever group is chosen; it never applies to all.
        state.choice = answer;
        state.applyToAll = answer.applyToAll && answer.choice != ImportChoice::Temporary;
        if (!answer.gameName.empty()) name = answer.gameName;
    }
    // The name to store is given to the reader when it is not the one the file proposes (edited in
    // the dialog, or a sample record's name without its number).
    const bool nameEdited = name != preview.proposedName;
    if (state.choice.choice == ImportChoice::Temporary) {
        LoadRequest request;
        request.mode = LoadMode::Temporary;
        request.gameName = name;
        settings.mergeContinuations = state.choice.mergeContinuations;
        LoadedGame game = loadGameFile(path, request, settings);
        if (!game.ok) {
            refuseUnread(state, path, 0, game.messages, game.failure);
            return true;
        }
        for (const LoadMessage& m : game.messages) m_frontEnd.showMessage(m.text, m.title);
        const std::u16string shownName = game.info.name;
        if (m_frontEnd.takeTemporary(game)) {
            ++state.summary.temporary;
            m_frontEnd.reported({path, 0, ImportStatus::Temporary, kScratchGroup, 0, shownName, {}, {}});
        }
        return true;
    }
    const std::optional<int> group = resolveGroup(state, state.choice.group, preview.info);
    if (!group || !m_store.group(*group) || isExternal(*m_store.group(*group))) return refuseTarget(state, path, group);
    state.target = *group;
    return storeGames(state, path, name, nameEdited);
}

bool Importer::refuseTarget(State& state, const std::string& path, std::optional<int> group) {
    // An external game-record group takes no files: the import ends. A group that is not there
    // (gone meanwhile) refuses this file only.
    if (group && m_store.group(*group)) {
        refuse(state, path, 0, text(kStrExternalTarget), *group);
        return false;
    }
    refuse(state, path, 0, loadFailureMessage(m_strings, path, LoadFailure::CannotOpen));
    return true;
}

std::optional<int> Importer::overflowGroup(int full) {
    const GroupRecord* g = m_store.group(full);
    if (!g) return std::nullopt;
    const std::u16string baseName = g->name;
    const std::uint32_t type = g->type;
    StoreMessages messages;
    // The groups made for this import follow one another: "name 2", "name 3", …
    int suffix = 2;
    for (int n = 0; n < kMaxUserGroups; ++n)
        if (const GroupRecord* other = m_store.group(n))
            for (int k = suffix; k < kMaxUserGroups + 2; ++k)
                if (other->name == formatText(text(kStrOverflowGroup), {baseName, k})) suffix = std::max(suffix, k + 1);
    const std::optional<int> added =
        m_store.addGroup(formatText(text(kStrOverflowGroup), {baseName, suffix}), type, std::nullopt, messages);
    return added;
}

bool Importer::storeGames(State& state, const std::string& path, std::u16string_view name, bool nameEdited) {
    LoadSettings settings = state.options->settings;
    settings.mergeContinuations = state.choice.mergeContinuations;
    LoadRequest request;
    request.mode = loadMode(state.choice.choice);
    // A name is given when the user edited it, and to find the game an overwrite replaces.
    if (nameEdited || request.mode == LoadMode::Overwrite) request.gameName = std::u16string(name);
    settings.games = &state.namesOf(m_store, state.target);
    bool goOn = true;
    int gameIndex = 0;
    loadEveryGameOfFile(path, request, settings, [&](LoadedGame& game) {
        const int index = gameIndex++;
        if (!goOn) return;
        if (!game.ok) {
            refuseUnread(state, path, index, game.messages, game.failure);
            return;
        }
        for (const LoadMessage& m : game.messages) m_frontEnd.showMessage(m.text, m.title);
        StoreMessages messages;
        GameList* list = &m_store.gameList(state.target, messages);
        int number = 0;
        if (game.mode == LoadMode::Overwrite && list->find(game.info.number)) {
            number = game.info.number;
        } else {
            number = list->lowestFreeNumber();
            // The groups this import already opened after a full one come first.
            for (auto it = state.overflow.find(state.target); number < 1 && it != state.overflow.end();
                 it = state.overflow.find(state.target)) {
                state.target = it->second;
                list = &m_store.gameList(state.target, messages);
                number = list->lowestFreeNumber();
            }
            if (number < 1 && state.options->overflowToNewGroups) {
                const int full = state.target;
                const std::optional<int> next = overflowGroup(full);
                if (next) state.overflow[full] = *next;
                if (!next) {
                    refuse(state, path, index, text(kStrGroupLimit), state.target);
                    goOn = false;
                    return;
                }
                state.target = *next;
                list = &m_store.gameList(state.target, messages);
                number = list->lowestFreeNumber();
            }
            if (number < 1) {
                const GroupRecord* g = m_store.group(state.target);
                refuse(
                    state, path, index,
                    formatText(text(kStrGroupFull), {g ? g->name : std::u16string(), kMaxGameNumber, fileNameOf(path)}),
                    state.target);
                // Every later file would go to the same full group.
                if (state.applyToAll) goOn = false;
                return;
            }
            // The name was made unique in the group the loader was not told of: make it so here.
            game.info.name = state.namesOf(m_store, state.target).uniqueName(game.info.name);
        }
        game.info.number = number;
        // A game that goes into a problem collection becomes a problem, its lines tagged.
        if (const GroupRecord* g = m_store.group(state.target); g && (g->type & kGroupProblems))
            makeProblem(*game.main, game.info);
        if (!m_store.writeGame(state.target, number, *game.main, &game.info, messages)) {
            for (std::size_t k = 1; k < messages.size(); ++k)
                m_frontEnd.showMessage(messages[k].text, messages[k].title);
            refuse(state, path, index,
                   messages.empty() ? loadFailureMessage(m_strings, path, LoadFailure::CannotOpen)
                                    : messages.front().text,
                   state.target);
            goOn = false;
            return;
        }
        list->put(game.info);
        state.namesOf(m_store, state.target).add(game.info.name, number);
        state.changedLists[state.target] = true;
        ++state.summary.stored;
        state.summary.lastGroup = state.target;
        state.summary.lastNumber = number;
        m_frontEnd.reported({path, index, ImportStatus::Stored, state.target, number, game.info.name, {}, {}});
        // The library keeps the game as the record holds it: what the file held beyond that is said.
        if (const std::u16string notice = loadNoticeText(game, &m_strings); !notice.empty())
            m_frontEnd.showMessage(notice, text(kStrReadTitle));
    });
    return goOn;
}

} // namespace stonewise
