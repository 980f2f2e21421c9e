#pragma once

#include <span>
#include <string_view>
#include <vector>

namespace stonewise {

// One entry of a menu: a command, a separator, or a sub-menu.
struct MenuEntry {
    int command = 0;                 // 0 for a separator or a sub-menu
    std::u16string_view text;        // empty for a separator
    std::u16string_view shortcut;    // "Ctrl+V", "F1", "←", or empty
    std::vector<MenuEntry> children; // a sub-menu's entries

    bool isSeparator() const { return command == 0 && text.empty(); }
    bool isSubMenu() const { return !children.empty(); }
};

// The menu bar of the main board (menu 109) and of the Go book mode (menu 110): top-level menus with
// their entries.
const std::vector<MenuEntry>& mainMenuBar();
const std::vector<MenuEntry>& bookMenuBar();

// The pop-up menus (menu 150) by sub-menu number: 0 board, 1 move list, 2 help, 3 Mail Go, 4 play and
// record, 5 viewing, 6 finished games, 7 file operations, 8 groups and members, 9 book record.
const MenuEntry& popupMenu(int index);
int popupMenuCount();

// The text a command has in the menus (the first found), or empty.
std::u16string_view menuText(int command);

} // namespace stonewise
