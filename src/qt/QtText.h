#pragma once

#include <QString>
#include <string>
#include <string_view>

namespace stonewise {

// UTF-16 texts of the core as QString and back.
inline QString qs(std::u16string_view text) {
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}
inline std::u16string u16(const QString& text) { return text.toStdU16String(); }

} // namespace stonewise
