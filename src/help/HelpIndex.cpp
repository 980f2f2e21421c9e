#include "help/HelpIndex.h"

#include "help/HelpStrings.h"
#include "record/StringTable.h"
#include "record/Text.h"

namespace stonewise {

namespace {

constexpr std::size_t kHeaderSize = 20;
constexpr std::size_t kEntrySize = 24;
constexpr std::size_t kMaxHeading = 127; // so that a heading always fits while 128 units are left

bool isLineBreak(char16_t c) { return c == u'\r' || c == u'\n'; }
bool isBlank(char16_t c) { return c == u' ' || c == u'\t' || c == u'\u3000'; }
bool isDigit(char16_t c) { return c >= u'0' && c <= u'9'; }
bool isNameStart(char16_t c) { return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') || c == u'_'; }

// Editions: this program is edition 1, which takes the topics of every edition ("C") and of
// editions 1 and 2 ("A").
bool countsForThisEdition(char16_t letter) { return letter == u'C' || letter == u'A'; }

void say(StoreMessages& messages, std::u16string text) {
    messages.push_back({std::move(text), std::u16string(uiText(kStrHelpTitle))});
}

std::size_t lineEnd(std::u16string_view text, std::size_t from) {
    while (from < text.size() && !isLineBreak(text[from])) ++from;
    return from;
}
std::size_t nextLine(std::u16string_view text, std::size_t from) {
    from = lineEnd(text, from);
    if (from < text.size() && text[from] == u'\r') ++from;
    if (from < text.size() && text[from] == u'\n') ++from;
    return from;
}
bool endsBody(std::u16string_view text, std::size_t line) {
    return line >= text.size() || text[line] == u'[' || text.substr(line, 2) == u"//";
}

struct TopicLine {
    char16_t edition = 0;
    int level = 0;
    std::int32_t topic = 0;
    std::u16string_view heading;
};

// Parses "[E?L?NUMBER] heading" at `at`; a message and nothing when its number is missing.
std::optional<TopicLine> parseTopicLine(std::u16string_view line, std::size_t at, StoreMessages& messages) {
    TopicLine t;
    std::size_t i = 6;
    if (line.size() < 6 || !isDigit(line[3])) {
        say(messages, formatText(uiText(kStrHelpNoId), {static_cast<long long>(at)}));
        return std::nullopt;
    }
    t.edition = line[1];
    t.level = line[3] - u'0';
    if (isNameStart(line[5])) {
        std::size_t end = 5;
        while (end < line.size() && line[end] != u']' && !isBlank(line[end])) ++end;
        say(messages, formatText(uiText(kStrHelpNoSymbol), {line.substr(5, end - 5)}));
        return std::nullopt;
    }
    long long number = 0;
    i = 5;
    for (; i < line.size() && isDigit(line[i]) && number < 100000000; ++i) number = number * 10 + (line[i] - u'0');
    if (i == 5 || i >= line.size() || line[i] != u']') {
        say(messages, formatText(uiText(kStrHelpNoId), {static_cast<long long>(at)}));
        return std::nullopt;
    }
    t.topic = static_cast<std::int32_t>(number);
    ++i;
    while (i < line.size() && isBlank(line[i])) ++i;
    t.heading = line.substr(i, kMaxHeading);
    return t;
}

void put16(std::vector<std::uint8_t>& out, std::uint32_t v) {
    out.push_back(static_cast<std::uint8_t>(v));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
}
void put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    put16(out, v & 0xFFFF);
    put16(out, v >> 16);
}
std::uint32_t get16(std::span<const std::uint8_t> b, std::size_t at) {
    return static_cast<std::uint32_t>(b[at] | (b[at + 1] << 8));
}
std::uint32_t get32(std::span<const std::uint8_t> b, std::size_t at) { return get16(b, at) | (get16(b, at + 2) << 16); }

} // namespace

HelpIndex HelpIndex::build(std::u16string_view text, StoreMessages& messages) {
    HelpIndex index;
    std::size_t line = text.empty() ? 0 : 1; // past the byte-order mark
    while (line < text.size()) {
        if (text[line] != u'[') {
            line = nextLine(text, line);
            continue;
        }
        const std::size_t end = lineEnd(text, line);
        const auto topic = parseTopicLine(text.substr(line, end - line), line, messages);
        // The body: past the line breaks, up to a line that starts with "[" or "//".
        std::size_t body = end;
        while (body < text.size() && isLineBreak(text[body])) ++body;
        std::size_t next = body;
        while (!endsBody(text, next)) next = nextLine(text, next);
        line = next;
        if (!topic || !countsForThisEdition(topic->edition)) continue;
        if (index.m_entries.size() >= kMaxEntries) {
            say(messages, formatText(uiText(kStrHelpTableFull), {static_cast<long long>(line)}));
            break;
        }
        if (kHeadingCapacity - index.m_headings.size() < 128) {
            say(messages, std::u16string(uiText(kStrHelpHeadingsFull)));
            break;
        }
        HelpIndexEntry entry;
        entry.number = static_cast<std::uint16_t>(index.m_entries.size());
        entry.level = static_cast<std::uint8_t>(topic->level);
        entry.topic = topic->topic;
        if (!topic->heading.empty()) {
            entry.heading = static_cast<std::uint32_t>(index.m_headings.size());
            index.m_headings.append(topic->heading);
            index.m_headings.push_back(u'\0');
        }
        entry.body = static_cast<std::uint32_t>(body);
        entry.bodyLength = static_cast<std::uint32_t>(next - body);
        index.m_entries.push_back(entry);
    }
    return index;
}

std::optional<HelpIndex> HelpIndex::read(std::span<const std::uint8_t> bytes, int release, std::uint64_t fileTime,
                                         std::size_t textLength) {
    if (bytes.size() < kHeaderSize || get16(bytes, 0) != kFileMark) return std::nullopt;
    if (get16(bytes, 2) != (static_cast<std::uint32_t>(release) & 0xFFFF) ||
        get32(bytes, 4) != static_cast<std::uint32_t>(fileTime) ||
        get32(bytes, 8) != static_cast<std::uint32_t>(fileTime >> 32))
        return std::nullopt;
    const std::size_t count = get32(bytes, 12);
    const std::size_t headingLength = get32(bytes, 16);
    if (count > kMaxEntries || headingLength < 1 || headingLength > kHeadingCapacity ||
        bytes.size() != kHeaderSize + count * kEntrySize + headingLength * 2)
        return std::nullopt;
    HelpIndex index;
    index.m_headings.resize(headingLength);
    const std::size_t headingsAt = kHeaderSize + count * kEntrySize;
    for (std::size_t i = 0; i < headingLength; ++i)
        index.m_headings[i] = static_cast<char16_t>(get16(bytes, headingsAt + 2 * i));
    if (index.m_headings.front() != u'\0' || index.m_headings.back() != u'\0') return std::nullopt;
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t at = kHeaderSize + i * kEntrySize;
        HelpIndexEntry e;
        e.number = static_cast<std::uint16_t>(get16(bytes, at));
        e.level = bytes[at + 2];
        e.topic = static_cast<std::int32_t>(get32(bytes, at + 4));
        e.heading = get32(bytes, at + 8);
        e.body = get32(bytes, at + 12);
        e.bodyLength = get32(bytes, at + 16);
        if (e.number != i || e.level > 9 || e.heading >= headingLength || e.body > textLength ||
            e.bodyLength > textLength - e.body)
            return std::nullopt;
        index.m_entries.push_back(e);
    }
    return index;
}

