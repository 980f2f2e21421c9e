#include "store/TextSearch.h"

#include <algorithm>
#include <optional>
#include <span>
#include <string_view>

#include "store/FileIo.h"
#include "store/GameFile.h"
#include "store/GameStore.h"

namespace stonewise {

namespace {

bool isSeparator(char16_t c) { return c == u' ' || c == u'\u3000'; }

// Which terms a text or the header holds.
class TermMatch {
public:
    TermMatch(const std::vector<std::u16string>& terms, bool allTerms)
        : m_terms(terms), m_header(terms.size(), false), m_all(allTerms) {}

    void markHeader(std::u16string_view text) {
        for (std::size_t i = 0; i < m_terms.size(); ++i)
            if (!m_header[i] && contains(text, m_terms[i])) m_header[i] = true;
    }
    bool headerMatches() const { return matches({}); }
    // Whether some text of the game can still match when the terms not in the header are looked
    // for in `bytes` (the game file, whose texts are UTF-16LE): the game is read only then.
    bool mayMatchIn(std::span<const std::uint8_t> bytes) const {
        if (m_terms.empty()) return true;
        const std::string_view haystack(reinterpret_cast<const char*>(bytes.data()), bytes.size());
        for (std::size_t i = 0; i < m_terms.size(); ++i) {
            std::string needle;
            for (char16_t c : m_terms[i]) needle += {static_cast<char>(c & 0xFF), static_cast<char>(c >> 8)};
            const bool found = m_header[i] || haystack.find(needle) != std::string_view::npos;
            if (found && !m_all) return true;
            if (!found && m_all) return false;
        }
        return m_all;
    }
    // With "any": one term in `text` or the header; with "all": every term in one of them. With
    // no terms "all" holds and "any" needs some text at all.
    bool matches(std::optional<std::u16string_view> text) const {
        if (m_terms.empty()) return m_all || text.has_value();
        for (std::size_t i = 0; i < m_terms.size(); ++i) {
            const bool found = m_header[i] || (text && contains(*text, m_terms[i]));
            if (found && !m_all) return true;
            if (!found && m_all) return false;
        }
        return m_all;
    }

private:
    static bool contains(std::u16string_view text, std::u16string_view term) {
        return text.find(term) != std::u16string_view::npos;
    }
    const std::vector<std::u16string>& m_terms;
    std::vector<bool> m_header;
    bool m_all;
};

bool add(TextSearchResult& result, TextSearchHit hit) {
    if (result.full) return false;
    result.hits.push_back(std::move(hit));
    if (static_cast<int>(result.hits.size()) >= kMaxSearchHits) result.full = true;
    return !result.full;
}

int lastMove(const RecordSequence& s) {
    int last = 0;
    for (const RecordNode& n : s.nodes())
        if (n.isMoveOrPass()) last = std::max<int>(last, n.moveNumber);
    return last;
}

// Step 5 and 6 of the walk: the comments of `s`, then (when asked) its children in node order.
void searchSequence(int game, const RecordSequence& s, const TermMatch& match, const TextSearchOptions& options,
                    TextSearchResult& result) {
    const std::uint32_t id = s.parent() ? s.id() : 0;
    for (const RecordNode& n : s.nodes()) {
        if (result.full) return;
        // A link carries a copy of its child's first comment: the child's own is searched.
        if (n.isLink() || n.comment < 0) continue;
        const std::u16string_view comment = s.commentOf(n);
        if (!match.matches(comment)) continue;
        add(result, {game, id, n.moveNumber - s.firstMoveNumber() + 1, n.moveNumber, std::u16string(comment)});
    }
    if (!options.branches) return;
    for (const RecordNode& n : s.nodes()) {
        if (result.full) return;
        if (!n.isLink()) continue;
        if (const RecordSequence* child = s.child(n.childSlot)) searchSequence(game, *child, match, options, result);
    }
}

} // namespace

std::u16string_view cutSearchString(std::u16string_view text) {
    if (text.size() <= kMaxSearchStringLength) return text;
    std::size_t length = kMaxSearchStringLength;
    if (text[length - 1] >= 0xD800 && text[length - 1] <= 0xDBFF) --length;
    return text.substr(0, length);
}

std::vector<std::u16string> searchTerms(std::u16string_view text) {
    text = cutSearchString(text);
    std::vector<std::u16string> terms;
    std::size_t start = 0;
    while (start < text.size() && static_cast<int>(terms.size()) < kMaxSearchTerms) {
        std::size_t end = start;
        while (end < text.size() && !isSeparator(text[end])) ++end;
        if (end > start) terms.emplace_back(text.substr(start, end - start));
        start = end + 1;
    }
    return terms;
}

std::u16string hitExcerpt(std::u16string_view text, const std::vector<std::u16string>& terms, std::size_t radius) {
    std::size_t at = std::u16string_view::npos;
    std::size_t length = 0;
    for (const std::u16string& term : terms)
        if (const std::size_t found = text.find(term); found < at) {
            at = found;
            length = term.size();
        }
    if (at == std::u16string_view::npos) at = 0;
    std::size_t from = at > radius ? at - radius : 0;
    std::size_t to = std::min(text.size(), at + length + radius);
    auto low = [](char16_t c) { return c >= 0xDC00 && c <= 0xDFFF; };
    if (from > 0 && low(text[from])) --from;
    if (to < text.size() && low(text[to])) ++to;
    std::u16string excerpt;
    if (from > 0) excerpt += u"...";
    for (std::size_t i = from; i < to; ++i) excerpt += text[i] == u'\r' || text[i] == u'\n' ? u' ' : text[i];
    if (to < text.size()) excerpt += u"...";
    return excerpt;
}

std::vector<std::u16string> playerSearchNames(const MemberList& members, std::int32_t member,
                                              std::u16string_view kept) {
    const MemberRecord* m = member != 0 ? members.find(member) : nullptr;
    if (!m) return {std::u16string(kept)};
    std::vector<std::u16string> names{m->name};
    // An alias keeps the name it stands for where a member keeps a mail address.
    if (!m->address.empty() && m->address.find(u'@') == std::u16string::npos) names.push_back(m->address);
    return names;
}

void searchGame(const GameInfo& info, const std::vector<std::u16string>& blackNames,
                const std::vector<std::u16string>& whiteNames, RecordSequence& record,
                const std::vector<std::u16string>& terms, const TextSearchOptions& options, TextSearchResult& result) {
    if (result.full) return;
    record.numberTree();
    TermMatch match(terms, options.allTerms);
    if (options.gameName) match.markHeader(info.name);
    if (options.players) {
        for (const std::u16string& name : blackNames) match.markHeader(name);
        for (const std::u16string& name : whiteNames) match.markHeader(name);
    }
    if (match.headerMatches()) {
        const int last = lastMove(record);
        if (!add(result, {info.number, 0, last - record.firstMoveNumber() + 1, last, {}})) return;
    }
    searchSequence(info.number, record, match, options, result);
}

TextSearchResult searchGroup(GameStore& store, int group, const std::vector<std::u16string>& terms,
                             const TextSearchOptions& options) {
    TextSearchResult result;
    StoreMessages messages;
    for (const GameInfo* info : store.gameList(group, messages).entries()) {
        if (result.full) break;
        // A game that cannot be read is passed over without a word.
        const std::string path = store.gameFilePath(group, info->number);
        const auto bytes = path.empty() ? std::nullopt : readWholeFile(path);
        if (!bytes) {
            ++result.skipped;
            continue;
        }
        const std::vector<std::u16string> black =
            playerSearchNames(store.members(), info->blackPlayer, info->blackName);
        const std::vector<std::u16string> white =
            playerSearchNames(store.members(), info->whitePlayer, info->whiteName);
        // Most games hold none of the words: those are not decoded at all.
        TermMatch header(terms, options.allTerms);
        if (options.gameName) header.markHeader(info->name);
        if (options.players)
            for (const auto* names : {&black, &white})
                for (const std::u16string& name : *names) header.markHeader(name);
        if (!header.headerMatches() && !header.mayMatchIn(*bytes)) continue;
        GameFileRead read = decodeGameFile(*bytes);
        if (read.status != StoreReadStatus::Ok || !read.main) {
            ++result.skipped;
            continue;
        }
        searchGame(*info, black, white, *read.main, terms, options, result);
    }
    return result;
}

} // namespace stonewise
