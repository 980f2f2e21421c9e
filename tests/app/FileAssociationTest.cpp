// Game records tied to the program on the desktop, for the user: the states the function settings
// show, setting and removing, with and without the xdg-utils commands.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

#include <sys/stat.h>

#include "app/FileAssociation.h"
#include "store/FileIo.h"
#include "support/TempFolder.h"

namespace stonewise {
namespace {

std::string slurp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

void writeFile(const std::string& path, const std::string& text) {
    makeFolders(path.substr(0, path.find_last_of('/')));
    std::ofstream(path, std::ios::binary) << text;
}

// A program file the desktop takes for one (xdg-mime passes over entries whose program is missing).
void writeProgram(const std::string& path) {
    writeFile(path, "#!/bin/sh\n");
    ::chmod(path.c_str(), 0755);
}

// PATH for one test: the xdg-utils commands found or not.
class PathForTest {
public:
    explicit PathForTest(bool withDesktopTools) : m_old(std::getenv("PATH") ? std::getenv("PATH") : "") {
        if (!withDesktopTools) ::setenv("PATH", "/nonexistent", 1);
    }
    ~PathForTest() { ::setenv("PATH", m_old.c_str(), 1); }

private:
    std::string m_old;
};

class FileAssociationTest : public ::testing::TestWithParam<bool> {};

TEST_P(FileAssociationTest, SettingMakesTheProgramTheDefaultAndRemovingPutsBackTheUsersOwn) {
    const bool tools = GetParam();
    if (tools && std::system("command -v xdg-mime >/dev/null") != 0) GTEST_SKIP() << "xdg-utils not installed";
    test::TempFolder folder;
    XdgFolders xdg{folder.path() + "data", folder.path() + "config", folder.path() + "system"};
    const std::string program = folder.path() + "bin/stonewise";
    const std::string icon = folder.path() + "bin/stonewise.png";
    writeProgram(program);
    writeFile(icon, "picture");
    // Another program is the user's default, and the file holds other types too.
    writeFile(xdg.dataHome + "/applications/other.desktop",
              "[Desktop Entry]\nType=Application\nName=Other\nExec=other %f\nMimeType=application/x-go-sgf;\n");
    const std::string mimeapps = xdg.configHome + "/mimeapps.list";
    const std::string before =
        "[Default Applications]\napplication/x-go-sgf=other.desktop\ntext/plain=editor.desktop\n";
    writeFile(mimeapps, before);

    PathForTest path(tools);
    FileAssociation association(xdg, program, icon);
    EXPECT_EQ(association.query(), AssociationState::OtherProgram);
    ASSERT_TRUE(association.set());
    EXPECT_EQ(association.query(), AssociationState::ThisProgram);
    EXPECT_NE(slurp(mimeapps).find("application/x-go-sgf=stonewise.desktop"), std::string::npos);
    EXPECT_NE(slurp(mimeapps).find("text/plain=editor.desktop"), std::string::npos);
    EXPECT_EQ(slurp(xdg.dataHome + "/icons/hicolor/256x256/apps/stonewise.png"), "picture");
    EXPECT_NE(slurp(xdg.dataHome + "/mime/packages/stonewise.xml").find("*.sgf"), std::string::npos);
    // Set again (the check box clicked twice): the earlier default is still the one remembered.
    ASSERT_TRUE(association.set());
    // The same entry seen from another copy of the program.
    EXPECT_EQ(FileAssociation(xdg, folder.path() + "elsewhere/stonewise", icon).query(), AssociationState::Elsewhere);

    ASSERT_TRUE(association.remove());
    EXPECT_EQ(association.query(), AssociationState::OtherProgram);
    EXPECT_EQ(slurp(mimeapps), before);
    EXPECT_FALSE(pathExists(xdg.dataHome + "/applications/stonewise.desktop"));
    EXPECT_FALSE(pathExists(xdg.dataHome + "/mime/packages/stonewise.xml"));
}

TEST_P(FileAssociationTest, WithoutADefaultBeforeRemovingLeavesNone) {
    const bool tools = GetParam();
    if (tools && std::system("command -v xdg-mime >/dev/null") != 0) GTEST_SKIP() << "xdg-utils not installed";
    test::TempFolder folder;
    XdgFolders xdg{folder.path() + "data", folder.path() + "config", folder.path() + "system"};
    PathForTest path(tools);
    // A program path with a blank and a quote is written into the entry escaped.
    const std::string program = folder.path() + "my \"Go\" programs/stonewise";
    writeProgram(program);
    FileAssociation association(xdg, program, folder.path() + "no-icon.png");
    EXPECT_EQ(association.query(), AssociationState::None);
    ASSERT_TRUE(association.set());
    EXPECT_EQ(association.query(), AssociationState::ThisProgram);
    EXPECT_NE(slurp(xdg.dataHome + "/applications/stonewise.desktop")
                  .find("Exec=\"" + folder.path() + "my \\\"Go\\\" programs/stonewise\" %f"),
              std::string::npos);
    ASSERT_TRUE(association.remove());
    EXPECT_EQ(association.query(), AssociationState::None);
    // Removing again has nothing to do.
    EXPECT_TRUE(association.remove());
}

INSTANTIATE_TEST_SUITE_P(DesktopTools, FileAssociationTest, ::testing::Bool(),
                         [](const auto& info) { return info.param ? "WithXdgUtils" : "FilesOnly"; });

} // namespace
} // namespace stonewise
