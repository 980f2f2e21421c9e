#pragma once

#include <string>

#include "record/GameInfo.h"
#include "record/RecordSequence.h"

namespace stonewise::test {

// The first difference between two records, described for a test failure; empty when they hold the
// same game: the same nodes in every sequence (moves, passes, setup stones, marks and labels with
// their texts, comments, times), the same variations and reference sequences in the same places,
// and the same handicap and leading setup stones.
std::string recordDifference(const RecordSequence& a, const RecordSequence& b);

// The first difference between two headers in what an SGF file carries: name, player names,
// handicap, komi, result, Type, Flag, Tag, FV, board, date, game comment, ranks and place.
std::string infoDifference(const GameInfo& a, const GameInfo& b);

} // namespace stonewise::test
