#pragma once

#include <QtTest>
#include <memory>
#include <string>

#include "app/Application.h"
#include "app/CommandLine.h"
#include "qt/MainWindow.h"
#include "store/DataFolder.h"
#include "support/TempFolder.h"

namespace stonewise::test {

// The program started in Japanese on a fresh data folder, its main window shown at 1200 × 900.
// `programFolder` is where the program's own files are (the help, the languages); without it the
// window has none. Unless `offerSamples`, the first start does not offer the sample records.
struct ShownProgram {
    TempFolder folder;
    Application app;
    std::unique_ptr<MainWindow> window;

    explicit ShownProgram(const std::string& programFolder = {}, bool offerSamples = true)
        : app(CommandLine{}, DataFolder(folder.path()), programFolder) {
        app.chooseLanguage(0x0411);
        app.loadSettings(nullptr);
        window = std::make_unique<MainWindow>(app);
        window->resize(1200, 900);
        window->startUp();
        if (!offerSamples) app.takeSampleRecordsOffer();
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    }
};

} // namespace stonewise::test
