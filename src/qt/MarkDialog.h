#pragma once

#include <QDialog>

#include "app/Dialogs.h"

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLineEdit;

namespace stonewise {

// "マークの設定": circle, square, triangle, cross, a letter, or a text label on a point.
class MarkDialog final : public QDialog {
    Q_OBJECT
public:
    MarkDialog(const MarkDialogRequest& request, QWidget* parent);
    MarkDialogResult result() const;

protected:
    void accept() override;

private:
    QButtonGroup* m_choice = nullptr;
    QComboBox* m_case = nullptr;
    QComboBox* m_letter = nullptr;
    QLineEdit* m_label = nullptr;
    QCheckBox* m_small = nullptr;
};

} // namespace stonewise
