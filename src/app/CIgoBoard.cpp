#include "app/CIgoBoard.h"
#include "record/StringTable.h"

#include <ctime>

#include "app/Clock.h"
#include "board/HandicapTable.h"
#include "record/GameInfoText.h"
#include "view/MoveListModel.h"

namespace stonewise {

namespace {
constexpr int kSetupStoneTitle = 20400;
constexpr int kWhiteSetupBeforeFirstMove = 20401;
} // namespace

CIgoBoard::CIgoBoard(BoardEnvironment env)
    : CIgoBoardBase(env.canvas), m_env(std::move(env)), m_timer(*this),
      m_flash(*this, m_env.flashSlots ? *m_env.flashSlots : m_ownFlashSlots) {
    m_record.sequences().setLoopReporter([this] {
        if (m_env.ui) m_env.ui->showMessage(uiText(20412), uiText(20413));
    });
    newGame(GameInfo{});
}

CIgoBoard::~CIgoBoard() = default;

// --- texts --------------------------------------------------------------------------------------

std::u16string CIgoBoard::text(int id) const {
    if (auto found = StringTable::lookup(m_env.strings, id)) return std::u16string(*found);
    if (id >= 0 && m_env.ui) {
        if (m_env.japanese)
            m_env.ui->showMessage(formatText(u"コード(%d)に該当する文字列が見つかりません。", {id}), u"文字列取得");
        else m_env.ui->showMessage(formatText(u"No string found for Code(%d).", {id}), u"Load String");
    }
    return {};
}

void CIgoBoard::showMessage(int id, std::u16string_view title, std::initializer_list<FormatArg> args) {
    if (!m_env.ui) return;
    m_env.ui->showMessage(formatText(text(id), args, 512), title);
}

std::pair<std::u16string, std::u16string> CIgoBoard::pointLabels(int x, int y) const {
    if (m_env.pointLabels) return m_env.pointLabels(x, y);
    return {toU16(x + 1), toU16(y + 1)};
}

std::u16string CIgoBoard::statusText() const {
    if (m_info.winner != kInPlay) return resultText(m_info);
    const RecordSequence& main = m_record.main();
    const RecordNode* last = main.findNode(main.lastMoveNumber());
    if (!last || main.lastMoveNumber() < 1 || (main.handicapCount() >= 2 && main.lastMoveNumber() == 1)) return {};
    const bool pass = last->type == NodeType::Pass || !last->hasPoint();
    const auto [column, row] = pass ? std::pair<std::u16string, std::u16string>{} : pointLabels(last->x, last->y);
    return inPlayStatusText(last->moveNumber, main.numberOffset(), column, row, pass, mailState());
}

MailGoState CIgoBoard::mailState() const {
    if (!m_info.isMailGo()) return MailGoState::None;
    if (m_mailUnsent) return MailGoState::NotSent;
    return m_info.lastExchangedMove == m_info.ownMoveMark + 1 ? MailGoState::NotMoved : MailGoState::Sent;
}

SceneState CIgoBoard::sceneState() const {
    SceneState s;
    s.numbersOn = m_options.showNumbers || m_options.branchNumbersFromOne;
    s.branchNumbersFromOne = m_options.branchNumbersFromOne;
    s.pathDepth = m_record.pathDepth();
    s.numberOffset = m_record.main().numberOffset();
    s.firstNumberedMove = initialDisplayMove();
    s.shownMove = shownMove();
    // The move selected in the move list, when it is a move of the path shown.
    if (const RecordNode* n = m_selection.node();
        n && n->isMove() && m_record.sequenceForMove(n->moveNumber) == m_selection.sequence)
        s.selectedMove = n->moveNumber;
    if (m_info.type == kGameMailGo) s.mailGoMove = m_info.lastExchangedMove;
    s.record = &m_record;
    return s;
}

std::u16string CIgoBoard::moveLabel(const RecordNode& move) const {
    const std::u16string colour = text(colourOfMove(move.moveNumber) == kBlack ? kStrBlack : kStrWhite);
    return formatText(text(kStrMoveLabel), {colour, move.moveNumber + m_record.main().numberOffset()});
}

// --- the game -----------------------------------------------------------------------------------

void CIgoBoard::newGame(const GameInfo& info) {
    m_info = info;
    m_readReduced = false;
    m_record.reset();
    m_selection = {};
    m_freeHandicap = false;
    m_initialEdit = false;
    m_insertStonesLeft = 0;
    m_undoConfirmed = false;
    m_position.setSize(info.boardSize());
    m_nav.showEndOf(0);
    setHandicapCounts(0);
    if (info.handicap >= 2 && info.handicap <= 9) placeHandicapStones(info.handicap);
    m_changes = 0;
    markStored();
    rebuild();
    if (m_env.panels) m_env.panels->recordChanged();
}

void CIgoBoard::loadGame(std::unique_ptr<RecordSequence> main, const GameInfo& info) {
    m_info = info;
    m_readReduced = false;
    m_record.adopt(std::move(main));
    m_selection = {};
    m_freeHandicap = false;
    m_initialEdit = false;
    m_insertStonesLeft = 0;
    m_undoConfirmed = false;
    m_position.setSize(info.boardSize());
    const int handicap = m_record.main().handicapCount();
    m_record.main().setNumberOffset(handicap >= 2 ? -1 : 0);
    m_record.main().updateLastMoveNumber();
    renumberTree();
    m_nav.showEndOf(m_record.main().lastMoveNumber());
    if (const int initial = initialDisplayMove(); initial > 0 && initial < totalMoves()) m_nav.show(initial);
    m_changes = 0;
    markStored();
    rebuild();
    if (m_env.panels) m_env.panels->recordChanged();
}

void CIgoBoard::changeHeader(const GameInfo& info) {
    // A record that holds nothing but its handicap stones can take others.
    const RecordSequence& main = m_record.main();
    const bool empty = main.nodeCount() == 0 || (main.handicapCount() >= 2 && main.lastMoveNumber() <= 1 &&
                                                 main.nodeCount() == main.handicapCount());
    const bool resize = info.boardSize() != m_position.size();
    const bool restone =
        info.handicap != m_info.handicap && (main.handicapCount() >= 2 || (info.handicap >= 2 && info.handicap <= 9));
    m_info = info;
    if (empty && (resize || restone)) {
        m_record.reset();
        m_position.setSize(info.boardSize());
        m_nav.showEndOf(0);
        setHandicapCounts(0);
        if (info.handicap >= 2 && info.handicap <= 9) placeHandicapStones(info.handicap);
        rebuild();
        redrawAll();
    }
    edited();
}

void CIgoBoard::markStored() {
    m_stored = m_record.copyMain();
    m_storedInfo = m_info;
}

std::u16string CIgoBoard::panelComment(CommentPanelOptions options) const {
    // findSequence only looks for the sequence: nothing of the record changes.
    RecordSequence& main = const_cast<RecordSequence&>(m_record.main());
    options.numberOffset = main.numberOffset();
    if (m_selection.sequence) {
        const RecordSequence* s = findSequence(main, m_selection.sequence);
        return s ? commentPanelText(*s, m_selection.index, options) : std::u16string();
    }
    const int shown = m_nav.shownMove();
    const RecordSequence* s = shown > 0 ? m_record.sequenceForMove(shown) : nullptr;
    std::u16string own = s ? commentPanelText(*s, s->findNodeIndex(shown), options) : std::u16string();
    // Before the first move (in a handicap game also with the handicap stones) the notes that
    // stand before it are shown, such as a commentary's introduction or a problem's question.
    if (shown <= 0 || (shown == 1 && main.handicapCount() >= 2)) {
        std::u16string start = startCommentPanelText(main);
        if (!start.empty() && !own.empty()) start.append(u"\r\n");
        return start + own;
    }
    return own;
}

int CIgoBoard::initialDisplayMove() const {
    if ((m_info.displayFlags & kDisplayInitialMoveValid) == 0) return 0;
    return m_info.ownMoveMark;
}

bool CIgoBoard::hasOpeningText() const {
    const RecordSequence& main = m_record.main();
    const int before = main.handicapCount() >= 2 ? 1 : 0;
    for (const RecordNode& k : main.nodes()) {
        if (k.moveNumber > before) break;
        if (k.moveNumber == before && k.isNote() && k.comment >= 0) return true;
    }
    return false;
}

int CIgoBoard::startMove() const {
    int start = m_record.main().handicapCount() >= 2 ? 2 : 1;
    if (hasOpeningText()) --start; // the position that text stands at
    if (m_info.startsAtMoveZero()) start = 0;
    if (m_viewOnly && !m_editing && m_protectedFirstMove > 0) start = m_protectedFirstMove;
    return start;
}

void CIgoBoard::setHandicapCounts(int count) {
    m_record.main().setHandicapCount(count);
    m_record.main().setNumberOffset(count >= 2 ? -1 : 0);
}

int CIgoBoard::placeHandicapStones(int count) {
    const auto points = handicapPoints(std::min(count, 9), m_position.size() == 13);
    int placed = 0;
    for (const HandicapPoint& p : points) {
        RecordNode n = makeMoveNode(1, p.column - 1, p.row - 1);
        n.type = NodeType::BlackMove;
        if (!m_record.main().appendNode(n)) break;
        ++placed;
    }
    setHandicapCounts(placed);
    m_nav.setTotalMoves(placed >= 2 ? 1 : m_record.main().lastMoveNumber());
    ++m_changes;
    return placed;
}

void CIgoBoard::edited() {
    ++m_changes;
    if (m_env.panels) m_env.panels->recordChanged();
}

bool CIgoBoard::refuseProtected() {
    if (!m_info.isProtected()) return false;
    if (m_env.ui) m_env.ui->boardMessage(text(kStrProtectedGame));
    return true;
}

void CIgoBoard::renumberTree() {
    m_record.main().numberTree();
    m_record.main().readAnswerTags();
}

void CIgoBoard::selectNode(RecordSequence* s, int index) {
    m_selection = {s, index};
    if (m_env.panels) m_env.panels->selectionChanged(s, index);
}

// --- clicks and moves ---------------------------------------------------------------------------

bool CIgoBoard::clickRefused(int x, int y) {
    if (m_busy) return true;
    if (m_viewOnly && !m_editing) return true;
    if (refuseProtected()) return true;
    if (totalMoves() > 0 && displayedMove() == 0) return true;
    return !m_position.onBoard(x, y);
}

void CIgoBoard::clickPoint(int x, int y, bool rightButton) {
    if (m_flash.refuseClick()) return;
    if (m_busy) {
        stopBusy();
        return;
    }
    if (m_freeHandicap) {
        if (!rightButton) toggleFreeHandicapStone(x, y);
        return;
    }
    if (m_initialEdit) {
        toggleInitialStone(x, y, rightButton ? kWhite : kBlack);
        return;
    }
    if (rightButton || !m_position.onBoard(x, y)) return;
    const BoardPoint& p = m_position.at(x, y);
    if (p.hasStone()) {
        // A click on a stone selects its move in the move list.
        if (p.moveNumber > 0) {
            const RecordNode* n = m_record.nodeAtMove(p.moveNumber);
            if (n && n->x == x && n->y == y) selectNode(m_record.currentSequence(), n->index);
        }
        return;
    }
    if (RecordSequence* branch = branchStartingAt(x, y)) {
        showSequence(branch, branch->firstMoveNumber());
        return;
    }
    if (m_insertStonesLeft > 0) {
        insertStone(x, y);
        return;
    }
    placeStone(x, y);
}

bool CIgoBoard::placeStone(int x, int y) {
    if (clickRefused(x, y)) return false;
    if (m_position.at(x, y).hasStone()) return false;
    const int moveNumber = shownMove() + 1;
    if (const MoveRefusal refusal = m_position.refusal(x, y, moveNumber); refusal != MoveRefusal::None) {
        refuseMove(refusal);
        return false;
    }
    if (!takeMove(x, y, moveNumber)) return false;
    if (m_flash.modeOn()) m_flash.start();
    return true;
}

void CIgoBoard::refuseMove(MoveRefusal refusal) {
    if (refusal == MoveRefusal::None || refusal == MoveRefusal::Occupied || !m_env.ui) return;
    m_env.ui->boardMessage(text(refusal == MoveRefusal::Ko ? kStrIllegalKo : kStrIllegalMove));
    m_refusalShown = true;
}

bool CIgoBoard::takeMove(int x, int y, int moveNumber) {
    if (atEnd()) return appendMoveAtEnd(x, y, moveNumber);
    BranchDialogResult choice;
    choice.choice = BranchDialogResult::Choice::Branch;
    if (!m_options.skipBranchDialog && m_env.ui) {
        BranchDialogRequest request;
        request.enterGivesReference = m_options.branchEnterGivesReference;
        request.englishTags = m_options.englishTags;
        choice = m_env.ui->askNewBranch(request);
        m_options.branchEnterGivesReference = choice.enterGivesReference;
    }
    if (choice.choice == BranchDialogResult::Choice::Cancel) return false;
    return makeBranch(x, y, choice);
}

std::int16_t CIgoBoard::elapsedForNewMove() const {
    // Mail Go games measure the time from the arrival of the opponent's move.
    if (!m_info.isMailGo() || !m_env.clock || m_record.pathDepth() != 0) return 0;
    if ((m_info.flags & kInfoMoveWaiting) == 0 || m_info.waitingTime.year == 0) return 0;
    const GameTime& w = m_info.waitingTime;
    std::tm t{};
    t.tm_year = w.year - 1900;
    t.tm_mon = w.month - 1;
    t.tm_mday = w.day;
    t.tm_hour = w.hour;
    t.tm_min = w.minute;
    t.tm_sec = w.second;
    t.tm_isdst = -1;
    const std::time_t since = std::mktime(&t);
    if (since == static_cast<std::time_t>(-1)) return 0;
    return encodeMeasuredElapsed(static_cast<long>(m_env.clock->secondsSinceEpoch() - since));
}

bool CIgoBoard::appendMoveAtEnd(int x, int y, int moveNumber) {
    RecordSequence& s = *m_record.pathTop();
    RecordNode node = makeMoveNode(moveNumber, x, y);
    node.elapsed = elapsedForNewMove();
    const RecordNode* added = s.appendNode(node);
    if (!added) {
        if (m_env.ui) m_env.ui->beep();
        return false;
    }
    if (node.elapsed != 0 || m_info.isMailGo()) {
        m_info.flags &= static_cast<std::uint16_t>(~kInfoMoveWaiting);
        m_info.mailGoFlags &= 0xF0;
    }
    if (m_info.isMailGo() && m_record.pathDepth() == 0) m_mailUnsent = true;
    const int index = added->index;
    m_nav.showEndOf(moveNumber);
    applyMoveToPosition(s, *added);
    // The new node keeps what its move captured and the mover's prisoners after it.
    if (added->isMove() && added->hasPoint() && m_position.onBoard(x, y)) {
        RecordNode& stored = s.node(index);
        stored.data1 = static_cast<std::uint8_t>(std::min<int>(m_position.at(x, y).captured, 255));
        stored.data2 = static_cast<std::uint8_t>(std::min(m_position.prisoners(colourOfMove(moveNumber)), 255));
    }
    if (m_refusalShown) {
        if (m_env.ui) m_env.ui->setStatusText(u"");
        m_refusalShown = false;
    }
    if (x >= 0 && y >= 0 && x < kNoPoint && y < kNoPoint) m_timer.startFade(x, y, colourOfMove(moveNumber));
    selectNode(&s, index);
    edited();
    return true;
}

void CIgoBoard::applyMoveToPosition(const RecordSequence& s, const RecordNode& node) {
    const std::optional<RecordNode> previous = m_nav.lastMove();
    if (node.type == NodeType::Pass || !node.hasPoint()) {
        m_nav.setLastMove(nullptr);
    } else {
        playRecordedMove(m_position, m_record, s, node, rebuildOptions());
        m_nav.setLastMove(&node);
        drawPoint(node.x, node.y);
        const CaptureLog& log = m_position.captureLog();
        if (log.total() > log.size()) {
            redrawAll();
        } else {
            for (int i = 0; i < log.size(); ++i) erasePoint(log[i].x, log[i].y);
        }
    }
    updateLastMoveMark(previous);
    showMarks();
    showCounters();
}

void CIgoBoard::updateLastMoveMark(const std::optional<RecordNode>& previous) {
    if (previous && previous->hasPoint() && m_position.onBoard(previous->x, previous->y)) {
        const BoardPoint& p = m_position.at(previous->x, previous->y);
        if (p.hasStone() && p.moveNumber == static_cast<std::uint16_t>(previous->moveNumber)) {
            m_position.hideLastMoveMark(previous->x, previous->y);
            drawPoint(previous->x, previous->y);
        }
    }
    const std::optional<RecordNode>& last = m_nav.lastMove();
    if (last && m_options.lastMoveMark && last->hasPoint() && m_position.onBoard(last->x, last->y)) {
        m_position.showLastMoveMark(last->x, last->y, (last->flags & 3) != 0);
        drawPoint(last->x, last->y);
    }
}

void CIgoBoard::showMarks() {
    const int lines = m_position.size();
    std::array<PointMark, kPointCount> before;
    for (int x = 0; x < lines; ++x)
        for (int y = 0; y < lines; ++y) before[static_cast<std::size_t>(pointIndex(x, y))] = m_position.mark(x, y);
    showMarksOfMove(m_position, m_record, shownMove());
    for (int x = 0; x < lines; ++x)
        for (int y = 0; y < lines; ++y) {
            const PointMark& old = before[static_cast<std::size_t>(pointIndex(x, y))];
            const PointMark& now = m_position.mark(x, y);
            if (old.kind != now.kind || old.character != now.character || old.moveNumber != now.moveNumber)
                drawPoint(x, y);
        }
}

void CIgoBoard::showCounters() {
    if (!m_env.panels) return;
    const int last = m_nav.lastMove() ? m_nav.lastMove()->moveNumber : shownMove();
    m_env.panels->showMoveNumber(last + 1);
    m_env.panels->showPrisoners(m_position.prisoners(kWhite), m_position.prisoners(kBlack));
}

RebuildOptions CIgoBoard::rebuildOptions() const {
    RebuildOptions o;
    o.withNumbers = m_options.showNumbers || m_options.branchNumbersFromOne;
    o.branchNumbersFromOne = m_options.branchNumbersFromOne;
    o.commentMarks = m_options.commentMarks;
    o.lastMoveMark = m_options.lastMoveMark;
    return o;
}

bool CIgoBoard::rebuild() {
    m_position.setDiagramDisplay(m_options.diagramDisplay);
    const RebuildResult result = rebuildPosition(m_position, m_nav, m_record, rebuildOptions());
    redrawAll();
    showCounters();
    if (!result.complete)
        showMessage(kStrOccupiedInRebuild, u"", {result.occupiedMove, result.occupiedX + 1, result.occupiedY + 1});
    return result.complete;
}

// --- free handicap ------------------------------------------------------------------------------

void CIgoBoard::beginFreeHandicap() {
    if (refuseProtected()) return;
    m_freeHandicap = true;
    if (m_env.ui) m_env.ui->showFreeHandicapPanel(m_record.main().handicapCount());
}

void CIgoBoard::toggleFreeHandicapStone(int x, int y) {
    if (!m_freeHandicap || !m_position.onBoard(x, y)) return;
    RecordSequence& main = m_record.main();
    int found = -1;
    for (int i = 0; i < main.nodeCount(); ++i) {
        const RecordNode& n = main.node(i);
        if (n.type == NodeType::BlackMove && n.moveNumber == 1 && n.x == x && n.y == y) found = i;
    }
    if (found >= 0) {
        main.removeNode(found);
    } else {
        if (m_position.at(x, y).hasStone()) return;
        if (!main.appendNode(makeMoveNode(1, x, y))) return;
    }
    int stones = 0;
    for (const RecordNode& n : main.nodes()) stones += n.type == NodeType::BlackMove && n.moveNumber == 1;
    setHandicapCounts(stones);
    m_info.handicap = static_cast<std::int16_t>(stones >= 2 ? stones : 1);
    m_nav.setTotalMoves(0);
    if (found >= 0) {
        m_position.removeStone(x, y);
        erasePoint(x, y);
    } else {
        m_position.placeStartingStone(x, y, kBlack, 1);
        drawPoint(x, y);
    }
    ++m_changes;
    if (m_env.ui) m_env.ui->showFreeHandicapPanel(stones);
}

void CIgoBoard::endFreeHandicap() {
    if (!m_freeHandicap) return;
    m_freeHandicap = false;
    if (m_env.ui) m_env.ui->hideFreeHandicapPanel();
    // A single stone is black's first move; two or more are handicap stones at move 1.
    m_record.main().updateLastMoveNumber();
    m_nav.showEndOf(m_record.main().lastMoveNumber());
    rebuild();
    edited();
}

// --- setup stones -------------------------------------------------------------------------------

bool CIgoBoard::placeSetupStone(int x, int y, Colour colour) {
    if (refuseProtected()) return false;
    if (!m_position.onBoard(x, y) || m_position.at(x, y).hasStone()) return false;
    RecordSequence& main = m_record.main();
    bool beforeFirstMove = m_record.pathDepth() == 0;
    for (const RecordNode& n : main.nodes())
        if (n.isMoveOrPass() && !(n.type == NodeType::BlackMove && n.moveNumber == 1 && main.handicapCount() >= 1))
            beforeFirstMove = false;
    if (beforeFirstMove) {
        if (colour != kBlack) {
            if (m_env.ui) m_env.ui->showMessage(uiText(kWhiteSetupBeforeFirstMove), uiText(kSetupStoneTitle));
            return false;
        }
        // A black stone before the first move is one more handicap stone.
        if (!main.appendNode(makeMoveNode(1, x, y))) return false;
        const int stones = main.handicapCount() + 1;
        setHandicapCounts(stones);
        m_info.handicap = static_cast<std::int16_t>(stones);
        m_nav.showEndOf(1);
    } else {
        const int at = totalMoves() < 2 ? 1 : shownMove();
        RecordNode n;
        n.type = colour == kBlack ? NodeType::BlackSetup : NodeType::WhiteSetup;
        n.moveNumber = static_cast<std::int16_t>(at);
        n.x = static_cast<std::uint8_t>(x);
        n.y = static_cast<std::uint8_t>(y);
        RecordSequence* s = m_record.sequenceForMove(at);
        if (!s->insertNode(at, n)) return false;
    }
    rebuild();
    edited();
    return true;
}

bool CIgoBoard::removeSetupStone(int x, int y) {
    if (refuseProtected()) return false;
    for (int level = m_record.pathDepth(); level >= 0; --level) {
        RecordSequence* s = m_record.pathSequence(level);
        for (int i = s->nodeCount() - 1; i >= 0; --i) {
            const RecordNode& n = s->node(i);
            if (!n.isSetup() || n.x != x || n.y != y) continue;
            s->removeNode(i);
            erasePoint(x, y);
            rebuild();
            edited();
            return true;
        }
    }
    return false;
}

void CIgoBoard::beginInitialPositionEdit() {
    if (refuseProtected()) return;
    m_initialEdit = true;
}

void CIgoBoard::endInitialPositionEdit() {
    m_initialEdit = false;
    rebuild();
}

void CIgoBoard::toggleInitialStone(int x, int y, Colour colour) {
    if (!m_position.onBoard(x, y)) return;
    RecordSequence& main = m_record.main();
    for (int i = 0; i < main.leadingSetupCount() && i < main.nodeCount(); ++i) {
        const RecordNode& n = main.node(i);
        if (n.isSetup() && n.x == x && n.y == y) {
            main.removeNode(i);
            m_info.flags |= kInfoExtendedHeader;
            erasePoint(x, y);
            rebuild();
            edited();
            return;
        }
    }
    if (m_position.at(x, y).hasStone()) return;
    RecordNode n;
    n.type = colour == kBlack ? NodeType::BlackSetup : NodeType::WhiteSetup;
    n.moveNumber = 0;
    n.x = static_cast<std::uint8_t>(x);
    n.y = static_cast<std::uint8_t>(y);
    if (!main.insertNode(0, n)) return;
    main.setLeadingSetupCount(main.leadingSetupCount() + 1);
    m_info.flags |= kInfoExtendedHeader;
    rebuild();
    edited();
}

} // namespace stonewise
