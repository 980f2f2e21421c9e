#pragma once

#include <QDialog>

#include "app/GameSettings.h"

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QDateEdit;
class QDoubleSpinBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;

namespace stonewise {

// "対局設定": shows the values of a `GameSettings` and hands every change to it; "OK" is taken
// only when the core's checks pass (its message is shown and the dialog stays open otherwise).
class GameSettingsDialog final : public QDialog {
    Q_OBJECT
public:
    GameSettingsDialog(GameSettings& settings, QWidget* parent);

    void accept() override;

private:
    QWidget* playerRow(bool white);
    void showValues();
    void takeValues();
    void showHandicap();
    void handicapChosen();

    GameSettings& m_settings;
    QLabel* m_number = nullptr;
    QCheckBox* m_thirteen = nullptr;
    QLineEdit* m_name = nullptr;
    QLabel* m_playerLine[2] = {nullptr, nullptr}; // white, black
    QComboBox* m_player[2] = {nullptr, nullptr};
    QComboBox* m_rank[2] = {nullptr, nullptr};
    QRadioButton* m_even = nullptr;
    QRadioButton* m_handicapGame = nullptr;
    QComboBox* m_stones = nullptr;
    QComboBox* m_komi = nullptr;
    QButtonGroup* m_type = nullptr;
    QDateEdit* m_startDate = nullptr;
    QLabel* m_state = nullptr;
    QCheckBox* m_search = nullptr;
    QCheckBox* m_protect = nullptr;
    QSpinBox* m_initialMove = nullptr;
    QCheckBox* m_hideLast = nullptr;
    QCheckBox* m_savable = nullptr;
    QCheckBox* m_cloud = nullptr;
    QPushButton* m_cloudButton = nullptr;
    QLineEdit* m_subject = nullptr;
    bool m_showing = false;
};

// "勝敗設定": the winner, how the game was won and when it ended.
class ResultDialog final : public QDialog {
    Q_OBJECT
public:
    ResultDialog(const ResultDialogRequest& request, QWidget* parent);
    ResultDialogResult result() const;

private:
    void updateEnabled();

    QButtonGroup* m_winner = nullptr;
    QButtonGroup* m_kind = nullptr;
    QDoubleSpinBox* m_points = nullptr;
    QDateEdit* m_endDate = nullptr;
    QSpinBox* m_hour = nullptr;
};

// "対局者": a player's name and kind.
class PlayerDialog final : public QDialog {
    Q_OBJECT
public:
    PlayerDialog(const PlayerDialogRequest& request, QWidget* parent);
    PlayerDialogResult result() const;

private:
    QLineEdit* m_name = nullptr;
    QButtonGroup* m_kind = nullptr;
};

} // namespace stonewise
