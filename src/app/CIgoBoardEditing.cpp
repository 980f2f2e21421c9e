// Edits of the record from the board window: passes, undo, clearing, branches, comments, marks,
// point and time corrections.
#include "app/CIgoBoard.h"
#include "record/StringTable.h"

#include "app/RecordCorrection.h"
#include "board/HandicapTable.h"

namespace stonewise {

namespace {

constexpr int kUndoTitle = 20402;
constexpr int kUndoMailQuestion = 20403;
constexpr int kClearTitle = 20404;
constexpr int kClearQuestion = 20405;
constexpr int kClearHandicapQuestion = 20406;
constexpr int kDeleteBranchTitle = 20407;
constexpr int kDeleteBranchQuestion = 20408;

// Dialog text with plain line breaks, as the record keeps it (CR LF).
std::u16string toRecordLineBreaks(std::u16string_view text) {
    std::u16string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == u'\n' && (i == 0 || text[i - 1] != u'\r')) out += u'\r';
        out += text[i];
    }
    return out;
}

// The comment a dialog gives for a node, with the answer tag in front when a kind was chosen.
std::u16string taggedComment(std::u16string_view text, AnswerKind kind, bool englishTags) {
    std::u16string out(answerTag(kind, englishTags));
    out += toRecordLineBreaks(text);
    return out;
}

// Appends the nodes of `source` from move `fromMove` on (links left out) to `target`, each with its
// comment; stops at the target's limits.
void copyNodesFrom(const RecordSequence& source, int fromMove, RecordSequence& target) {
    for (const RecordNode& n : source.nodes()) {
        if (n.moveNumber < fromMove || n.isLink()) continue;
        RecordNode copy = n;
        copy.comment = -1;
        copy.listItem = 0;
        if (n.comment >= 0) {
            const int text = target.comments().add(source.commentOf(n), n.moveNumber, Backslashes::Keep);
            copy.comment = static_cast<std::int16_t>(text);
        }
        if (!target.appendNode(copy)) break;
    }
}

bool isFirstMoveOfChild(const RecordSequence& s, int index) {
    if (s.depth() == 0) return false;
    for (int i = 0; i < s.nodeCount(); ++i)
        if (s.node(i).isMoveOrPass()) return i == index;
    return false;
}

} // namespace

bool CIgoBoard::insertLink(RecordSequence& parent, RecordSequence& child, int moveNumber, AnswerKind kind) {
    RecordNode link;
    link.type = NodeType::Link;
    link.moveNumber = static_cast<std::int16_t>(moveNumber);
    link.childSlot = static_cast<std::uint8_t>(child.slot());
    link.data1 = kind;
    link.flags = child.kind();
    const int branch = parent.nextFreeBranchNumber();
    link.branchNumber = static_cast<std::uint8_t>(branch > 0 ? branch : 0);
    return parent.insertNode(moveNumber, link) != nullptr;
}

// --- branches -----------------------------------------------------------------------------------

bool CIgoBoard::makeBranch(int x, int y, const BranchDialogResult& choice) {
    const int shown = shownMove();
    const bool reference = choice.choice == BranchDialogResult::Choice::Reference;
    const bool passFirst = choice.choice == BranchDialogResult::Choice::PassBranch;
    const int first = reference ? shown : shown + 1;
    if (reference && shown < 1) return false;
    // A reference replaces the displayed move: test the new stone on the position before it.
    if (reference) {
        m_nav.show(shown - 1);
        rebuild();
        const MoveRefusal refusal = m_position.refusal(x, y, first);
        if (refusal != MoveRefusal::None) {
            refuseMove(refusal);
            m_nav.show(shown);
            rebuild();
            return false;
        }
    }
    RecordSequence* parent = m_record.sequenceForMove(shown);
    RecordSequence* child = parent->createChild(parent->depth() + 1, first, reference ? kReference : kBranch);
    if (!child || !insertLink(*parent, *child, shown, choice.kind)) {
        if (child) parent->destroyChild(child->slot());
        if (m_env.ui) m_env.ui->beep();
        if (reference) showMove(shown);
        return false;
    }
    child->setHandicapCount(m_record.main().handicapCount());
    child->setNumberOffset(m_record.main().numberOffset());
    enterPath(child);
    m_nav.showEnd();
    bool played = false;
    if (passFirst) {
        played = appendMoveAtEnd(kNoPoint, kNoPoint, first);
        // The clicked point follows the pass when it is a legal move there.
        if (played && m_position.onBoard(x, y) && m_position.legal(x, y, first + 1)) appendMoveAtEnd(x, y, first + 1);
    } else {
        played = appendMoveAtEnd(x, y, first);
    }
    if (!played) {
        const int link = parent->findLink(child);
        if (link >= 0) parent->removeNode(link);
        enterPath(parent);
        showMove(shown);
        return false;
    }
    if (!choice.comment.empty() || choice.kind != kNoAnswer) {
        const std::u16string comment =
            taggedComment(choice.comment.substr(0, 1023), choice.kind, m_options.englishTags);
        child->setComment(0, comment, Backslashes::Keep);
    }
    renumberTree();
    rebuild();
    edited();
    return true;
}

