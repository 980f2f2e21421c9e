// stonewise-cli cloud list on a data folder with a registry.
#include <gtest/gtest.h>

#include <sstream>

#include "cli/CliCommand.h"
#include "mailgo/CloudRegistryFile.h"
#include "record/StringTable.h"
#include "store/DataFolder.h"
#include "store/FileIo.h"
#include "support/TempFolder.h"

namespace stonewise {
namespace {

int cloud(std::vector<std::string> args, std::string& out, std::string& err) {
    for (const auto& c : cli::allCommands())
        if (c.name == "cloud") {
            std::ostringstream o, e;
            const int code = c.run(args, o, e);
            out = o.str();
            err = e.str();
            return code;
        }
    ADD_FAILURE() << "no command cloud";
    return -1;
}

TEST(CloudCommand, ListsFoldersFilesAndTheirTimes) {
    test::TempFolder temp;
    const DataFolder data(temp.path());
    CloudFolder f{1, u"/home/u/Cloud", {}};
    f.files.push_back({1, 0, 0, 0, 0, 0, u"第3局.nextmove"});
    f.files.push_back({1, 4, 2, -1, 0, -1, u"old.nextmove"});
    f.files.push_back({1, 8, 1, 0, 0, -1, u"new.nextmove"});
    writeFileAtomically(data.file(kCloudDataFileName), encodeCloudData({std::nullopt, f}));
    const std::vector<CloudTime> times{{2026, 12, 10, 23, 5, 9}};
    writeFileAtomically(data.file(cloudTimeFileName(0)), encodeCloudTimeBlock(times, 1));

    std::string out, err;
    ASSERT_EQ(cloud({"list", "--data", temp.path()}, out, err), 0) << err;
    EXPECT_EQ(out, "folder 2\t/home/u/Cloud\n"
                   "\t131072\t2026-12-10 23:05:09\t第3局.nextmove\n"
                   "\t131078\tdeleted\told.nextmove\n"
                   "\t131081\t-\tnew.nextmove\n"
                   "time records: 1\n");

    // A damaged registry: its message and an exit code of 1.
    writeFileAtomically(data.file(kCloudDataFileName), std::vector<std::uint8_t>(10, 0));
    EXPECT_EQ(cloud({"list", "--data", temp.path()}, out, err), 1);
    EXPECT_EQ(err, "クラウド情報の読み込み: エラーが発生しました。保存されたデータが異常です。\n");
    EXPECT_EQ(cloud({"show", "--data", temp.path()}, out, err), 2);
}

} // namespace
} // namespace stonewise
