#include "support/TestProgram.h"

namespace stonewise::test {

TestProgram::TestProgram(const std::string& folder, const std::string& programFolder)
    : app(CommandLine{}, DataFolder(folder), programFolder), board(environment()),
      commands(app, board, ui, shell, clipboard, clock) {
    app.chooseLanguage(0x0411);
    app.loadSettings(nullptr);
    commands.startUp();
}

BoardEnvironment TestProgram::environment() {
    BoardEnvironment env;
    env.ui = &ui;
    env.panels = &panels;
    env.clock = &clock;
    env.strings = &app.strings();
    return env;
}

bool TestProgram::shown(std::u16string_view text) const {
    for (const ScriptedUi::Shown& m : ui.messages)
        if (m.text.find(text) != std::u16string::npos) return true;
    return false;
}

} // namespace stonewise::test
