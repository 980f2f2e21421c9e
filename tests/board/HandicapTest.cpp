#include <gtest/gtest.h>

#include <set>
#include <utility>

#include "board/HandicapTable.h"

namespace stonewise {
namespace {

TEST(HandicapTable, EveryCountOnBothSizes) {
    // The star points each count uses, 1-based, as a set.
    using Points = std::set<std::pair<int, int>>;
    const Points corners19{{16, 4}, {4, 16}, {4, 4}, {16, 16}};
    const Points corners13{{10, 4}, {4, 10}, {4, 4}, {10, 10}};
    for (int count = 2; count <= 9; ++count) {
        for (bool thirteen : {false, true}) {
            const auto points = handicapPoints(count, thirteen);
            ASSERT_EQ(static_cast<int>(points.size()), count);
            Points got;
            for (const HandicapPoint& p : points) got.insert({p.column, p.row});
            EXPECT_EQ(static_cast<int>(got.size()), count) << "duplicate point";
            const int centre = thirteen ? 7 : 10;
            const int far = thirteen ? 10 : 16;
            EXPECT_EQ(got.count({centre, centre}), count % 2 == 1 && count >= 5 ? 1u : 0u) << count;
            if (count >= 4) {
                for (const auto& corner : thirteen ? corners13 : corners19) EXPECT_EQ(got.count(corner), 1u);
            }
            if (count >= 6) {
                EXPECT_EQ(got.count({4, centre}), 1u);
                EXPECT_EQ(got.count({far, centre}), 1u);
            }
            if (count >= 8) {
                EXPECT_EQ(got.count({centre, 4}), 1u);
                EXPECT_EQ(got.count({centre, far}), 1u);
            }
        }
    }
    EXPECT_EQ(handicapPoints(2, false)[0].column, 16);
    EXPECT_EQ(handicapPoints(3, true)[2].column, 10);
    EXPECT_TRUE(handicapPoints(1, false).empty());
    EXPECT_TRUE(handicapPoints(10, false).empty());
}

} // namespace
} // namespace stonewise
