#include "app/CommandTexts.h"

#include <array>
#include <utility>

#include "app/CommandIds.h"

namespace stonewise {

namespace {

constexpr std::array<std::pair<int, std::u16string_view>, 34> kTexts{{
    {kCmdToStart, u"初期状態を表示"},
    {kCmdBack, u"前に戻す"},
    {kCmdForward, u"次へ進める"},
    {kCmdToEnd, u"最終状態を表示"},
    {kCmdBranchHead, u"分岐の先頭手を表示"},
    {kCmdBackAcrossBranch, u"分岐を超えて前に戻す"},
    {kCmdIntoBranch, u"分岐内へ進める"},
    {kCmdBranchEnd, u"分岐の最終手を表示"},
    {kCmdAnimate, u"アニメーション再生"},
    {kCmdStopAnimation, u"アニメ―ション停止"},
    {kCmdShowNumbers, u"番号を表示"},
    {kCmdBranchNumbersFromOne, u"分岐の番号を１から表示"},
    {kCmdPass, u"パス"},
    {kCmdUndo, u"待った"},
    {kCmdClearRecord, u"棋譜をクリア"},
    {kCmdComment, u"コメントの追加・編集..."},
    {kCmdCopyToNewBranch, u"以降の石を新しい分岐へコピー..."},
    {kCmdDeleteBranch, u"分岐を削除"},
    {kCmdCorrectRecord, u"棋譜の修正..."},
    {kCmdRestoreRecord, u"現在の棋譜を変更前の状態に戻す"},
    {kCmdNewBranch, u"新しい分岐を作成..."},
    {kCmdBranchAfterLast, u"最終手の次に分岐を追加..."},
    {kCmdReferenceForLast, u"最終手の参考手順を作成..."},
    {kCmdPlaceStone, u"石を置く"},
    {kCmdCorrectPoint, u"位置修正"},
    {kCmdSetMark, u"マークを設定..."},
    {kCmdBlackSetupStone, u"手順外の黒石を置く"},
    {kCmdWhiteSetupStone, u"手順外の白石を置く"},
    {kCmdRemoveSetupStone, u"手順外の石を取り除く"},
    {kCmdAddStudyBranch, u"表示中の検討手順を分岐として反映"},
    {kCmdEditMark, u"マークを修正..."},
    {kCmdDeleteMark, u"マークを削除"},
    {kCmdEditElapsed, u"経過時間を修正..."},
    {kCmdCancel, u"キャンセル"},
}};

constexpr std::array<int, 12> kBoardPopup{kCmdCancel,          kCmdComment,         kCmdNewBranch,
                                          kCmdBranchAfterLast, kCmdReferenceForLast, kCmdPlaceStone,
                                          kCmdCorrectPoint,    kCmdSetMark,         kCmdBlackSetupStone,
                                          kCmdWhiteSetupStone, kCmdRemoveSetupStone, kCmdAddStudyBranch};
constexpr std::array<int, 7> kMoveListPopup{kCmdCancel,     kCmdComment,     kCmdEditMark,     kCmdDeleteMark,
                                            kCmdDeleteBranch, kCmdEditElapsed, kCmdAddStudyBranch};

} // namespace

std::u16string_view commandText(int id) {
    for (const auto& [key, text] : kTexts)
        if (key == id) return text;
    return {};
}

std::span<const int> boardPopupCommands() { return kBoardPopup; }
std::span<const int> moveListPopupCommands() { return kMoveListPopup; }

} // namespace stonewise
