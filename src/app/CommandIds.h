#pragma once

namespace stonewise {

// Window commands of the board window, by the ids the menus, buttons and keys send.
enum CommandId : int {
    kCmdToStart = 32785,              // "初期状態を表示"
    kCmdBack = 32783,                 // "前に戻す"
    kCmdForward = 32784,              // "次へ進める"
    kCmdToEnd = 32786,                // "最終状態を表示"
    kCmdBranchHead = 32862,           // "分岐の先頭手を表示"
    kCmdBackAcrossBranch = 32864,     // "分岐を超えて前に戻す"
    kCmdIntoBranch = 32882,           // "分岐内へ進める"
    kCmdBranchEnd = 32787,            // "分岐の最終手を表示"
    kCmdAnimate = 32789,              // "アニメーション再生"
    kCmdStopAnimation = 32871,        // "アニメ―ション停止"
    kCmdShowNumbers = 32788,          // "番号を表示"
    kCmdBranchNumbersFromOne = 32790, // "分岐の番号を１から表示"
    kCmdPass = 32875,                 // "パス"
    kCmdUndo = 32777,                 // "待った"
    kCmdClearRecord = 32776,          // "棋譜をクリア"
    kCmdComment = 32793,              // "コメントの追加・編集..."
    kCmdCopyToNewBranch = 32832,      // "以降の石を新しい分岐へコピー..."
    kCmdDeleteBranch = 32834,         // "分岐を削除"
    kCmdCorrectRecord = 32964,        // "棋譜の修正..."
    kCmdRestoreRecord = 32867,        // "現在の棋譜を変更前の状態に戻す"
    kCmdNewBranch = 32816,            // "新しい分岐を作成..."
    kCmdBranchAfterLast = 32817,      // "最終手の次に分岐を追加..."
    kCmdReferenceForLast = 32877,     // "最終手の参考手順を作成..."
    kCmdPlaceStone = 32883,           // "石を置く"
    kCmdCorrectPoint = 32825,         // "位置修正"
    kCmdSetMark = 32830,              // "マークを設定..."
    kCmdBlackSetupStone = 32910,      // "手順外の黒石を置く"
    kCmdWhiteSetupStone = 32911,      // "手順外の白石を置く"
    kCmdRemoveSetupStone = 32912,     // "手順外の石を取り除く"
    kCmdAddStudyBranch = 32837,       // "表示中の検討手順を分岐として反映"
    kCmdStudyBoard = 32823,           // "検討図ウインドウを表示"
    kCmdStudyBoardButton = 32810,     // the secondary bar's "検討図"
    kCmdEditMark = 32854,             // "マークを修正..."
    kCmdDeleteMark = 32857,           // "マークを削除"
    kCmdEditElapsed = 32965,          // "経過時間を修正..."
    kCmdCancel = 32851,               // "キャンセル"
};

// The program's own commands: modes, files, the finished-games view, the library, help and exit.
enum ProgramCommandId : int {
    kCmdInquiryMail = 32769,         // the version dialog's inquiry mail
    kCmdOpenFiles = 32772,           // "棋譜ファイルを開く(&O)..."
    kCmdReceiveDroppedFiles = 32966, // "棋譜ファイルをドロップで受け取る..."
    kCmdOpenAutoSaved = 32887,       // "自動保存した棋譜ファイルを開く..."
    kCmdOpenClipboard = 32878,       // "コピーされた棋譜データを開く(&V)" (Ctrl+V)
    kCmdSave = 32826,                // "現在の状態を保存" (Ctrl+S)
    kCmdSaveAsSgf = 32791,           // "棋譜をSGF形式で保存(&S)..."
    kCmdPrint = 32838,               // "印刷..."
    kCmdOpenDataFolder = 32821,      // "データフォルダを開く"
    kCmdModeMailGo = 32900,          // "メール碁"
    kCmdModePlayAndRecord = 32901,   // "対局・記録"
    kCmdModeViewing = 32902,         // "棋譜鑑賞"
    kCmdModeProblems = 32926,        // "問題集モード"
    kCmdModeBook = 32890,            // "碁ブック"
    kCmdOpenBook = 32891,            // "碁ブックを開く..."
    kCmdShowAnswerState = 32978,     // "解答状況を表示" (problem mode)
    kCmdResetAllAnswers = 32979,     // "全ての解答をリセット" (problem and Go book modes)
    kCmdPatternComposition = 32919,  // "棋譜検索の構成..."
    kCmdFinishedView = 32818,        // "終局した棋譜グループを表示"
    kCmdReturnFromFinished = 32913,  // "元のモードに戻る"
    kCmdMoveToFinished = 32819,      // "この棋譜を終局グループへ移動"
    kCmdFlashDisplay = 32933,        // "フラッシュ表示"
    kCmdVersion = 114,               // "バージョン情報(&A)..." (Alt+/, Alt+?)
    kCmdExit = 115,                  // "アプリケーションの終了(&X)"
    kCmdHelpOnSituation = 32947,     // "現状況のヘルプ" (F1)
    // One id, two commands: the main bar's help button opens the help pop-up; the help menu's
    // entry is "デモ棋譜等のロード".
    kCmdHelpButtonOrDemo = 32942,
    // Main-bar buttons that open pop-up menus.
    kCmdOtherPopup = 32935,    // "その他"
    kCmdFinishedPopup = 32936, // "終局棋譜"
    kCmdFilePopup = 32937,     // "棋譜ファイルの操作"
    kCmdGroupsPopup = 32939,   // "グループとメンバー"
    // The game settings.
    kCmdNewGame = 32797,      // "新規対局(&N)..."
    kCmdEditGameInfo = 32903, // "対局情報の編集..."
    // Commands of parts still to come that have a picture on a bar.
    kCmdReceiveMoves = 32805,       // "着手取得"
    kCmdSendMoves = 32807,          // "着手送信"
    kCmdSendGameFile = 32808,       // "メール碁のファイルを送信"
    kCmdSendStudy = 32846,          // "メール碁の参考棋譜送信"
    kCmdOpenCloudNextMove = 32968,  // "クラウドの「次の一手」ファイルを開く"
    kCmdRecordToCloud = 32809,      // "棋譜をクラウドへ作成"
    kCmdFunctionSettings = 32835,   // "機能設定"
    kCmdDisplaySettings = 32914,    // "表示設定"
    kCmdModePatternSearch = 32899,  // "棋譜パターン検索モード"
    kCmdChooseFinishedGame = 32963, // "棋譜選択"
    // The menu's "棋譜検索..." and the viewing bar's "棋譜選択" send the same id: the search window.
    kCmdTextSearch = 32963,
    // The board's orientation ("盤面の回転・反転"), also the Go book player's.
    kCmdOrientationAsStored = 32982, // "元の位置"
    kCmdRotate180 = 1003,            // "180度回転"
    kCmdRotateRight = 1006,          // "右へ90度回転"
    kCmdFlipVertical = 1004,         // "上下反転"
    kCmdFlipHorizontal = 1005,       // "左右反転"
};

// Main-bar buttons whose command depends on the mode (their pictures are named by them): the
// first opens files or takes in Mail Go moves, the second opens the clipboard or sends moves.
enum ButtonControlId : int {
    kCtlFirstFileButton = 32931,
    kCtlSecondFileButton = 32932,
};

// The library's dialogs.
enum LibraryCommandId : int {
    kCmdGameList = 32803,       // "対局リスト..."
    kCmdGroupList = 32828,      // "グループリスト..."
    kCmdMemberList = 32801,     // "対局メンバーリスト..."
    kCmdGameResultList = 32907, // "対局記録リスト..."
};

// Where a command came from: the same id means different things on a bar button and in a menu.
enum class CommandSource { Menu, Key, MainBar, SecondaryBar, Popup, Panel };

} // namespace stonewise
