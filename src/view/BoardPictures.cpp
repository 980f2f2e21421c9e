#include "view/BoardPictures.h"

#include <fstream>
#include <iterator>

#include "view/PngImage.h"

namespace stonewise {

namespace {

struct PictureEntry {
    PictureId id;
    std::string_view file;
    PictureSize size;
};

constexpr PictureEntry kPictures[] = {
    {PictureId::Board19, "board19.png", {856, 920}},
    {PictureId::Board13, "board13.png", {590, 630}},
    {PictureId::WhiteStone, "stone-white.png", {45, 45}},
    {PictureId::BlackStone, "stone-black.png", {45, 45}},
    {PictureId::MarkAlarm, "mark-alarm.png", {16, 16}},
    {PictureId::MarkCorrect, "mark-correct.png", {200, 200}},
    {PictureId::MarkWrong, "mark-wrong.png", {202, 202}},
    {PictureId::LastMove, "last-move.png", {24, 24}},
    {PictureId::LastMoveBranches, "last-move-branches.png", {24, 24}},
    {PictureId::MailGoMarker, "mailgo-marker.png", {12, 10}},
    {PictureId::BlackStoneLarge, "stone-black-large.png", {78, 78}},
    {PictureId::Board19Large, "board19-large.png", {1482, 1600}},
    {PictureId::Board13Large, "board13-large.png", {1009, 1091}},
    {PictureId::WhiteStoneLarge, "stone-white-large.png", {78, 78}},
};

const PictureEntry* entryOf(PictureId id) {
    for (const PictureEntry& e : kPictures)
        if (e.id == id) return &e;
    return nullptr;
}

} // namespace

std::string_view pictureFileName(PictureId id) {
    const PictureEntry* e = entryOf(id);
    return e ? e->file : std::string_view();
}

PictureSize pictureSize(PictureId id) {
    const PictureEntry* e = entryOf(id);
    return e ? e->size : PictureSize{};
}

PictureReader folderPictureReader(std::string folder) {
    return [folder = std::move(folder)](std::string_view name) -> std::optional<std::string> {
        std::ifstream in(folder + "/" + std::string(name), std::ios::binary);
        if (!in) return std::nullopt;
        std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        if (in.bad()) return std::nullopt;
        return bytes;
    };
}

std::optional<Image> loadPicture(const PictureReader& reader, PictureId id, std::string* error) {
    const PictureEntry* e = entryOf(id);
    if (!e) {
        if (error) *error = "unknown picture " + std::to_string(static_cast<int>(id));
        return std::nullopt;
    }
    const std::string name(e->file);
    std::optional<std::string> bytes = reader ? reader(e->file) : std::nullopt;
    if (!bytes) {
        if (error) *error = name + ": missing";
        return std::nullopt;
    }
    std::string why;
    std::optional<Image> image = isPlainPixels(*bytes) ? decodePixels(*bytes, &why) : decodePng(*bytes, &why);
    if (!image) {
        if (error) *error = name + ": " + why;
        return std::nullopt;
    }
    if (image->width() != e->size.width || image->height() != e->size.height) {
        if (error)
            *error = name + ": " + std::to_string(image->width()) + " x " + std::to_string(image->height()) +
                     " pixels instead of " + std::to_string(e->size.width) + " x " + std::to_string(e->size.height);
        return std::nullopt;
    }
    return image;
}

PictureId boardPictureId(int lines, bool large) {
    return lines == 13 ? (large ? PictureId::Board13Large : PictureId::Board13)
                       : (large ? PictureId::Board19Large : PictureId::Board19);
}

WoodSample woodSample(bool large) {
    const int margin = large ? 41 : 23;
    const int cell = large ? 78 : 45;
    return {margin + 4, margin + 6, cell - 8, cell - 8};
}

std::optional<BoardPictureSet> loadBoardPieces(const PictureReader& reader, int lines, bool large, std::string* error) {
    BoardPictureSet set;
    set.lines = lines == 13 ? 13 : 19;
    set.large = large;
    struct Wanted {
        PictureId id;
        Image* target;
    };
    const Wanted wanted[] = {
        {large ? PictureId::BlackStoneLarge : PictureId::BlackStone, &set.blackStone},
        {large ? PictureId::WhiteStoneLarge : PictureId::WhiteStone, &set.whiteStone},
        {PictureId::LastMove, &set.lastMove},
        {PictureId::LastMoveBranches, &set.lastMoveBranches},
        {PictureId::MailGoMarker, &set.mailGoMarker},
    };
    for (const Wanted& w : wanted) {
        std::optional<Image> image = loadPicture(reader, w.id, error);
        if (!image) return std::nullopt;
        *w.target = std::move(*image);
    }
    return set;
}

std::optional<BoardPictureSet> loadBoardPictures(const PictureReader& reader, int lines, bool large,
                                                 std::string* error) {
    std::optional<Image> board = loadPicture(reader, boardPictureId(lines == 13 ? 13 : 19, large), error);
    if (!board) return std::nullopt;
    std::optional<BoardPictureSet> set = loadBoardPieces(reader, lines, large, error);
    if (!set) return std::nullopt;
    set->board = std::move(*board);
    const WoodSample wood = woodSample(large);
    set->woodRgb = set->board.averageRgb(wood.x, wood.y, wood.width, wood.height);
    return set;
}

} // namespace stonewise
