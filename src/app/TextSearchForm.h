#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/LibraryDialogs.h"
#include "store/TextSearch.h"

namespace stonewise {

// Texts of the search window "検索".
enum TextSearchStringId : int {
    kStrSearchTitle = 57000,         // "検索": the window, its question
    kStrSearchStart = 57001,         // "検索開始"
    kStrSearchClearHistory = 57002,  // "検索文字列を全てクリア"
    kStrSearchHelpButton = 57003,    // "？"
    kStrSearchBranches = 57004,      // "分岐、参考手順内"
    kStrSearchAnyTerm = 57005,       // "文字列のどれかを含む"
    kStrSearchAllTerms = 57006,      // "文字列の全てを含む"
    kStrSearchGameName = 57007,      // "対局名": the option and the column
    kStrSearchPlayers = 57008,       // "対局者"
    kStrSearchMoveColumn = 57009,    // "手順"
    kStrSearchCommentColumn = 57010, // "コメント"
    kStrSearchClearQuestion = 57011, // clear every search string?
    kStrSearchFound = 57012,         // "%d件見つかりました。"
    kStrSearchStopped = 57013,       // the search stopped at %d hits
    kStrSearchSkipped = 57014,       // %d unreadable games were skipped
    kStrSearchHelp = 57015,          // what the window does
    kStrSearchStringLabel = 57016,   // "検索文字列:"
};

// The search strings typed, kept in "SearchKeyList.dat": at most 256; when full, a new string
// replaces the entry at a replacement index that starts at 0 and moves on by one each time.
class SearchHistory {
public:
    static constexpr std::size_t kMaxStrings = 256;

    explicit SearchHistory(std::vector<std::u16string> strings = {});
    const std::vector<std::u16string>& strings() const { return m_strings; }
    // Adds a string not yet in the history; false when it was there.
    bool add(std::u16string_view text);
    void clear();
    bool changed() const { return m_changed; }
    void setSaved() { m_changed = false; }

private:
    std::vector<std::u16string> m_strings;
    std::size_t m_replace = 0;
    bool m_changed = false;
};

// A row of the result list.
struct TextSearchRow {
    std::u16string game;    // "対局名"
    std::u16string move;    // "手順": "%3d"
    std::u16string comment; // "コメント": up to the first line break, at most 127 characters
};

// The first line of a comment, at most 127 characters (a surrogate pair is never split).
std::u16string commentFirstLine(std::u16string_view comment);

// The search window while it is open: the history read from the data folder, the options (the
// program's, kept by whoever opens the window), the last search's hits, and the jump to a hit. The
// desktop's window calls it for every button; questions go through `Ui`.
class TextSearchForm {
public:
    // `shown` is called after the board changed (a jump), so that the desktop updates the window.
    TextSearchForm(LibraryEnvironment env, TextSearchOptions& options, std::function<void()> shown = {});
    TextSearchForm(const TextSearchForm&) = delete;
    TextSearchForm& operator=(const TextSearchForm&) = delete;

    std::u16string text(int id) const;

    const SearchHistory& history() const { return m_history; }
    TextSearchOptions& options() { return m_options; }

    // "検索開始": the string joins the history, the current group's games are searched.
    void search(std::u16string_view text);
    const std::vector<TextSearchHit>& hits() const { return m_result.hits; }
    const std::vector<TextSearchRow>& rows() const { return m_rows; }
    // The line under the list: hits found, the limit, games skipped; empty before a search.
    const std::u16string& status() const { return m_status; }
    int group() const { return m_group; }

    // "検索文字列を全てクリア": asks first; true when cleared.
    bool clearHistory();
    // "？".
    void help();
    // A double click on row `row`: its game is shown (read first when another is shown), its
    // sequence entered, its move shown and the move's comment selected. False when the game could
    // not be shown.
    bool jump(int row);
    // The window closes: a changed history is written.
    void close();
    bool closed() const { return m_closed; }

private:
    LibraryEnvironment m_env;
    TextSearchOptions& m_options;
    std::function<void()> m_shown;
    SearchHistory m_history;
    TextSearchResult m_result;
    std::vector<TextSearchRow> m_rows;
    std::u16string m_status;
    int m_group = -1;
    bool m_closed = false;
};

// The sequence of `main`'s tree with id `id` (0: `main` itself); null when there is none.
RecordSequence* findSequence(RecordSequence& main, std::uint32_t id);

} // namespace stonewise
