#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace stonewise {

// The desktop clipboard, as Unicode text.
class Clipboard {
public:
    virtual ~Clipboard() = default;
    virtual bool hasText() const = 0;
    // The text on the clipboard, or nothing when it holds none.
    virtual std::optional<std::u16string> text() const = 0;
    // Puts text on the clipboard; false when the clipboard could not be written.
    virtual bool setText(std::u16string_view text) = 0;
    // Puts files on the clipboard, to be pasted into a mail or a folder; false when it could not
    // be written.
    virtual bool setFiles(const std::vector<std::string>& paths) = 0;
    // Empties the clipboard.
    virtual void clear() = 0;
};

} // namespace stonewise
