#include "search/PatternDatabase.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <numeric>
#include <tuple>

#include "search/PatternFile.h"
#include "search/PatternTexts.h"
#include "store/DataFolder.h"
#include "store/FileIo.h"

namespace stonewise {

namespace {

void putHeader(std::vector<std::uint8_t>& out, std::uint32_t count, std::uint32_t second) {
    out.resize(kDatabaseHeaderSize);
    writeU32(out.data(), count);
    writeU32(out.data() + 4, second);
    writeU32(out.data() + 8, kDatabaseMagic);
}

std::uint8_t* append(std::vector<std::uint8_t>& out, std::span<const std::uint8_t> bytes) {
    out.insert(out.end(), bytes.begin(), bytes.end());
    return out.data() + out.size() - bytes.size();
}

// The point codes of an opening record's 16 moves.
std::array<std::uint16_t, kOpeningMoves> openingCodes(const std::uint8_t* record) {
    std::array<std::uint16_t, kOpeningMoves> codes{};
    for (int i = 0; i < kOpeningMoves; ++i)
        codes[static_cast<std::size_t>(i)] = static_cast<std::uint16_t>(pointCode(record + 4 + 5 * (i / 4), i % 4));
    return codes;
}

// The set number of a kind's files: 0 for the general records, 1 for the others.
int fileSet(PatternKind kind) { return kind == PatternKind::General ? 0 : 1; }

} // namespace

std::string patternFolder(const std::string& dataFolder, PatternKind kind) {
    return DataFolder(dataFolder).groupFolder(kPatternFolderBase + static_cast<int>(kind));
}

std::string databaseFileName(PatternKind kind, int part) {
    char name[32];
    if (part == 0) std::snprintf(name, sizeof name, "SRC%d_Header.dat", fileSet(kind));
    else std::snprintf(name, sizeof name, "SRC%d_Data%d.dat", fileSet(kind), part);
    return name;
}

std::array<std::vector<std::uint8_t>, 6> mergedDatabaseFiles(const PatternFiles& files, MergeResult& result) {
    struct Item {
        PatternFileView view;
        std::array<std::uint16_t, 4> key;
    };
    std::vector<Item> items;
    items.reserve(std::min<std::size_t>(files.size(), kMaxPatternGames));
    result = {};
    for (std::size_t i = 0; i < files.size() && items.size() < static_cast<std::size_t>(kMaxPatternGames); ++i) {
        const std::optional<PatternFileView> v = readPatternFile(files[i]);
        if (!v) {
            ++result.skipped;
            continue;
        }
        const std::uint8_t* r = v->record.data();
        items.push_back({*v, {readU16(r), readU16(r + 2), readU16(r + 4), readU16(r + 6)}});
    }
    std::stable_sort(items.begin(), items.end(), [](const Item& a, const Item& b) { return a.key < b.key; });
    std::size_t snapshotBytes = kDatabaseHeaderSize;
    for (const Item& item : items) snapshotBytes += item.view.snapshots.size();

    std::array<std::vector<std::uint8_t>, 6> out;
    std::vector<std::uint8_t>& header = out[0];
    std::vector<std::uint8_t>& data1 = out[1];
    std::vector<std::uint8_t>& data2 = out[2];
    std::vector<std::uint8_t>& data3 = out[3];
    std::vector<std::uint8_t>& data4 = out[4];
    std::vector<std::uint8_t>& searchData = out[5];
    std::vector<std::uint8_t> names(2, 0); // the table starts with an empty place: index 0 is no name
    std::vector<std::uint8_t> records;
    records.reserve(items.size() * kGameRecordSize);
    putHeader(data1, 0, 0);
    putHeader(data3, 0, 0);
    searchData.reserve(snapshotBytes);
    putHeader(searchData, static_cast<std::uint32_t>(items.size()), 0);
    for (std::size_t g = 0; g < items.size(); ++g) {
        const PatternFileView& v = items[g].view;
        std::uint8_t* r = append(records, v.record);
        r[1] = 1;
        writeU32(r + 12, static_cast<std::uint32_t>(searchData.size()));
        writeU32(r + 24, v.name.empty() ? 0 : static_cast<std::uint32_t>(names.size() / 2));
        append(names, v.name);
        append(searchData, v.snapshots);
        if (!v.opening.empty()) writeU16(append(data1, v.opening) + 1, static_cast<std::uint16_t>(g));
        for (int c = 0; c < v.cornerCount; ++c)
            writeU16(
                append(data3, v.corners.subspan(static_cast<std::size_t>(c * kCornerRecordSize), kCornerRecordSize)) +
                    1,
                static_cast<std::uint16_t>(g));
    }
    putHeader(header, static_cast<std::uint32_t>(items.size()), static_cast<std::uint32_t>(names.size() / 2));
    header.insert(header.end(), records.begin(), records.end());
    header.insert(header.end(), names.begin(), names.end());

    const std::size_t openings = (data1.size() - kDatabaseHeaderSize) / kOpeningRecordSize;
    const std::size_t corners = (data3.size() - kDatabaseHeaderSize) / kCornerRecordSize;
    writeU32(data1.data(), static_cast<std::uint32_t>(openings));
    writeU32(data3.data(), static_cast<std::uint32_t>(corners));

    std::vector<std::array<std::uint16_t, kOpeningMoves>> codes(openings);
    for (std::size_t i = 0; i < openings; ++i)
        codes[i] = openingCodes(data1.data() + kDatabaseHeaderSize + i * kOpeningRecordSize);
    std::vector<std::uint32_t> order(openings);
    std::iota(order.begin(), order.end(), 0u);
    std::stable_sort(order.begin(), order.end(), [&](std::uint32_t a, std::uint32_t b) { return codes[a] < codes[b]; });
    putHeader(data2, static_cast<std::uint32_t>(openings), 0);
    for (const std::uint32_t i : order) {
        data2.push_back(static_cast<std::uint8_t>(i));
        data2.push_back(static_cast<std::uint8_t>(i >> 8));
    }

    auto cornerBytes = [&](std::uint32_t i) {
        return data3.data() + kDatabaseHeaderSize + static_cast<std::size_t>(i) * kCornerRecordSize + 4;
    };
    order.resize(corners);
    std::iota(order.begin(), order.end(), 0u);
    std::stable_sort(order.begin(), order.end(), [&](std::uint32_t a, std::uint32_t b) {
        return std::lexicographical_compare(cornerBytes(a), cornerBytes(a) + kOpeningMoves, cornerBytes(b),
                                            cornerBytes(b) + kOpeningMoves);
    });
    putHeader(data4, static_cast<std::uint32_t>(corners), 0);
    for (const std::uint32_t i : order) {
        const std::size_t at = data4.size();
        data4.resize(at + 4);
        writeU32(data4.data() + at, i);
    }
    result.ok = true;
    result.games = static_cast<int>(items.size());
    return out;
}

MergeResult mergePatterns(const PatternFiles& files, const std::string& folder, PatternKind kind) {
    MergeResult result;
    const std::array<std::vector<std::uint8_t>, 6> bytes = mergedDatabaseFiles(files, result);
    // Without its header the set does not load; the header goes in last. The files are rebuilt from
    // the games whenever they are lost, so they are not waited for on the disk: a file a power cut
    // spoils is refused by the loader's checks, and the panel offers to build again.
    const std::string headerPath = folder + databaseFileName(kind, 0);
    if (!removeFile(headerPath)) return {};
    for (int part = 1; part <= 5; ++part) {
        const std::string path = folder + (part == 5 ? std::string(kSearchDataFile) : databaseFileName(kind, part));
        if (!writeFileAtomically(path, bytes[static_cast<std::size_t>(part)], Durability::Process)) return {};
    }
    if (!writeFileAtomically(headerPath, bytes[0], Durability::Process)) return {};
    return result;
}

// --- loading ----------------------------------------------------------------------------------

PatternDatabase::~PatternDatabase() { clear(); }

PatternDatabase::PatternDatabase(PatternDatabase&& other) noexcept { *this = std::move(other); }

PatternDatabase& PatternDatabase::operator=(PatternDatabase&& other) noexcept {
    if (this == &other) return *this;
    clear();
    m_ready = other.m_ready;
    m_kind = other.m_kind;
    m_games = std::move(other.m_games);
    m_names = std::move(other.m_names);
    m_openings = std::move(other.m_openings);
    m_corners = std::move(other.m_corners);
    m_searchData = other.m_searchData;
    m_searchDataSize = other.m_searchDataSize;
    other.m_searchData = -1;
    other.m_ready = false;
    return *this;
}

void PatternDatabase::clear() {
    if (m_searchData >= 0) ::close(m_searchData);
    m_searchData = -1;
    m_ready = false;
    m_games.clear();
    m_names.clear();
    m_openings.clear();
    m_corners.clear();
}

namespace {

// The body of a database file whose header is sound: its count of `recordSize` records (plus
// `extra` bytes per unit of the second number); nothing when short, foreign or of another size.
std::optional<std::span<const std::uint8_t>> body(const std::optional<std::vector<std::uint8_t>>& file,
                                                  std::size_t recordSize, std::uint32_t& count,
                                                  std::uint32_t* second = nullptr) {
    if (!file || file->size() < kDatabaseHeaderSize) return std::nullopt;
    const std::uint8_t* p = file->data();
    if (readU32(p + 8) != kDatabaseMagic) return std::nullopt;
    count = readU32(p);
    const std::uint64_t extra = second ? 2ull * readU32(p + 4) : 0;
    if (second) *second = readU32(p + 4);
    else if (readU32(p + 4) != 0) return std::nullopt;
    if (count > 4u * kMaxPatternGames) return std::nullopt;
    if (file->size() != kDatabaseHeaderSize + std::uint64_t{count} * recordSize + extra) return std::nullopt;
    return std::span<const std::uint8_t>(*file).subspan(kDatabaseHeaderSize);
}

// Whether `order` holds every number below its size once.
bool isPermutation(const std::vector<std::uint32_t>& order) {
    std::vector<bool> seen(order.size(), false);
    for (const std::uint32_t i : order) {
        if (i >= order.size() || seen[i]) return false;
        seen[i] = true;
    }
    return true;
}

} // namespace

bool PatternDatabase::load(const std::string& folder, PatternKind kind, bool* damaged) {
    clear();
    m_kind = kind;
    if (damaged) *damaged = false;
    const std::string headerPath = folder + databaseFileName(kind, 0);
    if (!pathExists(headerPath)) return false;
    if (damaged) *damaged = true; // from here on, whatever fails is damage
    std::array<std::optional<std::vector<std::uint8_t>>, 5> files;
    for (int part = 0; part < 5; ++part)
        files[static_cast<std::size_t>(part)] = readWholeFile(folder + databaseFileName(kind, part));
    std::uint32_t games = 0, nameChars = 0, openings = 0, openingOrder = 0, corners = 0, cornerOrder = 0;
    const auto header = body(files[0], kGameRecordSize, games, &nameChars);
    const auto data1 = body(files[1], kOpeningRecordSize, openings);
    const auto data2 = body(files[2], 2, openingOrder);
    const auto data3 = body(files[3], kCornerRecordSize, corners);
    const auto data4 = body(files[4], 4, cornerOrder);
    if (!header || !data1 || !data2 || !data3 || !data4) return false;
    if (games > kMaxPatternGames || openings != openingOrder || corners != cornerOrder || openings > games)
        return false;

    // searchData.dat: its header, and the file kept open for the snapshots.
    m_searchData = ::open((folder + kSearchDataFile).c_str(), O_RDONLY | O_CLOEXEC);
    struct stat st {};
    std::uint8_t head[kDatabaseHeaderSize];
    if (m_searchData < 0 || ::fstat(m_searchData, &st) != 0 ||
        ::pread(m_searchData, head, sizeof head, 0) != static_cast<ssize_t>(sizeof head) ||
        readU32(head + 8) != kDatabaseMagic || readU32(head) != games) {
        clear();
        return false;
    }
    m_searchDataSize = static_cast<std::uint64_t>(st.st_size);

    const std::uint8_t* names = header->data() + std::size_t{games} * kGameRecordSize;
    m_names.resize(nameChars);
    for (std::uint32_t i = 0; i < nameChars; ++i) m_names[i] = static_cast<char16_t>(readU16(names + 2 * i));
    m_games.resize(games);
    for (std::uint32_t i = 0; i < games; ++i) {
        const std::uint8_t* r = header->data() + std::size_t{i} * kGameRecordSize;
        Game& g = m_games[i];
        g = {r[0],
             readU16(r + 2),
             readU16(r + 4),
             readU16(r + 6),
             readU16(r + 8),
             readU16(r + 10),
             readU32(r + 12),
             readU16(r + 16),
             readU16(r + 18),
             readU32(r + 24),
             0};
        if (r[1] != 1 || g.recordType < kRecordReference || g.recordType > kRecordGeneral || g.name >= nameChars ||
            g.dataPos < kDatabaseHeaderSize || g.dataPos + std::uint64_t{g.sizeC} + g.sizeD > m_searchDataSize) {
            clear();
            return false;
        }
    }

    std::vector<std::uint32_t> order(openings);
    for (std::uint32_t i = 0; i < openings; ++i) order[i] = readU16(data2->data() + 2 * i);
    if (!isPermutation(order)) return clear(), false;
    m_openings.resize(openings);
    for (std::uint32_t i = 0; i < openings; ++i) {
        const std::uint8_t* r = data1->data() + std::size_t{order[i]} * kOpeningRecordSize;
        Opening& o = m_openings[i];
        o = {openingCodes(r), readU16(r + 1), r[0], r[3]};
        if (o.game >= games || (o.kind & kCollectorKindMask) != kWholeBoard || o.present > kOpeningMoves ||
            (i > 0 && o.codes < m_openings[i - 1].codes))
            return clear(), false;
    }

    order.resize(corners);
    for (std::uint32_t i = 0; i < corners; ++i) order[i] = readU32(data4->data() + 4 * i);
    if (!isPermutation(order)) return clear(), false;
    m_corners.resize(corners);
    for (std::uint32_t i = 0; i < corners; ++i) {
        const std::uint8_t* r = data3->data() + std::size_t{order[i]} * kCornerRecordSize;
        Corner& c = m_corners[i];
        c.game = readU16(r + 1);
        c.kind = r[0];
        c.present = r[3];
        std::copy(r + 4, r + 4 + kOpeningMoves, c.bytes.begin());
        const int k = c.kind & kCollectorKindMask;
        if (c.game >= games || k < kUpperLeft || k > kLowerRight || c.present > kOpeningMoves ||
            (i > 0 && c.bytes < m_corners[i - 1].bytes))
            return clear(), false;
        ++m_games[c.game].corners;
    }
    for (const Game& g : m_games)
        if (g.corners != 1 && g.corners != 4) return clear(), false;
    m_ready = true;
    return true;
}

std::u16string PatternDatabase::name(std::uint32_t index) const {
    if (index == 0 || index >= m_names.size()) return {};
    const std::size_t end = m_names.find(u'\0', index);
    return m_names.substr(index, end == std::u16string::npos ? std::u16string::npos : end - index);
}

// --- searching --------------------------------------------------------------------------------

bool PatternDatabase::readSnapshots(const Game& g, std::vector<std::uint8_t>& buffer) const {
    const std::size_t size = std::size_t{g.sizeC} + g.sizeD;
    buffer.resize(size);
    if (size == 0) return true;
    if (::pread(m_searchData, buffer.data(), size, static_cast<off_t>(g.dataPos)) != static_cast<ssize_t>(size))
        return false;
    return snapshotsWellFormed(buffer, g.sizeC, g.sizeD, g.corners);
}

void PatternDatabase::addResult(const Game& g, std::uint8_t kind, int matched, std::uint8_t next,
                                PatternSearchOutcome& out) const {
    if (out.results.size() >= static_cast<std::size_t>(kMaxPatternResults)) return;
    for (const PatternResult& r : out.results)
        if (r.group == g.group && r.game == g.game) return; // each game once, through whichever line
    out.results.push_back({g.group, g.game, g.variation, g.bookEntry, g.recordType, kind,
                           static_cast<std::uint8_t>(std::min(matched, 255)), next, g.name});
}

PatternSearchOutcome PatternDatabase::search(const PatternQuery& query, PatternSearchType type) const {
    PatternSearchOutcome out;
    if (!m_ready) {
        out.message = kTextNoSearchData;
        return out;
    }
    if (query.stones() < kFewestSearchStones) {
        out.message = kTextTooFewStones;
        return out;
    }
    const std::uint8_t games = m_kind == PatternKind::General ? kRecordGeneral : kRecordReference;
    switch (type) {
    case PatternSearchType::Joseki: searchCorner(query, kRecordJoseki, out); break;
    case PatternSearchType::Fuseki: searchWholeBoard(query, kRecordFuseki, out); break;
    case PatternSearchType::Game: searchWholeBoard(query, games, out); break;
    case PatternSearchType::GameCorner: searchCorner(query, games, out); break;
    }
    std::sort(out.results.begin(), out.results.end(), [](const PatternResult& a, const PatternResult& b) {
        return std::tie(a.group, a.game, a.variation) < std::tie(b.group, b.game, b.variation);
    });
    return out;
}

void PatternDatabase::searchWholeBoard(const PatternQuery& query, std::uint8_t accepted,
                                       PatternSearchOutcome& out) const {
    const PatternCollector& whole = *query.analyzer().wholeBoard();
    const int n = std::min(whole.count, kWholeSnapshotLimit);
    if (n <= 4) return;
    const int k = std::min(n, kOpeningMoves);
    std::array<std::uint16_t, kOpeningMoves> key{};
    for (int i = 0; i < k; ++i)
        key[static_cast<std::size_t>(i)] =
            static_cast<std::uint16_t>(pointCode(whole.moves[static_cast<std::size_t>(i)]));
    auto prefixLess = [k](const std::array<std::uint16_t, kOpeningMoves>& a,
                          const std::array<std::uint16_t, kOpeningMoves>& b) {
        return std::lexicographical_compare(a.begin(), a.begin() + k, b.begin(), b.begin() + k);
    };
    const auto lo = std::lower_bound(m_openings.begin(), m_openings.end(), key,
                                     [&](const Opening& o, const auto& v) { return prefixLess(o.codes, v); });
    const auto hi = std::upper_bound(lo, m_openings.end(), key,
                                     [&](const auto& v, const Opening& o) { return prefixLess(v, o.codes); });
    const std::uint8_t kind = whole.kindByte();
    std::vector<std::uint8_t> buffer;
    for (auto it = lo; it != hi && out.results.size() < static_cast<std::size_t>(kMaxPatternResults); ++it) {
        const Game& g = m_games[it->game];
        if (it->kind != kind || it->present < k || g.recordType != accepted) continue;
        if (n > kOpeningMoves) {
            // The position after every snapshot step below n, then the moves after the last one.
            if (!readSnapshots(g, buffer)) continue;
            const int available = g.sizeC / (4 + kWholeSnapshotSize);
            bool same = true;
            int last = 0;
            for (int m = kOpeningMoves, j = 0; m < n && same; m += kWholeSnapshotStep, ++j) {
                const std::uint8_t* snapshot = query.wholeSnapshot(m);
                same = j < available && snapshot &&
                       boardsAlike(snapshot, buffer.data() + j * (4 + kWholeSnapshotSize) + 6);
                last = j;
            }
            if (!same) continue;
            const int lastMove = kOpeningMoves + kWholeSnapshotStep * last;
            const std::uint8_t* groups = buffer.data() + last * (4 + kWholeSnapshotSize) + 4 + 2 + kPackedBoardSize;
            for (int i = 0; i < n - lastMove && same; ++i)
                same = pointCode(groups + 5 * (i / 4), i % 4) ==
                       pointCode(whole.moves[static_cast<std::size_t>(lastMove + i)]);
            if (!same) continue;
        }
        addResult(g, kWholeBoard, n, kNoMoveByte, out);
    }
}

void PatternDatabase::searchCorner(const PatternQuery& query, std::uint8_t accepted, PatternSearchOutcome& out) const {
    const int corner = query.lastMoveCorner();
    const PatternCollector* c = corner ? query.analyzer().find(corner) : nullptr;
    if (!c || c->count < 2) {
        out.message = kTextTooFewStones;
        return;
    }
    const int n = std::min(c->count, kCornerSnapshotLimit);
    const int k = std::min(n, kOpeningMoves);
    std::array<std::uint8_t, kOpeningMoves> key{};
    moveBytes(*c, 0, {key.data(), static_cast<std::size_t>(k)});
    auto prefixLess = [k](const std::array<std::uint8_t, kOpeningMoves>& a,
                          const std::array<std::uint8_t, kOpeningMoves>& b) {
        return std::lexicographical_compare(a.begin(), a.begin() + k, b.begin(), b.begin() + k);
    };
    const auto lo = std::lower_bound(m_corners.begin(), m_corners.end(), key,
                                     [&](const Corner& o, const auto& v) { return prefixLess(o.bytes, v); });
    const auto hi = std::upper_bound(lo, m_corners.end(), key,
                                     [&](const auto& v, const Corner& o) { return prefixLess(v, o.bytes); });
    const std::uint8_t thirteen = c->thirteen ? kThirteenLines : 0;
    std::vector<std::uint8_t> buffer;
    for (auto it = lo; it != hi && out.results.size() < static_cast<std::size_t>(kMaxPatternResults); ++it) {
        const Game& g = m_games[it->game];
        const std::uint8_t kind = it->kind & kCollectorKindMask;
        if ((it->kind & kThirteenLines) != thirteen || it->present < k || g.recordType != accepted) continue;
        std::uint8_t next = k < kOpeningMoves ? it->bytes[static_cast<std::size_t>(k)] : kNoMoveByte;
        if (n > kOpeningMoves) {
            if (!readSnapshots(g, buffer)) continue;
            const int stride = 4 + kCornerSnapshotSize * g.corners;
            const int available = g.sizeD / stride;
            bool same = true;
            const std::uint8_t* record = nullptr;
            int lastMove = 0;
            for (int m = kOpeningMoves, j = 0; m < n && same; m += kCornerSnapshotStep, ++j) {
                record = nullptr;
                for (int r = 0; j < available && r < g.corners; ++r) {
                    const std::uint8_t* p = buffer.data() + g.sizeC + j * stride + 4 + r * kCornerSnapshotSize;
                    if ((p[0] & kCollectorKindMask) == kind) record = p;
                }
                const std::uint8_t* snapshot = query.cornerSnapshot(corner, m);
                same = record && snapshot && cornersAlike(snapshot, record + 2);
                lastMove = m;
            }
            if (!same) continue;
            const std::uint8_t* following = record + 2 + kPackedCornerSize;
            std::array<std::uint8_t, 4> wanted{};
            moveBytes(*c, lastMove, wanted);
            const int rest = n - lastMove;
            if (!std::equal(following, following + rest, wanted.begin())) continue;
            next = rest < 4 ? following[rest] : kNoMoveByte;
        }
        addResult(g, kind, n, next, out);
    }
}

} // namespace stonewise
