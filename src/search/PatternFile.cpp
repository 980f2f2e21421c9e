#include "search/PatternFile.h"

#include <algorithm>
#include <cstdio>

namespace stonewise {

namespace {

constexpr int kNameCharacters = 126; // the name's byte length, zero included, fits one byte

void put16(std::vector<std::uint8_t>& out, std::uint16_t v) {
    out.push_back(static_cast<std::uint8_t>(v));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
}

void put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}

void putHead(std::vector<std::uint8_t>& out, int a, int b, int c, int d) {
    for (const int v : {a, b, c, d}) out.push_back(static_cast<std::uint8_t>(v));
}

// Grows `out` by n bytes and returns where they start.
std::uint8_t* grow(std::vector<std::uint8_t>& out, std::size_t n) {
    out.resize(out.size() + n);
    return out.data() + out.size() - n;
}

std::u16string_view cutName(std::u16string_view name) {
    name = name.substr(0, std::min(name.find(u'\0'), name.size()));
    if (name.size() <= kNameCharacters) return name;
    std::size_t n = kNameCharacters;
    if (name[n - 1] >= 0xD800 && name[n - 1] < 0xDC00) --n; // never split a surrogate pair
    return name.substr(0, n);
}

int wholeSnapshotCount(const PatternCollector* whole) {
    if (!whole) return 0;
    const int limit = std::min(whole->count, kWholeSnapshotLimit);
    return limit > kOpeningMoves ? (limit - kOpeningMoves + kWholeSnapshotStep - 1) / kWholeSnapshotStep : 0;
}

int cornerStepCount(const PatternAnalyzer& a) {
    int largest = 0;
    for (int i = 0; i < a.collectorCount(); ++i)
        if (a.collector(i).isCorner()) largest = std::max(largest, a.collector(i).count);
    const int limit = std::min(largest, kCornerSnapshotLimit);
    return limit > kOpeningMoves ? (limit - kOpeningMoves + kCornerSnapshotStep - 1) / kCornerSnapshotStep : 0;
}

} // namespace

std::uint8_t recordTypeOf(std::uint8_t typeFlags) {
    if (typeFlags & kTypeFlagFuseki) return kRecordFuseki;
    if (typeFlags & kTypeFlagJoseki) return kRecordJoseki;
    if (typeFlags & kTypeFlagReference) return kRecordReference;
    return kRecordGeneral;
}

std::string patternFileName(int group, int game, int variation) {
    char name[40];
    std::snprintf(name, sizeof name, "PAT_%05d%05d%03d.dat", (group ^ 0x3573) & 0xFFFF, (game ^ 0x1357) & 0xFFFF,
                  variation);
    return name;
}

