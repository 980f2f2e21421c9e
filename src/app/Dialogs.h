#pragma once

#include <string>

#include "record/RecordNode.h"

namespace stonewise {

// The texts of the buttons that most dialogs share.
enum DialogButtonStringId : int {
    kStrDialogOk = 21001,     // "OK"
    kStrDialogCancel = 21000, // "キャンセル"
};

// "検討手順の追加・挿入": how a move played in the middle of the record enters it.
struct BranchDialogRequest {
    bool onlyBranch = false;          // the reference choice is not offered
    bool onlyReference = false;       // the branch choice is not offered
    bool enterGivesReference = false; // "Enterで「参考手順」": the default button makes a reference
    bool englishTags = false;         // answer tags are written "&G:" / "&V:" / "&F:"
};

struct BranchDialogResult {
    enum class Choice { Cancel, Branch, Reference, PassBranch };
    Choice choice = Choice::Cancel;
    std::u16string comment;           // the first stone's comment, at most 1,023 characters
    AnswerKind kind = kNoAnswer;      // "通常のコメント" / "正解手順" / "変化手順" / "失敗手順"
    bool enterGivesReference = false; // the check box as the user left it (persisted)
};

// "コメント編集": the comment of one move.
struct CommentDialogRequest {
    std::u16string moveLabel; // "黒12" — colour and number as shown
    std::u16string text;      // the comment without its answer tag
    bool offerKinds = false;  // only for the first move of a branch or reference sequence
    AnswerKind kind = kNoAnswer;
};

struct CommentDialogResult {
    bool accepted = false;
    std::u16string text;
    AnswerKind kind = kNoAnswer;
};

// "マークの設定": a mark or a label on a point.
struct MarkDialogRequest {
    std::u16string pointLabel; // "%s, %s" in the board's coordinate style
    int kind = 0;              // current mark kind, 0 for none
    char16_t letter = 0;
    std::u16string labelText;
};

struct MarkDialogResult {
    bool accepted = false;
    int kind = 0;             // a MarkKind; kMarkLabel or kMarkSmallLabel for "見出し"
    char16_t letter = 0;      // for letter marks
    std::u16string labelText; // for labels, at most 63 characters
};

// "経過時間修正": the time a move took.
struct ElapsedDialogRequest {
    std::u16string moveLabel;
    int seconds = 0;
};

struct ElapsedDialogResult {
    bool accepted = false;
    int seconds = 0;
};

} // namespace stonewise
