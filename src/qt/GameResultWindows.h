#pragma once

#include <QDialog>
#include <functional>

#include "app/GameResultDialogs.h"

class QComboBox;
class QDateEdit;
class QDoubleSpinBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QTreeWidget;

namespace stonewise {

// The results diary's dialogs: each shows its form and calls it for every button; the form decides.

// "対局記録リスト" (185).
class GameResultListDialog final : public QDialog {
    Q_OBJECT
public:
    GameResultListDialog(GameResultListForm& form, QWidget* parent);

private:
    void refresh();
    void act(void (GameResultListForm::*action)());
    void act(const std::function<void(GameResultListForm&)>& action);

    GameResultListForm& m_form;
    QComboBox* m_groups;
    QLineEdit* m_newName;
    QPushButton* m_deleteGroup;
    QTreeWidget* m_list;
    std::vector<QPushButton*> m_needSelection;
    QPushButton* m_add;
    QPushButton* m_export;
    QComboBox* m_players;
    QLabel* m_wins;
    QLabel* m_losses;
    QLabel* m_jigo;
    QLabel* m_status;
};

// "対局記録" (186).
class GameResultDialog final : public QDialog {
    Q_OBJECT
public:
    GameResultDialog(GameResultForm& form, QWidget* parent);

private:
    void refresh();
    void take();

    GameResultForm& m_form;
    QDateEdit* m_begun;
    QDateEdit* m_ended;
    QComboBox* m_place;
    QComboBox* m_black;
    QComboBox* m_white;
    QSpinBox* m_handicap;
    QDoubleSpinBox* m_komi;
    QRadioButton* m_blackWon;
    QRadioButton* m_whiteWon;
    QRadioButton* m_jigo;
    QRadioButton* m_byPoints;
    QRadioButton* m_byResignation;
    QRadioButton* m_onTime;
    QLineEdit* m_points;
    QLineEdit* m_name;
    QPlainTextEdit* m_impressions;
};

} // namespace stonewise
