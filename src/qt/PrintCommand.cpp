#include "qt/PrintCommand.h"

#include <QGuiApplication>

#include <cstdio>
#include <string>

#include "app/CommandLine.h"
#include "app/Printing.h"
#include "qt/PrintPainter.h"
#include "qt/QtText.h"
#include "record/Text.h"

namespace stonewise {

namespace {
constexpr int kStrPdfFailed = 56031; // "%s": the file
}

int runPrintCommand(const PrintCommandLine& command, int& argc, char** argv) {
    if (!command.error.empty()) {
        std::fprintf(stderr, "stonewise: %s\nusage: stonewise --print FILE.sgf --pdf OUT.pdf [--numbers] [--from N]\n",
                     command.error.c_str());
        return 2;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    const QGuiApplication app(argc, argv);
    std::string error;
    const std::optional<PrintJob> job = printJobForFile(command, error);
    if (!job) {
        std::fprintf(stderr, "stonewise: %s\n", error.c_str());
        return 1;
    }
    if (!writePrintPdf(QString::fromStdString(command.pdf), *job)) {
        const std::u16string text = formatText(uiText(kStrPdfFailed), {fromUtf8(command.pdf)});
        std::fprintf(stderr, "stonewise: %s\n", toUtf8(text).c_str());
        return 1;
    }
    return 0;
}

} // namespace stonewise
