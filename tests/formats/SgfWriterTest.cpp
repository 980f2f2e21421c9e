// The SGF writer: the family's header, node layout, nesting, texts and encodings, and what the
// reader makes of it.
#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "formats/GameFileLoader.h"
#include "formats/MemberDirectory.h"
#include "formats/RecordComparison.h"
#include "formats/SgfReader.h"
#include "formats/SgfTreeDump.h"
#include "formats/SgfWriter.h"
#include "formats/TextEncoding.h"
#include "record/StringTable.h"
#include "record/Text.h"

namespace stonewise {
namespace {

RecordNode move(int number, int x, int y) { return makeMoveNode(number, x, y); }

std::string utf8Text(const RecordSequence& main, const GameInfo& info, SgfWriteOptions options = {}) {
    options.encoding = SgfEncoding::Utf8;
    return toUtf8(sgfText(main, info, options));
}

SgfReadResult readBack(std::u16string_view text) { return readSgf(text, GameInfo{}, SgfReadOptions{}); }

TEST(SgfWriter, AnEvenGame) {
    auto main = RecordSequence::createMain();
    main->appendNode(move(1, 15, 3));
    main->appendNode(move(2, 3, 15));
    GameInfo info;
    info.name = u"Game";
    info.blackName = u"Black";
    info.whiteName = u"White";
    info.komi = 6.5f;
    EXPECT_EQ(utf8Text(*main, info),
              "(;CA[UTF-8]FF[4]GM[1]SZ[19]KM[6.5]AP[Tamarindo:Type=0,Flag=0,Tag=0,FV=0,Text=FF4]\r\n"
              "GN[Game]\r\nPB[Black]PW[White]\r\n"
              ";B[pd];W[dp])\r\n");
}

TEST(SgfWriter, HandicapStonesGoIntoTheHeader) {
    auto main = RecordSequence::createMain();
    for (auto [x, y] : {std::pair{3, 3}, {15, 15}, {3, 15}, {15, 3}}) {
        RecordNode n = move(1, x, y);
        n.type = NodeType::BlackMove;
        main->appendNode(n);
    }
    main->setHandicapCount(4);
    main->appendNode(move(2, 16, 2));
    GameInfo info;
    info.handicap = 4;
    info.board = 1;
    info.startDate = {2024, 5, 6, 0};
    const std::string text = utf8Text(*main, info);
    EXPECT_NE(text.find("SZ[13]HA[4]KM[0.0]"), std::string::npos) << text;
    EXPECT_NE(text.find("DT[2024-05-06]\r\nAB[dd][pp][dp][pd]\r\n;W[qc])"), std::string::npos) << text;
    const SgfReadResult back = readBack(fromUtf8(text));
    EXPECT_EQ(back.main->handicapCount(), 4);
    EXPECT_EQ(test::treeDump(*back.main), "1B dd, 1B pp, 1B dp, 1B pd, 2W qc");
    EXPECT_EQ(back.info.board, 1);
}

TEST(SgfWriter, TenNodesToALine) {
    auto main = RecordSequence::createMain();
    for (int n = 1; n <= 11; ++n) main->appendNode(move(n, n, 0));
    const std::string text = utf8Text(*main, GameInfo{});
    EXPECT_NE(text.find(";B[ba];W[ca];B[da];W[ea];B[fa];W[ga];B[ha];W[ia];B[ja];W[ka]\r\n;B[la])\r\n"),
              std::string::npos)
        << text;
}

TEST(SgfWriter, Results) {
    struct Case {
        int winner;
        float margin;
        const char16_t* text;
    } cases[] = {
        {kBlackWins, 1000.0f, u"RE[B+R]"}, {kWhiteWins, 2.5f, u"RE[W+2.5]"},
        {kJigo, 0.0f, u"RE[0]"},           {kInPlay, 0.0f, u""},
        {kWhiteWins, 2000.0f, u"RE[W+T]"}, {kBlackWins, 0.25f, u"RE[B+0.25]"},
        {kWhiteWins, 0.0f, u"RE[W+]"}, // a win without a number of points, not "W+0"
    };
    for (const Case& c : cases) {
        GameInfo info;
        info.winner = static_cast<std::int16_t>(c.winner);
        info.margin = c.margin;
        EXPECT_EQ(sgfResultText(info), c.text);
        // The reader gives the same result back.
        std::int16_t winner = kInPlay;
        float margin = 0.0f;
        const std::u16string re = sgfResultText(info);
        if (!re.empty()) parseSgfResult(std::u16string_view(re).substr(3, re.size() - 4), winner, margin);
        EXPECT_EQ(winner, c.winner);
        EXPECT_FLOAT_EQ(margin, c.margin);
    }
}

TEST(SgfWriter, CommentsTimesAndEscapesComeBackExactly) {
    auto main = RecordSequence::createMain();
    main->appendNode(move(1, 15, 3));
    main->node(0).elapsed = 65;
    main->setComment(0, u"a\r\nb", Backslashes::Keep);
    // A pass keeps any comment and its time; a mark keeps any comment.
    const std::u16string longText(5000, u'x');
    main->appendNode(move(2, kNoPoint, kNoPoint));
    main->node(1).elapsed = encodeElapsed(40000);
    main->setComment(1, longText + u"]", Backslashes::Keep);
    RecordNode mark;
    mark.type = NodeType::Mark;
    mark.moveNumber = 2;
    mark.x = mark.y = 4;
    mark.data1 = kMarkTriangle;
    main->appendNode(mark);
    main->setComment(2, u"[bracket] C:\\dir\\ ends with \\", Backslashes::Keep);
    main->appendNode(move(3, 5, 5));
    main->setComment(3, u"line\rcr only\nlf only]", Backslashes::Keep);
    GameInfo info;
    info.name = u"a]b\\c";
    info.flags = 16;
    info.gameComment = u"first\r\nsecond]";

    const std::string text = utf8Text(*main, info);
    EXPECT_NE(text.find(";B[pd]C[<65>a\r\nb]"), std::string::npos) << text; // a real line break
    EXPECT_NE(text.find("GN[a\\]b\\\\c]"), std::string::npos) << text;
    const SgfReadResult back = readBack(fromUtf8(text));
    const RecordSequence& b = *back.main;
    ASSERT_EQ(b.nodeCount(), 4);
    EXPECT_EQ(b.node(0).elapsed, 65);
    EXPECT_EQ(b.commentOf(b.node(0)), u"a\r\nb");
    EXPECT_EQ(b.node(1).elapsed, -666);
    EXPECT_EQ(b.commentOf(b.node(1)), longText + u"]");
    EXPECT_EQ(b.commentOf(b.node(2)), u"[bracket] C:\\dir\\ ends with \\");
    EXPECT_EQ(b.commentOf(b.node(3)), u"line\r\ncr only\r\nlf only]"); // line breaks come back as CR LF
    EXPECT_EQ(back.poolName, u"a]b\\c");
    EXPECT_EQ(back.info.gameComment, u"first\r\nsecond]");
}

TEST(SgfWriter, VariationsAndReferencesNestAsStandardSgf) {
    // Main line 1..4; a variation after move 2 (two moves), a second one after move 2, a reference
    // sequence for move 4, and a variation after the last move.
    auto main = RecordSequence::createMain();
    for (int n = 1; n <= 4; ++n) main->appendNode(move(n, n, 1));
    auto addChild = [&](RecordSequence& parent, int linkMove, int first, SequenceKind kind, int moves) {
        RecordSequence* c = parent.createChild(parent.depth() + 1, first, kind);
        for (int k = 0; k < moves; ++k) c->appendNode(move(first + k, first + k, 9 + static_cast<int>(kind)));
        RecordNode link;
        link.type = NodeType::Link;
        link.moveNumber = static_cast<std::int16_t>(linkMove);
        link.childSlot = static_cast<std::uint8_t>(c->slot());
        link.flags = kind;
        parent.insertNode(linkMove, link);
        return c;
    };
    RecordSequence* v1 = addChild(*main, 2, 3, kBranch, 2);
    addChild(*v1, 3, 4, kBranch, 1);
    addChild(*main, 2, 3, kBranch, 1);
    addChild(*main, 4, 4, kReference, 2);
    addChild(*main, 4, 5, kBranch, 1);
    main->numberTree();
    const std::string text = utf8Text(*main, GameInfo{});
    std::string bare;
    for (char c : text.substr(text.find(";B[")))
        if (c != '\r' && c != '\n') bare.push_back(c);
    EXPECT_EQ(bare,
              ";B[bb];W[cb]"
              "(;B[db](;W[eb](;)(;B[fk]))(;W[el];B[fl]))" // move 4 and its reference sequence
              "(;B[dk](;W[ek])(;W[ek]))"                  // the first variation after move 2 ...
              "(;B[dk]))");                               // ... and the second
    EXPECT_EQ(
        test::treeDump(*main),
        "1B bb, 2W cb, {2>3 3B dk, {3>4 4W ek}, 4W ek}, {2>3 3B dk}, 3B db, 4W eb, {R4 4W el, 5B fl}, {4>5 5B fk}");
    // Everything but the reference comes back as it was; the reference is a variation after the
    // move before it, which is the same game.
    const SgfReadResult back = readBack(fromUtf8(text));
    EXPECT_EQ(
        test::treeDump(*back.main),
        "1B bb, 2W cb, {2>3 3B dk, {3>4 4W ek}, 4W ek}, {2>3 3B dk}, 3B db, {3>4 4W el, 5B fl}, 4W eb, {4>5 5B fk}");
    // Exported for Mail Go: the main line only, every move.
    SgfWriteOptions exported;
    exported.exportOnly = true;
    const std::string mail = utf8Text(*main, GameInfo{}, exported);
    EXPECT_NE(mail.find(";B[bb];W[cb];B[db];W[eb])\r\n"), std::string::npos) << mail;
}

TEST(SgfWriter, ExportLeavesCommentsOutWhenAsked) {
    auto main = RecordSequence::createMain();
    main->appendNode(move(1, 1, 1));
    main->setComment(0, u"secret", Backslashes::Keep);
    SgfWriteOptions options;
    options.exportOnly = true;
    options.exportComments = false;
    EXPECT_EQ(utf8Text(*main, GameInfo{}, options).find("secret"), std::string::npos);
    options.exportComments = true;
    EXPECT_NE(utf8Text(*main, GameInfo{}, options).find("C[secret]"), std::string::npos);
}

TEST(SgfWriter, EncodingsMarksAndTheFallBackToUtf8) {
    auto main = RecordSequence::createMain();
    main->appendNode(move(1, 1, 1));
    main->setComment(0, u"～①髙", Backslashes::Keep);
    GameInfo info;
    info.name = u"対局";
    SgfWriteOptions options;

    options.encoding = SgfEncoding::SystemCodePage;
    SgfWriteResult sjis = writeSgf(*main, info, options);
    EXPECT_FALSE(sjis.fellBackToUtf8);
    EXPECT_EQ(sjis.bytes.rfind("(;CA[Shift_JIS]FF[4]", 0), 0u);
    EXPECT_NE(sjis.bytes.find("\x81\x60\x87\x40\xFB\xFC"), std::string::npos); // ～①髙 in CP932

    options.encoding = SgfEncoding::Utf16;
    SgfWriteResult utf16 = writeSgf(*main, info, options);
    EXPECT_EQ(utf16.bytes.substr(0, 6), std::string("\xFF\xFE(\0;\0", 6));
    EXPECT_EQ(utf16.bytes.find(std::string("C\0A\0[\0", 6)), std::string::npos);

    options.encoding = SgfEncoding::Utf8;
    EXPECT_EQ(writeSgf(*main, info, options).bytes.rfind("\xEF\xBB\xBF(;CA[UTF-8]", 0), 0u);

    // Text Shift_JIS cannot hold sends the whole file out as UTF-8, nothing left out.
    for (const char16_t* text : {u"한국어", u"price ¥100", u"€"}) {
        main->setComment(0, text, Backslashes::Keep);
        options.encoding = SgfEncoding::SystemCodePage;
        SgfWriteResult out = writeSgf(*main, info, options);
        EXPECT_TRUE(out.fellBackToUtf8) << toUtf8(text);
        EXPECT_EQ(out.encoding, SgfEncoding::Utf8);
        const DecodedText decoded = decodeGameRecordBytes(out.bytes, CodePage::Cp932);
        const SgfReadResult back = readBack(decoded.text);
        EXPECT_EQ(back.main->commentOf(back.main->node(0)), text);
    }
    // Windows-1252 as the system code page says so in CA.
    options.encoding = SgfEncoding::SystemCodePage;
    options.codePage = CodePage::Windows1252;
    main->setComment(0, u"café", Backslashes::Keep);
    info.name = u"Partie";
    SgfWriteResult latin = writeSgf(*main, info, options);
    EXPECT_FALSE(latin.fellBackToUtf8);
    EXPECT_EQ(latin.bytes.rfind("(;CA[Windows-1252]", 0), 0u);
    EXPECT_NE(latin.bytes.find("caf\xE9"), std::string::npos);
}

TEST(SgfWriter, LeadingSetupStonesAndLabels) {
    auto main = RecordSequence::createMain();
    for (auto [type, x] : {std::pair{NodeType::WhiteSetup, 0}, {NodeType::BlackSetup, 1}, {NodeType::BlackSetup, 2}}) {
        RecordNode n;
        n.type = type;
        n.x = static_cast<std::uint8_t>(x);
        n.y = 0;
        main->appendNode(n);
    }
    main->setLeadingSetupCount(3);
    main->appendNode(move(1, 5, 5));
    RecordNode label;
    label.type = NodeType::Mark;
    label.moveNumber = 1;
    label.x = label.y = 6;
    label.data1 = kMarkLabel;
    label.comment = static_cast<std::int16_t>(main->comments().add(u"A1]", 1, Backslashes::Keep));
    main->appendNode(label);
    const std::string text = utf8Text(*main, GameInfo{});
    EXPECT_NE(text.find("Flag=8,"), std::string::npos) << text; // setup stones, not handicap stones
    EXPECT_NE(text.find("AW[aa]AB[ba][ca]\r\n;B[ff]LB[gg:A1\\]])"), std::string::npos)
        << text; // labels in their move's node
    const SgfReadResult back = readBack(fromUtf8(text));
    EXPECT_EQ(test::treeDump(*back.main), "0AW aa, 0AB ba, 0AB ca, 1B ff, 1LB gg:A1]");
    EXPECT_EQ(test::recordDifference(*main, *back.main), "");
}

TEST(SgfWriter, FileNames) {
    EXPECT_EQ(safeFileName(u"a/b>c<d?e:f\"g\\h*i|j;k"), u"a_b_c_d_e_f_g_h_i_j_k");
    GameInfo info;
    EXPECT_EQ(defaultSgfFileName(info), u"無題.sgf");
    // The name follows the interface language.
    const StringTable english({{kStrNoName, u"No name"}});
    StringTable::setInterface(&english);
    EXPECT_EQ(defaultSgfFileName(info), u"No name.sgf");
    StringTable::setInterface(nullptr);
    info.name = u"本因坊戦: 第1局";
    EXPECT_EQ(defaultSgfFileName(info), u"本因坊戦_ 第1局.sgf");
}

std::string repeated(std::string_view piece, int times) {
    std::string s;
    for (int i = 0; i < times; ++i) s += piece;
    return s;
}

// Records found by fuzzing that changed when written and read back: each is loaded as the fuzzer
// loads it, written in the encoding it chose, and read again; both readings give the same record.
TEST(SgfRoundTrip, FuzzFindingsReadBackTheSame) {
    struct Case {
        std::string sgf;
        SgfEncoding encoding;
        bool merge;
        const char* tree; // the record of the first reading
        int handicap;
        int leadingSetup;
    } cases[] = {
        // Handicap stones, an empty variation and a variation holding a white stone: the white
        // stone belongs to that variation and leaves the handicap stones alone.
        {"(AB[pd][pe]()(AWn[ne]", SgfEncoding::SystemCodePage, false, "1B pd, 1B pe, {1>2 1AW ne}", 2, 0},
        {std::string("(;AB[ne][me]()(;B[\0]AW[pf]", 27), SgfEncoding::Utf16, false, "1B ne, 1B me, {1>2 1AW pf}", 2, 0},
        {"(;AB[pd][pe]()(;B[\n]AW[pf]", SgfEncoding::SystemCodePage, false, "1B pd, 1B pe, {1>2 1AW pf}", 2, 0},
        {"(;AB[pd][me]()(;W[p]AW[pf]", SgfEncoding::SystemCodePage, false, "1B pd, 1B me, {1>2 1AW pf}", 2, 0},
        // A white stone in nested empty variations before any move, joined onto the main line: it
        // is a stone of the start position.
        {"(;((((()(AW[ph]", SgfEncoding::Utf8, true, "0AW ph", 0, 1},
        {"(;(()(((AW[pf]", SgfEncoding::Utf8, true, "0AW pf", 0, 1},
        // A variation holding only a comment, joined onto its line: the comment is the last move's.
        {"(W[sr]()((C[C]((", SgfEncoding::SystemCodePage, true, "1P, 2W sr", 0, 0},
        // Two variations of comments alone, joined: one note with both texts.
        {"(B[rs]((W[ce](()))((C[1])(C[v]", SgfEncoding::SystemCodePage, true, "1B rs, {1>2 1C 1\r\nv}, 2W ce", 0, 0},
        {"(;(W[]()(C[C];W[])(B[sr]((", SgfEncoding::SystemCodePage, true, "1P, 2P, {2>3 3B sr}, 3P", 0, 0},
        // A mark of the start position given again with the handicap or setup stones: once.
        {"(CR[ii]AB[ei]CR[ii]AB[ei]", SgfEncoding::SystemCodePage, true, "1B ei, 1B ei, 1CR ii", 2, 0},
        {"(B[s]CR[hg]AB[ei]CR[hg]AW[]", SgfEncoding::SystemCodePage, true, "0AB ei, 0CR hg", 0, 1},
        // A control character escaped in a comment is a blank like any other.
        {std::string("(;B[aa]C[forcing \\") + '\0' + " move])", SgfEncoding::Utf16, false, "1B aa", 0, 0},
        // A variation of its own first move's variations beside as many empty variations as the
        // main record can hold: the empty ones go, and the inner variations become the main
        // record's own.
        {"(;C[x](;C[y])" + repeated("()", 254) + "(;(;B[ef])(;W[aa])))", SgfEncoding::SystemCodePage, false,
         "0C x\r\ny, {0>1 1B ef}, {0>1 1P, 2W aa}", 0, 0},
        // A mark or label given again by a variation joined onto its line, in the main record or
        // in a variation: once.
        {"(;()SQ[dp]((SQ[dp]((", SgfEncoding::Utf8, true, "0SQ dp", 0, 0},
        {"(;(((B[])(B[]()SQ[qp](SQ[qp]", SgfEncoding::Utf8, true, "{0>1 1P, 1SQ qp}, 1P", 0, 0},
        {"(LB[oc:DA](((()(LB[oc:DA]", SgfEncoding::Utf8, true, "0LB oc:DA", 0, 0},
        // A comment beside a text label and a mark in a node without a move: a comment of the
        // position, not the mark's, in the family's own file as well.
        {"(;()(LB[aa:9]C[E]MA[aa]", SgfEncoding::Utf8, false, "{0>1 0LB aa:9, 0MA aa, 0C E}", 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.sgf);
        InMemoryMembers members;
        LoadSettings settings;
        settings.members = &members;
        settings.mergeContinuations = c.merge;
        const LoadedGame first = loadGameBytes(c.sgf, GameFileKind::Sgf, u"fuzz", LoadRequest{}, settings);
        ASSERT_TRUE(first.ok);
        EXPECT_EQ(test::treeDump(*first.main), c.tree);
        EXPECT_EQ(first.main->handicapCount(), c.handicap);
        EXPECT_EQ(first.main->leadingSetupCount(), c.leadingSetup);
        SgfWriteOptions options;
        options.encoding = c.encoding;
        options.members = &members;
        const SgfWriteResult written = writeSgf(*first.main, first.info, options);
        settings.mergeContinuations = false;
        const LoadedGame back = loadGameBytes(written.bytes, GameFileKind::Sgf, u"fuzz", LoadRequest{}, settings);
        ASSERT_TRUE(back.ok);
        EXPECT_EQ(test::recordDifference(*first.main, *back.main), "") << written.bytes;
    }
}

// Two hundred variations that each open with a fork of one move: every fork goes to the main
// record, though the variations it leaves empty hold every slot until they are dropped. (Once the
// slots ran out the rest stayed forks, and the file written read back with more of them hoisted.)
TEST(SgfRoundTrip, ForksAtVariationStartsAllGoUpWhenTheSlotsRunOut) {
    std::string sgf = "(;(;C[start])";
    for (int i = 0; i < 200; ++i) sgf += "(;(;)(;B[pd]))";
    sgf += ")";
    InMemoryMembers members;
    LoadSettings settings;
    settings.members = &members;
    const LoadedGame first = loadGameBytes(sgf, GameFileKind::Sgf, u"forks", LoadRequest{}, settings);
    ASSERT_TRUE(first.ok);
    int hoisted = 0;
    for (const RecordNode& k : first.main->nodes()) {
        const RecordSequence* c = k.isLink() ? first.main->child(k.childSlot) : nullptr;
        ASSERT_TRUE(!c || (c->nodeCount() > 0 && !c->node(0).isLink()));
        hoisted += c && c->node(0).isMove();
    }
    EXPECT_EQ(hoisted, 200);
    SgfWriteOptions options;
    options.encoding = SgfEncoding::Utf8;
    const SgfWriteResult written = writeSgf(*first.main, first.info, options);
    const LoadedGame back = loadGameBytes(written.bytes, GameFileKind::Sgf, u"forks", LoadRequest{}, settings);
    ASSERT_TRUE(back.ok);
    EXPECT_EQ(test::recordDifference(*first.main, *back.main), "");
}

} // namespace
} // namespace stonewise
