#pragma once

#include "record/StringTable.h"

namespace stonewise {

// Numbers of the program's own texts that the core shows.
enum StringId : int {
    kStrProgramName = 103,         // the program's name
    kStrWhite = 10002,             // "白"
    kStrBlack = 10003,             // "黒"
    kStrRestoreTitle = 11206,      // "棋譜の変更を元に戻す"
    kStrRestoreQuestion = 11207,   // restore the record as stored?
    kStrProtectedGame = 11401,     // the open game is protected
    kStrIllegalMove = 11600,       // "禁じ手です。"
    kStrIllegalKo = 11601,         // "劫取りの禁じ手です。"
    kStrOccupiedInRebuild = 11605, // a move on an occupied point while rebuilding
    kStrMoveLabel = 20420,         // "%s%d": colour word and move number, as the dialogs show a move
    // The windows the desktop makes itself: an auto-closing notice and the free handicap panel.
    kStrClose = 25035,             // the notice's close button
    kStrFreeHandicapTitle = 25036, // the free handicap panel's title
    kStrFinish = 25037,            // its button that ends the placement
    kStrFreeHandicapCount = 25038, // "%d" handicap stones placed so far
};

} // namespace stonewise
