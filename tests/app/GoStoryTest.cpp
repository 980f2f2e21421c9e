// The Go book player: pages, replay and audio, the trace and the problems, answers kept across starts.
#include <gtest/gtest.h>

#include "app/CGoStory.h"
#include "book/BookWriter.h"
#include "book/ProblemCategory.h"
#include "formats/GameFileLoader.h"
#include "record/Text.h"
#include "store/DataFolder.h"
#include "store/FileIo.h"
#include "store/GameFile.h"
#include "support/SceneCanvas.h"
#include "support/ScriptedUi.h"
#include "support/TempFolder.h"
#include "view/MarkCodes.h"

namespace stonewise {
namespace {

using test::FixedClock;
using test::RecordingPanels;
using test::SceneCanvas;
using test::ScriptedUi;

// Plays nothing, remembers what it was asked; without a device every file is refused.
class ScriptedAudio : public AudioOutput {
public:
    bool device = true;
    std::vector<std::string> played;
    int stops = 0;
    bool play(const std::string& path) override {
        played.push_back(path);
        return device;
    }
    void stop() override { ++stops; }
    bool playing() const override { return false; }
};

std::vector<std::uint8_t> gameBlock(const std::string& sgf) {
    LoadedGame g = loadGameBytes(sgf, GameFileKind::Sgf, u"", LoadRequest{}, LoadSettings{});
    EXPECT_TRUE(g.ok);
    return encodeGameFile(*g.main, &g.info, NodeForm::Compact);
}

BookSourceEntry entry(std::u16string title, std::u16string text, std::string sgf, BookPageKind kind,
                      std::uint32_t duration = 0) {
    BookSourceEntry e;
    e.title = std::move(title);
    e.text = std::move(text);
    if (!sgf.empty()) e.gameBlock = gameBlock(sgf);
    e.kind = static_cast<std::uint16_t>(kind);
    e.duration = duration;
    if (duration) e.audio = {'I', 'D', '3'};
    return e;
}

// A book of four pages: a page with a record, a contents page, a trace, a problem.
BookFiles smallBook() {
    BookSource s;
    s.title = u"小さな本";
    s.entries = {
        entry(u"一", u"本文です。", "(;GM[1]SZ[19];B[dd];W[pp];B[dp];W[pd])", BookPageKind::Page, 40),
        entry(u"目次", u"", "", BookPageKind::Page),
        entry(u"取る", u"トレースしましょう。", "(;GM[1]SZ[19]AB[dc]AW[dd];B[cd];W[pp];B[ed];W[pq];B[de])",
              BookPageKind::Trace),
        entry(u"問題", u"黒番です。",
              "(;GM[1]SZ[19]AB[cb][bc][dc]AW[cc](;B[cd]C[!正解:取れました])(;B[dd]C[!失敗:逃げられます];W[cd]))",
              BookPageKind::Problem),
    };
    return writeBook(s);
}

void writeBytes(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    ASSERT_TRUE(writeFileAtomically(path, bytes));
}

struct GoStoryFixture : ::testing::Test {
    test::TempFolder temp;
    DataFolder data{temp.path()};
    BookLibrary library{data};
    BookPlayers players;
    ScriptedUi ui;
    RecordingPanels panels;
    SceneCanvas canvas;
    FixedClock clock;
    ScriptedAudio audio;

