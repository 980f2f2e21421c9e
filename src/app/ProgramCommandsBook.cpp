// The Go book mode of the main board: opening a book and the mode's own commands.
#include "app/Application.h"
#include "app/CGoStory.h"
#include "app/CommandIds.h"
#include "app/GameSession.h"
#include "app/ProgramCommands.h"
#include "app/ProgramDialogs.h"

namespace stonewise {

namespace {

bool isBookMode(int mode) { return mode == kModeBook || mode == kModeBookExternal; }

} // namespace

void ProgramCommands::setBookPlayer(CGoStory* player) {
    m_bookPlayer = player;
    m_app.setBookPlayer(player);
    if (FunctionModes* modes = m_app.modes()) modes->setBookReady(player != nullptr);
}

void ProgramCommands::openGoBook(bool chooseAnother) {
    FunctionModes* modes = m_app.modes();
    if (!m_bookPlayer || !modes) return;
    if (isBookMode(modes->mode()) && m_bookPlayer->book() && !chooseAnother) return;
    BookLibrary& library = m_bookPlayer->library();
    if (library.list() == 0) {
        m_ui.showMessage(text(kStrNoBooks), text(kStrGoBookCaption));
        return;
    }
    std::size_t position = 0;
    if (library.entries().size() > 1) {
        NameChoiceRequest request;
        request.title = text(kStrChooseBook);
        for (const BookListEntry& e : library.entries()) request.names.push_back(e.title);
        const std::optional<int> chosen = m_ui.chooseName(request);
        if (!chosen || *chosen < 0 || static_cast<std::size_t>(*chosen) >= library.entries().size()) return;
        position = static_cast<std::size_t>(*chosen);
    }
    showGoBook(position, 0);
}

bool ProgramCommands::openGoBookAt(std::size_t position, int page) {
    if (!m_bookPlayer) return false;
    BookLibrary& library = m_bookPlayer->library();
    if (library.list() == 0) {
        m_ui.showMessage(text(kStrNoBooks), text(kStrGoBookCaption));
        return false;
    }
    // A database built before a book was removed may name one that is gone.
    if (position >= library.entries().size()) return false;
    return showGoBook(position, page);
}

bool ProgramCommands::showGoBook(std::size_t position, int page) {
    FunctionModes* modes = m_app.modes();
    if (!m_bookPlayer || !modes) return false;
    const int before = modes->mode();
    const bool inMode = isBookMode(before);
    if (!inMode) {
        modes->setBookReady(true);
        if (!modes->setMode(kModeBook)) return false;
        // The library's game was saved on the way out; the book's records are none of its games.
        if (GameSession* session = m_app.session()) session->detach();
    }
    if (!m_bookPlayer->openBook(position)) {
        // The book open before is closed: the mode's panels empty, or the library comes back.
        if (inMode) m_ui.showBookPlayer(true);
        else modes->setMode(before);
        return false;
    }
    if (page > 0) m_bookPlayer->showPage(page);
    m_board.setViewOnly(true);
    m_ui.showBookPlayer(true);
    return true;
}

bool ProgramCommands::runBookCommand(int id) {
    static constexpr std::pair<int, BookOrientation> kOrientations[] = {
        {kCmdOrientationAsStored, BookOrientation::AsStored},  {kCmdRotate180, BookOrientation::Rotate180},
        {kCmdRotateRight, BookOrientation::RotateRight},       {kCmdFlipVertical, BookOrientation::FlipVertical},
        {kCmdFlipHorizontal, BookOrientation::FlipHorizontal},
    };
    if (!m_bookPlayer || !m_bookPlayer->book()) return false;
    if (id == kCmdResetAllAnswers) {
        m_bookPlayer->resetAnswers();
        return true;
    }
    for (const auto& [command, orientation] : kOrientations)
        if (command == id) {
            m_bookPlayer->setOrientation(orientation);
            return true;
        }
    return false;
}

} // namespace stonewise
