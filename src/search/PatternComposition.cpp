#include "search/PatternComposition.h"

#include <algorithm>

#include "search/PatternCodes.h"
#include "store/FileIo.h"
#include "store/TaggedRecordFile.h"

namespace stonewise {

namespace {

constexpr std::uint32_t kCompositionThirdWord = 1;
constexpr std::uint16_t kCompositionRecordSize = 28;
constexpr std::size_t kMaxCompositionEntries = 0xFFFF;

} // namespace

std::vector<std::uint8_t> encodeComposition(const std::vector<CompositionEntry>& entries) {
    TaggedRecordWriter w;
    const std::size_t count = std::min(entries.size(), kMaxCompositionEntries);
    w.u32(kCompositionMagic);
    w.u32(kTaggedVersion);
    w.u32(kCompositionThirdWord);
    w.u16(kCompositionRecordSize);
    w.u16(static_cast<std::uint16_t>(count));
    for (std::size_t i = 0; i < count; ++i) {
        w.element(kMarkElement, static_cast<std::uint8_t>(i), 2);
        w.fieldU16(1, {entries[i].group, entries[i].game});
        w.fieldText(2, entries[i].name);
    }
    w.end();
    return w.take();
}

std::optional<std::vector<CompositionEntry>> decodeComposition(std::span<const std::uint8_t> bytes) {
    TaggedRecordReader r(bytes);
    TaggedHeader header;
    if (!r.readHeader(header) || header.magic != kCompositionMagic || !header.versionOk()) return std::nullopt;
    std::vector<CompositionEntry> entries;
    for (int i = 0; i < header.count; ++i) {
        TaggedHead element;
        if (!r.readHead(element) || element.mark() != kMarkElement || element.count() < 0) return std::nullopt;
        CompositionEntry e;
        bool hasGame = false;
        for (int f = 0; f < element.count(); ++f) {
            TaggedField field;
            if (!r.readField(field)) return std::nullopt;
            if (field.id() == 1 && field.type() == kFieldU16 && field.value.size() == 4) {
                e.group = field.u16(0);
                e.game = field.u16(2);
                hasGame = true;
            } else if (field.id() == 2 && field.type() == kFieldText) {
                e.name = field.text().value_or(std::u16string());
            }
        }
        if (!hasGame) return std::nullopt;
        entries.push_back(std::move(e));
    }
    TaggedHead end;
    if (!r.readHead(end) || end.mark() != kMarkEnd) return std::nullopt;
    return entries;
}

std::optional<std::vector<CompositionEntry>> readComposition(const std::string& path, bool& damaged) {
    damaged = false;
    if (!pathExists(path)) return std::vector<CompositionEntry>{};
    const std::optional<std::vector<std::uint8_t>> bytes = readWholeFile(path);
    std::optional<std::vector<CompositionEntry>> entries;
    if (bytes) entries = decodeComposition(*bytes);
    damaged = !entries;
    return entries;
}

bool writeComposition(const std::string& path, const std::vector<CompositionEntry>& entries) {
    return writeFileAtomically(path, encodeComposition(entries));
}

} // namespace stonewise
