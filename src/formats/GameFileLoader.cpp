#include "formats/GameFileLoader.h"
#include "record/StringTable.h"

#include "formats/FileAccess.h"
#include "formats/MemberDirectory.h"
#include "formats/SgfReader.h"
#include "formats/SgfWriter.h"
#include "formats/UgfReader.h"
#include "record/Text.h"

#include <algorithm>

namespace stonewise {

namespace {

constexpr int kReadTitle = 11606;

bool endsWithFolded(std::string_view s, std::string_view suffix) {
    if (s.size() < suffix.size()) return false;
    for (std::size_t i = 0; i < suffix.size(); ++i) {
        char c = s[s.size() - suffix.size() + i];
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
        if (c != suffix[i]) return false;
    }
    return true;
}

// The file's name without its folder and extension, as a game name.
std::u16string fileStem(std::string_view path) {
    const std::size_t slash = path.find_last_of("/\\");
    std::string_view name = slash == std::string_view::npos ? path : path.substr(slash + 1);
    const std::size_t dot = name.rfind('.');
    if (dot != std::string_view::npos && dot > 0) name = name.substr(0, dot);
    return isValidUtf8(name) ? fromUtf8(name) : std::u16string(name.begin(), name.end());
}

DecodedText decodeFile(std::string_view bytes, const LoadSettings& settings) {
    DecodeOptions options;
    options.systemPage = settings.codePage;
    options.forcedCharset = settings.charset;
    return decodeGameRecordBytes(bytes, options);
}

LoadedGame failed(LoadFailure why, GameFileKind kind) {
    LoadedGame g;
    g.failure = why;
    g.kind = kind;
    g.main = RecordSequence::createMain(nullptr);
    return g;
}

// The header a read starts from, and the mode actually used.
GameInfo startingInfo(LoadMode& mode, const LoadRequest& request, const LoadSettings& settings) {
    if (mode == LoadMode::Overwrite) {
        std::optional<GameInfo> stored;
        if (settings.games && !request.gameName.empty()) stored = settings.games->findGame(request.gameName);
        if (stored) {
            GameInfo info = *stored;
            clearForOverwrite(info);
            return info;
        }
        mode = LoadMode::NewGame;
    }
    return GameInfo{};
}

// The steps after a read that depend on the load mode: name, identity and waiting time.
void settle(LoadedGame& g, std::u16string_view readName, std::u16string_view fileName, const LoadRequest& request,
            const LoadSettings& settings) {
    GameInfo& info = g.info;
    if (g.mode == LoadMode::StoreLoad) {
        if (request.storedInfo) {
            info.number = request.storedInfo->number;
            info.name = request.storedInfo->name;
            info.gameComment = request.storedInfo->gameComment;
            info.carriedText = request.storedInfo->carriedText;
        }
        return;
    }
    if (!request.gameName.empty()) info.name = request.gameName;
    else if (!readName.empty()) info.name = std::u16string(readName);
    else if (!fileName.empty()) info.name = std::u16string(fileName);
    else info.name = std::u16string(uiText(kStrNoName));
    if (g.mode == LoadMode::NewGame && settings.games) info.name = settings.games->uniqueName(info.name);
    if (settings.now) {
        info.waitingTime = *settings.now;
        info.flags |= kInfoMoveWaiting;
    }
}

// The text of a number in the interface language, else the Japanese one.
std::u16string numberedText(const StringTable* language, int id) {
    const auto text = StringTable::lookup(language, id);
    return text ? std::u16string(*text) : std::u16string();
}

// "9", or "19×25" for a board that is not square.
std::u16string boardSizeText(int columns, int rows) {
    std::u16string out = formatText(u"%d", {columns});
    if (rows != columns) out += formatText(u"×%d", {rows});
    return out;
}

LoadMessage boardMessage(int columns, int rows) {
    return {kMsgBoardNotShown, formatText(numberedText(nullptr, kMsgBoardNotShown), {boardSizeText(columns, rows)}),
            numberedText(nullptr, kMsgReadTitle)};
}

void collectLosses(LoadedGame& g, const SgfLosses& l) {
    const std::pair<int, int> kinds[] = {{kMsgLostNodes, l.nodes},
                                         {kMsgLostLabels, l.labels},
                                         {kMsgLostBranches, l.branches},
                                         {kMsgLostComments, l.comments},
                                         {kMsgLostClearedPoints, l.clearedPoints},
                                         {kMsgLostPlayerToMove, l.playerToMove}};
    for (const auto& k : kinds)
        if (k.second > 0) g.losses.push_back(k);
}

LoadedGame readText(std::u16string_view text, const TextSource& source, GameFileKind kind, std::u16string_view fileName,
                    const LoadRequest& request, const LoadSettings& settings) {
    LoadedGame g;
    g.kind = kind;
    g.textSource = source;
    g.mode = request.mode;
    GameInfo start = startingInfo(g.mode, request, settings);
    std::u16string readName;
    if (kind == GameFileKind::Ugf) {
        UgfReadResult r = readUgf(text, start, settings.members);
        g.ok = r.ok;
        g.main = std::move(r.main);
        g.info = std::move(r.info);
        g.handicapStones = r.handicapStones;
        readName = std::move(r.titleName);
        g.dropped = r.lostMoves;
        if (r.lostMoves > 0) g.losses.push_back({kMsgLostNodes, r.lostMoves});
        if (g.ok && !isSupportedBoard(r.boardSize, r.boardSize)) {
            g.ok = false;
            g.failure = LoadFailure::BoardSize;
            g.messages.push_back(boardMessage(r.boardSize, r.boardSize));
            return g;
        }
        if (r.stoppedEarly)
            g.messages.push_back({0, formatText(uiText(20711), {r.stopLastNumber, r.stopFoundNumber}),
                                  std::u16string(uiText(kReadTitle))});
    } else {
        SgfReadOptions options;
        options.members = settings.members;
        options.mergeContinuations = settings.mergeContinuations;
        options.problemMode = settings.problemMode;
        SgfReadResult r = readSgf(text, start, options);
        g.ok = r.ok;
        g.main = std::move(r.main);
        g.info = std::move(r.info);
        g.handicapStones = r.handicapStones;
        g.maxNesting = r.maxNesting;
        g.familyFile = r.familyFile;
        g.oldDialect = r.oldDialect;
        g.dropped = r.dropped;
        collectLosses(g, r.losses);
        g.gamesInFile = std::max(1, r.gamesInFile);
        readName = std::move(r.poolName);
        if (g.ok && !isSupportedBoard(r.boardColumns, r.boardRows)) {
            g.ok = false;
            g.failure = LoadFailure::BoardSize;
            g.messages.push_back(boardMessage(r.boardColumns, r.boardRows));
            return g;
        }
    }
    if (!g.ok) {
        g.failure = LoadFailure::NoGame;
        return g;
    }
    settle(g, readName, fileName, request, settings);
    return g;
}

} // namespace

GameFileKind gameFileKind(std::string_view path) {
    if (endsWithFolded(path, ".sgf") || endsWithFolded(path, ".sgf$")) return GameFileKind::Sgf;
    if (endsWithFolded(path, ".ugf") || endsWithFolded(path, ".ugi")) return GameFileKind::Ugf;
    return GameFileKind::Unknown;
}

std::string_view loadFailureText(LoadFailure failure) {
    switch (failure) {
    case LoadFailure::None: return "no failure";
    case LoadFailure::UnknownFileKind: return "not a game-record file (the extension is not .sgf, .sgf$, .ugf or .ugi)";
    case LoadFailure::CannotOpen: return "the file cannot be opened";
    case LoadFailure::TooLarge: return "the file is too large";
    case LoadFailure::NoGame: return "no game record found in the file";
    case LoadFailure::BoardSize: return "the board is neither 19 nor 13 lines";
    }
    return "unknown failure";
}

std::u16string loadNoticeText(const LoadedGame& game, const StringTable* language) {
    std::u16string out;
    if (!game.losses.empty()) {
        out = numberedText(language, kMsgLossesHeading);
        for (const auto& [id, count] : game.losses)
            out.append(u"\r\n").append(formatText(numberedText(language, id), {count}));
    }
    if (game.gamesInFile > 1) {
        if (!out.empty()) out.append(u"\r\n\r\n");
        out.append(formatText(numberedText(language, kMsgCollection), {game.gamesInFile}));
    }
    return out;
}

std::u16string reducedRecordSaveText(const StringTable* language) {
    return numberedText(language, kMsgSaveWritesReducedRecord);
}

void clearForOverwrite(GameInfo& info) {
    info.komi = 0.0f;
    info.winner = kInPlay;
    info.margin = 0.0f;
    info.type = 0;
    info.flags = 0;
    info.board = 0;
    info.startFlags = 0;
    info.mailGoFlags = 0;
    info.displayFlags = 0;
    info.waitingTime = GameTime{};
    info.sgfRootExtras.clear();
}

LoadedGame loadGameBytes(std::string_view bytes, GameFileKind kind, std::u16string_view fileName,
                         const LoadRequest& request, const LoadSettings& settings) {
    if (kind == GameFileKind::Unknown) return failed(LoadFailure::UnknownFileKind, kind);
    DecodedText decoded = decodeFile(bytes, settings);
    return readText(decoded.text, decoded.source, kind, fileName, request, settings);
}

LoadedGame loadGameFile(const std::string& path, const LoadRequest& request, const LoadSettings& settings) {
    const GameFileKind kind = gameFileKind(path);
    if (kind == GameFileKind::Unknown) {
        LoadedGame g = failed(LoadFailure::UnknownFileKind, kind);
        const std::u16string shown = isValidUtf8(path) ? fromUtf8(path) : std::u16string(path.begin(), path.end());
        g.messages.push_back(
            {kMsgUnknownFileKind, formatText(uiText(11604), {shown}), std::u16string(uiText(kReadTitle))});
        return g;
    }
    FileReadError error = FileReadError::None;
    std::optional<std::string> bytes = readFileBytes(path, &error);
    if (!bytes) return failed(error == FileReadError::TooLarge ? LoadFailure::TooLarge : LoadFailure::CannotOpen, kind);
    return loadGameBytes(*bytes, kind, fileStem(path), request, settings);
}

LoadedGame loadClipboardText(std::u16string_view text, const LoadRequest& request, const LoadSettings& settings) {
    const std::size_t open = text.find(u'(');
    LoadedGame g = open == std::u16string_view::npos
                       ? failed(LoadFailure::NoGame, GameFileKind::Sgf)
                       : readText(text.substr(open), TextSource{"UTF-16", CharsetReason::Forced, {}, false},
                                  GameFileKind::Sgf, {}, request, settings);
    if (!g.ok)
        g.messages.push_back({kMsgClipboardFailed, std::u16string(uiText(11614)), std::u16string(uiText(11613))});
    return g;
}

namespace {

HeaderPreview preRead(std::u16string_view text, GameFileKind kind, std::u16string_view fileName,
                      const LoadSettings& settings) {
    HeaderPreview p;
    p.kind = kind;
    if (kind == GameFileKind::Ugf) {
        UgfReadResult r = readUgf(text, GameInfo{}, settings.members);
        p.ok = r.ok;
        p.info = std::move(r.info);
        p.proposedName = std::move(r.titleName);
        p.handicapStones = r.handicapStones;
        if (p.ok && !isSupportedBoard(r.boardSize, r.boardSize)) {
            p.ok = false;
            p.failure = LoadFailure::BoardSize;
            p.messages.push_back(boardMessage(r.boardSize, r.boardSize));
            return p;
        }
    } else {
        SgfHeader h = preReadSgfHeader(text, settings.members);
        p.ok = h.ok;
        p.info = std::move(h.info);
        p.proposedName = std::move(h.proposedName);
        p.handicapStones = h.handicapStones;
        if (p.ok && !isSupportedBoard(h.boardColumns, h.boardRows)) {
            p.ok = false;
            p.failure = LoadFailure::BoardSize;
            p.messages.push_back(boardMessage(h.boardColumns, h.boardRows));
            return p;
        }
    }
    if (!p.ok && p.failure == LoadFailure::None) p.failure = LoadFailure::NoGame;
    if (p.proposedName.empty())
        p.proposedName = fileName.empty() ? std::u16string(uiText(kStrNoName)) : std::u16string(fileName);
    return p;
}

} // namespace

HeaderPreview preReadGameFile(const std::string& path, const LoadSettings& settings) {
    const GameFileKind kind = gameFileKind(path);
    if (kind == GameFileKind::Unknown) {
        HeaderPreview p;
        p.failure = LoadFailure::UnknownFileKind;
        const std::u16string shown = isValidUtf8(path) ? fromUtf8(path) : std::u16string(path.begin(), path.end());
        p.messages.push_back(
            {kMsgUnknownFileKind, formatText(uiText(11604), {shown}), std::u16string(uiText(kReadTitle))});
        return p;
    }
    FileReadError error = FileReadError::None;
    std::optional<std::string> bytes = readFileBytes(path, &error);
    if (!bytes) {
        HeaderPreview p;
        p.kind = kind;
        p.failure = error == FileReadError::TooLarge ? LoadFailure::TooLarge : LoadFailure::CannotOpen;
        return p;
    }
    const DecodedText decoded = decodeFile(*bytes, settings);
    return preRead(decoded.text, kind, fileStem(path), settings);
}

HeaderPreview preReadClipboardText(std::u16string_view text, const LoadSettings& settings) {
    const std::size_t open = text.find(u'(');
    if (open == std::u16string_view::npos) {
        HeaderPreview p;
        p.kind = GameFileKind::Sgf;
        p.failure = LoadFailure::NoGame;
        return p;
    }
    return preRead(text.substr(open), GameFileKind::Sgf, {}, settings);
}

std::vector<std::u16string_view> sgfGameTrees(std::u16string_view text) {
    std::vector<std::u16string_view> trees;
    std::size_t start = 0;
    int depth = 0;
    bool inValue = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        if (inValue) {
            if (c == u'\\') ++i;
            else if (c == u']') inValue = false;
        } else if (c == u'[') {
            if (depth > 0) inValue = true;
        } else if (c == u'(') {
            if (depth++ == 0) start = i;
        } else if (c == u')' && depth > 0) {
            if (--depth == 0) trees.push_back(text.substr(start, i + 1 - start));
        }
    }
    if (depth > 0) trees.push_back(text.substr(start));
    return trees;
}

