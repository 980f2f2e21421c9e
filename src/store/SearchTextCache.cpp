#include "store/SearchTextCache.h"

#include <bit>
#include <chrono>
#include <cstring>

#include "store/GameListPage.h"

namespace stonewise {

namespace {

// The file: the mark, then for each game in number order its number, the size of its record and
// the record (all numbers little-endian):
//   file identity: inode, size, modified, changed (8 bytes each)
//   lastMoveInSequence, lastMove, comment count, main-line comment count, the texts' length in
//   bytes (4 each)
//   per comment: sequence, moveInSequence, move, length in bytes (4 each)
//   the comments' texts one after the other, packed (packSearchText).
constexpr char kMark[8] = {'S', 'W', 'T', 'E', 'X', 'T', '0', '1'};
constexpr std::size_t kRecordHead = 52;
constexpr std::size_t kCommentSize = 16;
constexpr int kGameNumbers = kGameListPages * kGamesPerPage;

std::uint64_t load(std::span<const std::uint8_t> bytes, std::size_t at, std::size_t width) {
    std::uint64_t value = 0;
    for (std::size_t i = 0; i < width; ++i) value |= static_cast<std::uint64_t>(bytes[at + i]) << (8 * i);
    return value;
}
std::uint32_t load32(std::span<const std::uint8_t> bytes, std::size_t at) {
    if constexpr (std::endian::native == std::endian::little) {
        std::uint32_t value = 0;
        std::memcpy(&value, bytes.data() + at, sizeof value);
        return value;
    }
    return static_cast<std::uint32_t>(load(bytes, at, 4));
}

void store(std::vector<std::uint8_t>& out, std::uint64_t value, std::size_t width) {
    for (std::size_t i = 0; i < width; ++i) out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

FileIdentity identityOf(std::span<const std::uint8_t> record) {
    return {load(record, 0, 8), load(record, 8, 8), static_cast<std::int64_t>(load(record, 16, 8)),
            static_cast<std::int64_t>(load(record, 24, 8))};
}

// Whether a record's counts agree with its size.
bool wellFormed(std::span<const std::uint8_t> record) {
    if (record.size() < kRecordHead) return false;
    const std::uint64_t comments = load32(record, 40);
    const std::uint64_t bytes = load32(record, 48);
    return load32(record, 44) <= comments && kRecordHead + comments * kCommentSize + bytes == record.size();
}

std::vector<std::uint8_t> encodeRecord(const FileIdentity& file, const GameSearchText& text) {
    std::vector<std::uint8_t> out;
    out.reserve(kRecordHead + text.comments.size() * kCommentSize + text.texts.size());
    store(out, file.inode, 8);
    store(out, file.size, 8);
    store(out, static_cast<std::uint64_t>(file.modified), 8);
    store(out, static_cast<std::uint64_t>(file.changed), 8);
    store(out, static_cast<std::uint32_t>(text.lastMoveInSequence), 4);
    store(out, static_cast<std::uint32_t>(text.lastMove), 4);
    store(out, text.comments.size(), 4);
    store(out, text.mainComments, 4);
    store(out, text.texts.size(), 4);
    // The texts are written whole, so each comment's place is its length after the one before.
    for (const SearchComment& c : text.comments) {
        store(out, c.sequence, 4);
        store(out, static_cast<std::uint32_t>(c.moveInSequence), 4);
        store(out, static_cast<std::uint32_t>(c.move), 4);
        store(out, c.length, 4);
    }
    out.insert(out.end(), text.texts.begin(), text.texts.end());
    return out;
}

std::optional<GameSearchText> decodeRecord(std::span<const std::uint8_t> record) {
    const KeptSearchText kept(record);
    GameSearchText text;
    text.lastMoveInSequence = kept.lastMoveInSequence();
    text.lastMove = kept.lastMove();
    text.mainComments = kept.mainComments();
    text.texts = kept.texts();
    text.comments.resize(kept.commentCount());
    std::uint64_t start = 0;
    for (std::size_t i = 0; i < text.comments.size(); ++i) {
        SearchComment& c = text.comments[i];
        c = kept.comment(i);
        c.start = static_cast<std::uint32_t>(start);
        start += c.length;
        if (start > text.texts.size() || !unpackSearchText(text.textOf(c))) return std::nullopt;
    }
    if (start != text.texts.size()) return std::nullopt;
    return text;
}

std::int64_t nowNanoseconds() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::system_clock::now().time_since_epoch())
        .count();
}

} // namespace

int KeptSearchText::lastMoveInSequence() const { return static_cast<std::int32_t>(load32(m_record, 32)); }
int KeptSearchText::lastMove() const { return static_cast<std::int32_t>(load32(m_record, 36)); }
std::size_t KeptSearchText::commentCount() const { return load32(m_record, 40); }
std::size_t KeptSearchText::mainComments() const { return load32(m_record, 44); }

