#include "formats/SgfWriter.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <optional>
#include <vector>

#include "formats/FileAccess.h"
#include "formats/MemberDirectory.h"
#include "formats/SgfReader.h"
#include "formats/SgfScanner.h"
#include "formats/SgfText.h"
#include "formats/ValueParsing.h"
#include "record/StringTable.h"

namespace stonewise {

namespace {

constexpr std::uint16_t kFlagSetupStones = 8;
constexpr std::uint16_t kFlagExtendedHeader = 16;
constexpr int kNodesPerLine = 10;

void appendAscii(std::u16string& out, const char* text) {
    for (; *text; ++text) out.push_back(static_cast<unsigned char>(*text));
}

void appendNumber(std::u16string& out, long long v) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%lld", v);
    appendAscii(out, buffer);
}

// One decimal as the header writes komi and margins; a value with finer fractions (a quarter
// komi) keeps them.
void appendDecimal(std::u16string& out, double v) {
    char buffer[48];
    const double tenths = v * 10.0;
    if (std::fabs(tenths - std::round(tenths)) < 1e-4) std::snprintf(buffer, sizeof buffer, "%1.1f", v);
    else std::snprintf(buffer, sizeof buffer, "%g", v);
    appendAscii(out, buffer);
}

void appendPoint(std::u16string& out, int x, int y) {
    if (x < 0 || x > 18 || y < 0 || y > 18) {
        out.append(u"tt");
        return;
    }
    out.push_back(static_cast<char16_t>(u'a' + x));
    out.push_back(static_cast<char16_t>(u'a' + y));
}

} // namespace

bool splitRanksAndPlace(std::u16string_view text, std::u16string_view parts[3], bool has[3]) {
    std::size_t i = 0;
    for (int k = 0; k < 3; ++k) {
        has[k] = false;
        parts[k] = {};
        if (i < text.size() && text[i] == u'[') {
            const std::size_t close = k < 2 ? text.find(u"],", i) : text.size() - 1;
            if (close == std::u16string_view::npos || close < i || text[close] != u']') return false;
            parts[k] = text.substr(i + 1, close - i - 1);
            has[k] = true;
            i = close + 1;
        }
        if (k < 2) {
            if (i >= text.size() || text[i] != u',') return false;
            ++i;
        }
    }
    return i == text.size();
}

namespace {
// The root properties the header keeps as they stood in the file: the result and date as raw values,
// everything else (PL, AE) as SGF text.
struct RootExtras {
    std::u16string other;
    std::optional<std::u16string_view> result;
    std::optional<std::u16string_view> date;
};

RootExtras splitRootExtras(std::u16string_view extras) {
    RootExtras out;
    SgfScanner scanner(extras);
    for (SgfToken t = scanner.next(); t != kSgfEnd; t = scanner.next()) {
        if (t == kSgfRE) out.result = scanner.firstValue();
        if (t == kSgfDT) out.date = scanner.firstValue();
        const char16_t* id = keptRootPropertyId(t);
        if (!id) continue;
        out.other.append(id);
        for (std::size_t i = 0; i < scanner.values().size(); ++i)
            out.other.append(u"[").append(scanner.value(i)).append(u"]");
    }
    return out;
}

// Whether a mark goes into the node of its move: one without a text of its own (a mark with a
// comment or time keeps a node of its own, where the family's reader gives it its comment).
bool markJoinsItsMove(const RecordNode& k) {
    return k.isMark() && k.hasPoint() && k.elapsed == 0 && (k.isLabel() || k.comment < 0);
}

class SgfTextWriter {
public:
    SgfTextWriter(const RecordSequence& main, const GameInfo& info, const SgfWriteOptions& options)
        : m_main(main), m_info(info), m_options(options) {
        m_out.reserve(4096 + static_cast<std::size_t>(main.nodeCount()) * 8);
    }

    std::u16string write(SgfEncoding caFor);

private:
    void header(SgfEncoding caFor);
    void line(const RecordSequence& s, int from, int sinceOpen);
    void branch(const RecordSequence& child);
    void openFork(int sinceOpen);
    // Writes the node at `index` (a move with the marks that join it); returns the nodes written.
    int node(const RecordSequence& s, int index);
    void comment(const RecordSequence& s, const RecordNode& k);
    void rootNodes(int from, int startMove);
    void endNode();
    void newLine() {
        m_out.append(u"\r\n");
        m_onLine = 0;
    }
    bool writesComments() const { return !m_options.exportOnly || m_options.exportComments; }
    std::u16string playerName(int member, const std::u16string& kept) const {
        if (m_options.members && member != 0) { // member 0 stands for an unknown player
            std::u16string name = m_options.members->nameOf(member);
            if (!name.empty()) return name;
        }
        return kept;
    }

