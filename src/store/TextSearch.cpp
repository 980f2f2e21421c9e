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

// Which terms a text or the header holds.
class TermMatch {
public:
    TermMatch(const std::vector<std::u16string>& terms, bool allTerms)
        : m_terms(terms), m_header(terms.size(), false), m_all(allTerms) {
        for (const std::u16string& term : terms) m_packed.push_back(packSearchText(term));
    }

    void markHeader(std::u16string_view text) {
        for (std::size_t i = 0; i < m_terms.size(); ++i)
            if (!m_header[i] && contains(text, m_terms[i])) m_header[i] = true;
    }
    bool headerMatches() const { return matches({}); }
    // Whether some text of the game can still match when the terms not in the header are looked
    // for in `bytes`, where the terms' form is `needles` (UTF-16LE in a game file, packed in the
    // search text cache).
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
    // With "any": one term in the packed `text` or the header; with "all": every term in one of
    // them. With no terms "all" holds and "any" needs some text at all.
    bool matches(std::optional<std::string_view> text) const {
        if (m_terms.empty()) return m_all || text.has_value();
        for (std::size_t i = 0; i < m_terms.size(); ++i) {
            const bool found = m_header[i] || (text && text->find(m_packed[i]) != std::string_view::npos);
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
    std::vector<std::string> m_packed;
    std::vector<bool> m_header;
    bool m_all;
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

// A match with the game's header (its name and players, as `options` asks) already marked.
TermMatch headerMatch(const GameInfo& info, const std::vector<std::u16string>& blackNames,
                      const std::vector<std::u16string>& whiteNames, const std::vector<std::u16string>& terms,
                      const TextSearchOptions& options) {
    TermMatch match(terms, options.allTerms);
    if (options.gameName) match.markHeader(info.name);
    if (options.players)
        for (const auto* names : {&blackNames, &whiteNames})
            for (const std::u16string& name : *names) match.markHeader(name);
    return match;
}

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
    if (result.full) return;
    const TermMatch match = headerMatch(info, blackNames, whiteNames, terms, options);
    if (match.headerMatches() && !add(result, {info.number, 0, text.lastMoveInSequence, text.lastMove, {}})) return;
    const std::size_t count = options.branches ? text.comments.size() : text.mainComments;
    for (std::size_t i = 0; i < count && !result.full; ++i) {
        const SearchComment& c = text.comments[i];
        const std::string_view comment = text.textOf(c);
        if (match.matches(comment))
            add(result, {info.number, c.sequence, c.moveInSequence, c.move, unpackSearchText(comment).value_or(u"")});
    }
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
    std::vector<std::string> packedNeedles;
    for (const std::u16string& term : terms) packedNeedles.push_back(packSearchText(term));

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
        const TermMatch header = headerMatch(*info, black, white, terms, options);
        // Most games hold none of the words: their texts are not even decoded.
        if (const auto kept = cache.textBytes(info->number, *file)) {
            if (!header.headerMatches() && !header.mayMatchIn(*kept, packedNeedles)) continue;
            if (const std::optional<GameSearchText> text = cache.text(info->number, *file)) {
                searchGameText(*info, black, white, *text, terms, options, result);
                continue;
            }
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
            if (header.headerMatches() || header.mayMatchIn(*bytes, needles)) ++result.skipped;
            continue;
        }
        const GameSearchText text = gameSearchText(*read.main);
        cache.put(info->number, *file, text);
        searchGameText(*info, black, white, text, terms, options, result);
    }
    if (complete) cache.keepOnly(listed);
    cache.save();
    return result;
}

} // namespace stonewise
