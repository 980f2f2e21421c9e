// The program's own commands as a user meets them, headless: a scripted desktop answers every
// question, file chooser, pop-up menu and dialog.
#include <gtest/gtest.h>

#include <csignal>
#include <ctime>
#include <filesystem>
#include <fstream>

#include <sys/wait.h>
#include <unistd.h>

#include "app/Application.h"
#include "app/CIgoBoard.h"
#include "app/CommandIds.h"
#include "app/FunctionModes.h"
#include "app/GameSession.h"
#include "app/PatternSearchForm.h"
#include "app/ProgramCommands.h"
#include "app/RecordCorrection.h"
#include "store/DataFolder.h"
#include "store/FileIo.h"
#include "store/GameStore.h"
#include "store/GroupList.h"
#include "store/SettingsFile.h"
#include "support/BoardFixture.h"
#include "support/ScriptedUi.h"
#include "support/TempFolder.h"
#include "support/TestProgram.h"

namespace stonewise {
namespace {

using test::ScriptedUi;

// The program started on a data folder, with a scripted desktop.
struct Program : test::TestProgram {
    using TestProgram::TestProgram;

    void play(std::initializer_list<std::pair<int, int>> moves) {
        for (const auto& [x, y] : moves) {
            const int before = board.totalMoves();
            commands.clickPoint(x, y);
            ASSERT_EQ(board.totalMoves(), before + 1) << "move at (" << x << ", " << y << ") was not played";
        }
    }

    // An external group of `records` holding one game file, made current in `mode`; the file is
    // older than the clock's now (not one still being written).
    int externalGroup(const std::string& records, int mode) {
        std::filesystem::create_directories(records);
        std::ofstream(records + "/one.sgf", std::ios::binary) << "(;GN[外の一局];B[pd];W[dp])";
        StoreMessages messages;
        const int group =
            app.store()->addGroup(u"外部フォルダ", kGroupViewing | kGroupExternal, fromUtf8(records), messages).value();
        clock.epochSeconds = std::time(nullptr) + 3600;
        app.openGroup(group, mode);
        return group;
    }

