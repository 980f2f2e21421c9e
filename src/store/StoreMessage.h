#pragma once

#include <string>
#include <vector>

namespace stonewise {

// A message the store leaves for the user: the desktop shows it in a message box titled `title`.
struct StoreMessage {
    std::u16string text;
    std::u16string title;

    bool operator==(const StoreMessage&) const = default;
};

// The messages of one store operation, in the order they are to be shown.
using StoreMessages = std::vector<StoreMessage>;

} // namespace stonewise
