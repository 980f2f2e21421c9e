#include "help/HelpTopic.h"

#include "help/HelpIndex.h"
#include "help/HelpStrings.h"
#include "record/StringTable.h"
#include "record/Text.h"

namespace stonewise {

namespace {

constexpr const char* kSupportHelpAddress = "https://stonewise.example.org/support/help/";
constexpr int kFirstTopicCommand = 40000; // targets from here on are topic numbers

bool isBlank(char16_t c) { return c == u' ' || c == u'\t' || c == u'\u3000'; }
bool isDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

std::u16string_view trim(std::u16string_view s) {
    while (!s.empty() && isBlank(s.front())) s.remove_prefix(1);
    while (!s.empty() && (isBlank(s.back()) || s.back() == u'\r' || s.back() == u'\n')) s.remove_suffix(1);
    return s;
}

bool isDirective(std::u16string_view line) {
    return line.starts_with(u"?=") || line.starts_with(u"?>") || line.starts_with(u"?:") || line.starts_with(u"<?");
}

void say(StoreMessages& messages, int format, std::u16string_view line) {
    messages.push_back({formatText(uiText(format), {line}), std::u16string(uiText(kStrHelpTitle))});
}

// "?:" number [, caption].
void readPicture(std::u16string_view rest, HelpTopicPage& page) {
    rest = trim(rest);
    long long number = 0;
    std::size_t i = 0;
    for (; i < rest.size() && isDigit(rest[i]) && number < 1000000; ++i) number = number * 10 + (rest[i] - u'0');
    if (i == 0) return;
    page.picture = static_cast<int>(number);
    rest = trim(rest.substr(i));
    if (rest.starts_with(u',')) page.pictureCaption = std::u16string(trim(rest.substr(1)));
}

// "<?" name=target, name=target, … ">": fills the free command buttons.
void readCommands(std::u16string_view line, const HelpIndex& index, HelpTopicPage& page, StoreMessages& messages) {
    std::u16string_view rest = line.substr(2);
    while (!rest.empty() && page.commands.size() < kMaxHelpCommands) {
        rest = trim(rest);
        if (rest.empty() || rest.front() == u'>') return;
        const std::size_t equals = rest.find(u'=');
        const std::size_t itemEnd = rest.find_first_of(u",>");
        if (equals == std::u16string_view::npos || (itemEnd != std::u16string_view::npos && itemEnd < equals)) {
            say(messages, kStrHelpBadCommand, line);
            return;
        }
        HelpCommandButton button;
        button.name = std::u16string(trim(rest.substr(0, equals)));
        std::u16string_view target = trim(rest.substr(equals + 1));
        std::size_t end = 0;
        if (target.starts_with(u'#')) {
            end = target.find_first_of(u",>");
            const std::u16string_view heading =
                trim(target.substr(1, end == std::u16string_view::npos ? target.size() - 1 : end - 1));
            button.entry = index.findHeading(heading);
            if (!button.entry) {
                say(messages, kStrHelpBadLink, line);
                return;
            }
        } else {
            long long number = 0;
            while (end < target.size() && isDigit(target[end]) && number < 100000000)
                number = number * 10 + (target[end++] - u'0');
            const std::u16string_view after = trim(target.substr(end));
            if (end == 0 || number == 0 || after.empty() || (after.front() != u',' && after.front() != u'>')) {
                say(messages, kStrHelpBadCommand, line);
                return;
            }
            end = target.size() - after.size();
            if (number >= kFirstTopicCommand) {
                button.entry = index.findNumber(static_cast<int>(number));
                if (!button.entry) {
                    say(messages, kStrHelpBadLink, line);
                    return;
                }
            } else {
                button.programCommand = static_cast<int>(number);
            }
        }
        page.commands.push_back(std::move(button));
        if (end == std::u16string_view::npos || end >= target.size() || target[end] == u'>') return;
        rest = target.substr(end + 1);
    }
}

} // namespace

HelpTopicPage readHelpTopic(std::u16string_view body, const HelpIndex& index, StoreMessages& messages) {
    HelpTopicPage page;
    std::size_t textEnd = std::u16string_view::npos;
    std::size_t line = 0;
    while (line < body.size()) {
        std::size_t end = body.find_first_of(u"\r\n", line);
        if (end == std::u16string_view::npos) end = body.size();
        const std::u16string_view text = body.substr(line, end - line);
        if (isDirective(text)) {
            if (textEnd == std::u16string_view::npos) textEnd = line;
            if (text.starts_with(u"?=") || text.starts_with(u"?>")) {
                page.support = text[1] == u'=' ? HelpSupportLink::Explanation : HelpSupportLink::Detailed;
                page.supportToken = std::u16string(trim(text.substr(2)));
            } else if (text.starts_with(u"?:")) {
                readPicture(text.substr(2), page);
            } else {
                readCommands(text, index, page, messages);
            }
        }
        line = end;
        if (line < body.size() && body[line] == u'\r') ++line;
        if (line < body.size() && body[line] == u'\n') ++line;
    }
    std::u16string_view shown = body.substr(0, textEnd == std::u16string_view::npos ? body.size() : textEnd);
    while (!shown.empty() && (shown.back() == u'\r' || shown.back() == u'\n')) shown.remove_suffix(1);
    page.text = std::u16string(shown);
    return page;
}

std::string helpSupportAddress(std::u16string_view token) {
    std::string address = kSupportHelpAddress;
    const std::string t = toUtf8(token);
    for (std::size_t i = 0; i < t.size();) {
        if (t.compare(i, 4, "$APL") == 0) {
            address += "stonewise";
            i += 4;
            continue;
        }
        const unsigned char c = static_cast<unsigned char>(t[i++]);
        // Anything that is not plain in an address is escaped.
        if (c > 0x20 && c < 0x7F && c != '%' && c != '"' && c != '<' && c != '>' && c != '\\') {
            address += static_cast<char>(c);
        } else {
            static constexpr char kHex[] = "0123456789ABCDEF";
            address += '%';
            address += kHex[c >> 4];
            address += kHex[c & 15];
        }
    }
    return address;
}

} // namespace stonewise
