#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QTimer>
#include <QTreeWidget>
#include <QtTest>
#include <deque>
#include <functional>

#include "app/Application.h"
#include "app/CIgoBoard.h"
#include "app/CommandIds.h"
#include "app/CommandLine.h"
#include "app/GameSession.h"
#include "qt/BoardWidget.h"
#include "qt/GameListPanel.h"
#include "qt/GameSettingsDialog.h"
#include "qt/LibraryWindows.h"
#include "qt/MainWindow.h"
#include "qt/MoveListPanel.h"
#include "qt/QtText.h"
#include "qt/SidePanel.h"
#include "support/TempFolder.h"

using namespace stonewise;

namespace {

const QString kWhiteName = QStringLiteral("白川一郎");
const QString kBlackName = QStringLiteral("黒田花子");
const QString kGameName = QStringLiteral("冬の三子局");

// The window as main() starts it on `folder`, shown.
struct Window {
    Application app;
    MainWindow window;
    explicit Window(const test::TempFolder& folder)
        : app(CommandLine{}, DataFolder(folder.path()), std::string()), window(prepare(app)) {
        window.resize(1200, 900);
        window.startUp();
        window.show();
    }
    static Application& prepare(Application& app) {
        app.chooseLanguage(0x0411);
        app.loadSettings(nullptr);
        app.settings().komiAsInteger = 0;
        return app;
    }
};

// Answers the modal windows as they come up, one step after the other: each step is given the
// window that waits and says whether it was the one it expected. A window no step expects is
// closed and noted, and fails the test.
class Answers : public QObject {
public:
    using Step = std::function<bool(QWidget*)>;
    Answers() {
        connect(&m_poll, &QTimer::timeout, this, [this] { poll(); });
        m_poll.start(20);
    }
    void then(Step step) { m_steps.push_back(std::move(step)); }
    bool done() const { return m_steps.empty(); }
    QStringList unexpected;
    QStringList messages; // the texts of the message boxes answered

private:
    void poll() {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal) return;
        if (!m_steps.empty() && m_steps.front()(modal)) {
            m_steps.pop_front();
            m_answered << modal;
            return;
        }
        // A window already answered waits for what its answer opens, or for its closing.
        if (m_answered.contains(modal)) return;
        auto* box = qobject_cast<QMessageBox*>(modal);
        unexpected << modal->windowTitle() + QStringLiteral(": ") + (box ? box->text() : QString());
        modal->close();
    }
    QTimer m_poll;
    std::deque<Step> m_steps;
    QList<QPointer<QWidget>> m_answered;
};

// Presses a button later, from the event loop: the button may open a modal window of its own.
void pressLater(QAbstractButton* button) {
    QVERIFY(button);
    QTimer::singleShot(0, button, [button] { button->click(); });
}

// Chooses an entry of a combo box as the user does, which the box announces as activated.
void selectData(QComboBox* box, int data) {
    QVERIFY(box);
    const int index = box->findData(data);
    QVERIFY(index >= 0);
    box->setCurrentIndex(index);
    Q_EMIT box->activated(index);
}

void picture(QWidget* w, const char* name) {
    const QByteArray dir = qgetenv("STONEWISE_PICTURES");
    if (dir.isEmpty()) return;
    QTest::qWait(50);
    QVERIFY(w->grab().save(QString::fromLocal8Bit(dir) + QLatin1Char('/') + QLatin1String(name)));
}

QStringList rowTexts(const QTreeWidgetItem* item) {
    QStringList texts;
    for (int c = 0; c < item->columnCount(); ++c) texts << item->text(c);
    return texts;
}

// The row of the list whose white and black players are the walk's.
QTreeWidgetItem* ourGame(QTreeWidget* list, int whiteColumn, int blackColumn) {
    for (int i = 0; i < list->topLevelItemCount(); ++i) {
        QTreeWidgetItem* item = list->topLevelItem(i);
        if (item->text(whiteColumn).trimmed() == kWhiteName && item->text(blackColumn).trimmed() == kBlackName)
            return item;
    }
    return nullptr;
}

