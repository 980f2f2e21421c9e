#include "support/ScriptedUi.h"

#include "app/HelpForm.h"
#include "app/PatternSearchForm.h"
#include "app/TextSearchForm.h"

#include <gtest/gtest.h>

#include "record/Text.h"

namespace stonewise::test {

void ScriptedUi::showMessage(std::u16string_view text, std::u16string_view title) {
    messages.push_back({std::u16string(text), std::u16string(title)});
}

bool ScriptedUi::ask(std::u16string_view text, std::u16string_view title) {
    questions.push_back({std::u16string(text), std::u16string(title)});
    if (answers.empty()) {
        ADD_FAILURE() << "unscripted question: " << toUtf8(text);
        return false;
    }
    const bool answer = answers.front();
    answers.pop_front();
    return answer;
}

void ScriptedUi::boardMessage(std::u16string_view text) {
    // As in the window: the strip over the board and the status line.
    boardMessages.emplace_back(text);
    status = std::u16string(text);
    ++beeps;
}

void ScriptedUi::notice(int, std::u16string_view title, std::u16string_view text) {
    notices.push_back({std::u16string(text), std::u16string(title)});
}

namespace {
template <typename Result, typename Request>
Result next(std::deque<Result>& answers, std::vector<Request>* requests, const Request& request, const char* name) {
    if (requests) requests->push_back(request);
    if (answers.empty()) {
        ADD_FAILURE() << "unscripted dialog: " << name;
        return Result{};
    }
    Result r = answers.front();
    answers.pop_front();
    return r;
}
} // namespace

BranchDialogResult ScriptedUi::askNewBranch(const BranchDialogRequest& request) {
    if (whileDialogUp) whileDialogUp();
    return next(branchAnswers, &branchRequests, request, "new branch");
}

CommentDialogResult ScriptedUi::editComment(const CommentDialogRequest& request) {
    if (whileDialogUp) whileDialogUp();
    return next(commentAnswers, &commentRequests, request, "comment");
}

MarkDialogResult ScriptedUi::editMark(const MarkDialogRequest& request) {
    if (whileDialogUp) whileDialogUp();
    return next(markAnswers, &markRequests, request, "mark");
}

ElapsedDialogResult ScriptedUi::editElapsed(const ElapsedDialogRequest& request) {
    if (whileDialogUp) whileDialogUp();
    return next(elapsedAnswers, static_cast<std::vector<ElapsedDialogRequest>*>(nullptr), request, "elapsed time");
}

std::optional<PrintOptions> ScriptedUi::choosePrintOptions(const PrintDialogRequest& request) {
    return next(printAnswers, &printRequests, request, "print options");
}

PrintResult ScriptedUi::printPage(const PrintJob& job) {
    PrintResult result{PrintOutcome::Printed, {}};
    if (!printResults.empty()) {
        result = printResults.front();
        printResults.pop_front();
    }
    if (result.outcome == PrintOutcome::Printed) printedPages.push_back(job.layout(2400, 3300, estimateTextSize));
    return result;
}

std::vector<std::string> ScriptedUi::chooseFilesToOpen(const OpenFilesRequest& request) {
    if (whileDialogUp) whileDialogUp();
    return next(openAnswers, &openRequests, request, "open files");
}

std::optional<std::string> ScriptedUi::chooseFileToSave(const SaveFileRequest& request) {
    return next(saveAnswers, &saveRequests, request, "save file");
}

int ScriptedUi::choosePopupCommand(const PopupMenuRequest& request) {
    return next(popupAnswers, &popupRequests, request, "pop-up menu");
}

VersionDialogChoice ScriptedUi::showVersion(const VersionDialogRequest& request) {
    if (whileDialogUp) whileDialogUp();
    return next(versionAnswers, &versionRequests, request, "version");
}

namespace {
template <typename Result, typename Form>
Result runScript(std::deque<std::function<Result(Form&)>>& scripts, Form& form, const char* name) {
    if (scripts.empty()) {
        ADD_FAILURE() << "unscripted dialog: " << name;
        return Result();
    }
    auto script = std::move(scripts.front());
    scripts.pop_front();
    return script(form);
}
} // namespace

void ScriptedUi::runPatternComposition(PatternCompositionForm& form) {
    runScript(compositionScripts, form, "pattern composition");
}

void ScriptedUi::runGameList(GameListForm& form) {
    if (whileDialogUp) whileDialogUp();
    runScript(gameListScripts, form, "game list");
}
bool ScriptedUi::runCopyMove(CopyMoveForm& form) { return runScript(copyMoveScripts, form, "copy and move"); }
void ScriptedUi::runGroupList(GroupListForm& form) {
    if (whileDialogUp) whileDialogUp();
    runScript(groupListScripts, form, "group list");
}
bool ScriptedUi::runGroupSettings(GroupSettingsForm& form) {
    return runScript(groupSettingsScripts, form, "group settings");
}
void ScriptedUi::runMemberList(MemberListForm& form) {
    if (whileDialogUp) whileDialogUp();
    runScript(memberListScripts, form, "member list");
}
bool ScriptedUi::runMemberSettings(MemberSettingsForm& form) {
    return runScript(memberSettingsScripts, form, "member settings");
}

void ScriptedUi::runGameResultList(GameResultListForm& form) { runScript(resultListScripts, form, "result list"); }
bool ScriptedUi::runGameResult(GameResultForm& form) { return runScript(resultScripts, form, "result"); }

bool ScriptedUi::runSettings(SettingsForm& form) { return runScript(settingsFormScripts, form, "settings"); }
std::optional<FontChoice> ScriptedUi::chooseFont(const FontChoice& current) {
    return next(fontAnswers, &fontRequests, current, "font");
}

void ScriptedUi::closePatternSearch() {
    if (patternSearch) patternSearch->close();
    patternSearch = nullptr;
}

void ScriptedUi::closeTextSearch() {
    if (textSearch) textSearch->close();
    textSearch = nullptr;
}

std::optional<int> ScriptedUi::chooseName(const NameChoiceRequest& request) {
    return next(nameAnswers, &nameRequests, request, "name choice");
}

StudyBoard* ScriptedUi::showStudyWindow(bool) {
    if (!study) {
        studyPanels = std::make_unique<RecordingPanels>();
        BoardEnvironment env;
        env.ui = this;
        env.panels = studyPanels.get();
        study = std::make_unique<StudyBoard>(env);
    }
    return study.get();
}

bool ScriptedUi::runCloudSettings(CloudSettingsForm& form) {
    if (cloudScripts.empty()) {
        ADD_FAILURE() << "unscripted cloud settings";
        return false;
    }
    auto script = std::move(cloudScripts.front());
    cloudScripts.pop_front();
    return script(form);
}

bool ScriptedUi::editGameSettings(GameSettings& settings) {
    if (whileDialogUp) whileDialogUp();
    ++settingsDialogs;
    if (settingsScripts.empty()) {
        ADD_FAILURE() << "unscripted dialog: game settings";
        return false;
    }
    auto script = std::move(settingsScripts.front());
    settingsScripts.pop_front();
    return script(settings);
}

ResultDialogResult ScriptedUi::chooseResult(const ResultDialogRequest& request) {
    return next(resultAnswers, &resultRequests, request, "result");
}

PlayerDialogResult ScriptedUi::editPlayer(const PlayerDialogRequest& request) {
    return next(playerAnswers, &playerRequests, request, "player");
}

void ScriptedUi::showHelp(HelpForm& form) {
    help = &form;
    helpUp = true;
    helpHeadings.push_back(form.heading());
}

void ScriptedUi::showHelpPicture(const std::vector<std::uint8_t>& bitmapFile, std::u16string_view caption) {
    helpPictures.push_back(bitmapFile.empty() ? std::u16string() : std::u16string(caption));
}

void ScriptedUi::forget() {
    messages.clear();
    questions.clear();
    boardMessages.clear();
    notices.clear();
    status.clear();
    beeps = 0;
}

} // namespace stonewise::test

namespace stonewise::test {

ImportDialogResult ScriptedUi::askImportFile(const ImportDialogRequest& request) {
    if (whileDialogUp) whileDialogUp();
    return next(importAnswers, &importRequests, request, "ファイルの読み込み");
}

bool ScriptedUi::stepProgress(int done, std::u16string_view text) {
    progressSteps.emplace_back(done, std::u16string(text));
    return cancelProgressAt < 0 || done < cancelProgressAt;
}

} // namespace stonewise::test
