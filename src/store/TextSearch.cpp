#include "store/TextSearch.h"

#include <algorithm>
#include <cstring>
#include <optional>
#include <span>
#include <string_view>

#include "store/FileIo.h"
#include "store/GameFile.h"
#include "store/GameListPage.h"
#include "store/GameStore.h"
#include "store/SearchTextCache.h"

namespace stonewise {

namespace {

bool isSeparator(char16_t c) { return c == u' ' || c == u'\u3000'; }

// Which terms a game's header holds, and through CommentMatcher which its comments hold.
class TermMatch {
public:
    TermMatch(const std::vector<std::u16string>& terms, bool allTerms)
        : m_terms(terms), m_header(terms.size(), false), m_all(allTerms) {
        for (const std::u16string& term : terms) m_packed.push_back(packSearchText(term));
    }

    // Marks the terms in the header of a game (its name and players, as `options` asks), the
    // game before forgotten.
    void setHeader(const GameInfo& info, const std::vector<std::u16string>& blackNames,
                   const std::vector<std::u16string>& whiteNames, const TextSearchOptions& options) {
        std::fill(m_header.begin(), m_header.end(), false);
        if (options.gameName) markHeader(info.name);
        if (options.players)
            for (const auto* names : {&blackNames, &whiteNames})
                for (const std::u16string& name : *names) markHeader(name);
    }
    // With "any": one term in the header; with "all": every term. With no terms only "all" holds.
    bool headerMatches() const {
        if (m_terms.empty()) return m_all;
        for (const bool found : m_header) {
            if (found && !m_all) return true;
            if (!found && m_all) return false;
        }
        return m_all;
    }
    // Whether some text of the game can still match when the terms not in the header are looked
    // for in `bytes`, where the terms' form is `needles` (UTF-16LE in a game file).
    bool mayMatchIn(std::span<const std::uint8_t> bytes, const std::vector<std::string>& needles) const {
        if (m_terms.empty()) return true;
        for (std::size_t i = 0; i < m_terms.size(); ++i) {
            const bool found =
                m_header[i] || ::memmem(bytes.data(), bytes.size(), needles[i].data(), needles[i].size()) != nullptr;
            if (found && !m_all) return true;
            if (!found && m_all) return false;
        }
        return m_all;
    }

    std::size_t size() const { return m_terms.size(); }
    bool all() const { return m_all; }
    bool inHeader(std::size_t term) const { return m_header[term]; }
    const std::string& packed(std::size_t term) const { return m_packed[term]; }

private:
    void markHeader(std::u16string_view text) {
        for (std::size_t i = 0; i < m_terms.size(); ++i)
            if (!m_header[i] && text.find(m_terms[i]) != std::u16string_view::npos) m_header[i] = true;
    }
    const std::vector<std::u16string>& m_terms;
    std::vector<std::string> m_packed;
    std::vector<bool> m_header;
    bool m_all;
};

// Tells, comment after comment, which comments of a game match, with "any" one term in the comment
// or the header and with "all" every term in one of them. Each term is looked for in the game's
// packed texts as a whole and its next place kept until the walk passes it, so that a game of
// thousands of comments with a few hits is not searched comment by comment.
class CommentMatcher {
public:
    static constexpr std::size_t kNone = std::string_view::npos;

    CommentMatcher(const TermMatch& match, std::string_view texts)
        : m_match(match), m_texts(texts), m_next(match.size(), kNone) {
        for (std::size_t i = 0; i < match.size(); ++i)
            if (!match.inHeader(i)) m_next[i] = find(i, 0);
    }

    // Whether the comment whose text is texts[start, end) matches; comments are asked in order.
    bool matches(std::size_t start, std::size_t end) {
        if (m_match.size() == 0) return true;
        for (std::size_t i = 0; i < m_match.size(); ++i) {
            bool found = m_match.inHeader(i);
            if (!found && m_next[i] != kNone) {
                // A place before this comment, or one running over its start, is left behind.
                if (m_next[i] < start) m_next[i] = find(i, start);
                found = m_next[i] != kNone && m_next[i] + m_match.packed(i).size() <= end;
            }
            if (found && !m_match.all()) return true;
            if (!found && m_match.all()) return false;
        }
        return m_match.all();
    }
    // Whether no comment further on can match.
    bool exhausted() const {
        if (m_match.size() == 0) return false;
        bool any = false;
        for (std::size_t i = 0; i < m_match.size(); ++i) {
            const bool possible = m_match.inHeader(i) || m_next[i] != kNone;
            if (!possible && m_match.all()) return true;
            any = any || possible;
        }
        return !any;
    }

private:
    std::size_t find(std::size_t term, std::size_t from) const {
        const std::string& needle = m_match.packed(term);
        const void* at = ::memmem(m_texts.data() + from, m_texts.size() - from, needle.data(), needle.size());
        return at ? static_cast<std::size_t>(static_cast<const char*>(at) - m_texts.data()) : kNone;
    }

