#include "mailgo/MailReader.h"

#include <algorithm>

#include "board/BoardNavigation.h"
#include "board/BoardPosition.h"
#include "board/PositionRebuild.h"
#include "mailgo/MailTextFormat.h"
#include "mailgo/MailVocabulary.h"
#include "record/GameRecord.h"
#include "record/StringTable.h"
#include "record/Text.h"

namespace stonewise {

namespace {

constexpr std::size_t kLongestComment = 1023;
constexpr std::size_t kLongestMessageLine = 199;
constexpr std::size_t kLongestName = 198;
constexpr std::size_t kLeadingNameBlanks = 100;

// Texts of the move-number fault, the position faults and the others, as numbered in the table.
constexpr int kWrongNumberText = 53018;
constexpr int kWrongMoveNumber = 14027;
constexpr int kWrongPosition = 53019;
constexpr int kWrongColumn = 53020;
constexpr int kWrongRow = 53021;
constexpr int kStoneDiffers = 53022;
constexpr int kWrongBranch = 53017;
constexpr int kTooManyBranches = 53016;
constexpr int kIllegalPoint = 53029;
constexpr int kRecordFull = 53030;

MailMessage message(int id, std::u16string_view line = {}) { return {id, formatText(uiText(id), {line}), 53012}; }

bool isTokenEnd(char16_t c) {
    return isMailBlank(c) || c == u',' || c == u'，' || c == u'、' || c == u'\r' || c == u'\n';
}
bool isSeparator(char16_t c) { return isTokenEnd(c); }

std::vector<std::u16string_view> splitLines(std::u16string_view text) {
    std::vector<std::u16string_view> lines;
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != u'\r' && text[i] != u'\n') continue;
        lines.push_back(text.substr(start, i - start));
        if (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') ++i;
        start = i + 1;
    }
    if (start < text.size()) lines.push_back(text.substr(start));
    return lines;
}

std::u16string_view skipBlanks(std::u16string_view s) {
    while (!s.empty() && isMailBlank(s.front())) s.remove_prefix(1);
    return s;
}

bool isBlankLine(std::u16string_view s) { return skipBlanks(s).empty(); }

// Takes up to `depth` quote marks ">" off a line, each with one blank after it; -1: any number.
std::u16string_view unquote(std::u16string_view line, int depth, int* taken = nullptr) {
    int count = 0;
    while ((depth < 0 || count < depth) && !line.empty() && line.front() == u'>') {
        line.remove_prefix(1);
        if (!line.empty() && line.front() == u' ') line.remove_prefix(1);
        ++count;
    }
    if (taken) *taken = count;
    return line;
}

// The offset of the game name in a heading line, or nothing for another line.
std::optional<std::size_t> headingOffset(std::u16string_view line, std::u16string_view pattern) {
    for (const std::u16string_view heading :
         {MailVocabulary::japanese().gameHeading, MailVocabulary::english().gameHeading})
        if (!heading.empty() && line.starts_with(heading)) return heading.size();
    if (matchesTitlePattern(line, pattern)) return 0;
    return std::nullopt;
}

std::u16string gameNameOf(std::u16string_view rest) {
    for (std::size_t i = 0; i < kLeadingNameBlanks && !rest.empty() && isMailBlank(rest.front()); ++i)
        rest.remove_prefix(1);
    rest = rest.substr(0, kLongestName);
    while (!rest.empty() && isMailBlank(rest.back())) rest.remove_suffix(1);
    return std::u16string(rest);
}

std::u16string_view trimBlanks(std::u16string_view s) {
    s = skipBlanks(s);
    while (!s.empty() && isMailBlank(s.back())) s.remove_suffix(1);
    return s;
}

std::optional<float> readKomi(std::u16string_view s) {
    s = trimBlanks(s);
    bool negative = false;
    if (!s.empty() && (s.front() == u'-' || s.front() == u'－')) {
        negative = true;
        s.remove_prefix(1);
    }
    double value = 0;
    double scale = 0;
    bool digit = false;
    for (char16_t c : s) {
        if (c == u'.' || c == u'．') {
            if (scale != 0) break;
            scale = 1;
            continue;
        }
        const auto d = c == u'十' ? std::nullopt : mailDigitValue(c);
        if (!d || value > 1e6) break;
        digit = true;
        if (scale != 0) value += *d * (scale /= 10);
        else value = value * 10 + *d;
    }
    if (!digit) return std::nullopt;
    return static_cast<float>(negative ? -value : value);
}

std::optional<MailGameSettings> readSettings(std::u16string_view line) {
    std::optional<std::size_t> offset;
    for (const std::u16string_view heading :
         {MailVocabulary::japanese().settingsHeading, MailVocabulary::english().settingsHeading})
        if (!heading.empty() && line.starts_with(heading)) offset = heading.size();
    if (!offset) return std::nullopt;
    std::vector<std::u16string_view> fields;
    std::u16string_view rest = line.substr(*offset);
    for (std::size_t comma; (comma = rest.find_first_of(u",，")) != std::u16string_view::npos;) {
        fields.push_back(rest.substr(0, comma));
        rest.remove_prefix(comma + 1);
    }
    fields.push_back(rest);
    MailGameSettings settings;
    fields.resize(std::max<std::size_t>(fields.size(), 5));
    settings.whiteName = trimBlanks(fields[0]);
    settings.blackName = trimBlanks(fields[1]);
    std::size_t used = 0;
    settings.handicap = std::min(readMailNumber(trimBlanks(fields[2]), used).value_or(0), 361);
    settings.komi = readKomi(fields[3]).value_or(0.0f);
    settings.boardSize = readMailNumber(trimBlanks(fields[4]), used).value_or(19) == 13 ? 13 : 19;
    return settings;
}

// A cursor over one line.
class LineCursor {
public:
    explicit LineCursor(std::u16string_view s) : m_s(s) {}
    std::u16string_view rest() const { return m_s.substr(m_pos); }
    bool atEnd() const { return m_pos >= m_s.size(); }
    void skipBlanks() {
        while (!atEnd() && isMailBlank(m_s[m_pos])) ++m_pos;
    }
    bool take(std::u16string_view word) {
        if (word.empty() || !rest().starts_with(word)) return false;
        m_pos += word.size();
        return true;
    }
    // Reads a number at the cursor and moves past the rest of its token and the separators.
    std::optional<int> number() {
        std::size_t used = 0;
        const auto value = readMailNumber(rest(), used);
        if (!value) return std::nullopt;
        m_pos += used;
        endToken();
        return value;
    }
    void endToken() {
        while (!atEnd() && !isTokenEnd(m_s[m_pos])) ++m_pos;
        while (!atEnd() && isSeparator(m_s[m_pos])) ++m_pos;
    }

private:
    std::u16string_view m_s;
    std::size_t m_pos = 0;
};

struct MoveNumberStart {
    int number = 0;
    bool handicapStone = false;
};

// Reads the move number at the start of a line: "第" (Japanese interface), "SB" or "MOVE" before it.
std::optional<MoveNumberStart> readMoveNumber(LineCursor& cur, bool japaneseInterface) {
    cur.skipBlanks();
    if (japaneseInterface) cur.take(u"第");
    if (cur.take(u"SB")) {
        cur.endToken();
        return MoveNumberStart{0, true};
    }
    if (cur.take(MailVocabulary::english().moveLine.substr(0, 4))) cur.skipBlanks();
    const auto number = cur.number();
    if (!number) return std::nullopt;
    return MoveNumberStart{*number, false};
}

bool endsWith(std::u16string_view s, std::u16string_view tail) { return s.ends_with(tail); }

// Reads the move lines from `index` on.
class MoveLineReader {
public:
    MoveLineReader(const std::vector<std::u16string_view>& lines, int quoteDepth, const MailReadOptions& options,
                   ParsedMail& out)
        : m_lines(lines), m_depth(quoteDepth), m_options(options), m_out(out) {}

