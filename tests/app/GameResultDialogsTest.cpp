// The results diary's dialogs as a user meets them, headless: groups, records with their checks,
// the tally, the CSV export and showing a result's game, through the menu command.
#include <gtest/gtest.h>

#include "app/Application.h"
#include "app/CIgoBoard.h"
#include "app/CommandIds.h"
#include "app/GameResultDialogs.h"
#include "app/GameSession.h"
#include "app/ProgramCommands.h"
#include "store/FileIo.h"
#include "store/GameStore.h"
#include "support/BoardFixture.h"
#include "support/ScriptedUi.h"
#include "support/TempFolder.h"
#include "support/TestProgram.h"

namespace stonewise {
namespace {

using test::ScriptedUi;

struct Diary {
    test::TempFolder folder;
    test::TestProgram program{folder.path()};
    Application& app = program.app;
    ScriptedUi& ui = program.ui;
    ProgramCommands& commands = program.commands;

    Diary() { commands.run(kCmdModePlayAndRecord); }
    // Opens "対局記録リスト" from the menu and runs `script` in it.
    void list(std::function<void(GameResultListForm&)> script) {
        ui.resultListScripts.push_back(std::move(script));
        commands.run(kCmdGameResultList);
        EXPECT_TRUE(ui.resultListScripts.empty());
    }
    // A complete record entered into "対局記録".
    static void fill(GameResultForm& f, std::u16string_view name, std::u16string_view black, std::u16string_view white,
                     int winner, std::u16string_view points) {
        f.setGameName(name);
        f.setBlack(black);
        f.setWhite(white);
        f.setPlace(u"メール");
        f.setWinner(winner);
        f.setPoints(points);
    }
    void addRecord(GameResultListForm& form, std::u16string_view name, std::u16string_view black,
                   std::u16string_view white, int winner, std::u16string_view points) {
        ui.resultScripts.push_back([=](GameResultForm& f) {
            fill(f, name, black, white, winner, points);
            return f.confirm();
        });
        form.addRecord();
    }
};

TEST(GameResultDialogs, ANewGroupNeedsANameAndASecondOfTheSameNameIsAsked) {
    Diary d;
    d.list([&](GameResultListForm& form) {
        EXPECT_EQ(form.group(), -1);
        EXPECT_FALSE(form.newGroup());
        ASSERT_EQ(d.ui.messages.size(), 1u);
        EXPECT_EQ(d.ui.messages[0].text, u"グループ名を入力してください。");
        EXPECT_EQ(d.ui.messages[0].title, u"対局記録");
        form.setNewGroupName(u"碁会所");
        EXPECT_TRUE(form.newGroup());
        form.setNewGroupName(u"碁会所");
        d.ui.answers = {false, true};
        EXPECT_FALSE(form.newGroup());
        EXPECT_EQ(d.ui.questions.back().text, u"同じグループ名が既に登録されているようです。追加しますか？");
        form.setNewGroupName(u"碁会所");
        EXPECT_TRUE(form.newGroup());
        EXPECT_EQ(form.groups().size(), 2u);
        d.ui.answers = {true};
        form.deleteGroup();
        EXPECT_EQ(d.ui.questions.back().text, u"表示中のグループを削除して良いですか？");
        EXPECT_EQ(form.groups().size(), 1u);
        EXPECT_EQ(form.group(), form.groups()[0].slot);
        form.close();
    });
}

TEST(GameResultDialogs, TheRecordDialogAsksForEachMissingValueInTurn) {
    Diary d;
    d.list([&](GameResultListForm& form) {
        form.setNewGroupName(u"碁会所");
        ASSERT_TRUE(form.newGroup());
        d.ui.resultScripts.push_back([&](GameResultForm& f) {
            EXPECT_EQ(f.begun().year, 2026); // today
            EXPECT_EQ(f.komiText(), u"6.5");
            EXPECT_EQ(f.placeChoices(), (std::vector<std::u16string>{u"＜場所名を入力してください＞", u"メール"}));
            const struct {
                std::function<void()> change;
                std::u16string_view refusal; // empty: accepted
            } steps[] = {
                {[] {}, u"対局名を入力して下さい。"},
                {[&] { f.setGameName(u"第1局"); }, u"黒番対局者の名前を入力して下さい。"},
                {[&] { f.setBlack(u"私"); }, u"白番対局者の名前を入力して下さい。"},
                {[&] { f.setWhite(u"鈴木"); }, u"対局場所名を入力して下さい。"},
                {[&] { f.setPlace(u"＜場所名を入力してください＞"); }, u"対局場所名を入力して下さい。"},
                {[&] { f.setPlace(u"碁会所"); }, u"目数を入力して下さい。"},
                {[&] { f.setPoints(u"2.5目"); }, u"目数を入力して下さい。"},
                {[&] { f.setPoints(u"2.5"); }, u""},
            };
            for (const auto& step : steps) {
                d.ui.messages.clear();
                step.change();
                EXPECT_EQ(f.confirm(), step.refusal.empty());
                std::vector<std::u16string> shown;
                for (const auto& m : d.ui.messages) shown.push_back(m.text);
                EXPECT_EQ(shown, step.refusal.empty() ? std::vector<std::u16string>{}
                                                      : std::vector<std::u16string>{std::u16string(step.refusal)});
            }
            return true;
        });
        form.addRecord();
        ASSERT_EQ(form.rows().size(), 1u);
        EXPECT_EQ(form.rows()[0].cell(GameResultColumn::Result), u"黒2.5目勝ち");
        EXPECT_EQ(form.rows()[0].cell(GameResultColumn::Begun), u"2026/12/10");
        EXPECT_EQ(form.rows()[0].cell(GameResultColumn::Place), u"碁会所");
        form.close();
    });
    // The record is in the group's file for the next opening.
    d.list([&](GameResultListForm& form) {
        ASSERT_EQ(form.rows().size(), 1u);
        EXPECT_EQ(form.rows()[0].cell(GameResultColumn::White), u"鈴木");
        form.close();
    });
}

TEST(GameResultDialogs, TheSameGameTwiceIsAskedAndEditingKeepsTheColoursOfTheRecord) {
    Diary d;
    d.list([&](GameResultListForm& form) {
        form.setNewGroupName(u"碁会所");
        ASSERT_TRUE(form.newGroup());
        d.addRecord(form, u"第1局", u"私", u"鈴木", 1, u"3");
        d.ui.answers = {false}; // "追加しない": the dialog stays open, cancelled then
        d.addRecord(form, u"第1局", u"私", u"鈴木", 2, u"3");
        EXPECT_EQ(d.ui.questions.back().text, u"同じ対局が既に登録されているようです。追加しますか？");
        EXPECT_EQ(form.rows().size(), 1u);
        d.ui.answers = {true};
        d.addRecord(form, u"第1局", u"私", u"鈴木", 2, u"3");
        ASSERT_EQ(form.rows().size(), 2u);

        // Editing a record does not count itself as a second of the same game.
        form.select(0);
        const std::size_t asked = d.ui.questions.size();
        d.ui.resultScripts.push_back([](GameResultForm& f) {
            EXPECT_EQ(f.points(), u"3");
            EXPECT_EQ(f.black(), u"私");
            f.setMarginKind(ResultMarginKind::Resignation);
            f.setGameName(u"第2局");
            return f.confirm();
        });
        form.editRecord();
        EXPECT_EQ(d.ui.questions.size(), asked);
        EXPECT_EQ(form.rows()[0].cell(GameResultColumn::Result), u"黒中押し勝ち");
        EXPECT_EQ(form.rows()[0].cell(GameResultColumn::Name), u"第2局");

        // "対局者選択": black's side over every game, or one player's.
        EXPECT_EQ(form.playerChoices(), (std::vector<std::u16string>{u"＜全ての黒番＞", u"私", u"鈴木"}));
        EXPECT_EQ(form.tally(), (ResultTally{1, 1, 0}));
        form.setPlayer(2);
        EXPECT_EQ(form.tally(), (ResultTally{1, 1, 0}));
        d.addRecord(form, u"第3局", u"鈴木", u"私", 3, u"");
        EXPECT_EQ(form.tally(), (ResultTally{1, 1, 1}));

        form.select(1);
        d.ui.answers = {true};
        form.deleteRecord();
        EXPECT_EQ(d.ui.questions.back().text, u"選択中の対局記録を削除して良いですか？");
        EXPECT_EQ(form.rows().size(), 2u);
        EXPECT_EQ(form.rows()[1].cell(GameResultColumn::Name), u"第3局");
        form.close();
    });
}

TEST(GameResultDialogs, CsvExportAddsItsExtensionAndSaysWhereTheFileWent) {
    Diary d;
    d.list([&](GameResultListForm& form) {
        form.setNewGroupName(u"春/秋");
        ASSERT_TRUE(form.newGroup());
        d.addRecord(form, u"第1局", u"私", u"鈴木", 1, u"3");
        const std::string path = d.folder.path() + "diary";
        d.ui.saveAnswers = {path};
        form.exportCsv();
        ASSERT_EQ(d.ui.saveRequests.size(), 1u);
        const SaveFileRequest& asked = d.ui.saveRequests[0];
        EXPECT_EQ(asked.proposedName, u"春_秋.csv");
        ASSERT_EQ(asked.filters.size(), 2u);
        EXPECT_EQ(asked.filters[0].label, u"CSV files {*.csv}");
        EXPECT_EQ(asked.filters[1].patterns, std::vector<std::u16string>{u"*.*"});
        EXPECT_TRUE(pathExists(path + ".csv"));
        EXPECT_EQ(form.statusLine(), u"CSV出力完了：" + fromUtf8(path) + u".csv");

        d.ui.saveAnswers = {d.folder.path() + "missing/diary.csv"};
        form.exportCsv();
        ASSERT_EQ(d.ui.messages.size(), 1u);
        EXPECT_EQ(d.ui.messages[0].title, u"CSV出力");
        form.close();
    });
}

TEST(GameResultDialogs, ShowingAResultsGameFindsItByNameOrSaysItIsMissing) {
    Diary d;
    GameStore& store = *d.app.store();
    const int group = store.currentGroup();
    test::storeSampleGame(store, group, 1, 4);
    StoreMessages messages;
    const std::u16string stored = store.gameList(group, messages).find(1)->name;
    d.list([&](GameResultListForm& form) {
        form.setNewGroupName(u"碁会所");
        ASSERT_TRUE(form.newGroup());
        d.addRecord(form, u"誰も保存していない対局", u"私", u"鈴木", 1, u"3");
        form.select(0);
        form.showGame();
        ASSERT_EQ(d.ui.messages.size(), 1u);
        EXPECT_EQ(d.ui.messages[0].text, u"次の対局データは見つかりませんでした。\r\n誰も保存していない対局");
        EXPECT_EQ(d.ui.messages[0].title, u"対局結果");
        EXPECT_FALSE(form.closeRequested());

        d.addRecord(form, stored, u"私", u"鈴木", 1, u"3");
        form.select(1);
        form.showGame();
        EXPECT_TRUE(form.closeRequested());
    });
    EXPECT_EQ(d.app.session()->number(), 1);
}

TEST(GameResultDialogs, ADamagedGroupFileIsSaidAndItsReadableGroupsAreListed) {
    Diary d;
    d.list([&](GameResultListForm& form) {
        for (const char16_t* name : {u"一", u"二"}) {
            form.setNewGroupName(name);
            ASSERT_TRUE(form.newGroup());
        }
        form.close();
    });
    const std::string path = d.app.folder().file("GameResult/GameResultGroup.dat");
    auto bytes = readWholeFile(path);
    ASSERT_TRUE(bytes);
    bytes->resize(bytes->size() - 6);
    ASSERT_TRUE(writeFileAtomically(path, *bytes));
    d.ui.messages.clear();
    d.list([&](GameResultListForm& form) {
        ASSERT_EQ(d.ui.messages.size(), 1u);
        EXPECT_EQ(d.ui.messages[0].text, u"エラーが発生しました。保存されたデータが異常です。");
        EXPECT_EQ(d.ui.messages[0].title, u"対局結果のグループリストの読み込み");
        ASSERT_EQ(form.groups().size(), 1u);
        EXPECT_EQ(form.groups()[0].name, u"一");
        form.close();
    });
}

} // namespace
} // namespace stonewise
