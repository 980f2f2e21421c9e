#pragma once

#include <QWidget>
#include <functional>
#include <memory>

#include "view/ViewSettings.h"

namespace stonewise {

class Application;
class BoardTicker;
class BoardWidget;
class Clock;
class FlashTimerSlots;
class MoveListRegistry;
class QtUi;
class SidePanel;
class StudyBoard;
struct CommentPanelOptions;
struct InfoPanelOptions;
struct MoveListPanelOptions;

// The study board's window ("検討・参考図"): a board with its move list, information and comment
// beside the main window, owned by it. Moves played here change only the study board's copy.
class StudyWindow : public QWidget {
public:
    StudyWindow(Application& app, const Clock& clock, FlashTimerSlots& flashSlots, MoveListRegistry& moveLists,
                QWidget* owner);
    ~StudyWindow() override;

    StudyBoard& study() { return *m_study; }
    // The main window's display settings, for the same look.
    void apply(const ViewSettings& view, const MoveListPanelOptions& list, const InfoPanelOptions& info,
               const CommentPanelOptions& comment);

    // What runs when the user closes the window (it is only hidden).
    void setClosedHandler(std::function<void()> handler) { m_closed = std::move(handler); }

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    std::unique_ptr<QtUi> m_ui;
    BoardWidget* m_boardWidget = nullptr;
    SidePanel* m_side = nullptr;
    std::unique_ptr<StudyBoard> m_study;
    std::unique_ptr<BoardTicker> m_ticker;
    std::function<void()> m_closed;
    ViewSettings m_view; // as last applied: the move list names points as the board labels them
};

} // namespace stonewise
