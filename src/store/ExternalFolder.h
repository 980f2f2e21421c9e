#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "formats/GameFileLoader.h"
#include "record/GameInfo.h"
#include "store/StoreMessage.h"

namespace stonewise {

class GameStore;

// One "*.sgf" file of an external game-record folder, and the game of the group made from it.
struct ExternalFile {
    std::string name; // the file name with its extension, as the file system gives it
    GameTime stamp;   // last write, local time
    int game = 0;     // the group's game; 0 until it is read
};

// What a scan of the folder found, sorted by file name.
struct ExternalScan {
    bool folderFound = false;
    std::vector<ExternalFile> files;
    // Files that changed in the last seconds (another program may still be writing them): left for
    // the next scan rather than read half.
    std::vector<std::string> settling;
};

// At most this many files are taken from one folder.
constexpr std::size_t kMaxExternalFiles = 1999;

// Lists the files of `folder` whose extension is "sgf" in any case; `nowSeconds` (seconds since
// the epoch) tells which files are too fresh to read yet.
ExternalScan scanExternalFolder(const std::string& folder, std::int64_t nowSeconds);

// The local time a file was last written, as an external game keeps it; nothing when the file
// cannot be looked at.
std::optional<GameTime> fileStamp(const std::string& path);

// What a synchronisation did.
struct ExternalSyncResult {
    bool changed = false; // games added, removed or read again
    int added = 0;
    int removed = 0;
    int reread = 0;
    bool folderMissing = false;            // nothing was removed because of it
    std::vector<std::string> newlyRefused; // files the reader refused, each named once
    std::vector<int> removedGames;         // numbers of the games that left the group
    StoreMessages messages;                // the store's failures
};

// An external group kept equal to its folder: each SGF file is one game of the group. The state
// starts from the group's list (games marked as external with their file names and stamps), so a
// new run of the program does not read the folder again.
class ExternalGroup {
public:
    ExternalGroup(int group, std::string folder) : m_group(group), m_folder(std::move(folder)) {}
    int group() const { return m_group; }
    const std::string& folder() const { return m_folder; }

    // Files added since the last time are read into new games, removed files take their games
    // away, changed files are read again into their games. A folder that is missing (an unmounted
    // disk, a cloud folder not yet there) changes nothing. `onAdded` is told the running count.
    ExternalSyncResult synchronise(GameStore& store, const ExternalScan& scan, LoadSettings settings,
                                   const std::function<void(int added)>& onAdded = {});

private:
    void startFromList(GameStore& store, StoreMessages& messages);
    bool readInto(GameStore& store, const ExternalFile& file, int number, LoadSettings settings,
                  StoreMessages& messages);

    int m_group;
    std::string m_folder;
    bool m_started = false;
    std::vector<ExternalFile> m_files; // the last synchronised table, sorted by name
    std::set<std::string> m_refused;   // files the reader refused, by name and stamp
};

} // namespace stonewise
