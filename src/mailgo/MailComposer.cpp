#include "mailgo/MailComposer.h"

#include <algorithm>

#include "mailgo/MailVocabulary.h"
#include "record/GameInfo.h"
#include "record/RecordSequence.h"
#include "record/StringTable.h"
#include "record/Text.h"

namespace stonewise {

namespace {

constexpr std::size_t kWholeComment = 32;
constexpr std::size_t kRestLine = 48;
// Room for the lines: 100 characters a move; the ending has a reserve of its own beyond it.
constexpr int kCharsPerMove = 100;

std::u16string text(int id) { return std::u16string(StringTable::lookup(nullptr, id).value_or(u"")); }

bool isBreak(char16_t c) { return c == u'\r' || c == u'\n'; }

// Skips one line break (CR LF, CR or LF) at `i`.
std::size_t afterBreak(std::u16string_view s, std::size_t i) {
    if (s[i] == u'\r' && i + 1 < s.size() && s[i + 1] == u'\n') return i + 2;
    return i + 1;
}

std::u16string_view trimBreaks(std::u16string_view s) {
    while (!s.empty() && isBreak(s.back())) s.remove_suffix(1);
    while (!s.empty() && isBreak(s.front())) s.remove_prefix(1);
    return s;
}

// Builds the lines of one text; joins them with the line end at the end.
class LineWriter {
public:
    LineWriter(bool bodyMode, std::size_t limit) : m_bodyMode(bodyMode), m_limit(limit) {}
    // Adds the lines when they fit within the buffer; false (nothing added) when not.
    bool add(const std::vector<std::u16string>& lines) {
        std::u16string piece;
        for (const auto& line : lines) piece += encoded(line) + lineEnd();
        if (m_text.size() + piece.size() > m_limit) return false;
        m_text += piece;
        return true;
    }
    std::u16string finish() const { return m_text + (m_bodyMode ? u" %0d%0a" : u"\n"); }

private:
    std::u16string lineEnd() const { return m_bodyMode ? u"%0d%0a" : u"\n"; }
    std::u16string encoded(const std::u16string& line) const {
        if (!m_bodyMode) return line;
        const std::string ascii = percentEncode(line);
        return std::u16string(ascii.begin(), ascii.end());
    }
    bool m_bodyMode;
    std::size_t m_limit;
    std::u16string m_text;
};

bool beginsWithGameHeading(std::u16string_view name) {
    return name.starts_with(MailVocabulary::japanese().gameHeading) ||
           name.starts_with(MailVocabulary::english().gameHeading);
}

std::u16string headingLine(const GameInfo& info, const MailVocabulary& words, const MailSettings& settings) {
    const bool english = (info.flags & kGameFlagEnglishMail) != 0;
    if (!english && (beginsWithGameHeading(info.name) || matchesTitlePattern(info.name, settings.titlePattern)))
        return info.name;
    return formatText(u"%s %s", {words.gameHeading, info.name});
}

std::u16string settingsLine(const GameInfo& info, const MailVocabulary& words, const MailComposeRequest& r) {
    return formatText(u"%s %s,%s,%d,%0.1f,%d",
                      {words.settingsHeading, r.whiteName, r.blackName, static_cast<int>(info.handicap),
                       static_cast<double>(info.komi), info.boardSize()});
}

// A move line and the rest lines of its comment.
std::vector<std::u16string> moveLines(const RecordNode& n, int sentNumber, std::u16string_view comment,
                                      const MailVocabulary& words, NumberStyle style, bool bodyMode) {
    std::u16string point;
    int digits = 2;
    if (n.hasPoint()) {
        point = mailPoint(n.x, n.y, style);
        digits = decimalDigits(n.x + 1) + decimalDigits(n.y + 1);
    } else {
        point = words.pass;
    }
    SplitComment split = splitMailComment(comment, bodyMode);
    std::vector<std::u16string> lines{
        formatText(words.moveLine, {mailMoveNumber(sentNumber, style), point, mailPadding(digits, style), split.head})};
    for (auto& line : split.rest) lines.push_back(std::move(line));
    return lines;
}

std::u16string studyHeading(const GameInfo& info, const RecordSequence& study, const MailVocabulary& words) {
    int after = study.firstMoveNumber();
    std::u16string heading = text(53000);
    if (study.kind() == kBranch) {
        heading = words.branchHeading;
        after -= 1;
    } else if (study.kind() == kReference) {
        heading = words.referenceHeading;
    }
    if (info.handicap > 1) after -= 1;
    return formatText(u"%s %d", {heading, after});
}

} // namespace

NumberStyle mailNumberStyle(const GameInfo& info, bool japaneseInterface) {
    return japaneseInterface && (info.flags & kGameFlagEnglishMail) == 0 ? NumberStyle::Japanese : NumberStyle::Ascii;
}

bool usesBodyMode(const MailSettings& settings, MailPurpose purpose, bool forCloud) {
    return purpose == MailPurpose::NextMove && settings.bodyStyle == 2 && settings.maximumMoves <= 20 && !forCloud;
}

SplitComment splitMailComment(std::u16string_view comment, bool bodyMode) {
    comment = trimBreaks(comment);
    SplitComment split;
    const std::size_t firstBreak = std::min(comment.find_first_of(u"\r\n"), comment.size());
    if (firstBreak == comment.size() && comment.size() <= kWholeComment) {
        split.head = comment;
        return split;
    }
    std::size_t rest = 0;
    if (firstBreak <= kWholeComment) {
        split.head = comment.substr(0, firstBreak);
        if (!bodyMode) split.head += u"\\r";
        rest = afterBreak(comment, firstBreak);
    } else {
        split.head = comment.substr(0, kWholeComment);
        if (!bodyMode) split.head += u"\\";
        rest = kWholeComment;
    }
    if (bodyMode) return split;
    std::u16string line;
    for (std::size_t i = rest; i < comment.size();) {
        if (isBreak(comment[i])) {
            split.rest.push_back(line + u"\\r");
            line.clear();
            i = afterBreak(comment, i);
            continue;
        }
        if (line.size() == kRestLine) {
            split.rest.push_back(line + u"\\");
            line.clear();
        }
        line += comment[i++];
    }
    split.rest.push_back(line);
    return split;
}

MailText composeMailText(const GameInfo& info, const RecordSequence& main, const RecordSequence* study,
                         const MailComposeRequest& r) {
    const MailVocabulary words = MailVocabulary::forGame(info);
    const NumberStyle style = mailNumberStyle(info, r.japaneseInterface);
    const bool nextMove = r.purpose == MailPurpose::NextMove || !study;
    MailText result;
    result.bodyMode = !r.plainText && usesBodyMode(r.settings, r.purpose, r.forCloud);
    int maximum = std::max(1, r.settings.maximumMoves);
    if (r.forCloud) maximum = std::max(maximum, 100);
    const int studyNodes = study && !nextMove ? study->nodeCount() : 0;
    const int movesRoom = std::max({maximum, studyNodes, 20});
    LineWriter out(result.bodyMode, static_cast<std::size_t>(kCharsPerMove * movesRoom));
    const bool shifted = info.handicap > 1;
    const int shift = shifted ? 1 : 0;

    out.add({headingLine(info, words, r.settings)});
    const auto addMoves = [&](const RecordSequence& s, int first, int last, bool comments) {
        for (const RecordNode& n : s.nodes()) {
            if (!n.isMoveOrPass() || n.moveNumber < first || n.moveNumber > last) continue;
            const std::u16string_view comment = comments ? s.commentOf(n) : std::u16string_view{};
            if (!out.add(moveLines(n, n.moveNumber - shift, comment, words, style, result.bodyMode))) break;
            if (result.moveLines++ == 0) result.firstMove = n.moveNumber;
            result.lastMove = n.moveNumber;
        }
    };

    if (!nextMove) {
        out.add({studyHeading(info, *study, words)});
        addMoves(*study, 0, 0x7fff, true);
        result.text = out.finish();
        return result;
    }
    const int last = r.lastMove >= 0 ? r.lastMove : main.lastMoveNumber();
    if (shifted && main.lastMoveNumber() < 2) {
        out.add({settingsLine(info, words, r)});
        for (const RecordNode& n : main.nodes())
            if (n.type == NodeType::BlackMove && n.moveNumber == 1) out.add({u"SB " + mailPoint(n.x, n.y, style)});
        result.text = out.finish();
        return result;
    }
    if (last == (shifted ? 2 : 1)) out.add({settingsLine(info, words, r)});
    int first = std::max(1, last - maximum + 1);
    if (shifted && first == 1) first = 2;
    addMoves(main, first, last, !r.settings.withholdComments);
    result.text = out.finish();
    return result;
}

SendDecision decideSend(const SendCheckInput& in) {
    SendDecision d;
    d.lastMoveToSend = in.lastMove;
    d.newOwnMoveMark = in.lastMove;
    if (in.plainText) return d;
    const int shown = in.lastMove - (in.handicap > 1 ? 1 : 0);
    if (!in.haveOpponent && !in.forCloud) {
        d.refused = true;
        d.messageId = 53002;
        d.message = std::u16string(uiText(53002));
        return d;
    }
    const auto question = [&](int id, std::u16string body, bool moveBefore) {
        d.questions.push_back({id, std::move(body), 53001, std::u16string(uiText(53001)), moveBefore});
    };
    if (in.lastMove == in.ownMoveMark) {
        question(11212, formatText(uiText(11212), {shown}), false);
        d.repeat = true;
    }
    const bool usersMove = (colourOfMove(in.lastMove) == kBlack) == in.userIsBlack;
    if (!usersMove) {
        question(11213, formatText(uiText(11213), {shown}), true);
        d.lastMoveToSend = in.lastMove - 1;
    }
    if (in.lastExchangedMove > 0 && d.lastMoveToSend != in.lastExchangedMove + 1)
        question(53003, std::u16string(uiText(53003)), false);
    return d;
}

std::u16string mailSubject(MailPurpose purpose, std::u16string_view gameComment, bool nameInSubject,
                           std::u16string_view userName) {
    std::u16string word(gameComment.empty() ? uiText(purpose == MailPurpose::NextMove ? 14005 : 14006) : gameComment);
    if (!nameInSubject) return word;
    const std::size_t blank = userName.find_first_of(u" \u3000");
    return formatText(uiText(14007), {userName.substr(0, blank), word});
}

std::u16string mailBody(MailPurpose purpose, const MailSettings& settings, const MailText& bodyModeText) {
    if (purpose != MailPurpose::NextMove) return {};
    if (bodyModeText.bodyMode) return bodyModeText.text;
    if (settings.bodyStyle == 1 || settings.bodyStyle == 2) return std::u16string(uiText(14009));
    return {};
}

std::string percentEncode(std::u16string_view textIn) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string out;
    for (unsigned char c : toUtf8(textIn)) {
        if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '.' ||
            c == '_' || c == '~') {
            out += static_cast<char>(c);
        } else {
            out += '%';
            out += kHex[c >> 4];
            out += kHex[c & 15];
        }
    }
    return out;
}

std::string mailtoUrl(std::u16string_view address, std::u16string_view subject, std::u16string_view body,
                      bool bodyMode) {
    return "mailto:" + toUtf8(address) + "?Subject=" + percentEncode(subject) +
           "&body=" + (bodyMode ? toUtf8(body) : percentEncode(body));
}

} // namespace stonewise
