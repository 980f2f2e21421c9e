#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "store/DataFolder.h"
#include "store/SettingsRecord.h"
#include "store/StoreMessage.h"

namespace stonewise {

class StringTable;

// How reading the settings bytes ended.
enum class SettingsReadStatus {
    Loaded,      // every field up to the end mark
    NoFile,      // neither "Settings.dat" nor "Settings_$.dat" could be opened
    ShortHeader, // fewer than 16 header bytes
    BadVersion,  // the version word is not 1
    Truncated,   // the fields ended without the end mark (the fields read are kept)
};

// Reads the bytes of a settings file into `s`: Default A, then each stored field in turn. Known
// number fields take their fixed width; fields 53, 54 and 55 take their length (never more than
// their width); texts are cut to 255 characters; unknown ids are skipped by their length. Whatever
// ended the fields, the first view flag becomes 1 and the external-record mode 0; field 35 is 1.
SettingsReadStatus decodeSettings(std::span<const std::uint8_t> bytes, SettingsRecord& s);

// The bytes of "Settings.dat" for `s`: the header, the fields in the file's order, the end mark.
std::vector<std::uint8_t> encodeSettings(const SettingsRecord& s);

// What loading the settings did, with the messages to show.
struct SettingsLoadResult {
    SettingsReadStatus status = SettingsReadStatus::NoFile;
    StoreMessages messages;
    bool ok() const { return status == SettingsReadStatus::Loaded; }
};

// Loads "Settings.dat" of the folder, or "Settings_$.dat" when the first cannot be opened. A wrong
// version leaves message 11607 titled 11606; every other failure is silent.
SettingsLoadResult loadSettings(const DataFolder& folder, SettingsRecord& s, const StringTable& strings);

// Saves the settings: the new file is written completely first, then the old "Settings.dat"
// becomes "Settings_$.dat" (replacing the one before) and the new file takes its name. False when
// the new file cannot be written; nothing stored is lost then.
bool saveSettings(const DataFolder& folder, const SettingsRecord& s);

// The settings as start-up uses them: a zero record, loaded; when loading fails Default B over
// what was read; then the start-up repairs.
SettingsLoadResult startUpSettings(const DataFolder& folder, SettingsRecord& s, const StringTable& strings,
                                   bool japaneseInterface);

inline constexpr const char* kSettingsFileName = "Settings.dat";
inline constexpr const char* kSettingsPreviousFileName = "Settings_$.dat";

} // namespace stonewise
