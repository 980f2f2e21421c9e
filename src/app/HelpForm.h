#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "help/HelpContents.h"
#include "help/SituationStacks.h"

namespace stonewise {

class Shell;
class Ui;

// The help menu's commands.
enum HelpCommandId : int {
    kCmdHelpOverview = 32950,      // "概要説明"
    kCmdHelpMailGo = 32951,        // "メール碁"
    kCmdHelpPlayAndRecord = 32952, // "対局と記録"
    kCmdHelpViewing = 32953,       // "棋譜鑑賞"
    kCmdHelpProblems = 32954,      // "問題集"
    kCmdHelpBook = 32955,          // "碁ブック"
    kCmdHelpSearch = 32956,        // "棋譜検索"
    kCmdHelpFlash = 32957,         // "フラッシュ表示"
    kCmdHelpContents = 32958,      // "ヘルプの目次"
    kCmdHelpFirst = 32959,         // "始めのヘルプ"
    kCmdHelpMainButtons = 32960,   // "メインツールボタン"
    kCmdHelpRecordButtons = 32961, // "棋譜ツールボタン"
    kCmdHelpBoard = 32962,         // "盤面上の操作"
};

// A help menu command and the topic it shows: (topic, sub-topic), (-1, -1) for the contents.
struct HelpMenuTopic {
    int command;
    int topic;
    int subTopic;
};
// The help menu's commands with their topics ("現状況のヘルプ" shows the situation instead).
std::span<const HelpMenuTopic> helpMenuTopics();

// The topic of the situation a command opens while its dialog is up (the new-branch dialog, the
// game list, …); nothing for a command without a dialog of its own.
std::optional<int> dialogHelpTopic(int command);
// Every command with a dialog topic, with its topic.
std::span<const std::pair<int, int>> dialogHelpTopics();
// The topic of a working mode's situation; nothing for none.
std::optional<int> modeHelpTopic(int mode);
// The topic F1 shows when no situation is kept: the first steps.
inline constexpr int kFirstStepsTopic = 20;
// The topic of the search window "検索" while it is open.
inline constexpr int kTextSearchHelpTopic = 40176;

// A line of the topic tree: a topic's heading at its depth (0 chapter, 1 section, 2 subsection).
struct HelpTreeItem {
    std::u16string heading;
    int depth = 0;

    bool operator==(const HelpTreeItem&) const = default;
};

// The help window and what is behind it: the help of the interface language (opened at the first
// request), the topic shown and the way there, the situations for F1 and the picture window.
// The desktop shows the window through `Ui` and calls the form for each of its buttons.
class HelpForm {
public:
    // `folder` gives where the help of the interface language lies (asked at each request: another
    // language's help is opened when it changes); `indexFile`: the cached index. `runCommand` sends a
    // program command to the main window; `milliseconds` is a steady clock.
    HelpForm(Ui& ui, Shell& shell, std::function<std::string()> folder, std::string indexFile,
             std::function<void(int)> runCommand, std::function<std::int64_t()> milliseconds = {});
    ~HelpForm();

    // --- requests ---
    // Shows the topic (topic, sub-topic, sub-sub-topic) in the help window, opening it when needed;
    // (-1, -1) shows the contents. A topic the help lacks is said and the contents are shown.
    void show(int topic, int subTopic = -1, int subSubTopic = -1);
    // F1: the topic of the top situation of the board's stack (the first steps when it is empty);
    // a request within 100 ms of the previous request is ignored.
    void showSituation(HelpBoard board = HelpBoard::Main);
    // A command of the help menu: true when it was one.
    bool runMenuCommand(int command);
    // Entering and leaving a dialog or mode. Leaving a situation entered while the help window was
    // hidden hides the window again, unless `keepWindow` (a mode left for another keeps the help
    // that may have led there).
    void pushSituation(HelpBoard board, int topic, int subTopic = -1);
    void popSituation(HelpBoard board, int topic, bool keepWindow = false);
    const SituationStacks& situations() const { return m_situations; }
    // The steady clock of the F1 throttle, in milliseconds.
    void setMilliseconds(std::function<std::int64_t()> milliseconds) { m_milliseconds = std::move(milliseconds); }

    // --- what the window shows ---
    bool shown() const { return m_shown; }
    // The contents instead of a topic.
    bool contentsShown() const { return !m_entry; }
    std::optional<std::size_t> entry() const { return m_entry; }
    std::u16string heading() const;
    // The text shown: the topic's, or the contents as a list of headings.
    std::u16string text() const;
    const HelpTopicPage& page() const { return m_page; }
    // The support-site button's caption; empty when the topic has no link.
    std::u16string supportCaption() const;
    // Every topic of the index, for the topic tree (the rows are the index's entries).
    std::vector<HelpTreeItem> tree() const;
    bool canGoBack() const { return m_historyAt > 0; }
    bool canGoForward() const { return m_historyAt + 1 < m_history.size(); }
    bool canGoPrevious() const;
    bool canGoNext() const;
    // The help of the interface language; null until it was opened, or when it could not be.
    const HelpContents* contents() const { return m_help.get(); }

    // --- the window's buttons ---
    void goBack();       // "←": the topic shown before
    void goForward();    // "→"
    void previous();     // "戻る": the topic before in the help's order
    void next();         // "次へ"
    void showContents(); // "目次"
    void chooseTreeItem(std::size_t entry);
    void pressCommand(std::size_t button); // "Command 1-3"
    void openSupportPage();
    void hide();  // "隠す": the window goes, keeping its way
    void close(); // "閉じる": the window and its picture go

private:
    bool openHelp();
    void showEntry(std::optional<std::size_t> entry, bool remember);
    void say(const StoreMessages& messages);

    Ui& m_ui;
    Shell& m_shell;
    std::function<std::string()> m_folder;
    std::string m_openedFolder;
    std::string m_indexFile;
    std::function<void(int)> m_runCommand;
    std::function<std::int64_t()> m_milliseconds;
    std::unique_ptr<HelpContents> m_help;
    SituationStacks m_situations;
    std::optional<std::int64_t> m_lastSituationRequest;
    bool m_shown = false;
    std::optional<std::size_t> m_entry;
    HelpTopicPage m_page;
    std::vector<std::optional<std::size_t>> m_history; // the topics shown (nothing: the contents)
    std::size_t m_historyAt = 0;
};

} // namespace stonewise
