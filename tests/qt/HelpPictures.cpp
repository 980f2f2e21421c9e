// Draws the pictures of the help from the program's own windows and writes them as HelpImages.dat:
//   qt_help_pictures OUT/HelpImages.dat LOCALE GAME.sgf
// opens GAME.sgf in the viewing mode on a fresh data folder with the interface language of the
// Windows locale number LOCALE (1041 Japanese, 1033 English), offscreen, and grabs in order:
//   0 the main window at move 60 with move numbers, 1 the main tool buttons, 2 the record tool
//   buttons, 3 the help window on its "Using the Help" topic.
// tools/make-help-pictures runs it for both languages into resources/help/.
#include <QApplication>
#include <QFile>
#include <QFont>
#include <QImage>
#include <QtTest>

#include "ImportDialogAnswer.h"
#include "InterfaceTour.h"
#include "app/CommandIds.h"
#include "app/HelpForm.h"
#include "app/ProgramCommands.h"
#include "help/HelpImages.h"
#include "qt/CButtonBox.h"
#include "qt/MainWindow.h"
#include "qt/QtUi.h"

namespace {

// A picture as a device-independent bitmap: BITMAPINFOHEADER, then bottom-up BGR rows padded to
// four bytes.
std::vector<std::uint8_t> deviceIndependentBitmap(const QImage& picture, int maxWidth) {
    QImage image = picture.width() > maxWidth ? picture.scaledToWidth(maxWidth, Qt::SmoothTransformation) : picture;
    image = image.convertToFormat(QImage::Format_RGB888);
    const int stride = (image.width() * 3 + 3) / 4 * 4;
    std::vector<std::uint8_t> dib(40 + static_cast<std::size_t>(stride) * static_cast<std::size_t>(image.height()), 0);
    auto put32 = [&](std::size_t at, std::uint32_t v) {
        for (int i = 0; i < 4; ++i) dib[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(v >> (8 * i));
    };
    put32(0, 40);
    put32(4, static_cast<std::uint32_t>(image.width()));
    put32(8, static_cast<std::uint32_t>(image.height()));
    dib[12] = 1;
    dib[14] = 24;
    put32(20, static_cast<std::uint32_t>(stride * image.height()));
    for (int y = 0; y < image.height(); ++y) {
        const uchar* row = image.constScanLine(image.height() - 1 - y);
        std::uint8_t* out = dib.data() + 40 + static_cast<std::size_t>(stride) * static_cast<std::size_t>(y);
        for (int x = 0; x < image.width(); ++x) {
            out[3 * x] = row[3 * x + 2];
            out[3 * x + 1] = row[3 * x + 1];
            out[3 * x + 2] = row[3 * x];
        }
    }
    return dib;
}

} // namespace

int main(int argc, char** argv) {
    using namespace stonewise;
    QApplication qapp(argc, argv);
    if (argc != 4) {
        qCritical("usage: qt_help_pictures OUT/HelpImages.dat LOCALE GAME.sgf");
        return 2;
    }
    QApplication::setFont(QFont(QStringLiteral("IPAPGothic"), 10));
    test::RunningProgram program(QStringLiteral("LOCALE=") + QString::fromLocal8Bit(argv[2]),
                                 QStringLiteral(STONEWISE_PROGRAM_FOLDER), QSize(1000, 768));
    if (!program.shown()) return 1;
    program.app().takeSampleRecordsOffer();
    MainWindow& window = program.window();
    window.runCommand(kCmdModeViewing);
    test::answerImportDialog("importTemporary");
    window.openFile(QString::fromLocal8Bit(argv[3]));
    window.runCommand(kCmdShowNumbers);
    for (int i = 0; i < 60; ++i) window.runCommand(kCmdForward);
    QTest::qWait(200);

    std::vector<std::vector<std::uint8_t>> pictures;
    pictures.push_back(deviceIndependentBitmap(window.grab().toImage(), 640));
    auto* mainBar = window.findChild<CMainBottons*>();
    auto* subBar = window.findChild<CSubButtons*>();
    if (!mainBar || !subBar) return 1;
    pictures.push_back(deviceIndependentBitmap(mainBar->grab().toImage(), 1000));
    pictures.push_back(deviceIndependentBitmap(subBar->grab().toImage(), 1000));
    window.commands().help().show(40190);
    QWidget* help = window.ui().helpWindow();
    if (!help) return 1;
    help->resize(760, 520);
    QTest::qWait(200);
    pictures.push_back(deviceIndependentBitmap(help->grab().toImage(), 560));

    const std::vector<std::uint8_t> file = HelpImages::write(pictures);
    QFile out(QString::fromLocal8Bit(argv[1]));
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate)) return 1;
    const auto written = out.write(reinterpret_cast<const char*>(file.data()), static_cast<qint64>(file.size()));
    return written == static_cast<qint64>(file.size()) ? 0 : 1;
}
