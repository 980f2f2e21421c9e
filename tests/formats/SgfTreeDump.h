#pragma once

#include <string>

#include "record/RecordSequence.h"

namespace stonewise::test {

// A record as one line of text, nodes in order: "1B pd" (move number, colour, point), "3P" (pass),
// "0AB dd" / "0AW dd" (setup stones), "2TR aa" (marks CR SQ TR MA), "2LB aa:A" (labels with their
// letter or text), "0C text" (a note holding a comment that had no move), and child sequences in braces where their
// links stand: "{2>3 ...}" for a variation hanging after move 2 whose first move is 3, "{R5 ...}" for a reference
// sequence for move 5.
std::string treeDump(const RecordSequence& s);

} // namespace stonewise::test
