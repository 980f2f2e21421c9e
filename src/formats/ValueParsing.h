#pragma once

#include <cstddef>
#include <string_view>

#include "record/GameInfo.h"

namespace stonewise {

// The integer at the start of a text (blanks first, an optional sign, digits); 0 when there is
// none. `used` receives the characters taken. Values beyond ±2^31 are clamped.
long parseLeadingInteger(std::u16string_view text, std::size_t* used = nullptr);

// The decimal number at the start of a text ("6.5", "-0.5", "325", ".5"); 0 when there is none.
double parseLeadingDecimal(std::u16string_view text);

// A date: the year is the first run of digits; month and day follow, each after "-", "/" or ".";
// a missing part stays 0. Hours are not read.
GameDate parseDate(std::u16string_view text);

} // namespace stonewise
