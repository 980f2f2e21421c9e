#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace stonewise {

// One installed book package: six numbers (ids 1, 2, 3, 4, 8, 9, each with the width it was
// stored with) and three texts (ids 5, 6, 7).
struct InstalledPackage {
    struct Number {
        std::uint32_t value = 0;
        std::uint8_t width = 4; // 1, 2 or 4 bytes
        bool operator==(const Number&) const = default;
    };
    std::array<Number, 6> numbers{};     // ids 1, 2, 3, 4, 8, 9
    std::array<std::u16string, 3> texts; // ids 5, 6, 7

    bool operator==(const InstalledPackage&) const = default;
};

constexpr const char* kInstallerListFileName = "installerList.dat";

// "installerList.dat" in "BookFolder": the installed packages.
struct InstallerList {
    std::vector<InstalledPackage> packages;

    // Reads the file's bytes; a short header or another magic gives an empty list, damage inside
    // keeps the packages read so far.
    static InstallerList decode(std::span<const std::uint8_t> bytes);
    std::vector<std::uint8_t> encode() const;
    // A missing file gives an empty list.
    static InstallerList load(const std::string& path);
    bool save(const std::string& path) const;
    bool operator==(const InstallerList&) const = default;
};

} // namespace stonewise
