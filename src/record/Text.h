#pragma once

#include <initializer_list>
#include <string>
#include <string_view>
#include <variant>

namespace stonewise {

// One argument of a printf-style text format.
class FormatArg {
public:
    FormatArg(int v) : m_value(static_cast<long long>(v)) {}
    FormatArg(long v) : m_value(static_cast<long long>(v)) {}
    FormatArg(long long v) : m_value(v) {}
    FormatArg(unsigned v) : m_value(static_cast<long long>(v)) {}
    FormatArg(double v) : m_value(v) {}
    FormatArg(std::u16string_view v) : m_value(v) {}
    FormatArg(const std::u16string& v) : m_value(std::u16string_view(v)) {}
    FormatArg(const char16_t* v) : m_value(std::u16string_view(v)) {}

    long long asInteger() const;
    double asReal() const;
    std::u16string_view asText() const;

private:
    std::variant<long long, double, std::u16string_view> m_value;
};

// Formats a UTF-16 printf-style text: %d %i %u %x %X %c %s %f %% with the flags '-', '0', '+' and ' ',
// a width and a precision ("%3d", "%02d", "%0.1f", "%.1f"). Missing arguments format as 0 or an
// empty text; the result is cut at `maxLength` characters.
std::u16string formatText(std::u16string_view format, std::initializer_list<FormatArg> args,
                          std::size_t maxLength = 4096);

// UTF-8 ↔ UTF-16 (invalid sequences become U+FFFD).
std::string toUtf8(std::u16string_view text);
std::u16string fromUtf8(std::string_view text);
// Whether the bytes are well-formed UTF-8.
bool isValidUtf8(std::string_view bytes);

// ASCII digits of an integer as UTF-16.
std::u16string toU16(long long value);

} // namespace stonewise
