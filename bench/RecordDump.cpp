// Prints every record of the corpus, field by field, as the readers build it: each sequence with
// its attributes, every node, every stored text with its index entry and every label, followed by
// the file the writer makes of it. Two builds of the reader that print the same lines read the
// corpus the same; a change meant to make reading faster is checked by comparing the output before
// and after. (A sequence's lookup cursor and change counter are left out: they tell how it was
// built, not what it holds.)
//
// usage: record_dump [CORPUS_DIR] > dump.txt   (reads each file plainly and with continuations merged)
// bench/sgf-random-files.py writes a folder of random small files to compare on as well.
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "formats/FileAccess.h"
#include "formats/GameFileLoader.h"
#include "formats/MemberDirectory.h"
#include "formats/SgfWriter.h"
#include "record/Text.h"

namespace {

using namespace stonewise;

// A text on one line of the dump: its line breaks written as \n and \r.
std::string utf8(std::u16string_view text) {
    std::string out;
    for (const char c : toUtf8(text)) {
        if (c == '\n') out += "\\n";
        else if (c == '\r') out += "\\r";
        else out.push_back(c);
    }
    return out;
}

void dumpSequence(const RecordSequence& s, std::FILE* out) {
    std::fprintf(out,
                 "seq depth=%d slot=%d id=%u branch=%d first=%d last=%d saved=%d handicap=%d leading=%d keepFirst=%d "
                 "offset=%d kind=%d answer=%d highest=%d nodes=%d texts=%d blocks=%d used=%d labels=%d parent=%d\n",
                 s.depth(), s.slot(), s.id(), s.branchNumber(), s.firstMoveNumber(), s.lastMoveNumber(),
                 s.savedLastMoveNumber(), s.handicapCount(), s.leadingSetupCount(), s.keepFirstMove() ? 1 : 0,
                 s.numberOffset(), s.kind(), s.answerKind(), s.highestChildSlot(), s.nodeCount(), s.comments().count(),
                 s.comments().blockCount(), s.comments().usedInLastBlock(), s.labelCount(),
                 s.parent() ? s.parent()->slot() : -1);
    for (const RecordNode& k : s.nodes())
        std::fprintf(out, " n%d t%d c%d m%d %d,%d d%d/%d b%d f%d k%d e%d l%u\n", k.index, static_cast<int>(k.type),
                     k.childSlot, k.moveNumber, k.x, k.y, k.data1, k.data2, k.branchNumber, k.flags, k.comment,
                     k.elapsed, k.listItem);
    for (int i = 0; i < s.comments().count(); ++i) {
        const CommentIndexEntry* e = s.comments().entry(i);
        std::fprintf(out, " text%d m%d len%d b%d o%d %s\n", i, e->moveNumber, e->length, e->block, e->offset,
                     utf8(s.comments().text(i)).c_str());
    }
    for (const LabelEntry& l : s.labels())
        std::fprintf(out, " label %d,%d s%d t%d m%d\n", l.x, l.y, l.small, l.textIndex, l.moveNumber);
    for (int slot = 1; slot <= s.highestChildSlot(); ++slot) {
        if (const RecordSequence* c = s.child(slot)) dumpSequence(*c, out);
        else std::fprintf(out, "free slot %d\n", slot);
    }
}

void dumpFile(const std::string& path, const std::string& bytes, GameFileKind kind, bool merge, std::FILE* out) {
    InMemoryMembers members;
    LoadSettings settings;
    settings.members = &members;
    settings.mergeContinuations = merge;
    const LoadedGame g = loadGameBytes(bytes, kind, u"dump", LoadRequest{}, settings);
    std::fprintf(out, "== %s merge=%d ok=%d failure=%d dropped=%d games=%d nesting=%d handicap=%d family=%d old=%d\n",
                 path.c_str(), merge ? 1 : 0, g.ok ? 1 : 0, static_cast<int>(g.failure), g.dropped, g.gamesInFile,
                 g.maxNesting, g.handicapStones, g.familyFile ? 1 : 0, g.oldDialect ? 1 : 0);
    for (const auto& [id, count] : g.losses) std::fprintf(out, "loss %d %d\n", id, count);
    for (const LoadMessage& m : g.messages) std::fprintf(out, "message %d %s\n", m.id, utf8(m.text).c_str());
    if (!g.ok) return;
    dumpSequence(*g.main, out);
    SgfWriteOptions options;
    options.encoding = SgfEncoding::Utf8;
    const SgfWriteResult written = writeSgf(*g.main, g.info, options);
    std::fprintf(out, "written %zu\n%s\n", written.bytes.size(), written.bytes.c_str());
}

} // namespace

int main(int argc, char** argv) {
    namespace fs = std::filesystem;
    const fs::path folder = argc > 1 ? fs::path(argv[1]) : fs::path(STONEWISE_CORPUS_DIR);
    if (!fs::is_directory(folder)) {
        std::fprintf(stderr, "record_dump: %s is not a folder\n", folder.string().c_str());
        return 1;
    }
    std::vector<std::string> paths;
    for (const auto& e : fs::recursive_directory_iterator(folder))
        if (e.is_regular_file() && gameFileKind(e.path().string()) != GameFileKind::Unknown)
            paths.push_back(e.path().string());
    std::sort(paths.begin(), paths.end());
    for (const std::string& path : paths) {
        const auto bytes = readFileBytes(path);
        if (!bytes) continue;
        const std::string shown = fs::relative(path, folder).string();
        for (const bool merge : {false, true}) dumpFile(shown, *bytes, gameFileKind(path), merge, stdout);
    }
    return 0;
}
