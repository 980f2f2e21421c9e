// The library's dialogs as a user meets them, headless: the game list, copying and moving, the
// groups and the members, each driven through the scripted desktop.
#include <gtest/gtest.h>

#include <filesystem>

#include "app/Application.h"
#include "app/CIgoBoard.h"
#include "app/CommandIds.h"
#include "app/GameSession.h"
#include "app/LibraryDialogs.h"
#include "app/ProgramCommands.h"
#include "store/GameStore.h"
#include "support/BoardFixture.h"
#include "support/ScriptedUi.h"
#include "support/TempFolder.h"

namespace stonewise {
namespace {

using test::ScriptedUi;

// The program on a fresh data folder in the play-and-record mode, with a scripted desktop.
struct Program {
    test::TempFolder folder;
    Application app{CommandLine{}, DataFolder(folder.path()), std::string()};
    ScriptedUi ui;
    test::RecordingPanels panels;
    test::ScriptedShell shell;
    test::ScriptedClipboard clipboard;
    test::FixedClock clock;
    CIgoBoard board{environment()};
    ProgramCommands commands{app, board, ui, shell, clipboard, clock};
    int group = 0;

    Program() {
        app.chooseLanguage(0x0411);
        app.loadSettings(nullptr);
        commands.startUp();
        commands.run(kCmdModePlayAndRecord);
        group = store().currentGroup();
    }

    BoardEnvironment environment() {
        BoardEnvironment env;
        env.ui = &ui;
        env.panels = &panels;
        env.clock = &clock;
        env.strings = &app.strings();
        return env;
    }

