// Draws a picture of the pattern search panel beside the main window, for the README:
//   qt_pattern_search_picture OUT.png GAMES_FOLDER GAME.sgf MOVE
// stores the 19-line game records under GAMES_FOLDER (at most 1,999) in a fresh data folder,
// builds the general records' pattern database from them, opens GAME.sgf at MOVE, runs a corner
// search from the panel (its first hit chosen, with its corner diagram beside the list) and writes
// the window and the panel side by side to OUT.png.
#include <QApplication>
#include <QDirIterator>
#include <QFont>
#include <QMessageBox>
#include <QPainter>
#include <QTimer>
#include <QTreeWidget>
#include <QtTest>

#include "ImportDialogAnswer.h"
#include "InterfaceTour.h"
#include "app/Application.h"
#include "app/CommandIds.h"
#include "formats/SgfReader.h"
#include "formats/TextEncoding.h"
#include "qt/MainWindow.h"
#include "qt/PatternDiagramView.h"
#include "qt/PatternSearchWindow.h"
#include "search/PatternBuild.h"
#include "store/FileIo.h"
#include "store/GameStore.h"

namespace {

using namespace stonewise;

struct QuietWatcher final : PatternBuildWatcher {
    bool progress(int, int, std::u16string_view) override { return true; }
    void message(std::u16string_view, std::u16string_view) override {}
};

// Stores the 19-line games under `folder` in group `group`; returns the composition of them.
std::vector<CompositionEntry> storeGames(GameStore& store, int group, const QString& folder) {
    std::vector<CompositionEntry> entries;
    StoreMessages messages;
    QStringList paths;
    for (QDirIterator it(folder, {QStringLiteral("*.sgf")}, QDir::Files, QDirIterator::Subdirectories); it.hasNext();)
        paths << it.next();
    paths.sort();
    for (const QString& path : paths) {
        if (entries.size() >= 1999) break;
        const auto bytes = readWholeFile(path.toStdString());
        if (!bytes) continue;
        const std::string raw(bytes->begin(), bytes->end());
        SgfReadResult read = readSgf(fromUtf8(raw), GameInfo{}, {});
        if (!read.ok || read.boardColumns != 19 || read.main->lastMoveNumber() < 30) continue;
        GameInfo info = read.info;
        info.number = static_cast<int>(entries.size()) + 1;
        info.name = read.poolName.empty() ? QFileInfo(path).baseName().toStdU16String() : read.poolName;
        if (!store.writeGame(group, info.number, *read.main, &info, messages)) continue;
        store.gameList(group, messages).put(info);
        entries.push_back({static_cast<std::uint16_t>(group), static_cast<std::uint16_t>(info.number), info.name});
    }
    store.saveGameList(group, messages);
    return entries;
}

} // namespace

int main(int argc, char** argv) {
    QApplication qapp(argc, argv);
    if (argc != 5) {
        qCritical("usage: qt_pattern_search_picture OUT.png GAMES_FOLDER GAME.sgf MOVE");
        return 2;
    }
    QApplication::setFont(QFont(QStringLiteral("IPAPGothic"), 10));
    test::RunningProgram program(QStringLiteral("LOCALE=1041"), QStringLiteral(STONEWISE_PROGRAM_FOLDER),
                                 QSize(900, 700));
    if (!program.shown()) return 1;
    // The first start's questions (the sample records) are answered "No".
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [] {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* box = qobject_cast<QMessageBox*>(w); box && box->isVisible()) box->reject();
    });
    closer.start(20);
    GameStore& store = *program.app().store();
    const int group = 3; // "棋譜鑑賞"
    const std::vector<CompositionEntry> composition = storeGames(store, group, QString::fromLocal8Bit(argv[2]));
    QuietWatcher watcher;
    const PatternBuildResult built = buildPatternDatabase(store, composition, {}, watcher);
    if (built.status != PatternBuildResult::Status::Built) return 1;
    qInfo("%s", toUtf8(built.text).c_str());

    MainWindow& window = program.window();
    window.runCommand(32902); // the viewing mode
    test::answerImportDialog("importTemporary");
    window.openFile(QString::fromLocal8Bit(argv[3]));
    window.runCommand(kCmdShowNumbers);
    const int move = QString::fromLocal8Bit(argv[4]).toInt();
    for (int i = 0; i < move; ++i) window.runCommand(kCmdForward);
    window.runCommand(kCmdModePatternSearch);
    PatternSearchWindow* panel = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* p = qobject_cast<PatternSearchWindow*>(w)) panel = p;
    if (!panel) return 1;
    panel->resize(860, 700);
    panel->runSearch(PatternSearchType::GameCorner);
    // The diagram shows the game (not the one shown) whose corner matched earliest.
    QTreeWidget* results = panel->results();
    const QString shownName = QStringLiteral("(%1)").arg(QString::fromStdU16String(window.board().gameInfo().name));
    int best = -1;
    int bestMove = 1 << 30;
    for (int i = 0; i < results->topLevelItemCount(); ++i) {
        const QString name = results->topLevelItem(i)->text(1);
        if (name.contains(shownName)) continue;
        results->setCurrentItem(results->topLevelItem(i));
        const int move =
            QString::fromStdU16String(panel->diagramView()->diagram().caption).section(u'手', 0, 0).toInt();
        if (move > 0 && move < bestMove) {
            best = i;
            bestMove = move;
        }
    }
    if (best >= 0) {
        results->setCurrentItem(results->topLevelItem(best));
        results->scrollToItem(results->topLevelItem(best));
    }
    QTest::qWait(200);
    const QPixmap main = window.grab();
    const QPixmap side = panel->grab();
    QPixmap both(main.width() + side.width(), std::max(main.height(), side.height()));
    both.fill(Qt::white);
    QPainter painter(&both);
    painter.drawPixmap(0, 0, main);
    painter.drawPixmap(main.width(), 0, side);
    painter.end();
    return both.save(QString::fromLocal8Bit(argv[1])) ? 0 : 1;
}
