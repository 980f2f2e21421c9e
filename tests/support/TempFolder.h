#pragma once

#include <string>

namespace stonewise::test {

// A fresh folder under the system's temporary folder, removed with everything in it at the end.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    // The folder's path, ending with "/".
    const std::string& path() const { return m_path; }

private:
    std::string m_path;
};

} // namespace stonewise::test
