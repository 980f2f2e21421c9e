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

// A date. Year first ("2004-04-10", "1998/7", "1856年5月16日"): month and day follow, each
// directly after "-", "/", "." (or 年, 月). Otherwise, when the text opens with a short number
// ("16th of May 1856", "May 16, 1856"), the first four-digit number is the year, an English month
// name the month and a number up to 31 the day. A part that cannot be read stays 0; hours are
// not read.
GameDate parseDate(std::u16string_view text);

} // namespace stonewise