    std::u16string_view line(std::size_t i) const { return unquote(m_lines[i], m_depth); }

    // The next line that is not blank, from `i`; the end when none.
    std::size_t nextFilled(std::size_t i) const {
        while (i < m_lines.size() && isBlankLine(line(i))) ++i;
        return i;
    }

    void readFrom(std::size_t i) {
        for (i = nextFilled(i); i < m_lines.size(); i = nextFilled(i + 1)) {
            const std::u16string_view text = line(i);
            const std::u16string shown(text.substr(0, kLongestMessageLine));
            LineCursor cur(text);
            const auto start = readMoveNumber(cur, m_options.japaneseInterface);
            if (!start) {
                // After the moves, a line that is not a move line (a signature, a reply) ends the text.
                if (m_out.moves.empty()) m_out.fault = message(kWrongNumberText, shown);
                return;
            }
            MailMoveLine move;
            move.number = start->number;
            move.handicapStone = start->handicapStone;
            move.line = shown;
            if (cur.atEnd()) return fail(kWrongPosition, shown);
            if (cur.take(MailVocabulary::japanese().pass) || cur.take(MailVocabulary::english().pass)) {
                move.pass = true;
                cur.endToken();
            } else {
                const auto column = cur.number();
                if (!column || *column < 1) return fail(kWrongColumn, shown);
                if (cur.atEnd()) return fail(kWrongRow, shown);
                const auto row = cur.number();
                if (!row || *row < 1) return fail(kWrongRow, shown);
                move.x = *column - 1;
                move.y = *row - 1;
            }
            i = readComment(i, cur.rest(), move.comment);
            m_out.moves.push_back(std::move(move));
        }
    }

private:
    void fail(int id, std::u16string_view shown) { m_out.fault = message(id, shown); }

