#include "formats/GameFileLoader.h"

#include "formats/FileAccess.h"
#include "formats/MemberDirectory.h"
#include "formats/SgfReader.h"
#include "formats/UgfReader.h"
#include "record/Text.h"

#include <algorithm>

namespace stonewise {

namespace {

constexpr std::u16string_view kReadTitle = u"ファイル読み込み";
constexpr std::u16string_view kNoName = u"No name";

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
    else info.name = std::u16string(kNoName);
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

LoadedGame readText(std::u16string_view text, TextSource source, GameFileKind kind, std::u16string_view fileName,
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
            g.messages.push_back({0,
                                  formatText(u"前の番号より小さな番号が出現した。 最終番号=%d 出現番号=%d",
                                             {r.stopLastNumber, r.stopFoundNumber}),
                                  std::u16string(kReadTitle)});
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
        for (const auto& [id, count] : game.losses) out.append(u"\r\n").append(formatText(numberedText(language, id), {count}));
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
    DecodedText decoded = decodeGameRecordBytes(bytes, settings.codePage);
    return readText(decoded.text, decoded.source, kind, fileName, request, settings);
}

LoadedGame loadGameFile(const std::string& path, const LoadRequest& request, const LoadSettings& settings) {
    const GameFileKind kind = gameFileKind(path);
    if (kind == GameFileKind::Unknown) {
        LoadedGame g = failed(LoadFailure::UnknownFileKind, kind);
        const std::u16string shown = isValidUtf8(path) ? fromUtf8(path) : std::u16string(path.begin(), path.end());
        g.messages.push_back({kMsgUnknownFileKind, formatText(u"ファイルは処理できない形式です。 %s", {shown}),
                              std::u16string(kReadTitle)});
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
                       : readText(text.substr(open), TextSource::Utf16LittleEndian, GameFileKind::Sgf, {}, request,
                                  settings);
    if (!g.ok)
        g.messages.push_back({kMsgClipboardFailed,
                              u"取り消されたか、或いは失敗しました。\r\nコピーされたSGF形式棋譜データが正しくないかもしれません。",
                              u"コピーされた棋譜データを開く"});
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
    if (p.proposedName.empty()) p.proposedName = fileName.empty() ? std::u16string(kNoName) : std::u16string(fileName);
    return p;
}

} // namespace

HeaderPreview preReadGameFile(const std::string& path, const LoadSettings& settings) {
    const GameFileKind kind = gameFileKind(path);
    if (kind == GameFileKind::Unknown) {
        HeaderPreview p;
        p.failure = LoadFailure::UnknownFileKind;
        const std::u16string shown = isValidUtf8(path) ? fromUtf8(path) : std::u16string(path.begin(), path.end());
        p.messages.push_back({kMsgUnknownFileKind, formatText(u"ファイルは処理できない形式です。 %s", {shown}),
                              std::u16string(kReadTitle)});
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
    const DecodedText decoded = decodeGameRecordBytes(*bytes, settings.codePage);
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

} // namespace stonewise
