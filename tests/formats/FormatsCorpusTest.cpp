// Every file of the corpus of other programs' game records: it loads without a crash or a hang, the
// refusals are the expected ones, and writing it back in each encoding gives the same record.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <map>
#include <set>

#include "formats/FileAccess.h"
#include "formats/GameFileLoader.h"
#include "formats/MemberDirectory.h"
#include "formats/RecordComparison.h"
#include "formats/SgfScanner.h"
#include "formats/SgfText.h"
#include "formats/SgfWriter.h"
#include "formats/TextEncoding.h"
#include "record/Text.h"
#include "support/TestPaths.h"

namespace stonewise {
namespace {

namespace fs = std::filesystem;

// Game-record files that the reader reads only in part: the record's limits (1,024 nodes in a
// sequence) leave the rest out, with the number of nodes and variations left out.
const std::map<std::string, int> kExpectedTruncations = {
    {"pro/kombilo/under-the-stones.sgf", 287}, // one line of 1,311 moves
};

// The board a file declares, found the simple way: the first "SZ[" (SGF) or "SIZE=" (UGF) and the
// numbers after it; "19" when there is none. "19:25" for a board that is not square.
std::string declaredBoard(const std::string& bytes) {
    std::size_t at = bytes.find("SZ[");
    if (at != std::string::npos) at += 3;
    else if ((at = bytes.find("SIZE=")) != std::string::npos) at += 5;
    else return "19";
    std::string columns, rows;
    while (at < bytes.size() && std::isdigit(static_cast<unsigned char>(bytes[at]))) columns.push_back(bytes[at++]);
    if (at < bytes.size() && bytes[at] == ':')
        while (++at < bytes.size() && std::isdigit(static_cast<unsigned char>(bytes[at]))) rows.push_back(bytes[at]);
    if (columns.empty()) return "19";
    columns = std::to_string(std::stoi(columns));
    if (!rows.empty() && std::to_string(std::stoi(rows)) != columns)
        return columns + ":" + std::to_string(std::stoi(rows));
    return columns;
}

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
    int refusedBoards = 0;
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
        const std::string board = declaredBoard(readFileBytes(f.path).value_or(std::string()));
        if (board != "19" && board != "13") {
            // A board the program cannot show is refused with a message that names its size.
            EXPECT_FALSE(g.ok);
            EXPECT_EQ(g.failure, LoadFailure::BoardSize);
            ASSERT_EQ(g.messages.size(), 1u);
            EXPECT_EQ(g.messages[0].id, kMsgBoardNotShown);
            std::string named = board;
            if (const std::size_t colon = named.find(':'); colon != std::string::npos) named.replace(colon, 1, "×");
            EXPECT_NE(toUtf8(g.messages[0].text).find("盤は" + named + "路"), std::string::npos)
                << toUtf8(g.messages[0].text);
            ++refusedBoards;
            continue;
        }
        EXPECT_TRUE(g.ok) << loadFailureText(g.failure);
        ASSERT_NE(g.main, nullptr);
        EXPECT_TRUE(g.main->isValid());
        if (g.dropped > 0) truncated[f.relative] = g.dropped;
    }
    EXPECT_GT(games, 1100);
    EXPECT_GT(refusedBoards, 100); // the small-board games
    EXPECT_EQ(truncated, kExpectedTruncations);
}

// Whitespace runs as one blank, none at the ends: texts compared whatever their line breaks.
std::u16string squeezed(std::u16string_view text) {
    std::u16string out;
    bool blank = false;
    for (char16_t c : text) {
        if (c <= u' ' || c == u'\u3000') {
            blank = !out.empty();
            continue;
        }
        if (blank) out.push_back(u' ');
        blank = false;
        out.push_back(c);
    }
    return out;
}

// The texts of the first game tree of an SGF text: comments, label texts, PL of the root node and
// the header texts, read with the given text rules. `all` takes the values of every property instead.
std::vector<std::u16string> sgfTexts(std::u16string_view text, SgfTextRules rules, bool all) {
    std::vector<std::u16string> out;
    const std::size_t start = findGameStart(text);
    if (start == std::u16string_view::npos) return out;
    SgfScanner scanner(text, start);
    int depth = 0;
    int nodes = 0;
    for (SgfToken t = scanner.next(); t != kSgfEnd; t = scanner.next()) {
        if (t == kSgfSemicolon) ++nodes;
        if (t == kSgfOpen && ++depth > 1) nodes = 2;
        if (t == kSgfClose && --depth <= 0) break;
        if (t < kSgfFF) continue;
        const bool wanted = all || t == kSgfC || t == kSgfLB || t == kSgfPL || t == kSgfGN || t == kSgfPB ||
                            t == kSgfPW || t == kSgfEV || t == kSgfRO || t == kSgfPC || t == kSgfBR || t == kSgfWR ||
                            t == kSgfDT || t == kSgfRE || t == kSgfGC;
        if (t == kSgfPL && !all && nodes > 1) continue; // later PL is reported as left out
        if (!wanted) continue;
        for (std::size_t i = 0; i < scanner.values().size(); ++i) {
            std::u16string_view raw = scanner.value(i);
            if (t == kSgfLB && !all) {
                if (raw.size() < 4 || raw[2] != u':') continue;
                raw.remove_prefix(3);
            }
            std::u16string value;
            if (t == kSgfC || t == kSgfGC) appendCommentText(raw, rules, value);
            else appendSimpleText(raw, rules, value);
            if (t == kSgfLB && !all && value.size() > static_cast<std::size_t>(kMaxLabelLength))
                value.resize(kMaxLabelLength);
            if (t == kSgfC && value.size() > 1 && value[0] == u'<') { // a leading time is the program's own
                const std::size_t close = value.find(u'>');
                if (close != std::u16string::npos && value.find_first_not_of(u"0123456789", 1) == close)
                    value.erase(0, close + 1);
            }
            value = squeezed(value);
            if (!value.empty()) out.push_back(std::move(value));
        }
    }
    return out;
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
        if (first.failure == LoadFailure::BoardSize) continue;
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
        // Every text of the source file stands in the written file.
        if (gameFileKind(f.path) == GameFileKind::Sgf && first.dropped == 0) {
            const DecodedText source =
                decodeGameRecordBytes(readFileBytes(f.path).value_or(std::string()), CodePage::Cp932);
            const DecodedText target = decodeGameRecordBytes(written.bytes, CodePage::Cp932);
            std::u16string writtenTexts;
            for (const std::u16string& t : sgfTexts(target.text, SgfTextRules::Standard, true))
                writtenTexts.append(t).push_back(u'\n');
            const SgfTextRules rules = first.familyFile ? SgfTextRules::Family : SgfTextRules::Standard;
            for (const std::u16string& t : sgfTexts(source.text, rules, false))
                EXPECT_NE(writtenTexts.find(t), std::u16string::npos) << "lost: " << toUtf8(t);
        }
        if (HasFailure()) return; // one file's story is enough
        ++compared;
    }
    EXPECT_GT(compared, 900);
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
