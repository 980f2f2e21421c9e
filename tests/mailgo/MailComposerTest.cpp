#include "mailgo/MailComposer.h"

#include "mailgo/MailTextFormat.h"
#include "mailgo/MailVocabulary.h"
#include "record/GameInfo.h"
#include "record/RecordSequence.h"

#include <gtest/gtest.h>

namespace stonewise {
namespace {

// A main record with moves `from`..`to` at points that differ per move; with `stones` handicap
// stones at move 1 first.
std::unique_ptr<RecordSequence> record(int to, int stones = 0) {
    auto main = RecordSequence::createMain();
    for (int i = 0; i < stones; ++i) main->appendNode(makeMoveNode(1, 3 + 6 * (i % 2), 3 + 6 * (i / 2)));
    main->setHandicapCount(stones);
    for (int n = stones > 0 ? 2 : 1; n <= to; ++n) main->appendNode(makeMoveNode(n, n % 19, (n / 19) % 19));
    return main;
}

GameInfo mailGame(bool english = false, int handicap = 0) {
    GameInfo info;
    info.type = kGameMailGo;
    info.name = u"春の対局";
    info.handicap = static_cast<std::int16_t>(handicap);
    info.komi = 6.5f;
    if (english) info.flags |= kGameFlagEnglishMail;
    return info;
}

TEST(MailNumbers, MoveNumbersColumnsAndRowsInBothStyles) {
    EXPECT_EQ(mailMoveNumber(12, NumberStyle::Ascii), u"12");
    EXPECT_EQ(mailMoveNumber(12, NumberStyle::Japanese), u"１２");
    EXPECT_EQ(mailMoveNumber(999, NumberStyle::Ascii), u"999");
    EXPECT_EQ(mailMoveNumber(1000, NumberStyle::Ascii), u"");
    EXPECT_EQ(mailMoveNumber(1000, NumberStyle::Japanese), u"");
    EXPECT_EQ(kanjiRow(4), u"四");
    EXPECT_EQ(kanjiRow(10), u"十");
    EXPECT_EQ(kanjiRow(13), u"十三");
    EXPECT_EQ(kanjiRow(19), u"十九");
    EXPECT_EQ(mailPoint(15, 3, NumberStyle::Ascii), u"16,4");
    EXPECT_EQ(mailPoint(15, 3, NumberStyle::Japanese), u"１６、四");
    EXPECT_EQ(mailPoint(2, 9, NumberStyle::Japanese), u"３、十");
    EXPECT_EQ(mailPadding(3, NumberStyle::Ascii), u"  ");
    EXPECT_EQ(mailPadding(4, NumberStyle::Japanese), u"\u3000");
    for (int row = 1; row <= 19; ++row) { // what is written reads back
        std::size_t used = 0;
        EXPECT_EQ(readMailNumber(kanjiRow(row), used), row);
    }
}

TEST(MailNumbers, TitlePatternNeedsOneLiteralAndOneCharacterPerWildcard) {
    EXPECT_TRUE(matchesTitlePattern(u"碁会 第3局", u"碁会*"));
    EXPECT_TRUE(matchesTitlePattern(u"碁会 第3局", u"＊第*局"));
    EXPECT_FALSE(matchesTitlePattern(u"碁会", u"碁会*"));
    EXPECT_FALSE(matchesTitlePattern(u"anything", u"**"));
    EXPECT_FALSE(matchesTitlePattern(u"碁会 第3局 x", u"碁会*局"));
    EXPECT_FALSE(matchesTitlePattern(u"x", u""));
}

TEST(MailComposer, LongCommentIsSplitAt32And48AndBreaksBecomeBackslashR) {
    const std::u16string forty = u"0123456789012345678901234567890123456789";
    SplitComment split = splitMailComment(forty, false);
    EXPECT_EQ(split.head, u"01234567890123456789012345678901\\");
    ASSERT_EQ(split.rest.size(), 1u);
    EXPECT_EQ(split.rest[0], u"23456789");
    split = splitMailComment(forty, true);
    EXPECT_EQ(split.head, u"01234567890123456789012345678901");
    EXPECT_TRUE(split.rest.empty());

    split = splitMailComment(u"短い\r\n" + std::u16string(50, u'a') + u"\r\nend\r\n", false);
    EXPECT_EQ(split.head, u"短い\\r");
    ASSERT_EQ(split.rest.size(), 3u);
    EXPECT_EQ(split.rest[0], std::u16string(48, u'a') + u"\\");
    EXPECT_EQ(split.rest[1], u"aa\\r");
    EXPECT_EQ(split.rest[2], u"end");
    EXPECT_EQ(splitMailComment(u"a\nb", false).head, u"a\\r"); // a short comment with a break is split too
}

TEST(MailComposer, EnglishAndJapaneseNextMoveTexts) {
    auto main = record(12);
    main->setComment(main->findNodeIndex(12), u"ok", Backslashes::Keep);
    main->node(main->findNodeIndex(12)).x = 15;
    main->node(main->findNodeIndex(12)).y = 3;
    MailComposeRequest request;
    request.settings.maximumMoves = 2;
    MailText mail = composeMailText(mailGame(true), *main, nullptr, request);
    EXPECT_EQ(mail.text, u"[GAME] 春の対局\nMOVE 11 12,1  \nMOVE 12 16,4  ok\n\n");
    EXPECT_EQ(mail.firstMove, 11);

    mail = composeMailText(mailGame(), *main, nullptr, request);
    EXPECT_EQ(mail.text, u"【対局】 春の対局\n１１手　１２、一\u3000\u3000\n１２手　１６、四\u3000\u3000ok\n\n");
    request.japaneseInterface = false;
    EXPECT_EQ(composeMailText(mailGame(), *main, nullptr, request).text,
              u"【対局】 春の対局\n11手　12,1  \n12手　16,4  ok\n\n");
    request.settings.withholdComments = true;
    EXPECT_EQ(composeMailText(mailGame(), *main, nullptr, request).text.find(u"ok"), std::u16string::npos);
}

TEST(MailComposer, NameThatIsAHeadingOrMatchesTheTitlePatternStandsAlone) {
    auto main = record(3);
    MailComposeRequest request;
    request.settings.titlePattern = u"碁会*";
    GameInfo info = mailGame();
    info.name = u"碁会 第3局";
    EXPECT_TRUE(composeMailText(info, *main, nullptr, request).text.starts_with(u"碁会 第3局\n"));
    info.name = u"【対局】春";
    EXPECT_TRUE(composeMailText(info, *main, nullptr, request).text.starts_with(u"【対局】春\n"));
    info.flags |= kGameFlagEnglishMail;
    EXPECT_TRUE(composeMailText(info, *main, nullptr, request).text.starts_with(u"[GAME] 【対局】春\n"));
}

TEST(MailComposer, FourStoneHandicapSendsStonesThenWhitesFirstMoveAsOneWithTheSettingsLine) {
    GameInfo info = mailGame(true, 4);
    info.komi = 0.5f;
    MailComposeRequest request;
    request.whiteName = u"Sato";
    request.blackName = u"Kato";
    auto stones = record(1, 4);
    EXPECT_EQ(composeMailText(info, *stones, nullptr, request).text,
              u"[GAME] 春の対局\n[SETTINGS] Sato,Kato,4,0.5,19\nSB 4,4\nSB 10,4\nSB 4,10\nSB 10,10\n\n");
    auto first = record(2, 4);
    EXPECT_EQ(composeMailText(info, *first, nullptr, request).text,
              u"[GAME] 春の対局\n[SETTINGS] Sato,Kato,4,0.5,19\nMOVE 1 3,1   \n\n");
    auto later = record(5, 4);
    request.settings.maximumMoves = 10;
    const MailText mail = composeMailText(info, *later, nullptr, request);
    EXPECT_EQ(mail.text.find(u"[SETTINGS]"), std::u16string::npos);
    EXPECT_EQ(mail.firstMove, 2); // the range never starts at the stones
    EXPECT_NE(mail.text.find(u"MOVE 4 6,1"), std::u16string::npos);
}

TEST(MailComposer, BodyModeOnlyForStyleTwoUpToTwentyMovesAndNeverForTheCloud) {
    MailSettings settings;
    settings.bodyStyle = 2;
    settings.maximumMoves = 20;
    EXPECT_TRUE(usesBodyMode(settings, MailPurpose::NextMove, false));
    EXPECT_FALSE(usesBodyMode(settings, MailPurpose::NextMove, true));
    EXPECT_FALSE(usesBodyMode(settings, MailPurpose::StudySequence, false));
    settings.maximumMoves = 30;
    EXPECT_FALSE(usesBodyMode(settings, MailPurpose::NextMove, false));

    auto main = record(2);
    main->setComment(1, u"いい手\r\n次は？", Backslashes::Keep);
    MailComposeRequest request;
    request.settings.bodyStyle = 2;
    request.japaneseInterface = false;
    const MailText mail = composeMailText(mailGame(true), *main, nullptr, request);
    EXPECT_TRUE(mail.bodyMode);
    EXPECT_EQ(mail.text, u"%5BGAME%5D%20%E6%98%A5%E3%81%AE%E5%AF%BE%E5%B1%80%0d%0aMOVE%201%202%2C1%20%20%20%0d%0a"
                         u"MOVE%202%203%2C1%20%20%20%E3%81%84%E3%81%84%E6%89%8B%0d%0a %0d%0a");
    const std::string url =
        mailtoUrl(u"a@b.jp", u"次の一手", mailBody(MailPurpose::NextMove, request.settings, mail), mail.bodyMode);
    EXPECT_TRUE(url.starts_with("mailto:a@b.jp?Subject=%E6%AC%A1%E3%81%AE%E4%B8%80%E6%89%8B&body=%5BGAME%5D%20"));
    EXPECT_TRUE(url.ends_with("%E6%89%8B%0d%0a %0d%0a"));
}

TEST(MailComposer, StudySequenceHeadingCountsFromTheMoveBefore) {
    auto main = record(20);
    RecordSequence* branch = main->createChild(1, 13, kBranch);
    branch->appendNode(makeMoveNode(13, 2, 2));
    branch->appendNode(makeMoveNode(14, kNoPoint, kNoPoint));
    MailComposeRequest request;
    request.purpose = MailPurpose::StudySequence;
    request.settings.withholdComments = true;
    branch->setComment(1, u"pass", Backslashes::Keep);
    EXPECT_EQ(composeMailText(mailGame(true), *main, branch, request).text,
              u"[GAME] 春の対局\n[BRANCH] 12\nMOVE 13 3,3   \nMOVE 14 PASS   pass\n\n");
    branch->setKind(kReference);
    EXPECT_NE(composeMailText(mailGame(true), *main, branch, request).text.find(u"[REFERENCE] 13\n"),
              std::u16string::npos);
}

TEST(MailComposer, TheBufferLimitStopsAddingMoves) {
    auto main = record(60);
    for (int i = 0; i < main->nodeCount(); ++i) main->setComment(i, std::u16string(200, u'x'), Backslashes::Keep);
    MailComposeRequest request;
    request.settings.maximumMoves = 60;
    const MailText mail = composeMailText(mailGame(true), *main, nullptr, request);
    EXPECT_EQ(mail.firstMove, 1);
    EXPECT_LT(mail.moveLines, 60);
    EXPECT_LE(mail.text.size(), 100u * 60 + 100);
    request.forCloud = true; // the cloud takes up to 100 moves
    request.settings.maximumMoves = 5;
    EXPECT_EQ(composeMailText(mailGame(true), *record(60), nullptr, request).moveLines, 60);
}

struct SendCase {
    const char* name;
    SendCheckInput input;
    bool refused;
    std::vector<int> questions;
    int lastToSend;
    bool repeat;
};

TEST(MailComposer, ChecksBeforeSending) {
    const SendCase cases[] = {
        {"no opponent", {false, false, false, true, 5, 3, 4, 0}, true, {}, 5, false},
        {"no opponent, for the cloud", {false, true, false, true, 5, 3, 4, 0}, false, {}, 5, false},
        {"plain text asks nothing", {true, false, false, true, 4, 4, 9, 0}, false, {}, 4, false},
        {"an ordinary send", {false, false, true, true, 5, 3, 4, 0}, false, {}, 5, false},
        {"sent already", {false, false, true, true, 5, 5, 4, 0}, false, {11212}, 5, true},
        {"last move not the user's", {false, false, true, true, 6, 3, 4, 0}, false, {11213}, 5, false},
        {"white's last move by parity", {false, false, true, false, 6, 3, 5, 0}, false, {}, 6, false},
        {"ahead of the opponent's next", {false, false, true, true, 7, 3, 4, 0}, false, {53003}, 7, false},
        {"first send has no exchange yet", {false, false, true, true, 7, 0, 0, 0}, false, {}, 7, false},
        {"everything", {false, false, true, true, 8, 8, 4, 2}, false, {11212, 11213, 53003}, 7, true},
    };
    for (const SendCase& c : cases) {
        SCOPED_TRACE(c.name);
        const SendDecision d = decideSend(c.input);
        EXPECT_EQ(d.refused, c.refused);
        std::vector<int> ids;
        for (const SendQuestion& q : d.questions) ids.push_back(q.textId);
        EXPECT_EQ(ids, c.questions);
        if (!c.refused) {
            EXPECT_EQ(d.lastMoveToSend, c.lastToSend);
        }
        EXPECT_EQ(d.repeat, c.repeat);
        EXPECT_EQ(d.newOwnMoveMark, c.input.lastMove);
    }
    const SendDecision d = decideSend({false, false, true, true, 8, 8, 7, 2});
    EXPECT_EQ(d.questions[0].text,
              u"手順(7)は既にメールを作成しました。\r\n再度作成しますか？"); // shifted for the handicap
    EXPECT_EQ(d.questions[0].title, u"メール作成");
    EXPECT_TRUE(d.questions[1].yesSendsMoveBefore);
}

TEST(MailComposer, SubjectAndBody) {
    EXPECT_EQ(mailSubject(MailPurpose::NextMove, u"", false, u""), u"次の一手");
    EXPECT_EQ(mailSubject(MailPurpose::StudySequence, u"", false, u""), u"検討手順");
    EXPECT_EQ(mailSubject(MailPurpose::NextMove, u"春の碁", false, u""), u"春の碁");
    EXPECT_EQ(mailSubject(MailPurpose::NextMove, u"", true, u"山田\u3000太郎"), u"山田の次の一手");
    MailSettings settings;
    settings.bodyStyle = 1;
    EXPECT_EQ(mailBody(MailPurpose::NextMove, settings, {}), u"この行を消して、本文を貼り付けて下さい");
    EXPECT_EQ(mailBody(MailPurpose::StudySequence, settings, {}), u"");
    settings.bodyStyle = 0;
    EXPECT_EQ(mailBody(MailPurpose::NextMove, settings, {}), u"");
    EXPECT_EQ(mailtoUrl(u"a@b", u"A B", u"x\ny", false), "mailto:a@b?Subject=A%20B&body=x%0Ay");
}

} // namespace
} // namespace stonewise
