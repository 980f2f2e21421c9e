#pragma once

#include <QGroupBox>

class QCheckBox;
class QLabel;
class QPushButton;
class QRadioButton;

namespace stonewise {

class TerritoryCounting;

// "地合い計算": the counting panel beside the board. It shows the count of a TerritoryCounting
// and hands its buttons to the command handler; the radio buttons and check boxes set the
// counting's tools.
class CountingPanel final : public QGroupBox {
    Q_OBJECT
public:
    explicit CountingPanel(QWidget* parent = nullptr);

    // The counting shown (null: none); the panel is visible while it is active.
    void setCounting(TerritoryCounting* counting);
    // Every line and control again from the counting.
    void refresh();

Q_SIGNALS:
    // "計算終了", "再計算", "結果を対局情報へ設定" and the detect button.
    void commandRequested(int id);

private:
    TerritoryCounting* m_counting = nullptr;
    QLabel* m_whiteTerritory = nullptr;
    QLabel* m_blackTerritory = nullptr;
    QLabel* m_white = nullptr;
    QLabel* m_black = nullptr;
    QLabel* m_board = nullptr;
    QLabel* m_result = nullptr;
    QRadioButton* m_blackStone = nullptr;
    QRadioButton* m_whiteStone = nullptr;
    QRadioButton* m_falseEye = nullptr;
    QCheckBox* m_rightOther = nullptr;
    QCheckBox* m_alternate = nullptr;
    QPushButton* m_detect = nullptr;
};

} // namespace stonewise
