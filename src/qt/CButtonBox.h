#pragma once

#include <QWidget>
#include <functional>
#include <map>
#include <vector>

#include "app/ButtonLayouts.h"

class QHBoxLayout;
class QLabel;
class QToolButton;

namespace stonewise {

class CommandStates;

// A bar of tool buttons built from a layout: picture buttons with tooltips, text buttons, hidden
// entries. Pressing a button sends its command; a layout is applied only when it changes.
class CButtonBox : public QWidget {
    Q_OBJECT
public:
    explicit CButtonBox(QWidget* parent = nullptr);

    // Builds the buttons of `layout` (nothing happens when it is the layout already shown).
    void setLayout(BarLayout layout);
    BarLayout layoutShown() const { return m_layout; }
    // Enables and checks the buttons as the command-state table says.
    void refresh(const CommandStates& states);
    // The button of a control id, or null.
    QToolButton* button(int control) const;
    // A text shown at the bar's end (the secondary bar shows the mode's title there).
    void setTitle(const QString& title);

Q_SIGNALS:
    // A button was pressed; `anchor` is its lower left corner on the screen (for pop-ups).
    void commandTriggered(int command, QPoint anchor);

protected:
    // The buttons of a layout; the main bar and the secondary bar answer with their own tables.
    virtual const std::vector<ButtonEntry>& entries(BarLayout layout) const = 0;

private:
    BarLayout m_layout = BarLayout::None;
    bool m_built = false;
    QHBoxLayout* m_row = nullptr;
    QLabel* m_title = nullptr;
    struct Shown {
        ButtonEntry entry;
        QToolButton* button = nullptr;
        int picture = 0; // the picture on the button now
    };
    std::vector<Shown> m_buttons;
};

// The main bar: the modes, the mode's own buttons, files, printing, lists, settings and help.
class CMainBottons final : public CButtonBox {
    Q_OBJECT
public:
    using CButtonBox::CButtonBox;

protected:
    const std::vector<ButtonEntry>& entries(BarLayout layout) const override { return mainBarButtons(layout); }
};

// The secondary bar: the game list, the study board, counting, numbers, record editing and
// navigation, with the mode's title.
class CSubButtons final : public CButtonBox {
    Q_OBJECT
public:
    using CButtonBox::CButtonBox;

protected:
    const std::vector<ButtonEntry>& entries(BarLayout layout) const override { return secondaryBarButtons(layout); }
};

} // namespace stonewise
