#include "qt/CommentPanel.h"

#include <QPlainTextEdit>
#include <QVBoxLayout>

#include "app/CIgoBoard.h"
#include "qt/QtText.h"

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
    QString text = m_board ? qs(m_board->panelComment(m_options)) : QString();
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(QChar(u'\r'), QChar(u'\n'));
    if (text != m_text->toPlainText()) m_text->setPlainText(text);
}

QString CommentPanel::text() const { return m_text->toPlainText(); }

} // namespace stonewise
