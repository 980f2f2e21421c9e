#include "mailgo/MailReader.h"

#include "mailgo/MailComposer.h"
#include "mailgo/MailVocabulary.h"
#include "record/GameRecord.h"
#include "record/Text.h"

#include <gtest/gtest.h>

namespace stonewise {
namespace {

// A game whose main record holds moves 1..last along the top rows (legal, nothing captured).
struct MailGame {
    GameRecord record;
    GameInfo info;
    explicit MailGame(int last, int stones = 0) {
        auto main = RecordSequence::createMain();
        for (int i = 0; i < stones; ++i) main->appendNode(makeMoveNode(1, 3 + 6 * (i % 2), 3 + 6 * (i / 2)));
        main->setHandicapCount(stones);
        for (int n = stones > 0 ? 2 : 1; n <= last; ++n) main->appendNode(makeMoveNode(n, n % 19, (n / 19) % 19));
        record.adopt(std::move(main));
        info.type = kGameMailGo;
        info.name = u"春の対局";
        info.handicap = static_cast<std::int16_t>(stones);
    }
    const RecordNode* move(int n) { return record.main().findNode(n); }
};

constexpr GameTime kNow{2026, 12, 11, 10, 0, 0};

MailApplyResult read(MailGame& game, std::u16string_view text, bool userIsBlack = true,
                     MailSource source = MailSource::Command) {
    const ParsedMail mail = parseMailText(text, {});
    return applyMail(mail, game.record, game.info, userIsBlack, source, kNow);
}

std::vector<int> messageIds(const MailApplyResult& r) {
    std::vector<int> ids;
    for (const MailMessage& m : r.messages) ids.push_back(m.id);
    return ids;
}

TEST(MailReader, JapaneseEnglishKanjiAndPassLines) {
    struct Case {
        const char16_t* text;
        int number;
        int x, y; // -1: a pass
    };
    const Case cases[] = {
        {u"【対局】\u3000春の対局\n１２手　１６、四\u3000\u3000\n", 12, 15, 3},
        {u"【対局】 春の対局\n第十二手　３、十三\n", 12, 2, 12},
        {u"[GAME] 春の対局\nMOVE 12 16,4  \n", 12, 15, 3},
        {u"[GAME] 春の対局\r\n\tMOVE\t12\t16 , 10\r\n", 12, 15, 9},
        {u"[GAME] 春の対局\n12 PASS   \n", 12, -1, -1},
        {u"[GAME] 春の対局\n１２手　パス　終わり\n", 12, -1, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(toUtf8(c.text)));
        MailGame game(11);
        const ParsedMail mail = parseMailText(c.text, {});
        EXPECT_EQ(mail.gameName, u"春の対局");
        const MailApplyResult r = applyMail(mail, game.record, game.info, true, MailSource::Command, kNow);
        EXPECT_TRUE(r.messages.empty());
        EXPECT_EQ(r.newMoves, 1);
        ASSERT_NE(game.move(12), nullptr);
        EXPECT_EQ(game.move(12)->x, c.x < 0 ? kNoPoint : c.x);
        EXPECT_EQ(game.move(12)->y, c.y < 0 ? kNoPoint : c.y);
        EXPECT_EQ(game.info.lastExchangedMove, 12);
    }
    MailGame black(12);
    EXPECT_TRUE(read(black, u"[GAME] x\n13 PASS\n", false).messages.empty());
    EXPECT_EQ(black.move(13)->type, NodeType::Pass);
    EXPECT_EQ(black.move(13)->passColour(), kBlack);
}

TEST(MailReader, NewMovesTakeTheWaitingTimeAndClearTheWarning) {
    MailGame game(11);
    game.info.waitingTime = {2026, 12, 10, 9, 30, 0};
    game.info.flags = kInfoMoveWaiting | 0x01;
    game.info.mailGoFlags = 0x23;
    read(game, u"[GAME] x\nMOVE 12 16,4\n");
    EXPECT_EQ(game.move(12)->elapsedSeconds(), 24 * 3600 + 30 * 60);
    EXPECT_EQ(game.info.waitingTime.day, 11);
    EXPECT_EQ(game.info.flags, 0x01);
    EXPECT_EQ(game.info.mailGoFlags, 0x20);
}

TEST(MailReader, ExistingMovesAreComparedAndTakeANewComment) {
    MailGame game(12);
    game.record.main().setComment(game.record.main().findNodeIndex(11), u"old", Backslashes::Keep);
    MailApplyResult r = read(game, u"[GAME] x\nMOVE 11 12,1  new\\r\nsecond\nMOVE 12 13,1\n");
    EXPECT_TRUE(r.messages.empty());
    EXPECT_EQ(r.newMoves, 0);
    EXPECT_EQ(r.commentsUpdated, 1);
    EXPECT_EQ(game.record.main().commentOf(*game.move(11)), u"new\r\nsecond");
    EXPECT_EQ(game.record.main().lastMoveNumber(), 12);

    r = read(game, u"[GAME] x\nMOVE 11 12,1\nMOVE 12 13,2\nMOVE 13 1,1\n");
    EXPECT_EQ(messageIds(r), std::vector<int>{53022});
    EXPECT_EQ(r.messages[0].text, u"以前の棋譜と石の位置が異なります。「MOVE 12 13,2」");
    EXPECT_EQ(game.record.main().lastMoveNumber(), 12);
}

TEST(MailReader, FaultyLinesStopTheReadingAndKeepTheMovesBefore) {
    struct Case {
        const char16_t* badLine;
        int message;
    };
    const Case cases[] = {
        {u"MOVE 14 2,3", 14027}, // beyond the record's last move plus one
        {u"MOVE 12 5,5", 14027}, // not after the line before
        {u"MOVE x 2,3", 0},      // after moves: not a move line, so the end of the text
        {u"MOVE 13", 53019},     {u"MOVE 13 0,3", 53020}, {u"MOVE 13 a,3", 53020},
        {u"MOVE 13 2", 53021},   {u"MOVE 13 2,0", 53021}, {u"MOVE 13 20,4", 53019}, // off the board
        {u"MOVE 13 2,1", 53029},                                                    // occupied
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(toUtf8(c.badLine)));
        MailGame game(11);
        const MailApplyResult r =
            read(game, u"[GAME] x\nMOVE 12 16,4\n" + std::u16string(c.badLine) + u"\nMOVE 13 5,5\n");
        EXPECT_EQ(messageIds(r), c.message ? std::vector<int>{c.message} : std::vector<int>{});
        if (c.message) {
            EXPECT_NE(r.messages[0].text.find(std::u16string(u"「") + c.badLine + u"」"), std::u16string::npos);
        }
        EXPECT_EQ(game.record.main().lastMoveNumber(), 12);
        EXPECT_EQ(r.newMoves, 1);
    }
    MailGame game(11); // a first line that is no move line at all
    EXPECT_EQ(messageIds(read(game, u"[GAME] x\nhello\n")), std::vector<int>{53018});
    EXPECT_EQ(messageIds(read(game, u"nothing here\n")), std::vector<int>{53011});
    EXPECT_EQ(messageIds(read(game, u"[GAME] x\n[SETTINGS] a,b,0,6.5,19\n[OTHER] 3\n")), std::vector<int>{53017});
}

TEST(MailReader, HeadingSettingsAndTitlePattern) {
    const ParsedMail mail = parseMailText(
        u"> quoted reply\n> more\nHello\n【対局】\u3000 碁会 第3局 \u3000\n【設定】 佐藤,加藤,4,0.5,13\n", {});
    EXPECT_EQ(mail.gameName, u"碁会 第3局");
    ASSERT_TRUE(mail.settings);
    EXPECT_EQ(mail.settings->whiteName, u"佐藤");
    EXPECT_EQ(mail.settings->blackName, u"加藤");
    EXPECT_EQ(mail.settings->handicap, 4);
    EXPECT_FLOAT_EQ(mail.settings->komi, 0.5f);
    EXPECT_EQ(mail.settings->boardSize, 13);
    MailReadOptions options;
    options.titlePattern = u"碁会*";
    EXPECT_EQ(parseMailText(u"x\n碁会 第3局\n1 4,4\n", options).gameName, u"碁会 第3局");
    EXPECT_FALSE(parseMailText(u"x\n碁会 第3局\n1 4,4\n", {}).headingFound);
    EXPECT_TRUE(holdsGameHeading(u"a\n> > [GAME] g\n", {}));
    EXPECT_TRUE(isSgfText(u"(\t ;GM[1])"));
    EXPECT_FALSE(isSgfText(u"(see 12)"));
}

TEST(MailReader, FourStoneHandicapGameStartsFromItsStones) {
    MailGame game(0);
    game.info.handicap = 4;
    MailApplyResult r =
        read(game, u"[GAME] x\n[SETTINGS] Sato,Kato,4,0.5,19\nSB 4,4\nSB 16,4\nSB 4,16\nSB 16,16\n", false);
    EXPECT_TRUE(r.messages.empty());
    EXPECT_EQ(game.record.main().handicapCount(), 4);
    EXPECT_EQ(game.record.main().lastMoveNumber(), 1);
    r = read(game, u"[GAME] x\nMOVE 1 3,3\n", true); // white's first move, move 2 in the record
    EXPECT_TRUE(r.messages.empty());
    ASSERT_NE(game.move(2), nullptr);
    EXPECT_EQ(game.move(2)->type, NodeType::WhiteMove);
    EXPECT_EQ(game.move(2)->x, 2);
    EXPECT_EQ(game.info.lastExchangedMove, 2);
    // Stones sent again after moves followed are only compared.
    r = read(game, u"[GAME] x\nSB 4,4\nSB 16,4\nSB 4,16\nSB 16,16\nMOVE 1 3,3\n", true);
    EXPECT_TRUE(r.messages.empty());
    EXPECT_EQ(game.record.main().lastMoveNumber(), 2);
    EXPECT_EQ(messageIds(read(game, u"[GAME] x\nSB 5,5\n", true)), std::vector<int>{53022});
}

TEST(MailReader, StudySequenceBecomesABranchAtItsMove) {
    MailGame game(20);
    MailApplyResult r = read(game, u"[GAME] x\n[BRANCH] 12\nMOVE 13 5,5\nMOVE 14 PASS\n");
    ASSERT_NE(r.branch, nullptr);
    EXPECT_EQ(r.branch->kind(), kBranch);
    EXPECT_EQ(r.branch->firstMoveNumber(), 13);
    EXPECT_EQ(r.branch->nodeCount(), 2);
    const RecordSequence& main = game.record.main();
    EXPECT_EQ(main.node(main.findLink(r.branch)).moveNumber, 12);
    EXPECT_EQ(game.info.lastExchangedMove, 0); // a study sequence is no exchange
    EXPECT_EQ(r.statusTexts, std::vector<int>{53023});

    r = read(game, u"[GAME] x\n【参考】 12\n１２手　５、五\n");
    ASSERT_NE(r.branch, nullptr);
    EXPECT_EQ(r.branch->kind(), kReference);
    EXPECT_EQ(r.branch->firstMoveNumber(), 12);
    // A move missing from the record: nothing is added.
    r = read(game, u"[GAME] x\n[BRANCH] 40\nMOVE 41 5,5\n");
    EXPECT_EQ(r.branch, nullptr);
    EXPECT_EQ(game.record.main().highestChildSlot(), 2);
}

TEST(MailReader, SeveralMovesAndTheParityOfTheLastMove) {
    MailGame game(10);
    game.info.ownMoveMark = 9; // the user (black) sent 9; the opponent sends 10..14
    MailApplyResult r = read(game, u"[GAME] x\n10 11,1\n11 12,1\n12 13,1\n13 14,1\n14 15,1\n");
    EXPECT_EQ(messageIds(r), std::vector<int>{53024});
    EXPECT_EQ(r.messages[0].text.substr(0, 8), u"複数の手（5手）");
    EXPECT_EQ(game.info.ownMoveMark, 13);

    MailGame own(10);
    r = read(own, u"[GAME] x\n11 12,1\n");
    EXPECT_EQ(messageIds(r), std::vector<int>{53025});
    EXPECT_EQ(own.info.lastExchangedMove, 10);
    MailGame cloud(10);
    r = read(cloud, u"[GAME] x\n11 12,1\n", true, MailSource::Cloud);
    EXPECT_FALSE(r.opponentsText);
    EXPECT_EQ(r.statusTexts, std::vector<int>{53026});
}

// --- mail programs ---------------------------------------------------------------------------------

std::u16string replaceAll(std::u16string_view s, std::u16string_view from, std::u16string_view to) {
    std::u16string out;
    std::size_t start = 0;
    for (std::size_t at; (at = s.find(from, start)) != std::u16string_view::npos; start = at + from.size()) {
        out.append(s.substr(start, at - start));
        out.append(to);
    }
    out.append(s.substr(start));
    return out;
}

std::u16string eachLine(const std::u16string& text, std::u16string_view before, std::u16string_view after) {
    std::u16string out;
    std::size_t start = 0;
    for (std::size_t nl; (nl = text.find(u'\n', start)) != std::u16string::npos; start = nl + 1)
        out += std::u16string(before) + text.substr(start, nl - start) + std::u16string(after) + u"\n";
    return out;
}

TEST(MailReader, ComposedTextsSurviveWhatMailProgramsDoToThem) {
    struct Mangling {
        const char* name;
        std::u16string (*apply)(const std::u16string&);
    };
    const Mangling manglings[] = {
        {"as sent", [](const std::u16string& t) { return t; }},
        {"quoted", [](const std::u16string& t) { return u"On Monday you wrote:\n" + eachLine(t, u"> ", u""); }},
        {"quoted twice", [](const std::u16string& t) { return eachLine(eachLine(t, u"> ", u""), u">", u""); }},
        {"CR LF", [](const std::u16string& t) { return replaceAll(t, u"\n", u"\r\n"); }},
        {"CR", [](const std::u16string& t) { return replaceAll(t, u"\n", u"\r"); }},
        {"blank lines between", [](const std::u16string& t) { return replaceAll(t, u"\n", u"\n\n \n"); }},
        {"tabs for blanks", [](const std::u16string& t) { return replaceAll(t, u"　", u"\t"); }},
        {"full-width spaces", [](const std::u16string& t) { return replaceAll(t, u" ", u"\u3000"); }},
        {"greeting and signature",
         [](const std::u16string& t) { return u"Hello,\nmy move:\n\n" + t + u"-- \nTaro Yamada\n03-1234-5678\n"; }},
    };
    struct Game {
        const char* name;
        bool english;
        int stones;
        bool study;
    };
    const Game games[] = {{"Japanese", false, 0, false},
                          {"English", true, 0, false},
                          {"handicap", false, 4, false},
                          {"study sequence", true, 0, true}};
    const std::u16string longComment =
        u"この手は厚い。\r\n" + std::u16string(60, u'x') +
        u"\r\nend-of-the-note,quite-a-long-one-at-that(no-blanks:a-mail-program-may-change-them)";
    for (const Game& g : games) {
        MailGame sender(30, g.stones);
        if (g.english) sender.info.flags |= kGameFlagEnglishMail;
        sender.info.handicap = static_cast<std::int16_t>(g.stones);
        RecordSequence& main = sender.record.main();
        main.setComment(main.findNodeIndex(29), longComment, Backslashes::Keep);
        main.setComment(main.findNodeIndex(30), u"短い", Backslashes::Keep);
        RecordSequence* study = nullptr;
        if (g.study) {
            study = main.createChild(1, 26, kBranch);
            study->appendNode(makeMoveNode(26, 10, 10));
            study->appendNode(makeMoveNode(27, 11, 10));
            study->setComment(1, longComment, Backslashes::Keep);
        }
        MailComposeRequest request;
        request.purpose = g.study ? MailPurpose::StudySequence : MailPurpose::NextMove;
        request.settings.maximumMoves = 6;
        const std::u16string text = composeMailText(sender.info, main, study, request).text;
        for (const Mangling& m : manglings) {
            SCOPED_TRACE(std::string(g.name) + ", " + m.name);
            MailGame receiver(g.study ? 30 : 24, g.stones);
            receiver.info.handicap = static_cast<std::int16_t>(g.stones);
            const bool userIsBlack = true; // the opponent sent move 30 (white)
            const MailApplyResult r = read(receiver, m.apply(text), userIsBlack);
            EXPECT_TRUE(r.messages.empty()) << (r.messages.empty() ? "" : toUtf8(r.messages[0].text));
            const RecordSequence& got = r.branch ? *r.branch : receiver.record.main();
            const RecordSequence& want = study ? *study : main;
            ASSERT_EQ(got.lastMoveNumber(), want.lastMoveNumber());
            for (const RecordNode& n : want.nodes()) {
                if (!n.isMoveOrPass() || n.moveNumber < 25) continue;
                const RecordNode* back = got.findNode(n.moveNumber);
                ASSERT_NE(back, nullptr) << n.moveNumber;
                EXPECT_EQ(back->x, n.x);
                EXPECT_EQ(back->y, n.y);
                EXPECT_EQ(got.commentOf(*back), want.commentOf(n)) << n.moveNumber;
            }
        }
    }
}

} // namespace
} // namespace stonewise
