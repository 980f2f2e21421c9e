// "新規対局", "対局情報の編集" and "勝敗設定" as a user meets them, headless: the settings dialog is
// answered by scripts that change its values and press OK as a user would.
#include <gtest/gtest.h>

#include "app/Application.h"
#include "app/CIgoBoard.h"
#include "app/CommandIds.h"
#include "app/GameSession.h"
#include "app/GameSettings.h"
#include "app/GameSettingsTexts.h"
#include "app/ProgramCommands.h"
#include "record/GameInfoText.h"
#include "store/FileIo.h"
#include "store/GameListPage.h"
#include "store/GameStore.h"
#include "support/BoardFixture.h"
#include "support/ScriptedUi.h"
#include "support/TempFolder.h"

namespace stonewise {
namespace {

using test::ScriptedUi;

std::u16string ja(int id) { return std::u16string(StringTable::japanese().find(id).value_or(u"")); }

// The window's program on a data folder in the play-and-record mode, with a scripted desktop.
struct Window {
    Application app;
    ScriptedUi ui;
    test::ScriptedShell shell;
    test::ScriptedClipboard clipboard;
    test::FixedClock clock;
    CIgoBoard board;
    ProgramCommands commands;

    explicit Window(const std::string& folder)
        : app(CommandLine{}, DataFolder(folder), std::string()), board(BoardEnvironment{&ui, nullptr, nullptr, &clock}),
          commands(app, board, ui, shell, clipboard, clock) {
        app.chooseLanguage(0x0411);
        app.loadSettings(nullptr);
        commands.startUp();
        commands.run(kCmdModePlayAndRecord);
    }