int stonesOf(CIgoBoard& board, Colour colour) {
    const BoardPosition& position = board.flashPosition();
    int n = 0;
    for (int y = 0; y < position.size(); ++y)
        for (int x = 0; x < position.size(); ++x) n += position.colourAt(x, y) == colour;
    return n;
}

// The twenty moves: white on the ninth line, black on the eleventh, none touching another.
QPoint move(int i) { return {2 + i / 2, i % 2 == 0 ? 8 : 10}; }

} // namespace

// A user's walk through the library: a new handicap game with two new players, twenty moves played
// by clicks, a result given, the window closed and started again, the game found and opened from
// the game list panel, copied to another group and the copy deleted there.
class LibraryWalkTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void aGameGoesThroughTheLibrary() {
        test::TempFolder folder;
        int number = 0;
        {
            Window w(folder);
            QVERIFY(QTest::qWaitForWindowExposed(&w.window));
            MainWindow& window = w.window;
            window.runCommand(kCmdModePlayAndRecord);

            // 1. A new game: two new players, three stones, komi 0.5.
            Answers answers;
            answers.then([](QWidget* modal) {
                auto* dialog = qobject_cast<GameSettingsDialog*>(modal);
                if (!dialog) return false;
                dialog->findChild<QLineEdit*>(QStringLiteral("name"))->setText(kGameName);
                dialog->findChild<QComboBox*>(QStringLiteral("whitePlayer"))->setEditText(kWhiteName);
                dialog->findChild<QComboBox*>(QStringLiteral("blackPlayer"))->setEditText(kBlackName);
                dialog->findChild<QRadioButton*>(QStringLiteral("handicapGame"))->click();
                selectData(dialog->findChild<QComboBox*>(QStringLiteral("stones")), 3);
                selectData(dialog->findChild<QComboBox*>(QStringLiteral("komi")), 5);
                picture(dialog, "walk-1-new-game.png");
                QTimer::singleShot(0, dialog, [dialog] { dialog->accept(); });
                return true;
            });
            QStringList added;
            for (int i = 0; i < 2; ++i)
                answers.then([&added](QWidget* modal) {
                    auto* box = qobject_cast<QMessageBox*>(modal);
                    if (!box) return false;
                    added << box->text();
                    box->done(0);
                    return true;
                });
            window.runCommand(kCmdNewGame);
            QTRY_VERIFY(answers.done());
            const QString said = uiString(11805);
            QCOMPARE(added.size(), 2);
            QCOMPARE(added[0], QString(said).replace(QStringLiteral("%s"), kWhiteName));
            QCOMPARE(added[1], QString(said).replace(QStringLiteral("%s"), kBlackName));
            picture(&window, "walk-1-handicap.png");
            QCOMPARE(stonesOf(window.board(), kBlack), 3);
            QCOMPARE(stonesOf(window.board(), kWhite), 0);
            QCOMPARE(window.board().gameInfo().komi, 0.5f);

            // 2. Twenty moves, clicked on the board.
            // The handicap stones are the record's first move; white plays the second.
            const int base = window.board().totalMoves();
            QCOMPARE(base, 1);
            BoardWidget& board = window.boardWidget();
            for (int i = 0; i < 20; ++i) {
                const QPoint p = move(i);
                QCOMPARE(window.board().flashPosition().colourAt(p.x(), p.y()), kEmpty);
                QTest::mouseClick(&board, Qt::LeftButton, {}, board.centreOf(p.x(), p.y()).toPoint());
                QTRY_COMPARE(window.board().totalMoves(), base + i + 1);
                // White moves first in a handicap game.
                QCOMPARE(window.board().flashPosition().colourAt(p.x(), p.y()), i % 2 == 0 ? kWhite : kBlack);
            }
            QCOMPARE(stonesOf(window.board(), kBlack), 13);
            QCOMPARE(stonesOf(window.board(), kWhite), 10);
            QTreeWidget* moves = window.sidePanel().moveList().tree();
            QVERIFY(moves->topLevelItemCount() > 0);
            const QString lastMove =
                rowTexts(moves->topLevelItem(moves->topLevelItemCount() - 1)).join(QLatin1Char('|'));
            // The list numbers the players' moves: black's tenth, the twentieth, on 12-十一.
            QCOMPARE(moves->topLevelItemCount(), 20);
            QCOMPARE(lastMove.trimmed(), QStringLiteral("20　（１２，十一）"));
            picture(&window, "walk-2-twenty-moves.png");

            // 3. The result: white wins by resignation.
            answers.then([](QWidget* modal) {
                auto* dialog = qobject_cast<GameSettingsDialog*>(modal);
                if (!dialog) return false;
                pressLater(dialog->findChild<QPushButton*>(QStringLiteral("result")));
                return true;
            });
            answers.then([](QWidget* modal) {
                auto* dialog = qobject_cast<ResultDialog*>(modal);
                if (!dialog) return false;
                dialog->findChild<QRadioButton*>(QStringLiteral("whiteWins"))->click();
                dialog->findChild<QRadioButton*>(QStringLiteral("resignation"))->click();
                picture(dialog, "walk-3-result.png");
                QTimer::singleShot(0, dialog, [dialog] { dialog->accept(); });
                return true;
            });
            QString state;
            answers.then([&state](QWidget* modal) {
                auto* dialog = qobject_cast<GameSettingsDialog*>(modal);
                if (!dialog) return false;
                state = dialog->findChild<QLabel*>(QStringLiteral("state"))->text();
                QTimer::singleShot(0, dialog, [dialog] { dialog->accept(); });
                return true;
            });
            window.runCommand(kCmdEditGameInfo);
            QTRY_VERIFY(answers.done());
            QCOMPARE(state, QStringLiteral("白中押し勝ち"));
            QCOMPARE(window.board().totalMoves(), 21);
            window.refreshCommandStates();
            QTreeWidget* panel = window.gameListPanel().list();
            QTreeWidgetItem* row = nullptr;
            QTRY_VERIFY((row = ourGame(panel, 3, 4)) != nullptr);
            // The game on the board shows the result just given, before it is saved.
            QTRY_COMPARE(row->text(7), QStringLiteral("白中押し勝ち"));
            QCOMPARE(row->text(5).trimmed(), QStringLiteral("３子"));
            number = row->text(1).trimmed().toInt();
            QVERIFY(number > 0);
            picture(&window, "walk-3-panel.png");
            QVERIFY2(answers.unexpected.isEmpty(), qPrintable(answers.unexpected.join(QStringLiteral(", "))));

            // 4. Closed: the window saves on its way out.
            QVERIFY(window.close());
        }

