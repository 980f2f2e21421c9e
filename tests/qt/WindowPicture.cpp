// Draws a picture of the main window as the program shows it, for the README:
//   qt_window_picture OUT.png LOCALE GAME.sgf MOVE [count | study COLUMN ROW ...]
// opens GAME.sgf in the viewing mode on a fresh data folder with the interface language of the
// Windows locale number LOCALE (1041 Japanese, 1033 English), steps to MOVE with move numbers
// shown (with "count": without them, and counts the territory there), and writes the window
// (1000 × 768, grabbed offscreen) to OUT.png. With "study" it opens the study board at MOVE, plays
// the points given (columns and rows from 1, as the board labels them) there, the branch question
// answered with its default, and writes the study window instead.
#include <QApplication>
#include <QFont>
#include <QTimer>
#include <QtTest>

#include "BoxCloser.h"
#include "ImportDialogAnswer.h"
#include "InterfaceTour.h"
#include "app/CommandIds.h"
#include "app/ProgramCommands.h"
#include "app/StudyBoard.h"
#include "app/TerritoryCounting.h"
#include "qt/MainWindow.h"

int main(int argc, char** argv) {
    using namespace stonewise;
    QApplication qapp(argc, argv);
    const bool count = argc == 6 && QByteArray(argv[5]) == "count";
    const bool study = argc >= 8 && argc % 2 == 0 && QByteArray(argv[5]) == "study";
    if (argc != 5 && !count && !study) {
        qCritical("usage: qt_window_picture OUT.png LOCALE GAME.sgf MOVE [count | study COLUMN ROW ...]");
        return 2;
    }
    QApplication::setFont(QFont(QStringLiteral("IPAPGothic"), 10));
    test::RunningProgram program(QStringLiteral("LOCALE=") + QString::fromLocal8Bit(argv[2]),
                                 QStringLiteral(STONEWISE_PROGRAM_FOLDER), QSize(1000, 768));
    if (!program.shown()) return 1;
    MainWindow& window = program.window();
    window.runCommand(32902); // the viewing mode
    test::answerImportDialog("importTemporary");
    window.openFile(QString::fromLocal8Bit(argv[3]));
    if (!count) window.runCommand(kCmdShowNumbers);
    const int move = QString::fromLocal8Bit(argv[4]).toInt();
    for (int i = 0; i < move; ++i) window.runCommand(kCmdForward);
    if (count) window.runCommand(kCmdTerritoryCount);
    QWidget* drawn = &window;
    if (study) {
        window.runCommand(kCmdStudyBoard);
        StudyBoard* board = window.commands().studyBoard();
        drawn = window.findChild<QWidget*>(QStringLiteral("studyWindow"));
        if (!board || !drawn) return 1;
        // The question whether the first move opens a branch: its default answer.
        QTimer::singleShot(0, test::answerNextBoxWithItsDefault);
        for (int i = 6; i + 1 < argc; i += 2)
            board->board().clickPoint(QString::fromLocal8Bit(argv[i]).toInt() - 1,
                                      QString::fromLocal8Bit(argv[i + 1]).toInt() - 1);
    }
    QTest::qWait(200);
    return drawn->grab().save(QString::fromLocal8Bit(argv[1])) ? 0 : 1;
}
