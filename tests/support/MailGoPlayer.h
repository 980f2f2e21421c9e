#pragma once

#include <string>
#include <string_view>

#include "support/TestProgram.h"

namespace stonewise::test {

// The name of the game the two players share.
inline constexpr std::u16string_view kMailGoGameName = u"春の対局";

// One player's program on its own data folder, with game 1 of the Mail Go group against the other
// player (members of kind self and opponent, the opponent's mail address "NAME@example.org"),
// shown in the Mail Go mode with the automatic mail fetch on. `flags` are the game's flags (0x01:
// English mail); a `cloudFile` ties the game to that file of a shared folder.
struct MailGoPlayer : TestProgram {
    int group = 0;

    MailGoPlayer(const std::string& folder, std::u16string self, std::u16string opponent, bool black,
                 std::int16_t handicap = 0, std::uint16_t flags = 0, const std::string& cloudFile = {});

    // Plays a move on the board as a click would.
    void play(int x, int y);
    const RecordNode* move(int n) { return board.record().main().findNode(n); }
    // What the player copies from a received mail.
    void paste(std::u16string text) { clipboard.content = std::move(text); }
};

} // namespace stonewise::test
