#include "app/FileAssociation.h"

#include <cstdlib>
#include <fcntl.h>
#include <optional>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>
#include <utility>
#include <vector>

#include "store/FileIo.h"

extern char** environ;

namespace stonewise {

namespace {

constexpr const char* kPreviousKey = "X-Stonewise-Previous-Default";

std::string environment(const char* name) {
    const char* value = std::getenv(name);
    return value ? std::string(value) : std::string();
}

std::string trim(std::string s) {
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (!s.empty() && blank(s.back())) s.pop_back();
    std::size_t first = 0;
    while (first < s.size() && blank(s[first])) ++first;
    return s.substr(first);
}

std::optional<std::string> readText(const std::string& path) {
    const auto bytes = readWholeFile(path, 1 << 20);
    if (!bytes) return std::nullopt;
    return std::string(bytes->begin(), bytes->end());
}

bool writeText(const std::string& path, const std::string& text) {
    const std::size_t slash = path.find_last_of('/');
    if (slash != std::string::npos) makeFolders(path.substr(0, slash));
    return writeFileAtomically(path, std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
}

// The full path of an executable found on PATH, or empty.
std::string findOnPath(const std::string& name) {
    if (name.find('/') != std::string::npos) return ::access(name.c_str(), X_OK) == 0 ? name : std::string();
    std::string path = environment("PATH");
    std::size_t start = 0;
    while (start <= path.size()) {
        const std::size_t end = std::min(path.find(':', start), path.size());
        const std::string folder = path.substr(start, end - start);
        const std::string candidate = (folder.empty() ? "." : folder) + "/" + name;
        if (::access(candidate.c_str(), X_OK) == 0) return candidate;
        start = end + 1;
    }
    return {};
}

std::string realPath(const std::string& path) {
    char* resolved = ::realpath(path.c_str(), nullptr);
    if (!resolved) return path;
    std::string out(resolved);
    std::free(resolved);
    return out;
}

// Runs a program with the desktop folders in its environment; its output in `out`. The exit code,
// or -1 when it could not be started.
int run(const std::vector<std::string>& argv, const XdgFolders& folders, std::string* out = nullptr) {
    std::vector<std::string> env;
    for (char** e = environ; *e; ++e) {
        const std::string entry(*e);
        if (entry.starts_with("XDG_DATA_HOME=") || entry.starts_with("XDG_CONFIG_HOME=") ||
            entry.starts_with("XDG_DATA_DIRS="))
            continue;
        env.push_back(entry);
    }
    env.push_back("XDG_DATA_HOME=" + folders.dataHome);
    env.push_back("XDG_CONFIG_HOME=" + folders.configHome);
    env.push_back("XDG_DATA_DIRS=" + folders.dataDirs);
    std::vector<char*> args, envp;
    for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    for (const std::string& e : env) envp.push_back(const_cast<char*>(e.c_str()));
    envp.push_back(nullptr);

    int pipeFds[2];
    if (::pipe2(pipeFds, O_CLOEXEC) != 0) return -1;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeFds[1], 1);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    pid_t pid = 0;
    const int started = ::posix_spawnp(&pid, args[0], &actions, nullptr, args.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    ::close(pipeFds[1]);
    if (started != 0) {
        ::close(pipeFds[0]);
        return -1;
    }
    std::string output;
    char buffer[4096];
    for (ssize_t n; (n = ::read(pipeFds[0], buffer, sizeof buffer)) != 0;) {
        if (n < 0) {
            if (errno == EINTR) continue;
            break;
        }
        if (output.size() < (1u << 20)) output.append(buffer, static_cast<std::size_t>(n));
    }
    ::close(pipeFds[0]);
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {}
    if (out) *out = std::move(output);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// A key's value in a group of a desktop-entry style file ("[Group]" lines, "key=value" lines).
std::string keyValue(const std::string& text, const std::string& group, const std::string& key) {
    bool inGroup = false;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = std::min(text.find('\n', start), text.size());
        const std::string line = trim(text.substr(start, end - start));
        start = end + 1;
        if (line.starts_with("[")) {
            inGroup = line == "[" + group + "]";
        } else if (inGroup && line.starts_with(key)) {
            std::string rest = trim(line.substr(key.size()));
            if (rest.starts_with("=")) return trim(rest.substr(1));
        }
    }
    return {};
}

// The text with `key` in `group` set to `value` (or removed when `value` is empty); other lines and
// groups stay as they were.
std::string withKey(const std::string& text, const std::string& group, const std::string& key,
                    const std::string& value) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = std::min(text.find('\n', start), text.size());
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    const std::string header = "[" + group + "]";
    int groupLine = -1;
    bool done = false;
    bool inGroup = false;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string line = trim(lines[i]);
        if (line.starts_with("[")) {
            inGroup = line == header;
            if (inGroup) groupLine = static_cast<int>(i);
            continue;
        }
        if (!inGroup || !line.starts_with(key) || !trim(line.substr(key.size())).starts_with("=")) continue;
        if (value.empty()) {
            lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(i));
            --i;
        } else {
            lines[i] = key + "=" + value;
        }
        done = true;
    }
    if (!done && !value.empty()) {
        if (groupLine < 0) {
            if (!lines.empty() && !trim(lines.back()).empty()) lines.push_back("");
            lines.push_back(header);
            lines.push_back(key + "=" + value);
        } else {
            lines.insert(lines.begin() + groupLine + 1, key + "=" + value);
        }
    }
    std::string out;
    for (const std::string& l : lines) out += l + "\n";
    return out;
}

