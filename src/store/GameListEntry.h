#pragma once

#include <cstdint>

#include "record/GameInfo.h"
#include "store/TaggedRecordFile.h"

namespace stonewise {

// The stored form of a game's header, `GameListEntry`: one element of 21 fields in a game list
// page, or of 23 fields (with the two player names) at the start of a game file, 24 when the game
// keeps root properties of an SGF file.

// Writes the element head (mark 10, `index`, 21, 23 or 24) and the fields 1–20, 23 (and 21, 22, 24).
void writeGameListEntry(TaggedRecordWriter& w, const GameInfo& info, std::uint8_t index, bool withPlayerNames);

// Reads `fieldCount` fields of an entry into `info` (zeroed first); unknown ids are skipped, texts
// cut to 255 characters, and the display flags and the last version byte cleared. False on a
// short read.
bool readGameListEntry(TaggedRecordReader& r, int fieldCount, GameInfo& info);

} // namespace stonewise