bool CIgoBoard::playAsNewBranch(int x, int y, bool onlyBranch, bool onlyReference) {
    if (refuseProtected()) return false;
    if ((onlyBranch || onlyReference) && !atEnd()) showMove(totalMoves());
    if (clickRefused(x, y) || m_position.at(x, y).hasStone()) return false;
    BranchDialogRequest request;
    request.onlyBranch = onlyBranch;
    request.onlyReference = onlyReference;
    request.enterGivesReference = m_options.branchEnterGivesReference;
    request.englishTags = m_options.englishTags;
    BranchDialogResult choice;
    choice.choice = onlyReference ? BranchDialogResult::Choice::Reference : BranchDialogResult::Choice::Branch;
    if (m_env.ui) {
        choice = m_env.ui->askNewBranch(request);
        m_options.branchEnterGivesReference = choice.enterGivesReference;
    }
    if (choice.choice == BranchDialogResult::Choice::Cancel) return false;
    if (choice.choice != BranchDialogResult::Choice::Reference) {
        const MoveRefusal refusal = m_position.refusal(x, y, shownMove() + 1);
        if (refusal == MoveRefusal::Suicide || refusal == MoveRefusal::Ko) {
            refuseMove(refusal);
            return false;
        }
    }
    return makeBranch(x, y, choice);
}

bool CIgoBoard::deleteBranch() {
    if (refuseProtected()) return false;
    if (m_record.pathDepth() < 1) return false;
    if (m_env.ui && !m_env.ui->ask(uiText(kDeleteBranchQuestion), uiText(kDeleteBranchTitle))) return false;
    RecordSequence* branch = m_record.pathTop();
    RecordSequence* parent = branch->parent();
    const int link = parent->findLink(branch);
    const int at = link >= 0 ? parent->node(link).moveNumber : branch->firstMoveNumber() - 1;
    if (link >= 0) parent->removeNode(link);
    else parent->destroyChild(branch->slot());
    enterPath(parent);
    renumberTree();
    showMove(std::max(0, at));
    edited();
    return true;
}

bool CIgoBoard::copyToNewBranch(int fromMove) {
    if (refuseProtected()) return false;
    const int from = fromMove < 0 ? shownMove() : fromMove;
    RecordSequence* source = m_record.sequenceForMove(from);
    if (from < 2 || from > source->lastMoveNumber()) return false;
    BranchDialogResult choice;
    choice.choice = BranchDialogResult::Choice::Branch;
    if (m_env.ui) {
        BranchDialogRequest request;
        request.enterGivesReference = m_options.branchEnterGivesReference;
        request.englishTags = m_options.englishTags;
        choice = m_env.ui->askNewBranch(request);
        m_options.branchEnterGivesReference = choice.enterGivesReference;
    }
    if (choice.choice == BranchDialogResult::Choice::Cancel) return false;
    const bool reference = choice.choice == BranchDialogResult::Choice::Reference;
    // The copy holds moves from..last; as a branch it hangs after the move before, as a reference
    // it is another choice for move `from` itself.
    RecordSequence* child = source->createChild(source->depth() + 1, from, reference ? kReference : kBranch);
    if (!child) {
        if (m_env.ui) m_env.ui->beep();
        return false;
    }
    copyNodesFrom(*source, from, *child);
    if (!choice.comment.empty() || choice.kind != kNoAnswer)
        child->setComment(0, taggedComment(choice.comment.substr(0, 1023), choice.kind, m_options.englishTags),
                          Backslashes::Keep);
    if (!insertLink(*source, *child, reference ? from : from - 1, choice.kind)) {
        source->destroyChild(child->slot());
        if (m_env.ui) m_env.ui->beep();
        return false;
    }
    renumberTree();
    rebuild();
    edited();
    return true;
}

