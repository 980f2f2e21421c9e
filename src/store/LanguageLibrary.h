#pragma once

#include <memory>
#include <string>

#include "record/StringTable.h"

namespace stonewise {

// A loaded language library and the numbered texts it holds. The library stays loaded as long as
// the object lives; the table's texts live in the library.
class LanguageLibrary {
public:
    // Loads the library at `path` (a name without "/" is looked for in `programFolder` first, then
    // where the system looks for libraries). Its texts come from the block that the export
    // `DllGetInstanceHandle` returns, or else from its exported block `stonewiseLanguageResources`.
    // Null when the library does not load or holds no valid block.
    static std::unique_ptr<LanguageLibrary> load(const std::string& path, const std::string& programFolder = {});

    ~LanguageLibrary();
    LanguageLibrary(const LanguageLibrary&) = delete;
    LanguageLibrary& operator=(const LanguageLibrary&) = delete;

    const StringTable& strings() const { return m_strings; }
    const std::string& languageName() const { return m_name; }
    const std::string& path() const { return m_path; }

private:
    LanguageLibrary() = default;
    void* m_handle = nullptr;
    StringTable m_strings;
    std::string m_name;
    std::string m_path;
};

// Whether a locale number is Japanese (its low 8 bits are 0x11).
constexpr bool isJapaneseLocale(long localeNumber) { return (localeNumber & 0xFF) == 0x11; }

// The user's locale as a Windows locale number, from LC_ALL, LC_MESSAGES or LANG ("ja_JP.UTF-8"
// gives 0x0411, "en_US" 0x0409; "C", "POSIX" or no setting 0x0411, the program's own language); a language the table
// does not know gives 0x007F.
long userLocaleNumber();

// The interface language for a locale number: null for Japanese (the program's own texts), and
// when "LanguageList.txt" in `programFolder` is missing, names no library for the number, or the
// library does not load. Otherwise the loaded library, to be kept until shutdown.
std::unique_ptr<LanguageLibrary> chooseInterfaceLanguage(long localeNumber, const std::string& programFolder);

} // namespace stonewise
