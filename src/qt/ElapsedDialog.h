#pragma once

#include <QDialog>

#include "app/Dialogs.h"

class QSpinBox;

namespace stonewise {

// "経過時間修正": the time one move took, in hours, minutes and seconds.
class ElapsedDialog final : public QDialog {
    Q_OBJECT
public:
    ElapsedDialog(const ElapsedDialogRequest& request, QWidget* parent);
    ElapsedDialogResult result() const;

private:
    QSpinBox* m_hours = nullptr;
    QSpinBox* m_minutes = nullptr;
    QSpinBox* m_seconds = nullptr;
};

} // namespace stonewise
