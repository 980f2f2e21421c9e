// stonewise-cli help: a topic of the program's help text, read the way the help window reads it.
#include <ostream>
#include <string>

#include "cli/CliCommand.h"
#include "help/HelpContents.h"
#include "record/Text.h"
#include "store/DataFolder.h"

namespace stonewise::cli {

namespace {

constexpr const char* kUsage = "usage: stonewise-cli help [--english] [--folder DIR] TOPIC | --list\n";

// A decimal number of up to nine digits, or -1 for a sign alone ("-1").
std::optional<int> number(const std::string& s) {
    if (s == "-1") return -1;
    if (s.empty() || s.size() > 9 || s.find_first_not_of("0123456789") != std::string::npos) return std::nullopt;
    return std::stoi(s);
}

// "N", "N/S" (a sub-topic of topic N, N may be -1) or "#heading": the index entry, or nothing.
std::optional<std::size_t> findTopic(const HelpIndex& index, const std::string& topic) {
    if (topic.starts_with("#")) return index.findHeading(fromUtf8(topic.substr(1)));
    const std::size_t slash = topic.find('/');
    const auto t = number(topic.substr(0, slash));
    const auto s = slash == std::string::npos ? std::optional<int>(-1) : number(topic.substr(slash + 1));
    if (!t || !s) return std::nullopt;
    return index.find(*t, *s);
}

void printList(const HelpContents& help, std::ostream& out) {
    const auto& entries = help.index().entries();
    for (std::size_t i = 0; i < entries.size(); ++i)
        out << entries[i].topic << "\t" << static_cast<int>(entries[i].level) << "\t" << toUtf8(help.heading(i))
            << "\n";
}

int run(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err) {
    std::string folder = programFolder();
    bool english = false;
    bool list = false;
    std::vector<std::string> rest;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& a = arguments[i];
        if (a == "--english") english = true;
        else if (a == "--list") list = true;
        else if (a == "--folder" && i + 1 < arguments.size()) folder = arguments[++i];
        else rest.push_back(a);
    }
    if (list != rest.empty() || rest.size() > 1) {
        err << kUsage;
        return 2;
    }
    if (!folder.empty() && folder.back() != '/') folder += '/';
    if (english) folder += "english/";
    StoreMessages messages;
    auto text = readHelpText(folder + kHelpTextFileName, messages);
    std::unique_ptr<HelpContents> help = text ? std::make_unique<HelpContents>(std::move(*text), messages) : nullptr;
    for (const StoreMessage& m : messages) err << toUtf8(m.title) << ": " << toUtf8(m.text) << "\n";
    if (!help) return 1;
    if (list) {
        printList(*help, out);
        return 0;
    }
    const auto entry = findTopic(help->index(), rest[0]);
    if (!entry) {
        err << "stonewise-cli: the help has no topic " << rest[0] << "\n";
        return 1;
    }
    StoreMessages pageMessages;
    const HelpTopicPage page = help->page(*entry, pageMessages);
    for (const StoreMessage& m : pageMessages) err << toUtf8(m.title) << ": " << toUtf8(m.text) << "\n";
    std::u16string shown = page.text;
    for (std::size_t at = shown.find(u"\r\n"); at != std::u16string::npos; at = shown.find(u"\r\n", at))
        shown.erase(at, 1);
    out << toUtf8(help->heading(*entry)) << "\n\n" << toUtf8(shown) << "\n";
    for (const HelpCommandButton& b : page.commands) {
        out << "[" << toUtf8(b.name) << "] ";
        if (b.entry) out << "-> " << toUtf8(help->heading(*b.entry)) << "\n";
        else out << "command " << b.programCommand << "\n";
    }
    if (page.support != HelpSupportLink::None) out << helpSupportAddress(page.supportToken) << "\n";
    return pageMessages.empty() ? 0 : 1;
}

} // namespace

CliCommand helpCommand() {
    return {"help", "help [--english] [--folder DIR] TOPIC | --list",
            "Prints a topic of the program's help (TOPIC: a number, N/S for section S of topic N, -1/S for section S "
            "anywhere, or #heading) with its buttons and support link; --list prints every topic: number, level, "
            "heading (--english: the English help; --folder: where the help text lies, the program's folder by "
            "default)",
            &run};
}

} // namespace stonewise::cli
