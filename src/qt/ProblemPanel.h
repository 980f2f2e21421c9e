#pragma once

#include <map>

#include <QWidget>

class QAbstractButton;
class QComboBox;
class QGroupBox;
class QLabel;

namespace stonewise {
class BoardWidget;
}

namespace stonewise {

class ProblemMode;

// The panels of problem mode beside the board: the problem panel (answering, next, study, edit,
// new problem, placement, the problem selection, the move list), the answer panel (answering side,
// hint, start from the first move, answer image, status) and, while stones are placed, the
// placement panel. Every text and state comes from the ProblemMode; the buttons go back by id.
class ProblemPanel final : public QWidget {
    Q_OBJECT
public:
    explicit ProblemPanel(QWidget* parent = nullptr);

    // The board the hint mark is drawn over.
    void setBoardWidget(BoardWidget* board);
    // Shows the mode's state (hidden without one), and the hint mark while a hint is asked for.
    void refresh(const ProblemMode* mode);
    // The button of a control id (for tests).
    QAbstractButton* button(int id) const;
    QComboBox* choice() const { return m_choice; }

Q_SIGNALS:
    void buttonPressed(int id);
    void problemChosen(int position);

private:
    QAbstractButton* add(QAbstractButton* b, int id);
    void placeHintMark(const ProblemMode* mode);

    std::map<int, QAbstractButton*> m_buttons;
    QGroupBox* m_problemBox = nullptr;
    QGroupBox* m_answerBox = nullptr;
    QGroupBox* m_placementBox = nullptr;
    QComboBox* m_choice = nullptr;
    QLabel* m_choiceLabel = nullptr;
    QLabel* m_sideLabel = nullptr;
    QLabel* m_status = nullptr;
    QLabel* m_placing = nullptr;
    bool m_filling = false;
    BoardWidget* m_board = nullptr;
    QLabel* m_hintMark = nullptr;
};

} // namespace stonewise
