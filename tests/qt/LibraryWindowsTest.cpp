#include <QCheckBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTreeWidget>
#include <QtTest>

#include "InterfaceTour.h"
#include "app/CommandIds.h"
#include "app/GameSession.h"
#include "app/LibraryDialogs.h"
#include "app/ProgramCommands.h"
#include "qt/GameListPanel.h"
#include "qt/LibraryWindows.h"
#include "qt/MainWindow.h"
#include "qt/QtText.h"
#include "store/GameStore.h"
#include "support/BoardFixture.h"
#include "support/ScriptedUi.h"
#include "support/TempFolder.h"

using namespace stonewise;

namespace {

// A library in a fresh data folder with games 3 and 11 in the play-and-record group.
struct Library {
    test::TempFolder folder;
    GameStore store{DataFolder(folder.path()), StringTable::japanese()};
    test::ScriptedUi ui;
    int group = 1;

    Library() {
        StoreMessages messages;
        SettingsRecord settings;
        store.start(settings, {2026, 12, 10, 0}, messages);
        store.setCurrentGroup(0);
        test::storeSampleGame(store, group, 3, 3);
        test::storeSampleGame(store, group, 11, 11);
    }
    LibraryEnvironment env() {
        LibraryEnvironment e;
        e.store = &store;
        e.ui = &ui;
        return e;
    }
};

QStringList headerOf(const QTreeWidget* tree) {
    QStringList titles;
    for (int c = 0; c < tree->columnCount(); ++c) titles << tree->headerItem()->text(c);
    return titles;
}

QStringList column(const QTreeWidget* tree, int c) {
    QStringList texts;
    for (int i = 0; i < tree->topLevelItemCount(); ++i) texts << tree->topLevelItem(i)->text(c);
    return texts;
}

QPushButton* button(QWidget* dialog, int textId) {
    for (QPushButton* b : dialog->findChildren<QPushButton*>())
        if (b->text() == uiString(textId)) return b;
    return nullptr;
}

} // namespace

