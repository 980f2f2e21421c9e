#pragma once

#include <QDialog>
#include <map>

#include "app/SettingsDialogs.h"

class QAbstractButton;
class QComboBox;
class QLineEdit;

namespace stonewise {

// "機能設定（メール碁モード）" (250), "機能設定（対局・記録、棋譜鑑賞）" (251) and "表示設定" (252): the
// controls of the form laid out in their boxes; every change goes to the form, which decides.
class SettingsDialog final : public QDialog {
    Q_OBJECT
public:
    SettingsDialog(SettingsForm& form, QWidget* parent);

private:
    void refresh();

    SettingsForm& m_form;
    std::map<int, QAbstractButton*> m_buttons; // check boxes and radio buttons by control
    std::map<int, QComboBox*> m_combos;
    std::map<int, QLineEdit*> m_edits;
};

} // namespace stonewise
