#pragma once

#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/BoardCanvas.h"
#include "app/Clipboard.h"
#include "app/Clock.h"
#include "app/GameResultDialogs.h"
#include "app/GameSettings.h"
#include "app/LibraryDialogs.h"
#include "app/Printing.h"
#include "app/RecordCorrection.h"
#include "app/SettingsDialogs.h"
#include "app/Shell.h"
#include "app/StudyBoard.h"
#include "app/Ui.h"

namespace stonewise::test {

// A Ui that records every message it was shown and answers questions and dialogs from a script.
class RecordingPanels;

class ScriptedUi : public Ui {
public:
    struct Shown {
        std::u16string text;
        std::u16string title;
    };

    void showMessage(std::u16string_view text, std::u16string_view title) override;
    bool ask(std::u16string_view text, std::u16string_view title) override;
    void boardMessage(std::u16string_view text) override;
    void setStatusText(std::u16string_view text) override { status = std::u16string(text); }
    void notice(int seconds, std::u16string_view title, std::u16string_view text) override;
    void beep() override { ++beeps; }
    void alarmMark(int slot, int, int, bool) override { alarms.push_back(slot); }
    std::vector<int> alarms;
    void showFreeHandicapPanel(int stones) override { freeHandicapStones = stones; }
    void hideFreeHandicapPanel() override { freeHandicapStones = -1; }
    BranchDialogResult askNewBranch(const BranchDialogRequest& request) override;
    CommentDialogResult editComment(const CommentDialogRequest& request) override;
    MarkDialogResult editMark(const MarkDialogRequest& request) override;
    ElapsedDialogResult editElapsed(const ElapsedDialogRequest& request) override;
    void openRecordCorrection(std::unique_ptr<RecordCorrection> session) override { correction = std::move(session); }
    std::vector<std::string> chooseFilesToOpen(const OpenFilesRequest& request) override;
    std::optional<std::string> chooseFileToSave(const SaveFileRequest& request) override;
    int choosePopupCommand(const PopupMenuRequest& request) override;
    VersionDialogChoice showVersion(const VersionDialogRequest& request) override;
    void setWindowTitle(std::u16string_view text) override { title = std::u16string(text); }
    void closeMainWindow() override { ++closeRequests; }
    bool editGameSettings(GameSettings& settings) override;
    bool runCloudSettings(CloudSettingsForm& form) override;
    // A study board without pixels, made on the first show.
    StudyBoard* showStudyWindow(bool show) override;
    bool showBookPlayer(bool newBook) override {
        bookPlayerRequests.push_back(newBook);
        return true;
    }
    std::vector<bool> bookPlayerRequests;
    std::unique_ptr<StudyBoard> study;
    std::unique_ptr<RecordingPanels> studyPanels;
    std::deque<std::function<bool(CloudSettingsForm&)>> cloudScripts;
    ResultDialogResult chooseResult(const ResultDialogRequest& request) override;
    PlayerDialogResult editPlayer(const PlayerDialogRequest& request) override;

    // The game settings dialog: each script works on the dialog's values as a user would and
    // returns what the dialog returns (usually `settings.confirm()`); used in order.
    std::deque<std::function<bool(GameSettings&)>> settingsScripts;
    int settingsDialogs = 0; // game settings dialogs opened
    std::deque<ResultDialogResult> resultAnswers;
    std::vector<ResultDialogRequest> resultRequests;
    std::deque<PlayerDialogResult> playerAnswers;
    std::vector<PlayerDialogRequest> playerRequests;

