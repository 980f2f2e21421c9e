// The program's own help text in both languages: every topic a command, dialog or mode asks for is
// there, every button leads somewhere, and F1 in each mode and dialog shows its topic.
#include <gtest/gtest.h>

#include <functional>

#include "app/ButtonLayouts.h"
#include "app/FunctionModes.h"
#include "app/HelpForm.h"
#include "app/MenuModel.h"
#include "help/HelpContents.h"
#include "record/StringTable.h"
#include "record/Text.h"
#include "support/TempFolder.h"
#include "support/TestProgram.h"

namespace stonewise {
namespace {

const std::string kProgramFolder = STONEWISE_PROGRAM_FOLDER "/";

struct Language {
    const char* name;
    std::string folder;
};
const Language kLanguages[] = {{"japanese", kProgramFolder}, {"english", kProgramFolder + "english/"}};

std::unique_ptr<HelpContents> openHelp(const std::string& folder, const test::TempFolder& data) {
    StoreMessages messages;
    auto help = HelpContents::open(folder, data.path() + "HelpIndex.dat", messages);
    for (const StoreMessage& m : messages) ADD_FAILURE() << folder << ": " << toUtf8(m.text);
    return help;
}

// A command of the menus or of a tool-button bar.
bool knownCommand(int command) {
    if (!menuText(command).empty()) return true;
    for (BarLayout layout : {BarLayout::MailGo, BarLayout::PlayAndRecord, BarLayout::Viewing, BarLayout::Problems,
                             BarLayout::Book, BarLayout::SearchAndOthers})
        for (const ButtonEntry& b : mainBarButtons(layout))
            if (b.command == command) return true;
    return false;
}

TEST(HelpTextTest, EveryTopicAskedForIsThereAndEveryButtonLeadsSomewhere) {
    for (const Language& language : kLanguages) {
        SCOPED_TRACE(language.name);
        test::TempFolder data;
        const auto help = openHelp(language.folder, data);
        ASSERT_TRUE(help);
        const HelpIndex& index = help->index();
        for (const HelpMenuTopic& t : helpMenuTopics()) {
            const bool contents = t.topic < 0 && t.subTopic < 0;
            EXPECT_TRUE(contents || index.find(t.topic, t.subTopic)) << "menu " << t.command;
        }
        for (const auto& [command, topic] : dialogHelpTopics()) EXPECT_TRUE(index.find(topic)) << "dialog " << command;
        for (int mode : {kModeMailGo, kModeMailGoFinished, kModePlayAndRecord, kModePlayFinished, kModeProblems,
                         kModeViewing, kModeBook, kModeBookExternal, kModeSearch})
            EXPECT_TRUE(index.find(*modeHelpTopic(mode))) << "mode " << mode;
        EXPECT_TRUE(index.find(kFirstStepsTopic));
        for (std::size_t i = 0; i < index.entries().size(); ++i) {
            StoreMessages messages;
            const HelpTopicPage page = help->page(i, messages);
            EXPECT_TRUE(messages.empty()) << toUtf8(help->heading(i));
            EXPECT_FALSE(page.text.empty()) << toUtf8(help->heading(i));
            EXPECT_TRUE(!page.picture || help->images().bitmapFile(*page.picture))
                << "picture " << page.picture.value_or(-1);
            for (const HelpCommandButton& b : page.commands) {
                EXPECT_TRUE(b.entry || knownCommand(b.programCommand)) << b.programCommand;
            }
        }
    }
}

TEST(HelpTextTest, TheEnglishHelpHasEveryTopicInEnglish) {
    test::TempFolder data;
    const auto japanese = openHelp(kLanguages[0].folder, data);
    test::TempFolder otherData;
    const auto english = openHelp(kLanguages[1].folder, otherData);
    ASSERT_TRUE(japanese && english);
    const auto& j = japanese->index().entries();
    const auto& e = english->index().entries();
    ASSERT_EQ(j.size(), e.size());
    auto hasJapanese = [](std::u16string_view text) {
        for (char16_t c : text)
            if ((c >= 0x3040 && c <= 0x30FF) || (c >= 0x4E00 && c <= 0x9FFF)) return true;
        return false;
    };
    for (std::size_t i = 0; i < e.size(); ++i) {
        EXPECT_EQ(e[i].topic, j[i].topic);
        EXPECT_EQ(e[i].level, j[i].level);
        StoreMessages messages;
        const HelpTopicPage page = english->page(i, messages);
        EXPECT_FALSE(hasJapanese(english->heading(i)) || hasJapanese(page.text)) << toUtf8(english->heading(i));
        EXPECT_EQ(page.commands.size(), japanese->page(i, messages).commands.size()) << toUtf8(english->heading(i));
    }
}

// The heading of a topic in the program's help.
std::u16string headingOf(HelpForm& form, int topic) {
    const HelpContents* help = form.contents();
    const auto entry = help ? help->index().find(topic) : std::nullopt;
    return entry ? std::u16string(help->heading(*entry)) : u"(none)";
}

struct F1Program {
    test::TempFolder data;
    test::TempFolder files;
    test::TestProgram p{data.path(), kProgramFolder};
    std::int64_t now = 0;
    std::u16string seen; // the heading F1 showed last

