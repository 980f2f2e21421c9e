// Settings.dat: any bytes read without harm; what was read writes and reads back the same.
#include <cstdint>
#include <span>

#include "FuzzCheck.h"
#include "store/SettingsFile.h"

using namespace stonewise;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    SettingsRecord s;
    const SettingsReadStatus status = decodeSettings(std::span(data, size), s);
    if (status == SettingsReadStatus::ShortHeader || status == SettingsReadStatus::BadVersion) return 0;
    FUZZ_CHECK(!s.mailGoTitlePattern || s.mailGoTitlePattern->size() < 256);
    FUZZ_CHECK(!s.bookPath || s.bookPath->size() < 256);
    FUZZ_CHECK(s.layoutSwitch <= 1 && s.viewFlags[0] == 1 && s.externalRecordMode == 0);
    const auto bytes = encodeSettings(s);
    SettingsRecord back;
    FUZZ_CHECK(decodeSettings(bytes, back) == SettingsReadStatus::Loaded);
    SettingsRecord expected = s;
    expected.layoutSwitch = 1; // every load sets it, and the writer always stores it
    FUZZ_CHECK(back == expected);
    FUZZ_CHECK(encodeSettings(back) == encodeSettings(expected));
    return 0;
}
