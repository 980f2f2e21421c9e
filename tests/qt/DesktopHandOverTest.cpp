#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QMimeData>
#include <QUrlQuery>
#include <QtTest>

#include "app/Application.h"
#include "app/CommandIds.h"
#include "app/GameSession.h"
#include "qt/MainWindow.h"
#include "qt/QtUi.h"
#include "support/MailGoPlayer.h"
#include "support/TempFolder.h"

using namespace stonewise;

// What the program hands to the desktop on a real X display: links go to xdg-open (a stand-in on
// PATH writes down what it was given, see desktop_handover.sh) and files reach the clipboard in the
// forms mail programs and file managers paste.
class DesktopHandOverTest : public QObject {
    Q_OBJECT

    // The arguments the stand-in xdg-open was called with, one per line, once it has been called.
    static QStringList launched() {
        QFile log(qEnvironmentVariable("FAKE_XDG_OPEN_LOG"));
        if (!log.open(QIODevice::ReadOnly)) return {};
        return QString::fromUtf8(log.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    }

private Q_SLOTS:
    void init() { QFile::remove(qEnvironmentVariable("FAKE_XDG_OPEN_LOG")); }

    void theInquiryMailReachesTheMailProgramThroughXdgOpen() {
        test::TempFolder folder;
        Application app{CommandLine{}, DataFolder(folder.path()), std::string()};
        app.chooseLanguage(0x0411);
        app.loadSettings(nullptr);
        MainWindow window(app);
        window.startUp();
        window.runCommand(kCmdInquiryMail);
        QTRY_COMPARE(launched(),
                     QStringList{QStringLiteral("mailto:support@stonewise.example.org?subject=Stonewise%202.2.0")});
    }

    void aMailGoMoveReachesTheMailProgramWithItsSubjectAndBody() {
        test::TempFolder folder;
        {
            // A Mail Go game with Black's first move played and stored, not yet sent.
            test::MailGoPlayer player(folder.path(), u"Aoki", u"Baba", true);
            player.play(15, 3);
            QVERIFY(player.app.session()->saveCurrentGame(false));
            player.app.shutDown();
        }
        Application app{CommandLine{}, DataFolder(folder.path()), std::string()};
        app.chooseLanguage(0x0411);
        app.loadSettings(nullptr);
        MainWindow window(app);
        window.startUp();
        window.runCommand(kCmdModeMailGo);
        window.runCommand(kCmdSendMoves);
        QTRY_COMPARE(launched().size(), 1);
        const QUrl link = QUrl::fromEncoded(launched()[0].toUtf8(), QUrl::StrictMode);
        QCOMPARE(link.scheme(), QStringLiteral("mailto"));
        QCOMPARE(link.path(), QStringLiteral("Baba@example.org"));
        const QUrlQuery query(link);
        QVERIFY2(
            query.queryItemValue(QStringLiteral("Subject"), QUrl::FullyDecoded).endsWith(QStringLiteral("次の一手")),
            qPrintable(link.toString()));
        const QString body = query.queryItemValue(QStringLiteral("body"), QUrl::FullyDecoded);
        QVERIFY2(body.contains(QStringLiteral("【対局】 春の対局")) && body.contains(QStringLiteral("１手　１６、四")),
                 qPrintable(body));
        // The clipboard holds the same moves as plain text, to paste where the body did not arrive.
        QVERIFY(QApplication::clipboard()->text().startsWith(QStringLiteral("【対局】 春の対局\n")));
    }

    void aLinkKeepsItsEncodedTextExactly() {
        // Line ends and Japanese text arrive encoded as they were written, not encoded twice (the
        // hexadecimal digits of an escape may change case).
        const std::string link =
            "mailto:a@example.org?Subject=%E6%AC%A1%E3%81%AE%E4%B8%80%E6%89%8B&body=MOVE%2012%0d%0a";
        QtShell shell;
        QVERIFY(shell.openUrl(link));
        QTRY_COMPARE(launched().size(), 1);
        QCOMPARE(QUrl::fromEncoded(launched()[0].toUtf8(), QUrl::StrictMode),
                 QUrl::fromEncoded(QByteArray::fromStdString(link), QUrl::StrictMode));
    }

    void filesOnTheClipboardPasteIntoMailsAndFolders() {
        QtClipboard clipboard;
        const std::string path = "/tmp/対局 1-MAIL.sgf";
        QVERIFY(clipboard.setFiles({path}));
        const QMimeData* data = QApplication::clipboard()->mimeData();
        QVERIFY(data);
        QCOMPARE(data->urls(), QList<QUrl>{QUrl::fromLocalFile(QString::fromStdString(path))});
        QVERIFY(data->data(QStringLiteral("x-special/gnome-copied-files")).startsWith("copy\nfile:///tmp/"));
        clipboard.clear();
        QVERIFY(!clipboard.hasText());
    }
};

QTEST_MAIN(DesktopHandOverTest)
#include "DesktopHandOverTest.moc"
