#pragma once

#include <atomic>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "app/LibraryDialogs.h"
#include "app/PatternResultView.h"
#include "search/PatternBuild.h"
#include "search/PatternDatabase.h"

namespace stonewise {

// Texts of the pattern search panel and its composition dialog.
enum PatternSearchStringId : int {
    kStrPatternRun = 58040,           // "検索実行"
    kStrPatternDiagramList = 58041,   // "図・リスト"
    kStrPatternShowGame = 58042,      // "棋譜表示"
    kStrPatternTargetBooks = 58043,   // "碁ブック"
    kStrPatternTargetGeneral = 58044, // "一般棋譜"
    kStrPatternJoseki = 58045,        // "定石"
    kStrPatternFuseki = 58046,        // "布石"
    kStrPatternGame = 58047,          // "棋譜"
    kStrPatternGameCorner = 58048,    // "棋譜の隅"
    kStrPatternTypeColumn = 58049,    // "タイプ"
    kStrPatternNameColumn = 58050,    // "棋譜名"
    kStrPatternCompose = 58051,       // "検索の構成..."
    kStrPatternSelectAll = 58052,     // "全て選択"
    kStrPatternAdd = 58053,           // "構成に組み込む"
    kStrPatternRemove = 58054,        // "除去"
    kStrPatternBuild = 58055,         // "検索データ更新"
    kStrPatternVariations = 58056,    // "分岐パターンも組み込む"
    kStrPatternInputs = 58057,        // "%d個の入力棋譜があります。"
    kStrPatternComposed = 58058,      // "%d個の構成棋譜があります。"
    kStrPatternDiscardClose = 58059,  // the composition changed: discard and close?
    kStrPatternDiscard = 58060,       // the composition changed: discard?
    kStrPatternTitle = 58061,         // "棋譜パターン検索"
    kStrPatternClose = 58062,         // "閉じる"
    kStrPatternInputGroup = 58063,    // "入力グループ："
    kStrPatternBookChoice = 58080,    // "碁ブック: %s": a book in the input combo box
};

class PatternBooks;

// The board whose position the panel searches.
enum class PatternBoardSide { Main, Study };

// One row of the result list: "タイプ" and "棋譜名".
struct PatternResultRow {
    std::u16string type;
    std::u16string name;
};

// The search panel while it is open: the position of the board window analysed, the database of
// the chosen target and kind loaded on demand, the last results and the jump to one of them.
class PatternSearchForm {
public:
    PatternSearchForm(LibraryEnvironment env, std::function<void()> shown = {});
    ~PatternSearchForm();
    PatternSearchForm(const PatternSearchForm&) = delete;
    PatternSearchForm& operator=(const PatternSearchForm&) = delete;

    std::u16string text(int id) const;

    // Analyses the chosen board's record up to the move shown. Returns the panel's line: why it
    // cannot be searched, or which board's record it searches.
    const std::u16string& prepare();
    // The study board, when one is shown; the panel then offers to search its position.
    void setStudyBoard(std::function<CIgoBoard*()> study) { m_study = std::move(study); }
    // What opens book `book` of the installed books' list at page `page` ("ブックを表示").
    void setBookOpener(std::function<bool(std::size_t book, int page)> open) { m_openBook = std::move(open); }
    bool studyBoardShown() const { return m_study && m_study(); }
    void setSide(PatternBoardSide side) { m_side = side; }
    PatternBoardSide side() const { return m_side; }
    bool searchable() const { return m_searchable; }
    // "碁ブック" (true) or "一般棋譜" (false).
    void setBookTarget(bool books) { m_books = books; }
    bool bookTarget() const { return m_books; }
    // The database a search type uses: the general records' for the general target, else the
    // reference, joseki or fuseki records'.
    PatternKind kindFor(PatternSearchType type) const;
    // Whether a search of this type has data to search: the position can be searched and the
    // database of its kind has been built.
    bool available(PatternSearchType type) const;

    // Runs a search: fills the rows and the count line. A database that is missing says so; a
    // damaged one is offered to be built again (true from `rebuild` means the caller opens the
    // composition). Returns the number of results.
    int search(PatternSearchType type);
    const std::vector<PatternResult>& results() const { return m_results; }
    const std::vector<PatternResultRow>& rows() const { return m_rows; }
    const std::u16string& status() const { return m_status; }
    // Whether the last search found the database damaged and the user asked to build it again.
    bool rebuildAsked() const { return m_rebuild; }

