#pragma once

#include <QDialog>
#include <functional>

class QCheckBox;
class QComboBox;
class QLabel;
class QRadioButton;
class QTreeWidget;

namespace stonewise {

class TextSearchForm;

// "検索": the search string with its history, the options, the hits and their jump to the board.
// Modeless; everything it does goes through its form, which outlives it.
class TextSearchWindow final : public QDialog {
    Q_OBJECT
public:
    // `shown` runs after a hit was shown on the board.
    TextSearchWindow(TextSearchForm& form, std::function<void()> shown, QWidget* parent);

    // The results list (for tests and the jump).
    QTreeWidget* results() const { return m_results; }
    QComboBox* searchBox() const { return m_text; }
    // "検索開始".
    void startSearch();
    // A double click on row `row`.
    void showHit(int row);

protected:
    // Closing in any way (the close box, "閉じる", Esc) ends the form's use and deletes the window.
    void done(int result) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void fillHistory();
    void fillResults();
    void fitColumns();

    TextSearchForm* m_form;
    std::function<void()> m_shown;
    QComboBox* m_text = nullptr;
    QCheckBox* m_branches = nullptr;
    QRadioButton* m_any = nullptr;
    QRadioButton* m_all = nullptr;
    QCheckBox* m_gameName = nullptr;
    QCheckBox* m_players = nullptr;
    QTreeWidget* m_results = nullptr;
    QLabel* m_status = nullptr;
};

} // namespace stonewise