void loadEveryGameOfFile(const std::string& path, const LoadRequest& request, const LoadSettings& settings,
                         const std::function<void(LoadedGame&)>& each) {
    const GameFileKind kind = gameFileKind(path);
    std::optional<std::string> bytes;
    if (kind == GameFileKind::Sgf) bytes = readFileBytes(path, nullptr);
    if (bytes) {
        const DecodedText decoded = decodeFile(*bytes, settings);
        const std::vector<std::u16string_view> trees = sgfGameTrees(decoded.text);
        if (trees.size() <= 1) {
            LoadedGame g = readText(decoded.text, decoded.source, kind, fileStem(path), request, settings);
            each(g);
            return;
        }
        for (std::size_t k = 0; k < trees.size(); ++k) {
            // The name given is the first game's; every other game is named by itself, and an
            // overwrite looks for the game of its own name.
            LoadRequest own = request;
            if (k > 0) {
                own.gameName.clear();
                if (request.mode == LoadMode::Overwrite)
                    own.gameName = preRead(trees[k], kind, fileStem(path), settings).proposedName;
            }
            LoadedGame g = readText(trees[k], decoded.source, kind, fileStem(path), own, settings);
            each(g);
        }
        return;
    }
    LoadedGame g = loadGameFile(path, request, settings);
    each(g);
}

} // namespace stonewise
