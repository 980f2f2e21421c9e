// Makes the program's help text file from its UTF-8 source: the byte-order mark, then the text in
// UTF-16LE with CR LF line ends. The text is read back as the program reads it first: a topic
// line the index refuses, or a button that leads nowhere, fails the build with the message.
//   stonewise_help_text SOURCE.txt OUT/HelpContents.txt
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>

#include "help/HelpContents.h"
#include "record/Text.h"

using namespace stonewise;

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: stonewise_help_text SOURCE.txt OUT.txt\n";
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    const std::string source((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (!in.good() && !in.eof()) {
        std::cerr << argv[1] << ": cannot be read\n";
        return 1;
    }
    if (!isValidUtf8(source)) {
        std::cerr << argv[1] << ": not UTF-8\n";
        return 1;
    }
    std::u16string text = u"\uFEFF";
    for (char16_t c : fromUtf8(source)) {
        if (c == u'\r') continue;
        if (c == u'\n') text += u'\r';
        text += c;
    }
    std::vector<std::uint8_t> bytes;
    for (char16_t c : text) {
        bytes.push_back(static_cast<std::uint8_t>(c));
        bytes.push_back(static_cast<std::uint8_t>(c >> 8));
    }

    StoreMessages messages;
    auto file = parseHelpText(bytes, messages);
    int faults = 0;
    if (file) {
        HelpContents help(std::move(*file), messages);
        for (std::size_t i = 0; i < help.index().entries().size(); ++i) help.page(i, messages);
        if (help.index().entries().empty()) ++faults;
    }
    for (const StoreMessage& m : messages) std::cerr << argv[1] << ": " << toUtf8(m.text) << "\n";
    if (!messages.empty() || faults > 0 || !file) {
        std::cerr << argv[1] << ": the help text has faults\n";
        return 1;
    }
    std::ofstream out(argv[2], std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return out.good() ? 0 : 1;
}
