// Mail Go between two installations: each player's program on its own data folder, exchanging
// moves as mail text through the clipboard or as files of a shared cloud folder.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>

#include "app/CloudSettingsForm.h"
#include "app/CommandIds.h"
#include "app/GameSession.h"
#include "app/GameSettings.h"
#include "mailgo/CloudExchange.h"
#include "mailgo/CloudRegistryFile.h"
#include "record/StringTable.h"
#include "store/GameStore.h"
#include "support/MailGoPlayer.h"
#include "support/TempFolder.h"

namespace stonewise {
namespace {

std::u16string japanese(int id) { return std::u16string(StringTable::japanese().find(id).value_or(u"?")); }

constexpr std::u16string_view kLongComment =
    u"ここは三々への打ち込みを警戒しておきたいところです。次は右辺の展開でしょう。";
using test::MailGoPlayer;

// What mail programs do to a text on its way.
std::u16string asQuotedReply(std::u16string_view text) {
    std::u16string out = u"Thanks, here is my move.\r\n\r\n";
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = std::min(text.find(u'\n', start), text.size());
        out += u"> ";
        out += text.substr(start, end - start);
        out += u"\r\n";
        start = end + 1;
    }
    return out + u"\r\n-- \r\nsignature\r\n";
}

TEST(MailGo, TwoPlayersExchangeMovesAsMailTextInJapaneseAndEnglish) {
    for (const bool english : {false, true}) {
        SCOPED_TRACE(english ? "English mail" : "Japanese mail");
        test::TempFolder folders;
        MailGoPlayer a(folders.path() + "a", u"Aoki", u"Baba", true, 0, english ? 0x01 : 0);
        MailGoPlayer b(folders.path() + "b", u"Baba", u"Aoki", false, 0, english ? 0x01 : 0);

        // Japanese: the moves go into the mail's body as well (the settings' first choice); English:
        // the mail only asks for the text pasted from the clipboard.
        if (english) a.app.settings().mailBodyForm = 0;
        a.play(15, 3);
        EXPECT_TRUE(a.board.mailUnsent());
        a.commands.run(kCmdSendMoves);
        ASSERT_TRUE(a.clipboard.content);
        const std::u16string sent = *a.clipboard.content;
        EXPECT_TRUE(sent.starts_with(english ? u"[GAME] 春の対局\n" : u"【対局】 春の対局\n")) << toUtf8(sent);
        EXPECT_NE(sent.find(english ? u"MOVE 1 16,4" : u"１手　１６、四"), std::u16string::npos) << toUtf8(sent);
        ASSERT_EQ(a.shell.urls.size(), 1u);
        EXPECT_TRUE(a.shell.urls[0].starts_with("mailto:Baba@example.org?Subject=")) << a.shell.urls[0];
        EXPECT_EQ(a.shell.urls[0].find("%E6%98%A5%E3%81%AE%E5%AF%BE%E5%B1%80") != std::string::npos, !english)
            << "the game's name in the body: " << a.shell.urls[0];
        EXPECT_EQ(a.ui.status, english ? japanese(53006) : u"");
        EXPECT_FALSE(a.board.mailUnsent());
        // The program's own text on the clipboard is not taken for received mail.
        EXPECT_FALSE(a.commands.clipboardHoldsNewMail());

        // B copies the quoted mail and takes it in; the game is found by its name.
        b.paste(asQuotedReply(sent));
        EXPECT_TRUE(b.commands.clipboardHoldsNewMail());
        b.commands.run(kCmdReceiveMoves);
        ASSERT_EQ(b.board.totalMoves(), 1);
        EXPECT_EQ(b.move(1)->x, 15);
        EXPECT_EQ(b.move(1)->y, 3);
        EXPECT_FALSE(b.clipboard.content) << "the clipboard is emptied once the moves are taken";
        EXPECT_TRUE(b.ui.messages.empty());

        // B answers with a comment long enough to be split over lines; A's watch takes it in.
        b.app.settings().omitComments = 0;
        b.play(3, 15);
        RecordSequence& bMain = b.board.record().main();
        ASSERT_TRUE(bMain.setComment(b.move(2)->index, kLongComment));
        b.commands.run(kCmdSendMoves);
        ASSERT_TRUE(b.clipboard.content);
        a.paste(*b.clipboard.content);
        a.commands.watchClipboard();
        ASSERT_EQ(a.board.totalMoves(), 2);
        EXPECT_EQ(a.move(2)->x, 3);
        EXPECT_EQ(a.board.record().main().commentOf(*a.move(2)), kLongComment);
        EXPECT_EQ(a.ui.status, japanese(53027));
        EXPECT_EQ(a.board.gameInfo().lastExchangedMove, 2);

        // Both stored the game: a restart shows the same moves.
        test::TestProgram again(folders.path() + "a");
        ASSERT_TRUE(again.app.session()->openGame(a.group, 1));
        EXPECT_EQ(again.board.totalMoves(), 2);
    }
}

TEST(MailGo, AHandicapGameStartsWithItsStonesAndAStudySequenceComesBackAsABranch) {
    test::TempFolder folders;
    MailGoPlayer a(folders.path() + "a", u"Aoki", u"Baba", false, 4); // A is White, giving four stones
    MailGoPlayer b(folders.path() + "b", u"Baba", u"Aoki", true, 4);
    ASSERT_EQ(a.board.record().main().handicapCount(), 4);
    a.play(16, 16);
    a.commands.run(kCmdSendMoves);
    const std::u16string sent = *a.clipboard.content;
    EXPECT_NE(sent.find(u"【設定】"), std::u16string::npos) << toUtf8(sent);
    b.paste(sent);
    b.commands.run(kCmdReceiveMoves);
    EXPECT_EQ(b.board.record().main().lastMoveNumber(), a.board.record().main().lastMoveNumber());
    EXPECT_EQ(b.board.record().main().handicapCount(), 4);
    EXPECT_TRUE(b.ui.messages.empty()) << toUtf8(b.ui.messages[0].text);

    // B shows a study sequence from A's move on and sends it; it arrives as a branch.
    const int last = b.board.record().main().lastMoveNumber();
    b.board.showMove(last - 1);
    b.ui.branchAnswers.push_back({BranchDialogResult::Choice::Branch, u"こちらも有力", kNoAnswer, false});
    b.commands.clickPoint(2, 16);
    ASSERT_NE(b.board.record().pathTop(), &b.board.record().main());
    b.commands.run(kCmdSendStudy);
    const std::u16string study = *b.clipboard.content;
    EXPECT_NE(study.find(u"【分岐】"), std::u16string::npos) << toUtf8(study);
    a.paste(study);
    a.commands.run(kCmdReceiveMoves);
    const RecordSequence* shown = a.board.record().pathTop();
    ASSERT_NE(shown, &a.board.record().main());
    EXPECT_EQ(a.ui.status, japanese(53023));
    EXPECT_EQ(a.board.record().main().lastMoveNumber(), last) << "the main record keeps its moves";
}

TEST(MailGo, WrongMailIsRefusedWithItsMessageAndKeepsTheMovesReadBefore) {
    test::TempFolder folders;
    MailGoPlayer b(folders.path() + "b", u"Baba", u"Aoki", false);
    b.paste(u"just a note\n");
    b.commands.run(kCmdReceiveMoves);
    EXPECT_EQ(b.ui.messages.back().text, japanese(53011));
    b.clipboard.content.reset();
    b.commands.run(kCmdReceiveMoves);
    EXPECT_EQ(b.ui.messages.back().text, japanese(53010));
    b.paste(u"【対局】 春の対局\n１手　１６、四\n２手　１６、四\n");
    b.commands.run(kCmdReceiveMoves);
    EXPECT_EQ(b.board.totalMoves(), 1) << "the first move stays";
    EXPECT_NE(b.ui.messages.back().text.find(u"２手"), std::u16string::npos);
    // Nothing to send: no opponent for a game of unknown players.
    b.board.gameInfo().whitePlayer = 0;
    b.board.gameInfo().blackPlayer = 0;
    b.commands.run(kCmdSendMoves);
    EXPECT_EQ(b.ui.messages.back().text, japanese(53002));
}

TEST(MailGo, AnUnknownGameOpensTheNewGameDialogFilledFromTheMail) {
    test::TempFolder folders;
    MailGoPlayer b(folders.path() + "b", u"Baba", u"Aoki", false);
    b.paste(u"【対局】 夏の対局\n【設定】 Baba,Chiba,0,6.5,13\n１手　４、四\n");
    GameInfo seen;
    b.ui.settingsScripts.push_back([&](GameSettings& settings) {
        const bool confirmed = settings.confirm();
        seen = settings.result();
        return confirmed;
    });
    b.commands.run(kCmdReceiveMoves);
    EXPECT_EQ(seen.name, u"夏の対局");
    EXPECT_EQ(seen.board, 1);
    EXPECT_FLOAT_EQ(seen.komi, 6.5f);
    EXPECT_TRUE(b.shown(u"「Chiba」を追加しました"));
    EXPECT_GT(b.app.store()->members().findByName(u"Chiba"), 0);
    EXPECT_EQ(b.board.gameInfo().name, u"夏の対局");
    EXPECT_EQ(b.board.totalMoves(), 1);
    EXPECT_EQ(b.move(1)->x, 3);
}

TEST(MailGo, TheCloudSettingsTieTheGameToANewOrAnExistingFile) {
    test::TempFolder folders;
    const std::string cloud = folders.path() + "Cloud";
    std::filesystem::create_directories(cloud);
    MailGoPlayer a(folders.path() + "a", u"Aoki", u"Baba", true);
    // "対局情報の編集" → "クラウド..." → "新規対局のファイル作成...": a file named after the game.
    a.ui.saveAnswers.push_back(cloud + "/春の対局");
    a.ui.cloudScripts.push_back([](CloudSettingsForm& form) {
        form.createFile();
        EXPECT_EQ(form.fileText(), u"春の対局.nextmove");
        form.setAlsoMail(true);
        return true;
    });
    a.ui.settingsScripts.push_back([](GameSettings& settings) {
        settings.cloudSettings();
        EXPECT_TRUE(settings.values().useCloud);
        return settings.confirm();
    });
    a.commands.run(kCmdEditGameInfo);
    EXPECT_EQ(a.ui.saveRequests.back().proposedName, u"春の対局.nextmove");
    const GameInfo& info = a.board.gameInfo();
    EXPECT_TRUE(usesCloud(info));
    EXPECT_TRUE(alsoMailsCloudMoves(info));
    // The next move goes to that file, and mail is made as well.
    a.play(15, 3);
    a.commands.run(kCmdSendMoves);
    EXPECT_TRUE(std::filesystem::exists(cloud + "/春の対局.nextmove"));
    EXPECT_EQ(a.shell.urls.size(), 1u);

    // A file chosen and then cancelled is not kept; "クラウド利用を停止" turns the cloud off.
    a.ui.openAnswers.push_back({cloud + "/other.nextmove"});
    a.ui.cloudScripts.push_back([](CloudSettingsForm& form) {
        form.referToFile();
        EXPECT_EQ(form.fileText(), u"other.nextmove");
        return false;
    });
    a.ui.cloudScripts.push_back([](CloudSettingsForm& form) {
        form.stopUsing();
        return true;
    });
    a.ui.settingsScripts.push_back([](GameSettings& settings) {
        settings.cloudSettings();
        EXPECT_TRUE(settings.values().useCloud) << "cancelled: the file before stays";
        settings.cloudSettings();
        EXPECT_FALSE(settings.values().useCloud);
        return settings.confirm();
    });
    a.commands.run(kCmdEditGameInfo);
    EXPECT_FALSE(usesCloud(a.board.gameInfo()));
    StoreMessages messages;
    const CloudRegistry registry = loadCloudRegistry(a.app.folder(), a.app.strings(), messages);
    ASSERT_TRUE(registry.folder(1));
    EXPECT_EQ(registry.folder(1)->files.size(), 2u);
    EXPECT_TRUE(registry.folder(1)->files[1].deleted()) << "the cancelled file's entry is dropped";
}

// Sets a file's last-write time `seconds` after now, as a later write by the other computer.
void touchLater(const std::string& path, int seconds) {
    std::filesystem::last_write_time(path,
                                     std::filesystem::file_time_type::clock::now() + std::chrono::seconds(seconds));
}

TEST(MailGo, TwoPlayersExchangeThroughACloudFolderAndTheTimeLimitWarns) {
    test::TempFolder folders;
    std::filesystem::create_directories(folders.path() + "cloud");
    const std::string file = folders.path() + "cloud/春の対局.nextmove";
    MailGoPlayer a(folders.path() + "a", u"Aoki", u"Baba", true, 0, 0, file);
    MailGoPlayer b(folders.path() + "b", u"Baba", u"Aoki", false, 0, 0, file);

    a.play(15, 3);
    a.commands.run(kCmdSendMoves);
    EXPECT_TRUE(a.shell.urls.empty()) << "the cloud carries the move: no mail";
    EXPECT_EQ(a.ui.status, japanese(53502));
    ASSERT_TRUE(std::filesystem::exists(file));

    // B's clock: the first check comes once the program has run five seconds.
    EXPECT_FALSE(b.commands.secondTick());
    b.clock.epochSeconds += 6;
    EXPECT_TRUE(b.commands.secondTick());
    ASSERT_EQ(b.board.totalMoves(), 1);
    EXPECT_EQ(b.ui.status, japanese(53028));
    // Read once: the same file is not taken again.
    b.clock.epochSeconds += 200;
    EXPECT_FALSE(b.commands.secondTick());

    b.play(3, 15);
    b.commands.run(kCmdSendMoves);
    touchLater(file, 5);
    a.clock.epochSeconds += 6;
    a.commands.secondTick();
    ASSERT_EQ(a.board.totalMoves(), 2);
    EXPECT_EQ(a.move(2)->x, 3);

    // A does not answer: after 24 hours the end of the program warns, once per day more.
    a.app.settings().unreceivedWarningHours = 24;
    a.clock.epochSeconds += 24 * 3600 + 1;
    a.ui.answers = {false};
    EXPECT_FALSE(a.commands.exitCheck());
    EXPECT_EQ(a.ui.questions.back().text, japanese(53040));
    EXPECT_TRUE(a.shown(u"春の対局"));
    const std::size_t asked = a.ui.questions.size();
    EXPECT_TRUE(a.commands.exitCheck()) << "the next warning waits a day more";
    EXPECT_EQ(a.ui.questions.size(), asked);
    a.clock.epochSeconds += 24 * 3600;
    a.ui.answers = {true};
    EXPECT_TRUE(a.commands.exitCheck());
    EXPECT_EQ(a.ui.questions.size(), asked + 1);
}

} // namespace
} // namespace stonewise
