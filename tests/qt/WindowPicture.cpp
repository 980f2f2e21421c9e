// Draws a picture of the main window as the program shows it, for the README:
//   qt_window_picture OUT.png LOCALE GAME.sgf MOVE [count]
// opens GAME.sgf in the viewing mode on a fresh data folder with the interface language of the
// Windows locale number LOCALE (1041 Japanese, 1033 English), steps to MOVE with move numbers
// shown (with "count": without them, and counts the territory there), and writes the window
// (1000 × 768, grabbed offscreen) to OUT.png.
#include <QApplication>
#include <QFont>
#include <QtTest>

#include "ImportDialogAnswer.h"
#include "InterfaceTour.h"
#include "app/CommandIds.h"
#include "app/TerritoryCounting.h"
#include "qt/MainWindow.h"

int main(int argc, char** argv) {
    using namespace stonewise;
    QApplication qapp(argc, argv);
    const bool count = argc == 6 && QByteArray(argv[5]) == "count";
    if (argc != 5 && !count) {
        qCritical("usage: qt_window_picture OUT.png LOCALE GAME.sgf MOVE [count]");
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
    QTest::qWait(200);
    return window.grab().save(QString::fromLocal8Bit(argv[1])) ? 0 : 1;
}
