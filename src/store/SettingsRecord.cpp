#include "store/SettingsRecord.h"

#include "record/StringTable.h"
#include "record/Text.h"

namespace stonewise {

void applyDefaultA(SettingsRecord& s) {
    s.mainWindow = {};
    s.lastView = 0;
    s.modeGroups.fill(-1);
    s.studyBoardIndependent = 1;
    s.komiAsInteger = 1;
    s.numbersBeforeLastMove = 0;
    s.elapsedInMoveList = 0;
    s.commentMarks = 1;
    s.bookTextValue1 = 33;
    s.bookTextValue2 = 20;
    s.studyWindow = {};
    s.helpWindow = {};
    s.helpPictureWindow = {};
    s.automaticMailFetch = 1;
    s.unreceivedWarningHours = 0;
    s.mailGoTitlePattern.reset();
    s.automaticMailCreation = 1;
    s.mailBodyForm = 2;
    s.mailOption = 1;
    s.movesPerMail = 5;
    s.omitComments = 1;
    s.sendAtOnce = 0;
    s.confirmReviewSending = 0;
    s.unsentWarningOff = 0;
    s.animationSpeed = 15;
    s.noSaveConfirmation = 1;
    s.saveSgfToo = 1;
    s.sgfOutputEncoding = 0;
    s.listOption1 = 1;
    s.listOption2 = 1;
    s.bookPath.reset();
    s.bookTextFont.reset();
    s.flashSpeed = 10;
    s.flashAfterimage = 50;
}

void applyDefaultB(SettingsRecord& s, bool japaneseInterface, std::u16string_view titlePattern) {
    s.mainWindow = {};
    if (!japaneseInterface) s.verticalLabels = 2;
    s.layoutSwitch = 1;
    s.lastView = 0;
    s.modeGroups.fill(-1);
    s.viewFlags[0] = 1;
    s.studyBoardIndependent = 1;
    s.komiAsInteger = 1;
    s.numbersBeforeLastMove = 0;
    s.commentMarks = 1;
    s.bookTextValue1 = 33;
    s.bookTextValue2 = 20;
    s.studyWindow = {};
    s.helpWindow = {};
    s.helpPictureWindow = {};
    s.automaticMailFetch = 1;
    s.mailGoTitlePattern = std::u16string(titlePattern);
    s.mailBodyForm = 2;
    s.mailOption = 1;
    s.movesPerMail = 5;
    s.omitComments = 1;
    s.printSize = 2;
    s.printNumberSize = 2;
    s.animationSpeed = 15;
    s.noSaveConfirmation = 1;
    s.saveSgfToo = 1;
    s.sgfOutputEncoding = 0;
    s.listOption1 = 1;
    s.listOption2 = 1;
    s.flashSpeed = 10;
    s.flashAfterimage = 100;
}

void applyStartUpRepairs(SettingsRecord& s) {
    if (s.movesPerMail == 0) s.movesPerMail = 10;
    if (s.animationSpeed == 0) s.animationSpeed = 15;
}

int lastViewGroup(const SettingsRecord& s) {
    const int group = static_cast<std::int16_t>(s.lastView & 0xFFFF);
    return group == 106 ? -1 : group;
}

int lastViewMode(const SettingsRecord& s) { return static_cast<int>(s.lastView >> 16); }

void setLastView(SettingsRecord& s, int group, int mode) {
    if (mode == 2) mode = 1;
    if (mode == 32) mode = 16;
    s.lastView = (static_cast<std::uint32_t>(mode & 0xFFFF) << 16) | static_cast<std::uint16_t>(group);
}

std::u16string secondsChoiceText(int value, int unitsPerSecond) {
    return formatText(uiText(12501), {static_cast<double>(value) / (unitsPerSecond > 0 ? unitsPerSecond : 1)});
}

} // namespace stonewise
