#pragma once

#include <QDialog>
#include <memory>

class QComboBox;
class QPushButton;

namespace stonewise {

class RecordCorrection;

// "棋譜修正": rotations and reflections, the handicap, two-move deletion and insertion, working on
// a copy of the record that "取り消し" puts back. Modeless, so the board takes the inserted stones.
class RecordCorrectionDialog final : public QDialog {
    Q_OBJECT
public:
    RecordCorrectionDialog(std::unique_ptr<RecordCorrection> session, QWidget* parent);
    ~RecordCorrectionDialog() override;

    // Enables the buttons for the board's present state (after every board change).
    void refresh();

protected:
    void reject() override;

private:
    std::unique_ptr<RecordCorrection> m_session;
    QPushButton* m_deleteTwo = nullptr;
    QPushButton* m_insertTwo = nullptr;
    QComboBox* m_handicap = nullptr;
};

} // namespace stonewise
