#include "qt/SettingsWindows.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "app/Dialogs.h"
#include "qt/QtText.h"

namespace stonewise {

namespace {

QString controlName(int id) { return QStringLiteral("c%1").arg(id); }

} // namespace

SettingsDialog::SettingsDialog(SettingsForm& form, QWidget* parent) : QDialog(parent), m_form(form) {
    setWindowTitle(qs(form.title()));
    setObjectName(QStringLiteral("settings%1").arg(static_cast<int>(form.kind())));
    auto* layout = new QVBoxLayout(this);
    std::map<int, QVBoxLayout*> boxes;
    std::map<int, QButtonGroup*> radioGroups;
    // The display settings put the coordinates' boxes side by side under their own check box.
    QHBoxLayout* coordinateRow = nullptr;
    auto boxLayout = [&](int box) {
        if (auto it = boxes.find(box); it != boxes.end()) return it->second;
        auto* group = new QGroupBox(uiString(box), this);
        auto* inner = new QVBoxLayout(group);
        const bool coordinatePart = box >= 55151 && box <= 55153;
        if (coordinatePart) {
            if (!coordinateRow) {
                coordinateRow = new QHBoxLayout;
                boxes.at(55150)->addLayout(coordinateRow);
            }
            coordinateRow->addWidget(group);
        } else {
            layout->addWidget(group);
        }
        boxes[box] = inner;
        return inner;
    };
    for (const SettingsControl& c : form.controls()) {
        QVBoxLayout* box = boxLayout(c.box);
        switch (c.kind) {
        case SettingsControlKind::Check:
        case SettingsControlKind::Radio: {
            QAbstractButton* b = c.kind == SettingsControlKind::Check
                                     ? static_cast<QAbstractButton*>(new QCheckBox(uiString(c.textId), this))
                                     : static_cast<QAbstractButton*>(new QRadioButton(uiString(c.textId), this));
            if (c.kind == SettingsControlKind::Radio) {
                QButtonGroup*& group = radioGroups[c.group];
                if (!group) group = new QButtonGroup(this);
                group->addButton(b);
            }
            b->setObjectName(controlName(c.id));
            box->addWidget(b);
            m_buttons[c.id] = b;
            connect(b, &QAbstractButton::clicked, this, [this, id = c.id](bool on) {
                m_form.setChecked(id, on);
                refresh();
            });
            break;
        }
        case SettingsControlKind::Combo:
        case SettingsControlKind::EditableCombo: {
            auto* row = new QHBoxLayout;
            row->addWidget(new QLabel(uiString(c.textId), this));
            auto* combo = new QComboBox(this);
            combo->setObjectName(controlName(c.id));
            combo->setEditable(c.kind == SettingsControlKind::EditableCombo);
            for (const std::u16string& item : form.comboItems(c.id)) combo->addItem(qs(item));
            row->addWidget(combo);
            row->addStretch(1);
            box->addLayout(row);
            m_combos[c.id] = combo;
            connect(combo, &QComboBox::activated, this, [this, id = c.id](int index) {
                m_form.chooseComboItem(id, index);
                refresh();
            });
            if (combo->isEditable())
                connect(combo, &QComboBox::editTextChanged, this,
                        [this, id = c.id](const QString& t) { m_form.setText(id, u16(t)); });
            break;
        }
        case SettingsControlKind::Edit: {
            auto* edit = new QLineEdit(this);
            edit->setObjectName(controlName(c.id));
            // The font's face and size are chosen with "フォント選択" only.
            edit->setReadOnly(c.id == 1196 || c.id == 1197);
            box->addWidget(edit);
            m_edits[c.id] = edit;
            connect(edit, &QLineEdit::textEdited, this,
                    [this, id = c.id](const QString& t) { m_form.setText(id, u16(t)); });
            break;
        }
        case SettingsControlKind::Button: {
            auto* b = new QPushButton(uiString(c.textId), this);
            b->setObjectName(controlName(c.id));
            box->addWidget(b);
            connect(b, &QPushButton::clicked, this, [this] {
                m_form.chooseFont();
                refresh();
            });
            break;
        }
        }
    }
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    auto* ok = new QPushButton(uiString(kStrDialogOk), this);
    ok->setObjectName(QStringLiteral("ok"));
    ok->setDefault(true);
    auto* cancel = new QPushButton(uiString(kStrDialogCancel), this);
    cancel->setObjectName(QStringLiteral("cancel"));
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(ok, &QPushButton::clicked, this, [this] {
        if (m_form.confirm()) accept();
    });
    refresh();
}

void SettingsDialog::refresh() {
    for (auto& [id, b] : m_buttons) {
        QSignalBlocker block(b);
        b->setChecked(m_form.checked(id));
        b->setEnabled(m_form.enabled(id));
    }
    for (auto& [id, combo] : m_combos) {
        QSignalBlocker block(combo);
        if (combo->isEditable()) combo->setEditText(qs(m_form.text(id)));
        else combo->setCurrentIndex(m_form.comboIndex(id));
        combo->setEnabled(m_form.enabled(id));
    }
    for (auto& [id, edit] : m_edits) {
        if (edit->text() != qs(m_form.text(id))) edit->setText(qs(m_form.text(id)));
        edit->setEnabled(m_form.enabled(id));
    }
}

} // namespace stonewise