    const RecordSequence& m_main;
    const GameInfo& m_info;
    const SgfWriteOptions& m_options;
    std::u16string m_out;
    int m_onLine = 0;
    int m_start = 0;              // first node of the main record written as a node
    std::vector<int> m_rootNodes; // nodes written in the root: handicap stones, start marks, the root note
    // Properties of one node as runs: each identifier once, its values together. False (nothing
    // written) when the node's identifier would stand a second time apart from its run.
    struct NodeRuns {
        std::u16string_view last;
        std::vector<std::u16string_view> used;
    };
    bool addToNode(NodeRuns& runs, const RecordSequence& s, const RecordNode& k);
    int joinFollowing(NodeRuns& runs, const RecordSequence& s, int index);
    void pointValue(const RecordSequence& s, const RecordNode& k);
    void resultAndDate();
};

std::u16string SgfTextWriter::write(SgfEncoding caFor) {
    header(caFor);
    line(m_main, m_start, 1);
    return std::move(m_out);
}

void SgfTextWriter::header(SgfEncoding caFor) {
    const int handicapStones = m_main.handicapCount();
    m_out.append(u"(;");
    if (caFor == SgfEncoding::Utf8) m_out.append(u"CA[UTF-8]");
    else if (caFor == SgfEncoding::SystemCodePage)
        m_out.append(m_options.codePage == CodePage::Cp932 ? u"CA[Shift_JIS]" : u"CA[Windows-1252]");
    m_out.append(u"FF[4]GM[1]SZ[");
    appendNumber(m_out, m_info.boardSize());
    m_out.append(u"]");
    // HA follows the handicap stones; a header handicap without stones (free placement still to
    // come, or a file that named one) is kept too.
    if (handicapStones >= 2 || m_info.handicap != 0) {
        m_out.append(u"HA[");
        appendNumber(m_out, m_info.handicap);
        m_out.append(u"]");
    }
    m_out.append(u"KM[");
    appendDecimal(m_out, m_info.komi);
    m_out.append(u"]");
    RootExtras extras = splitRootExtras(m_info.sgfRootExtras);
    // The result as the file had it while it still says the same.
    bool rawResult = false;
    if (extras.result) {
        GameInfo kept;
        rawResult = parseSgfResult(*extras.result, kept.winner, kept.margin)
                        ? kept.winner == m_info.winner && kept.margin == m_info.margin
                        : m_info.winner == kInPlay;
    }
    if (rawResult) {
        m_out.append(u"RE[").append(*extras.result).append(u"]");
    } else {
        m_out.append(sgfResultText(m_info));
    }

    // Leading setup stones are only setup stones to the reader when the flags say so.
    std::uint16_t flags = m_info.flags;
    int leading = 0;
    if (handicapStones < 2) {
        while (leading < m_main.leadingSetupCount() && leading < m_main.nodeCount() && m_main.node(leading).isSetup())
            ++leading;
        if (leading > 0 && (flags & (kFlagSetupStones | kFlagExtendedHeader)) == 0) flags |= kFlagSetupStones;
    }
    m_out.append(u"AP[Tamarindo:Type=");
    appendNumber(m_out, m_info.type);
    m_out.append(u",Flag=");
    appendNumber(m_out, flags);
    m_out.append(u",Tag=");
    appendNumber(m_out, m_info.startFlags);
    m_out.append(u",FV=");
    appendNumber(m_out, m_info.formatVersion);
    m_out.append(u",").append(kStandardTextField);
    m_out.append(u"]\r\n");

    m_out.append(u"GN[");
    appendEscapedSimpleText(m_info.name, m_out);
    m_out.append(u"]\r\nPB[");
    appendEscapedSimpleText(playerName(m_info.blackPlayer, m_info.blackName), m_out);
    m_out.append(u"]PW[");
    appendEscapedSimpleText(playerName(m_info.whitePlayer, m_info.whiteName), m_out);
    m_out.append(u"]\r\n");
    if (!m_info.gameComment.empty()) { // the reader takes it as the game comment by Text=FF4
        m_out.append(u"GC[");
        appendStandardComment(m_info.gameComment, m_out);
        m_out.append(u"]\r\n");
    }
    // The date as the file had it while it still says the same.
    std::u16string dateText;
    if (extras.date) {
        appendSimpleText(*extras.date, SgfTextRules::Standard, dateText);
        const GameDate d = parseDate(dateText);
        const GameDate& now = m_info.startDate;
        if (d.year != now.year || d.month != now.month || d.day != now.day) extras.date.reset();
    }
    if (extras.date) m_out.append(u"DT[").append(*extras.date).append(u"]\r\n");
    else if (m_info.startDate.year > 0) m_out.append(u"DT[").append(sgfDateText(m_info.startDate)).append(u"]\r\n");
    if (!extras.other.empty()) m_out.append(extras.other).append(u"\r\n");
    std::u16string_view parts[3];
    bool has[3];
    if (!m_info.carriedText.empty() && splitRanksAndPlace(m_info.carriedText, parts, has)) {
        static const char16_t* const kIds[3] = {u"BR[", u"WR[", u"PC["};
        bool any = false;
        for (int k = 0; k < 3; ++k) {
            if (!has[k]) continue;
            m_out.append(kIds[k]);
            appendEscapedSimpleText(parts[k], m_out);
            m_out.append(u"]");
            any = true;
        }
        if (any) m_out.append(u"\r\n");
    }

    if (handicapStones >= 2) {
        // The handicap stones: the first black moves numbered 1.
        m_out.append(u"AB");
        for (int i = 0; i < m_main.nodeCount() && static_cast<int>(m_rootNodes.size()) < handicapStones; ++i) {
            const RecordNode& k = m_main.node(i);
            if (k.type == NodeType::BlackMove && k.moveNumber == 1) {
                m_out.append(u"[");
                appendPoint(m_out, k.x, k.y);
                m_out.append(u"]");
                m_rootNodes.push_back(i);
            } else if (k.moveNumber > 1) {
                break;
            }
        }
        m_out.append(u"\r\n");
        m_start = 0; // the handicap nodes are skipped where they stand
        rootNodes(0, 1);
        return;
    }
    // The setup stones as one AB and one AW list (the reader keeps black stones before white ones).
    NodeRuns runs;
    for (int i = 0; i < leading; ++i)
        if (!addToNode(runs, m_main, m_main.node(i))) {
            leading = i; // a stone the lists cannot hold in order is written as a node of its own
            break;
        }
    if (leading > 0) m_out.append(u"\r\n");
    m_start = leading;
    rootNodes(leading, 0);
}

// The marks of the start position and the note holding the file's root comment go into the root
// node: the marks standing first, then the note.
void SgfTextWriter::rootNodes(int from, int startMove) {
    const std::size_t handicap = m_rootNodes.size();
    bool any = false;
    NodeRuns runs;
    for (int i = from; i < m_main.nodeCount(); ++i) {
        if (std::find(m_rootNodes.begin(), m_rootNodes.begin() + static_cast<std::ptrdiff_t>(handicap), i) !=
            m_rootNodes.begin() + static_cast<std::ptrdiff_t>(handicap))
            continue;
        const RecordNode& k = m_main.node(i);
        if (k.moveNumber != startMove) break;
        if (markJoinsItsMove(k)) {
            if (!addToNode(runs, m_main, k)) break;
            m_rootNodes.push_back(i);
            any = true;
            continue;
        }
        if (k.isNote()) {
            comment(m_main, k);
            m_rootNodes.push_back(i);
            any = true;
        }
        break;
    }
    if (any) m_out.append(u"\r\n");
}

void SgfTextWriter::openFork(int sinceOpen) {
    // A game tree needs a node before its variations: an empty one when none was written.
    if (sinceOpen == 0) m_out.push_back(u';');
    newLine();
    m_out.append(u"(");
    newLine();
}

// Writes the nodes of `s` from index `from` to its end and closes the game tree they stand in. At a
// fork the rest of the line becomes the first variation; the branches of the fork follow it once the
// line has ended, innermost fork first (a loop, not a recursion per fork, so long lines with many
// forks need no deep stack).
void SgfTextWriter::line(const RecordSequence& s, int from, int sinceOpen) {
    const bool forks = !m_options.exportOnly;
    const bool isMain = &s == &m_main;
    std::vector<std::vector<const RecordSequence*>> pending; // the branches of each fork opened
    for (int i = from; i < s.nodeCount(); ++i) {
        const RecordNode& k = s.node(i);
        if (isMain && std::find(m_rootNodes.begin(), m_rootNodes.end(), i) != m_rootNodes.end()) continue;
        if (k.isLink()) {
            if (!forks || k.linkKind() == kReference) continue; // references fork at the move they replace
            // The variations hanging after the previous node.
            std::vector<const RecordSequence*> variations;
            int j = i;
            for (; j < s.nodeCount() && s.node(j).isLink(); ++j)
                if (s.node(j).linkKind() != kReference)
                    if (const RecordSequence* c = s.child(s.node(j).childSlot)) variations.push_back(c);
            i = j - 1;
            if (variations.empty()) continue;
            openFork(sinceOpen);
            pending.push_back(std::move(variations));
            sinceOpen = 0;
            continue;
        }
        if (forks && k.isMoveOrPass()) {
            // Reference sequences that replace this move stand among the nodes attached to it.
            std::vector<const RecordSequence*> references;
            for (int j = i + 1; j < s.nodeCount() && !s.node(j).isMoveOrPass(); ++j) {
                const RecordNode& r = s.node(j);
                if (r.isLink() && r.linkKind() == kReference && r.moveNumber == k.moveNumber)
                    if (const RecordSequence* c = s.child(r.childSlot)) references.push_back(c);
            }
            if (!references.empty()) {
                openFork(sinceOpen);
                pending.push_back(std::move(references));
                sinceOpen = 0;
            }
        }
        i += node(s, i) - 1;
        ++sinceOpen;
    }
    if (sinceOpen == 0) m_out.push_back(u';'); // a game tree holds at least one node
    m_out.append(u")");
    newLine();
    for (auto it = pending.rbegin(); it != pending.rend(); ++it) {
        for (const RecordSequence* c : *it) branch(*c);
        m_out.append(u")");
        newLine();
    }
}

void SgfTextWriter::branch(const RecordSequence& child) {
    m_out.append(u"(");
    newLine();
    line(child, 0, 0);
}

void SgfTextWriter::endNode() {
    if (++m_onLine >= kNodesPerLine) newLine();
}

void SgfTextWriter::comment(const RecordSequence& s, const RecordNode& k) {
    if (!writesComments()) return;
    const std::u16string_view text = k.isLabel() ? std::u16string_view() : s.commentOf(k);
    const bool timed = k.elapsed != 0 && (k.isMoveOrPass() || k.isMark());
    if (text.empty() && !timed) return;
    m_out.append(u"C[");
    if (timed) {
        m_out.push_back(u'<');
        appendNumber(m_out, k.elapsedSeconds());
        m_out.push_back(u'>');
    }
    appendStandardComment(text, m_out);
    m_out.push_back(u']');
}

// The identifier of a setup stone or mark written as a property of a node.
std::u16string_view propertyIdOf(const RecordNode& k) {
    switch (k.type) {
    case NodeType::BlackSetup: return u"AB";
    case NodeType::WhiteSetup: return u"AW";
    default: break;
    }
    switch (k.data1) {
    case kMarkCircle: return u"CR";
    case kMarkSquare: return u"SQ";
    case kMarkTriangle: return u"TR";
    case kMarkCross: return u"MA";
    default: return u"LB";
    }
}

bool SgfTextWriter::addToNode(NodeRuns& runs, const RecordSequence& s, const RecordNode& k) {
    const std::u16string_view id = propertyIdOf(k);
    if (id != runs.last) {
        if (std::find(runs.used.begin(), runs.used.end(), id) != runs.used.end()) return false;
        m_out.append(id);
        runs.used.push_back(id);
        runs.last = id;
    }
    pointValue(s, k);
    return true;
}

// The value of a setup stone or mark: "[aa]", "[aa:A]", "[aa:text]".
void SgfTextWriter::pointValue(const RecordSequence& s, const RecordNode& k) {
    m_out.push_back(u'[');
    appendPoint(m_out, k.x, k.y);
    if (k.isMark()) {
        if (k.data1 == kMarkUpperLetter || k.data1 == kMarkLowerLetter) {
            m_out.push_back(u':');
            if (k.data2 > 0x20 && k.data2 < 0x7F) appendEscapedSimpleText(std::u16string(1, k.data2), m_out);
        } else if (k.isLabel()) {
            m_out.push_back(u':');
            appendEscapedSimpleText(s.commentOf(k), m_out);
        } else if (k.data1 < kMarkCircle || k.data1 > kMarkCross) {
            m_out.push_back(u':'); // a mark without a kind: an empty label
        }
    }
    m_out.push_back(u']');
}

// Adds the setup stones and marks without texts that follow node `index` with its move number to
// the node being written; returns how many.
int SgfTextWriter::joinFollowing(NodeRuns& runs, const RecordSequence& s, int index) {
    int joined = 0;
    const int moveNumber = s.node(index).moveNumber;
    for (int j = index + 1; j < s.nodeCount(); ++j) {
        const RecordNode& m = s.node(j);
        if (m.moveNumber != moveNumber || !(m.isSetup() || markJoinsItsMove(m)) || !addToNode(runs, s, m)) break;
        ++joined;
    }
    return joined;
}

int SgfTextWriter::node(const RecordSequence& s, int index) {
    const RecordNode& k = s.node(index);
    int used = 1;
    switch (k.type) {
    case NodeType::BlackMove:
    case NodeType::WhiteMove:
    case NodeType::Pass: {
        if (k.type == NodeType::Pass) m_out.append(k.passColour() == kBlack ? u";B[tt]" : u";W[tt]");
        else {
            m_out.append(k.type == NodeType::BlackMove ? u";B[" : u";W[");
            appendPoint(m_out, k.x, k.y);
            m_out.push_back(u']');
        }
        // The setup stones, marks and labels of the move stand in its node.
        NodeRuns runs;
        used += joinFollowing(runs, s, index);
        comment(s, k);
        break;
    }
    case NodeType::BlackSetup:
    case NodeType::WhiteSetup:
    case NodeType::Mark: {
        m_out.push_back(u';');
        NodeRuns runs;
        if (!k.isNote()) addToNode(runs, s, k);
        // Stones and marks of a node without a move stand together, up to a mark with a text.
        if (k.isSetup() || markJoinsItsMove(k)) used += joinFollowing(runs, s, index);
        // The comment of such a position follows in the same node; a single mark with a comment
        // would be the mark's.
        const int next = index + used;
        if ((k.isSetup() || used > 1) && next < s.nodeCount() && s.node(next).isNote() &&
            s.node(next).moveNumber == k.moveNumber) {
            comment(s, s.node(next));
            ++used;
        }
        comment(s, k);
        break;
    }
    default: return 1;
    }
    endNode();
    return used;
}

} // namespace

