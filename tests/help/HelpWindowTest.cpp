// The help window's form through the program's commands: the help menu, F1 in modes and dialogs,
// the window's buttons, and a missing help text.
#include <gtest/gtest.h>

#include "app/FunctionModes.h"
#include "app/HelpForm.h"
#include "help/HelpImages.h"
#include "help/HelpText.h"
#include "help/HelpTextBytes.h"
#include "record/Text.h"
#include "store/FileIo.h"
#include "support/TempFolder.h"
#include "support/TestProgram.h"

namespace stonewise {
namespace {

using test::utf16File;

constexpr std::u16string_view kHelp = u"Stonewise Help\r\nRelease 1\r\n"
                                      u"[C-0-20] 始めに\r\n最初の説明\r\n<?概要=40000,鑑賞モードへ=32902>\r\n"
                                      u"[C-0-40000] 概要\r\n概要の説明\r\n?:1, 盤の画面\r\n?=$APL/overview\r\n"
                                      u"[C-0-40001] メール碁\r\n[C-0-40003] 対局と記録\r\n"
                                      u"[C-0-40005] 棋譜鑑賞\r\n[C-1-12345] フラッシュ表示\r\n"
                                      u"[C-0-40006] 問題集\r\n[C-0-40007] 棋譜検索\r\n[C-0-40008] 碁ブック\r\n"
                                      u"[C-0-40110] メインツールボタン\r\n[C-0-40111] 棋譜ツールボタン\r\n"
                                      u"[C-0-40120] 盤面上の操作\r\n[C-0-40130] 棋譜の操作\r\n"
                                      u"[C-1-40132] コメント\r\nコメントの説明\r\n"
                                      u"[C-1-40176] 文字列の検索\r\n";

// A 1 × 1 bitmap.
std::vector<std::uint8_t> tinyBitmap() {
    std::vector<std::uint8_t> b(44, 0);
    b[0] = 40;
    b[4] = 1;
    b[8] = 1;
    b[12] = 1;
    b[14] = 24;
    return b;
}

struct HelpProgram {
    test::TempFolder data;
    test::TempFolder program;
    std::int64_t now = 1000;
    std::unique_ptr<test::TestProgram> p;

