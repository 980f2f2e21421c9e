#include <QApplication>
#include <QCheckBox>
#include <QImage>
#include <QMenu>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <set>

#include "app/CIgoBoard.h"
#include "app/CommandIds.h"
#include "qt/CommentPanel.h"
#include "qt/InfoPanel.h"
#include "qt/MoveListPanel.h"
#include "qt/QtText.h"
#include "qt/SidePanel.h"
#include "support/ScriptedUi.h"
#include "view/MoveListRegistry.h"

using namespace stonewise;

namespace {

// A board window whose panels are a real side panel, as the main window wires them.
struct PanelledBoard {
    test::ScriptedUi ui;
    SidePanel side;
    CIgoBoard board;

    PanelledBoard() : board(environment()) {
        side.resize(320, 560);
        side.setBoard(&board);
    }
    BoardEnvironment environment() {
        BoardEnvironment env;
        env.ui = &ui;
        env.panels = &side;
        return env;
    }
    void play(std::initializer_list<std::pair<int, int>> moves) {
        for (const auto& [x, y] : moves) board.clickPoint(x, y);
    }
    QTreeWidget* tree() { return side.moveList().tree(); }
    QStringList topTexts() {
        QStringList texts;
        for (int i = 0; i < tree()->topLevelItemCount(); ++i) texts << tree()->topLevelItem(i)->text(0);
        return texts;
    }
    // Five moves with a comment on the third, and a branch after move 3 with two moves.
    RecordSequence* buildBranchedGame() {
        play({{3, 3}, {15, 15}, {4, 4}, {14, 14}, {5, 5}});
        board.record().main().setComment(2, u"ここが急所");
        board.record().main().node(1).elapsed = 3725;
        board.showMove(3);
        BranchDialogResult b;
        b.choice = BranchDialogResult::Choice::Branch;
        b.comment = u"黒の変化";
        ui.branchAnswers.push_back(b);
        board.clickPoint(10, 10);
        RecordSequence* branch = board.record().pathTop();
        play({{11, 11}});
        return branch;
    }
};

} // namespace

class SidePanelTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void listsTheRecordAsATree() {
        PanelledBoard p;
        p.buildBranchedGame();
        QCOMPARE(p.topTexts(),
                 (QStringList{u"  1　（4，4）　"_qs, u"  2　（16，16）　"_qs, u"  3　（5，5）　ここが急所"_qs,
                              u"【分岐】 黒の変化"_qs, u"  4　（15，15）　"_qs, u"  5　（6，6）　"_qs}));
        QTreeWidgetItem* branch = p.tree()->topLevelItem(3);
        QCOMPARE(branch->childCount(), 2);
        QCOMPARE(branch->child(1)->text(0), u"  5 : 2　（12，12）　"_qs);
        // The board stands on the branch's last move: its line is current and the branch open.
        QCOMPARE(p.tree()->currentItem(), branch->child(1));
        QVERIFY(branch->isExpanded());
        QVERIFY(!p.tree()->topLevelItem(0)->icon(0).isNull());
    }

    void choosingALineShowsItOnTheBoard() {
        PanelledBoard p;
        RecordSequence* branch = p.buildBranchedGame();
        p.side.show();
        QVERIFY(QTest::qWaitForWindowExposed(&p.side));
        const QRect r = p.tree()->visualItemRect(p.tree()->topLevelItem(1));
        QTest::mouseClick(p.tree()->viewport(), Qt::LeftButton, {}, r.center());
        QCOMPARE(p.board.record().pathDepth(), 0);
        QCOMPARE(p.board.shownMove(), 2);
        QCOMPARE(p.board.selection().index, 1);
        QCOMPARE(p.side.comment().text(), u"白2手　 1:02:05\n"_qs);

        // Back into the branch through its line: the branch is shown and its line stays current.
        p.tree()->setCurrentItem(p.tree()->topLevelItem(3));
        QCOMPARE(p.board.record().pathTop(), branch);
        QCOMPARE(p.board.shownMove(), 4);
        QCOMPARE(p.tree()->currentItem(), p.tree()->topLevelItem(3));
        QCOMPARE(p.side.comment().text(), u"分岐\n黒の変化"_qs);

        // The list follows the board.
        p.board.forward();
        QCOMPARE(p.tree()->currentItem(), p.tree()->topLevelItem(3)->child(1));
        p.board.toStart();
        QCOMPARE(p.tree()->currentItem(), p.tree()->topLevelItem(0));
    }

    void collapsedModeAndMarkEditing() {
        PanelledBoard p;
        p.buildBranchedGame();
        auto* collapsed = p.side.moveList().findChild<QCheckBox*>();
        QVERIFY(collapsed && collapsed->isEnabled());
        p.side.moveList().setCollapsed(true);
        QCOMPARE(p.topTexts(), (QStringList{u"  1 : 【主棋譜】"_qs, u"  4 : 【分岐】 黒の変化"_qs}));
        p.board.showSequence(&p.board.record().main(), 2);
        QCOMPARE(p.tree()->currentItem(), p.tree()->topLevelItem(0));
        p.side.moveList().setMarkEditing(true);
        QVERIFY(!p.side.moveList().collapsed());
        QCOMPARE(p.tree()->topLevelItemCount(), 6);
    }

    void informationPanel() {
        PanelledBoard p;
        GameInfo info;
        info.blackName = u"山田";
        info.whiteName = u"佐藤";
        info.handicap = 3;
        info.komi = 0.5f;
        p.board.newGame(info);
        QCOMPARE(p.side.info().blackName(), u"山田"_qs);
        QCOMPARE(p.side.info().whiteName(), u"佐藤"_qs);
        QCOMPARE(p.side.info().handicapKomi(), u"置碁 3子、 コミ 半目"_qs);
        p.play({{15, 2}});
        QVERIFY(p.side.info().blackTurn());
        QVERIFY(!p.side.info().whiteTurn());
        QCOMPARE(p.side.info().whitePrisoners(), u"アゲハマ　  0"_qs);
        QCOMPARE(p.topTexts(), (QStringList{u"  1　（16，3）　"_qs}));
    }

    void aFourthListIsRefused() {
        test::ScriptedUi ui;
        MoveListRegistry registry;
        MoveListPanel a, b, c, d;
        QVERIFY(a.registerWith(registry, &ui));
        QVERIFY(b.registerWith(registry, &ui));
        QVERIFY(c.registerWith(registry, &ui));
        QVERIFY(!d.registerWith(registry, &ui));
        QCOMPARE(ui.messages.size(), std::size_t(1));
        QCOMPARE(qs(ui.messages[0].title), u"アプリエラー"_qs);
    }

    void contextMenuCommandsGoToTheBoard() {
        PanelledBoard p;
        p.buildBranchedGame();
        p.side.show();
        QVERIFY(QTest::qWaitForWindowExposed(&p.side));
        QObject::connect(&p.side, &SidePanel::commandRequested, [&](int id) { p.board.command(id); });
        p.ui.elapsedAnswers.push_back({true, 65});
        QStringList enabled;
        QTimer::singleShot(0, [&] {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            if (!menu) return;
            QAction* elapsed = nullptr;
            for (QAction* a : menu->actions()) {
                if (a->isEnabled() && !a->isSeparator()) enabled << a->text();
                if (a->text() == u"経過時間を修正..."_qs) elapsed = a;
            }
            if (elapsed) menu->setActiveAction(elapsed);
            QTest::keyClick(menu, Qt::Key_Return);
        });
        // A right click on the fourth move chooses it and opens the list's menu.
        const QRect r = p.tree()->visualItemRect(p.tree()->topLevelItem(4));
        Q_EMIT p.tree()->customContextMenuRequested(r.center());
        QCOMPARE(enabled, (QStringList{u"キャンセル"_qs, u"コメントの追加・編集..."_qs, u"経過時間を修正..."_qs}));
        QCOMPARE(p.board.shownMove(), 4);
        QCOMPARE(p.board.record().main().node(p.board.selection().index).elapsed, 65);
        QCOMPARE(p.tree()->currentItem(), p.tree()->topLevelItem(4));
    }

    void lookOfThePanel() {
        PanelledBoard p;
        GameInfo info;
        info.blackName = u"山田 太郎";
        info.whiteName = u"佐藤 花子";
        info.komi = 6.5f;
        p.board.newGame(info);
        RecordSequence* branch = p.buildBranchedGame();
        p.board.record().main().setComment(0, u"小目から始まる一局。\\白は二間高ガカリを選んだ。");
        p.board.showSequence(&p.board.record().main(), 4);
        BranchDialogResult r;
        r.choice = BranchDialogResult::Choice::Reference;
        r.comment = u"こちらの方が厚い";
        p.ui.branchAnswers.push_back(r);
        p.board.clickPoint(9, 9);
        p.board.showSequence(branch, 5);
        p.side.moveList().setOptions({true, 16, true, false, false, nullptr});
        p.side.show();
        QVERIFY(QTest::qWaitForWindowExposed(&p.side));
        p.tree()->setCurrentItem(p.tree()->topLevelItem(0));
        const QImage shot = p.side.grab().toImage();
        QVERIFY(!shot.isNull());
        std::set<QRgb> colours;
        for (int y = 0; y < shot.height(); y += 3)
            for (int x = 0; x < shot.width(); x += 3) colours.insert(shot.pixel(x, y));
        QVERIFY(colours.size() > 20); // text, icons and frames were painted
        shot.save(QStringLiteral("side-panel.png"));
    }
};

QTEST_MAIN(SidePanelTest)
#include "SidePanelTest.moc"
