#pragma once

#include <QMainWindow>
#include <memory>

#include "app/BoardCanvas.h"
#include "app/CIgoBoard.h"

class QLabel;

namespace stonewise {

class BoardWidget;
class QtUi;

// The one top-level window: the board, the information beside it and the status line.
class MainWindow final : public QMainWindow, public BoardPanels {
    Q_OBJECT
public:
    MainWindow();
    ~MainWindow() override;

    CIgoBoard& board() { return *m_board; }
    BoardWidget& boardWidget() { return *m_boardWidget; }

    void showMoveNumber(int nextMove) override;
    void showPrisoners(int byWhite, int byBlack) override;
    void recordChanged() override;

private:
    void buildMenus();
    void startGame(int lines, int handicap);

    BoardWidget* m_boardWidget = nullptr;
    QLabel* m_moveLabel = nullptr;
    QLabel* m_prisonersLabel = nullptr;
    QLabel* m_strip = nullptr;
    std::unique_ptr<QtUi> m_ui;
    std::unique_ptr<CIgoBoard> m_board;
};

} // namespace stonewise
