#include "mailgo/CloudRegistry.h"

#include <algorithm>
#include <filesystem>
#include <set>
#include <system_error>

#include <sys/stat.h>

#include "record/Text.h"

namespace stonewise {

namespace {

constexpr std::u16string_view kNextMoveExtension = u".nextmove";

// Folds the letters a file system that ignores case folds: ASCII, Latin-1 and full-width Latin.
char16_t foldCase(char16_t c) {
    if (c >= u'A' && c <= u'Z') return static_cast<char16_t>(c + 32);
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return static_cast<char16_t>(c + 32);
    if (c >= 0xFF21 && c <= 0xFF3A) return static_cast<char16_t>(c + 32);
    return c;
}

bool equalIgnoringCase(std::u16string_view a, std::u16string_view b) {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](char16_t x, char16_t y) { return foldCase(x) == foldCase(y); });
}

bool startsIgnoringCase(std::u16string_view text, std::u16string_view prefix) {
    return text.size() >= prefix.size() && equalIgnoringCase(text.substr(0, prefix.size()), prefix);
}

bool endsIgnoringCase(std::u16string_view text, std::u16string_view suffix) {
    return text.size() >= suffix.size() && equalIgnoringCase(text.substr(text.size() - suffix.size()), suffix);
}

// A folder path without its closing "/" (the root keeps it).
std::u16string_view folderKey(std::u16string_view path) {
    while (path.size() > 1 && path.back() == u'/') path.remove_suffix(1);
    return path;
}

std::u16string joinPath(std::u16string_view folder, std::u16string_view name) {
    std::u16string out(folder);
    if (out.empty() || out.back() != u'/') out += u'/';
    out += name;
    return out;
}

struct IdParts {
    int folder;
    int slot;
    int generation;
};

IdParts splitId(CloudFileId id) {
    return {static_cast<int>(id >> 16), static_cast<int>((id & 0xFFFF) >> 2), static_cast<int>(id & 3)};
}

// Days from 1970-01-01 to a date of the proleptic Gregorian calendar, and back.
std::int64_t daysFromCivil(std::int64_t y, int m, int d) {
    y -= m <= 2;
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const std::int64_t yoe = y - era * 400;
    const std::int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const std::int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

void civilFromDays(std::int64_t z, std::int64_t& y, int& m, int& d) {
    z += 719468;
    const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const std::int64_t doe = z - era * 146097;
    const std::int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const std::int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const std::int64_t mp = (5 * doy + 2) / 153;
    d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    y = yoe + era * 400 + (m <= 2);
}

} // namespace

CloudFileId cloudFileId(int folder, int slot, int generation) {
    return (static_cast<CloudFileId>(folder) << 16) + static_cast<CloudFileId>(slot) * 4 +
           static_cast<CloudFileId>(generation & 3);
}

// --- folders and files ------------------------------------------------------------------------

CloudRegistry::CloudRegistry(CloudFolders folders, std::vector<CloudTime> times) : m_folders(std::move(folders)) {
    m_timeCount = static_cast<int>(std::min<std::size_t>(times.size(), kCloudTimeLimit));
    m_savedTimeCount = m_timeCount;
    m_blocks.resize(static_cast<std::size_t>((m_timeCount + kCloudTimeBlock - 1) / kCloudTimeBlock));
    m_blockChanged.assign(m_blocks.size(), false);
    for (int i = 0; i < m_timeCount; ++i)
        m_blocks[static_cast<std::size_t>(i / kCloudTimeBlock)][static_cast<std::size_t>(i % kCloudTimeBlock)] =
            times[static_cast<std::size_t>(i)];
    std::set<int> used;
    for (std::size_t n = 0; n < m_folders.size(); ++n) {
        if (!m_folders[n]) continue;
        m_folders[n]->number = static_cast<std::uint16_t>(n + 1);
        for (CloudFileEntry& e : m_folders[n]->files)
            if (e.timeSlot != -1 && (e.timeSlot < 0 || e.timeSlot >= m_timeCount || !used.insert(e.timeSlot).second))
                e.timeSlot = -1;
    }
}

const CloudFolder* CloudRegistry::folder(int number) const {
    if (number < 1 || static_cast<std::size_t>(number) > m_folders.size()) return nullptr;
    const auto& f = m_folders[static_cast<std::size_t>(number - 1)];
    return f ? &*f : nullptr;
}

int CloudRegistry::findFolder(std::u16string_view path) const {
    const std::u16string_view key = folderKey(path);
    for (const auto& f : m_folders)
        if (f && equalIgnoringCase(folderKey(f->path), key)) return f->number;
    return 0;
}

int CloudRegistry::registerFolder(std::u16string_view path) {
    path = folderKey(path);
    if (path.empty() || path.size() >= kCloudPathBuffer) return 0;
    if (const int found = findFolder(path)) return found;
    auto slot = std::find(m_folders.begin(), m_folders.end(), std::nullopt);
    if (slot == m_folders.end()) {
        if (m_folders.size() >= kCloudFolderLimit) return 0;
        slot = m_folders.insert(m_folders.end(), std::nullopt);
    }
    const int number = static_cast<int>(slot - m_folders.begin()) + 1;
    *slot = CloudFolder{static_cast<std::uint16_t>(number), std::u16string(path), {}};
    ++m_changes;
    return number;
}

