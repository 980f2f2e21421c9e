#include "qt/CommentPanel.h"

#include <QPlainTextEdit>
#include <QVBoxLayout>

#include "app/CIgoBoard.h"
#include "qt/QtText.h"
#include "view/MoveListModel.h"

namespace stonewise {

CommentPanel::CommentPanel(QWidget* parent) : QWidget(parent) {
    QFont font(QStringLiteral("IPAPGothic"));
    font.setPointSize(10);
    setFont(font);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    m_text = new QPlainTextEdit(this);
    m_text->setReadOnly(true);
    m_text->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    layout->addWidget(m_text);
}

void CommentPanel::setBoard(CIgoBoard* board) {
    m_board = board;
    refresh();
}

void CommentPanel::setOptions(const CommentPanelOptions& options) {
    m_options = options;
    refresh();
}

void CommentPanel::refresh() {
    if (!m_board) {
        m_text->clear();
        return;
    }
    const NodeRef& sel = m_board->selection();
    if (sel.sequence) {
        showNode(sel.sequence, sel.index);
        return;
    }
    const int shown = m_board->shownMove();
    const RecordSequence* s = m_board->record().sequenceForMove(shown);
    showNode(s, s && shown > 0 ? s->findNodeIndex(shown) : -1);
}

void CommentPanel::showNode(const RecordSequence* sequence, int nodeIndex) {
    QString text;
    // Only a sequence still in the board's record is read.
    const RecordSequence* s = m_board ? findSequence(m_board->record().main(), sequence) : nullptr;
    if (s) {
        CommentPanelOptions o = m_options;
        o.numberOffset = m_board->record().main().numberOffset();
        text = qs(commentPanelText(*s, nodeIndex, o));
        text.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(QChar(u'\r'), QChar(u'\n'));
    }
    if (text != m_text->toPlainText()) m_text->setPlainText(text);
}

QString CommentPanel::text() const { return m_text->toPlainText(); }

} // namespace stonewise
