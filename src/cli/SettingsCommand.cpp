// stonewise-cli settings: every field of the settings record as the program would start with it.
#include <array>
#include <ostream>
#include <string>

#include "cli/CliCommand.h"
#include "cli/DataFolderOption.h"
#include "record/StringTable.h"
#include "record/Text.h"
#include "store/SettingsFile.h"

namespace stonewise::cli {

namespace {

void line(std::ostream& out, const char* name, int id, const std::string& value) {
    out << name;
    if (id > 0) out << " [" << id << "]";
    out << " = " << value << "\n";
}

std::string number(long long v) { return std::to_string(v); }

std::string placement(const WindowPlacement& p) {
    std::string s;
    for (int v : {p.left, p.top, p.width, p.height}) {
        if (!s.empty()) s += ' ';
        s += number(v);
    }
    return s;
}

template <class T, std::size_t N>
std::string values(const std::array<T, N>& a) {
    std::string s;
    for (T v : a) {
        if (!s.empty()) s += ' ';
        s += number(static_cast<long long>(v));
    }
    return s;
}

std::string text(const std::optional<std::u16string>& t) {
    if (!t) return "(none)";
    std::string quoted = "\"";
    quoted += toUtf8(*t);
    quoted += '"';
    return quoted;
}

const char* statusText(SettingsReadStatus status) {
    switch (status) {
    case SettingsReadStatus::Loaded: return "read";
    case SettingsReadStatus::NoFile: return "not found; defaults";
    case SettingsReadStatus::ShortHeader: return "shorter than its header; defaults";
    case SettingsReadStatus::BadVersion: return "of another version; defaults";
    case SettingsReadStatus::Truncated: return "cut short; the fields read, defaults for the rest";
    }
    return "";
}

int run(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err) {
    std::vector<std::string> args = arguments;
    const auto folder = takeDataFolder(args);
    if (!folder || !args.empty()) {
        err << "usage: stonewise-cli settings [--data DIR]\n";
        return 2;
    }
    SettingsRecord s;
    const SettingsLoadResult result = startUpSettings(*folder, s, StringTable::japanese(), true);
    for (const StoreMessage& m : result.messages) err << toUtf8(m.title) << ": " << toUtf8(m.text) << "\n";
    out << "# " << folder->file(kSettingsFileName) << ": " << statusText(result.status) << "\n";
    line(out, "mainWindow", 1, placement(s.mainWindow));
    line(out, "spareDisplayValue", 31, number(s.spareDisplayValue));
    line(out, "coordinatesHidden", 36, number(s.coordinatesHidden));
    line(out, "coordinateOrigin", 32, number(s.coordinateOrigin));
    line(out, "horizontalLabels", 33, number(s.horizontalLabels));
    line(out, "verticalLabels", 34, number(s.verticalLabels));
    line(out, "layoutSwitch", 35, number(s.layoutSwitch));
    std::string lastView = number(s.lastView);
    lastView += " (group ";
    lastView += number(lastViewGroup(s));
    lastView += ", mode ";
    lastView += number(lastViewMode(s));
    lastView += ')';
    line(out, "lastView", 2, lastView);
    line(out, "modeGroups", 55, values(s.modeGroups));
    line(out, "sparePair", 3, values(s.sparePair));
    line(out, "viewFlags", 6, values(s.viewFlags));
    line(out, "studyBoardIndependent", 7, number(s.studyBoardIndependent));
    line(out, "komiAsInteger", 8, number(s.komiAsInteger));
    line(out, "numbersBeforeLastMove", 9, number(s.numbersBeforeLastMove));
    line(out, "elapsedInMoveList", 19, number(s.elapsedInMoveList));
    line(out, "commentMarks", 20, number(s.commentMarks));
    line(out, "bookTextValue1", 26, number(s.bookTextValue1));
    line(out, "bookTextValue2", 27, number(s.bookTextValue2));
    line(out, "studyWindow", 5, placement(s.studyWindow));
    line(out, "helpWindow", 18, placement(s.helpWindow));
    line(out, "helpPictureWindow", 28, placement(s.helpPictureWindow));
    line(out, "automaticMailFetch", 15, number(s.automaticMailFetch));
    line(out, "unreceivedWarningHours", 16, number(s.unreceivedWarningHours));
    line(out, "mailGoTitlePattern", 10, text(s.mailGoTitlePattern));
    line(out, "automaticMailCreation", 11, number(s.automaticMailCreation));
    line(out, "mailBodyForm", 12, number(s.mailBodyForm));
    line(out, "mailOption", 0, number(s.mailOption));
    line(out, "movesPerMail", 13, number(s.movesPerMail));
    line(out, "omitComments", 17, number(s.omitComments));
    line(out, "sendAtOnce", 23, number(s.sendAtOnce));
    line(out, "confirmReviewSending", 24, number(s.confirmReviewSending));
    line(out, "unsentWarningOff", 25, number(s.unsentWarningOff));
    line(out, "printSize", 21, number(s.printSize));
    line(out, "printNumberSize", 22, number(s.printNumberSize));
    line(out, "animationSpeed", 30, number(s.animationSpeed));
    line(out, "drawingValue", 40, number(s.drawingValue));
    line(out, "branchMarks", 41, number(s.branchMarks));
    line(out, "noSaveConfirmation", 50, number(s.noSaveConfirmation));
    line(out, "externalRecordMode", 51, number(s.externalRecordMode));
    line(out, "saveSgfToo", 52, number(s.saveSgfToo));
    line(out, "sgfOutputEncoding", 54, number(s.sgfOutputEncoding));
    line(out, "listOption1", 60, number(s.listOption1));
    line(out, "listOption2", 61, number(s.listOption2));
    line(out, "spareBlock", 53, values(s.spareBlock));
    line(out, "bookPath", 70, text(s.bookPath));
    line(out, "bookTextFont", 71, text(s.bookTextFont));
    line(out, "bookTextFontSize", 72, number(s.bookTextFontSize));
    line(out, "bookAutomatic", 73, number(s.bookAutomatic));
    line(out, "bookContinuous", 74, number(s.bookContinuous));
    line(out, "flashSpeed", 42, number(s.flashSpeed));
    line(out, "flashAfterimage", 43, number(s.flashAfterimage));
    return 0;
}

} // namespace

CliCommand settingsCommand() {
    return {"settings", "settings [--data DIR]",
            "Prints every field of the settings record (with its field id) as the program starts with it: read "
            "from Settings.dat of the data folder, with the defaults where that fails (--data: another data folder)",
            &run};
}

} // namespace stonewise::cli
