#include "book/InstallerList.h"

#include "book/TaggedElements.h"
#include "store/FileIo.h"

namespace stonewise {

namespace {

constexpr std::uint8_t kNumberIds[6] = {1, 2, 3, 4, 8, 9};
constexpr std::uint16_t kRecordSize = 28;

int numberSlot(std::uint8_t id) {
    for (int i = 0; i < 6; ++i)
        if (kNumberIds[i] == id) return i;
    return -1;
}

std::uint8_t widthOf(int length) { return length <= 1 ? 1 : length <= 2 ? 2 : 4; }

} // namespace

InstallerList InstallerList::decode(std::span<const std::uint8_t> bytes) {
    InstallerList list;
    TaggedRecordReader r(bytes);
    TaggedHeader h;
    if (!r.readHeader(h) || h.magic != kTaggedMagic || !h.versionOk()) return list;
    InstalledPackage p;
    TaggedElementVisitor visit;
    visit.begin = [&p](int, int) { p = {}; };
    visit.field = [&p](int, const TaggedField& field) {
        if (const int slot = numberSlot(field.id()); slot >= 0 && field.type() != kFieldText) {
            const std::uint8_t width = widthOf(field.head.length());
            const std::uint32_t v = width == 1 ? field.u8(0) : width == 2 ? field.u16() : field.u32();
            p.numbers[static_cast<std::size_t>(slot)] = {v, width};
        } else if (field.id() >= 5 && field.id() <= 7 && field.type() == kFieldText) {
            p.texts[field.id() - 5u] = field.text(1024).value_or(std::u16string());
        }
    };
    visit.end = [&list, &p](int, int fields) {
        if (fields > 0) list.packages.push_back(std::move(p));
    };
    readTaggedElements(r, h.count, visit);
    return list;
}

std::vector<std::uint8_t> InstallerList::encode() const {
    TaggedRecordWriter w;
    w.header(0, kRecordSize, static_cast<std::uint16_t>(packages.size()));
    for (std::size_t n = 0; n < packages.size(); ++n) {
        const InstalledPackage& p = packages[n];
        w.element(kMarkElement, static_cast<std::uint8_t>(n), 9);
        auto number = [&](int slot) {
            const InstalledPackage::Number& v = p.numbers[static_cast<std::size_t>(slot)];
            const std::uint8_t b[4] = {static_cast<std::uint8_t>(v.value), static_cast<std::uint8_t>(v.value >> 8),
                                       static_cast<std::uint8_t>(v.value >> 16),
                                       static_cast<std::uint8_t>(v.value >> 24)};
            const std::uint8_t type = v.width == 1 ? kFieldBytes : v.width == 2 ? kFieldU16 : kFieldU32;
            w.fieldBytes(type, kNumberIds[slot], std::span<const std::uint8_t>(b, v.width));
        };
        for (int slot = 0; slot < 4; ++slot) number(slot);
        for (int t = 0; t < 3; ++t)
            w.fieldText(static_cast<std::uint8_t>(5 + t), p.texts[static_cast<std::size_t>(t)], 1024);
        number(4);
        number(5);
    }
    w.end();
    return w.take();
}

InstallerList InstallerList::load(const std::string& path) {
    std::optional<std::vector<std::uint8_t>> bytes = readWholeFile(path);
    return bytes ? decode(*bytes) : InstallerList();
}

bool InstallerList::save(const std::string& path) const { return writeFileAtomically(path, encode()); }

} // namespace stonewise
