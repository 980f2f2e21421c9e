#include "app/Application.h"
#include "app/ProgramCommands.h"
#include "app/TerritoryCounting.h"
#include "app/TextSearchForm.h"
#include "app/Ui.h"

namespace stonewise {

ProgramCommands::~ProgramCommands() = default;

void ProgramCommands::toggleTextSearch() {
    if (m_textSearch && !m_textSearch->closed()) {
        m_ui.closeTextSearch();
        m_textSearch->close();
        return;
    }
    if (!m_app.store()) return;
    m_textSearch = std::make_unique<TextSearchForm>(libraryEnvironment(), m_searchOptions, [this] { refresh(); });
    m_ui.openTextSearch(*m_textSearch);
}

TextSearchForm* ProgramCommands::textSearch() {
    return m_textSearch && !m_textSearch->closed() ? m_textSearch.get() : nullptr;
}

} // namespace stonewise
