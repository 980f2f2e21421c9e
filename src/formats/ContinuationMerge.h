#pragma once

namespace stonewise {

class RecordSequence;

// Joins every plain variation that starts right after the last move of its line onto that line
// (its nodes, texts and the sequences hanging off it move up), repeatedly and in every sub-branch;
// reference sequences stay. A join that would break a sequence's limits (nodes, texts, labels,
// children) is left undone. Returns the number of variations joined.
int joinContinuations(RecordSequence& sequence);

} // namespace stonewise
