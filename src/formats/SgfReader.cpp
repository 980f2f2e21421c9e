#include "formats/SgfReader.h"

#include <algorithm>
#include <bitset>
#include <vector>

#include "formats/ContinuationMerge.h"
#include "formats/MemberDirectory.h"
#include "formats/SgfScanner.h"
#include "formats/SgfText.h"
#include "formats/SgfWriter.h"
#include "formats/ValueParsing.h"

namespace stonewise {

namespace {

constexpr int kMaxForkEntries = 512;
constexpr int kMaxSequenceDepth = 255; // a path holds 256 levels with the main record
constexpr std::size_t kPoolSize = 16384;
constexpr std::uint16_t kFlagSetupStones = 8;
constexpr std::uint16_t kFlagExtendedHeader = 16;
constexpr std::uint16_t kFlagHandicapNumbering = 0x20;

// The text-valued properties kept until the end of the scan.
struct ValuePool {
    std::u16string ev, gc, gn, ro, br, wr, pc;
    bool hasEv = false, hasGc = false, hasGn = false, hasRo = false, hasBr = false, hasWr = false, hasPc = false;
    std::u16string gcRaw; // GC as it stands in the file, for the game comment
    std::size_t used = 0;

    // Keeps a value unless the pool is full; a value given again replaces the earlier one.
    void keep(std::u16string& slot, bool& has, std::u16string_view value) {
        value = trimTrailingBlanks(value);
        if (has) used -= slot.size() + 1;
        if (used + value.size() + 1 > kPoolSize) {
            has = false;
            slot.clear();
            return;
        }
        slot.assign(value);
        has = true;
        used += value.size() + 1;
    }
};

// "[%s]," black rank, "[%s]," white rank, "[%s]" place; an absent rank is a bare ",".
std::u16string ranksAndPlace(const ValuePool& pool) {
    std::u16string out;
    if (pool.hasBr) out.append(u"[").append(pool.br).append(u"]");
    out.push_back(u',');
    if (pool.hasWr) out.append(u"[").append(pool.wr).append(u"]");
    out.push_back(u',');
    if (pool.hasPc) out.append(u"[").append(pool.pc).append(u"]");
    return out;
}

void appendNamePart(std::u16string& name, std::u16string_view part) {
    if (part.empty()) return;
    if (!name.empty()) name.push_back(u',');
    name.append(part);
}

// Whether GC is the game's comment and no part of its name: so with Flag bit 16 and in the
// family's files with FF[4] texts. (Other programs' files mean a comment by it too, see below.)
bool gcIsGameComment(std::uint16_t flags, bool family, bool standardText) {
    return (flags & kFlagExtendedHeader) != 0 || (family && standardText);
}

// Whether GC names the game where there is no EV: in the family's older files it does; another
// program's GC only when it reads like a name, one short line (a commentary's introduction or a
// copyright notice is no name).
bool gcNamesGame(bool gcIsComment, bool family, std::u16string_view simpleText, std::u16string_view raw) {
    constexpr std::size_t kLongestName = 40;
    if (gcIsComment) return false;
    return family || (simpleText.size() <= kLongestName && raw.find_first_of(u"\r\n") == std::u16string_view::npos);
}

bool startsWith(std::u16string_view text, std::u16string_view prefix) {
    return text.substr(0, prefix.size()) == prefix;
}

// Reads "Type=%d,Flag=%d,Tag=%d,FV=%d" after the family's mark, each field only when the one before
// it was there.
void applyFamilyApplication(std::u16string_view value, GameInfo& info) {
    std::u16string_view rest = value.substr(kFamilyApplicationMark.size());
    auto field = [&](std::u16string_view name, long& out) {
        while (!rest.empty() && rest.front() == u' ') rest.remove_prefix(1);
        if (!startsWith(rest, name)) return false;
        rest.remove_prefix(name.size());
        std::size_t used = 0;
        out = parseLeadingInteger(rest, &used);
        rest.remove_prefix(used);
        if (!rest.empty() && rest.front() == u',') rest.remove_prefix(1);
        return true;
    };
    long v = 0;
    if (!field(u"Type=", v)) return;
    info.type = static_cast<std::int16_t>(v >= 0 && v <= 2 ? v : 0);
    if (!field(u"Flag=", v)) return;
    info.flags = static_cast<std::uint16_t>(v);
    if (!field(u"Tag=", v)) return;
    info.startFlags = static_cast<std::uint8_t>(v & 0xF0);
    if (!field(u"FV=", v)) return;
    info.formatVersion = static_cast<std::uint8_t>(v);
}

// Whether white stones stand on the main line before its first move (B or W): then black stones at
// the start are setup stones, not handicap stones. The main line is the first game tree at every
// fork; stones in the other variations there do not make the start a setup position.
bool whiteSetupBeforeFirstMove(std::u16string_view text) {
    SgfScanner scanner(text, 0);
    std::vector<char> closed{0, 0}; // per depth: a game tree of that depth was closed (the next is a sibling)
    int depth = 0;
    int skipDownTo = -1; // skipping a sibling variation until the depth is back here
    for (SgfToken t = scanner.next(); t != kSgfEnd; t = scanner.next()) {
        if (t == kSgfOpen) {
            ++depth;
            if (skipDownTo >= 0) continue;
            if (closed.size() < static_cast<std::size_t>(depth) + 2)
                closed.resize(static_cast<std::size_t>(depth) + 2, 0);
            if (closed[static_cast<std::size_t>(depth)]) {
                skipDownTo = depth - 1;
                continue;
            }
            closed[static_cast<std::size_t>(depth) + 1] = 0;
        } else if (t == kSgfClose) {
            if (skipDownTo < 0 && depth >= 0 && static_cast<std::size_t>(depth) < closed.size())
                closed[static_cast<std::size_t>(depth)] = 1;
            if (--depth <= 0) return false;
            if (depth == skipDownTo) skipDownTo = -1;
        } else if (skipDownTo < 0) {
            if (t == kSgfB || t == kSgfW) return false;
            if (t == kSgfAW && !scanner.values().empty()) return true;
        }
    }
    return false;
}

// Expands a point-list value: a single point or a compressed rectangle "aa:cc".
template <typename F>
void forEachListPoint(std::u16string_view value, F&& f) {
    int x = 0, y = 0;
    if (value.size() == 5 && value[2] == u':') {
        int x2 = 0, y2 = 0;
        if (parseSgfPoint(value.substr(0, 2), x, y) != SgfPointKind::Point ||
            parseSgfPoint(value.substr(3, 2), x2, y2) != SgfPointKind::Point)
            return;
        for (int i = std::min(x, x2); i <= std::max(x, x2); ++i)
            for (int j = std::min(y, y2); j <= std::max(y, y2); ++j) f(i, j);
        return;
    }
    if (parseSgfPoint(value, x, y) == SgfPointKind::Point) f(x, y);
}

// The game trees of the rest of a text: each "(" at the top level opens one.
int countGameTrees(SgfScanner& scanner) {
    int trees = 0;
    int depth = 0;
    for (SgfToken t = scanner.next(); t != kSgfEnd; t = scanner.next()) {
        if (t == kSgfOpen) {
            if (depth++ == 0) ++trees;
        } else if (t == kSgfClose && depth > 0) {
            --depth;
        }
    }
    return trees;
}

void gatherHandicapStones(RecordSequence& main);
void shiftSubtree(RecordSequence& s, int delta);
void leadingSetupFirst(RecordSequence& main);

// The bit of a property's token in a set of the tokens of a node (every token the reader keeps is
// below 64).
constexpr std::uint64_t tokenBit(SgfToken token) { return std::uint64_t{1} << (token & 63); }
static_assert(kSgfN < 64);

struct PendingProperty {
    SgfToken token;
    std::uint32_t firstValue;
    std::uint32_t valueCount;
};

// One read: the scanner state, the record being built and the values kept for the end.
class SgfBuilder {
public:
    SgfBuilder(std::u16string_view text, const GameInfo& start, const SgfReadOptions& options)
        : m_text(text), m_options(options) {
        m_result.info = start;
        m_result.info.sgfRootExtras.clear();
        m_result.main = RecordSequence::createMain(nullptr);
        m_cur = m_result.main.get();
        m_props.reserve(32);
        m_forks.reserve(64);
        m_scratch.reserve(256);
    }

