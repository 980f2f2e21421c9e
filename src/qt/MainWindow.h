#pragma once

#include <QMainWindow>
#include <memory>

#include "app/BoardCanvas.h"
#include "app/CIgoBoard.h"

class QLabel;
class QPlainTextEdit;

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
    void selectionChanged(const RecordSequence* sequence, int nodeIndex) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildMenus();
    void buildKeys();
    // Runs a board command, then refreshes what depends on the board.
    void runCommand(int id, int x = -1, int y = -1);
    void showBoardPopup(int x, int y, QPoint globalPos);
    void refreshPanels();
    void startGame(int lines, int handicap);

    BoardWidget* m_boardWidget = nullptr;
    QLabel* m_moveLabel = nullptr;
    QLabel* m_prisonersLabel = nullptr;
    QLabel* m_strip = nullptr;
    QLabel* m_commentTitle = nullptr;
    QPlainTextEdit* m_comment = nullptr;
    std::unique_ptr<QtUi> m_ui;
    std::unique_ptr<CIgoBoard> m_board;
};

} // namespace stonewise
