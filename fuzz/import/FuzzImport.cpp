// The store's side of importing game-record files: any sequence of imports (new games, overwrites,
// the continuation merge), games already listed under any number and name, and names of any text,
// into a fresh library. Each game stored is listed under its number with the name it was given,
// reads back from its file, and a new game's name is unique in its group; no group holds more
// than 1,999 games; nothing crashes.
//
// Input: records of [op][length: 2 bytes][payload]. op & 7: 0 new game, 1 overwrite, 2 list
// entries put directly (2 bytes of number, 2 characters of name each), 3 new game by
// `storeNewGame` named by the payload; op & 8: the continuation
// merge; op >> 4: the group (0..5, the default groups).
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <string>
#include <unistd.h>

#include "../store/FuzzCheck.h"
#include "app/Importer.h"
#include "formats/MemberDirectory.h"
#include "record/StringTable.h"
#include "record/Text.h"
#include "store/GameListPage.h"
#include "store/GameStore.h"
#include "store/GroupGameNames.h"
#include "store/StoreMemberDirectory.h"
#include "support/ImportRecorder.h"

using namespace stonewise;

namespace {

namespace fs = std::filesystem;

std::u16string textOf(const std::uint8_t* p, std::size_t n) {
    std::u16string s;
    for (std::size_t i = 0; i + 1 < n; i += 2) s.push_back(static_cast<char16_t>(p[i] | (p[i + 1] << 8)));
    return s;
}

void checkStored(GameStore& store, const ImportReport& r, bool newGame) {
    StoreMessages messages;
    GameList& list = store.gameList(r.group, messages);
    FUZZ_CHECK(list.count() <= kMaxGameNumber);
    const GameInfo* e = list.find(r.number);
    FUZZ_CHECK(e != nullptr);
    FUZZ_CHECK(e->name == r.name);
    FUZZ_CHECK(r.name.size() <= 255 && r.name.find(u'\0') == std::u16string::npos);
    const GameFileRead read = store.readGame(r.group, r.number, messages);
    FUZZ_CHECK(read.status == StoreReadStatus::Ok && read.main && read.main->isValid());
    FUZZ_CHECK(read.entry && read.entry->name == r.name);
    if (newGame) {
        int same = 0;
        for (const GameInfo* g : list.entries()) same += g->name == r.name ? 1 : 0;
        FUZZ_CHECK(same == 1);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const fs::path root = fs::path(fs::is_directory("/dev/shm") ? "/dev/shm" : "/tmp") /
                                 ("stonewise-fuzz-import-" + std::to_string(::getpid()));
    fs::remove_all(root);
    fs::create_directories(root / "files");
    GameStore store(DataFolder((root / "data").string()), StringTable::japanese());
    StoreMessages messages;
    store.start(SettingsRecord{}, GameDate{2026, 12, 10, 0}, messages);
    StoreMemberDirectory members(store.members(), GameDate{2026, 12, 10, 0});
    int file = 0;
    for (std::size_t at = 0; at + 3 <= size;) {
        const std::uint8_t op = data[at];
        const std::size_t length = std::min<std::size_t>(data[at + 1] | (data[at + 2] << 8), size - at - 3);
        const std::uint8_t* payload = data + at + 3;
        at += 3 + length;
        const int group = (op >> 4) % 6;
        if (!store.group(group)) continue;
        switch (op & 7) {
        case 0:
        case 1: {
            const std::string path = (root / "files" / ("f" + std::to_string(file++) + ".sgf")).string();
            std::ofstream(path, std::ios::binary)
                .write(reinterpret_cast<const char*>(payload), static_cast<long>(length));
            test::ImportRecorder front;
            Importer importer(store, StringTable::japanese(), front);
            ImportOptions options;
            options.defaultGroup = group;
            options.askDialog = false;
            options.preset.choice = (op & 7) == 0 ? ImportChoice::NewGame : ImportChoice::Overwrite;
            options.preset.mergeContinuations = (op & 8) != 0;
            options.settings.members = &members;
            const ImportSummary summary = importer.run({path}, options);
            FUZZ_CHECK(summary.stored + summary.refused == static_cast<int>(front.reports.size()));
            for (const ImportReport& r : front.reports)
                if (r.status == ImportStatus::Stored) {
                    FUZZ_CHECK(r.group == group);
                    checkStored(store, r, (op & 7) == 0);
                }
            break;
        }
        case 2: {
            // Entries under numbers of any value, names of any text.
            GameList& list = store.gameList(group, messages);
            for (std::size_t i = 0; i + 6 <= length; i += 6) {
                GameInfo info;
                info.number = (payload[i] | (payload[i + 1] << 8)) % (kMaxGameNumber + 2);
                info.name = storableName(textOf(payload + i + 2, 4));
                list.put(info);
            }
            store.saveGameList(group, messages);
            break;
        }
        case 3: {
            GameInfo info;
            info.name = textOf(payload, length);
            auto main = RecordSequence::createMain();
            StoreMessages ignored;
            const std::optional<int> number = storeNewGame(store, group, *main, info, ignored);
            if (number) {
                ImportReport r;
                r.group = group;
                r.number = *number;
                r.name = store.gameList(group, ignored).find(*number)->name;
                checkStored(store, r, true);
            } else {
                FUZZ_CHECK(store.gameList(group, ignored).lowestFreeNumber() < 1);
            }
            break;
        }
        default: break;
        }
    }
    return 0;
}
