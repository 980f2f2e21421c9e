// Mail Go: moves received as mail text go into the record shown.
#include "app/CIgoBoard.h"

namespace stonewise {

MailApplyResult CIgoBoard::receiveMail(const ParsedMail& mail, bool userIsBlack, MailSource source,
                                       const GameTime& nowUtc) {
    stopBusy();
    // The moves are appended to the main record: the window stands on it while they come in.
    enterPath(&m_record.main());
    MailApplyResult result = applyMail(mail, m_record, m_info, userIsBlack, source, nowUtc);
    const int handicap = m_record.main().handicapCount();
    m_record.main().setNumberOffset(handicap >= 2 ? -1 : 0);
    m_record.main().updateLastMoveNumber();
    renumberTree();
    if (result.taken() || !result.messages.empty()) edited();
    if (result.branch) {
        // A received study sequence is shown played over, from its first move.
        showSequence(result.branch, -1);
        m_flash.setRangeStart(result.branch->firstMoveNumber());
        m_flash.start();
    } else {
        enterPath(&m_record.main());
        showMove(totalMoves());
    }
    redrawAll();
    return result;
}

} // namespace stonewise
