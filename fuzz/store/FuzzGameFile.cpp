// Game files: any bytes read without harm; a record that reads writes and reads back the same in
// both node forms.
#include <cstdint>
#include <span>

#include "FuzzCheck.h"
#include "store/GameFile.h"

using namespace stonewise;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const GameFileRead read = decodeGameFile(std::span(data, size));
    if (read.status != StoreReadStatus::Ok) {
        FUZZ_CHECK(!read.main);
        return 0;
    }
    FUZZ_CHECK(read.main && read.main->isValid());
    const GameInfo* entry = read.entry ? &*read.entry : nullptr;
    for (NodeForm form : {NodeForm::Ordinary, NodeForm::Compact}) {
        const auto bytes = encodeGameFile(*read.main, entry, form);
        const GameFileRead back = decodeGameFile(bytes);
        FUZZ_CHECK(back.status == StoreReadStatus::Ok);
        FUZZ_CHECK(encodeGameFile(*back.main, back.entry ? &*back.entry : nullptr, form) == bytes);
    }
    return 0;
}
