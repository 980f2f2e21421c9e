// Importing game-record files as a user meets it in the window: the dialog "ファイルの読み込み"
// answered by script, the load modes, the target group, several files, collections, every refusal,
// the sample records, and the temporary game that a file must not silently replace.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "app/Application.h"
#include "app/CIgoBoard.h"
#include "app/CommandIds.h"
#include "app/GameSession.h"
#include "app/Importer.h"
#include "app/ProgramCommands.h"
#include "record/StringTable.h"
#include "record/Text.h"
#include "store/GameStore.h"
#include "store/GroupGameNames.h"
#include "support/BoardFixture.h"
#include "support/ImportRecorder.h"
#include "support/ScriptedUi.h"
#include "support/TempFolder.h"
#include "support/TestProgram.h"

namespace stonewise {
namespace {

using test::ScriptedUi;
using namespace std::literals;

constexpr int kViewingGroup = 3; // "棋譜鑑賞" among the default groups of a first start

// The program on a fresh data folder with a scripted desktop; `programFolder` holds "BundleFiles".
struct Window : test::TestProgram {
    using TestProgram::TestProgram;
    GameStore& store() { return *app.store(); }
    std::vector<const GameInfo*> games(int group) {
        StoreMessages messages;
        return store().gameList(group, messages).entries();
    }
};

std::u16string japanese(int id) { return std::u16string(StringTable::japanese().find(id).value_or(u"?")); }

std::string writeFile(const std::string& folder, const std::string& name, std::string_view text) {
    std::ofstream(folder + name, std::ios::binary) << text;
    return folder + name;
}

ImportDialogResult answer(ImportChoice choice, int group = kImportCurrentGroup, bool all = false,
                          std::u16string name = {}) {
    ImportDialogResult r;
    r.choice = choice;
    r.group = group;
    r.applyToAll = all;
    r.gameName = std::move(name);
    return r;
}

// The moves of a stored game, as "pd dp …".
std::string storedMoves(GameStore& store, int group, int number) {
    StoreMessages messages;
    GameFileRead read = store.readGame(group, number, messages);
    std::string out;
    if (!read.main) return "<unreadable>";
    for (const RecordNode& n : read.main->nodes())
        if (n.isMove()) {
            if (!out.empty()) out += ' ';
            out += static_cast<char>('a' + n.x);
            out += static_cast<char>('a' + n.y);
        }
    return out;
}

// --- several files, the dialog's choices -----------------------------------------------------------

TEST(Import, ThreeDroppedFilesWithApplyToAllAskOnceAndGoWhereTheFirstWent) {
    test::TempFolder folder;
    test::TempFolder files;
    Window w(folder.path());
    const std::vector<std::string> paths = {writeFile(files.path(), "a.sgf", "(;GN[one];B[pd];W[dp])"),
                                            writeFile(files.path(), "b.sgf", "(;GN[two];B[dd])"),
                                            writeFile(files.path(), "c.sgf", "(;GN[one];B[pp];W[dd];B[jj])")};
    w.ui.importAnswers = {answer(ImportChoice::NewGame, kViewingGroup, true)};
    w.commands.openDroppedFiles(paths);
    ASSERT_EQ(w.ui.importRequests.size(), 1u);
    const ImportDialogRequest& q = w.ui.importRequests[0];
    EXPECT_EQ(q.fileName, u"a.sgf");
    EXPECT_EQ(q.gameName, u"one");
    EXPECT_EQ(q.texts.title, u"ファイルの読み込み");
    EXPECT_TRUE(q.skipEnabled);
    EXPECT_FALSE(q.overwriteEnabled);
    EXPECT_EQ(q.selectedGroup, kImportCurrentGroup);
    ASSERT_GE(q.groups.size(), 8u);
    EXPECT_EQ(q.groups[0].label, u"<自動振り分け>");
    EXPECT_EQ(q.groups[1].label, u"<現在のグループ>");
    EXPECT_EQ(q.groups[2 + kViewingGroup].label, u"G4: 棋譜鑑賞");
    const auto stored = w.games(kViewingGroup);
    ASSERT_EQ(stored.size(), 3u);
    EXPECT_EQ(stored[0]->name, u"one");
    EXPECT_EQ(stored[1]->name, u"two");
    EXPECT_EQ(stored[2]->name, u"one(1)"); // a name the group holds is made unique
    EXPECT_EQ(storedMoves(w.store(), kViewingGroup, stored[2]->number), "pp dd jj");
    EXPECT_EQ(w.store().group(kViewingGroup)->gameCount, 3); // the group list counts them
    // The progress window went through every file and was closed.
    ASSERT_EQ(w.ui.progressRequests.size(), 1u);
    EXPECT_EQ(w.ui.progressRequests[0].total, 3);
    EXPECT_EQ(w.ui.progressRequests[0].cancelText, u"中止");
    EXPECT_EQ(w.ui.progressEnds, 1);
    EXPECT_EQ(w.ui.progressSteps.size(), 4u);
    // The last game stored is shown, in its group.
    EXPECT_EQ(w.app.session()->group(), kViewingGroup);
    EXPECT_EQ(w.board.gameInfo().name, u"one(1)");
    EXPECT_TRUE(w.ui.messages.empty());
}

TEST(Import, SkipEndAndCancelLeaveTheRestAlone) {
    test::TempFolder folder;
    test::TempFolder files;
    Window w(folder.path());
    const std::vector<std::string> paths = {writeFile(files.path(), "a.sgf", "(;GN[a];B[pd])"),
                                            writeFile(files.path(), "b.sgf", "(;GN[b];B[pd])"),
                                            writeFile(files.path(), "c.sgf", "(;GN[c];B[pd])")};
    // Skip the first, store the second, end at the third.
    w.ui.importAnswers = {answer(ImportChoice::Skip), answer(ImportChoice::NewGame, kViewingGroup),
                          answer(ImportChoice::End)};
    w.commands.openDroppedFiles(paths);
    EXPECT_EQ(w.ui.importRequests.size(), 3u);
    EXPECT_EQ(w.ui.importRequests[1].selectedGroup, kImportCurrentGroup);
    EXPECT_EQ(w.ui.importRequests[2].selectedGroup, kViewingGroup); // the last choice is preselected
    auto stored = w.games(kViewingGroup);
    ASSERT_EQ(stored.size(), 1u);
    EXPECT_EQ(stored[0]->name, u"b");

    // "中止" in the progress window after the first file stops there.
    w.ui.cancelProgressAt = 1;
    w.ui.importAnswers = {answer(ImportChoice::NewGame, kViewingGroup, true)};
    w.commands.openDroppedFiles(paths);
    EXPECT_EQ(w.games(kViewingGroup).size(), 2u);

    // One file alone cannot be skipped.
    w.ui.importAnswers = {answer(ImportChoice::End)};
    w.commands.openFile(paths[0]);
    EXPECT_FALSE(w.ui.importRequests.back().skipEnabled);
    EXPECT_EQ(w.games(kViewingGroup).size(), 2u);
}

TEST(Import, AnEditedNameOverwriteAndTheTemporaryGame) {
    test::TempFolder folder;
    test::TempFolder files;
    Window w(folder.path());
    const int current = w.app.session()->group();
    const std::string first = writeFile(files.path(), "first.sgf", "(;GN[kept];B[pd];W[dp])");
    w.ui.importAnswers = {answer(ImportChoice::NewGame, kImportCurrentGroup, false, u"名前を変えた")};
    w.commands.openFile(first);
    auto stored = w.games(current);
    ASSERT_EQ(stored.size(), 1u);
    EXPECT_EQ(stored[0]->name, u"名前を変えた");
    const int number = stored[0]->number;

    // The same name again: overwriting is offered and keeps the game's number.
    const std::string second = writeFile(files.path(), "second.sgf", "(;GN[名前を変えた];B[qq];W[cc];B[jj])");
    w.ui.importAnswers = {answer(ImportChoice::Overwrite)};
    w.commands.openFile(second);
    ASSERT_TRUE(w.ui.importRequests.back().overwriteEnabled);
    stored = w.games(current);
    ASSERT_EQ(stored.size(), 1u);
    EXPECT_EQ(stored[0]->number, number);
    EXPECT_EQ(storedMoves(w.store(), current, number), "qq cc jj");

    // A temporary game goes to the board and to no group.
    w.ui.importAnswers = {answer(ImportChoice::Temporary)};
    w.commands.openFile(first);
    EXPECT_EQ(w.games(current).size(), 1u);
    EXPECT_TRUE(w.app.session()->temporary());
    EXPECT_EQ(w.board.gameInfo().name, u"kept");
    EXPECT_EQ(w.board.totalMoves(), 2);
}

TEST(Import, AutomaticAssignmentFollowsTheRecordsOwnType) {
    test::TempFolder folder;
    test::TempFolder files;
    Window w(folder.path());
    struct Case {
        const char* sgf;
        std::uint32_t groupType;
    };
    const Case cases[] = {
        {"(;FF[4]AP[Tamarindo:Type=1]GN[mail];B[pd])", kGroupMailGo},
        {"(;FF[4]AP[Tamarindo:Type=2]GN[played];B[pd])", kGroupPlayAndRecord},
        {"(;FF[4]AP[Tamarindo:Type=0,Flag=0,Tag=64]GN[problem];B[pd]C[Correct.])", kGroupProblems},
        {"(;GN[plain];B[pd])", kGroupMailGo}, // any other record: the first group
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.sgf);
        w.ui.importAnswers = {answer(ImportChoice::NewGame, kImportAutoGroup)};
        w.commands.openFile(writeFile(files.path(), "auto.sgf", c.sgf));
        ASSERT_EQ(w.ui.importRequests.back().groups[0].group, kImportAutoGroup);
        const int group = w.app.session()->group();
        ASSERT_TRUE(w.store().group(group));
        EXPECT_NE(w.store().group(group)->type & c.groupType, 0u);
        EXPECT_EQ(automaticGroup(w.store(), w.board.gameInfo()), group);
        // A problem's lines are tagged from its comments.
        const RecordSequence& main = w.board.record().main();
        if (c.groupType == kGroupProblems) {
            EXPECT_EQ(main.commentOf(main.nodes().back()), u"!正解:Correct.");
        }
    }
}

TEST(Import, EveryGameOfACollectionIsStored) {
    test::TempFolder folder;
    test::TempFolder files;
    Window w(folder.path());
    // A "]" inside a value and an escaped "]" do not end a game.
    const std::string path = writeFile(files.path(), "three.sgf",
                                       "(;GN[g1]C[a (b) ]];B[pd])\n(;GN[g2]C[x\\])];B[dd];W[pp])\n(;GN[g3];B[jj])");
    w.ui.importAnswers = {answer(ImportChoice::NewGame, kViewingGroup)};
    w.commands.openFile(path);
    const auto stored = w.games(kViewingGroup);
    ASSERT_EQ(stored.size(), 3u);
    EXPECT_EQ(stored[0]->name, u"g1");
    EXPECT_EQ(stored[1]->name, u"g2");
    EXPECT_EQ(storedMoves(w.store(), kViewingGroup, stored[1]->number), "dd pp");
    EXPECT_EQ(stored[2]->name, u"g3");
    // Over the games again: each game of the file finds its own name.
    w.ui.importAnswers = {answer(ImportChoice::Overwrite, kViewingGroup)};
    w.commands.openFile(path);
    const auto again = w.games(kViewingGroup);
    ASSERT_EQ(again.size(), 3u);
    for (std::size_t i = 0; i < 3; ++i) EXPECT_EQ(again[i]->name, stored[i]->name);
    EXPECT_EQ(storedMoves(w.store(), kViewingGroup, again[1]->number), "dd pp");
}

// --- refusals ------------------------------------------------------------------------------------

TEST(Import, AFileThatCannotBeReadIsNamedWithItsReasonAndTheImportGoesOn) {
    test::TempFolder folder;
    test::TempFolder files;
    Window w(folder.path());
    struct Case {
        std::string path;
        int reason;
    };
    const Case cases[] = {
        {writeFile(files.path(), "notes.txt", "(;B[pd])"), 11604},
        {files.path() + "missing.sgf", 25014},
        {writeFile(files.path(), "empty.sgf", "no game at all"), 25016},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        w.ui.messages.clear();
        const std::string good = writeFile(files.path(), "good.sgf", "(;GN[good];B[pd])");
        const std::size_t before = w.games(kViewingGroup).size();
        w.ui.importAnswers = {answer(ImportChoice::NewGame, kViewingGroup)};
        w.commands.openDroppedFiles({c.path, good});
        ASSERT_EQ(w.ui.messages.size(), 1u);
        EXPECT_NE(w.ui.messages[0].text.find(fromUtf8(c.path)), std::u16string::npos);
        const std::u16string reason = japanese(c.reason);
        EXPECT_NE(w.ui.messages[0].text.find(reason.substr(0, reason.find(u'%'))), std::u16string::npos);
        EXPECT_EQ(w.games(kViewingGroup).size(), before + 1); // the next file was stored
    }
}

TEST(Import, AFullGroupAnExternalGroupAndTheGroupLimitRefuseAndChangeNothing) {
    test::TempFolder folder;
    test::TempFolder files;
    Window w(folder.path());
    const std::string file = writeFile(files.path(), "g.sgf", "(;GN[late];B[pd])");
    // A group whose 1,999 game numbers are taken.
    StoreMessages messages;
    GameList& list = w.store().gameList(kViewingGroup, messages);
    for (int n = 1; n <= kMaxGameNumber; ++n) {
        GameInfo info;
        info.number = n;
        info.name = u"g";
        info.name += fromUtf8(std::to_string(n));
        list.put(info);
    }
    ASSERT_TRUE(w.store().saveGameList(kViewingGroup, messages));
    w.ui.importAnswers = {answer(ImportChoice::NewGame, kViewingGroup)};
    w.commands.openFile(file);
    ASSERT_EQ(w.ui.messages.size(), 1u);
    EXPECT_EQ(w.ui.messages[0].text,
              u"グループ「棋譜鑑賞」の対局数が上限の1999局に達しているので、読み込めません。\r\ng.sgf");
    EXPECT_EQ(w.games(kViewingGroup).size(), static_cast<std::size_t>(kMaxGameNumber));
    EXPECT_EQ(w.games(kViewingGroup).back()->name, u"g1999");

    // An external game-record group is refused and the import ends.
    const std::optional<int> external =
        w.store().addGroup(u"外部", kGroupViewing | kGroupExternal, u"/tmp/nowhere", messages);
    ASSERT_TRUE(external);
    w.ui.messages.clear();
    w.ui.importAnswers = {answer(ImportChoice::NewGame, *external)};
    w.commands.openDroppedFiles({file, file});
    EXPECT_EQ(w.ui.importRequests.back().groups.size(), 8u); // not offered in the list
    ASSERT_EQ(w.ui.messages.size(), 1u);
    EXPECT_EQ(w.ui.messages[0].text, u"外部棋譜グループに読み込むことはできません。");
    EXPECT_EQ(w.ui.importRequests.size(), 2u); // no dialog for the second file
    EXPECT_TRUE(w.games(*external).empty());
}

// The command line's way: no dialog, full groups overflow into new groups until 100 exist.

TEST(Import, OverflowIntoNewGroupsStopsAtTheLimitOfGroups) {
    test::TempFolder folder;
    GameStore store(DataFolder(folder.path()), StringTable::japanese());
    StoreMessages messages;
    store.start(SettingsRecord{}, GameDate{2026, 12, 10, 0}, messages);
    // Fill every group but make room for one more, each full.
    while (store.addGroup(u"x", kGroupViewing, std::nullopt, messages)) {}
    ASSERT_TRUE(store.deleteGroup(99, 0, messages));
    for (int g = 0; g < kMaxUserGroups; ++g) {
        if (!store.group(g)) continue;
        GameList& list = store.gameList(g, messages);
        for (int n = 1; n <= kMaxGameNumber; ++n) {
            GameInfo info;
            info.number = n;
            list.put(info);
        }
    }
    test::TempFolder files;
    const std::string a = writeFile(files.path(), "a.sgf", "(;GN[a];B[pd])");
    test::ImportRecorder front;
    Importer importer(store, StringTable::japanese(), front);
    ImportOptions options;
    options.defaultGroup = kViewingGroup;
    options.askDialog = false;
    options.preset = answer(ImportChoice::NewGame);
    options.overflowToNewGroups = true;
    const ImportSummary summary = importer.run({a, a}, options);
    ASSERT_EQ(front.reports.size(), 2u);
    EXPECT_EQ(front.reports[0].status, ImportStatus::Stored);
    EXPECT_EQ(front.reports[0].group, 99);
    EXPECT_EQ(store.group(99)->name, u"棋譜鑑賞 2");
    // The second game: group 99 has room, so it goes there too.
    EXPECT_EQ(front.reports[1].group, 99);
    EXPECT_EQ(summary.stored, 2);
    // With group 99 full as well, the limit of 100 groups refuses.
    GameList& last = store.gameList(99, messages);
    for (int n = 1; n <= kMaxGameNumber; ++n)
        if (!last.find(n)) {
            GameInfo info;
            info.number = n;
            last.put(info);
        }
    const ImportSummary refused = importer.run({a}, options);
    EXPECT_EQ(refused.refused, 1);
    ASSERT_EQ(front.reports.size(), 3u);
    EXPECT_EQ(front.reports[2].status, ImportStatus::Refused);
    EXPECT_EQ(front.reports[2].message, japanese(20707));
}

// --- the temporary game is never lost ----------------------------------------------------------------

TEST(Import, OpeningAFileWhileTheTemporaryGameHoldsMovesKeepsThemInTheLibrary) {
    test::TempFolder folder;
    test::TempFolder files;
    Window w(folder.path());
    w.commands.run(kCmdModePlayAndRecord);
    ASSERT_TRUE(w.app.session()->temporary());
    const int group = w.app.session()->group();
    for (const auto& [x, y] : {std::pair{3, 3}, std::pair{15, 15}, std::pair{3, 15}}) w.commands.clickPoint(x, y);
    ASSERT_EQ(w.board.totalMoves(), 3);
    const std::string file = writeFile(files.path(), "other.sgf", "(;GN[other];B[jj])");

    // Yes: the moves become a game of the group before the file takes the board.
    w.ui.answers = {true};
    w.ui.importAnswers = {answer(ImportChoice::Temporary)};
    w.commands.openFile(file);
    ASSERT_EQ(w.ui.questions.size(), 1u);
    EXPECT_NE(w.ui.questions[0].text.find(u"保存されていない手順"), std::u16string::npos);
    EXPECT_EQ(w.board.gameInfo().name, u"other");
    auto stored = w.games(group);
    ASSERT_EQ(stored.size(), 1u);
    EXPECT_EQ(storedMoves(w.store(), group, stored[0]->number), "dd pp dp");

    // A file read and left as it was is not asked about again; the same with new games.
    w.ui.importAnswers = {answer(ImportChoice::Temporary)};
    w.commands.openFile(file);
    EXPECT_EQ(w.ui.questions.size(), 1u);

    // Moves played on the read game are the user's: asked again, and kept after a restart too.
    w.commands.clickPoint(4, 4);
    w.ui.answers = {true};
    w.ui.importAnswers = {answer(ImportChoice::NewGame, kViewingGroup)};
    w.commands.openFile(file);
    EXPECT_EQ(w.ui.questions.size(), 2u);
    stored = w.games(group);
    ASSERT_EQ(stored.size(), 2u);
    EXPECT_EQ(storedMoves(w.store(), group, stored[1]->number), "jj ee");
    w.commands.shutDown();

    Window again(folder.path());
    EXPECT_EQ(again.games(group).size(), 2u);
    EXPECT_EQ(again.games(kViewingGroup).size(), 1u);
}

TEST(Import, PastedTextKeepsItsOwnPathAndTheTemporaryGamesMoves) {
    test::TempFolder folder;
    Window w(folder.path());
    w.commands.run(kCmdModePlayAndRecord);
    const int group = w.app.session()->group();
    w.commands.clickPoint(3, 3);
    w.commands.clickPoint(15, 15);
    w.ui.answers = {true};
    w.clipboard.content = u"(;GN[貼り付け];B[jj];W[jk])";
    w.commands.run(kCmdOpenClipboard, CommandSource::Key);
    EXPECT_TRUE(w.ui.importRequests.empty()); // no dialog: the clipboard is read as before
    EXPECT_EQ(w.board.gameInfo().name, u"貼り付け");
    ASSERT_EQ(w.ui.questions.size(), 1u);
    ASSERT_EQ(w.games(group).size(), 1u);
    EXPECT_EQ(storedMoves(w.store(), group, w.games(group)[0]->number), "dd pp");
}

TEST(Import, ATemporaryGameLeftWithoutSavingIsSaidToBeLost) {
    test::TempFolder folder;
    test::TempFolder files;
    Window w(folder.path());
    w.commands.run(kCmdModePlayAndRecord);
    w.commands.clickPoint(3, 3);
    const int group = w.app.session()->group();
    w.ui.answers = {false};
    w.ui.importAnswers = {answer(ImportChoice::End)};
    w.commands.openFile(writeFile(files.path(), "x.sgf", "(;B[jj])"));
    ASSERT_EQ(w.ui.questions.size(), 1u);
    EXPECT_NE(w.ui.questions[0].text.find(u"失われます"), std::u16string::npos);
    EXPECT_TRUE(w.games(group).empty());
    // "終了": nothing was replaced; the moves are still on the board.
    EXPECT_EQ(w.board.totalMoves(), 1);
}

// --- sample records ----------------------------------------------------------------------------------

TEST(Import, SampleRecordsAreOfferedOnceAndStoredWithoutTheirNumber) {
    test::TempFolder folder;
    test::TempFolder program;
    std::filesystem::create_directories(program.path() + "BundleFiles");
    writeFile(program.path() + "BundleFiles/", "a.sgf", "(;GN[名局(3)];B[pd])");
    writeFile(program.path() + "BundleFiles/", "b.sgf", "(;GN[手合(x)];B[dd])");
    writeFile(program.path() + "BundleFiles/", "readme.txt", "not a record");
    Window w(folder.path(), program.path());
    w.ui.answers = {true};
    w.ui.importAnswers = {answer(ImportChoice::NewGame, kViewingGroup, true)};
    w.commands.offerSampleRecordsOnce();
    ASSERT_EQ(w.ui.questions.size(), 1u);
    EXPECT_EQ(w.ui.questions[0].text, u"アプリケーションに組み込まれているサンプル棋譜等を読み込みますか？");
    EXPECT_EQ(w.ui.questions[0].title, u"デモ棋譜等のロード");
    ASSERT_EQ(w.ui.importRequests.size(), 1u);
    EXPECT_EQ(w.ui.importRequests[0].gameName, u"名局");
    const auto stored = w.games(kViewingGroup);
    ASSERT_EQ(stored.size(), 2u);
    EXPECT_EQ(stored[0]->name, u"名局");
    EXPECT_EQ(stored[1]->name, u"手合(x)");
    // Offered once only; the menu command asks again, the help button does not.
    w.commands.offerSampleRecordsOnce();
    EXPECT_EQ(w.ui.questions.size(), 1u);
    w.ui.answers = {false};
    w.commands.run(kCmdHelpButtonOrDemo, CommandSource::Menu);
    EXPECT_EQ(w.ui.questions.size(), 2u);
    EXPECT_EQ(w.games(kViewingGroup).size(), 2u);
    // A library that was there before is not offered them.
    Window again(folder.path(), program.path());
    again.commands.offerSampleRecordsOnce();
    EXPECT_TRUE(again.ui.questions.empty());
}

TEST(Import, NamesAreMadeUniqueWithinWhatTheListKeeps) {
    GameList list(0);
    GameInfo info;
    info.number = 1;
    info.name = std::u16string(300, u'名');
    info.name = storableName(info.name);
    list.put(info);
    GroupGameNames names(list);
    const std::u16string unique = names.uniqueName(std::u16string(300, u'名'));
    EXPECT_EQ(unique.size(), 255u);
    EXPECT_EQ(unique.substr(252), u"(1)");
    EXPECT_EQ(storableName(u"ab\0cd"sv), u"ab");
    EXPECT_EQ(withoutSampleNumber(u"本因坊(12)"), u"本因坊");
    EXPECT_EQ(withoutSampleNumber(u"本因坊(0)"), u"本因坊(0)");
    EXPECT_EQ(withoutSampleNumber(u"(3)"), u"(3)"); // nothing would be left
}

} // namespace
} // namespace stonewise
