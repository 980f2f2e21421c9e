#pragma once

#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/BoardCanvas.h"
#include "app/RecordCorrection.h"
#include "app/Ui.h"

namespace stonewise::test {

// A Ui that records every message it was shown and answers questions and dialogs from a script.
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

    std::vector<Shown> messages;      // message boxes
    std::vector<Shown> questions;     // questions asked
    std::vector<std::u16string> boardMessages;
    std::vector<Shown> notices;
    std::u16string status;
    int beeps = 0;
    int freeHandicapStones = -1;

    // Everything shown so far, forgotten.
    void forget();
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
