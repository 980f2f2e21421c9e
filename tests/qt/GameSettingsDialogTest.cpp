#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QRadioButton>
#include <QTimer>
#include <QtTest>

#include "app/Application.h"
#include "app/CIgoBoard.h"
#include "app/CommandIds.h"
#include "app/GameSettings.h"
#include "app/GameSettingsTexts.h"
#include "qt/GameSettingsDialog.h"
#include "qt/MainWindow.h"
#include "store/MemberList.h"
#include "support/ScriptedUi.h"
#include "support/TempFolder.h"

using namespace stonewise;

// The game settings dialog "対局設定" on the screen: it shows the core's values, hands the user's
// back, and stays open on a refusal. STONEWISE_PICTURES=DIR also writes pictures of the dialog and
// of the board after a new game.
class GameSettingsDialogTest : public QObject {
    Q_OBJECT

    static void selectData(QComboBox* box, int key) {
        const int index = box->findData(key);
        QVERIFY(index >= 0);
        box->setCurrentIndex(index);
        Q_EMIT box->activated(index);
    }

private Q_SLOTS:
    void valuesComeBackAndARefusalKeepsItOpen() {
        MemberList members;
        for (const char16_t* name : {u"不明", u"白川", u"黒田"}) { // member 0 is the unknown player
            MemberRecord m;
            m.name = name;
            members.add(m);
        }
        GameInfo info;
        info.number = 7;
        info.name = u"秋の対局";
        info.whitePlayer = members.findByName(u"白川");
        info.blackPlayer = members.findByName(u"黒田");
        info.komi = 6.5f;
        test::ScriptedUi ui;
        GameSettings settings(info, members, nullptr, &ui, {});
        GameSettingsDialog dialog(settings, nullptr);

        auto* name = dialog.findChild<QLineEdit*>(QStringLiteral("name"));
        auto* white = dialog.findChild<QComboBox*>(QStringLiteral("whitePlayer"));
        auto* komi = dialog.findChild<QComboBox*>(QStringLiteral("komi"));
        QVERIFY(name && white && komi);
        QCOMPARE(name->text(), QStringLiteral("秋の対局"));
        QCOMPARE(white->currentText(), QStringLiteral("白川"));
        QCOMPARE(komi->currentData().toInt(), 65);

        // A refusal: the message is shown and the dialog stays.
        name->clear();
        dialog.accept();
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        QCOMPARE(ui.messages.size(), std::size_t{1});
        QCOMPARE(ui.messages[0].text, std::u16string(uiText(kStrNameMissing)));

        name->setText(QStringLiteral("冬の対局"));
        white->setEditText(QStringLiteral("新顔"));
        dialog.findChild<QRadioButton*>(QStringLiteral("handicapGame"))->setChecked(true);
        selectData(dialog.findChild<QComboBox*>(QStringLiteral("stones")), 3);
        selectData(komi, 5);
        dialog.findChild<QCheckBox*>(QStringLiteral("protect"))->setChecked(true);
        dialog.findChild<QCheckBox*>(QStringLiteral("useCloud"))->setChecked(true);
        dialog.findChild<QLineEdit*>(QStringLiteral("subject"))->setText(QStringLiteral("次の一手"));
        if (const QByteArray dir = qgetenv("STONEWISE_PICTURES"); !dir.isEmpty()) {
            dialog.show();
            QVERIFY(QTest::qWaitForWindowExposed(&dialog));
            QVERIFY(dialog.grab().save(QString::fromLocal8Bit(dir) + QStringLiteral("/game-settings.png")));
        }
        dialog.accept();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        // The result dialog gives back what it shows.
        ResultDialog result({kWhiteWins, WinKind::Points, 3.5f, {2026, 12, 10, 16}}, nullptr);
        if (const QByteArray dir = qgetenv("STONEWISE_PICTURES"); !dir.isEmpty()) {
            result.show();
            QVERIFY(QTest::qWaitForWindowExposed(&result));
            QVERIFY(result.grab().save(QString::fromLocal8Bit(dir) + QStringLiteral("/result.png")));
        }
        result.accept();
        const ResultDialogResult chosen = result.result();
        QVERIFY(chosen.accepted);
        QCOMPARE(chosen.winner, std::int16_t{kWhiteWins});
        QCOMPARE(chosen.kind, WinKind::Points);
        QCOMPARE(chosen.points, 3.5f);
        QCOMPARE(int(chosen.endDate.hour), 16);
        const GameInfo& made = settings.result();
        QCOMPARE(made.name, std::u16string(u"冬の対局"));
        QCOMPARE(made.handicap, std::int16_t{3});
        QCOMPARE(made.komi, 0.5f);
        QVERIFY(made.isProtected());
        QCOMPARE(made.gameComment, std::u16string(u"次の一手"));
        // The typed name became a member, and said so.
        QCOMPARE(members.find(made.whitePlayer)->name, std::u16string(u"新顔"));
        QCOMPARE(ui.messages.back().title, std::u16string(uiText(11804)));
    }

