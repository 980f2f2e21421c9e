// The UGF reader: sections, header keys, coordinates and handicap lines.
#include <gtest/gtest.h>

#include "formats/GameFileLoader.h"
#include "formats/MemberDirectory.h"
#include "formats/SgfTreeDump.h"
#include "formats/UgfReader.h"
#include "support/TestPaths.h"

namespace stonewise {
namespace {

TEST(UgfReader, HeaderKeysHandicapLinesAndIgsRows) {
    InMemoryMembers members;
    LoadSettings settings;
    settings.members = &members;
    const LoadedGame g = loadGameFile(test::testDataDir() + "/formats/handicap-igs.ugf", LoadRequest{}, settings);
    ASSERT_TRUE(g.ok);
    EXPECT_EQ(g.kind, GameFileKind::Ugf);
    const GameInfo& info = g.info;
    EXPECT_EQ(info.name, u"Kisei,Game 1");
    EXPECT_EQ(info.startDate.year, 2020);
    EXPECT_EQ(info.startDate.month, 1);
    EXPECT_EQ(info.startDate.day, 2);
    EXPECT_EQ(info.handicap, 2);
    EXPECT_FLOAT_EQ(info.komi, 0.5f);
    EXPECT_EQ(members.nameOf(info.blackPlayer), u"Kuro");
    EXPECT_EQ(members.nameOf(info.whitePlayer), u"Shiro");
    EXPECT_EQ(info.winner, kWhiteWins);
    EXPECT_FLOAT_EQ(info.margin, 1000.0f);
    EXPECT_EQ(info.carriedText, u"[3d],[5d],[Tokyo]");
    // IGS rows count from the bottom; "YA" is off the board: a pass. [Figure] ends the game.
    EXPECT_EQ(test::treeDump(*g.main), "1B dp, 1B pd, 2W pp, 3P");
    EXPECT_EQ(g.main->handicapCount(), 2);
}

TEST(UgfReader, LinesOfTheDescription) {
    struct Case {
        const char16_t* text;
        const char* tree;
        int winner;
        float margin;
    } cases[] = {
        {u"[HEADER]\nCOORDINATETYPE=IGS\n[DATA]\nPD,B1,1,0\n", "1B pp", 0, 0.0f}, // row D from the bottom
        {u"[HEADER]\nCOORDINATETYPE=JPN\n[DATA]\nPD,B1,1,0\n", "1B pd", 0, 0.0f},
        {u"[Header]\nCoordinateType=IGS\n[Data]\npd,b1,1,0\n", "1B pp", 0, 0.0f},
        {u"[HEADER]\nWINNER=B,5.5\n[DATA]\n", "", kBlackWins, 5.5f},
        {u"[HEADER]\n[DATA]\nYA,B1,0,0\nPP,B1,0,0\nPD,W1,2,0\n", "1B pp, 2W pd", 0, 0.0f}, // no stone off the board
        {u"[HEADER]\n[DATA]\nAA,W1,1,0\nBB,B1,2,0\n", "1P, 2W aa, 3B bb", 0, 0.0f},        // White first: Black passed
        {u"[HEADER]\n[DATA]\nDD,B1,1,0\nPP,B1,0,0\n", "1B dd", 0, 0.0f}, // a handicap line after a move ends it
        {u"[HEADER]\nWINNER=W,T\n[DATA]\n", "", kWhiteWins, 2000.0f},
        {u"[HEADER]\nno key here\nCOORDINATETYPE=XYZ\n[DATA]\nAA,B1,1,0\nBB,W1,2,0\n[REVIEWNODE]\nCC,B1,3,0\n",
         "1B aa, 2W bb", 0, 0.0f},
    };
    for (const Case& c : cases) {
        const UgfReadResult r = readUgf(c.text, GameInfo{}, nullptr);
        EXPECT_TRUE(r.ok);
        EXPECT_EQ(r.info.winner, c.winner);
        EXPECT_FLOAT_EQ(r.info.margin, c.margin);
        EXPECT_EQ(test::treeDump(*r.main), c.tree);
    }
    EXPECT_FALSE(readUgf(u"nothing", GameInfo{}, nullptr).ok);
}

TEST(UgfReader, AHandicapLineAfterMovesEndsTheReading) {
    const LoadedGame g = loadGameBytes("[Header]\n[Data]\nAA,B1,1,0\nBB,W1,2,0\nCC,B1,0,0\nDD,W1,4,0\n",
                                       GameFileKind::Ugf, u"late", LoadRequest{}, LoadSettings{});
    ASSERT_TRUE(g.ok);
    EXPECT_EQ(test::treeDump(*g.main), "1B aa, 2W bb");
    ASSERT_EQ(g.messages.size(), 1u);
    EXPECT_EQ(g.messages[0].text, u"前の番号より小さな番号が出現した。 最終番号=2 出現番号=1");
    EXPECT_EQ(g.info.name, u"late"); // no TITLE: the file's name
}

} // namespace
} // namespace stonewise
