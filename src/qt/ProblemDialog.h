#pragma once

#include <QDialog>

class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QSpinBox;

namespace stonewise {

class ProblemForm;

// "問題の作成": the creation dialog of problem mode on a ProblemForm, which decides every text and
// the name prefix; the dialog shows the form and hands it what the user does.
class ProblemDialog final : public QDialog {
    Q_OBJECT
public:
    ProblemDialog(ProblemForm& form, QWidget* parent = nullptr);

    void accept() override;

private:
    void showForm();

    ProblemForm& m_form;
    QLineEdit* m_name = nullptr;
    QPlainTextEdit* m_description = nullptr;
    QSpinBox* m_initialMove = nullptr;
    QPushButton* m_reference = nullptr;
    bool m_showing = false;
};

} // namespace stonewise
