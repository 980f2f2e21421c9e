#include "store/StoreStrings.h"

#include "record/StringTable.h"

namespace stonewise {

std::u16string storeText(const StringTable& strings, int id) {
    return std::u16string(StringTable::lookup(&strings, id).value_or(std::u16string_view{}));
}

std::u16string storeText(const StringTable& strings, int id, std::initializer_list<FormatArg> args) {
    return formatText(storeText(strings, id), args, 512);
}

} // namespace stonewise
