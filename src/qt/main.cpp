// Stonewise: start-up in order — command line, interface language, maintenance start, settings,
// the main window and its place, the library, one running instance per user, then the event loop.
#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFont>
#include <QMessageBox>
#include <QScreen>
#include <QUrl>

#include "app/Application.h"
#include "app/CommandLine.h"
#include "qt/BoardRenderer.h"
#include "qt/BoardWidget.h"
#include "qt/MainWindow.h"
#include "qt/PrintCommand.h"
#include "qt/QtText.h"
#include "qt/QtTranslations.h"
#include "qt/SingleInstance.h"
#include "store/DataFolder.h"
#include "store/LanguageLibrary.h"

namespace {

// Ends the event loop once `widget` has been painted.
void quitAfterFirstPaint(QWidget* widget) {
    struct Probe : QObject {
        bool eventFilter(QObject* watched, QEvent* event) override {
            if (event->type() == QEvent::Paint)
                QMetaObject::invokeMethod(qApp, &QCoreApplication::quit, Qt::QueuedConnection);
            return QObject::eventFilter(watched, event);
        }
    };
    widget->installEventFilter(new Probe);
}

// The board pictures, made on another thread while the window is built. The thread works with
// Qt's images, so it ends before the application object does: this lives inside its lifetime.
class PicturePrefetch {
public:
    PicturePrefetch() { stonewise::prefetchBoardPictures(); }
    ~PicturePrefetch() { stonewise::endBoardPicturePrefetch(); }
    PicturePrefetch(const PicturePrefetch&) = delete;
    PicturePrefetch& operator=(const PicturePrefetch&) = delete;
};

} // namespace

int main(int argc, char** argv) {
    using namespace stonewise;
    // A print to PDF runs without a window, before anything of the desktop starts.
    if (const PrintCommandLine print = parsePrintCommandLine(argc, argv); print.requested)
        return runPrintCommand(print, argc, argv);

    QApplication qapp(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Stonewise"));
    QFont font(QStringLiteral("IPAPGothic"), 10);
    font.setHintingPreference(QFont::PreferNoHinting);
    QApplication::setFont(font);

    const CommandLine commandLine = parseCommandLine(joinArguments(argc, argv, QDir::currentPath().toStdString()));

    if (commandLine.maintenance) {
        QMessageBox::warning(nullptr, QStringLiteral("Stonewise"), qs(Application::maintenanceMessage()));
        QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(dataFolderToOpen())));
        return 0;
    }

    // A second start hands its file to the running one and ends.
    SingleInstance single;
    if (single.handOver(qs(commandLine.file))) return 0;

    // Only a start that opens a window loads pictures.
    const PicturePrefetch prefetch;

    Application app(commandLine, DataFolder::user(), programFolder());
    app.chooseLanguage(userLocaleNumber());
    installQtTranslations(app.japanese());
    app.loadSettings(nullptr);

    MainWindow window(app);
    const QRect desktop = QGuiApplication::primaryScreen() ? QGuiApplication::primaryScreen()->availableGeometry()
                                                           : QRect(0, 0, 1280, 1024);
    const WindowRect placed = app.placeMainWindow({desktop.left(), desktop.top(), desktop.width(), desktop.height()});
    window.place(placed);
    window.startUp();

    single.listen();
    QObject::connect(&single, &SingleInstance::openFileRequested, &window, [&window](const QString& file) {
        window.raise();
        window.activateWindow();
        window.openFile(file);
    });
    QObject::connect(&single, &SingleInstance::frontRequested, &window, [&window] {
        if (window.isMinimized()) window.showNormal();
        window.raise();
        window.activateWindow();
    });

    window.show();
    // For the start-up benchmark: end right after the board's first paint.
    if (qEnvironmentVariableIsSet("STONEWISE_QUIT_AFTER_FIRST_PAINT")) quitAfterFirstPaint(&window.boardWidget());
    return QApplication::exec();
}
