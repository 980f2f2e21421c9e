// Decoding game-record bytes: byte-order marks, CA in any charset iconv knows, detection of the
// charset from the bytes, and the system code page.
#include <gtest/gtest.h>

#include "formats/CharsetDetection.h"
#include "formats/FileAccess.h"
#include "formats/GameFileLoader.h"
#include "formats/MemberDirectory.h"
#include "formats/TextEncoding.h"
#include "record/Text.h"
#include "support/TestPaths.h"

namespace stonewise {
namespace {

std::string utf16Bytes(std::u16string_view text, bool bigEndian, bool mark = true) {
    std::string out = !mark ? std::string() : bigEndian ? std::string("\xFE\xFF") : std::string("\xFF\xFE");
    for (char16_t c : text) {
        const char hi = static_cast<char>(c >> 8), lo = static_cast<char>(c & 0xFF);
        out.push_back(bigEndian ? hi : lo);
        out.push_back(bigEndian ? lo : hi);
    }
    return out;
}

std::string in(std::u16string_view text, const char* charset) {
    std::optional<std::string> bytes = encodeCharset(text, charset);
    EXPECT_TRUE(bytes.has_value()) << charset;
    return bytes.value_or(std::string());
}

TEST(TextEncoding, HowTheBytesOfAFileAreRead) {
    const std::u16string game = u"(;FF[4]C[～①髙 Jürgen])";
    const std::u16string japanese = u"(;FF[4]C[～①髙 対局])";
    struct Case {
        const char* what;
        std::string bytes;
        std::string charset;
        CharsetReason reason;
        std::u16string text;
    } cases[] = {
        {"UTF-16LE mark", utf16Bytes(game, false), "UTF-16LE", CharsetReason::Mark, game},
        {"UTF-16BE mark", utf16Bytes(game, true), "UTF-16BE", CharsetReason::Mark, game},
        {"UTF-16LE without mark", utf16Bytes(game, false, false), "UTF-16LE", CharsetReason::Detected, game},
        {"UTF-16BE without mark", utf16Bytes(game, true, false), "UTF-16BE", CharsetReason::Detected, game},
        {"UTF-8 mark, whatever CA says", "\xEF\xBB\xBF(;CA[Shift_JIS]C[\xC3\xBC])", "UTF-8", CharsetReason::Mark,
         u"(;CA[Shift_JIS]C[ü])"},
        {"CA[UTF-8] in the root", "(;CA[UTF-8]C[\xC3\xBC])", "UTF-8", CharsetReason::Declared, u"(;CA[UTF-8]C[ü])"},
        {"valid UTF-8 without CA", toUtf8(game), "UTF-8", CharsetReason::Detected, game},
        {"Shift_JIS without CA", in(japanese, "CP932"), "CP932", CharsetReason::Detected, japanese},
        {"CA[UTF-8] in the second node does not count", in(u"(;C[x];CA[UTF-8]C[あいう])", "CP932"), "CP932",
         CharsetReason::Detected, u"(;C[x];CA[UTF-8]C[あいう])"},
        {"ASCII", "(;B[aa])", "CP932", CharsetReason::SystemCodePage, u"(;B[aa])"},
    };
    for (const Case& c : cases) {
        const DecodedText d = decodeGameRecordBytes(c.bytes, CodePage::Cp932);
        EXPECT_EQ(d.source.charset, c.charset) << c.what;
        EXPECT_EQ(d.source.reason, c.reason) << c.what;
        EXPECT_EQ(toUtf8(d.text), toUtf8(c.text)) << c.what;
    }
}

TEST(TextEncoding, TheSpellingsOfCharsetsInRealFiles) {
    const struct {
        const char* written;
        const char* charset;
    } cases[] = {
        {"Shift_JIS", "CP932"},
        {"SJIS", "CP932"},
        {"Shift-JIS", "CP932"},
        {"x-sjis", "CP932"},
        {"shift_jis", "CP932"},
        {"MS_KANJI", "CP932"},
        {"Windows-31J", "CP932"},
        {"UTF8", "UTF-8"},
        {"utf-8", "UTF-8"},
        {"GB2312", "GB18030"},
        {"gbk", "GB18030"},
        {"cp936", "GB18030"},
        {"GB18030", "GB18030"},
        {"Big5", "CP950"},
        {"EUC-KR", "CP949"},
        {"ks_c_5601-1987", "CP949"},
        {"EUC-JP", "EUC-JP-MS"},
        {"ISO-2022-JP", "ISO-2022-JP-2"},
        {"ISO8859_1", "WINDOWS-1252"},
        {"iso-8859-1", "WINDOWS-1252"},
        {"Latin1", "WINDOWS-1252"},
        {"ISO-8859-2", "ISO-8859-2"},
        {"iso8859-5", "ISO-8859-5"},
        {"Windows-1251", "WINDOWS-1251"},
        {"cp1251", "WINDOWS-1251"},
        {"x-cp1250", "WINDOWS-1250"},
        {"KOI8-R", "KOI8-R"},
        {"UTF-16", "UTF-16"},
        {"UTF-16LE", "UTF-16LE"},
        {"US-ASCII", "ASCII"},
        {" UTF-8 ", "UTF-8"},
    };
    for (const auto& c : cases) EXPECT_EQ(resolveCharsetName(c.written).value_or("(none)"), c.charset) << c.written;
    EXPECT_FALSE(resolveCharsetName("no-such-charset").has_value());
    EXPECT_FALSE(resolveCharsetName("").has_value());
}

// The text of each file is what was written in its declared charset; the names and the comment
// come out right through the reader, so no "]" was lost to a lead byte.
TEST(TextEncoding, EveryDeclaredCharsetIsHonoured) {
    const struct {
        const char* ca;
        const char* charset;
        std::u16string black, white, comment;
    } cases[] = {
        {"GB2312", "GB18030", u"古力", u"柯洁", u"围棋很有趣"},
        {"GBK", "GB18030", u"古力", u"柯洁", u"镕"},
        {"Big5", "CP950", u"古力", u"柯潔", u"圍棋許功蓋"}, // 許功蓋 end in 0x5C in Big5
        {"EUC-KR", "CP949", u"이세돌", u"박정환", u"바둑은 재미있다"},
        {"EUC-JP", "EUC-JP-MS", u"井山裕太", u"山下敬吾", u"囲碁は楽しい"},
        {"ISO-2022-JP", "ISO-2022-JP-2", u"井山保", u"山下丸", u"倍倒"}, // 保丸倒 end in "]", 倍 in "\\"
        {"Shift_JIS", "CP932", u"表", u"ソ", u"能申"},                   // all end in 0x5C in Shift_JIS
        {"Windows-1251", "WINDOWS-1251", u"Иван", u"Пётр", u"Хороший ход"},
        {"KOI8-R", "KOI8-R", u"Иван", u"Пётр", u"Хороший ход"},
        {"ISO-8859-2", "ISO-8859-2", u"Łukasz", u"Žofie", u"Dobrý tah"},
        {"Windows-1252", "WINDOWS-1252", u"José", u"Jürgen", u"Très bien"},
    };
    for (const auto& c : cases) {
        const std::u16string ca = fromUtf8(c.ca);
        const std::u16string text =
            u"(;FF[4]CA[" + ca + u"]SZ[19]PB[" + c.black + u"]PW[" + c.white + u"];B[pd]C[" + c.comment + u"];W[dp])";
        const std::string bytes = in(text, c.charset);
        const DecodedText d = decodeGameRecordBytes(bytes, CodePage::Cp932);
        EXPECT_EQ(d.source.charset, c.charset) << c.ca;
        EXPECT_EQ(d.source.reason, CharsetReason::Declared) << c.ca;
        EXPECT_EQ(d.source.declared, c.ca);
        EXPECT_EQ(toUtf8(d.text), toUtf8(text)) << c.ca;

        InMemoryMembers members;
        LoadSettings settings;
        settings.members = &members;
        const LoadedGame g = loadGameBytes(bytes, GameFileKind::Sgf, u"f", LoadRequest{}, settings);
        ASSERT_TRUE(g.ok) << c.ca;
        EXPECT_EQ(toUtf8(g.info.blackName), toUtf8(c.black)) << c.ca;
        EXPECT_EQ(toUtf8(g.info.whiteName), toUtf8(c.white)) << c.ca;
        EXPECT_EQ(g.main->lastMoveNumber(), 2) << c.ca;
        EXPECT_EQ(toUtf8(g.main->commentOf(g.main->node(0))), toUtf8(c.comment)) << c.ca;
    }
}

// CA is found by walking the root's properties: not inside a value, not behind a ";" in a value,
// and not lost when a value ends in a double-byte character whose second byte is "\\" or "]".
TEST(TextEncoding, CaIsFoundSafelyInTheRawBytes) {
    const struct {
        const char* what;
        std::string bytes;
        const char* declared;
    } cases[] = {
        {"after a Shift_JIS value ending in 0x5C", in(u"(;PB[表]CA[Shift_JIS]PW[ソ])", "CP932"), "Shift_JIS"},
        {"after a Big5 value ending in 0x5C", in(u"(;PB[許]CA[Big5]PW[功])", "CP950"), "Big5"},
        {"after a Latin-1 value ending in é", "(;PB[Jos\xE9]CA[ISO-8859-1]PW[J\xFCrgen])", "ISO-8859-1"},
        {"not the CA quoted in a comment", "(;C[write CA[UTF-8\\] here]CA[GB2312]PB[x])", "GB2312"},
        {"not the end of the root at a \";\" in a value", "(;C[a;b;c]GN[x;y]CA[EUC-KR])", "EUC-KR"},
        {"blanks around the name and the value", "(;\n  CA [ UTF-8 ]\n)", "UTF-8"},
        {"written in lower case", "(;ca[utf-8])", "utf-8"},
    };
    for (const auto& c : cases) EXPECT_EQ(findDeclaredCharset(c.bytes).value_or("(none)"), c.declared) << c.what;
    EXPECT_FALSE(findDeclaredCharset("(;C[x];CA[UTF-8])").has_value());
    EXPECT_FALSE(findDeclaredCharset("(;XCA[UTF-8])").has_value());
    EXPECT_FALSE(findDeclaredCharset("(;C[CA[UTF-8\\]])").has_value());
}

// Files without mark or CA: the likeliest legacy charset, judged from the bytes.
TEST(TextEncoding, TheCharsetOfAFileWithoutCaIsDetected) {
    const struct {
        const char* what;
        std::u16string text;
        const char* written;
        const char* detected;
    } cases[] = {
        {"Japanese", u"(;PB[井山裕太]PW[山下敬吾]C[白の一手はよくありません。ここはツケが正解です。])", "CP932",
         "CP932"},
        {"Japanese names only", u"(;PB[申眞ソ]PW[党毅飛])", "CP932", "CP932"},
        {"Chinese (GB2312)", u"(;PB[古力]PW[柯洁]C[黑1夹是严厉的一手，也是最强的攻击。])", "GB18030", "GB18030"},
        {"Chinese (Big5)", u"(;PB[古力]PW[柯潔]C[黑棋這一手很厲害，也是最強的攻擊。])", "CP950", "CP950"},
        {"Korean", u"(;PB[이세돌]PW[박정환]C[바둑은 정말 재미있는 게임입니다])", "CP949", "CP949"},
        {"French", u"(;PB[René]PW[Zoé]C[Fichier SGF créé par un programme])", "WINDOWS-1252", "WINDOWS-1252"},
        {"Swedish", u"(;C[hörru gnugo... du borde spelat h15! Det är så])", "WINDOWS-1252", "WINDOWS-1252"},
    };
    for (const auto& c : cases) {
        const DecodedText d = decodeGameRecordBytes(in(c.text, c.written), CodePage::Cp932);
        EXPECT_EQ(d.source.charset, c.detected) << c.what;
        EXPECT_EQ(d.source.reason, CharsetReason::Detected) << c.what;
        if (d.source.charset == c.written) {
            EXPECT_EQ(toUtf8(d.text), toUtf8(c.text)) << c.what;
        }
    }
    // A Latin machine still reads Japanese text as Japanese, and Latin text as Latin.
    EXPECT_EQ(decodeGameRecordBytes(in(u"(;PB[井山裕太]C[よろしく])", "CP932"), CodePage::Windows1252).source.charset,
              "CP932");
    EXPECT_EQ(decodeGameRecordBytes(in(u"(;C[créé])", "WINDOWS-1252"), CodePage::Windows1252).source.charset,
              "WINDOWS-1252");
}

// Cyrillic without CA fits no double-byte charset: it is read byte by byte, so no "]" is joined to
// the byte before it and every property stays whole (the text itself cannot be known).
TEST(TextEncoding, TextThatFitsNoDoubleByteCharsetKeepsItsBrackets) {
    const std::string bytes = in(u"(;PB[Иван]PW[Пётр]C[Хороший ход];B[pd])", "WINDOWS-1251");
    EXPECT_EQ(decodeGameRecordBytes(bytes, CodePage::Cp932).source.charset, "WINDOWS-1252");
    InMemoryMembers members;
    LoadSettings settings;
    settings.members = &members;
    const LoadedGame g = loadGameBytes(bytes, GameFileKind::Sgf, u"f", LoadRequest{}, settings);
    ASSERT_TRUE(g.ok);
    EXPECT_EQ(g.info.blackName.size(), 4u);
    EXPECT_EQ(g.info.whiteName.size(), 4u);
    EXPECT_EQ(g.main->lastMoveNumber(), 1);
}

// A CA that does not fit the bytes gives way to what does; a forced charset wins over everything.
TEST(TextEncoding, ACaThatDoesNotFitAndAForcedCharset) {
    const std::u16string japanese = u"(;FF[4]CA[Shift_JIS]PB[井山裕太]C[よろしくお願いします])";
    // Text converted to UTF-8 by a program that left CA as it was (and pasted text, which arrives
    // as UTF-8).
    DecodedText d = decodeGameRecordBytes(toUtf8(japanese), CodePage::Cp932);
    EXPECT_EQ(d.source.charset, "UTF-8");
    EXPECT_TRUE(d.source.declaredIgnored);
    EXPECT_EQ(d.text, japanese);
    d = decodeGameRecordBytes(toUtf8(u"(;CA[ISO-8859-1]C[Jürgen Müller])"), CodePage::Cp932);
    EXPECT_EQ(d.source.charset, "UTF-8");
    EXPECT_EQ(d.text, u"(;CA[ISO-8859-1]C[Jürgen Müller])");
    // CA[UTF-8] on GB2312 bytes.
    const std::u16string chinese = u"(;CA[UTF-8]C[黑1夹是严厉的一手，也是最强的攻击。])";
    d = decodeGameRecordBytes(in(chinese, "GB18030"), CodePage::Cp932);
    EXPECT_EQ(d.source.charset, "GB18030");
    EXPECT_EQ(d.source.reason, CharsetReason::Detected);
    EXPECT_EQ(d.text, chinese);
    EXPECT_EQ(describeTextSource(d.source), "GB18030 (detected; CA[UTF-8] does not fit the bytes)");
    // A name no charset has.
    d = decodeGameRecordBytes(in(u"(;CA[Klingon]C[よろしく])", "CP932"), CodePage::Cp932);
    EXPECT_EQ(describeTextSource(d.source), "CP932 (detected; CA[Klingon] is not a charset this program knows)");
    // Genuine Shift_JIS that declares it stays Shift_JIS, also when its bytes happen to be valid
    // UTF-8 (half-width ﾃｲ is C3 B2, "ò" in UTF-8).
    d = decodeGameRecordBytes(in(japanese, "CP932"), CodePage::Cp932);
    EXPECT_EQ(describeTextSource(d.source), "CP932 (CA[Shift_JIS])");
    d = decodeGameRecordBytes(in(u"(;CA[Shift_JIS]PB[ﾃｲ])", "CP932"), CodePage::Cp932);
    EXPECT_EQ(describeTextSource(d.source), "CP932 (CA[Shift_JIS])");
    EXPECT_EQ(d.text, u"(;CA[Shift_JIS]PB[ﾃｲ])");

    DecodeOptions forced;
    forced.forcedCharset = "gb2312";
    d = decodeGameRecordBytes(in(japanese, "CP932"), forced);
    EXPECT_EQ(describeTextSource(d.source), "GB18030 (forced)");
    EXPECT_NE(d.text, japanese);
    forced.forcedCharset = "UTF-16";
    d = decodeGameRecordBytes(utf16Bytes(u"(;C[x])", true), forced);
    EXPECT_EQ(d.source.charset, "UTF-16BE");
    EXPECT_EQ(d.text, u"(;C[x])");
}

TEST(TextEncoding, CodePagesAndWhatTheyCannotHold) {
    EXPECT_TRUE(representableIn(u"～①髙 対局", CodePage::Cp932));
    EXPECT_FALSE(representableIn(u"한국어", CodePage::Cp932));
    EXPECT_FALSE(representableIn(u"¥", CodePage::Cp932)); // CP932 writes it as a backslash
    EXPECT_TRUE(representableIn(u"café €", CodePage::Windows1252));
    EXPECT_FALSE(representableIn(u"対局", CodePage::Windows1252));
    // Bytes that are not valid in the code page become U+FFFD, one per byte.
    std::u16string out;
    ASSERT_TRUE(appendCodePageAsUtf16("a\x81\x39z", CodePage::Cp932, out));
    EXPECT_EQ(out.front(), u'a');
    EXPECT_EQ(out.back(), u'z');
    EXPECT_NE(out.find(u'\uFFFD'), std::u16string::npos);
    // Malformed UTF-8 becomes U+FFFD as well, and is counted; surrogate pairs survive both ways.
    std::u16string u;
    EXPECT_EQ(appendUtf8AsUtf16("a\xC3(\xF0\x9F\x98\x80", u), 1u);
    EXPECT_EQ(u, u"a\uFFFD(\U0001F600");
    std::string back;
    appendUtf16AsUtf8(u"\U0001F600\xD800", back);
    EXPECT_EQ(back, "\xF0\x9F\x98\x80\xEF\xBF\xBD");
    // A stateful charset flushes its last shift: the text ends where it should.
    std::u16string jis;
    ASSERT_EQ(appendCharsetAsUtf16(in(u"対局", "ISO-2022-JP-2"), "ISO-2022-JP-2", jis), std::optional<std::size_t>(0));
    EXPECT_EQ(jis, u"対局");
}

TEST(TextEncoding, FixtureFilesOfThreeKinds) {
    LoadSettings settings;
    const LoadedGame sjis = loadGameFile(test::testDataDir() + "/formats/cp932-no-ca.sgf", LoadRequest{}, settings);
    ASSERT_TRUE(sjis.ok);
    EXPECT_EQ(describeTextSource(sjis.textSource), "CP932 (detected)");
    EXPECT_EQ(sjis.info.blackName, u"髙橋");
    EXPECT_EQ(sjis.info.name, u"～①の対局");
    EXPECT_EQ(sjis.main->commentOf(sjis.main->node(0)), u"～①髙");

    const LoadedGame utf8 = loadGameFile(test::testDataDir() + "/formats/utf8-no-ca.sgf", LoadRequest{}, settings);
    ASSERT_TRUE(utf8.ok);
    EXPECT_EQ(describeTextSource(utf8.textSource), "UTF-8 (detected)");
    EXPECT_EQ(utf8.info.blackName, u"Jürgen");
    EXPECT_EQ(utf8.main->commentOf(utf8.main->node(0)), u"Schöner Zug ～①髙");

    // The system code page no longer decides how a Shift_JIS file without CA reads.
    settings.codePage = CodePage::Windows1252;
    const LoadedGame latin = loadGameFile(test::testDataDir() + "/formats/cp932-no-ca.sgf", LoadRequest{}, settings);
    EXPECT_EQ(latin.info.blackName, u"髙橋");
    // A forced charset does.
    settings.charset = "Windows-1252";
    const LoadedGame forced = loadGameFile(test::testDataDir() + "/formats/cp932-no-ca.sgf", LoadRequest{}, settings);
    EXPECT_EQ(describeTextSource(forced.textSource), "WINDOWS-1252 (forced)");
    EXPECT_NE(forced.info.blackName, u"髙橋");
    const HeaderPreview preview = preReadGameFile(test::testDataDir() + "/formats/cp932-no-ca.sgf", settings);
    EXPECT_EQ(preview.info.blackName, forced.info.blackName);
}

} // namespace
} // namespace stonewise