    F1Program() {
        p.commands.help().setMilliseconds([this] { return now += 1000; });
        p.ui.whileDialogUp = [this] { pressF1(); };
    }
    void pressF1() {
        p.commands.run(kCmdHelpOnSituation, CommandSource::Key);
        seen = p.ui.helpHeadings.empty() ? u"" : p.ui.helpHeadings.back();
    }
};

TEST(HelpTextTest, F1InEachModeAndDialogShowsItsTopic) {
    F1Program f;
    for (int mode : {kCmdModeMailGo, kCmdModePlayAndRecord, kCmdModeProblems, kCmdModeViewing}) {
        f.p.commands.run(mode);
        f.pressF1();
        const int shown = f.p.app.modes()->mode();
        EXPECT_EQ(f.seen, headingOf(f.p.commands.help(), *modeHelpTopic(shown))) << mode;
    }
    f.p.commands.run(kCmdModePlayAndRecord);
    f.p.commands.clickPoint(3, 3);
    f.p.commands.clickPoint(15, 15);
    f.p.commands.run(kCmdBack);

    // Each dialog with the answer that closes it.
    const std::vector<std::pair<int, std::function<void(test::ScriptedUi&)>>> dialogs = {
        {32793, [](test::ScriptedUi& ui) { ui.commentAnswers.push_back({}); }},
        {32816, [](test::ScriptedUi& ui) { ui.branchAnswers.push_back({}); }},
        {32830, [](test::ScriptedUi& ui) { ui.markAnswers.push_back({}); }},
        {32965, [](test::ScriptedUi& ui) { ui.elapsedAnswers.push_back({}); }},
        {32803, [](test::ScriptedUi& ui) { ui.gameListScripts.push_back([](GameListForm&) {}); }},
        {32828, [](test::ScriptedUi& ui) { ui.groupListScripts.push_back([](GroupListForm&) {}); }},
        {32801, [](test::ScriptedUi& ui) { ui.memberListScripts.push_back([](MemberListForm&) {}); }},
        {32797, [](test::ScriptedUi& ui) { ui.settingsScripts.push_back([](GameSettings&) { return false; }); }},
        {32903, [](test::ScriptedUi& ui) { ui.settingsScripts.push_back([](GameSettings&) { return false; }); }},
        {32772, [](test::ScriptedUi& ui) { ui.openAnswers.push_back({}); }},
        {114, [](test::ScriptedUi& ui) { ui.versionAnswers.push_back(VersionDialogChoice::Close); }},
    };
    for (const auto& [command, answer] : dialogs) {
        f.seen.clear();
        answer(f.p.ui);
        f.p.commands.run(command, CommandSource::Popup, 10, 10);
        EXPECT_EQ(f.seen, headingOf(f.p.commands.help(), *dialogHelpTopic(command))) << command;
        f.pressF1();
        EXPECT_EQ(f.seen, headingOf(f.p.commands.help(), 40003)) << "back to the mode after " << command;
    }
    EXPECT_TRUE(f.p.ui.messages.empty());
}

TEST(HelpTextTest, TheEnglishInterfaceShowsTheEnglishHelp) {
    F1Program f;
    f.p.app.chooseLanguage(0x0409);
    f.p.commands.run(kCmdModeViewing);
    f.pressF1();
    EXPECT_EQ(f.seen, u"Game Viewing");
    f.p.commands.run(kCmdHelpFirst);
    EXPECT_EQ(f.p.ui.helpHeadings.back(), u"Getting Started");
    EXPECT_EQ(f.p.commands.help().heading(), u"Getting Started");
    f.p.commands.run(kCmdHelpContents);
    EXPECT_EQ(f.p.commands.help().heading(), u"Contents");
    EXPECT_TRUE(f.p.commands.help().text().starts_with(u"Getting Started\r\nOverview\r\n"));
    f.p.app.chooseLanguage(0x0411);
}

} // namespace
} // namespace stonewise
