#include "app/ButtonLayouts.h"

#include <map>

#include "record/StringTable.h"

namespace stonewise {

namespace {

// Captions and tooltips are numbered texts of the interface language.
ButtonEntry picture(int control, int tooltip, int command = 0) {
    return {ButtonKind::Picture, control, command ? command : control, {}, uiText(tooltip), control};
}
ButtonEntry hidden(ButtonEntry e) {
    e.kind = ButtonKind::Hidden;
    return e;
}
ButtonEntry templ(int control, int text, int tooltip) {
    return {ButtonKind::Template, control, control, uiText(text), uiText(tooltip), 0};
}

std::vector<ButtonEntry> head() {
    return {picture(32900, 10020), picture(32901, 10021), picture(32902, 10022), picture(32926, 17054),
            picture(32890, 17055)};
}

std::vector<ButtonEntry> tail() {
    return {picture(32937, 17033), picture(32838, 17034), picture(32939, 17035),
            picture(32835, 17036), picture(32914, 17037), picture(32942, 17038)};
}

std::vector<ButtonEntry> join(std::vector<ButtonEntry> a, const std::vector<ButtonEntry>& b,
                              const std::vector<ButtonEntry>& c) {
    a.insert(a.end(), b.begin(), b.end());
    a.insert(a.end(), c.begin(), c.end());
    return a;
}

std::map<BarLayout, std::vector<ButtonEntry>> buildMain() {
    const ButtonEntry kOpenFile = picture(32931, 17062, 32772);
    const ButtonEntry kOpenClipboard = picture(32932, 17063, 32878);
    const ButtonEntry kNewGame = picture(32797, 17029);
    const ButtonEntry kGameInfo = picture(32903, 17030);
    const ButtonEntry kOther = picture(32935, 17031);
    const ButtonEntry kFinished = picture(32936, 17032);
    std::map<BarLayout, std::vector<ButtonEntry>> m;
    m[BarLayout::None] = join(head(), {}, tail());
    m[BarLayout::MailGo] = join(
        head(), {picture(32931, 17027, 32805), picture(32932, 17028, 32807), kNewGame, kGameInfo, kOther, kFinished},
        tail());
    m[BarLayout::Finished] = join(
        head(), {kOpenFile, hidden(kOpenClipboard), hidden(kNewGame), kGameInfo, hidden(kOther), kFinished}, tail());
    m[BarLayout::PlayAndRecord] =
        join(head(), {kOpenFile, hidden(kOpenClipboard), kNewGame, kGameInfo, kOther, kFinished}, tail());
    m[BarLayout::Problems] = join(
        head(), {kOpenFile, kOpenClipboard, hidden(kNewGame), kGameInfo, hidden(kOther), hidden(kFinished)}, tail());
    m[BarLayout::Viewing] =
        join(head(), {kOpenFile, kOpenClipboard, kNewGame, kGameInfo, kOther, picture(32936, 17066, 32963)}, tail());
    std::vector<ButtonEntry> book = join(head(),
                                         {hidden(kOpenFile), hidden(kOpenClipboard), hidden(kNewGame),
                                          hidden(kGameInfo), hidden(kOther), hidden(kFinished)},
                                         tail());
    for (ButtonEntry& e : book)
        if (e.control == 32937 || e.control == 32838 || e.control == 32939 || e.control == 32835)
            e.kind = ButtonKind::Hidden;
    m[BarLayout::Book] = book;
    m[BarLayout::SearchAndOthers] = join(
        head(), {picture(32899, 17056), kOpenFile, kOpenClipboard, picture(32903, 17064, 32805), picture(32933, 17065)},
        {});
    return m;
}

std::vector<ButtonEntry> secondary(bool searchLayout, bool book) {
    std::vector<ButtonEntry> s{
        picture(32803, 17040),
        searchLayout ? ButtonEntry{ButtonKind::Text, 32810, 32810, uiText(11019), uiText(17041), 0}
                     : templ(32810, 17041, 17041),
        templ(32842, 20310, 17042),
        picture(32788, 17043),
        picture(32790, 17044),
        templ(32875, 17045, 17045),
        templ(32793, 20311, 17046),
        templ(32777, 17047, 17047),
        picture(32785, 17048),
        picture(32783, 17049),
        picture(32784, 17050),
        picture(32786, 17051),
        picture(32789, 17052),
        picture(32871, 17053),
        templ(32899, 20312, 17056),
    };
    if (searchLayout || book) s.back().kind = ButtonKind::Hidden;
    return s;
}

} // namespace

const std::vector<ButtonEntry>& mainBarButtons(BarLayout layout) {
    static LanguageCache<std::map<BarLayout, std::vector<ButtonEntry>>> layouts(buildMain);
    return layouts.get().at(layout);
}

const std::vector<ButtonEntry>& secondaryBarButtons(BarLayout layout) {
    static const std::vector<ButtonEntry> none;
    static LanguageCache<std::vector<ButtonEntry>> standard([] { return secondary(false, false); });
    static LanguageCache<std::vector<ButtonEntry>> search([] { return secondary(true, false); });
    static LanguageCache<std::vector<ButtonEntry>> book([] { return secondary(false, true); });
    switch (layout) {
    case BarLayout::None: return none;
    case BarLayout::SearchAndOthers: return search.get();
    case BarLayout::Book: return book.get();
    default: return standard.get();
    }
}

} // namespace stonewise
