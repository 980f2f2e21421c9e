#include <QApplication>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QtTest>

#include "ShownProgram.h"
#include "app/Application.h"
#include "app/CIgoBoard.h"
#include "app/CommandIds.h"
#include "app/GameSession.h"
#include "formats/SgfReader.h"
#include "qt/MainWindow.h"
#include "qt/PatternDiagramView.h"
#include "qt/PatternSearchWindow.h"
#include "search/PatternBuild.h"
#include "store/GameStore.h"
#include "support/TempFolder.h"

using namespace stonewise;

namespace {

struct QuietWatcher final : PatternBuildWatcher {
    bool progress(int, int, std::u16string_view) override { return true; }
    void message(std::u16string_view, std::u16string_view) override {}
};

QPushButton* button(QWidget* parent, const QString& text) {
    for (QPushButton* b : parent->findChildren<QPushButton*>())
        if (b->text() == text) return b;
    return nullptr;
}

} // namespace

// The pattern search panel on the screen: a result chosen shows its diagram, the moves that
// followed, its branches and the comment; "分岐表示" shows a variation; "図・リスト" hides the diagram.
class PatternSearchWindowTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void aChosenResultShowsItsDiagramBranchesAndComment() {
        test::ShownProgram program;
        Application& app = program.app;
        MainWindow& window = *program.window;
        window.resize(1000, 800);
        window.runCommand(kCmdModeViewing);

        GameStore& store = *app.store();
        const int group = store.currentGroup();
        std::vector<CompositionEntry> composition;
        const std::u16string_view games[] = {
            u"(;SZ[19];B[pd];W[dp];B[pq];W[dd];B[qk];W[fq];B[cf];W[fc])",
            u"(;SZ[19];B[pd];W[dp];B[pq];W[dd];B[qk];W[fq]C[ここまで定番](;B[cf];W[fc])(;B[cn]C[別の進行]))",
        };
        for (int i = 0; i < 2; ++i) {
            SgfReadResult read = readSgf(games[i], GameInfo{}, {});
            QVERIFY(read.ok);
            GameInfo info = read.info;
            info.number = i + 1;
            info.name = i == 0 ? u"一局目" : u"二局目";
            StoreMessages messages;
            QVERIFY(store.writeGame(group, info.number, *read.main, &info, messages));
            store.gameList(group, messages).put(info);
            QVERIFY(store.saveGameList(group, messages));
            composition.push_back(
                {static_cast<std::uint16_t>(group), static_cast<std::uint16_t>(info.number), info.name});
        }
        QuietWatcher watcher;
        QCOMPARE(int(buildPatternDatabase(store, composition, {}, watcher).status),
                 int(PatternBuildResult::Status::Built));

        QVERIFY(app.session()->openGame(group, 1));
        window.board().showMove(6);
        window.runCommand(kCmdModePatternSearch);
        auto* panel = window.findChild<PatternSearchWindow*>();
        QVERIFY(panel);
        QTRY_VERIFY(panel->isVisible());
        QTest::mouseClick(button(panel, QStringLiteral("棋譜")), Qt::LeftButton);
        QTreeWidget* results = panel->results();
        QCOMPARE(results->topLevelItemCount(), 2);
        // The first result is chosen at once: its diagram, continuation and comment.
        QCOMPARE(panel->diagramView()->diagram().stones.size(), std::size_t{8});
        QCOMPARE(panel->moveList()->count(), 2);
        // Points are named as the board names them.
        auto point = [&](int x, int y) {
            const auto [column, row] = window.board().pointLabels(x, y);
            return QStringLiteral("(%1,%2)").arg(QString::fromStdU16String(column), QString::fromStdU16String(row));
        };
        QCOMPARE(panel->moveList()->item(0)->text(), QStringLiteral("1  黒 ") + point(2, 5));
        QCOMPARE(panel->commentBox()->toPlainText(), QString());
        QVERIFY(!button(panel, QStringLiteral("ブックを表示"))->isEnabled());

        const QRect row = results->visualItemRect(results->topLevelItem(1));
        QTest::mouseClick(results->viewport(), Qt::LeftButton, {}, row.center());
        QCOMPARE(panel->commentBox()->toPlainText(), QStringLiteral("ここまで定番"));
        QTreeWidget* branches = panel->branchTree();
        QCOMPARE(branches->topLevelItemCount(), 1);
        QTreeWidgetItem* variation = branches->topLevelItem(0)->child(0);
        QVERIFY(variation);
        QCOMPARE(variation->text(0), QStringLiteral("変化 7手目から"));
        branches->setCurrentItem(variation);
        QTest::mouseClick(button(panel, QStringLiteral("分岐表示")), Qt::LeftButton);
        QCOMPARE(panel->moveList()->count(), 1);
        QCOMPARE(panel->moveList()->item(0)->text(), QStringLiteral("1  黒 ") + point(2, 13));
        panel->moveList()->setCurrentRow(0);
        QCOMPARE(panel->commentBox()->toPlainText(), QStringLiteral("別の進行"));
        // The diagram paints its stones: black where move 1 of the variation stands, white on fq,
        // the board's wood on an empty point.
        PatternDiagramView* view = panel->diagramView();
        const QImage picture = view->grab().toImage();
        const double side = view->cell() * 0.25; // beside the number written on the stone
        auto lightness = [&](int x, int y, double down = 0) {
            const QPointF c = view->pointCentre(x, y) + QPointF(side, down);
            return picture.pixelColor(c.toPoint()).lightness();
        };
        QVERIFY(lightness(2, 13) < 80);
        QVERIFY(lightness(5, 16) > 200);
        const int wood = lightness(10, 5, view->cell() / 2); // inside a square of the grid
        QVERIFY(wood > 80 && wood < 200);

        QVERIFY(panel->diagramPane()->isVisible());
        QTest::mouseClick(button(panel, QStringLiteral("図・リスト")), Qt::LeftButton);
        QVERIFY(!panel->diagramPane()->isVisible());
        QTest::mouseClick(button(panel, QStringLiteral("図・リスト")), Qt::LeftButton);
        QVERIFY(panel->diagramPane()->isVisible());
        panel->reject();
    }
};

QTEST_MAIN(PatternSearchWindowTest)
#include "PatternSearchWindowTest.moc"