    // In the play-and-record mode, stores a game of `moves` moves under `number` in the current
    // group and shows it; returns the group.
    int openStoredGame(int number, int moves) {
        commands.run(kCmdModePlayAndRecord);
        const int group = app.store()->currentGroup();
        test::storeSampleGame(*app.store(), group, number, moves);
        EXPECT_TRUE(app.session()->openGame(group, number));
        return group;
    }
};

std::u16string japanese(int id) {
    const auto text = StringTable::japanese().find(id);
    EXPECT_TRUE(text) << "no text " << id;
    return std::u16string(text.value_or(u""));
}

void writeText(const std::string& path, std::string_view text) {
    std::ofstream out(path, std::ios::binary);
    out << text;
}

// --- pasting and dropping SGF text -------------------------------------------------------------------

TEST(ProgramCommands, PastedOrDroppedTextIsReadAsTextWhateverItsCharset) {
    // "黒" ends in a byte that Shift_JIS takes for the first of two: read as bytes again, the "]"
    // after it vanished and the moves after it went into the comment.
    const std::u16string sgf = u"(;CA[Shift_JIS]GN[黒の対局];B[pd]C[黒];W[dp]C[白は\\]];B[pp])";
    for (bool dropped : {false, true}) {
        test::TempFolder folder;
        Program p(folder.path());
        if (dropped) {
            p.commands.openDroppedText(sgf);
        } else {
            p.clipboard.content = sgf;
            p.commands.run(kCmdOpenClipboard, CommandSource::Key);
        }
        ASSERT_EQ(p.board.totalMoves(), 3) << (dropped ? "dropped" : "pasted");
        EXPECT_EQ(p.board.gameInfo().name, u"黒の対局");
        const RecordSequence& main = p.board.record().main();
        EXPECT_EQ(main.commentOf(*main.findNode(1)), u"黒");
        EXPECT_EQ(main.commentOf(*main.findNode(2)), u"白は]");
        EXPECT_TRUE(p.ui.messages.empty());
    }
    // Text that holds no game says so with 11614.
    test::TempFolder folder;
    Program p(folder.path());
    p.clipboard.content = u"no game here";
    p.commands.run(kCmdOpenClipboard);
    ASSERT_EQ(p.ui.messages.size(), 1u);
    EXPECT_EQ(p.ui.messages[0].title, u"コピーされた棋譜データを開く");
}

// --- restoring the stored game -----------------------------------------------------------------------

TEST(ProgramCommands, RestoringGoesBackToTheGameAsLastSaved) {
    test::TempFolder folder;
    Program p(folder.path());
    p.openStoredGame(4, 6);
    p.play({{10, 10}});
    p.commands.run(kCmdSave, CommandSource::Key);
    p.play({{12, 12}, {14, 14}});
    ASSERT_EQ(p.board.totalMoves(), 9);
    p.ui.answers = {true};
    p.commands.run(kCmdRestoreRecord);
    ASSERT_EQ(p.ui.questions.size(), 1u);
    EXPECT_EQ(p.ui.questions[0].title, japanese(11206));
    EXPECT_EQ(p.board.totalMoves(), 7); // the saved state, not the one the game was opened with
    EXPECT_FALSE(p.app.session()->unsaved());
}

TEST(ProgramCommands, AHandicapChangeCancelledReplacesNothing) {
    test::TempFolder folder;
    Program p(folder.path());
    const int group = p.openStoredGame(2, 5);
    const auto stored = readWholeFile(p.app.store()->gameFilePath(group, 2));
    ASSERT_TRUE(stored);

    p.commands.run(kCmdCorrectRecord);
    ASSERT_TRUE(p.ui.correction);
    p.ui.answers = {true};
    ASSERT_TRUE(p.ui.correction->changeHandicap(3));
    EXPECT_EQ(p.board.gameInfo().handicap, 3);
    p.ui.correction->cancel();
    p.ui.correction.reset();
    EXPECT_EQ(p.board.totalMoves(), 5);
    EXPECT_EQ(p.board.gameInfo().handicap, 0);

    // Restoring afterwards gives the stored game, not the empty one the handicap change made.
    p.ui.answers = {true};
    p.commands.run(kCmdRestoreRecord);
    EXPECT_EQ(p.board.totalMoves(), 5);
    EXPECT_EQ(p.board.gameInfo().handicap, 0);
    EXPECT_EQ(readWholeFile(p.app.store()->gameFilePath(group, 2)), stored);

    // Cancelled without restoring: leaving the game neither asks nor writes.
    p.commands.run(kCmdCorrectRecord);
    p.ui.answers = {true};
    ASSERT_TRUE(p.ui.correction->changeHandicap(4));
    p.ui.correction->cancel();
    p.ui.correction.reset();
    p.ui.questions.clear();
    EXPECT_TRUE(p.app.session()->saveCurrentGame(true));
    EXPECT_TRUE(p.ui.questions.empty());
    EXPECT_FALSE(p.app.session()->unsaved());
    EXPECT_EQ(readWholeFile(p.app.store()->gameFilePath(group, 2)), stored);
}

TEST(ProgramCommands, AGameReadAndNeverStoredHasNothingToGoBackTo) {
    test::TempFolder folder;
    Program p(folder.path());
    p.clipboard.content = u"(;B[pd];W[dp])";
    p.commands.run(kCmdOpenClipboard);
    p.commands.run(kCmdToEnd);
    p.play({{10, 10}});
    p.commands.run(kCmdRestoreRecord);
    EXPECT_TRUE(p.ui.questions.empty());
    EXPECT_TRUE(p.shown(japanese(25032)));
    EXPECT_EQ(p.board.totalMoves(), 3);
}

// --- the recovery file ---------------------------------------------------------------------------------

TEST(ProgramCommands, AKilledRunLosesNoMove) {
    test::TempFolder folder;
    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        // Plays a game without saving, says so, and waits to be killed.
        Program p(folder.path());
        p.commands.run(kCmdModePlayAndRecord);
        p.play({{3, 3}, {15, 15}, {16, 3}, {2, 15}, {9, 9}});
        const char done = 1;
        if (::write(ready[1], &done, 1) != 1) ::_exit(2);
        for (;;) ::pause();
    }
    char done = 0;
    ASSERT_EQ(::read(ready[0], &done, 1), 1);
    ::kill(child, SIGKILL);
    int status = 0;
    ::waitpid(child, &status, 0);
    ASSERT_TRUE(WIFSIGNALED(status));
    ::close(ready[0]);
    ::close(ready[1]);

    Program p(folder.path());
    EXPECT_EQ(p.board.totalMoves(), 5);
    EXPECT_EQ(p.board.position().colourAt(9, 9), kBlack);
    ASSERT_TRUE(p.shown(japanese(25029)));
    EXPECT_TRUE(p.app.session()->unsaved());
    EXPECT_TRUE(pathExists(p.app.recoveryFile()));

    // "自動保存した棋譜ファイルを開く" reads it too.
    p.commands.run(kCmdOpenAutoSaved);
    EXPECT_EQ(p.board.totalMoves(), 5);
    p.commands.run(kCmdToEnd);
    EXPECT_EQ(p.board.position().colourAt(9, 9), kBlack);
    EXPECT_EQ(p.ui.messages.size(), 1u);