std::vector<std::uint8_t> HelpIndex::write(int release, std::uint64_t fileTime) const {
    std::vector<std::uint8_t> out;
    out.reserve(kHeaderSize + m_entries.size() * kEntrySize + m_headings.size() * 2);
    put16(out, kFileMark);
    put16(out, static_cast<std::uint32_t>(release) & 0xFFFF);
    put32(out, static_cast<std::uint32_t>(fileTime));
    put32(out, static_cast<std::uint32_t>(fileTime >> 32));
    put32(out, static_cast<std::uint32_t>(m_entries.size()));
    put32(out, static_cast<std::uint32_t>(m_headings.size()));
    for (const HelpIndexEntry& e : m_entries) {
        put16(out, e.number);
        out.push_back(e.level);
        out.push_back(0);
        put32(out, static_cast<std::uint32_t>(e.topic));
        put32(out, e.heading);
        put32(out, e.body);
        put32(out, e.bodyLength);
        put32(out, 0);
    }
    for (char16_t c : m_headings) put16(out, c);
    return out;
}

std::u16string_view HelpIndex::heading(const HelpIndexEntry& entry) const {
    if (entry.heading == 0 || entry.heading >= m_headings.size()) return {};
    const std::u16string_view rest = std::u16string_view(m_headings).substr(entry.heading);
    return rest.substr(0, rest.find(u'\0'));
}

std::optional<std::size_t> HelpIndex::find(int topic, int sub, int subSub) const {
    if (topic < 0 && sub < 0) return std::nullopt;
    bool inChapter = topic < 0;
    bool inSection = false;
    for (std::size_t i = 0; i < m_entries.size(); ++i) {
        const HelpIndexEntry& e = m_entries[i];
        if (e.level == 0) {
            inChapter = topic < 0 || e.topic == topic;
            inSection = false;
            if (inChapter && topic >= 0 && sub < 0) return i;
        } else if (e.level <= 6) {
            inSection = inChapter && sub >= 0 && e.topic == sub;
            if (inSection && subSub < 0) return i;
        } else if (inSection && e.topic == subSub) {
            return i;
        }
    }
    return sub < 0 ? findNumber(topic) : std::nullopt;
}

std::optional<std::size_t> HelpIndex::findNumber(int topic) const {
    for (std::size_t i = 0; i < m_entries.size(); ++i)
        if (m_entries[i].topic == topic) return i;
    return std::nullopt;
}

std::optional<std::size_t> HelpIndex::findHeading(std::u16string_view wanted) const {
    for (std::size_t i = 0; i < m_entries.size(); ++i)
        if (heading(m_entries[i]) == wanted) return i;
    return std::nullopt;
}

} // namespace stonewise
