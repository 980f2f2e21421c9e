#include "app/CommandLine.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "record/Text.h"

namespace stonewise {

CommandLine parseCommandLine(std::u16string_view arguments) {
    CommandLine result;
    // Blanks around the arguments are not part of them.
    while (!arguments.empty() && (arguments.front() == u' ' || arguments.front() == u'\t')) arguments.remove_prefix(1);
    while (!arguments.empty() && (arguments.back() == u' ' || arguments.back() == u'\t')) arguments.remove_suffix(1);

    if (arguments == u"MOVIE") {
        result.largeWindow = true;
        return result;
    }
    if (const std::size_t at = arguments.find(u"LOCALE="); at != std::u16string_view::npos) {
        std::size_t i = at + 7;
        long value = 0;
        bool any = false;
        while (i < arguments.size() && arguments[i] >= u'0' && arguments[i] <= u'9') {
            value = (value * 10 + (arguments[i] - u'0')) & 0xFFFFFFL;
            ++i;
            any = true;
        }
        if (any) result.locale = static_cast<int>(value & 0xFFFF);
    }
    if (arguments.find(u"MODE=MAINTENANCE") != std::u16string_view::npos) result.maintenance = true;
    if (result.locale || result.maintenance || arguments.size() < 8) return result;
    if (arguments.front() == u'"') {
        const std::size_t close = arguments.find(u'"', 1);
        result.file = std::u16string(
            arguments.substr(1, close == std::u16string_view::npos ? std::u16string_view::npos : close - 1));
    } else {
        result.file = std::u16string(arguments);
    }
    return result;
}

namespace {

// The argument as a path from the root when it names a file relative to `currentFolder`.
std::string absoluteArgument(std::string_view arg, const std::string& currentFolder) {
    namespace fs = std::filesystem;
    if (arg.empty() || arg == "MOVIE" || arg.starts_with("LOCALE=") || arg.starts_with("MODE="))
        return std::string(arg);
    const fs::path given(arg);
    if (given.is_absolute() || currentFolder.empty()) return std::string(arg);
    const fs::path full = (fs::path(currentFolder) / given).lexically_normal();
    std::error_code ec;
    if (arg.size() < 8 && !fs::exists(full, ec)) return std::string(arg);
    return full.string();
}

} // namespace

std::u16string joinArguments(int argc, const char* const* argv, const std::string& currentFolder) {
    std::u16string out;
    for (int i = 1; i < argc; ++i) {
        if (i > 1) out += u' ';
        const std::u16string arg = fromUtf8(absoluteArgument(argv[i], currentFolder));
        if (arg.find(u' ') != std::u16string::npos) {
            out += u'"';
            out += arg;
            out += u'"';
        } else {
            out += arg;
        }
    }
    return out;
}

} // namespace stonewise
