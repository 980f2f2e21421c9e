#pragma once

#include <QSize>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

#include "app/Application.h"
#include "support/TempFolder.h"

class QWidget;

namespace stonewise {
class MainWindow;
}

namespace stonewise::test {

// The program as main() starts it, on a fresh data folder: the command line (for example
// "LOCALE=1033") with the user's locale Japanese, the program folder `programFolder` (where
// "LanguageList.txt" and the language libraries are), Qt's translations of the interface language,
// the settings, and the main window at `size`, started up and shown.
class RunningProgram {
public:
    RunningProgram(const QString& commandLine, const QString& programFolder, QSize size);
    ~RunningProgram();
    // Whether the window came on the screen.
    bool shown() const { return m_shown; }
    MainWindow& window() { return *m_window; }
    Application& app() { return m_app; }

private:
    TempFolder m_folder;
    Application m_app;
    std::unique_ptr<MainWindow> m_window;
    bool m_shown = false;
};

// One text on the screen and where it was seen.
struct SeenText {
    QString where;
    QString text;
};

// A walk through everything the program shows today: the window in every mode with its menus,
// tool buttons and their tooltips, a few moves played, the animation's status line, every entry of
// every menu and pop-up menu, and every dialog, question, message, notice and file dialog those
// open (each answered with "No" or "Cancel"). It collects each text the user can read there;
// the players' moves and the file system's names (the file dialog's folders and files) are left
// out as game content and paths.
struct InterfaceTourResult {
    QList<SeenText> texts;
    QStringList dialogs; // the title of every dialog and message box that was opened
};

// Starts the program (see RunningProgram), then tours it.
InterfaceTourResult tourInterface(const QString& commandLine, const QString& programFolder);

} // namespace stonewise::test