    // The library's dialogs: each runs the next script of its kind on the form, as the user's
    // presses; an unscripted dialog fails the test (and is closed, or cancelled).
    void runGameList(GameListForm& form) override;
    bool runCopyMove(CopyMoveForm& form) override;
    void runGroupList(GroupListForm& form) override;
    bool runGroupSettings(GroupSettingsForm& form) override;
    void runMemberList(MemberListForm& form) override;
    bool runMemberSettings(MemberSettingsForm& form) override;
    std::optional<int> chooseName(const NameChoiceRequest& request) override;
    std::deque<std::function<void(GameListForm&)>> gameListScripts;
    std::deque<std::function<bool(CopyMoveForm&)>> copyMoveScripts;
    std::deque<std::function<void(GroupListForm&)>> groupListScripts;
    std::deque<std::function<bool(GroupSettingsForm&)>> groupSettingsScripts;
    std::deque<std::function<void(MemberListForm&)>> memberListScripts;
    std::deque<std::function<bool(MemberSettingsForm&)>> memberSettingsScripts;
    std::deque<std::optional<int>> nameAnswers;
    std::vector<NameChoiceRequest> nameRequests;
    // The results diary's dialogs, as the library's; `askChoice` takes its answer from `answers`.
    void runGameResultList(GameResultListForm& form) override;
    bool runGameResult(GameResultForm& form) override;
    bool askChoice(std::u16string_view text, std::u16string_view title, std::u16string_view,
                   std::u16string_view) override {
        return ask(text, title);
    }
    std::deque<std::function<void(GameResultListForm&)>> resultListScripts;
    // The settings dialogs: each runs the next script; the font dialog takes the next answer.
    bool runSettings(SettingsForm& form) override;
    std::optional<FontChoice> chooseFont(const FontChoice& current) override;
    std::deque<std::function<bool(SettingsForm&)>> settingsFormScripts;
    std::deque<std::optional<FontChoice>> fontAnswers;
    std::vector<FontChoice> fontRequests;
    std::deque<std::function<bool(GameResultForm&)>> resultScripts;
    // The search window: the form while it is open (closing calls the form's close, as the
    // desktop's window does).
    void openTextSearch(TextSearchForm& form) override { textSearch = &form; }
    void closeTextSearch() override;
    TextSearchForm* textSearch = nullptr;
    void openPatternSearch(PatternSearchForm& form) override { patternSearch = &form; }
    void closePatternSearch() override;
    void runPatternComposition(PatternCompositionForm& form) override;
    std::deque<std::function<void(PatternCompositionForm&)>> compositionScripts;
    PatternSearchForm* patternSearch = nullptr;

    // Importing: scripted answers of "ファイルの読み込み" used in order (an unscripted one fails the
    // test and ends the import), the requests it was shown, and the progress window's steps.
    ImportDialogResult askImportFile(const ImportDialogRequest& request) override;
    void beginProgress(const ImportProgressRequest& request) override { progressRequests.push_back(request); }
    bool stepProgress(int done, std::u16string_view text) override;
    void endProgress() override { ++progressEnds; }
    std::deque<ImportDialogResult> importAnswers;
    std::vector<ImportDialogRequest> importRequests;
    std::vector<ImportProgressRequest> progressRequests;
    std::vector<std::pair<int, std::u16string>> progressSteps;
    int cancelProgressAt = -1; // "中止" pressed when this step is reached
    int progressEnds = 0;

    // Printing: scripted dialog answers (an unscripted one fails the test and cancels) and print
    // results (none scripted: printed); each page printed is laid out on a 2400 × 3300 sheet.
    std::optional<PrintOptions> choosePrintOptions(const PrintDialogRequest& request) override;
    PrintResult printPage(const PrintJob& job) override;
    std::deque<std::optional<PrintOptions>> printAnswers;
    std::vector<PrintDialogRequest> printRequests;
    std::deque<PrintResult> printResults;
    std::vector<PrintPage> printedPages;

    // The program's questions: scripted answers used in order; an unscripted one fails the test.
    std::deque<std::vector<std::string>> openAnswers;
    std::deque<std::optional<std::string>> saveAnswers;
    std::deque<int> popupAnswers; // the command chosen, 0 for none
    std::deque<VersionDialogChoice> versionAnswers;
    std::vector<OpenFilesRequest> openRequests;
    std::vector<SaveFileRequest> saveRequests;
    std::vector<PopupMenuRequest> popupRequests;
    std::vector<VersionDialogRequest> versionRequests;
    std::u16string title; // the main window's title
    int closeRequests = 0;

