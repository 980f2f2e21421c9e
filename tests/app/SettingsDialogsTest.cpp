// The settings dialogs through their menu commands, headless: what each control shows of the
// stored settings, what OK stores and hands to the board, and that cancel changes nothing.
#include <gtest/gtest.h>

#include "app/CommandIds.h"
#include "app/SettingsDialogs.h"
#include "store/FileIo.h"
#include "store/SettingsFile.h"
#include "support/TempFolder.h"
#include "support/TestProgram.h"

namespace stonewise {
namespace {

struct Settings {
    test::TempFolder folder;
    test::TestProgram program{folder.path() + "data/"};
    SettingsRecord& live = program.app.settings();

    Settings() {
        program.commands.useAssociation(
            {folder.path() + "xdg/data", folder.path() + "xdg/config", folder.path() + "xdg/system"},
            folder.path() + "bin/stonewise");
    }
    // Opens a dialog by its command and runs `script` in it.
    void open(int command, std::function<bool(SettingsForm&)> script) {
        program.ui.settingsFormScripts.push_back(std::move(script));
        program.commands.run(command);
        EXPECT_TRUE(program.ui.settingsFormScripts.empty());
    }
    // The settings as the file holds them now.
    SettingsRecord stored() const {
        SettingsRecord s;
        loadSettings(program.app.folder(), s, program.app.strings());
        return s;
    }
};

constexpr std::array<int, 10> kCoordinateControls{1055, 1060, 1204, 1065, 1066, 1067, 1071, 1068, 1069, 1070};

TEST(SettingsDialogs, DisplaySettingsShowTheStoredValuesAndOkStoresAndHandsThemOn) {
    Settings s;
    s.live.coordinateOrigin = 2;
    s.live.flashSpeed = 33; // not in the list: the third item
    s.live.horizontalLabels = 0;
    s.open(kCmdDisplaySettings, [&](SettingsForm& f) {
        EXPECT_EQ(f.kind(), SettingsDialogKind::Display);
        EXPECT_EQ(f.title(), u"表示設定");
        EXPECT_TRUE(f.checked(1204)); // "右下（古碁）"
        EXPECT_FALSE(f.checked(1055));
        EXPECT_TRUE(f.checked(1065)); // values below 2 show as digits
        EXPECT_EQ(f.comboIndex(1167), 2);
        EXPECT_EQ(f.comboItems(1167)[2], u"　0.2秒");
        EXPECT_EQ(f.comboItems(1076).front(), u"　0.5秒");

        f.setChecked(32907, true); // "表示しない"
        for (int id : kCoordinateControls) EXPECT_FALSE(f.enabled(id)) << id;
        f.setChecked(1055, true); // a disabled control does not change
        EXPECT_TRUE(f.checked(1204));
        f.setChecked(32907, false);
        for (int id : kCoordinateControls) EXPECT_TRUE(f.enabled(id)) << id;
        f.setChecked(1060, true);
        f.setChecked(1069, true);
        f.chooseComboItem(1168, 4);
        f.chooseComboItem(1167, 99); // not a valid selection: ignored
        f.setText(1078, u"12");      // typed past the list: the most it offers
        f.setChecked(1177, false);
        f.setChecked(32917, true);
        s.program.ui.fontAnswers = {FontChoice{u"IPAPGothic", 14}};
        f.chooseFont();
        EXPECT_EQ(f.text(1196), u"IPAPGothic");
        EXPECT_EQ(f.text(1197), u"14");
        EXPECT_TRUE(f.fontChanged());
        return f.confirm();
    });
    for (const SettingsRecord& r : {s.live, s.stored()}) {
        EXPECT_EQ(r.coordinateOrigin, 1);
        EXPECT_EQ(r.verticalLabels, 2);
        EXPECT_EQ(r.flashAfterimage, 150);
        EXPECT_EQ(r.flashSpeed, 33);
        EXPECT_EQ(r.numbersBeforeLastMove, 10);
        EXPECT_EQ(r.commentMarks, 0);
        EXPECT_EQ(r.bookTextFont, std::optional<std::u16string>(u"IPAPGothic"));
        EXPECT_EQ(r.bookTextFontSize, 14);
    }
    const BoardOptions& o = s.program.board.options();
    EXPECT_FALSE(o.lastMoveMark);
    EXPECT_FALSE(o.commentMarks);
    EXPECT_EQ(o.flashAfterimage, 150);
}

TEST(SettingsDialogs, CancelLeavesTheSettingsAndTheFontAsTheyWere) {
    Settings s;
    const SettingsRecord before = s.live;
    s.open(kCmdDisplaySettings, [&](SettingsForm& f) {
        f.setChecked(32906, !f.checked(32906));
        f.chooseComboItem(1076, 0);
        s.program.ui.fontAnswers = {FontChoice{u"IPAPGothic", 20}};
        f.chooseFont();
        f.setChecked(32918, true);
        return false;
    });
    EXPECT_EQ(s.live, before);
    EXPECT_FALSE(pathExists(s.program.app.folder().file("Settings.dat")) && s.stored() != before);
    EXPECT_FALSE(s.program.board.options().diagramDisplay);
}

TEST(SettingsDialogs, FunctionSettingsOfTheMailGoModeAndOfTheOthers) {
    Settings s;
    s.live.movesPerMail = 15;          // not in the list: the third item, 20
    s.live.unreceivedWarningHours = 5; // not in the list: "警告しない"
    s.live.mailBodyForm = 1;
    s.live.sgfOutputEncoding = 9; // out of range: shown as the last choice
    s.program.commands.run(kCmdModePlayAndRecord);
    s.open(kCmdFunctionSettings, [](SettingsForm& f) {
        EXPECT_EQ(f.kind(), SettingsDialogKind::OtherModes);
        std::vector<int> ids;
        for (const SettingsControl& c : f.controls()) ids.push_back(c.id);
        EXPECT_EQ(ids, (std::vector<int>{1063, 1073, 32909, 1174, 1175, 1176}));
        EXPECT_TRUE(f.checked(1176));
        return false;
    });
    s.program.commands.run(kCmdModeMailGo);
    s.open(kCmdFunctionSettings, [&](SettingsForm& f) {
        EXPECT_EQ(f.kind(), SettingsDialogKind::MailGo);
        EXPECT_EQ(f.comboIndex(1025), 2);
        EXPECT_EQ(f.comboItems(1025)[2], u" 20");
        EXPECT_EQ(f.comboIndex(1077), 0);
        EXPECT_EQ(f.comboItems(1077)[0], u"警告しない");
        // The short form disables the guidance and keeps its choice for when it is cleared.
        EXPECT_TRUE(f.checked(1058));
        f.setChecked(1061, true);
        EXPECT_FALSE(f.enabled(1058));
        EXPECT_EQ(f.values().mailBodyForm, 2);
        f.setChecked(1061, false);
        EXPECT_EQ(f.values().mailBodyForm, 1);
        // A pattern that is on must have a text; it is kept to 16 characters.
        f.setChecked(1054, true);
        EXPECT_TRUE(f.enabled(1036));
        f.setText(1036, u"");
        const int beeps = s.program.ui.beeps;
        EXPECT_FALSE(f.confirm());
        EXPECT_EQ(s.program.ui.beeps, beeps + 1);
        f.setText(1036, u"第*局ＡＢＣＤＥＦＧＨＩＪＫＬＭＮＯＰ");
        f.setChecked(32910, false);
        f.chooseComboItem(1077, 3);
        return f.confirm();
    });
    EXPECT_EQ(s.live.mailGoTitlePattern, std::optional<std::u16string>(u"第*局ＡＢＣＤＥＦＧＨＩＪＫＬＭ"));
    EXPECT_EQ(s.live.unsentWarningOff, 1);
    EXPECT_EQ(s.live.unreceivedWarningHours, 4);
    EXPECT_EQ(s.live.movesPerMail, 15); // not touched: as stored
    EXPECT_EQ(s.stored().mailGoTitlePattern, s.live.mailGoTitlePattern);
}

TEST(SettingsDialogs, TheAssociationBoxActsAtOnceOnTheDesktopFiles) {
    Settings s;
    const std::string entry = s.folder.path() + "xdg/data/applications/stonewise.desktop";
    s.open(kCmdDisplaySettings, [](SettingsForm&) { return false; }); // not in the display settings
    s.open(kCmdFunctionSettings, [&](SettingsForm& f) {
        EXPECT_FALSE(f.checked(32909));
        f.setChecked(32909, true);
        EXPECT_TRUE(f.checked(32909));
        EXPECT_TRUE(pathExists(entry));
        return false; // cancel does not undo it
    });
    EXPECT_TRUE(pathExists(entry));
    s.open(kCmdFunctionSettings, [&](SettingsForm& f) {
        EXPECT_TRUE(f.checked(32909));
        f.setChecked(32909, false);
        EXPECT_FALSE(f.checked(32909));
        return false;
    });
    EXPECT_FALSE(pathExists(entry));
}

} // namespace
} // namespace stonewise
