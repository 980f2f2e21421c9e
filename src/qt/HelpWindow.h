#pragma once

#include <QPointer>
#include <QWidget>
#include <array>

class QLabel;
class QPushButton;
class QTextBrowser;
class QTreeWidget;

namespace stonewise {

class HelpForm;

// "Stonewise Help": the topic tree, the topic's heading and text, the way buttons ("←", "→",
// "目次", "戻る", "次へ"), the support-site button, up to three command buttons, "隠す" and
// "閉じる". Modeless; every button goes to its form, which outlives it. Controls carry their
// ids as object names ("help-5" for "←").
class HelpWindow final : public QWidget {
    Q_OBJECT
public:
    HelpWindow(HelpForm& form, QWidget* parent);

    // Shows what the form shows now.
    void refresh();
    QTextBrowser* textView() const { return m_text; }
    QTreeWidget* topicTree() const { return m_tree; }

protected:
    // The close box hides the window the way "隠す" does.
    void closeEvent(QCloseEvent* event) override;

private:
    QPushButton* button(int id, const QString& text);
    HelpForm* m_form;
    QTreeWidget* m_tree = nullptr;
    QLabel* m_heading = nullptr;
    QTextBrowser* m_text = nullptr;
    QPushButton* m_back = nullptr;
    QPushButton* m_forward = nullptr;
    QPushButton* m_previous = nullptr;
    QPushButton* m_next = nullptr;
    QPushButton* m_support = nullptr;
    std::array<QPushButton*, 3> m_commands{};
    bool m_filling = false;
};

// "Help Image": a picture of the help beside the help window, 500 × 400 at first, kept on the
// screen.
class HelpPictureWindow final : public QWidget {
    Q_OBJECT
public:
    explicit HelpPictureWindow(QWidget* parent);
    // Shows a BMP file's picture with `caption` as the title (the window's own title when empty),
    // beside `beside`; false when the picture cannot be read.
    bool showPicture(const QByteArray& bitmapFile, const QString& caption, const QWidget* beside);

private:
    QLabel* m_picture;
    bool m_placed = false;
};

} // namespace stonewise
