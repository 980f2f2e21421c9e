// Every file of the corpus of other programs' game records: it loads without a crash or a hang, the
// refusals are the expected ones, and writing it back in each encoding gives the same record.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <set>

#include "formats/FileAccess.h"
#include "formats/GameFileLoader.h"
#include "formats/MemberDirectory.h"
#include "formats/RecordComparison.h"
#include "formats/SgfWriter.h"
#include "support/TestPaths.h"

namespace stonewise {
namespace {

namespace fs = std::filesystem;

// Game-record files that the reader reads only in part: the record's limits (1,024 nodes in a
// sequence) leave the rest out, with the number of nodes and variations left out.
const std::map<std::string, int> kExpectedTruncations = {
    {"pro/kombilo/under-the-stones.sgf", 287},  // one line of 1,311 moves
};

struct CorpusFile {
    std::string relative;
    std::string path;
};

std::vector<CorpusFile> corpusFiles() {
    std::vector<CorpusFile> out;
    const fs::path root = test::corpusDir();
    if (!fs::is_directory(root)) return out;
    for (const auto& entry : fs::recursive_directory_iterator(root)) {
        if (!entry.is_regular_file()) continue;
        out.push_back({fs::relative(entry.path(), root).generic_string(), entry.path().string()});
    }
    std::sort(out.begin(), out.end(), [](const CorpusFile& a, const CorpusFile& b) { return a.relative < b.relative; });
    return out;
}

TEST(FormatsCorpus, EveryFileLoadsOrIsRefusedForItsReason) {
    const auto files = corpusFiles();
    ASSERT_GT(files.size(), 1000u) << "the corpus is missing at " << test::corpusDir();
    std::map<std::string, int> truncated;
    int games = 0;
    for (const CorpusFile& f : files) {
        SCOPED_TRACE(f.relative);
        InMemoryMembers members;
        LoadSettings settings;
        settings.members = &members;
        const LoadedGame g = loadGameFile(f.path, LoadRequest{}, settings);
        if (gameFileKind(f.path) == GameFileKind::Unknown) {
            // Licences, read-me files and the manifest are not game records: refused with 11604.
            EXPECT_FALSE(g.ok);
            EXPECT_EQ(g.failure, LoadFailure::UnknownFileKind);
            ASSERT_EQ(g.messages.size(), 1u);
            EXPECT_EQ(g.messages[0].id, kMsgUnknownFileKind);
            continue;
        }
        ++games;
        EXPECT_TRUE(g.ok) << loadFailureText(g.failure);
        ASSERT_NE(g.main, nullptr);
        EXPECT_TRUE(g.main->isValid());
        if (g.dropped > 0) truncated[f.relative] = g.dropped;
    }
    EXPECT_GT(games, 1100);
    EXPECT_EQ(truncated, kExpectedTruncations);
}

class CorpusRoundTrip : public ::testing::TestWithParam<SgfEncoding> {};

TEST_P(CorpusRoundTrip, WritingAndReadingBackGivesTheSameRecord) {
    const SgfEncoding encoding = GetParam();
    int compared = 0;
    for (const CorpusFile& f : corpusFiles()) {
        if (gameFileKind(f.path) == GameFileKind::Unknown) continue;
        SCOPED_TRACE(f.relative);
        InMemoryMembers members;
        LoadSettings settings;
        settings.members = &members;
        const LoadedGame first = loadGameFile(f.path, LoadRequest{}, settings);
        ASSERT_TRUE(first.ok);
        SgfWriteOptions options;
        options.encoding = encoding;
        options.members = &members;
        const SgfWriteResult written = writeSgf(*first.main, first.info, options);
        const LoadedGame second = loadGameBytes(written.bytes, GameFileKind::Sgf, u"other", LoadRequest{}, settings);
        ASSERT_TRUE(second.ok);
        EXPECT_TRUE(second.familyFile);
        EXPECT_FALSE(second.oldDialect);
        EXPECT_EQ(second.dropped, 0);
        EXPECT_EQ(test::recordDifference(*first.main, *second.main), "");
        EXPECT_EQ(test::infoDifference(first.info, second.info), "");
        if (HasFailure()) return;  // one file's story is enough
        ++compared;
    }
    EXPECT_GT(compared, 1100);
}

INSTANTIATE_TEST_SUITE_P(Encodings, CorpusRoundTrip,
                         ::testing::Values(SgfEncoding::SystemCodePage, SgfEncoding::Utf8, SgfEncoding::Utf16),
                         [](const auto& info) {
                             switch (info.param) {
                             case SgfEncoding::SystemCodePage: return std::string("ShiftJis");
                             case SgfEncoding::Utf8: return std::string("Utf8");
                             default: return std::string("Utf16");
                             }
                         });

} // namespace
} // namespace stonewise
