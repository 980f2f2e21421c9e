#pragma once

#include <string>
#include <vector>

namespace stonewise {

// The dialog "ファイルの読み込み": how one imported file is stored, and where.

// The save group list's two entries besides the groups.
constexpr int kImportCurrentGroup = -1; // "<現在のグループ>"
constexpr int kImportAutoGroup = -2;    // "<自動振り分け>"

// What the dialog's buttons chose.
enum class ImportChoice {
    Temporary, // "一時的な対局として読み込む"
    Overwrite, // "既存対局を上書きして読み込む"
    NewGame,   // "新しい対局として読み込む"
    Skip,      // "スキップ": this file is left out, the import goes on
    End,       // "終了" (and the close box): the import ends here
};

// One entry of the save group list: -2, -1 or a group number, and its text ("G%d: %s").
struct ImportGroupItem {
    int group = kImportCurrentGroup;
    std::u16string label;
};

// Every text of the dialog comes with the request, from the program's table of texts.
struct ImportDialogTexts {
    std::u16string title, fileLabel, gameLabel, groupLabel, applyToAll, mergeContinuations;
    std::u16string temporary, overwrite, newGame, skip, end, help;
};

struct ImportDialogRequest {
    ImportDialogTexts texts;
    std::u16string fileName; // the name part of the file's path
    std::u16string gameName; // the name the header pre-read proposes; may be edited
    std::vector<ImportGroupItem> groups;
    int selectedGroup = kImportCurrentGroup; // the choice of the last file
    bool applyToAll = false;
    bool mergeContinuations = false;
    bool overwriteEnabled = false; // a game of that name is in the current group
    bool newGameEnabled = true;    // the main board window
    bool skipEnabled = false;      // several files are imported
};

// Whether "一時的な対局として読み込む" may be pressed: only into the current group, for this one
// file (not for every later file at once).
inline bool importTemporaryEnabled(int group, bool applyToAll) { return group == kImportCurrentGroup && !applyToAll; }

struct ImportDialogResult {
    ImportChoice choice = ImportChoice::End;
    std::u16string gameName; // as the user left it
    int group = kImportCurrentGroup;
    bool applyToAll = false;
    bool mergeContinuations = false;
};

// The progress window of a long import: a bar, a line of text and the button "中止".
struct ImportProgressRequest {
    std::u16string title;
    std::u16string cancelText;
    int total = 0;
};

} // namespace stonewise
