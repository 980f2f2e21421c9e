#include <QRegularExpression>
#include <QtTest>

#include "InterfaceTour.h"

using namespace stonewise;

// The program with its own Japanese interface shows no stray English: no "Move %d" in the status
// line, no English file dialog, and Qt's own buttons in Japanese.
class JapaneseInterfaceTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void noStrayEnglish() {
        const test::InterfaceTourResult tour = test::tourInterface(QString(), QStringLiteral(STONEWISE_PROGRAM_FOLDER));
        QVERIFY2(!tour.texts.isEmpty(), "the window did not show");
        // Words of two or more Latin letters, but the names and abbreviations that are the same in
        // Japanese: the program, the file formats, keys and the version line.
        static const QRegularExpression word(QStringLiteral("[A-Za-z]{2,}"));
        static const QStringList allowed{
            QStringLiteral("Stonewise"), QStringLiteral("Tamarindo"), QStringLiteral("SGF"), QStringLiteral("sgf"),
            QStringLiteral("UGF"), QStringLiteral("ugf"), QStringLiteral("ugi"), QStringLiteral("OK"),
            QStringLiteral("Ctrl"), QStringLiteral("Enter"), QStringLiteral("Version"), QStringLiteral("Build"),
            QStringLiteral("NULL"), // "<NULL>": a member without an address
            QStringLiteral("CSV"), QStringLiteral("csv"), QStringLiteral("JIS"),
            QStringLiteral("UTF"), // the character sets SGF files are written in
            // The help window's own title "Stonewise Help", and in the help text the file name
            // "-MAIL.sgf" and the command line's "LOCALE=".
            QStringLiteral("Help"), QStringLiteral("MAIL"), QStringLiteral("LOCALE")};
        QStringList found;
        for (const test::SeenText& seen : tour.texts) {
            for (auto it = word.globalMatch(seen.text); it.hasNext();) {
                const QString w = it.next().captured();
                if (!allowed.contains(w)) {
                    found << seen.where + QStringLiteral(": ") + seen.text;
                    break;
                }
            }
        }
        QVERIFY2(found.isEmpty(), qPrintable(found.join(QLatin1Char('\n'))));

        const QString dialogs = tour.dialogs.join(QLatin1Char('\n'));
        for (const char* dialog :
             {"BranchDialog", "CommentDialog", "MarkDialog", "ElapsedDialog", "RecordCorrectionDialog",
              "GameSettingsDialog", "ResultDialog", "PlayerDialog", "QFileDialog", "QMessageBox", "GameListDialog",
              "CopyMoveDialog", "GroupListDialog", "GroupSettingsDialog", "MemberListDialog", "MemberSettingsDialog",
              "NameChoiceDialog", "GameResultListDialog", "SettingsDialog"})
            QVERIFY2(dialogs.contains(QLatin1String(dialog)), dialog);
        QStringList texts;
        for (const test::SeenText& seen : tour.texts) texts << seen.text;
        for (const char16_t* text : {u"機能モード", u"対局・記録モード", u"2手目", u"はい(Y)", u"キャンセル"})
            QVERIFY2(texts.contains(QString::fromUtf16(text)), qPrintable(QString::fromUtf16(text)));
    }
};

QTEST_MAIN(JapaneseInterfaceTest)
#include "JapaneseInterfaceTest.moc"
