#include <QResource>
#include <QSignalSpy>
#include <QtTest>

#include "app/CIgoBoard.h"
#include "qt/BoardRenderer.h"
#include "qt/BoardWidget.h"

using namespace stonewise;

// The board widget as a user sees it: stones at the computed centres, clicks on points, and only
// the changed point painted again.
class BoardWidgetTest : public QObject {
    Q_OBJECT

private:
    static int brightness(QRgb c) { return (qRed(c) + qGreen(c) + qBlue(c)) / 3; }

    struct Window {
        BoardWidget widget;
        CIgoBoard board;
        Window() : board(environment(&widget)) {
            widget.resize(820, 860);
            widget.show(); // a widget draws once it is on the screen
            widget.setBoard(&board);
            QObject::connect(&widget, &BoardWidget::pointClicked, &widget,
                             [this](int x, int y) { board.clickPoint(x, y); });
        }
        static BoardEnvironment environment(BoardWidget* canvas) {
            BoardEnvironment env;
            env.canvas = canvas;
            return env;
        }
        QRgb offscreenAt(int x, int y) const {
            const PixelPoint c = widget.boardGeometry().centre(x, y);
            return widget.offscreenImage().pixel(c.x, c.y);
        }
    };

private Q_SLOTS:
    // The boards compiled in as plain pixels are the same pictures as their PNG files, with the
    // same wood colour; painting a point leaves the clean board as it was.
    void compiledInBoardsMatchTheirFiles() {
        const PictureReader pngOnly = [](std::string_view name) -> std::optional<std::string> {
            QFile file(QStringLiteral(":/pictures/") + QString::fromUtf8(name.data(), qsizetype(name.size())));
            if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
            return file.readAll().toStdString();
        };
        for (const auto& [lines, large] : {std::pair{19, false}, {13, false}, {19, true}}) {
            BoardRenderer compiled;
            BoardRenderer decoded;
            QVERIFY(compiled.loadCompiledIn(lines, large));
            QVERIFY(decoded.load(pngOnly, lines, large));
            QCOMPARE(compiled.image().size(), decoded.image().size());
            QVERIFY(compiled.image().convertToFormat(QImage::Format_RGB32) ==
                    decoded.image().convertToFormat(QImage::Format_RGB32));
            QVERIFY(compiled.wood() == decoded.wood());
            // The usual boards are read in place from the program file.
            if (!large) {
                const QResource pixels(QStringLiteral(":/pixels/board%1.png").arg(lines));
                QCOMPARE(static_cast<const void*>(compiled.image().constBits()),
                         static_cast<const void*>(pixels.data() + 16));
            }
            QCOMPARE(compiled.geometry().cellWidth(), decoded.geometry().cellWidth());
        }
        BoardRenderer renderer;
        QVERIFY(renderer.loadCompiledIn(19, false));
        const QImage clean = renderer.image().copy();
        PointDrawing d;
        d.rect = {100, 100, 45, 45};
        DrawOp disc;
        disc.kind = DrawOp::Kind::Disc;
        disc.x = disc.y = 120;
        disc.radius = 15;
        d.ops.push_back(disc);
        renderer.paint(d);
        QVERIFY(renderer.image() != clean);
        renderer.clear();
        QVERIFY(renderer.image() == clean);
    }

    void stonesAppearAtTheirCentres() {
        Window w;
        QVERIFY2(w.widget.pictureError().isEmpty(), qPrintable(w.widget.pictureError()));
        QVERIFY(w.board.placeStone(3, 3));   // black
        QVERIFY(w.board.placeStone(15, 15)); // white
        QVERIFY(w.board.placeStone(9, 9));   // black
        QVERIFY(brightness(w.offscreenAt(3, 3)) < 70);
        QVERIFY(brightness(w.offscreenAt(15, 15)) > 190);
        // The screen shows the same: sample a few pixels around each centre.
        const QImage shown = w.widget.grab().toImage();
        for (const auto& [x, y, dark] : {std::tuple{3, 3, true}, {15, 15, false}}) {
            const QPoint c = w.widget.centreOf(x, y).toPoint();
            for (const QPoint d : {QPoint(0, 0), QPoint(5, 3), QPoint(-4, 6)}) {
                const int b = brightness(shown.pixel(c + d));
                QVERIFY2(dark ? b < 80 : b > 180, qPrintable(QStringLiteral("%1,%2: %3").arg(x).arg(y).arg(b)));
            }
        }
        // An empty point shows the wood beside its lines.
        const QPoint empty = w.widget.centreOf(6, 6).toPoint() + QPoint(6, 6);
        const QRgb wood = shown.pixel(empty);
        QVERIFY(qRed(wood) > qBlue(wood) + 40);
    }

    void clicksMapToPoints() {
        Window w;
        QSignalSpy spy(&w.widget, &BoardWidget::pointClicked);
        const QPointF c = w.widget.centreOf(16, 3);
        QTest::mouseClick(&w.widget, Qt::LeftButton, {}, c.toPoint());
        QCOMPARE(spy.count(), 1);
        QCOMPARE(spy.at(0).at(0).toInt(), 16);
        QCOMPARE(spy.at(0).at(1).toInt(), 3);
        QVERIFY(brightness(w.offscreenAt(16, 3)) < 70); // the click played black there
        QCOMPARE(w.widget.pointAt(c.toPoint()), QPoint(16, 3));

        // Between two points nothing is hit.
        const double r = w.widget.boardGeometry().radius() * w.widget.boardLayout().scale;
        QTest::mouseClick(&w.widget, Qt::LeftButton, {}, (c + QPointF(0.96 * r + 1, 0)).toPoint());
        QCOMPARE(spy.count(), 1);
        QCOMPARE(w.widget.pointAt((c + QPointF(0, 0.96 * r + 1)).toPoint()), QPoint(-1, -1));
    }

    void onlyTheChangedPointsArePaintedAgain() {
        Window w;
        QVERIFY(w.board.placeStone(3, 3));
        QCoreApplication::processEvents();
        const QImage before = w.widget.offscreenImage().copy();
        QVERIFY(w.board.placeStone(4, 4));
        QCoreApplication::processEvents();
        const QImage after = w.widget.offscreenImage();
        // The new stone and the old last move (its mark moves away) change; nothing else does.
        QRegion allowed;
        for (const QPoint p : {QPoint(3, 3), QPoint(4, 4)}) {
            const PixelRect r = w.widget.boardGeometry().pointRect(p.x(), p.y());
            allowed += QRect(r.x, r.y, r.width, r.height);
        }
        int changed = 0;
        for (int y = 0; y < after.height(); ++y)
            for (int x = 0; x < after.width(); ++x)
                if (before.pixel(x, y) != after.pixel(x, y)) {
                    ++changed;
                    QVERIFY2(allowed.contains(QPoint(x, y)), qPrintable(QStringLiteral("pixel %1,%2").arg(x).arg(y)));
                }
        QVERIFY(changed > 500);
    }

    void thirteenLineBoardUsesItsOwnPicture() {
        Window w;
        GameInfo info;
        info.board = 1;
        w.board.newGame(info);
        QCOMPARE(w.widget.boardGeometry().lines(), 13);
        QVERIFY(w.board.placeStone(12, 12));
        QVERIFY(brightness(w.offscreenAt(12, 12)) < 70);
        QCOMPARE(w.widget.pointAt(w.widget.centreOf(12, 12).toPoint()), QPoint(12, 12));
    }
};

QTEST_MAIN(BoardWidgetTest)
#include "BoardWidgetTest.moc"