    explicit HelpProgram(bool withText = true) {
        if (withText) {
            EXPECT_TRUE(writeFileAtomically(program.path() + kHelpTextFileName, utf16File(kHelp)));
            EXPECT_TRUE(
                writeFileAtomically(program.path() + kHelpImagesFileName, HelpImages::write({{}, tinyBitmap()})));
        }
        p = std::make_unique<test::TestProgram>(data.path(), program.path());
        p->commands.help().setMilliseconds([this] { return now; });
    }
    HelpForm& help() { return p->commands.help(); }
    // F1, a second after the last.
    void pressF1() {
        now += 1000;
        p->commands.run(kCmdHelpOnSituation, CommandSource::Key);
    }
    std::u16string lastHeading() const { return p->ui.helpHeadings.empty() ? u"" : p->ui.helpHeadings.back(); }
};

TEST(HelpWindowTest, TheHelpMenuShowsItsTopics) {
    HelpProgram h;
    const std::vector<std::pair<int, std::u16string_view>> expected = {
        {kCmdHelpFirst, u"始めに"},
        {kCmdHelpContents, u"目次"},
        {kCmdHelpOverview, u"概要"},
        {kCmdHelpMailGo, u"メール碁"},
        {kCmdHelpPlayAndRecord, u"対局と記録"},
        {kCmdHelpViewing, u"棋譜鑑賞"},
        {kCmdHelpProblems, u"問題集"},
        {kCmdHelpBook, u"碁ブック"},
        {kCmdHelpSearch, u"棋譜検索"},
        {kCmdHelpFlash, u"フラッシュ表示"},
        {kCmdHelpMainButtons, u"メインツールボタン"},
        {kCmdHelpRecordButtons, u"棋譜ツールボタン"},
        {kCmdHelpBoard, u"盤面上の操作"},
    };
    ASSERT_EQ(helpMenuTopics().size(), expected.size());
    for (const auto& [command, heading] : expected) {
        h.p->commands.run(command);
        EXPECT_EQ(h.lastHeading(), heading) << command;
    }
    EXPECT_TRUE(h.p->ui.messages.empty());
    EXPECT_TRUE(h.p->ui.helpUp);
    // The contents list the chapters and sections.
    h.p->commands.run(kCmdHelpContents);
    EXPECT_TRUE(h.help().contentsShown());
    EXPECT_TRUE(h.help().text().starts_with(u"始めに\r\n概要\r\n"));
    EXPECT_NE(h.help().text().find(u"\r\n    フラッシュ表示\r\n"), std::u16string::npos);

    // The help button's pop-up carries the same commands.
    h.p->ui.popupAnswers = {kCmdHelpOverview};
    h.p->commands.run(kCmdHelpButtonOrDemo, CommandSource::MainBar);
    EXPECT_EQ(h.lastHeading(), u"概要");
}

TEST(HelpWindowTest, F1ShowsTheSituationOfTheModeAndOfTheDialog) {
    HelpProgram h;
    const std::vector<std::pair<int, std::u16string_view>> modes = {{kCmdModeViewing, u"棋譜鑑賞"},
                                                                    {kCmdModeMailGo, u"メール碁"},
                                                                    {kCmdModeProblems, u"問題集"},
                                                                    {kCmdModePlayAndRecord, u"対局と記録"}};
    for (const auto& [command, heading] : modes) {
        h.p->commands.run(command);
        h.pressF1();
        EXPECT_EQ(h.lastHeading(), heading);
    }
    EXPECT_EQ(h.help().situations().depth(HelpBoard::Main), 1u) << "a mode replaces the one before";
    // A mode entered with the help hidden, the help opened, another mode: the help stays.
    h.help().hide();
    h.p->commands.run(kCmdModeViewing);
    h.p->commands.run(kCmdHelpFirst);
    h.p->commands.run(kCmdModePlayAndRecord);
    EXPECT_TRUE(h.p->ui.helpUp) << "leaving a mode keeps the help window";

    // F1 while the comment dialog is up: the dialog's topic; when the dialog goes, so does the
    // help window it brought up.
    h.help().hide();
    h.p->commands.clickPoint(3, 3);
    h.p->ui.whileDialogUp = [&] { h.pressF1(); };
    h.p->ui.commentAnswers.push_back({});
    h.p->commands.run(32793);
    ASSERT_TRUE(h.p->ui.commentAnswers.empty());
    EXPECT_EQ(h.lastHeading(), u"コメント");
    EXPECT_FALSE(h.p->ui.helpUp);
    EXPECT_EQ(h.help().situations().depth(HelpBoard::Main), 1u);

    // With the help window up before, it stays.
    h.pressF1();
    h.p->ui.commentAnswers.push_back({});
    h.p->commands.run(32793);
    EXPECT_TRUE(h.p->ui.helpUp);
    h.p->ui.whileDialogUp = nullptr;

    // The search window, while it is open.
    h.p->commands.run(kCmdTextSearch);
    ASSERT_TRUE(h.p->ui.textSearch);
    h.pressF1();
    EXPECT_EQ(h.lastHeading(), u"文字列の検索");
    h.p->ui.closeTextSearch(); // its close box
    h.pressF1();
    EXPECT_EQ(h.lastHeading(), u"対局と記録");

    // Requests closer than 100 ms to the request before are ignored: a held F1 shows the help once.
    h.p->commands.run(kCmdHelpContents);
    const std::size_t shown = h.p->ui.helpHeadings.size();
    h.pressF1();
    EXPECT_EQ(h.p->ui.helpHeadings.size(), shown + 1);
    for (int gap : {99, 99, 99, 100}) {
        h.now += gap;
        h.p->commands.run(kCmdHelpOnSituation, CommandSource::Key);
    }
    EXPECT_EQ(h.p->ui.helpHeadings.size(), shown + 2);
}

TEST(HelpWindowTest, TheWindowsButtons) {
    HelpProgram h;
    HelpForm& help = h.help();
    h.p->commands.run(kCmdHelpFirst);
    EXPECT_EQ(help.text(), u"最初の説明");
    ASSERT_EQ(help.page().commands.size(), 2u);
    EXPECT_FALSE(help.canGoPrevious());
    EXPECT_TRUE(help.supportCaption().empty());

    // A command button to a topic: its text, its picture and its support link.
    help.pressCommand(0);
    EXPECT_EQ(help.heading(), u"概要");
    EXPECT_EQ(h.p->ui.helpPictures, std::vector<std::u16string>{u"盤の画面"});
    EXPECT_EQ(help.supportCaption(), u"サポートサイトの説明");
    help.openSupportPage();
    EXPECT_EQ(h.p->shell.urls.back(), "https://stonewise.example.org/support/help/stonewise/overview");

    // "戻る", "次へ" go in the help's order; "←", "→" the way taken.
    help.next();
    EXPECT_EQ(help.heading(), u"メール碁");
    help.previous();
    EXPECT_EQ(help.heading(), u"概要");
    help.goBack();
    EXPECT_EQ(help.heading(), u"メール碁");
    help.goBack();
    EXPECT_EQ(help.heading(), u"概要");
    help.goBack();
    EXPECT_EQ(help.heading(), u"始めに");
    EXPECT_FALSE(help.canGoBack());
    help.goForward();
    EXPECT_EQ(help.heading(), u"概要");
    help.chooseTreeItem(help.tree().size() - 1);
    EXPECT_EQ(help.heading(), u"文字列の検索");
    EXPECT_FALSE(help.canGoNext());
    EXPECT_FALSE(help.canGoForward()) << "a new topic ends the way forward";
    EXPECT_EQ(help.tree()[5], (HelpTreeItem{u"フラッシュ表示", 1}));

    // A command button that sends a program command.
    help.goBack();
    help.goBack();
    help.goBack();
    EXPECT_EQ(help.heading(), u"始めに");
    help.pressCommand(1);
    EXPECT_EQ(h.p->app.modes()->mode(), kModeViewing);
    help.pressCommand(7); // no such button

    help.close();
    EXPECT_FALSE(h.p->ui.helpUp);
    EXPECT_EQ(h.p->ui.helpPictures.back(), u"");
    EXPECT_TRUE(h.p->ui.messages.empty());
    EXPECT_TRUE(pathExists(h.data.path() + kHelpIndexFileName));
}

TEST(HelpWindowTest, AMissingHelpTextIsSaidAndTheWindowStaysEmpty) {
    HelpProgram h(false);
    h.p->commands.run(kCmdHelpOverview);
    ASSERT_EQ(h.p->ui.messages.size(), 1u);
    EXPECT_EQ(h.p->ui.messages[0].text,
              u"ヘルプデータファイルが見つかりません。\r\n" + fromUtf8(h.program.path()) + u"HelpContents.txt");
    EXPECT_TRUE(h.help().contentsShown());
    EXPECT_TRUE(h.help().text().empty());
    EXPECT_TRUE(h.help().tree().empty());

    // A topic the help lacks is said; the contents are shown.
    HelpProgram other;
    other.help().show(777);
    ASSERT_EQ(other.p->ui.messages.size(), 1u);
    EXPECT_EQ(other.p->ui.messages[0].text, u"ヘルプに項目(777, -1)が見付かりません。");
    EXPECT_TRUE(other.help().contentsShown());
}

} // namespace
} // namespace stonewise
