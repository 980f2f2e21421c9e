#include "app/PatternSearchForm.h"

#include <algorithm>

#include "app/CIgoBoard.h"
#include "app/Ui.h"
#include "record/StringTable.h"
#include "record/Text.h"
#include "search/PatternLine.h"
#include "search/PatternPacking.h"
#include "search/PatternTexts.h"
#include "store/FileIo.h"
#include "store/GameStore.h"

namespace stonewise {

namespace {

// Whether the first `count` moves of two collectors are the same.
bool samePrefix(const PatternCollector& a, const PatternCollector& b, int count) {
    if (a.count < count || b.count < count) return false;
    for (int i = 0; i < count; ++i) {
        const PatternMove& p = a.moves[static_cast<std::size_t>(i)];
        const PatternMove& q = b.moves[static_cast<std::size_t>(i)];
        if (p.x != q.x || p.y != q.y) return false;
    }
    return true;
}

} // namespace

// --- the search panel ----------------------------------------------------------------------------

PatternSearchForm::PatternSearchForm(LibraryEnvironment env, std::function<void()> shown)
    : m_env(std::move(env)), m_shown(std::move(shown)) {}

std::u16string PatternSearchForm::text(int id) const { return std::u16string(uiText(id)); }

const std::u16string& PatternSearchForm::prepare() {
    m_searchable = false;
    if (!m_env.board) {
        m_line = text(kTextTooFewStones);
        return m_line;
    }
    const CIgoBoard& board = *m_env.board;
    const int message = m_query.prepare(*board.record().pathTop(), board.shownMove(), board.gameInfo().boardSize());
    m_searchable = message == 0;
    m_line = text(message != 0 ? message : kTextFromMainBoard);
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
    for (const PatternResult& r : m_results) {
        const GroupRecord* group = r.group < kBookGroupBase ? m_env.store->group(r.group) : nullptr;
        m_rows.push_back(
            {resultTypeLabel(r), resultNameLabel(group ? std::u16string_view(group->name) : u"", db->name(r.name))});
    }
    m_status = resultCountLine(static_cast<int>(m_results.size()));
    return static_cast<int>(m_results.size());
}

bool PatternSearchForm::show(int row) {
    if (row < 0 || row >= static_cast<int>(m_results.size()) || !m_env.board) return false;
    const PatternResult r = m_results[static_cast<std::size_t>(row)];
    if (r.group >= kBookGroupBase || !m_env.showGame(r.group, r.game)) {
        if (m_shown) m_shown();
        return false;
    }
    // The line that matched and its move: the first line of the game whose collector begins with
    // the matched moves of the searched position.
    CIgoBoard& board = *m_env.board;
    const int queryKind = r.collectorKind == kWholeBoard ? kWholeBoard : m_query.lastMoveCorner();
    const PatternCollector* wanted = m_query.analyzer().find(queryKind);
    RecordSequence* found = nullptr;
    int move = -1;
    PatternAnalyzer analyzer;
    std::vector<LineStone> line;
    auto tryLine = [&](RecordSequence& s) {
        if (found || !wanted) return;
        collectLine(s, line);
        analyzer.analyse(line, board.gameInfo().boardSize(), 0, true);
        const PatternCollector* c = analyzer.find(r.collectorKind);
        if (c && r.matchedMoves > 0 && samePrefix(*c, *wanted, r.matchedMoves)) {
            found = &s;
            move = c->moves[static_cast<std::size_t>(r.matchedMoves - 1)].sequence;
        }
    };
    RecordSequence& main = board.record().main();
    tryLine(main);
    forEachVariation(main, true, [&](const RecordSequence& s) { tryLine(const_cast<RecordSequence&>(s)); });
    if (found) {
        if (found != &main) board.showSequence(found, move);
        board.showMove(std::clamp(move, 0, board.totalMoves()));
    }
    if (m_shown) m_shown();
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
    return groups;
}

void PatternCompositionForm::setInputGroup(int group) {
    m_group = group;
    m_inputs.clear();
    if (!m_env.store || !m_env.store->group(group)) return;
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
    return buildPatternDatabase(own, m_composition, options, watcher);
}

bool PatternCompositionForm::close() {
    return !m_changed || m_env.ui->ask(text(kStrPatternDiscardClose), text(kTextComposition));
}

} // namespace stonewise
