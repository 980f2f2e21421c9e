#pragma once

#include <QWidget>
#include <vector>

#include "app/CGoStory.h"

class QButtonGroup;
class QLabel;
class QListWidget;
class QProgressBar;
class QPushButton;
class QSlider;
class QTabWidget;
class QTextBrowser;
class QTimer;

namespace stonewise {

// The property set on a widget (or window, for its title) whose text is the open book's own
// content, shown in whatever language the book is written in.
inline constexpr char kBookContentProperty[] = "bookContent";

class BoardWidget;
class ReferBoardWidget;

// The Go book mode's panels beside the main board: the page's title, its picture, reference board
// and text, the table of contents, and the book control panel (play, stop, next, sound,
// automatic, continuous, speed, progress, the trace with its sides). The main board is the player
// (CGoStory) and shows the page's record; this panel shows what the player decides, and its
// 100 ms timer drives the replay.
class BookPanel final : public QWidget {
    Q_OBJECT
public:
    // The panels of `story`, whose records `board` shows, with the interface texts of `strings`.
    BookPanel(CGoStory& story, BoardWidget& board, const StringTable& strings, QWidget* parent = nullptr);
    ~BookPanel() override;

    // The player opened a book: the contents are filled and its first page shown.
    void bookOpened();
    // The book is closed (the mode is left): the replay stops and the panels empty.
    void bookClosed();
    // Shows the player's state again: texts, buttons, progress, the board and the hint's mark.
    void refresh();

    CGoStory& story() { return m_story; }
    QTextBrowser& textPane() { return *m_text; }
    QLabel& picture() { return *m_picture; }
    ReferBoardWidget& referBoard() { return *m_refer; }
    QListWidget& contents() { return *m_contents; }
    QLabel& hintMark() { return *m_hintMark; }
    QPushButton& button(int controlId);

private:
    void showPage(int page);
    void showPageView();
    void play();
    void tick();
    void traceButton();
    void hintButton();
    void placeHintMark();
    QPushButton* addButton(int controlId, int textId, bool checkable = false);

    CGoStory& m_story;
    BoardWidget& m_board;
    const StringTable& m_strings;
    QLabel* m_title = nullptr;
    QLabel* m_picture = nullptr;
    ReferBoardWidget* m_refer = nullptr;
    QTextBrowser* m_text = nullptr;
    QListWidget* m_contents = nullptr;
    QTabWidget* m_tabs = nullptr;
    QSlider* m_speed = nullptr;
    QProgressBar* m_progress = nullptr;
    QButtonGroup* m_sides = nullptr;
    QTimer* m_timer = nullptr;
    QLabel* m_hintMark = nullptr; // the hint's mark window over the board
    std::vector<std::pair<int, QPushButton*>> m_buttons;
};

} // namespace stonewise
