#include "InterfaceTour.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSet>
#include <QTabBar>
#include <QTextEdit>
#include <QTimer>
#include <QToolButton>
#include <QTreeView>
#include <QTreeWidget>
#include <QtTest>

#include "app/Application.h"
#include "app/CIgoBoard.h"
#include "app/CommandIds.h"
#include "app/CommandLine.h"
#include "app/GameSettings.h"
#include "app/MenuModel.h"
#include "qt/BoardWidget.h"
#include "qt/BookPanel.h"
#include "qt/CButtonBox.h"
#include "qt/GameListPanel.h"
#include "qt/MainWindow.h"
#include "qt/MoveListPanel.h"
#include "qt/QtText.h"
#include "qt/QtTranslations.h"
#include "qt/QtUi.h"
#include "qt/SidePanel.h"
#include "store/GameStore.h"
#include "support/BoardFixture.h"
#include "support/TempFolder.h"

namespace stonewise::test {

namespace {

constexpr int kExit = 115;
constexpr int kOpenDataFolder = 32821;

// Parts of the file dialog that show the file system: folder names, paths and files.
bool showsFileSystem(const QWidget* w) {
    static const QSet<QString> names{QStringLiteral("lookInCombo"), QStringLiteral("sidebar"),
                                     QStringLiteral("listView"), QStringLiteral("treeView")};
    for (; w; w = w->parentWidget())
        if (names.contains(w->objectName())) return true;
    return false;
}

class Tour {
public:
    explicit Tour(MainWindow& window) : m_window(window) {
        QObject::connect(&m_poll, &QTimer::timeout, [this] { answerWhatWaits(); });
        m_poll.start(20);
    }

    InterfaceTourResult result() const { return m_result; }

    // Buttons to press (once each, by their text) in the dialogs that wait, before they are
    // answered: the way to the dialogs that other dialogs open.
    void pressInDialogs(const QStringList& buttons) { m_press = buttons; }

    // Everything visible in a window.
    void look(QWidget* root, const QString& where) {
        // A Go book's own texts (its title, pages) are content, in the book's language.
        if (!root->property(kBookContentProperty).toBool())
            add(where + QStringLiteral(" / title"), root->windowTitle());
        QList<QWidget*> widgets = root->findChildren<QWidget*>();
        widgets.prepend(root);
        for (QWidget* w : widgets) {
            if (w != root && !w->isVisibleTo(root)) continue;
            if (showsFileSystem(w)) continue;
            if (w != root && w->property(kBookContentProperty).toBool()) continue;
            const QString at = where + QStringLiteral(" / ") + QString::fromLatin1(w->metaObject()->className());
            add(at + QStringLiteral(" tooltip"), w->toolTip());
            if (auto* label = qobject_cast<QLabel*>(w)) add(at, label->text());
            if (auto* button = qobject_cast<QAbstractButton*>(w)) add(at, button->text());
            if (auto* box = qobject_cast<QGroupBox*>(w)) add(at, box->title());
            // The players offered are the library's members: names the user gave, not the program's texts.
            const bool members = w->objectName().endsWith(QLatin1String("Player")) ||
                                 (w->parent() && w->parent()->objectName().endsWith(QLatin1String("Player")));
            if (auto* combo = qobject_cast<QComboBox*>(w); combo && !members)
                for (int i = 0; i < combo->count(); ++i)
                    if (!combo->itemData(i, kUserContentRole).toBool()) add(at, combo->itemText(i));
            if (auto* edit = qobject_cast<QLineEdit*>(w); edit && !members) {
                add(at, edit->text());
                add(at, edit->placeholderText());
            }
            if (auto* edit = qobject_cast<QPlainTextEdit*>(w)) add(at, edit->toPlainText());
            if (auto* edit = qobject_cast<QTextEdit*>(w)) add(at, edit->toPlainText());
            if (auto* tabs = qobject_cast<QTabBar*>(w))
                for (int i = 0; i < tabs->count(); ++i) add(at, tabs->tabText(i));
            if (auto* tree = qobject_cast<QTreeWidget*>(w)) {
                for (int c = 0; c < tree->columnCount(); ++c)
                    add(at + QStringLiteral(" header"), tree->headerItem()->text(c));
                // Names the user typed (games, players, groups, members) are content, not interface.
                for (int i = 0; i < tree->topLevelItemCount(); ++i)
                    for (int c = 0; c < tree->columnCount(); ++c)
                        if (!tree->topLevelItem(i)->data(c, kUserContentRole).toBool())
                            add(at, tree->topLevelItem(i)->text(c));
            } else if (auto* view = qobject_cast<QTreeView*>(w); view && view->model()) {
                for (int c = 0; c < view->model()->columnCount(); ++c)
                    add(at + QStringLiteral(" header"), view->model()->headerData(c, Qt::Horizontal).toString());
            }
            if (auto* bar = qobject_cast<QMenuBar*>(w))
                for (QAction* a : bar->actions()) lookAtMenuAction(a, where + QStringLiteral(" / menu bar"));
        }
    }