    // Scripted dialog answers, used in order; an unscripted dialog fails the test and cancels.
    std::deque<BranchDialogResult> branchAnswers;
    std::deque<CommentDialogResult> commentAnswers;
    std::deque<MarkDialogResult> markAnswers;
    std::deque<ElapsedDialogResult> elapsedAnswers;
    // What the dialogs were asked.
    std::vector<BranchDialogRequest> branchRequests;
    std::vector<CommentDialogRequest> commentRequests;
    std::vector<MarkDialogRequest> markRequests;
    std::unique_ptr<RecordCorrection> correction;

    // Answers for the next questions, in order; an unscripted question fails the test.
    std::deque<bool> answers;

    std::vector<Shown> messages;  // message boxes
    std::vector<Shown> questions; // questions asked
    std::vector<std::u16string> boardMessages;
    std::vector<Shown> notices;
    std::u16string status;
    int beeps = 0;
    int freeHandicapStones = -1;

    // The help window: how often it was shown or brought up, its form, whether it is up, the
    // headings it showed and the pictures (their captions) shown beside it.
    void showHelp(HelpForm& form) override;
    void hideHelp() override { helpUp = false; }
    void showHelpPicture(const std::vector<std::uint8_t>& bitmapFile, std::u16string_view caption) override;
    HelpForm* help = nullptr;
    bool helpUp = false;
    std::vector<std::u16string> helpHeadings;
    std::vector<std::u16string> helpPictures; // an empty one: the picture window closed
    // Runs at the start of every dialog, as a user pressing keys (F1) while it is up.
    std::function<void()> whileDialogUp;

    // Everything shown so far, forgotten.
    void forget();
};

// A desktop shell that records what it was asked to open.
class ScriptedShell : public Shell {
public:
    bool openFolder(const std::string& path) override {
        folders.push_back(path);
        return works;
    }
    bool openUrl(const std::string& url) override {
        urls.push_back(url);
        return works;
    }
    std::vector<std::string> folders;
    std::vector<std::string> urls;
    bool works = true;
};

// A clipboard held in memory.
class ScriptedClipboard : public Clipboard {
public:
    bool hasText() const override { return content.has_value(); }
    std::optional<std::u16string> text() const override { return content; }
    bool setText(std::u16string_view text) override {
        content = std::u16string(text);
        files.clear();
        return works;
    }
    bool setFiles(const std::vector<std::string>& paths) override {
        content.reset();
        files = paths;
        return works;
    }
    void clear() override {
        content.reset();
        files.clear();
    }
    std::optional<std::u16string> content;
    std::vector<std::string> files;
    bool works = true;
};

// A clock that stands still at a given moment.
class FixedClock : public Clock {
public:
    DateTime now{2026, 12, 10, 15, 30, 0};
    DateTime localNow() const override { return now; }
    DateTime utcNow() const override { return now; }
    std::int64_t secondsSinceEpoch() const override { return epochSeconds; }
    std::int64_t epochSeconds = 1796916600;
};

// Panels that remember the last values shown.
class RecordingPanels : public BoardPanels {
public:
    void showMoveNumber(int next) override { nextMove = next; }
    void showPrisoners(int byWhite, int byBlack) override {
        prisonersWhite = byWhite;
        prisonersBlack = byBlack;
    }
    void recordChanged() override { ++recordChanges; }
    void selectionChanged(const RecordSequence* s, int index) override {
        selectedSequence = s;
        selectedIndex = index;
    }
    const RecordSequence* selectedSequence = nullptr;
    int selectedIndex = -1;

    int nextMove = 0;
    int prisonersWhite = 0;
    int prisonersBlack = 0;
    int recordChanges = 0;
};

} // namespace stonewise::test
