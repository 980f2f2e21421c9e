#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QMenuBar>
#include <QMimeData>
#include <QProgressDialog>
#include <QPushButton>
#include <QResource>
#include <QStatusBar>
#include <QThread>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>
#include <QtTest>
#include <atomic>
#include <functional>

#include "BoxCloser.h"
#include "ImportDialogAnswer.h"
#include "ShownProgram.h"
#include "app/Application.h"
#include "app/ButtonLayouts.h"
#include "app/CommandIds.h"
#include "app/GameSession.h"
#include "app/MenuModel.h"
#include "app/ProgramCommands.h"
#include "app/StudyBoard.h"
#include "qt/BoardWidget.h"
#include "qt/ButtonIcons.h"
#include "qt/CButtonBox.h"
#include "qt/CommentPanel.h"
#include "qt/ImportFileDialog.h"
#include "qt/InfoPanel.h"
#include "qt/MainWindow.h"
#include "qt/MoveListPanel.h"
#include "qt/QtText.h"
#include "qt/QtUi.h"
#include "qt/SidePanel.h"
#include "qt/SingleInstance.h"
#include "store/GameStore.h"
#include "store/SettingsRecord.h"
#include "support/TestPaths.h"

using namespace stonewise;

// The main window as a user meets it: its menus, the bars of each mode, a game read from a file
// with its stones where they belong, and clicks on the board.
class MainWindowTest : public QObject {
    Q_OBJECT

private:
    // A program started on a fresh data folder, its window shown.
    using Program = test::ShownProgram;

    // No test here expects a message box: what the commands say is tested headless through the
    // scripted Ui. A box that appears anyway is closed so that the run goes on, and fails the test.
    test::BoxCloser m_closer;

    static QString plain(QString text) { return text.section(QLatin1Char('\t'), 0, 0); }

    // A file of the corpus of other programs' records, by its path there.
    static QString corpusFile(const char* path) {
        return QString::fromStdString(test::corpusDir()) + QLatin1Char('/') + QLatin1String(path);
    }

    // Opens a file of the corpus as the temporary game, as the import dialog's choice does.
    static void openCorpusFile(Program& p, const char* path) {
        test::answerImportDialog("importTemporary");
        p.window->openFile(corpusFile(path));
    }

    static QToolButton* findButton(CButtonBox* bar, const QString& tooltip) {
        for (QToolButton* b : bar->findChildren<QToolButton*>())
            if (b->toolTip() == tooltip && b->isVisible()) return b;
        return nullptr;
    }

private Q_SLOTS:
    void init() { m_closer.start(); }

    void cleanup() {
        const QString boxes = m_closer.stop();
        QVERIFY2(boxes.isEmpty(), qPrintable(QStringLiteral("unexpected box: ") + boxes));
    }

