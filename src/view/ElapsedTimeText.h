#pragma once

#include <string>

namespace stonewise {

class RecordSequence;

// The time a player took, as the move list writes it: "%d日 " for whole days, then "%d:" for the
// hours when there are days or hours, then "%02d:%02d" after hours or "%d:%02d" (3,725 seconds →
// "1:02:05", 65 → "1:05"). Negative values count as 0.
std::u16string elapsedListText(long seconds);

// The time as the comment panel writes it: "%2d:%02d:%02d" (3,725 seconds → " 1:02:05").
// Negative values count as 0.
std::u16string elapsedPanelText(long seconds);

// The move list's header of a sequence's elapsed totals (moves from its first to its last move
// number; odd numbers black): "経過時間(概算)： 白＝" + white total + " 黒＝" + black total, each
// in the move list's time format.
std::u16string elapsedTotalsText(const RecordSequence& sequence);

// Whether the move list shows elapsed times: the display setting is on and the window works in
// Mail Go (1), finished Mail Go (2), play and record (16) or finished games (32).
bool elapsedShownInMoveList(bool setting, int mode);

} // namespace stonewise
