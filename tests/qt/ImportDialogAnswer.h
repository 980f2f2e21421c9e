#pragma once

#include <QApplication>
#include <QPushButton>
#include <QTimer>
#include <functional>
#include <memory>

#include "qt/ImportFileDialog.h"

namespace stonewise::test {

// Answers still waiting for their dialog: a test's closer of unexpected boxes leaves the dialog to
// them.
inline int& importAnswersPending() {
    static int pending = 0;
    return pending;
}

// Answers the next "ファイルの読み込み" by pressing `button` (its object name) once it is open,
// after `prepare` has set its controls; gives up after ten seconds.
inline void answerImportDialog(const char* button, std::function<void(ImportFileDialog&)> prepare = {}) {
    ++importAnswersPending();
    auto* poll = new QTimer;
    poll->setInterval(5);
    auto tries = std::make_shared<int>(0);
    QObject::connect(poll, &QTimer::timeout, [poll, tries, button, prepare] {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* dialog = qobject_cast<ImportFileDialog*>(w); dialog && dialog->isVisible()) {
                poll->stop();
                poll->deleteLater();
                --importAnswersPending();
                if (prepare) prepare(*dialog);
                if (auto* b = dialog->findChild<QPushButton*>(QString::fromLatin1(button)); b && b->isEnabled())
                    b->click();
                return;
            }
        if (++*tries > 2000) {
            poll->stop();
            poll->deleteLater();
            --importAnswersPending();
        }
    });
    poll->start();
}

} // namespace stonewise::test
