#pragma once

#include <QDialog>

#include "app/Dialogs.h"

class QButtonGroup;
class QCheckBox;
class QPlainTextEdit;
class QPushButton;

namespace stonewise {

// "検討手順の追加・挿入": branch, reference sequence or pass branch, with the first stone's comment.
class BranchDialog final : public QDialog {
    Q_OBJECT
public:
    BranchDialog(const BranchDialogRequest& request, QWidget* parent);
    BranchDialogResult result() const { return m_result; }

private:
    void updateButtons();
    void finish(BranchDialogResult::Choice choice);

    BranchDialogRequest m_request;
    BranchDialogResult m_result;
    QPushButton* m_first = nullptr; // the default (Enter) button
    QPushButton* m_second = nullptr;
    QPushButton* m_pass = nullptr;
    QCheckBox* m_swap = nullptr;
    QPlainTextEdit* m_comment = nullptr;
    QButtonGroup* m_kinds = nullptr;
};

} // namespace stonewise
