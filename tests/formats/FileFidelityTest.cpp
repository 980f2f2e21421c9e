// Other programs' files read faithfully: every text kept and written back, the colours of passes,
// the properties the header has no field for, boards the program cannot show, what the record's
// limits leave out and collections.
#include <gtest/gtest.h>

#include <string>

#include "formats/GameFileLoader.h"
#include "formats/MemberDirectory.h"
#include "formats/RecordComparison.h"
#include "formats/SgfReader.h"
#include "formats/SgfTreeDump.h"
#include "formats/SgfWriter.h"
#include "record/Text.h"

namespace stonewise {
namespace {

struct Loaded {
    InMemoryMembers members;
    LoadedGame game;
    explicit Loaded(const std::string& sgf) {
        LoadSettings settings;
        settings.members = &members;
        game = loadGameBytes(sgf, GameFileKind::Sgf, u"file", LoadRequest{}, settings);
    }
    // The file written from the record, as UTF-8 text.
    std::string written() {
        SgfWriteOptions options;
        options.encoding = SgfEncoding::Utf8;
        options.members = &members;
        return writeSgf(*game.main, game.info, options).bytes;
    }
};

TEST(FileFidelity, EveryTextIsKeptAndWrittenBack) {
    struct Case {
        const char* what;
        std::string sgf;
        const char* tree;    // the record read
        const char* extras;  // root properties kept as they stand
        const char* written; // a piece of the written file
    } cases[] = {
        {"the root comment, before move 1", "(;FF[4]C[A commentary]SZ[19];B[pd];W[dp])",
         "0C A commentary, 1B pd, 2W dp", "", "C[A commentary]\r\n;B[pd]"},
        {"a problem's question beside its stones", "(;AB[aa]AW[bb]C[Black to live]TR[cc](;B[dd])(;B[ee]))",
         "0AB aa, 0AW bb, 0TR cc, 0C Black to live, {0>1 1B ee}, 1B dd", "", "AB[aa]AW[bb]\r\nTR[cc]C[Black to live]"},
        {"a comment on a setup node at the start of a variation", "(;B[aa](;W[bb])(;AB[cc]C[Position #3];W[dd]))",
         "1B aa, {1>2 1AB cc, 1C Position #3, 2W dd}, 2W bb", "", "(\r\n;AB[cc]C[Position #3];W[dd])"},
        {"a comment in a node with marks is the move's", "(;B[aa];W[bb]TR[aa]LB[cc:x]C[look here])",
         "1B aa, 2W bb, 2TR aa, 2LB cc:x", "", ";W[bb]TR[aa]LB[cc:x]C[look here]"},
        {"every C of a node", "(;B[aa]C[one]C[two])", "1B aa", "", "C[one\r\ntwo]"},
        {"a node's name opens its comment", "(;B[aa]C[first];W[bb]N[San-san invasion]C[The usual way])", "1B aa, 2W bb",
         "", ";W[bb]C[San-san invasion\r\nThe usual way]"},
        {"a game comment inside the record", "(;B[aa];GC[aside];W[bb])", "1B aa, 2W bb", "", ";B[aa]C[aside]"},
        {"passes in the colour of the player who passed", "(;B[aa];B[tt];W[bb];W[])", "1B aa, 2P, 3W bb, 4P", "",
         ";B[aa];B[tt];W[bb];W[tt]"},
        {"PL and AE of the root", "(;PL[W]AE[aa]AB[bb][cc];W[dd])", "1B bb, 1B cc, 2W dd", "PL[W]AE[aa]",
         "PL[W]AE[aa]\r\nAB[bb][cc]"},
        {"the game's rules, times, source and annotator",
         "(;RU[Japanese]TM[3600]OT[5x30 byo-yomi]SO[Kido \\] 1950]AN[someone]US[me];B[aa];RU[Chinese])", "1B aa",
         "RU[Japanese]TM[3600]OT[5x30 byo-yomi]SO[Kido \\] 1950]AN[someone]US[me]",
         "RU[Japanese]TM[3600]OT[5x30 byo-yomi]SO[Kido \\] 1950]AN[someone]US[me]\r\n"},
        {"a result in words", "(;RE[White resigns.];B[aa])", "1B aa", "RE[White resigns.]", "RE[White resigns.]"},
        {"a result without a margin", "(;RE[B];B[aa])", "1B aa", "RE[B]", "RE[B]"},
        {"an unknown result", "(;RE[?];B[aa])", "1B aa", "RE[?]", "RE[?]"},
        {"a result the header writes alike", "(;RE[W+R];B[aa])", "1B aa", "", "RE[W+R]"},
        {"a date in words", "(;DT[16th of May 1856];B[aa])", "1B aa", "DT[16th of May 1856]", "DT[16th of May 1856]"},
        {"a date of two days", "(;DT[1994-03-12,13];B[aa])", "1B aa", "DT[1994-03-12,13]", "DT[1994-03-12,13]"},
        {"a date as the header writes it", "(;DT[2004-04-10];B[aa])", "1B aa", "", "DT[2004-04-10]"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Loaded first(c.sgf);
        ASSERT_TRUE(first.game.ok);
        EXPECT_EQ(test::treeDump(*first.game.main), c.tree);
        EXPECT_EQ(toUtf8(first.game.info.sgfRootExtras), c.extras);
        const std::string text = first.written();
        EXPECT_NE(text.find(c.written), std::string::npos) << text;
        // Reading what was written gives the same record and header.
        Loaded back(text);
        ASSERT_TRUE(back.game.ok);
        EXPECT_EQ(test::recordDifference(*first.game.main, *back.game.main), "");
        EXPECT_EQ(test::infoDifference(first.game.info, back.game.info), "");
    }
}

TEST(FileFidelity, WhatTheTextsSay) {
    Loaded marks("(;B[aa];W[bb]TR[aa]C[look here])");
    const RecordSequence& m = *marks.game.main;
    EXPECT_EQ(m.commentOf(m.node(1)), u"look here");
    EXPECT_EQ(m.node(2).comment, -1);
    // The family's own files give a mark a node of its own with the mark's comment.
    Loaded family("(;FF[4]AP[Tamarindo:Type=0,Flag=0,Tag=0,FV=0];B[aa];TR[bb]C[the mark's])");
    EXPECT_EQ(family.game.main->commentOf(family.game.main->node(1)), u"the mark's");
    // Passes keep who passed; the record's colour by number is only the default.
    Loaded passes("(;B[aa];B[tt];W[bb])");
    EXPECT_EQ(passes.game.main->node(1).passColour(), kBlack);
    // A free date keeps what can be read.
    EXPECT_EQ(Loaded("(;DT[16th of May 1856])").game.info.startDate.year, 1856);
    EXPECT_EQ(Loaded("(;DT[16th of May 1856])").game.info.startDate.month, 5);
    EXPECT_EQ(Loaded("(;DT[16th of May 1856])").game.info.startDate.day, 16);
    EXPECT_EQ(Loaded("(;DT[1856年5月16日])").game.info.startDate.day, 16);
    // A result changed after reading is written as the header has it.
    Loaded resigned("(;RE[White resigns.];B[aa])");
    resigned.game.info.winner = kBlackWins;
    resigned.game.info.margin = 2.5f;
    const std::string text = resigned.written();
    EXPECT_NE(text.find("RE[B+2.5]"), std::string::npos) << text;
    EXPECT_EQ(text.find("resigns"), std::string::npos) << text;
    // Comments go out with real line breaks and FF[4] escapes.
    Loaded lines("(;B[aa]C[one\r\ntwo \\] and \\\\])");
    EXPECT_NE(lines.written().find("C[one\r\ntwo \\] and \\\\]"), std::string::npos) << lines.written();
}

TEST(FileFidelity, BoardsOtherThan19And13LinesAreRefused) {
    struct Case {
        std::string sgf;
        const char* message;
    } cases[] = {
        {"(;SZ[9];B[ee])", "この棋譜の碁盤は9路です。19路と13路の棋譜だけを読み込めます。"},
        {"(;SZ[7])", "この棋譜の碁盤は7路です。19路と13路の棋譜だけを読み込めます。"},
        {"(;SZ[25])", "この棋譜の碁盤は25路です。19路と13路の棋譜だけを読み込めます。"},
        {"(;SZ[19:25])", "この棋譜の碁盤は19×25路です。19路と13路の棋譜だけを読み込めます。"},
    };
    for (const Case& c : cases) {
        Loaded l(c.sgf);
        EXPECT_FALSE(l.game.ok) << c.sgf;
        EXPECT_EQ(l.game.failure, LoadFailure::BoardSize);
        ASSERT_EQ(l.game.messages.size(), 1u);
        EXPECT_EQ(l.game.messages[0].id, kMsgBoardNotShown);
        EXPECT_EQ(toUtf8(l.game.messages[0].text), c.message);
    }
    for (const char* fine : {"(;SZ[19])", "(;SZ[13])", "(;SZ[19:19])", "(;B[aa])"})
        EXPECT_TRUE(Loaded(fine).game.ok) << fine;
    LoadSettings settings;
    const LoadedGame ugf =
        loadGameBytes("[Header]\nSIZE=9\n[Data]\nEE,B1,1,0\n", GameFileKind::Ugf, u"u", LoadRequest{}, settings);
    EXPECT_EQ(ugf.failure, LoadFailure::BoardSize);
    const HeaderPreview preview = preReadClipboardText(u"(;SZ[9])", settings);
    EXPECT_EQ(preview.failure, LoadFailure::BoardSize);
}

TEST(FileFidelity, WhatTheLimitsLeaveOutIsReported) {
    // 60 text labels in one node: 50 fit.
    std::string labels = "(;B[aa]";
    for (int i = 0; i < 60; ++i)
        labels += "LB[" + std::string(1, static_cast<char>('a' + i % 19)) +
                  std::string(1, static_cast<char>('a' + i / 19)) + ":L" + std::to_string(i) + "]";
    labels += ")";
    Loaded l(labels);
    ASSERT_TRUE(l.game.ok);
    ASSERT_EQ(l.game.losses.size(), 1u);
    EXPECT_EQ(l.game.losses[0], std::make_pair(kMsgLostLabels, 10));
    EXPECT_TRUE(l.game.reduced());
    EXPECT_EQ(toUtf8(loadNoticeText(l.game)),
              "棋譜の制限を超えたため、次のものは読み込めませんでした。\r\n・一つの手順で50個を超えた見出し：10個");
    // 1,100 moves in one line.
    std::string moves = "(;";
    for (int i = 0; i < 1100; ++i) moves += i % 2 ? ";W[aa]" : ";B[bb]";
    moves += ")";
    Loaded m(moves);
    ASSERT_EQ(m.game.losses.size(), 1u);
    EXPECT_EQ(m.game.losses[0], std::make_pair(kMsgLostNodes, 1100 - RecordSequence::kMaxNodes));
    // ... also in a UGF file, whose passes keep their colour.
    std::string ugf = "[Header]\n[Data]\nYA,B1,1,0\n";
    for (int i = 2; i <= 1100; ++i)
        ugf += std::string(i % 2 ? "AA,B" : "BB,W") + std::to_string(i) + "," + std::to_string(i) + ",0\n";
    LoadSettings settings;
    const LoadedGame u = loadGameBytes(ugf, GameFileKind::Ugf, u"u", LoadRequest{}, settings);
    ASSERT_EQ(u.losses.size(), 1u);
    EXPECT_EQ(u.losses[0], std::make_pair(kMsgLostNodes, 1100 - RecordSequence::kMaxNodes));
    EXPECT_EQ(u.main->node(0).passColour(), kBlack);
    // 300 variations of one move.
    std::string wide = "(;B[aa](;W[bb])";
    for (int i = 0; i < 300; ++i) wide += "(;W[cc])";
    wide += ")";
    Loaded w(wide);
    ASSERT_EQ(w.game.losses.size(), 1u);
    EXPECT_EQ(w.game.losses[0].first, kMsgLostBranches);
    EXPECT_EQ(w.game.losses[0].second, 300 - RecordSequence::kMaxChildren);
    // Points cleared and turns given later in the record have no place in it.
    Loaded later("(;B[aa];AE[aa][bb]PL[B];W[cc])");
    ASSERT_EQ(later.game.losses.size(), 2u);
    EXPECT_EQ(later.game.losses[0], std::make_pair(kMsgLostClearedPoints, 2));
    EXPECT_EQ(later.game.losses[1], std::make_pair(kMsgLostPlayerToMove, 1));
    // A file read whole says nothing.
    Loaded whole("(;B[aa];W[bb])");
    EXPECT_FALSE(whole.game.reduced());
    EXPECT_EQ(loadNoticeText(whole.game), u"");
    EXPECT_NE(reducedRecordSaveText(), u"");
}

TEST(FileFidelity, ACollectionOpensItsFirstGameAndSaysHowManyItHolds) {
    Loaded c("(;GN[one];B[aa])\n(;GN[two];B[bb](;W[cc])(;W[dd]))\n(;GN[three])");
    ASSERT_TRUE(c.game.ok);
    EXPECT_EQ(c.game.info.name, u"one");
    EXPECT_EQ(test::treeDump(*c.game.main), "1B aa");
    EXPECT_EQ(c.game.gamesInFile, 3);
    EXPECT_FALSE(c.game.reduced());
    EXPECT_EQ(toUtf8(loadNoticeText(c.game)), "このファイルには3局の棋譜が入っています。最初の対局を開きました。");
    EXPECT_EQ(Loaded("(;B[aa])").game.gamesInFile, 1);
}

} // namespace
} // namespace stonewise
