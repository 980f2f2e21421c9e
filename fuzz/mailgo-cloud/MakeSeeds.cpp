// Writes a first corpus for the cloud registry's fuzz targets: files the registry writes itself.
#include <cstdio>
#include <string>
#include <vector>

#include "mailgo/CloudRegistryFile.h"

using namespace stonewise;

namespace {
void put(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    if (std::FILE* f = std::fopen(path.c_str(), "wb")) {
        std::fwrite(bytes.data(), 1, bytes.size(), f);
        std::fclose(f);
    }
}
} // namespace

int main(int argc, char** argv) {
    if (argc < 2) return 2;
    const std::string out = argv[1];
    CloudRegistry r;
    r.registerFile(u"/home/user/Cloud/Go/第3局.nextmove");
    r.registerFile(u"/home/user/Cloud/Go/game2.nextmove");
    const auto dropped = r.registerFile(u"/home/user/Other/x.nextmove");
    r.dropFile(dropped.id);
    r.registerFile(u"/home/user/Other/y.nextmove");
    put(out + "/cloud_data/registry", encodeCloudData(r.folders()));
    put(out + "/cloud_data/empty", encodeCloudData({}));
    put(out + "/cloud_data/empty-slot", encodeCloudData({std::nullopt, r.folders()[0]}));
    const std::vector<CloudTime> times{{2026, 12, 10, 23, 59, 58}, {}, {2001, 2, 3, 4, 5, 6}};
    put(out + "/cloud_time/block", encodeCloudTimeBlock(times, 3));
    put(out + "/cloud_time/empty", encodeCloudTimeBlock({}, 0));
    return 0;
}
