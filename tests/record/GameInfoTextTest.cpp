#include <gtest/gtest.h>

#include "record/GameInfoText.h"

namespace stonewise {
namespace {

GameInfo result(int winner, float margin) {
    GameInfo info;
    info.winner = static_cast<std::int16_t>(winner);
    info.margin = margin;
    return info;
}

TEST(GameInfoText, ResultTexts) {
    EXPECT_EQ(resultText(result(1, 1500)), u"黒中押し勝ち");
    EXPECT_EQ(resultText(result(2, 2500)), u"白時間切れ勝ち");
    EXPECT_EQ(resultText(result(2, 3.5f)), u"白3.5目勝ち");
    EXPECT_EQ(resultText(result(1, 4)), u"黒4目勝ち");
    EXPECT_EQ(resultText(result(2, 0)), u"白勝ち"); // a file's "W+": no number of points
    EXPECT_EQ(resultText(result(3, 0)), u"持碁");
    EXPECT_EQ(resultText(result(0, 0)), u"");
    EXPECT_EQ(gameStateText(result(0, 0)), u"");
}

TEST(GameInfoText, HandicapAndKomiTexts) {
    EXPECT_EQ(handicapText(12), u"自由12子");
    EXPECT_EQ(handicapText(1), u"自由置碁");
    EXPECT_EQ(handicapText(4), u"４子");
    struct Case {
        float komi;
        bool whole;
        std::u16string_view text;
    };
    const Case cases[] = {
        {6.5f, false, u"６.５目"}, {6.5f, true, u"６目"},     {6.0f, false, u"６.５目"}, {-0.5f, false, u"逆0.5目"},
        {-0.5f, true, u"逆1目"},   {0.0f, false, u"無し"},    {0.5f, false, u"半目"},    {40.0f, false, u"無し"},
        {-25.0f, true, u"逆25目"}, {9.5f, false, u"９.５目"},
    };
    for (const Case& c : cases) EXPECT_EQ(komiText(c.komi, c.whole), c.text) << c.komi << " " << c.whole;
    EXPECT_EQ(komiList(false).size(), 36u);
    EXPECT_EQ(komiList(true).size(), 35u);
}

TEST(GameInfoText, RanksAndListColumns) {
    EXPECT_EQ(rankText(9), u"九段");
    EXPECT_EQ(rankText(1), u"初段");
    EXPECT_EQ(rankText(-18), u"１８級");
    EXPECT_EQ(rankText(0), u"");
    GameInfo info;
    EXPECT_EQ(protectionText(info), u"臨時");
    info.number = 3;
    EXPECT_EQ(protectionText(info), u"");
    info.protection = 1;
    EXPECT_EQ(protectionText(info), u"保護中");
    info.type = kGameMailGo;
    EXPECT_EQ(gameTypeText(info), u"メール対戦");
    EXPECT_EQ(gameStateText(info), u"対局中");
    info.komi = 6.5f;
    EXPECT_EQ(handicapColumnText(info, false), u"６.５目");
    info.handicap = 3;
    EXPECT_EQ(handicapColumnText(info, false), u"３子");
    info.startDate = {2024, 3, 9, 0};
    EXPECT_EQ(dateColumnText(info), u"2024/ 3/ 9");
    info.flags = kInfoMoveWaiting;
    info.waitingTime = {2024, 3, 10, 8, 5, 0};
    EXPECT_EQ(dateColumnText(info), u"2024/ 3/10 8:05");
    GameInfo board;
    for (int b : {0, 2}) {
        board.board = static_cast<std::uint8_t>(b);
        EXPECT_EQ(board.boardSize(), 19);
    }
    board.board = 1;
    EXPECT_EQ(board.boardSize(), 13);
}

TEST(GameInfoText, InPlayStatusLine) {
    EXPECT_EQ(inPlayStatusText(24, -1, u"", u"", true, MailGoState::None), u"対局中　最終：白 23手（パス）");
    EXPECT_EQ(inPlayStatusText(7, 0, u"４", u"十六", false, MailGoState::NotSent),
              u"対局中　最終：黒  7手（４、十六） 未送信");
}

} // namespace
} // namespace stonewise