    void SetUp() override {
        library.prepareFolders();
        const BookFiles files = smallBook();
        writeBytes(library.folder() + "small.GOBOOK", files.book);
        writeBytes(library.folder() + "small.GOADIO", files.audio);
        ASSERT_EQ(library.list(), 1);
    }
    std::unique_ptr<CGoStory> player(BookSide side = BookSide::Main) {
        BoardEnvironment env;
        env.ui = &ui;
        env.panels = &panels;
        env.canvas = &canvas;
        env.clock = &clock;
        return std::make_unique<CGoStory>(env, library, players, side, &audio);
    }
    std::u16string lastBoardMessage() const { return ui.boardMessages.empty() ? u"" : ui.boardMessages.back(); }
};

int col(const char* p) { return p[0] - 'a'; }
int row(const char* p) { return p[1] - 'a'; }

TEST_F(GoStoryFixture, ShowsPagesWithTextAndRecord) {
    auto story = player();
    ASSERT_TRUE(story->openBook(0));
    EXPECT_EQ(story->pageCount(), 4);
    EXPECT_EQ(story->descriptionText(), u"【 一 】\r\n本文です。");
    EXPECT_EQ(story->totalMoves(), 4);
    EXPECT_EQ(story->displayedMove(), 4) << "a page shows its diagram to the end";
    ASSERT_TRUE(story->nextPage());
    EXPECT_EQ(story->descriptionText(), u"");
    EXPECT_EQ(lastBoardMessage(), u"目次： 目次");
    EXPECT_EQ(story->totalMoves(), 0);
    ASSERT_TRUE(story->nextPage());
    EXPECT_EQ(story->displayedMove(), 0) << "a trace starts from its first move";
    ASSERT_TRUE(story->nextPage());
    EXPECT_FALSE(story->nextPage()) << "the last page";
}

TEST_F(GoStoryFixture, RefusesBooksItCannotRead) {
    struct Case {
        std::size_t offset;
        std::uint8_t value;
        const char16_t* message;
    };
    const Case cases[] = {
        {324, 1, u"この碁ブックは暗号化されているので、読み込めません。\r\nsmall.GOBOOK"},
        {428, 0, u"碁ブックのファイルが壊れています。\r\nsmall.GOBOOK"},
    };
    for (const Case& c : cases) {
        std::vector<std::uint8_t> bytes = smallBook().book;
        bytes[c.offset] = c.value;
        writeBytes(library.folder() + "small.GOBOOK", bytes);
        ui.forget();
        auto story = player();
        EXPECT_FALSE(story->openBook(0));
        ASSERT_EQ(ui.messages.size(), 1u);
        EXPECT_EQ(ui.messages[0].text, c.message);
        EXPECT_EQ(ui.messages[0].title, u"碁ブック");
    }
}

TEST_F(GoStoryFixture, PageTime) {
    auto story = player();
    ASSERT_TRUE(story->openBook(0));
    struct Case {
        bool sound;
        int speed;
        int ticks;
    };
    // Page 1: 40 ticks of audio; its text has 13 characters.
    const Case cases[] = {{true, 50, 45},  {true, 100, 45}, {true, 0, 50},
                          {false, 50, 40}, {false, 100, 5}, {false, 0, 80}};
    for (const Case& c : cases) {
        story->setSound(c.sound);
        EXPECT_EQ(story->pageTicks(c.speed), c.ticks) << c.sound << " " << c.speed;
    }
    story->showPage(1);
    EXPECT_EQ(story->pageTicks(50), 5) << "no text and no audio: at least 5";
    story->showPage(2);
    EXPECT_EQ(story->pageTicks(50), 6) << "a third of its 18 characters of text";
}

TEST_F(GoStoryFixture, PlaysOnOneSideAtATime) {
    auto main = player(BookSide::Main);
    auto study = player(BookSide::Study);
    ASSERT_TRUE(main->openBook(0));
    ASSERT_TRUE(study->openBook(0));
    ASSERT_TRUE(main->play());
    ASSERT_EQ(audio.played.size(), 1u);
    EXPECT_EQ(audio.played[0], library.ownFolder(library.entries()[0]) + "Temp/audio00000.mp3");
    EXPECT_EQ(main->displayedMove(), 0) << "the replay starts from the page's first move";
    EXPECT_FALSE(study->play());
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, u"現在、メイン側で再生中です。続けるには再生を停止させて下さい。");
    EXPECT_EQ(ui.messages[0].title, u"ブックのプレイ");
    for (int i = 0; i < 44; ++i) main->tick();
    EXPECT_TRUE(main->playing());
    EXPECT_EQ(main->displayedMove(), 3) << "the moves step with the page's time";
    main->tick();
    EXPECT_EQ(main->displayedMove(), 4);
    EXPECT_FALSE(main->playing()) << "45 ticks: the page has ended";
    EXPECT_TRUE(study->play()) << "the main side no longer plays";
    study->closeBook();
    EXPECT_FALSE(pathExists(library.ownFolder(library.entries()[0]) + "Temp1/audio00000.mp3"));
}

TEST_F(GoStoryFixture, NoSoundDeviceMakesTheBookSilentSaidOnce) {
    audio.device = false;
    auto story = player();
    ASSERT_TRUE(story->openBook(0));
    ASSERT_TRUE(story->play());
    EXPECT_FALSE(story->sound());
    story->setSound(true);
    ASSERT_TRUE(story->play());
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].title, u"オーディオ再生エラー");
    story->setContinuous(true);
    for (int i = 0; i < 40; ++i) story->tick();
    EXPECT_EQ(story->currentPage(), 1) << "continuous play goes on with the next page";
    EXPECT_TRUE(story->playing());
}

