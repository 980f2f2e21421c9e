#pragma once

#include <memory>
#include <string>
#include <vector>

#include "record/RecordSequence.h"
#include "search/PatternAnalyzer.h"

namespace stonewise::test {

// A point of a hand-made game, column and row from the upper left.
struct Pt {
    int x;
    int y;
};

// The eight ways of turning and reflecting a board of `size` lines: bit 0 mirrors x, bit 1
// mirrors y, bit 2 swaps x and y (first).
Pt turned(Pt p, int symmetry, int size);

// SGF text of a game of `size` lines whose moves alternate from Black, turned by `symmetry`.
std::u16string sgfOf(const std::vector<Pt>& moves, int size = 19, int symmetry = 0);

// The record an SGF text gives (the test fails when it gives none).
std::unique_ptr<RecordSequence> recordOf(const std::u16string& sgf);

// The line of a game given by its moves (alternating from Black), turned by `symmetry`.
std::vector<LineStone> lineOf(const std::vector<Pt>& moves, int size = 19, int symmetry = 0);

// A whole-board opening of `count` distinct moves away from the middle lines, made from `seed`;
// its first move lies in the upper right, away from the diagonals.
std::vector<Pt> openingOf(int count, unsigned seed);

// The moves of a corner joseki around the upper left 4-4 point, nothing else on the board.
std::vector<Pt> cornerJoseki();

} // namespace stonewise::test