SearchComment KeptSearchText::comment(std::size_t i) const {
    const std::size_t head = kRecordHead + i * kCommentSize;
    return {load32(m_record, head), static_cast<std::int32_t>(load32(m_record, head + 4)),
            static_cast<std::int32_t>(load32(m_record, head + 8)), 0, load32(m_record, head + 12)};
}

std::string_view KeptSearchText::texts() const {
    const std::span<const std::uint8_t> bytes = m_record.subspan(kRecordHead + commentCount() * kCommentSize);
    return {reinterpret_cast<const char*>(bytes.data()), bytes.size()};
}

SearchTextCache::SearchTextCache(std::string path, std::int64_t settle)
    : m_path(std::move(path)), m_settle(settle), m_slots(kGameNumbers) {
    if (!m_path.empty()) read();
}

void SearchTextCache::read() {
    std::optional<FileBytes> file = readFileBytes(m_path);
    if (!file || file->size < sizeof kMark || std::memcmp(file->data.get(), kMark, sizeof kMark) != 0) return;
    m_read = std::move(*file);
    const std::span<const std::uint8_t> all = m_read.bytes();
    std::vector<std::optional<Slot>> slots(kGameNumbers);
    for (std::size_t at = sizeof kMark; at < all.size();) {
        if (all.size() - at < 8) return;
        const std::uint32_t number = load32(all, at);
        const std::uint32_t size = load32(all, at + 4);
        at += 8;
        if (number >= static_cast<std::uint32_t>(kGameNumbers) || slots[number] || size > all.size() - at ||
            !wellFormed(all.subspan(at, size)))
            return;
        slots[number] = Slot{identityOf(all.subspan(at, size)), at, size, {}};
        at += size;
    }
    m_slots = std::move(slots);
}

std::span<const std::uint8_t> SearchTextCache::record(const Slot& slot) const {
    if (!slot.owned.empty()) return slot.owned;
    return m_read.bytes().subspan(slot.offset, slot.size);
}

const SearchTextCache::Slot* SearchTextCache::find(int number, const FileIdentity& file) const {
    if (number < 0 || number >= kGameNumbers) return nullptr;
    const std::optional<Slot>& slot = m_slots[static_cast<std::size_t>(number)];
    return slot && slot->file == file ? &*slot : nullptr;
}

std::optional<KeptSearchText> SearchTextCache::kept(int number, const FileIdentity& file) const {
    const Slot* slot = find(number, file);
    if (!slot) return std::nullopt;
    return KeptSearchText(record(*slot));
}

std::optional<GameSearchText> SearchTextCache::text(int number, const FileIdentity& file) const {
    const Slot* slot = find(number, file);
    return slot ? decodeRecord(record(*slot)) : std::nullopt;
}

void SearchTextCache::put(int number, const FileIdentity& file, const GameSearchText& text) {
    if (number < 0 || number >= kGameNumbers) return;
    if (nowNanoseconds() - std::max(file.modified, file.changed) < m_settle) {
        forget(number);
        return;
    }
    std::vector<std::uint8_t> bytes = encodeRecord(file, text);
    m_slots[static_cast<std::size_t>(number)] = Slot{file, 0, bytes.size(), std::move(bytes)};
    m_changed = true;
}

void SearchTextCache::forget(int number) {
    if (number < 0 || number >= kGameNumbers || !m_slots[static_cast<std::size_t>(number)]) return;
    m_slots[static_cast<std::size_t>(number)].reset();
    m_changed = true;
}

void SearchTextCache::keepOnly(const std::vector<bool>& kept) {
    for (int n = 0; n < kGameNumbers; ++n)
        if (static_cast<std::size_t>(n) >= kept.size() || !kept[static_cast<std::size_t>(n)]) forget(n);
}

std::vector<int> SearchTextCache::games() const {
    std::vector<int> numbers;
    for (int n = 0; n < kGameNumbers; ++n)
        if (m_slots[static_cast<std::size_t>(n)]) numbers.push_back(n);
    return numbers;
}

bool SearchTextCache::save() {
    if (!m_changed || m_path.empty()) return true;
    std::vector<std::uint8_t> out(kMark, kMark + sizeof kMark);
    for (int n = 0; n < kGameNumbers; ++n) {
        const std::optional<Slot>& slot = m_slots[static_cast<std::size_t>(n)];
        if (!slot) continue;
        const std::span<const std::uint8_t> r = record(*slot);
        store(out, static_cast<std::uint32_t>(n), 4);
        store(out, r.size(), 4);
        out.insert(out.end(), r.begin(), r.end());
    }
    // A cache the store would refuse to read back is not written.
    if (out.size() > kMaxStoreFileSize) return false;
    if (!writeFileAtomically(m_path, out, Durability::Process)) return false;
    m_changed = false;
    return true;
}

} // namespace stonewise
