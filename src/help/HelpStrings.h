#pragma once

namespace stonewise {

// Texts of the help: its messages, the help window and the picture window.
enum HelpStringId : int {
    kStrHelpFileMissing = 60000,     // "ヘルプデータファイルが見つかりません。\r\n%s"
    kStrHelpNotUnicode = 60001,      // "UNICODEファイルでないため処理できません。"
    kStrHelpBadHeader = 60002,       // "ヘルプファイルが見付かりません。"
    kStrHelpNoId = 60003,            // a topic line without a number, at position %d
    kStrHelpNoSymbol = 60004,        // a topic line with a name instead of a number
    kStrHelpTableFull = 60005,       // the index is full (2,000 topics)
    kStrHelpHeadingsFull = 60006,    // the heading table is full
    kStrHelpTitle = 60007,           // "ヘルプ": the caption of the help's messages
    kStrHelpSupportExplain = 60008,  // "サポートサイトの説明"
    kStrHelpSupportDetailed = 60009, // "詳しいヘルプへ"
    kStrHelpBadCommand = 60010,      // "コマンドの記述がおかしい。\r\n%s"
    kStrHelpBadLink = 60011,         // "コマンドのリンク記述がおかしい。\r\n%s"
    kStrHelpStackFull = 60012,       // "動作状態(%d)の保管制限を超過しました。"
    kStrHelpStackTitle = 60013,      // "動作状態"
    kStrHelpWindowTitle = 60014,     // "Stonewise Help"
    kStrHelpImageTitle = 60015,      // "Help Image"
    kStrHelpHistoryBack = 60016,     // "←"
    kStrHelpHistoryForward = 60017,  // "→"
    kStrHelpContents = 60018,        // "目次": the button and the contents page's heading
    kStrHelpPrevious = 60019,        // "戻る"
    kStrHelpNext = 60020,            // "次へ"
    kStrHelpHide = 60021,            // "隠す"
    kStrHelpClose = 60022,           // "閉じる"
    kStrHelpTopicMissing = 60023,    // the help has no topic %d (%d)
    kStrHelpFolder = 60024,          // the folder of the interface language's help, beside the program
};

} // namespace stonewise
