#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "app/ButtonLayouts.h"
#include "app/FunctionModes.h"
#include "app/MenuModel.h"
#include "record/StringTable.h"
#include "record/Text.h"
#include "store/LanguageLibrary.h"

namespace stonewise {
namespace {

bool hasJapanese(std::u16string_view text) {
    for (char16_t c : text)
        if ((c >= 0x3000 && c <= 0x30FF) || (c >= 0x3400 && c <= 0x9FFF) || (c >= 0xFF00 && c <= 0xFFEF)) return true;
    return false;
}

// Every text of the menus, the pop-up menus, the bars and the mode titles, with where it stands.
std::vector<std::pair<std::string, std::u16string>> interfaceTexts() {
    std::vector<std::pair<std::string, std::u16string>> texts;
    std::function<void(const MenuEntry&, const std::string&)> walk = [&](const MenuEntry& e, const std::string& where) {
        if (e.isSeparator()) return;
        texts.emplace_back(where + " " + std::to_string(e.command), std::u16string(e.text));
        for (const MenuEntry& child : e.children) walk(child, where + "/" + toUtf8(e.text));
    };
    for (const MenuEntry& top : mainMenuBar()) walk(top, "menu bar");
    for (const MenuEntry& top : bookMenuBar()) walk(top, "book menu bar");
    for (int i = 0; i < popupMenuCount(); ++i) walk(popupMenu(i), "pop-up " + std::to_string(i));
    for (BarLayout layout : {BarLayout::None, BarLayout::MailGo, BarLayout::Finished, BarLayout::PlayAndRecord,
                             BarLayout::Problems, BarLayout::Viewing, BarLayout::Book, BarLayout::SearchAndOthers}) {
        for (const auto* bar : {&mainBarButtons(layout), &secondaryBarButtons(layout)})
            for (const ButtonEntry& b : *bar) {
                const std::string where = "button " + std::to_string(b.control);
                texts.emplace_back(where + " tooltip", std::u16string(b.tooltip));
                if (b.kind == ButtonKind::Text || b.kind == ButtonKind::Template)
                    texts.emplace_back(where + " caption", std::u16string(b.text));
            }
    }
    for (int mode : {kModeMailGo, kModeMailGoFinished, kModePlayAndRecord, kModePlayFinished, kModeProblems,
                     kModeViewing, kModeBook, kModeBookExternal, kModeSearch})
        texts.emplace_back("mode title " + std::to_string(mode), std::u16string(modeTitle(mode)));
    return texts;
}

TEST(InterfaceTexts, EveryMenuButtonAndModeTitleHasItsJapaneseText) {
    for (const auto& [where, text] : interfaceTexts()) EXPECT_FALSE(text.empty()) << where;
    EXPECT_EQ(mainMenuBar().front().text, u"機能モード");
    EXPECT_EQ(modeTitle(kModeViewing), u"棋譜鑑賞\r\nモード");
}

TEST(InterfaceTexts, TheEnglishLibraryGivesEveryOneInEnglish) {
    auto english = LanguageLibrary::load(STONEWISE_ENGLISH_LIBRARY);
    ASSERT_TRUE(english);
    StringTable::setInterface(&english->strings());
    for (const auto& [where, text] : interfaceTexts()) {
        EXPECT_FALSE(text.empty()) << where;
        EXPECT_FALSE(hasJapanese(text)) << where << ": " << toUtf8(text);
    }
    EXPECT_EQ(mainMenuBar().front().text, u"Function Mode");
    StringTable::setInterface(nullptr);
    // Back in Japanese, the menus are made again.
    EXPECT_EQ(mainMenuBar().front().text, u"機能モード");
}

} // namespace
} // namespace stonewise
