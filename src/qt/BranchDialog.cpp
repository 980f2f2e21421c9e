#include "qt/BranchDialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/Dialogs.h"
#include "qt/AnswerKindBox.h"
#include "qt/QtText.h"

namespace stonewise {

namespace {
constexpr int kMaxComment = 1023;
}

BranchDialog::BranchDialog(const BranchDialogRequest& request, QWidget* parent) : QDialog(parent), m_request(request) {
    setWindowTitle(uiString(21020));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(uiString(21021), this));

    m_kinds = addAnswerKindBox(this, layout, kNoAnswer);

    layout->addWidget(new QLabel(uiString(21022), this));
    m_comment = new QPlainTextEdit(this);
    m_comment->setTabChangesFocus(true);
    connect(m_comment, &QPlainTextEdit::textChanged, this, [this] {
        const QString t = m_comment->toPlainText();
        if (t.size() > kMaxComment) m_comment->setPlainText(t.left(kMaxComment));
    });
    layout->addWidget(m_comment, 1);

    m_swap = new QCheckBox(uiString(21023), this);
    m_swap->setChecked(request.enterGivesReference);
    layout->addWidget(m_swap);

    auto* buttons = new QHBoxLayout;
    m_first = new QPushButton(this);
    m_second = new QPushButton(this);
    m_pass = new QPushButton(uiString(21024), this);
    auto* cancel = new QPushButton(uiString(kStrDialogCancel), this);
    m_first->setDefault(true);
    for (QPushButton* b : {m_first, m_second, m_pass, cancel}) buttons->addWidget(b);
    layout->addLayout(buttons);

    connect(m_swap, &QCheckBox::toggled, this, &BranchDialog::updateButtons);
    auto choiceOf = [this](QPushButton* b) {
        const bool swapped = m_swap->isChecked();
        return (b == m_first) != swapped ? BranchDialogResult::Choice::Branch : BranchDialogResult::Choice::Reference;
    };
    connect(m_first, &QPushButton::clicked, this, [this, choiceOf] { finish(choiceOf(m_first)); });
    connect(m_second, &QPushButton::clicked, this, [this, choiceOf] { finish(choiceOf(m_second)); });
    connect(m_pass, &QPushButton::clicked, this, [this] { finish(BranchDialogResult::Choice::PassBranch); });
    connect(cancel, &QPushButton::clicked, this, [this] { finish(BranchDialogResult::Choice::Cancel); });
    updateButtons();
    m_result.enterGivesReference = request.enterGivesReference;
    resize(480, 320);
}

void BranchDialog::updateButtons() {
    const bool swapped = m_swap->isChecked();
    m_first->setText(uiString(swapped ? 21025 : 21026));
    m_second->setText(uiString(swapped ? 21026 : 21025));
    const bool branchAllowed = !m_request.onlyReference;
    const bool referenceAllowed = !m_request.onlyBranch;
    m_first->setEnabled(swapped ? referenceAllowed : branchAllowed);
    m_second->setEnabled(swapped ? branchAllowed : referenceAllowed);
    m_pass->setEnabled(branchAllowed);
}

void BranchDialog::finish(BranchDialogResult::Choice choice) {
    m_result.choice = choice;
    m_result.comment = u16(m_comment->toPlainText());
    m_result.kind = static_cast<AnswerKind>(m_kinds->checkedId());
    m_result.enterGivesReference = m_swap->isChecked();
    if (choice == BranchDialogResult::Choice::Cancel) reject();
    else accept();
}

} // namespace stonewise
