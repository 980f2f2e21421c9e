#include "record/CommentStore.h"

#include <algorithm>
#include <array>
#include <string>

namespace stonewise {

int CommentStore::add(std::u16string_view text, int moveNumber, Backslashes rule) {
    // A text taken from this store itself is copied before the characters may move.
    const std::u16string_view kept(m_chars.data(), m_chars.size());
    if (!text.empty() && text.data() >= kept.data() && text.data() < kept.data() + kept.size())
        return add(std::u16string(text), moveNumber, rule);
    if (count() >= kMaxTexts) return -1;
    const int length = static_cast<int>(text.size());
    if (length + 1 > kBlockSize) return -1;
    if (!m_chars.empty() && m_used + length + 1 > kBlockSize) {
        if (blockCount() >= kMaxBlocks) return -1;
        m_laterBlockStart.push_back(static_cast<std::uint32_t>(m_chars.size()));
        m_used = 0;
    }
    if (m_chars.capacity() < m_chars.size() + text.size() + 1)
        m_chars.reserve(std::max<std::size_t>({2 * m_chars.capacity(), m_chars.size() + text.size() + 1, 64}));
    const std::size_t at = m_chars.size();
    m_chars.insert(m_chars.end(), text.begin(), text.end());
    m_chars.push_back(0);
    if (rule == Backslashes::LineBreaks) {
        bool nextIsCr = true;
        for (std::size_t i = at; i < at + text.size(); ++i) {
            if (m_chars[i] != u'\\') continue;
            m_chars[i] = nextIsCr ? u'\r' : u'\n';
            nextIsCr = !nextIsCr;
        }
    }
    CommentIndexEntry entry;
    entry.moveNumber = static_cast<std::uint16_t>(moveNumber);
    entry.length = static_cast<std::uint16_t>(length);
    entry.block = static_cast<std::uint16_t>(blockCount() - 1);
    entry.offset = static_cast<std::uint16_t>(m_used);
    m_entries.push_back(entry);
    m_used += length + 1;
    return count() - 1;
}

std::u16string_view CommentStore::text(int index) const {
    const CommentIndexEntry* e = entry(index);
    if (!e) return {};
    const std::size_t start = e->block == 0 ? 0 : m_laterBlockStart[e->block - 1u];
    return {m_chars.data() + start + e->offset, e->length};
}

const CommentIndexEntry* CommentStore::entry(int index) const {
    if (index < 0 || index >= count()) return nullptr;
    return &m_entries[static_cast<std::size_t>(index)];
}

void CommentStore::setMoveNumber(int index, int moveNumber) {
    if (index >= 0 && index < count())
        m_entries[static_cast<std::size_t>(index)].moveNumber = static_cast<std::uint16_t>(moveNumber);
}

void CommentStore::clear() {
    m_entries.clear();
    m_chars.clear();
    m_laterBlockStart.clear();
    m_used = 0;
}

std::u16string backslashesToLineBreaks(std::u16string_view text) {
    std::u16string out(text);
    bool nextIsCr = true;
    for (char16_t& c : out) {
        if (c != u'\\') continue;
        c = nextIsCr ? u'\r' : u'\n';
        nextIsCr = !nextIsCr;
    }
    return out;
}

namespace {
struct TagText {
    std::u16string_view text;
    AnswerKind kind;
};
constexpr std::array<TagText, 6> kTags{{
    {u"!正解:", kCorrect},
    {u"&G:", kCorrect},
    {u"!変化:", kVariation},
    {u"&V:", kVariation},
    {u"!失敗:", kFailure},
    {u"&F:", kFailure},
}};
} // namespace

AnswerKind answerKindOfText(std::u16string_view text) {
    if (text.empty() || (text[0] != u'!' && text[0] != u'&')) return kNoAnswer; // every tag starts so
    for (const TagText& tag : kTags)
        if (text.starts_with(tag.text)) return tag.kind;
    return kNoAnswer;
}

std::u16string_view answerTag(AnswerKind kind, bool englishTags) {
    switch (kind) {
    case kCorrect: return englishTags ? u"&G:" : u"!正解:";
    case kVariation: return englishTags ? u"&V:" : u"!変化:";
    case kFailure: return englishTags ? u"&F:" : u"!失敗:";
    default: return {};
    }
}

std::u16string_view withoutAnswerTag(std::u16string_view text) {
    for (const TagText& tag : kTags)
        if (text.starts_with(tag.text)) return text.substr(tag.text.size());
    return text;
}

std::u16string withoutBracketTags(std::u16string_view text) {
    std::u16string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == u'[' && i + 1 < text.size() &&
            (text[i + 1] == u'?' || text[i + 1] == u'!' || text[i + 1] == u'&')) {
            const std::size_t close = text.find(u']', i + 1);
            if (close != std::u16string_view::npos) {
                i = close;
                continue;
            }
        }
        out.push_back(text[i]);
    }
    return out;
}

} // namespace stonewise
