#pragma once

#include <QWidget>

#include "view/CommentPanelText.h"

class QPlainTextEdit;

namespace stonewise {

class CIgoBoard;

// The comment panel: the comment and elapsed time of the node the move list has selected (or of
// the move shown when nothing is selected), read-only.
class CommentPanel final : public QWidget {
    Q_OBJECT
public:
    explicit CommentPanel(QWidget* parent = nullptr);

    // The board window whose nodes are shown; null empties the panel.
    void setBoard(CIgoBoard* board);
    // Interface language, Go book mode and string table; the handicap offset comes from the record.
    void setOptions(const CommentPanelOptions& options);
    // Shows what the board gives for its selected node, or for the move shown.
    void refresh();

    QString text() const;

private:
    CIgoBoard* m_board = nullptr;
    CommentPanelOptions m_options;
    QPlainTextEdit* m_text = nullptr;
};

} // namespace stonewise
