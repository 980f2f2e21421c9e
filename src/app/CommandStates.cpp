#include "app/CommandStates.h"

#include "app/CIgoBoard.h"
#include "app/CommandIds.h"
#include "app/FunctionModes.h"

namespace stonewise {

namespace {

struct Seed {
    int command;
    std::uint16_t places;
};

// The commands whose state is kept, with where they appear. 32797 appears twice in the table the
// program has always carried (menu and bar); both entries follow the same rule.
constexpr std::array<Seed, CommandStates::kCount> kSeeds{{
    {32772, kInMainMenu | kOnMainBar},
    {32966, kInMainMenu},
    {32878, kInMainMenu | kOnMainBar},
    {32887, kInMainMenu},
    {32797, kInMainMenu},
    {32891, kInMainMenu},
    {32978, kInMainMenu},
    {32979, kInMainMenu},
    {32982, kInMainMenu},
    {1003, kInMainMenu},
    {1006, kInMainMenu},
    {1004, kInMainMenu},
    {1005, kInMainMenu},
    {32826, kInMainMenu},
    {32791, kInMainMenu},
    {32838, kInMainMenu | kOnMainBar},
    {32776, kInMainMenu},
    {32867, kInMainMenu},
    {32789, kInMainMenu | kOnSecondaryBar},
    {32871, kInMainMenu | kOnSecondaryBar},
    {32903, kInMainMenu | kOnMainBar},
    {32777, kInMainMenu | kOnSecondaryBar},
    {32875, kInMainMenu | kOnSecondaryBar},
    {32785, kInMainMenu | kOnSecondaryBar},
    {32862, kInMainMenu},
    {32864, kInMainMenu},
    {32783, kInMainMenu | kOnSecondaryBar},
    {32784, kInMainMenu | kOnSecondaryBar},
    {32882, kInMainMenu},
    {32787, kInMainMenu},
    {32842, kInMainMenu | kOnSecondaryBar},
    {32786, kInMainMenu | kOnSecondaryBar},
    {32793, kInMainMenu | kOnPanelButton | kOnSecondaryBar},
    {32816, kInMainMenu},
    {32817, kInMainMenu},
    {32832, kInMainMenu},
    {32834, kInMainMenu},
    {32964, kInMainMenu},
    {32805, kInMainMenu | kOnMainBar},
    {32807, kInMainMenu | kOnMainBar},
    {32846, kInMainMenu},
    {32808, kInMainMenu},
    {32809, kInMainMenu},
    {32968, kInMainMenu},
    {32900, kInMainMenu | kOnMainBar},
    {32901, kInMainMenu | kOnMainBar},
    {32902, kInMainMenu | kOnMainBar},
    {32926, kInMainMenu | kOnMainBar},
    {32890, kInMainMenu | kOnMainBar},
    {32919, kInMainMenu},
    {32818, kInMainMenu},
    {32819, kInMainMenu},
    {32788, kInMainMenu | kOnSecondaryBar},
    {32790, kInMainMenu | kOnSecondaryBar},
    {32823, kInMainMenu},
    {32797, kOnMainBar},
    {32803, kInMainMenu | kOnSecondaryBar},
    {32835, kInMainMenu | kOnMainBar},
    {32909, kInMainMenu},
    {32963, kInMainMenu | kOnMainBar},
    {kCmdReturnFromFinished, kInMainMenu},
}};

bool isBookCommand(int c) {
    return c == 32891 || c == 32978 || c == 32979 || c == 32982 || c == 1003 || c == 1004 || c == 1005 || c == 1006;
}

bool isMailGoCommand(int c) { return c == 32805 || c == 32807 || c == 32846 || c == 32808 || c == 32809 || c == 32968; }

} // namespace

CommandStates::CommandStates() {
    for (std::size_t i = 0; i < kSeeds.size(); ++i) m_entries[i] = {kSeeds[i].command, kSeeds[i].places, false, true};
}

int CommandStates::picture(const ButtonEntry& button) const {
    if (button.command != kCmdAnimate) return button.picture;
    switch (m_animation) {
    case AnimationState::Running: return kPictureAnimationRunning;
    case AnimationState::Paused: return kPictureAnimationPaused;
    case AnimationState::Idle: break;
    }
    return button.picture;
}

const CommandStates::Entry* CommandStates::find(int command) const {
    for (const Entry& e : m_entries)
        if (e.command == command) return &e;
    return nullptr;
}

bool CommandStates::enabled(int command) const {
    const Entry* e = find(command);
    return !e || e->enabled;
}

bool CommandStates::checked(int command) const {
    const Entry* e = find(command);
    return e && e->checked;
}

bool CommandStates::refresh(const CIgoBoard& board, const FunctionModes* modes, bool clipboardHasText, bool mainBoard) {
    const int mode = modes ? modes->mode() : kModeNone;
    const bool book = mode == kModeBook || mode == kModeBookExternal;
    const bool editable = !board.gameInfo().isProtected() && !(board.viewOnly() && !board.editing());
    const int total = board.totalMoves();
    const int shown = board.shownMove();
    const int handicap = board.record().main().handicapCount();
    // (One less when an opening text stands before the first move.)
    const int firstShowable = (handicap >= 2 ? 2 : 1) - (board.hasOpeningText() ? 1 : 0);
    const bool canGoBack = (total >= 2 || firstShowable == 0) && shown > firstShowable && !board.busy();
    const bool canGoForward = !board.atEnd() && !board.busy();
    const bool hasMoves = handicap >= 2 ? total >= 2 : total >= 1;
    const bool inBranch = board.record().pathDepth() >= 1;

    bool changed = false;
    const BoardTimer& timer = board.timer();
    const AnimationState animation = !timer.animating() ? AnimationState::Idle
                                     : timer.paused()   ? AnimationState::Paused
                                                        : AnimationState::Running;
    if (animation != m_animation) changed = true;
    m_animation = animation;
    for (Entry& e : m_entries) {
        const int c = e.command;
        bool on = true;
        bool check = false;
        if (isBookCommand(c)) on = book || ((c == 32978 || c == 32979) && mode == kModeProblems && mainBoard);
        else if (isMailGoCommand(c)) on = mode == kModeMailGo && mainBoard;
        // The search bar's "コメントを検索" sends the id of "着手取得".
        if (c == kCmdReceiveMoves && mode == kModeSearch) on = mainBoard;
        switch (c) {
        case kCmdUndo: on = editable && hasMoves && !board.busy(); break;
        case kCmdPass: on = editable && !board.busy(); break;
        case kCmdClearRecord: on = !board.gameInfo().isProtected() && total > 0; break;
        case kCmdToStart:
        case kCmdBack:
        case kCmdBackAcrossBranch:
        case kCmdBranchHead: on = canGoBack; break;
        case kCmdForward:
        case kCmdToEnd:
        case kCmdIntoBranch:
        case kCmdBranchEnd: on = canGoForward || (c == kCmdToEnd && inBranch); break;
        case kCmdAnimate: on = total > 0; break;
        case kCmdStopAnimation: on = board.busy(); break;
        case kCmdDeleteBranch: on = inBranch && !board.gameInfo().isProtected(); break;
        case kCmdNewBranch:
        case kCmdBranchAfterLast:
        case kCmdCopyToNewBranch: on = editable && total > 0; break;
        case kCmdCorrectRecord: on = editable && total > 0; break;
        case kCmdComment: on = !board.gameInfo().isProtected(); break;
        case kCmdShowNumbers: check = board.options().showNumbers; break;
        case kCmdBranchNumbersFromOne: check = board.options().branchNumbersFromOne; break;
        case kCmdOpenClipboard: on = clipboardHasText; break;
        case kCmdModeMailGo: check = mode == kModeMailGo || mode == kModeMailGoFinished; break;
        case kCmdModePlayAndRecord: check = mode == kModePlayAndRecord || mode == kModePlayFinished; break;
        case kCmdModeViewing: check = mode == kModeViewing; break;
        case kCmdModeProblems: check = mode == kModeProblems; break;
        case kCmdModeBook: check = book; break;
        case kCmdFinishedView:
            on = modes && modes->finishedTarget() != 0;
            check = modes && modes->finishedViewShown();
            break;
        case kCmdReturnFromFinished: on = modes && modes->finishedViewShown(); break;
        case kCmdMoveToFinished:
            on = (mode == kModeMailGo || mode == kModePlayAndRecord) && modes && modes->finishedTarget() != 0;
            break;
        default: break;
        }
        if (on != e.enabled || check != e.checked) changed = true;
        e.enabled = on;
        e.checked = check;
    }
    return changed;
}

bool CommandStates::enabledAtPoint(int command, const CIgoBoard& board, int x, int y) const {
    const bool enabledHere = enabled(command);
    const int n = board.boardSize();
    const bool onPoint = x >= 0 && y >= 0 && x < n && y < n;
    const bool stone = onPoint && board.position().at(x, y).hasStone();
    switch (command) {
    case kCmdNewBranch:
    case kCmdBranchAfterLast:
    case kCmdReferenceForLast:
    case kCmdPlaceStone:
    case kCmdBlackSetupStone:
    case kCmdWhiteSetupStone: return enabledHere && onPoint && !stone;
    case kCmdCorrectPoint:
    case kCmdSetMark: return onPoint;
    case kCmdRemoveSetupStone: return stone && board.position().at(x, y).moveNumber == 0;
    case kCmdAddStudyBranch: return m_studyBoardOpen && !board.gameInfo().isProtected();
    default: return enabledHere;
    }
}

} // namespace stonewise