    void lookAtMenuAction(QAction* a, const QString& where) {
        if (a->isSeparator()) return;
        add(where, a->text());
        if (a->toolTip() != a->text()) add(where + QStringLiteral(" tooltip"), a->toolTip());
        if (QMenu* menu = a->menu()) {
            Q_EMIT menu->aboutToShow(); // opened, as a menu makes its entries then
            for (QAction* inner : menu->actions()) lookAtMenuAction(inner, where + QStringLiteral(" / ") + a->text());
        }
    }

    // The main window and every other window that stands open, which is then closed.
    void lookAround(const QString& where) {
        QTest::qWait(30);
        look(&m_window, where);
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (w == &m_window || !w->isVisible() || qobject_cast<QMenu*>(w)) continue;
            m_result.dialogs << QString::fromLatin1(w->metaObject()->className()) + QStringLiteral(": ") +
                                    w->windowTitle();
            look(w, where + QStringLiteral(" / ") + w->windowTitle());
            w->close();
        }
    }

    void run(int command) {
        m_window.runCommand(command);
        lookAround(QStringLiteral("command %1").arg(command));
    }

    void click(int x, int y) {
        BoardWidget& board = m_window.boardWidget();
        QTest::mouseClick(&board, Qt::LeftButton, {}, board.centreOf(x, y).toPoint());
        lookAround(QStringLiteral("click %1,%2").arg(x).arg(y));
    }

    // A right click at `at` on `target`; in the pop-up menu it opens, the entry `choice` is clicked
    // when it is enabled (none: the menu is closed).
    void rightClick(QWidget* target, QPoint at, const QString& where, const QString& choice = {}) {
        m_choice = choice;
        QContextMenuEvent event(QContextMenuEvent::Mouse, at, target->mapToGlobal(at));
        QApplication::sendEvent(target, &event);
        m_choice.clear();
        lookAround(where + QStringLiteral(" / ") + choice);
    }

    // Every tool button of both bars that is shown, pressed once (a button may rebuild the bars).
    void pressEveryButton(const QString& where) {
        QList<QPointer<QToolButton>> buttons;
        for (CButtonBox* bar : m_window.findChildren<CButtonBox*>())
            for (QToolButton* b : bar->findChildren<QToolButton*>()) buttons.append(b);
        for (const QPointer<QToolButton>& b : buttons) {
            if (!b || !b->isVisible() || !b->isEnabled()) continue;
            const QString tip = b->toolTip();
            b->click();
            lookAround(where + QStringLiteral(" / button ") + tip);
        }
    }

    // Every entry of every menu of the menu bar, chosen once (but the exit and the file manager).
    void chooseEveryMenuEntry() {
        QList<QPair<QAction*, QString>> entries;
        std::function<void(QMenu*, const QString&)> collect = [&](QMenu* menu, const QString& where) {
            Q_EMIT menu->aboutToShow(); // opened, as a menu makes its entries then
            for (QAction* a : menu->actions()) {
                if (a->isSeparator()) continue;
                if (a->menu()) collect(a->menu(), where + QStringLiteral(" / ") + a->text());
                else entries.append({a, where + QStringLiteral(" / ") + a->text()});
            }
        };
        // The mode menu comes last: a mode change shows another game.
        QList<QAction*> tops = m_window.menuBar()->actions();
        if (!tops.isEmpty()) tops.move(0, tops.size() - 1);
        for (QAction* top : tops)
            if (top->menu()) collect(top->menu(), top->text());
        const QString exitText = qs(menuText(kExit));
        const QString folderText = qs(menuText(kOpenDataFolder));
        QList<QPair<QPointer<QAction>, QString>> guarded;
        for (const auto& [a, where] : entries) guarded.append({a, where});
        for (const auto& [a, where] : guarded) {
            if (!a || a->text() == exitText || a->text() == folderText || !a->isEnabled()) continue;
            a->trigger();
            lookAround(where);
        }
    }

private:
    void add(const QString& where, QString text) {
        text.remove(QLatin1Char('&'));
        if (text.trimmed().isEmpty() || m_seen.contains(text)) return;
        m_seen.insert(text);
        m_result.texts.append({where, text});
    }

