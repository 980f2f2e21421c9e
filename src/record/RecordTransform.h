#pragma once

#include "record/RecordSequence.h"

namespace stonewise {

// Rotations and reflections of a whole record on a board of `size` lines.
enum class BoardTransform {
    Rotate180,      // "180度回転"
    RotateRight,    // "右90度回転": a quarter turn clockwise
    FlipVertical,   // "上下反転": top and bottom swap
    FlipHorizontal, // "左右反転": left and right swap
};

// The point (x, y) after the transform.
void transformPoint(BoardTransform t, int size, int& x, int& y);

// Moves every point of `s` and of all its children (moves, setup stones, marks, labels); passes keep
// their empty point.
void transformRecord(RecordSequence& s, BoardTransform t, int size);

} // namespace stonewise
