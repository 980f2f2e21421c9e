// Problem mode of the main board window: the mode's object, its panel buttons and the creation
// dialog.
#include "app/Application.h"
#include "app/FunctionModes.h"
#include "app/GameSession.h"
#include "app/ProblemMode.h"
#include "app/ProgramCommands.h"
#include "app/Ui.h"
#include "store/GameStore.h"

namespace stonewise {

ProblemMode* ProgramCommands::problems() {
    const FunctionModes* modes = m_app.modes();
    GameStore* store = m_app.store();
    GameSession* session = m_app.session();
    if (!modes || modes->mode() != kModeProblems || !store || !session) {
        // Leaving the mode ends what it was doing, and its edit mode.
        if (m_problems) m_board.setEditing(false);
        m_problems.reset();
        return nullptr;
    }
    if (!m_problems) m_problems = std::make_unique<ProblemMode>(m_board, *session, *store, m_app.strings(), &m_ui);
    if (m_problems->group() != store->currentGroup()) m_problems->open(store->currentGroup());
    return m_problems.get();
}

void ProgramCommands::problemButton(int id) {
    ProblemMode* p = problems();
    if (!p) return;
    if (id == kCtlProblemCreate && p->state() == ProblemState::Creating) {
        p->finishCreation();
    } else if (id == kCtlProblemCreate && p->state() == ProblemState::Idle) {
        ProblemForm form(m_app.strings(), m_problemForm);
        StoreMessages messages;
        std::vector<std::u16string> names;
        for (const GameInfo* g : m_app.store()->gameList(p->group(), messages).entries())
            if (g) names.push_back(g->name);
        form.setReferenceNames(std::move(names));
        if (m_ui.runProblemForm(form)) {
            form.remember(m_problemForm);
            p->beginCreation(form.header(), form.side());
        }
    } else {
        p->command(id);
    }
    refresh();
}

bool ProgramCommands::editProblem() {
    ProblemMode* p = problems();
    if (!p || p->state() != ProblemState::Idle || p->selected() < 0) return false;
    ProblemForm form(m_app.strings(), m_board.gameInfo(), answeringSide(m_board.record().main()));
    if (m_ui.runProblemForm(form)) p->changeHeader(form.header(m_board.gameInfo()));
    return true;
}

} // namespace stonewise
