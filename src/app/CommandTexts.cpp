#include "app/CommandTexts.h"

#include <vector>

#include "app/MenuModel.h"

namespace stonewise {

namespace {
std::vector<int> commandsOf(const MenuEntry& popup) {
    std::vector<int> ids;
    for (const MenuEntry& e : popup.children)
        if (e.command != 0) ids.push_back(e.command);
    return ids;
}
} // namespace

std::u16string_view commandText(int id) { return menuText(id); }

std::span<const int> boardPopupCommands() {
    static const std::vector<int> ids = commandsOf(popupMenu(0));
    return ids;
}

std::span<const int> moveListPopupCommands() {
    static const std::vector<int> ids = commandsOf(popupMenu(1));
    return ids;
}

} // namespace stonewise
