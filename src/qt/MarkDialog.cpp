#include "qt/MarkDialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "app/Dialogs.h"
#include "qt/QtText.h"
#include "record/RecordNode.h"

namespace stonewise {

namespace {
enum Choice { kCircle = 1, kSquare = 2, kTriangle = 3, kCross = 4, kLetter = 5, kHeading = 20 };

void fillLetters(QComboBox* box, bool upper) {
    box->clear();
    box->addItem(QStringLiteral(" "));
    for (char c = 'A'; c <= 'Z'; ++c) box->addItem(QString(QChar(upper ? c : c - 'A' + 'a')));
}
} // namespace

MarkDialog::MarkDialog(const MarkDialogRequest& request, QWidget* parent) : QDialog(parent) {
    setWindowTitle(uiString(21050));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(uiString(21051) + qs(request.pointLabel), this));
    auto* grid = new QGridLayout;
    m_choice = new QButtonGroup(this);
    const std::pair<int, int> shapes[] = {{kCircle, 21052}, {kSquare, 21053}, {kTriangle, 21054}, {kCross, 21055}};
    int row = 0;
    for (const auto& [id, text] : shapes) {
        auto* b = new QRadioButton(uiString(text), this);
        m_choice->addButton(b, id);
        grid->addWidget(b, row++, 0);
    }
    auto* letter = new QRadioButton(uiString(21056), this);
    m_choice->addButton(letter, kLetter);
    grid->addWidget(letter, row, 0);
    m_case = new QComboBox(this);
    m_case->addItems({uiString(21057), uiString(21058)});
    m_letter = new QComboBox(this);
    grid->addWidget(m_case, row, 1);
    grid->addWidget(m_letter, row++, 2);
    auto* heading = new QRadioButton(uiString(21059), this);
    m_choice->addButton(heading, kHeading);
    grid->addWidget(heading, row, 0);
    m_label = new QLineEdit(this);
    m_label->setMaxLength(kMaxLabelLength);
    grid->addWidget(m_label, row, 1, 1, 2);
    m_small = new QCheckBox(uiString(21060), this);
    grid->addWidget(m_small, ++row, 1);
    layout->addLayout(grid);

    const bool lower = request.kind == kMarkLowerLetter;
    fillLetters(m_letter, !lower);
    m_case->setCurrentIndex(lower ? 1 : 0);
    connect(m_case, &QComboBox::currentIndexChanged, this, [this](int i) {
        const int at = m_letter->currentIndex();
        fillLetters(m_letter, i == 0);
        m_letter->setCurrentIndex(at);
        m_choice->button(kLetter)->setChecked(true);
    });
    connect(m_letter, &QComboBox::activated, this, [this] { m_choice->button(kLetter)->setChecked(true); });
    connect(m_label, &QLineEdit::textEdited, this, [this] { m_choice->button(kHeading)->setChecked(true); });

    switch (request.kind) {
    case kMarkCircle:
    case kMarkSquare:
    case kMarkTriangle:
    case kMarkCross: m_choice->button(request.kind)->setChecked(true); break;
    case kMarkUpperLetter:
    case kMarkLowerLetter:
        m_choice->button(kLetter)->setChecked(true);
        if (request.letter) m_letter->setCurrentIndex(QChar(request.letter).toUpper().unicode() - u'A' + 1);
        break;
    case kMarkLabel:
    case kMarkSmallLabel:
        m_choice->button(kHeading)->setChecked(true);
        m_label->setText(qs(request.labelText));
        m_small->setChecked(request.kind == kMarkSmallLabel);
        break;
    default: break;
    }

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Cancel)->setText(uiString(kStrDialogCancel));
    connect(buttons, &QDialogButtonBox::accepted, this, &MarkDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

void MarkDialog::accept() {
    const int choice = m_choice->checkedId();
    const bool noLetter = choice == kLetter && m_letter->currentIndex() <= 0;
    const bool noLabel = choice == kHeading && m_label->text().trimmed().isEmpty();
    if (choice < 0 || noLetter || noLabel) {
        QMessageBox::warning(this, windowTitle(), uiString(noLabel ? 21061 : 21062));
        return;
    }
    QDialog::accept();
}

MarkDialogResult MarkDialog::result() const {
    MarkDialogResult r;
    r.accepted = QDialog::result() == QDialog::Accepted;
    const int choice = m_choice->checkedId();
    if (choice == kLetter) {
        const bool lower = m_case->currentIndex() == 1;
        r.kind = lower ? kMarkLowerLetter : kMarkUpperLetter;
        const int i = m_letter->currentIndex();
        r.letter = i > 0 ? static_cast<char16_t>((lower ? u'a' : u'A') + i - 1) : 0;
    } else if (choice == kHeading) {
        r.kind = m_small->isChecked() ? kMarkSmallLabel : kMarkLabel;
        r.labelText = u16(m_label->text());
    } else if (choice > 0) {
        r.kind = choice;
    }
    return r;
}

} // namespace stonewise
