#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace stonewise {

// The largest game-record file read (larger ones are refused).
constexpr std::size_t kMaxGameFileSize = 64u << 20;

// Why a file could not be read.
enum class FileReadError { None, NotFound, NotReadable, TooLarge, IsFolder };

// The whole content of a file, or nothing with the reason in `error`.
std::optional<std::string> readFileBytes(const std::string& path, FileReadError* error = nullptr,
                                         std::size_t maxSize = kMaxGameFileSize);

// Replaces `path` by `bytes` atomically: a temporary file in the same folder is written, flushed
// to disk and renamed over the target. On any failure (no folder, no permission, full disk) the
// old file stays as it was, the temporary file is removed, and the result is false.
bool writeFileReplacing(const std::string& path, std::string_view bytes);

} // namespace stonewise
