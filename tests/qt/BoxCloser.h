#pragma once

#include <QApplication>
#include <QProgressDialog>
#include <QPushButton>
#include <QStringList>
#include <QTimer>

#include "ImportDialogAnswer.h"

namespace stonewise::test {

// Closes every modal box that appears while it runs, so that a test goes on, and remembers their
// titles; an import dialog that a test answers and a progress window are left alone.
class BoxCloser {
public:
    void start() {
        m_boxes.clear();
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            if (QWidget* modal = QApplication::activeModalWidget()) {
                if (qobject_cast<ImportFileDialog*>(modal) && importAnswersPending() > 0) return;
                if (qobject_cast<QProgressDialog*>(modal)) return; // a progress window, not a box
                m_boxes << modal->windowTitle();
                modal->close();
            }
        });
        m_timer.start(50);
    }
    // Stops; the titles of the boxes closed, joined, or empty when there was none.
    QString stop() {
        m_timer.stop();
        m_timer.disconnect();
        return m_boxes.join(QStringLiteral(", "));
    }

private:
    QStringList m_boxes;
    QTimer m_timer;
};

// Answers the next modal box with its default button, once it is shown: call it from the event loop
// (QTimer::singleShot(0, answerNextBoxWithItsDefault)) before the step that opens the box.
inline void answerNextBoxWithItsDefault() {
    QPushButton* answer = nullptr;
    if (QWidget* modal = QApplication::activeModalWidget())
        for (QPushButton* b : modal->findChildren<QPushButton*>())
            if (b->isDefault()) answer = b;
    if (answer) answer->click();
    else QTimer::singleShot(10, answerNextBoxWithItsDefault);
}

} // namespace stonewise::test
