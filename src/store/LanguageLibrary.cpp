#include "store/LanguageLibrary.h"

#include <cstdlib>
#include <cstring>
#include <string_view>
#include <utility>
#include <vector>

#include <dlfcn.h>

#include "record/Text.h"
#include "store/FileIo.h"
#include "store/LanguageList.h"
#include "store/LanguageResources.h"

namespace stonewise {

namespace {

constexpr std::size_t kMaxTextLength = 65535;
constexpr std::uint32_t kMaxStrings = 100000;

std::u16string_view boundedText(const char16_t* text) {
    if (!text) return {};
    std::size_t n = 0;
    while (n < kMaxTextLength && text[n]) ++n;
    return {text, n};
}

} // namespace

std::unique_ptr<LanguageLibrary> LanguageLibrary::load(const std::string& path, const std::string& folder) {
    void* handle = nullptr;
    std::string used = path;
    if (path.find('/') == std::string::npos && !folder.empty()) {
        used = folder + (folder.back() == '/' ? "" : "/") + path;
        handle = ::dlopen(used.c_str(), RTLD_NOW | RTLD_LOCAL);
    }
    if (!handle) {
        used = path;
        handle = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    }
    if (!handle) return nullptr;

    const void* instance = nullptr;
    if (void* getter = ::dlsym(handle, "DllGetInstanceHandle")) {
        StonewiseGetInstanceHandle get;
        std::memcpy(&get, &getter, sizeof get);
        instance = get();
    } else {
        instance = ::dlsym(handle, "stonewiseLanguageResources");
    }
    const auto* block = static_cast<const StonewiseLanguageResources*>(instance);
    if (!block || block->magic != STONEWISE_LANGUAGE_MAGIC || block->version != STONEWISE_LANGUAGE_VERSION ||
        block->count > kMaxStrings || (block->count && !block->strings)) {
        ::dlclose(handle);
        return nullptr;
    }
    std::vector<StringTable::Entry> entries;
    entries.reserve(block->count);
    for (std::uint32_t i = 0; i < block->count; ++i)
        entries.emplace_back(block->strings[i].id, boundedText(block->strings[i].text));

    std::unique_ptr<LanguageLibrary> library(new LanguageLibrary());
    library->m_handle = handle;
    library->m_strings = StringTable(std::move(entries));
    library->m_name = block->languageName ? std::string(block->languageName) : std::string();
    library->m_path = used;
    return library;
}

LanguageLibrary::~LanguageLibrary() {
    m_strings = StringTable();
    if (m_handle) ::dlclose(m_handle);
}

long userLocaleNumber() {
    std::string locale;
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* v = std::getenv(name);
        if (v && *v) {
            locale = v;
            break;
        }
    }
    // No language asked for (unset, "C", "POSIX"): the program's own Japanese.
    if (locale.empty() || locale == "C" || locale == "POSIX" || locale.starts_with("C.")) return 0x0411;
    const std::string language = locale.substr(0, locale.find_first_of("_.@"));
    static constexpr std::pair<std::string_view, long> kLanguages[] = {
        {"ja", 0x0411}, {"en", 0x0409}, {"de", 0x0407}, {"fr", 0x040C}, {"es", 0x0C0A}, {"it", 0x0410},
        {"zh", 0x0804}, {"ko", 0x0412}, {"nl", 0x0413}, {"pt", 0x0816}, {"ru", 0x0419}, {"pl", 0x0415},
        {"sv", 0x041D}, {"da", 0x0406}, {"fi", 0x040B}, {"nb", 0x0414}, {"cs", 0x0405}, {"hu", 0x040E},
    };
    for (const auto& [code, number] : kLanguages)
        if (language == code) return number;
    return 0x007F;
}

std::unique_ptr<LanguageLibrary> chooseInterfaceLanguage(long localeNumber, const std::string& folder) {
    if (isJapaneseLocale(localeNumber)) return nullptr;
    std::string listPath = folder;
    if (!listPath.empty() && listPath.back() != '/') listPath.push_back('/');
    const auto bytes = readWholeFile(listPath + kLanguageListFileName, 1u << 20);
    if (!bytes) return nullptr;
    const auto library = chooseLanguageLibrary(parseLanguageList(*bytes), localeNumber);
    if (!library) return nullptr;
    return LanguageLibrary::load(toUtf8(*library), folder);
}

} // namespace stonewise
