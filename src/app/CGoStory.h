#pragma once

#include <memory>
#include <optional>
#include <string>

#include "app/AudioOutput.h"
#include "app/CIgoBoard.h"
#include "app/CReferBoard.h"
#include "book/AnswerData.h"
#include "book/Book.h"
#include "book/BookLibrary.h"
#include "book/TraceExercise.h"

namespace stonewise {

class CGoStory;

// What the two book players (main board and study board) share: which of them sounds.
struct BookPlayers {
    CGoStory* playing = nullptr;
};

// Numbers of the book player's texts.
enum BookStringId : int {
    kStrGoBookCaption = 25003,    // "碁ブック"
    kStrBookEnciphered = 59000,   // the book is enciphered
    kStrBookCannotOpen = 59001,   // the book file cannot be opened
    kStrBookNotBook = 59002,      // not a book file
    kStrBookDamaged = 59003,      // the header lacks its check value
    kStrRemoveBook = 59004,       // "碁ブック「%s」を削除しようとしています。…"
    kStrUninstall = 59005,        // "アンインストール"
    kStrRemoveAudio = 59006,      // "碁ブック「%s」の音声データを削除しようとしています。…"
    kStrRemoveAudioTitle = 59007, // "音声データ削除"
    kStrContents = 59008,         // "目次： %s"
    kStrOtherSidePlays = 59009,   // "現在、%s側で再生中です。…"
    kStrMainSide = 59010,         // "メイン"
    kStrStudySide = 59011,        // "検討図"
    kStrBookPlay = 59012,         // "ブックのプレイ"
    kStrTraceStart = 59017,       // "トレース開始"
    kStrDescriptionHeading = 59018, // "【 %s 】\r\n%s"
    kStrNoSound = 59019,            // no sound device: the book plays silent
    kStrAudioError = 59020,         // "オーディオ再生エラー"
    kStrNoBooks = 59021,            // no book is installed
    // The book control panel and its window.
    kStrPlay = 59030,           // "再生"
    kStrStop = 59031,           // "停止"
    kStrSound = 59033,          // "音声"
    kStrAutomatic = 59034,      // "自動"
    kStrContinuous = 59035,     // "連続"
    kStrSlow = 59036,           // "遅い"
    kStrFast = 59037,           // "速い"
    kStrStudy = 59038,          // "検討"
    kStrTrace = 59040,          // "棋譜のトレース"
    kStrEndTrace = 59041,       // "トレース終了"
    kStrContentsTab = 59045,    // "目次"
    kStrChooseBook = 59046,     // "碁ブックの選択"
    kStrDescriptionTab = 59047, // "解説"
    // The board's orientation (display only).
    kStrOrientationMenu = 59062,     // "盤面の回転・反転"
    kStrOrientationAsStored = 59063, // "元の位置"
    kStrRotate180 = 59064,           // "180度回転"
    kStrRotateRight = 59065,         // "右へ90度回転"
    kStrFlipVertical = 59066,        // "上下反転"
    kStrFlipHorizontal = 59067,      // "左右反転"
};

// How the player shows the book's boards: 0 as stored, 1 turned half round, 2 a quarter turn to the
// right, 3 upside down, 4 left to right.
enum class BookOrientation : int { AsStored = 0, Rotate180 = 1, RotateRight = 2, FlipVertical = 3, FlipHorizontal = 4 };

// The Go book player: a board window that shows the pages of an open book (their text, picture
// and game record), plays a page's audio with its replay, and runs the trace exercise and the
// answering of the book's problems, keeping the answers in the book's "answerData.dat".
class CGoStory : public CIgoBoard {
public:
    // A player on `side` of the books in `library`; `audio` may be null (the player is then silent).
    CGoStory(BoardEnvironment env, BookLibrary& library, BookPlayers& players, BookSide side, AudioOutput* audio);
    ~CGoStory() override;