    GameStore& store() { return *app.store(); }
    GameSession& session() { return *app.session(); }
    GameList& list(int g) {
        StoreMessages messages;
        return store().gameList(g, messages);
    }
    // Stores games `numbers` (game n has n moves) in the current group.
    void storeGames(std::initializer_list<int> numbers) {
        for (int n : numbers) test::storeSampleGame(store(), group, n, n);
    }
    // Opens the game list dialog and runs `script` in it.
    void gameList(std::function<void(GameListForm&)> script) {
        ui.gameListScripts.push_back(std::move(script));
        commands.run(kCmdGameList);
        EXPECT_TRUE(ui.gameListScripts.empty());
    }
    void groupList(std::function<void(GroupListForm&)> script) {
        ui.groupListScripts.push_back(std::move(script));
        commands.run(kCmdGroupList);
        EXPECT_TRUE(ui.groupListScripts.empty());
    }
    void memberList(std::function<void(MemberListForm&)> script) {
        ui.memberListScripts.push_back(std::move(script));
        commands.run(kCmdMemberList);
        EXPECT_TRUE(ui.memberListScripts.empty());
    }
    // A store of the same data folder, as the next start reads it.
    std::unique_ptr<GameStore> reread() {
        auto again = std::make_unique<GameStore>(DataFolder(folder.path()), StringTable::japanese());
        StoreMessages messages;
        again->start(app.settings(), {2026, 12, 10, 0}, messages);
        return again;
    }
};

std::vector<std::u16string> cells(const GameListRow& row) { return {row.cells.begin(), row.cells.end()}; }

// --- the game list -----------------------------------------------------------------------------------

TEST(GameList, RowsShowEveryColumnAsTheListPrintsIt) {
    Program p;
    MemberRecord white;
    white.name = u"秀策";
    const int whiteNumber = p.store().members().add(white);
    GameInfo a;
    a.number = 7;
    a.name = u"御城碁";
    a.whitePlayer = whiteNumber;
    a.blackPlayer = 1; // "黒石さん"
    a.handicap = 3;
    a.winner = kBlackWins;
    a.margin = 1500;
    a.protection = 1;
    a.startDate = {1849, 11, 17, 0};
    GameInfo b;
    b.number = 12;
    b.name = u"練習";
    b.komi = 6.5f;
    b.type = kGamePlayAndRecord;
    b.startDate = {2026, 1, 3, 0};
    test::storeSampleGame(p.store(), p.group, 12, 0);
    p.list(p.group).put(a);
    p.list(p.group).put(b);
    StoreMessages messages;
    const auto rows = gameListRows(p.store(), p.group, false, messages);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(cells(rows[0]), (std::vector<std::u16string>{u"御城碁", u"    7", u"保護中", u"秀策", u"黒石さん",
                                                           u"３子", u"棋譜", u"黒中押し勝ち", u"1849/11/17"}));
    EXPECT_EQ(cells(rows[1]), (std::vector<std::u16string>{u"練習", u"   12", u"", u"不明", u"不明", u"６.５目",
                                                           u"対局と記録", u"記録中", u"2026/ 1/ 3"}));
    // A game that gave no date shows none, not "0/ 0/ 0".
    GameInfo undated;
    undated.number = 20;
    p.list(p.group).put(undated);
    EXPECT_EQ(gameListRows(p.store(), p.group, false, messages).back().cell(GameListColumn::Date), u"");
    p.list(p.group).clear(20);
    // Whole-point komi shows the entry below.
    EXPECT_EQ(gameListRows(p.store(), p.group, true, messages)[1].cell(GameListColumn::Handicap), u"６目");

    // The panel's nine columns and the dialog's six.
    std::vector<std::u16string> titles;
    for (GameListColumn c : panelColumns()) titles.push_back(gameListColumnTitle(c, false));
    EXPECT_EQ(titles, (std::vector<std::u16string>{u"対局名", u"番号", u"保護", u"白番", u"黒番", u"ハンディ",
                                                   u"タイプ", u"状況", u"対局日"}));
    titles.clear();
    for (GameListColumn c : dialogColumns()) titles.push_back(gameListColumnTitle(c, true));
    EXPECT_EQ(titles,
              (std::vector<std::u16string>{u"対局名", u"白番", u"黒番", u"ハンディ", u"状況", u"読み込み日時"}));

    // The temporary game on the board heads the panel's list.
    GameListPanelContent panel = p.commands.gameListPanel();
    ASSERT_EQ(panel.rows.size(), 3u);
    EXPECT_EQ(panel.shownNumber, 0);
    EXPECT_EQ(panel.rows[0].cell(GameListColumn::Protection), u"臨時");
    EXPECT_EQ(panel.rows[0].cell(GameListColumn::Number), u"    0");
    p.commands.showListedGame(0); // the temporary game is on the board already
    EXPECT_TRUE(p.ui.messages.empty());
    // The panel shows the current group with the game on the board marked.
    ASSERT_TRUE(p.session().openGame(p.group, 12));
    panel = p.commands.gameListPanel();
    EXPECT_EQ(panel.title, u"G2: 対局・記録");
    EXPECT_EQ(panel.shownNumber, 12);
    EXPECT_EQ(panel.rows.size(), 2u);
}

TEST(GameList, SortingByAColumnComparesValuesNotTexts) {
    Program p;
    const struct {
        int number;
        int handicap;
        float komi;
        GameDate date;
        const char16_t* name;
    } games[] = {{3, 0, 6.5f, {2020, 10, 2, 0}, u"b"},
                 {25, 9, 0, {2020, 9, 30, 0}, u"a"},
                 {100, 2, 0, {2021, 1, 1, 0}, u"c"},
                 {4, 0, -0.5f, {2020, 10, 2, 0}, u"a"}};
    for (const auto& g : games) {
        GameInfo info;
        info.number = g.number;
        info.handicap = static_cast<std::int16_t>(g.handicap);
        info.komi = g.komi;
        info.startDate = g.date;
        info.name = g.name;
        p.list(p.group).put(info);
    }
    StoreMessages messages;
    auto order = [&](GameListColumn c, bool ascending) {
        auto rows = gameListRows(p.store(), p.group, false, messages);
        sortGameListRows(rows, c, ascending);
        std::vector<int> numbers;
        for (const GameListRow& r : rows) numbers.push_back(r.info.number);
        return numbers;
    };
    EXPECT_EQ(order(GameListColumn::Number, true), (std::vector<int>{3, 4, 25, 100}));
    EXPECT_EQ(order(GameListColumn::Number, false), (std::vector<int>{100, 25, 4, 3}));
    // Reverse komi before komi before handicaps; "９子" after "２子".
    EXPECT_EQ(order(GameListColumn::Handicap, true), (std::vector<int>{4, 3, 100, 25}));
    EXPECT_EQ(order(GameListColumn::Date, true), (std::vector<int>{25, 3, 4, 100}));
    // Equal names stay in number order, whichever way.
    EXPECT_EQ(order(GameListColumn::Name, true), (std::vector<int>{4, 25, 3, 100}));
    EXPECT_EQ(order(GameListColumn::Name, false), (std::vector<int>{100, 3, 4, 25}));
}

TEST(GameList, ShowingAGameSavesTheGameShownFirst) {
    Program p;
    p.storeGames({2, 5});
    ASSERT_TRUE(p.session().openGame(p.group, 2));
    p.commands.clickPoint(10, 10);
    ASSERT_EQ(p.board.totalMoves(), 3);
    p.app.settings().noSaveConfirmation = 0;
    p.ui.answers = {true}; // "保存しますか？"
    p.gameList([](GameListForm& f) {
        EXPECT_EQ(f.selected(), 2); // the game shown
        f.select(5);
        f.showGame();
        EXPECT_TRUE(f.closeRequested());
    });
    EXPECT_EQ(p.session().number(), 5);
    EXPECT_EQ(p.board.totalMoves(), 5);
    ASSERT_EQ(p.ui.questions.size(), 1u);
    EXPECT_EQ(p.ui.questions[0].title, u"棋譜の自動保存");
    StoreMessages messages;
    EXPECT_EQ(p.store().readGame(p.group, 2, messages).main->lastMoveNumber(), 3);

    // A double click in the panel does the same.
    p.commands.showListedGame(2);
    EXPECT_EQ(p.session().number(), 2);
    EXPECT_EQ(p.board.totalMoves(), 3);
}

TEST(GameList, DeletingAsksWithTheNameAndTheBoardMovesOnFromADeletedGame) {
    Program p;
    p.storeGames({3, 5, 8});
    ASSERT_TRUE(p.session().openGame(p.group, 5));
    p.ui.answers = {false, true};
    p.gameList([](GameListForm& f) {
        f.deleteGame(); // "No": nothing goes
        EXPECT_EQ(f.rows().size(), 3u);
        f.deleteGame();
        EXPECT_EQ(f.rows().size(), 2u);
        EXPECT_EQ(f.selected(), -1);
        f.close();
    });
    ASSERT_EQ(p.ui.questions.size(), 2u);
    EXPECT_EQ(p.ui.questions[1].text, u"次の対局を削除します。いいですか？\r\ngame 5");
    EXPECT_EQ(p.ui.questions[1].title, u"対局の削除");
    EXPECT_EQ(p.session().number(), 8); // the next game above
    EXPECT_FALSE(std::filesystem::exists(p.store().gameFilePath(p.group, 5)));
    StoreMessages messages;
    EXPECT_EQ(p.reread()->gameList(p.group, messages).count(), 2);
}

TEST(GameList, ProtectionIsStoredAndReachesTheGameShown) {
    Program p;
    p.storeGames({4});
    ASSERT_TRUE(p.session().openGame(p.group, 4));
    p.gameList([](GameListForm& f) {
        f.toggleProtection();
        EXPECT_EQ(f.rows()[0].cell(GameListColumn::Protection), u"保護中");
        f.close();
    });
    EXPECT_TRUE(p.board.gameInfo().isProtected());
    StoreMessages messages;
    EXPECT_TRUE(p.reread()->gameList(p.group, messages).find(4)->isProtected());
    p.gameList([](GameListForm& f) {
        f.toggleProtection();
        f.close();
    });
    EXPECT_FALSE(p.board.gameInfo().isProtected());
    EXPECT_FALSE(p.reread()->gameList(p.group, messages).find(4)->isProtected());
}

TEST(GameList, EditShowsTheSelectedGameThenRunsItsGameSettings) {
    Program p;
    p.storeGames({2, 6});
    ASSERT_TRUE(p.session().openGame(p.group, 2));
    int edited = 0;
    p.ui.settingsScripts.push_back([&](GameSettings& settings) {
        edited = settings.original().number;
        return false; // cancelled
    });
    p.gameList([](GameListForm& f) {
        f.select(6);
        f.editGame();
        f.close();
    });
    EXPECT_EQ(p.session().number(), 6);
    // The game settings dialog is the command "対局情報の編集..." on the game shown.
    EXPECT_EQ(edited, 6);
}

TEST(GameList, AnotherGroupInTheComboListsItsGamesAndSearchCounts) {
    Program p;
    p.storeGames({1, 2});
    const int other = *p.store().groupForMode(kModeViewing, p.app.settings());
    test::storeSampleGame(p.store(), other, 9, 3);
    p.gameList([&](GameListForm& f) {
        EXPECT_EQ(f.rows().size(), 2u);
        std::vector<std::u16string> combo;
        for (const GroupChoice& c : f.groups()) combo.push_back(c.text);
        EXPECT_EQ(combo.front(), u"G1: メール碁");
        EXPECT_EQ(combo.size(), 6u); // the scratch group is no choice
        f.setGroup(other);
        ASSERT_EQ(f.rows().size(), 1u);
        EXPECT_EQ(f.rows()[0].info.number, 9);
        EXPECT_EQ(f.search(u"game"), 1);
        EXPECT_EQ(f.searchResult(), u"1 件見付かりました。");
        EXPECT_EQ(f.selected(), 9);
        EXPECT_EQ(f.search(u"nothing"), 0);
        f.close();
    });
}

TEST(GameList, SgfOfTheSelectedGameIsWrittenFromItsFile) {
    Program p;
    p.storeGames({3});
    const std::string path = p.folder.path() + "/out.sgf";
    p.ui.saveAnswers = {path};
    p.gameList([](GameListForm& f) {
        f.select(3);
        f.saveSgf();
        f.close();
    });
    ASSERT_EQ(p.ui.saveRequests.size(), 1u);
    EXPECT_TRUE(std::filesystem::exists(path));
    EXPECT_GT(std::filesystem::file_size(path), 20u);
}

// --- copying and moving ------------------------------------------------------------------------------

TEST(CopyMove, ANameTakenInTheDestinationGetsANumber) {
    GameList list(0);
    for (const auto& [n, name] : std::initializer_list<std::pair<int, const char16_t*>>{
             {1, u"対局"}, {2, u"対局(1)"}, {3, u"棋譜(3)"}, {4, u"x(2"}, {5, u"()"}}) {
        GameInfo info;
        info.number = n;
        info.name = name;
        list.put(info);
    }
    const struct {
        const char16_t* wanted;
        const char16_t* given;
    } cases[] = {{u"新しい", u"新しい"},
                 {u"対局", u"対局(2)"},
                 {u"棋譜(3)", u"棋譜(4)"},
                 {u"x(2", u"x(2(1)"},
                 {u"()", u"()(1)"}};
    for (const auto& c : cases) EXPECT_EQ(uniqueGameName(list, c.wanted, 200), c.given) << toUtf8(c.wanted);
    // The limit holds with the number added.
    GameInfo longName;
    longName.number = 6;
    longName.name = std::u16string(200, u'碁');
    list.put(longName);
    const std::u16string given = uniqueGameName(list, longName.name, 200);
    EXPECT_EQ(given.size(), 200u);
    EXPECT_EQ(given.substr(197), u"(1)");
}

TEST(CopyMove, CopyIntoTheSameGroupNumbersTheNameAndMoveFollowsTheGameShown) {
    Program p;
    p.storeGames({4, 6});
    const int finished = *p.store().groupForMode(kModePlayFinished, p.app.settings());
    ASSERT_TRUE(p.session().openGame(p.group, 4));
    p.ui.copyMoveScripts.push_back([&](CopyMoveForm& f) {
        EXPECT_EQ(f.sourceText(), u"G2: 対局・記録");
        EXPECT_EQ(f.gameText(), u"4: game 4");
        EXPECT_EQ(f.name(), u"game 4");
        f.setDestination(p.group);
        EXPECT_TRUE(f.copy());
        EXPECT_EQ(f.name(), u"game 4(1)");
        return true;
    });
    p.ui.copyMoveScripts.push_back([&](CopyMoveForm& f) {
        f.setDestination(finished);
        EXPECT_TRUE(f.move());
        return true;
    });
    p.gameList([](GameListForm& f) {
        f.copyGame();
        EXPECT_EQ(f.rows().size(), 3u);
        f.select(4);
        f.copyGame();
        EXPECT_EQ(f.rows().size(), 2u);
        f.close();
    });
    StoreMessages messages;
    const GameInfo* copy = p.list(p.group).find(1);
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->name, u"game 4(1)");
    EXPECT_EQ(p.list(p.group).find(4), nullptr);
    EXPECT_EQ(p.list(finished).count(), 1);
    EXPECT_EQ(p.session().number(), 6); // the moved game was on the board
    // An empty name and a move into the game's own group are refused, the dialog kept.
    p.ui.copyMoveScripts.push_back([&](CopyMoveForm& f) {
        f.setName(u"");
        EXPECT_FALSE(f.move());
        f.setName(u"game");
        f.setDestination(p.group);
        EXPECT_FALSE(f.move());
        return false;
    });
    p.gameList([](GameListForm& f) {
        f.select(6);
        f.copyGame();
        f.close();
    });
    ASSERT_GE(p.ui.messages.size(), 2u);
    EXPECT_EQ(p.ui.messages[p.ui.messages.size() - 2].text, u"対局名を入力して下さい。");
    EXPECT_EQ(p.ui.messages.back().text, u"対局の移動が失敗しました。");
    EXPECT_EQ(p.list(p.group).count(), 2);
}

// --- groups ------------------------------------------------------------------------------------------

TEST(GroupList, DeletionIsRefusedForTheCurrentGroupAndForAGroupWithGames) {
    Program p;
    const int viewing = *p.store().groupForMode(kModeViewing, p.app.settings());
    const int problems = *p.store().groupForMode(kModeProblems, p.app.settings());
    test::storeSampleGame(p.store(), viewing, 1, 1);
    ASSERT_EQ(p.list(p.group).count(), 0); // the current group is empty
    p.ui.answers = {true};
    p.groupList([&](GroupListForm& f) {
        ASSERT_EQ(f.rows().size(), 6u);
        const GroupListRow& current = f.rows()[static_cast<std::size_t>(p.group)];
        EXPECT_EQ(current.cells[0], u"    2");
        EXPECT_EQ(current.cells[2], u"    0");
        EXPECT_FALSE(current.deletable);
        EXPECT_FALSE(f.rows()[static_cast<std::size_t>(viewing)].deletable);
        EXPECT_EQ(f.rows()[static_cast<std::size_t>(viewing)].cells[3], u"棋譜鑑賞用");
        EXPECT_TRUE(f.rows()[static_cast<std::size_t>(problems)].deletable);
        f.deleteGroup(p.group);
        f.deleteGroup(viewing);
        f.deleteGroup(problems);
        EXPECT_EQ(f.rows().size(), 5u);
    });
    // The refusals come without a question; the group that may go is asked about.
    ASSERT_EQ(p.ui.messages.size(), 2u);
    EXPECT_EQ(p.ui.messages[0].text, u"対局が在るグループ、或いは現在のグループは削除できません。");
    EXPECT_EQ(p.ui.messages[1].text, u"グループ(4)には有効な対局が在るので、削除できません。");
    ASSERT_EQ(p.ui.questions.size(), 1u);
    EXPECT_EQ(p.ui.questions[0].text, u"選択されているグループを削除しますか？");
    EXPECT_EQ(p.ui.questions[0].title, u"グループリスト");
    EXPECT_EQ(p.store().group(problems), nullptr);
    EXPECT_NE(p.store().group(p.group), nullptr);
}

TEST(GroupList, TheHundredAndFirstGroupIsRefused) {
    Program p;
    StoreMessages messages;
    while (p.store().addGroup(u"g", kGroupViewing, std::nullopt, messages)) {}
    int groups = 0;
    for (int n = 0; n < kScratchGroup; ++n) groups += p.store().group(n) != nullptr;
    ASSERT_EQ(groups, 100);
    p.groupList([](GroupListForm& f) { f.newGroup(); }); // no settings dialog opens
    ASSERT_EQ(p.ui.messages.size(), 1u);
    EXPECT_EQ(p.ui.messages[0].text, u"登録済みのグループが制限に達したので、追加出来ません。");
    EXPECT_EQ(p.ui.messages[0].title, u"グループ設定");
}

TEST(GroupSettings, ExternalRecordsOnlyWithViewingAndOnlyWithAFolder) {
    Program p;
    p.ui.saveAnswers = {std::string("/home/user/棋譜/外部棋譜")};
    p.ui.groupSettingsScripts.push_back([&](GroupSettingsForm& f) {
        EXPECT_TRUE(f.isNew());
        EXPECT_EQ(f.shownNumber(), 7);
        f.setName(u"秀策の棋譜");
        EXPECT_FALSE(f.enabled(kGroupExternal));
        f.setChecked(kGroupExternal, true);
        EXPECT_FALSE(f.checked(kGroupExternal)); // not without "棋譜鑑賞用"
        f.setChecked(kGroupViewing, true);
        EXPECT_TRUE(f.enabled(kGroupExternal));
        f.setChecked(kGroupExternal, true);
        EXPECT_TRUE(f.folderEnabled());
        f.setChecked(kGroupViewing, false); // takes the external records with it
        EXPECT_FALSE(f.checked(kGroupExternal));
        EXPECT_FALSE(f.folderEnabled());
        f.setChecked(kGroupViewing, true);
        f.setChecked(kGroupExternal, true);
        EXPECT_FALSE(f.confirm()); // no folder yet
        f.browse();
        EXPECT_EQ(f.folder(), u"/home/user/棋譜");
        EXPECT_TRUE(f.confirm());
        return true;
    });
    p.groupList([](GroupListForm& f) {
        f.newGroup();
        EXPECT_EQ(f.rows().size(), 7u);
        EXPECT_EQ(f.rows().back().cells[3], u"棋譜鑑賞用、外部棋譜");
    });
    ASSERT_EQ(p.ui.messages.size(), 1u);
    EXPECT_EQ(p.ui.messages[0].text, u"フォルダ名を設定して下さい。");
    EXPECT_EQ(p.ui.messages[0].title, u"グループ設定");
    ASSERT_EQ(p.ui.saveRequests.size(), 1u);
    EXPECT_EQ(p.ui.saveRequests[0].title, u"外部棋譜フォルダの設定");
    EXPECT_EQ(p.ui.saveRequests[0].proposedName, u"外部棋譜");
    EXPECT_EQ(p.ui.saveRequests[0].filters[0].label, u"外部棋譜フォルダ");
    // Written to the group list, with its folder.
    const auto again = p.reread();
    const GroupRecord* g = again->group(6);
    ASSERT_NE(g, nullptr);
    EXPECT_EQ(g->name, u"秀策の棋譜");
    EXPECT_EQ(g->type, kGroupViewing | kGroupExternal);
    EXPECT_EQ(g->externalFolder, std::u16string(u"/home/user/棋譜"));

    // Editing a group renames it in the list.
    p.ui.groupSettingsScripts.push_back([](GroupSettingsForm& f) {
        EXPECT_EQ(f.shownNumber(), 7);
        f.setName(u"");
        EXPECT_FALSE(f.confirm());
        f.setName(u"江戸の棋譜");
        return f.confirm();
    });
    p.groupList([](GroupListForm& f) { f.editGroup(6); });
    EXPECT_EQ(p.reread()->group(6)->name, u"江戸の棋譜");
}

// --- members -----------------------------------------------------------------------------------------

TEST(Members, TheListShowsEveryMemberWithNullForMissingTexts) {
    Program p;
    p.memberList([](MemberListForm& f) {
        ASSERT_EQ(f.rows().size(), 2u);
        EXPECT_EQ(std::vector<std::u16string>(f.rows()[0].cells.begin(), f.rows()[0].cells.end()),
                  (std::vector<std::u16string>{u"    0", u"不明", u"一般", u"<NULL>", u"2026/12/10"}));
        EXPECT_EQ(f.rows()[1].cells[1], u"黒石さん");
    });
    EXPECT_EQ(memberListColumnTitle(MemberListColumn::Address), u"メールアドレス／別名の場合は本来の名前");
}

TEST(Members, AddingNeedsAnAddressOrAnAliasForPlayersOfMailGo) {
    Program p;
    p.ui.nameAnswers = {1}; // "黒石さん"
    p.ui.memberSettingsScripts.push_back([](MemberSettingsForm& f) {
        EXPECT_EQ(f.number(), 2);
        EXPECT_EQ(f.registeredText(), u"2026/12/10 ");
        f.setName(u"丈和");
        f.setKind(kMemberOpponent);
        EXPECT_FALSE(f.confirm()); // no address
        f.setAddress(u"jowa at example");
        EXPECT_FALSE(f.confirm());
        f.setAddress(u"本因坊"); // an alias of nobody
        EXPECT_FALSE(f.confirm());
        f.makeAlias();
        EXPECT_EQ(f.address(), u"黒石さん");
        EXPECT_TRUE(f.isAlias());
        f.clearAlias();
        f.setAddress(u"jowa@example.org");
        return f.confirm();
    });
    p.ui.memberSettingsScripts.push_back([](MemberSettingsForm& f) {
        f.setName(u"黒石さん"); // taken
        f.setKind(kMemberGeneral);
        EXPECT_FALSE(f.confirm());
        f.setName(u"道策"); // a player of game records needs no address
        return f.confirm();
    });
    p.memberList([](MemberListForm& f) {
        f.addMember();
        f.addMember();
        EXPECT_EQ(f.rows().size(), 4u);
    });
    ASSERT_EQ(p.ui.messages.size(), 4u);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(p.ui.messages[static_cast<std::size_t>(i)].text, u"メンバー「丈和」のメールアドレスが異常です。");
        EXPECT_EQ(p.ui.messages[static_cast<std::size_t>(i)].title, u"対局者追加");
    }
    ASSERT_EQ(p.ui.nameRequests.size(), 1u);
    EXPECT_EQ(p.ui.nameRequests[0].title, u"既存メンバー名の参照");
    EXPECT_EQ(p.ui.nameRequests[0].names, (std::vector<std::u16string>{u"不明", u"黒石さん"}));
    const auto again = p.reread();
    const MemberRecord* jowa = again->members().find(2);
    ASSERT_NE(jowa, nullptr);
    EXPECT_EQ(jowa->name, u"丈和");
    EXPECT_EQ(jowa->kind, kMemberOpponent);
    EXPECT_EQ(jowa->address, u"jowa@example.org");
    EXPECT_EQ(again->members().findByName(u"道策"), 3);
}

TEST(Members, AMemberWhoPlaysInStoredGamesIsKept) {
    Program p;
    GameInfo info;
    info.number = 1;
    info.name = u"game";
    info.blackPlayer = 1;
    p.list(p.group).put(info);
    MemberRecord spare;
    spare.name = u"spare";
    const int spareNumber = p.store().members().add(spare);
    p.ui.answers = {true, true};
    p.memberList([&](MemberListForm& f) {
        f.deleteMember(1);
        f.deleteMember(spareNumber);
        EXPECT_EQ(f.rows().size(), 2u);
    });
    ASSERT_EQ(p.ui.messages.size(), 1u);
    EXPECT_EQ(p.ui.messages[0].text, u"メンバー「黒石さん」は1局の対局者なので、削除できません。");
    EXPECT_EQ(p.ui.questions[0].text, u"選択中の対局メンバーを削除して良いですか？");
    EXPECT_EQ(p.ui.questions[0].title, u"対局メンバー");
    EXPECT_NE(p.store().members().find(1), nullptr);
    EXPECT_EQ(p.reread()->members().find(spareNumber), nullptr);
}

} // namespace
} // namespace stonewise
