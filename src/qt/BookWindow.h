#pragma once

#include <QWidget>
#include <memory>

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
class Mp3Audio;
class QtUi;

// The Go book player's window: the board of the page, the table of contents and the page's text
// and picture in tabs, and the book control panel (play, stop, next, sound, automatic, continuous,
// speed, progress, the trace with its sides). It shows what the player (CGoStory) decides; its
// 100 ms timer drives the replay.
class BookWindow final : public QWidget {
    Q_OBJECT
public:
    // A player of the books of `data`'s book folder with the interface texts of `strings`.
    BookWindow(const DataFolder& data, const StringTable& strings, const Clock& clock, QWidget* parent = nullptr);
    ~BookWindow() override;

    // Lists the installed books and opens one (asking which when there are several); false when
    // there is none or it cannot be opened (the message is shown).
    bool openBook();
    // Opens the book at a position of the book list.
    bool openBookAt(std::size_t position);

    CGoStory& story() { return *m_story; }
    BookLibrary& library() { return m_library; }
    BoardWidget& boardWidget() { return *m_board; }
    QTextBrowser& textPane() { return *m_text; }
    QLabel& picture() { return *m_picture; }
    QListWidget& contents() { return *m_contents; }
    QLabel& hintMark() { return *m_hintMark; }
    QPushButton& button(int controlId);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void showPage(int page);
    void showPageView();
    void refresh();
    void play();
    void tick();
    void traceButton();
    void hintButton();
    void placeHintMark();
    QPushButton* addButton(int controlId, int textId, bool checkable = false);

    BookLibrary m_library;
    BookPlayers m_players;
    std::unique_ptr<QtUi> m_ui;
    std::unique_ptr<Mp3Audio> m_audio;
    std::unique_ptr<CGoStory> m_story;
    const StringTable& m_strings;
    BoardWidget* m_board = nullptr;
    QLabel* m_strip = nullptr;
    QLabel* m_title = nullptr;
    QLabel* m_picture = nullptr;
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
