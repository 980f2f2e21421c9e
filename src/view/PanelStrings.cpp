#include "view/PanelStrings.h"

#include "record/StringTable.h"

namespace stonewise {

std::u16string panelText(const StringTable* strings, int id) {
    if (strings)
        if (auto text = strings->find(id)) return std::u16string(*text);
    if (auto text = StringTable::japanese().find(id)) return std::u16string(*text);
    return {};
}

std::u16string panelText(const StringTable* strings, int id, std::initializer_list<FormatArg> args,
                         std::size_t maxLength) {
    return formatText(panelText(strings, id), args, maxLength);
}

} // namespace stonewise
