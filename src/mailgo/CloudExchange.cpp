#include "mailgo/CloudExchange.h"

#include "mailgo/CloudTexts.h"
#include "record/GameInfo.h"
#include "record/Text.h"
#include "store/FileIo.h"

namespace stonewise {

CloudFileId cloudFileOf(const GameInfo& info) { return info.carriedValue; }

bool usesCloud(const GameInfo& info) {
    return (info.versionBytes[0] & kCloudFlagUsesCloud) != 0 && cloudFileOf(info) != kNoCloudFile;
}

bool alsoMailsCloudMoves(const GameInfo& info) { return (info.versionBytes[0] & kCloudFlagAlsoMail) != 0; }

std::optional<std::string> cloudOutputPath(const CloudRegistry& registry, CloudFileId id, CloudFileKind kind,
                                           int number) {
    const auto path = registry.path(id);
    if (!path) return std::nullopt;
    if (kind == CloudFileKind::NextMove) return toUtf8(*path);
    return toUtf8(cloudStudyFileName(*path, kind == CloudFileKind::BlackStudy ? u'B' : u'W', number));
}

std::vector<std::uint8_t> cloudFileBytes(std::u16string_view text) {
    if (!text.empty() && text.front() == u'\xFEFF') text.remove_prefix(1);
    const std::size_t zero = text.find(u'\0');
    if (zero != std::u16string_view::npos) text = text.substr(0, zero);
    std::vector<std::uint8_t> bytes{0xFF, 0xFE};
    bytes.reserve(2 + 2 * text.size());
    for (char16_t c : text) {
        bytes.push_back(static_cast<std::uint8_t>(c));
        bytes.push_back(static_cast<std::uint8_t>(c >> 8));
    }
    return bytes;
}

bool writeCloudFile(const std::string& path, std::u16string_view text) {
    return writeFileAtomically(path, cloudFileBytes(text), Durability::Process);
}

CloudSave saveToCloud(CloudRegistry& registry, CloudFileId id, CloudFileKind kind, int number, std::u16string_view text,
                      bool alsoMail) {
    CloudSave out;
    const auto path = cloudOutputPath(registry, id, kind, number);
    if (path) out.path = *path;
    out.written = path && writeCloudFile(*path, text);
    if (!out.written) {
        out.statusText = kStrCloudWriteFailed;
        out.makeMail = true;
        return out;
    }
    // Only the game's own file has a time record: a study file's time must not hide a next move
    // the opponent wrote meanwhile.
    if (kind == CloudFileKind::NextMove) registry.recordFileTime(id);
    out.statusText = kind == CloudFileKind::NextMove ? kStrCloudNextMoveSaved : kStrCloudStudySaved;
    out.messageText = kind == CloudFileKind::NextMove ? 0 : kStrStudySent;
    out.makeMail = alsoMail;
    return out;
}

} // namespace stonewise
