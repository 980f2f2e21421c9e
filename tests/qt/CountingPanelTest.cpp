#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QtTest>

#include "BoxCloser.h"
#include "ImportDialogAnswer.h"
#include "ShownProgram.h"
#include "app/Application.h"
#include "app/CommandIds.h"
#include "app/TerritoryCounting.h"
#include "qt/BoardWidget.h"
#include "qt/CountingPanel.h"
#include "qt/MainWindow.h"
#include "qt/QtText.h"
#include "qt/SidePanel.h"
#include "support/TempFolder.h"

using namespace stonewise;

// The counting panel in the main window: opened by "地合いの計算", its lines and controls, the
// board's marks, a click on a dead stone and "計算終了".
class CountingPanelTest : public QObject {
    Q_OBJECT

    static bool panelShows(const CountingPanel& panel, const QString& text) {
        for (const QLabel* l : panel.findChildren<QLabel*>())
            if (l->text() == text) return true;
        return false;
    }

    static QPushButton* button(const CountingPanel& panel, const QString& text) {
        for (QPushButton* b : panel.findChildren<QPushButton*>())
            if (b->text() == text) return b;
        return nullptr;
    }

    // The board picture around a point (a quarter of the spacing each way).
    static QImage around(MainWindow& window, int x, int y) {
        const BoardWidget& board = window.boardWidget();
        const int r = static_cast<int>((board.centreOf(1, 0).x() - board.centreOf(0, 0).x()) / 4);
        const QPoint c = board.mapTo(&window, board.centreOf(x, y).toPoint());
        return window.grab().toImage().copy(c.x() - r, c.y() - r, 2 * r, 2 * r);
    }

    // A box that appears is closed so that the run goes on, and fails the test.
    test::BoxCloser m_closer;

private Q_SLOTS:
    void init() { m_closer.start(); }

    void cleanup() {
        const QString boxes = m_closer.stop();
        QVERIFY2(boxes.isEmpty(), qPrintable(QStringLiteral("unexpected box: ") + boxes));
    }

    void countingFromTheMenuCommandToItsEnd() {
        test::ShownProgram program;
        MainWindow& window = *program.window;
        const QString file = QString::fromStdString(program.folder.path()) + QStringLiteral("/walls.sgf");
        QFile out(file);
        QVERIFY(out.open(QIODevice::WriteOnly));
        out.write("(;GM[1]FF[4]SZ[13]KM[6.5]AB[fa][fb][fc][fd][fe][ff][fg][fh][fi][fj][fk][fl][fm]"
                  "AW[ha][hb][hc][hd][he][hf][hg][hh][hi][hj][hk][hl][hm][bd]"
                  ";B[tt];W[tt];B[tt];W[tt];B[tt];W[tt];B[tt];W[tt];B[tt];W[tt])");
        out.close();
        test::answerImportDialog("importTemporary");
        window.openFile(file);
        window.runCommand(kCmdToEnd);
        window.runCommand(kCmdTerritoryCount);

        CountingPanel& panel = window.sidePanel().counting();
        QVERIFY(panel.isVisible());
        QCOMPARE(panel.title(), QStringLiteral("地合い計算"));
        QVERIFY(panelShows(panel, QStringLiteral("勝敗：白の5.5目勝ち")));
        QVERIFY(panelShows(panel, QStringLiteral("黒字　65")));
        QVERIFY(panelShows(panel, QStringLiteral("（石のクリックで取り上げ・解除）")));
        QCOMPARE(panel.findChildren<QRadioButton*>().size(), 3);
        QVERIFY(panel.findChildren<QRadioButton*>()[0]->isChecked()); // "黒石を置く"
        QVERIFY(button(panel, QStringLiteral("死石と欠け目を解除")));
        QVERIFY(button(panel, QStringLiteral("結果を対局情報へ設定")));
        QApplication::processEvents();
        const QImage territory = around(window, 0, 0);
        const QImage dame = around(window, 6, 0);

        // The dead stone clicked back to life: black's area counts for nobody.
        BoardWidget& widget = window.boardWidget();
        QTest::mouseClick(&widget, Qt::LeftButton, {}, widget.centreOf(1, 3).toPoint());
        QVERIFY(panelShows(panel, QStringLiteral("黒字　0")));
        QApplication::processEvents();
        // The territory mark of black's area is gone; the dame looks as it did.
        QVERIFY(around(window, 0, 0) != territory);
        QCOMPARE(around(window, 6, 0), dame);

        QPushButton* end = button(panel, QStringLiteral("計算終了"));
        QVERIFY(end);
        end->click();
        QVERIFY(!panel.isVisible());
        QCOMPARE(window.board().position().mark(1, 3).kind, 0);
    }
};

QTEST_MAIN(CountingPanelTest)
#include "CountingPanelTest.moc"
