#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "record/GameInfo.h"
#include "view/PrintDiagram.h"
#include "view/ViewSettings.h"

namespace stonewise {

class StringTable;

// Numbers of the texts a printed page carries.
enum PrintStringId : int {
    kStrPrintSample = 17000,    // the widest line of the text area, measured for its columns
    kStrPrintOverflow = 17001,  // "行数超過：印刷中断"
    kStrPrintDate = 56000,      // "対局日： %4d/%2d/%2d"
    kStrPrintWhite = 56001,     // "白番： %s"
    kStrPrintBlack = 56002,     // "黒番： %s"
    kStrPrintHandicap = 56003,  // "ハンディ： %s"
    kStrPrintLastMove = 56004,  // "最終手： %3d （%s，%s）"
    kStrPrintLastPass = 56005,  // "最終手： %3d （パス）"
    kStrPrintPrisoners = 56006, // "アゲハマ： 白 %d、 黒 %d"
    kStrPrintResult = 56007,    // "勝敗： %s"
    kStrPrintRetaken = 56008,   // "%3d （%s，%s） %dでヌキ"
    kStrPrintDistant = 56009,   // "%3d （%s，%s）"
};

// A font of the printed page: its height in device units and its weight (400 normal, 700 bold).
// The face is the program's proportional Gothic.
struct PrintFont {
    double height = 0;
    int weight = 400;
    bool operator==(const PrintFont&) const = default;
};

struct PrintTextSize {
    double width = 0;
    double height = 0;
};

// Measures a text in a font, in device units; the printer's own measure where there is one.
using PrintTextMeasure = std::function<PrintTextSize(const PrintFont&, std::u16string_view)>;
// A measure without a printer: full-width characters as wide as the font is high, others half.
PrintTextSize estimateTextSize(const PrintFont& font, std::u16string_view text);

// A rectangle of the page in device units.
struct PrintRect {
    double x = 0;
    double y = 0;
    double width = 0;
    double height = 0;
};

// One thing drawn on the page, in device units, in the order given.
struct PrintOp {
    enum class Kind : std::uint8_t {
        Line, // from (x, y) to (x2, y2), black or white, pen `pen`
        Disc, // a circle of `radius` around (x, y), filled black or white, outlined black with `pen` (0: none)
        Text, // `text` in `font`, in the box `x, y, w, h`: centred in it, or from its left edge
        Ring, // the outline of a circle of `radius` around (x, y), black or white, pen `pen`
    };
    Kind kind = Kind::Line;
    double x = 0, y = 0, x2 = 0, y2 = 0;
    double w = 0, h = 0;
    double radius = 0;
    double pen = 0;
    bool white = false; // a white disc, line, ring or text
    bool centred = false;
    PrintFont font;
    std::u16string text;

    // The part of the page the step covers.
    PrintRect bounds() const;
};

// Where the parts of a page lie, from the printable size, the print size (1..3) and the board's lines.
struct PrintGeometry {
    double shorter = 0;    // S
    double longer = 0;     // L
    double margin = 0;     // M, reduced with the print size
    double top = 0;        // T
    double bottom = 0;     // B, the lowest edge of the text
    double boardWidth = 0; // W
    double pitch = 0;      // P, the distance between two lines of the board
    double textTop = 0;    // Y0, where the text area starts
};
PrintGeometry printGeometry(double pageWidth, double pageHeight, int printSize, int lines);

// The font of move numbers with `digits` digits for the pitch and number size (1..3).
PrintFont printNumberFont(double pitch, int digits, int numberSize);

// What the text area says of the game.
struct PrintRecordTexts {
    std::u16string title; // the game name
    std::u16string white;
    std::u16string black;
    GameDate date;
    int handicap = 0;
    std::u16string result; // the result text; empty while the game is in play
};

// The lines of the text area in order: the game's lines, an empty line, then the notes whose number
// lies between the first number and the last move printed.
std::vector<std::u16string> printTextLines(const PrintDiagram& diagram, const PrintRecordTexts& texts,
                                           const PrintOptions& options, const ViewSettings& settings,
                                           const StringTable* strings = nullptr);

// A laid-out page, everything inside [0, width] × [0, height] of a portrait page (a landscape
// sheet is printed turned).
struct PrintPage {
    std::u16string documentName;
    double width = 0;
    double height = 0;
    PrintGeometry geometry;
    std::vector<PrintOp> ops;
    int columns = 0;
    int linesPerColumn = 0;
    int linesPrinted = 0; // text lines placed, the overflow notice not counted
    bool overflow = false;
};

// Lays out the page of a diagram with its texts on a printable area of `pageWidth` × `pageHeight`
// device units: the title, the board with its coordinates, stones, numbers and marks (a mark on a
// numbered stone is left out: the number names the stone), and the text area in
// columns. Lines that do not fit end with the overflow notice in the last place; a line wider than
// its column is cut with "…".
PrintPage layoutPrintPage(const PrintDiagram& diagram, const PrintRecordTexts& texts, const PrintOptions& options,
                          const ViewSettings& settings, double pageWidth, double pageHeight,
                          const PrintTextMeasure& measure = estimateTextSize, const StringTable* strings = nullptr);

} // namespace stonewise