        Window w(folder);
        QVERIFY(QTest::qWaitForWindowExposed(&w.window));
        MainWindow& window = w.window;
        window.runCommand(kCmdModePlayAndRecord);
        window.refreshCommandStates();
        QTreeWidget* panel = window.gameListPanel().list();
        QTreeWidgetItem* row = nullptr;
        QTRY_VERIFY((row = ourGame(panel, 3, 4)) != nullptr);
        QCOMPARE(row->text(1).trimmed().toInt(), number);
        QCOMPARE(row->text(5).trimmed(), QStringLiteral("３子"));
        QCOMPARE(row->text(7), QStringLiteral("白中押し勝ち"));
        panel->scrollToItem(row);
        const QPoint at = panel->visualItemRect(row).center();
        QTest::mouseDClick(panel->viewport(), Qt::LeftButton, {}, at);
        QTRY_COMPARE(w.app.session()->number(), number);
        QTRY_COMPARE(window.board().totalMoves(), 21);
        window.board().command(kCmdToEnd);
        QTRY_COMPARE(stonesOf(window.board(), kWhite), 10);
        QCOMPARE(stonesOf(window.board(), kBlack), 13);
        QCOMPARE(window.board().flashPosition().colourAt(move(19).x(), move(19).y()), kBlack);
        QVERIFY2(window.windowTitle().startsWith(kGameName + QStringLiteral(" - ")), qPrintable(window.windowTitle()));
        picture(&window, "walk-4-reopened.png");

