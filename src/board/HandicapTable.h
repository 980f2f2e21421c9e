#pragma once

#include <span>

#include "record/RecordSequence.h"

namespace stonewise {

// A point of the handicap table, 1-based (column, row) as the table is written.
struct HandicapPoint {
    int column;
    int row;
};

// The fixed handicap points for 2..9 stones in placement order, for 19 and 13 lines. Empty for a
// count outside 2..9.
std::span<const HandicapPoint> handicapPoints(int count, bool thirteenLines);

// Whether the first `count` handicap stones of a main record (black move-1 nodes) stand on the
// table points of that count; a count above 9 never does (it is a free handicap).
bool matchesHandicapTable(const RecordSequence& main, int count, bool thirteenLines);

} // namespace stonewise
