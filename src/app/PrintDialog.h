#pragma once

#include <optional>
#include <string>
#include <vector>

#include "view/PrintDiagram.h"

namespace stonewise {

// Every text of "印刷形式の選択" comes with the request, from the program's table of texts.
struct PrintDialogTexts {
    std::u16string title, shownBoard, basicBoard, numbers, firstNumber, distantList, distanceLimit;
    std::u16string printSize, sizeLarge, sizeMedium, sizeSmall;
    std::u16string numberSize, number100, number75, number50;
    std::u16string ok, cancel, help;
};

// "印刷形式の選択": the options as they stand and the values the combo boxes offer.
struct PrintDialogRequest {
    PrintDialogTexts texts;
    PrintOptions options;
    std::vector<int> firstNumbers;   // 1, 21, 41, … below the larger last move of the two boards
    std::vector<int> distanceLimits; // 4..12
};

// How a print job ended.
enum class PrintOutcome {
    Printed,
    Cancelled, // the print dialog was closed without printing: nothing is said
    Failed,    // the printer refused the page, or the PDF file could not be written
};

struct PrintResult {
    PrintOutcome outcome = PrintOutcome::Cancelled;
    std::string pdfPath; // the file chosen when the page went to a PDF file
};

} // namespace stonewise
