#include "app/CommandLine.h"

#include <algorithm>
#include <charconv>
#include <cstdlib>
#include <filesystem>
#include <system_error>
#include <vector>

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

PrintCommandLine parsePrintCommandLine(int argc, const char* const* argv) {
    PrintCommandLine p;
    std::vector<std::string_view> args(argv + (argc > 0 ? 1 : 0), argv + std::max(argc, 1));
    p.requested = std::find(args.begin(), args.end(), "--print") != args.end();
    if (!p.requested) return p;
    const auto fail = [&p](std::string text) {
        if (p.error.empty()) p.error = std::move(text);
    };
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string_view a = args[i];
        const bool valued = a == "--print" || a == "--pdf" || a == "--from";
        if (valued && i + 1 >= args.size()) {
            fail(std::string(a) + " needs a value");
            break;
        }
        if (a == "--print") {
            p.file = args[++i];
        } else if (a == "--pdf") {
            p.pdf = args[++i];
        } else if (a == "--numbers") {
            p.numbers = true;
        } else if (a == "--from") {
            const std::string_view v = args[++i];
            int n = 0;
            const auto [end, ec] = std::from_chars(v.data(), v.data() + v.size(), n);
            if (ec != std::errc() || end != v.data() + v.size() || n < 1 || n > 9999)
                fail("--from takes a move number from 1 to 9999, not " + std::string(v));
            else p.from = n;
        } else {
            fail("unknown argument " + std::string(a));
        }
    }
    if (p.file.empty()) fail("--print needs a game-record file");
    if (p.pdf.empty()) fail("--pdf OUT.pdf is missing: only PDF output runs without a window");
    return p;
}

} // namespace stonewise
