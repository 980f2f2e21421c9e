#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/Dialogs.h"
#include "app/ImportDialog.h"
#include "app/PrintDialog.h"
#include "app/ProgramDialogs.h"

namespace stonewise {

class CloudSettingsForm;
class PatternCompositionForm;
class StudyBoard;
class GameSettings;
class SettingsForm;
class RecordCorrection;
class CopyMoveForm;
class GameListForm;
class GameResultForm;
class GameResultListForm;
class GroupListForm;
class GroupSettingsForm;
class HelpForm;
class MemberListForm;
class MemberSettingsForm;
class PrintJob;
class TextSearchForm;
class PatternSearchForm;
class ProblemForm;
struct PlayerDialogRequest;
struct PlayerDialogResult;
struct ResultDialogRequest;
struct ResultDialogResult;

// What a board window and the rest of the core need from the desktop to talk to the user: message
// boxes, questions, the board's message line, the status line, notices, and one typed call per
// dialog. The Qt layer shows real windows; tests answer by script and record what was shown.
class Ui {
public:
    virtual ~Ui() = default;

    // A message box with an OK button, titled with the operation's name.
    virtual void showMessage(std::u16string_view text, std::u16string_view title) = 0;
    // A Yes/No question; true for Yes.
    virtual bool ask(std::u16string_view text, std::u16string_view title) = 0;
    // The board's message line: shows the text in the strip over the bottom of the board and on the
    // status line, and beeps.
    virtual void boardMessage(std::u16string_view text) = 0;
    // The status line of the main window (its first part).
    virtual void setStatusText(std::u16string_view text) = 0;
    // An auto-closing notice; `seconds` 0 stays until closed.
    virtual void notice(int seconds, std::u16string_view title, std::u16string_view text) = 0;
    virtual void beep() = 0;
    // The blinking alarm mark over point (x, y) of the board (two slots): the alarm picture
    // half-transparent or, without it, yellow; it blinks once and goes, or goes at a click.
    virtual void alarmMark(int slot, int x, int y, bool picture) = 0;

    // The small window of free handicap placement ("置石を配置", "置石：%d子"): shown or updated with
    // the count of stones placed so far.
    virtual void showFreeHandicapPanel(int stones) = 0;
    virtual void hideFreeHandicapPanel() = 0;

    // Modal dialogs: each returns the user's choice.
    virtual BranchDialogResult askNewBranch(const BranchDialogRequest& request) = 0;
    virtual CommentDialogResult editComment(const CommentDialogRequest& request) = 0;
    virtual MarkDialogResult editMark(const MarkDialogRequest& request) = 0;
    virtual ElapsedDialogResult editElapsed(const ElapsedDialogRequest& request) = 0;
    // "棋譜修正": a dialog that works on the session until it is confirmed or cancelled; the board
    // stays usable meanwhile (for "2手挿入").
    virtual void openRecordCorrection(std::unique_ptr<RecordCorrection> session) = 0;

    // --- the program's own questions ---
    // The file chooser for opening: the paths chosen (several at once), none when cancelled.
    virtual std::vector<std::string> chooseFilesToOpen(const OpenFilesRequest& request) = 0;
    // The file chooser for saving: the path chosen, nothing when cancelled. The desktop asks before
    // it names an existing file.
    virtual std::optional<std::string> chooseFileToSave(const SaveFileRequest& request) = 0;
    // Shows a pop-up menu where the user pressed (the button or the point the desktop last saw)
    // and returns the command chosen, 0 when none.
    virtual int choosePopupCommand(const PopupMenuRequest& request) = 0;
    // "バージョン情報": returns the button pressed.
    virtual VersionDialogChoice showVersion(const VersionDialogRequest& request) = 0;
    // The main window's title.
    virtual void setWindowTitle(std::u16string_view title) = 0;
    // Closes the main window the way its close box does (the exit check runs first).
    virtual void closeMainWindow() = 0;