bool CIgoBoard::addStudySequenceAsBranch(const RecordSequence& study) {
    if (refuseProtected()) return false;
    RecordSequence& main = m_record.main();
    if (main.lastMoveNumber() < 1) {
        loadGame(study.clone(), m_info);
        ++m_changes;
        return true;
    }
    int common = 0;
    for (int n = 1; n <= std::min(main.lastMoveNumber(), study.lastMoveNumber()); ++n) {
        const RecordNode* a = main.findNode(n);
        const RecordNode* b = study.findNode(n);
        if (!a || !b || a->type != b->type || a->x != b->x || a->y != b->y) break;
        common = n;
    }
    if (common < 2 || common >= study.lastMoveNumber()) {
        if (m_env.ui) m_env.ui->beep();
        return false;
    }
    RecordSequence* child = main.createChild(1, common + 1, kBranch);
    if (!child) {
        if (m_env.ui) m_env.ui->beep();
        return false;
    }
    copyNodesFrom(study, common + 1, *child);
    if (!insertLink(main, *child, common, kNoAnswer)) {
        main.destroyChild(child->slot());
        return false;
    }
    main.mergeBranch(child);
    renumberTree();
    rebuild();
    edited();
    return true;
}

// --- passes, undo, clear ------------------------------------------------------------------------

bool CIgoBoard::pass() {
    if (m_busy) {
        stopBusy();
        return false;
    }
    if (refuseProtected()) return false;
    if (m_viewOnly && !m_editing) return false;
    if (atEnd()) return appendMoveAtEnd(kNoPoint, kNoPoint, totalMoves() + 1);
    BranchDialogResult choice;
    choice.choice = BranchDialogResult::Choice::PassBranch;
    if (m_env.ui && !m_options.skipBranchDialog) {
        BranchDialogRequest request;
        request.onlyBranch = true;
        request.enterGivesReference = m_options.branchEnterGivesReference;
        request.englishTags = m_options.englishTags;
        const BranchDialogResult asked = m_env.ui->askNewBranch(request);
        if (asked.choice == BranchDialogResult::Choice::Cancel) return false;
        choice.comment = asked.comment;
        choice.kind = asked.kind;
    }
    return makeBranch(-1, -1, choice);
}

bool CIgoBoard::undo() {
    if (m_busy) {
        stopBusy();
        return false;
    }
    if (refuseProtected()) return false;
    RecordSequence& s = *m_record.pathTop();
    int last = -1;
    for (int i = s.nodeCount() - 1; i >= 0; --i)
        if (s.node(i).isMoveOrPass()) {
            last = i;
            break;
        }
    // Handicap stones are not moves to take back.
    const bool onlyHandicap = last >= 0 && s.depth() == 0 && s.node(last).moveNumber == 1 && s.handicapCount() >= 2;
    if (last < 0 || onlyHandicap || totalMoves() < 1) return false;
    const int initial = initialDisplayMove();
    if (initial > 0 && totalMoves() <= initial) return false;

    const RecordNode gone = s.node(last);
    if (m_info.isMailGo() && s.depth() == 0 && gone.moveNumber <= m_info.lastExchangedMove) {
        if (!m_undoConfirmed) {
            if (!m_env.ui || !m_env.ui->ask(uiText(kUndoMailQuestion), uiText(kUndoTitle))) return false;
            m_undoConfirmed = true;
        }
        if (gone.moveNumber <= m_info.ownMoveMark)
            m_info.ownMoveMark = static_cast<std::int16_t>(m_info.ownMoveMark - 2);
    }
    // A stone that captured nothing, with no setup stone after it, simply comes off the board.
    bool direct = atEnd() && gone.isMove() && gone.hasPoint();
    for (int i = last + 1; i < s.nodeCount(); ++i) direct &= !s.node(i).isSetup();
    if (m_selection.sequence == &s && m_selection.index >= last) m_selection = {};
    s.truncate();
    m_nav.showEndOf(s.lastMoveNumber());

    if (s.depth() > 0 && s.nodeCount() == 0) {
        // The branch lost its only move: it goes, and the parent is shown at the link's move.
        RecordSequence* parent = s.parent();
        const int link = parent->findLink(&s);
        const int at = link >= 0 ? parent->node(link).moveNumber : s.firstMoveNumber() - 1;
        if (link >= 0) parent->removeNode(link);
        else parent->destroyChild(s.slot());
        enterPath(parent);
        renumberTree();
        const RecordNode* near = m_record.lastMoveAtOrBefore(at);
        showMove(near ? std::min(static_cast<int>(near->moveNumber), totalMoves()) : 0);
        if (shownMove() >= totalMoves()) m_nav.showEnd();
        edited();
        return true;
    }
    if (direct && m_position.takeBack(gone.x, gone.y, gone.moveNumber)) {
        erasePoint(gone.x, gone.y);
        const RecordNode* now = m_record.lastMoveAtOrBefore(totalMoves());
        const RecordNode* lastNode = m_record.nodeAtMove(totalMoves());
        m_nav.setLastMove(lastNode && lastNode->isMove() ? now : nullptr);
        updateLastMoveMark(std::nullopt);
        showMarks();
        showCounters();
    } else {
        rebuild();
    }
    edited();
    return true;
}

