#include "help/SituationStacks.h"

#include "help/HelpStrings.h"
#include "record/StringTable.h"
#include "record/Text.h"

namespace stonewise {

bool SituationStacks::push(HelpBoard board, const HelpSituation& situation, StoreMessages& messages) {
    std::vector<HelpSituation>& s = stack(board);
    if (s.size() >= kDepth) {
        messages.push_back({formatText(uiText(kStrHelpStackFull), {static_cast<int>(board)}),
                            std::u16string(uiText(kStrHelpStackTitle))});
        return false;
    }
    s.push_back(situation);
    return true;
}

std::optional<HelpSituation> SituationStacks::pop(HelpBoard board, int topic) {
    std::vector<HelpSituation>& s = stack(board);
    if (s.empty() || s.back().topic != topic) return std::nullopt;
    const HelpSituation top = s.back();
    s.pop_back();
    return top;
}

std::optional<HelpSituation> SituationStacks::top(HelpBoard board) const {
    const std::vector<HelpSituation>& s = stack(board);
    if (s.empty()) return std::nullopt;
    return s.back();
}

} // namespace stonewise