// A value of an Exec line: as it is, or in double quotes as desktop entries escape it when it holds a
// reserved character (plain paths stay plain, which is all some tools that read entries can take).
std::string quotedArgument(const std::string& s) {
    if (s.find_first_of(" \t\n\"'\\><~|&;$*?#()`") == std::string::npos) return s;
    std::string out = "\"";
    for (char c : s) {
        if (c == '"' || c == '`' || c == '$' || c == '\\') out += '\\';
        out += c;
    }
    return out + "\"";
}

// The first argument of an Exec line, unquoted.
std::string firstArgument(const std::string& exec) {
    std::string out;
    if (exec.starts_with("\"")) {
        for (std::size_t i = 1; i < exec.size() && exec[i] != '"'; ++i) {
            if (exec[i] == '\\' && i + 1 < exec.size()) ++i;
            out += exec[i];
        }
        return out;
    }
    return exec.substr(0, exec.find(' '));
}

std::string mimePackage() {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
           "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n"
           "  <mime-type type=\"application/x-go-sgf\">\n"
           "    <comment>Go game record</comment>\n"
           "    <comment xml:lang=\"ja\">囲碁の棋譜</comment>\n"
           "    <glob pattern=\"*.sgf\"/>\n"
           "  </mime-type>\n"
           "</mime-info>\n";
}

} // namespace

XdgFolders XdgFolders::user() {
    const std::string home = environment("HOME");
    XdgFolders f;
    f.dataHome = environment("XDG_DATA_HOME");
    if (f.dataHome.empty()) f.dataHome = home + "/.local/share";
    f.configHome = environment("XDG_CONFIG_HOME");
    if (f.configHome.empty()) f.configHome = home + "/.config";
    f.dataDirs = environment("XDG_DATA_DIRS");
    if (f.dataDirs.empty()) f.dataDirs = "/usr/local/share:/usr/share";
    return f;
}

FileAssociation::FileAssociation(XdgFolders folders, std::string programPath, std::string iconPath)
    : m_folders(std::move(folders)), m_program(std::move(programPath)), m_icon(std::move(iconPath)) {}

std::string FileAssociation::desktopEntryPath() const { return m_folders.dataHome + "/applications/" + kDesktopFile; }

std::string FileAssociation::defaultApplication() const {
    if (!findOnPath("xdg-mime").empty()) {
        std::string out;
        if (run({"xdg-mime", "query", "default", kMimeType}, m_folders, &out) == 0) return trim(out);
        return {};
    }
    const auto text = readText(m_folders.configHome + "/mimeapps.list");
    if (!text) return {};
    const std::string value = keyValue(*text, "Default Applications", kMimeType);
    return value.substr(0, value.find(';'));
}

bool FileAssociation::setDefaultApplication(const std::string& desktopFile) const {
    if (!findOnPath("xdg-mime").empty()) return run({"xdg-mime", "default", desktopFile, kMimeType}, m_folders) == 0;
    const std::string path = m_folders.configHome + "/mimeapps.list";
    const std::string text = readText(path).value_or("");
    return writeText(path, withKey(text, "Default Applications", kMimeType, desktopFile));
}

