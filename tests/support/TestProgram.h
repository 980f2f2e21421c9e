#pragma once

#include <string>
#include <string_view>

#include "app/Application.h"
#include "app/CIgoBoard.h"
#include "app/ProgramCommands.h"
#include "support/ScriptedUi.h"

namespace stonewise::test {

// The environment of a board window on the scripted desktop.
BoardEnvironment scriptedEnvironment(ScriptedUi& ui, RecordingPanels& panels, const Clock& clock,
                                     const StringTable& strings);

// The program started on a data folder (its first start when the folder is empty) with a scripted
// desktop; `programFolder` is where the program's own files would be ("BundleFiles", languages).
struct TestProgram {
    Application app;
    ScriptedUi ui;
    RecordingPanels panels;
    ScriptedShell shell;
    ScriptedClipboard clipboard;
    FixedClock clock;
    CIgoBoard board;
    ProgramCommands commands;

    explicit TestProgram(const std::string& folder, const std::string& programFolder = {});
    BoardEnvironment environment();
    // Whether a message box held `text`.
    bool shown(std::u16string_view text) const;
};

} // namespace stonewise::test