    // The comment from the rest of line i with its continuation lines; returns the last line used.
    std::size_t readComment(std::size_t i, std::u16string_view first, std::u16string& comment) const {
        std::u16string text(first);
        for (;;) {
            const bool lineBreak = endsWith(text, u"\\r");
            const bool joined = !lineBreak && endsWith(text, u"\\");
            if (!lineBreak && !joined) break;
            text.resize(text.size() - (lineBreak ? 2 : 1));
            if (lineBreak) text += u"\r\n";
            const std::size_t next = nextFilled(i + 1);
            if (next >= m_lines.size()) break;
            i = next;
            if (text.size() > kLongestComment * 2) text.resize(kLongestComment * 2);
            text += line(i);
        }
        while (!text.empty() && (text.back() == u'\r' || text.back() == u'\n')) text.pop_back();
        if (text.size() > kLongestComment) text.resize(kLongestComment);
        comment = std::move(text);
        return i;
    }

    const std::vector<std::u16string_view>& m_lines;
    int m_depth;
    const MailReadOptions& m_options;
    ParsedMail& m_out;
};

} // namespace

bool isSgfText(std::u16string_view text) {
    const std::size_t open = text.find(u'(');
    if (open == std::u16string_view::npos) return false;
    for (std::size_t i = open + 1; i < text.size(); ++i) {
        if (text[i] == u';') return true;
        if (text[i] != u' ' && text[i] != u'\t') return false;
    }
    return false;
}

bool holdsGameHeading(std::u16string_view text, const MailReadOptions& options) {
    for (const std::u16string_view line : splitLines(text))
        if (headingOffset(skipBlanks(unquote(line, -1)), options.titlePattern)) return true;
    return false;
}

