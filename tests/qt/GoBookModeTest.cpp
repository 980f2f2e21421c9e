// The Go book mode of the main window on the sample book: the main board plays the pages' records,
// the side column shows their text, picture and reference board, the trace is answered by clicks
// on the board and the answers are kept; the book's audio decoded and played. Pictures of the
// window for the docs.
#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTextBrowser>
#include <filesystem>

#include "BoxCloser.h"
#include "app/Application.h"
#include "app/CommandIds.h"
#include "app/FunctionModes.h"
#include "book/BookLibrary.h"
#include "qt/BoardWidget.h"
#include "qt/BookPanel.h"
#include "qt/MainWindow.h"
#include "qt/Mp3Audio.h"
#include "qt/ReferBoardWidget.h"
#include "qt/SidePanel.h"
#include "store/DataFolder.h"
#include "support/TempFolder.h"

using namespace stonewise;

namespace {

// Saves a picture of a widget when STONEWISE_PICTURES names a folder.
void savePicture(QWidget& w, const char* name) {
    const QByteArray folder = qgetenv("STONEWISE_PICTURES");
    if (!folder.isEmpty()) w.grab().save(QString::fromUtf8(folder) + "/" + name);
}

// The folder beside the program that holds "BundleFiles/Books".
std::string sampleProgramFolder() { return std::filesystem::path(STONEWISE_BOOKS_FOLDER).parent_path().parent_path(); }

// Whether the picture has pixels of a black stone (near black) inside `part`.
bool hasBlackStone(const QImage& image, const QRectF& part) {
    const QRect r = part.toAlignedRect().intersected(image.rect());
    for (int y = r.top(); y <= r.bottom(); y += 2)
        for (int x = r.left(); x <= r.right(); x += 2)
            if (qGray(image.pixel(x, y)) < 40) return true;
    return false;
}

} // namespace

class GoBookModeTest : public QObject {
    Q_OBJECT
    test::TempFolder m_temp;
    test::BoxCloser m_closer; // the first start's offer of the sample records

    // The program on the test's data folder, its window shown, in the Go book mode.
    struct Program {
        Application app;
        std::unique_ptr<MainWindow> window;
        explicit Program(const std::string& folder) : app(CommandLine{}, DataFolder(folder), sampleProgramFolder()) {
            app.chooseLanguage(0x0411);
            app.loadSettings(nullptr);
            window = std::make_unique<MainWindow>(app);
            window->resize(1280, 860);
            window->startUp();
            window->show();
            QVERIFY(QTest::qWaitForWindowExposed(window.get()));
            window->runCommand(kCmdModeBook);
        }
        BookPanel& panel() { return window->bookPanel(); }
        CGoStory& story() { return window->story(); }
    };

private Q_SLOTS:
    void initTestCase() {
        QCOMPARE(BookLibrary(DataFolder(m_temp.path())).installFrom(STONEWISE_BOOKS_FOLDER), 1);
        m_closer.start();
    }
    void cleanupTestCase() { m_closer.stop(); }

    void readsTheSampleBookOnTheMainBoard() {
        Program p(m_temp.path());
        QCOMPARE(p.app.modes()->mode(), int(kModeBook));
        QVERIFY(p.panel().isVisible());
        QVERIFY(!p.window->sidePanel().isVisible());
        QVERIFY(p.story().book());
        QCOMPARE(p.window->boardWidget().board(), static_cast<CIgoBoard*>(&p.story()));
        QCOMPARE(p.panel().contents().count(), 10);
        QVERIFY(p.panel().textPane().toPlainText().startsWith(QString::fromUtf8("【 碁盤と石 】")));
        QVERIFY(!p.panel().picture().pixmap().isNull());
        QCOMPARE(p.story().totalMoves(), 4);
        // The main board shows the page's stones; the reference board its top left corner.
        QVERIFY(
            hasBlackStone(p.window->boardWidget().offscreenImage(), p.window->boardWidget().offscreenImage().rect()));
        ReferBoardWidget& refer = p.panel().referBoard();
        QVERIFY(refer.isVisible());
        QTRY_VERIFY(!refer.boardPicture().isNull());
        const QImage board = refer.boardPicture();
        QCOMPARE(refer.shownPart().width(), board.width() * 0.63);
        QVERIFY(hasBlackStone(board, refer.shownPart()));
        QVERIFY(!hasBlackStone(
            board, QRectF(board.width() * 0.7, board.height() * 0.7, board.width() * 0.3, board.height() * 0.3)));
        savePicture(*p.window, "go-book-mode.png");
        for (int page = 1; page < 10; ++page) {
            p.panel().button(1006).click();
            QCOMPARE(p.story().currentPage(), page);
            QVERIFY2(!p.panel().textPane().toPlainText().isEmpty(), qPrintable(QString::number(page)));
            QVERIFY(p.story().totalMoves() > 0 || page == 6);
            QCOMPARE(refer.isVisible(), p.story().referBoard().hasDiagram());
        }
        p.panel().contents().setCurrentRow(1);
        QCOMPARE(p.story().currentPage(), 1);
        // "180度回転" from the book's menu turns the board's stones.
        p.window->runCommand(kCmdRotate180);
        QCOMPARE(int(p.story().orientation()), int(BookOrientation::Rotate180));
        QCOMPARE(p.story().position().colourAt(15, 16), kBlack); // the black stone of "dc"
        p.window->runCommand(kCmdOrientationAsStored);
        // A silent replay steps the page's moves to its end.
        p.panel().button(1079).setChecked(false);
        p.panel().button(1004).click();
        QVERIFY(p.story().playing());
        QTRY_VERIFY_WITH_TIMEOUT(!p.story().playing(), 15000);
        QCOMPARE(p.story().displayedMove(), p.story().totalMoves());
        // Continuous play goes on to the next page, and the trace page after it starts its trace.
        p.panel().button(1080).setChecked(true);
        p.panel().button(1004).click();
        QTRY_COMPARE_WITH_TIMEOUT(p.story().currentPage(), 2, 15000);
        QTRY_VERIFY_WITH_TIMEOUT(p.story().tracing(), 5000);
        QCOMPARE(p.panel().contents().currentRow(), 2);
        p.panel().button(1007).click(); // ends the trace
        p.panel().button(1080).setChecked(false);
        // Leaving the mode closes the book and brings the library's panels back.
        p.window->runCommand(kCmdModePlayAndRecord);
        QVERIFY(!p.story().book());
        QVERIFY(p.window->sidePanel().isVisible());
        QVERIFY(!p.panel().isVisible());
    }

