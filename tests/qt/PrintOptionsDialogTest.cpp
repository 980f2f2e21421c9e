#include <QCheckBox>
#include <QComboBox>
#include <QImage>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QTransform>
#include <QtTest>

#include "app/Printing.h"
#include "qt/PrintOptionsDialog.h"
#include "qt/PrintPainter.h"
#include "store/SettingsRecord.h"
#include "support/BoardFixture.h"

using namespace stonewise;

// "印刷形式の選択" on the screen: it starts from the core's options and hands back the user's; and the
// page painted on a sheet either way round.
class PrintOptionsDialogTest : public QObject {
    Q_OBJECT

    template <class W>
    static W* named(QWidget& dialog, const QString& text) {
        for (W* w : dialog.findChildren<W*>())
            if (w->text() == text) return w;
        return nullptr;
    }

    static PrintDialogRequest request() {
        test::TestBoard t;
        std::u16string sgf = u"(;SZ[19]";
        for (int k = 0; k < 50; ++k)
            sgf += std::u16string(k % 2 ? u";W[" : u";B[") + static_cast<char16_t>(u'a' + k % 19) +
                   static_cast<char16_t>(u'a' + k / 19 + (k % 2) * 10) + u"]";
        t.load(sgf + u")");
        SettingsRecord settings;
        settings.printSize = 1;
        settings.printNumberSize = 3;
        Printing printing;
        return printing.dialogRequest(t.board, settings);
    }

private Q_SLOTS:
    void choicesComeBack() {
        const PrintDialogRequest r = request();
        PrintOptionsDialog dialog(r, nullptr);
        QCOMPARE(dialog.windowTitle(), QStringLiteral("印刷形式の選択"));
        QVERIFY(named<QRadioButton>(dialog, QStringLiteral("現表示の盤面を印刷"))->isChecked());
        QVERIFY(named<QRadioButton>(dialog, QStringLiteral("大きい(100%)"))->isChecked());
        QVERIFY(named<QRadioButton>(dialog, QStringLiteral("50%"))->isChecked());
        const auto combos = dialog.findChildren<QComboBox*>();
        QCOMPARE(combos.size(), 2);
        QCOMPARE(combos[0]->count(), 3); // 1, 21, 41 below 50
        QCOMPARE(combos[1]->currentText(), QStringLiteral("8"));
        QVERIFY(!named<QPushButton>(dialog, QStringLiteral("？"))->isEnabled());

        named<QRadioButton>(dialog, QStringLiteral("基本棋譜の盤面を印刷"))->click();
        named<QCheckBox>(dialog, QStringLiteral("手順番号を印刷"))->setChecked(true);
        combos[0]->setCurrentIndex(combos[0]->findData(41));
        named<QCheckBox>(dialog, QStringLiteral("離れた着手のリストを印刷する"))->setChecked(true);
        combos[1]->setCurrentIndex(combos[1]->findData(5));
        named<QRadioButton>(dialog, QStringLiteral("中サイズ（75%）"))->click();
        named<QRadioButton>(dialog, QStringLiteral("100%"))->click();
        named<QPushButton>(dialog, QStringLiteral("印刷"))->click();
        const std::optional<PrintOptions> chosen = dialog.chosen();
        QVERIFY(chosen);
        QCOMPARE(chosen->board, 2);
        QVERIFY(chosen->numbers);
        QCOMPARE(chosen->firstNumber, 41);
        QVERIFY(chosen->distantList);
        QCOMPARE(chosen->distanceLimit, 5);
        QCOMPARE(chosen->printSize, 2);
        QCOMPARE(chosen->numberSize, 1);
    }

    // A landscape sheet takes the portrait page turned a quarter: turned back, it is the upright page.
    void aLandscapeSheetHoldsTheWholePageTurned() {
        test::TestBoard t;
        t.load(u"(;GN[横向き]SZ[19];B[aa];W[ss];B[as];W[sa];B[jj])");
        PrintOptions options;
        options.numbers = true;
        options.printSize = 1;
        const PrintJob job = makePrintJob(t.board.record(), t.board.gameInfo(), 5, options, {u"横向き"}, {});
        const auto sheet = [&job](int width, int height) {
            QImage image(width, height, QImage::Format_Grayscale8);
            image.fill(Qt::white);
            QPainter painter(&image);
            paintPrintPage(painter, job.layout(width, height, printMeasure(&image)), width > height, width);
            painter.end();
            return image;
        };
        const QImage upright = sheet(850, 1100);
        const QImage turned = sheet(1100, 850).transformed(QTransform().rotate(-90));
        QCOMPARE(turned.size(), upright.size());
        long dark = 0;
        long differing = 0;
        for (int y = 0; y < upright.height(); ++y)
            for (int x = 0; x < upright.width(); ++x) {
                const int a = qGray(upright.pixel(x, y));
                dark += a < 128;
                differing += std::abs(a - qGray(turned.pixel(x, y))) > 100;
            }
        QVERIFY(dark > 1000);
        QVERIFY2(differing < dark / 50, qPrintable(QStringLiteral("%1 of %2 differ").arg(differing).arg(dark)));
    }

    void cancelChoosesNothing() {
        PrintOptionsDialog dialog(request(), nullptr);
        named<QCheckBox>(dialog, QStringLiteral("手順番号を印刷"))->setChecked(true);
        named<QPushButton>(dialog, QStringLiteral("キャンセル"))->click();
        QVERIFY(!dialog.chosen());
    }
};

QTEST_MAIN(PrintOptionsDialogTest)
#include "PrintOptionsDialogTest.moc"
