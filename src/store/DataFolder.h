#pragma once

#include <string>
#include <string_view>

namespace stonewise {

// The folder that holds every file the program keeps for its user. Its path always ends with "/",
// so that a file name is appended directly.
class DataFolder {
public:
    // The user's data folder: $STONEWISE_DATA_DIR when set, else $XDG_DATA_HOME (default
    // ~/.local/share) + "/Mirandel/Tamarindo/". The folders are created when missing; when that
    // fails the path is still given and the later file operations fail instead.
    static DataFolder user();
    // The user's data folder path as `user()` builds it, without creating anything.
    static std::string userPath();

    // A data folder at `path` (a "/" is added when missing); nothing is created.
    explicit DataFolder(std::string path);

    const std::string& path() const { return m_path; }
    // The path of a file in the folder.
    std::string file(std::string_view name) const { return m_path + std::string(name); }
    // "Group%03d": the folder name of a group.
    static std::string groupFolderName(int group);
    // The path of a group's folder, ending with "/".
    std::string groupFolder(int group) const { return m_path + groupFolderName(group) + "/"; }
    // The path of a file in a group's folder.
    std::string groupFile(int group, std::string_view name) const { return groupFolder(group) + std::string(name); }
    // Creates a group's folder when missing; false when it does not exist afterwards.
    bool createGroupFolder(int group) const;
    // Removes a group's (empty) folder; false when it fails.
    bool removeGroupFolder(int group) const;

private:
    std::string m_path;
};

// The path the desktop shows in its file manager for "Open data folder" (the user's data folder,
// created when missing).
std::string dataFolderToOpen();

// The folder of the running program file, ending with "/"; empty when it cannot be found.
std::string programFolder();

} // namespace stonewise
