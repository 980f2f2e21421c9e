#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "view/Image.h"

namespace stonewise {

// The pictures of the board window by their resource numbers.
enum class PictureId : int {
    Board19 = 132,
    Board13 = 133,
    WhiteStone = 140,
    BlackStone = 141,
    MarkAlarm = 158,   // a small red badge with an exclamation mark (16 × 16)
    MarkCorrect = 160, // the stamp of a right answer: a red double circle (200 × 200)
    MarkWrong = 161,   // the stamp of a wrong answer: a blue cross (202 × 202)
    LastMove = 171,
    LastMoveBranches = 172,
    MailGoMarker = 181,
    BlackStoneLarge = 187,
    Board19Large = 188,
    Board13Large = 189,
    WhiteStoneLarge = 190,
};

// The file that holds a picture (for example "board19.png"); empty for an unknown number.
std::string_view pictureFileName(PictureId id);
// Pixel size every picture of that number has.
struct PictureSize {
    int width = 0;
    int height = 0;
};
PictureSize pictureSize(PictureId id);

// Reads the bytes of a picture file by name; no result when it is missing.
using PictureReader = std::function<std::optional<std::string>(std::string_view fileName)>;
// A reader of the files in a folder.
PictureReader folderPictureReader(std::string folder);

// Reads and decodes one picture (a PNG file, or the plain pixels of Image.h); no image (and the
// reason in `error`) when it is missing, damaged, or not of its documented size.
std::optional<Image> loadPicture(const PictureReader& reader, PictureId id, std::string* error = nullptr);

// The pictures a board of one size draws with, in the normal or the large set.
struct BoardPictureSet {
    int lines = 19;
    bool large = false;
    Image board;
    Image blackStone;
    Image whiteStone;
    Image lastMove;
    Image lastMoveBranches;
    Image mailGoMarker;
    std::uint32_t woodRgb = 0xDCB070; // average colour of the board between the lines
};

// Loads the board, stones and marks for `lines` (19, or 13) in the normal or large set; no set
// (and the first failure in `error`) when a picture cannot be loaded.
std::optional<BoardPictureSet> loadBoardPictures(const PictureReader& reader, int lines, bool large,
                                                 std::string* error = nullptr);
// The same without the board picture (left null, the wood colour at its default): for a caller
// that has the board in another form.
std::optional<BoardPictureSet> loadBoardPieces(const PictureReader& reader, int lines, bool large,
                                               std::string* error = nullptr);

// The board picture of a set.
PictureId boardPictureId(int lines, bool large);
// Where the wood colour of a board picture is measured: between the first two lines of the top
// left corner.
struct WoodSample {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};
WoodSample woodSample(bool large);

} // namespace stonewise
