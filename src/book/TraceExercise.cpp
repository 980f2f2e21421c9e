#include "book/TraceExercise.h"

#include "record/CommentStore.h"

namespace stonewise {

namespace {

TraceMove traceMove(RecordSequence& s, const RecordNode& k) {
    TraceMove m;
    m.x = k.x;
    m.y = k.y;
    m.colour = k.stoneColour();
    m.moveNumber = k.moveNumber;
    m.comment = std::u16string(s.commentOf(k));
    m.tag = answerKindOfText(m.comment);
    m.sequence = &s;
    return m;
}

bool onGrid(int x, int y) { return x >= 0 && y >= 0 && x < 19 && y < 19; }

} // namespace

TraceExercise::TraceExercise(RecordSequence& main, int afterMove, int lastMove, TraceSides sides, bool acceptVariations)
    : m_lastMove(lastMove), m_sides(sides), m_acceptVariations(acceptVariations) {
    followLine(main, afterMove);
}

// The moves of `s` after `afterMove`, in order (a reference sequence's link is not followed).
void TraceExercise::followLine(RecordSequence& s, int afterMove) {
    m_line.resize(m_next);
    for (const RecordNode& k : s.nodes()) {
        if (!k.isMove() || k.moveNumber <= afterMove) continue;
        if (m_lastMove > 0 && k.moveNumber > m_lastMove) break;
        m_line.push_back(traceMove(s, k));
    }
}

TraceReply TraceExercise::start() {
    m_tracing = !m_line.empty();
    m_mistakes = m_hints = m_allMistakes = 0;
    m_outcome = kNoAnswer;
    m_wrong.fill(false);
    TraceReply r;
    r.event = m_tracing ? TraceEvent::None : TraceEvent::Complete;
    if (m_tracing && m_sides == TraceSides::Second) {
        r.play.push_back(m_line[m_next]);
        if (m_line[m_next].tag != kNoAnswer) m_outcome = m_line[m_next].tag;
        ++m_next;
        if (m_next >= m_line.size()) {
            m_tracing = false;
            r.event = TraceEvent::Complete;
            r.outcome = m_outcome;
        }
    }
    return r;
}

// A variation that branches at the expected move and starts at (x, y) becomes the line.
bool TraceExercise::enterVariationAt(int x, int y) {
    RecordSequence* owner = m_line[m_next].sequence;
    const int expected = m_line[m_next].moveNumber;
    for (int slot = 1; slot <= owner->highestChildSlot(); ++slot) {
        RecordSequence* c = owner->child(slot);
        if (!c || c->kind() != kBranch || c->firstMoveNumber() != expected) continue;
        for (const RecordNode& k : c->nodes()) {
            if (!k.isMove()) continue;
            if (k.moveNumber == expected && k.x == x && k.y == y) {
                followLine(*c, expected - 1);
                return true;
            }
            break;
        }
    }
    return false;
}

TraceReply TraceExercise::click(int x, int y, bool occupied) {
    TraceReply r;
    if (!m_tracing || occupied || !onGrid(x, y)) return r;
    const TraceMove& expected = m_line[m_next];
    if ((expected.x == x && expected.y == y) || (m_acceptVariations && enterVariationAt(x, y))) {
        std::vector<TraceMove> play;
        return correct(play);
    }
    ++m_mistakes;
    ++m_allMistakes;
    m_wrong[static_cast<std::size_t>(y * 19 + x)] = true;
    r.event = m_mistakes == 3 ? TraceEvent::WrongHint : TraceEvent::Wrong;
    r.mistakes = m_mistakes;
    return r;
}

TraceReply TraceExercise::correct(std::vector<TraceMove>& play) {
    TraceReply r;
    r.event = TraceEvent::Correct;
    auto take = [&] {
        const TraceMove& m = m_line[m_next];
        if (m.tag != kNoAnswer) m_outcome = m.tag;
        play.push_back(m);
        ++m_next;
    };
    take();
    if (m_sides != TraceSides::Both && m_next < m_line.size()) take();
    m_mistakes = m_hints = 0;
    m_wrong.fill(false);
    r.play = std::move(play);
    if (m_next >= m_line.size()) {
        m_tracing = false;
        r.event = TraceEvent::Complete;
        r.outcome = m_outcome;
    }
    return r;
}

double TraceExercise::draw() {
    if (m_random == 0) m_random = 1;
    m_random = m_random * 1103515245u + 12345u;
    return m_random / 4294967295.0 - 0.5;
}

std::optional<TraceHint> TraceExercise::hint() {
    if (!m_tracing) return std::nullopt;
    ++m_hints;
    const TraceMove& m = m_line[m_next];
    TraceHint h;
    h.x = m.x;
    h.y = m.y;
    h.colour = m.colour;
    if (!m.comment.empty() && (m_hints & 1)) {
        h.comment = std::u16string(withoutAnswerTag(m.comment));
        return h;
    }
    h.dx = 2 * draw();
    h.dy = 2 * draw();
    return h;
}

std::optional<AnswerResult> TraceExercise::end() {
    if (!m_tracing) return std::nullopt;
    m_tracing = false;
    return m_allMistakes > 0 ? std::optional(AnswerResult::Abandoned) : std::nullopt;
}

AnswerResult TraceExercise::resultOf(AnswerKind outcome) {
    return outcome == kNoAnswer ? AnswerResult::Correct : static_cast<AnswerResult>(outcome);
}

bool TraceExercise::wrongAt(int x, int y) const {
    return onGrid(x, y) && m_wrong[static_cast<std::size_t>(y * 19 + x)];
}

} // namespace stonewise
