// The results diary's two dialogs on the offscreen platform: what they show of their forms and
// what their controls hand to them. With STONEWISE_PICTURE_DIR set, the list and the record dialog
// are also drawn there as "results-list.png" and "result-record.png" (the pictures of docs/).
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeWidget>
#include <QtTest>

#include "app/GameResultDialogs.h"
#include "qt/GameResultWindows.h"
#include "qt/QtText.h"
#include "store/GameStore.h"
#include "support/ScriptedUi.h"
#include "support/TempFolder.h"

using namespace stonewise;

namespace {

// An empty library in a fresh data folder, the desktop answered by script.
struct Diary {
    test::TempFolder folder;
    GameStore store{DataFolder(folder.path()), StringTable::japanese()};
    test::ScriptedUi ui;

    Diary() {
        StoreMessages messages;
        SettingsRecord settings;
        store.start(settings, {2026, 12, 10, 0}, messages);
    }
    LibraryEnvironment env() {
        LibraryEnvironment e;
        e.store = &store;
        e.ui = &ui;
        e.today = {2026, 12, 10, 0};
        return e;
    }
};

template <class T>
T* child(QWidget* parent, const char* name) {
    T* w = parent->findChild<T*>(QLatin1String(name));
    if (!w) qWarning("no child %s", name);
    return w;
}

void picture(QWidget* w, const char* name) {
    const QByteArray dir = qgetenv("STONEWISE_PICTURE_DIR");
    if (dir.isEmpty()) return;
    w->adjustSize();
    QVERIFY(w->grab().save(QString::fromLocal8Bit(dir) + QLatin1Char('/') + QLatin1String(name)));
}

// Fills the record dialog as a user types it and presses OK.
bool enter(QDialog& dialog, const QString& name, const QString& black, const QString& white, const char* winner,
           const QString& points) {
    child<QLineEdit>(&dialog, "name")->setText(name);
    child<QComboBox>(&dialog, "black")->setEditText(black);
    child<QComboBox>(&dialog, "white")->setEditText(white);
    child<QComboBox>(&dialog, "place")->setCurrentIndex(1); // "メール"
    child<QRadioButton>(&dialog, winner)->setChecked(true);
    child<QLineEdit>(&dialog, "points")->setText(points);
    child<QPushButton>(&dialog, "ok")->click();
    return dialog.result() == QDialog::Accepted;
}

QStringList column(const QTreeWidget* tree, int c) {
    QStringList texts;
    for (int i = 0; i < tree->topLevelItemCount(); ++i) texts << tree->topLevelItem(i)->text(c);
    return texts;
}

} // namespace

class GameResultWindowsTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void theListShowsGroupsRecordsAndTheTallyOfItsForm() {
        Diary d;
        GameResultListForm form(d.env());
        GameResultListDialog dialog(form, nullptr);
        auto* add = child<QPushButton>(&dialog, "add");
        QVERIFY(!add->isEnabled()); // no group yet
        child<QLineEdit>(&dialog, "newGroupName")->setText(QStringLiteral("碁会所"));
        child<QPushButton>(&dialog, "newGroup")->click();
        auto* groups = child<QComboBox>(&dialog, "groups");
        QCOMPARE(groups->count(), 1);
        QCOMPARE(groups->currentText(), QStringLiteral("碁会所"));
        QVERIFY(add->isEnabled());

        for (const auto& [name, black, white, winner, points] :
             {std::tuple{"第1局", "私", "鈴木", "blackWon", "2.5"}, std::tuple{"第2局", "鈴木", "私", "jigo", ""},
              std::tuple{"第3局", "山田", "私", "whiteWon", "10"}}) {
            d.ui.resultScripts.push_back([=](GameResultForm& f) {
                GameResultDialog record(f, nullptr);
                return enter(record, QString::fromUtf8(name), QString::fromUtf8(black), QString::fromUtf8(white),
                             winner, QString::fromUtf8(points));
            });
            add->click();
        }
        auto* list = child<QTreeWidget>(&dialog, "results");
        QCOMPARE(list->columnCount(), 9);
        QCOMPARE(list->headerItem()->text(5), QStringLiteral("勝敗"));
        QCOMPARE(column(list, 5),
                 (QStringList{QStringLiteral("黒2.5目勝ち"), QStringLiteral("持碁"), QStringLiteral("白10目勝ち")}));
        QCOMPARE(column(list, 7),
                 (QStringList{QStringLiteral("メール"), QStringLiteral("メール"), QStringLiteral("メール")}));

