#pragma once

#include <span>
#include <string_view>

namespace stonewise {

// The menu text of a window command, as the menus show it; empty for an unknown id.
std::u16string_view commandText(int id);

// The entries of the board's right-click menu ("碁盤用") and of the move list's ("棋譜リスト用").
std::span<const int> boardPopupCommands();
std::span<const int> moveListPopupCommands();

} // namespace stonewise
