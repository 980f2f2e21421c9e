#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTextBrowser>
#include <QTimer>
#include <QTreeWidget>
#include <QtTest>

#include "ShownProgram.h"
#include "app/Application.h"
#include "app/CIgoBoard.h"
#include "app/CommandIds.h"
#include "app/HelpForm.h"
#include "app/ProgramCommands.h"
#include "help/HelpImages.h"
#include "qt/HelpWindow.h"
#include "qt/MainWindow.h"
#include "qt/QtUi.h"

using namespace stonewise;

// The help window in the real main window: F1 in a mode and in a modal dialog, its buttons, the
// picture window.
class HelpWindowTest : public QObject {
    Q_OBJECT

private:
    // The sample records are not offered here.
    struct Program : test::ShownProgram {
        Program() : ShownProgram(STONEWISE_PROGRAM_FOLDER, false) {}
        HelpWindow* help() const { return window->ui().helpWindow(); }
        QPushButton* button(int id) const {
            return help() ? help()->findChild<QPushButton*>(QStringLiteral("help-%1").arg(id)) : nullptr;
        }
        QString heading() const {
            const auto labels = help()->findChildren<QLabel*>();
            return labels.isEmpty() ? QString() : labels.front()->text();
        }
    };

private Q_SLOTS:
    void f1ShowsTheModesTopicAndTheButtonsMoveThroughTheHelp() {
        Program p;
        p.window->runCommand(kCmdModeViewing);
        QTest::keyClick(p.window.get(), Qt::Key_F1);
        QVERIFY(p.help());
        QTRY_VERIFY(p.help()->isVisible());
        QCOMPARE(p.help()->windowTitle(), QStringLiteral("Stonewise Help"));
        QCOMPARE(p.heading(), QStringLiteral("棋譜鑑賞"));
        QVERIFY(p.help()->textView()->toPlainText().startsWith(QStringLiteral("「棋譜鑑賞」モードは")));
        QCOMPARE(p.help()->topicTree()->currentItem()->text(0), QStringLiteral("棋譜鑑賞"));
        // Its buttons: the support site, three commands named by the topic.
        QVERIFY(p.button(1172)->isVisible());
        QCOMPARE(p.button(1172)->text(), QStringLiteral("サポートサイトの説明"));
        QCOMPARE(p.button(1169)->text(), QStringLiteral("フラッシュ表示"));
        QVERIFY(p.button(1170)->isVisible());

        if (const QByteArray dir = qgetenv("STONEWISE_PICTURES"); !dir.isEmpty()) {
            p.help()->resize(860, 600);
            QTest::qWait(50);
            p.help()->grab().save(QString::fromLocal8Bit(dir) + QStringLiteral("/help-window.png"));
        }

        QTest::mouseClick(p.button(1169), Qt::LeftButton);
        QCOMPARE(p.heading(), QStringLiteral("フラッシュ表示"));
        QVERIFY2(!p.button(1168)->isVisible(), "a topic without buttons");
        QTest::mouseClick(p.button(1167), Qt::LeftButton); // "次へ"
        QCOMPARE(p.heading(), QStringLiteral("外部棋譜フォルダ"));
        QTest::mouseClick(p.button(5), Qt::LeftButton); // "←"
        QTest::mouseClick(p.button(5), Qt::LeftButton);
        QCOMPARE(p.heading(), QStringLiteral("棋譜鑑賞"));
        QVERIFY(!p.button(5)->isEnabled());
        QTest::mouseClick(p.button(4), Qt::LeftButton); // "目次"
        QCOMPARE(p.heading(), QStringLiteral("目次"));
        QVERIFY(!p.help()->topicTree()->currentItem());
        // A topic chosen in the tree.
        QTreeWidgetItem* first = p.help()->topicTree()->topLevelItem(0);
        p.help()->topicTree()->setCurrentItem(first);
        QCOMPARE(p.heading(), QStringLiteral("始めのヘルプ"));
        // A command button that runs a program command: the viewing mode's button leads there.
        p.window->runCommand(kCmdModePlayAndRecord);
        p.window->commands().help().show(40005);
        QTest::mouseClick(p.button(1168), Qt::LeftButton);
        QCOMPARE(p.app.modes()->mode(), int(kModeViewing));

        QTest::mouseClick(p.button(6), Qt::LeftButton); // "隠す"
        QVERIFY(!p.help()->isVisible());
        QVERIFY(!p.window->commands().help().shown());
        QTest::qWait(120); // F1 within 100 ms of the last is ignored
        QTest::keyClick(p.window.get(), Qt::Key_F1);
        QTRY_VERIFY(p.help()->isVisible());
        p.help()->close(); // the close box hides it the same way
        QVERIFY(!p.window->commands().help().shown());
    }

