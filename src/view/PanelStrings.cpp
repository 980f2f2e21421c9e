#include "view/PanelStrings.h"

#include "record/StringTable.h"

namespace stonewise {

std::u16string panelText(const StringTable* strings, int id) {
    return std::u16string(StringTable::lookup(strings, id).value_or(std::u16string_view{}));
}

std::u16string panelText(const StringTable* strings, int id, std::initializer_list<FormatArg> args,
                         std::size_t maxLength) {
    return formatText(panelText(strings, id), args, maxLength);
}

} // namespace stonewise
