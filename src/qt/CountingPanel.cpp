#include "qt/CountingPanel.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "app/TerritoryCounting.h"
#include "qt/QtText.h"

namespace stonewise {

namespace {

QPushButton* commandButton(CountingPanel* panel, int textId, int command) {
    auto* b = new QPushButton(uiString(textId), panel);
    QObject::connect(b, &QPushButton::clicked, panel, [panel, command] { Q_EMIT panel->commandRequested(command); });
    return b;
}

} // namespace

CountingPanel::CountingPanel(QWidget* parent) : QGroupBox(uiString(55510), parent) {
    auto* layout = new QVBoxLayout(this);
    layout->setSpacing(2);
    auto* lines = new QGridLayout;
    m_whiteTerritory = new QLabel(this);
    m_blackTerritory = new QLabel(this);
    m_white = new QLabel(this);
    m_black = new QLabel(this);
    lines->addWidget(m_whiteTerritory, 0, 0);
    lines->addWidget(m_blackTerritory, 0, 1);
    lines->addWidget(m_white, 1, 0);
    lines->addWidget(m_black, 1, 1);
    // The board result and the result take the place of their captions once counted.
    m_board = new QLabel(uiString(55513), this);
    lines->addWidget(m_board, 2, 0, 1, 2);
    m_result = new QLabel(uiString(55514), this);
    lines->addWidget(m_result, 3, 0, 1, 2);
    layout->addLayout(lines);
    auto* row = new QHBoxLayout;
    row->addWidget(commandButton(this, 55515, kCmdTerritoryCount));
    row->addWidget(commandButton(this, 55516, kCmdCountAgain));
    layout->addLayout(row);
    m_blackStone = new QRadioButton(uiString(55517), this);
    m_whiteStone = new QRadioButton(uiString(55518), this);
    m_falseEye = new QRadioButton(uiString(55519), this);
    m_rightOther = new QCheckBox(uiString(55520), this);
    m_alternate = new QCheckBox(uiString(55521), this);
    for (QWidget* w :
         std::initializer_list<QWidget*>{m_blackStone, m_whiteStone, m_falseEye, m_rightOther, m_alternate})
        layout->addWidget(w);
    layout->addWidget(commandButton(this, 55522, kCmdCountSetResult));
    m_detect = commandButton(this, 11018, kCmdCountDetect);
    layout->addWidget(m_detect);
    layout->addWidget(new QLabel(uiString(55523), this));

    auto tool = [this](QRadioButton* b, CountingTool t) {
        connect(b, &QRadioButton::toggled, this, [this, t](bool on) {
            if (on && m_counting) m_counting->setTool(t);
        });
    };
    tool(m_blackStone, CountingTool::BlackStone);
    tool(m_whiteStone, CountingTool::WhiteStone);
    tool(m_falseEye, CountingTool::FalseEye);
    connect(m_rightOther, &QCheckBox::toggled, this, [this](bool on) {
        if (m_counting) m_counting->setRightButtonOther(on);
    });
    connect(m_alternate, &QCheckBox::toggled, this, [this](bool on) {
        if (m_counting) m_counting->setAlternate(on);
    });
    setVisible(false);
}

void CountingPanel::setCounting(TerritoryCounting* counting) {
    m_counting = counting;
    refresh();
}

void CountingPanel::refresh() {
    const bool active = m_counting && m_counting->active();
    setVisible(active);
    if (!active) return;
    const CountResult& r = m_counting->result();
    m_whiteTerritory->setText(qs(r.whiteTerritoryLine));
    m_blackTerritory->setText(qs(r.blackTerritoryLine));
    m_white->setText(qs(r.whiteLine));
    m_black->setText(qs(r.blackLine));
    m_board->setText(qs(r.boardLine));
    m_result->setText(qs(r.resultLine));
    m_detect->setText(qs(m_counting->detectButtonText()));
    QRadioButton* tool = m_counting->tool() == CountingTool::WhiteStone ? m_whiteStone
                         : m_counting->tool() == CountingTool::FalseEye ? m_falseEye
                                                                        : m_blackStone;
    tool->setChecked(true);
    m_rightOther->setChecked(m_counting->rightButtonOther());
    m_alternate->setChecked(m_counting->alternate());
}

} // namespace stonewise
