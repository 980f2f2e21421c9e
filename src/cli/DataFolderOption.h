#pragma once

#include <optional>
#include <string>
#include <vector>

#include "store/DataFolder.h"

namespace stonewise::cli {

// Takes "--data DIR" out of the arguments: the data folder to read (the user's data folder when the
// option is absent, found without creating anything). Nothing when "--data" has no folder after it.
inline std::optional<DataFolder> takeDataFolder(std::vector<std::string>& args) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] != "--data") continue;
        if (i + 1 >= args.size()) return std::nullopt;
        DataFolder folder(args[i + 1]);
        args.erase(args.begin() + static_cast<long>(i), args.begin() + static_cast<long>(i) + 2);
        return folder;
    }
    return DataFolder(DataFolder::userPath());
}

} // namespace stonewise::cli
