#pragma once

#include <QDialog>
#include <functional>
#include <utility>
#include <vector>

#include "search/PatternDatabase.h"

class QComboBox;
class QLabel;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QTreeWidget;

namespace stonewise {

class PatternSearchForm;
class PatternCompositionForm;
class PatternDiagramView;

// "棋譜パターン検索": the board to search, the search target and type buttons, the results with their
// type and name, the count line, beside them the chosen result's diagram with the moves that
// followed, its branches and the comment of its move; the jump to a result's game or book, and the
// composition dialog. Modeless; everything it does goes through its form, which outlives it.
class PatternSearchWindow final : public QDialog {
    Q_OBJECT
public:
    PatternSearchWindow(PatternSearchForm& form, std::function<void()> shown, QWidget* parent);

    QTreeWidget* results() const { return m_results; }
    PatternDiagramView* diagramView() const { return m_diagram; }
    QTreeWidget* branchTree() const { return m_branches; }
    QListWidget* moveList() const { return m_moves; }
    QPlainTextEdit* commentBox() const { return m_comment; }
    QWidget* diagramPane() const { return m_pane; }
    // Chooses a result for the diagram beside the list.
    void selectResult(int row);
    // "図・リスト": shows or hides the diagram beside the list.
    void toggleDiagram();
    // "分岐表示": the branch chosen in the tree.
    void showBranch();
    // "ブックを表示".
    void showBook();
    // Searches the board's position with a search type (the type buttons and "検索実行").
    void runSearch(PatternSearchType type);
    // "棋譜表示" and a double click.
    void showResult(int row);
    // "検索の構成...".
    void compose();

protected:
    void done(int result) override;

private:
    void fillResults();
    void fillView(bool branches);
    // The type buttons for which there is data to search are enabled.
    void enableTypes();

    PatternSearchForm* m_form;
    std::function<void()> m_shown;
    PatternSearchType m_type = PatternSearchType::Game;
    QLabel* m_line = nullptr;
    QTreeWidget* m_results = nullptr;
    QLabel* m_count = nullptr;
    QWidget* m_pane = nullptr;
    QLabel* m_caption = nullptr;
    PatternDiagramView* m_diagram = nullptr;
    QListWidget* m_moves = nullptr;
    QTreeWidget* m_branches = nullptr;
    QPlainTextEdit* m_comment = nullptr;
    QPushButton* m_showBook = nullptr;
    QWidget* m_sides = nullptr;
    std::vector<std::pair<QPushButton*, PatternSearchType>> m_typeButtons;
};

// "検索の構成": the kind, the input group and its games, the composition, and the build with its
// progress bar and "中止"; the build runs on a thread of its own while the dialog stays live.
class PatternCompositionDialog final : public QDialog {
    Q_OBJECT
public:
    PatternCompositionDialog(PatternCompositionForm& form, QWidget* parent);
    QComboBox* inputGroup() const { return m_group; }
    QTreeWidget* inputs() const { return m_inputs; }
    QTreeWidget* composition() const { return m_composition; }
    // "検索データ更新": true when a database was built.
    bool build();

protected:
    void done(int result) override;

private:
    void fillInputs();
    void fillComposition();

    PatternCompositionForm* m_form;
    QTreeWidget* m_inputs = nullptr;
    QTreeWidget* m_composition = nullptr;
    QComboBox* m_group = nullptr;
    QLabel* m_inputsLine = nullptr;
    QLabel* m_composedLine = nullptr;
};

} // namespace stonewise
