#include "app/MenuModel.h"

namespace stonewise {

namespace {

MenuEntry item(int command, std::u16string_view text, std::u16string_view shortcut = {}) {
    return MenuEntry{command, text, shortcut, {}};
}
MenuEntry menu(std::u16string_view text, std::vector<MenuEntry> children) { return MenuEntry{0, text, {}, std::move(children)}; }
MenuEntry separator() { return MenuEntry{}; }

MenuEntry modeMenu() {
    return menu(u"機能モード", {item(32900, u"メール碁"), item(32901, u"対局・記録"), item(32902, u"棋譜鑑賞"),
                              item(32926, u"問題集モード"), item(32890, u"碁ブック"), separator(),
                              item(32818, u"終局した棋譜グループを表示"), separator(),
                              item(115, u"アプリケーションの終了(&X)")});
}

MenuEntry displayMenu() {
    return menu(u"棋譜表示", {item(32785, u"初期状態を表示"), item(32783, u"前に戻す", u"←"), item(32784, u"次へ進める", u"→"),
                            item(32786, u"最終状態を表示"), separator(), item(32862, u"分岐の先頭手を表示"),
                            item(32864, u"分岐を超えて前に戻す", u"Ctrl+←"), item(32882, u"分岐内へ進める", u"Ctrl+→"),
                            item(32787, u"分岐の最終手を表示"), separator(), item(32789, u"アニメーション再生"),
                            item(32871, u"アニメ―ション停止")});
}

MenuEntry viewMenu() {
    return menu(u"表示", {item(32788, u"番号を表示"), item(32790, u"分岐の番号を１から表示"), separator(),
                        item(32823, u"検討図ウインドウを表示"), item(32842, u"地合いの計算")});
}

MenuEntry helpMenu() {
    return menu(u"ヘルプ(&H)",
                {item(114, u"バージョン情報(&A)..."), separator(), item(32959, u"始めのヘルプ"),
                 item(32947, u"現状況のヘルプ", u"F1"), item(32958, u"ヘルプの目次"),
                 menu(u"ヘルプ", {item(32950, u"概要説明"), item(32960, u"メインツールボタン"), item(32961, u"棋譜ツールボタン"),
                                 item(32962, u"盤面上の操作"), item(32951, u"メール碁"), item(32952, u"対局と記録"),
                                 item(32953, u"棋譜鑑賞"), item(32954, u"問題集"), item(32955, u"碁ブック"),
                                 item(32956, u"棋譜検索"), item(32957, u"フラッシュ表示")}),
                 separator(), item(32942, u"デモ棋譜等のロード")});
}

std::vector<MenuEntry> buildMain() {
    return {
        modeMenu(),
        menu(u"メール碁", {item(32805, u"メール碁の取り込み"), item(32968, u"クラウドの「次の一手」ファイルを開く"), separator(),
                         item(32807, u"メール碁の送信要求"), item(32846, u"メール碁の参考棋譜送信"),
                         item(32808, u"メール碁のファイルを送信"), separator(), item(32809, u"棋譜をクラウドへ作成")}),
        menu(u"ファイル", {item(32772, u"棋譜ファイルを開く(&O)..."), item(32966, u"棋譜ファイルをドロップで受け取る..."),
                         item(32887, u"自動保存した棋譜ファイルを開く..."), item(32878, u"コピーされた棋譜データを開く(&V)", u"Ctrl+V"),
                         separator(), item(32826, u"現在の状態を保存", u"Ctrl+S"), item(32791, u"棋譜をSGF形式で保存(&S)..."),
                         separator(), item(32838, u"印刷..."), separator(), item(32821, u"データフォルダを開く")}),
        menu(u"棋譜編集", {item(32797, u"新規対局(&N)..."), separator(), item(32875, u"パス"), item(32777, u"待った"),
                         item(32776, u"棋譜をクリア"), separator(), item(32793, u"コメントの追加・編集..."),
                         item(32903, u"対局情報の編集..."), separator(), item(32832, u"以降の石を新しい分岐へコピー..."),
                         item(32834, u"分岐を削除"), item(32964, u"棋譜の修正..."), separator(),
                         item(32819, u"この棋譜を終局グループへ移動")}),
        displayMenu(),
        viewMenu(),
        menu(u"リストと設定", {item(32803, u"対局リスト..."), item(32963, u"棋譜検索..."), item(32828, u"グループリスト..."),
                             item(32801, u"対局メンバーリスト..."), item(32907, u"対局記録リスト..."), separator(),
                             item(32835, u"機能設定..."), item(32914, u"表示設定..."), item(32919, u"棋譜検索の構成...")}),
        helpMenu(),
    };
}

std::vector<MenuEntry> buildBook() {
    return {
        modeMenu(),
        menu(u"碁ブック", {item(32891, u"碁ブックを開く..."),
                         menu(u"盤面の回転・反転", {item(32982, u"元の位置"), item(1003, u"180度回転"), item(1006, u"右へ90度回転"),
                                                  item(1004, u"上限反転"), item(1005, u"左右反転")}),
                         separator(), item(32978, u"解答状況を表示"), item(32979, u"全ての解答をリセット"), separator(),
                         item(32821, u"データフォルダを開く")}),
        displayMenu(),
        viewMenu(),
        menu(u"設定", {item(32835, u"機能設定..."), item(32914, u"表示設定...")}),
        helpMenu(),
    };
}

std::vector<MenuEntry> buildPopups() {
    return {
        menu(u"碁盤用", {item(32851, u"キャンセル"), separator(), item(32793, u"コメントの追加・編集..."), item(32816, u"新しい分岐を作成..."),
                       item(32817, u"最終手の次に分岐を追加..."), item(32877, u"最終手の参考手順を作成..."), item(32883, u"石を置く"),
                       item(32825, u"位置修正"), item(32830, u"マークを設定..."), item(32910, u"手順外の黒石を置く"),
                       item(32911, u"手順外の白石を置く"), item(32912, u"手順外の石を取り除く"),
                       item(32837, u"表示中の検討手順を分岐として反映")}),
        menu(u"棋譜リスト用", {item(32851, u"キャンセル"), separator(), item(32793, u"コメントの追加・編集..."),
                             item(32854, u"マークを修正..."), item(32857, u"マークを削除"), item(32834, u"分岐を削除"),
                             item(32965, u"経過時間を修正..."), item(32837, u"表示中の検討手順を分岐として反映")}),
        menu(u"ヘルプポップアップ", {item(114, u"バージョン情報..."), item(32959, u"初めのヘルプ"), item(32947, u"現状況のヘルプ"),
                                 item(32958, u"ヘルプの目次"), separator(), item(32950, u"概要説明のヘルプ"),
                                 item(32960, u"メインツールボタン"), item(32961, u"棋譜ツールボタン"), item(32962, u"盤面上の操作"),
                                 item(32951, u"メール碁のヘルプ"), item(32952, u"対局と記録のヘルプ"), item(32953, u"棋譜鑑賞のヘルプ"),
                                 item(32954, u"問題集のヘルプ"), item(32955, u"碁ブックのヘルプ"), item(32956, u"棋譜検索のヘルプ"),
                                 item(32957, u"フラッシュ表示のヘルプ")}),
        menu(u"メール碁モードEtc", {item(32846, u"メール碁の参考棋譜送信"), item(32808, u"メール碁のファイルを送信"),
                                  item(32867, u"現在の棋譜を変更前の状態に戻す"), item(32907, u"対局記録リスト...")}),
        menu(u"対局・記録モードEtc", {item(32907, u"対局記録リスト..."), item(32867, u"現在の棋譜を変更前の状態に戻す"),
                                    item(32776, u"棋譜を初期化"), item(32964, u"棋譜の修正...")}),
        menu(u"棋譜鑑賞モード", {item(32907, u"対局記録リスト..."), item(32867, u"現在の棋譜を変更前の状態に戻す"),
                              item(32964, u"棋譜の修正...")}),
        menu(u"終局棋譜", {item(32819, u"棋譜を終局グループへ移動"), item(32818, u"終局グループを表示"), item(32913, u"元のモードに戻る")}),
        menu(u"ファイル操作", {item(32772, u"棋譜ファイルを開く(&O)..."), item(32966, u"棋譜ファイルをドロップで受け取る..."),
                             item(32887, u"自動保存された棋譜ファイルを開く..."), item(32791, u"棋譜をSGF形式で保存(&S)..."),
                             item(32826, u"現在の状態を保存"), item(32821, u"データフォルダを開く")}),
        menu(u"グループ＆メンバー", {item(32828, u"グループリスト..."), item(32801, u"対局メンバーリスト...")}),
        menu(u"ブック棋譜保存", {item(32791, u"棋譜をSGF形式で保存(&S)...")}),
    };
}

const MenuEntry* find(const std::vector<MenuEntry>& entries, int command) {
    for (const MenuEntry& e : entries) {
        if (e.command == command && !e.text.empty()) return &e;
        if (const MenuEntry* inner = find(e.children, command)) return inner;
    }
    return nullptr;
}

} // namespace

const std::vector<MenuEntry>& mainMenuBar() {
    static const std::vector<MenuEntry> bar = buildMain();
    return bar;
}

const std::vector<MenuEntry>& bookMenuBar() {
    static const std::vector<MenuEntry> bar = buildBook();
    return bar;
}

const MenuEntry& popupMenu(int index) {
    static const std::vector<MenuEntry> popups = buildPopups();
    return popups.at(static_cast<std::size_t>(index));
}

int popupMenuCount() { return 10; }

std::u16string_view menuText(int command) {
    if (const MenuEntry* e = find(mainMenuBar(), command)) return e->text;
    if (const MenuEntry* e = find(bookMenuBar(), command)) return e->text;
    for (int i = 0; i < popupMenuCount(); ++i)
        if (const MenuEntry* e = find(popupMenu(i).children, command)) return e->text;
    return {};
}

} // namespace stonewise
