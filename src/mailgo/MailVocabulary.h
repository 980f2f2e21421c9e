#pragma once

#include <string_view>

namespace stonewise {

struct GameInfo;

// The words of a next-move mail text. Two sets exist: the Japanese one from the text table and the
// English one for games played by English mail. The reader knows both, whatever the game.
struct MailVocabulary {
    std::u16string_view white;
    std::u16string_view black;
    std::u16string_view gameHeading;      // "【対局】", "[GAME]"
    std::u16string_view settingsHeading;  // "【設定】", "[SETTINGS]"
    std::u16string_view branchHeading;    // "【分岐】", "[BRANCH]"
    std::u16string_view referenceHeading; // "【参考】", "[REFERENCE]"
    std::u16string_view pass;             // "パス", "PASS"
    std::u16string_view moveLine;         // "%s手　%s%s%s", "MOVE %s %s%s%s": number, point, padding, comment

    // The Japanese words, from the program's own text table.
    static MailVocabulary japanese();
    static const MailVocabulary& english();
    // The words a game's mail is written in: English for a game played by English mail.
    static MailVocabulary forGame(const GameInfo& info);
};

// Flag bit of a game: its moves go by English mail ("英語のメールで対局").
constexpr unsigned kGameFlagEnglishMail = 0x01;

} // namespace stonewise
