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
    m_blocks.resize(other.m_blocks.size());
    for (std::size_t b = 0; b < other.m_blocks.size(); ++b)
        for (const Chunk& c : other.m_blocks[b])
            m_blocks[b].push_back(
                {c.base, c.capacity, std::make_unique_for_overwrite<char16_t[]>(static_cast<std::size_t>(c.capacity))});
    // Only the stored texts (with their terminators) are copied: the rest of a chunk was never written.
    for (const CommentIndexEntry& e : m_entries)
        std::copy_n(other.at(e.block, e.offset), e.length + 1, const_cast<char16_t*>(at(e.block, e.offset)));
    return *this;
}

namespace {
constexpr int kFirstChunk = 256;
} // namespace

int CommentStore::add(std::u16string_view text, int moveNumber, Backslashes rule) {
    if (count() >= kMaxTexts) return -1;
    const int length = static_cast<int>(text.size());
    if (length + 1 > kBlockSize) return -1;
    if (m_blocks.empty() || m_used + length + 1 > kBlockSize) {
        if (blockCount() >= kMaxBlocks) return -1;
        m_blocks.emplace_back();
        m_used = 0;
    }
    std::vector<Chunk>& chunks = m_blocks.back();
    if (chunks.empty() || m_used + length + 1 > chunks.back().base + chunks.back().capacity) {
        // A new chunk from here on, at least twice the last one, never beyond the block.
        const int last = chunks.empty() ? kFirstChunk / 2 : chunks.back().capacity;
        const int capacity = std::min(kBlockSize - m_used, std::max(length + 1, std::max(2 * last, kFirstChunk)));
        chunks.push_back(
            {m_used, capacity, std::make_unique_for_overwrite<char16_t[]>(static_cast<std::size_t>(capacity))});
    }
    const Chunk& chunk = chunks.back();
    char16_t* out = chunk.data.get() + (m_used - chunk.base);
    if (rule == Backslashes::Keep) {
        out = std::copy(text.begin(), text.end(), out);
    } else {
        bool nextIsCr = true;
        for (char16_t c : text) {
            if (c == u'\\') {
                c = nextIsCr ? u'\r' : u'\n';
                nextIsCr = !nextIsCr;
            }
            *out++ = c;
        }
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

const char16_t* CommentStore::at(int block, int offset) const {
    const std::vector<Chunk>& chunks = m_blocks[static_cast<std::size_t>(block)];
    for (auto it = chunks.rbegin(); it != chunks.rend(); ++it)
        if (it->base <= offset) return it->data.get() + (offset - it->base);
    return nullptr;
}

std::u16string_view CommentStore::text(int index) const {
    const CommentIndexEntry* e = entry(index);
    if (!e) return {};
    const char16_t* p = at(e->block, e->offset);
    return p ? std::u16string_view(p, e->length) : std::u16string_view();
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
