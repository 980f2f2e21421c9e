#pragma once

#include <array>
#include <cstdint>

#include "board/BoardPoint.h"
#include "record/RecordNode.h"

namespace stonewise {

// Who owns each point of a finished position, estimated by playing it out many times: both sides
// play random legal moves that neither fill one of their own eyes nor put a chain of two or more
// stones into atari, until neither has such a move left; then each point belongs to the colour of
// its stone or to the one colour around it. Dead stones are captured in nearly every game, living
// groups and seki stay, and unclosed borders split by where the games settled them.
// Deterministic: the games follow a fixed seed.
class OwnershipPlayouts {
public:
    // Plays `games` games from the stones of `colours` (kEmpty, kBlack or kWhite by pointIndex) on
    // a board of `size` lines.
    void run(const std::array<std::uint8_t, kPointCount>& colours, int size, int games);

    // The share of games in which (x, y) ended black minus the share in which it ended white:
    // +1 always black, −1 always white, near 0 contested or neutral.
    double blackShare(int x, int y) const;

private:
    std::array<std::int32_t, kPointCount> m_balance{}; // black endings − white endings
    int m_games = 0;
};

} // namespace stonewise
