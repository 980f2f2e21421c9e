// stonewise-cli sgf-association: whether the desktop opens ".sgf" files with Stonewise, and setting
// or removing that for the user, the same way the function settings do.
#include <ostream>
#include <string>

#include "app/FileAssociation.h"
#include "cli/CliCommand.h"
#include "store/DataFolder.h"

namespace stonewise::cli {

namespace {

const char* stateName(AssociationState s) {
    switch (s) {
    case AssociationState::None: return "none";
    case AssociationState::OtherProgram: return "other-program";
    case AssociationState::Elsewhere: return "elsewhere";
    case AssociationState::ThisProgram: return "this-program";
    }
    return "none";
}

int run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    std::string action;
    std::string program = programFolder() + "stonewise";
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--program" && i + 1 < args.size()) {
            program = args[++i];
        } else if (action.empty() && (args[i] == "query" || args[i] == "set" || args[i] == "remove")) {
            action = args[i];
        } else {
            err << "sgf-association: unexpected argument " << args[i] << "\n";
            return 2;
        }
    }
    if (action.empty()) action = "query";
    FileAssociation association(XdgFolders::user(), program, programFolder() + "stonewise.png");
    if (action == "set" && !association.set()) {
        err << "sgf-association: the desktop files could not be written\n";
        return 1;
    }
    if (action == "remove" && !association.remove()) {
        err << "sgf-association: the desktop files could not be changed\n";
        return 1;
    }
    out << stateName(association.query()) << "\n";
    return 0;
}

} // namespace

CliCommand associationCommand() {
    return {"sgf-association", "sgf-association [query|set|remove] [--program PATH]",
            "Whether the desktop opens .sgf game records with Stonewise (none, other-program, elsewhere, "
            "this-program); set makes it so for the user (desktop entry, icon, file type and default "
            "application), remove puts back the default there was before (--program: the program to open "
            "them with, by default the stonewise beside this command)",
            &run};
}

} // namespace stonewise::cli
