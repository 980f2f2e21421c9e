#include "app/Printing.h"

#include <algorithm>

#include "app/CIgoBoard.h"
#include "app/CommandLine.h"
#include "app/Ui.h"
#include "formats/GameFileLoader.h"
#include "record/GameInfoText.h"
#include "store/SettingsRecord.h"
#include "view/InfoPanelText.h"
#include "view/PanelStrings.h"

namespace stonewise {

namespace {

// Texts of the dialog and of the job's messages.
enum PrintDialogStringId : int {
    kStrDialogTitle = 56010, // "印刷形式の選択"; 56011..56027 its controls in the order of PrintDialogTexts
    kStrPrintTitle = 56025,  // "印刷": the messages' title
    kStrPrinterFailed = 56030,
    kStrPdfFailed = 56031, // "%s": the file
};

int sizeStep(int stored) { return stored >= 1 && stored <= 3 ? stored : 2; }

} // namespace

PrintJob::PrintJob(PrintDiagram diagram, PrintRecordTexts texts, const PrintOptions& options, const ViewSettings& view,
                   const StringTable* strings)
    : m_diagram(std::move(diagram)), m_texts(std::move(texts)), m_options(options), m_view(view), m_strings(strings) {}

PrintPage PrintJob::layout(double width, double height, const PrintTextMeasure& measure) const {
    return layoutPrintPage(m_diagram, m_texts, m_options, m_view, width, height, measure, m_strings);
}

PrintRecordTexts printRecordTexts(const GameInfo& info, const std::function<std::u16string(int)>& memberName) {
    InfoPanelOptions panel;
    panel.memberName = memberName;
    const InfoPanelTexts names = infoPanelTexts(&info, panel);
    PrintRecordTexts t;
    t.title = info.name;
    t.white = names.whiteName;
    t.black = names.blackName;
    t.date = info.startDate;
    t.handicap = info.handicap;
    t.result = resultText(info);
    return t;
}

PrintJob makePrintJob(const GameRecord& record, const GameInfo& info, int lastMove, const PrintOptions& options,
                      const PrintRecordTexts& texts, const ViewSettings& view, const StringTable* strings) {
    return {buildPrintDiagram(record, info.boardSize(), lastMove, options), texts, options, view, strings};
}

ViewSettings printViewSettings(const SettingsRecord& s, bool japanese) {
    ViewSettings v;
    v.japanese = japanese;
    v.coordinatesHidden = s.coordinatesHidden != 0;
    v.coordinateOrigin = s.coordinateOrigin;
    v.horizontalLabels = s.horizontalLabels;
    v.verticalLabels = s.verticalLabels;
    return v;
}

std::optional<PrintJob> printJobForFile(const PrintCommandLine& command, std::string& error) {
    LoadedGame game = loadGameFile(command.file, {}, {});
    if (!game.ok) {
        error = command.file + ": " + std::string(loadFailureText(game.failure));
        return std::nullopt;
    }
    GameRecord record;
    record.adopt(std::move(game.main));
    PrintOptions options;
    options.board = 2;
    options.numbers = command.numbers;
    options.firstNumber = command.from;
    options.distantList = true;
    return makePrintJob(record, game.info, record.main().lastMoveNumber(), options, printRecordTexts(game.info, {}),
                        ViewSettings{});
}

int Printing::lastMove(const CIgoBoard& board, int boardChoice) {
    if (boardChoice == 2) return board.record().main().lastMoveNumber();
    return board.shownMove();
}

PrintDialogRequest Printing::dialogRequest(const CIgoBoard& board, const SettingsRecord& settings,
                                           const StringTable* strings) {
    PrintDialogRequest r;
    if (m_options) {
        r.options = *m_options;
    } else {
        r.options.numbers = board.options().showNumbers;
    }
    r.options.firstNumber = 1;
    r.options.printSize = sizeStep(settings.printSize);
    r.options.numberSize = sizeStep(settings.printNumberSize);

    const int offset = board.record().main().numberOffset();
    const int last = std::max(lastMove(board, 1), lastMove(board, 2)) + offset;
    for (int n = 1; n == 1 || n < last; n += 20) r.firstNumbers.push_back(n);
    for (int d = 4; d <= 12; ++d) r.distanceLimits.push_back(d);

    PrintDialogTexts& t = r.texts;
    std::u16string* fields[] = {&t.title,       &t.shownBoard,    &t.basicBoard, &t.numbers,   &t.firstNumber,
                                &t.distantList, &t.distanceLimit, &t.printSize,  &t.sizeLarge, &t.sizeMedium,
                                &t.sizeSmall,   &t.numberSize,    &t.number100,  &t.number75,  &t.number50,
                                &t.ok,          &t.cancel,        &t.help};
    int id = kStrDialogTitle;
    for (std::u16string* field : fields) *field = panelText(strings, id++);
    return r;
}

void Printing::run(const CIgoBoard& board, Ui& ui, SettingsRecord& settings, const ViewSettings& view,
                   const std::function<std::u16string(int)>& memberName, const StringTable* strings) {
    const std::optional<PrintOptions> chosen = ui.choosePrintOptions(dialogRequest(board, settings, strings));
    if (!chosen) return;
    m_options = *chosen;
    settings.printSize = static_cast<std::uint16_t>(sizeStep(chosen->printSize));
    settings.printNumberSize = static_cast<std::uint16_t>(sizeStep(chosen->numberSize));

    const PrintJob job = makePrintJob(board.record(), board.gameInfo(), lastMove(board, chosen->board), *chosen,
                                      printRecordTexts(board.gameInfo(), memberName), view, strings);
    const PrintResult result = ui.printPage(job);
    if (result.outcome != PrintOutcome::Failed) return;
    const std::u16string title = panelText(strings, kStrPrintTitle);
    if (!result.pdfPath.empty()) ui.showMessage(panelText(strings, kStrPdfFailed, {fromUtf8(result.pdfPath)}), title);
    else ui.showMessage(panelText(strings, kStrPrinterFailed), title);
}

} // namespace stonewise