void encodePatternFile(const PatternAnalyzer& analyzer, const PatternGameId& id, std::u16string_view name,
                       std::vector<std::uint8_t>& out, PatternReplays& replays) {
    out.clear();
    const PatternCollector* whole = analyzer.wholeBoard();
    int cornerCount = 0;
    for (int i = 0; i < analyzer.collectorCount(); ++i) cornerCount += analyzer.collector(i).isCorner() ? 1 : 0;
    const int wholeSnapshots = wholeSnapshotCount(whole);
    const int cornerSteps = cornerStepCount(analyzer);
    const int sizeA = whole ? 4 + kOpeningRecordSize : 0;
    const int sizeB = 4 + kCornerRecordSize * cornerCount;
    const int sizeC = (4 + kWholeSnapshotSize) * wholeSnapshots;
    const int sizeD = (4 + kCornerSnapshotSize * cornerCount) * cornerSteps;
    const std::u16string_view shownName = cutName(name);
    const int nameBytes = name.empty() ? 0 : 2 * static_cast<int>(shownName.size() + 1);

    put32(out, static_cast<std::uint32_t>(sizeA + sizeB + sizeC + sizeD + 32));
    put32(out, 0);
    put32(out, kPatternFileMagic);
    out.push_back(id.recordType);
    out.push_back(0);
    for (const std::uint16_t v : {id.group, id.game, id.variation, id.nodes, id.bookEntry}) put16(out, v);
    for (const int v : {sizeA, sizeB, sizeC, sizeD}) put16(out, static_cast<std::uint16_t>(v));
    out.push_back(id.moves);
    out.push_back(static_cast<std::uint8_t>(nameBytes));
    put16(out, 0);
    put32(out, 0);
    if (nameBytes > 0) {
        for (const char16_t c : shownName) put16(out, c);
        put16(out, 0);
    }

    if (whole) {
        putHead(out, 2, 1, kOpeningRecordSize, 1);
        out.push_back(whole->kindByte());
        put16(out, 0);
        out.push_back(static_cast<std::uint8_t>(std::min(whole->count, kOpeningMoves)));
        std::uint8_t* groups = grow(out, 20);
        for (int g = 0; g < 4; ++g) packMoveGroup(*whole, 4 * g, groups + 5 * g);
    }

    putHead(out, 1, cornerCount, kCornerRecordSize, 17);
    for (int i = 0; i < analyzer.collectorCount(); ++i) {
        const PatternCollector& c = analyzer.collector(i);
        if (!c.isCorner()) continue;
        out.push_back(c.kindByte());
        put16(out, 0);
        out.push_back(static_cast<std::uint8_t>(std::min(c.count, kOpeningMoves)));
        moveBytes(c, 0, {grow(out, kOpeningMoves), static_cast<std::size_t>(kOpeningMoves)});
        out.push_back(c.colourOfMove(kOpeningMoves));
    }

    if (wholeSnapshots > 0) {
        PatternReplay& r = replays[0];
        r.start(whole->thirteen ? 12 : 18);
        int played = 0;
        for (int s = 0; s < wholeSnapshots; ++s) {
            const int m = kOpeningMoves + kWholeSnapshotStep * s;
            for (; played < m; ++played) r.play(whole->moves[static_cast<std::size_t>(played)]);
            putHead(out, 4, 1, kWholeSnapshotSize, m + 1);
            out.push_back(whole->kindByte());
            out.push_back(kWholeSnapshotSize - 2);
            r.packBoard(grow(out, kPackedBoardSize));
            std::uint8_t* groups = grow(out, 10);
            packMoveGroup(*whole, m, groups);
            packMoveGroup(*whole, m + 4, groups + 5);
        }
    }

    if (cornerSteps > 0) {
        for (int i = 0; i < analyzer.collectorCount(); ++i) replays[static_cast<std::size_t>(i)].start(12);
        std::array<int, 5> played{};
        for (int s = 0; s < cornerSteps; ++s) {
            const int m = kOpeningMoves + kCornerSnapshotStep * s;
            putHead(out, 3, cornerCount, kCornerSnapshotSize, m);
            for (int i = 0; i < analyzer.collectorCount(); ++i) {
                const PatternCollector& c = analyzer.collector(i);
                if (!c.isCorner()) continue;
                PatternReplay& r = replays[static_cast<std::size_t>(i)];
                int& done = played[static_cast<std::size_t>(i)];
                for (; done < std::min(m, c.count); ++done) r.play(c.moves[static_cast<std::size_t>(done)]);
                out.push_back(c.kindByte());
                out.push_back(kCornerSnapshotSize - 3);
                r.packCorner(grow(out, kPackedCornerSize));
                moveBytes(c, m, {grow(out, 4), 4});
                out.push_back(c.colourOfMove(m));
            }
        }
    }
    put32(out, kPatternEndMark);
}

namespace {

bool headIs(const std::uint8_t* p, int a, int b, int c, int d) {
    return p[0] == a && p[1] == b && p[2] == c && p[3] == d;
}

} // namespace