    // "新規対局" in the window: the dialog comes up, takes a name and two players, and the board
    // shows the new game with its handicap stones.
    void aNewGameFromTheWindow() {
        test::TempFolder folder;
        Application app{CommandLine{}, DataFolder(folder.path()), std::string()};
        app.chooseLanguage(0x0411);
        app.loadSettings(nullptr);
        app.settings().komiAsInteger = 0;
        MainWindow window(app);
        window.resize(1200, 900);
        window.startUp();
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        window.runCommand(kCmdModePlayAndRecord);
        bool filled = false;
        // Message boxes (the two new members) are answered; the dialog is filled in and confirmed.
        QTimer answer;
        answer.setInterval(30);
        connect(&answer, &QTimer::timeout, this, [&] {
            QWidget* modal = QApplication::activeModalWidget();
            if (auto* box = qobject_cast<QMessageBox*>(modal)) {
                box->done(0);
            } else if (auto* dialog = qobject_cast<GameSettingsDialog*>(modal); dialog && !filled) {
                filled = true;
                dialog->findChild<QLineEdit*>(QStringLiteral("name"))->setText(QStringLiteral("三子局の稽古"));
                dialog->findChild<QComboBox*>(QStringLiteral("whitePlayer"))->setEditText(QStringLiteral("本因坊"));
                dialog->findChild<QComboBox*>(QStringLiteral("blackPlayer"))->setEditText(QStringLiteral("安井"));
                dialog->findChild<QComboBox*>(QStringLiteral("blackRank"))->setEditText(QStringLiteral("三段"));
                dialog->findChild<QRadioButton*>(QStringLiteral("handicapGame"))->setChecked(true);
                selectData(dialog->findChild<QComboBox*>(QStringLiteral("stones")), 3);
                selectData(dialog->findChild<QComboBox*>(QStringLiteral("komi")), 5);
                if (const QByteArray dir = qgetenv("STONEWISE_PICTURES"); !dir.isEmpty())
                    dialog->grab().save(QString::fromLocal8Bit(dir) + QStringLiteral("/game-settings-new.png"));
                // Confirmed after this tick: the messages it shows need the timer again.
                QTimer::singleShot(0, dialog, [dialog] { dialog->accept(); });
            }
        });
        answer.start();
        window.runCommand(kCmdNewGame);
        answer.stop();
        QVERIFY(filled);
        QCOMPARE(window.board().gameInfo().name, std::u16string(u"三子局の稽古"));
        QCOMPARE(window.board().record().main().handicapCount(), 3);
        QCOMPARE(window.board().gameInfo().komi, 0.5f);
        QVERIFY(window.windowTitle().startsWith(QStringLiteral("三子局の稽古")));
        if (const QByteArray dir = qgetenv("STONEWISE_PICTURES"); !dir.isEmpty()) {
            QTest::qWait(100);
            QVERIFY(window.grab().save(QString::fromLocal8Bit(dir) + QStringLiteral("/new-game-board.png")));
        }
    }
};

QTEST_MAIN(GameSettingsDialogTest)
#include "GameSettingsDialogTest.moc"