    // --- the library's dialogs ---
    // Each works on its form until the user closes it: the desktop shows the form's rows and texts
    // and calls the form for every button; a form's confirm that refuses keeps the dialog open.
    // "対局リスト" (146): until the form asks to close.
    virtual void runGameList(GameListForm& form) = 0;
    // "対局のコピー・移動" (163): true once copied or moved.
    virtual bool runCopyMove(CopyMoveForm& form) = 0;
    // "グループリスト".
    virtual void runGroupList(GroupListForm& form) = 0;
    // "グループ設定" (153): true once confirmed.
    virtual bool runGroupSettings(GroupSettingsForm& form) = 0;
    // "対局メンバーリスト".
    virtual void runMemberList(MemberListForm& form) = 0;
    // "対局者設定" (145): true once confirmed.
    virtual bool runMemberSettings(MemberSettingsForm& form) = 0;
    // A list of names to pick one from ("既存メンバー名の参照"): its index, nothing when cancelled.
    virtual std::optional<int> chooseName(const NameChoiceRequest& request) = 0;
    // The search window "検索": modeless beside the board, at its last place and size. The window
    // calls `form.close()` when it goes; the form outlives it.
    virtual void openTextSearch(TextSearchForm& form) = 0;
    // Closes the search window (its `form.close()` runs) when it is open.
    virtual void closeTextSearch() = 0;
    // The pattern search panel "棋譜パターン検索": modeless beside the board; the form outlives it.
    virtual void openPatternSearch(PatternSearchForm& form) = 0;
    // Closes the pattern search panel when it is open.
    virtual void closePatternSearch() = 0;
    // "検索の構成": the pattern database's composition and build, until the dialog closes.
    virtual void runPatternComposition(PatternCompositionForm& form) = 0;
    // --- the game settings ---
    // "対局設定": shows the values of `settings` and hands every change to it; "OK" calls
    // `settings.confirm()`, which keeps the dialog open when it refuses. True when confirmed.
    virtual bool editGameSettings(GameSettings& settings) = 0;
    // The study board's window ("検討・参考図"): made on first use, then shown or hidden. Returns the
    // study board; null when the desktop cannot show one.
    virtual StudyBoard* showStudyWindow(bool show) = 0;
    // The main board has opened a Go book (`newBook`) or shows the open one again: the desktop
    // shows the book's panels beside the board. False when it cannot.
    virtual bool showBookPlayer(bool newBook) = 0;
    // "クラウド設定" from the game settings: true when confirmed.
    virtual bool runCloudSettings(CloudSettingsForm& form) = 0;
    // "勝敗設定": the winner, resignation, time or points, and the end date.
    virtual ResultDialogResult chooseResult(const ResultDialogRequest& request) = 0;
    // "対局者": a player's name and kind.
    virtual PlayerDialogResult editPlayer(const PlayerDialogRequest& request) = 0;
    // --- importing game-record files ---
    // "ファイルの読み込み": how and where one file is stored.
    virtual ImportDialogResult askImportFile(const ImportDialogRequest& request) = 0;
    // The progress window of an import of several files (a bar and "中止"); the window stays
    // usable meanwhile. `stepProgress` gives false once "中止" was pressed.
    virtual void beginProgress(const ImportProgressRequest& request) = 0;
    virtual bool stepProgress(int done, std::u16string_view text) = 0;
    virtual void endProgress() = 0;
    // --- printing ---
    // "印刷形式の選択": the options chosen, nothing when cancelled.
    virtual std::optional<PrintOptions> choosePrintOptions(const PrintDialogRequest& request) = 0;
    // The desktop's print dialog (a printer, or a PDF file), then the page of `job` laid out for the
    // paper chosen: printed, cancelled in the dialog, or failed.
    virtual PrintResult printPage(const PrintJob& job) = 0;
    // --- the results diary ---
    // "対局記録リスト" (185): until the form asks to close.
    virtual void runGameResultList(GameResultListForm& form) = 0;
    // "対局記録" (186): true once confirmed.
    virtual bool runGameResult(GameResultForm& form) = 0;
    // A question with two buttons named by the caller, the first the default; true for the first.
    virtual bool askChoice(std::u16string_view text, std::u16string_view title, std::u16string_view first,
                           std::u16string_view second) = 0;
    // --- the settings ---
    // A settings dialog (250, 251 or 252): true once confirmed.
    virtual bool runSettings(SettingsForm& form) = 0;
    // The desktop's font dialog opened on `current`: the font chosen, nothing when cancelled.
    virtual std::optional<FontChoice> chooseFont(const FontChoice& current) = 0;
    // --- the help ---
    // The help window "Stonewise Help", modeless: shown, or brought up, with what `form` shows now;
    // the window calls the form for each of its buttons. The form outlives the window.
    virtual void showHelp(HelpForm& form) = 0;
    // The help window goes (the form stays).
    virtual void hideHelp() = 0;
    // The picture window "Help Image" beside the help window: a BMP file with its caption as the
    // title; an empty picture closes the window.
    virtual void showHelpPicture(const std::vector<std::uint8_t>& bitmapFile, std::u16string_view caption) = 0;
    // --- problem mode ---
    // The dialog "問題の作成" on `form`: true once confirmed. A desktop without it creates nothing.
    virtual bool runProblemForm(ProblemForm& form) {
        (void)form;
        return false;
    }
};

} // namespace stonewise
