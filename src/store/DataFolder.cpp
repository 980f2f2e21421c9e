#include "store/DataFolder.h"

#include <cstdio>
#include <cstdlib>

#include <unistd.h>

#include "store/FileIo.h"

namespace stonewise {

namespace {

std::string withSlash(std::string path) {
    if (path.empty() || path.back() != '/') path.push_back('/');
    return path;
}

std::string envValue(const char* name) {
    const char* v = std::getenv(name);
    return v ? std::string(v) : std::string();
}

} // namespace

std::string DataFolder::userPath() {
    const std::string own = envValue("STONEWISE_DATA_DIR");
    if (!own.empty()) return withSlash(own);
    std::string base = envValue("XDG_DATA_HOME");
    if (base.empty() || base.front() != '/') {
        const std::string home = envValue("HOME");
        base = (home.empty() ? std::string(".") : home) + "/.local/share";
    }
    return withSlash(base) + "Mirandel/Tamarindo/";
}

DataFolder DataFolder::user() {
    DataFolder folder(userPath());
    makeFolders(folder.path());
    return folder;
}

DataFolder::DataFolder(std::string path) : m_path(withSlash(std::move(path))) {}

std::string DataFolder::groupFolderName(int group) {
    char name[32];
    std::snprintf(name, sizeof name, "Group%03d", group);
    return name;
}

bool DataFolder::createGroupFolder(int group) const {
    makeFolder(m_path);
    return makeFolder(m_path + groupFolderName(group));
}

bool DataFolder::removeGroupFolder(int group) const { return removeFolder(m_path + groupFolderName(group)); }

std::string dataFolderToOpen() { return DataFolder::user().path(); }

std::string programFolder() {
    char buffer[4096];
    const ssize_t n = ::readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    if (n <= 0) return {};
    std::string path(buffer, static_cast<std::size_t>(n));
    const std::size_t slash = path.find_last_of('/');
    if (slash == std::string::npos) return {};
    return path.substr(0, slash + 1);
}

} // namespace stonewise
