#include "app/PatternSearchForm.h"

#include <algorithm>

#include "app/CIgoBoard.h"
#include "app/PatternBooks.h"
#include "app/Ui.h"
#include "record/StringTable.h"
#include "record/Text.h"
#include "search/PatternLine.h"
#include "search/PatternPacking.h"
#include "search/PatternTexts.h"
#include "store/FileIo.h"
#include "store/GameStore.h"

namespace stonewise {

// --- the search panel ----------------------------------------------------------------------------

PatternSearchForm::PatternSearchForm(LibraryEnvironment env, std::function<void()> shown)
    : m_env(std::move(env)), m_shown(std::move(shown)) {}

PatternSearchForm::~PatternSearchForm() = default;

std::u16string PatternSearchForm::text(int id) const { return std::u16string(uiText(id)); }

const std::u16string& PatternSearchForm::prepare() {
    m_searchable = false;
    const bool study = m_side == PatternBoardSide::Study && studyBoardShown();
    const CIgoBoard* board = study ? m_study() : m_env.board;
    if (!board) {
        m_line = text(kTextTooFewStones);
        return m_line;
    }
    const int message = m_query.prepare(*board->record().pathTop(), board->shownMove(), board->gameInfo().boardSize());
    m_searchable = message == 0;
    m_line = text(message != 0 ? message : study ? kTextFromStudyBoard : kTextFromMainBoard);
    return m_line;
}

PatternKind PatternSearchForm::kindFor(PatternSearchType type) const {
    if (!m_books) return PatternKind::General;
    switch (type) {
    case PatternSearchType::Joseki: return PatternKind::Joseki;
    case PatternSearchType::Fuseki: return PatternKind::Fuseki;
    default: return PatternKind::Reference;
    }
}

bool PatternSearchForm::available(PatternSearchType type) const {
    if (!m_searchable || !m_env.store) return false;
    const PatternKind kind = kindFor(type);
    return pathExists(patternFolder(m_env.store->folder().path(), kind) + databaseFileName(kind, 0));
}

PatternDatabase* PatternSearchForm::database(PatternKind kind) {
    if (auto it = m_databases.find(kind); it != m_databases.end()) return &it->second;
    if (!m_env.store) return nullptr;
    PatternDatabase db;
    bool damaged = false;
    if (!db.load(patternFolder(m_env.store->folder().path(), kind), kind, &damaged)) {
        m_rebuild = damaged && m_env.ui->ask(text(kTextDamagedRebuild), text(kTextComposition));
        return nullptr;
    }
    return &m_databases.emplace(kind, std::move(db)).first->second;
}

int PatternSearchForm::search(PatternSearchType type) {
    m_rebuild = false;
    m_results.clear();
    m_rows.clear();
    m_view.clear();
    m_selected = -1;
    m_installedBooks.reset(); // books may have come or gone since the last search
    if (!m_searchable) {
        m_status = m_line;
        return 0;
    }
    m_lastKind = kindFor(type);
    const PatternDatabase* db = database(m_lastKind);
    if (!db) {
        m_status = text(kTextNoSearchData);
        return 0;
    }
    const PatternSearchOutcome outcome = db->search(m_query, type);
    if (outcome.message != 0) {
        m_status = text(outcome.message);
        return 0;
    }
    m_results = outcome.results;
    for (const PatternResult& r : m_results)
        m_rows.push_back({resultTypeLabel(r), resultNameLabel(sourceName(r.group), db->name(r.name))});
    m_status = resultCountLine(static_cast<int>(m_results.size()));
    return static_cast<int>(m_results.size());
}

PatternBooks& PatternSearchForm::books() {
    if (!m_installedBooks) m_installedBooks = std::make_unique<PatternBooks>(m_env.store->folder());
    return *m_installedBooks;
}

// The name of a result's group, or of its book.
std::u16string PatternSearchForm::sourceName(int group) {
    if (group < kBookGroupBase) {
        const GroupRecord* record = m_env.store->group(group);
        return record ? record->name : std::u16string();
    }
    std::u16string title = books().title(group - kBookGroupBase);
    return title.empty() ? formatText(text(kStrPatternBookNumber), {group - kBookGroupBase}) : title;
}

bool PatternSearchForm::fromBook(int row) const {
    return row >= 0 && row < static_cast<int>(m_results.size()) &&
           m_results[static_cast<std::size_t>(row)].group >= kBookGroupBase;
}

bool PatternSearchForm::show(int row) {
    if (row < 0 || row >= static_cast<int>(m_results.size()) || !m_env.board) return false;
    if (fromBook(row)) return showBook(row);
    const PatternResult r = m_results[static_cast<std::size_t>(row)];
    if (!m_env.showGame(r.group, r.game)) {
        if (m_shown) m_shown();
        return false;
    }
    // The line that matched and its move, in the game the board now shows.
    CIgoBoard& board = *m_env.board;
    int move = -1;
    RecordSequence& main = board.record().main();
    if (RecordSequence* found = matchedLine(main, board.gameInfo().boardSize(), r, m_query, move)) {
        if (found != &main) board.showSequence(found, move);
        board.showMove(std::clamp(move, 0, board.totalMoves()));
    }
    if (m_shown) m_shown();
    return true;
}

bool PatternSearchForm::showBook(int row) {
    if (!fromBook(row) || !m_openBook) return false;
    const PatternResult& r = m_results[static_cast<std::size_t>(row)];
    return m_openBook(static_cast<std::size_t>(r.group - kBookGroupBase), r.bookEntry);
}

bool PatternSearchForm::select(int row) {
    m_view.clear();
    m_selected = row;
    if (row < 0 || row >= static_cast<int>(m_results.size()) || !m_env.store) return false;
    const PatternResult& r = m_results[static_cast<std::size_t>(row)];
    std::unique_ptr<RecordSequence> main;
    int size = 19;
    if (r.group >= kBookGroupBase) {
        BookPageRecord page = books().record(r.group - kBookGroupBase, r.bookEntry);
        main = std::move(page.main);
        size = page.boardSize;
    } else {
        StoreMessages messages;
        const GameInfo* info = m_env.store->gameList(r.group, messages).find(r.game);
        GameFileRead read = m_env.store->readGame(r.group, r.game, messages);
        if (read.status == StoreReadStatus::Ok) main = std::move(read.main);
        size = info ? info->boardSize() : read.entry ? read.entry->boardSize() : 19;
    }
    if (!main) return false;
    if (const CIgoBoard* board = m_env.board)
        m_view.setPointLabels([board](int x, int y) { return board->pointLabels(x, y); });
    m_view.show(std::move(main), size, r, m_query);
    return true;
}

std::unique_ptr<PatternCompositionForm> PatternSearchForm::makeComposition() const {
    return std::make_unique<PatternCompositionForm>(m_env);
}

// --- the composition ---------------------------------------------------------------------------

PatternCompositionForm::PatternCompositionForm(LibraryEnvironment env) : m_env(std::move(env)) {
    load();
    if (m_env.store) setInputGroup(m_env.store->currentGroup());
}

std::u16string PatternCompositionForm::text(int id) const { return std::u16string(uiText(id)); }

void PatternCompositionForm::load() {
    m_composition.clear();
    m_changed = false;
    if (!m_env.store) return;
    bool damaged = false;
    const auto read = readComposition(patternFolder(m_env.store->folder().path(), m_kind) + kCompositionFile, damaged);
    if (read) m_composition = *read;
    if (damaged) m_env.ui->showMessage(text(kTextSavedDataAbnormal), text(kTextComposition));
}

bool PatternCompositionForm::setKind(PatternKind kind) {
    if (kind == m_kind) return true;
    if (m_changed && !m_env.ui->ask(text(kStrPatternDiscard), text(kTextComposition))) return false;
    m_kind = kind;
    load();
    return true;
}

std::vector<std::pair<int, std::u16string>> PatternCompositionForm::groups() const {
    std::vector<std::pair<int, std::u16string>> groups;
    if (!m_env.store) return groups;
    for (int g = 0; g < kScratchGroup; ++g)
        if (const GroupRecord* record = m_env.store->group(g)) groups.emplace_back(g, groupChoiceText(g, record->name));
    const PatternBooks books(m_env.store->folder());
    for (std::size_t b = 0; b < books.books().size(); ++b)
        groups.emplace_back(kBookGroupBase + static_cast<int>(b),
                            formatText(text(kStrPatternBookChoice), {std::u16string_view(books.books()[b].title)}));
    return groups;
}

std::u16string PatternCompositionForm::typeLabel(const CompositionEntry& entry) const {
    return text(entry.isBook() ? kStrPatternTargetBooks : kTextKindGeneral);
}

void PatternCompositionForm::setInputGroup(int group) {
    m_group = group;
    m_inputs.clear();
    if (!m_env.store) return;
    if (group >= kBookGroupBase) {
        // A book is composed whole: its records of the chosen kind are taken when building.
        const PatternBooks books(m_env.store->folder());
        const std::u16string title = books.title(group - kBookGroupBase);
        if (!title.empty()) m_inputs.push_back({static_cast<std::uint16_t>(group), 0, title});
        return;
    }
    if (!m_env.store->group(group)) return;
    StoreMessages messages;
    for (const GameInfo* info : m_env.store->gameList(group, messages).entries())
        m_inputs.push_back({static_cast<std::uint16_t>(group), static_cast<std::uint16_t>(info->number), info->name});
    m_env.showMessages(messages);
}

void PatternCompositionForm::add(const std::vector<int>& rows) {
    for (const int row : rows) {
        if (row < 0 || row >= static_cast<int>(m_inputs.size())) continue;
        const CompositionEntry& e = m_inputs[static_cast<std::size_t>(row)];
        const bool there = std::any_of(m_composition.begin(), m_composition.end(), [&](const CompositionEntry& c) {
            return c.group == e.group && c.game == e.game;
        });
        if (there) continue;
        m_composition.push_back(e);
        m_changed = true;
    }
}

void PatternCompositionForm::remove(const std::vector<int>& rows) {
    std::vector<int> sorted = rows;
    std::sort(sorted.begin(), sorted.end(), std::greater<>());
    for (const int row : sorted) {
        if (row < 0 || row >= static_cast<int>(m_composition.size())) continue;
        m_composition.erase(m_composition.begin() + row);
        m_changed = true;
    }
}

std::u16string PatternCompositionForm::inputsLine() const {
    return formatText(text(kStrPatternInputs), {static_cast<int>(m_inputs.size())});
}

std::u16string PatternCompositionForm::composedLine() const {
    return formatText(text(kStrPatternComposed), {static_cast<int>(m_composition.size())});
}

PatternBuildResult PatternCompositionForm::build(PatternBuildWatcher& watcher) const {
    if (!m_env.store) return {};
    GameStore own(m_env.store->folder(), StringTable::japanese());
    StoreMessages messages;
    own.readGroupList(messages);
    PatternBuildOptions options;
    options.kind = m_kind;
    options.variations = variations;
    PatternBooks books(m_env.store->folder());
    return buildPatternDatabase(own, m_composition, options, watcher, &books);
}

bool PatternCompositionForm::close() {
    return !m_changed || m_env.ui->ask(text(kStrPatternDiscardClose), text(kTextComposition));
}

} // namespace stonewise
