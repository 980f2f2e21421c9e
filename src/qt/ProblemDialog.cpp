#include "qt/ProblemDialog.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>

#include "app/ProblemForm.h"
#include "qt/QtText.h"

namespace stonewise {

ProblemDialog::ProblemDialog(ProblemForm& form, QWidget* parent) : QDialog(parent), m_form(form) {
    setWindowTitle(qs(form.text(0)));
    auto* layout = new QFormLayout(this);
    auto radios = [&](std::initializer_list<int> ids, int checked) {
        auto* row = new QHBoxLayout;
        auto* group = new QButtonGroup(this);
        for (int id : ids) {
            auto* r = new QRadioButton(qs(form.text(id)), this);
            r->setChecked(id == checked);
            group->addButton(r, id);
            row->addWidget(r);
        }
        connect(group, &QButtonGroup::idClicked, this, [this](int id) {
            m_form.choose(id);
            showForm();
        });
        return row;
    };
    layout->addRow(uiString(kStrCreateBoardSize), radios({kCtlCreateBoard19, kCtlCreateBoard13}, form.boardControl()));
    layout->addRow(
        uiString(kStrCreateCategory),
        radios({kCtlCreateLifeAndDeath, kCtlCreateTesuji, kCtlCreateJoseki, kCtlCreateFuseki}, form.categoryControl()));
    layout->addRow(uiString(kStrCreateSide), radios({kCtlCreateBlack, kCtlCreateWhite}, form.sideControl()));
    auto* nameRow = new QHBoxLayout;
    m_name = new QLineEdit(this);
    m_name->setMaxLength(static_cast<int>(ProblemForm::kMaxName));
    m_reference = new QPushButton(this);
    m_reference->setEnabled(!form.referenceNames().empty());
    connect(m_reference, &QPushButton::clicked, this, [this] {
        QMenu menu(this);
        for (const std::u16string& name : m_form.referenceNames())
            connect(menu.addAction(qs(name)), &QAction::triggered, this, [this, name] {
                m_form.chooseName(name);
                showForm();
            });
        menu.exec(m_reference->mapToGlobal(QPoint(0, m_reference->height())));
    });
    nameRow->addWidget(m_name, 1);
    nameRow->addWidget(m_reference);
    layout->addRow(qs(form.text(kCtlCreateName)), nameRow);
    connect(m_name, &QLineEdit::textEdited, this, [this](const QString& text) { m_form.typeName(u16(text)); });
    m_description = new QPlainTextEdit(this);
    m_description->setPlainText(qs(form.description()));
    layout->addRow(qs(form.text(kCtlCreateDescription)), m_description);
    m_initialMove = new QSpinBox(this);
    m_initialMove->setRange(0, 999);
    m_initialMove->setValue(form.initialMove());
    layout->addRow(qs(form.text(kCtlCreateInitialMove)), m_initialMove);
    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(qs(form.text(1)), QDialogButtonBox::AcceptRole);
    buttons->addButton(qs(form.text(2)), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &ProblemDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &ProblemDialog::reject);
    layout->addRow(buttons);
    showForm();
}

void ProblemDialog::showForm() {
    if (m_name->text() != qs(m_form.name())) m_name->setText(qs(m_form.name()));
    m_reference->setText(qs(m_form.text(kCtlCreateReference)));
}

void ProblemDialog::accept() {
    m_form.typeName(u16(m_name->text()));
    m_form.setDescription(u16(m_description->toPlainText()));
    m_form.setInitialMove(m_initialMove->value());
    if (const auto refusal = m_form.refusal()) {
        QMessageBox::warning(this, qs(m_form.text(0)), qs(*refusal));
        return;
    }
    QDialog::accept();
}

} // namespace stonewise
