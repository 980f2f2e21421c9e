#include <QRegularExpression>
#include <QtTest>

#include "InterfaceTour.h"

using namespace stonewise;

// The program started with "LOCALE=1033" speaks English everywhere: not one Japanese character
// in a menu, tooltip, mode title, dialog, message or the status line.
class EnglishInterfaceTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void noJapaneseOutsideTheGame() {
        const test::InterfaceTourResult tour =
            test::tourInterface(QStringLiteral("LOCALE=1033"), QStringLiteral(STONEWISE_PROGRAM_FOLDER));
        QVERIFY2(!tour.texts.isEmpty(), "the window did not show");
        // Kana, kanji, the ideographic space and the full-width forms.
        static const QRegularExpression japanese(
            QStringLiteral("[\\x{3000}-\\x{30FF}\\x{3400}-\\x{9FFF}\\x{F900}-\\x{FAFF}\\x{FF00}-\\x{FFEF}]"));
        QStringList found;
        for (const test::SeenText& seen : tour.texts)
            if (seen.text.contains(japanese)) found << seen.where + QStringLiteral(": ") + seen.text;
        QVERIFY2(found.isEmpty(), qPrintable(found.join(QLatin1Char('\n'))));

        // The tour reached what it is meant to check.
        const QString dialogs = tour.dialogs.join(QLatin1Char('\n'));
        for (const char* dialog :
             {"BranchDialog", "CommentDialog", "MarkDialog", "ElapsedDialog", "RecordCorrectionDialog",
              "GameSettingsDialog", "ResultDialog", "PlayerDialog", "QFileDialog", "QMessageBox", "GameListDialog",
              "CopyMoveDialog", "GroupListDialog", "GroupSettingsDialog", "MemberListDialog", "MemberSettingsDialog",
              "NameChoiceDialog", "About Stonewise"})
            QVERIFY2(dialogs.contains(QLatin1String(dialog)), dialog);
        QStringList texts;
        for (const test::SeenText& seen : tour.texts) texts << seen.text;
        for (const char* text : {"Function Mode", "Play and Record Mode", "Take Back", "Move 2", "&Yes", "Cancel"})
            QVERIFY2(texts.contains(QString::fromUtf8(text).remove(QLatin1Char('&'))), text);
    }
};

QTEST_MAIN(EnglishInterfaceTest)
#include "EnglishInterfaceTest.moc"
