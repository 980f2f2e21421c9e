#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "record/GameInfo.h"
#include "record/RecordSequence.h"
#include "store/TaggedRecordFile.h"

namespace stonewise {

// How the nodes of a game file are written.
enum class NodeForm {
    Ordinary, // an element of 6 or 7 fields per node
    Compact,  // 8 bytes per node (the scratch game); elapsed times are not kept
};

// The bytes of a game file: the header, the entry with the two player names when `entry` is given,
// the main sequence and, depth first, every child sequence in slot order (a free slot as an empty
// sequence element), then the end mark. In the compact form a node that the 8 bytes cannot hold
// (a move-number step from the previous node outside 0..3, or flags above 15) is written in the
// ordinary form. Comments are kept whole (up to 16,383 characters).
std::vector<std::uint8_t> encodeGameFile(const RecordSequence& main, const GameInfo* entry, NodeForm form);

// What reading a game file gave.
struct GameFileRead {
    StoreReadStatus status = StoreReadStatus::Missing;
    std::unique_ptr<RecordSequence> main; // the record, not registered in any window's list
    std::optional<GameInfo> entry;        // the entry, when the file holds one
};

// Reads the bytes of a game file; both node forms are accepted in any order. Comments go into the
// sequences' comment stores. Afterwards a link whose child is missing has child slot 255 and no
// comment, and a record of two or more handicap stones has the number offset -1. Any damage
// (short read, unexpected mark, a limit of the record exceeded) gives no record.
GameFileRead decodeGameFile(std::span<const std::uint8_t> bytes);

// "Game%05d.dat".
std::string gameFileName(int number);

} // namespace stonewise
