#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "store/StoreMessage.h"

namespace stonewise {

class HelpIndex;

// The support-site button of a topic: "?=" explains on the support site, "?>" leads to the
// detailed help there.
enum class HelpSupportLink { None, Explanation, Detailed };

// One of a topic's command buttons ("<?" name=target, …): it shows another topic or sends a
// program command to the main window.
struct HelpCommandButton {
    std::u16string name;
    int programCommand = 0;           // a command id below 40000, or 0
    std::optional<std::size_t> entry; // the index entry of the topic it shows

    bool operator==(const HelpCommandButton&) const = default;
};

// A topic as the help window shows it: the text up to the first directive line and what the
// directives ask for.
struct HelpTopicPage {
    std::u16string text;
    HelpSupportLink support = HelpSupportLink::None;
    std::u16string supportToken;
    std::optional<int> picture; // "?:" number of the picture file
    std::u16string pictureCaption;
    std::vector<HelpCommandButton> commands; // at most three
};

// The most command buttons a topic shows.
inline constexpr std::size_t kMaxHelpCommands = 3;

// Reads a topic's body: its text, support link, picture and command buttons. A malformed command
// or a link to a topic the index lacks leaves a message (captioned "ヘルプ") and gives no button.
HelpTopicPage readHelpTopic(std::u16string_view body, const HelpIndex& index, StoreMessages& messages);

// The support site's page for a link token ("$APL" stands for the program's name).
std::string helpSupportAddress(std::u16string_view token);

} // namespace stonewise
