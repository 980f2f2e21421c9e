#include "qt/CButtonBox.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QToolButton>

#include "app/CommandStates.h"
#include "qt/ButtonIcons.h"
#include "qt/QtText.h"

namespace stonewise {

CButtonBox::CButtonBox(QWidget* parent) : QWidget(parent) {
    m_row = new QHBoxLayout(this);
    m_row->setContentsMargins(4, 2, 4, 2);
    m_row->setSpacing(2);
    m_title = new QLabel(this);
    m_title->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    QFont f = m_title->font();
    f.setBold(true);
    m_title->setFont(f);
    m_row->addStretch(1);
    m_row->addWidget(m_title);
}

void CButtonBox::setLayout(BarLayout layout) {
    if (m_built && layout == m_layout) return;
    m_built = true;
    m_layout = layout;
    for (Shown& shown : m_buttons) delete shown.button;
    m_buttons.clear();
    int at = 0;
    for (const ButtonEntry& e : entries(layout)) {
        if (e.kind == ButtonKind::Hidden) continue;
        auto* b = new QToolButton(this);
        b->setAutoRaise(true);
        if (e.kind == ButtonKind::Picture) {
            b->setIcon(buttonIcon(e.picture));
            b->setIconSize(QSize(24, 24));
            b->setFixedSize(34, 30);
        } else {
            b->setText(qs(e.text));
            b->setToolButtonStyle(Qt::ToolButtonTextOnly);
            b->setMinimumHeight(30);
        }
        b->setToolTip(qs(e.tooltip.empty() ? e.text : e.tooltip));
        const int command = e.command;
        connect(b, &QToolButton::clicked, this,
                [this, b, command] { Q_EMIT commandTriggered(command, b->mapToGlobal(QPoint(0, b->height()))); });
        m_row->insertWidget(at++, b);
        b->show();
        m_buttons.push_back({e, b, e.picture});
    }
}

void CButtonBox::refresh(const CommandStates& states) {
    for (auto& [entry, button, picture] : m_buttons) {
        if (entry.kind == ButtonKind::Picture && states.picture(entry) != picture) {
            picture = states.picture(entry);
            button->setIcon(buttonIcon(picture));
        }
        button->setEnabled(states.enabled(entry.command));
        const bool checked = states.checked(entry.command);
        button->setCheckable(checked || button->isCheckable());
        button->setChecked(checked);
    }
}

QToolButton* CButtonBox::button(int control) const {
    for (const Shown& shown : m_buttons)
        if (shown.entry.control == control) return shown.button;
    return nullptr;
}

void CButtonBox::setTitle(const QString& title) {
    QString oneLine = title;
    oneLine.replace(QStringLiteral("\r\n"), QString());
    m_title->setText(oneLine);
}

} // namespace stonewise
