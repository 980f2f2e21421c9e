// The SGF reader on small texts: structure, properties, the family's dialects and the text rules.
#include <gtest/gtest.h>

#include <initializer_list>
#include <string>

#include "formats/MemberDirectory.h"
#include "formats/SgfReader.h"
#include "formats/SgfTreeDump.h"
#include "record/Text.h"

namespace stonewise {
namespace {

struct Read {
    InMemoryMembers members;
    SgfReadResult r;
    explicit Read(std::u16string_view text, SgfReadOptions options = {}) {
        options.members = &members;
        r = readSgf(text, GameInfo{}, options);
    }
    const RecordSequence& main() const { return *r.main; }
    std::string tree() const { return test::treeDump(*r.main); }
    const GameInfo& info() const { return r.info; }
};

// An SGF text and the record it reads as (test::treeDump).
struct TreeCase {
    const char16_t* sgf;
    const char* tree;
};

// Reads each text and compares its record; with `readable` each read must also succeed.
void expectTrees(std::initializer_list<TreeCase> cases, bool readable = true) {
    for (const TreeCase& c : cases) {
        Read read(c.sgf);
        if (readable) {
            EXPECT_TRUE(read.r.ok) << toUtf8(c.sgf);
        }
        EXPECT_EQ(read.tree(), c.tree) << toUtf8(c.sgf);
    }
}

TEST(SgfReader, VariationsNestAsTheFileNestsThem) {
    expectTrees({
        // The continuation comes first; the second "(" at a fork is a variation from there.
        {u"(;SZ[19];B[pd];W[dp](;B[pp])(;B[dd];W[qq]))", "1B pd, 2W dp, {2>3 3B dd, 4W qq}, 3B pp"},
        {u"(;B[aa](;W[bb](;B[cc])(;B[dd]))(;W[ee]))", "1B aa, {1>2 2W ee}, 2W bb, {2>3 3B dd}, 3B cc"},
        {u"(;B[aa](;W[bb])(;W[cc](;B[dd])(;B[ee])))", "1B aa, {1>2 2W cc, {2>3 3B ee}, 3B dd}, 2W bb"},
        // Variations of the first move, beside the setup stones of a problem.
        {u"(;AB[aa]AW[bb](;B[cc])(;B[dd])(;B[ee]))", "0AB aa, 0AW bb, {0>1 1B dd}, {0>1 1B ee}, 1B cc"},
        // Deep nesting without siblings stays one line.
        {u"(;B[aa](;W[bb](;B[cc](;W[dd]))))", "1B aa, 2W bb, 3B cc, 4W dd"},
        // Only the first game tree of a collection; an unbalanced ")" ends the read.
        {u"(;B[aa];W[bb])(;B[cc])", "1B aa, 2W bb"},
        {u"(;B[aa]));B[bb]", "1B aa"},
        // A variation at the end of its line keeps its place.
        {u"(;B[aa];W[bb](;)(;B[cc]))", "1B aa, 2W bb, {2>3 3B cc}"},
        // Stones and marks of a move come before the variations hanging after it, in a variation
        // too; an empty variation is left out there as well, and a fork at a variation's start
        // goes to its parent.
        {u"(;B[aa](;)(;W[bb]);AW[cc]TR[dd])", "1B aa, 1AW cc, 1TR dd, {1>2 2W bb}"},
        {u"(;B[aa](;W[bb])(;W[cc](;)(;B[ee]);TR[ff]))", "1B aa, {1>2 2W cc, 2TR ff, {2>3 3B ee}}, 2W bb"},
        {u"(;B[aa](;W[bb])(;W[cc](;B[dd])(;)))", "1B aa, {1>2 2W cc, 3B dd}, 2W bb"},
        {u"(;(;B[aa])(;AB[ee]TR[bb](;B[cc])(;B[dd])))", "{0>1 0AB ee, 0TR bb, {0>1 1B dd}, 1B cc}, 1B aa"},
        {u"(;B[aa](;W[bb])(;W[cc](;B[dd])((;B[ee])(;B[ff]))))",
         "1B aa, {1>2 2W cc, {2>3 3B ee}, {2>3 3B ff}, 3B dd}, 2W bb"},
    });
}

// A variation whose first node is a fork hands those forks to its parent (the same game without an
// empty node), whatever else of the record still has its links put last.
TEST(SgfReader, ForksAtTheStartOfAVariationGoToItsParent) {
    expectTrees({
        {u"(;B[aa](;W[bb])(;(;W[cc])(;W[dd])))", "1B aa, {1>2 2W cc}, {1>2 2W dd}, 2W bb"},
        {u"(;B[aa](;)(;W[bb])(;(;W[cc])(;W[dd]));AW[ee]TR[ff])",
         "1B aa, 1AW ee, 1TR ff, {1>2 2W bb}, {1>2 2W cc}, {1>2 2W dd}"},
        {u"(;B[aa](;W[bb](;B[cc])(;B[dd])TR[aa];AB[ee])(;(;W[cc];B[gg])(;W[dd](;)(;B[hh])(;(;B[ii])(;B[jj])))))",
         "1B aa, {1>2 2W cc, 3B gg}, {1>2 2W dd, {2>3 3B hh}, {2>3 3B ii}, {2>3 3B jj}}, 2W bb, {2>3 3B dd}, 3B cc, "
         "3TR aa, 3AB ee"},
        // No fork at a variation's start: only the links are put last.
        {u"(;B[aa](;)(;W[bb])(;W[cc]);AW[ee]TR[ff])", "1B aa, 1AW ee, 1TR ff, {1>2 2W bb}, {1>2 2W cc}"},
    });
}

// A mark given twice for one move stands once, in the main record and in its variations alike:
// in one node, in two nodes of the move, around a fork, and with the start position's stones.
TEST(SgfReader, MarksGivenTwiceStandOnce) {
    expectTrees({
        {u"(;B[aa]TR[bb][bb]LB[cc:x][cc:x](;W[dd])(;W[ee]TR[bb]TR[bb]LB[cc:x][cc:x]))",
         "1B aa, 1TR bb, 1LB cc:x, {1>2 2W ee, 2TR bb, 2LB cc:x}, 2W dd"},
        {u"(;B[aa](;W[dd])(;W[ee]TR[bb];AB[ff]TR[bb]LB[cc:A];LB[cc:A][cc:B]))",
         "1B aa, {1>2 2W ee, 2TR bb, 2AB ff, 2LB cc:A, 2LB cc:B}, 2W dd"},
        {u"(;B[aa](;W[dd];B[ff])(;W[ee]SQ[bb](;B[gg])(;B[hh]);SQ[bb]))",
         "1B aa, {1>2 2W ee, 2SQ bb, {2>3 3B hh}, 3B gg, 3SQ bb}, 2W dd, 3B ff"},
        {u"(;TR[aa]HA[2]AB[dd](;TR[aa]AB[pp];W[qq])(;W[cc]TR[aa]TR[aa]))",
         "1B dd, 1B pp, 1TR aa, {1>2 2W cc, 2TR aa}, 2W qq"},
    });
}

TEST(SgfReader, PointsListsAndSkippedProperties) {
    expectTrees(
        {
            {u"(;b[pd];B[PD])", "1B pd, 2B pd"},     // letters of either case
            {u"(;B[tt];W[];B[TT])", "1P, 2P, 3P"},   // "tt" and an empty value are passes
            {u"(;B[zz];B[p];B[pd])", "1B pd"},       // not points: skipped
            {u"(;B[pd][dd];W[dp])", "1B pd, 2W dp"}, // no list after B
            {u"(;AB[aa][bb:cc]AW[dd])", "0AB aa, 0AB bb, 0AB bc, 0AB cb, 0AB cc, 0AW dd"},
            {u"(;XX[a\\]b]KTV[1][2]AddBlack[aa];White[bb];W [cc])", "1B aa, 2W bb, 3W cc"},
            {u"(;B[aa]MULTIGOGM[1]C[x];W[bb", "1B aa"}, // a value that never closes ends the text
            // Two characters with an escape are no point, and the value goes on to its real end.
            {u"(;B[\\]];W[bb])", "1P, 2W bb"},
            {u"(;B[a\\]]TR[cc];W[b\\\\]B[dd])", "0TR cc, 1B dd"},
            {u"no game here", ""},
        },
        // The last text is no game at all.
        false);
    EXPECT_FALSE(Read(u"no game here").r.ok);
}

TEST(SgfReader, MarksAndLabelsBelongToTheirMove) {
    Read read(u"(;B[aa];CR[bb]SQ[cc]TR[dd]MA[ee]W[ff]LB[gg:A][hh:b][ii:+][jj:12][kk:])");
    EXPECT_EQ(read.tree(),
              "1B aa, 2W ff, 2CR bb, 2SQ cc, 2TR dd, 2MA ee, 2LB gg:A, 2LB hh:b, 2LB ii:+, 2LB jj:12, 2LB kk:");
    const RecordNode& number = read.main().node(9);
    EXPECT_TRUE(number.isLabel());
    EXPECT_EQ(read.main().commentOf(number), u"12");
    EXPECT_EQ(read.main().labelCount(), 1);
}

TEST(SgfReader, HeaderProperties) {
    Read read(u"(;FF[4]SZ[13]HA[2]KM[0.5]RE[W+R]DT[2004-04-10,11]PB[Honinbo Shusaku]PW[Gennan Inseki]"
              u"EV[Oshirogo]GN[Game 1]RO[3]BR[4d]PC[Edo]GC[ear-reddening game];B[aa])");
    const GameInfo& info = read.info();
    EXPECT_EQ(info.board, 1);
    EXPECT_EQ(info.handicap, 2);
    EXPECT_FLOAT_EQ(info.komi, 0.5f);
    EXPECT_EQ(info.winner, kWhiteWins);
    EXPECT_FLOAT_EQ(info.margin, 1000.0f);
    EXPECT_EQ(info.startDate.year, 2004);
    EXPECT_EQ(info.startDate.month, 4);
    EXPECT_EQ(info.startDate.day, 10);
    EXPECT_EQ(info.blackName, u"Honinbo Shusaku");
    EXPECT_EQ(read.members.nameOf(info.blackPlayer), u"Honinbo Shusaku");
    EXPECT_EQ(read.members.nameOf(info.whitePlayer), u"Gennan Inseki");
    EXPECT_EQ(read.r.poolName, u"Oshirogo,Game 1,3"); // EV, GN, RO
    EXPECT_EQ(info.carriedText, u"[4d],,[Edo]");
    EXPECT_EQ(info.gameComment, u"ear-reddening game"); // other programs' GC: a game comment too
    EXPECT_EQ(Read(u"(;GC[Kisei]GN[1])").r.poolName, u"Kisei,1");
    // A paragraph is a comment only.
    EXPECT_EQ(Read(u"(;GC[Ajago is a symmetrical player.\nIt passes when it cannot play symmetry.]GN[1])").r.poolName,
              u"1");
    EXPECT_EQ(Read(u"(;GC[Commercial distribution without permission is a copyright violation])").r.poolName, u"");
    EXPECT_EQ(Read(u"(;SZ[9])").info().board, 0);
    EXPECT_EQ(Read(u"(;DT[1998/7])").info().startDate.month, 7);
}

TEST(SgfReader, Results) {
    struct Case {
        const char16_t* value;
        int winner;
        float margin;
    } cases[] = {
        {u"W+R", kWhiteWins, 1000.0f}, {u"B+3.5", kBlackWins, 3.5f},       {u"0", kJigo, 0.0f},
        {u"Draw", kInPlay, 0.0f},      {u"w+resign", kWhiteWins, 1000.0f}, {u"B+", kBlackWins, 0.0f},
        {u"B+T", kBlackWins, 2000.0f}, {u"B+Time", kBlackWins, 2000.0f},   {u"?", kInPlay, 0.0f},
    };
    for (const Case& c : cases) {
        std::int16_t winner = kInPlay;
        float margin = 0.0f;
        parseSgfResult(c.value, winner, margin);
        EXPECT_EQ(winner, c.winner) << toUtf8(c.value);
        EXPECT_FLOAT_EQ(margin, c.margin) << toUtf8(c.value);
    }
}

TEST(SgfReader, FamilyApplicationFields) {
    Read read(u"(;FF[4]AP[Tamarindo:Type=2,Flag=17,Tag=255,FV=3]GC[the comment]GN[n])");
    EXPECT_TRUE(read.r.familyFile);
    EXPECT_FALSE(read.r.oldDialect);
    EXPECT_EQ(read.info().type, 2);
    EXPECT_EQ(read.info().flags, 17);
    EXPECT_EQ(read.info().startFlags, 0xF0);
    EXPECT_EQ(read.info().formatVersion, 3);
    EXPECT_EQ(read.info().gameComment, u"the comment"); // Flag bit 16: GC is the game comment ...
    EXPECT_EQ(read.r.poolName, u"n");                   // ... and not part of the name
    EXPECT_EQ(Read(u"(;FF[4]AP[Tamarindo:Type=7,Flag=1])").info().type, 0);
    EXPECT_EQ(Read(u"(;FF[4]AP[Tamarindo:Flag=16])").info().flags, 0); // fields only in their order
    EXPECT_FALSE(Read(u"(;FF[4]AP[CGoban:3])").r.familyFile);
}

TEST(SgfReader, HandicapStonesOrSetupStones) {
    Read handicap(u"(;HA[2]AB[dd][pp];W[dp];B[pd])");
    EXPECT_EQ(handicap.tree(), "1B dd, 1B pp, 2W dp, 3B pd");
    EXPECT_EQ(handicap.main().handicapCount(), 2);
    EXPECT_EQ(handicap.r.handicapStones, 2);
    // A fork before the handicap stones is a fork after them.
    EXPECT_EQ(Read(u"(;(;AB[dd][pp];W[dp])(;W[pd]))").tree(), "1B dd, 1B pp, {1>2 2W pd}, 2W dp");
    EXPECT_EQ(Read(u"(;(;)(;B[aa];W[bb]);AB[dd][pp];W[dp])").tree(), "1B dd, 1B pp, {1>2 2B aa, 3W bb}, 2W dp");
    // A comment in a node of its own at the start of a variation does not go to a handicap stone.
    Read noText(u"(;AB[dd][pp](;C[root])(;C[again];W[dp]))");
    EXPECT_EQ(noText.main().node(0).comment, -1);
    EXPECT_EQ(noText.main().node(1).comment, -1);
    // Nor to setup stones standing before a variation's first move: a note keeps it.
    Read setupText(u"(;B[aa](;W[bb])(;AB[cc](;W[dd])(;C[text];W[ee])))");
    EXPECT_EQ(test::treeDump(*setupText.main().child(1)), "1AB cc, {1>2 1C text, 2W ee}, 2W dd");
    EXPECT_EQ(setupText.main().child(1)->node(0).comment, -1);
    // Marks given among the handicap stones follow them, at move 1.
    EXPECT_EQ(Read(u"(;TR[aa]AB[dd];LB[ee:A];AB[pp];W[dp])").tree(), "1B dd, 1B pp, 1TR aa, 1LB ee:A, 2W dp");
    // White stones before the first move make the black ones setup stones too.
    Read setup(u"(;AB[dd][pp]AW[dp];B[qq])");
    EXPECT_EQ(setup.tree(), "0AB dd, 0AB pp, 0AW dp, 1B qq");
    EXPECT_EQ(setup.main().handicapCount(), 0);
    EXPECT_EQ(setup.main().leadingSetupCount(), 3);
    EXPECT_EQ(setup.info().flags & 8, 8);
    // So does Flag bit 16 of the family's own files.
    Read flagged(u"(;FF[4]AP[Tamarindo:Type=0,Flag=16,Tag=0,FV=0]AB[dd];B[qq])");
    EXPECT_EQ(flagged.tree(), "0AB dd, 1B qq");
    // White stones at the start turn black stones already taken as handicap stones into setup
    // stones, also when no "AW[" came before the first move text (a move that is not a move).
    Read late(u"(;W[ss\n];AB[aa][bb];AW[cc];B[dd])");
    EXPECT_EQ(late.tree(), "0AB aa, 0AB bb, 0AW cc, 1B dd");
    EXPECT_EQ(late.main().handicapCount(), 0);
    EXPECT_EQ(late.main().leadingSetupCount(), 3);
    Read marked(u"(;W[ss\n];AB[aa][bb];CR[cc];AW[dd];B[ee])");
    EXPECT_EQ(marked.tree(), "0AB aa, 0AB bb, 0AW dd, 0CR cc, 1B ee");
    EXPECT_EQ(marked.main().leadingSetupCount(), 3);
    EXPECT_EQ(Read(u"(;AB[aa][bb](;)(;W[cc]);AW[dd];B[ee])").tree(), "0AB aa, 0AB bb, 0AW dd, {0>1 1P, 2W cc}, 1B ee");
    // Later in the record setup stones belong to the move they follow.
    EXPECT_EQ(Read(u"(;B[aa];AB[bb]AW[cc];W[dd])").tree(), "1B aa, 1AB bb, 1AW cc, 2W dd");
}

TEST(SgfReader, BlackPassesBeforeAFirstWhiteMove) {
    EXPECT_EQ(Read(u"(;W[dd];B[pp])").tree(), "1P, 2W dd, 3B pp");
    // Also at the start of variations of the first move.
    EXPECT_EQ(Read(u"(;AW[aa](;W[dd])(;W[ee]))").tree(), "0AW aa, {0>1 1P, 2W ee}, 1P, 2W dd");
    // Not after handicap stones: White plays move 2.
    EXPECT_EQ(Read(u"(;AB[aa][bb];W[dd])").tree(), "1B aa, 1B bb, 2W dd");
}

TEST(SgfReader, CommentsTimesAndTextRules) {
    // The family's files: backslashes are line breaks, "\]" a bracket, "\/" a backslash.
    Read family(u"(;FF[4]AP[Tamarindo:Type=0,Flag=0,Tag=0,FV=0]C[root]"
                u";B[aa]C[<125>Good\\\\Bad];W[bb]C[<40000>];B[cc]C[a\\]b\\/c\\d];W[dd]C[x]C[y])");
    const RecordSequence& f = family.main();
    // The root comment is kept in a note standing before the first move.
    ASSERT_EQ(family.tree(), "0C root, 1B aa, 2W bb, 3B cc, 4W dd");
    EXPECT_EQ(f.node(1).elapsed, 125);
    EXPECT_EQ(f.commentOf(f.node(1)), u"Good\r\nBad");
    EXPECT_EQ(f.node(2).elapsed, -666);
    EXPECT_EQ(f.node(2).comment, -1);
    EXPECT_EQ(f.commentOf(f.node(3)), u"a]b\\c\rd");
    EXPECT_EQ(f.commentOf(f.node(4)), u"x\r\ny"); // every C of a node, one after the other
    // Other programs' files follow FF[4]: escapes, kept and soft line breaks.
    Read other(u"(;FF[4]AP[CGoban:3];B[aa]C[a\\]b\\\\c\r\nd\\\ne\tf];W[bb]C[<7>x])");
    const RecordSequence& o = other.main();
    EXPECT_EQ(o.commentOf(o.node(0)), u"a]b\\c\r\nde f");
    EXPECT_EQ(o.node(1).elapsed, 7);
    // Characters of every range pass as they are, long runs too; control characters are blanks.
    Read wide(u"(;B[aa]C[가나다라마바사아자차카타파하\t囲碁\u0001x\uFFFDyz])");
    EXPECT_EQ(wide.main().commentOf(wide.main().node(0)), u"가나다라마바사아자차카타파하 囲碁 x\uFFFDyz");
    Read shortEscaped(u"(;B[aa]C[a\\]];W[bb]C[\\\\])");
    EXPECT_EQ(shortEscaped.main().commentOf(shortEscaped.main().node(0)), u"a]");
    EXPECT_EQ(shortEscaped.main().commentOf(shortEscaped.main().node(1)), u"\\");
    // A comment in its own node joins the comment of the move before it.
    Read joined(u"(;B[aa]C[one];C[two])");
    EXPECT_EQ(joined.main().commentOf(joined.main().node(0)), u"one\r\ntwo");
    // A comment standing before the move in its node still belongs to that move.
    Read before(u"(;C[root];C[first]B[aa])");
    EXPECT_EQ(before.tree(), "0C root, 1B aa");
    EXPECT_EQ(before.main().commentOf(before.main().node(1)), u"first");
}

TEST(SgfReader, OldDialectOpensBranchesWhereItStands) {
    // The family's old files: AP without FF[4] before it. A "(" opens a branch at the current move
    // and ")" returns to the line; "(R" is a reference sequence for the last move.
    Read read(u"(;AP[Tamarindo:Type=0,Flag=0,Tag=0,FV=0];B[pd];W[dp](;B[dd];W[pp])(R;W[cc]);B[qq](;B[ee]))");
    EXPECT_TRUE(read.r.oldDialect);
    EXPECT_EQ(read.tree(), "1B pd, 2W dp, {2>3 3B dd, 4W pp}, {R2 2W cc}, 3B qq, {R3 3B ee}");
    // A variation that starts with the wrong colour replaces the move before it.
    EXPECT_EQ(Read(u"(;AP[Tamarindo:Type=0];B[pd];W[dp](;W[cc]))").tree(), "1B pd, 2W dp, {R2 2W cc}");
}

TEST(SgfReader, ContinuationsJoinTheirLineWhenAsked) {
    const char16_t* deep = u"(;B[aa];W[bb](;)(;B[cc](;)(;W[dd](;)(;B[ee](;)(;W[ff])))))";
    EXPECT_EQ(Read(deep).tree(), "1B aa, 2W bb, {2>3 3B cc, {3>4 4W dd, {4>5 5B ee, {5>6 6W ff}}}}");
    SgfReadOptions merge;
    merge.mergeContinuations = true;
    EXPECT_EQ(Read(deep, merge).tree(), "1B aa, 2W bb, 3B cc, 4W dd, 5B ee, 6W ff");
    // Shallow files are left as they are.
    EXPECT_EQ(Read(u"(;B[aa](;)(;W[bb]))", merge).tree(), "1B aa, {1>2 2W bb}");
}

TEST(SgfReader, LimitsLeaveTheRestOutCleanly) {
    std::u16string many = u"(;";
    for (int i = 0; i < 1100; ++i) many += i % 2 ? u";W[aa]" : u";B[bb]";
    many += u")";
    Read long_(many);
    EXPECT_EQ(long_.main().nodeCount(), RecordSequence::kMaxNodes);
    EXPECT_EQ(long_.r.dropped, 1100 - RecordSequence::kMaxNodes);

    // 300 variations of one move: 255 fit, the rest are skipped with everything in them.
    std::u16string wide = u"(;B[aa](;W[bb])";
    for (int i = 0; i < 300; ++i) wide += u"(;W[cc](;B[dd])(;B[ee]))";
    wide += u";C[lost])";
    Read w(wide);
    EXPECT_EQ(w.main().highestChildSlot(), RecordSequence::kMaxChildren);
    EXPECT_EQ(w.main().lastMoveNumber(), 2);

    // Variations nested deeper than a path can follow.
    std::u16string nested = u"(;B[aa]";
    for (int i = 0; i < 400; ++i) nested += u"(;W[bb])(;W[cc]";
    for (int i = 0; i < 400; ++i) nested += u")";
    nested += u")";
    Read n(nested);
    EXPECT_TRUE(n.r.ok);
    EXPECT_GT(n.r.dropped, 0);
}

TEST(SgfReader, HeaderPreReadStopsAtTheFirstBlackMove) {
    InMemoryMembers members;
    const SgfHeader h =
        preReadSgfHeader(u"licence text (not SGF)\n(;FF[4]SZ[13]HA[3]KM[0.5]RE[B+T]EV[League]GC[x]GN[Round 2]RO[final]"
                         u"AB[aa][bb][cc]PB[Sai]PW[Akira];B[dd]PW[Later])",
                         &members);
    EXPECT_TRUE(h.ok);
    EXPECT_EQ(h.info.board, 1);
    EXPECT_EQ(h.info.handicap, 3);
    EXPECT_EQ(h.handicapStones, 3);
    EXPECT_FLOAT_EQ(h.info.margin, 2000.0f);
    EXPECT_EQ(h.proposedName, u"League,Round 2,final");
    EXPECT_EQ(members.nameOf(h.info.whitePlayer), u"Akira");
    // The name the dialog proposes is the one the whole read gives.
    for (const char16_t* header : {u"(;GC[Kisei]GN[1])", u"(;GC[An introduction.\nOf two lines.]GN[1])"})
        EXPECT_EQ(preReadSgfHeader(header, &members).proposedName, Read(header).r.poolName) << toUtf8(header);
    EXPECT_FALSE(preReadSgfHeader(u"no tree", &members).ok);
}

} // namespace
} // namespace stonewise
