#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/PrintDialog.h"
#include "view/PrintLayout.h"

namespace stonewise {

class CIgoBoard;
class GameRecord;
class StringTable;
class Ui;
struct GameInfo;
struct SettingsRecord;

// A page ready to print: the diagram and texts of a game with the options chosen. The printer
// gives the page size and the text measure at the last moment.
class PrintJob {
public:
    PrintJob(PrintDiagram diagram, PrintRecordTexts texts, const PrintOptions& options, const ViewSettings& view,
             const StringTable* strings);

    // The print document is named after the game.
    const std::u16string& documentName() const { return m_texts.title; }
    const PrintDiagram& diagram() const { return m_diagram; }
    // The page on a printable area of `width` × `height` device units.
    PrintPage layout(double width, double height, const PrintTextMeasure& measure) const;

private:
    PrintDiagram m_diagram;
    PrintRecordTexts m_texts;
    PrintOptions m_options;
    ViewSettings m_view;
    const StringTable* m_strings;
};

// The texts of a game for its page: the game name, the players (`memberName` for a header without
// names; may be null), the date, the handicap and the result.
PrintRecordTexts printRecordTexts(const GameInfo& info, const std::function<std::u16string(int)>& memberName);

// The job of printing `record` up to `lastMove` with `options`.
PrintJob makePrintJob(const GameRecord& record, const GameInfo& info, int lastMove, const PrintOptions& options,
                      const PrintRecordTexts& texts, const ViewSettings& view, const StringTable* strings = nullptr);

struct PrintCommandLine;

// The job of "--print FILE --pdf OUT": the whole main record of the file, the distant moves listed
// (distance 8), sizes as the dialog starts. Nothing, and `error` says why, when the file cannot be
// read.
std::optional<PrintJob> printJobForFile(const PrintCommandLine& command, std::string& error);

// The coordinate labels of the settings, as the board shows them.
ViewSettings printViewSettings(const SettingsRecord& settings, bool japanese);

// "印刷...": the dialog "印刷形式の選択", then the print job through the desktop's print dialog. The
// options stay from one printing to the next; the print and number sizes are kept in the settings.
class Printing {
public:
    // What the dialog is shown for the board window: its options, the first number back at 1.
    PrintDialogRequest dialogRequest(const CIgoBoard& board, const SettingsRecord& settings,
                                     const StringTable* strings = nullptr);
    // The last move printed for board choice 1 (the move shown) or 2 (the end of the main record).
    static int lastMove(const CIgoBoard& board, int boardChoice);
    // Runs the command: nothing is printed when the dialog or the print dialog is cancelled; a
    // printer or PDF file that fails is said.
    void run(const CIgoBoard& board, Ui& ui, SettingsRecord& settings, const ViewSettings& view,
             const std::function<std::u16string(int)>& memberName, const StringTable* strings = nullptr);
    // The options of the last printing, none before the first.
    const std::optional<PrintOptions>& options() const { return m_options; }

private:
    std::optional<PrintOptions> m_options;
};

} // namespace stonewise