    void answersAProblemByClicksOnTheBoard() {
        {
            Program p(m_temp.path());
            BoardWidget& board = p.window->boardWidget();
            p.panel().contents().setCurrentRow(7); // 黒番－アタリの石を取る
            p.panel().button(1007).click();
            QVERIFY(p.story().tracing());
            QCOMPARE(p.panel().button(1007).text(), QString::fromUtf8("トレース終了"));
            // A wrong point, then the right one (column c, row d).
            QTest::mouseClick(&board, Qt::LeftButton, {}, board.centreOf(10, 10).toPoint());
            QCOMPARE(p.story().trace()->mistakes(), 1);
            // The first hint is the expected move's comment, the second a mark near its point.
            p.panel().button(1008).click();
            QVERIFY(p.panel().hintMark().isHidden());
            p.panel().button(1008).click();
            QVERIFY(p.panel().hintMark().isVisible());
            const QPointF expected = board.centreOf(2, 3);
            const QRect mark = p.panel().hintMark().geometry();
            QVERIFY(std::abs(mark.center().x() - expected.x()) <= mark.width() / 2 + 1);
            QVERIFY(std::abs(mark.center().y() - expected.y()) <= mark.height() / 2 + 1);
            savePicture(*p.window, "book-problem.png");
            QTest::mouseClick(&board, Qt::LeftButton, {}, expected.toPoint());
            QVERIFY(!p.story().tracing());
            QVERIFY(p.panel().hintMark().isHidden());
            QCOMPARE(p.panel().button(1007).text(), QString::fromUtf8("棋譜のトレース"));
        }
        // The answer was written when the program ended with the book open.
        Program again(m_temp.path());
        again.panel().contents().setCurrentRow(7);
        QVERIFY(again.story().pageAnswers());
        QCOMPARE(int(again.story().pageAnswers()->latest()), int(AnswerResult::Correct));
    }

    void decodesTheBooksAudio() {
        BookLibrary library(DataFolder(m_temp.path()));
        QCOMPARE(library.list(), 1);
        BookOpenStatus status{};
        std::unique_ptr<Book> book = Book::openFile(library.bookPath(library.entries()[0]), true, status);
        QVERIFY(book);
        if (!book->hasAudio()) QSKIP("the sample book was built without audio (no espeak-ng or lame)");
        const std::string path = library.extractAudio(library.entries()[0], *book, 0, BookSide::Main);
        QVERIFY(!path.empty());
        std::optional<PcmSound> pcm = decodeMp3File(path);
        QVERIFY(pcm);
        QVERIFY(pcm->rate >= 8000);
        QCOMPARE(pcm->channels, 1);
        // The page's time matches the decoded sound within a tenth of a second.
        const double seconds = double(pcm->samples.size()) / pcm->rate;
        QVERIFY(std::abs(seconds * 10 - book->contents().desc[0]->duration) <= 1.5);
        QVERIFY(!decodeMp3File(m_temp.path() + "missing.mp3"));
    }

    // Run by book_audio.sh with a PulseAudio null sink as the device; skipped without a device.
    void playsIntoTheSoundDevice() {
        if (!Mp3Audio::deviceAvailable()) QSKIP("no sound device (book_audio.sh provides a null sink)");
        BookLibrary library(DataFolder(m_temp.path()));
        QCOMPARE(library.list(), 1);
        BookOpenStatus status{};
        std::unique_ptr<Book> book = Book::openFile(library.bookPath(library.entries()[0]), true, status);
        QVERIFY(book);
        if (!book->hasAudio()) QSKIP("the sample book was built without audio");
        const std::string path = library.extractAudio(library.entries()[0], *book, 1, BookSide::Main);
        std::optional<PcmSound> pcm = decodeMp3File(path);
        QVERIFY(pcm);
        Mp3Audio audio;
        QVERIFY(audio.play(path));
        QVERIFY(audio.playing());
        QTRY_VERIFY_WITH_TIMEOUT(!audio.playing(), 20000);
        QCOMPARE(audio.framesWritten(), qint64(pcm->samples.size()) / pcm->channels);
        // Stopping in the middle ends the worker at once.
        QVERIFY(audio.play(path));
        QTest::qWait(200);
        audio.stop();
        QVERIFY(!audio.playing());
        QVERIFY(audio.framesWritten() < qint64(pcm->samples.size()) / pcm->channels);
    }
};

QTEST_MAIN(GoBookModeTest)
#include "GoBookModeTest.moc"
