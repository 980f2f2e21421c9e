#include "help/HelpContents.h"

#include "store/FileIo.h"

namespace stonewise {

namespace {
std::string inFolder(const std::string& folder, const char* name) {
    return folder.empty() || folder.back() == '/' ? folder + name : folder + "/" + name;
}
} // namespace

HelpContents::HelpContents(HelpTextFile text, StoreMessages& messages)
    : m_text(std::move(text)), m_index(HelpIndex::build(m_text.text, messages)), m_indexBuilt(true) {}

std::unique_ptr<HelpContents> HelpContents::open(const std::string& folder, const std::string& indexFile,
                                                 StoreMessages& messages) {
    auto text = readHelpText(inFolder(folder, kHelpTextFileName), messages);
    if (!text) return nullptr;
    std::unique_ptr<HelpContents> help(new HelpContents());
    help->m_text = std::move(*text);
    const HelpTextFile& t = help->m_text;
    const auto cached = readWholeFile(indexFile, 1u << 24);
    std::optional<HelpIndex> index =
        cached ? HelpIndex::read(*cached, t.release, t.fileTime, t.text.size()) : std::nullopt;
    if (index) {
        help->m_index = std::move(*index);
    } else {
        help->m_index = HelpIndex::build(t.text, messages);
        help->m_indexBuilt = true;
        writeFileAtomically(indexFile, help->m_index.write(t.release, t.fileTime), Durability::Process);
    }
    help->m_images = HelpImages::read(inFolder(folder, kHelpImagesFileName));
    return help;
}

std::u16string_view HelpContents::body(std::size_t entry) const {
    const HelpIndexEntry& e = m_index.entries().at(entry);
    return std::u16string_view(m_text.text).substr(std::min<std::size_t>(e.body, m_text.text.size()), e.bodyLength);
}

HelpTopicPage HelpContents::page(std::size_t entry, StoreMessages& messages) const {
    return readHelpTopic(body(entry), m_index, messages);
}

std::optional<std::u16string> HelpContents::topicText(int topic, int sub) const {
    const auto entry = m_index.find(topic, sub);
    if (!entry) return std::nullopt;
    StoreMessages ignored;
    std::u16string text(heading(*entry));
    text += u"\n\n";
    text += page(*entry, ignored).text;
    return text;
}

} // namespace stonewise
