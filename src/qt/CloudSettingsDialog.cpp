#include "qt/CloudSettingsDialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/CloudSettingsForm.h"
#include "app/Dialogs.h"
#include "qt/QtText.h"

namespace stonewise {

CloudSettingsDialog::CloudSettingsDialog(CloudSettingsForm& form, QWidget* parent) : QDialog(parent), m_form(form) {
    setWindowTitle(qs(form.text(kStrCloudSettingsTitle)));
    auto* layout = new QVBoxLayout(this);
    auto* fields = new QFormLayout;
    m_folder = new QLabel(this);
    m_file = new QLabel(this);
    for (QLabel* label : {m_folder, m_file}) {
        label->setTextInteractionFlags(Qt::TextSelectableByMouse);
        label->setMinimumWidth(360);
    }
    fields->addRow(qs(form.text(kStrCloudFolder)), m_folder);
    fields->addRow(qs(form.text(kStrCloudFileName)), m_file);
    layout->addLayout(fields);

    auto* row = new QHBoxLayout;
    auto* create = new QPushButton(qs(form.text(kStrCloudNewFile)), this);
    auto* refer = new QPushButton(qs(form.text(kStrCloudExistingFile)), this);
    auto* stop = new QPushButton(qs(form.text(kStrCloudStop)), this);
    create->setObjectName(QStringLiteral("newFile"));
    refer->setObjectName(QStringLiteral("existingFile"));
    stop->setObjectName(QStringLiteral("stop"));
    row->addWidget(create);
    row->addWidget(refer);
    row->addWidget(stop);
    layout->addLayout(row);

    m_alsoMail = new QCheckBox(qs(form.text(kStrCloudAlsoMail)), this);
    m_alsoMail->setChecked(form.alsoMail());
    layout->addWidget(m_alsoMail);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Cancel)->setText(uiString(kStrDialogCancel));
    layout->addWidget(buttons);

    connect(create, &QPushButton::clicked, this, [this] {
        m_form.createFile();
        showFile();
    });
    connect(refer, &QPushButton::clicked, this, [this] {
        m_form.referToFile();
        showFile();
    });
    connect(stop, &QPushButton::clicked, this, [this] {
        m_form.stopUsing();
        accept();
    });
    connect(m_alsoMail, &QCheckBox::toggled, this, [this](bool on) { m_form.setAlsoMail(on); });
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    showFile();
}

void CloudSettingsDialog::showFile() {
    m_folder->setText(qs(m_form.folderText()));
    m_file->setText(qs(m_form.fileText()));
}

} // namespace stonewise