    void theMenuBarHoldsEveryMenuInOrder() {
        Program p;
        const QList<QAction*> tops = p.window->menuBar()->actions();
        const auto& model = mainMenuBar();
        QCOMPARE(tops.size(), static_cast<qsizetype>(model.size()));
        // A click on a title opens its menu with its entries, their states shown.
        QMenuBar* bar = p.window->menuBar();
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(tops[0]).center());
        QTRY_COMPARE(QApplication::activePopupWidget(), static_cast<QWidget*>(tops[0]->menu()));
        QCOMPARE(tops[0]->menu()->actions().size(), static_cast<qsizetype>(model[0].children.size()));
        tops[0]->menu()->close();
        for (std::size_t i = 0; i < model.size(); ++i) {
            QCOMPARE(plain(tops[static_cast<int>(i)]->text()), qs(model[i].text));
            QStringList shown;
            // A menu makes its entries when it is opened, once: opened again it lists them once.
            Q_EMIT tops[static_cast<int>(i)]->menu()->aboutToShow();
            Q_EMIT tops[static_cast<int>(i)]->menu()->aboutToShow();
            for (QAction* a : tops[static_cast<int>(i)]->menu()->actions())
                if (!a->isSeparator()) shown << plain(a->text());
            QStringList expected;
            for (const MenuEntry& e : model[i].children)
                if (!e.isSeparator()) expected << qs(e.text);
            QCOMPARE(shown, expected);
        }
        // The check mark follows the mode.
        p.window->runCommand(32902);
        for (QAction* a : tops[0]->menu()->actions())
            if (plain(a->text()) == QStringLiteral("棋譜鑑賞")) QVERIFY(a->isChecked());
    }

    // The board column is as wide as the square board needs: the panels of other modes (the Go
    // book's) do not widen the side column while they are not shown.
    void theBoardTakesTheRoomItNeeds() {
        Program p;
        QTRY_VERIFY(p.window->boardWidget().height() > 0);
        QVERIFY2(p.window->boardWidget().width() >= p.window->boardWidget().height(),
                 qPrintable(QStringLiteral("board %1 x %2")
                                .arg(p.window->boardWidget().width())
                                .arg(p.window->boardWidget().height())));
    }

    // The bar pictures the build drew are the ones the program draws: every picture a bar shows,
    // at the usual size, at other sizes and disabled.
    void theBarPicturesDrawnAheadMatchTheDrawing() {
        const std::vector<int> pictures = barPictures();
        QVERIFY(pictures.size() > 20);
        const QResource drawn(QStringLiteral(":/bar-pixels/bar-pictures"));
        QVERIFY(drawn.isValid());
        QCOMPARE(drawn.size(), static_cast<qint64>(pictures.size()) * (4 + kDrawnAheadBytes));
        for (const int picture : pictures) {
            const QIcon icon = buttonIcon(picture);
            for (const QSize size : {QSize(24, 24), QSize(48, 48)})
                for (const QIcon::Mode mode : {QIcon::Normal, QIcon::Disabled}) {
                    const QImage shown =
                        icon.pixmap(size, 1.0, mode).toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
                    QVERIFY2(shown == drawButtonPicture(picture, size, mode), qPrintable(QString::number(picture)));
                }
            QVERIFY(drawButtonPicture(picture, QSize(24, 24)) !=
                    drawButtonPicture(picture, QSize(24, 24), QIcon::Disabled));
        }
    }

    void eachModeShowsItsButtonsWithTooltips() {
        Program p;
        auto* mainBar = p.window->findChild<CMainBottons*>();
        auto* subBar = p.window->findChild<CSubButtons*>();
        QVERIFY(mainBar && subBar);
        const std::pair<int, BarLayout> modes[] = {{32900, BarLayout::MailGo},
                                                   {32901, BarLayout::PlayAndRecord},
                                                   {32902, BarLayout::Viewing},
                                                   {32926, BarLayout::Problems}};
        for (const auto& [command, layout] : modes) {
            p.window->runCommand(command);
            QCOMPARE(mainBar->layoutShown(), layout);
            int visible = 0;
            for (const ButtonEntry& e : mainBarButtons(layout)) {
                QToolButton* b = mainBar->button(e.control);
                if (e.kind == ButtonKind::Hidden) {
                    QVERIFY(!b || !b->isVisible());
                    continue;
                }
                QVERIFY2(b && b->isVisible(), qPrintable(QString::number(e.control)));
                QVERIFY(!b->toolTip().isEmpty());
                ++visible;
            }
            QVERIFY(visible > 10);
        }
        // In play and record the secondary bar carries the navigation with its tooltips.
        p.window->runCommand(32901);
        QVERIFY(findButton(subBar, QStringLiteral("進める")));
        QVERIFY(findButton(subBar, QStringLiteral("アニメーション開始・一時停止")));
    }

    void aDroppedFileOpensAndNamesTheWindow() {
        Program p;
        QCOMPARE(p.window->windowTitle(), QStringLiteral("Stonewise"));
        const QString file = corpusFile("server/kgs/malitourne-yagr.sgf");
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(file)});
        QDropEvent drop(QPointF(100, 100), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        // Straight to the window, as the platform's drag and drop hands it over.
        test::answerImportDialog("importTemporary");
        static_cast<QObject*>(p.window.get())->event(&drop);
        QVERIFY(p.window->board().totalMoves() > 3);
        QCOMPARE(p.window->windowTitle(), qs(p.window->board().gameInfo().name) + QStringLiteral(" - Stonewise"));
        QVERIFY(!p.window->board().gameInfo().name.empty());
    }

    void aGameReadFromAFileShowsOnTheBoardAndInTheList() {
        Program p;
        // A server game with a handicap, variations, comments and the players' names.
        QVERIFY(QFileInfo::exists(corpusFile("server/kgs/malitourne-yagr.sgf")));
        openCorpusFile(p, "server/kgs/malitourne-yagr.sgf");
        CIgoBoard& board = p.window->board();
        QVERIFY(board.totalMoves() > 3);
        SidePanel& side = p.window->sidePanel();
        QCOMPARE(side.info().whiteName(), QStringLiteral("malitourne"));
        QCOMPARE(side.info().blackName(), QStringLiteral("yagr"));
        board.command(kCmdToEnd);
        QApplication::processEvents();
        const QImage shot = p.window->grab().toImage();
        BoardWidget& widget = p.window->boardWidget();
        int stones = 0;
        for (int x = 0; x < 19; ++x)
            for (int y = 0; y < 19; ++y) {
                const Colour c = board.position().colourAt(x, y);
                if (c == kEmpty) continue;
                const QPointF centre = widget.centreOf(x, y);
                const double radius = (widget.centreOf(1, 0).x() - widget.centreOf(0, 0).x()) / 2;
                // Half a radius below the centre: the stone's body, not a mark or number on it.
                const QPoint at = widget.mapTo(p.window.get(), (centre + QPointF(0, radius / 2)).toPoint());
                const QRgb px = shot.pixel(at);
                const int light = (qRed(px) + qGreen(px) + qBlue(px)) / 3;
                QVERIFY2(c == kBlack ? light < 90 : light > 170,
                         qPrintable(QStringLiteral("stone at %1,%2").arg(x).arg(y)));
                ++stones;
            }
        QVERIFY(stones > 3);
        auto* tree = side.findChild<QTreeWidget*>();
        QVERIFY(tree && tree->topLevelItemCount() > 0);
        bool branchLine = false;
        for (int i = 0; i < tree->topLevelItemCount(); ++i)
            branchLine |= tree->topLevelItem(i)->text(0).contains(QStringLiteral("【分岐】"));
        QVERIFY(branchLine);

        // A click on an empty point plays there, as the colour to move.
        board.command(kCmdToEnd);
        const int before = board.totalMoves();
        QPoint empty;
        for (int x = 0; x < 19 && empty.isNull(); ++x)
            for (int y = 9; y < 19 && empty.isNull(); ++y)
                if (board.position().colourAt(x, y) == kEmpty) empty = QPoint(x, y);
        QTest::mouseClick(&widget, Qt::LeftButton, {}, widget.centreOf(empty.x(), empty.y()).toPoint());
        QCOMPARE(board.totalMoves(), before + 1);
        QCOMPARE(board.position().colourAt(empty.x(), empty.y()), colourOfMove(before + 1));
    }

    void theCommentPanelShowsTheCommentOfTheMoveShown() {
        Program p;
        openCorpusFile(p, "problems/go-game-guru/weekly-go-problems/intermediate/ggg-intermediate-138.sgf");
        CIgoBoard& board = p.window->board();
        SidePanel& side = p.window->sidePanel();
        RecordSequence* holder = nullptr;
        int commented = -1;
        std::function<void(RecordSequence&)> find = [&](RecordSequence& s) {
            for (const RecordNode& n : s.nodes())
                if (!holder && n.isMove() && n.comment >= 0) {
                    holder = &s;
                    commented = n.moveNumber;
                }
            for (int slot = 1; slot <= s.highestChildSlot(); ++slot)
                if (RecordSequence* c = s.child(slot)) find(*c);
        };
        find(board.record().main());
        QVERIFY(holder);
        board.showSequence(holder, commented);
        QApplication::processEvents();
        const QString comment = qs(holder->commentOf(*holder->findNode(commented))).section(QLatin1Char('\r'), 0, 0);
        QVERIFY2(side.comment().text().contains(comment), qPrintable(side.comment().text()));
    }

    // A problem from another program opens at its position with its question, before the answer's
    // first move, and stepping back from that move shows the question again.
    void aProblemOpensAtItsQuestion() {
        Program p;
        openCorpusFile(p, "problems/go-game-guru/weekly-go-problems/intermediate/ggg-intermediate-131.sgf");
        QApplication::processEvents();
        CIgoBoard& board = p.window->board();
        const CommentPanel& comment = p.window->sidePanel().comment();
        QCOMPARE(board.shownMove(), 0);
        QVERIFY2(comment.text().startsWith(QStringLiteral("Black to play.")), qPrintable(comment.text()));
        board.command(kCmdForward);
        QApplication::processEvents();
        QVERIFY2(!comment.text().contains(QStringLiteral("Black to play.")), qPrintable(comment.text()));
        board.command(kCmdBack);
        QApplication::processEvents();
        QCOMPARE(board.shownMove(), 0);
        QVERIFY2(comment.text().startsWith(QStringLiteral("Black to play.")), qPrintable(comment.text()));
    }

    void theAlarmMarkBlinksOnceAndGoes() {
        Program p;
        BoardWidget& board = p.window->boardWidget();
        const int before = board.findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly).size();
        p.window->ui().alarmMark(1, 3, 3, true);
        QCOMPARE(board.findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly).size(), before + 1);
        QTRY_COMPARE_WITH_TIMEOUT(board.findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly).size(), before,
                                  2000);
    }

    // The window comes back where it was left: its place is saved and restored the same way, so
    // the frame's height does not move it up at every run.
    void theWindowKeepsItsPlaceBetweenRuns() {
        test::TempFolder folder;
        const WindowRect desktop{0, 0, 1920, 1080};
        QPoint shownAt;
        for (int run = 0; run < 3; ++run) {
            Application app{CommandLine{}, DataFolder(folder.path()), std::string()};
            app.chooseLanguage(0x0411);
            app.loadSettings(nullptr);
            if (run == 0) app.settings().mainWindow = {300, 200, 1000, 768};
            MainWindow window(app);
            window.place(app.placeMainWindow(desktop));
            window.startUp();
            window.show();
            QVERIFY(QTest::qWaitForWindowExposed(&window));
            QApplication::processEvents();
            if (run == 0) shownAt = window.frameGeometry().topLeft();
            QCOMPARE(window.frameGeometry().topLeft(), shownAt);
            QCOMPARE(window.size(), QSize(1000, 768));
            window.close();
            QCOMPARE(app.settings().mainWindow, (WindowPlacement{300, 200, 1000, 768}));
        }
        // A move the user makes is kept as well.
        Application app{CommandLine{}, DataFolder(folder.path()), std::string()};
        app.chooseLanguage(0x0411);
        app.loadSettings(nullptr);
        MainWindow window(app);
        window.place(app.placeMainWindow(desktop));
        window.startUp();
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        window.move(250, 150);
        QTRY_COMPARE(app.settings().mainWindow, (WindowPlacement{250, 150, 1000, 768}));
    }

    // The animation button shows one picture while the animation runs, another while it is
    // paused, and its own again once it stops.
    void theAnimationButtonShowsRunningAndPaused() {
        Program p;
        CIgoBoard& board = p.window->board();
        for (const auto& [x, y] : {std::pair{3, 3}, {15, 15}, {4, 4}, {14, 14}, {5, 5}}) board.clickPoint(x, y);
        p.window->runCommand(kCmdToStart);
        QToolButton* button = nullptr;
        for (CButtonBox* bar : p.window->findChildren<CButtonBox*>())
            if (QToolButton* b = bar->button(kCmdAnimate); b && b->isVisible()) button = b;
        QVERIFY(button);
        auto picture = [&] { return button->icon().pixmap(QSize(24, 24)).toImage(); };
        const QImage idle = picture();
        p.window->runCommand(kCmdAnimate);
        const QImage running = picture();
        QVERIFY(running != idle);
        p.window->runCommand(kCmdAnimate);
        const QImage paused = picture();
        QVERIFY(paused != running);
        QVERIFY(paused != idle);
        p.window->runCommand(kCmdAnimate);
        QCOMPARE(picture(), running);
        p.window->runCommand(kCmdStopAnimation);
        QCOMPARE(picture(), idle);
    }

    // The message strip lies over the bottom of the board: the board keeps its size and a click
    // lands on the same point while the strip shows.
    void theMessageStripMovesNothing() {
        Program p;
        BoardWidget& board = p.window->boardWidget();
        QApplication::processEvents();
        const QRect before = board.geometry();
        const QPointF lowest = board.centreOf(9, 18);
        const QPoint pixel = lowest.toPoint();
        QCOMPARE(board.pointAt(pixel), QPoint(9, 18));
        p.window->ui().boardMessage(u"禁じ手です。");
        QApplication::processEvents();
        QLabel* strip = nullptr;
        for (QLabel* label : p.window->findChildren<QLabel*>())
            if (label->text() == QStringLiteral("禁じ手です。") && label->isVisible() &&
                label != p.window->statusBar()->findChild<QLabel*>())
                strip = label;
        QVERIFY(strip);
        QVERIFY(strip->height() > 0);
        QCOMPARE(board.geometry(), before);
        QCOMPARE(board.centreOf(9, 18), lowest);
        QCOMPARE(board.pointAt(pixel), QPoint(9, 18));
        // It lies over the board's bottom edge, across the board's width.
        const QRect over(strip->mapTo(&board, QPoint(0, 0)), strip->size());
        QCOMPARE(over.bottom(), board.height() - 1);
        QCOMPARE(over.width(), board.width());
    }

    void droppedFilesAreImportedWithTheChoicesOfTheFirstAndAProgressBar() {
        Program p;
        test::TempFolder files;
        QList<QUrl> urls;
        for (const char* name : {"first", "second", "third"}) {
            const QString path =
                QString::fromStdString(files.path()) + QString::fromLatin1(name) + QStringLiteral(".sgf");
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(QByteArray("(;GN[") + name + "];B[pd];W[dp];B[pp])");
            f.close();
            urls << QUrl::fromLocalFile(path);
        }
        bool temporaryFollowsTheChoices = false;
        test::answerImportDialog("importNewGame", [&](ImportFileDialog& d) {
            auto* groups = d.findChild<QComboBox*>(QStringLiteral("importGroups"));
            auto* temporary = d.findChild<QPushButton*>(QStringLiteral("importTemporary"));
            auto* all = d.findChild<QCheckBox*>(QStringLiteral("importApplyToAll"));
            if (!groups || !temporary || !all) return;
            groups->setCurrentIndex(groups->findData(kImportCurrentGroup));
            const bool currentAlone = temporary->isEnabled();
            all->setChecked(true);
            const bool currentForAll = temporary->isEnabled();
            groups->setCurrentIndex(groups->findData(3)); // "G4: 棋譜鑑賞"
            all->setChecked(true);
            temporaryFollowsTheChoices = currentAlone && !currentForAll && !temporary->isEnabled() &&
                                         groups->currentText() == QStringLiteral("G4: 棋譜鑑賞");
        });
        bool progressShown = false;
        QTimer watch;
        connect(&watch, &QTimer::timeout, [&] {
            for (QWidget* w : QApplication::topLevelWidgets())
                if (auto* bar = qobject_cast<QProgressDialog*>(w); bar && bar->isVisible()) progressShown = true;
        });
        watch.start(1);
        QMimeData data;
        data.setUrls(urls);
        QDropEvent drop(QPointF(100, 100), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        static_cast<QObject*>(p.window.get())->event(&drop);
        watch.stop();
        QVERIFY(temporaryFollowsTheChoices);
        QVERIFY(progressShown);
        StoreMessages messages;
        const auto entries = p.app.store()->gameList(3, messages).entries();
        QCOMPARE(entries.size(), std::size_t{3});
        QCOMPARE(qs(entries[2]->name), QStringLiteral("third"));
        // The last game stored is shown, in its group.
        QCOMPARE(qs(p.window->board().gameInfo().name), QStringLiteral("third"));
        QCOMPARE(p.app.session()->group(), 3);
        QCOMPARE(p.window->board().totalMoves(), 3);
    }

    void aSecondStartHandsItsFileToTheFirst() {
        const QString key = QStringLiteral("stonewise-test-%1").arg(QCoreApplication::applicationPid());
        SingleInstance first(key);
        QVERIFY(first.listen());
        QSignalSpy opened(&first, &SingleInstance::openFileRequested);
        QSignalSpy front(&first, &SingleInstance::frontRequested);
        // The second start is another process; here it runs on its own thread.
        std::atomic<bool> handed = false;
        std::unique_ptr<QThread> second(
            QThread::create([&] { handed = SingleInstance(key).handOver(QStringLiteral("/tmp/ゲーム 1.sgf")); }));
        second->start();
        QTRY_COMPARE(opened.size(), 1);
        QTRY_VERIFY(second->isFinished());
        QVERIFY(handed);
        QCOMPARE(opened[0][0].toString(), QStringLiteral("/tmp/ゲーム 1.sgf"));
        second.reset(QThread::create([&] { SingleInstance(key).handOver(QString()); }));
        second->start();
        QTRY_COMPARE(front.size(), 1);
        QTRY_VERIFY(second->isFinished());
        // Without a running instance nobody takes the file.
        QVERIFY(!SingleInstance(key + QStringLiteral("-none")).handOver(QStringLiteral("/tmp/x.sgf")));
        // Only this user may reach the socket.
        const QFileInfo socket(QDir::tempPath() + QLatin1Char('/') + key);
        QVERIFY(socket.exists());
        QVERIFY(
            !(socket.permissions() & (QFile::ReadGroup | QFile::WriteGroup | QFile::ReadOther | QFile::WriteOther)));
    }

    // What a crashed run leaves where its socket was does not keep the next run from listening.
    void aSocketLeftByACrashIsReplaced() {
        const QString key = QStringLiteral("stonewise-test-left-%1").arg(QCoreApplication::applicationPid());
        const QString path = QDir::tempPath() + QLatin1Char('/') + key;
        QFile left(path);
        QVERIFY(left.open(QIODevice::WriteOnly));
        left.close();
        QVERIFY(!SingleInstance(key).handOver(QString())); // nobody answers there
        SingleInstance next(key);
        QVERIFY(next.listen());
        QSignalSpy front(&next, &SingleInstance::frontRequested);
        std::unique_ptr<QThread> second(QThread::create([&] { SingleInstance(key).handOver(QString()); }));
        second->start();
        QTRY_COMPARE(front.size(), 1);
        QTRY_VERIFY(second->isFinished());
    }

    void theStudyBoardOpensBesideThePlaysAndItsLineComesBackAsABranch() {
        Program p;
        const QString file = QDir(QString::fromStdString(p.folder.path())).filePath(QStringLiteral("study.sgf"));
        QFile out(file);
        QVERIFY(out.open(QIODevice::WriteOnly));
        out.write("(;GN[研究];SZ[19];B[dd];W[pp];B[pd];W[dp];B[qn];W[nq])");
        out.close();
        test::answerImportDialog("importTemporary");
        p.window->openFile(file);
        CIgoBoard& main = p.window->board();
        QCOMPARE(main.totalMoves(), 6);
        main.showMove(4);
        p.window->runCommand(kCmdStudyBoard);
        auto* studyWindow = p.window->findChild<QWidget*>(QStringLiteral("studyWindow"));
        QVERIFY(studyWindow && studyWindow->isVisible());
        StudyBoard* study = p.window->commands().studyBoard();
        QVERIFY(study);
        QCOMPARE(study->board().displayedMove(), 4);

        // A different fifth move on the study board: its branch dialog is answered with its default.
        QTimer::singleShot(0, test::answerNextBoxWithItsDefault);
        study->board().clickPoint(2, 13);
        QVERIFY(study->studySequence());
        study->board().clickPoint(5, 16);
        QCOMPARE(main.record().main().child(1), nullptr);
        // The study board's list names the points as its board labels them.
        auto* studyList = studyWindow->findChild<QTreeWidget*>();
        QVERIFY(studyList);
        QStringList studyLines;
        for (QTreeWidgetItemIterator it(studyList); *it; ++it) studyLines << (*it)->text(0);
        QVERIFY2(studyLines.join(u'|').contains(QStringLiteral("，十四）")), qPrintable(studyLines.join(u'|')));

        QTreeWidget* list = p.window->sidePanel().moveList().findChild<QTreeWidget*>();
        QVERIFY(list);
        const int lines = list->topLevelItemCount();
        p.window->runCommand(kCmdAddStudyBranch);
        QVERIFY(main.record().main().child(1));
        QCOMPARE(main.record().main().child(1)->lastMoveNumber(), 6);
        QTRY_VERIFY(list->topLevelItemCount() > lines);

        p.window->runCommand(kCmdStudyBoard);
        QVERIFY(!studyWindow->isVisible());
        QVERIFY(!p.window->commands().studyBoard());
    }
};

QTEST_MAIN(MainWindowTest)
#include "MainWindowTest.moc"
