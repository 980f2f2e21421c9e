#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace stonewise {

class StringTable;

// Left, top, width and height of a window.
struct WindowPlacement {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;

    bool operator==(const WindowPlacement&) const = default;
};

// The process-wide settings, loaded from "Settings.dat" at start-up, edited by the settings dialogs
// and saved at exit. The comment of each field names its field id in the file. Texts are owned by
// the record (a string or none); copying the record copies them.
struct SettingsRecord {
    WindowPlacement mainWindow;                       // 1
    std::uint16_t spareDisplayValue = 0;              // 31, stored and read back only
    std::uint16_t coordinatesHidden = 0;              // 36, 1 = coordinates are not drawn
    std::uint16_t coordinateOrigin = 0;               // 32, 0 top-left, 1 bottom-left, 2 bottom-right
    std::uint16_t horizontalLabels = 0;               // 33, 0/1 digits, 2 lower-case, 3 upper-case letters
    std::uint16_t verticalLabels = 0;                 // 34, 0 kanji, 1 digits, 2 lower-case, 3 upper-case
    std::uint16_t layoutSwitch = 0;                   // 35, forced to 1 by every load
    std::uint32_t lastView = 0;                       // 2, low 16 bits: group at exit; high 16: mode
    std::array<std::int32_t, 8> modeGroups{};         // 55, group per function-mode slot, -1 = none
    std::array<std::uint16_t, 2> sparePair{};         // 3, stored and read back only
    std::array<std::uint16_t, 2> viewFlags{};         // 6, first forced to 1 by every load
    std::uint16_t studyBoardIndependent = 0;          // 7
    std::uint16_t komiAsInteger = 0;                  // 8
    std::uint16_t numbersBeforeLastMove = 0;          // 9, 0..10
    std::uint16_t elapsedInMoveList = 0;              // 19
    std::uint16_t commentMarks = 0;                   // 20
    std::uint16_t bookTextValue1 = 0;                 // 26
    std::uint16_t bookTextValue2 = 0;                 // 27
    WindowPlacement studyWindow;                      // 5
    WindowPlacement helpWindow;                       // 18
    WindowPlacement helpPictureWindow;                // 28, left and top relative to the help window
    std::uint16_t automaticMailFetch = 0;             // 15
    std::uint16_t unreceivedWarningHours = 0;         // 16, 0 = never
    std::optional<std::u16string> mailGoTitlePattern; // 10, "*" matches one or more characters
    std::uint16_t automaticMailCreation = 0;          // 11
    std::uint16_t mailBodyForm = 0;                   // 12, 0 plain, 1 with guidance, 2 name and short moves
    std::uint16_t mailOption = 0;                     // not stored; read by the mail writer
    std::uint16_t movesPerMail = 0;                   // 13
    std::uint16_t omitComments = 0;                   // 17
    std::uint16_t sendAtOnce = 0;                     // 23
    std::uint16_t confirmReviewSending = 0;           // 24
    std::uint16_t unsentWarningOff = 0;               // 25
    std::uint16_t printSize = 0;                      // 21, 1 = 100 %, 2 = 75 %, 3 = 50 %
    std::uint16_t printNumberSize = 0;                // 22, same steps
    std::uint16_t animationSpeed = 0;                 // 30, tenths of a second per step
    std::uint16_t drawingValue = 0;                   // 40
    std::uint16_t branchMarks = 0;                    // 41
    std::uint16_t noSaveConfirmation = 0;             // 50
    std::uint16_t externalRecordMode = 0;             // 51, forced to 0 by every load
    std::uint16_t saveSgfToo = 0;                     // 52
    std::uint16_t sgfOutputEncoding = 0;              // 54, 0 Shift_JIS, 1 UTF-8, 2 UTF-16
    std::uint16_t listOption1 = 0;                    // 60
    std::uint16_t listOption2 = 0;                    // 61
    std::array<std::uint32_t, 8> spareBlock{};        // 53, stored and read back only
    std::optional<std::u16string> bookPath;           // 70
    std::optional<std::u16string> bookTextFont;       // 71, face name
    std::uint16_t bookTextFontSize = 0;               // 72, points
    std::uint16_t bookAutomatic = 0;                  // 73
    std::uint16_t bookContinuous = 0;                 // 74
    std::uint16_t flashSpeed = 0;                     // 42, hundredths of a second
    std::uint16_t flashAfterimage = 0;                // 43, hundredths of a second

    bool operator==(const SettingsRecord&) const = default;
};

// The values placed before the stored fields of an opened file are read.
void applyDefaultA(SettingsRecord& s);

// The values applied over the record at start-up when loading failed; fields it does not name keep
// what the record holds. `japaneseInterface` false sets vertical labels to lower-case letters;
// the Mail Go title pattern becomes `titlePattern` (string 12500, "第*局").
void applyDefaultB(SettingsRecord& s, bool japaneseInterface, std::u16string_view titlePattern);

// Repairs every start-up applies after loading, whatever its result: no moves per mail becomes 10,
// no animation speed 15.
void applyStartUpRepairs(SettingsRecord& s);

// The group number kept in the last view (the scratch group 106 reads as -1, none).
int lastViewGroup(const SettingsRecord& s);
// The function mode kept in the last view.
int lastViewMode(const SettingsRecord& s);
// Stores the group and the mode of the last view; the finished-games modes 2 and 32 are stored as
// their live modes 1 and 16.
void setLastView(SettingsRecord& s, int group, int mode);

// The values the settings dialogs offer.
inline constexpr std::array<int, 9> kMovesPerMailChoices{5, 10, 20, 30, 40, 50, 100, 200, 500};
inline constexpr std::array<int, 8> kUnreceivedWarningChoices{0, 1, 2, 4, 6, 12, 24, 48}; // 0 = "警告しない"
inline constexpr std::array<int, 14> kAnimationSpeedChoices{5, 10, 15, 20, 25, 30, 35, 40, 50, 60, 70, 80, 90, 100};
inline constexpr std::array<int, 11> kNumbersBeforeLastMoveChoices{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
inline constexpr std::array<int, 11> kFlashSpeedChoices{0, 10, 20, 30, 40, 50, 60, 70, 80, 90, 100};
inline constexpr std::array<int, 11> kFlashAfterimageChoices{0, 20, 50, 100, 150, 200, 250, 300, 350, 400, 500};

// Number of the text of "no warning" in the unreceived-warning list ("警告しない").
inline constexpr int kStrNoWarning = 20712;

// A time choice shown as seconds: "　%0.1f秒" of value / unitsPerSecond (10 for tenths, 100 for
// hundredths).
std::u16string secondsChoiceText(int value, int unitsPerSecond);

} // namespace stonewise
