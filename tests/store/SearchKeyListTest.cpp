#include <gtest/gtest.h>

#include "StoreTestSupport.h"
#include "store/SearchKeyList.h"

namespace stonewise {
namespace {

using test::Bytes;

TEST(SearchKeyList, ReadsTheLayoutAndWritesTheSameBytes) {
    Bytes b;
    b.header(4, 0xFFFF, 3);
    b.element(10, 0, 3).chars(u"秀策").u16(0);
    b.element(10, 1, 1).u16(0);
    b.element(10, 2, 6).chars(u"shusa").u16(0);
    b.end();
    const SearchKeysRead read = decodeSearchKeys(b);
    ASSERT_EQ(read.status, StoreReadStatus::Ok);
    EXPECT_EQ(read.keys, (std::vector<std::u16string>{u"秀策", u"", u"shusa"}));
    EXPECT_EQ(encodeSearchKeys(read.keys), b.bytes());

    const SearchKeysRead cut = decodeSearchKeys(std::span(b.bytes()).first(b.size() - 8));
    EXPECT_EQ(cut.status, StoreReadStatus::Damaged);
    EXPECT_EQ(cut.keys.size(), 2u);
}

TEST(SearchKeyList, LongKeysAreCut) {
    const SearchKeysRead read = decodeSearchKeys(encodeSearchKeys({std::u16string(300, u'k')}));
    ASSERT_EQ(read.keys.size(), 1u);
    EXPECT_EQ(read.keys[0], std::u16string(255, u'k'));
}

} // namespace
} // namespace stonewise
