#include "store/SearchKeyList.h"

#include <algorithm>

namespace stonewise {

namespace {
constexpr std::uint32_t kSearchKeysThirdWord = 4;
constexpr std::uint16_t kSearchKeysRecordSize = 0xFFFF;
} // namespace

SearchKeysRead decodeSearchKeys(std::span<const std::uint8_t> bytes) {
    SearchKeysRead out;
    TaggedRecordReader r(bytes);
    TaggedHeader header;
    out.status = r.readCheckedHeader(header);
    if (out.status != StoreReadStatus::Ok) return out;
    for (int i = 0; i < header.count; ++i) {
        TaggedHead head;
        if (!r.readHead(head)) {
            out.status = StoreReadStatus::Damaged;
            break;
        }
        if (head.mark() == kMarkEnd) break;
        TaggedField f;
        // The element's count is the text's length: read its value as a text field's.
        if (head.mark() != kMarkElement || !r.readValue(TaggedHead{kFieldText, 0, head.value}, f)) {
            out.status = StoreReadStatus::Damaged;
            break;
        }
        out.keys.push_back(f.text().value_or(std::u16string()));
    }
    return out;
}

std::vector<std::uint8_t> encodeSearchKeys(const std::vector<std::u16string>& keys) {
    const std::size_t count = std::min<std::size_t>(keys.size(), 0xFFFF);
    TaggedRecordWriter w;
    w.header(kSearchKeysThirdWord, kSearchKeysRecordSize, static_cast<std::uint16_t>(count));
    for (std::size_t i = 0; i < count; ++i) {
        const std::u16string_view text = storedText(keys[i]);
        w.element(kMarkElement, static_cast<std::uint8_t>(i), static_cast<std::int16_t>(text.size() + 1));
        w.text(text);
        w.u16(0);
    }
    w.end();
    return w.take();
}

} // namespace stonewise
