#pragma once

#include <optional>
#include <string_view>

#include "board/BoardPosition.h"
#include "view/BoardPictures.h"
#include "view/Image.h"

namespace stonewise {

class GameRecord;

// Numbers of the message and title the caller shows when a thumbnail cannot be made
// ("Board image creation was failure.", "Create board image").
constexpr int kThumbnailFailureText = 20613;
constexpr int kThumbnailFailureTitle = 20614;

// Side of a board thumbnail in pixels.
constexpr int kThumbnailSide = 128;

// A thumbnail of a position: the board picture of `pictures` with the stones at their points,
// scaled down to fit `side` × `side` and centred on a transparent square. No image when the
// pictures are missing or the side is out of range.
std::optional<Image> boardThumbnail(const BoardPictureSet& pictures, const BoardPosition& position,
                                    int side = kThumbnailSide);

// A thumbnail of the record at `move` (−1: its last move) along its current path. The record's
// lookup state (current sequence) moves as in any rebuild; the position shown by a window is not
// touched. No image as above.
std::optional<Image> boardThumbnail(const BoardPictureSet& pictures, GameRecord& record, int lines, int move,
                                    int side = kThumbnailSide);

} // namespace stonewise
