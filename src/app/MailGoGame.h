#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "mailgo/MailComposer.h"
#include "mailgo/MailReader.h"

namespace stonewise {

class GameList;
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

} // namespace stonewise
