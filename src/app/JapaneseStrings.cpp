// The program's numbered texts in Japanese, compiled in.
#include "app/StringTable.h"

namespace stonewise {

std::vector<StringTable::Entry> japaneseStringEntries() {
    return {
        {103, u"Stonewise"},
        {10002, u"白"},
        {10003, u"黒"},
        {11206, u"棋譜の変更を元に戻す"},
        {11207, u"棋譜を元の状態に戻しても良いですか\n元に戻すと現在の状態を復元することは出来ません。"},
        {11401, u"開いている対局は保護されています。検討するには「検討ウインドウ」を開いて下さい。"},
        {11600, u"禁じ手です。"},
        {11601, u"劫取りの禁じ手です。"},
        {11605, u"既に石が置かれている位置に石を置こうとしています。 %d手 %d, %d"},
    };
}

} // namespace stonewise
