#pragma once

namespace stonewise {

// The numbered texts of the game settings dialog "対局設定", the result dialog "勝敗設定" and the
// player dialog, shared by the core and the desktop's dialogs.
enum GameSettingsText : int {
    kStrSettingsTitle = 51000,        // "対局設定"
    kStrSettingsNumber = 51001,       // "対局番号"
    kStrSettingsThirteen = 51002,     // "13路盤"
    kStrSettingsName = 51003,         // "対局名"
    kStrSettingsBrowse = 51004,       // "参照..."
    kStrSettingsRank = 51006,         // "段級"
    kStrSettingsModify = 51007,       // "修正..."
    kStrSettingsNewPlayer = 51008,    // "新規対局者..."
    kStrSettingsEven = 51009,         // "互先"
    kStrSettingsHandicapGame = 51010, // "置碁"
    kStrSettingsStones = 51011,       // "置石"
    kStrSettingsKomi = 51012,         // "コミ"
    kStrSettingsType = 51013,         // "対局の種類"
    kStrTypeViewing = 51014,          // "棋譜を観戦"
    kStrTypeMail = 51015,             // "メールで対局"
    kStrTypeEnglishMail = 51016,      // "英語のメールで対局"
    kStrTypePlay = 51017,             // "対局と記録"
    kStrSettingsStartDate = 51018,    // "対局開始日"
    kStrSettingsState = 51019,        // "状況"
    kStrSettingsResult = 51020,       // "勝敗設定..."
    kStrSettingsSearch = 51021,       // "手順検索の対象"
    kStrSettingsProtect = 51022,      // "保護"
    kStrSettingsInitialMove = 51023,  // "初期表示の手順"
    kStrSettingsHideLast = 51024,     // "最終手順番号を非表示"
    kStrSettingsSavable = 51025,      // "保存可能"
    kStrSettingsUseCloud = 51026,     // "クラウドを利用"
    kStrSettingsCloud = 51027,        // "クラウド..."
    kStrSettingsSubject = 51028,      // "メールの件名"
    kStrSettingsOk = 51029,           // "OK"
    kStrSettingsCancel = 51030,       // "キャンセル"
    kStrNameMissing = 51031,          // "対局名を設定して下さい。"
    kStrPlayersMissing = 51032,       // "対局者を正しく設定して下さい。"
    kStrMailBlackKind = 51033,        // black must be "自分" or "対局者"
    kStrMailWhiteOpponent = 51034,    // white must be "対局者"
    kStrMailWhiteSelf = 51035,        // white must be "自分"
    kStrProtectedRefused = 51036,     // "この保護された棋譜の修正は無効です。"
    kStrExternalRefused = 51037,      // "この外部棋譜の修正は無効です。"
    kStrClearAfterHandicap = 51038,   // clear the game and play it again after a handicap change
    kStrRestoreOldGame = 51039,       // "古い対局が残っています。この対局(%s)を復元しますか？"
    kStrNewGameTitle = 51040,         // "新規対局"
    kStrCloudLater = 51041,           // the cloud settings are not available yet
    kStrResultTitle = 51042,          // "勝敗設定"
    kStrResultWinner = 51043,         // "勝敗"
    kStrSettingsInPlay = 51044,       // "対局中"
    kStrResultWhite = 51045,          // "白番"
    kStrResultBlack = 51046,          // "黒番"
    kStrResultJigo = 51047,           // "持碁"
    kStrResultResignation = 51048,    // "中押し勝ち"
    kStrResultOnTime = 51049,         // "時間切れ勝ち"
    kStrResultPoints = 51050,         // "目数で勝ち"
    kStrResultPointsUnit = 51051,     // "目"
    kStrResultEndDate = 51052,        // "終局日時"
    kStrResultHour = 51053,           // "時"
    kStrBadMargin = 51054,            // the winning margin is not valid
    kStrGroupFull = 51055,            // the group takes no more games
    kStrPlayerTitle = 51056,          // "対局者"
    kStrPlayerName = 51057,           // "対局者名"
    kStrPlayerKind = 51058,           // "種別"
    kStrKindSelf = 51059,             // "自分"
    kStrKindOpponent = 51060,         // "対局者"
    kStrKindGeneral = 51061,          // "一般"
    kStrBoardFixed = 51062,           // the board size cannot change under moves
    kStrPlayersGroup = 51063,         // "対局者"
    kStrNoGroupForNewGame = 51064,    // no group of the mode takes a new game
    kStrFreeHandicapHint = 51065,     // click the points of the handicap stones, then "終了"
};

} // namespace stonewise
