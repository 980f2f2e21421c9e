#include <gtest/gtest.h>

#include "record/GameInfo.h"
#include "record/RecordSequence.h"
#include "record/StringTable.h"
#include "support/BoardFixture.h"
#include "view/CommentPanelText.h"
#include "view/ElapsedTimeText.h"
#include "view/InfoPanelText.h"
#include "view/MoveListRegistry.h"
#include "view/PanelStrings.h"

namespace stonewise {
namespace {

TEST(ElapsedTimeText, ListAndPanelFormats) {
    const struct {
        long seconds;
        const char16_t* list;
        const char16_t* panel;
    } cases[] = {
        {0, u"0:00", u" 0:00:00"},
        {65, u"1:05", u" 0:01:05"},
        {3725, u"1:02:05", u" 1:02:05"},
        {36000, u"10:00:00", u"10:00:00"},
        {86400, u"1日 0:00:00", u"24:00:00"},
        {2 * 86400 + 3661, u"2日 1:01:01", u"49:01:01"},
        {-5, u"0:00", u" 0:00:00"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(elapsedListText(c.seconds), c.list) << c.seconds;
        EXPECT_EQ(elapsedPanelText(c.seconds), c.panel) << c.seconds;
    }
}

TEST(ElapsedTimeText, TotalsAndWhenTimesAreShown) {
    test::TestBoard t;
    t.play({{3, 3}, {15, 15}, {4, 4}});
    RecordSequence& main = t.board.record().main();
    main.node(0).elapsed = 3600;
    main.node(1).elapsed = 65;
    main.node(2).elapsed = -2; // two minutes
    EXPECT_EQ(elapsedTotalsText(main), u"経過時間(概算)： 白＝1:05 黒＝1:02:00");
    for (int mode : {1, 2, 16, 32}) EXPECT_TRUE(elapsedShownInMoveList(true, mode)) << mode;
    for (int mode : {64, 256, 4096}) EXPECT_FALSE(elapsedShownInMoveList(true, mode)) << mode;
    EXPECT_FALSE(elapsedShownInMoveList(false, 1));
}

TEST(InfoPanelText, HandicapAndKomi) {
    const StringTable english({{kStrHandicapKomiSeparator, u", "}});
    const struct {
        int handicap;
        float komi;
        const StringTable* strings;
        bool whole;
        const char16_t* text;
    } cases[] = {
        {3, 0.5f, nullptr, false, u"置碁 3子、 コミ 半目"},
        {3, 0.5f, &english, false, u"置碁 3子, コミ 半目"}, // the rest missing from the table: Japanese
        {0, 0.0f, nullptr, false, u"ハンディ無し"},
        {2, 0.0f, nullptr, false, u"置碁 2子"},
        {0, 6.5f, nullptr, false, u"コミ ６.５目"},
        {0, 6.5f, nullptr, true, u"コミ ６目"},
        {4, -0.5f, nullptr, false, u"置碁 4子、 コミ 逆0.5目"},
        {12, 0.0f, nullptr, false, u"置碁 12子"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(toUtf8(handicapKomiText(c.handicap, c.komi, c.whole, c.strings)), toUtf8(c.text))
            << c.handicap << " " << c.komi;
}

TEST(InfoPanelText, NamesPrisonersAndTurn) {
    EXPECT_EQ(prisonersText(5), u"アゲハマ　  5");
    EXPECT_EQ(prisonersText(123), u"アゲハマ　123");
    EXPECT_TRUE(turnIndicators(2).white);
    EXPECT_FALSE(turnIndicators(2).black);
    EXPECT_TRUE(turnIndicators(1).black);
    EXPECT_FALSE(turnIndicators(1).white);

    const InfoPanelTexts none = infoPanelTexts(nullptr, {});
    EXPECT_TRUE(none.whiteName.empty() && none.blackName.empty() && none.handicapKomi.empty());

    GameInfo info;
    info.blackName = u"山田";
    info.whitePlayer = 258;
    info.komi = 6.5f;
    InfoPanelOptions o;
    o.memberName = [](int member) { return member == 258 ? std::u16string(u"佐藤") : std::u16string(); };
    const InfoPanelTexts texts = infoPanelTexts(&info, o);
    EXPECT_EQ(texts.blackName, u"山田");
    EXPECT_EQ(texts.whiteName, u"佐藤");
    EXPECT_EQ(texts.handicapKomi, u"コミ ６.５目");
}

TEST(CommentPanelText, MovesPassesAndBranches) {
    test::TestBoard t;
    t.play({{3, 3}, {15, 15}, {4, 4}});
    t.board.pass();
    RecordSequence& main = t.board.record().main();
    const std::u16string longComment(150, u'あ');
    ASSERT_TRUE(main.setComment(0, longComment));
    main.node(0).elapsed = 3725;
    main.node(2).elapsed = 65;
    ASSERT_TRUE(main.setComment(3, u"[!tag]パスしました"));
    CommentPanelOptions o;
    EXPECT_EQ(commentPanelText(main, 0, o), u"黒1手　 1:02:05\r\n" + longComment);
    EXPECT_EQ(commentPanelText(main, 1, o), u"");
    EXPECT_EQ(commentPanelText(main, 2, o), u"黒3手　 0:01:05\r\n");
    EXPECT_EQ(commentPanelText(main, 3, o), u"パス4手　\r\nパスしました");
    o.goBookMode = true;
    EXPECT_EQ(commentPanelText(main, 2, o), u"");
    EXPECT_EQ(commentPanelText(main, 0, o), u"黒1手　\r\n" + longComment);
    o.goBookMode = false;
    o.numberOffset = -1;
    EXPECT_EQ(commentPanelText(main, 2, o), u"黒2手　 0:01:05\r\n");
    EXPECT_EQ(commentPanelText(main, 99, o), u"");

    ASSERT_TRUE(main.setComment(1, std::u16string(1200, u'x')));
    o.numberOffset = 0;
    EXPECT_EQ(commentPanelText(main, 1, o), u"白2手　\r\n" + std::u16string(1000, u'x'));

    // Branch and reference links.
    t.board.showMove(2);
    BranchDialogResult b;
    b.choice = BranchDialogResult::Choice::Branch;
    b.comment = u"こちらも有力";
    t.ui.branchAnswers.push_back(b);
    t.board.clickPoint(10, 10);
    const int link = main.findLink(t.board.record().pathTop());
    ASSERT_GE(link, 0);
    EXPECT_EQ(commentPanelText(main, link, o), u"分岐\r\nこちらも有力");
    t.board.showSequence(&main, 2);
    b.choice = BranchDialogResult::Choice::Reference;
    b.comment.clear();
    t.ui.branchAnswers.push_back(b);
    t.board.clickPoint(11, 11);
    const int refLink = main.findLink(t.board.record().pathTop());
    ASSERT_GE(refLink, 0);
    EXPECT_EQ(commentPanelText(main, refLink, o), u"参考手順");
}

TEST(CommentPanelText, AMoveShowsItsMarksCommentsAndTheStartShowsItsNotes) {
    auto main = RecordSequence::createMain();
    RecordNode note; // a file's root comment: a mark without kind or point
    note.type = NodeType::Mark;
    main->appendNode(note);
    main->appendNode(makeMoveNode(1, 3, 3));
    RecordNode mark;
    mark.type = NodeType::Mark;
    mark.moveNumber = 1;
    mark.x = mark.y = 4;
    mark.data1 = kMarkTriangle;
    main->appendNode(mark);
    main->appendNode(makeMoveNode(2, 5, 5));
    main->appendNode(mark);
    main->node(4).moveNumber = 2;
    ASSERT_TRUE(main->setComment(0, u"問題：黒番"));
    ASSERT_TRUE(main->setComment(1, u"打った"));
    ASSERT_TRUE(main->setComment(2, u"ここが急所"));
    ASSERT_TRUE(main->setComment(4, u"三角"));
    CommentPanelOptions o;
    EXPECT_EQ(commentPanelText(*main, 1, o), u"黒1手　\r\n打った\r\nここが急所");
    EXPECT_EQ(commentPanelText(*main, 3, o), u"三角"); // only the mark has a text
    EXPECT_EQ(commentPanelText(*main, 0, o), u"問題：黒番");
    EXPECT_EQ(startCommentPanelText(*main), u"問題：黒番");
    EXPECT_EQ(startCommentPanelText(*RecordSequence::createMain()), u"");
}

TEST(MoveListRegistry, AFourthListIsRefused) {
    MoveListRegistry registry;
    int lists[4];
    for (int i = 0; i < 3; ++i) EXPECT_TRUE(registry.add(&lists[i]));
    EXPECT_FALSE(registry.add(&lists[3]));
    EXPECT_TRUE(registry.add(&lists[1])); // already there
    EXPECT_EQ(registry.count(), 3);
    registry.remove(&lists[0]);
    EXPECT_TRUE(registry.add(&lists[3]));
    EXPECT_FALSE(registry.add(nullptr));
}

} // namespace
} // namespace stonewise
