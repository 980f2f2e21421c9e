#pragma once

#include <QPointer>
#include <QWidget>

#include "app/Ui.h"

class QLabel;
class QStatusBar;
class QTimer;

namespace stonewise {

// The core's questions and messages as real windows: message boxes, the board's message strip,
// the status line, notices and dialogs.
class QtUi final : public Ui {
public:
    QtUi(QWidget* owner, QStatusBar* status, QLabel* messageStrip);

    void showMessage(std::u16string_view text, std::u16string_view title) override;
    bool ask(std::u16string_view text, std::u16string_view title) override;
    void boardMessage(std::u16string_view text) override;
    void setStatusText(std::u16string_view text) override;
    void notice(int seconds, std::u16string_view title, std::u16string_view text) override;
    void beep() override;
    void showFreeHandicapPanel(int stones) override;
    void hideFreeHandicapPanel() override;

private:
    QString titleOr(std::u16string_view title) const;

    QWidget* m_owner;
    QStatusBar* m_status;
    QLabel* m_strip;
    QTimer* m_stripTimer;
    QPointer<QWidget> m_freeHandicap;
    QLabel* m_freeHandicapLabel = nullptr;
};

} // namespace stonewise
