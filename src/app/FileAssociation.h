#pragma once

#include <string>

namespace stonewise {

// Whose ".sgf" files are: nobody's default, another program's, a Stonewise of another place (an
// older copy, the installed package while this one runs from a build), or this program's.
enum class AssociationState { None = 0, OtherProgram = -1, Elsewhere = 1, ThisProgram = 2 };

// The desktop's per-user folders (XDG base directories).
struct XdgFolders {
    std::string dataHome;   // $XDG_DATA_HOME, else ~/.local/share
    std::string configHome; // $XDG_CONFIG_HOME, else ~/.config
    std::string dataDirs;   // $XDG_DATA_DIRS, else /usr/local/share:/usr/share
    static XdgFolders user();
};

// Game records (".sgf", the MIME type "application/x-go-sgf") opened by this program on the Linux
// desktop, for the user: a desktop entry and icon in the user's data folder, the file type
// registered there, and the default application in the user's "mimeapps.list". The xdg-utils
// commands are used where they are installed (they know each desktop's own files); otherwise the
// files are written as the XDG specifications describe. Removing puts back the default there was
// before and takes away what setting added.
class FileAssociation {
public:
    FileAssociation(XdgFolders folders, std::string programPath, std::string iconPath);

    AssociationState query() const;
    // False when a file could not be written; what was done so far stays.
    bool set();
    bool remove();

    // The desktop entry's file name and the file type.
    static constexpr const char* kDesktopFile = "stonewise.desktop";
    static constexpr const char* kMimeType = "application/x-go-sgf";

private:
    std::string desktopEntryPath() const;
    // The default application's desktop file for the type, or empty.
    std::string defaultApplication() const;
    bool setDefaultApplication(const std::string& desktopFile) const;
    // The program a desktop entry of ours starts (its Exec), or empty.
    std::string programOfEntry(const std::string& desktopFile) const;

    XdgFolders m_folders;
    std::string m_program;
    std::string m_icon;
};

} // namespace stonewise
