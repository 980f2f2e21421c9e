#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "mailgo/CloudRegistry.h"

namespace stonewise {

struct GameInfo;

// Bits of a game's cloud flags (the first version byte of its information).
constexpr std::uint8_t kCloudFlagUsesCloud = 0x02; // "クラウドを利用"
constexpr std::uint8_t kCloudFlagAlsoMail = 0x04; // "「次の手」をクラウドに保存したとき、メールも作成する"

// The game's cloud file (kNoCloudFile for none) and whether its moves go through the cloud.
CloudFileId cloudFileOf(const GameInfo& info);
bool usesCloud(const GameInfo& info);
bool alsoMailsCloudMoves(const GameInfo& info);

// What a cloud file holds: the next move of the game, or a study sequence of the black or the
// white player.
enum class CloudFileKind : std::uint8_t { NextMove = 0, BlackStudy = 1, WhiteStudy = 2 };

// The file a text of `kind` goes to: the game's own file, or its study-sequence file
// base + "-B%03d.nextmove" / "-W%03d.nextmove" with `number`; nothing when `id` refers to nothing.
std::optional<std::string> cloudOutputPath(const CloudRegistry& registry, CloudFileId id, CloudFileKind kind,
                                           int number);
// The bytes of a cloud file: UTF-16LE after a byte-order mark, without a terminating zero.
std::vector<std::uint8_t> cloudFileBytes(std::u16string_view text);
// Writes a cloud file so that the other computer never sees it half-written: into a temporary file
// of the same folder, renamed over the old one. False when it could not be written (the old file
// stays).
bool writeCloudFile(const std::string& path, std::u16string_view text);

// What saving a next move or a study sequence to the cloud came to.
struct CloudSave {
    bool written = false;
    std::string path;      // the file written (or tried)
    int statusText = 0;    // the status line's text; a beep goes with it
    int messageText = 0;   // a further message ("検討手順を送信済み"), 0 for none
    bool makeMail = false; // mail is made as well (the write failed, or the game asks for it)
};
// Writes `text` (the composed next-move text) to the game's cloud file of `kind`; after the next
// move the file's time is recorded, so that the program does not take its own move for news.
CloudSave saveToCloud(CloudRegistry& registry, CloudFileId id, CloudFileKind kind, int number, std::u16string_view text,
                      bool alsoMail);

} // namespace stonewise
