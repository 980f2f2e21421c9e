#include "StoreTestSupport.h"

#include <bit>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include <gtest/gtest.h>

namespace stonewise::test {

Bytes& Bytes::f32(float v) { return u32(std::bit_cast<std::uint32_t>(v)); }

TempDataFolder::TempDataFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "stonewise-store-XXXXXX").string();
    if (!::mkdtemp(pattern.data())) ADD_FAILURE() << "cannot create a temporary folder";
    m_path = pattern + "/";
    ::setenv("STONEWISE_DATA_DIR", m_path.c_str(), 1);
}

TempDataFolder::~TempDataFolder() {
    std::error_code ec;
    std::filesystem::remove_all(m_path, ec);
}

void writeTestFile(const std::string& path, std::span<const std::uint8_t> bytes) {
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    ASSERT_TRUE(out.good()) << path;
}

std::vector<std::uint8_t> readTestFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

} // namespace stonewise::test
