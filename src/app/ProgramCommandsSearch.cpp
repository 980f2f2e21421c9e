#include "app/Application.h"
#include "app/HelpForm.h"
#include "app/PatternSearchForm.h"
#include "app/ProgramCommands.h"
#include "app/StudyBoard.h"
#include "app/TerritoryCounting.h"
#include "app/TextSearchForm.h"
#include "app/Ui.h"

namespace stonewise {

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

void ProgramCommands::togglePatternSearch() {
    if (m_patternSearch && !m_patternSearch->closed()) {
        m_ui.closePatternSearch();
        m_patternSearch->close();
        return;
    }
    if (!m_app.store()) return;
    m_patternSearch = std::make_unique<PatternSearchForm>(libraryEnvironment(), [this] { refresh(); });
    m_patternSearch->setStudyBoard([this]() -> CIgoBoard* {
        StudyBoard* study = studyBoard();
        return study ? &study->board() : nullptr;
    });
    m_patternSearch->setBookOpener([this](std::size_t book, int page) { return openGoBookAt(book, page); });
    m_patternSearch->prepare();
    m_ui.openPatternSearch(*m_patternSearch);
}

TextSearchForm* ProgramCommands::textSearch() {
    return m_textSearch && !m_textSearch->closed() ? m_textSearch.get() : nullptr;
}

} // namespace stonewise
