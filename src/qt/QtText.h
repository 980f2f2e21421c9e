#pragma once

#include <QString>
#include <string>
#include <string_view>

#include "record/StringTable.h"

namespace stonewise {

// UTF-16 texts of the core as QString and back.
inline QString qs(std::u16string_view text) {
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}
inline std::u16string u16(const QString& text) { return text.toStdU16String(); }
// A numbered text of the interface language.
inline QString uiString(int id) { return qs(uiText(id)); }

} // namespace stonewise