        // 5. Copied to another group through "対局リスト", and the copy deleted there.
        Answers answers;
        int from = -1;
        int to = -1;
        QStringList inTarget, afterDelete, backHome;
        auto rowsOf = [](QTreeWidget* list) {
            QStringList rows;
            for (int i = 0; i < list->topLevelItemCount(); ++i)
                rows << rowTexts(list->topLevelItem(i)).join(QLatin1Char('|'));
            return rows;
        };
        answers.then([&](QWidget* modal) {
            auto* dialog = qobject_cast<GameListDialog*>(modal);
            if (!dialog) return false;
            auto* list = dialog->findChild<QTreeWidget*>(QStringLiteral("games"));
            from = dialog->findChild<QComboBox*>(QStringLiteral("groups"))->currentData().toInt();
            QTreeWidgetItem* ours = ourGame(list, 1, 2);
            if (!ours) return true; // fails below: nothing was copied
            list->setCurrentItem(ours);
            pressLater(dialog->findChild<QPushButton*>(QStringLiteral("copy")));
            return true;
        });
        answers.then([&](QWidget* modal) {
            auto* dialog = qobject_cast<CopyMoveDialog*>(modal);
            if (!dialog) return false;
            auto* destination = dialog->findChild<QComboBox*>(QStringLiteral("destination"));
            for (int i = 0; i < destination->count() && to < 0; ++i)
                if (destination->itemData(i).toInt() != from) {
                    destination->setCurrentIndex(i);
                    to = destination->itemData(i).toInt();
                }
            picture(dialog, "walk-5-copy.png");
            pressLater(dialog->findChild<QPushButton*>(QStringLiteral("copy")));
            return true;
        });
        // Back in the list: the other group shown, its copy deleted, the first group again.
        answers.then([&](QWidget* modal) {
            auto* dialog = qobject_cast<GameListDialog*>(modal);
            if (!dialog || to < 0) return false;
            auto* groups = dialog->findChild<QComboBox*>(QStringLiteral("groups"));
            auto* list = dialog->findChild<QTreeWidget*>(QStringLiteral("games"));
            const int index = groups->findData(to);
            groups->setCurrentIndex(index);
            Q_EMIT groups->activated(index);
            inTarget = rowsOf(list);
            if (QTreeWidgetItem* copy = ourGame(list, 1, 2)) list->setCurrentItem(copy);
            picture(dialog, "walk-5-other-group.png");
            pressLater(dialog->findChild<QPushButton*>(QStringLiteral("delete")));
            return true;
        });
        answers.then([](QWidget* modal) {
            auto* box = qobject_cast<QMessageBox*>(modal);
            if (!box) return false;
            pressLater(box->button(QMessageBox::Yes));
            return true;
        });
        answers.then([&](QWidget* modal) {
            auto* dialog = qobject_cast<GameListDialog*>(modal);
            if (!dialog) return false;
            auto* groups = dialog->findChild<QComboBox*>(QStringLiteral("groups"));
            auto* list = dialog->findChild<QTreeWidget*>(QStringLiteral("games"));
            afterDelete = rowsOf(list);
            const int index = groups->findData(from);
            groups->setCurrentIndex(index);
            Q_EMIT groups->activated(index);
            backHome = rowsOf(list);
            pressLater(dialog->findChild<QPushButton*>(QStringLiteral("close")));
            return true;
        });
        window.runCommand(kCmdGameList);
        QTRY_VERIFY(answers.done());
        QVERIFY2(answers.unexpected.isEmpty(), qPrintable(answers.unexpected.join(QStringLiteral(", "))));
        QVERIFY(to >= 0 && to != from);
        const QString ours = kWhiteName + QLatin1Char('|') + kBlackName;
        QCOMPARE(inTarget.filter(ours).size(), 1);
        QVERIFY2(inTarget.filter(ours)[0].contains(QStringLiteral("白中押し勝ち")),
                 qPrintable(inTarget.join(QLatin1Char('\n'))));
        QCOMPARE(afterDelete.filter(ours).size(), 0);
        QCOMPARE(afterDelete.size(), inTarget.size() - 1);
        QCOMPARE(backHome.filter(ours).size(), 1);
    }
};

QTEST_MAIN(LibraryWalkTest)
#include "LibraryWalkTest.moc"