    const TermMatch& m_match;
    std::string_view m_texts;
    std::vector<std::size_t> m_next;
};

// The terms as UTF-16LE bytes, to be looked for in a file's bytes.
std::vector<std::string> utf16leNeedles(const std::vector<std::u16string>& terms) {
    std::vector<std::string> needles;
    for (const std::u16string& term : terms) {
        std::string& needle = needles.emplace_back();
        for (char16_t c : term) needle += {static_cast<char>(c & 0xFF), static_cast<char>(c >> 8)};
    }
    return needles;
}

bool add(TextSearchResult& result, TextSearchHit hit) {
    if (result.full) return false;
    result.hits.push_back(std::move(hit));
    if (static_cast<int>(result.hits.size()) >= kMaxSearchHits) result.full = true;
    return !result.full;
}

// Appends the hits of one game to `result` until it is full: the header's first, where
// `lastMoveInSequence` and `lastMove` point, then its comments. The game's `count` comments are
// `commentAt(i)`, their texts packed one after the other in `texts`. False, with nothing appended,
// when the comments overrun their texts or a comment that matched is not packed text.
template <class CommentAt>
bool addGameHits(const GameInfo& info, const TermMatch& match, int lastMoveInSequence, int lastMove,
                 std::string_view texts, std::size_t count, CommentAt commentAt, TextSearchResult& result) {
    if (result.full) return true;
    const std::size_t before = result.hits.size();
    auto undo = [&] {
        result.hits.resize(before);
        result.full = false;
        return false;
    };
    if (match.headerMatches() && !add(result, {info.number, 0, lastMoveInSequence, lastMove, {}})) return true;
    CommentMatcher matcher(match, texts);
    std::size_t start = 0;
    for (std::size_t i = 0; i < count && !result.full && !matcher.exhausted(); ++i) {
        const SearchComment c = commentAt(i);
        if (c.length > texts.size() - start) return undo();
        const std::size_t end = start + c.length;
        if (matcher.matches(start, end)) {
            std::optional<std::u16string> comment = unpackSearchText(texts.substr(start, c.length));
            if (!comment) return undo();
            add(result, {info.number, c.sequence, c.moveInSequence, c.move, std::move(*comment)});
        }
        start = end;
    }
    return true;
}

// The same for texts read from the game's file.
void addGameHits(const GameInfo& info, const TermMatch& match, const GameSearchText& text,
                 const TextSearchOptions& options, TextSearchResult& result) {
    const std::size_t count = options.branches ? text.comments.size() : text.mainComments;
    addGameHits(
        info, match, text.lastMoveInSequence, text.lastMove, text.texts, count,
        [&](std::size_t i) { return text.comments[i]; }, result);
}

int lastMove(const RecordSequence& s) {
    int last = 0;
    for (const RecordNode& n : s.nodes())
        if (n.isMoveOrPass()) last = std::max<int>(last, n.moveNumber);
    return last;
}

// The comments of `s` in node order (their count afterwards in `own`), then its children's in node
// order.
void collectComments(const RecordSequence& s, GameSearchText& text, std::size_t* own = nullptr) {
    std::vector<SearchComment>& comments = text.comments;
    const std::uint32_t id = s.parent() ? s.id() : 0;
    for (const RecordNode& n : s.nodes()) {
        // A link carries a copy of its child's first comment: the child's own is searched.
        if (n.isLink() || n.comment < 0) continue;
        const std::string packed = packSearchText(s.commentOf(n));
        comments.push_back({id, n.moveNumber - s.firstMoveNumber() + 1, n.moveNumber,
                            static_cast<std::uint32_t>(text.texts.size()), static_cast<std::uint32_t>(packed.size())});
        text.texts += packed;
    }
    if (own) *own = comments.size();
    for (const RecordNode& n : s.nodes()) {
        if (!n.isLink()) continue;
        if (const RecordSequence* child = s.child(n.childSlot)) collectComments(*child, text);
    }
}

} // namespace

std::string packSearchText(std::u16string_view text) {
    std::string packed;
    packed.reserve(text.size());
    for (const char16_t u : text) {
        if (u < 0x80) {
            packed.push_back(static_cast<char>(u));
        } else if (u < 0x800) {
            packed.push_back(static_cast<char>(0xC0 | (u >> 6)));
            packed.push_back(static_cast<char>(0x80 | (u & 0x3F)));
        } else {
            packed.push_back(static_cast<char>(0xE0 | (u >> 12)));
            packed.push_back(static_cast<char>(0x80 | ((u >> 6) & 0x3F)));
            packed.push_back(static_cast<char>(0x80 | (u & 0x3F)));
        }
    }
    return packed;
}

std::optional<std::u16string> unpackSearchText(std::string_view packed) {
    std::u16string text;
    text.reserve(packed.size());
    for (std::size_t i = 0; i < packed.size();) {
        const auto lead = static_cast<std::uint8_t>(packed[i]);
        const std::size_t extra = lead < 0x80 ? 0 : (lead & 0xE0) == 0xC0 ? 1 : (lead & 0xF0) == 0xE0 ? 2 : 3;
        if (extra > 2 || packed.size() - i <= extra) return std::nullopt;
        std::uint32_t unit = extra == 0 ? lead : lead & (extra == 1 ? 0x1F : 0x0F);
        for (std::size_t k = 1; k <= extra; ++k) {
            const auto next = static_cast<std::uint8_t>(packed[i + k]);
            if ((next & 0xC0) != 0x80) return std::nullopt;
            unit = (unit << 6) | (next & 0x3F);
        }
        text.push_back(static_cast<char16_t>(unit));
        i += extra + 1;
    }
    return text;
}

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

GameSearchText gameSearchText(RecordSequence& record) {
    record.numberTree();
    GameSearchText text;
    text.lastMove = lastMove(record);
    text.lastMoveInSequence = text.lastMove - record.firstMoveNumber() + 1;
    collectComments(record, text, &text.mainComments);
    return text;
}

void searchGameText(const GameInfo& info, const std::vector<std::u16string>& blackNames,
                    const std::vector<std::u16string>& whiteNames, const GameSearchText& text,
                    const std::vector<std::u16string>& terms, const TextSearchOptions& options,
                    TextSearchResult& result) {
    TermMatch match(terms, options.allTerms);
    match.setHeader(info, blackNames, whiteNames, options);
    addGameHits(info, match, text, options, result);
}

void searchGame(const GameInfo& info, const std::vector<std::u16string>& blackNames,
                const std::vector<std::u16string>& whiteNames, RecordSequence& record,
                const std::vector<std::u16string>& terms, const TextSearchOptions& options, TextSearchResult& result) {
    if (result.full) return;
    searchGameText(info, blackNames, whiteNames, gameSearchText(record), terms, options, result);
}

TextSearchResult searchGroup(GameStore& store, int group, const std::vector<std::u16string>& terms,
                             const TextSearchOptions& options, std::int64_t settle) {
    TextSearchResult result;
    StoreMessages messages;
    const std::vector<std::string> needles = utf16leNeedles(terms);
    TermMatch match(terms, options.allTerms);

    SearchTextCache cache(group >= 0 && group < kScratchGroup ? store.folder().groupFile(group, kSearchTextCacheName)
                                                              : std::string(),
                          settle);
    std::vector<bool> listed(kGameListPages * kGamesPerPage, false);
    bool complete = true;
    for (const GameInfo* info : store.gameList(group, messages).entries()) {
        if (result.full) {
            complete = false;
            break;
        }
        if (info->number >= 0 && static_cast<std::size_t>(info->number) < listed.size())
            listed[static_cast<std::size_t>(info->number)] = true;
        // A game that cannot be read is passed over without a word.
        const std::string path = store.gameFilePath(group, info->number);
        const std::optional<FileIdentity> file = path.empty() ? std::nullopt : fileIdentity(path);
        if (!file) {
            cache.forget(info->number);
            ++result.skipped;
            continue;
        }
        const std::vector<std::u16string> black =
            playerSearchNames(store.members(), info->blackPlayer, info->blackName);
        const std::vector<std::u16string> white =
            playerSearchNames(store.members(), info->whitePlayer, info->whiteName);
        match.setHeader(*info, black, white, options);
        // The texts are searched where the cache keeps them; a comment found damaged there sends
        // the search to the game's file.
        if (const std::optional<KeptSearchText> kept = cache.kept(info->number, *file)) {
            const std::size_t count = options.branches ? kept->commentCount() : kept->mainComments();
            if (addGameHits(
                    *info, match, kept->lastMoveInSequence(), kept->lastMove(), kept->texts(), count,
                    [&](std::size_t i) { return kept->comment(i); }, result))
                continue;
        }
        const auto bytes = readWholeFile(path);
        if (!bytes) {
            ++result.skipped;
            continue;
        }
        GameFileRead read = decodeGameFile(*bytes);
        if (read.status != StoreReadStatus::Ok || !read.main) {
            // Damage counts where the game could have held a word.
            cache.forget(info->number);
            if (match.headerMatches() || match.mayMatchIn(*bytes, needles)) ++result.skipped;
            continue;
        }
        const GameSearchText text = gameSearchText(*read.main);
        cache.put(info->number, *file, text);
        addGameHits(*info, match, text, options, result);
    }
    if (complete) cache.keepOnly(listed);
    cache.save();
    return result;
}

} // namespace stonewise
