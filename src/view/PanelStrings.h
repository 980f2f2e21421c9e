#pragma once

#include <initializer_list>
#include <string>

#include "record/Text.h"

namespace stonewise {

class StringTable;

// Numbers of the texts the information panel, the move list and the comment panel show.
enum PanelStringId : int {
    kStrHandicapStones = 12600,        // "置碁 %d子"
    kStrKomi = 12601,                  // "コミ %s"
    kStrNoHandicap = 12602,            // "ハンディ無し"
    kStrPrisoners = 12603,             // "アゲハマ　%3d"
    kStrBranchNode = 13000,            // "分岐"
    kStrReferenceNode = 13001,         // "参考手順"
    kStrCommentHeading = 13002,        // "%s%d手　%s\r\n"
    kStrMainRecordLine = 13003,        // "%3d : 【主棋譜】"
    kStrBranchHeading = 13004,         // "【分岐】"
    kStrReferenceHeading = 13005,      // "【参考図】"
    kStrPassLine = 13007,              // "%3d　（パス）　%s"
    kStrMarkLine = 13008,              // "マーク　（%s，%s）"
    kStrMoveLine = 20610,              // "%3d　（%s，%s）　%s": number, column, row, comment or time
    kStrBranchMoveLine = 20611,        // "%3d : %d　（%s，%s）　%s": the same with the move's place in its branch
    kStrHandicapKomiSeparator = 20612, // "、 " between the handicap and the komi
};

// The text of a numbered string from `strings` (null: the interface language), else from the
// Japanese table, else empty.
std::u16string panelText(const StringTable* strings, int id);
// The same, formatted with printf-style arguments and cut at `maxLength` characters.
std::u16string panelText(const StringTable* strings, int id, std::initializer_list<FormatArg> args,
                         std::size_t maxLength = 1024);

} // namespace stonewise
