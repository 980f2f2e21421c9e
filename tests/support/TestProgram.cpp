#include "support/TestProgram.h"

namespace stonewise::test {

TestProgram::TestProgram(const std::string& folder, const std::string& programFolder)
    : app(CommandLine{}, DataFolder(folder), programFolder), board(environment()),
      commands(app, board, ui, shell, clipboard, clock) {
    app.chooseLanguage(0x0411);
    app.loadSettings(nullptr);
    commands.startUp();
}

BoardEnvironment scriptedEnvironment(ScriptedUi& ui, RecordingPanels& panels, const Clock& clock,
                                     const StringTable& strings) {
    BoardEnvironment env;
    env.ui = &ui;
    env.panels = &panels;
    env.clock = &clock;
    env.strings = &strings;
    return env;
}

BoardEnvironment TestProgram::environment() { return scriptedEnvironment(ui, panels, clock, app.strings()); }

bool TestProgram::shown(std::u16string_view text) const {
    for (const ScriptedUi::Shown& m : ui.messages)
        if (m.text.find(text) != std::u16string::npos) return true;
    return false;
}

} // namespace stonewise::test