// Each library dialog shows the form's rows and lets the form decide what its buttons may do.
class LibraryWindowsTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void thePanelSortsByColumnAndShowsTheGameChosen() {
        Library lib;
        lib.store.setCurrentGroup(lib.group);
        GameListPanel panel;
        panel.setContent(gameListPanelContent(lib.env()));
        QTreeWidget* list = panel.list();
        QCOMPARE(headerOf(list),
                 QStringList({QStringLiteral("対局名"), QStringLiteral("番号"), QStringLiteral("保護"),
                              QStringLiteral("白番"), QStringLiteral("黒番"), QStringLiteral("ハンディ"),
                              QStringLiteral("タイプ"), QStringLiteral("状況"), QStringLiteral("対局日")}));
        QCOMPARE(column(list, 0), QStringList({QStringLiteral("game 3"), QStringLiteral("game 11")}));
        QCOMPARE(column(list, 1), QStringList({QStringLiteral("    3"), QStringLiteral("   11")}));
        QCOMPARE(panel.findChild<QLabel*>()->text(), QStringLiteral("G2: 対局・記録"));
        // The number column, clicked once more, turns the order round; the name column sorts by name.
        Q_EMIT list->header()->sectionClicked(1);
        QCOMPARE(column(list, 1), QStringList({QStringLiteral("   11"), QStringLiteral("    3")}));
        Q_EMIT list->header()->sectionClicked(0);
        QCOMPARE(column(list, 0), QStringList({QStringLiteral("game 11"), QStringLiteral("game 3")}));
        QSignalSpy chosen(&panel, &GameListPanel::gameChosen);
        Q_EMIT list->itemDoubleClicked(list->topLevelItem(1), 0);
        QCOMPARE(chosen.size(), 1);
        QCOMPARE(chosen[0][0].toInt(), 3);
    }

    void theGameListDialogListsAGroupAndDeletes() {
        Library lib;
        GameListForm form(lib.env(), lib.group);
        GameListDialog dialog(form, nullptr);
        auto* list = dialog.findChild<QTreeWidget*>();
        QCOMPARE(headerOf(list),
                 QStringList({QStringLiteral("対局名"), QStringLiteral("白番"), QStringLiteral("黒番"),
                              QStringLiteral("ハンディ"), QStringLiteral("状況"), QStringLiteral("対局日")}));
        QCOMPARE(list->topLevelItemCount(), 2);
        QCOMPARE(form.selected(), 3); // the first game, selected
        if (const QString picture = qEnvironmentVariable("STONEWISE_PICTURE"); !picture.isEmpty()) {
            dialog.show();
            QTest::qWait(50);
            QVERIFY(dialog.grab().save(picture));
        }
        Q_EMIT list->header()->sectionClicked(0); // by name: "game 11" before "game 3"
        Q_EMIT list->header()->sectionClicked(0); // and back round
        QCOMPARE(column(list, 0), QStringList({QStringLiteral("game 3"), QStringLiteral("game 11")}));
        Q_EMIT list->header()->sectionClicked(0);
        QCOMPARE(column(list, 0), QStringList({QStringLiteral("game 11"), QStringLiteral("game 3")}));
        list->setCurrentItem(list->topLevelItem(1));
        QCOMPARE(form.selected(), 3);
        lib.ui.answers = {true};
        button(&dialog, 50002)->click();
        QCOMPARE(list->topLevelItemCount(), 1);
        QCOMPARE(column(list, 0), QStringList({QStringLiteral("game 11")}));
        QCOMPARE(lib.ui.questions.size(), std::size_t{1});
    }

    void theGroupListOffersDeletionOnlyWhereItMayGo() {
        Library lib;
        GroupListForm form(lib.env());
        GroupListDialog dialog(form, nullptr);
        auto* list = dialog.findChild<QTreeWidget*>();
        QCOMPARE(list->topLevelItemCount(), 6);
        QCOMPARE(headerOf(list), QStringList({QStringLiteral("番号"), QStringLiteral("グループ名"),
                                              QStringLiteral("対局数"), QStringLiteral("タイプ")}));
        QCOMPARE(list->topLevelItem(1)->text(2), QStringLiteral("    2"));
        QPushButton* remove = button(&dialog, 50002);
        for (int row : {0, 1}) { // the current group, a group with games
            list->setCurrentItem(list->topLevelItem(row));
            QVERIFY(!remove->isEnabled());
        }
        QCOMPARE(dialog.findChildren<QLabel*>().last()->text(), uiString(11403));
        list->setCurrentItem(list->topLevelItem(2));
        QVERIFY(remove->isEnabled());
    }

    void theGroupSettingsEnableTheExternalFolderWithViewingOnly() {
        Library lib;
        GroupSettingsForm form(lib.env(), std::nullopt);
        GroupSettingsDialog dialog(form, nullptr);
        QCheckBox* viewing = nullptr;
        QCheckBox* external = nullptr;
        for (QCheckBox* c : dialog.findChildren<QCheckBox*>()) {
            if (c->text() == uiString(50035)) viewing = c;
            if (c->text() == uiString(50038)) external = c;
        }
        QVERIFY(viewing && external);
        QVERIFY(!external->isEnabled());
        QPushButton* browse = button(&dialog, 50040);
        QVERIFY(!browse->isEnabled());
        viewing->click();
        QVERIFY(external->isEnabled());
        external->click();
        QVERIFY(browse->isEnabled());
        viewing->click();
        QVERIFY(!external->isChecked());
        QVERIFY(!browse->isEnabled());
    }

    void theMemberDialogsShowMembersAndAliases() {
        Library lib;
        MemberListForm form(lib.env());
        MemberListDialog dialog(form, nullptr);
        auto* list = dialog.findChild<QTreeWidget*>();
        QCOMPARE(column(list, 1), QStringList({QStringLiteral("不明"), QStringLiteral("黒石さん")}));
        QCOMPARE(column(list, 3), QStringList({QStringLiteral("<NULL>"), QStringLiteral("<NULL>")}));
        MemberSettingsForm member(lib.env(), std::nullopt);
        MemberSettingsDialog settings(member, nullptr);
        QPushButton* clear = button(&settings, 50077);
        QVERIFY(!clear->isEnabled());
        lib.ui.nameAnswers = {0};
        button(&settings, 50076)->click();
        QCOMPARE(member.address(), std::u16string(u"不明"));
        QVERIFY(clear->isEnabled());
        clear->click();
        QVERIFY(member.address().empty());
        QVERIFY(!clear->isEnabled());
    }

    void theWindowShowsTheGroupsGamesBesideTheBoard() {
        test::RunningProgram program(QString(), QStringLiteral(STONEWISE_PROGRAM_FOLDER), QSize(1200, 860));
        QVERIFY(program.shown());
        MainWindow& window = program.window();
        window.runCommand(kCmdModePlayAndRecord);
        GameStore& store = *program.app().store();
        const int group = store.currentGroup();
        // Games of the Edo masters, as a user keeps them.
        MemberRecord shusaku;
        shusaku.name = u"本因坊秀策";
        MemberRecord gennan;
        gennan.name = u"井上幻庵因碩";
        const int black = store.members().add(shusaku);
        const int white = store.members().add(gennan);
        const struct {
            int number;
            const char16_t* name;
            std::int16_t winner;
            float margin;
            std::int16_t handicap;
            GameDate date;
        } games[] = {{1, u"耳赤の一局", kBlackWins, 2, 0, {1846, 9, 11, 0}},
                     {2, u"御城碁 第一局", kBlackWins, 1500, 0, {1849, 11, 17, 0}},
                     {5, u"検討 先二", kInPlay, 0, 2, {2026, 12, 9, 0}}};
        for (const auto& g : games) {
            test::storeSampleGame(store, group, g.number, g.number + 2);
            StoreMessages messages;
            GameInfo info = *store.gameList(group, messages).find(g.number);
            info.name = g.name;
            info.blackPlayer = black;
            info.whitePlayer = white;
            info.winner = g.winner;
            info.margin = g.margin;
            info.handicap = g.handicap;
            info.komi = g.handicap ? 0.0f : 6.5f;
            info.startDate = g.date;
            info.type = g.winner == kInPlay ? std::int16_t{kGamePlayAndRecord} : std::int16_t{kGameRecord};
            info.protection = g.number == 2 ? 1 : 0;
            store.gameList(group, messages).put(info);
            QVERIFY(store.saveGameList(group, messages));
        }
        window.refreshCommandStates();
        QTreeWidget* list = window.gameListPanel().list();
        QVERIFY(list->isVisible());
        // The temporary game on the board first, then the group's games.
        QCOMPARE(list->topLevelItemCount(), 4);
        QCOMPARE(column(list, 2).first(), QStringLiteral("臨時"));
        QCOMPARE(column(list, 7), QStringList({QString(), QStringLiteral("黒2目勝ち"), QStringLiteral("黒中押し勝ち"),
                                               QStringLiteral("記録中")}));
        Q_EMIT list->itemDoubleClicked(list->topLevelItem(0), 0); // already on the board: nothing happens
        QCOMPARE(list->topLevelItemCount(), 4);
        Q_EMIT list->itemDoubleClicked(list->topLevelItem(3), 0);
        QCOMPARE(list->topLevelItemCount(), 3);
        QCOMPARE(program.app().session()->number(), 5);
        QCOMPARE(window.board().totalMoves(), 7);
        // The game on the board is marked in the list.
        QVERIFY(list->topLevelItem(2)->font(0).bold());
        QVERIFY(!list->topLevelItem(0)->font(0).bold());
        // STONEWISE_PICTURE=FILE.png keeps a picture of the window to look at.
        if (const QString picture = qEnvironmentVariable("STONEWISE_PICTURE"); !picture.isEmpty()) {
            QTest::qWait(100);
            QVERIFY(window.grab().save(picture));
        }
    }
};

QTEST_MAIN(LibraryWindowsTest)
#include "LibraryWindowsTest.moc"
