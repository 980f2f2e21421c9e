// "印刷..." as a user meets it: the dialog's choices, the page printed, and a printer or PDF file
// that fails.
#include <gtest/gtest.h>

#include <algorithm>

#include "app/CommandIds.h"
#include "app/Printing.h"
#include "support/TempFolder.h"
#include "support/TestProgram.h"

namespace stonewise {
namespace {

// 45 moves, black's on the upper side and white's on the lower one.
std::u16string longGame() {
    std::u16string sgf = u"(;GN[印刷の一局]PB[黒田]PW[白川]DT[2026-12-11]RE[W+R]";
    for (int k = 0; k < 45; ++k)
        sgf += std::u16string(k % 2 ? u";W[" : u";B[") + static_cast<char16_t>(u'a' + k % 19) +
               static_cast<char16_t>(k % 2 ? u'r' - k / 19 : u'c' + k / 19) + u"]";
    return sgf + u")";
}

struct Program : test::TestProgram {
    using TestProgram::TestProgram;

    void open(std::u16string_view sgf) {
        clipboard.content = std::u16string(sgf);
        commands.run(kCmdOpenClipboard);
        ASSERT_TRUE(ui.messages.empty());
    }
    // The texts of the last page printed.
    std::vector<std::u16string> printedTexts() const {
        std::vector<std::u16string> out;
        if (ui.printedPages.empty()) return out;
        for (const PrintOp& op : ui.printedPages.back().ops)
            if (op.kind == PrintOp::Kind::Text) out.push_back(op.text);
        return out;
    }
    bool printed(std::u16string_view text) const {
        const auto texts = printedTexts();
        return std::find(texts.begin(), texts.end(), text) != texts.end();
    }
};

TEST(Printing, TheDialogOffersTheGamesNumbersAndKeepsTheChoices) {
    test::TempFolder folder;
    Program p(folder.path());
    p.open(longGame());
    p.board.showMove(30);

    PrintOptions chosen;
    chosen.numbers = true;
    chosen.firstNumber = 21;
    chosen.printSize = 3;
    chosen.numberSize = 1;
    chosen.distantList = true;
    chosen.distanceLimit = 12;
    p.ui.printAnswers = {chosen, std::nullopt};
    p.commands.run(kCmdPrint);
    ASSERT_EQ(p.ui.printRequests.size(), 1u);
    const PrintDialogRequest& first = p.ui.printRequests[0];
    EXPECT_EQ(first.texts.title, u"印刷形式の選択");
    EXPECT_EQ(first.texts.distanceLimit, u"離れた着手の距離制限：");
    EXPECT_EQ(first.texts.help, u"？");
    EXPECT_EQ(first.firstNumbers, (std::vector<int>{1, 21, 41}));
    EXPECT_EQ(first.distanceLimits, (std::vector<int>{4, 5, 6, 7, 8, 9, 10, 11, 12}));
    EXPECT_FALSE(first.options.numbers); // the board shows no numbers
    EXPECT_EQ(first.options.printSize, 2);

    // The board as shown: up to move 30, numbered from 21.
    ASSERT_EQ(p.ui.printedPages.size(), 1u);
    EXPECT_EQ(p.ui.printedPages[0].documentName, u"印刷の一局");
    EXPECT_TRUE(p.printed(u"黒番： 黒田"));
    EXPECT_TRUE(p.printed(u"最終手：  30 （１１，十七）"));
    EXPECT_TRUE(p.printed(u"30"));
    EXPECT_FALSE(p.printed(u"20"));
    EXPECT_FALSE(p.printed(u"31"));
    // Every move jumps from one edge to the other; 21 follows 20.
    EXPECT_TRUE(p.printed(u" 21 （２，四）"));

    // Opened again, from the tool button: the options stay but the first number is 1 again; the
    // sizes come from the settings. Cancelling prints nothing and says nothing.
    p.commands.run(kCmdPrint, CommandSource::MainBar);
    ASSERT_EQ(p.ui.printRequests.size(), 2u);
    const PrintOptions& again = p.ui.printRequests[1].options;
    EXPECT_TRUE(again.numbers);
    EXPECT_EQ(again.firstNumber, 1);
    EXPECT_EQ(again.distanceLimit, 12);
    EXPECT_EQ(again.printSize, 3);
    EXPECT_EQ(again.numberSize, 1);
    EXPECT_EQ(p.app.settings().printSize, 3);
    EXPECT_EQ(p.ui.printedPages.size(), 1u);
    EXPECT_TRUE(p.ui.messages.empty());
}

TEST(Printing, TheMainRecordPrintsToItsLastMove) {
    test::TempFolder folder;
    Program p(folder.path());
    p.open(longGame());
    p.board.showMove(10);
    PrintOptions options;
    options.board = 2;
    p.ui.printAnswers = {options};
    p.commands.run(kCmdPrint);
    EXPECT_TRUE(p.printed(u"最終手：  45 （７，五）"));
    EXPECT_TRUE(p.printed(u"勝敗： 白中押し勝ち"));
}

TEST(Printing, APrinterOrFileThatFailsIsSaid) {
    const struct {
        std::string pdf;
        std::u16string message;
    } cases[] = {
        {"", u"印刷できませんでした。プリンターの設定と状態を確かめて下さい。"},
        {"/no/such/folder/page.pdf", u"PDFファイルに書き込めませんでした。\r\n/no/such/folder/page.pdf"},
    };
    for (const auto& c : cases) {
        test::TempFolder folder;
        Program p(folder.path());
        p.open(longGame());
        p.ui.printAnswers = {PrintOptions{}};
        p.ui.printResults = {{PrintOutcome::Failed, c.pdf}};
        p.commands.run(kCmdPrint);
        ASSERT_EQ(p.ui.messages.size(), 1u) << c.pdf;
        EXPECT_EQ(p.ui.messages[0].text, c.message);
        EXPECT_EQ(p.ui.messages[0].title, u"印刷");
    }
}

} // namespace
} // namespace stonewise