    SgfReadResult run();

private:
    // --- structure ---
    void openStandard(int depthBefore);
    void closeStandard(int depthBefore);
    void openOld(char16_t tag);
    void closeOld();
    RecordSequence* makeBranch(RecordSequence* parent, int linkMove, int firstMove, SequenceKind kind);
    void startSkipping(int depthBefore) {
        m_skipping = true;
        m_skipBelow = depthBefore;
        ++m_result.dropped;
        ++m_result.losses.branches;
    }
    // The node a comment without its own move goes to: the move the line stands at (none at the
    // start, nor on handicap stones, which the start position holds without texts).
    void resetCommentTarget(RecordSequence* s, int moveNumber) {
        m_commentSeq = s;
        const bool handicap = s == m_result.main.get() && moveNumber == 1 && s->handicapCount() >= 2;
        m_commentIndex = moveNumber >= 1 && !handicap ? s->findNodeIndex(moveNumber) : -1;
        if (m_commentIndex >= 0 && !s->node(m_commentIndex).isMoveOrPass())
            m_commentIndex = -1; // setup stones keep no text
    }

    // --- nodes ---
    void collect(SgfToken token);
    void flushNode();
    void applyProperty(const PendingProperty& p);
    std::u16string_view val(const PendingProperty& p, std::uint32_t i = 0) const {
        return m_scanner->text(m_scanner->heldValues()[p.firstValue + i]);
    }
    SgfTextRules rules() const {
        return m_result.familyFile && !m_standardText ? SgfTextRules::Family : SgfTextRules::Standard;
    }
    std::u16string_view simple(std::u16string_view raw) {
        m_scratch.clear();
        appendSimpleText(raw, rules(), m_scratch);
        return m_scratch;
    }

    void applyMove(Colour colour, std::u16string_view value);
    void applySetup(Colour colour, const PendingProperty& p);
    void whiteStonesAtStart();
    void applyMark(MarkKind kind, const PendingProperty& p);
    void applyLabel(const PendingProperty& p);
    void applyComment(std::u16string_view raw);
    void keepRootProperty(std::u16string_view id, const PendingProperty& p);
    void applyResult(const PendingProperty& p);
    void applyDate(const PendingProperty& p);
    void applyPlayer(std::u16string_view raw, bool black);
    bool append(const RecordNode& n, bool commentTarget);
    // A comment in a node with marks is the move's comment; only the family's own files give a mark
    // a node of its own with the mark's comment.
    bool marksTakeComment() const { return m_result.familyFile && !m_nodeHasMove && !m_inRoot; }
    // Appends a mark; in the family's files a mark in a node without a move takes that node's
    // comment (in their older files also the comments of the nodes after it, as a move would).
    void appendMark(const RecordNode& n, std::u16string_view labelText = {}) {
        const bool takes = marksTakeComment();
        if (const int same = sameMark(n, labelText); same >= 0) { // given twice for one move: once
            if (takes) m_nodeMarkIndex = same;
            return;
        }
        if (!append(n, takes && !m_standardText)) return;
        noteMark(n);
        if (takes) m_nodeMarkIndex = m_cur->nodeCount() - 1;
        ++m_nodeMarks;
    }
    // The index of a mark of the current move like `n` (for a label, with the text), or -1.
    int sameMark(const RecordNode& n, std::u16string_view labelText) {
        // Most marks stand on a point that holds no other mark of the move: the points marked are
        // kept while marks are appended to the same move, and looked up before the nodes are.
        const int count = m_cur->nodeCount();
        if (!m_marked.keeps(m_cur, n.moveNumber, count)) {
            m_marked = {m_cur, n.moveNumber, count, {}};
            for (int i = count - 1; i >= 0 && m_cur->node(i).moveNumber == n.moveNumber; --i)
                if (m_cur->node(i).isMark() && m_cur->node(i).hasPoint())
                    m_marked.points.set(pointIndex(m_cur->node(i)));
        }
        if (!m_marked.points.test(pointIndex(n))) return -1;
        for (int i = m_cur->nodeCount() - 1; i >= 0 && m_cur->node(i).moveNumber == n.moveNumber; --i) {
            const RecordNode& k = m_cur->node(i);
            if (!k.isMark() || k.x != n.x || k.y != n.y || k.data1 != n.data1) continue;
            if (k.isLabel() ? m_cur->commentOf(k) == labelText : k.data2 == n.data2) return i;
        }
        return -1;
    }
    // After `n` was appended as the last node of the current sequence.
    void noteMark(const RecordNode& n) {
        if (!m_marked.keeps(m_cur, n.moveNumber, m_cur->nodeCount() - 1))
            return; // not the move the points are kept for: found again at its next mark
        m_marked.points.set(pointIndex(n));
        ++m_marked.count;
    }
    static std::size_t pointIndex(const RecordNode& n) { return static_cast<std::size_t>(n.y) * 19 + n.x; }

    void finish();

    std::u16string_view m_text;
    const SgfReadOptions& m_options;
    SgfReadResult m_result;
    RecordSequence* m_cur = nullptr;
    int m_move = 0; // number of the last move of the current line
    int m_depth = 0;
    bool m_ff4Seen = false;
    bool m_whiteSetupFirst = false; // "AW[" stands before the first move
    bool m_handicapPhase = true;    // only handicap stones so far in the main record
    bool m_standardText = false;    // the family's file says its texts follow FF[4]
    bool m_inRoot = true;           // the properties being read stand in the root node
    bool m_sawNode = false;         // a ";" was met
    bool m_nodeHasMove = false;     // the node being applied holds a move or pass
    int m_nodeMarkIndex = -1;       // the mark of the node being applied that takes its comment
    int m_nodeMarks = 0;            // marks and setup stones of the node being applied
    struct MarkedPoints {
        const RecordSequence* sequence = nullptr; // the sequence and move whose marks are kept,
        int move = -1;                            // while it holds `count` nodes
        int count = -1;
        std::bitset<19 * 19> points;
        bool keeps(const RecordSequence* s, int m, int c) const { return sequence == s && move == m && count == c; }
    };
    MarkedPoints m_marked;                        // the points that hold a mark of the move being marked (see sameMark)
    std::vector<RecordSequence*> m_noteSequences; // where notes were made for comments without a move
    std::vector<RecordSequence*> m_branches;      // every variation made, each after its parent

    struct Fork {
        RecordSequence* sequence;
        int moveNumber;
        int depth;
        bool variation;
    };
    std::vector<Fork> m_forks;
    // Old dialect: the sequences entered, innermost last.
    std::vector<RecordSequence*> m_path;
    bool m_checkFirstMove = false; // old dialect: a variation whose first move decides its kind

    bool m_skipping = false;
    int m_skipBelow = 0;

    RecordSequence* m_commentSeq = nullptr;
    int m_commentIndex = -1;

