#include "qt/PrintOptionsDialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "qt/QtText.h"

namespace stonewise {

namespace {

// A group of three radio buttons with ids 1..3, `checked` selected.
QGroupBox* threeChoices(const std::u16string& title, std::initializer_list<const std::u16string*> texts, int checked,
                        QButtonGroup*& group, QWidget* parent) {
    auto* box = new QGroupBox(qs(title), parent);
    auto* layout = new QHBoxLayout(box);
    group = new QButtonGroup(box);
    int id = 1;
    for (const std::u16string* text : texts) {
        auto* button = new QRadioButton(qs(*text), box);
        button->setChecked(id == checked);
        group->addButton(button, id++);
        layout->addWidget(button);
    }
    return box;
}

// A combo box of numbers with `value` (or the nearest one below it) selected.
QComboBox* numberCombo(const std::vector<int>& values, int value, QWidget* parent) {
    auto* combo = new QComboBox(parent);
    int selected = 0;
    for (std::size_t i = 0; i < values.size(); ++i) {
        combo->addItem(QString::number(values[i]), values[i]);
        if (values[i] <= value) selected = static_cast<int>(i);
    }
    combo->setCurrentIndex(selected);
    return combo;
}

} // namespace

PrintOptionsDialog::PrintOptionsDialog(const PrintDialogRequest& request, QWidget* parent)
    : QDialog(parent), m_start(request.options) {
    const PrintDialogTexts& t = request.texts;
    const PrintOptions& o = request.options;
    setWindowTitle(qs(t.title));
    auto* layout = new QVBoxLayout(this);

    m_board = new QButtonGroup(this);
    for (int id : {1, 2}) {
        auto* button = new QRadioButton(qs(id == 1 ? t.shownBoard : t.basicBoard), this);
        button->setChecked(o.board == id);
        m_board->addButton(button, id);
        layout->addWidget(button);
    }

    auto* numbers = new QHBoxLayout;
    m_numbers = new QCheckBox(qs(t.numbers), this);
    m_numbers->setChecked(o.numbers);
    numbers->addWidget(m_numbers);
    numbers->addStretch();
    numbers->addWidget(new QLabel(qs(t.firstNumber), this));
    m_firstNumber = numberCombo(request.firstNumbers, o.firstNumber, this);
    numbers->addWidget(m_firstNumber);
    layout->addLayout(numbers);

    m_distant = new QCheckBox(qs(t.distantList), this);
    m_distant->setChecked(o.distantList);
    layout->addWidget(m_distant);
    auto* distance = new QHBoxLayout;
    distance->addSpacing(24);
    distance->addWidget(new QLabel(qs(t.distanceLimit), this));
    m_distance = numberCombo(request.distanceLimits, o.distanceLimit, this);
    distance->addWidget(m_distance);
    distance->addStretch();
    layout->addLayout(distance);

    layout->addWidget(
        threeChoices(t.printSize, {&t.sizeLarge, &t.sizeMedium, &t.sizeSmall}, o.printSize, m_printSize, this));
    layout->addWidget(
        threeChoices(t.numberSize, {&t.number100, &t.number75, &t.number50}, o.numberSize, m_numberSize, this));

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    auto* ok = new QPushButton(qs(t.ok), this);
    ok->setDefault(true);
    auto* cancel = new QPushButton(qs(t.cancel), this);
    // The dialog's help comes with the program's help, which has no topic for it yet.
    auto* help = new QPushButton(qs(t.help), this);
    help->setEnabled(false);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    buttons->addWidget(help);
    layout->addLayout(buttons);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

std::optional<PrintOptions> PrintOptionsDialog::chosen() const {
    if (result() != QDialog::Accepted) return std::nullopt;
    PrintOptions o = m_start;
    o.board = m_board->checkedId() == 2 ? 2 : 1;
    o.numbers = m_numbers->isChecked();
    o.firstNumber = m_firstNumber->currentData().toInt();
    o.distantList = m_distant->isChecked();
    o.distanceLimit = m_distance->currentData().toInt();
    o.printSize = m_printSize->checkedId() > 0 ? m_printSize->checkedId() : 2;
    o.numberSize = m_numberSize->checkedId() > 0 ? m_numberSize->checkedId() : 2;
    return o;
}

} // namespace stonewise
