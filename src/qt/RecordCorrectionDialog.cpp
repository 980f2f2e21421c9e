#include "qt/RecordCorrectionDialog.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/Dialogs.h"
#include "app/RecordCorrection.h"
#include "qt/QtText.h"
#include "record/GameInfoText.h"

namespace stonewise {

RecordCorrectionDialog::RecordCorrectionDialog(std::unique_ptr<RecordCorrection> session, QWidget* parent)
    : QDialog(parent), m_session(std::move(session)) {
    setWindowTitle(uiString(20411));
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);
    auto* layout = new QVBoxLayout(this);
    auto* grid = new QGridLayout;
    const std::pair<BoardTransform, int> transforms[] = {
        {BoardTransform::Rotate180, 21090},
        {BoardTransform::RotateRight, 21091},
        {BoardTransform::FlipVertical, 21092},
        {BoardTransform::FlipHorizontal, 21093},
    };
    int i = 0;
    for (const auto& [t, text] : transforms) {
        auto* b = new QPushButton(uiString(text), this);
        connect(b, &QPushButton::clicked, this, [this, t = t] {
            m_session->transform(t);
            refresh();
        });
        grid->addWidget(b, i / 2, i % 2);
        ++i;
    }
    layout->addLayout(grid);

    auto* handicapRow = new QHBoxLayout;
    handicapRow->addWidget(new QLabel(uiString(21094), this));
    m_handicap = new QComboBox(this);
    for (const ListEntry& e : handicapList()) m_handicap->addItem(qs(e.text()), e.key);
    handicapRow->addWidget(m_handicap, 1);
    layout->addLayout(handicapRow);
    connect(m_handicap, &QComboBox::activated, this, [this](int index) {
        m_session->changeHandicap(m_handicap->itemData(index).toInt());
        refresh();
    });

    auto* edits = new QHBoxLayout;
    m_deleteTwo = new QPushButton(uiString(21095), this);
    m_insertTwo = new QPushButton(uiString(21096), this);
    edits->addWidget(m_deleteTwo);
    edits->addWidget(m_insertTwo);
    layout->addLayout(edits);
    connect(m_deleteTwo, &QPushButton::clicked, this, [this] {
        m_session->deleteTwo();
        refresh();
    });
    connect(m_insertTwo, &QPushButton::clicked, this, [this] {
        m_session->startInsertTwo();
        refresh();
    });

    auto* buttons = new QHBoxLayout;
    auto* ok = new QPushButton(uiString(kStrDialogOk), this);
    auto* cancel = new QPushButton(uiString(21097), this);
    ok->setDefault(true);
    buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);
    connect(ok, &QPushButton::clicked, this, [this] {
        m_session->commit();
        accept();
    });
    connect(cancel, &QPushButton::clicked, this, &RecordCorrectionDialog::reject);
    refresh();
}

RecordCorrectionDialog::~RecordCorrectionDialog() = default;

void RecordCorrectionDialog::refresh() {
    if (m_session->finished()) return;
    m_deleteTwo->setEnabled(m_session->canDeleteTwo());
    m_insertTwo->setEnabled(m_session->canInsertTwo());
    const int handicap = m_session->handicap();
    const int index = m_handicap->findData(handicap);
    if (index >= 0) m_handicap->setCurrentIndex(index);
}

void RecordCorrectionDialog::reject() {
    m_session->cancel();
    QDialog::reject();
}

} // namespace stonewise
