#include "app/TextSearchForm.h"

#include <algorithm>

#include "app/CIgoBoard.h"
#include "app/Ui.h"
#include "record/StringTable.h"
#include "record/Text.h"
#include "store/GameStore.h"

namespace stonewise {

namespace {

constexpr std::size_t kMaxCommentColumn = 127;

bool isHighSurrogate(char16_t c) { return c >= 0xD800 && c <= 0xDBFF; }

// The node a hit stands on: the commented node of its move, else the move itself; -1 for none.
int hitNode(const RecordSequence& s, const TextSearchHit& hit) {
    int move = -1;
    for (const RecordNode& n : s.nodes()) {
        if (n.isLink() || n.moveNumber != hit.move) continue;
        if (!hit.comment.empty() && n.comment >= 0 && s.commentOf(n) == hit.comment) return n.index;
        if (move < 0 && n.isMoveOrPass()) move = n.index;
    }
    return move;
}

} // namespace

// --- history -------------------------------------------------------------------------------------

SearchHistory::SearchHistory(std::vector<std::u16string> strings) : m_strings(std::move(strings)) {
    if (m_strings.size() > kMaxStrings) m_strings.resize(kMaxStrings);
}

bool SearchHistory::add(std::u16string_view text) {
    if (std::find(m_strings.begin(), m_strings.end(), text) != m_strings.end()) return false;
    if (m_strings.size() < kMaxStrings) {
        m_strings.emplace_back(text);
    } else {
        m_strings[m_replace] = std::u16string(text);
        m_replace = (m_replace + 1) % kMaxStrings;
    }
    m_changed = true;
    return true;
}

void SearchHistory::clear() {
    m_strings.clear();
    m_replace = 0;
    m_changed = true;
}

std::u16string commentFirstLine(std::u16string_view comment) {
    const std::size_t end = comment.find_first_of(u"\r\n");
    std::u16string_view line = comment.substr(0, end);
    if (line.size() > kMaxCommentColumn) {
        std::size_t cut = kMaxCommentColumn;
        if (isHighSurrogate(line[cut - 1])) --cut;
        line = line.substr(0, cut);
    }
    return std::u16string(line);
}

RecordSequence* findSequence(RecordSequence& main, std::uint32_t id) {
    if (id == 0 || (main.parent() && main.id() == id)) return &main;
    for (const RecordNode& n : main.nodes()) {
        if (!n.isLink()) continue;
        RecordSequence* child = main.child(n.childSlot);
        if (!child) continue;
        if (child->id() == id) return child;
        if (RecordSequence* found = findSequence(*child, id); found && found != child) return found;
    }
    return nullptr;
}

// --- the window ----------------------------------------------------------------------------------

TextSearchForm::TextSearchForm(LibraryEnvironment env, TextSearchOptions& options, std::function<void()> shown)
    : m_env(std::move(env)), m_options(options), m_shown(std::move(shown)) {
    if (!m_env.store) return;
    StoreMessages messages;
    if (auto keys = m_env.store->readSearchKeys(messages)) m_history = SearchHistory(std::move(*keys));
    m_env.showMessages(messages);
}

std::u16string TextSearchForm::text(int id) const { return std::u16string(uiText(id)); }

void TextSearchForm::search(std::u16string_view typed) {
    const std::u16string_view cut = cutSearchString(typed);
    if (!cut.empty()) m_history.add(cut);
    m_rows.clear();
    m_result = {};
    if (!m_env.store) return;
    m_group = m_env.store->currentGroup();
    m_result = searchGroup(*m_env.store, m_group, searchTerms(cut), m_options);
    StoreMessages messages;
    const GameList& list = m_env.store->gameList(m_group, messages);
    for (const TextSearchHit& hit : m_result.hits) {
        const GameInfo* info = list.find(hit.game);
        m_rows.push_back(
            {info ? info->name : std::u16string(), formatText(u"%3d", {hit.move}), commentFirstLine(hit.comment)});
    }
    const int found = static_cast<int>(m_result.hits.size());
    m_status = formatText(text(m_result.full ? kStrSearchStopped : kStrSearchFound), {found});
    if (m_result.skipped > 0) {
        m_status += u' ';
        m_status += formatText(text(kStrSearchSkipped), {m_result.skipped});
    }
}

bool TextSearchForm::clearHistory() {
    if (!m_env.ui->ask(text(kStrSearchClearQuestion), text(kStrSearchTitle))) return false;
    m_history.clear();
    return true;
}

void TextSearchForm::help() { m_env.ui->showMessage(text(kStrSearchHelp), text(kStrSearchTitle)); }

bool TextSearchForm::jump(int row) {
    if (row < 0 || row >= static_cast<int>(m_result.hits.size()) || !m_env.board) return false;
    const TextSearchHit& hit = m_result.hits[static_cast<std::size_t>(row)];
    if (!m_env.showGame(m_group, hit.game)) {
        if (m_shown) m_shown();
        return false;
    }
    CIgoBoard& board = *m_env.board;
    // The game shown may have changed since the search: a sequence that is gone leaves the main line.
    RecordSequence* s = findSequence(board.record().main(), hit.sequence);
    if (!s) s = &board.record().main();
    board.showSequence(s, -1);
    board.showMove(std::clamp(hit.move, 0, board.totalMoves()));
    if (const int node = hitNode(*s, hit); node >= 0) board.selectNode(s, node);
    if (m_shown) m_shown();
    return true;
}

void TextSearchForm::close() {
    if (m_closed) return;
    m_closed = true;
    if (!m_env.store || !m_history.changed()) return;
    StoreMessages messages;
    if (m_env.store->writeSearchKeys(m_history.strings(), messages)) m_history.setSaved();
    m_env.showMessages(messages);
}

} // namespace stonewise
