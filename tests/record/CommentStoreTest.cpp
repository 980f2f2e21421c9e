#include <gtest/gtest.h>

#include "record/CommentStore.h"

namespace stonewise {
namespace {

TEST(CommentStore, BackslashesAlternateBetweenCarriageReturnAndLineFeed) {
    CommentStore store;
    const int i = store.add(u"a\\b\\c", 1);
    EXPECT_EQ(store.text(i), u"a\rb\nc");
    EXPECT_EQ(backslashesToLineBreaks(u"x\\\\y"), u"x\r\ny");
    const int kept = store.add(u"C:\\path", 1, Backslashes::Keep);
    EXPECT_EQ(store.text(kept), u"C:\\path");
}

TEST(CommentStore, TextsFillBlocksAndNeverSpanTwo) {
    CommentStore store;
    const std::u16string full(CommentStore::kBlockSize - 1, u'x');
    EXPECT_EQ(store.add(full, 1), 0);
    EXPECT_EQ(store.blockCount(), 1);
    EXPECT_EQ(store.usedInLastBlock(), CommentStore::kBlockSize);
    // A text too long for any block is refused.
    EXPECT_EQ(store.add(std::u16string(CommentStore::kBlockSize, u'y'), 1), -1);
    // A short text that does not fit the rest of the block starts a new one.
    const int small = store.add(u"next", 2);
    EXPECT_EQ(store.entry(small)->block, 1);
    EXPECT_EQ(store.entry(small)->offset, 0);
    // After 16 blocks adding fails.
    while (store.blockCount() < CommentStore::kMaxBlocks) ASSERT_GE(store.add(full, 3), 0);
    EXPECT_EQ(store.add(full, 3), -1);
    EXPECT_EQ(store.text(small), u"next");
}

TEST(CommentStore, ATextTakenFromTheStoreItselfIsKeptWhileTheStoreGrows) {
    CommentStore store;
    store.add(u"a comment that is copied again and again", 1);
    for (int i = 1; i < 200; ++i) ASSERT_EQ(store.add(store.text(i - 1), 1), i);
    EXPECT_EQ(store.text(199), u"a comment that is copied again and again");
    CommentStore copy = store;
    EXPECT_EQ(copy.text(0), store.text(199));
}

TEST(CommentStore, AtMost2048Texts) {
    CommentStore store;
    for (int i = 0; i < CommentStore::kMaxTexts; ++i) ASSERT_EQ(store.add(u"c", i), i);
    EXPECT_EQ(store.add(u"c", 1), -1);
    EXPECT_EQ(store.text(5000), u"");
}

TEST(CommentStore, TagsAreRecognisedAndRemovedForDisplay) {
    EXPECT_EQ(answerKindOfText(u"&V:x"), kVariation);
    EXPECT_EQ(withoutAnswerTag(u"!失敗:悪手"), u"悪手");
    EXPECT_EQ(answerTag(kCorrect, true), u"&G:");
    EXPECT_EQ(withoutBracketTags(u"good [?hint text] move [!x] [plain]"), u"good  move  [plain]");
    EXPECT_EQ(withoutBracketTags(u"open [?never closed"), u"open [?never closed");
}

} // namespace
} // namespace stonewise