    SgfScanner* m_scanner = nullptr;      // the scan of run(), holding the values of m_props
    std::vector<PendingProperty> m_props; // the properties of the node being read
    std::uint64_t m_propTokens = 0;       // their tokens, by tokenBit
    std::u16string m_scratch;
    std::u16string m_comment;
    ValuePool m_pool;
    std::u16string m_rootExtras; // PL and AE of the root node
    std::u16string m_rawResult;  // RE and DT in a form the header cannot hold
    std::u16string m_rawDate;
};

SgfReadResult SgfBuilder::run() {
    const std::size_t start = findGameStart(m_text);
    if (start == std::u16string_view::npos) {
        m_result.ok = false;
        return std::move(m_result);
    }
    m_result.ok = true;
    m_whiteSetupFirst = whiteSetupBeforeFirstMove(m_text.substr(start));
    if (m_whiteSetupFirst) m_result.info.flags |= kFlagSetupStones;
    SgfScanner scanner(m_text, start);
    scanner.holdValues();
    m_scanner = &scanner;
    m_result.gamesInFile = 1;
    for (;;) {
        const SgfToken t = scanner.next();
        if (t >= kSgfFF) {
            collect(t);
            continue;
        }
        flushNode();
        if (t == kSgfEnd) break;
        if (t == kSgfSemicolon) {
            if (m_sawNode) m_inRoot = false;
            m_sawNode = true;
            continue;
        }
        const int before = m_depth;
        if (t == kSgfOpen) {
            ++m_depth;
            if (m_depth >= 2) m_inRoot = false;
            m_result.maxNesting = std::max(m_result.maxNesting, m_depth);
            if (m_skipping || m_depth < 2) continue;
            if (m_result.oldDialect) openOld(scanner.openTag());
            else openStandard(before);
            continue;
        }
        // ")"
        --m_depth;
        if (m_depth <= 0) { // only the first game tree of a collection is read; the others are counted
            scanner.holdValues(false);
            m_result.gamesInFile = 1 + countGameTrees(scanner);
            break;
        }
        if (m_skipping) {
            if (m_depth <= m_skipBelow) m_skipping = false;
            continue;
        }
        if (m_result.oldDialect) closeOld();
        else closeStandard(before);
    }
    finish();
    return std::move(m_result);
}

// --- structure, standard dialect -------------------------------------------------------------------

void SgfBuilder::openStandard(int depthBefore) {
    if (m_forks.empty()) m_forks.push_back({m_result.main.get(), 0, 1, false});
    // Nesting the fork stack cannot follow is left out whole (counted), rather than hung on a fork
    // further out.
    if (static_cast<int>(m_forks.size()) >= kMaxForkEntries) {
        startSkipping(depthBefore);
        return;
    }
    const Fork top = m_forks.back();
    if (m_depth > top.depth) {
        m_forks.push_back({m_cur, m_move, m_depth, false});
        return;
    }
    // A further variation at the fork of the top entry. A fork before the handicap stones is a fork
    // after them: they are the start position.
    int fork = top.moveNumber;
    if (fork == 0 && top.sequence == m_result.main.get() && m_result.main->handicapCount() >= 2) fork = 1;
    RecordSequence* child = makeBranch(top.sequence, fork, fork + 1, kBranch);
    if (!child) {
        startSkipping(depthBefore);
        return;
    }
    m_cur = child;
    m_move = fork;
    // A comment before the variation's first move (a problem's "Position #3", an answer tag) is
    // the variation's own: a note at its start keeps it.
    m_commentSeq = child;
    m_commentIndex = -1;
    m_forks.push_back({child, fork, m_depth, true});
}

void SgfBuilder::closeStandard(int depthBefore) {
    if (m_forks.empty()) return;
    const Fork& top = m_forks.back();
    if (!top.variation && top.depth <= depthBefore) return;
    while (!m_forks.empty()) {
        m_forks.pop_back();
        if (m_forks.empty()) break;
        const Fork& now = m_forks.back();
        m_cur = now.sequence;
        m_move = m_cur->lastMoveNumber();
        if (!now.variation && now.depth <= depthBefore) break;
    }
    resetCommentTarget(m_cur, m_move);
}

RecordSequence* SgfBuilder::makeBranch(RecordSequence* parent, int linkMove, int firstMove, SequenceKind kind) {
    if (parent->depth() + 1 > kMaxSequenceDepth || parent->nodeCount() >= RecordSequence::kMaxNodes) return nullptr;
    // While the file is read, links are made here only, each with a child in the lowest free slot
    // and the lowest free branch number, and a child goes only with its link: the branch numbers in
    // use are the slots in use, and the new child's slot is the lowest free branch number (without
    // looking through the parent's nodes for it).
    RecordSequence* child = parent->createChild(parent->depth() + 1, firstMove, kind);
    if (!child) return nullptr;
    const int branchNumber = child->slot();
    RecordNode link;
    link.type = NodeType::Link;
    link.moveNumber = static_cast<std::int16_t>(linkMove);
    link.x = link.y = kNoPoint;
    link.childSlot = static_cast<std::uint8_t>(child->slot());
    link.branchNumber = static_cast<std::uint8_t>(branchNumber);
    link.flags = kind;
    // A link after the last move of its parent goes at the end, as inserting it there would put it
    // (appending spares the search for its place and the count of the parent's moves).
    const bool atEnd = linkMove >= 1 && linkMove >= parent->lastMoveNumber();
    if (!(atEnd ? parent->appendNode(link) : parent->insertNode(linkMove, link))) {
        parent->destroyChild(child->slot());
        return nullptr;
    }
    child->setBranchNumber(branchNumber);
    m_branches.push_back(child);
    return child;
}

// --- structure, the family's old dialect ---------------------------------------------------------

void SgfBuilder::openOld(char16_t tag) {
    RecordSequence* parent = m_cur;
    const bool reference = (tag == u'R' || tag == u'r') && m_move >= 1;
    RecordSequence* child =
        reference ? makeBranch(parent, m_move, m_move, kReference) : makeBranch(parent, m_move, m_move + 1, kBranch);
    if (!child) {
        startSkipping(m_depth - 1);
        return;
    }
    m_path.push_back(parent);
    resetCommentTarget(parent, m_move);
    m_cur = child;
    if (reference) --m_move;
    m_checkFirstMove = !reference;
}

void SgfBuilder::closeOld() {
    if (m_path.empty()) return;
    m_cur = m_path.back();
    m_path.pop_back();
    m_move = m_cur->lastMoveNumber();
    m_checkFirstMove = false;
    resetCommentTarget(m_cur, m_move);
}

// --- nodes -----------------------------------------------------------------------------------------

void SgfBuilder::collect(SgfToken token) {
    if (token == kSgfUnknown || token == kSgfGM || m_skipping) {
        m_scanner->releaseValues(m_scanner->firstValueIndex());
        return;
    }
    m_props.push_back({token, static_cast<std::uint32_t>(m_scanner->firstValueIndex()),
                       static_cast<std::uint32_t>(m_scanner->values().size())});
    m_propTokens |= tokenBit(token);
}

// Applies the properties of one node: FF and AP first (they decide how the rest is read), then the
// move, then everything else in file order, the comments last.
void SgfBuilder::flushNode() {
    if (m_props.empty()) return;
    const std::uint64_t tokens = m_propTokens;
    m_propTokens = 0;
    if (tokens & (tokenBit(kSgfFF) | tokenBit(kSgfAP))) { // (mostly neither)
        for (const PendingProperty& p : m_props) {
            if (p.token == kSgfFF) {
                if (parseLeadingInteger(val(p)) == 4) m_ff4Seen = true;
            } else if (p.token == kSgfAP) {
                const std::u16string_view v = val(p);
                if (startsWith(v, kFamilyApplicationMark)) {
                    if (!m_result.familyFile) {
                        m_result.familyFile = true;
                        m_result.oldDialect = !m_ff4Seen;
                    }
                    applyFamilyApplication(v, m_result.info);
                    m_standardText = v.find(kStandardTextField) != std::u16string_view::npos;
                    if (m_whiteSetupFirst) m_result.info.flags |= kFlagSetupStones; // the file's stones say so
                    if (m_result.info.flags & kFlagHandicapNumbering) m_result.main->setNumberOffset(-1);
                }
            }
        }
    }
    m_nodeHasMove = false;
    constexpr std::uint64_t kMoves = tokenBit(kSgfB) | tokenBit(kSgfW);
    constexpr std::uint64_t kComments = tokenBit(kSgfC) | tokenBit(kSgfN);
    if (tokens & kMoves)
        for (const PendingProperty& p : m_props)
            if (p.token == kSgfB || p.token == kSgfW) applyMove(p.token == kSgfB ? kBlack : kWhite, val(p));
    // (FF and AP are read above, and a move or comment is no other property.)
    if (tokens & ~(kMoves | kComments | tokenBit(kSgfFF) | tokenBit(kSgfAP)))
        for (const PendingProperty& p : m_props)
            if ((tokenBit(p.token) & kComments) == 0) applyProperty(p);
    // The node's name, which the record has no place for, opens its comment; then every comment
    // of the node, in file order (a node may hold more than one C).
    if (tokens & kComments) {
        for (const PendingProperty& p : m_props)
            if (p.token == kSgfN && !val(p).empty()) applyComment(val(p));
        for (const PendingProperty& p : m_props)
            if (p.token == kSgfC) applyComment(val(p));
    }
    m_nodeMarkIndex = -1;
    m_nodeMarks = 0;
    m_props.clear();
    m_scanner->releaseValues();
}

void SgfBuilder::applyProperty(const PendingProperty& p) {
    GameInfo& info = m_result.info;
    switch (p.token) {
    case kSgfSZ:
        if (parseSgfBoardSize(val(p), m_result.boardColumns, m_result.boardRows))
            info.board = m_result.boardColumns == 13 ? 1 : 0;
        break;
    case kSgfHA: info.handicap = static_cast<std::int16_t>(parseLeadingInteger(val(p))); break;
    case kSgfKM: info.komi = static_cast<float>(parseLeadingDecimal(val(p))); break;
    case kSgfRE: applyResult(p); break;
    case kSgfAB: applySetup(kBlack, p); break;
    case kSgfAW: applySetup(kWhite, p); break;
    case kSgfPB: applyPlayer(val(p), true); break;
    case kSgfPW: applyPlayer(val(p), false); break;
    case kSgfDT: applyDate(p); break;
    case kSgfPL:
        // Who plays next: at the start it is the game's; later in the record it has no place.
        if (m_inRoot) keepRootProperty(u"PL", p);
        else ++m_result.losses.playerToMove;
        break;
    case kSgfAE:
        if (m_inRoot) keepRootProperty(u"AE", p);
        else m_result.losses.clearedPoints += static_cast<int>(p.valueCount);
        break;
    case kSgfEV: m_pool.keep(m_pool.ev, m_pool.hasEv, simple(val(p))); break;
    case kSgfGC:
        if (!m_inRoot) { // a game comment inside the record is a comment there
            applyComment(val(p));
            break;
        }
        m_pool.keep(m_pool.gc, m_pool.hasGc, simple(val(p)));
        m_pool.gcRaw.clear();
        appendCommentText(val(p), rules(), m_pool.gcRaw);
        break;
    case kSgfGN: m_pool.keep(m_pool.gn, m_pool.hasGn, simple(val(p))); break;
    case kSgfRO: m_pool.keep(m_pool.ro, m_pool.hasRo, simple(val(p))); break;
    case kSgfBR: m_pool.keep(m_pool.br, m_pool.hasBr, simple(val(p))); break;
    case kSgfWR: m_pool.keep(m_pool.wr, m_pool.hasWr, simple(val(p))); break;
    case kSgfPC: m_pool.keep(m_pool.pc, m_pool.hasPc, simple(val(p))); break;
    case kSgfCR: applyMark(kMarkCircle, p); break;
    case kSgfSQ: applyMark(kMarkSquare, p); break;
    case kSgfTR: applyMark(kMarkTriangle, p); break;
    case kSgfMA: applyMark(kMarkCross, p); break;
    case kSgfLB: applyLabel(p); break;
    default:
        // The rest of the game information belongs to the root, kept as it stands; the same again
        // further on is left alone.
        if (const char16_t* id = keptRootPropertyId(p.token); id && m_inRoot) keepRootProperty(id, p);
        break;
    }
}

bool SgfBuilder::append(const RecordNode& n, bool commentTarget) {
    if (!m_cur->appendNode(n)) {
        ++m_result.dropped;
        if (n.isLabel() && m_cur->nodeCount() < RecordSequence::kMaxNodes) ++m_result.losses.labels;
        else ++m_result.losses.nodes;
        return false;
    }
    if (commentTarget) {
        m_commentSeq = m_cur;
        m_commentIndex = m_cur->nodeCount() - 1;
    }
    return true;
}

void SgfBuilder::applyMove(Colour colour, std::u16string_view value) {
    int x = kNoPoint, y = kNoPoint;
    SgfPointKind kind = parseSgfPoint(value, x, y);
    if (kind == SgfPointKind::Invalid) {
        if (!trimTrailingBlanks(value).empty()) return; // not a point: skipped
        kind = SgfPointKind::Pass;                      // "B[]" is a pass in FF[4]
    }
    if (m_cur->nodeCount() >= RecordSequence::kMaxNodes) {
        ++m_result.dropped;
        ++m_result.losses.nodes;
        return;
    }
    RecordSequence& main = *m_result.main;
    // Old files: a variation whose first move is of the other colour replaces the move before.
    if (m_checkFirstMove) {
        m_checkFirstMove = false;
        const int linkIndex = m_cur->parent() ? m_cur->parent()->findLink(m_cur) : -1;
        if (colour != colourOfMove(m_move + 1) && m_move >= 1 && linkIndex >= 0 && m_cur->nodeCount() == 0) {
            RecordNode& link = m_cur->parent()->node(linkIndex);
            link.flags = kReference;
            m_cur->setKind(kReference);
            m_cur->setFirstMoveNumber(m_move);
            --m_move;
        }
    }
    // A line that opens with White's move in a game without handicap stones: Black passed first.
    if (colour == kWhite && m_move == 0 && main.handicapCount() < 2 && m_cur->firstMoveNumber() <= 1) {
        RecordNode blackPass = makeMoveNode(1, kNoPoint, kNoPoint);
        blackPass.data2 = kBlack;
        if (!append(blackPass, true)) return;
        m_move = 1;
        if (m_cur == &main) m_handicapPhase = false;
    }
    RecordNode n =
        makeMoveNode(m_move + 1, kind == SgfPointKind::Pass ? kNoPoint : x, kind == SgfPointKind::Pass ? kNoPoint : y);
    if (kind == SgfPointKind::Point) n.type = colour == kBlack ? NodeType::BlackMove : NodeType::WhiteMove;
    else n.data2 = colour; // the player who passed, whatever the move number says
    if (!append(n, true)) return;
    m_nodeHasMove = true;
    ++m_move;
    if (m_cur == &main) m_handicapPhase = false;
}

// White stones in the starting position make it a setup position: black stones there are setup
// stones too, also those already taken as handicap stones.
void SgfBuilder::whiteStonesAtStart() {
    RecordSequence& main = *m_result.main;
    m_result.info.flags |= kFlagSetupStones;
    if (main.handicapCount() == 0) return;
    // Everything of move 1 so far belongs to the start position, move 0.
    for (int i = 0; i < main.nodeCount(); ++i) {
        RecordNode& k = main.node(i);
        if (k.moveNumber != 1) continue;
        if (k.type == NodeType::BlackMove) k.type = NodeType::BlackSetup;
        k.moveNumber = 0;
        if (k.isLabel()) main.registerLabel(k);
        if (k.isLink()) {
            RecordSequence* c = main.child(k.childSlot);
            if (!c) continue;
            shiftSubtree(*c, -1);
            // White's move 2 after handicap stones is White's first move now: Black passed first.
            for (const RecordNode& m : c->nodes()) {
                if (!m.isMoveOrPass()) continue;
                if (m.type == NodeType::WhiteMove && m.moveNumber == 1)
                    c->insertNode(0, makeMoveNode(1, kNoPoint, kNoPoint));
                break;
            }
        }
    }
    leadingSetupFirst(main);
    main.setHandicapCount(0);
    main.updateLastMoveNumber();
    for (Fork& f : m_forks)
        if (f.sequence == &main && f.moveNumber == 1) f.moveNumber = 0;
    if (m_commentSeq == &main) m_commentIndex = -1;
    m_result.handicapStones = 0;
    m_move = 0;
}

void SgfBuilder::applySetup(Colour colour, const PendingProperty& p) {
    RecordSequence& main = *m_result.main;
    const bool atStart = m_cur == &main && m_handicapPhase;
    if (atStart && colour == kWhite && p.valueCount > 0 && !(m_result.info.flags & kFlagSetupStones))
        whiteStonesAtStart();
    const bool setupFlags = (m_result.info.flags & (kFlagSetupStones | kFlagExtendedHeader)) != 0;
    for (std::uint32_t i = 0; i < p.valueCount; ++i) {
        forEachListPoint(val(p, i), [&](int x, int y) {
            ++m_nodeMarks;
            RecordNode n;
            n.x = static_cast<std::uint8_t>(x);
            n.y = static_cast<std::uint8_t>(y);
            if (atStart && colour == kBlack && !setupFlags && (m_move == 0 || main.handicapCount() > 0)) {
                n.type = NodeType::BlackMove;
                n.moveNumber = 1;
                if (!append(n, false)) return;
                main.setHandicapCount(main.handicapCount() + 1);
                m_result.handicapStones = main.handicapCount();
                m_move = 1;
                return;
            }
            n.type = colour == kBlack ? NodeType::BlackSetup : NodeType::WhiteSetup;
            if (atStart && m_move == 0) {
                n.moveNumber = 0;
                if (!main.insertNode(0, n)) {
                    ++m_result.dropped;
                    ++m_result.losses.nodes;
                    return;
                }
                main.setLeadingSetupCount(main.leadingSetupCount() + 1);
                if (m_commentSeq == &main && m_commentIndex >= 0) ++m_commentIndex; // shifted by the insert
                if (m_cur == &main && m_nodeMarkIndex >= 0) ++m_nodeMarkIndex;
                return;
            }
            n.moveNumber = static_cast<std::int16_t>(m_move);
            append(n, false);
        });
    }
}

void SgfBuilder::applyMark(MarkKind kind, const PendingProperty& p) {
    for (std::uint32_t i = 0; i < p.valueCount; ++i) {
        forEachListPoint(val(p, i), [&](int x, int y) {
            RecordNode n;
            n.type = NodeType::Mark;
            n.moveNumber = static_cast<std::int16_t>(m_move);
            n.x = static_cast<std::uint8_t>(x);
            n.y = static_cast<std::uint8_t>(y);
            n.data1 = kind;
            appendMark(n);
        });
    }
}

void SgfBuilder::applyLabel(const PendingProperty& p) {
    for (std::uint32_t i = 0; i < p.valueCount; ++i) {
        const std::u16string_view v = val(p, i);
        int x = 0, y = 0;
        if (v.size() < 3 || v[2] != u':' || parseSgfPoint(v.substr(0, 2), x, y) != SgfPointKind::Point) continue;
        const std::u16string_view text = simple(v.substr(3));
        RecordNode n;
        n.type = NodeType::Mark;
        n.moveNumber = static_cast<std::int16_t>(m_move);
        n.x = static_cast<std::uint8_t>(x);
        n.y = static_cast<std::uint8_t>(y);
        if (text.size() == 1 && text[0] >= u'a' && text[0] <= u'z') {
            n.data1 = kMarkLowerLetter;
            n.data2 = static_cast<std::uint8_t>(text[0]);
        } else if (text.size() == 1 && ((text[0] >= u'A' && text[0] <= u'Z') || text[0] == u'+' || text[0] == u'-')) {
            n.data1 = kMarkUpperLetter;
            n.data2 = static_cast<std::uint8_t>(text[0]);
        } else if (!text.empty()) {
            // Any other text (numbers, words) is a text label.
            const std::u16string_view label = text.substr(0, kMaxLabelLength);
            n.data1 = kMarkLabel;
            if (sameMark(n, label) >= 0) continue; // given twice for one move: once
            if (m_cur->labelCount() >= RecordSequence::kMaxLabels || m_cur->nodeCount() >= RecordSequence::kMaxNodes) {
                ++m_result.dropped;
                ++(m_cur->nodeCount() >= RecordSequence::kMaxNodes ? m_result.losses.nodes : m_result.losses.labels);
                continue;
            }
            const int index = m_cur->comments().add(label, m_move, Backslashes::Keep);
            if (index < 0) {
                ++m_result.dropped;
                ++m_result.losses.comments;
                continue;
            }
            n.data1 = kMarkLabel;
            n.comment = static_cast<std::int16_t>(index);
            if (!append(n, false)) continue;
            noteMark(n);
            ++m_nodeMarks; // a mark of the node like any other
            continue;
        }
        appendMark(n);
    }
}

void SgfBuilder::applyComment(std::u16string_view raw) {
    std::size_t at = 0;
    long seconds = -1;
    if (!raw.empty() && raw[0] == u'<') {
        std::size_t j = 1;
        long value = 0;
        while (j < raw.size() && raw[j] >= u'0' && raw[j] <= u'9' && j < 12) value = value * 10 + (raw[j++] - u'0');
        if (j > 1 && j < raw.size() && raw[j] == u'>') {
            seconds = value;
            at = j + 1;
        }
    }
    m_comment.clear();
    appendCommentText(raw.substr(at), rules(), m_comment);
    // The node's own mark, else the node the line's comments go to.
    RecordSequence* seq = m_commentSeq;
    int index = m_commentIndex;
    // (The family's files with FF[4] texts give a mark with a comment a node of its own; a node of
    // more stones and marks holds a comment of the position.)
    if (m_nodeMarkIndex >= 0 && m_nodeMarkIndex < m_cur->nodeCount() && (!m_standardText || m_nodeMarks == 1)) {
        seq = m_cur;
        index = m_nodeMarkIndex;
    }
    if (!seq || index < 0 || index >= seq->nodeCount()) {
        // No move to hang it on (the root comment, a node of setup stones at the start of a line):
        // a note at the move the line stands at keeps the text.
        if (m_comment.empty()) return;
        RecordNode note;
        note.type = NodeType::Mark;
        note.moveNumber = static_cast<std::int16_t>(m_move);
        if (!append(note, true)) {
            ++m_result.losses.comments;
            return;
        }
        if (m_noteSequences.empty() || m_noteSequences.back() != m_cur) m_noteSequences.push_back(m_cur);
        seq = m_commentSeq;
        index = m_commentIndex;
    }
    RecordNode& target = seq->node(index);
    if (seconds >= 0 && (target.isMoveOrPass() || target.isMark())) target.elapsed = encodeElapsed(seconds);
    if (m_comment.empty()) return;
    const std::u16string_view old = seq->commentOf(target);
    if (!old.empty()) m_comment.insert(0, std::u16string(old) + u"\r\n");
    if (!seq->setComment(index, m_comment, Backslashes::Keep)) ++m_result.losses.comments;
}

// Keeps a property the header has no field for, as it stands, for the writer to give back in the
// root node. A result or date given again replaces the one kept.
void SgfBuilder::keepRootProperty(std::u16string_view id, const PendingProperty& p) {
    std::u16string text(id);
    const bool single = id == u"RE" || id == u"DT"; // one value is read; one is given back
    for (std::uint32_t i = 0; i < (single ? std::min(p.valueCount, 1u) : p.valueCount); ++i)
        text.append(u"[").append(val(p, i)).append(u"]");
    if (id == u"RE") m_rawResult = std::move(text);
    else if (id == u"DT") m_rawDate = std::move(text);
    else m_rootExtras.append(text);
}

// A result in any other form than the one the writer gives back ("White resigns.", "B", "?") is
// kept as it stands beside what could be read of it.
void SgfBuilder::applyResult(const PendingProperty& p) {
    GameInfo& info = m_result.info;
    const std::u16string_view value = val(p);
    GameInfo read;
    const bool parsed = parseSgfResult(value, read.winner, read.margin);
    // The file's last word on the result counts: one the fields cannot hold leaves the game in play.
    info.winner = parsed ? read.winner : static_cast<std::int16_t>(kInPlay);
    info.margin = parsed ? read.margin : 0.0f;
    m_rawResult.clear();
    if (!parsed || sgfResultText(read) != std::u16string(u"RE[").append(value).append(u"]")) keepRootProperty(u"RE", p);
}

// A date: what can be read goes into the header; a date in any other form than the writer's
// "YYYY-MM-DD" is kept as it stands too.
void SgfBuilder::applyDate(const PendingProperty& p) {
    const std::u16string_view text = simple(val(p));
    const GameDate d = parseDate(text);
    GameDate& date = m_result.info.startDate;
    date.year = d.year;
    date.month = d.month;
    date.day = d.day;
    m_rawDate.clear();
    if (text != sgfDateText(d)) keepRootProperty(u"DT", p);
}

void SgfBuilder::applyPlayer(std::u16string_view raw, bool black) {
    const std::u16string name(trimTrailingBlanks(simple(raw)));
    GameInfo& info = m_result.info;
    (black ? info.blackName : info.whiteName) = name;
    if (!m_options.members || name.empty()) return;
    const int member = m_options.members->findOrCreate(name);
    if (member >= 0) (black ? info.blackPlayer : info.whitePlayer) = member;
}

// --- after the scan --------------------------------------------------------------------------------

// Within the nodes of one move (the move, its setup stones, marks and the links of the sequences
// hanging after it) the links come last: a file gives the same record however its nodes and
// variations were interleaved.
void linksLastIn(RecordSequence& s) {
    if (s.highestChildSlot() == 0) return; // no links
    thread_local std::vector<RecordNode> links;
    for (int i = 0; i < s.nodeCount();) {
        // The nodes of one move; only a node after a link there needs the links moved.
        int j = i;
        bool linkSeen = false, afterLink = false;
        for (; j < s.nodeCount() && s.node(j).moveNumber == s.node(i).moveNumber; ++j) {
            afterLink |= linkSeen && !s.node(j).isLink();
            linkSeen |= s.node(j).isLink();
        }
        if (afterLink) {
            links.clear();
            int to = i;
            for (int k = i; k < j; ++k) {
                if (s.node(k).isLink()) links.push_back(s.node(k));
                else s.node(to++) = s.node(k);
            }
            for (const RecordNode& link : links) s.node(to++) = link;
            for (int k = i; k < j; ++k) s.node(k).index = static_cast<std::uint16_t>(k);
        }
        i = j;
    }
}

// With handicap stones the start position is the handicap stones, first in the record; marks and
// labels given before them belong to the start position too (move 1, as the writer's file gives
// them back).
// Moves a sequence and everything hanging off it by `delta` move numbers, texts and labels too.
void shiftSubtree(RecordSequence& s, int delta) {
    s.setFirstMoveNumber(s.firstMoveNumber() + delta);
    for (int i = 0; i < s.nodeCount(); ++i) {
        RecordNode& k = s.node(i);
        k.moveNumber = static_cast<std::int16_t>(k.moveNumber + delta);
        if (k.isLabel()) s.registerLabel(k);
        else if (k.comment >= 0) s.comments().setMoveNumber(k.comment, k.moveNumber);
        if (k.isLink())
            if (RecordSequence* c = s.child(k.childSlot)) shiftSubtree(*c, delta);
    }
    s.updateLastMoveNumber();
}

void gatherHandicapStones(RecordSequence& main) {
    // Variations made before the handicap stones were read hang after them.
    for (int i = 0; i < main.nodeCount(); ++i) {
        RecordNode& k = main.node(i);
        if (!k.isLink() || k.moveNumber != 0) continue;
        k.moveNumber = 1;
        if (RecordSequence* c = main.child(k.childSlot)) shiftSubtree(*c, 1);
    }
    auto isHandicap = [](const RecordNode& k) { return k.type == NodeType::BlackMove && k.moveNumber == 1; };
    std::vector<RecordNode> ordered;
    ordered.reserve(static_cast<std::size_t>(main.nodeCount()));
    for (const RecordNode& k : main.nodes())
        if (isHandicap(k)) ordered.push_back(k);
    for (const RecordNode& k : main.nodes())
        if (!isHandicap(k)) ordered.push_back(k);
    for (int i = 0; i < main.nodeCount(); ++i) {
        RecordNode& k = main.node(i);
        k = ordered[static_cast<std::size_t>(i)];
        k.index = static_cast<std::uint16_t>(i);
        if (k.isMark() && k.moveNumber == 0) {
            k.moveNumber = 1;
            if (k.isLabel()) main.registerLabel(k);
        }
    }
}

// Takes out the variations of `s` that the hoisting left holding nothing, but the one whose link
// stands at `keep` (which follows its link): the tidying after the hoisting would drop them, and
// the slots they hold are wanted now. Returns whether any went.
bool dropEmptiedVariations(RecordSequence& s, int& keep) {
    bool any = false;
    for (int j = s.nodeCount() - 1; j >= 0; --j) {
        const RecordNode& k = s.node(j);
        if (j == keep || !k.isLink()) continue;
        const RecordSequence* e = s.child(k.childSlot);
        if (!e || e->nodeCount() > 0) continue;
        s.removeNode(j);
        if (j < keep) --keep;
        any = true;
    }
    return any;
}

// A variation whose first node is a fork ("(;(;B[aa])(;B[bb]))": variations of its own first move)
// gives those variations to its parent as siblings: the same game without an empty node.
// `whole` turns false when a variation was left without a link or destroyed on the way (the
// reader's list of variations no longer holds the tree then).
void hoistForksAtVariationStart(RecordSequence& s, bool& whole) {
    if (s.highestChildSlot() == 0) return; // no variations
    s.prefetchChildren();
    auto roomForOneMore = [&s] { return s.nextFreeChildSlot() >= 0 && s.nextFreeBranchNumber() >= 0; };
    for (int i = 0; i < s.nodeCount(); ++i) {
        const RecordNode link = s.node(i);
        if (!link.isLink()) continue;
        RecordSequence* c = s.child(link.childSlot);
        if (!c) continue;
        while (link.linkKind() == kBranch && c->kind() == kBranch && c->nodeCount() > 0 && c->node(0).isLink() &&
               c->node(0).linkKind() == kBranch && c->node(0).moveNumber == link.moveNumber) {
            // With every slot taken, the variations emptied by the hoisting make room.
            if (!roomForOneMore()) {
                if (!dropEmptiedVariations(s, i)) break;
                whole = false;
                if (!roomForOneMore()) break;
            }
            std::unique_ptr<RecordSequence> g = c->releaseChild(c->node(0).childSlot);
            c->removeNode(0);
            if (!g || g->kind() != kBranch) {
                whole = false;
                continue;
            }
            RecordNode hoisted = link;
            hoisted.childSlot = static_cast<std::uint8_t>(s.adoptChild(std::move(g)));
            hoisted.branchNumber = static_cast<std::uint8_t>(s.nextFreeBranchNumber());
            if (!s.insertNode(link.moveNumber, hoisted)) whole = false;
        }
        hoistForksAtVariationStart(*c, whole);
    }
}

// A note that stands after a move or note of its number in the same sequence (a variation of
// comments joined onto its line) joins that node's comment, as a comment in a node of its own there
// would. Stones and marks between do not part them; a fork does.
void foldNotesIn(RecordSequence& s) {
    for (int i = 0; i < s.nodeCount(); ++i) {
        const RecordNode note = s.node(i);
        if (!note.isNote()) continue;
        int move = i - 1;
        while (move >= 0 && s.node(move).moveNumber == note.moveNumber &&
               (s.node(move).isSetup() || (s.node(move).isMark() && !s.node(move).isNote())))
            --move;
        if (move < 0 || s.node(move).moveNumber != note.moveNumber) continue;
        if (!s.node(move).isMoveOrPass() && !s.node(move).isNote()) continue;
        const bool handicapStone = s.depth() == 0 && s.handicapCount() >= 2 && note.moveNumber == 1 &&
                                   s.node(move).type == NodeType::BlackMove;
        if (handicapStone) continue; // the start position holds no texts
        std::u16string text(s.commentOf(s.node(move)));
        if (!text.empty()) text.append(u"\r\n");
        text.append(s.commentOf(note));
        if (note.elapsed != 0) s.node(move).elapsed = note.elapsed;
        if (s.setComment(move, text, Backslashes::Keep)) s.removeNode(i--);
    }
}

void foldNotesIntoMoves(RecordSequence& s) {
    foldNotesIn(s);
    for (int slot = 1; slot <= s.highestChildSlot(); ++slot)
        if (RecordSequence* c = s.child(slot)) foldNotesIntoMoves(*c);
}

// A mark given twice for one move (marks of the start position renumbered with the handicap or
// setup stones, or given again by a variation joined onto its line) stands once, as the reader
// keeps it when a node gives it twice.
void dropRepeatedMarksIn(RecordSequence& s) {
    for (int i = s.nodeCount() - 1; i >= 0; --i) {
        const RecordNode& k = s.node(i);
        if (!k.isMark() || k.isNote() || (k.comment >= 0 && !k.isLabel())) continue;
        for (int j = i - 1; j >= 0 && s.node(j).moveNumber == k.moveNumber; --j) {
            const RecordNode& m = s.node(j);
            if (!m.isMark() || m.x != k.x || m.y != k.y || m.data1 != k.data1) continue;
            if (k.isLabel() ? s.commentOf(m) == s.commentOf(k) : m.data2 == k.data2) {
                s.removeNode(i);
                break;
            }
        }
    }
}

// The links of a sequence that lead to a child, by slot.
std::bitset<256> linkedSlots(const RecordSequence& s) {
    std::bitset<256> linked;
    for (const RecordNode& k : s.nodes())
        if (k.isLink()) linked.set(k.childSlot);
    return linked;
}

// Whether a variation opens with a fork (its first node a link to a variation): the hoisting hands
// such forks to its parent.
bool opensWithFork(const RecordSequence& s) {
    return s.parent() && s.kind() == kBranch && s.nodeCount() > 0 && s.node(0).isLink() &&
           s.node(0).linkKind() == kBranch;
}

// What tidyTree does to one sequence whose children are tidied already; the variations it drops are
// added to `gone`. With `forkFirst` the links of a variation that opens with a fork, and those of
// its parent, stay where they are after the tidying (the hoisting reads and inserts them in file
// order), and `*forkFirst` turns true.
void tidySequence(RecordSequence& s, bool repeatedMarks, bool emptyVariations, bool linksLast,
                  std::vector<const RecordSequence*>& gone, bool* forkFirst = nullptr) {
    if (repeatedMarks) dropRepeatedMarksIn(s);
    if (s.highestChildSlot() == 0) return; // no variations (and so no links)
    bool keepLinks = false;
    if (emptyVariations || forkFirst) {
        for (int i = s.nodeCount() - 1; i >= 0; --i) {
            const RecordNode& k = s.node(i);
            if (!k.isLink()) continue;
            const RecordSequence* c = s.child(k.childSlot);
            if (!c) continue;
            if (emptyVariations && c->nodeCount() == 0) {
                gone.push_back(c);
                s.removeNode(i);
            } else if (forkFirst && opensWithFork(*c)) {
                keepLinks = true;
            }
        }
    }
    if (forkFirst && (keepLinks || opensWithFork(s))) {
        *forkFirst = true;
        return;
    }
    if (linksLast) linksLastIn(s);
}

// A variation whose first node is a link, with that link's comment before the numbering. In the
// tidying walk a parent is numbered after its children, and the numbering of such a variation
// changes the comment its parent must read (see endListedNumbering).
struct FirstLink {
    RecordSequence* sequence;
    std::int16_t comment;
};

// readAnswerTag for the link to `c` when c's first node carries `comment`.
void readAnswerTagOf(RecordSequence& c, std::int16_t comment) {
    RecordSequence* parent = c.parent();
    const int link = parent ? parent->findLink(&c) : -1;
    if (link >= 0) setLinkAnswer(parent->node(link), c, comment);
}

// tidyTree over a record every variation of which hangs from a link, with `all` holding them each
// after the one it hangs from: taken backwards, that list gives children before parents without
// following the tree, and the sequences can be fetched from memory ahead of their turn. The
// variations dropped are taken out of `all`. With `firstLinks` each sequence is also numbered (its
// links, branch-kind bits and answer tags) right after it is tidied, while its nodes are at hand,
// until a variation that opens with a fork is met.
void tidyListedTree(RecordSequence& main, std::vector<RecordSequence*>& all, bool repeatedMarks, bool emptyVariations,
                    bool linksLast, bool* forkFirst = nullptr, std::vector<FirstLink>* firstLinks = nullptr) {
    std::vector<const RecordSequence*> gone;
    auto tidy = [&](RecordSequence& s) {
        tidySequence(s, repeatedMarks, emptyVariations, linksLast, gone, forkFirst);
        // A sequence without variations has no links, and the reader set no branch-kind bits on its
        // moves: numbering leaves its nodes as they are.
        if (!firstLinks || (forkFirst && *forkFirst) || s.highestChildSlot() == 0) return;
        if (s.nodeCount() > 0 && s.node(0).isLink()) firstLinks->push_back({&s, s.node(0).comment});
        s.numberLinks(true);
    };
    constexpr std::size_t kAhead = 8;
    for (std::size_t k = all.size(); k-- > 0;) {
        if (k >= kAhead) __builtin_prefetch(all[k - kAhead]);
        if (k >= kAhead / 2) __builtin_prefetch(all[k - kAhead / 2]->nodes().data());
        tidy(*all[k]);
    }
    tidy(main);
    if (gone.empty()) return;
    std::sort(gone.begin(), gone.end());
    std::erase_if(all, [&](const RecordSequence* s) { return std::binary_search(gone.begin(), gone.end(), s); });
}

// The passes over the whole tree that a sequence can take on its own, in one walk, children first
// (the nodes of a sequence are read once while they are at hand): marks given twice stand once
// (`repeatedMarks`), variations that hold nothing are left out (below the links only: a sequence
// no link leads to keeps what it holds) and the links come last in each move (`linksLast`).
void tidyTree(RecordSequence& s, bool repeatedMarks, bool emptyVariations, bool linksLast) {
    const std::bitset<256> linked = emptyVariations ? linkedSlots(s) : std::bitset<256>();
    for (int slot = 1; slot <= s.highestChildSlot(); ++slot)
        if (RecordSequence* c = s.child(slot))
            tidyTree(*c, repeatedMarks, emptyVariations && linked.test(static_cast<std::size_t>(slot)), linksLast);
    std::vector<const RecordSequence*> gone;
    tidySequence(s, repeatedMarks, emptyVariations, linksLast, gone);
}

// Ends numberTreeAndReadAnswerTags for a record just read whose sequences the tidying walk numbered,
// with `all` holding its variations each after the one it hangs from, in the order a walk of the
// tree by slots meets them (true while no variation has moved to another parent): the ids follow
// the list, and the links to variations that open with a link, or whose first comment the folding
// of notes changed (`folded`), read their answer tags as a walk from the main record would.
void endListedNumbering(const std::vector<FirstLink>& firstLinks, const std::vector<RecordSequence*>& all,
                        const std::vector<RecordSequence*>& folded) {
    std::uint32_t next = 1;
    for (RecordSequence* s : all) s->setId(next < 65536 ? next++ : 0);
    for (const FirstLink& f : firstLinks) readAnswerTagOf(*f.sequence, f.comment);
    for (RecordSequence* s : folded)
        if (s->nodeCount() > 0 && !s->node(0).isLink()) readAnswerTagOf(*s, s->node(0).comment);
}

// Setup stones of move 0 in the main record are its start position: they come first and are
// counted as its leading setup stones.
void leadingSetupFirst(RecordSequence& main) {
    auto leading = [](const RecordNode& k) { return k.isSetup() && k.moveNumber == 0; };
    std::vector<RecordNode> ordered(main.nodes().begin(), main.nodes().end());
    std::stable_partition(ordered.begin(), ordered.end(), leading);
    int setup = 0;
    for (int i = 0; i < main.nodeCount(); ++i) {
        main.node(i) = ordered[static_cast<std::size_t>(i)];
        main.node(i).index = static_cast<std::uint16_t>(i);
        setup += leading(main.node(i));
    }
    main.setLeadingSetupCount(setup);
}

void SgfBuilder::finish() {
    GameInfo& info = m_result.info;
    RecordSequence& main = *m_result.main;
    const bool gcIsComment = gcIsGameComment(info.flags, m_result.familyFile, m_standardText);
    const bool gcNames = gcNamesGame(gcIsComment, m_result.familyFile, m_pool.gc, m_pool.gcRaw);
    std::u16string name;
    if (m_pool.hasEv) appendNamePart(name, m_pool.ev);
    else if (m_pool.hasGc && gcNames) appendNamePart(name, m_pool.gc);
    if (m_pool.hasGn) appendNamePart(name, m_pool.gn);
    if (m_pool.hasRo) appendNamePart(name, m_pool.ro);
    m_result.poolName = std::move(name);
    if ((gcIsComment || !m_result.familyFile) && m_pool.hasGc && info.gameComment.empty())
        info.gameComment = m_pool.gcRaw;
    if (m_pool.hasBr || m_pool.hasWr || m_pool.hasPc) info.carriedText = ranksAndPlace(m_pool);
    info.sgfRootExtras = m_rawResult + m_rawDate + m_rootExtras;
    if (m_options.problemMode && info.startFlags == 0) {
        info.type = 3;
        info.startFlags = 0x40;
    }
    if (main.handicapCount() >= 2) gatherHandicapStones(main);
    // Marks renumbered with the start position's stones stand once; only the main record has such
    // marks (the reader gives a mark once per move of a line, and nothing else renumbers marks
    // before this). Empty variations go first too: they would hold child slots and branch numbers
    // the hoisting needs. The links come last in the same walk, but for a variation that opens with
    // a fork and its parent: when there is one, the forks are hoisted and the tree is walked again
    // for what that changed. Without one the hoisting has nothing to do and every empty variation
    // is gone already (children are tidied before their parents). Without continuations to join,
    // each sequence is numbered in the same walk too, while no variation opens with a fork.
    dropRepeatedMarksIn(main);
    bool forkFirst = false;
    const bool merge = m_options.mergeContinuations && m_result.maxNesting >= 5;
    std::vector<FirstLink> firstLinks;
    tidyListedTree(main, m_branches, false, true, true, &forkFirst, merge ? nullptr : &firstLinks);
    if (forkFirst) {
        // The whole tree is numbered after the hoisting, from the links as they were read.
        for (const FirstLink& f : firstLinks) f.sequence->node(0).comment = f.comment;
        bool whole = true;
        hoistForksAtVariationStart(main, whole);
        if (whole) tidyListedTree(main, m_branches, false, true, true);
        else tidyTree(main, false, true, true);
    }
    // (Sequences live on through the passes above: variations move, only empty ones go.)
    std::sort(m_noteSequences.begin(), m_noteSequences.end());
    m_noteSequences.erase(std::unique(m_noteSequences.begin(), m_noteSequences.end()), m_noteSequences.end());
    for (RecordSequence* s : m_noteSequences) foldNotesIn(*s);
    main.updateLastMoveNumber();
    if (merge) main.numberTree();
    const bool joined = merge && joinContinuations(main) > 0;
    if (joined) {
        // Setup stones of a variation before the first move that joined the main line are part of
        // the start position now.
        if (main.handicapCount() < 2) leadingSetupFirst(main);
        tidyTree(main, true, false, true); // a joined variation may give a mark its line gives already
        if (!m_noteSequences.empty()) foldNotesIntoMoves(main);
    }
    if (forkFirst || merge) main.numberTreeAndReadAnswerTags();
    else endListedNumbering(firstLinks, m_branches, m_noteSequences);
    if (main.handicapCount() >= 2) main.setNumberOffset(-1);
}

} // namespace

bool parseSgfBoardSize(std::u16string_view value, int& columns, int& rows) {
    std::size_t used = 0;
    const long a = parseLeadingInteger(value, &used);
    if (used == 0 || a <= 0) return false;
    long b = a;
    std::u16string_view rest = value.substr(used);
    while (!rest.empty() && rest.front() == u' ') rest.remove_prefix(1);
    if (!rest.empty() && rest.front() == u':') {
        std::size_t more = 0;
        b = parseLeadingInteger(rest.substr(1), &more);
        if (more == 0 || b <= 0) b = a;
    }
    columns = static_cast<int>(std::min(a, 999L));
    rows = static_cast<int>(std::min(b, 999L));
    return true;
}

SgfReadResult readSgf(std::u16string_view text, const GameInfo& start, const SgfReadOptions& options) {
    SgfBuilder builder(text, start, options);
    return builder.run();
}

bool parseSgfResult(std::u16string_view value, std::int16_t& winner, float& margin) {
    if (trimTrailingBlanks(value) == u"0") {
        winner = kJigo;
        margin = 0.0f;
        return true;
    }
    if (value.size() < 2 || value[1] != u'+') return false;
    const char16_t colour = value[0] | 0x20;
    if (colour != u'b' && colour != u'w') return false;
    winner = colour == u'b' ? kBlackWins : kWhiteWins;
    const char16_t how = value.size() > 2 ? (value[2] | 0x20) : 0;
    if (how == u'r') margin = kMarginResignation;
    else if (how == u't') margin = kMarginOnTime;
    else margin = static_cast<float>(parseLeadingDecimal(value.substr(2)));
    return true;
}

SgfHeader preReadSgfHeader(std::u16string_view text, MemberDirectory* members) {
    SgfHeader out;
    const std::size_t start = findGameStart(text);
    if (start == std::u16string_view::npos) return out;
    out.ok = true;
    GameInfo& info = out.info;
    if (whiteSetupBeforeFirstMove(text.substr(start))) info.flags |= kFlagSetupStones;
    bool ff4 = false;
    bool family = false;
    bool standardText = false;
    std::u16string parts[3]; // EV, GN, RO
    bool hasPart[3] = {false, false, false};
    std::u16string gc;
    std::u16string_view gcRaw;
    bool hasGc = false;
    std::u16string scratch;
    SgfScanner scanner(text, start);
    auto simple = [&](std::u16string_view raw) -> std::u16string_view {
        scratch.clear();
        appendSimpleText(raw, family ? SgfTextRules::Family : SgfTextRules::Standard, scratch);
        return trimTrailingBlanks(scratch);
    };
    for (SgfToken t = scanner.next(); t != kSgfEnd && t != kSgfB; t = scanner.next()) {
        const std::u16string_view v = scanner.firstValue();
        switch (t) {
        case kSgfFF: ff4 |= parseLeadingInteger(v) == 4; break;
        case kSgfSZ:
            if (parseSgfBoardSize(v, out.boardColumns, out.boardRows)) info.board = out.boardColumns == 13 ? 1 : 0;
            break;
        case kSgfHA: info.handicap = static_cast<std::int16_t>(parseLeadingInteger(v)); break;
        case kSgfKM: info.komi = static_cast<float>(parseLeadingDecimal(v)); break;
        case kSgfRE: parseSgfResult(v, info.winner, info.margin); break;
        case kSgfAP:
            if (startsWith(v, kFamilyApplicationMark)) {
                family = true;
                standardText = v.find(kStandardTextField) != std::u16string_view::npos;
                applyFamilyApplication(v, info);
            }
            break;
        case kSgfAB:
            if ((info.flags & (kFlagSetupStones | kFlagExtendedHeader)) == 0) {
                for (std::size_t i = 0; i < scanner.values().size(); ++i)
                    forEachListPoint(scanner.value(i), [&](int, int) { ++out.handicapStones; });
            }
            break;
        case kSgfPB:
        case kSgfPW: {
            const std::u16string name(simple(v));
            (t == kSgfPB ? info.blackName : info.whiteName) = name;
            if (members && !name.empty()) {
                const int member = members->findOrCreate(name);
                if (member >= 0) (t == kSgfPB ? info.blackPlayer : info.whitePlayer) = member;
            }
            break;
        }
        case kSgfDT: {
            const GameDate d = parseDate(simple(v));
            info.startDate.year = d.year;
            info.startDate.month = d.month;
            info.startDate.day = d.day;
            break;
        }
        case kSgfEV: parts[0] = simple(v), hasPart[0] = true; break;
        case kSgfGC: gc = simple(v), gcRaw = v, hasGc = true; break;
        case kSgfGN: parts[1] = simple(v), hasPart[1] = true; break;
        case kSgfRO: parts[2] = simple(v), hasPart[2] = true; break;
        default: break;
        }
    }
    (void)ff4;
    // The name as the whole read gives it.
    if (!hasPart[0] && hasGc && gcNamesGame(gcIsGameComment(info.flags, family, standardText), family, gc, gcRaw)) {
        parts[0] = std::move(gc);
        hasPart[0] = true;
    }
    for (int i = 0; i < 3; ++i)
        if (hasPart[i]) appendNamePart(out.proposedName, parts[i]);
    return out;
}

} // namespace stonewise