std::string FileAssociation::programOfEntry(const std::string& desktopFile) const {
    std::vector<std::string> folders{m_folders.dataHome};
    std::size_t start = 0;
    const std::string& dirs = m_folders.dataDirs;
    while (start <= dirs.size()) {
        const std::size_t end = std::min(dirs.find(':', start), dirs.size());
        if (end > start) folders.push_back(dirs.substr(start, end - start));
        start = end + 1;
    }
    for (const std::string& folder : folders) {
        const auto text = readText(folder + "/applications/" + desktopFile);
        if (!text) continue;
        const std::string program = firstArgument(keyValue(*text, "Desktop Entry", "Exec"));
        const std::string found = findOnPath(program);
        return found.empty() ? program : realPath(found);
    }
    return {};
}

AssociationState FileAssociation::query() const {
    const std::string current = defaultApplication();
    if (current.empty()) return AssociationState::None;
    if (current != kDesktopFile) return AssociationState::OtherProgram;
    const std::string program = programOfEntry(current);
    if (program.empty()) return AssociationState::None;
    return program == realPath(m_program) ? AssociationState::ThisProgram : AssociationState::Elsewhere;
}

bool FileAssociation::set() {
    // The user's own default before the first setting is kept in the entry, for removing (a default
    // of the system needs nothing: it shows again once the user's line goes).
    std::string previous =
        keyValue(readText(m_folders.configHome + "/mimeapps.list").value_or(""), "Default Applications", kMimeType);
    if (previous.empty() || previous.starts_with(kDesktopFile))
        previous = keyValue(readText(desktopEntryPath()).value_or(""), "Desktop Entry", kPreviousKey);

    if (const auto bytes = readWholeFile(m_icon)) {
        const std::string iconPath = m_folders.dataHome + "/icons/hicolor/256x256/apps/stonewise.png";
        makeFolders(m_folders.dataHome + "/icons/hicolor/256x256/apps");
        if (!writeFileAtomically(iconPath, *bytes)) return false;
    }
    std::string entry = "[Desktop Entry]\n"
                        "Type=Application\n"
                        "Name=Stonewise\n"
                        "GenericName=Go game records\n"
                        "GenericName[ja]=囲碁の棋譜とメール碁\n"
                        "Exec=" +
                        quotedArgument(m_program) +
                        " %f\n"
                        "Icon=stonewise\n"
                        "Terminal=false\n"
                        "Categories=Game;BoardGame;\n"
                        "MimeType=application/x-go-sgf;\n";
    if (!previous.empty()) entry += std::string(kPreviousKey) + "=" + previous + "\n";
    if (!writeText(desktopEntryPath(), entry)) return false;
    if (!writeText(m_folders.dataHome + "/mime/packages/stonewise.xml", mimePackage())) return false;
    if (!findOnPath("update-mime-database").empty())
        run({"update-mime-database", m_folders.dataHome + "/mime"}, m_folders);
    if (!findOnPath("update-desktop-database").empty())
        run({"update-desktop-database", m_folders.dataHome + "/applications"}, m_folders);
    return setDefaultApplication(kDesktopFile);
}

bool FileAssociation::remove() {
    const auto entry = readText(desktopEntryPath());
    const std::string previous = entry ? keyValue(*entry, "Desktop Entry", kPreviousKey) : std::string();
    bool ok = true;
    if (defaultApplication() == kDesktopFile) {
        // The user's line as it was before, or none (xdg-mime has no way to unset a default).
        const std::string path = m_folders.configHome + "/mimeapps.list";
        if (const auto text = readText(path))
            ok = writeText(path, withKey(*text, "Default Applications", kMimeType, previous));
    }
    if (!entry) return ok;
    ok &= removeFile(desktopEntryPath());
    ok &= removeFile(m_folders.dataHome + "/icons/hicolor/256x256/apps/stonewise.png");
    ok &= removeFile(m_folders.dataHome + "/mime/packages/stonewise.xml");
    if (!findOnPath("update-mime-database").empty())
        run({"update-mime-database", m_folders.dataHome + "/mime"}, m_folders);
    if (!findOnPath("update-desktop-database").empty())
        run({"update-desktop-database", m_folders.dataHome + "/applications"}, m_folders);
    return ok;
}

} // namespace stonewise