    void f1InAModalDialogShowsTheDialogsTopicUntilItCloses() {
        Program p;
        p.window->runCommand(kCmdModePlayAndRecord);
        p.window->commands().clickPoint(3, 3);
        QString seen;
        bool helpUsable = false;
        QTimer::singleShot(100, this, [&] {
            QWidget* dialog = QApplication::activeModalWidget();
            QVERIFY(dialog);
            QTest::keyClick(dialog, Qt::Key_F1);
            QTimer::singleShot(50, this, [&, dialog] {
                if (p.help() && p.help()->isVisible()) {
                    seen = p.heading();
                    // The help window belongs to the dialog, so the dialog does not block it.
                    helpUsable = p.help()->parentWidget() == dialog && p.help()->isEnabled();
                }
                QWidget* still = QApplication::activeModalWidget();
                if (still) QMetaObject::invokeMethod(still, "reject");
            });
        });
        p.window->runCommand(32793); // "コメントの追加・編集..."
        QCOMPARE(seen, QStringLiteral("コメント"));
        QVERIFY(helpUsable);
        // The help window came with the dialog and went with it, back to the main window.
        QVERIFY(p.help());
        QVERIFY(!p.help()->isVisible());
        QCOMPARE(p.help()->parentWidget(), static_cast<QWidget*>(p.window.get()));
        QVERIFY(!p.window->commands().help().shown());
        // Shown before the dialog, it stays when the dialog goes.
        QTest::qWait(120);
        QTest::keyClick(p.window.get(), Qt::Key_F1);
        QTRY_VERIFY(p.help()->isVisible());
        bool lent = false;
        QTimer::singleShot(200, this, [&] {
            QWidget* dialog = QApplication::activeModalWidget();
            QVERIFY(dialog);
            QTest::keyClick(dialog, Qt::Key_F1);
            lent = p.help()->parentWidget() == dialog;
            QMetaObject::invokeMethod(dialog, "reject", Qt::QueuedConnection);
        });
        p.window->runCommand(32793);
        QVERIFY(lent);
        QVERIFY(p.help()->isVisible());
        QCOMPARE(p.help()->parentWidget(), static_cast<QWidget*>(p.window.get()));
    }

    void thePictureWindowStandsBesideTheHelp() {
        Program p;
        p.window->runCommand(kCmdHelpFirst);
        QTRY_VERIFY(p.help() && p.help()->isVisible());
        std::vector<std::uint8_t> bitmap(14 + 40 + 2 * 4 * 2, 0);
        const std::uint8_t header[] = {'B', 'M', 70, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0, 40,
                                       0,   0,   0,  2, 0, 0, 0, 2, 0, 0, 0,  1, 0, 24};
        std::copy(std::begin(header), std::end(header), bitmap.begin());
        p.window->ui().showHelpPicture(bitmap, u"盤の画面");
        HelpPictureWindow* picture = p.window->ui().helpPictureWindow();
        QVERIFY(picture);
        QTRY_VERIFY(picture->isVisible());
        QCOMPARE(picture->windowTitle(), QStringLiteral("盤の画面"));
        QCOMPARE(picture->size(), QSize(500, 400));
        p.window->ui().showHelpPicture({}, {});
        QVERIFY(!picture->isVisible());
        // Not a picture: nothing is shown.
        p.window->ui().showHelpPicture({1, 2, 3}, u"x");
        QVERIFY(!picture->isVisible());
    }
};

QTEST_MAIN(HelpWindowTest)
#include "HelpWindowTest.moc"
