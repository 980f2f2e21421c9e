#include "search/PatternBuild.h"

#include <dirent.h>

#include <algorithm>
#include <cstdio>

#include "record/StringTable.h"
#include "record/Text.h"
#include "search/PatternDatabase.h"
#include "search/PatternFile.h"
#include "search/PatternLine.h"
#include "search/PatternTexts.h"
#include "store/FileIo.h"
#include "store/GameStore.h"

namespace stonewise {

namespace {

constexpr int kMaxVariationNumber = 999; // the variation's place in a pattern file's name

// Writes a pattern file plainly: it is an intermediate that the merge checks and the next build
// removes, so it needs neither a temporary name nor a flush.
bool writePatternFile(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return false;
    bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    ok = std::fclose(f) == 0 && ok;
    if (!ok) std::remove(path.c_str());
    return ok;
}

bool hasAnalysableFlags(std::uint8_t flags) {
    return flags == 0 || (flags & (kTypeFlagReference | kTypeFlagJoseki | kTypeFlagFuseki)) != 0;
}

// One build run: the analyser and the buffers it reuses from game to game.
class Builder {
public:
    Builder(const std::string& folder, PatternBuildWatcher& watcher) : m_folder(folder), m_watcher(watcher) {}

    int written() const { return m_written; }
    bool full() const { return m_written >= kMaxPatternGames; }

    // Analyses the main line of a record and the variations asked for, writing a pattern file each.
    void writeRecord(const RecordSequence& main, int boardSize, std::uint8_t flags, PatternGameId id,
                     std::u16string_view name, bool variations, bool variationsOfVariations) {
        if (!hasAnalysableFlags(flags)) {
            m_watcher.message(formatText(uiText(kTextCannotAnalyse), {name}), uiText(kTextPatternAnalysis));
            return;
        }
        id.recordType = recordTypeOf(flags);
        if (!writeLine(main, boardSize, flags, id, name) || !variations) return;
        forEachVariation(main, variationsOfVariations, [&](const RecordSequence& line) {
            if (full() || id.variation >= kMaxVariationNumber) return;
            ++id.variation;
            writeLine(line, boardSize, flags, id, name);
        });
    }

private:
    bool writeLine(const RecordSequence& leaf, int boardSize, std::uint8_t flags, PatternGameId id,
                   std::u16string_view name) {
        if (full()) return false;
        collectLine(leaf, m_line);
        if (!m_analyzer.analyse(m_line, boardSize, flags)) return false;
        const int last = std::max(leaf.lastMoveNumber(), 0);
        id.nodes = static_cast<std::uint16_t>(last + 1);
        id.moves = static_cast<std::uint8_t>(last & 0xFF);
        encodePatternFile(m_analyzer, id, name, m_bytes, m_replays);
        if (!writePatternFile(m_folder + patternFileName(id.group, id.game, id.variation), m_bytes)) {
            m_watcher.message(uiText(kTextCannotOpenSaveFile), uiText(kTextPatternAnalysis));
            return false;
        }
        ++m_written;
        return true;
    }

