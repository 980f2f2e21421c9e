// libFuzzer target for everything that reads outside game records: the byte decoding, the SGF
// reader with both dialects, the header pre-read, the UGF reader and clipboard text. The first byte
// picks the entry point; the rest is the input. A record that is read is written again and read
// back: the second reading must give the same record.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "formats/GameFileLoader.h"
#include "formats/MemberDirectory.h"
#include "formats/RecordComparison.h"
#include "formats/SgfReader.h"
#include "formats/SgfWriter.h"
#include "formats/TextEncoding.h"

using namespace stonewise;

namespace {

bool hasReferences(const RecordSequence& s) {
    for (const RecordNode& k : s.nodes()) {
        if (!k.isLink()) continue;
        if (k.linkKind() == kReference) return true;
        if (const RecordSequence* c = s.child(k.childSlot); c && hasReferences(*c)) return true;
    }
    return false;
}

void check(bool ok, const std::string& what) {
    if (ok) return;
    std::fprintf(stderr, "round trip differs: %s\n", what.c_str());
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1) return 0;
    const std::uint8_t selector = data[0];
    const std::string_view bytes(reinterpret_cast<const char*>(data + 1), size - 1);
    InMemoryMembers members;
    LoadSettings settings;
    settings.members = &members;
    settings.codePage = selector & 0x10 ? CodePage::Windows1252 : CodePage::Cp932;
    settings.mergeContinuations = selector & 0x20;
    settings.problemMode = selector & 0x40;
    LoadRequest request;
    request.mode = static_cast<LoadMode>(selector >> 6 & 3);
    GameInfo stored;
    request.storedInfo = &stored;

    LoadedGame game;
    switch (selector & 3) {
    case 0: game = loadGameBytes(bytes, GameFileKind::Sgf, u"fuzz", request, settings); break;
    case 1: game = loadGameBytes(bytes, GameFileKind::Ugf, u"fuzz", request, settings); break;
    case 2: {
        const DecodedText text = decodeGameRecordBytes(bytes, settings.codePage);
        game = loadClipboardText(text.text, request, settings);
        break;
    }
    default: {
        const DecodedText text = decodeGameRecordBytes(bytes, settings.codePage);
        (void)preReadSgfHeader(text.text, &members);
        return 0;
    }
    }
    if (!game.ok) return 0;

    SgfWriteOptions options;
    options.encoding = static_cast<SgfEncoding>((selector >> 2) % 3);
    options.codePage = settings.codePage;
    options.members = &members;
    const SgfWriteResult written = writeSgf(*game.main, game.info, options);
    LoadSettings again = settings;
    again.mergeContinuations = false;
    again.problemMode = false;
    const LoadedGame back = loadGameBytes(written.bytes, GameFileKind::Sgf, u"fuzz", LoadRequest{}, again);
    check(back.ok, "the written file does not read");
    if (hasReferences(*game.main) || game.dropped > 0) return 0;
    check(back.dropped == 0, "nodes dropped on the second reading");
    const std::string difference = test::recordDifference(*game.main, *back.main);
    check(difference.empty(), difference);
    return 0;
}
