#include "qt/CommentDialog.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/Dialogs.h"
#include "qt/AnswerKindBox.h"
#include "qt/QtText.h"

namespace stonewise {

CommentDialog::CommentDialog(const CommentDialogRequest& request, QWidget* parent) : QDialog(parent) {
    setWindowTitle(uiString(21030));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(uiString(21031) + qs(request.moveLabel), this));
    if (request.offerKinds) m_kinds = addAnswerKindBox(this, layout, request.kind);
    layout->addWidget(new QLabel(uiString(21032), this));
    m_text = new QPlainTextEdit(this);
    QString text = qs(request.text);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(QChar(u'\r'), QChar(u'\n'));
    m_text->setPlainText(text);
    layout->addWidget(m_text, 1);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Cancel)->setText(uiString(kStrDialogCancel));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    resize(480, 320);
}

CommentDialogResult CommentDialog::result() const {
    CommentDialogResult r;
    r.accepted = QDialog::result() == QDialog::Accepted;
    r.text = u16(m_text->toPlainText());
    r.kind = m_kinds ? static_cast<AnswerKind>(m_kinds->checkedId()) : kNoAnswer;
    return r;
}

} // namespace stonewise
