#pragma once

#include <QDialog>

#include "app/ImportDialog.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;

namespace stonewise {

// "ファイルの読み込み": the file, the game name, the save group and the load mode of one imported file.
class ImportFileDialog final : public QDialog {
    Q_OBJECT
public:
    ImportFileDialog(const ImportDialogRequest& request, QWidget* parent);
    ImportDialogResult result() const { return m_result; }

private:
    void updateButtons();
    void finish(ImportChoice choice);

    ImportDialogRequest m_request;
    ImportDialogResult m_result;
    QLineEdit* m_gameName = nullptr;
    QComboBox* m_groups = nullptr;
    QCheckBox* m_applyToAll = nullptr;
    QCheckBox* m_merge = nullptr;
    QPushButton* m_temporary = nullptr;
};

} // namespace stonewise
