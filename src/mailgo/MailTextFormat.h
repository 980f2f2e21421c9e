#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace stonewise {

// How the numbers of a mail text are written: ASCII digits ("12", "16,4"), or the Japanese way with
// full-width digits for move numbers and columns and kanji numerals for rows ("１２", "１６、四").
enum class NumberStyle { Ascii, Japanese };

// A move number (at most 3 digits); empty when it has more.
std::u16string mailMoveNumber(int number, NumberStyle style);
// A point from its 0-based board indices: "16,4" or "１６、四". Either field is empty when its
// 1-based number has more than 2 digits.
std::u16string mailPoint(int x, int y, NumberStyle style);
// A row in kanji numerals: 4 "四", 10 "十", 13 "十三", 20 "二十"; empty beyond 2 digits.
std::u16string kanjiRow(int row);
// The blanks that follow a point so that comments line up: 5 minus the digits of the point
// (column and row), 2 for a pass; ASCII spaces or U+3000.
std::u16string mailPadding(int pointDigits, NumberStyle style);
// Decimal digits of a non-negative number.
int decimalDigits(int number);

// The whole line matches the game-title pattern: "*" or "＊" stands for one or more characters,
// every other character matches itself, and at least one character must match outside the
// wildcards. An empty pattern matches nothing; lines beyond 1,000 characters never match.
bool matchesTitlePattern(std::u16string_view line, std::u16string_view pattern);

// Blanks of a mail text: ASCII space, U+3000 and tab.
constexpr bool isMailBlank(char16_t c) { return c == u' ' || c == u'\u3000' || c == u'\t'; }

// The value of a number character: ASCII and full-width digits, kanji numerals "〇".."九", and "十"
// worth 1 (see readMailNumber). Nothing for any other character.
std::optional<int> mailDigitValue(char16_t c);
// Reads a number from the start of `text` (ASCII, full-width or kanji digits); "十" counts 1 and,
// as the last character, multiplies the result by ten ("十" 10, "十三" 13, "十九" 19). Sets `used`
// to the characters read. Nothing when no digit starts the text or the value passes 100,000.
std::optional<int> readMailNumber(std::u16string_view text, std::size_t& used);

} // namespace stonewise
