// The settings dialogs without a window: the controls of the function and display settings on a
// working copy of the settings, and what OK does with it.
#include "app/SettingsDialogs.h"

#include <algorithm>
#include <array>
#include <cstdlib>

#include "app/CIgoBoard.h"
#include "app/Ui.h"
#include "record/StringTable.h"
#include "record/Text.h"

namespace stonewise {

namespace {

using K = SettingsControlKind;

constexpr int kStrSettingsNotSaved = 25027;  // the settings could not be saved
constexpr int kStrSettingsSaveTitle = 25028; // "設定の保存"
constexpr std::size_t kTitlePatternLength = 16;

// Boxes of the dialogs.
constexpr int kBoxEncoding = 55126;
constexpr int kBoxMailGo = 55127;
constexpr int kBoxSaving = 55128;
constexpr int kBoxCoordinates = 55150;
constexpr int kBoxOrigin = 55151;
constexpr int kBoxHorizontal = 55152;
constexpr int kBoxVertical = 55153;
constexpr int kBoxFont = 55154;
constexpr int kBoxBoard = 55155;

// The function settings: the Mail Go mode's own, then those every mode has.
constexpr std::array<SettingsControl, 17> kMailGoControls{{
    {1054, K::Check, 55110, 0, kBoxMailGo},
    {1036, K::Edit, 0, 0, kBoxMailGo},
    {1061, K::Check, 55111, 0, kBoxMailGo},
    {1058, K::Check, 55112, 0, kBoxMailGo},
    {1046, K::Check, 55113, 0, kBoxMailGo},
    {1025, K::Combo, 55114, 0, kBoxMailGo},
    {1074, K::Check, 55115, 0, kBoxMailGo},
    {1077, K::Combo, 55116, 0, kBoxMailGo},
    {1059, K::Check, 55117, 0, kBoxMailGo},
    {1094, K::Check, 55118, 0, kBoxMailGo},
    {32910, K::Check, 55119, 0, kBoxMailGo},
    {1063, K::Check, 55120, 0, kBoxSaving},
    {1073, K::Check, 55121, 0, kBoxSaving},
    {32909, K::Check, 55122, 0, kBoxSaving},
    {1174, K::Radio, 55123, 1, kBoxEncoding},
    {1175, K::Radio, 55124, 1, kBoxEncoding},
    {1176, K::Radio, 55125, 1, kBoxEncoding},
}};
constexpr std::size_t kOwnMailGoControls = 11;

constexpr std::array<SettingsControl, 25> kDisplayControls{{
    {1076, K::Combo, 55130, 0, kBoxBoard},
    {1072, K::Check, 55131, 0, kBoxBoard},
    {1177, K::Check, 55132, 0, kBoxBoard},
    {1078, K::EditableCombo, 55133, 0, kBoxBoard},
    {1167, K::Combo, 55134, 0, kBoxBoard},
    {1168, K::Combo, 55135, 0, kBoxBoard},
    {32908, K::Check, 55136, 0, kBoxBoard},
    {32917, K::Check, 55148, 0, kBoxBoard},
    {32918, K::Check, 55149, 0, kBoxBoard},
    {32906, K::Check, 55146, 0, kBoxBoard},
    {32905, K::Check, 55145, 0, kBoxBoard},
    {32907, K::Check, 55137, 0, kBoxCoordinates},
    {1055, K::Radio, 55138, 1, kBoxOrigin},
    {1060, K::Radio, 55139, 1, kBoxOrigin},
    {1204, K::Radio, 55140, 1, kBoxOrigin},
    {1065, K::Radio, 55141, 2, kBoxHorizontal},
    {1066, K::Radio, 55142, 2, kBoxHorizontal},
    {1067, K::Radio, 55143, 2, kBoxHorizontal},
    {1071, K::Radio, 55144, 3, kBoxVertical},
    {1068, K::Radio, 55141, 3, kBoxVertical},
    {1069, K::Radio, 55142, 3, kBoxVertical},
    {1070, K::Radio, 55143, 3, kBoxVertical},
    {1196, K::Edit, 0, 0, kBoxFont},
    {1197, K::Edit, 0, 0, kBoxFont},
    {1003, K::Button, 55147, 0, kBoxFont},
}};

// The controls "表示しない" disables.
constexpr std::array<int, 10> kCoordinateControls{1055, 1060, 1204, 1065, 1066, 1067, 1071, 1068, 1069, 1070};

// A radio button: the field it sets and the value it stands for.
struct RadioValue {
    int id;
    std::uint16_t SettingsRecord::*field;
    std::uint16_t value;
};
constexpr std::array<RadioValue, 13> kRadios{{
    {1174, &SettingsRecord::sgfOutputEncoding, 0},
    {1175, &SettingsRecord::sgfOutputEncoding, 1},
    {1176, &SettingsRecord::sgfOutputEncoding, 2},
    {1055, &SettingsRecord::coordinateOrigin, 0},
    {1060, &SettingsRecord::coordinateOrigin, 1},
    {1204, &SettingsRecord::coordinateOrigin, 2},
    {1065, &SettingsRecord::horizontalLabels, 1},
    {1066, &SettingsRecord::horizontalLabels, 2},
    {1067, &SettingsRecord::horizontalLabels, 3},
    {1071, &SettingsRecord::verticalLabels, 0},
    {1068, &SettingsRecord::verticalLabels, 1},
    {1069, &SettingsRecord::verticalLabels, 2},
    {1070, &SettingsRecord::verticalLabels, 3},
}};

// A check box that is one field of the settings, and whether checked means the field is 0.
struct CheckField {
    int id;
    std::uint16_t SettingsRecord::*field;
    bool inverted;
};
constexpr std::array<CheckField, 13> kChecks{{
    {1046, &SettingsRecord::omitComments, false},
    {1074, &SettingsRecord::automaticMailFetch, false},
    {1059, &SettingsRecord::sendAtOnce, false},
    {1094, &SettingsRecord::confirmReviewSending, false},
    {32910, &SettingsRecord::unsentWarningOff, true},
    {1063, &SettingsRecord::noSaveConfirmation, true},
    {1073, &SettingsRecord::saveSgfToo, false},
    {1072, &SettingsRecord::branchMarks, false},
    {1177, &SettingsRecord::commentMarks, false},
    {32908, &SettingsRecord::elapsedInMoveList, false},
    {32907, &SettingsRecord::coordinatesHidden, false},
    {32905, &SettingsRecord::studyBoardIndependent, false},
    {32906, &SettingsRecord::komiAsInteger, false},
}};

// A combo box: its field, its values, and the item shown for a value not in the list.
struct ComboField {
    int id;
    std::uint16_t SettingsRecord::*field;
    std::span<const int> values;
    int fallback;
};
const std::array<ComboField, 6> kCombos{{
    {1025, &SettingsRecord::movesPerMail, kMovesPerMailChoices, 2},
    {1077, &SettingsRecord::unreceivedWarningHours, kUnreceivedWarningChoices, 0},
    {1076, &SettingsRecord::animationSpeed, kAnimationSpeedChoices, 2},
    {1078, &SettingsRecord::numbersBeforeLastMove, kNumbersBeforeLastMoveChoices, 2},
    {1167, &SettingsRecord::flashSpeed, kFlashSpeedChoices, 2},
    {1168, &SettingsRecord::flashAfterimage, kFlashAfterimageChoices, 2},
}};

template <class T, std::size_t N>
const T* findId(const std::array<T, N>& table, int id) {
    for (const T& e : table)
        if (e.id == id) return &e;
    return nullptr;
}

std::u16string comboText(int id, int value) {
    switch (id) {
    case 1025: return formatText(u"%3d", {value});
    case 1077: return value == 0 ? std::u16string(uiText(kStrNoWarning)) : formatText(u"%3d", {value});
    case 1076: return secondsChoiceText(value, 10);
    case 1078: return formatText(u"%d", {value});
    default: return secondsChoiceText(value, 100); // the flash speeds, in hundredths
    }
}

} // namespace

SettingsForm::SettingsForm(SettingsEnvironment env, SettingsDialogKind kind)
    : m_env(std::move(env)), m_kind(kind), m_copy(*m_env.live) {
    // Values a stored file may hold out of range are shown at the nearest end.
    m_copy.sgfOutputEncoding = std::min<std::uint16_t>(m_copy.sgfOutputEncoding, 2);
    m_copy.coordinateOrigin = std::min<std::uint16_t>(m_copy.coordinateOrigin, 2);
    m_copy.horizontalLabels = std::clamp<std::uint16_t>(m_copy.horizontalLabels, 1, 3); // below 2: digits
    m_copy.verticalLabels = std::min<std::uint16_t>(m_copy.verticalLabels, 3);
    m_copy.numbersBeforeLastMove = std::min<std::uint16_t>(m_copy.numbersBeforeLastMove, 10);
    m_copy.mailBodyForm = std::min<std::uint16_t>(m_copy.mailBodyForm, 2);
    m_patternOn = m_copy.mailGoTitlePattern.has_value() && !m_copy.mailGoTitlePattern->empty();
    m_pattern = m_copy.mailGoTitlePattern.value_or(std::u16string());
    m_guidance = m_copy.mailBodyForm == 1;
    m_numbersTyped = formatText(u"%d", {int{m_copy.numbersBeforeLastMove}});
    m_associated = m_env.associated && m_env.associated();
    if (m_env.board) {
        m_lastMoveMarkOff = !m_env.board->options().lastMoveMark;
        m_diagramDisplay = m_env.board->options().diagramDisplay;
    }
}

std::u16string SettingsForm::title() const {
    return std::u16string(uiText(m_kind == SettingsDialogKind::MailGo       ? 55100
                                 : m_kind == SettingsDialogKind::OtherModes ? 55101
                                                                            : 55102));
}

std::span<const SettingsControl> SettingsForm::controls() const {
    switch (m_kind) {
    case SettingsDialogKind::MailGo: return kMailGoControls;
    case SettingsDialogKind::OtherModes: return std::span(kMailGoControls).subspan(kOwnMailGoControls);
    default: return kDisplayControls;
    }
}

bool SettingsForm::checked(int id) const {
    if (const CheckField* c = findId(kChecks, id)) return (m_copy.*(c->field) != 0) != c->inverted;
    if (const RadioValue* r = findId(kRadios, id)) return m_copy.*(r->field) == r->value;
    switch (id) {
    case 1054: return m_patternOn;
    case 1061: return m_copy.mailBodyForm == 2;
    case 1058: return m_copy.mailBodyForm == 2 ? m_guidance : m_copy.mailBodyForm == 1;
    case 32909: return m_associated;
    case 32917: return m_lastMoveMarkOff;
    case 32918: return m_diagramDisplay;
    default: return false;
    }
}

bool SettingsForm::enabled(int id) const {
    if (id == 1036) return m_patternOn;
    if (id == 1058) return m_copy.mailBodyForm != 2;
    if (std::find(kCoordinateControls.begin(), kCoordinateControls.end(), id) != kCoordinateControls.end())
        return m_copy.coordinatesHidden == 0;
    return true;
}

void SettingsForm::setChecked(int id, bool on) {
    if (!enabled(id)) return;
    if (const CheckField* c = findId(kChecks, id)) {
        m_copy.*(c->field) = on != c->inverted ? 1 : 0;
    } else if (const RadioValue* r = findId(kRadios, id)) {
        if (on) m_copy.*(r->field) = r->value;
    } else if (id == 1054) {
        m_patternOn = on;
    } else if (id == 1061) {
        m_copy.mailBodyForm = on ? 2 : (m_guidance ? 1 : 0);
    } else if (id == 1058) {
        m_guidance = on;
        m_copy.mailBodyForm = on ? 1 : 0;
    } else if (id == 32909 && on != m_associated && m_env.setAssociation) {
        // The desktop's files change at once; what they hold afterwards is what the box shows.
        m_env.setAssociation(on);
        m_associated = m_env.associated ? m_env.associated() : on;
    } else if (id == 32917) {
        m_lastMoveMarkOff = on;
    } else if (id == 32918) {
        m_diagramDisplay = on;
    }
}

std::vector<std::u16string> SettingsForm::comboItems(int id) const {
    std::vector<std::u16string> items;
    if (const ComboField* c = findId(kCombos, id))
        for (int v : c->values) items.push_back(comboText(id, v));
    return items;
}

int SettingsForm::comboIndex(int id) const {
    const ComboField* c = findId(kCombos, id);
    if (!c) return -1;
    const int value = m_copy.*(c->field);
    const auto it = std::find(c->values.begin(), c->values.end(), value);
    return it == c->values.end() ? c->fallback : static_cast<int>(it - c->values.begin());
}

void SettingsForm::chooseComboItem(int id, int index) {
    const ComboField* c = findId(kCombos, id);
    if (!c || index < 0 || index >= static_cast<int>(c->values.size())) return;
    m_copy.*(c->field) = static_cast<std::uint16_t>(c->values[static_cast<std::size_t>(index)]);
    if (id == 1078) m_numbersTyped = comboText(id, c->values[static_cast<std::size_t>(index)]);
}

std::u16string SettingsForm::text(int id) const {
    switch (id) {
    case 1036: return m_pattern;
    case 1078: return m_numbersTyped;
    case 1196: return m_copy.bookTextFont.value_or(std::u16string());
    case 1197:
        return m_copy.bookTextFont && m_copy.bookTextFontSize > 0 ? formatText(u"%d", {int{m_copy.bookTextFontSize}})
                                                                  : std::u16string();
    default: return {};
    }
}

void SettingsForm::setText(int id, std::u16string_view text) {
    if (id == 1036) m_pattern = std::u16string(text);
    else if (id == 1078) m_numbersTyped = std::u16string(text);
}

void SettingsForm::chooseFont() {
    FontChoice current{m_copy.bookTextFont.value_or(std::u16string()).substr(0, 32), m_copy.bookTextFontSize};
    const std::optional<FontChoice> chosen = m_env.ui->chooseFont(current);
    if (!chosen || chosen->face.empty()) return;
    m_copy.bookTextFont = chosen->face;
    m_copy.bookTextFontSize = static_cast<std::uint16_t>(std::clamp(chosen->points, 1, 999));
    m_fontChanged = true;
}

bool SettingsForm::confirm() {
    if (m_kind == SettingsDialogKind::Display) {
        // The number typed or chosen; a text that is not a number keeps the value.
        const std::string typed = toUtf8(m_numbersTyped);
        char* end = nullptr;
        const long n = std::strtol(typed.c_str(), &end, 10);
        if (!typed.empty() && end && *end == '\0')
            m_copy.numbersBeforeLastMove = static_cast<std::uint16_t>(std::clamp<long>(n, 0, 10));
    }
    if (m_kind == SettingsDialogKind::MailGo) {
        if (m_patternOn && m_pattern.empty()) {
            m_env.ui->beep();
            return false;
        }
        m_copy.mailGoTitlePattern =
            m_patternOn ? std::optional(m_pattern.substr(0, kTitlePatternLength)) : std::nullopt;
    }
    *m_env.live = m_copy;
    if (CIgoBoard* board = m_env.board) {
        BoardOptions& o = board->options();
        o.flashSpeed = m_copy.flashSpeed;
        o.flashAfterimage = m_copy.flashAfterimage;
        o.animationSpeed = m_copy.animationSpeed;
        o.commentMarks = m_copy.commentMarks != 0;
        if (m_kind == SettingsDialogKind::Display) {
            o.lastMoveMark = !m_lastMoveMarkOff;
            o.diagramDisplay = m_diagramDisplay;
        }
    }
    if (m_env.save && !m_env.save(*m_env.live))
        m_env.ui->showMessage(uiText(kStrSettingsNotSaved), uiText(kStrSettingsSaveTitle));
    return true;
}

} // namespace stonewise
