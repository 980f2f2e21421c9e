#include <gtest/gtest.h>

#include <string>

#include "record/GameInfoText.h"
#include "record/StringTable.h"

namespace stonewise {
namespace {

// Puts the interface language back to Japanese however a test ends.
struct InterfaceLanguage {
    explicit InterfaceLanguage(const StringTable& table) { StringTable::setInterface(&table); }
    ~InterfaceLanguage() { StringTable::setInterface(nullptr); }
};

TEST(StringTable, TheInterfaceLanguageAnswersFirstAndJapaneseFillsItsGaps) {
    EXPECT_EQ(uiText(10003), u"黒");
    EXPECT_EQ(uiText(-5), u"");
    const StringTable other({{10003, u"Black"}});
    {
        InterfaceLanguage language(other);
        EXPECT_EQ(uiText(10003), u"Black");
        EXPECT_EQ(uiText(10002), u"白"); // not in the language: the program's own text
        EXPECT_EQ(StringTable::lookup(nullptr, 10003), std::u16string_view(u"Black"));
        // A table given by the caller still comes first.
        const StringTable caller({{10003, u"Noir"}});
        EXPECT_EQ(StringTable::lookup(&caller, 10003), std::u16string_view(u"Noir"));
    }
    EXPECT_EQ(uiText(10003), u"黒");
}

TEST(StringTable, CachedTextsAreMadeAgainWhenTheLanguageChanges) {
    int builds = 0;
    LanguageCache<std::u16string> cache([&builds] {
        ++builds;
        return std::u16string(uiText(10002));
    });
    EXPECT_EQ(cache.get(), u"白");
    EXPECT_EQ(cache.get(), u"白");
    EXPECT_EQ(builds, 1);
    const StringTable other({{10002, u"White"}});
    {
        InterfaceLanguage language(other);
        EXPECT_EQ(cache.get(), u"White");
    }
    EXPECT_EQ(cache.get(), u"白");
    EXPECT_EQ(builds, 3);
}

TEST(StringTable, ChoiceListsAndResultsSpeakTheInterfaceLanguage) {
    GameInfo info;
    info.winner = kBlackWins;
    info.margin = kMarginResignation;
    EXPECT_EQ(resultText(info), u"黒中押し勝ち");
    EXPECT_EQ(handicapList()[2].text(), u"２子");
    const StringTable other({{10003, u"Black"}, {10009, u"%s wins by resignation"}, {20832, u"2 stones"}});
    InterfaceLanguage language(other);
    EXPECT_EQ(resultText(info), u"Black wins by resignation");
    EXPECT_EQ(handicapList()[2].text(), u"2 stones");
    EXPECT_EQ(komiText(6.5f, false), u"６.５目"); // missing from the language: Japanese
}

} // namespace
} // namespace stonewise
