#pragma once

#include <QDialog>

#include "app/Dialogs.h"

class QButtonGroup;
class QPlainTextEdit;

namespace stonewise {

// "コメント編集": the comment of one move, with the answer kinds for the first move of a branch.
class CommentDialog final : public QDialog {
    Q_OBJECT
public:
    CommentDialog(const CommentDialogRequest& request, QWidget* parent);
    CommentDialogResult result() const;

private:
    QPlainTextEdit* m_text = nullptr;
    QButtonGroup* m_kinds = nullptr;
};

} // namespace stonewise
