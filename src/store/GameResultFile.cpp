#include "store/GameResultFile.h"

#include <algorithm>
#include <cstdio>

#include "store/StoredDate.h"

namespace stonewise {

namespace {

constexpr std::uint32_t kResultGroupThirdWord = 5;
constexpr std::uint32_t kResultRecordThirdWord = 15;
constexpr std::uint16_t kResultRecordSize = 16;
constexpr std::int16_t kResultGroupFields = 3;
constexpr std::int16_t kResultRecordFields = 15;

bool sameDay(const GameDate& a, const GameDate& b) { return a.year == b.year && a.month == b.month && a.day == b.day; }

// A text field: no text is a head of length 0.
void writeText(TaggedRecordWriter& w, std::uint8_t id, const std::u16string& text, std::size_t buffer = kTextBuffer) {
    if (storedText(text, buffer).empty()) w.fieldText(id, std::nullopt);
    else w.fieldText(id, std::u16string_view(text), buffer);
}

std::u16string readText(const TaggedField& f, std::size_t buffer = kTextBuffer) {
    return f.text(buffer).value_or(std::u16string());
}

// Reads one record's fields; false on a short read.
bool readRecordFields(TaggedRecordReader& r, int count, GameResult& g) {
    for (int i = 0; i < count; ++i) {
        TaggedField f;
        if (!r.readField(f)) return false;
        switch (f.id()) {
        case 1: g.begun = readStoredDay(f); break;
        case 2: g.ended = readStoredDay(f); break;
        case 3: g.place = readText(f); break;
        case 4: g.firstPlayer = readText(f); break;
        case 5: g.secondIsBlack = f.u16(); break;
        case 6: g.handicap = f.u16(); break;
        case 7: g.komi = f.f32(); break;
        case 8: g.kept8 = f.u16(); break;
        case 9: g.result = f.u16(); break;
        case 10: g.margin = f.f32(); break;
        case 11: g.kept11 = f.u16(); break;
        case 12: g.kept12 = f.u16(); break;
        case 13: g.gameName = readText(f); break;
        case 14: g.impressions = readText(f, kImpressionsBuffer); break;
        case 15: g.secondPlayer = readText(f); break;
        default: break; // an unknown field is skipped by its length
        }
    }
    return true;
}

// Reads the header and then up to `limit` element heads (all the header counts when `limit` is
// negative), handing each ordinary element to `element`, which reads its fields and returns false
// on a short read. Ok at the end mark or after the count, Damaged at a short read or another mark.
template <class ReadElement>
StoreReadStatus readElements(std::span<const std::uint8_t> bytes, int limit, ReadElement element) {
    TaggedRecordReader r(bytes);
    TaggedHeader header;
    if (const StoreReadStatus s = r.readCheckedHeader(header); s != StoreReadStatus::Ok) return s;
    const int count = limit < 0 ? header.count : std::min<int>(header.count, limit);
    for (int n = 0; n < count; ++n) {
        TaggedHead head;
        if (!r.readHead(head)) return StoreReadStatus::Damaged;
        if (head.mark() == kMarkEnd) break;
        if (head.mark() != kMarkElement || head.count() < 0) return StoreReadStatus::Damaged;
        if (!element(r, n, head.count())) return StoreReadStatus::Damaged;
    }
    return StoreReadStatus::Ok;
}

} // namespace

bool GameResult::operator==(const GameResult& o) const {
    return sameDay(begun, o.begun) && sameDay(ended, o.ended) && place == o.place && firstPlayer == o.firstPlayer &&
           secondIsBlack == o.secondIsBlack && handicap == o.handicap && komi == o.komi && kept8 == o.kept8 &&
           result == o.result && margin == o.margin && kept11 == o.kept11 && kept12 == o.kept12 &&
           gameName == o.gameName && impressions == o.impressions && secondPlayer == o.secondPlayer;
}

ResultGroupRead decodeResultGroups(std::span<const std::uint8_t> bytes) {
    ResultGroupRead out;
    out.status = readElements(bytes, kResultGroupSlots, [&out](TaggedRecordReader& r, int slot, int fields) {
        ResultGroup g;
        g.number = static_cast<std::uint16_t>(slot);
        for (int i = 0; i < fields; ++i) {
            TaggedField f;
            if (!r.readField(f)) return false;
            if (f.id() == 1) g.number = f.u16();
            else if (f.id() == 3) g.name = readText(f, kGroupNameBuffer);
        }
        out.slots = slot + 1;
        if (fields > 0) out.groups[static_cast<std::size_t>(slot)] = std::move(g);
        return true;
    });
    return out;
}

std::vector<std::uint8_t> encodeResultGroups(const ResultGroupTable& groups, int slotCount) {
    slotCount = std::clamp(slotCount, 0, kResultGroupSlots);
    TaggedRecordWriter w;
    w.header(kResultGroupThirdWord, kResultRecordSize, static_cast<std::uint16_t>(slotCount));
    writeSlots(w, groups, slotCount, kResultGroupFields, [&w](int, const ResultGroup& g) {
        const std::u16string_view name = storedText(g.name, kGroupNameBuffer);
        w.fieldU16(1, {g.number});
        w.fieldU16(2, {static_cast<std::uint16_t>(name.size())});
        writeText(w, 3, g.name, kGroupNameBuffer);
    });
    w.end();
    return w.take();
}

int usedResultGroupSlots(const ResultGroupTable& groups) { return usedSlots(groups); }

ResultRecordsRead decodeResultRecords(std::span<const std::uint8_t> bytes) {
    ResultRecordsRead out;
    out.status = readElements(bytes, -1, [&out](TaggedRecordReader& r, int, int fields) {
        GameResult g;
        if (!readRecordFields(r, fields, g)) return false;
        if (fields == 0) out.records.emplace_back();
        else out.records.emplace_back(std::move(g));
        return true;
    });
    return out;
}

std::vector<std::uint8_t> encodeResultRecords(const ResultSlots& records) {
    const std::size_t count = std::min<std::size_t>(records.size(), kMaxResultRecords);
    TaggedRecordWriter w;
    w.header(kResultRecordThirdWord, kResultRecordSize, static_cast<std::uint16_t>(count));
    for (std::size_t n = 0; n < count; ++n) {
        const auto index = static_cast<std::uint8_t>(n & 0xFF);
        const auto& g = records[n];
        if (!g) {
            w.element(kMarkElement, index, 0);
            continue;
        }
        w.element(kMarkElement, index, kResultRecordFields);
        writeStoredDay(w, 1, g->begun);
        writeStoredDay(w, 2, g->ended);
        writeText(w, 3, g->place);
        writeText(w, 4, g->firstPlayer);
        w.fieldU16(5, {g->secondIsBlack});
        w.fieldU16(6, {g->handicap});
        w.fieldFloat(7, g->komi);
        w.fieldU16(8, {g->kept8});
        w.fieldU16(9, {g->result});
        w.fieldFloat(10, g->margin);
        w.fieldU16(11, {g->kept11});
        w.fieldU16(12, {g->kept12});
        writeText(w, 13, g->gameName);
        writeText(w, 14, g->impressions, kImpressionsBuffer);
        writeText(w, 15, g->secondPlayer);
    }
    w.end();
    return w.take();
}

std::string resultRecordsFileName(int groupNumber) {
    char name[32];
    std::snprintf(name, sizeof name, "List%05d.dat", groupNumber);
    return name;
}

} // namespace stonewise
