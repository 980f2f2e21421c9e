#include "qt/InfoPanel.h"

#include <QGridLayout>
#include <QLabel>

#include "app/CIgoBoard.h"
#include "qt/QtText.h"

namespace stonewise {

namespace {
QLabel* turnLabel(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    QFont f = label->font();
    f.setBold(true);
    f.setPointSize(f.pointSize() + 1);
    label->setFont(f);
    label->setAlignment(Qt::AlignCenter);
    label->setMinimumWidth(28);
    label->setFrameShape(QFrame::StyledPanel);
    return label;
}
} // namespace

InfoPanel::InfoPanel(QWidget* parent) : QWidget(parent) {
    QFont font(QStringLiteral("IPAPGothic"));
    font.setPointSize(10);
    setFont(font);
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(2, 2, 2, 2);
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(3);
    m_whiteTurn = turnLabel(uiString(21120), this);
    m_blackTurn = turnLabel(uiString(21121), this);
    m_whiteName = new QLabel(this);
    m_blackName = new QLabel(this);
    m_whitePrisoners = new QLabel(this);
    m_blackPrisoners = new QLabel(this);
    m_handicapKomi = new QLabel(this);
    for (QLabel* name : {m_whiteName, m_blackName}) {
        name->setTextInteractionFlags(Qt::TextSelectableByMouse);
        name->setMinimumWidth(60);
    }
    grid->addWidget(m_whiteTurn, 0, 0);
    grid->addWidget(m_whiteName, 0, 1);
    grid->addWidget(m_whitePrisoners, 0, 2, Qt::AlignRight);
    grid->addWidget(m_blackTurn, 1, 0);
    grid->addWidget(m_blackName, 1, 1);
    grid->addWidget(m_blackPrisoners, 1, 2, Qt::AlignRight);
    grid->addWidget(m_handicapKomi, 2, 0, 1, 3);
    grid->setColumnStretch(1, 1);
    showPrisoners(0, 0);
    showTurn(1);
}

void InfoPanel::setBoard(CIgoBoard* board) {
    m_board = board;
    refresh();
}

void InfoPanel::setOptions(const InfoPanelOptions& options) {
    m_options = options;
    refresh();
}

void InfoPanel::refresh() {
    const InfoPanelTexts texts = infoPanelTexts(m_board ? &m_board->gameInfo() : nullptr, m_options);
    m_whiteName->setText(qs(texts.whiteName));
    m_blackName->setText(qs(texts.blackName));
    m_handicapKomi->setText(qs(texts.handicapKomi));
}

void InfoPanel::showPrisoners(int byWhite, int byBlack) {
    m_whitePrisoners->setText(qs(prisonersText(byWhite, m_options.strings)));
    m_blackPrisoners->setText(qs(prisonersText(byBlack, m_options.strings)));
}

void InfoPanel::showTurn(int moveNumber) {
    const TurnIndicators t = turnIndicators(moveNumber);
    m_whiteTurn->setEnabled(t.white);
    m_blackTurn->setEnabled(t.black);
}

QString InfoPanel::whiteName() const { return m_whiteName->text(); }
QString InfoPanel::blackName() const { return m_blackName->text(); }
QString InfoPanel::handicapKomi() const { return m_handicapKomi->text(); }
QString InfoPanel::whitePrisoners() const { return m_whitePrisoners->text(); }
QString InfoPanel::blackPrisoners() const { return m_blackPrisoners->text(); }
bool InfoPanel::whiteTurn() const { return m_whiteTurn->isEnabled(); }
bool InfoPanel::blackTurn() const { return m_blackTurn->isEnabled(); }

} // namespace stonewise