TEST_F(GoStoryFixture, TraceAndProblemAnswersSurviveARestart) {
    {
        auto story = player();
        ASSERT_TRUE(story->openBook(0));
        story->showPage(2);
        ASSERT_TRUE(story->startTrace(TraceSides::Both));
        story->bookClick(0, 0);
        EXPECT_EQ(lastBoardMessage(), u"位置が間違っています。間違えた回数：1回");
        EXPECT_EQ(story->position().at(0, 0).markFlags, kCodeCross) << "the wrong click is marked";
        story->bookClick(col("dd"), row("dd"));
        EXPECT_EQ(story->trace()->mistakes(), 1) << "a click on a stone counts nothing";
        story->bookClick(col("cd"), row("cd"));
        EXPECT_EQ(story->position().at(0, 0).markFlags, 0) << "the mark goes with the correct move";
        for (const char* p : {"pp", "ed", "pq", "de"}) story->bookClick(col(p), row(p));
        EXPECT_EQ(lastBoardMessage(), u"トレース完了");
        EXPECT_EQ(story->position().colourAt(col("de"), row("de")), kBlack);
        EXPECT_EQ(story->position().colourAt(col("dd"), row("dd")), kEmpty) << "the white stone was taken";

        story->showPage(3);
        ASSERT_TRUE(story->startTrace(TraceSides::Both));
        story->bookClick(col("dd"), row("dd"));
        const int beeps = ui.beeps;
        story->bookClick(col("cd"), row("cd"));
        EXPECT_EQ(lastBoardMessage(), u"トレースが失敗手順で完了");
        EXPECT_EQ(ui.beeps, beeps + 2) << "the message strip's beep and the exclamation beep";
        story->closeBook();
    }
    auto again = player();
    ASSERT_TRUE(again->openBook(0));
    again->showPage(2);
    ASSERT_TRUE(again->pageAnswers());
    EXPECT_EQ(again->pageAnswers()->slots[0], (AnswerSlot{1, 26, 12, 10, 15, 30}));
    again->showPage(3);
    EXPECT_EQ(again->pageAnswers()->latest(), AnswerResult::Failure);
    again->showPage(0);
    EXPECT_EQ(again->pageAnswers(), nullptr) << "a plain page takes no answer";
}

TEST_F(GoStoryFixture, ContinuousReplayTracesATracePageThenGoesOn) {
    auto story = player();
    ASSERT_TRUE(story->openBook(0));
    story->showPage(1);
    story->setContinuous(true);
    ASSERT_TRUE(story->play());
    for (int i = 0; i < 5; ++i) story->tick();
    EXPECT_EQ(story->currentPage(), 2);
    EXPECT_TRUE(story->tracing()) << "a trace page starts its trace";
    EXPECT_FALSE(story->playing());
    EXPECT_EQ(lastBoardMessage(), u"トレース開始");
    for (const char* p : {"cd", "pp", "ed", "pq", "de"}) story->bookClick(col(p), row(p));
    EXPECT_EQ(story->currentPage(), 3) << "the replay goes on after the trace";
    EXPECT_TRUE(story->playing());
    EXPECT_EQ(story->pageAnswers(), story->answers().at(1));
}

