#pragma once

#include <optional>
#include <ostream>
#include <string>

#include "record/Text.h"
#include "store/GameResultStore.h"

namespace stonewise::cli {

// The slot of the result group an argument names: its number as `results` lists it (from 1), else
// its name; nothing when no group is named so.
inline std::optional<int> findResultGroup(const GameResultStore& store, const std::string& argument) {
    if (!argument.empty() && argument.find_first_not_of("0123456789") == std::string::npos && argument.size() < 4) {
        const int slot = std::stoi(argument) - 1;
        if (store.group(slot)) return slot;
    }
    return store.findGroup(fromUtf8(argument));
}

// Writes the store's messages to `err`, one a line: "title: text".
inline void reportMessages(const StoreMessages& messages, std::ostream& err) {
    for (const StoreMessage& m : messages) err << toUtf8(m.title) << ": " << toUtf8(m.text) << "\n";
}

} // namespace stonewise::cli
