#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

#include "record/Text.h"

namespace stonewise {

class StringTable;

// Numbers of the texts the store shows or stores.
enum StoreStringId : int {
    kStrGroupHasGames = 11402, // "グループ(%d)には有効な対局が在るので、削除できません。"
    kStrGroupNotDeletable = 11403, // "対局が在るグループ、或いは現在のグループは削除できません。"
    kStrGameEntryMissing = 11602, // "該当する対局(%d)情報が見付かりません。"
    kStrGameReadFailed = 11603,   // "対局データの読み込みが失敗しました。"
    kStrFileReading = 11606,      // "ファイル読み込み"
    kStrSettingsVersion = 11607,
    kStrGroupListVersion = 11608,
    kStrMemberListVersion = 11609,
    kStrGameListVersion = 11610,
    kStrGameFileVersion = 11611,
    kStrSearchKeysVersion = 11612,
    kStrCopyGame = 11800, // "対局のコピー"
    kStrCopyGameFailed = 11801,
    kStrMoveGame = 11802, // "対局の移動"
    kStrMoveGameFailed = 11803,
    kStrUnknownMember = 12400,       // "不明"
    kStrMailGoTitlePattern = 12500,  // "第*局"
    kStrGroupMailGo = 17012,         // "メール碁"
    kStrGroupPlayAndRecord = 17013,  // "対局・記録"
    kStrGroupViewing = 17014,        // "棋譜鑑賞"
    kStrGroupFinishedMailGo = 17015, // "終局したメール碁の保存"
    kStrGroupFinishedGames = 17016,  // "終局した対局の保存"
    kStrGroupProblems = 17019,       // "問題集"
    kTextDataDamaged = 20700,        // "エラーが発生しました。保存されたデータが異常です。"
    kTextGameListDamaged = 20701,    // the same with " グループ=%d 対局=%d"
    kTitleGroupList = 20702,         // "グループリストの読み込み"
    kTitleMemberList = 20703,        // "メンバーリストの読み込み"
    kTitleGameList = 20704,          // "対局リストの読み込み"
    kTitleGameFile = 20705,          // "棋譜データの読み込み"
    kTitleSearchKeys = 20706,        // "検索キーリストの読み込み"
    kTextGroupLimit = 20707,     // "登録済みのグループが制限に達したので、追加出来ません。"
    kTitleGroupSettings = 20708, // "グループ設定"
    kTitleGroupListDialog = 20709, // "グループリスト"
    kStrFileNotWritten = 27500,    // "データファイルを書き込めませんでした。\r\n%s\r\n..."
    kStrSavingData = 27501,        // "データの保存"
    kStrFolderNotCreated = 27502,  // "フォルダを作成できませんでした。\r\n%s"
};

// The default name of the second member a new library holds.
inline constexpr std::u16string_view kSecondMemberName = u"黒石さん";

// The text of a numbered string from `strings`, else from the Japanese table, else empty.
std::u16string storeText(const StringTable& strings, int id);
// The same, formatted with printf-style arguments.
std::u16string storeText(const StringTable& strings, int id, std::initializer_list<FormatArg> args);

} // namespace stonewise