CloudRegistry::Registered CloudRegistry::registerFile(std::u16string_view path) {
    const std::size_t slash = path.find_last_of(u'/');
    if (slash == std::u16string_view::npos || slash + 1 >= path.size()) return {};
    const std::u16string_view name = path.substr(slash + 1);
    if (name.size() >= kCloudPathBuffer) return {};
    const int number = registerFolder(slash == 0 ? path.substr(0, 1) : path.substr(0, slash));
    if (number == 0) return {};
    CloudFolder& f = *m_folders[static_cast<std::size_t>(number - 1)];
    for (std::size_t slot = 0; slot < f.files.size(); ++slot) {
        const CloudFileEntry& e = f.files[slot];
        if (!e.deleted() && e.name && equalIgnoringCase(*e.name, name))
            return {cloudFileId(number, static_cast<int>(slot), e.generation), false};
    }
    // A deleted slot is used again with the next generation, so that its old identifiers stay dead.
    auto free = std::find_if(f.files.begin(), f.files.end(), [](const CloudFileEntry& e) { return e.deleted(); });
    std::uint16_t generation = 0;
    if (free != f.files.end()) {
        generation = static_cast<std::uint16_t>((free->generation + 1) & 3);
    } else {
        if (f.files.size() >= kCloudFileSlotLimit) return {};
        free = f.files.insert(f.files.end(), CloudFileEntry{});
    }
    const int slot = static_cast<int>(free - f.files.begin());
    *free = CloudFileEntry{static_cast<std::uint16_t>(number),
                           static_cast<std::uint16_t>(slot * 4),
                           generation,
                           0,
                           0,
                           -1,
                           std::u16string(name)};
    ++m_changes;
    return {cloudFileId(number, slot, generation), true};
}

CloudFileEntry* CloudRegistry::liveEntry(CloudFileId id) {
    const IdParts p = splitId(id);
    if (p.folder < 1 || static_cast<std::size_t>(p.folder) > m_folders.size()) return nullptr;
    auto& f = m_folders[static_cast<std::size_t>(p.folder - 1)];
    if (!f || static_cast<std::size_t>(p.slot) >= f->files.size()) return nullptr;
    CloudFileEntry& e = f->files[static_cast<std::size_t>(p.slot)];
    if (e.deleted() || (e.generation & 3) != p.generation) return nullptr;
    return &e;
}

const CloudFileEntry* CloudRegistry::entry(CloudFileId id) const {
    return const_cast<CloudRegistry*>(this)->liveEntry(id);
}

bool CloudRegistry::dropFile(CloudFileId id) {
    CloudFileEntry* e = liveEntry(id);
    if (!e) return false;
    if (e->timeSlot >= 0) setTime(e->timeSlot, CloudTime{});
    e->timeSlot = -1;
    e->state = -1;
    ++m_changes;
    return true;
}

std::optional<std::u16string> CloudRegistry::path(CloudFileId id) const {
    const CloudFileEntry* e = entry(id);
    if (!e || !e->name || e->name->empty()) return std::nullopt;
    return joinPath(folder(static_cast<int>(id >> 16))->path, *e->name);
}

std::optional<std::string> CloudRegistry::filePath(CloudFileId id) const {
    const auto p = path(id);
    if (!p) return std::nullopt;
    return toUtf8(*p);
}

// --- file times -------------------------------------------------------------------------------

CloudTime CloudRegistry::time(int slot) const {
    if (slot < 0 || slot >= m_timeCount) return {};
    return m_blocks[static_cast<std::size_t>(slot / kCloudTimeBlock)][static_cast<std::size_t>(slot % kCloudTimeBlock)];
}

std::vector<CloudTime> CloudRegistry::times() const {
    std::vector<CloudTime> out;
    out.reserve(static_cast<std::size_t>(m_timeCount));
    for (int i = 0; i < m_timeCount; ++i) out.push_back(time(i));
    return out;
}

void CloudRegistry::setTime(int slot, CloudTime t) {
    const auto block = static_cast<std::size_t>(slot / kCloudTimeBlock);
    if (block >= m_blocks.size()) {
        m_blocks.resize(block + 1);
        m_blockChanged.resize(block + 1, false);
    }
    m_blocks[block][static_cast<std::size_t>(slot % kCloudTimeBlock)] = t;
    m_blockChanged[block] = true;
}

