#include "store/StoreStrings.h"

#include "record/StringTable.h"

namespace stonewise {

std::u16string storeText(const StringTable& strings, int id) {
    if (auto text = strings.find(id)) return std::u16string(*text);
    if (auto text = StringTable::japanese().find(id)) return std::u16string(*text);
    return {};
}

std::u16string storeText(const StringTable& strings, int id, std::initializer_list<FormatArg> args) {
    return formatText(storeText(strings, id), args, 512);
}

} // namespace stonewise
