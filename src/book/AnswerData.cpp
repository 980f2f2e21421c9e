#include "book/AnswerData.h"

#include <algorithm>

#include "book/TaggedElements.h"
#include "store/FileIo.h"

namespace stonewise {

namespace {

constexpr int kSlotFields = 5;
constexpr std::size_t kSlotBytes = 6;

AnswerSlot slotFrom(const TaggedField& f) { return {f.u8(0), f.u8(1), f.u8(2), f.u8(3), f.u8(4), f.u8(5)}; }

} // namespace

void AnswerRecord::record(AnswerResult result, const AnswerTime& when) {
    const AnswerSlot slot{static_cast<std::uint8_t>(result),     static_cast<std::uint8_t>((when.year + 48) & 0xFF),
                          static_cast<std::uint8_t>(when.month), static_cast<std::uint8_t>(when.day),
                          static_cast<std::uint8_t>(when.hour),  static_cast<std::uint8_t>(when.minute)};
    auto empty = std::find_if(slots.begin(), slots.end(), [](const AnswerSlot& s) { return s.empty(); });
    if (empty != slots.end()) {
        *empty = slot;
        return;
    }
    std::rotate(slots.begin(), slots.begin() + 1, slots.end());
    slots.back() = slot;
}

AnswerResult AnswerRecord::latest() const {
    for (auto s = slots.rbegin(); s != slots.rend(); ++s)
        if (!s->empty()) return static_cast<AnswerResult>(s->result);
    return AnswerResult::None;
}

AnswerTable AnswerTable::decode(std::span<const std::uint8_t> bytes) {
    TaggedRecordReader r(bytes);
    TaggedHeader h;
    if (!r.readHeader(h) || h.magic != kAnswerMagic || (h.version & 0xFFFF) != kAnswerVersion) return AnswerTable();
    AnswerTable table(h.count);
    AnswerRecord record;
    TaggedElementVisitor visit;
    visit.begin = [&record](int, int) { record = {}; };
    visit.field = [&record](int f, const TaggedField& field) {
        if (f < kSlotFields) record.slots[static_cast<std::size_t>(f)] = slotFrom(field);
    };
    visit.end = [&table, &record](int n, int) { table.m_records[static_cast<std::size_t>(n)] = record; };
    readTaggedElements(r, h.count, visit);
    return table;
}

std::vector<std::uint8_t> AnswerTable::encode() const {
    TaggedRecordWriter w;
    w.u32(kAnswerMagic);
    w.u32(kAnswerVersion);
    w.u32(kAnswerThirdWord);
    w.u16(kAnswerRecordSize);
    w.u16(static_cast<std::uint16_t>(std::min<std::size_t>(m_records.size(), 0xFFFF)));
    for (std::size_t n = 0; n < m_records.size() && n < 0xFFFF; ++n) {
        const AnswerRecord& a = m_records[n];
        w.element(kMarkElement, static_cast<std::uint8_t>(n), static_cast<std::int16_t>(a.empty() ? 0 : kSlotFields));
        if (a.empty()) continue;
        for (int f = 0; f < kSlotFields; ++f) {
            const AnswerSlot& s = a.slots[static_cast<std::size_t>(f)];
            const std::uint8_t v[kSlotBytes] = {s.result, s.year, s.month, s.day, s.hour, s.minute};
            w.fieldBytes(kFieldBlock, static_cast<std::uint8_t>(f), v);
        }
    }
    w.end();
    return w.take();
}

AnswerTable AnswerTable::load(const std::string& path) {
    std::optional<std::vector<std::uint8_t>> bytes = readWholeFile(path);
    return bytes ? decode(*bytes) : AnswerTable();
}

bool AnswerTable::save(const std::string& path) const { return writeFileAtomically(path, encode()); }

void AnswerTable::record(std::size_t n, AnswerResult result, const AnswerTime& when) {
    if (n >= 0xFFFF) return;
    if (n >= m_records.size()) m_records.resize(n + 1);
    m_records[n].record(result, when);
    m_changed = true;
}

void AnswerTable::reset(std::optional<std::size_t> n) {
    if (!n) {
        std::fill(m_records.begin(), m_records.end(), AnswerRecord{});
    } else if (*n < m_records.size()) {
        m_records[*n] = AnswerRecord{};
    }
    m_changed = true;
}

} // namespace stonewise
