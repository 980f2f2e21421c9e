#pragma once

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace stonewise {

// Tokens of an SGF text: the structure characters and the properties the program understands.
enum SgfToken : std::uint8_t {
    kSgfEnd = 0,
    kSgfOpen = 1,
    kSgfClose = 2,
    kSgfSemicolon = 3,
    kSgfFF = 4,
    kSgfGM = 5,
    kSgfSZ = 6,
    kSgfHA = 7,
    kSgfKM = 8,
    kSgfRE = 9,
    kSgfAP = 10,
    kSgfAB = 11,
    kSgfAW = 12,
    kSgfW = 13,
    kSgfB = 14,
    kSgfC = 15,
    kSgfEV = 16,
    kSgfGC = 17,
    kSgfGN = 18,
    kSgfPB = 19,
    kSgfPW = 20,
    kSgfDT = 21,
    kSgfRO = 22,
    kSgfBR = 23,
    kSgfWR = 24,
    kSgfPC = 25,
    kSgfPL = 26,
    kSgfAE = 27,
    kSgfMA = 30,
    kSgfTR = 31,
    kSgfCR = 32,
    kSgfSQ = 33,
    kSgfLB = 34,
    // Game information the header has no field for, kept as it stands and written back.
    kSgfAN = 35,
    kSgfBT = 36,
    kSgfCP = 37,
    kSgfON = 38,
    kSgfOT = 39,
    kSgfRU = 40,
    kSgfSO = 41,
    kSgfTM = 42,
    kSgfUS = 43,
    kSgfWT = 44,
    kSgfN = 45,        // a node's name: kept as the first line of its comment
    kSgfUnknown = 255, // a property the program does not use (skipped with its values)
};

// The identifier of a property of the root node that the record keeps as it stands and the writer
// gives back (PL, AE, and the game information the header has no field for: rules, times, source,
// annotator, teams, …); nullptr for any other token.
const char16_t* keptRootPropertyId(SgfToken token);

// One bracketed value: the characters between "[" and its closing "]", escapes still in place.
struct SgfValueSpan {
    std::uint32_t begin = 0;
    std::uint32_t end = 0;
};

// What a point value stands for.
enum class SgfPointKind { Invalid, Point, Pass };

// Decodes a point value: two letters (either case), "a" = 0 .. "s" = 18, column first. A value
// with a "t" in it is a pass; anything else (other lengths, letters beyond "t") is invalid.
inline SgfPointKind parseSgfPoint(std::u16string_view value, int& x, int& y) {
    if (value.size() != 2) return SgfPointKind::Invalid;
    // Letters of either case: with the case bit set, A..Z and a..z are 0x61..0x7A, and nothing
    // else is.
    const int a = (value[0] | 0x20) - u'a';
    const int b = (value[1] | 0x20) - u'a';
    if (a < 0 || a > 25 || b < 0 || b > 25) return SgfPointKind::Invalid;
    if (a == 19 || b == 19) return SgfPointKind::Pass;
    if (a > 18 || b > 18) return SgfPointKind::Invalid;
    x = a;
    y = b;
    return SgfPointKind::Point;
}

// The start of the first game tree: the first "(" followed by ";" (blanks between), else the
// first "(" followed by a property, else the first "(" at all; npos when there is none. Text before
// it (a licence, mail headers) is not SGF.
std::size_t findGameStart(std::u16string_view text);

// A scanner over SGF text held as UTF-16. It returns one token at a time; a property comes with all
// its bracketed values. Property identifiers are folded to upper case ("b" is B, "Ab" is AB); in
// the long identifiers of old files only the capitals count ("AddBlack" is AB). Blanks (any
// character up to U+0020) between tokens are skipped; anything else that is not a token is skipped
// too. A value ends at the first "]" not escaped by a backslash; a value without its "]" ends the
// text. Never allocates per token.
class SgfScanner {
public:
    explicit SgfScanner(std::u16string_view text, std::size_t start = 0);

    // The next token.
    SgfToken next();
    // The values of the property just returned.
    std::span<const SgfValueSpan> values() const {
        return std::span<const SgfValueSpan>(m_values).subspan(m_firstValue);
    }
    std::u16string_view value(std::size_t i) const { return text(m_values[m_firstValue + i]); }
    std::u16string_view firstValue() const { return values().empty() ? std::u16string_view() : value(0); }
    // The text of a value.
    std::u16string_view text(const SgfValueSpan& v) const { return {m_text.data() + v.begin, v.end - v.begin}; }

    // A reader that applies the properties of a node together keeps their values here: the values
    // of each property returned stay after those of the one before (the property's own start at
    // `firstValueIndex`) until `releaseValues`, which keeps the first `keep` of them.
    void holdValues(bool on = true) { m_hold = on; }
    const std::vector<SgfValueSpan>& heldValues() const { return m_values; }
    std::size_t firstValueIndex() const { return m_firstValue; }
    void releaseValues(std::size_t keep = 0) {
        m_values.resize(keep);
        m_firstValue = keep;
    }
    // The tag character standing directly after the "(" just returned, before its ";" (the family's
    // old files write "(R;" for a reference sequence); 0 when there is none.
    char16_t openTag() const { return m_openTag; }
    std::size_t position() const { return m_pos; }
    std::u16string_view text() const { return m_text; }

private:
    enum class ValueRead { None, Values, Unterminated };
    // Where the values of the next property begin (after those held).
    void startValues();
    ValueRead readValues();

    std::u16string_view m_text;
    std::size_t m_pos = 0;
    std::vector<SgfValueSpan> m_values;
    std::size_t m_firstValue = 0;
    bool m_hold = false;
    char16_t m_openTag = 0;
};

} // namespace stonewise