TEST_F(GoStoryFixture, EndingATraceAfterAMistakeRecordsAbandoned) {
    auto story = player();
    ASSERT_TRUE(story->openBook(0));
    story->showPage(3);
    ASSERT_TRUE(story->startTrace(TraceSides::Both));
    for (int i = 0; i < 3; ++i) story->bookClick(10 + i, 10);
    EXPECT_EQ(lastBoardMessage(), u"3回間違えたので、ヒントを表示します。右ボタンでもヒントを表示できます。");
    EXPECT_EQ(story->descriptionText(), u"取れました") << "the first hint is the expected move's comment";
    story->hint();
    EXPECT_TRUE(story->lastHint()) << "the second a mark near the point";
    EXPECT_EQ(story->descriptionText(), u"");
    story->endTrace();
    EXPECT_EQ(story->pageAnswers()->latest(), AnswerResult::Abandoned);
}

TEST_F(GoStoryFixture, ResettingAnswersAsksAndClearsThemAll) {
    auto story = player();
    ASSERT_TRUE(story->openBook(0));
    story->showPage(3);
    ASSERT_TRUE(story->startTrace(TraceSides::Both));
    story->bookClick(col("cd"), row("cd"));
    ASSERT_EQ(story->pageAnswers()->latest(), AnswerResult::Correct);
    ui.answers = {false, true};
    EXPECT_FALSE(story->resetAnswers());
    EXPECT_EQ(story->pageAnswers()->latest(), AnswerResult::Correct);
    EXPECT_TRUE(story->resetAnswers());
    EXPECT_EQ(story->pageAnswers()->latest(), AnswerResult::None);
    EXPECT_EQ(ui.questions.back().text, u"全ての解答をリセットします。よろしいですか？");
    EXPECT_EQ(ui.questions.back().title, u"解答状況をリセット");
    const AnswerTable stored = AnswerTable::load(library.ownFolder(library.entries()[0]) + kAnswerFileName);
    ASSERT_EQ(stored.size(), 2u);
    EXPECT_TRUE(stored.at(1)->empty()) << "the cleared table is written at once";
}

TEST_F(GoStoryFixture, JacketPictureIsThePngElseTheJpeg) {
    auto story = player();
    ASSERT_TRUE(story->openBook(0));
    const std::string own = library.ownFolder(library.entries()[0]);
    EXPECT_EQ(story->jacketPath(), "");
    writeBytes(own + "jacketImage.jpg", {0xFF, 0xD8});
    EXPECT_EQ(story->jacketPath(), own + "jacketImage.jpg");
    writeBytes(own + "jacketImage.png", {0x89, 'P'});
    EXPECT_EQ(story->jacketPath(), own + "jacketImage.png");
}

TEST_F(GoStoryFixture, OrientationTurnsTheBoardNotTheBook) {
    auto story = player();
    ASSERT_TRUE(story->openBook(0));
    story->showPage(2); // white stone at dd, black at dc
    struct Case {
        BookOrientation orientation;
        int x, y;     // where the white stone of dd shows
        int cdX, cdY; // where the first traced move, cd, is clicked
    };
    const Case cases[] = {
        {BookOrientation::Rotate180, 15, 15, 16, 15},
        {BookOrientation::FlipHorizontal, 15, 3, 16, 3},
        {BookOrientation::FlipVertical, 3, 15, 2, 15},
        {BookOrientation::AsStored, 3, 3, 2, 3},
    };
    for (const Case& c : cases) {
        story->setOrientation(c.orientation);
        EXPECT_EQ(story->position().colourAt(c.x, c.y), kWhite) << static_cast<int>(c.orientation);
        ASSERT_TRUE(story->startTrace(TraceSides::Both));
        story->bookClick(c.cdX, c.cdY);
        EXPECT_EQ(story->trace()->mistakes(), 0) << static_cast<int>(c.orientation);
        EXPECT_EQ(story->trace()->expectedMove(), 2);
        story->endTrace();
    }
    story->setOrientation(BookOrientation::RotateRight);
    EXPECT_EQ(story->position().colourAt(15, 3), kWhite) << "a quarter turn to the right";
    auto other = player(BookSide::Study);
    ASSERT_TRUE(other->openBook(0));
    other->showPage(2);
    EXPECT_EQ(other->position().colourAt(3, 3), kWhite) << "the book itself is unchanged";
}

