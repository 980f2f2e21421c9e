#pragma once

#include <array>
#include <optional>
#include <vector>

#include "store/StoreMessage.h"

namespace stonewise {

// The board a situation belongs to: the main board or the study board beside it.
enum class HelpBoard { Study = 0, Main = 1 };

// What the user is doing, for F1: the topic and sub-topic of its help, and whether the help
// window was hidden when it began.
struct HelpSituation {
    int topic = -1;
    int subTopic = -1;
    bool helpWasHidden = true;

    bool operator==(const HelpSituation&) const = default;
};

// The situations of the two boards, each a stack of at most five: entering a dialog or a mode
// pushes its situation, leaving pops it.
class SituationStacks {
public:
    static constexpr std::size_t kDepth = 5;

    // Pushes a situation; on a full stack nothing is pushed and the storage-limit message is left.
    bool push(HelpBoard board, const HelpSituation& situation, StoreMessages& messages);
    // Pops the top situation when its topic is `topic`; nothing changes (and nothing is given)
    // otherwise.
    std::optional<HelpSituation> pop(HelpBoard board, int topic);
    // The top situation; nothing when the stack is empty.
    std::optional<HelpSituation> top(HelpBoard board) const;
    std::size_t depth(HelpBoard board) const { return stack(board).size(); }

private:
    std::vector<HelpSituation>& stack(HelpBoard board) { return m_stacks[static_cast<std::size_t>(board)]; }
    const std::vector<HelpSituation>& stack(HelpBoard board) const { return m_stacks[static_cast<std::size_t>(board)]; }
    std::array<std::vector<HelpSituation>, 2> m_stacks;
};

} // namespace stonewise
