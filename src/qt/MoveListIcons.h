#pragma once

#include <QIcon>
#include <array>

#include "view/MoveListModel.h"

namespace stonewise {

// The icons of the move-list line kinds, indexed by MoveListIcon, each drawn at 16 and 32 pixels
// (black and white stones, branch, reference sequence, main record, and the marks).
std::array<QIcon, kMoveListIconCount> makeMoveListIcons();

} // namespace stonewise
