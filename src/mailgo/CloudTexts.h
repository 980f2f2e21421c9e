#pragma once

namespace stonewise {

// Numbers of the texts of the cloud folder exchange and the Mail Go time limit.
enum CloudTextId : int {
    kStrCloudDataVersion =
        53500, // "クラウド情報ファイルの読み込みが失敗しました。\r\n互換性の無いバージョンのファイルです。"
    kTitleCloudDataRead = 53501,    // "クラウド情報の読み込み"
    kStrCloudNextMoveSaved = 53502, // "クラウドへ「次の一手」データを保存しました。"
    kStrCloudStudySaved = 53503,    // "クラウドへ「検討手順」データを保存しました。"
    kStrStudySent = 53504,          // "検討手順を送信済み"
    kStrCloudWriteFailed = 53505,   // "クラウドへの出力が失敗したので、メールを作成します。"
    kStrCloudFileUpdated = 53506,   // "クラウドのファイルが更新されました。"
    kStrMailGoTimeExceeded = 53507, // "次のメール碁の前の着手から経過した時間が超過しています。\r\n%s"
};

} // namespace stonewise
