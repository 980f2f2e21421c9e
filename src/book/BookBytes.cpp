#include "book/BookBytes.h"

#include <sys/stat.h>

#include <algorithm>

namespace stonewise {

namespace {

// The largest piece read at once: no piece of a book comes near it, a damaged length may.
constexpr std::uint64_t kMaxRead = 256u << 20;

} // namespace

std::vector<std::uint8_t> BookBytes::readUpTo(std::uint64_t offset, std::uint64_t length) const {
    if (offset >= size()) return {};
    return read(offset, std::min(length, size() - offset)).value_or(std::vector<std::uint8_t>());
}

std::unique_ptr<FileBookBytes> FileBookBytes::open(const std::string& path) {
    std::unique_ptr<FileBookBytes> b(new FileBookBytes);
    b->m_file.reset(std::fopen(path.c_str(), "rb"));
    if (!b->m_file) return nullptr;
    struct stat st {};
    if (fstat(fileno(b->m_file.get()), &st) != 0 || !S_ISREG(st.st_mode)) return nullptr;
    b->m_size = static_cast<std::uint64_t>(st.st_size);
    return b;
}

std::optional<std::vector<std::uint8_t>> FileBookBytes::read(std::uint64_t offset, std::uint64_t length) const {
    if (!holds(offset, length) || length > kMaxRead) return std::nullopt;
    std::vector<std::uint8_t> out(length);
    if (fseeko(m_file.get(), static_cast<off_t>(offset), SEEK_SET) != 0) return std::nullopt;
    if (length && std::fread(out.data(), 1, length, m_file.get()) != length) return std::nullopt;
    return out;
}

std::optional<std::vector<std::uint8_t>> MemoryBookBytes::read(std::uint64_t offset, std::uint64_t length) const {
    if (!holds(offset, length) || length > kMaxRead) return std::nullopt;
    return std::vector<std::uint8_t>(m_bytes.begin() + static_cast<long>(offset),
                                     m_bytes.begin() + static_cast<long>(offset + length));
}

} // namespace stonewise