int CloudRegistry::takeTimeSlot() {
    std::vector<bool> used(static_cast<std::size_t>(m_timeCount), false);
    for (const auto& f : m_folders)
        if (f)
            for (const CloudFileEntry& e : f->files)
                if (e.timeSlot >= 0 && e.timeSlot < m_timeCount) used[static_cast<std::size_t>(e.timeSlot)] = true;
    const auto free = std::find(used.begin(), used.end(), false);
    if (free != used.end()) return static_cast<int>(free - used.begin());
    if (m_timeCount >= kCloudTimeLimit) return -1;
    setTime(m_timeCount, CloudTime{});
    return m_timeCount++;
}

bool CloudRegistry::recordFileTime(CloudFileId id) {
    CloudFileEntry* e = liveEntry(id);
    const auto file = filePath(id);
    if (!e || !file) return false;
    const auto t = cloudFileTime(*file);
    if (!t) return false;
    if (e->timeSlot < 0) {
        const int slot = takeTimeSlot();
        if (slot < 0) return false;
        e->timeSlot = slot;
        ++m_changes;
    }
    setTime(e->timeSlot, *t);
    return true;
}

bool CloudRegistry::hasFileChanged(CloudFileId id) {
    const CloudFileEntry* e = entry(id);
    const auto file = filePath(id);
    if (!e || !file) return false;
    const auto t = cloudFileTime(*file);
    if (!t) return false;
    // A file never seen (or whose time was lost) is news once; its time is kept from now on.
    if (e->timeSlot < 0 || time(e->timeSlot).empty()) return recordFileTime(id);
    return *t > time(e->timeSlot);
}

std::vector<int> CloudRegistry::changedTimeBlocks() const {
    std::vector<int> out;
    for (std::size_t b = 0; b < m_blockChanged.size(); ++b)
        if (m_blockChanged[b] || (b == 0 && m_timeCount != m_savedTimeCount)) out.push_back(static_cast<int>(b));
    return out;
}

void CloudRegistry::markSaved() {
    std::fill(m_blockChanged.begin(), m_blockChanged.end(), false);
    m_savedTimeCount = m_timeCount;
    m_changes = 0;
}

// --- names ------------------------------------------------------------------------------------

std::u16string cloudBaseName(std::u16string_view path) {
    const std::size_t slash = path.find_last_of(u'/');
    const std::size_t dot = path.find_last_of(u'.');
    if (dot == std::u16string_view::npos || (slash != std::u16string_view::npos && dot < slash))
        return std::u16string(path);
    return std::u16string(path.substr(0, dot));
}

std::u16string cloudStudyFileName(std::u16string_view path, char16_t letter, int number) {
    return cloudBaseName(path) + formatText(u"-%c%03d", {static_cast<long long>(letter), number}) +
           std::u16string(kNextMoveExtension);
}

std::optional<std::string> findCloudStudyFile(std::u16string_view path, char16_t letter) {
    const std::u16string base = cloudBaseName(path);
    const std::size_t slash = base.find_last_of(u'/');
    if (slash == std::u16string::npos) return std::nullopt;
    const std::u16string prefix = base.substr(slash + 1) + u'-' + letter;
    const std::u16string folder = slash == 0 ? u"/" : base.substr(0, slash);
    std::error_code ec;
    std::filesystem::directory_iterator it(toUtf8(folder), ec);
    std::optional<std::string> first;
    for (; !ec && it != std::filesystem::directory_iterator(); it.increment(ec)) {
        std::error_code typeError;
        if (!it->is_regular_file(typeError)) continue;
        const std::string name = it->path().filename().string();
        const std::u16string wide = fromUtf8(name);
        if (wide.size() < prefix.size() + kNextMoveExtension.size() || !startsIgnoringCase(wide, prefix) ||
            !endsIgnoringCase(wide, kNextMoveExtension))
            continue;
        if (!first || name < *first) first = name;
    }
    if (!first) return std::nullopt;
    return toUtf8(joinPath(folder, fromUtf8(*first)));
}

// --- time values ------------------------------------------------------------------------------

CloudTime cloudTimeFromSeconds(std::int64_t seconds) {
    std::int64_t days = seconds / 86400;
    std::int64_t rest = seconds % 86400;
    if (rest < 0) {
        rest += 86400;
        --days;
    }
    std::int64_t y = 0;
    int m = 0;
    int d = 0;
    civilFromDays(days, y, m, d);
    if (y < 1 || y > 0xFFFF) return {};
    return {static_cast<std::uint16_t>(y),
            static_cast<std::uint8_t>(m),
            static_cast<std::uint8_t>(d),
            static_cast<std::uint8_t>(rest / 3600),
            static_cast<std::uint8_t>(rest / 60 % 60),
            static_cast<std::uint8_t>(rest % 60)};
}

std::int64_t secondsFromCloudTime(const CloudTime& t) {
    return daysFromCivil(t.year, t.month, t.day) * 86400 + t.hour * 3600 + t.minute * 60 + t.second;
}

std::optional<CloudTime> cloudFileTime(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return std::nullopt;
    const CloudTime t = cloudTimeFromSeconds(static_cast<std::int64_t>(st.st_mtim.tv_sec));
    if (t.empty()) return std::nullopt;
    return t;
}

} // namespace stonewise
