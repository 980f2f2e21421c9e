// Reading a Mail Go text of any content into a game in play: the first byte picks the interface
// language, the user's colour, where the text came from, a handicap game, a 13-line board and a
// title pattern; the rest is the text in UTF-8. Whatever the text, nothing crashes, every move in
// the record stands on the board and the record rebuilds without a move on an occupied point,
// comments stay within 1,023 characters, and the next-move text composed from the result reads
// back into the same record without a fault.
#include <cstdint>
#include <string>

#include "../store/FuzzCheck.h"
#include "board/BoardNavigation.h"
#include "board/BoardPosition.h"
#include "board/PositionRebuild.h"
#include "mailgo/MailComposer.h"
#include "mailgo/MailReader.h"
#include "mailgo/MailVocabulary.h"
#include "record/GameRecord.h"
#include "record/Text.h"

using namespace stonewise;

namespace {

void checkSequence(const RecordSequence& s, int size) {
    for (const RecordNode& n : s.nodes()) {
        if (n.isMoveOrPass()) FUZZ_CHECK(!n.hasPoint() || (n.x < size && n.y < size));
        if (n.comment >= 0) FUZZ_CHECK(s.commentOf(n).size() <= 1023);
    }
    for (int slot = 1; slot <= s.highestChildSlot(); ++slot)
        if (const RecordSequence* child = s.child(slot)) checkSequence(*child, size);
}

void checkRebuilds(GameRecord& record, RecordSequence* top, int size) {
    if (top && !record.enterSequence(top)) return;
    BoardPosition position;
    position.setSize(size);
    BoardNavigation nav;
    nav.showEndOf(record.pathLastMove());
    FUZZ_CHECK(rebuildPosition(position, nav, record, RebuildOptions{}).complete);
    record.enterSequence(&record.main());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1 || size > 20000) return 0;
    const std::uint8_t options = data[0];
    const std::u16string text = fromUtf8(std::string_view(reinterpret_cast<const char*>(data + 1), size - 1));

    const bool handicap = (options & 0x10) != 0;
    GameRecord record;
    GameInfo info;
    info.type = kGameMailGo;
    info.name = u"game";
    info.board = (options & 0x20) ? 1 : 0;
    auto main = RecordSequence::createMain();
    if (handicap) {
        for (int i = 0; i < 4; ++i) main->appendNode(makeMoveNode(1, 3 + 6 * (i % 2), 3 + 6 * (i / 2)));
        main->setHandicapCount(4);
        info.handicap = 4;
    }
    for (int n = handicap ? 2 : 1; n <= 12; ++n) main->appendNode(makeMoveNode(n, n % 12, 0));
    record.adopt(std::move(main));

    MailReadOptions read;
    read.japaneseInterface = (options & 1) != 0;
    if (options & 0x40) read.titlePattern = u"碁会*";
    const bool userIsBlack = (options & 2) != 0;
    const auto source = static_cast<MailSource>(((options >> 2) & 3) % 3);
    const ParsedMail mail = parseMailText(text, read);
    const MailApplyResult result = applyMail(mail, record, info, userIsBlack, source, GameTime{2026, 12, 11, 1, 2, 3});
    FUZZ_CHECK(mail.gameName.size() <= 198);
    const int boardSize = info.boardSize();
    checkSequence(record.main(), boardSize);
    checkRebuilds(record, nullptr, boardSize);
    if (result.branch) checkRebuilds(record, result.branch, boardSize);

    // What the record now holds, sent again, reads back into it without a fault.
    MailComposeRequest request;
    request.settings.maximumMoves = 100;
    request.japaneseInterface = read.japaneseInterface;
    request.plainText = true;
    const MailText again = composeMailText(info, record.main(), nullptr, request);
    GameRecord copy;
    copy.adopt(record.copyMain());
    GameInfo copyInfo = info;
    const MailApplyResult back = applyMail(parseMailText(again.text, read), copy, copyInfo, userIsBlack, source,
                                           GameTime{2026, 12, 11, 2, 0, 0});
    for (const MailMessage& m : back.messages) {
        if (m.id != 53024 && m.id != 53025) std::fprintf(stderr, "%s\n", toUtf8(m.text).c_str());
        FUZZ_CHECK(m.id == 53024 || m.id == 53025);
    }
    FUZZ_CHECK(back.newMoves == 0);
    return 0;
}
