#pragma once

#include <memory>
#include <optional>
#include <string>

#include "help/HelpImages.h"
#include "help/HelpIndex.h"
#include "help/HelpText.h"
#include "help/HelpTopic.h"
#include "store/StoreMessage.h"

namespace stonewise {

// The help of one language: its text, the index of its topics and its pictures.
class HelpContents {
public:
    // Opens "HelpContents.txt" and "HelpImages.dat" of `folder` and the index kept in `indexFile`
    // ("HelpIndex.dat" of the data folder), which is rebuilt from the text and written again when
    // it belongs to another release or file time or is damaged. Null, with the message, when the
    // text cannot be used; a failed write of the index only costs the next start its building.
    static std::unique_ptr<HelpContents> open(const std::string& folder, const std::string& indexFile,
                                              StoreMessages& messages);
    // The help of a text in memory, without a cache or pictures.
    explicit HelpContents(HelpTextFile text, StoreMessages& messages);

    const HelpIndex& index() const { return m_index; }
    const HelpImages& images() const { return m_images; }
    int release() const { return m_text.release; }
    // Whether the index was built from the text rather than read from its cache.
    bool indexBuilt() const { return m_indexBuilt; }

    // The body of index entry `entry`, as the text holds it.
    std::u16string_view body(std::size_t entry) const;
    std::u16string_view heading(std::size_t entry) const { return m_index.heading(m_index.entries().at(entry)); }
    // The topic of index entry `entry` as the help window shows it.
    HelpTopicPage page(std::size_t entry, StoreMessages& messages) const;
    // The plain text of a topic found by its number (see HelpIndex::find): its heading line and
    // its text; nothing when there is no such topic.
    std::optional<std::u16string> topicText(int topic, int sub = -1) const;

private:
    HelpContents() = default;
    HelpTextFile m_text;
    HelpIndex m_index;
    HelpImages m_images;
    bool m_indexBuilt = false;
};

} // namespace stonewise
