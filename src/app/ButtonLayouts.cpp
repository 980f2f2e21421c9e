#include "app/ButtonLayouts.h"

#include <map>

namespace stonewise {

namespace {

ButtonEntry picture(int control, std::u16string_view tooltip, int command = 0) {
    return {ButtonKind::Picture, control, command ? command : control, {}, tooltip, control};
}
ButtonEntry hidden(ButtonEntry e) {
    e.kind = ButtonKind::Hidden;
    return e;
}
ButtonEntry templ(int control, std::u16string_view text, std::u16string_view tooltip) {
    return {ButtonKind::Template, control, control, text, tooltip, 0};
}

std::vector<ButtonEntry> head() {
    return {picture(32900, u"メール対局"), picture(32901, u"対局の記録"), picture(32902, u"棋譜の鑑賞"),
            picture(32926, u"問題集モード"), picture(32890, u"碁ブックモード")};
}

std::vector<ButtonEntry> tail() {
    return {picture(32937, u"棋譜ファイルの操作"), picture(32838, u"印刷"), picture(32939, u"グループとメンバー"),
            picture(32835, u"機能設定"), picture(32914, u"表示設定"), picture(32942, u"ヘルプ")};
}

std::vector<ButtonEntry> join(std::vector<ButtonEntry> a, const std::vector<ButtonEntry>& b, const std::vector<ButtonEntry>& c) {
    a.insert(a.end(), b.begin(), b.end());
    a.insert(a.end(), c.begin(), c.end());
    return a;
}

const ButtonEntry kOpenFile = picture(32931, u"棋譜ファイルを開く", 32772);
const ButtonEntry kOpenClipboard = picture(32932, u"クリップボードの棋譜を開く", 32878);
const ButtonEntry kNewGame = picture(32797, u"新規対局");
const ButtonEntry kGameInfo = picture(32903, u"対局情報の修正");
const ButtonEntry kOther = picture(32935, u"その他");
const ButtonEntry kFinished = picture(32936, u"終局棋譜");

std::map<BarLayout, std::vector<ButtonEntry>> buildMain() {
    std::map<BarLayout, std::vector<ButtonEntry>> m;
    m[BarLayout::None] = join(head(), {}, tail());
    m[BarLayout::MailGo] = join(head(),
                                {picture(32931, u"着手取得", 32805), picture(32932, u"着手送信", 32807), kNewGame, kGameInfo,
                                 kOther, kFinished},
                                tail());
    m[BarLayout::Finished] =
        join(head(), {kOpenFile, hidden(kOpenClipboard), hidden(kNewGame), kGameInfo, hidden(kOther), kFinished}, tail());
    m[BarLayout::PlayAndRecord] =
        join(head(), {kOpenFile, hidden(kOpenClipboard), kNewGame, kGameInfo, kOther, kFinished}, tail());
    m[BarLayout::Problems] =
        join(head(), {kOpenFile, kOpenClipboard, hidden(kNewGame), kGameInfo, hidden(kOther), hidden(kFinished)}, tail());
    m[BarLayout::Viewing] = join(head(),
                                 {kOpenFile, kOpenClipboard, kNewGame, kGameInfo, kOther,
                                  picture(32936, u"棋譜選択", 32963)},
                                 tail());
    std::vector<ButtonEntry> book = join(head(),
                                         {hidden(kOpenFile), hidden(kOpenClipboard), hidden(kNewGame), hidden(kGameInfo),
                                          hidden(kOther), hidden(kFinished)},
                                         tail());
    for (ButtonEntry& e : book)
        if (e.control == 32937 || e.control == 32838 || e.control == 32939 || e.control == 32835) e.kind = ButtonKind::Hidden;
    m[BarLayout::Book] = book;
    m[BarLayout::SearchAndOthers] = join(head(),
                                         {picture(32899, u"棋譜パターン検索モード"), kOpenFile, kOpenClipboard,
                                          picture(32903, u"コメントを検索", 32805), picture(32933, u"フラッシュ表示")},
                                         {});
    return m;
}

std::vector<ButtonEntry> secondary(bool searchLayout, bool book) {
    std::vector<ButtonEntry> s{
        picture(32803, u"対局リスト"),
        searchLayout ? ButtonEntry{ButtonKind::Text, 32810, 32810, u"終り", u"検討図", 0} : templ(32810, u"検討図", u"検討図"),
        templ(32842, u"地合", u"地合い計算"),
        picture(32788, u"番号表示"),
        picture(32790, u"分岐の番号は1から"),
        templ(32875, u"パス", u"パス"),
        templ(32793, u"コメント", u"コメントの追加・編集"),
        templ(32777, u"待った", u"待った"),
        picture(32785, u"初期状態表示"),
        picture(32783, u"戻る"),
        picture(32784, u"進める"),
        picture(32786, u"最終状態表示"),
        picture(32789, u"アニメーション開始・一時停止"),
        picture(32871, u"アニメーション終了"),
        templ(32899, u"検索", u"棋譜パターン検索モード"),
    };
    if (searchLayout || book) s.back().kind = ButtonKind::Hidden;
    return s;
}

} // namespace

const std::vector<ButtonEntry>& mainBarButtons(BarLayout layout) {
    static const auto layouts = buildMain();
    return layouts.at(layout);
}

const std::vector<ButtonEntry>& secondaryBarButtons(BarLayout layout) {
    static const std::vector<ButtonEntry> none;
    static const std::vector<ButtonEntry> standard = secondary(false, false);
    static const std::vector<ButtonEntry> search = secondary(true, false);
    static const std::vector<ButtonEntry> book = secondary(false, true);
    switch (layout) {
    case BarLayout::None: return none;
    case BarLayout::SearchAndOthers: return search;
    case BarLayout::Book: return book;
    default: return standard;
    }
}

} // namespace stonewise
