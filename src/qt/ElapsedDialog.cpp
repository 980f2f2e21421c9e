#include "qt/ElapsedDialog.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "app/Dialogs.h"
#include "qt/QtText.h"

namespace stonewise {

ElapsedDialog::ElapsedDialog(const ElapsedDialogRequest& request, QWidget* parent) : QDialog(parent) {
    setWindowTitle(uiString(21040));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(uiString(21031) + qs(request.moveLabel), this));
    auto* row = new QHBoxLayout;
    m_hours = new QSpinBox(this);
    m_minutes = new QSpinBox(this);
    m_seconds = new QSpinBox(this);
    m_hours->setRange(0, 546); // a node keeps at most 32,767 minutes
    m_minutes->setRange(0, 59);
    m_seconds->setRange(0, 59);
    m_hours->setValue(request.seconds / 3600);
    m_minutes->setValue(request.seconds / 60 % 60);
    m_seconds->setValue(request.seconds % 60);
    row->addWidget(m_hours);
    row->addWidget(new QLabel(uiString(21041), this));
    row->addWidget(m_minutes);
    row->addWidget(new QLabel(uiString(21042), this));
    row->addWidget(m_seconds);
    row->addWidget(new QLabel(uiString(21043), this));
    layout->addLayout(row);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Cancel)->setText(uiString(kStrDialogCancel));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

ElapsedDialogResult ElapsedDialog::result() const {
    ElapsedDialogResult r;
    r.accepted = QDialog::result() == QDialog::Accepted;
    r.seconds = m_hours->value() * 3600 + m_minutes->value() * 60 + m_seconds->value();
    return r;
}

} // namespace stonewise
