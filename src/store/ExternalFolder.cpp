#include "store/ExternalFolder.h"

#include <algorithm>
#include <ctime>
#include <dirent.h>
#include <sys/stat.h>

#include "record/Text.h"
#include "store/GameList.h"
#include "store/GameStore.h"

namespace stonewise {

namespace {

// A file written this recently may still be growing.
constexpr std::int64_t kSettleSeconds = 2;

bool hasSgfExtension(const std::string& name) {
    const std::size_t dot = name.find_last_of('.');
    if (dot == std::string::npos || name.size() - dot != 4) return false;
    std::string ext = name.substr(dot + 1);
    std::transform(ext.begin(), ext.end(), ext.begin(), [](char c) { return static_cast<char>(c | 0x20); });
    return ext == "sgf";
}

GameTime localStamp(std::time_t t) {
    std::tm tm{};
    localtime_r(&t, &tm);
    return {static_cast<std::uint16_t>(tm.tm_year + 1900), static_cast<std::uint16_t>(tm.tm_mon + 1),
            static_cast<std::uint8_t>(tm.tm_mday),         static_cast<std::uint8_t>(tm.tm_hour),
            static_cast<std::uint8_t>(tm.tm_min),          static_cast<std::uint8_t>(tm.tm_sec)};
}

bool sameStamp(const GameTime& a, const GameTime& b) {
    return a.year == b.year && a.month == b.month && a.day == b.day && a.hour == b.hour && a.minute == b.minute &&
           a.second == b.second;
}

std::string refusalKey(const ExternalFile& f) {
    return f.name + '\n' + std::to_string(f.stamp.year) + '-' + std::to_string(f.stamp.month) + '-' +
           std::to_string(f.stamp.day) + ' ' + std::to_string(f.stamp.hour) + ':' + std::to_string(f.stamp.minute) +
           ':' + std::to_string(f.stamp.second);
}

} // namespace

std::optional<GameTime> fileStamp(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) return std::nullopt;
    return localStamp(st.st_mtime);
}

ExternalScan scanExternalFolder(const std::string& folder, std::int64_t nowSeconds) {
    ExternalScan scan;
    DIR* dir = ::opendir(folder.c_str());
    if (!dir) return scan;
    scan.folderFound = true;
    const std::string prefix = folder.empty() || folder.back() == '/' ? folder : folder + "/";
    while (const dirent* e = ::readdir(dir)) {
        const std::string name = e->d_name;
        if (!hasSgfExtension(name)) continue;
        struct stat st {};
        if (::stat((prefix + name).c_str(), &st) != 0 || !S_ISREG(st.st_mode)) continue;
        if (nowSeconds - static_cast<std::int64_t>(st.st_mtime) < kSettleSeconds) {
            scan.settling.push_back(name);
            continue;
        }
        if (scan.files.size() >= kMaxExternalFiles) continue;
        scan.files.push_back({name, localStamp(st.st_mtime), 0});
    }
    ::closedir(dir);
    std::sort(scan.files.begin(), scan.files.end(),
              [](const ExternalFile& a, const ExternalFile& b) { return a.name < b.name; });
    std::sort(scan.settling.begin(), scan.settling.end());
    return scan;
}

void ExternalGroup::startFromList(GameStore& store, StoreMessages& messages) {
    m_started = true;
    for (const GameInfo* info : store.gameList(m_group, messages).entries()) {
        if ((info->flags & kInfoExternalGame) == 0 || info->gameComment.empty()) continue;
        m_files.push_back({toUtf8(info->gameComment), info->waitingTime, info->number});
    }
    std::sort(m_files.begin(), m_files.end(),
              [](const ExternalFile& a, const ExternalFile& b) { return a.name < b.name; });
}

bool ExternalGroup::readInto(GameStore& store, const ExternalFile& file, int number, LoadSettings settings,
                             StoreMessages& messages) {
    const std::string prefix = m_folder.empty() || m_folder.back() == '/' ? m_folder : m_folder + "/";
    LoadedGame game = loadGameFile(prefix + file.name, LoadRequest{}, settings);
    if (!game.ok || !game.main) return false;
    GameInfo info = game.info;
    info.number = number;
    info.flags = static_cast<std::uint16_t>((info.flags | kInfoExternalGame) & ~kInfoReread);
    info.gameComment = fromUtf8(file.name); // an external game's list entry names its file here
    info.waitingTime = file.stamp;
    if (!store.writeGame(m_group, number, *game.main, &info, messages)) return false;
    store.gameList(m_group, messages).put(info);
    return true;
}

ExternalSyncResult ExternalGroup::synchronise(GameStore& store, const ExternalScan& scan, LoadSettings settings,
                                              const std::function<void(int added)>& onAdded) {
    ExternalSyncResult result;
    if (!m_started) startFromList(store, result.messages);
    if (!scan.folderFound) {
        result.folderMissing = true;
        return result;
    }
    const auto settling = [&scan](const std::string& name) {
        return std::binary_search(scan.settling.begin(), scan.settling.end(), name);
    };
    // A refusal is said once for a file as it is; the file is tried again when it changes.
    const auto refused = [&](const ExternalFile& f) {
        if (m_refused.insert(refusalKey(f)).second) result.newlyRefused.push_back(f.name);
    };
    std::vector<ExternalFile> next;
    std::size_t i = 0, j = 0;
    while (i < m_files.size() || j < scan.files.size()) {
        const bool onlyOld = j == scan.files.size() || (i < m_files.size() && m_files[i].name < scan.files[j].name);
        const bool onlyNew = i == m_files.size() || (j < scan.files.size() && scan.files[j].name < m_files[i].name);
        if (onlyOld) {
            const ExternalFile& old = m_files[i++];
            if (settling(old.name)) {
                next.push_back(old); // being written: it stays until it can be read
                continue;
            }
            if (store.deleteGame(m_group, old.game, result.messages)) {
                ++result.removed;
                result.removedGames.push_back(old.game);
            }
            continue;
        }
        if (onlyNew) {
            ExternalFile file = scan.files[j++];
            if (m_refused.contains(refusalKey(file))) continue;
            const int number = store.gameList(m_group, result.messages).lowestFreeNumber();
            if (number < 1) break; // the group is full: the rest waits
            if (!readInto(store, file, number, settings, result.messages)) {
                refused(file);
                continue;
            }
            file.game = number;
            next.push_back(file);
            ++result.added;
            if (onAdded) onAdded(result.added);
            continue;
        }
        ExternalFile file = scan.files[j++];
        file.game = m_files[i++].game;
        // The program's own save of the game wrote the file: its entry holds the time it left.
        const GameInfo* stored = store.gameList(m_group, result.messages).find(file.game);
        const GameTime known =
            stored && (stored->flags & kInfoExternalGame) ? stored->waitingTime : m_files[i - 1].stamp;
        if (!sameStamp(file.stamp, known) && !m_refused.contains(refusalKey(file))) {
            if (readInto(store, file, file.game, settings, result.messages)) {
                ++result.reread;
            } else {
                refused(file);
                file.stamp = m_files[i - 1].stamp; // the game keeps what was read before
            }
        }
        next.push_back(std::move(file));
    }
    m_files = std::move(next);
    result.changed = result.added + result.removed + result.reread > 0;
    if (result.changed) store.saveGameList(m_group, result.messages);
    return result;
}

} // namespace stonewise
