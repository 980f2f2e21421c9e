#pragma once

#include "record/GameInfo.h"
#include "store/TaggedRecordFile.h"

namespace stonewise {

// A day as the store's files keep it: a 6-byte block field of u16 year, u16 month, u8 day, u8 0.
inline GameDate readStoredDay(const TaggedField& f) {
    GameDate d;
    d.year = f.u16(0);
    d.month = f.u16(2);
    d.day = f.u8(4);
    return d;
}

inline void writeStoredDay(TaggedRecordWriter& w, std::uint8_t id, const GameDate& d) {
    w.fieldHead(kFieldBlock, id, 6);
    w.u16(d.year);
    w.u16(d.month);
    w.u8(d.day);
    w.u8(0);
}

} // namespace stonewise