    // "棋譜表示" or a double click: shows the result's game at the move where it matched on the
    // main board (a Go book's record: its book at its page). False when it cannot be shown.
    bool show(int row);
    // "ブックを表示": opens the Go book of a result at its page; false for a game of the store or a
    // book that cannot be opened.
    bool showBook(int row);
    bool fromBook(int row) const;
    // Chooses a result for the diagram, the branches, the moves and the comment beside the list;
    // false when its record cannot be read (the view is then empty).
    bool select(int row);
    int selected() const { return m_selected; }
    PatternResultView& view() { return m_view; }
    const PatternResultView& view() const { return m_view; }
    // The database must be read again (after a build).
    void forget() { m_databases.clear(); }
    // The panel went (closed by the user or the command); the next command opens a new one.
    void close() { m_closed = true; }
    bool closed() const { return m_closed; }
    // The composition dialog "検索の構成" on the same library.
    std::unique_ptr<class PatternCompositionForm> makeComposition() const;

private:
    PatternDatabase* database(PatternKind kind);
    PatternBooks& books();
    std::u16string sourceName(int group);

    LibraryEnvironment m_env;
    std::function<void()> m_shown;
    std::function<CIgoBoard*()> m_study;
    std::function<bool(std::size_t, int)> m_openBook;
    PatternBoardSide m_side = PatternBoardSide::Main;
    std::unique_ptr<PatternBooks> m_installedBooks;
    PatternResultView m_view;
    int m_selected = -1;
    PatternQuery m_query;
    bool m_searchable = false;
    bool m_books = false;
    bool m_rebuild = false;
    bool m_closed = false;
    std::map<PatternKind, PatternDatabase> m_databases;
    std::vector<PatternResult> m_results;
    std::vector<PatternResultRow> m_rows;
    PatternKind m_lastKind = PatternKind::General;
    std::u16string m_status;
    std::u16string m_line;
};

// The composition dialog "検索の構成": the inputs of a chosen group, the composition of a chosen
// kind (read from and written to its constructionList.dat), and the build.
class PatternCompositionForm {
public:
    explicit PatternCompositionForm(LibraryEnvironment env);

    std::u16string text(int id) const;
    // Switching kind with unsaved changes asks first; false when the user keeps them.
    bool setKind(PatternKind kind);
    PatternKind kind() const { return m_kind; }
    // What the input combo box offers: the groups (group, "G%d: %s") and the installed Go books
    // (1000 + book, "碁ブック: %s").
    std::vector<std::pair<int, std::u16string>> groups() const;
    void setInputGroup(int group);
    const std::vector<CompositionEntry>& inputs() const { return m_inputs; }
    const std::vector<CompositionEntry>& composition() const { return m_composition; }
    // The type column of an input or a composed entry: "一般棋譜" or "碁ブック".
    std::u16string typeLabel(const CompositionEntry& entry) const;
    // "構成に組み込む": the inputs at `rows`, those not composed yet.
    void add(const std::vector<int>& rows);
    // "除去": the entries at `rows`.
    void remove(const std::vector<int>& rows);
    bool changed() const { return m_changed; }
    bool variations = false; // "分岐パターンも組み込む"
    std::u16string inputsLine() const;
    std::u16string composedLine() const;

    // Builds the chosen kind's database from the composition, reading the games through a store
    // of its own on the data folder (so that it may run beside the window). `stop` ends it early.
    PatternBuildResult build(PatternBuildWatcher& watcher) const;
    // After a build: the composition counts as saved (the build wrote it).
    void built() { m_changed = false; }
    // Closing asks first when the composition changed; false when the user keeps the dialog.
    bool close();

private:
    void load();

    LibraryEnvironment m_env;
    PatternKind m_kind = PatternKind::General;
    int m_group = -1;
    std::vector<CompositionEntry> m_inputs;
    std::vector<CompositionEntry> m_composition;
    bool m_changed = false;
};

} // namespace stonewise
