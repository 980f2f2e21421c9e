#pragma once

#include <QDialog>
#include <optional>

#include "app/PrintDialog.h"

class QButtonGroup;
class QCheckBox;
class QComboBox;

namespace stonewise {

// "印刷形式の選択": which board, move numbers from which number, the list of distant moves and its
// distance, the print size and the number size.
class PrintOptionsDialog final : public QDialog {
    Q_OBJECT
public:
    PrintOptionsDialog(const PrintDialogRequest& request, QWidget* parent);
    // The options chosen; nothing when cancelled.
    std::optional<PrintOptions> chosen() const;

private:
    PrintOptions m_start;
    QButtonGroup* m_board = nullptr;
    QCheckBox* m_numbers = nullptr;
    QComboBox* m_firstNumber = nullptr;
    QCheckBox* m_distant = nullptr;
    QComboBox* m_distance = nullptr;
    QButtonGroup* m_printSize = nullptr;
    QButtonGroup* m_numberSize = nullptr;
};

} // namespace stonewise