bool CIgoBoard::clearRecord() {
    if (refuseProtected()) return false;
    if (m_env.ui && !m_env.ui->ask(uiText(kClearQuestion), uiText(kClearTitle))) return false;
    RecordSequence& main = m_record.main();
    const bool thirteen = m_position.size() == 13;
    const int stones = main.handicapCount();
    std::vector<std::pair<int, int>> kept;
    if (stones > 1 && stones == m_info.handicap && !matchesHandicapTable(main, stones, thirteen) && m_env.ui &&
        !m_env.ui->ask(uiText(kClearHandicapQuestion), uiText(kClearTitle))) {
        for (const RecordNode& n : main.nodes())
            if (n.type == NodeType::BlackMove && n.moveNumber == 1 && static_cast<int>(kept.size()) < stones)
                kept.emplace_back(n.x, n.y);
    }
    enterPath(&main);
    main.clear();
    m_selection = {};
    m_insertStonesLeft = 0;
    setHandicapCounts(0);
    if (!kept.empty()) {
        for (const auto& [x, y] : kept) main.appendNode(makeMoveNode(1, x, y));
        setHandicapCounts(static_cast<int>(kept.size()));
        m_nav.setTotalMoves(1);
    } else if (m_info.handicap >= 2) {
        if (m_info.handicap > 9) m_info.handicap = 9;
        placeHandicapStones(m_info.handicap);
    } else {
        m_nav.setTotalMoves(0);
    }
    m_nav.showEnd();
    rebuild();
    edited();
    return true;
}

bool CIgoBoard::restoreStoredRecord() {
    if (!m_stored) return false;
    if (m_env.ui && !m_env.ui->ask(text(kStrRestoreQuestion), text(kStrRestoreTitle))) return false;
    auto copy = m_stored->clone();
    const GameInfo info = m_storedInfo;
    loadGame(std::move(copy), info);
    return true;
}

// --- comments, marks, corrections ---------------------------------------------------------------

bool CIgoBoard::editComment() {
    if (refuseProtected()) return false;
    NodeRef target = m_selection;
    if (!target.valid() || !target.node()->isMoveOrPass()) {
        const RecordNode* n = m_record.nodeAtMove(shownMove());
        if (!n) return false;
        target = {m_record.currentSequence(), n->index};
    }
    RecordSequence& s = *target.sequence;
    const RecordNode& node = *target.node();
    CommentDialogRequest request;
    request.moveLabel = moveLabel(node);
    const std::u16string_view current = s.commentOf(node);
    request.offerKinds = isFirstMoveOfChild(s, target.index);
    request.kind = request.offerKinds ? s.answerKind() : kNoAnswer;
    request.text = std::u16string(request.offerKinds ? withoutAnswerTag(current) : current);
    if (!m_env.ui) return false;
    const CommentDialogResult result = m_env.ui->editComment(request);
    if (!result.accepted) return false;
    const AnswerKind kind = request.offerKinds ? result.kind : kNoAnswer;
    if (!s.setComment(target.index, taggedComment(result.text, kind, m_options.englishTags), Backslashes::Keep)) {
        if (m_env.ui) m_env.ui->beep();
        return false;
    }
    renumberTree();
    rebuild();
    edited();
    return true;
}

bool CIgoBoard::setMarkAt(int x, int y) {
    if (refuseProtected() || !m_position.onBoard(x, y)) return false;
    const int shown = shownMove();
    RecordSequence* s = m_record.sequenceForMove(shown);
    int existing = -1;
    for (int i = 0; i < s->nodeCount(); ++i) {
        const RecordNode& n = s->node(i);
        if (n.isMark() && n.moveNumber == shown && n.x == x && n.y == y) existing = i;
    }
    return editMark(*s, shown, x, y, existing);
}

bool CIgoBoard::editSelectedMark() {
    if (refuseProtected()) return false;
    const RecordNode* n = m_selection.node();
    if (!n || !n->isMark()) return false;
    return editMark(*m_selection.sequence, n->moveNumber, n->x, n->y, m_selection.index);
}

