#include "app/CGoStory.h"

#include "app/Clock.h"
#include "app/Ui.h"
#include "book/ProblemCategory.h"
#include "record/RecordTransform.h"
#include "record/Text.h"
#include "store/FileIo.h"
#include "store/StoreStrings.h"
#include "view/MarkCodes.h"

namespace stonewise {

namespace {

int openMessage(BookOpenStatus status) {
    switch (status) {
    case BookOpenStatus::Enciphered: return kStrBookEnciphered;
    case BookOpenStatus::NotBook: return kStrBookNotBook;
    case BookOpenStatus::Unchecked: return kStrBookDamaged;
    default: return kStrBookCannotOpen;
    }
}

bool isAnswered(const BookDescRecord& d) { return d.kind != static_cast<std::uint16_t>(BookPageKind::Page); }

} // namespace

CGoStory::CGoStory(BoardEnvironment env, BookLibrary& library, BookPlayers& players, BookSide side, AudioOutput* audio)
    : CIgoBoard(std::move(env)), m_library(library), m_players(players), m_side(side), m_audio(audio) {}

CGoStory::~CGoStory() { closeBook(); }

// --- the book -------------------------------------------------------------------------------

bool CGoStory::openBook(std::size_t listPosition) {
    closeBook();
    if (listPosition >= m_library.entries().size()) return false;
    const BookListEntry& e = m_library.entries()[listPosition];
    BookOpenStatus status{};
    m_book = Book::openFile(m_library.bookPath(e), true, status);
    if (!m_book) {
        if (m_env.ui)
            m_env.ui->showMessage(formatText(text(openMessage(status)), {fromUtf8(e.fileName)}),
                                  text(kStrGoBookCaption));
        return false;
    }
    m_entry = e;
    m_library.prepareFolders(e.identifier());
    showPage(0);
    return true;
}

void CGoStory::closeBook() {
    if (!m_book) return;
    stop();
    saveAnswers();
    m_library.clearWorkingFolder(*m_entry, m_side);
    m_book.reset();
    m_entry.reset();
    m_answers.reset();
    m_page = -1;
    m_refer.clear();
    m_title.clear();
    m_text.clear();
}

const BookDescRecord* CGoStory::page() const {
    if (!m_book || m_page < 0) return nullptr;
    const auto& desc = m_book->contents().desc;
    return static_cast<std::size_t>(m_page) < desc.size() && desc[static_cast<std::size_t>(m_page)]
               ? &*desc[static_cast<std::size_t>(m_page)]
               : nullptr;
}

bool CGoStory::showPage(int n) {
    if (n < 0 || n >= pageCount()) return false;
    stop();
    m_page = n;
    m_hint.reset();
    const BookDescRecord* d = page();
    const auto& index = m_book->contents().index;
    m_title = d && d->indexEntry < index.size() && index[d->indexEntry] ? index[d->indexEntry]->title : u"";
    const std::u16string body = d ? m_book->descText(d->textPiece).value_or(u"") : u"";
    m_text = body.empty() ? u"" : m_title.empty() ? body : formatText(text(kStrDescriptionHeading), {m_title, body});
    std::unique_ptr<RecordSequence> game = d && d->gameNumber != kBookNone ? m_book->game(d->gameNumber) : nullptr;
    if (!game) {
        GameInfo none;
        loadGame(RecordSequence::createMain(), none);
        m_refer.clear();
        boardMessage(formatText(text(kStrContents), {m_title}));
        return true;
    }
    if (m_orientation != BookOrientation::AsStored) {
        static constexpr BoardTransform kTransforms[] = {BoardTransform::Rotate180, BoardTransform::RotateRight,
                                                         BoardTransform::FlipVertical, BoardTransform::FlipHorizontal};
        transformRecord(*game, kTransforms[static_cast<int>(m_orientation) - 1], 19);
    }
    showDiagram(*d, *game);
    GameInfo info;
    const auto& kifu = m_book->contents().kifu;
    if (d->gameNumber < kifu.size() && kifu[d->gameNumber]) info.name = kifu[d->gameNumber]->name;
    loadGame(std::move(game), info);
    // A page to answer starts from its first move; another shows its diagram to its end move.
    if (isAnswered(*d)) showMove(d->startMove);
    else showMove(d->endMove ? d->endMove : totalMoves());
    return true;
}

// The page's flags carry its corner code in their low four bits and its numbering in the high four.
void CGoStory::showDiagram(const BookDescRecord& d, const RecordSequence& game) {
    ReferDiagram diagram;
    diagram.startMove = d.startMove;
    diagram.endMove = isAnswered(d) ? d.startMove : d.endMove ? d.endMove : -1;
    diagram.corner = cornerCode();
    diagram.numbering = d.displayFlags >> 4;
    diagram.animationSpeed = options().animationSpeed;
    diagram.bookSpeed = m_book->header().speed;
    diagram.text = m_title;
    m_refer.showDiagram(game.clone(), diagram);
}

void CGoStory::setOrientation(BookOrientation orientation) {
    m_orientation = orientation;
    if (m_page >= 0) showPage(m_page);
}

std::optional<BookPicture> CGoStory::pagePicture() const {
    const BookDescRecord* d = page();
    return d && d->pictureNumber != kBookNone ? m_book->picture(d->pictureNumber) : std::nullopt;
}

int CGoStory::cornerCode() const {
    const BookDescRecord* d = page();
    const int code = d ? d->displayFlags & 0x0F : 0;
    return (code >= 1 && code <= 4) || (code >= 9 && code <= 12) ? code : 0;
}

// --- replay ---------------------------------------------------------------------------------

int CGoStory::pageTicks(int speed) const {
    const BookDescRecord* d = page();
    if (!d) return 0;
    const int slow = 100 - std::clamp(speed, 0, 100);
    if (m_sound && m_book->hasAudio() && d->duration > 0)
        return static_cast<int>(d->duration) + std::max(5, slow * 5 / 50);
    const long time = d->duration ? static_cast<long>(d->duration) : static_cast<long>(m_text.size() / 3);
    return static_cast<int>(std::max(5L, slow * time / 50));
}

bool CGoStory::play() {
    const BookDescRecord* d = page();
    if (!d) return false;
    if (m_players.playing && m_players.playing != this) {
        const int side = m_players.playing->m_side == BookSide::Main ? kStrMainSide : kStrStudySide;
        if (m_env.ui) m_env.ui->showMessage(formatText(text(kStrOtherSidePlays), {text(side)}), text(kStrBookPlay));
        return false;
    }
    stop();
    m_players.playing = this;
    m_playing = true;
    m_elapsed = 0;
    m_total = pageTicks(m_speed);
    if (m_automatic && totalMoves() > 0) showMove(d->startMove);
    if (m_sound && m_audio && d->duration > 0 && m_book->hasAudio()) {
        const std::string path = m_library.extractAudio(*m_entry, *m_book, static_cast<int>(d->indexEntry), m_side);
        if (!path.empty() && !m_audio->play(path)) {
            // No sound device: the book goes on silent, said once.
            m_sound = false;
            if (!m_soundRefused && m_env.ui) m_env.ui->showMessage(text(kStrNoSound), text(kStrAudioError));
            m_soundRefused = true;
            m_total = pageTicks(m_speed);
        }
    }
    return true;
}

void CGoStory::stop() {
    if (m_trace && m_trace->tracing()) endTrace();
    if (m_players.playing == this) m_players.playing = nullptr;
    if (m_playing && m_audio) m_audio->stop();
    m_playing = false;
    m_elapsed = 0;
}

bool CGoStory::nextPage() { return showPage(m_page + 1); }

void CGoStory::tick() {
    if (!m_playing) return;
    ++m_elapsed;
    const BookDescRecord* d = page();
    if (d && m_automatic && totalMoves() > 0) {
        const int first = d->startMove, last = d->endMove ? d->endMove : totalMoves();
        const int move = first + (last - first) * std::min(m_elapsed, m_total) / std::max(1, m_total);
        if (move != displayedMove()) showMove(move);
    }
    if (m_elapsed < m_total) return;
    stop();
    if (d && m_continuous && nextPage()) continueReplay();
}

// Continuous replay goes on with the page shown: a trace page starts its trace (the replay goes on
// once it is complete), any other page plays.
void CGoStory::continueReplay() {
    const BookDescRecord* d = page();
    if (!d || d->kind != static_cast<std::uint16_t>(BookPageKind::Trace) || totalMoves() == 0) {
        play();
        return;
    }
    m_traceFromReplay = true;
    startTrace(TraceSides::Both);
    if (tracing() && m_sound && !(m_audio && m_audio->playing())) boardMessage(text(kStrTraceStart));
}

int CGoStory::progressPercent() const { return m_total > 0 ? std::min(100, m_elapsed * 100 / m_total) : 0; }

void CGoStory::setSound(bool on) {
    m_sound = on;
    if (!on && m_audio) m_audio->stop();
}

// --- the trace and the problems ----------------------------------------------------------------

bool CGoStory::startTrace(TraceSides sides) {
    const BookDescRecord* d = page();
    if (!d || totalMoves() == 0) return false;
    if (m_playing) stop();
    const int after = d->startMove ? d->startMove : displayedMove();
    showMove(after);
    const bool problem = d->kind == static_cast<std::uint16_t>(BookPageKind::Problem);
    m_trace = std::make_unique<TraceExercise>(record().main(), after, d->endMove, sides, problem);
    m_hint.reset();
    const TraceReply r = m_trace->start();
    showTraceMoves(r);
    if (r.event == TraceEvent::Complete) completeTrace(r);
    return true;
}

void CGoStory::showTraceMoves(const TraceReply& r) {
    if (r.play.empty()) return;
    const TraceMove& last = r.play.back();
    if (last.sequence && last.sequence != &record().main()) showSequence(last.sequence, last.moveNumber);
    else showMove(last.moveNumber);
}

void CGoStory::bookClick(int x, int y, bool rightButton) {
    if (!tracing()) {
        if (!rightButton) clickPoint(x, y);
        return;
    }
    if (rightButton) {
        hint();
        return;
    }
    const bool occupied = position().onBoard(x, y) && position().at(x, y).hasStone();
    const TraceReply r = m_trace->click(x, y, occupied);
    switch (r.event) {
    case TraceEvent::None: return;
    case TraceEvent::Wrong:
        markWrongClick(x, y);
        boardMessage(formatText(text(kStrWrongPoint), {r.mistakes}));
        return;
    case TraceEvent::WrongHint:
        markWrongClick(x, y);
        boardMessage(text(kStrThreeMistakes));
        hint();
        return;
    case TraceEvent::Correct:
        m_hint.reset();
        showTraceMoves(r);
        return;
    case TraceEvent::Complete:
        m_hint.reset();
        showTraceMoves(r);
        completeTrace(r);
        return;
    }
}

// A wrong click is marked with a cross until the next correct move rebuilds the position.
void CGoStory::markWrongClick(int x, int y) {
    position().markEmptyPoint(x, y, kCodeCross, 0, 0);
    drawPoint(x, y);
}

void CGoStory::hint() {
    if (!m_trace) return;
    m_hint = m_trace->hint();
    if (!m_hint) return;
    if (m_hint->comment) {
        m_text = *m_hint->comment;
        m_hint.reset();
    } else {
        m_text.clear();
    }
    redrawAll();
}

void CGoStory::completeTrace(const TraceReply& r) {
    if (r.outcome == kFailure) {
        boardMessage(text(kStrTraceFailureLine));
        if (m_sound) beep();
    } else {
        boardMessage(text(kStrTraceComplete));
    }
    recordResult(TraceExercise::resultOf(r.outcome));
    if (std::exchange(m_traceFromReplay, false) && m_continuous && nextPage()) continueReplay();
}

void CGoStory::endTrace() {
    if (!m_trace) return;
    m_traceFromReplay = false;
    if (std::optional<AnswerResult> result = m_trace->end()) recordResult(*result);
    m_hint.reset();
}

// --- answers ------------------------------------------------------------------------------

AnswerTable& CGoStory::answers() {
    if (!m_answers) {
        m_answers = m_entry ? AnswerTable::load(m_library.ownFolder(*m_entry) + kAnswerFileName) : AnswerTable();
        if (m_answers->size() == 0 && m_book) m_answers = AnswerTable(m_book->header().valueB);
    }
    return *m_answers;
}

const AnswerRecord* CGoStory::pageAnswers() {
    const BookDescRecord* d = page();
    return d && isAnswered(*d) ? answers().at(d->answerNumber) : nullptr;
}

void CGoStory::recordResult(AnswerResult result) {
    const BookDescRecord* d = page();
    if (!d || !isAnswered(*d)) return;
    const SystemClock system;
    const DateTime now = (m_env.clock ? *m_env.clock : static_cast<const Clock&>(system)).localNow();
    answers().record(d->answerNumber, result, AnswerTime{now.year, now.month, now.day, now.hour, now.minute});
}

bool CGoStory::saveAnswers() {
    if (!m_answers || !m_answers->changed() || !m_entry) return true;
    m_library.prepareFolders(m_entry->identifier());
    if (!m_answers->save(m_library.ownFolder(*m_entry) + kAnswerFileName)) return false;
    m_answers->markSaved();
    return true;
}

bool CGoStory::resetAnswers() {
    if (!m_book || !m_env.ui) return false;
    if (!m_env.ui->ask(text(kStrResetAnswers), text(kStrResetAnswersTitle))) return false;
    answers().reset();
    return saveAnswers();
}

std::string CGoStory::jacketPath() const {
    if (!m_entry) return {};
    for (const char* name : {"jacketImage.png", "jacketImage.jpg"})
        if (const std::string path = m_library.ownFolder(*m_entry) + name; pathExists(path)) return path;
    return {};
}

// --- removal ------------------------------------------------------------------------------

bool removeBookAsked(Ui& ui, const StringTable& strings, BookLibrary& library, std::size_t position) {
    if (position >= library.entries().size()) return false;
    const std::u16string question = formatText(storeText(strings, kStrRemoveBook), {library.entries()[position].title});
    return ui.ask(question, storeText(strings, kStrUninstall)) && library.removeBook(position);
}

bool removeBookAudioAsked(Ui& ui, const StringTable& strings, BookLibrary& library, std::size_t position) {
    if (position >= library.entries().size()) return false;
    const std::u16string question =
        formatText(storeText(strings, kStrRemoveAudio), {library.entries()[position].title});
    return ui.ask(question, storeText(strings, kStrRemoveAudioTitle)) && library.removeAudio(position);
}

} // namespace stonewise
