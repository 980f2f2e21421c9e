#pragma once

#include <functional>
#include <string>

namespace stonewise {

struct GameInfo;
class StringTable;

// The handicap and komi line of the information panel: "置碁 %d子" for more than one handicap stone,
// then (after "、 " when both are shown) "コミ %s" with the komi text of the komi lists (whole points
// when `komiWhole`), or "ハンディ無し" with neither. Texts from `strings`, null: the interface language.
std::u16string handicapKomiText(int handicap, float komi, bool komiWhole, const StringTable* strings = nullptr);

// "アゲハマ　%3d": the prisoners a player has taken.
std::u16string prisonersText(int count, const StringTable* strings = nullptr);

// Which of the two turn indicators ("白 ", "黒 ") is enabled for a move number: white for even
// numbers, black for odd ones.
struct TurnIndicators {
    bool white = false;
    bool black = false;
};
TurnIndicators turnIndicators(int moveNumber);

// How the information panel writes a game.
struct InfoPanelOptions {
    bool komiWhole = false;               // "コミを整数で表示する"
    const StringTable* strings = nullptr; // null: the interface language
    // The name of a member number, used when the header carries no name; null: no lookup.
    std::function<std::u16string(int member)> memberName;
};

// The texts of the information panel for a game; all empty without a game.
struct InfoPanelTexts {
    std::u16string whiteName;
    std::u16string blackName;
    std::u16string handicapKomi;
};
InfoPanelTexts infoPanelTexts(const GameInfo* info, const InfoPanelOptions& options);

} // namespace stonewise
