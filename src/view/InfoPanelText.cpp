#include "view/InfoPanelText.h"

#include "record/GameInfo.h"
#include "record/GameInfoText.h"
#include "view/PanelStrings.h"

namespace stonewise {

std::u16string handicapKomiText(int handicap, float komi, bool komiWhole, const StringTable* strings) {
    std::u16string text;
    if (handicap > 1) {
        text = panelText(strings, kStrHandicapStones, {handicap});
        // The separator stands wherever a komi text follows, reverse komi included.
        if (komi != 0.0f) text += panelText(strings, kStrHandicapKomiSeparator);
    }
    if (komi != 0.0f) text += panelText(strings, kStrKomi, {komiText(komi, komiWhole)});
    if (handicap == 0 && komi == 0.0f) text = panelText(strings, kStrNoHandicap);
    return text;
}

std::u16string prisonersText(int count, const StringTable* strings) {
    return panelText(strings, kStrPrisoners, {count});
}

TurnIndicators turnIndicators(int moveNumber) {
    const bool even = moveNumber % 2 == 0;
    return {even, !even};
}

InfoPanelTexts infoPanelTexts(const GameInfo* info, const InfoPanelOptions& options) {
    InfoPanelTexts texts;
    if (!info) return texts;
    texts.whiteName = info->whiteName;
    texts.blackName = info->blackName;
    if (texts.whiteName.empty() && options.memberName) texts.whiteName = options.memberName(info->whitePlayer);
    if (texts.blackName.empty() && options.memberName) texts.blackName = options.memberName(info->blackPlayer);
    texts.handicapKomi = handicapKomiText(info->handicap, info->komi, options.komiWhole, options.strings);
    return texts;
}

} // namespace stonewise
