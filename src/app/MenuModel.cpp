#include "app/MenuModel.h"

#include "record/StringTable.h"

namespace stonewise {

namespace {

// Menu texts are numbered texts of the interface language (20000 onwards).
MenuEntry item(int command, int text, std::u16string_view shortcut = {}) {
    return MenuEntry{command, uiText(text), shortcut, {}};
}
MenuEntry menu(int text, std::vector<MenuEntry> children) {
    return MenuEntry{0, uiText(text), {}, std::move(children)};
}
MenuEntry separator() { return MenuEntry{}; }

MenuEntry modeMenu() {
    return menu(20000, {item(32900, 20001), item(32901, 20002), item(32902, 20003), item(32926, 20004),
                        item(32890, 20005), separator(), item(32818, 20006), separator(), item(115, 20007)});
}

MenuEntry displayMenu() {
    return menu(20008, {item(32785, 20009), item(32783, 20010, u"←"), item(32784, 20011, u"→"), item(32786, 20012),
                        separator(), item(32862, 20013), item(32864, 20014, u"Ctrl+←"), item(32882, 20015, u"Ctrl+→"),
                        item(32787, 20016), separator(), item(32789, 20017), item(32871, 20018)});
}

MenuEntry viewMenu() {
    return menu(20019, {item(32788, 20020), item(32790, 20021), separator(), item(32823, 20022), item(32842, 20023)});
}

MenuEntry helpMenu() {
    return menu(20024,
                {item(114, 20025), separator(), item(32959, 20026), item(32947, 20027, u"F1"), item(32958, 20028),
                 menu(20029, {item(32950, 20030), item(32960, 20031), item(32961, 20032), item(32962, 20033),
                              item(32951, 20001), item(32952, 20034), item(32953, 20003), item(32954, 20035),
                              item(32955, 20005), item(32956, 20036), item(32957, 20037)}),
                 separator(), item(32942, 20038)});
}

std::vector<MenuEntry> buildMain() {
    return {
        modeMenu(),
        menu(20001, {item(32805, 20039), item(32968, 20040), separator(), item(32807, 20041), item(32846, 20042),
                     item(32808, 20043), separator(), item(32809, 20044)}),
        menu(20045, {item(32772, 20046), item(32966, 20047), item(32887, 20048), item(32878, 20049, u"Ctrl+V"),
                     separator(), item(32826, 20050, u"Ctrl+S"), item(32791, 20051), separator(), item(32838, 20052),
                     separator(), item(32821, 20053)}),
        menu(20054, {item(32797, 20055), separator(), item(32875, 20056), item(32777, 20057), item(32776, 20058),
                     separator(), item(32793, 20059), item(32903, 20060), separator(), item(32832, 20061),
                     item(32834, 20062), item(32964, 20063), separator(), item(32819, 20064)}),
        displayMenu(),
        viewMenu(),
        menu(20065, {item(32803, 20066), item(32963, 20067), item(32828, 20068), item(32801, 20069), item(32907, 20070),
                     separator(), item(32835, 20071), item(32914, 20072), item(32919, 20073)}),
        helpMenu(),
    };
}

std::vector<MenuEntry> buildBook() {
    return {
        modeMenu(),
        menu(20005, {item(32891, 20074),
                     menu(20075, {item(32982, 20076), item(1003, 20077), item(1006, 20078), item(1004, 20079),
                                  item(1005, 20080)}),
                     separator(), item(32978, 20081), item(32979, 20082), separator(), item(32821, 20053)}),
        displayMenu(),
        viewMenu(),
        menu(20083, {item(32835, 20071), item(32914, 20072)}),
        helpMenu(),
    };
}

std::vector<MenuEntry> buildPopups() {
    return {
        menu(20084, {item(32851, 20085), separator(), item(32793, 20059), item(32816, 20086), item(32817, 20087),
                     item(32877, 20088), item(32883, 20089), item(32825, 20090), item(32830, 20091), item(32910, 20092),
                     item(32911, 20093), item(32912, 20094), item(32837, 20095)}),
        menu(20096, {item(32851, 20085), separator(), item(32793, 20059), item(32854, 20097), item(32857, 20098),
                     item(32834, 20062), item(32965, 20099), item(32837, 20095)}),
        menu(20100, {item(114, 20101), item(32959, 20102), item(32947, 20027), item(32958, 20028), separator(),
                     item(32950, 20103), item(32960, 20031), item(32961, 20032), item(32962, 20033), item(32951, 20104),
                     item(32952, 20105), item(32953, 20106), item(32954, 20107), item(32955, 20108), item(32956, 20109),
                     item(32957, 20110)}),
        menu(20111, {item(32846, 20042), item(32808, 20043), item(32867, 20112), item(32907, 20070)}),
        menu(20113, {item(32907, 20070), item(32867, 20112), item(32776, 20114), item(32964, 20063)}),
        menu(20115, {item(32907, 20070), item(32867, 20112), item(32964, 20063)}),
        menu(20116, {item(32819, 20117), item(32818, 20118), item(32913, 20119)}),
        menu(20120, {item(32772, 20046), item(32966, 20047), item(32887, 20121), item(32791, 20051), item(32826, 20050),
                     item(32821, 20053)}),
        menu(20122, {item(32828, 20068), item(32801, 20069)}),
        menu(20123, {item(32791, 20051)}),
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
    static LanguageCache<std::vector<MenuEntry>> bar(buildMain);
    return bar.get();
}

const std::vector<MenuEntry>& bookMenuBar() {
    static LanguageCache<std::vector<MenuEntry>> bar(buildBook);
    return bar.get();
}

const MenuEntry& popupMenu(int index) {
    static LanguageCache<std::vector<MenuEntry>> popups(buildPopups);
    return popups.get().at(static_cast<std::size_t>(index));
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
