#include "board/HandicapTable.h"

#include <array>

namespace stonewise {

namespace {
// Placement order of the nine star points; count n takes the entries of its row.
constexpr std::array<HandicapPoint, 9> k19{
    {{16, 4}, {4, 16}, {16, 16}, {4, 4}, {10, 10}, {4, 10}, {16, 10}, {10, 4}, {10, 16}}};
constexpr std::array<HandicapPoint, 9> k13{
    {{10, 4}, {4, 10}, {10, 10}, {4, 4}, {7, 7}, {4, 7}, {10, 7}, {7, 4}, {7, 10}}};

// For each count the indexes into the star points above, in placement order.
constexpr std::array<std::array<int, 9>, 10> kOrder{{
    {},
    {},
    {0, 1},
    {0, 1, 2},
    {0, 1, 3, 2},
    {0, 1, 3, 2, 4},
    {0, 1, 3, 2, 5, 6},
    {0, 1, 3, 2, 5, 6, 4},
    {0, 1, 3, 2, 5, 6, 7, 8},
    {0, 1, 3, 2, 5, 6, 7, 8, 4},
}};

std::array<std::array<HandicapPoint, 9>, 10> build(const std::array<HandicapPoint, 9>& stars) {
    std::array<std::array<HandicapPoint, 9>, 10> table{};
    for (int count = 2; count <= 9; ++count)
        for (int i = 0; i < count; ++i)
            table[static_cast<std::size_t>(count)][static_cast<std::size_t>(i)] =
                stars[static_cast<std::size_t>(kOrder[static_cast<std::size_t>(count)][static_cast<std::size_t>(i)])];
    return table;
}

const auto kTable19 = build(k19);
const auto kTable13 = build(k13);
} // namespace

std::span<const HandicapPoint> handicapPoints(int count, bool thirteenLines) {
    if (count < 2 || count > 9) return {};
    const auto& table = thirteenLines ? kTable13 : kTable19;
    return {table[static_cast<std::size_t>(count)].data(), static_cast<std::size_t>(count)};
}

bool matchesHandicapTable(const RecordSequence& main, int count, bool thirteenLines) {
    const auto points = handicapPoints(count, thirteenLines);
    if (points.empty()) return false;
    // The stones may have been recorded in any order; each must stand on a point of the table.
    int matched = 0;
    for (const RecordNode& n : main.nodes()) {
        if (matched >= count) break;
        if (n.type != NodeType::BlackMove || n.moveNumber != 1) continue;
        bool onTable = false;
        for (const HandicapPoint& p : points) onTable |= n.x == p.column - 1 && n.y == p.row - 1;
        if (!onTable) return false;
        ++matched;
    }
    return matched == count;
}

} // namespace stonewise
