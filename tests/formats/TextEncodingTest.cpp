// Decoding game-record bytes: byte-order marks, CA, UTF-8 detection and the system code page.
#include <gtest/gtest.h>

#include "formats/FileAccess.h"
#include "formats/GameFileLoader.h"
#include "formats/TextEncoding.h"
#include "record/Text.h"
#include "support/TestPaths.h"

namespace stonewise {
namespace {

std::string utf16Bytes(std::u16string_view text, bool bigEndian) {
    std::string out = bigEndian ? std::string("\xFE\xFF") : std::string("\xFF\xFE");
    for (char16_t c : text) {
        const char hi = static_cast<char>(c >> 8), lo = static_cast<char>(c & 0xFF);
        out.push_back(bigEndian ? hi : lo);
        out.push_back(bigEndian ? lo : hi);
    }
    return out;
}

TEST(TextEncoding, HowTheBytesOfAFileAreRead) {
    const std::u16string game = u"(;FF[4]C[～①髙 Jürgen])";
    const std::string utf8 = toUtf8(game);
    const std::u16string japanese = u"(;FF[4]C[～①髙 対局])";
    const std::string sjis = encodeCodePage(japanese, CodePage::Cp932).value();
    struct Case {
        const char* what;
        std::string bytes;
        TextSource source;
        std::u16string text;
    } cases[] = {
        {"UTF-16LE mark", utf16Bytes(game, false), TextSource::Utf16LittleEndian, game},
        {"UTF-16BE mark", utf16Bytes(game, true), TextSource::Utf16BigEndian, game},
        {"UTF-8 mark, whatever CA says", "\xEF\xBB\xBF(;CA[Shift_JIS]C[\xC3\xBC])", TextSource::Utf8WithMark,
         u"(;CA[Shift_JIS]C[ü])"},
        {"CA[UTF-8] in the root", "(;CA[UTF-8]C[\xC3\xBC])", TextSource::Utf8Declared, u"(;CA[UTF-8]C[ü])"},
        {"valid UTF-8 without CA", utf8, TextSource::Utf8Detected, game},
        {"Shift_JIS without CA", sjis, TextSource::CodePage, japanese},
        {"CA[UTF-8] in the second node: the code page",
         std::string("(;C[x];CA[UTF-8]C[") + "\x82\xA0" + "])", TextSource::CodePage, u"(;C[x];CA[UTF-8]C[あ])"},
        {"ASCII", "(;B[aa])", TextSource::CodePage, u"(;B[aa])"},
    };
    for (const Case& c : cases) {
        const DecodedText d = decodeGameRecordBytes(c.bytes, CodePage::Cp932);
        EXPECT_EQ(d.source, c.source) << c.what;
        EXPECT_EQ(toUtf8(d.text), toUtf8(c.text)) << c.what;
    }
}

TEST(TextEncoding, AnotherDeclaredCharsetKeepsTheCodePage) {
    const DecodedText d = decodeGameRecordBytes("(;CA[ISO-8859-1]C[\xE3\x81\x82])", CodePage::Cp932);
    EXPECT_EQ(d.source, TextSource::CodePage);
    EXPECT_EQ(d.text.find(u'あ'), std::u16string::npos);
}

TEST(TextEncoding, CodePagesAndWhatTheyCannotHold) {
    EXPECT_TRUE(representableIn(u"～①髙 対局", CodePage::Cp932));
    EXPECT_FALSE(representableIn(u"한국어", CodePage::Cp932));
    EXPECT_FALSE(representableIn(u"¥", CodePage::Cp932));  // CP932 writes it as a backslash
    EXPECT_TRUE(representableIn(u"café €", CodePage::Windows1252));
    EXPECT_FALSE(representableIn(u"対局", CodePage::Windows1252));
    // Bytes that are not valid in the code page become U+FFFD, one per byte.
    std::u16string out;
    ASSERT_TRUE(appendCodePageAsUtf16("a\x81\x39z", CodePage::Cp932, out));
    EXPECT_EQ(out.front(), u'a');
    EXPECT_EQ(out.back(), u'z');
    EXPECT_NE(out.find(u'\uFFFD'), std::u16string::npos);
    // Malformed UTF-8 becomes U+FFFD as well; surrogate pairs survive both ways.
    std::u16string u;
    appendUtf8AsUtf16("a\xC3(\xF0\x9F\x98\x80", u);
    EXPECT_EQ(u, u"a\uFFFD(\U0001F600");
    std::string back;
    appendUtf16AsUtf8(u"\U0001F600\xD800", back);
    EXPECT_EQ(back, "\xF0\x9F\x98\x80\xEF\xBF\xBD");
}

TEST(TextEncoding, FixtureFilesOfThreeKinds) {
    LoadSettings settings;
    const LoadedGame sjis = loadGameFile(test::testDataDir() + "/formats/cp932-no-ca.sgf", LoadRequest{}, settings);
    ASSERT_TRUE(sjis.ok);
    EXPECT_EQ(sjis.textSource, TextSource::CodePage);
    EXPECT_EQ(sjis.info.blackName, u"髙橋");
    EXPECT_EQ(sjis.info.name, u"～①の対局");
    EXPECT_EQ(sjis.main->commentOf(sjis.main->node(0)), u"～①髙");

    const LoadedGame utf8 = loadGameFile(test::testDataDir() + "/formats/utf8-no-ca.sgf", LoadRequest{}, settings);
    ASSERT_TRUE(utf8.ok);
    EXPECT_EQ(utf8.textSource, TextSource::Utf8Detected);
    EXPECT_EQ(utf8.info.blackName, u"Jürgen");
    EXPECT_EQ(utf8.main->commentOf(utf8.main->node(0)), u"Schöner Zug ～①髙");

    // On a machine whose code page is Windows-1252 the same Shift_JIS file is not Japanese.
    settings.codePage = CodePage::Windows1252;
    const LoadedGame latin = loadGameFile(test::testDataDir() + "/formats/cp932-no-ca.sgf", LoadRequest{}, settings);
    EXPECT_NE(latin.info.blackName, u"髙橋");
}

} // namespace
} // namespace stonewise