std::u16string sgfResultText(const GameInfo& info) {
    if (info.winner == kJigo) return u"RE[0]";
    if (info.winner != kBlackWins && info.winner != kWhiteWins) return {};
    std::u16string out = info.winner == kBlackWins ? u"RE[B+" : u"RE[W+";
    if (info.margin >= kMarginOnTime) out.push_back(u'T');
    else if (info.margin >= kMarginResignation) out.push_back(u'R');
    else if (info.margin > 0.0f) appendDecimal(out, info.margin); // else a win without a number of points: "B+"
    out.push_back(u']');
    return out;
}

std::u16string sgfDateText(const GameDate& date) {
    char buffer[48];
    std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02d", date.year, date.month, date.day);
    std::u16string out;
    appendAscii(out, buffer);
    return out;
}

std::u16string sgfText(const RecordSequence& main, const GameInfo& info, const SgfWriteOptions& options) {
    SgfTextWriter writer(main, info, options);
    return writer.write(options.encoding);
}

SgfWriteResult writeSgf(const RecordSequence& main, const GameInfo& info, const SgfWriteOptions& options) {
    SgfWriteResult result;
    result.encoding = options.encoding;
    if (options.encoding == SgfEncoding::SystemCodePage) {
        const std::u16string text = sgfText(main, info, options);
        if (auto bytes = encodeCodePage(text, options.codePage)) {
            result.bytes = std::move(*bytes);
            return result;
        }
        result.fellBackToUtf8 = true;
        result.encoding = SgfEncoding::Utf8;
    }
    SgfWriteOptions actual = options;
    actual.encoding = result.encoding;
    const std::u16string text = sgfText(main, info, actual);
    if (result.encoding == SgfEncoding::Utf16) {
        result.bytes.assign("\xFF\xFE", 2);
        appendTextAsUtf16Le(text, result.bytes);
    } else {
        result.bytes.assign("\xEF\xBB\xBF", 3);
        appendUtf16AsUtf8(text, result.bytes);
    }
    return result;
}

bool saveSgfFile(const std::string& path, const RecordSequence& main, const GameInfo& info,
                 const SgfWriteOptions& options, SgfWriteResult* written) {
    SgfWriteResult result = writeSgf(main, info, options);
    const bool ok = writeFileReplacing(path, result.bytes);
    if (written) *written = std::move(result);
    return ok;
}

std::u16string safeFileName(std::u16string_view name) {
    std::u16string out(name);
    for (char16_t& c : out)
        if (c == u'/' || c == u'>' || c == u'<' || c == u'?' || c == u':' || c == u'"' || c == u'\\' || c == u'*' ||
            c == u'|' || c == u';')
            c = u'_';
    return out;
}

std::u16string defaultSgfFileName(const GameInfo& info) {
    std::u16string name = safeFileName(info.name);
    if (name.empty()) name = uiText(kStrNoName);
    return name + u".sgf";
}

} // namespace stonewise