ParsedMail parseMailText(std::u16string_view text, const MailReadOptions& options) {
    ParsedMail out;
    const std::vector<std::u16string_view> lines = splitLines(text);
    std::size_t i = 0;
    int depth = 0;
    for (; i < lines.size(); ++i) {
        const std::u16string_view line = skipBlanks(unquote(lines[i], -1, &depth));
        if (const auto offset = headingOffset(line, options.titlePattern)) {
            out.headingFound = true;
            out.gameName = gameNameOf(line.substr(*offset));
            break;
        }
    }
    if (!out.headingFound) {
        out.fault = message(53011);
        return out;
    }
    MoveLineReader reader(lines, depth, options, out);
    i = reader.nextFilled(i + 1);
    if (i < lines.size()) {
        if ((out.settings = readSettings(skipBlanks(reader.line(i))))) i = reader.nextFilled(i + 1);
    }
    if (i < lines.size()) {
        const std::u16string_view line = skipBlanks(reader.line(i));
        const MailVocabulary japanese = MailVocabulary::japanese();
        const MailVocabulary& english = MailVocabulary::english();
        LineCursor cur(line);
        if (cur.take(japanese.branchHeading) || cur.take(english.branchHeading)) out.study = kBranch;
        else if (cur.take(japanese.referenceHeading) || cur.take(english.referenceHeading)) out.study = kReference;
        if (out.study != kMainRecord) {
            cur.skipBlanks();
            const auto at = cur.number();
            if (!at) {
                out.fault = message(kWrongBranch);
                return out;
            }
            out.studyAt = *at;
            ++i;
        } else if (line.starts_with(u"【") || line.starts_with(u"[")) {
            out.fault = message(kWrongBranch);
            return out;
        }
    }
    reader.readFrom(i);
    return out;
}

// --- applying ---------------------------------------------------------------------------------------

