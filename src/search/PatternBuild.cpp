#include "search/PatternBuild.h"

#include <algorithm>

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

bool hasAnalysableFlags(std::uint8_t flags) {
    return flags == 0 || (flags & (kTypeFlagReference | kTypeFlagJoseki | kTypeFlagFuseki)) != 0;
}

// One build run: the analyser and the buffers it reuses from game to game.
class Builder {
public:
    explicit Builder(PatternBuildWatcher& watcher) : m_watcher(watcher) {}

    bool full() const { return m_ends.size() >= static_cast<std::size_t>(kMaxPatternGames); }
    // The pattern files made so far, one after another in one block.
    PatternFiles files() const {
        PatternFiles files;
        std::size_t start = 0;
        for (const std::size_t end : m_ends) {
            files.push_back(std::span<const std::uint8_t>(m_block).subspan(start, end - start));
            start = end;
        }
        return files;
    }

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
        m_block.insert(m_block.end(), m_bytes.begin(), m_bytes.end());
        m_ends.push_back(m_block.size());
        return true;
    }

    PatternBuildWatcher& m_watcher;
    PatternAnalyzer m_analyzer;
    PatternReplays m_replays;
    std::vector<LineStone> m_line;
    std::vector<std::uint8_t> m_bytes;
    std::vector<std::uint8_t> m_block;
    std::vector<std::size_t> m_ends;
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

PatternBuildResult buildPatternDatabase(GameStore& store, const std::vector<CompositionEntry>& composition,
                                        const PatternBuildOptions& options, PatternBuildWatcher& watcher,
                                        PatternBookSource* books) {
    using Status = PatternBuildResult::Status;
    const int composed = static_cast<int>(composition.size());
    const std::string folder = patternFolder(store.folder().path(), options.kind);
    if (!makeFolders(folder)) return finish(Status::Failed, composed, 0, std::u16string(uiText(kTextBuildFailed)));

    Builder builder(watcher);
    std::vector<int> booksNamed;
    for (int i = 0; i < composed && !builder.full(); ++i) {
        const CompositionEntry& entry = composition[static_cast<std::size_t>(i)];
        if (!watcher.progress(i, composed, formatText(uiText(kTextAnalysing), {std::u16string_view(entry.name)})))
            return finish(Status::Stopped, composed, 0, std::u16string(uiText(kTextBuildStopped)));
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

    const MergeResult merged = mergePatterns(builder.files(), folder, options.kind);
    if (!merged.ok) return finish(Status::Failed, composed, 0, std::u16string(uiText(kTextBuildFailed)));
    if (!writeComposition(folder + kCompositionFile, composition))
        watcher.message(uiText(kTextCannotOpenSaveFile), uiText(kTextPatternAnalysis));
    return finish(Status::Built, composed, merged.games, formatText(uiText(kTextBuilt), {composed, merged.games}));
}

} // namespace stonewise
