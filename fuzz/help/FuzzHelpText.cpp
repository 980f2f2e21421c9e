// The help text, its topics and their directives: any bytes read without harm; every index entry
// lies inside the text, the index reads back from its own cache bytes, and a topic never has more
// than three command buttons.
#include <cstdint>
#include <span>

#include "../store/FuzzCheck.h"
#include "help/HelpContents.h"

using namespace stonewise;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    StoreMessages messages;
    auto text = parseHelpText(std::span(data, size), messages);
    if (!text) {
        FUZZ_CHECK(messages.size() == 1);
        return 0;
    }
    const std::size_t length = text->text.size();
    HelpContents help(std::move(*text), messages);
    const HelpIndex& index = help.index();
    FUZZ_CHECK(index.entries().size() <= HelpIndex::kMaxEntries);
    for (std::size_t i = 0; i < index.entries().size(); ++i) {
        const HelpIndexEntry& e = index.entries()[i];
        FUZZ_CHECK(e.number == i && e.body + e.bodyLength <= length && help.heading(i).size() < 128);
        const HelpTopicPage page = help.page(i, messages);
        FUZZ_CHECK(page.commands.size() <= kMaxHelpCommands && page.text.size() <= e.bodyLength);
        for (const HelpCommandButton& b : page.commands)
            FUZZ_CHECK((b.programCommand > 0) != b.entry.has_value() &&
                       (!b.entry || *b.entry < index.entries().size()));
    }
    const auto bytes = index.write(help.release(), 42);
    const auto back = HelpIndex::read(bytes, help.release(), 42, length);
    FUZZ_CHECK(back && back->entries() == index.entries());
    return 0;
}
