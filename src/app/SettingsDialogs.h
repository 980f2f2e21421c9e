#pragma once

#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "app/ProgramDialogs.h"
#include "store/SettingsRecord.h"

namespace stonewise {

class CIgoBoard;
class Ui;

// The three settings dialogs: the function settings of the Mail Go mode (250), of the other modes
// (251), and the display settings (252).
enum class SettingsDialogKind { MailGo = 250, OtherModes = 251, Display = 252 };

// What the settings dialogs work on: the live settings, the desktop, the board window that shows
// them, saving the settings file, and the ".sgf" association of the desktop.
struct SettingsEnvironment {
    SettingsRecord* live = nullptr;
    Ui* ui = nullptr;
    CIgoBoard* board = nullptr;                         // null: nothing handed to a board
    std::function<bool(const SettingsRecord&)> save;    // writes the settings file; false on failure
    std::function<bool()> associated;                   // whether ".sgf" files are this program's
    std::function<bool(bool associate)> setAssociation; // ties them to it, or unties them
};

// How a control of a settings dialog is shown.
enum class SettingsControlKind { Check, Radio, Combo, EditableCombo, Edit, Button };

// One control: its number, kind and text; radios of one group share `group`, and every control
// names the box of the dialog it sits in (`box`, a text number; 0 for none).
struct SettingsControl {
    int id;
    SettingsControlKind kind;
    int textId;
    int group = 0;
    int box = 0;
};

// One settings dialog on a working copy of the settings: the controls show and change the copy;
// OK puts the copy in place of the live settings, hands the display values to the board window
// and saves the file; cancel leaves everything as it was. The ".sgf" association acts at once.
class SettingsForm {
public:
    SettingsForm(SettingsEnvironment env, SettingsDialogKind kind);

    SettingsDialogKind kind() const { return m_kind; }
    // "機能設定（メール碁モード）", "機能設定（対局・記録、棋譜鑑賞）" or "表示設定".
    std::u16string title() const;
    // The dialog's controls in the order they are laid out.
    std::span<const SettingsControl> controls() const;

    bool checked(int id) const;
    // Checks or clears a check box; for a radio button `on` selects it. A disabled control does
    // not change; 32909 ties or unties ".sgf" files at once.
    void setChecked(int id, bool on);
    bool enabled(int id) const;

    // A combo box's items and the one shown: the current value, or the third item when the stored
    // value is not in the list (the first for the unreceived warning hours).
    std::vector<std::u16string> comboItems(int id) const;
    int comboIndex(int id) const;
    // A selection change with a valid selection.
    void chooseComboItem(int id, int index);

    // The texts of the edits: the title pattern (1036), the number before the last move as typed
    // (1078), the font's face (1196) and size (1197).
    std::u16string text(int id) const;
    void setText(int id, std::u16string_view text);
    // "フォント選択": the desktop's font dialog, opened on the current font.
    void chooseFont();

    // OK: false (with a beep) while the title pattern is on and empty; else the settings are taken
    // and saved (a failure said), and true.
    bool confirm();

    // Whether a font was chosen: the Go book text is laid out again after OK.
    bool fontChanged() const { return m_fontChanged; }
    // The working copy.
    const SettingsRecord& values() const { return m_copy; }

private:
    SettingsEnvironment m_env;
    SettingsDialogKind m_kind;
    SettingsRecord m_copy;
    bool m_patternOn = false;
    std::u16string m_pattern;
    bool m_guidance = false; // "「貼り付け案内」を表示する" while the short form is chosen
    std::u16string m_numbersTyped;
    bool m_fontChanged = false;
    bool m_associated = false;
    bool m_lastMoveMarkOff = false;
    bool m_diagramDisplay = false;
};

} // namespace stonewise