    int messagesWith(std::u16string_view text) const {
        int n = 0;
        for (const ScriptedUi::Shown& m : ui.messages) n += m.text == text;
        return n;
    }
};

// A script that fills in a new game and presses OK once.
std::function<bool(GameSettings&)> fillIn(std::u16string name, std::u16string white, std::u16string black, int handicap,
                                          float komi) {
    return [=](GameSettings& s) {
        s.edit().name = name;
        s.edit().whiteName = white;
        s.edit().blackName = black;
        EXPECT_TRUE(s.setHandicap(handicap == 0, handicap));
        s.setKomi(komi);
        return s.confirm();
    };
}

TEST(GameSettings, ANewGameIsPlayedGivenAResultAndFoundAgainAfterARestart) {
    test::TempFolder folder;
    int group = -1;
    int number = 0;
    {
        Window w(folder.path());
        w.app.settings().komiAsInteger = 0; // half-point komi offered
        const int membersBefore = w.app.store()->members().size();
        w.ui.settingsScripts.push_back(fillIn(u"春の対局", u"白川", u"黒田", 3, 0.5f));
        w.commands.run(kCmdNewGame);
        ASSERT_EQ(w.ui.settingsDialogs, 1);
        // Both typed names became members, each said with 11805 under 11804.
        EXPECT_EQ(w.app.store()->members().size(), membersBefore + 2);
        EXPECT_EQ(w.messagesWith(formatText(ja(11805), {u"白川"})), 1);
        EXPECT_EQ(w.messagesWith(formatText(ja(11805), {u"黒田"})), 1);
        EXPECT_EQ(w.ui.messages.front().title, ja(11804));

        group = w.app.session()->group();
        number = w.app.session()->number();
        ASSERT_GE(number, 1);
        EXPECT_EQ(w.board.gameInfo().handicap, 3);
        EXPECT_FLOAT_EQ(w.board.gameInfo().komi, 0.5f);
        EXPECT_EQ(w.board.record().main().handicapCount(), 3);
        EXPECT_EQ(w.ui.title, u"春の対局 - Stonewise");

        // Twenty moves along the middle row, white first after the handicap.
        for (int i = 0; i < 20; ++i) {
            const int before = w.board.totalMoves();
            w.commands.clickPoint(i < 19 ? i : 0, i < 19 ? 9 : 11);
            ASSERT_EQ(w.board.totalMoves(), before + 1) << "move " << i;
        }

        // "対局情報の編集" → "勝敗設定...": black wins by resignation.
        w.ui.resultAnswers.push_back({true, kBlackWins, WinKind::Resignation, 0.0f, {2026, 12, 10, 16}});
        w.ui.settingsScripts.push_back([](GameSettings& s) {
            EXPECT_TRUE(s.chooseResult());
            EXPECT_EQ(s.stateText(), u"黒中押し勝ち");
            return s.confirm();
        });
        w.commands.run(kCmdEditGameInfo);
        EXPECT_EQ(w.board.gameInfo().winner, kBlackWins);
        EXPECT_EQ(w.board.gameInfo().margin, kMarginResignation);
        EXPECT_EQ(w.ui.resultRequests.at(0).winner, kInPlay);

        w.ui.answers = {true, true, true}; // save the changed game when asked
        ASSERT_TRUE(w.commands.exitCheck());
        w.commands.shutDown();
    }
    Window again(folder.path());
    StoreMessages messages;
    const GameInfo* listed = again.app.store()->gameList(group, messages).find(number);
    ASSERT_NE(listed, nullptr);
    EXPECT_EQ(listed->name, u"春の対局");
    EXPECT_EQ(resultText(*listed), u"黒中押し勝ち");
    EXPECT_EQ(listed->handicap, 3);
    EXPECT_EQ(handicapColumnText(*listed, false), u"３子");
    EXPECT_EQ(again.app.store()->members().find(listed->whitePlayer)->name, u"白川");
    EXPECT_EQ(again.app.store()->members().find(listed->blackPlayer)->name, u"黒田");
    ASSERT_TRUE(again.app.session()->openGame(group, number));
    EXPECT_EQ(again.board.record().main().lastMoveNumber(), 21); // the stones are move 1
    EXPECT_FLOAT_EQ(again.board.gameInfo().komi, 0.5f);
}

TEST(GameSettings, TheResultDialogGivesEveryKindOfResult) {
    struct Case {
        ResultDialogResult answer;
        bool taken;
        const char16_t* state;
        float margin;
    };
    const Case cases[] = {
        {{true, kWhiteWins, WinKind::Points, 3.5f, {}}, true, u"白3.5目勝ち", 3.5f},
        {{true, kBlackWins, WinKind::Points, 4.0f, {}}, true, u"黒4目勝ち", 4.0f},
        {{true, kWhiteWins, WinKind::OnTime, 0.0f, {}}, true, u"白時間切れ勝ち", kMarginOnTime},
        {{true, kJigo, WinKind::Points, 7.0f, {}}, true, u"持碁", 0.0f},
        {{true, kBlackWins, WinKind::Points, 0.0f, {}}, false, u"記録中", 0.0f},       // no margin: refused
        {{true, kBlackWins, WinKind::Points, 1500.0f, {}}, false, u"記録中", 0.0f},    // not points: refused
        {{false, kBlackWins, WinKind::Resignation, 0.0f, {}}, false, u"記録中", 0.0f}, // cancelled
    };
    for (const Case& c : cases) {
        ScriptedUi ui;
        MemberList members;
        GameInfo info;
        info.type = kGamePlayAndRecord;
        GameSettings s(info, members, nullptr, &ui, {});
        ui.resultAnswers.push_back(c.answer);
        EXPECT_EQ(s.chooseResult(), c.taken) << toUtf8(c.state);
        EXPECT_EQ(s.stateText(), c.state);
        EXPECT_FLOAT_EQ(s.values().margin, c.margin);
        const bool refused = c.answer.accepted && !c.taken;
        EXPECT_EQ(ui.messages.size(), refused ? 1u : 0u) << toUtf8(c.state);
    }
}

TEST(GameSettings, ChangingTheHandicapUnderMovesAsksAndThenSaysToClear) {
    test::TempFolder folder;
    Window w(folder.path());
    const int group = w.app.store()->currentGroup();
    test::storeSampleGame(*w.app.store(), group, 4, 6);
    ASSERT_TRUE(w.app.session()->openGame(group, 4));

    w.ui.settingsScripts.push_back([&](GameSettings& s) {
        w.ui.answers = {false};
        EXPECT_FALSE(s.setHandicap(false, 4)); // "no": the stored value stays
        EXPECT_TRUE(s.values().even);
        EXPECT_EQ(w.ui.questions.back().text, ja(20410));
        w.ui.answers = {true};
        EXPECT_TRUE(s.setHandicap(false, 4));
        s.edit().name = u"四子局";
        EXPECT_FALSE(s.confirm()); // a game without players
        EXPECT_EQ(w.ui.messages.back().text, ja(kStrPlayersMissing));
        s.edit().whiteName = u"白川";
        s.edit().blackName = u"黒田";
        return s.confirm();
    });
    w.commands.run(kCmdEditGameInfo);
    EXPECT_EQ(w.board.gameInfo().handicap, 4);
    EXPECT_EQ(w.messagesWith(ja(kStrClearAfterHandicap)), 1);
    EXPECT_EQ(w.board.totalMoves(), 6); // the user clears the record, not the dialog

    // A record without moves takes the new handicap at once, without a question.
    w.ui.questions.clear();
    w.ui.answers = {true}; // the changed game is saved before the new one
    w.ui.settingsScripts.push_back(fillIn(u"二子局", u"白川", u"黒田", 2, 0.0f));
    w.commands.run(kCmdNewGame);
    w.ui.settingsScripts.push_back([](GameSettings& s) {
        EXPECT_TRUE(s.setHandicap(false, 5));
        return s.confirm();
    });
    w.ui.questions.clear();
    w.commands.run(kCmdEditGameInfo);
    EXPECT_TRUE(w.ui.questions.empty());
    EXPECT_EQ(w.board.record().main().handicapCount(), 5);
    EXPECT_EQ(w.board.gameInfo().handicap, 5);
}

TEST(GameSettings, KomiSelectsItsListEntryByTheListsRules) {
    struct Case {
        float komi;
        bool whole;
        int key;
        const char16_t* text;
    };
    const Case cases[] = {
        {6.5f, false, 65, u"６.５目"}, {6.0f, false, 65, u"６.５目"}, {6.5f, true, 60, u"６目"},
        {0.5f, false, 5, u"半目"},     {0.5f, true, 0, u"無し"},      {-0.5f, false, -5, u"逆0.5目"},
        {-0.5f, true, -10, u"逆1目"},  {0.0f, false, 0, u"無し"},     {12.5f, false, 0, u"無し"},
    };
    MemberList members;
    for (const Case& c : cases) {
        GameInfo info;
        info.komi = c.komi;
        GameSettings::Context context;
        context.wholePointKomi = c.whole;
        GameSettings s(info, members, nullptr, nullptr, context);
        EXPECT_EQ(s.values().komiKey, c.key) << c.komi << (c.whole ? " whole" : " half");
        bool found = false;
        for (const auto& [key, text] : s.komiChoices()) found |= key == c.key && text == c.text;
        EXPECT_TRUE(found) << c.komi;
        // Unchanged, a komi outside the list keeps its stored value.
        info.name = u"x";
        info.blackName = u"a";
        info.whiteName = u"b";
        GameSettings kept(info, members, nullptr, nullptr, context);
        ASSERT_TRUE(kept.confirm());
        EXPECT_FLOAT_EQ(kept.result().komi, c.komi);
    }
}

TEST(GameSettings, RefusalsKeepTheDialogOpenAndChangeNothing) {
    MemberList members;
    MemberRecord self;
    self.name = u"わたし";
    self.kind = kMemberSelf;
    members.add(self);
    MemberRecord general;
    general.name = u"誰か";
    members.add(general);
    struct Case {
        const char* what;
        std::function<void(GameInfo&, GameSettings::Context&)> start;
        std::function<void(GameSettings&)> change;
        int message;
    };
    const Case cases[] = {
        {"no name", {}, [](GameSettings& s) { s.edit().name.clear(); }, kStrNameMissing},
        {"no white player", {}, [](GameSettings& s) { s.edit().whiteName.clear(); }, kStrPlayersMissing},
        {"mail go, black general",
         {},
         [](GameSettings& s) {
             s.edit().type = GameTypeChoice::MailGo;
             s.edit().blackName = u"誰か";
         },
         kStrMailBlackKind},
        {"mail go, black self, white general",
         {},
         [](GameSettings& s) {
             s.edit().type = GameTypeChoice::EnglishMailGo;
             s.edit().blackName = u"わたし";
             s.edit().whiteName = u"誰か";
         },
         kStrMailWhiteOpponent},
        {"protected", [](GameInfo& i, GameSettings::Context&) { i.protection = 1; },
         [](GameSettings& s) { s.edit().name = u"別名"; }, kStrProtectedRefused},
        {"external", [](GameInfo&, GameSettings::Context& c) { c.external = true; },
         [](GameSettings& s) { s.edit().protect = true; }, kStrExternalRefused},
        {"board size under moves",
         [](GameInfo&, GameSettings::Context& c) {
             c.recordLastMove = 12;
             c.recordHasNodes = true;
         },
         [](GameSettings& s) { s.edit().thirteenLines = true; }, kStrBoardFixed},
    };
    for (const Case& c : cases) {
        GameInfo info;
        info.name = u"対局";
        info.blackName = u"新人甲";
        info.whiteName = u"新人乙";
        GameSettings::Context context;
        if (c.start) c.start(info, context);
        ScriptedUi ui;
        const int before = members.size();
        GameSettings s(info, members, nullptr, &ui, context);
        c.change(s);
        EXPECT_FALSE(s.confirm()) << c.what;
        ASSERT_EQ(ui.messages.size(), 1u) << c.what;
        EXPECT_EQ(ui.messages[0].text, ja(c.message)) << c.what;
        EXPECT_EQ(members.size(), before) << c.what << ": a typed name was registered anyway";
        EXPECT_EQ(s.result().name, info.name) << c.what;
    }
    // Lifting the protection is the one change a protected game takes.
    GameInfo info;
    info.name = u"対局";
    info.blackName = u"わたし";
    info.whiteName = u"誰か";
    info.protection = 1;
    GameSettings s(info, members, nullptr, nullptr, {});
    s.edit().protect = false;
    ASSERT_TRUE(s.confirm());
    EXPECT_FALSE(s.result().isProtected());
}

TEST(GameSettings, ANewGameCanTakeBackAnOldGameLeftUnderItsNumber) {
    test::TempFolder folder;
    Window w(folder.path());
    const int group = w.app.store()->currentGroup();
    StoreMessages messages;
    const int free = *w.app.store()->newGameNumber(group, messages);
    // A game file under the free number that no list entry names (a run that ended too early).
    GameInfo old;
    old.number = free;
    old.name = u"置き去りの対局";
    old.blackName = u"黒田";
    old.whiteName = u"白川";
    auto record = RecordSequence::createMain();
    record->appendNode(makeMoveNode(1, 3, 3));
    record->updateLastMoveNumber();
    ASSERT_TRUE(w.app.store()->writeGame(group, free, *record, &old, messages));

    w.ui.answers = {true};
    w.ui.settingsScripts.push_back([](GameSettings& s) {
        EXPECT_EQ(s.values().name, u"置き去りの対局");
        return s.confirm();
    });
    w.commands.run(kCmdNewGame);
    EXPECT_EQ(w.ui.questions.back().text, formatText(ja(kStrRestoreOldGame), {u"置き去りの対局"}));
    EXPECT_EQ(w.app.session()->number(), free);
    EXPECT_EQ(w.board.totalMoves(), 1);
    EXPECT_NE(w.app.store()->gameList(group, messages).find(free), nullptr);
}

TEST(GameSettings, FreeHandicapPlacementFollowsTheNewGame) {
    test::TempFolder folder;
    Window w(folder.path());
    w.ui.settingsScripts.push_back(fillIn(u"自由置碁の対局", u"白川", u"黒田", 1, 0.0f));
    w.commands.run(kCmdNewGame);
    ASSERT_TRUE(w.board.freeHandicapActive());
    EXPECT_EQ(w.ui.freeHandicapStones, 0);
    for (const auto& [x, y] : {std::pair{3, 3}, std::pair{15, 15}, std::pair{9, 9}}) w.commands.clickPoint(x, y);
    w.board.endFreeHandicap();
    EXPECT_EQ(w.board.gameInfo().handicap, 3);
    EXPECT_EQ(w.board.record().main().handicapCount(), 3);
    // Cancelling the dialog leaves the game shown as it was.
    w.ui.settingsScripts.push_back([](GameSettings&) { return false; });
    w.commands.run(kCmdNewGame);
    EXPECT_EQ(w.board.gameInfo().name, u"自由置碁の対局");
}

TEST(GameSettings, ANewGameThatCannotBeListedStaysOnTheBoardAsTheTemporaryGame) {
    test::TempFolder folder;
    Window w(folder.path());
    const int group = w.app.store()->currentGroup();
    // The list page cannot be replaced: a folder stands where it is written.
    const std::string page = w.app.folder().groupFile(group, gameListPageFileName(0));
    removeFile(page);
    ASSERT_TRUE(makeFolders(page + "/x"));
    w.ui.settingsScripts.push_back(fillIn(u"書けない対局", u"白川", u"黒田", 2, 0.0f));
    w.commands.run(kCmdNewGame);
    EXPECT_FALSE(w.ui.messages.empty());
    EXPECT_TRUE(w.app.session()->temporary());
    EXPECT_EQ(w.board.gameInfo().name, u"書けない対局");
    EXPECT_EQ(w.board.record().main().handicapCount(), 2);
    EXPECT_TRUE(w.app.session()->unsaved());
    // Neither a listed game nor a stray file under its number is left behind.
    StoreMessages messages;
    EXPECT_EQ(w.app.store()->gameList(group, messages).count(), 0);
    EXPECT_FALSE(pathExists(w.app.store()->gameFilePath(group, 1)));
}

TEST(GameSettings, NewAndChangedPlayersMakeAMailGoGamePossible) {
    ScriptedUi ui;
    MemberList members;
    MemberRecord unknown;
    unknown.name = u"不明";
    members.add(unknown);
    MemberRecord old;
    old.name = u"旧名";
    const int oldNumber = members.add(old);
    GameInfo info;
    info.name = u"メール碁";
    info.whitePlayer = oldNumber;
    GameSettings::Context context;
    context.today = {2026, 12, 10, 0};
    GameSettings s(info, members, nullptr, &ui, context);
    EXPECT_EQ(s.values().whiteName, u"旧名");
    s.edit().type = GameTypeChoice::MailGo;
    // "新規対局者..." for black: myself; "修正..." for white: the member renamed, an opponent.
    ui.playerAnswers.push_back({true, u"わたし", kMemberSelf});
    ASSERT_TRUE(s.editPlayer(false, true));
    ui.playerAnswers.push_back({true, u"相手", kMemberOpponent});
    ASSERT_TRUE(s.editPlayer(true, false));
    EXPECT_TRUE(ui.playerRequests[0].newPlayer);
    EXPECT_EQ(ui.playerRequests[1].name, u"旧名");
    EXPECT_EQ(members.findByName(u"わたし"), -1); // nothing is registered before OK
    ASSERT_TRUE(s.confirm()) << (ui.messages.empty() ? "" : toUtf8(ui.messages[0].text));
    EXPECT_EQ(s.result().whitePlayer, oldNumber);
    EXPECT_EQ(members.find(oldNumber)->name, u"相手");
    EXPECT_EQ(members.find(oldNumber)->kind, kMemberOpponent);
    const MemberRecord* me = members.find(s.result().blackPlayer);
    ASSERT_NE(me, nullptr);
    EXPECT_EQ(me->name, u"わたし");
    EXPECT_EQ(me->kind, kMemberSelf);
    EXPECT_EQ(me->registered.year, 2026);
    EXPECT_EQ(s.result().type, kGameMailGo);
    // 11805 for the new member only.
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, formatText(ja(11805), {u"わたし"}));
}

TEST(GameSettings, TheCloudButtonSaysItIsNotThereYetAndTheCheckBoxIsKept) {
    ScriptedUi ui;
    MemberList members;
    GameInfo info;
    info.name = u"対局";
    info.blackName = u"甲";
    info.whiteName = u"乙";
    GameSettings s(info, members, nullptr, &ui, {});
    s.cloudSettings();
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, ja(kStrCloudLater));
    s.edit().useCloud = true;
    s.edit().searchTarget = true;
    s.edit().mailSubject = u"次の一手";
    ui.messages.clear();
    ASSERT_TRUE(s.confirm());
    const GameSettingsValues back = settingsValues(s.result(), false);
    EXPECT_TRUE(back.useCloud);
    EXPECT_TRUE(back.searchTarget);
    EXPECT_FALSE(back.savable);
    EXPECT_EQ(back.mailSubject, u"次の一手");
}

} // namespace
} // namespace stonewise
