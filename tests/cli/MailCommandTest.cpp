// stonewise-cli mail write / mail read and cloud poll, on data folders the window prepared: the
// same texts the window sends and takes.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "app/CommandIds.h"
#include "app/GameSession.h"
#include "cli/CliCommand.h"
#include "store/GameStore.h"
#include "support/MailGoPlayer.h"
#include "support/TempFolder.h"

namespace stonewise {
namespace {

int cli(const std::string& name, std::vector<std::string> args, std::string& out, std::string& err) {
    for (const auto& c : cli::allCommands())
        if (c.name == name) {
            std::ostringstream o, e;
            const int code = c.run(args, o, e);
            out = o.str();
            err = e.str();
            return code;
        }
    ADD_FAILURE() << "no command " << name;
    return -1;
}

TEST(MailCommand, WritesWhatTheWindowSendsAndReadsItIntoTheOtherPlayersGame) {
    test::TempFolder folders;
    const std::string a = folders.path() + "a", b = folders.path() + "b";
    std::u16string sent;
    {
        test::MailGoPlayer pa(a, u"Aoki", u"Baba", true);
        pa.app.settings().mailBodyForm = 0;
        pa.play(15, 3);
        pa.play(3, 15); // a move for White too: the window asks, the command line does not
        pa.play(16, 16);
        pa.commands.run(kCmdSendMoves);
        sent = *pa.clipboard.content;
        pa.app.shutDown();
    }
    { test::MailGoPlayer pb(b, u"Baba", u"Aoki", false); }

    std::string out, err;
    ASSERT_EQ(cli("mail", {"write", "--data", a, "--group", "1", "1"}, out, err), 0) << err;
    EXPECT_EQ(fromUtf8(out), sent);
    ASSERT_EQ(cli("mail", {"write", "--data", a, "--group", "1", "1", "--english"}, out, err), 0) << err;
    // A game played by Japanese mail keeps its words; the English interface writes ASCII numbers.
    EXPECT_TRUE(out.starts_with("【対局】")) << out;
    EXPECT_NE(out.find("3手　17,17"), std::string::npos) << out;
    EXPECT_EQ(cli("mail", {"write", "--data", a, "--group", "1", "1", "--study"}, out, err), 1);
    // A game that is no number, none, or two: the usage, whatever comes after.
    for (const std::vector<std::string>& game : {std::vector<std::string>{"x", "1"}, {"0", "1"}, {}, {"1", "1"}}) {
        std::vector<std::string> args{"write", "--data", a, "--group", "1"};
        args.insert(args.end(), game.begin(), game.end());
        EXPECT_EQ(cli("mail", args, out, err), 2) << game.size();
    }

    const std::string file = folders.path() + "mail.txt";
    std::ofstream(file, std::ios::binary) << toUtf8(sent);
    ASSERT_EQ(cli("mail", {"read", "--data", b, file}, out, err), 0) << err;
    EXPECT_EQ(out, "game\t1\t春の対局\nmoves\t3\tlast\t3\n");
    // Read again: the moves are there already; nothing new, nothing refused.
    ASSERT_EQ(cli("mail", {"read", "--data", b, file}, out, err), 0) << err;
    EXPECT_EQ(out, "game\t1\t春の対局\nmoves\t0\tlast\t3\n");
    test::TestProgram shown(b);
    ASSERT_TRUE(shown.app.session()->openGame(0, 1)); // the Mail Go group
    EXPECT_EQ(shown.board.totalMoves(), 3);

    // A stone on a point that differs from the record is refused with the window's message.
    std::ofstream(file, std::ios::binary) << "【対局】 春の対局\n１手　１、一\n";
    EXPECT_EQ(cli("mail", {"read", "--data", b, file}, out, err), 1);
    EXPECT_NE(err.find("以前の棋譜と石の位置が異なります"), std::string::npos) << err;
    std::ofstream(file, std::ios::binary) << "hello\n";
    EXPECT_EQ(cli("mail", {"read", "--data", b, file}, out, err), 1);
    EXPECT_EQ(cli("mail", {"read", "--data", b}, out, err), 2);
}

TEST(MailCommand, CloudPollReadsTheChangedNextMoveFileIntoItsGame) {
    test::TempFolder folders;
    std::filesystem::create_directories(folders.path() + "cloud");
    const std::string file = folders.path() + "cloud/春の対局.nextmove";
    const std::string b = folders.path() + "b";
    {
        test::MailGoPlayer pa(folders.path() + "a", u"Aoki", u"Baba", true, 0, 0, file);
        pa.play(15, 3);
        pa.commands.run(kCmdSendMoves);
    }
    { test::MailGoPlayer pb(b, u"Baba", u"Aoki", false, 0, 0, file); }
    std::string out, err;
    ASSERT_EQ(cli("cloud", {"poll", "--data", b}, out, err), 0) << err;
    EXPECT_NE(out.find("read\tnext-move\t" + file + "\tgame 1\tmoves 1"), std::string::npos) << out;
    EXPECT_NE(out.find("wrote\tgame 1"), std::string::npos) << out;
    // The file's time is kept: the next poll finds nothing new.
    ASSERT_EQ(cli("cloud", {"poll", "--data", b}, out, err), 0) << err;
    EXPECT_EQ(out.find("read\t"), std::string::npos) << out;
}

} // namespace
} // namespace stonewise
