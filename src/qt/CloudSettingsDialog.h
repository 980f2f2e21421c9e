#pragma once

#include <QDialog>

class QCheckBox;
class QLabel;

namespace stonewise {

class CloudSettingsForm;

// "クラウド設定": shows the form's folder and file, its buttons and its check box.
class CloudSettingsDialog : public QDialog {
public:
    CloudSettingsDialog(CloudSettingsForm& form, QWidget* parent);

private:
    void showFile();

    CloudSettingsForm& m_form;
    QLabel* m_folder = nullptr;
    QLabel* m_file = nullptr;
    QCheckBox* m_alsoMail = nullptr;
};

} // namespace stonewise