    const std::string& m_folder;
    PatternBuildWatcher& m_watcher;
    PatternAnalyzer m_analyzer;
    PatternReplays m_replays;
    std::vector<LineStone> m_line;
    std::vector<std::uint8_t> m_bytes;
    int m_written = 0;
};

PatternBuildResult finish(PatternBuildResult::Status status, int composed, int patterns, std::u16string text) {
    PatternBuildResult r;
    r.status = status;
    r.composed = composed;
    r.patterns = patterns;
    r.text = std::move(text);
    return r;
}

} // namespace

std::vector<std::string> listPatternFiles(const std::string& folder) {
    std::vector<std::string> names;
    DIR* dir = ::opendir(folder.c_str());
    if (!dir) return names;
    while (const dirent* e = ::readdir(dir)) {
        const std::string_view name = e->d_name;
        if (name.size() > 8 && name.starts_with("PAT_") && name.ends_with(".dat")) names.emplace_back(name);
    }
    ::closedir(dir);
    std::sort(names.begin(), names.end());
    return names;
}

bool removePatternFiles(const std::string& folder) {
    bool ok = true;
    for (const std::string& name : listPatternFiles(folder)) ok = removeFile(folder + name) && ok;
    return ok;
}

PatternBuildResult buildPatternDatabase(GameStore& store, const std::vector<CompositionEntry>& composition,
                                        const PatternBuildOptions& options, PatternBuildWatcher& watcher,
                                        PatternBookSource* books) {
    using Status = PatternBuildResult::Status;
    const int composed = static_cast<int>(composition.size());
    const std::string folder = patternFolder(store.folder().path(), options.kind);
    if (!makeFolders(folder) || !removePatternFiles(folder))
        return finish(Status::Failed, composed, 0, std::u16string(uiText(kTextBuildFailed)));

    Builder builder(folder, watcher);
    std::vector<int> booksNamed;
    for (int i = 0; i < composed && !builder.full(); ++i) {
        const CompositionEntry& entry = composition[static_cast<std::size_t>(i)];
        if (!watcher.progress(i, composed, formatText(uiText(kTextAnalysing), {std::u16string_view(entry.name)}))) {
            removePatternFiles(folder);
            return finish(Status::Stopped, composed, 0, std::u16string(uiText(kTextBuildStopped)));
        }
        if (entry.isBook()) {
            const int book = entry.group - kBookGroupBase;
            const bool taken =
                books &&
                books->forEachRecord(book, options.kind,
                                     [&](const RecordSequence& record, int size, std::uint8_t flags, int bookEntry,
                                         std::u16string_view name) {
                                         const bool variations = (flags & (kTypeFlagJoseki | kTypeFlagFuseki)) != 0;
                                         PatternGameId id;
                                         id.group = entry.group;
                                         id.game = static_cast<std::uint16_t>(bookEntry);
                                         id.bookEntry = static_cast<std::uint16_t>(bookEntry);
                                         builder.writeRecord(record, size, flags, id, name, variations, variations);
                                     });
            if (!taken && std::find(booksNamed.begin(), booksNamed.end(), book) == booksNamed.end()) {
                booksNamed.push_back(book);
                watcher.message(formatText(uiText(kTextBookNotReadable), {book}), uiText(kTextPatternAnalysis));
            }
            continue;
        }
        if (entry.group >= kScratchGroup) continue;
        StoreMessages messages;
        const GameInfo* info = store.gameList(entry.group, messages).find(entry.game);
        GameFileRead read = store.readGame(entry.group, entry.game, messages);
        for (const StoreMessage& m : messages) watcher.message(m.text, m.title);
        if (read.status != StoreReadStatus::Ok || !read.main) continue;
        const GameInfo* shown = info ? info : (read.entry ? &*read.entry : nullptr);
        const std::u16string name = shown ? shown->name : entry.name;
        PatternGameId id;
        id.group = entry.group;
        id.game = entry.game;
        // The store's games carry no reference, joseki or fuseki flag: they are general records.
        builder.writeRecord(*read.main, shown ? shown->boardSize() : 19, 0, id, name, true, options.variations);
    }
    if (builder.full())
        watcher.message(formatText(uiText(kTextPatternLimit), {kMaxPatternGames}), uiText(kTextPatternAnalysis));

    std::vector<std::vector<std::uint8_t>> files;
    for (const std::string& name : listPatternFiles(folder)) {
        std::optional<std::vector<std::uint8_t>> bytes = readWholeFile(folder + name);
        files.push_back(bytes ? std::move(*bytes) : std::vector<std::uint8_t>{});
    }
    const MergeResult merged = mergePatterns(files, folder, options.kind);
    removePatternFiles(folder);
    if (!merged.ok) return finish(Status::Failed, composed, 0, std::u16string(uiText(kTextBuildFailed)));
    if (!writeComposition(folder + kCompositionFile, composition))
        watcher.message(uiText(kTextCannotOpenSaveFile), uiText(kTextPatternAnalysis));
    return finish(Status::Built, composed, merged.games, formatText(uiText(kTextBuilt), {composed, merged.games}));
}

} // namespace stonewise
