#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "store/GameResultReport.h"

namespace stonewise {
namespace {

GameResult game(std::u16string first, std::u16string second, std::uint16_t result, float margin,
                std::uint16_t secondIsBlack = 0) {
    GameResult g;
    g.begun = {2024, 3, 9, 0};
    g.ended = {2024, 12, 25, 0};
    g.firstPlayer = std::move(first);
    g.secondPlayer = std::move(second);
    g.result = result;
    g.margin = margin;
    g.secondIsBlack = secondIsBlack;
    g.komi = 6.5f;
    return g;
}

TEST(GameResultReport, ResultColumnFollowsWinnerAndMargin) {
    const struct {
        std::uint16_t result;
        float margin;
        std::u16string_view text;
    } cases[] = {
        {1, 2.5f, u"黒2.5目勝ち"},       {1, 3.0f, u"黒3目勝ち"},
        {1, 1000.0f, u"黒中押し勝ち"},   {1, 1999.0f, u"黒中押し勝ち"},
        {1, 2000.0f, u"黒時間切れ勝ち"}, {2, 0.5f, u"白0.5目勝ち"},
        {0, 4.0f, u"白4目勝ち"}, // any value but 1 and 3 is a white win
        {7, 2500.0f, u"白時間切れ勝ち"}, {3, 12.0f, u"持碁"},
        {1, -3.0f, u"黒勝ち"},           {2, std::nanf(""), u"白勝ち"}, // no number of points: none
    };
    for (const auto& c : cases)
        EXPECT_EQ(resultOutcomeText(game(u"a", u"b", c.result, c.margin)), c.text) << c.result << " " << c.margin;
}

TEST(GameResultReport, CsvIsUtf16WithBomHeadingLinesAndTabbedRecordLines) {
    ResultSlots records;
    records.push_back(game(u"山田", u"鈴木", 1, 2.5f));
    records.emplace_back(); // an empty slot exports nothing
    GameResult second = game(u"山田", u"鈴木", 2, 1000.0f, 1);
    second.handicap = 3;
    second.gameName = u"第2局";
    second.place = u"メール";
    second.impressions = u"反省";
    records.push_back(second);

    const std::u16string expected =
        u"\uFEFF"
        u"棋友会\n"
        u"対局日\t終局日\t黒番\t白番\t手合割\t勝敗\t対局名\t対局場所\t感想\n"
        u"2024/ 3/ 9\t2024/12/25\t山田\t鈴木\t６.５目\t黒2.5目勝ち\t\t\t\t\r\n"
        u"2024/ 3/ 9\t2024/12/25\t鈴木\t山田\t３子\t白中押し勝ち\t第2局\tメール\t反省\t\r\n";
    std::vector<std::uint8_t> bytes;
    for (char16_t c : expected) {
        bytes.push_back(static_cast<std::uint8_t>(c & 0xFF));
        bytes.push_back(static_cast<std::uint8_t>(c >> 8));
    }
    EXPECT_EQ(resultCsvBytes(u"棋友会", records, false), bytes);
    EXPECT_EQ(bytes[0], 0xFF);
    EXPECT_EQ(bytes[1], 0xFE);

    EXPECT_EQ(resultCsvText(u"空", {}, false),
              u"空\n対局日\t終局日\t黒番\t白番\t手合割\t勝敗\t対局名\t対局場所\t感想\n");
    EXPECT_EQ(resultHandicapText(records[0].value(), true), u"６目"); // komi as a whole number
    GameResult wild = *records[0];
    for (float komi : {1e30f, -std::numeric_limits<float>::infinity(), std::nanf("")}) {
        wild.komi = komi;
        EXPECT_EQ(resultHandicapText(wild, false), u"無し") << komi;
    }
}

TEST(GameResultReport, TalliesCountFromThePlayersSide) {
    ResultSlots records = {
        game(u"私", u"鈴木", 1, 3.0f),       // I was black and won
        game(u"私", u"鈴木", 2, 3.0f, 1),    // 鈴木 black, white (me) won
        game(u"山田", u"私", 1, 1000.0f, 0), // 山田 black won: my loss
        game(u"山田", u"私", 3, 0.0f),       // jigo
        game(u"山田", u"鈴木", 2, 0.5f),     // not mine
        std::nullopt,
    };
    records[3]->begun.year = 2025;
    EXPECT_EQ(tallyResults(records, u"私"), (ResultTally{2, 1, 1}));
    EXPECT_EQ(tallyResults(records, u""), (ResultTally{2, 2, 1})); // black's side of every game
    EXPECT_EQ(tallyResults(records, u"誰か"), ResultTally{});
    EXPECT_EQ(tallyResults(records, u"私", {{2025, 1, 1, 0}, {}}), (ResultTally{0, 0, 1}));
    EXPECT_EQ(tallyResults(records, u"私", {{}, {2024, 3, 8, 0}}), ResultTally{});

    EXPECT_EQ(resultPlayers(records), (std::vector<std::u16string>{u"山田", u"私", u"鈴木"}));
    const auto opponents = tallyByOpponent(records, u"私");
    ASSERT_EQ(opponents.size(), 2u);
    EXPECT_EQ(opponents[0].opponent, u"山田");
    EXPECT_EQ(opponents[0].tally, (ResultTally{0, 1, 1}));
    EXPECT_EQ(opponents[1].opponent, u"鈴木");
    EXPECT_EQ(opponents[1].tally, (ResultTally{2, 0, 0}));
    const auto years = tallyByYear(records, u"私");
    ASSERT_EQ(years.size(), 2u);
    EXPECT_EQ(years[0].year, 2024);
    EXPECT_EQ(years[0].tally, (ResultTally{2, 1, 0}));
    EXPECT_EQ(years[1].year, 2025);
}

} // namespace
} // namespace stonewise
