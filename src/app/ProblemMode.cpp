#include "app/ProblemMode.h"

#include <algorithm>

#include "app/CIgoBoard.h"
#include "app/Clock.h"
#include "app/CommandIds.h"
#include "app/GameSession.h"
#include "book/ProblemCategory.h"
#include "record/StringTable.h"
#include "record/Text.h"
#include "store/GameStore.h"
#include "store/StoreStrings.h"
#include "view/MarkCodes.h"

namespace stonewise {

bool isProblem(const GameInfo& info) { return problemCategory(info) != 0; }

std::uint32_t problemCategory(const GameInfo& info) { return info.startFlags & kProblemCategoryMask; }

Colour answeringSide(const RecordSequence& main) {
    for (const RecordNode& k : main.nodes()) {
        if (k.isMove()) return k.stoneColour();
        if (k.type == NodeType::Pass && k.moveNumber == 1) return kWhite;
    }
    return kBlack;
}

int moveBeforeFirstAnswer(const RecordSequence& main) {
    for (const RecordNode& k : main.nodes())
        if (k.isMove()) return k.moveNumber - 1;
    return 0;
}

std::string problemAnswerPath(const GameStore& store, int group) {
    return store.folder().groupFolder(group) + kAnswerFileName;
}

ProblemMode::ProblemMode(CIgoBoard& board, GameSession& session, GameStore& store, const StringTable& strings, Ui* ui)
    : m_board(board), m_session(session), m_store(store), m_strings(strings), m_ui(ui) {}

ProblemMode::~ProblemMode() = default;

std::u16string ProblemMode::text(int id) const { return storeText(m_strings, id); }

void ProblemMode::message(std::u16string_view text) {
    m_status = std::u16string(text);
    if (m_ui) m_ui->boardMessage(text);
}

void ProblemMode::setStatus(int id) { m_status = text(id); }

// --- the list -----------------------------------------------------------------------------------

void ProblemMode::open(int group) {
    if (m_trace) stopAnswer();
    m_state = ProblemState::Idle;
    m_group = group;
    m_problems.clear();
    m_selected = -1;
    StoreMessages messages;
    for (const GameInfo* g : m_store.gameList(group, messages).entries())
        if (g && isProblem(*g)) m_problems.push_back({g->number, g->name});
    m_answers = AnswerTable::load(problemAnswerPath(m_store, group));
    m_board.setViewOnly(true);
    m_board.setEditing(m_edit);
    if (m_problems.empty()) {
        setStatus(kStrStatusNoProblem);
        return;
    }
    int position = 0;
    for (std::size_t i = 0; i < m_problems.size(); ++i)
        if (m_session.group() == group && m_problems[i].number == m_session.number()) position = static_cast<int>(i);
    select(position);
}

std::u16string ProblemMode::listText(int position) const {
    if (position < 0 || position >= static_cast<int>(m_problems.size())) return {};
    const ProblemEntry& e = m_problems[static_cast<std::size_t>(position)];
    if (!m_showAnswerState) return e.name;
    const AnswerRecord* r = m_answers.at(static_cast<std::size_t>(e.number));
    int id = kStrResultNone;
    switch (r ? r->latest() : AnswerResult::None) {
    case AnswerResult::Correct: id = kStrResultCorrect; break;
    case AnswerResult::Variation: id = kStrResultVariation; break;
    case AnswerResult::Failure: id = kStrResultFailure; break;
    case AnswerResult::Abandoned: id = kStrResultAbandoned; break;
    case AnswerResult::None: break;
    }
    return storeText(m_strings, kStrListWithResult, {e.name, text(id)});
}

bool ProblemMode::select(int position) {
    if (m_state != ProblemState::Idle) return false;
    if (position < 0 || position >= static_cast<int>(m_problems.size())) return false;
    const int number = m_problems[static_cast<std::size_t>(position)].number;
    if (!(m_session.group() == m_group && m_session.number() == number)) {
        m_session.saveCurrentGame(true);
        if (!m_session.openGame(m_group, number)) return false;
    }
    m_selected = position;
    m_board.setViewOnly(true);
    m_board.setEditing(m_edit);
    showStart();
    setStatus(kStrStatusReady);
    return true;
}

bool ProblemMode::next() {
    if (m_selected + 1 >= static_cast<int>(m_problems.size())) return false;
    return select(m_selected + 1);
}

// The problem's initial display move, else the move before its first answer move.
int ProblemMode::startPosition() const {
    const int total = m_board.totalMoves();
    const int initial = m_board.gameInfo().ownMoveMark;
    if (initial > 0 && initial < total) return initial;
    return std::min(moveBeforeFirstAnswer(m_board.record().main()), total);
}

void ProblemMode::showStart() {
    m_imageShown = false;
    m_board.showSequence(&m_board.record().main(), startPosition());
}

// --- answering ----------------------------------------------------------------------------------

bool ProblemMode::startAnswer() {
    if (m_state != ProblemState::Idle || m_selected < 0 || m_edit) return false;
    m_board.stopBusy();
    RecordSequence& main = m_board.record().main();
    const int after = m_fromFirstMove ? moveBeforeFirstAnswer(main) : startPosition();
    const TraceSides sides = m_fromFirstMove ? TraceSides::Both : m_sides;
    // A position without an answer line (a file of setup stones only) has nothing to answer.
    if (m_board.totalMoves() <= after) return false;
    m_board.showSequence(&main, after);
    m_imageShown = false;
    m_trace = std::make_unique<TraceExercise>(main, after, 0, sides, true);
    m_hint.reset();
    m_state = ProblemState::Answering;
    setStatus(kStrStatusAnswering);
    const TraceReply r = m_trace->start();
    showPlayed(r);
    if (r.event == TraceEvent::Complete) complete(r);
    return true;
}

void ProblemMode::stopAnswer() {
    if (m_state != ProblemState::Answering) return;
    if (m_trace)
        if (std::optional<AnswerResult> result = m_trace->end()) record(*result);
    m_trace.reset();
    m_hint.reset();
    m_state = ProblemState::Idle;
    showStart(); // the rebuild takes the wrong-click marks away
    setStatus(kStrStatusReady);
}

void ProblemMode::showPlayed(const TraceReply& r) {
    if (r.play.empty()) return;
    const TraceMove& last = r.play.back();
    m_board.showSequence(last.sequence ? last.sequence : &m_board.record().main(), last.moveNumber);
}

bool ProblemMode::click(int x, int y, bool rightButton) {
    if (m_state == ProblemState::Placing) {
        if (m_placementStyle != kCtlPlaceBoth && rightButton) return true;
        const bool white = m_placementStyle == kCtlPlaceWhite || (m_placementStyle == kCtlPlaceBoth && rightButton);
        m_board.clickPoint(x, y, white);
        return true;
    }
    if (m_state != ProblemState::Answering || !m_trace) return false;
    if (rightButton) {
        hint();
        return true;
    }
    const BoardPosition& p = m_board.position();
    const bool occupied = p.onBoard(x, y) && p.at(x, y).hasStone();
    const TraceReply r = m_trace->click(x, y, occupied);
    switch (r.event) {
    case TraceEvent::None: break;
    case TraceEvent::Wrong:
    case TraceEvent::WrongHint:
        m_board.position().markEmptyPoint(x, y, kCodeCross, 0, 0);
        m_board.drawPoint(x, y);
        if (r.event == TraceEvent::Wrong) {
            message(storeText(m_strings, kStrWrongPoint, {r.mistakes}));
        } else {
            message(text(kStrThreeMistakes));
            hint();
        }
        break;
    case TraceEvent::Correct:
        m_hint.reset();
        showPlayed(r);
        setStatus(kStrStatusAnswering);
        break;
    case TraceEvent::Complete:
        m_hint.reset();
        showPlayed(r);
        complete(r);
        break;
    }
    return true;
}

void ProblemMode::hint() {
    if (!m_trace) return;
    m_hint = m_trace->hint();
    if (!m_hint) return;
    if (m_hint->comment) {
        m_status = *m_hint->comment;
        m_hint.reset();
    }
    m_board.redrawAll();
}

void ProblemMode::complete(const TraceReply& r) {
    m_state = ProblemState::Idle;
    m_trace.reset();
    if (r.outcome == kFailure) {
        message(text(kStrTraceFailureLine));
        if (m_ui) m_ui->beep();
    } else {
        message(text(kStrTraceComplete));
    }
    const int status = r.outcome == kFailure     ? kStrStatusFailure
                       : r.outcome == kVariation ? kStrStatusVariation
                                                 : kStrStatusCorrect;
    record(TraceExercise::resultOf(r.outcome));
    m_status = text(status);
}

void ProblemMode::record(AnswerResult result) {
    if (m_selected < 0) return;
    const SystemClock clock;
    const DateTime now = clock.localNow();
    m_answers.record(static_cast<std::size_t>(m_problems[static_cast<std::size_t>(m_selected)].number), result,
                     AnswerTime{now.year, now.month, now.day, now.hour, now.minute});
    if (m_answers.save(problemAnswerPath(m_store, m_group))) m_answers.markSaved();
}

bool ProblemMode::resetAnswers() {
    if (m_ui && !m_ui->ask(text(kStrResetAnswers), text(kStrResetAnswersTitle))) return false;
    m_answers.reset();
    if (!m_answers.save(problemAnswerPath(m_store, m_group))) return false;
    m_answers.markSaved();
    return true;
}

// The answer image is the position at the end of the main line, the first correct line of a problem.
void ProblemMode::toggleAnswerImage() {
    if (m_state != ProblemState::Idle || m_selected < 0) return;
    if (m_imageShown) {
        showStart();
        setStatus(kStrStatusReady);
        return;
    }
    m_board.showSequence(&m_board.record().main(), -1);
    m_imageShown = true;
    setStatus(kStrStatusImage);
}

// --- studying and editing ------------------------------------------------------------------------

bool ProblemMode::startStudy() {
    if (m_state != ProblemState::Idle || m_selected < 0) return false;
    m_state = ProblemState::Studying;
    m_imageShown = false;
    setStatus(kStrStatusStudying);
    return true;
}

void ProblemMode::endStudy() {
    if (m_state != ProblemState::Studying) return;
    m_state = ProblemState::Idle;
    showStart();
    setStatus(kStrStatusReady);
}

bool ProblemMode::toggleEdit() {
    if (m_state == ProblemState::Answering || m_state == ProblemState::Placing || m_state == ProblemState::Creating)
        return false;
    m_edit = !m_edit;
    m_board.setEditing(m_edit);
    return true;
}

// --- creating -----------------------------------------------------------------------------------

void ProblemMode::showStoreMessages(const StoreMessages& messages) {
    if (m_ui)
        for (const StoreMessage& m : messages) m_ui->showMessage(m.text, m.title);
}

bool ProblemMode::beginCreation(const GameInfo& header, Colour side) {
    if (m_state != ProblemState::Idle || m_group < 0) return false;
    StoreMessages messages;
    const std::optional<int> number = m_store.newGameNumber(m_group, messages);
    if (!number) {
        showStoreMessages(messages);
        return false;
    }
    GameInfo info = header;
    info.number = *number;
    const std::unique_ptr<RecordSequence> empty = RecordSequence::createMain();
    if (!m_store.writeGame(m_group, *number, *empty, &info, messages) ||
        !m_store.gameList(m_group, messages).put(info) || !m_store.saveGameList(m_group, messages)) {
        showStoreMessages(messages);
        return false;
    }
    m_session.saveCurrentGame(true);
    if (!m_session.openGame(m_group, *number)) return false;
    m_problems.push_back({*number, info.name});
    m_createWhite = side == kWhite;
    m_selected = static_cast<int>(m_problems.size()) - 1;
    m_state = ProblemState::Placing;
    m_board.setEditing(true);
    m_board.beginInitialPositionEdit();
    m_status = storeText(m_strings, kStrPlacing, {info.name});
    return true;
}

bool ProblemMode::changeHeader(const GameInfo& header) {
    if (m_state != ProblemState::Idle || m_selected < 0 || m_board.gameInfo().isProtected()) return false;
    GameInfo& info = m_board.gameInfo();
    info.name = header.name;
    info.startFlags = header.startFlags;
    info.gameComment = header.gameComment;
    info.flags = header.flags;
    info.ownMoveMark = header.ownMoveMark;
    m_problems[static_cast<std::size_t>(m_selected)].name = info.name;
    return m_session.storeHeader();
}

bool ProblemMode::correctPlacement() {
    if (m_state != ProblemState::Idle || m_selected < 0 || m_board.gameInfo().isProtected()) return false;
    m_state = ProblemState::Placing;
    m_board.showSequence(&m_board.record().main(), 0);
    m_board.setEditing(true);
    m_board.beginInitialPositionEdit();
    m_status = storeText(m_strings, kStrPlacing, {m_board.gameInfo().name});
    return true;
}

void ProblemMode::endPlacement() {
    if (m_state != ProblemState::Placing) return;
    m_board.endInitialPositionEdit();
    RecordSequence& main = m_board.record().main();
    m_setupStones = 0;
    for (const RecordNode& k : main.nodes())
        if (k.isSetup() && k.moveNumber == 0) ++m_setupStones;
    GameInfo& info = m_board.gameInfo();
    if (!isProblem(info)) info.startFlags = static_cast<std::uint8_t>(info.startFlags | kLifeAndDeath);
    m_edit = true;
    m_board.setEditing(true);
    const bool creating = m_board.totalMoves() == 0;
    m_state = creating ? ProblemState::Creating : ProblemState::Idle;
    // White answers after Black's pass, as a file that starts with White's move reads.
    if (creating && m_createWhite) {
        m_board.showSequence(&main, 0);
        m_board.pass();
    }
    setStatus(creating ? kStrStatusCreating : kStrStatusReady);
    m_session.saveCurrentGame(false);
}

bool ProblemMode::finishCreation() {
    if (m_state != ProblemState::Creating) return false;
    m_state = ProblemState::Idle;
    const bool saved = m_session.saveCurrentGame(false);
    showStart();
    setStatus(kStrStatusReady);
    return saved;
}

// --- commands and the panel ------------------------------------------------------------------------

bool ProblemMode::command(int id) {
    switch (id) {
    case kCtlProblemAnswer:
        if (m_state == ProblemState::Answering) stopAnswer();
        else startAnswer();
        return true;
    case kCtlProblemNext: next(); return true;
    case kCtlProblemStudy:
        if (m_state == ProblemState::Studying) endStudy();
        else startStudy();
        return true;
    case kCtlProblemEdit: toggleEdit(); return true;
    case kCtlProblemPlacement: correctPlacement(); return true;
    case kCtlAnswerBoth: m_sides = TraceSides::Both; return true;
    case kCtlAnswerFirst: m_sides = TraceSides::First; return true;
    case kCtlAnswerSecond: m_sides = TraceSides::Second; return true;
    case kCtlAnswerHint: hint(); return true;
    case kCtlAnswerFromFirst: m_fromFirstMove = !m_fromFirstMove; return true;
    case kCtlAnswerImage: toggleAnswerImage(); return true;
    case kCtlPlaceBoth:
    case kCtlPlaceBlack:
    case kCtlPlaceWhite: setPlacementStyle(id); return true;
    case kCtlPlaceDone: endPlacement(); return true;
    case kCmdShowAnswerState: toggleAnswerState(); return true;
    case kCmdResetAllAnswers: resetAnswers(); return true;
    default: return false;
    }
}

std::vector<ProblemControl> ProblemMode::controls() const {
    const bool idle = m_state == ProblemState::Idle;
    const bool answering = m_state == ProblemState::Answering;
    const bool studying = m_state == ProblemState::Studying;
    const bool creating = m_state == ProblemState::Creating;
    const bool placing = m_state == ProblemState::Placing;
    const bool shown = m_selected >= 0;
    const bool last = m_selected + 1 >= static_cast<int>(m_problems.size());
    return {
        {kCtlProblemAnswer, text(answering ? kStrProblemAnswerStop : kStrProblemAnswerStart),
         answering || (idle && shown && !m_edit)},
        {kCtlProblemNext, text(kStrNext), idle && !last},
        {kCtlProblemStudy, text(studying ? kStrProblemStudyEnd : kStrProblemStudy), studying || (idle && shown)},
        {kCtlProblemEdit, text(kStrProblemEdit), idle || studying, m_edit},
        {kCtlProblemCreate, text(creating ? kStrProblemCreateDone : kStrProblemNew),
         creating || (idle && m_group >= 0)},
        {kCtlProblemPlacement, text(kStrProblemPlacement), idle && shown && m_edit},
        {kCtlProblemChoice, text(kStrProblemChoice), idle && !m_problems.empty()},
        {kCtlProblemMoveList, text(kStrProblemMoveList), !answering && !studying && !placing},
        {kCtlAnswerFirst, text(kStrFirstSide), idle, m_sides == TraceSides::First},
        {kCtlAnswerSecond, text(kStrSecondSide), idle, m_sides == TraceSides::Second},
        {kCtlAnswerBoth, text(kStrBothSides), idle, m_sides == TraceSides::Both},
        {kCtlAnswerHint, text(kStrHint), answering},
        {kCtlAnswerFromFirst, text(kStrAnswerFromFirst), idle, m_fromFirstMove},
        {kCtlAnswerImage, text(kStrAnswerImage), idle && shown, m_imageShown},
        {kCtlAnswerStatus, m_status, true},
    };
}

} // namespace stonewise
