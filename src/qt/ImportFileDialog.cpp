#include "qt/ImportFileDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include "qt/QtText.h"

namespace stonewise {

ImportFileDialog::ImportFileDialog(const ImportDialogRequest& request, QWidget* parent)
    : QDialog(parent), m_request(request) {
    const ImportDialogTexts& t = request.texts;
    setWindowTitle(qs(t.title));
    setObjectName("importFileDialog");
    auto* form = new QFormLayout;
    auto* file = new QLabel(qs(request.fileName));
    file->setObjectName("importFileName");
    form->addRow(qs(t.fileLabel), file);
    m_gameName = new QLineEdit(qs(request.gameName));
    m_gameName->setObjectName("importGameName");
    form->addRow(qs(t.gameLabel), m_gameName);
    m_groups = new QComboBox;
    m_groups->setObjectName("importGroups");
    for (const ImportGroupItem& g : request.groups) {
        m_groups->addItem(qs(g.label), g.group);
        if (g.group == request.selectedGroup) m_groups->setCurrentIndex(m_groups->count() - 1);
    }
    form->addRow(qs(t.groupLabel), m_groups);
    m_applyToAll = new QCheckBox(qs(t.applyToAll));
    m_applyToAll->setObjectName("importApplyToAll");
    m_applyToAll->setChecked(request.applyToAll);
    m_merge = new QCheckBox(qs(t.mergeContinuations));
    m_merge->setObjectName("importMerge");
    m_merge->setChecked(request.mergeContinuations);

    auto* buttons = new QVBoxLayout;
    auto button = [&](const std::u16string& label, const char* name, bool enabled, ImportChoice choice) {
        auto* b = new QPushButton(qs(label));
        b->setObjectName(name);
        b->setEnabled(enabled);
        b->setAutoDefault(false);
        connect(b, &QPushButton::clicked, this, [this, choice] { finish(choice); });
        buttons->addWidget(b);
        return b;
    };
    m_temporary = button(t.temporary, "importTemporary", true, ImportChoice::Temporary);
    button(t.overwrite, "importOverwrite", request.overwriteEnabled, ImportChoice::Overwrite);
    QPushButton* newGame = button(t.newGame, "importNewGame", request.newGameEnabled, ImportChoice::NewGame);
    newGame->setDefault(request.newGameEnabled);
    button(t.skip, "importSkip", request.skipEnabled, ImportChoice::Skip);
    button(t.end, "importEnd", true, ImportChoice::End);
    // The help of the dialog comes with the program's help, which has no topic for it yet.
    auto* help = new QPushButton(qs(t.help));
    help->setEnabled(false);
    buttons->addWidget(help);
    buttons->addStretch();

    auto* left = new QVBoxLayout;
    left->addLayout(form);
    left->addWidget(m_applyToAll);
    left->addWidget(m_merge);
    left->addStretch();
    auto* top = new QHBoxLayout(this);
    top->addLayout(left, 1);
    top->addLayout(buttons);

    connect(m_groups, &QComboBox::currentIndexChanged, this, [this] { updateButtons(); });
    connect(m_applyToAll, &QCheckBox::toggled, this, [this] { updateButtons(); });
    updateButtons();
    // The main window comes to the front a second after the dialog opens (a file handed over from
    // another program leaves that program in front).
    QTimer::singleShot(1000, this, [parent] {
        if (parent && parent->window()) {
            parent->window()->raise();
            parent->window()->activateWindow();
        }
    });
    m_result.choice = ImportChoice::End; // the close box ends the import
}

void ImportFileDialog::updateButtons() {
    m_temporary->setEnabled(importTemporaryEnabled(m_groups->currentData().toInt(), m_applyToAll->isChecked()));
}

void ImportFileDialog::finish(ImportChoice choice) {
    m_result.choice = choice;
    m_result.gameName = u16(m_gameName->text());
    m_result.group = m_groups->currentData().toInt();
    m_result.applyToAll = m_applyToAll->isChecked();
    m_result.mergeContinuations = m_merge->isChecked();
    accept();
}

} // namespace stonewise
