#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "mailgo/MailComposer.h"
#include "mailgo/MailReader.h"

namespace stonewise {

class GameList;
class GameStore;
class MemberList;
struct GameInfo;
struct SettingsRecord;

// Who plays whom in a Mail Go game, as the members say: the user is the self member; the other
// player is the opponent, whose mail goes to the member it forwards to when it names one.
struct MailGoSides {
    bool userIsBlack = true;
    bool haveOpponent = false;
    std::u16string opponentAddress;
    std::u16string userName;
    std::u16string blackName;
    std::u16string whiteName;
};
MailGoSides mailGoSides(const GameInfo& info, const MemberList& members);

// The Mail Go settings of the program's settings.
MailSettings mailSettings(const SettingsRecord& settings);
MailReadOptions mailReadOptions(const SettingsRecord& settings, bool japaneseInterface);

// What one composition of a game's text needs.
MailComposeRequest mailComposeRequest(const GameInfo& info, const MemberList& members, const SettingsRecord& settings,
                                      MailPurpose purpose, bool japaneseInterface, bool forCloud);

// The text of a mail file (a cloud ".nextmove" file, or mail saved by hand): UTF-16 after its
// byte-order mark, UTF-8, or the Japanese code page. Nothing when it cannot be read or is larger
// than `limit` bytes.
std::optional<std::u16string> readMailTextFile(const std::string& path, std::size_t limit = 1 << 20);

// The game of a group a received text names: the first whose name is the heading's name; 0 for none.
int findMailGame(const GameList& list, std::u16string_view name);

// What taking mail text into a stored game came to (the command line's way, without a window).
struct StoredMailReceipt {
    bool headingFound = false;
    int game = 0; // the game's number; 0 when the group has no game of the heading's name
    std::u16string gameName;
    MailApplyResult result; // `branch` is no longer valid: the record is written and gone
    int studyMoves = 0;     // moves of a received study sequence
    bool written = false;   // the game's file and list entry were written
};

// Reads mail text into game `gameNumber` of `group` (0: the game the heading names), as the
// window's import does, and stores the game.
StoredMailReceipt receiveMailIntoStore(GameStore& store, int group, std::u16string_view text,
                                       const MailReadOptions& options, MailSource source, int gameNumber,
                                       const GameTime& nowUtc);

} // namespace stonewise
