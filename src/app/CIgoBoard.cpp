#include "app/CIgoBoard.h"
#include "record/StringTable.h"

#include <ctime>

#include "app/Clock.h"
#include "board/HandicapTable.h"
#include "board/MoveLegalityProbe.h"
#include "record/GameInfoText.h"

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
        else
            m_env.ui->showMessage(formatText(u"No string found for Code(%d).", {id}), u"Load String");
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
    return inPlayStatusText(last->moveNumber, main.numberOffset(), column, row, pass, MailGoState::None);
}

std::u16string CIgoBoard::moveLabel(const RecordNode& move) const {
    const std::u16string colour = text(colourOfMove(move.moveNumber) == kBlack ? kStrBlack : kStrWhite);
    return formatText(text(kStrMoveLabel), {colour, move.moveNumber + m_record.main().numberOffset()});
}

// --- the game -----------------------------------------------------------------------------------

void CIgoBoard::newGame(const GameInfo& info) {
    m_info = info;
    m_record.reset();
    m_selection = {};
    m_freeHandicap = false;
    m_initialEdit = false;
    m_insertStonesLeft = 0;
    m_undoConfirmed = false;
    m_position.setSize(info.boardSize());
    m_position.totalMoves = 0;
    m_position.displayedMove = -1;
    setHandicapCounts(0);
    if (info.handicap >= 2 && info.handicap <= 9) placeHandicapStones(info.handicap);
    m_changes = 0;
    markStored();
    rebuild();
    if (m_env.panels) m_env.panels->recordChanged();
}

void CIgoBoard::loadGame(std::unique_ptr<RecordSequence> main, const GameInfo& info) {
    m_info = info;
    m_record.adopt(std::move(main));
    m_selection = {};
    m_freeHandicap = false;
    m_initialEdit = false;
    m_insertStonesLeft = 0;
    m_undoConfirmed = false;
    m_position.setSize(info.boardSize());
    const int handicap = m_record.main().handicapCount();
    m_position.handicapCount = handicap;
    m_record.main().setNumberOffset(handicap >= 2 ? -1 : 0);
    m_record.main().updateLastMoveNumber();
    renumberTree();
    m_position.totalMoves = m_record.main().lastMoveNumber();
    const int initial = initialDisplayMove();
    m_position.displayedMove = initial > 0 && initial < m_position.totalMoves ? initial : -1;
    m_changes = 0;
    markStored();
    rebuild();
    if (m_env.panels) m_env.panels->recordChanged();
}

void CIgoBoard::markStored() {
    m_stored = m_record.copyMain();
    m_storedInfo = m_info;
}

int CIgoBoard::initialDisplayMove() const {
    if ((m_info.displayFlags & kDisplayInitialMoveValid) == 0) return 0;
    return m_info.ownMoveMark;
}

void CIgoBoard::setHandicapCounts(int count) {
    m_position.handicapCount = count;
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
    m_position.totalMoves = placed >= 2 ? 1 : m_record.main().lastMoveNumber();
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
    switch (testMove(m_position, x, y, moveNumber)) {
    case MoveRefusal::Suicide:
        if (m_env.ui) m_env.ui->boardMessage(text(kStrIllegalMove));
        return false;
    case MoveRefusal::Ko:
        if (m_env.ui) m_env.ui->boardMessage(text(kStrIllegalKo));
        return false;
    case MoveRefusal::Occupied: return false;
    case MoveRefusal::None: break;
    }
    if (!takeMove(x, y, moveNumber)) return false;
    if (m_flash.modeOn()) m_flash.start();
    return true;
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
    return encodeElapsed(static_cast<long>(m_env.clock->secondsSinceEpoch() - since));
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
    const int index = added->index;
    m_position.totalMoves = moveNumber;
    m_position.displayedMove = -1;
    applyMoveToPosition(s, index);
    if (x >= 0 && y >= 0 && x < kNoPoint && y < kNoPoint) m_timer.startFade(x, y, colourOfMove(moveNumber));
    selectNode(&s, index);
    edited();
    return true;
}

