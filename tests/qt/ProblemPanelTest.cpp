#include <QAbstractButton>
#include <QComboBox>
#include <QLabel>
#include <QtTest>

#include "BoxCloser.h"
#include "ShownProgram.h"
#include "app/Application.h"
#include "app/CommandIds.h"
#include "app/ProblemImport.h"
#include "app/ProblemMode.h"
#include "app/ProgramCommands.h"
#include "formats/GameFileLoader.h"
#include "qt/BoardWidget.h"
#include "qt/MainWindow.h"
#include "qt/ProblemPanel.h"
#include "qt/QtText.h"
#include "store/GameStore.h"
#include "support/TempFolder.h"
#include "support/TestPaths.h"

using namespace stonewise;

// Problem mode in the main window: a real problem answered by clicks on the board, along its correct
// line and along a failure line, with the panel's buttons and status.
class ProblemPanelTest : public QObject {
    Q_OBJECT

    test::BoxCloser m_closer;

    static void clickPoint(MainWindow& window, int x, int y, Qt::MouseButton button = Qt::LeftButton) {
        BoardWidget& board = window.boardWidget();
        QTest::mouseClick(&board, button, Qt::NoModifier, board.centreOf(x, y).toPoint());
    }

    static QString status(const ProblemPanel& panel) {
        return panel.findChild<QLabel*>(QStringLiteral("problemStatus"))->text();
    }

private Q_SLOTS:
    void init() { m_closer.start(); }

    void cleanup() {
        const QString boxes = m_closer.stop();
        QVERIFY2(boxes.isEmpty(), qPrintable(QStringLiteral("unexpected box: ") + boxes));
    }

    void answersAProblemByClicks() {
        test::ShownProgram program;
        Application& app = program.app;
        MainWindow& window = *program.window;
        window.runCommand(kCmdModeProblems);
        ProblemMode* mode = window.commands().problems();
        QVERIFY(mode);
        StoreMessages messages;
        const std::string dir = test::corpusDir() + "/problems/go-game-guru/weekly-go-problems/";
        for (const char* file : {"intermediate/ggg-intermediate-131.sgf", "easy/ggg-easy-01.sgf"})
            QCOMPARE(importProblemFile(*app.store(), mode->group(), dir + file, LoadSettings{}, messages).imported, 1);
        mode->open(mode->group());
        window.refreshCommandStates();

        auto* panel = window.findChild<ProblemPanel*>();
        QVERIFY(panel && panel->isVisible());
        QCOMPARE(panel->choice()->count(), 2);
        QVERIFY(panel->button(kCtlProblemNext)->isEnabled());
        QVERIFY(mode->select(0));
        window.refreshCommandStates();

        QAbstractButton* answer = panel->button(kCtlProblemAnswer);
        QCOMPARE(answer->text(), QStringLiteral("回答開始"));
        answer->click();
        QCOMPARE(answer->text(), QStringLiteral("中止"));
        QVERIFY(!panel->button(kCtlProblemNext)->isEnabled());
        clickPoint(window, 18, 18); // wrong
        QCOMPARE(status(*panel), QStringLiteral("位置が間違っています。間違えた回数：1回"));
        for (auto [x, y] : {std::pair{1, 12}, {2, 10}, {1, 10}, {0, 11}, {0, 10}, {0, 13}, {0, 15}})
            clickPoint(window, x, y);
        QCOMPARE(status(*panel), QStringLiteral("正解です"));
        QCOMPARE(answer->text(), QStringLiteral("回答開始"));
        QCOMPARE(window.board().position().at(0, 15).colour, kBlack);

        answer->click();
        clickPoint(window, 6, 15); // elsewhere: the file's refutation follows
        QCOMPARE(status(*panel), QStringLiteral("失敗手順で完了しました"));
        QCOMPARE(window.board().position().at(7, 15).colour, kWhite);

        // The picture of the mode for the documentation, when asked for.
        const QByteArray picture = qgetenv("STONEWISE_PROBLEM_PICTURE");
        if (!picture.isEmpty()) {
            answer->click();
            clickPoint(window, 1, 12);
            clickPoint(window, 2, 10);
            clickPoint(window, 5, 11); // wrong: marked
            panel->button(kCtlAnswerHint)->click();
            QTest::qWait(200);
            QVERIFY(window.grab().save(QString::fromLocal8Bit(picture)));
        }
    }
};

QTEST_MAIN(ProblemPanelTest)
#include "ProblemPanelTest.moc"
