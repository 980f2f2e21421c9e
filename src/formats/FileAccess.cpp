#include "formats/FileAccess.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

namespace stonewise {

std::optional<std::string> readFileBytes(const std::string& path, FileReadError* error, std::size_t maxSize) {
    auto fail = [&](FileReadError e) -> std::optional<std::string> {
        if (error) *error = e;
        return std::nullopt;
    };
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return fail(errno == ENOENT || errno == ENOTDIR ? FileReadError::NotFound : FileReadError::NotReadable);
    struct stat st {};
    if (::fstat(fd, &st) != 0) {
        ::close(fd);
        return fail(FileReadError::NotReadable);
    }
    if (S_ISDIR(st.st_mode)) {
        ::close(fd);
        return fail(FileReadError::IsFolder);
    }
    if (st.st_size > 0 && static_cast<std::size_t>(st.st_size) > maxSize) {
        ::close(fd);
        return fail(FileReadError::TooLarge);
    }
    std::string out;
    out.reserve(st.st_size > 0 ? static_cast<std::size_t>(st.st_size) : 4096);
    char buffer[65536];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0) {
            if (errno == EINTR) continue;
            ::close(fd);
            return fail(FileReadError::NotReadable);
        }
        if (n == 0) break;
        if (out.size() + static_cast<std::size_t>(n) > maxSize) {
            ::close(fd);
            return fail(FileReadError::TooLarge);
        }
        out.append(buffer, static_cast<std::size_t>(n));
    }
    ::close(fd);
    if (error) *error = FileReadError::None;
    return out;
}

bool writeFileReplacing(const std::string& path, std::string_view bytes) {
    if (path.empty()) return false;
    const std::size_t slash = path.rfind('/');
    const std::string folder = slash == std::string::npos ? "." : (slash == 0 ? "/" : path.substr(0, slash));
    const std::string base = slash == std::string::npos ? path : path.substr(slash + 1);
    std::string temp = folder + "/." + base + ".XXXXXX";
    const int fd = ::mkstemp(temp.data());
    if (fd < 0) return false;
    bool ok = true;
    const char* p = bytes.data();
    std::size_t left = bytes.size();
    while (ok && left > 0) {
        const ssize_t n = ::write(fd, p, left);
        if (n < 0) {
            if (errno == EINTR) continue;
            ok = false;
            break;
        }
        p += n;
        left -= static_cast<std::size_t>(n);
    }
    // Keep the permissions of a file being replaced; a new file gets the usual 0644 less the umask.
    struct stat st {};
    if (ok) {
        if (::stat(path.c_str(), &st) == 0) {
            ::fchmod(fd, st.st_mode & 07777);
        } else {
            const mode_t mask = ::umask(0);
            ::umask(mask);
            ::fchmod(fd, 0666 & ~mask);
        }
    }
    if (ok && ::fsync(fd) != 0) ok = false;
    if (::close(fd) != 0) ok = false;
    if (ok && std::rename(temp.c_str(), path.c_str()) != 0) ok = false;
    if (!ok) ::unlink(temp.c_str());
    return ok;
}

} // namespace stonewise