    // A dialog, message box or pop-up menu that waits for the user: read it, then answer "No",
    // "Cancel" or close it.
    void answerWhatWaits() {
        if (QWidget* popup = QApplication::activePopupWidget()) {
            if (auto* menu = qobject_cast<QMenu*>(popup)) {
                for (QAction* a : menu->actions()) {
                    lookAtMenuAction(a, QStringLiteral("pop-up menu"));
                    if (!m_choice.isEmpty() && a->text() == m_choice && a->isEnabled()) {
                        m_choice.clear();
                        QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(a).center());
                        return;
                    }
                }
            }
            popup->close();
            return;
        }
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal) return;
        m_result.dialogs << QString::fromLatin1(modal->metaObject()->className()) + QStringLiteral(": ") +
                                modal->windowTitle();
        look(modal, modal->windowTitle());
        for (QPushButton* b : modal->findChildren<QPushButton*>()) {
            if (!b->isVisible() || !b->isEnabled() || !m_press.contains(b->text())) continue;
            m_press.removeAll(b->text());
            // Pressed once this poll has returned: the dialog it opens runs its own loop.
            QMetaObject::invokeMethod(b, &QPushButton::click, Qt::QueuedConnection);
            return;
        }
        openInnerDialogs(modal);
        if (auto* dialog = qobject_cast<QDialog*>(modal)) dialog->reject();
        else modal->close();
    }

    // The dialogs the game settings dialog opens from its buttons: each is read and cancelled.
    void openInnerDialogs(QWidget* modal) {
        if (modal->objectName() != QLatin1String("gameSettings")) return;
        // The cloud settings belong to a Mail Go game.
        if (auto* mail = modal->findChild<QAbstractButton*>(
                QStringLiteral("type%1").arg(static_cast<int>(GameTypeChoice::MailGo))))
            mail->click();
        for (const char* name : {"result", "whiteNew", "blackModify", "cloud"}) {
            auto* button = modal->findChild<QAbstractButton*>(QLatin1String(name));
            if (!button) continue;
            QTimer::singleShot(60, modal, [this, modal] {
                QWidget* inner = QApplication::activeModalWidget();
                if (!inner || inner == modal) return;
                m_result.dialogs << QString::fromLatin1(inner->metaObject()->className()) + QStringLiteral(": ") +
                                        inner->windowTitle();
                look(inner, inner->windowTitle());
                if (auto* dialog = qobject_cast<QDialog*>(inner)) dialog->reject();
                else inner->close();
            });
            button->click();
        }
    }

    MainWindow& m_window;
    QTimer m_poll;
    QSet<QString> m_seen;
    QString m_choice; // the entry to choose in the next pop-up menu
    QStringList m_press;
    InterfaceTourResult m_result;
};

} // namespace

RunningProgram::RunningProgram(const QString& commandLine, const QString& programFolder, QSize size)
    : m_app(parseCommandLine(u16(commandLine)), DataFolder(m_folder.path()), programFolder.toStdString()) {
    m_app.chooseLanguage(0x0411);
    installQtTranslations(m_app.japanese());
    m_app.loadSettings(nullptr);
    m_window = std::make_unique<MainWindow>(m_app);
    m_window->resize(size);
    m_window->startUp();
    m_window->show();
    m_shown = QTest::qWaitForWindowExposed(m_window.get());
}

RunningProgram::~RunningProgram() = default;

