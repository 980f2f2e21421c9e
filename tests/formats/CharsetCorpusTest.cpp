// The files of the corpus written in many charsets: each one reads in the right charset, its text
// holds no U+FFFD, and where the file says what it holds, the names and comments come out as that.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>

#include "formats/FileAccess.h"
#include "formats/GameFileLoader.h"
#include "formats/MemberDirectory.h"
#include "formats/TextEncoding.h"
#include "record/Text.h"
#include "support/TestPaths.h"

namespace stonewise {
namespace {

namespace fs = std::filesystem;

enum class Script { Any, Han, Japanese, Hangul, Latin };

// Whether every non-ASCII letter of the text belongs to the script (punctuation aside).
bool inScript(std::u16string_view text, Script script) {
    for (char16_t c : text) {
        if (c < 0x80 || (c >= 0x3000 && c <= 0x303F) || (c >= 0xFF00 && c <= 0xFF65)) continue;
        const bool han = c >= 0x4E00 && c <= 0x9FFF;
        const bool kana = c >= 0x3040 && c <= 0x30FF;
        const bool hangul = c >= 0xAC00 && c <= 0xD7A3;
        const bool latin = c >= 0xA0 && c <= 0x24F;
        switch (script) {
        case Script::Any: break;
        case Script::Han:
            if (!han) return false;
            break;
        case Script::Japanese:
            if (!han && !kana) return false;
            break;
        case Script::Hangul:
            if (!hangul) return false;
            break;
        case Script::Latin:
            if (!latin) return false;
            break;
        }
    }
    return true;
}

struct Expected {
    const char* charset;               // the charset the file is read in
    Script script;                     // of every non-ASCII text
    std::vector<std::u16string> texts; // found in the decoded file
    std::u16string black, white;
    std::u16string comment; // the start of a comment of the record
    bool damaged = false;   // the file itself holds U+FFFD
};

const std::map<std::string, Expected>& expectations() {
    static const std::map<std::string, Expected> table = {
        // glGo, no CA: two bytes that are 白 ("White") in GB2312, or half-width katakana in Shift_JIS.
        {"gnugo-legacy/9handicap.sgf", {"GB18030", Script::Han, {u"PW[白]"}, u"GNU Go", u"白", u""}},
        {"gnugo-legacy/CrazyStone1.sgf", {"WINDOWS-1252", Script::Any, {}, u"Crazy Stone:0003-11", u"GNU Go:3.6", u""}},
        {"gnugo-legacy/CrazyStone2.sgf", {"WINDOWS-1252", Script::Any, {}, u"GNU Go:3.6", u"Crazy Stone:0003-11", u""}},
        {"gnugo-legacy/endgame14.sgf", {"WINDOWS-1252", Script::Any, {}, u"", u"", u""}},
        {"gnugo-legacy/gnugo-aya.sgf",
         {"UTF-8", Script::Japanese, {}, u"Aya", u"GNUGo", u"スコア不一致により審判判定"}},
        {"gnugo-legacy/gnugo-gorimu.sgf",
         {"UTF-8", Script::Japanese, {}, u"Gorimuchu", u"GNUGo", u"同形再現による審判判定"}},
        {"gnugo-legacy/gnugo-indigo.sgf", {"UTF-8", Script::Japanese, {}, u"INDIGO", u"GNUGo", u"スコア不一致"}},
        {"gnugo-legacy/gnugo-nanasi.sgf", {"UTF-8", Script::Japanese, {}, u"Nanasi", u"GNUGo", u"スコア不一致"}},
        {"gnugo-legacy/nicklas12.sgf",
         {"WINDOWS-1252", Script::Latin, {u"hörru gnugo"}, u"GnuGo", u"kossa", u"\n kossa 6k*: hörru"}},
        {"gnugo-legacy/tg-gg.sgf",
         {"WINDOWS-1252", Script::Latin, {u"Fichier SGF créé par TurboGo"}, u"Gnu Go", u"TurboGo v5.01", u""}},
        {"gnugo-legacy/trevor_42.sgf", {"GB18030", Script::Han, {u"C[盘面"}, u"GnuGo-3.0.0", u"FunGo", u"盘面"}},
        {"gnugo-legacy/tso_igobot_2006-01-16.sgf", {"UTF-8", Script::Any, {}, u"tso", u"igobot", u""}},
        {"sabaki-sgf/chinese.sgf", {"GB18030", Script::Han, {}, u"古力", u"柯洁", u"围棋 is fun"}},
        {"sabaki-sgf/complex.sgf", {"UTF-8", Script::Any, {}, u"", u"", u"\n\n-- chat --\nakoveable: oups"}},
        {"sabaki-sgf/encoding/nihon-kiin.sgf",
         {"CP932",
          Script::Japanese,
          {u"PC[韓国棋院]", u"RE[257手完, 黒中押し勝ち]", u"TE[第1回ソパルコサノル世界最高棋士決定戦第9戦]"},
          u"申眞ソ",
          u"党毅飛",
          u""}},
        {"sabaki-sgf/japanese.sgf", {"CP932", Script::Japanese, {}, u"井山 裕太", u"山下 敬吾", u"囲碁 is fun"}},
        // Its Shift_JIS text was replaced by U+FFFD before it was saved as UTF-8, CA left as it was:
        // nothing can bring the names back.
        {"sabaki-sgf/japanese_bad.sgf",
         {"UTF-8", Script::Any, {}, u"\uFFFD\uFFFD\uFFFDR \uFFFDT\uFFFD\uFFFD", u"", u"", true}},
        {"sabaki-sgf/korean.sgf", {"CP949", Script::Hangul, {}, u"이세돌", u"박정환", u"바둑 is fun"}},
        {"sabaki-sgf/no-ca.sgf", {"GB18030", Script::Han, {u"C[【第三型】"}, u"", u"", u"严厉\n    黑1夹是严厉的一手"}},
        {"sabaki-sgf/utf16le.sgf", {"UTF-16LE", Script::Any, {}, u"Kitani Minoru", u"Go Seigen", u""}},
        {"sabaki-sgf/utf8bom.sgf", {"UTF-8", Script::Any, {}, u"Kitani Minoru", u"Go Seigen", u""}},
    };
    return table;
}

// Every comment of the record, in any sequence.
void collectComments(const RecordSequence& s, std::vector<std::u16string>& out) {
    for (const RecordNode& k : s.nodes())
        if (k.comment >= 0) out.emplace_back(s.commentOf(k));
    for (int slot = 1; slot <= s.highestChildSlot(); ++slot)
        if (const RecordSequence* c = s.child(slot)) collectComments(*c, out);
}

std::u16string withoutCarriageReturns(std::u16string text) {
    text.erase(std::remove(text.begin(), text.end(), u'\r'), text.end());
    return text;
}

TEST(CharsetCorpus, EveryFileOfManyCharsetsReadsRight) {
    const fs::path root = fs::path(test::corpusDir()) / "encodings";
    ASSERT_TRUE(fs::is_directory(root)) << root;
    std::size_t seen = 0;
    for (const auto& entry : fs::recursive_directory_iterator(root)) {
        if (!entry.is_regular_file()) continue;
        const std::string relative = fs::relative(entry.path(), root).generic_string();
        const auto it = expectations().find(relative);
        // A new file of the folder is looked at and described here before it counts as read right.
        ASSERT_NE(it, expectations().end()) << relative << " has no expectation";
        const Expected& e = it->second;
        ++seen;

        const std::optional<std::string> bytes = readFileBytes(entry.path().string());
        ASSERT_TRUE(bytes) << relative;
        const DecodedText decoded = decodeGameRecordBytes(*bytes, CodePage::Cp932);
        EXPECT_EQ(decoded.source.charset, e.charset) << relative << ": " << describeTextSource(decoded.source);
        EXPECT_EQ(decoded.text.find(u'\uFFFD') != std::u16string::npos, e.damaged) << relative;
        EXPECT_TRUE(inScript(decoded.text, e.script)) << relative;
        for (const std::u16string& t : e.texts)
            EXPECT_NE(withoutCarriageReturns(decoded.text).find(t), std::u16string::npos)
                << relative << ": " << toUtf8(t);

        InMemoryMembers members;
        LoadSettings settings;
        settings.members = &members;
        const LoadedGame g = loadGameFile(entry.path().string(), LoadRequest{}, settings);
        // A board the program cannot show is refused; its text was checked above.
        if (g.failure == LoadFailure::BoardSize) continue;
        ASSERT_TRUE(g.ok) << relative;
        EXPECT_EQ(toUtf8(g.info.blackName), toUtf8(e.black)) << relative;
        if (!e.damaged) {
            EXPECT_EQ(toUtf8(g.info.whiteName), toUtf8(e.white)) << relative;
        }
        if (!e.comment.empty()) {
            std::vector<std::u16string> comments;
            collectComments(*g.main, comments);
            const bool found = std::any_of(comments.begin(), comments.end(), [&](const std::u16string& c) {
                return withoutCarriageReturns(c).starts_with(e.comment);
            });
            EXPECT_TRUE(found) << relative << ": no comment starts with " << toUtf8(e.comment);
        }
    }
    EXPECT_EQ(seen, expectations().size()) << "a described file is missing from the folder";
}

} // namespace
} // namespace stonewise
