#pragma once

#include <string>

namespace stonewise {

// Opening things with the desktop: a folder in the file manager, a web page, a mailto link.
class Shell {
public:
    virtual ~Shell() = default;
    virtual bool openFolder(const std::string& path) = 0;
    virtual bool openUrl(const std::string& url) = 0;
};

} // namespace stonewise
