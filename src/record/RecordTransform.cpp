#include "record/RecordTransform.h"

namespace stonewise {

void transformPoint(BoardTransform t, int size, int& x, int& y) {
    const int last = size - 1;
    const int ox = x;
    const int oy = y;
    switch (t) {
    case BoardTransform::Rotate180:
        x = last - ox;
        y = last - oy;
        break;
    case BoardTransform::RotateRight:
        x = last - oy;
        y = ox;
        break;
    case BoardTransform::FlipVertical: y = last - oy; break;
    case BoardTransform::FlipHorizontal: x = last - ox; break;
    }
}

void transformRecord(RecordSequence& s, BoardTransform t, int size) {
    for (int i = 0; i < s.nodeCount(); ++i) {
        RecordNode& n = s.node(i);
        if (n.isLink() || !n.hasPoint() || n.x >= size || n.y >= size) continue;
        int x = n.x;
        int y = n.y;
        transformPoint(t, size, x, y);
        n.x = static_cast<std::uint8_t>(x);
        n.y = static_cast<std::uint8_t>(y);
    }
    for (int i = 0; i < s.labelCount(); ++i) {
        LabelEntry& e = s.label(i);
        int x = e.x;
        int y = e.y;
        transformPoint(t, size, x, y);
        e.x = static_cast<std::uint8_t>(x);
        e.y = static_cast<std::uint8_t>(y);
    }
    for (int slot = 1; slot <= s.highestChildSlot(); ++slot)
        if (RecordSequence* c = s.child(slot)) transformRecord(*c, t, size);
}

} // namespace stonewise