    // A save removes it.
    p.commands.run(kCmdSave, CommandSource::Key);
    EXPECT_FALSE(pathExists(p.app.recoveryFile()));
    EXPECT_EQ(p.ui.status, japanese(25005));
    p.commands.run(kCmdOpenAutoSaved);
    EXPECT_TRUE(p.shown(japanese(25031)));
}

TEST(ProgramCommands, ACleanExitLeavesNoRecoveryFile) {
    test::TempFolder folder;
    {
        Program p(folder.path());
        p.openStoredGame(3, 4);
        p.play({{12, 12}});
        EXPECT_TRUE(pathExists(p.app.recoveryFile()));
        p.app.settings().noSaveConfirmation = 0;
        p.ui.answers = {false}; // the changes are not wanted
        ASSERT_TRUE(p.commands.exitCheck());
        EXPECT_EQ(p.ui.questions.size(), 1u);
        EXPECT_TRUE(p.app.session()->unsaved());
        p.commands.shutDown();
        EXPECT_FALSE(pathExists(p.app.recoveryFile()));
        // What the window does after its end (a last refresh) brings nothing back.
        p.commands.refresh();
        EXPECT_FALSE(pathExists(p.app.recoveryFile()));
    }
    Program again(folder.path());
    EXPECT_FALSE(again.shown(japanese(25029)));
}

TEST(ProgramCommands, ALibraryGameComesBackInItsPlace) {
    test::TempFolder folder;
    int group = 0;
    {
        Program p(folder.path());
        group = p.openStoredGame(7, 3);
        p.play({{12, 12}, {13, 13}});
        // The run ends here without its exit.
    }
    Program p(folder.path());
    EXPECT_EQ(p.app.session()->number(), 7);
    EXPECT_EQ(p.app.session()->group(), group);
    EXPECT_EQ(p.board.totalMoves(), 5);
    // Leaving it asks, as for any changed game, and the answer keeps the recovered moves.
    p.ui.answers = {true};
    p.app.session()->saveCurrentGame(true);
    StoreMessages messages;
    EXPECT_EQ(p.app.store()->readGame(group, 7, messages).main->lastMoveNumber(), 5);
}

TEST(ProgramCommands, ARecoveredTemporaryGameRestoresToItsOwnSavedState) {
    struct Case {
        bool saved;     // the game was saved once before the run ended
        int restoredTo; // moves after "現在の棋譜を変更前の状態に戻す"; -1: refused
    };
    for (const Case& c : {Case{true, 2}, Case{false, -1}}) {
        test::TempFolder folder;
        {
            Program p(folder.path());
            p.commands.run(kCmdModePlayAndRecord);
            p.clipboard.content = u"(;GN[read];B[pd];W[dp])";
            p.commands.run(kCmdOpenClipboard);
            p.commands.run(kCmdToEnd);
            if (c.saved) p.commands.run(kCmdSave);
            p.play({{10, 10}});
        }
        Program p(folder.path());
        EXPECT_EQ(p.board.gameInfo().name, u"read");
        ASSERT_EQ(p.board.totalMoves(), 3);
        p.ui.answers = {true};
        p.commands.run(kCmdRestoreRecord);
        if (c.restoredTo < 0) {
            EXPECT_TRUE(p.shown(japanese(25032)));
            EXPECT_EQ(p.board.totalMoves(), 3);
        } else {
            EXPECT_EQ(p.board.totalMoves(), c.restoredTo);
            EXPECT_EQ(p.board.gameInfo().name, u"read");
        }
    }
}

TEST(RecoveryFile, DamagedBytesGiveNothing) {
    auto record = RecordSequence::createMain();
    record->appendNode(makeMoveNode(1, 3, 3));
    GameInfo info;
    const auto bytes = encodeRecoveryFile(2, 9, true, *record, info);
    const auto good = decodeRecoveryFile(bytes);
    ASSERT_TRUE(good);
    EXPECT_EQ(good->group, 2);
    EXPECT_EQ(good->number, 9);
    EXPECT_TRUE(good->storedEarlier);
    EXPECT_EQ(good->main->lastMoveNumber(), 1);
    for (std::size_t cut : {std::size_t{0}, std::size_t{5}, std::size_t{16}, bytes.size() - 1})
        EXPECT_FALSE(decodeRecoveryFile(std::span(bytes).first(cut))) << cut;
    auto wrong = bytes;
    wrong[4] = 2; // a version this program does not know
    EXPECT_FALSE(decodeRecoveryFile(wrong));
}

// --- modes, the finished view, the library ------------------------------------------------------------

TEST(ProgramCommands, ReturnFromTheFinishedViewOnlyReturns) {
    test::TempFolder folder;
    Program p(folder.path());
    p.commands.run(kCmdModePlayAndRecord);
    FunctionModes& modes = *p.app.modes();
    EXPECT_FALSE(p.commands.states().enabled(kCmdReturnFromFinished));
    p.commands.run(kCmdReturnFromFinished);
    EXPECT_EQ(modes.mode(), kModePlayAndRecord); // not into the finished view
    p.commands.run(kCmdFinishedView);
    EXPECT_EQ(modes.mode(), kModePlayFinished);
    EXPECT_TRUE(p.commands.states().enabled(kCmdReturnFromFinished));
    p.commands.run(kCmdReturnFromFinished, CommandSource::Popup);
    EXPECT_EQ(modes.mode(), kModePlayAndRecord);
    EXPECT_TRUE(p.ui.messages.empty());
}

TEST(ProgramCommands, TheTemporaryGameIsNotMovedToTheFinishedGroupAndSaysWhy) {
    test::TempFolder folder;
    Program p(folder.path());
    p.commands.run(kCmdModePlayAndRecord);
    p.play({{3, 3}});
    ASSERT_TRUE(p.app.session()->temporary());
    p.commands.run(kCmdMoveToFinished);
    EXPECT_TRUE(p.ui.questions.empty());
    ASSERT_EQ(p.ui.messages.size(), 1u);
    EXPECT_EQ(p.ui.messages[0].text, japanese(25004));
    EXPECT_EQ(p.ui.messages[0].title, japanese(17010));
}

TEST(ProgramCommands, TheDataFolderOpensThroughTheShell) {
    test::TempFolder folder;
    Program p(folder.path());
    p.commands.run(kCmdOpenDataFolder);
    ASSERT_EQ(p.shell.folders.size(), 1u);
    EXPECT_EQ(p.shell.folders[0], folder.path());
    p.shell.works = false;
    p.commands.run(kCmdOpenDataFolder);
    EXPECT_TRUE(p.shown(u"データフォルダを開けませんでした。"));
}

TEST(ProgramCommands, TheHelpButtonAndTheDemoEntryAreToldApartByWhereTheyComeFrom) {
    test::TempFolder folder;
    Program p(folder.path());
    p.ui.popupAnswers = {0};
    p.commands.run(kCmdHelpButtonOrDemo, CommandSource::MainBar);
    ASSERT_EQ(p.ui.popupRequests.size(), 1u);
    EXPECT_EQ(p.ui.popupRequests[0].popup, 2);
    EXPECT_EQ(p.ui.popupRequests[0].items.front().command, kCmdVersion);
    EXPECT_TRUE(p.ui.messages.empty());

    // From the menu it is "デモ棋譜等のロード", which asks first.
    p.ui.answers = {false};
    p.commands.run(kCmdHelpButtonOrDemo, CommandSource::Menu);
    EXPECT_EQ(p.ui.popupRequests.size(), 1u);
    ASSERT_EQ(p.ui.questions.size(), 1u);
    EXPECT_EQ(p.ui.questions[0].title, u"デモ棋譜等のロード");
    EXPECT_TRUE(p.ui.messages.empty());

    // A command chosen in the pop-up runs: the version dialog, whose button opens the support page.
    p.ui.popupAnswers = {kCmdVersion};
    p.ui.versionAnswers = {VersionDialogChoice::SupportPage};
    p.commands.run(kCmdHelpButtonOrDemo, CommandSource::MainBar);
    ASSERT_EQ(p.ui.versionRequests.size(), 1u);
    EXPECT_EQ(p.ui.versionRequests[0].productLine, u"Stonewise, Version 2.2.0, Build 1052");
    ASSERT_EQ(p.shell.urls.size(), 1u);
    EXPECT_EQ(p.shell.urls[0].rfind("https://", 0), 0u);
}

TEST(ProgramCommands, TheBoardMenuTakesItsStatesFromTheCommandStates) {
    test::TempFolder folder;
    Program p(folder.path());
    p.commands.run(kCmdModePlayAndRecord);
    p.play({{3, 3}, {15, 15}});
    auto states = [&](int x, int y) {
        p.ui.popupAnswers = {0};
        p.commands.boardMenu(x, y);
        std::map<int, bool> on;
        for (const PopupItem& item : p.ui.popupRequests.back().items) on[item.command] = item.enabled;
        return on;
    };
    auto onStone = states(3, 3);
    EXPECT_FALSE(onStone[kCmdPlaceStone]);
    EXPECT_TRUE(onStone[kCmdSetMark]);
    EXPECT_FALSE(onStone[kCmdRemoveSetupStone]); // a move, not a setup stone
    auto onEmpty = states(10, 10);
    EXPECT_TRUE(onEmpty[kCmdPlaceStone]);
    EXPECT_EQ(onEmpty[kCmdComment], p.commands.states().enabled(kCmdComment));
    // A disabled entry the desktop hands back anyway runs nothing.
    p.ui.popupAnswers = {kCmdPlaceStone};
    p.commands.boardMenu(3, 3);
    EXPECT_EQ(p.board.totalMoves(), 2);
}

TEST(ProgramCommands, TheWrongVersionSettingsMessageIsShown) {
    test::TempFolder folder;
    {
        SettingsRecord settings;
        ASSERT_TRUE(saveSettings(DataFolder(folder.path()), settings));
        auto bytes = *readWholeFile(folder.path() + kSettingsFileName);
        bytes[4] = 7; // a version word this program does not read
        ASSERT_TRUE(writeFileAtomically(folder.path() + kSettingsFileName, bytes));
        std::filesystem::remove(folder.path() + kSettingsPreviousFileName);
    }
    Program p(folder.path());
    EXPECT_TRUE(p.shown(japanese(11607)));
}

// --- files ----------------------------------------------------------------------------------------------

TEST(ProgramCommands, TheWindowTitleNamesTheGame) {
    test::TempFolder folder;
    Program p(folder.path());
    EXPECT_EQ(p.ui.title, u"Stonewise");
    p.clipboard.content = u"(;GN[秋の名局]PB[本因坊]PW[井山];B[pd])";
    p.commands.run(kCmdOpenClipboard);
    EXPECT_EQ(p.ui.title, u"秋の名局 - Stonewise");
    // A game without a name is called by its players.
    p.board.gameInfo().name.clear();
    p.commands.refresh();
    EXPECT_EQ(p.ui.title, u"本因坊 対 井山 - Stonewise");
}

TEST(ProgramCommands, SavingAsSgfAddsTheExtensionWhenNoneIsTyped) {
    test::TempFolder folder;
    Program p(folder.path());
    p.commands.run(kCmdModePlayAndRecord);
    p.play({{3, 3}, {15, 15}});
    struct Case {
        std::string typed;
        std::string written;
    };
    for (const Case& c : {Case{"game", "game.sgf"}, Case{"other.sgf", "other.sgf"}, Case{"v1.2/x", "v1.2/x.sgf"}}) {
        std::filesystem::create_directories(folder.path() + "v1.2");
        p.ui.saveAnswers = {folder.path() + c.typed};
        p.commands.run(kCmdSaveAsSgf);
        EXPECT_TRUE(pathExists(folder.path() + c.written)) << c.typed;
    }
    EXPECT_EQ(p.ui.saveRequests[0].proposedName, u"無題.sgf");   // a game without a name
    EXPECT_EQ(p.ui.saveRequests[1].folder + "/", folder.path()); // the last folder is remembered
    // A name that only with ".sgf" names an existing file is asked about.
    p.ui.saveAnswers = {folder.path() + "game"};
    p.ui.answers = {false};
    p.commands.run(kCmdSaveAsSgf);
    EXPECT_EQ(p.ui.questions.size(), 1u);
    // A folder that cannot be written says so.
    p.ui.saveAnswers = {folder.path() + "missing/game"};
    p.commands.run(kCmdSaveAsSgf);
    EXPECT_TRUE(p.shown(u"ファイルを書き込めませんでした。"));
    // Cancelled: nothing.
    p.ui.messages.clear();
    p.ui.saveAnswers = {std::nullopt};
    p.commands.run(kCmdSaveAsSgf);
    EXPECT_TRUE(p.ui.messages.empty());
}

TEST(ProgramCommands, SeveralFilesAtOnceGoThroughTheImportOneByOne) {
    test::TempFolder folder;
    Program p(folder.path());
    writeText(folder.path() + "broken.sgf", "nothing");
    writeText(folder.path() + "first.sgf", "(;GN[first];B[aa];W[bb])");
    writeText(folder.path() + "second.sgf", "(;GN[second];B[cc])");
    ImportDialogResult temporary;
    temporary.choice = ImportChoice::Temporary;
    ImportDialogResult skip;
    skip.choice = ImportChoice::Skip;
    p.ui.importAnswers = {temporary, skip};
    p.commands.openDroppedFiles(
        {folder.path() + "broken.sgf", folder.path() + "first.sgf", folder.path() + "second.sgf"});
    EXPECT_EQ(p.board.gameInfo().name, u"first");
    EXPECT_EQ(p.ui.importRequests.size(), 2u); // the file without a game is named, not asked about
    ASSERT_EQ(p.ui.messages.size(), 1u);
    EXPECT_TRUE(p.shown(fromUtf8(folder.path() + "broken.sgf")));

    // The file chooser takes several too; one file alone opens without a word.
    p.ui.messages.clear();
    p.ui.openAnswers = {{folder.path() + "second.sgf"}};
    p.ui.importAnswers = {temporary};
    p.commands.run(kCmdOpenFiles, CommandSource::MainBar);
    EXPECT_EQ(p.board.gameInfo().name, u"second");
    EXPECT_TRUE(p.ui.messages.empty());
    ASSERT_EQ(p.ui.openRequests.size(), 1u);
    EXPECT_EQ(p.ui.openRequests[0].filters.front().patterns.front(), u"*.sgf");
    p.ui.openAnswers = {{}};
    p.commands.run(kCmdOpenFiles);
    EXPECT_EQ(p.board.gameInfo().name, u"second");
}

// --- what a file held that the record cannot keep ------------------------------------------------

// One move with `count` labels: the record keeps 50 in a line.
std::string manyLabels(int count) {
    std::string sgf = "(;GN[labels];B[aa]LB";
    for (int k = 0; k < count; ++k) {
        const char point[] = {'[', static_cast<char>('a' + k % 19), static_cast<char>('b' + k / 19), ':', 0};
        sgf.append(point).append(std::to_string(k)).append("]");
    }
    return sgf + ";W[ss])";
}

ImportDialogResult importAs(ImportChoice choice) {
    ImportDialogResult r;
    r.choice = choice;
    return r;
}

TEST(ProgramCommands, WhatAFileHeldBeyondTheRecordIsSaidAndASaveSaysItWritesTheReducedRecord) {
    test::TempFolder folder;
    Program p(folder.path());
    writeText(folder.path() + "labels.sgf", manyLabels(55));
    const std::u16string lost = formatText(japanese(27003), {5});
    // Opened as the temporary game, and stored in the library: both say what was left out.
    for (const ImportChoice choice : {ImportChoice::NewGame, ImportChoice::Temporary}) {
        p.ui.forget();
        p.ui.openAnswers = {{folder.path() + "labels.sgf"}};
        p.ui.importAnswers = {importAs(choice)};
        p.commands.run(kCmdOpenFiles);
        ASSERT_EQ(p.ui.messages.size(), 1u) << static_cast<int>(choice);
        EXPECT_EQ(p.ui.messages[0].title, japanese(11606));
        EXPECT_TRUE(p.ui.messages[0].text.starts_with(japanese(27001)));
        EXPECT_NE(p.ui.messages[0].text.find(lost), std::u16string::npos);
        EXPECT_EQ(p.board.gameInfo().name, u"labels");
    }
    // The first save of the game read says that it writes the reduced record; later ones do not.
    p.ui.forget();
    p.ui.saveAnswers = {folder.path() + "out.sgf", folder.path() + "again.sgf"};
    p.commands.run(kCmdSaveAsSgf);
    p.commands.run(kCmdSaveAsSgf);
    ASSERT_EQ(p.ui.messages.size(), 1u);
    EXPECT_EQ(p.ui.messages[0].text, japanese(27008));
    EXPECT_TRUE(pathExists(folder.path() + "again.sgf"));
    // A file within the limits says nothing, and its save neither.
    writeText(folder.path() + "plain.sgf", manyLabels(50));
    p.ui.forget();
    p.ui.openAnswers = {{folder.path() + "plain.sgf"}};
    p.ui.importAnswers = {importAs(ImportChoice::Temporary)};
    p.commands.run(kCmdOpenFiles);
    p.ui.saveAnswers = {folder.path() + "plain-out.sgf"};
    p.commands.run(kCmdSaveAsSgf);
    EXPECT_TRUE(p.ui.messages.empty());
    EXPECT_TRUE(pathExists(folder.path() + "plain-out.sgf"));
}

TEST(ProgramCommands, ABoardOfAnotherSizeIsRefusedNamingItsSize) {
    test::TempFolder folder;
    Program p(folder.path());
    writeText(folder.path() + "small.sgf", "(;SZ[9];B[cc];W[gg])");
    const std::u16string refusal = formatText(japanese(27000), {u"9"});
    // The import's header pre-read, the board window without a library's way, and pasted text.
    p.ui.openAnswers = {{folder.path() + "small.sgf"}};
    p.commands.run(kCmdOpenFiles);
    EXPECT_TRUE(p.ui.importRequests.empty());
    ASSERT_EQ(p.ui.messages.size(), 1u);
    EXPECT_EQ(p.ui.messages[0].text, refusal);
    p.ui.forget();
    p.clipboard.content = u"(;SZ[9];B[cc])";
    p.commands.run(kCmdOpenClipboard);
    ASSERT_EQ(p.ui.messages.size(), 1u);
    EXPECT_EQ(p.ui.messages[0].text, refusal);
    EXPECT_EQ(p.board.totalMoves(), 0);
}

TEST(ProgramCommands, ACollectionSaysHowManyGamesItHolds) {
    const std::string collection = "(;GN[first];B[aa];W[bb])(;GN[second];B[cc])";
    const std::u16string holds = formatText(japanese(27007), {2});
    for (const bool pasted : {false, true}) {
        test::TempFolder folder;
        Program p(folder.path());
        if (pasted) {
            p.commands.openDroppedText(fromUtf8(collection));
        } else {
            writeText(folder.path() + "two.sgf", collection);
            p.ui.openAnswers = {{folder.path() + "two.sgf"}};
            p.ui.importAnswers = {importAs(ImportChoice::Temporary)};
            p.commands.run(kCmdOpenFiles);
        }
        EXPECT_EQ(p.board.gameInfo().name, u"first") << pasted;
        ASSERT_EQ(p.ui.messages.size(), 1u) << pasted;
        EXPECT_EQ(p.ui.messages[0].text, holds);
        EXPECT_EQ(p.ui.messages[0].title, japanese(11606));
    }
}

TEST(ProgramCommands, TheRootCommentShowsBeforeTheFirstMove) {
    test::TempFolder folder;
    Program p(folder.path());
    // The game opens at the position the question stands at, before the answer's first move, and
    // the steps back and to the start come back to it.
    p.commands.openDroppedText(u"(;GN[problem]C[黒番、生きる手は？];B[pd]C[正解];W[dp])");
    ASSERT_EQ(p.board.totalMoves(), 2);
    EXPECT_EQ(p.board.shownMove(), 0);
    EXPECT_EQ(p.board.panelComment({}), u"黒番、生きる手は？");
    EXPECT_FALSE(p.commands.refresh().enabled(kCmdBack));
    p.board.command(kCmdForward);
    const std::u16string first = p.board.panelComment({});
    EXPECT_NE(first.find(u"正解"), std::u16string::npos);
    EXPECT_EQ(first.find(u"生きる"), std::u16string::npos);
    EXPECT_TRUE(p.commands.refresh().enabled(kCmdBack));
    p.board.command(kCmdBack);
    EXPECT_EQ(p.board.shownMove(), 0);
    EXPECT_EQ(p.board.panelComment({}), u"黒番、生きる手は？");
    p.board.command(kCmdToEnd);
    p.board.command(kCmdToStart);
    EXPECT_EQ(p.board.shownMove(), 0);
    // So with a single move too, and with handicap stones: the question stands with them.
    p.commands.openDroppedText(u"(;C[intro];B[pd])");
    EXPECT_EQ(p.board.shownMove(), 0);
    p.board.command(kCmdForward);
    EXPECT_TRUE(p.commands.refresh().enabled(kCmdBack));
    p.board.command(kCmdBack);
    EXPECT_EQ(p.board.shownMove(), 0);
    p.commands.openDroppedText(u"(;HA[2]AB[dd][pp]C[白番の打ち方は？];W[dp];B[pd])");
    EXPECT_EQ(p.board.shownMove(), 1);
    EXPECT_EQ(p.board.panelComment({}), u"白番の打ち方は？");
    // A record without a root comment opens at its first move as before, and shows nothing at 0.
    p.commands.openDroppedText(u"(;GN[plain];B[pd]C[正解];W[dp])");
    EXPECT_EQ(p.board.shownMove(), 1);
    EXPECT_FALSE(p.commands.refresh().enabled(kCmdBack));
    p.board.showMove(0);
    EXPECT_EQ(p.board.panelComment({}), u"");
}

TEST(ProgramCommands, TheGameGoesToTheClipboardAsAMailFileOfItsMainLine) {
    test::TempFolder folder;
    Program p(folder.path());
    p.clipboard.content = u"(;GN[秋/の名局];B[pd]C[好手](;W[dd];B[pp])(;W[dp]))";
    p.commands.run(kCmdOpenClipboard);
    p.app.settings().omitComments = 1; // "棋譜のコメントは送信しない"
    p.commands.run(kCmdSendGameFile);
    const std::string path =
        folder.path() + DataFolder::groupFolderName(p.app.session()->group()) + "/秋_の名局-MAIL.sgf";
    ASSERT_EQ(p.clipboard.files, std::vector<std::string>{path});
    EXPECT_EQ(p.ui.messages.back().text, japanese(26001));
    const auto bytes = readWholeFile(path);
    ASSERT_TRUE(bytes);
    const std::string sgf(bytes->begin(), bytes->end());
    EXPECT_NE(sgf.find(";W[dd]"), std::string::npos);
    EXPECT_EQ(sgf.find(";W[dp]"), std::string::npos) << "the variation stays at home";
    EXPECT_EQ(sgf.find("C["), std::string::npos) << "comments are withheld";

    // A file that cannot be written, and a clipboard that cannot be, each say so.
    std::filesystem::remove(path);
    std::filesystem::create_directories(path);
    p.commands.run(kCmdSendGameFile);
    EXPECT_EQ(p.ui.messages.back().text, japanese(26002));
    std::filesystem::remove(path);
    p.clipboard.works = false;
    p.commands.run(kCmdSendGameFile);
    EXPECT_EQ(p.ui.messages.back().text, japanese(26003));
}

TEST(ProgramCommands, AnUnsentMailGoMoveIsAskedAboutBeforeTheProgramEnds) {
    test::TempFolder folder;
    Program p(folder.path());
    p.commands.run(kCmdModeMailGo);
    p.board.gameInfo().type = kGameMailGo;
    p.play({{3, 3}});
    EXPECT_TRUE(p.board.statusText().ends_with(u" 未送信"));
    // No: the window stays and the move stays unsent; yes: the program may end.
    p.ui.answers = {false};
    EXPECT_FALSE(p.commands.exitCheck());
    EXPECT_EQ(p.ui.questions.back().text, japanese(11205));
    EXPECT_TRUE(p.board.mailUnsent());
    p.ui.answers = {true};
    EXPECT_TRUE(p.commands.exitCheck());
    EXPECT_FALSE(p.board.mailUnsent());
    EXPECT_TRUE(p.board.statusText().ends_with(u" 送信済み"));
    // Switched off in the settings ("未送信警告を表示する"), nothing is asked.
    p.play({{15, 15}});
    p.app.settings().unsentWarningOff = 1;
    const std::size_t asked = p.ui.questions.size();
    EXPECT_TRUE(p.commands.exitCheck());
    EXPECT_EQ(p.ui.questions.size(), asked);
}

TEST(ProgramCommands, AnExternalGroupFollowsItsFolderOnTheClockAndAMissingFolderIsSaidOnce) {
    test::TempFolder folder;
    Program p(folder.path());
    const std::string records = folder.path() + "records";
    StoreMessages messages;
    GameStore& store = *p.app.store();
    const int group = p.externalGroup(records, kModeViewing);
    EXPECT_TRUE(p.commands.secondTick()); // made current: read at once
    ASSERT_EQ(store.gameList(group, messages).count(), 1);
    EXPECT_EQ(store.gameList(group, messages).entries()[0]->name, u"外の一局");

    // A file added and reported by the desktop's watcher is taken in at the next second.
    ASSERT_EQ(p.commands.externalFolders(), std::vector<std::string>{records});
    writeText(records + "/two.sgf", "(;GN[二局目];B[dd])");
    p.commands.externalFolderChanged(records);
    EXPECT_TRUE(p.commands.secondTick());
    EXPECT_EQ(store.gameList(group, messages).count(), 2);

    std::filesystem::rename(records, folder.path() + "away");
    int said = 0;
    for (int second = 0; second < 180; ++second) {
        p.commands.secondTick();
        said += p.ui.boardMessages.size() && p.ui.boardMessages.back().find(u"見つかりません") != std::u16string::npos;
        p.ui.boardMessages.clear();
    }
    EXPECT_EQ(said, 1);
    EXPECT_EQ(store.gameList(group, messages).count(), 2) << "a folder briefly away takes no game with it";
}

TEST(ProgramCommands, AChangedExternalGameIsWrittenBackAfterTheQuestionKeepingTheEarlierFile) {
    test::TempFolder folder;
    Program p(folder.path());
    const std::string records = folder.path() + "records";
    StoreMessages messages;
    GameStore& store = *p.app.store();
    const int group = p.externalGroup(records, kModePlayAndRecord);
    p.commands.secondTick();
    const int number = store.gameList(group, messages).entries()[0]->number;
    ASSERT_TRUE(p.app.session()->openGame(group, number));
    p.play({{15, 15}});
    // Asked even though the settings say to save without a question; no writes nothing.
    p.app.settings().noSaveConfirmation = 1;
    p.ui.answers = {false};
    p.app.session()->saveCurrentGame(true);
    EXPECT_EQ(p.ui.questions.back().text, japanese(26104));
    EXPECT_FALSE(pathExists(records + "/one.sgf$"));
    p.ui.answers = {true};
    p.app.session()->saveCurrentGame(true);
    const auto bytes = readWholeFile(records + "/one.sgf");
    ASSERT_TRUE(bytes);
    EXPECT_NE(std::string(bytes->begin(), bytes->end()).find(";B[pp]"), std::string::npos);
    const auto earlier = readWholeFile(records + "/one.sgf$");
    ASSERT_TRUE(earlier);
    EXPECT_EQ(std::string(earlier->begin(), earlier->end()), "(;GN[外の一局];B[pd];W[dp])");
    // The folder's next look knows the file as the program wrote it: nothing is read again.
    p.ui.boardMessages.clear();
    for (int second = 0; second < 61; ++second) EXPECT_FALSE(p.commands.secondTick());
}

TEST(ProgramCommands, EachSaveLeavesAnSgfCopyAndKeepsThePreviousOneWithADollar) {
    test::TempFolder folder;
    Program p(folder.path());
    const int group = p.openStoredGame(7, 4);
    p.board.gameInfo().name = u"写し";
    p.play({{3, 3}});
    ASSERT_TRUE(p.app.session()->saveCurrentGame(false));
    p.play({{15, 3}});
    ASSERT_TRUE(p.app.session()->saveCurrentGame(false));
    const std::string copies = folder.path() + DataFolder::groupFolderName(group) + "/SGF/";
    const auto now = readWholeFile(copies + "写し.sgf");
    const auto before = readWholeFile(copies + "写し.sgf$");
    ASSERT_TRUE(now && before);
    EXPECT_GT(now->size(), before->size()) << "the newer copy holds one move more";
}

TEST(ProgramCommands, TheCompositionCommandOpensThePatternDatabasesCompositionAndExitCloses) {
    test::TempFolder folder;
    Program p(folder.path());
    bool opened = false;
    p.ui.compositionScripts.push_back([&](PatternCompositionForm&) { opened = true; });
    p.commands.run(kCmdPatternComposition); // "棋譜検索の構成..."
    EXPECT_TRUE(opened);
    EXPECT_TRUE(p.ui.messages.empty());
    p.commands.run(kCmdExit);
    EXPECT_EQ(p.ui.closeRequests, 1);
}

} // namespace
} // namespace stonewise
