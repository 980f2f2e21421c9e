#include <gtest/gtest.h>

#include <cstdlib>
#include <regex>
#include <string>

#include "StoreTestSupport.h"
#include "record/StringTable.h"
#include "record/Text.h"
#include "store/LanguageLibrary.h"
#include "store/LanguageList.h"

namespace stonewise {
namespace {

std::vector<std::uint8_t> utf16File(std::u16string_view text) {
    test::Bytes b;
    b.u8(0xFF).u8(0xFE).chars(text);
    return b.bytes();
}

std::vector<std::uint8_t> byteFile(std::string_view text) { return {text.begin(), text.end()}; }

TEST(LanguageList, ReadsEntriesCommentsAndNumbersInEveryForm) {
    const auto entries = parseLanguageList(utf16File(u"; languages\r\n"
                                                     u"\r\n"
                                                     u"\u3000\t \r\n"
                                                     u"  ; an indented comment : 1\r\n"
                                                     u"nordic.so:0x11, 9\r\n"
                                                     u"whole.so  :  17 ; the rest is ignored 5\r\n"
                                                     u"spaced.so : 0X0c 7,8\r\n"
                                                     u"broken.so 5\r\n"
                                                     u"any.so : 0\r\n"));
    ASSERT_EQ(entries.size(), 4u);
    EXPECT_EQ(entries[0], (LanguageListEntry{u"nordic.so", {0x11, 9}}));
    EXPECT_EQ(entries[1], (LanguageListEntry{u"whole.so", {17}}));
    EXPECT_EQ(entries[2], (LanguageListEntry{u"spaced.so", {12, 7, 8}}));
    EXPECT_EQ(entries[3], (LanguageListEntry{u"any.so", {0}}));

    EXPECT_EQ(chooseLanguageLibrary(entries, 0x0411), u"nordic.so");
    EXPECT_EQ(chooseLanguageLibrary(entries, 0x0809), u"nordic.so");
    EXPECT_EQ(chooseLanguageLibrary(entries, 0x040C), u"spaced.so");
    EXPECT_EQ(chooseLanguageLibrary(entries, 0x0405), u"any.so"); // 0 serves every language
    EXPECT_EQ(chooseLanguageLibrary({entries[0], entries[1]}, 0x0407), std::nullopt);
}

TEST(LanguageList, ReadsTheSystemCodePageAndCutsLongNames) {
    // Windows-1252 bytes: "ç" is 0xE7, "€" is 0x80.
    const auto entries = parseLanguageList(byteFile("fran\xE7"
                                                    "ais\x80.so : 12\n" +
                                                    std::string(200, 'n') + ":9"));
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].library, u"français€.so");
    EXPECT_EQ(entries[1].library, std::u16string(128, u'n'));
    // UTF-8 text is taken as such.
    EXPECT_EQ(parseLanguageList(byteFile("\xEF\xBB\xBF"
                                         "日本.so:1"))
                  .at(0)
                  .library,
              u"日本.so");
}

// The printf conversions of a text, in order ("%d", "%s", "%0.1f", ...).
std::vector<std::string> conversions(std::u16string_view text) {
    static const std::regex conversion("%[-+ 0]*[0-9]*(\\.[0-9]+)?[lh]*[diuxXcsf%]");
    const std::string s = toUtf8(text);
    std::vector<std::string> out;
    for (auto it = std::sregex_iterator(s.begin(), s.end(), conversion); it != std::sregex_iterator(); ++it)
        out.push_back(it->str());
    return out;
}

TEST(LanguageLibrary, TheEnglishLibraryHasEveryNumberedStringWithTheSameConversions) {
    auto english = LanguageLibrary::load(STONEWISE_ENGLISH_LIBRARY);
    ASSERT_TRUE(english) << "cannot load " << STONEWISE_ENGLISH_LIBRARY;
    EXPECT_EQ(english->languageName(), "English");
    for (const auto& [id, japanese] : StringTable::japanese().entries()) {
        const auto text = english->strings().find(id);
        if (!text) {
            ADD_FAILURE() << "string " << id << " (" << toUtf8(japanese) << ") has no English text";
            continue;
        }
        EXPECT_FALSE(text->empty()) << id;
        EXPECT_EQ(conversions(*text), conversions(japanese)) << "string " << id << ": " << toUtf8(*text);
    }
    EXPECT_EQ(english->strings().find(10003), u"Black");
}

TEST(LanguageLibrary, ABlockWithoutTheInstanceExportServesToo) {
    auto library = LanguageLibrary::load(STONEWISE_BLOCK_ONLY_LIBRARY);
    ASSERT_TRUE(library);
    EXPECT_EQ(library->strings().find(10002), u"Blanc");
    EXPECT_EQ(library->strings().find(103), std::nullopt);
    EXPECT_FALSE(LanguageLibrary::load("/no/such/library.so"));
}

TEST(LanguageLibrary, TheLocaleChoosesTheLibraryBesideTheProgram) {
    const std::string beside = STONEWISE_ENGLISH_FOLDER;
    auto english = chooseInterfaceLanguage(0x0409, beside);
    ASSERT_TRUE(english) << "LanguageList.txt beside the program should name the English library";
    EXPECT_EQ(english->strings().find(10002), u"White");
    EXPECT_TRUE(chooseInterfaceLanguage(0x0407, beside));  // any other language falls back to English
    EXPECT_FALSE(chooseInterfaceLanguage(0x0411, beside)); // Japanese keeps the program's own texts

    test::TempDataFolder elsewhere;
    EXPECT_FALSE(chooseInterfaceLanguage(0x0409, elsewhere.path())); // no list
    test::writeTestFile(elsewhere.path() + "LanguageList.txt", byteFile("missing.so : 0\n"));
    EXPECT_FALSE(chooseInterfaceLanguage(0x0409, elsewhere.path())); // the library does not load
}

TEST(LanguageLibrary, UserLocaleNumbers) {
    const char* saved[3];
    const char* names[3] = {"LC_ALL", "LC_MESSAGES", "LANG"};
    std::string copies[3];
    for (int i = 0; i < 3; ++i) {
        saved[i] = std::getenv(names[i]);
        if (saved[i]) copies[i] = saved[i];
        ::unsetenv(names[i]);
    }
    ::setenv("LANG", "ja_JP.UTF-8", 1);
    EXPECT_EQ(userLocaleNumber(), 0x0411);
    ::setenv("LC_ALL", "de_DE.UTF-8", 1);
    EXPECT_EQ(userLocaleNumber() & 0xFF, 0x07);
    ::setenv("LC_ALL", "C", 1);
    EXPECT_EQ(userLocaleNumber(), 0x0411); // no language asked for: Japanese
    ::setenv("LC_ALL", "en_GB.UTF-8", 1);
    EXPECT_EQ(userLocaleNumber(), 0x0409);
    ::setenv("LC_ALL", "tlh_XX", 1);
    EXPECT_FALSE(isJapaneseLocale(userLocaleNumber()));
    for (int i = 0; i < 3; ++i) {
        if (saved[i]) ::setenv(names[i], copies[i].c_str(), 1);
        else ::unsetenv(names[i]);
    }
}

} // namespace
} // namespace stonewise
