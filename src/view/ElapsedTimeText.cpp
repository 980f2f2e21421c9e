#include "view/ElapsedTimeText.h"

#include "record/RecordSequence.h"
#include "record/StringTable.h"
#include "record/Text.h"

namespace stonewise {

std::u16string elapsedListText(long seconds) {
    if (seconds < 0) seconds = 0;
    const long days = seconds / 86400;
    const long hours = seconds / 3600 % 24;
    const long minutes = seconds / 60 % 60;
    const long secs = seconds % 60;
    std::u16string text;
    if (days > 0) text += formatText(uiText(20603), {days});
    if (days > 0 || hours > 0) {
        text += formatText(u"%d:", {hours});
        text += formatText(u"%02d:%02d", {minutes, secs});
    } else {
        text += formatText(u"%d:%02d", {minutes, secs});
    }
    return text;
}

std::u16string elapsedPanelText(long seconds) {
    if (seconds < 0) seconds = 0;
    return formatText(u"%2d:%02d:%02d", {seconds / 3600, seconds / 60 % 60, seconds % 60});
}

std::u16string elapsedTotalsText(const RecordSequence& sequence) {
    const RecordSequence::ElapsedTotals totals = sequence.elapsedTotals();
    return formatText(uiText(20604), {elapsedListText(totals.white), elapsedListText(totals.black)});
}

bool elapsedShownInMoveList(bool setting, int mode) {
    return setting && (mode == 1 || mode == 2 || mode == 16 || mode == 32);
}

} // namespace stonewise
