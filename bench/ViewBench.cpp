// Drawing the board: describing every point, repainting the whole off-screen picture, and the
// one-stone update that follows a click.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <memory>
#include <random>

#include "app/CIgoBoard.h"
#include "board/MoveLegalityProbe.h"
#include "qt/BoardRenderer.h"
#include "qt/BoardWidget.h"
#include "view/BoardScene.h"

namespace stonewise {
namespace {

// A board window showing a 250-move game with numbers on, and its widget.
struct Fixture {
    BoardWidget widget;
    CIgoBoard board;

    Fixture() : board(environment(&widget)) {
        widget.resize(900, 960);
        widget.show(); // a widget draws once it is on the screen
        widget.setBoard(&board);
        std::mt19937 rng(11);
        std::uniform_int_distribution<int> coordinate(0, 18);
        for (int played = 0; played < 250;) {
            const int x = coordinate(rng), y = coordinate(rng);
            if (!board.position().legal(x, y, board.shownMove() + 1)) continue;
            if (board.placeStone(x, y)) ++played;
        }
        board.options().showNumbers = true;
        board.rebuild();
    }
    static BoardEnvironment environment(BoardWidget* canvas) {
        BoardEnvironment env;
        env.canvas = canvas;
        return env;
    }
    // Made at first use and let go by main() while the application object still exists (a
    // widget must not outlive it).
    static std::unique_ptr<Fixture>& slot() {
        static std::unique_ptr<Fixture> f;
        return f;
    }
    static Fixture& get() {
        if (!slot()) slot() = std::make_unique<Fixture>();
        return *slot();
    }
};

SceneState stateOf(const Fixture& f) {
    SceneState s;
    s.numbersOn = true;
    s.shownMove = f.board.shownMove();
    s.record = &f.board.record();
    return s;
}

void BM_DescribeEveryPoint(benchmark::State& st) {
    Fixture& f = Fixture::get();
    const ViewSettings settings;
    const SceneState state = stateOf(f);
    for (auto _ : st) {
        const BoardScene scene(f.board.position(), f.widget.boardGeometry(), settings, state);
        for (int x = 0; x < 19; ++x)
            for (int y = 0; y < 19; ++y) benchmark::DoNotOptimize(scene.describe(x, y));
    }
}
BENCHMARK(BM_DescribeEveryPoint)->Unit(benchmark::kMicrosecond);

// The off-screen picture painted from scratch: board, 250 stones with numbers and marks.
void BM_FullRedraw(benchmark::State& st) {
    Fixture& f = Fixture::get();
    BoardRenderer renderer;
    renderer.load(resourcePictureReader(), 19, false);
    const ViewSettings settings;
    const SceneState state = stateOf(f);
    const BoardScene scene(f.board.position(), renderer.geometry(), settings, state, renderer.wood());
    std::vector<PointDrawing> drawings;
    for (int x = 0; x < 19; ++x)
        for (int y = 0; y < 19; ++y) drawings.push_back(scene.describe(x, y));
    for (auto _ : st) {
        renderer.clear();
        for (const PointDrawing& d : drawings)
            if (!d.ops.empty()) renderer.paint(d);
        benchmark::DoNotOptimize(renderer.image().constBits());
    }
}
BENCHMARK(BM_FullRedraw)->Unit(benchmark::kMillisecond);

// One numbered stone with the last-move mark painted into its rectangle.
void BM_OneStone(benchmark::State& st) {
    Fixture& f = Fixture::get();
    BoardRenderer renderer;
    renderer.load(resourcePictureReader(), 19, false);
    const ViewSettings settings;
    const SceneState state = stateOf(f);
    const BoardScene scene(f.board.position(), renderer.geometry(), settings, state, renderer.wood());
    const std::optional<RecordNode>& last = f.board.navigation().lastMove();
    const PointDrawing d = scene.describe(last ? last->x : 3, last ? last->y : 3);
    for (auto _ : st) {
        renderer.paint(d);
        benchmark::DoNotOptimize(renderer.image().constBits());
    }
}
BENCHMARK(BM_OneStone)->Unit(benchmark::kMicrosecond);

// What the widget does after a click: describe every point, repaint those that changed (the new
// stone and the previous last move).
void BM_WidgetOneStoneUpdate(benchmark::State& st) {
    Fixture& f = Fixture::get();
    const std::optional<RecordNode>& last = f.board.navigation().lastMove();
    const int x = last ? last->x : 3, y = last ? last->y : 3;
    BoardPoint p = f.board.position().at(x, y);
    for (auto _ : st) {
        // Toggle the point's mark so that exactly this point changes each time.
        p.markFlags ^= kMarkFlagComment;
        f.board.position().setPoint(p);
        f.widget.drawPoint(x, y);
    }
    QCoreApplication::processEvents();
}
BENCHMARK(BM_WidgetOneStoneUpdate)->Unit(benchmark::kMicrosecond);

} // namespace

void releaseViewBenchFixture() { Fixture::slot().reset(); }

} // namespace stonewise

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    stonewise::releaseViewBenchFixture();
    return 0;
}
