// English texts of the program's numbered strings: the language library for every interface
// language but Japanese.
#include "store/LanguageResources.h"

namespace {

const StonewiseLanguageString kStrings[] = {
    {103, u"Stonewise"},
    {10002, u"White"},
    {10003, u"Black"},
    {11206, u"Undo record changes"},
    {11207, u"Restore the record to its original state?\nThe current state cannot be recovered afterwards."},
    {11400, u"Sequence display finished"},
    {11400, u"Sequence display finished"},
    {11401, u"The open game is protected. To study it, open the \"Study window\"."},
    {11402, u"Group (%d) still holds games and cannot be deleted."},
    {11403, u"A group with games, or the current group, cannot be deleted."},
    {11600, u"Illegal move."},
    {11601, u"Illegal ko recapture."},
    {11602, u"No information found for game (%d)."},
    {11603, u"Reading the game data failed."},
    {11605, u"A stone is being placed on an occupied point. Move %d at %d, %d"},
    {11606, u"Read File"},
    {11607, u"Reading the settings file failed.\r\nThe file is of an incompatible version."},
    {11608, u"Reading the group file failed.\r\nThe file is of an incompatible version."},
    {11609, u"Reading the member file failed.\r\nThe file is of an incompatible version."},
    {11610, u"Reading the game list file failed.\r\nThe file is of an incompatible version."},
    {11611, u"Reading the game record data file failed.\r\nThe file is of an incompatible version."},
    {11612, u"Reading the search key file failed.\r\nThe file is of an incompatible version."},
    {11800, u"Copy Game"},
    {11801, u"Copying the game failed."},
    {11802, u"Move Game"},
    {11803, u"Moving the game failed."},
    {12400, u"Unknown"},
    {12500, u"Game *"},
    {12600, u"Handicap %d stones"},
    {12601, u"Komi %s"},
    {12602, u"No handicap"},
    {12603, u"Prisoners %3d"},
    {13000, u"Branch"},
    {13001, u"Reference"},
    {13002, u"%s move %d  %s\r\n"},
    {13003, u"%3d : [Main record]"},
    {13004, u"[Branch]"},
    {13005, u"[Reference]"},
    {13007, u"%3d  (pass)  %s"},
    {13008, u"Mark  (%s, %s)"},
    {17012, u"Mail Go"},
    {17013, u"Play and Record"},
    {17014, u"Game Viewing"},
    {17015, u"Finished Mail Go Games"},
    {17016, u"Finished Games"},
    {17019, u"Problems"},
    {27000, u"This game record is on a %s board. Only 19x19 and 13x13 game records can be read."},
    {27001, u"The following went beyond the limits of a game record and was left out."},
    {27002, u"- moves, stones and marks beyond 1,024 in one line: %d"},
    {27003, u"- labels beyond 50 in one line: %d"},
    {27004, u"- variations beyond 255 at one point, or nested deeper than 255 levels: %d"},
    {27005, u"- comments that did not fit: %d"},
    {27006, u"- points cleared of stones (AE): %d"},
    {27007, u"This file holds %d games. The first game was opened."},
    {27008, u"Part of this game record was left out when it was read. Saving writes the reduced record."},
    {27009, u"- player-to-move marks (PL) after the start: %d"},
};

} // namespace

extern "C" [[gnu::visibility("default")]] const StonewiseLanguageResources stonewiseLanguageResources = {
    STONEWISE_LANGUAGE_MAGIC, STONEWISE_LANGUAGE_VERSION, "English",
    static_cast<uint32_t>(sizeof kStrings / sizeof kStrings[0]), kStrings};

// The resource instance of this library: its block of texts.
extern "C" [[gnu::visibility("default")]] const void* DllGetInstanceHandle(void) {
    return &stonewiseLanguageResources;
}
