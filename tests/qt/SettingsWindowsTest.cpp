// The settings dialogs in the running program on the offscreen platform: a change with OK is
// stored in the settings file and shown on the board at once, a change with cancel changes nothing.
// With STONEWISE_PICTURE_DIR set, the display settings are also drawn there as "display-settings.png".
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>
#include <functional>

#include "InterfaceTour.h"
#include "app/CommandIds.h"
#include "qt/BoardWidget.h"
#include "qt/MainWindow.h"
#include "qt/SettingsWindows.h"
#include "store/SettingsFile.h"
#include "support/TempFolder.h"

using namespace stonewise;

namespace {

// Runs `act` on the settings dialog that opens next, once it is on the screen.
void whenOpen(std::function<void(QDialog*)> act) {
    auto* poll = new QTimer;
    QObject::connect(poll, &QTimer::timeout, [poll, act] {
        auto* dialog = qobject_cast<SettingsDialog*>(QApplication::activeModalWidget());
        if (!dialog) return;
        poll->stop();
        poll->deleteLater();
        act(dialog);
    });
    poll->start(20);
}

template <class T>
T* control(QWidget* dialog, int id) {
    return dialog->findChild<T*>(QStringLiteral("c%1").arg(id));
}

void press(QWidget* dialog, const char* name) { dialog->findChild<QPushButton*>(QLatin1String(name))->click(); }

SettingsRecord stored(Application& app) {
    SettingsRecord s;
    loadSettings(app.folder(), s, app.strings());
    return s;
}

} // namespace

class SettingsWindowsTest : public QObject {
    Q_OBJECT

    test::TempFolder m_desktop;

private Q_SLOTS:
    void initTestCase() {
        // The function settings look at the desktop's files for ".sgf": a desktop of this test's own.
        qputenv("XDG_DATA_HOME", QByteArray::fromStdString(m_desktop.path() + "data"));
        qputenv("XDG_CONFIG_HOME", QByteArray::fromStdString(m_desktop.path() + "config"));
    }

    void displaySettingsOkIsStoredAndShownCancelChangesNothing() {
        test::RunningProgram program(QString(), QStringLiteral(STONEWISE_PROGRAM_FOLDER), QSize(1000, 768));
        QVERIFY(program.shown());
        MainWindow& window = program.window();
        QVERIFY(!window.boardWidget().viewSettings().coordinatesHidden);
        const bool marksBefore = window.boardWidget().viewSettings().commentMarks;

        QString title;
        whenOpen([&](QDialog* d) {
            title = d->windowTitle();
            control<QCheckBox>(d, 32907)->click(); // "表示しない"
            QVERIFY(!control<QAbstractButton>(d, 1055)->isEnabled());
            control<QCheckBox>(d, 1177)->click();
            auto* numbers = control<QComboBox>(d, 1078);
            numbers->setEditText(QStringLiteral("4"));
            auto* flash = control<QComboBox>(d, 1167);
            flash->setCurrentIndex(5);
            Q_EMIT flash->activated(5);
            const QByteArray dir = qgetenv("STONEWISE_PICTURE_DIR");
            if (!dir.isEmpty())
                QVERIFY(d->grab().save(QString::fromLocal8Bit(dir) + QStringLiteral("/display-settings.png")));
            press(d, "ok");
        });
        window.runCommand(kCmdDisplaySettings);
        QCOMPARE(title, QStringLiteral("表示設定"));
        for (const SettingsRecord& s : {program.app().settings(), stored(program.app())}) {
            QCOMPARE(s.coordinatesHidden, std::uint16_t{1});
            QCOMPARE(s.numbersBeforeLastMove, std::uint16_t{4});
            QCOMPARE(s.flashSpeed, std::uint16_t{50});
        }
        const ViewSettings shown = window.boardWidget().viewSettings();
        QVERIFY(shown.coordinatesHidden);
        QCOMPARE(shown.numbersBeforeLast, 4);
        QCOMPARE(shown.commentMarks, !marksBefore);
        QCOMPARE(window.board().options().flashSpeed, 50);

        const SettingsRecord before = program.app().settings();
        whenOpen([](QDialog* d) {
            control<QCheckBox>(d, 32907)->click();
            control<QCheckBox>(d, 32906)->click();
            press(d, "cancel");
        });
        window.runCommand(kCmdDisplaySettings);
        QVERIFY(program.app().settings() == before);
        QVERIFY(stored(program.app()) == before);
        QVERIFY(window.boardWidget().viewSettings().coordinatesHidden);
    }

    void functionSettingsFollowTheModeAndKeepAnEmptyPatternOpen() {
        test::RunningProgram program(QString(), QStringLiteral(STONEWISE_PROGRAM_FOLDER), QSize(1000, 768));
        QVERIFY(program.shown());
        MainWindow& window = program.window();
        window.runCommand(kCmdModePlayAndRecord);
        const std::uint16_t sgfBefore = program.app().settings().saveSgfToo;
        QString name;
        whenOpen([&](QDialog* d) {
            name = d->objectName();
            QVERIFY(!control<QCheckBox>(d, 1054)); // the Mail Go part is not there
            control<QCheckBox>(d, 1073)->click();
            press(d, "ok");
        });
        window.runCommand(kCmdFunctionSettings);
        QCOMPARE(name, QStringLiteral("settings251"));
        QCOMPARE(stored(program.app()).saveSgfToo, std::uint16_t(sgfBefore == 0 ? 1 : 0));

        window.runCommand(kCmdModeMailGo);
        bool stayedOpen = false;
        whenOpen([&](QDialog* d) {
            name = d->objectName();
            auto* pattern = control<QCheckBox>(d, 1054);
            auto* text = control<QLineEdit>(d, 1036);
            if (pattern->isChecked()) pattern->click();
            QVERIFY(!text->isEnabled());
            pattern->click();
            QVERIFY(text->isEnabled());
            text->selectAll();
            QTest::keyClick(text, Qt::Key_Delete);
            press(d, "ok");
            stayedOpen = d->isVisible();
            QTest::keyClicks(text, QStringLiteral("Game *"));
            press(d, "ok");
        });
        window.runCommand(kCmdFunctionSettings);
        QCOMPARE(name, QStringLiteral("settings250"));
        QVERIFY(stayedOpen);
        QCOMPARE(program.app().settings().mailGoTitlePattern, std::optional<std::u16string>(u"Game *"));
    }
};

QTEST_MAIN(SettingsWindowsTest)
#include "SettingsWindowsTest.moc"