InterfaceTourResult tourInterface(const QString& commandLine, const QString& programFolder) {
    RunningProgram program(commandLine, programFolder, QSize(1200, 900));
    if (!program.shown()) return {};
    MainWindow& window = program.window();
    Tour tour(window);
    tour.lookAround(QStringLiteral("start"));

    // The bars of every mode, each button pressed.
    for (int mode : {32900, 32818, 32902, 32926, 32890, 32901}) {
        window.runCommand(mode);
        tour.lookAround(QStringLiteral("mode %1").arg(mode));
        tour.pressEveryButton(QStringLiteral("mode %1").arg(mode));
    }

    // A few moves, with the status line and the move list they give.
    window.runCommand(32901);
    tour.click(3, 3);
    tour.click(15, 15);
    tour.click(3, 15);
    tour.click(15, 3);

    // The message strip over the board (flash mode on and off).
    window.runCommand(32933);
    tour.lookAround(QStringLiteral("flash mode"));
    window.runCommand(32933);

    // The animation's status line, caught while it runs.
    window.runCommand(kCmdToStart);
    window.runCommand(kCmdAnimate);
    if (!QTest::qWaitFor([&window] { return window.board().shownMove() >= 2; }, 5000))
        qWarning("the animation did not move within five seconds");
    tour.lookAround(QStringLiteral("animation"));
    window.runCommand(kCmdStopAnimation);
    window.runCommand(kCmdToEnd);

    // A move in the middle of the record asks how it enters it.
    window.runCommand(kCmdBack);
    tour.click(9, 9);
    window.runCommand(kCmdToEnd);

    tour.chooseEveryMenuEntry();
    window.runCommand(32901);
    window.runCommand(kCmdToEnd);

    // The pop-up menus of the board and of the move list, and their entries on an empty point and
    // on a stone.
    BoardWidget& board = window.boardWidget();
    for (const MenuEntry& e : popupMenu(0).children) {
        if (e.isSeparator() || e.command == kCmdCancel) continue;
        tour.rightClick(&board, board.centreOf(10, 10).toPoint(), QStringLiteral("board menu"), qs(e.text));
        tour.rightClick(&board, board.centreOf(3, 3).toPoint(), QStringLiteral("board menu"), qs(e.text));
    }
    QTreeWidget* moves = window.sidePanel().moveList().findChild<QTreeWidget*>();
    for (const MenuEntry& e : popupMenu(1).children) {
        if (e.isSeparator() || e.command == kCmdCancel || !moves || moves->topLevelItemCount() < 2) continue;
        moves->setCurrentItem(moves->topLevelItem(1));
        tour.rightClick(moves->viewport(), moves->visualItemRect(moves->topLevelItem(1)).center(),
                        QStringLiteral("move list menu"), qs(e.text));
    }
    // The entries of the bar buttons' pop-up menus (the finished-games one shows another game).
    for (int i = 2; i < popupMenuCount(); ++i)
        for (const MenuEntry& e : popupMenu(i).children)
            if (!e.isSeparator() && e.command != kExit && e.command != kOpenDataFolder) tour.run(e.command);

    // The library's dialogs over a game stored in the current group, and the dialogs their buttons
    // open: copying a game, a new group, a new member and the names an alias can stand for.
    {
        GameStore& store = *program.app().store();
        const int group = store.currentGroup();
        test::storeSampleGame(store, group, 1, 3);
        StoreMessages messages;
        GameInfo info = *store.gameList(group, messages).find(1);
        info.name = u"1846";
        store.gameList(group, messages).put(info);
        window.refreshCommandStates();
        tour.lookAround(QStringLiteral("game list panel"));
        tour.pressInDialogs({qs(uiText(50005)), qs(uiText(50023)), qs(uiText(50051)), qs(uiText(50076))});
        for (int command : {kCmdGameList, kCmdGroupList, kCmdMemberList}) tour.run(command);
    }

    // The windows the core opens by itself.
    window.ui().notice(90, uiText(11400), uiText(11400));
    tour.lookAround(QStringLiteral("notice"));
    window.ui().showFreeHandicapPanel(2);
    tour.lookAround(QStringLiteral("free handicap"));
    // STONEWISE_TOUR_DUMP=1 lists everything the tour read, to see what it covers.
    if (qEnvironmentVariableIsSet("STONEWISE_TOUR_DUMP")) {
        for (const SeenText& seen : tour.result().texts) qInfo().noquote() << seen.where << "|" << seen.text;
        for (const QString& dialog : tour.result().dialogs) qInfo().noquote() << "dialog:" << dialog;
    }
    return tour.result();
}

} // namespace stonewise::test
