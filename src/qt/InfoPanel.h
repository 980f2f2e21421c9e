#pragma once

#include <QWidget>

#include "view/InfoPanelText.h"

class QLabel;

namespace stonewise {

class CIgoBoard;

// The game information beside the board: the two players with their prisoners, whose turn it is
// ("白 " and "黒 ", the one to move enabled) and the handicap and komi.
class InfoPanel final : public QWidget {
    Q_OBJECT
public:
    explicit InfoPanel(QWidget* parent = nullptr);

    // The board window whose game is shown; null empties every text.
    void setBoard(CIgoBoard* board);
    void setOptions(const InfoPanelOptions& options);
    // Writes the names and the handicap and komi text from the board's game header.
    void refresh();
    // "アゲハマ　%3d" for each player.
    void showPrisoners(int byWhite, int byBlack);
    // Enables the indicator of the player who plays move `moveNumber` (white for even numbers).
    void showTurn(int moveNumber);

    QString whiteName() const;
    QString blackName() const;
    QString handicapKomi() const;
    QString whitePrisoners() const;
    QString blackPrisoners() const;
    bool whiteTurn() const;
    bool blackTurn() const;

private:
    CIgoBoard* m_board = nullptr;
    InfoPanelOptions m_options;
    QLabel* m_whiteTurn = nullptr;
    QLabel* m_blackTurn = nullptr;
    QLabel* m_whiteName = nullptr;
    QLabel* m_blackName = nullptr;
    QLabel* m_whitePrisoners = nullptr;
    QLabel* m_blackPrisoners = nullptr;
    QLabel* m_handicapKomi = nullptr;
};

} // namespace stonewise
