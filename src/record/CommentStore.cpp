#include "record/CommentStore.h"

#include <algorithm>
#include <array>

namespace stonewise {

CommentStore::CommentStore(const CommentStore& other) { *this = other; }

CommentStore& CommentStore::operator=(const CommentStore& other) {
    if (this == &other) return *this;
    m_entries = other.m_entries;
    m_used = other.m_used;
    m_blocks.clear();
    m_blocks.reserve(other.m_blocks.size());
    for (const auto& block : other.m_blocks) {
        auto copy = std::make_unique<char16_t[]>(kBlockSize);
        std::copy_n(block.get(), kBlockSize, copy.get());
        m_blocks.push_back(std::move(copy));
    }
    return *this;
}

int CommentStore::add(std::u16string_view text, int moveNumber, Backslashes rule) {
    if (count() >= kMaxTexts) return -1;
    const int length = static_cast<int>(text.size());
    if (length + 1 > kBlockSize) return -1;
    if (m_blocks.empty() || m_used + length + 1 > kBlockSize) {
        if (blockCount() >= kMaxBlocks) return -1;
        m_blocks.push_back(std::make_unique<char16_t[]>(kBlockSize));
        m_used = 0;
    }
    char16_t* out = m_blocks.back().get() + m_used;
    bool nextIsCr = true;
    for (char16_t c : text) {
        if (c == u'\\' && rule == Backslashes::LineBreaks) {
            c = nextIsCr ? u'\r' : u'\n';
            nextIsCr = !nextIsCr;
        }
        *out++ = c;
    }
    *out = 0;
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
    return {m_blocks[e->block].get() + e->offset, e->length};
}

const CommentIndexEntry* CommentStore::entry(int index) const {
    if (index < 0 || index >= count()) return nullptr;
    return &m_entries[static_cast<std::size_t>(index)];
}

void CommentStore::setMoveNumber(int index, int moveNumber) {
    if (index >= 0 && index < count()) m_entries[static_cast<std::size_t>(index)].moveNumber =
        static_cast<std::uint16_t>(moveNumber);
}

void CommentStore::clear() {
    m_entries.clear();
    m_blocks.clear();
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