TEST(ProblemNames, PrefixByCategoryAndSide) {
    struct Case {
        std::uint32_t category;
        Colour side;
        const char16_t* prefix;
        const char16_t* name;
    };
    const Case cases[] = {
        {16, kBlack, u"黒番－", u"詰碁"}, {16, kWhite, u"白番－", u"詰碁"}, {32, kWhite, u"手筋－", u"手筋"},
        {48, kBlack, u"定石－", u"定石"}, {64, kBlack, u"布石－", u"布石"}, {7, kBlack, u"不明", u""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(problemNamePrefix(StringTable::japanese(), c.category, c.side), c.prefix) << c.category;
        EXPECT_EQ(problemCategoryName(StringTable::japanese(), c.category), c.name) << c.category;
    }
}

TEST_F(GoStoryFixture, RemovingABookOrItsAudioAsks) {
    ui.answers = {false, true, true};
    EXPECT_FALSE(removeBookAudioAsked(ui, StringTable::japanese(), library, 0));
    EXPECT_TRUE(pathExists(library.audioPath(library.entries()[0])));
    EXPECT_TRUE(removeBookAudioAsked(ui, StringTable::japanese(), library, 0));
    EXPECT_FALSE(pathExists(library.audioPath(library.entries()[0])));
    const std::string own = library.ownFolder(library.entries()[0]);
    EXPECT_TRUE(removeBookAsked(ui, StringTable::japanese(), library, 0));
    EXPECT_FALSE(pathExists(own));
    ASSERT_EQ(ui.questions.size(), 3u);
    EXPECT_EQ(ui.questions[2].text, u"碁ブック「小さな本」を削除しようとしています。\r\n削除して良いですか？");
    EXPECT_EQ(ui.questions[2].title, u"アンインストール");
    EXPECT_EQ(ui.questions[0].title, u"音声データ削除");
}

// Every page of the sample book the build makes shows without a message, its record rebuilt.
TEST(SampleBookPages, ShowWithoutComplaint) {
    test::TempFolder temp;
    DataFolder data{temp.path()};
    BookLibrary library{data};
    ASSERT_EQ(library.installFrom(STONEWISE_BOOKS_FOLDER), 1);
    ASSERT_EQ(library.list(), 1);
    BookPlayers players;
    ScriptedUi ui;
    BoardEnvironment env;
    env.ui = &ui;
    CGoStory story(env, library, players, BookSide::Main, nullptr);
    ASSERT_TRUE(story.openBook(0));
    for (int page = 0; page < story.pageCount(); ++page) {
        ASSERT_TRUE(story.showPage(page));
        EXPECT_TRUE(ui.messages.empty()) << "page " << page + 1 << ": " << toUtf8(ui.messages[0].text);
        ui.messages.clear();
        if (story.totalMoves() == 0) continue;
        // Each page's record plays to its end: the trace of its main line completes.
        ASSERT_TRUE(story.startTrace(TraceSides::Both)) << page + 1;
        while (story.tracing()) {
            const int before = story.trace()->expectedMove();
            const RecordNode* move = story.record().nodeAtMove(before);
            ASSERT_TRUE(move) << page + 1;
            story.bookClick(move->x, move->y);
            ASSERT_NE(story.trace()->expectedMove(), before) << "page " << page + 1 << " move " << before;
        }
    }
}

} // namespace
} // namespace stonewise