void CIgoBoard::applyMoveToPosition(RecordSequence& s, int nodeIndex) {
    RecordNode& node = s.node(nodeIndex);
    const std::optional<RecordNode> previous = m_position.lastMove;
    if (node.type == NodeType::Pass || !node.hasPoint()) {
        m_position.lastMove.reset();
        updateLastMoveMark(previous);
        showCounters();
        return;
    }
    const int x = node.x;
    const int y = node.y;
    const int n = node.moveNumber;
    BoardPoint& p = m_position.at(x, y);
    p.depth = static_cast<std::uint8_t>(s.depth());
    p.displayNumber = static_cast<std::uint16_t>(displayNumberFor(node, s, *m_record.pathTop(), rebuildOptions()));
    p.markFlags = 0;
    const int captured = m_position.placeAndCapture(x, y, node.stoneColour(), n);
    node.data1 = static_cast<std::uint8_t>(std::min(captured, 255));
    const Colour mover = colourOfMove(n);
    m_position.addPrisoners(mover, captured);
    if (captured == 1) m_position.keepKo();
    node.data2 = static_cast<std::uint8_t>(std::min(m_position.prisoners(mover), 255));
    m_position.setFirstMoveAt(x, y, n);
    if (node.comment >= 0 && m_options.commentMarks) p.markFlags |= kMarkFlagComment;
    m_position.lastMove = node;
    drawPoint(x, y);
    const CaptureLog& log = m_position.captureLog();
    if (log.total() > log.size()) {
        redrawAll();
    } else {
        for (int i = 0; i < log.size(); ++i) erasePoint(log[i].x, log[i].y);
    }
    updateLastMoveMark(previous);
    showCounters();
}

void CIgoBoard::updateLastMoveMark(const std::optional<RecordNode>& previous) {
    auto plainFlags = [&](const RecordNode& n) {
        std::uint8_t f = 0;
        if (n.comment >= 0 && m_options.commentMarks) f |= kMarkFlagComment;
        return f;
    };
    if (previous && previous->hasPoint() && m_position.onBoard(previous->x, previous->y)) {
        BoardPoint& p = m_position.at(previous->x, previous->y);
        if (p.hasStone() && p.moveNumber == static_cast<std::uint16_t>(previous->moveNumber)) {
            p.markFlags = plainFlags(*previous);
            drawPoint(previous->x, previous->y);
        }
    }
    const std::optional<RecordNode>& last = m_position.lastMove;
    if (last && m_options.lastMoveMark && last->hasPoint()) {
        BoardPoint& p = m_position.at(last->x, last->y);
        p.markFlags = plainFlags(*last) | ((last->flags & 3) ? kMarkFlagLastMoveBranches : kMarkFlagLastMove);
        drawPoint(last->x, last->y);
    }
}

void CIgoBoard::showCounters() {
    if (!m_env.panels) return;
    const int last = m_position.lastMove ? m_position.lastMove->moveNumber : shownMove();
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
    m_position.handicapCount = m_record.main().handicapCount();
    m_position.setDiagramDisplay(m_options.diagramDisplay);
    const RebuildResult result = rebuildPosition(m_position, m_record, rebuildOptions());
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
    m_position.totalMoves = 0;
    BoardPoint& p = m_position.at(x, y);
    p.colour = found >= 0 ? kEmpty : kBlack;
    p.moveNumber = found >= 0 ? 0 : 1;
    p.displayNumber = kNoDisplayNumber;
    if (found >= 0) erasePoint(x, y);
    else drawPoint(x, y);
    ++m_changes;
    if (m_env.ui) m_env.ui->showFreeHandicapPanel(stones);
}

void CIgoBoard::endFreeHandicap() {
    if (!m_freeHandicap) return;
    m_freeHandicap = false;
    if (m_env.ui) m_env.ui->hideFreeHandicapPanel();
    // A single stone is black's first move; two or more are handicap stones at move 1.
    m_record.main().updateLastMoveNumber();
    m_position.totalMoves = m_record.main().lastMoveNumber();
    m_position.displayedMove = -1;
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
        m_position.totalMoves = 1;
        m_position.displayedMove = -1;
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
