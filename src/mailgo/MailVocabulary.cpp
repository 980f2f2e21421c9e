#include "mailgo/MailVocabulary.h"

#include "record/GameInfo.h"
#include "record/StringTable.h"

namespace stonewise {

namespace {

// The program's own Japanese text: the opponent's program reads these words whatever language
// either interface shows.
std::u16string_view japaneseText(int id) { return StringTable::japanese().find(id).value_or(u""); }

} // namespace

MailVocabulary MailVocabulary::japanese() {
    MailVocabulary words;
    words.white = japaneseText(10002);
    words.black = japaneseText(10003);
    words.gameHeading = japaneseText(14019);
    words.settingsHeading = japaneseText(14000);
    words.branchHeading = japaneseText(13004);
    words.referenceHeading = japaneseText(14002);
    words.pass = japaneseText(14003);
    words.moveLine = japaneseText(14004);
    return words;
}

const MailVocabulary& MailVocabulary::english() {
    static const MailVocabulary words{u"White",    u"Black",       u"[GAME]", u"[SETTINGS]",
                                      u"[BRANCH]", u"[REFERENCE]", u"PASS",   u"MOVE %s %s%s%s"};
    return words;
}

MailVocabulary MailVocabulary::forGame(const GameInfo& info) {
    return (info.flags & kGameFlagEnglishMail) != 0 ? english() : japanese();
}

} // namespace stonewise
