#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QtTest>

#include "ShownProgram.h"
#include "app/Application.h"
#include "app/CIgoBoard.h"
#include "app/CommandIds.h"
#include "app/GameSession.h"
#include "app/TextSearchForm.h"
#include "qt/CommentPanel.h"
#include "qt/MainWindow.h"
#include "qt/QtText.h"
#include "qt/TextSearchWindow.h"
#include "store/GameStore.h"
#include "support/BoardFixture.h"

using namespace stonewise;

// The search window on the screen: opened from the menu's command, a search typed and started,
// a hit double-clicked, and the board showing that move of that variation.
class TextSearchWindowTest : public QObject {
    Q_OBJECT

private:
    struct Program : test::ShownProgram {
        void addGame(int number, std::u16string_view sgf, std::u16string name) {
            GameStore& store = *app.store();
            QVERIFY(test::storeSgfGame(store, store.currentGroup(), number, sgf, std::move(name)));
        }
        TextSearchWindow* searchWindow() const { return window->findChild<TextSearchWindow*>(); }
    };

private Q_SLOTS:
    void aDoubleClickedHitShowsItsMoveOnTheBoard() {
        Program p;
        p.window->runCommand(kCmdModeViewing);
        p.addGame(1, u"(;GM[1]SZ[19];B[pd];W[dp]C[序盤の要点];B[pp])", u"一局目");
        p.addGame(2, u"(;GM[1]SZ[19];B[pd];W[dp];B[pp](;W[dd];B[qj])(;W[dc]C[手筋の一手\n次の行];B[ce];W[cg]C[筋]))",
                  u"二局目");
        p.window->runCommand(kCmdTextSearch);
        TextSearchWindow* search = p.searchWindow();
        QVERIFY(search);
        QTRY_VERIFY(search->isVisible());
        search->searchBox()->setEditText(QStringLiteral("手筋　要点"));
        QPushButton* start = nullptr;
        for (QPushButton* b : search->findChildren<QPushButton*>())
            if (b->text() == QStringLiteral("検索開始")) start = b;
        QVERIFY(start);
        QTest::mouseClick(start, Qt::LeftButton);
        QTreeWidget* results = search->results();
        QCOMPARE(results->topLevelItemCount(), 2);
        QCOMPARE(results->topLevelItem(1)->text(0), QStringLiteral("二局目"));
        QCOMPARE(results->topLevelItem(1)->text(1), QStringLiteral("  4"));
        QCOMPARE(results->topLevelItem(1)->text(2), QStringLiteral("手筋の一手"));
        // The string typed joined the history.
        QCOMPARE(search->searchBox()->count(), 1);
        // Return in the search box searches too.
        search->searchBox()->setEditText(QStringLiteral("筋"));
        QTest::keyClick(search->searchBox()->lineEdit(), Qt::Key_Return);
        QCOMPARE(results->topLevelItemCount(), 2);
        QCOMPARE(search->searchBox()->count(), 2);
        search->searchBox()->setEditText(QStringLiteral("手筋　要点"));
        QTest::mouseClick(start, Qt::LeftButton);

        const QRect row = results->visualItemRect(results->topLevelItem(1));
        QTest::mouseClick(results->viewport(), Qt::LeftButton, {}, row.center());
        QTest::mouseDClick(results->viewport(), Qt::LeftButton, {}, row.center());
        CIgoBoard& board = p.window->board();
        QCOMPARE(p.app.session()->number(), 2);
        QCOMPARE(board.shownMove(), 4);
        QVERIFY(board.record().currentSequence() != &board.record().main());
        // The stone of move 4 of the variation is on the board, and the comment panel shows its text.
        QVERIFY(board.position().at(3, 2).hasStone());
        QVERIFY(!board.position().at(3, 3).hasStone());
        CommentPanel* comment = p.window->findChild<CommentPanel*>();
        QVERIFY(comment);
        QVERIFY(comment->text().contains(QStringLiteral("手筋の一手")));

        // Closed and opened again, it comes back where it was and as large.
        search->move(search->pos() + QPoint(40, 30));
        search->resize(700, 460);
        const QRect place = search->geometry();
        p.window->runCommand(kCmdTextSearch);
        QTRY_VERIFY(!p.searchWindow());
        p.window->runCommand(kCmdTextSearch);
        QTRY_VERIFY(p.searchWindow() && p.searchWindow()->isVisible());
        QCOMPARE(p.searchWindow()->geometry().size(), place.size());
        QCOMPARE(p.searchWindow()->searchBox()->count(), 2);
        p.searchWindow()->reject(); // "閉じる", Esc
        QTRY_VERIFY(!p.searchWindow());
    }
};

QTEST_MAIN(TextSearchWindowTest)
#include "TextSearchWindowTest.moc"
