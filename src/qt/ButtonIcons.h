#pragma once

#include <QIcon>
#include <QImage>
#include <vector>

namespace stonewise {

// The picture of a tool button, drawn for any screen density when first shown (once per size and
// state); the disabled look comes from the icon. At the usual size the pictures are drawn by the
// build (":/bar-pixels/bar-pictures") and a start only copies them.
QIcon buttonIcon(int picture);

// The size of the pictures the build draws ahead, and the bytes of one.
constexpr int kDrawnAheadSize = 24;
constexpr int kDrawnAheadBytes = kDrawnAheadSize * kDrawnAheadSize * 4;

// A picture drawn at `size` (premultiplied ARGB), as the icon shows it in `mode`.
QImage drawButtonPicture(int picture, QSize size, QIcon::Mode mode = QIcon::Normal);
// Every picture a bar can show.
std::vector<int> barPictures();

} // namespace stonewise
