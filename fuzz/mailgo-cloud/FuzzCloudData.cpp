// CloudData.dat: any bytes read without harm; a registry that reads writes and reads back the same,
// and every identifier of it answers without harm.
#include <cstdint>
#include <span>

#include "../store/FuzzCheck.h"
#include "mailgo/CloudRegistryFile.h"

using namespace stonewise;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const CloudDataRead read = decodeCloudData(std::span(data, size));
    if (read.status != StoreReadStatus::Ok) {
        FUZZ_CHECK(read.folders.empty());
        return 0;
    }
    FUZZ_CHECK(read.folders.size() <= kCloudFolderLimit);
    for (std::size_t n = 0; n < read.folders.size(); ++n)
        if (const auto& f = read.folders[n]) {
            FUZZ_CHECK(f->number == n + 1);
            FUZZ_CHECK(f->path.size() < kCloudPathBuffer && f->files.size() <= kCloudFileSlotLimit);
        }
    const auto bytes = encodeCloudData(read.folders);
    const CloudDataRead back = decodeCloudData(bytes);
    FUZZ_CHECK(back.status == StoreReadStatus::Ok && back.folders == read.folders);

    // The registry over these folders with a few time records.
    CloudRegistry registry(read.folders, std::vector<CloudTime>(3, CloudTime{2026, 1, 1, 0, 0, 0}));
    for (std::size_t n = 0; n < registry.folders().size() && n < 4; ++n) {
        const auto& f = registry.folders()[n];
        if (!f) continue;
        for (std::size_t slot = 0; slot < f->files.size() && slot < 8; ++slot) {
            const CloudFileEntry& e = f->files[slot];
            FUZZ_CHECK(e.timeSlot >= -1 && e.timeSlot < registry.timeCount());
            const CloudFileId id = cloudFileId(f->number, static_cast<int>(slot), e.generation);
            FUZZ_CHECK((registry.entry(id) != nullptr) == !e.deleted());
            (void)registry.path(id);
            FUZZ_CHECK(registry.entry(id + 1) == nullptr || registry.entry(id + 1) != registry.entry(id));
        }
    }
    return 0;
}
