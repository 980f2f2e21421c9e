#pragma once

#include <cstdint>
#include <cstdio>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace stonewise {

// Bytes read by position: an open file, or bytes in memory. Every read is checked against the
// size, so that a position or length from a damaged file never reads past the end.
class BookBytes {
public:
    virtual ~BookBytes() = default;
    virtual std::uint64_t size() const = 0;
    // `length` bytes at `offset`; nothing when they are not all there or cannot be read.
    virtual std::optional<std::vector<std::uint8_t>> read(std::uint64_t offset, std::uint64_t length) const = 0;
    // Up to `length` bytes at `offset`, fewer at the end; empty beyond it.
    std::vector<std::uint8_t> readUpTo(std::uint64_t offset, std::uint64_t length) const;
    // Whether `length` bytes at `offset` lie inside.
    bool holds(std::uint64_t offset, std::uint64_t length) const {
        return offset <= size() && length <= size() - offset;
    }
};

// A file opened read-only; `open` gives nothing when it cannot be opened.
class FileBookBytes final : public BookBytes {
public:
    static std::unique_ptr<FileBookBytes> open(const std::string& path);
    std::uint64_t size() const override { return m_size; }
    std::optional<std::vector<std::uint8_t>> read(std::uint64_t offset, std::uint64_t length) const override;

private:
    struct Closer {
        void operator()(std::FILE* f) const { std::fclose(f); }
    };
    std::unique_ptr<std::FILE, Closer> m_file;
    std::uint64_t m_size = 0;
};

// Bytes in memory, owned.
class MemoryBookBytes final : public BookBytes {
public:
    explicit MemoryBookBytes(std::vector<std::uint8_t> bytes) : m_bytes(std::move(bytes)) {}
    std::uint64_t size() const override { return m_bytes.size(); }
    std::optional<std::vector<std::uint8_t>> read(std::uint64_t offset, std::uint64_t length) const override;

private:
    std::vector<std::uint8_t> m_bytes;
};

} // namespace stonewise