bool snapshotsWellFormed(std::span<const std::uint8_t> bytes, int sizeC, int sizeD, int corners) {
    if (sizeC < 0 || sizeD < 0 || bytes.size() != static_cast<std::size_t>(sizeC + sizeD)) return false;
    if (sizeC % (4 + kWholeSnapshotSize) != 0) return false;
    const int wholeSnapshots = sizeC / (4 + kWholeSnapshotSize);
    for (int s = 0; s < wholeSnapshots; ++s) {
        const std::uint8_t* p = bytes.data() + s * (4 + kWholeSnapshotSize);
        if (!headIs(p, 4, 1, kWholeSnapshotSize, kOpeningMoves + kWholeSnapshotStep * s + 1)) return false;
        if ((p[4] & kCollectorKindMask) != kWholeBoard || p[5] != kWholeSnapshotSize - 2) return false;
    }
    if (sizeD == 0) return true;
    if (corners < 1) return false;
    const int step = 4 + kCornerSnapshotSize * corners;
    if (sizeD % step != 0) return false;
    for (int s = 0; s < sizeD / step; ++s) {
        const std::uint8_t* p = bytes.data() + sizeC + s * step;
        if (!headIs(p, 3, corners, kCornerSnapshotSize, kOpeningMoves + kCornerSnapshotStep * s)) return false;
        for (int c = 0; c < corners; ++c) {
            const std::uint8_t* r = p + 4 + c * kCornerSnapshotSize;
            const int kind = r[0] & kCollectorKindMask;
            if (kind < kUpperLeft || kind > kLowerRight || r[1] != kCornerSnapshotSize - 3) return false;
        }
    }
    return true;
}

std::optional<PatternFileView> readPatternFile(std::span<const std::uint8_t> bytes) {
    constexpr std::size_t kFixed = kPatternFileHeaderSize + kGameRecordSize;
    if (bytes.size() < kFixed + 4) return std::nullopt;
    const std::uint8_t* p = bytes.data();
    if (readU32(p + 8) != kPatternFileMagic || readU32(p + 4) != 0) return std::nullopt;
    PatternFileView v;
    v.record = bytes.subspan(kPatternFileHeaderSize, kGameRecordSize);
    const std::uint8_t* r = v.record.data();
    const int sizeA = readU16(r + 12);
    const int sizeB = readU16(r + 14);
    const int sizeC = readU16(r + 16);
    const int sizeD = readU16(r + 18);
    const int nameBytes = r[21];
    if (readU32(p) != static_cast<std::uint32_t>(sizeA + sizeB + sizeC + sizeD + 32)) return std::nullopt;
    if (nameBytes % 2 != 0 || r[0] < kRecordReference || r[0] > kRecordGeneral) return std::nullopt;
    if (bytes.size() != kFixed + static_cast<std::size_t>(nameBytes + sizeA + sizeB + sizeC + sizeD) + 4)
        return std::nullopt;
    std::size_t at = kFixed;
    v.name = bytes.subspan(at, static_cast<std::size_t>(nameBytes));
    if (nameBytes > 0 && readU16(v.name.data() + nameBytes - 2) != 0) return std::nullopt;
    at += static_cast<std::size_t>(nameBytes);
    if (sizeA != 0) {
        if (sizeA != 4 + kOpeningRecordSize || !headIs(p + at, 2, 1, kOpeningRecordSize, 1)) return std::nullopt;
        v.opening = bytes.subspan(at + 4, kOpeningRecordSize);
        if ((v.opening[0] & kCollectorKindMask) != kWholeBoard || v.opening[3] > kOpeningMoves) return std::nullopt;
        at += static_cast<std::size_t>(sizeA);
    }
    if (sizeB < 4 || (sizeB - 4) % kCornerRecordSize != 0) return std::nullopt;
    v.cornerCount = (sizeB - 4) / kCornerRecordSize;
    if ((v.cornerCount != 1 && v.cornerCount != 4) || !headIs(p + at, 1, v.cornerCount, kCornerRecordSize, 17))
        return std::nullopt;
    if ((v.cornerCount == 1) == (sizeA != 0)) return std::nullopt; // one corner only without the whole board
    v.corners = bytes.subspan(at + 4, static_cast<std::size_t>(sizeB - 4));
    for (int c = 0; c < v.cornerCount; ++c) {
        const std::uint8_t* r = v.corners.data() + c * kCornerRecordSize;
        const int kind = r[0] & kCollectorKindMask;
        if (kind < kUpperLeft || kind > kLowerRight || r[3] > kOpeningMoves) return std::nullopt;
    }
    at += static_cast<std::size_t>(sizeB);
    v.snapshots = bytes.subspan(at, static_cast<std::size_t>(sizeC + sizeD));
    if (!snapshotsWellFormed(v.snapshots, sizeC, sizeD, v.cornerCount)) return std::nullopt;
    if (readU32(p + at + static_cast<std::size_t>(sizeC + sizeD)) != kPatternEndMark) return std::nullopt;
    return v;
}

} // namespace stonewise
