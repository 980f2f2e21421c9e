#include "mailgo/MailVocabulary.h"

#include "record/GameInfo.h"

#include <gtest/gtest.h>

namespace stonewise {
namespace {

TEST(MailVocabulary, AGameByEnglishMailUsesTheEnglishWordsAndEveryOtherTheJapanese) {
    GameInfo info;
    info.type = kGameMailGo;
    const MailVocabulary japanese = MailVocabulary::forGame(info);
    EXPECT_EQ(japanese.gameHeading, u"【対局】");
    EXPECT_EQ(japanese.settingsHeading, u"【設定】");
    EXPECT_EQ(japanese.branchHeading, u"【分岐】");
    EXPECT_EQ(japanese.referenceHeading, u"【参考】");
    EXPECT_EQ(japanese.pass, u"パス");
    EXPECT_EQ(japanese.moveLine, u"%s手　%s%s%s");
    EXPECT_EQ(japanese.black, u"黒");

    info.flags |= kGameFlagEnglishMail;
    const MailVocabulary english = MailVocabulary::forGame(info);
    EXPECT_EQ(english.gameHeading, u"[GAME]");
    EXPECT_EQ(english.moveLine, u"MOVE %s %s%s%s");
    EXPECT_EQ(english.white, u"White");
}

} // namespace
} // namespace stonewise
