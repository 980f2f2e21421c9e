#pragma once

#include <string>
#include <vector>

#include "board/BoardPosition.h"

namespace stonewise {

// A position from rows of 'X' (black), 'O' (white) and '.', top row first; stones get move numbers
// 1, 2, … in reading order, so their colours need not follow parity.
inline BoardPosition positionFrom(const std::vector<std::string>& rows, int lines = 19) {
    BoardPosition pos;
    pos.setSize(lines);
    int n = 0;
    for (int y = 0; y < static_cast<int>(rows.size()); ++y)
        for (int x = 0; x < static_cast<int>(rows[static_cast<std::size_t>(y)].size()); ++x) {
            const char c = rows[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)];
            if (c != 'X' && c != 'O') continue;
            BoardPoint p = pos.at(x, y);
            p.colour = c == 'X' ? kBlack : kWhite;
            p.moveNumber = static_cast<std::uint16_t>(++n);
            pos.setPoint(p);
        }
    return pos;
}

} // namespace stonewise