namespace {

long daysFromCivil(int y, int m, int d) {
    y -= m <= 2;
    const long era = (y >= 0 ? y : y - 399) / 400;
    const long yoe = y - era * 400;
    const long doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

long secondsOf(const GameTime& t) {
    return daysFromCivil(t.year, t.month, t.day) * 86400L + t.hour * 3600L + t.minute * 60L + t.second;
}

// Applies the lines one by one to the main record or a new study sequence.
class MailApplier {
public:
    MailApplier(GameRecord& record, GameInfo& info, const GameTime& now, MailApplyResult& result)
        : m_record(record), m_info(info), m_now(now), m_result(result) {
        m_record.enterSequence(&m_record.main()); // positions are taken along the main record
        m_position.setSize(info.boardSize());
    }

    // Sets up the study sequence; false (the text ends) when it cannot be attached.
    bool beginStudy(const ParsedMail& mail) {
        RecordSequence& main = m_record.main();
        const int at = mail.studyAt + (shifted() ? 1 : 0);
        if (at < 1 || main.findNodeIndex(at) < 0) return false;
        const int first = mail.study == kReference ? at : at + 1;
        RecordSequence* child = main.createChild(1, first, mail.study);
        if (!child) {
            m_result.messages.push_back(message(kTooManyBranches));
            return false;
        }
        RecordNode link;
        link.type = NodeType::Link;
        link.moveNumber = static_cast<std::int16_t>(at);
        link.childSlot = static_cast<std::uint8_t>(child->slot());
        link.flags = child->kind();
        link.branchNumber = static_cast<std::uint8_t>(std::max(0, main.nextFreeBranchNumber()));
        if (!main.insertNode(at, link)) {
            main.destroyChild(child->slot());
            m_result.messages.push_back(message(kTooManyBranches));
            return false;
        }
        child->setHandicapCount(main.handicapCount());
        child->setNumberOffset(main.numberOffset());
        m_study = child;
        m_studyFirst = first;
        rebuildAt(first - 1);
        return true;
    }

    RecordSequence* study() const { return m_study; }

    // Applies one line; false stops the reading (its message is in the result).
    bool apply(const MailMoveLine& move) {
        if (move.handicapStone && !m_study && shifted() && m_movesRead == 0) return placeStone(move);
        const int number = move.number + (shifted() || m_stones > 0 ? 1 : 0);
        RecordSequence& s = m_study ? *m_study : m_record.main();
        const int last = m_study ? std::max(m_studyFirst - 1, s.lastMoveNumber()) : s.lastMoveNumber();
        if (move.handicapStone || number <= m_previous || number > last + 1) return fail(kWrongMoveNumber, move);
        if (!(number <= last ? compare(s, number, move) : append(s, number, move))) return false;
        m_previous = number;
        ++m_movesRead;
        m_result.lastMoveRead = number;
        return true;
    }

private:
    bool shifted() const { return m_info.handicap >= 2 || m_record.main().handicapCount() >= 2; }

    bool fail(int id, const MailMoveLine& move) {
        m_result.messages.push_back(message(id, move.line));
        return false;
    }

    void rebuildAt(int moveNumber) {
        BoardNavigation nav;
        nav.showEndOf(m_record.main().lastMoveNumber());
        if (moveNumber >= 0) nav.show(moveNumber);
        RebuildOptions options;
        options.withNumbers = false;
        rebuildPosition(m_position, nav, m_record, options);
    }

    // A received handicap stone: the record starts again from its stones unless moves followed
    // them already; then the stones are only compared.
    bool placeStone(const MailMoveLine& move) {
        RecordSequence& main = m_record.main();
        if (move.pass || !m_position.onBoard(move.x, move.y)) return fail(kWrongPosition, move);
        if (m_stones == 0 && main.lastMoveNumber() >= 2) m_compareStones = true;
        if (m_compareStones) {
            const int at = main.findNodeAt(move.x, move.y);
            if (at < 0 || main.node(at).type != NodeType::BlackMove || main.node(at).moveNumber != 1)
                return fail(kStoneDiffers, move);
            ++m_stones;
            m_previous = 1;
            return true;
        }
        if (m_stones == 0) {
            m_record.reset();
            m_position.clear();
        }
        RecordSequence& fresh = m_record.main();
        if (m_position.colourAt(move.x, move.y) != kEmpty) return fail(kIllegalPoint, move);
        RecordNode* node = fresh.appendNode(makeMoveNode(1, move.x, move.y));
        if (!node) return fail(kRecordFull, move);
        if (!move.comment.empty()) fresh.setComment(node->index, move.comment, Backslashes::Keep);
        m_position.placeStartingStone(move.x, move.y, kBlack, 1);
        ++m_stones;
        fresh.setHandicapCount(m_stones);
        m_info.handicap = static_cast<std::int16_t>(std::max(m_stones, 2));
        m_previous = 1;
        m_result.lastMoveRead = 1;
        ++m_result.newMoves;
        return true;
    }

    bool compare(RecordSequence& s, int number, const MailMoveLine& move) {
        const int index = s.findNodeIndex(number);
        if (index < 0) return fail(kWrongMoveNumber, move);
        const RecordNode& stored = s.node(index);
        const bool same = move.pass ? !stored.hasPoint() : (stored.x == move.x && stored.y == move.y);
        if (!same) return fail(kStoneDiffers, move);
        if (!move.comment.empty() && s.commentOf(stored) != move.comment) {
            if (s.setComment(index, move.comment, Backslashes::Keep)) ++m_result.commentsUpdated;
        }
        return true;
    }

    bool append(RecordSequence& s, int number, const MailMoveLine& move) {
        if (!m_positionReady) {
            if (!m_study) rebuildAt(-1);
            m_positionReady = true;
        }
        if (!move.pass) {
            if (!m_position.onBoard(move.x, move.y)) return fail(kWrongPosition, move);
            if (!m_position.legal(move.x, move.y, number)) return fail(kIllegalPoint, move);
        }
        RecordNode node = move.pass ? makeMoveNode(number, kNoPoint, kNoPoint) : makeMoveNode(number, move.x, move.y);
        node.elapsed = encodeMeasuredElapsed(secondsBetween(m_info.waitingTime, m_now));
        RecordNode* added = s.appendNode(node);
        if (!added) return fail(kRecordFull, move);
        const int index = added->index;
        if (!move.comment.empty()) s.setComment(index, move.comment, Backslashes::Keep);
        if (!move.pass) {
            playRecordedMove(m_position, m_record, s, s.node(index), RebuildOptions{});
            RecordNode& stored = s.node(index);
            stored.data1 = static_cast<std::uint8_t>(std::min<int>(m_position.at(move.x, move.y).captured, 255));
            stored.data2 = static_cast<std::uint8_t>(std::min(m_position.prisoners(colourOfMove(number)), 255));
        }
        m_info.waitingTime = m_now;
        m_info.flags &= static_cast<std::uint16_t>(~kInfoMoveWaiting);
        m_info.mailGoFlags &= 0xF0;
        if (!m_study) m_info.lastExchangedMove = static_cast<std::int16_t>(number);
        ++m_result.newMoves;
        return true;
    }

    GameRecord& m_record;
    GameInfo& m_info;
    GameTime m_now;
    MailApplyResult& m_result;
    BoardPosition m_position;
    RecordSequence* m_study = nullptr;
    int m_studyFirst = 0;
    int m_previous = 0;
    int m_movesRead = 0;
    int m_stones = 0;
    bool m_compareStones = false;
    bool m_positionReady = false;
};

} // namespace

long secondsBetween(const GameTime& from, const GameTime& to) {
    if (from.year == 0 || from.month < 1 || from.month > 12 || to.month < 1 || to.month > 12) return 0;
    return std::max(0L, secondsOf(to) - secondsOf(from));
}

MailApplyResult applyMail(const ParsedMail& mail, GameRecord& record, GameInfo& info, bool userIsBlack,
                          MailSource source, const GameTime& nowUtc) {
    MailApplyResult result;
    if (!mail.headingFound) {
        if (mail.fault && source != MailSource::Watch) result.messages.push_back(*mail.fault);
        return result;
    }
    MailApplier applier(record, info, nowUtc, result);
    if (mail.study != kMainRecord && !applier.beginStudy(mail)) return result;
    bool complete = true;
    for (const MailMoveLine& move : mail.moves) {
        if (!applier.apply(move)) {
            complete = false;
            break;
        }
    }
    if (complete && mail.fault) result.messages.push_back(*mail.fault);
    if (mail.study != kMainRecord) {
        RecordSequence* study = applier.study();
        if (study && study->nodeCount() > 0) {
            record.main().numberTree();
            result.branch = study;
            result.statusTexts.push_back(53023);
        } else if (study) { // nothing arrived: the empty sequence goes again with its link
            record.main().removeNode(record.main().findLink(study));
        }
        return result;
    }
    // After a faulty line the moves appended have set the last exchanged move themselves; the
    // checks of a whole text are left out.
    const int last = result.lastMoveRead;
    if (last <= 0 || !complete || mail.fault) return result;
    info.lastExchangedMove = static_cast<std::int16_t>(last);
    if (info.ownMoveMark > 2 && info.ownMoveMark < last - 1) {
        MailMessage several{53024, formatText(uiText(53024), {last - info.ownMoveMark}), 53012};
        result.messages.push_back(std::move(several));
        info.ownMoveMark = static_cast<std::int16_t>(last - 1);
    }
    const bool handicapOnly = record.main().lastMoveNumber() <= 1 && record.main().handicapCount() >= 1;
    const bool opponentsParity = (colourOfMove(last) == kBlack) != userIsBlack;
    if (!handicapOnly && !opponentsParity) {
        if (source == MailSource::Cloud) {
            result.opponentsText = false;
            result.statusTexts.push_back(53026);
        } else {
            result.messages.push_back({53025, std::u16string(uiText(53025)), 53012});
            info.lastExchangedMove = static_cast<std::int16_t>(last - 1);
        }
    }
    if (source == MailSource::Watch && result.newMoves > 0) result.statusTexts.push_back(53027);
    if (source == MailSource::Cloud && result.opponentsText) result.statusTexts.push_back(53028);
    return result;
}

} // namespace stonewise
