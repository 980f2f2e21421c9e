// Game list pages: any bytes read without harm; the entries read write and read back the same.
#include <cstdint>
#include <span>

#include "FuzzCheck.h"
#include "store/GameListPage.h"

using namespace stonewise;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1) return 0;
    const int page = data[0] % kGameListPages;
    const GameListPageRead read = decodeGameListPage(std::span(data + 1, size - 1), page);
    FUZZ_CHECK(read.used >= 0 && read.used <= kGamesPerPage);
    const auto bytes = encodeGameListPage(read.entries);
    const GameListPageRead back = decodeGameListPage(bytes, page);
    FUZZ_CHECK(back.status == StoreReadStatus::Ok && back.used == read.used);
    FUZZ_CHECK(encodeGameListPage(back.entries) == bytes);
    return 0;
}