    // --- the book ---
    // Opens the book at a position of the library's list and shows its first page; a book that
    // cannot be read is refused with its message. The open book is closed first.
    bool openBook(std::size_t listPosition);
    // Stops, writes the answers back when they changed, empties the working folder, closes the files.
    void closeBook();
    const Book* book() const { return m_book.get(); }
    BookLibrary& library() { return m_library; }
    int pageCount() const { return m_book ? static_cast<int>(m_book->contents().desc.size()) : 0; }
    int currentPage() const { return m_page; }
    // Shows a page: its text, its game record on the board (a page without one says its title on
    // the board's message line); false for a page that does not exist.
    bool showPage(int page);
    const std::u16string& pageTitle() const { return m_title; }
    const std::u16string& descriptionText() const { return m_text; }
    // The page's picture, read on demand.
    std::optional<BookPicture> pagePicture() const;
    // The corner view code of the page's reference board (0: the whole board).
    int cornerCode() const;
    // The reference board: the page's diagram (a page at its end move, a page to answer at its
    // question), in the page's corner view and numbering, turned as the board is.
    CReferBoard& referBoard() { return m_refer; }
    const CReferBoard& referBoard() const { return m_refer; }

    // Shows the book's boards turned or mirrored; the current page is shown again (from its start).
    // Only the display changes, never the book.
    void setOrientation(BookOrientation orientation);
    BookOrientation orientation() const { return m_orientation; }

    // --- replay ---
    // Ticks of 100 ms the page takes at a speed position (0..100, 50 normal).
    int pageTicks(int speed) const;
    // Starts the page's replay (and its audio when sound is on); refused with a message while the
    // other side's player plays.
    bool play();
    // Stops the replay, the audio and a running trace.
    void stop();
    bool playing() const { return m_playing; }
    // The next page; false at the last.
    bool nextPage();
    // One tick of the 100 ms replay timer: moves step with the page's time under "自動", and at
    // the page's end the replay stops or, under "連続", goes on with the next page.
    void tick();
    int progressPercent() const;
    void setSpeed(int speed) { m_speed = std::clamp(speed, 0, 100); }
    void setSound(bool on);
    bool sound() const { return m_sound; }
    void setAutomatic(bool on) { m_automatic = on; }
    void setContinuous(bool on) { m_continuous = on; }

    // --- the trace and the problems ---
    // Starts tracing the page's record from its start move; problems accept their variations.
    bool startTrace(TraceSides sides);
    // A click on the board while tracing (the right button asks for a hint); otherwise the board's
    // own click.
    void bookClick(int x, int y, bool rightButton = false);
    void hint();
    // Ends the trace before its end (a mistake made records "abandoned").
    void endTrace();
    bool tracing() const { return m_trace && m_trace->tracing(); }
    const TraceExercise* trace() const { return m_trace.get(); }
    // The last hint asked for, for the board to mark.
    const std::optional<TraceHint>& lastHint() const { return m_hint; }

    // --- answers ---
    AnswerTable& answers();
    // The answer record of the current page; null for a page that takes no answer.
    const AnswerRecord* pageAnswers();
    bool saveAnswers();
    // Asks, then clears every answer of the book; true when they were cleared.
    bool resetAnswers();
    // The book's jacket picture: "jacketImage.png" in its own folder, else "jacketImage.jpg"; empty
    // when there is neither.
    std::string jacketPath() const;

private:
    void recordResult(AnswerResult result);
    void completeTrace(const TraceReply& r);
    void showTraceMoves(const TraceReply& r);
    void markWrongClick(int x, int y);
    void continueReplay();
    void showDiagram(const BookDescRecord& d, const RecordSequence& game);
    const BookDescRecord* page() const;

    BookLibrary& m_library;
    BookPlayers& m_players;
    BookSide m_side;
    AudioOutput* m_audio;
    std::unique_ptr<Book> m_book;
    std::optional<BookListEntry> m_entry;
    std::optional<AnswerTable> m_answers;
    int m_page = -1;
    std::u16string m_title;
    std::u16string m_text;
    bool m_playing = false;
    bool m_sound = true;
    bool m_soundRefused = false; // "no sound" was said once for this player
    bool m_automatic = true;
    bool m_continuous = false;
    int m_speed = 50;
    int m_elapsed = 0;
    int m_total = 0;
    CReferBoard m_refer;
    std::unique_ptr<TraceExercise> m_trace;
    std::optional<TraceHint> m_hint;
    BookOrientation m_orientation = BookOrientation::AsStored;
    bool m_traceFromReplay = false; // the running trace was started by continuous replay
};

// Asks, then removes an installed book (its files and its own folder); false when refused or failed.
bool removeBookAsked(Ui& ui, const StringTable& strings, BookLibrary& library, std::size_t position);
// Asks, then removes the audio file of an installed book.
bool removeBookAudioAsked(Ui& ui, const StringTable& strings, BookLibrary& library, std::size_t position);

} // namespace stonewise
