#pragma once

#include <string>
#include <string_view>

namespace stonewise {

// How the texts of an SGF file are written.
enum class SgfTextRules {
    // The family's own files (AP[Tamarindo:...]): in comments each backslash stands for a line-break
    // character, CR and LF alternately, so "\\" is one line break; raw line breaks in a value are
    // not text. "\]" is a bracket and "\/" a backslash (the writer's escapes).
    Family,
    // Everybody else's files, SGF FF[4]: a backslash escapes the next character ("\]", "\\"), a
    // backslash before a line break is a soft break and vanishes, line breaks in a comment are kept.
    Standard,
};

// Appends the text of a comment value (C, GC) to `out`; line breaks come out as CR LF.
void appendCommentText(std::u16string_view raw, SgfTextRules rules, std::u16string& out);

// Appends the text of a one-line value (names, places, dates, labels) to `out`: escapes resolved;
// line breaks become a blank under the standard rules and vanish under the family's.
void appendSimpleText(std::u16string_view raw, SgfTextRules rules, std::u16string& out);

// Appends a comment in the family's form: every line break (CR LF, a lone CR or a lone LF) as "\\",
// "]" as "\]" and a backslash as "\/", so that the family's reader gets the same text back.
void appendEscapedComment(std::u16string_view text, std::u16string& out);

// Appends a comment as SGF FF[4] text: each line break (CR LF, a lone CR or a lone LF) as a real
// CR LF, "]" and "\" escaped with a backslash. Read back under the standard rules it gives the same
// text, with every line break as CR LF.
void appendStandardComment(std::u16string_view text, std::u16string& out);

// Appends a one-line text with "\" and "]" escaped as "\\" and "\]".
void appendEscapedSimpleText(std::u16string_view text, std::u16string& out);

// The text without trailing blanks (U+0020 and the ideographic space U+3000).
std::u16string_view trimTrailingBlanks(std::u16string_view text);

} // namespace stonewise
