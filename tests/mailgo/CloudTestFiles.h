#pragma once

#include <cstdint>
#include <fstream>
#include <string>
#include <string_view>

#include <fcntl.h>
#include <sys/stat.h>

namespace stonewise::test {

// Writes `content` to `path` and sets its last-write time to `seconds` since 1970.
inline void writeFileAt(const std::string& path, std::string_view content, std::int64_t seconds) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << content;
    const struct timespec times[2] = {{static_cast<time_t>(seconds), 0}, {static_cast<time_t>(seconds), 0}};
    ::utimensat(AT_FDCWD, path.c_str(), times, 0);
}

} // namespace stonewise::test