        auto* players = child<QComboBox>(&dialog, "players");
        QCOMPARE(players->itemText(0), QStringLiteral("＜全ての黒番＞"));
        players->setCurrentIndex(players->findText(QStringLiteral("私")));
        Q_EMIT players->activated(players->currentIndex());
        QStringList tally;
        for (QLabel* l : dialog.findChildren<QLabel*>())
            if (l->text().startsWith(QStringLiteral("勝数")) || l->text().startsWith(QStringLiteral("負数")) ||
                l->text().startsWith(QStringLiteral("ジゴ数")))
                tally << l->text();
        QCOMPARE(tally, (QStringList{QStringLiteral("勝数 2"), QStringLiteral("負数 0"), QStringLiteral("ジゴ数 1")}));

        d.ui.saveAnswers = {d.folder.path() + "diary.csv"};
        child<QPushButton>(&dialog, "export")->click();
        QCOMPARE(child<QLabel>(&dialog, "status")->text(), QStringLiteral("CSV出力完了：") +
                                                               QString::fromStdString(d.folder.path()) +
                                                               QStringLiteral("diary.csv"));
        list->setCurrentItem(list->topLevelItem(0));
        picture(&dialog, "results-list.png");

        // Editing opens the record with its values.
        d.ui.resultScripts.push_back([](GameResultForm& f) -> bool {
            GameResultDialog record(f, nullptr);
            [&] {
                QCOMPARE(child<QLineEdit>(&record, "name")->text(), QStringLiteral("第1局"));
                QCOMPARE(child<QComboBox>(&record, "black")->currentText(), QStringLiteral("私"));
                QCOMPARE(child<QLineEdit>(&record, "points")->text(), QStringLiteral("2.5"));
                QVERIFY(child<QRadioButton>(&record, "blackWon")->isChecked());
                QCOMPARE(child<QDateEdit>(&record, "begun")->date(), QDate(2026, 12, 10));
            }();
            picture(&record, "result-record.png");
            child<QRadioButton>(&record, "resignation")->setChecked(true);
            [&] { QVERIFY(!child<QLineEdit>(&record, "points")->isEnabled()); }();
            child<QPushButton>(&record, "ok")->click();
            return record.result() == QDialog::Accepted;
        });
        child<QPushButton>(&dialog, "edit")->click();
        QCOMPARE(list->topLevelItem(0)->text(5), QStringLiteral("黒中押し勝ち"));
        QVERIFY(d.ui.resultScripts.empty());

        child<QPushButton>(&dialog, "close")->click();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
    }

    void theRecordDialogStaysOpenWhileTheFormRefuses() {
        Diary d;
        ResultSlots none;
        GameResultForm form(d.env(), none, std::nullopt);
        GameResultDialog dialog(form, nullptr);
        QCOMPARE(child<QComboBox>(&dialog, "place")->currentText(), QStringLiteral("＜場所名を入力してください＞"));
        QVERIFY(
            !enter(dialog, QStringLiteral("第1局"), QStringLiteral("私"), QString(), "blackWon", QStringLiteral("3")));
        QCOMPARE(d.ui.messages.size(), size_t{1});
        QCOMPARE(qs(d.ui.messages[0].text), QStringLiteral("白番対局者の名前を入力して下さい。"));
        child<QRadioButton>(&dialog, "jigo")->setChecked(true);
        QVERIFY(!child<QLineEdit>(&dialog, "points")->isEnabled());
        QVERIFY(!child<QRadioButton>(&dialog, "onTime")->isEnabled());
        QVERIFY(
            enter(dialog, QStringLiteral("第1局"), QStringLiteral("私"), QStringLiteral("鈴木"), "jigo", QString()));
        QCOMPARE(form.record().result, std::uint16_t{kResultJigo});
        QCOMPARE(form.record().place, std::u16string(u"メール"));
    }
};

QTEST_MAIN(GameResultWindowsTest)
#include "GameResultWindowsTest.moc"
