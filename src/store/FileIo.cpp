#include "store/FileIo.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <system_error>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace stonewise {

namespace fs = std::filesystem;

namespace {

// Closes a descriptor on every path out of a function.
class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : m_fd(fd) {}
    ~FileDescriptor() { close(); }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    int get() const { return m_fd; }
    bool close() {
        if (m_fd < 0) return true;
        const int rc = ::close(m_fd);
        m_fd = -1;
        return rc == 0;
    }

private:
    int m_fd;
};

std::string folderOf(const std::string& path) {
    const std::size_t slash = path.find_last_of('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

bool writeAll(int fd, std::span<const std::uint8_t> bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        if (n == 0) return false;
        done += static_cast<std::size_t>(n);
    }
    return true;
}

void syncFolder(const std::string& folder) {
    FileDescriptor dir(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.get() >= 0) ::fsync(dir.get());
}

} // namespace

std::optional<std::vector<std::uint8_t>> readWholeFile(const std::string& path, std::size_t maxSize) {
    FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (fd.get() < 0) return std::nullopt;
    struct stat st {};
    if (::fstat(fd.get(), &st) != 0 || !S_ISREG(st.st_mode)) return std::nullopt;
    std::vector<std::uint8_t> bytes;
    bytes.reserve(std::min<std::size_t>(static_cast<std::size_t>(std::max<off_t>(st.st_size, 0)), maxSize + 1));
    std::uint8_t buffer[65536];
    for (;;) {
        const ssize_t n = ::read(fd.get(), buffer, sizeof buffer);
        if (n < 0) {
            if (errno == EINTR) continue;
            return std::nullopt;
        }
        if (n == 0) break;
        bytes.insert(bytes.end(), buffer, buffer + n);
        if (bytes.size() > maxSize) return std::nullopt;
    }
    return bytes;
}

std::optional<FileBytes> readFileBytes(const std::string& path, std::size_t maxSize) {
    FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (fd.get() < 0) return std::nullopt;
    struct stat st {};
    if (::fstat(fd.get(), &st) != 0 || !S_ISREG(st.st_mode)) return std::nullopt;
    // One byte more than the size, to see the end in one call; a file that grows meanwhile is read
    // on to its new end.
    std::size_t capacity = std::min<std::size_t>(static_cast<std::size_t>(std::max<off_t>(st.st_size, 0)), maxSize) + 1;
    FileBytes file{std::make_unique_for_overwrite<std::uint8_t[]>(capacity), 0};
    for (;;) {
        if (file.size == capacity) {
            if (capacity > maxSize) return std::nullopt;
            const std::size_t larger = std::min(2 * capacity, maxSize + 1);
            auto data = std::make_unique_for_overwrite<std::uint8_t[]>(larger);
            std::copy_n(file.data.get(), file.size, data.get());
            file.data = std::move(data);
            capacity = larger;
        }
        const ssize_t n = ::read(fd.get(), file.data.get() + file.size, capacity - file.size);
        if (n < 0) {
            if (errno == EINTR) continue;
            return std::nullopt;
        }
        if (n == 0) break;
        file.size += static_cast<std::size_t>(n);
    }
    if (file.size > maxSize) return std::nullopt;
    return file;
}

std::optional<FileIdentity> fileIdentity(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return std::nullopt;
    auto nanoseconds = [](const timespec& t) {
        return static_cast<std::int64_t>(t.tv_sec) * 1'000'000'000 + static_cast<std::int64_t>(t.tv_nsec);
    };
    return FileIdentity{static_cast<std::uint64_t>(st.st_ino), static_cast<std::uint64_t>(st.st_size),
                        nanoseconds(st.st_mtim), nanoseconds(st.st_ctim)};
}

bool writeFileAtomically(const std::string& path, std::span<const std::uint8_t> bytes, Durability durability) {
    const std::string folder = folderOf(path);
    const std::size_t slash = path.find_last_of('/');
    const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    std::string temp = folder + "/." + name + ".XXXXXX";
    FileDescriptor fd(::mkostemp(temp.data(), O_CLOEXEC));
    if (fd.get() < 0) return false;
    // Keep the permissions of the file being replaced; a new file is readable by its owner's group.
    struct stat old {};
    const mode_t mode = ::stat(path.c_str(), &old) == 0 ? (old.st_mode & 07777) : 0644;
    ::fchmod(fd.get(), mode);
    const bool written = writeAll(fd.get(), bytes) && (durability == Durability::Process || ::fsync(fd.get()) == 0);
    const bool closed = fd.close();
    if (!written || !closed || ::rename(temp.c_str(), path.c_str()) != 0) {
        ::unlink(temp.c_str());
        return false;
    }
    if (durability == Durability::Disk) syncFolder(folder);
    return true;
}

bool writeFileUnsynced(const std::string& path, std::span<const std::uint8_t> bytes) {
    // A new file is written in its place at once: there is no old file to keep, and nothing names
    // it until the batch is flushed. A file of that name (or one made meanwhile) is replaced as usual.
    FileDescriptor fd(::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644));
    if (fd.get() < 0) return errno == EEXIST && writeFileAtomically(path, bytes);
    const bool written = writeAll(fd.get(), bytes);
    const bool closed = fd.close();
    if (written && closed) return true;
    ::unlink(path.c_str());
    return false;
}

bool syncFileSystem(const std::string& path) {
    FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_DIRECTORY));
    return fd.get() >= 0 && ::syncfs(fd.get()) == 0;
}

bool pathExists(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0;
}

bool isFolder(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool makeFolder(const std::string& path) {
    if (::mkdir(path.c_str(), 0755) == 0) return true;
    return isFolder(path);
}

bool makeFolders(const std::string& path) {
    std::error_code ec;
    fs::create_directories(fs::path(path), ec);
    return isFolder(path);
}

bool removeFile(const std::string& path) {
    if (::unlink(path.c_str()) == 0) return true;
    return errno == ENOENT;
}

bool renameFile(const std::string& from, const std::string& to) {
    if (::rename(from.c_str(), to.c_str()) != 0) return false;
    syncFolder(folderOf(to));
    return true;
}

bool emptyFolder(const std::string& folder) {
    std::error_code ec;
    fs::directory_iterator it(fs::path(folder), ec);
    if (ec) return false;
    bool ok = true;
    // Stepped with an error code: the iterator's own ++ throws when a folder changes or fails
    // under it.
    for (; it != fs::directory_iterator(); it.increment(ec)) {
        if (ec) return false;
        const fs::directory_entry& entry = *it;
        std::error_code typeError;
        // Symbolic links are removed, never followed.
        if (entry.is_directory(typeError) && !entry.is_symlink(typeError)) {
            ok = emptyFolder(entry.path().string()) && ok;
            ok = ::rmdir(entry.path().c_str()) == 0 && ok;
        } else {
            ok = ::unlink(entry.path().c_str()) == 0 && ok;
        }
    }
    return ok && !ec;
}

bool removeFolder(const std::string& folder) { return ::rmdir(folder.c_str()) == 0; }

} // namespace stonewise
