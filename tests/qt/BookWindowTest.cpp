// The Go book player's window on the sample book: pages with text, picture and record, the trace
// answered by clicks on the board, the answers kept; pictures of the window for the docs.
#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QTextBrowser>

#include "app/Clock.h"
#include "book/BookLibrary.h"
#include "qt/BoardWidget.h"
#include "qt/BookWindow.h"
#include "qt/Mp3Audio.h"
#include "qt/QtText.h"
#include "store/DataFolder.h"
#include "support/TempFolder.h"

using namespace stonewise;

namespace {

// Saves a picture of a widget when STONEWISE_PICTURES names a folder.
void savePicture(QWidget& w, const char* name) {
    const QByteArray folder = qgetenv("STONEWISE_PICTURES");
    if (!folder.isEmpty()) w.grab().save(QString::fromUtf8(folder) + "/" + name);
}

} // namespace

class BookWindowTest : public QObject {
    Q_OBJECT
    test::TempFolder m_temp;
    DataFolder m_data{m_temp.path()};
    SystemClock m_clock;

    void install() { QCOMPARE(BookLibrary(m_data).installFrom(STONEWISE_BOOKS_FOLDER), 1); }

private Q_SLOTS:
    void initTestCase() { install(); }

    void readsTheSampleBookPageByPage() {
        BookWindow w(m_data, StringTable::japanese(), m_clock);
        QVERIFY(w.openBook());
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QCOMPARE(w.windowTitle(), QString::fromUtf8("囲碁のルール入門"));
        QCOMPARE(w.contents().count(), 10);
        QVERIFY(w.textPane().toPlainText().startsWith(QString::fromUtf8("【 碁盤と石 】")));
        QVERIFY(!w.picture().pixmap().isNull());
        QCOMPARE(w.story().totalMoves(), 4);
        savePicture(w, "book-player.png");
        for (int page = 1; page < 10; ++page) {
            w.button(1006).click();
            QCOMPARE(w.story().currentPage(), page);
            QVERIFY2(!w.textPane().toPlainText().isEmpty(), qPrintable(QString::number(page)));
            QVERIFY(w.story().totalMoves() > 0 || page == 6);
        }
        w.contents().setCurrentRow(1);
        QCOMPARE(w.story().currentPage(), 1);
        // "180度回転" from the orientation menu turns the board's stones.
        QMenu* turns = w.button(1200).menu();
        QVERIFY(turns);
        QCOMPARE(turns->actions().size(), 5);
        turns->actions()[1]->trigger();
        QCOMPARE(int(w.story().orientation()), int(BookOrientation::Rotate180));
        QCOMPARE(w.story().position().colourAt(15, 16), kBlack); // the black stone of "dc"
        turns->actions()[0]->trigger();
        // A silent replay steps the page's moves to its end.
        w.button(1079).setChecked(false);
        w.button(1004).click();
        QVERIFY(w.story().playing());
        QTRY_VERIFY_WITH_TIMEOUT(!w.story().playing(), 15000);
        QCOMPARE(w.story().displayedMove(), w.story().totalMoves());
        // Continuous play goes on to the next page, and the trace page after it starts its trace.
        w.button(1080).setChecked(true);
        w.button(1004).click();
        QTRY_COMPARE_WITH_TIMEOUT(w.story().currentPage(), 2, 15000);
        QTRY_VERIFY_WITH_TIMEOUT(w.story().tracing(), 5000);
        QCOMPARE(w.contents().currentRow(), 2);
        w.button(1007).click(); // ends the trace
        w.button(1080).setChecked(false);
    }

    void answersAProblemByClicksOnTheBoard() {
        {
            BookWindow w(m_data, StringTable::japanese(), m_clock);
            QVERIFY(w.openBook());
            w.show();
            QVERIFY(QTest::qWaitForWindowExposed(&w));
            w.contents().setCurrentRow(7); // 黒番－アタリの石を取る
            w.button(1007).click();
            QVERIFY(w.story().tracing());
            QCOMPARE(w.button(1007).text(), QString::fromUtf8("トレース終了"));
            // A wrong point, then the right one (column c, row d).
            QTest::mouseClick(&w.boardWidget(), Qt::LeftButton, {}, w.boardWidget().centreOf(10, 10).toPoint());
            QCOMPARE(w.story().trace()->mistakes(), 1);
            // The first hint is the expected move's comment, the second a mark near its point.
            w.button(1008).click();
            QVERIFY(w.hintMark().isHidden());
            w.button(1008).click();
            QVERIFY(w.hintMark().isVisible());
            const QPointF expected = w.boardWidget().centreOf(2, 3);
            const QRect mark = w.hintMark().geometry();
            QVERIFY(std::abs(mark.center().x() - expected.x()) <= mark.width() / 2 + 1);
            QVERIFY(std::abs(mark.center().y() - expected.y()) <= mark.height() / 2 + 1);
            savePicture(w, "book-problem.png");
            QTest::mouseClick(&w.boardWidget(), Qt::LeftButton, {}, w.boardWidget().centreOf(2, 3).toPoint());
            QVERIFY(!w.story().tracing());
            QVERIFY(w.hintMark().isHidden());
            QCOMPARE(w.button(1007).text(), QString::fromUtf8("棋譜のトレース"));
        }
        // The answer was written when the window closed the book.
        BookWindow again(m_data, StringTable::japanese(), m_clock);
        QVERIFY(again.openBook());
        again.contents().setCurrentRow(7);
        QVERIFY(again.story().pageAnswers());
        QCOMPARE(int(again.story().pageAnswers()->latest()), int(AnswerResult::Correct));
    }

    void decodesTheBooksAudio() {
        BookLibrary library(m_data);
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
        BookLibrary library(m_data);
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

QTEST_MAIN(BookWindowTest)
#include "BookWindowTest.moc"