bool CIgoBoard::editMark(RecordSequence& s, int moveNumber, int x, int y, int existing) {
    if (!m_env.ui) return false;
    MarkDialogRequest request;
    const auto [column, row] = pointLabels(x, y);
    request.pointLabel = formatText(u"%s, %s", {column, row});
    if (existing >= 0) {
        const RecordNode& n = s.node(existing);
        request.kind = n.markKind();
        if (n.isLabel()) request.labelText = std::u16string(s.commentOf(n));
        else request.letter = n.data2;
    }
    const MarkDialogResult result = m_env.ui->editMark(request);
    if (!result.accepted || result.kind == 0) return false;
    const bool label = result.kind == kMarkLabel || result.kind == kMarkSmallLabel;
    if (label && result.labelText.empty()) return false;
    RecordNode mark;
    mark.type = NodeType::Mark;
    mark.moveNumber = static_cast<std::int16_t>(moveNumber);
    mark.x = static_cast<std::uint8_t>(x);
    mark.y = static_cast<std::uint8_t>(y);
    mark.data1 = static_cast<std::uint8_t>(result.kind);
    if (label) {
        const int text = s.comments().add(std::u16string_view(result.labelText).substr(0, kMaxLabelLength), moveNumber,
                                          Backslashes::Keep);
        if (text < 0) {
            m_env.ui->beep();
            return false;
        }
        mark.comment = static_cast<std::int16_t>(text);
    } else {
        mark.data2 = static_cast<std::uint8_t>(result.letter);
    }
    // The new mark takes the place of the one it edits.
    if (existing >= 0) {
        s.removeNode(existing);
        if (m_selection.sequence == &s && m_selection.index == existing) m_selection = {};
    }
    if (!s.insertNode(moveNumber, mark)) {
        m_env.ui->beep();
        return false;
    }
    rebuild();
    edited();
    return true;
}

bool CIgoBoard::deleteSelectedMark() {
    if (refuseProtected()) return false;
    RecordNode* n = m_selection.node();
    if (!n || !n->isMark()) return false;
    m_selection.sequence->removeNode(m_selection.index);
    m_selection = {};
    rebuild();
    edited();
    return true;
}

bool CIgoBoard::correctPoint(int x, int y) {
    if (refuseProtected() || !m_position.onBoard(x, y)) return false;
    const Colour there = m_position.colourAt(x, y);
    RecordNode* mark = m_selection.node();
    const bool markSelected = mark && mark->isMark();
    if (there == kWhite || (there == kBlack && !markSelected)) return false;
    RecordNode* target = markSelected ? mark : nullptr;
    if (!target) {
        const RecordNode* shown = m_record.nodeAtMove(shownMove());
        if (!shown || !shown->isMove()) return false;
        target = &m_record.currentSequence()->node(shown->index);
    }
    target->x = static_cast<std::uint8_t>(x);
    target->y = static_cast<std::uint8_t>(y);
    if (target->isLabel()) m_selection.sequence->registerLabel(*target);
    rebuild();
    edited();
    return true;
}

bool CIgoBoard::editElapsed() {
    if (refuseProtected() || !m_env.ui) return false;
    RecordNode* n = m_selection.node();
    if (!n || !n->isMoveOrPass()) return false;
    ElapsedDialogRequest request;
    request.moveLabel = moveLabel(*n);
    request.seconds = n->elapsedSeconds();
    const ElapsedDialogResult result = m_env.ui->editElapsed(request);
    if (!result.accepted) return false;
    n->elapsed = encodeMeasuredElapsed(result.seconds);
    edited();
    return true;
}

// --- "2手挿入" ------------------------------------------------------------------------------------

bool CIgoBoard::insertStone(int x, int y) {
    if (m_insertStonesLeft <= 0 || refuseProtected() || !m_position.onBoard(x, y)) return false;
    if (m_position.at(x, y).hasStone()) return false;
    const int at = shownMove();
    RecordSequence* s = m_record.sequenceForMove(at + 1 <= totalMoves() ? at + 1 : at);
    RecordNode n = makeMoveNode(at + 1, x, y);
    if (!s->insertNode(at, n, true)) {
        if (m_env.ui) m_env.ui->beep();
        return false;
    }
    // Later sequences on the path follow the renumbered moves.
    m_nav.setTotalMoves(m_record.pathTop()->lastMoveNumber());
    m_nav.show(at + 1);
    --m_insertStonesLeft;
    if (m_insertStonesLeft > 0 && m_env.ui)
        m_env.ui->setStatusText(
            formatText(uiText(20414), {text(colourOfMove(at + 2) == kBlack ? kStrBlack : kStrWhite)}));
    else if (m_env.ui) m_env.ui->setStatusText(u"");
    rebuild();
    edited();
    return true;
}

} // namespace stonewise
