#include <gtest/gtest.h>

#include "board/BoardPosition.h"
#include "record/GameRecord.h"
#include "view/BoardGeometry.h"
#include "view/BoardPictures.h"
#include "view/BoardThumbnail.h"
#include "view/PngImage.h"

namespace stonewise {
namespace {

PictureReader pictures() { return folderPictureReader(STONEWISE_PICTURE_DIR); }

int brightness(const Image& image, int x, int y) {
    const std::uint8_t* p = image.pixel(x, y);
    return (p[0] + p[1] + p[2]) / 3;
}

TEST(Pictures, EveryPictureHasItsDocumentedSize) {
    for (int id : {132, 133, 140, 141, 158, 160, 161, 171, 172, 181, 187, 188, 189, 190}) {
        std::string error;
        const std::optional<Image> image = loadPicture(pictures(), static_cast<PictureId>(id), &error);
        ASSERT_TRUE(image) << id << ": " << error;
        EXPECT_EQ(image->width(), pictureSize(static_cast<PictureId>(id)).width);
    }
    // Stones keep their transparent corners.
    const Image stone = *loadPicture(pictures(), PictureId::BlackStone);
    EXPECT_EQ(stone.pixel(0, 0)[3], 0);
    EXPECT_EQ(stone.pixel(22, 22)[3], 255);
}

TEST(Pictures, TheGridLiesUnderEveryPointOfEachBoard) {
    for (const auto& [lines, large] : {std::pair{19, false}, {13, false}, {19, true}, {13, true}}) {
        std::string error;
        const auto set = loadBoardPictures(pictures(), lines, large, &error);
        ASSERT_TRUE(set) << error;
        const BoardGeometry g(lines, set->board.width(), set->board.height(), large, set->blackStone.width());
        const int wood = ((set->woodRgb >> 16) + ((set->woodRgb >> 8) & 255) + (set->woodRgb & 255)) / 3;
        for (int x = 0; x < lines; ++x)
            for (int y = 0; y < lines; ++y) {
                const PixelPoint c = g.centre(x, y);
                ASSERT_LT(brightness(set->board, c.x, c.y), wood - 60) << lines << " lines, point " << x << "," << y;
                // Half a cell away there is only wood.
                const int mx = static_cast<int>(c.x + g.cellWidth() / 2);
                const int my = static_cast<int>(c.y + g.cellHeight() / 2);
                if (x < lines - 1 && y < lines - 1) {
                    ASSERT_GT(brightness(set->board, mx, my), wood - 40);
                }
            }
    }
}

TEST(Pictures, DamagedFilesAreRefused) {
    const std::string good = *pictures()(pictureFileName(PictureId::WhiteStone));
    std::string error;
    EXPECT_FALSE(decodePng("", &error));
    EXPECT_FALSE(decodePng("not a picture at all", &error));
    EXPECT_FALSE(decodePng(good.substr(0, good.size() / 2), &error));
    EXPECT_FALSE(error.empty());
    std::string flipped = good;
    for (std::size_t i = 40; i < flipped.size(); i += 7) flipped[i] = static_cast<char>(flipped[i] ^ 0x5A);
    EXPECT_FALSE(decodePng(flipped, &error));

    // A picture of the wrong size is not taken for another.
    const PictureReader wrong = [](std::string_view) { return pictures()("board13.png"); };
    EXPECT_FALSE(loadPicture(wrong, PictureId::Board19, &error));
    EXPECT_NE(error.find("590 x 630"), std::string::npos);
    EXPECT_FALSE(loadBoardPictures([](std::string_view) { return std::nullopt; }, 19, false, &error));
    EXPECT_NE(error.find("missing"), std::string::npos);
}

// The program's own pictures may be compiled in as plain pixels, read without decoding: the same
// picture as its PNG file, and refused when damaged or of another size.
TEST(Pictures, PlainPixelsReadAsTheirPicture) {
    const Image board = *loadPicture(pictures(), PictureId::Board19);
    const std::string pixels = encodePixels(board);
    const std::optional<Image> read = loadPicture([&](std::string_view) { return pixels; }, PictureId::Board19);
    ASSERT_TRUE(read);
    EXPECT_EQ(read->width(), board.width());
    EXPECT_EQ(read->bytes(), board.bytes());

    std::string error;
    EXPECT_FALSE(decodePixels(pixels.substr(0, pixels.size() - 1), &error));
    EXPECT_FALSE(error.empty());
    EXPECT_FALSE(decodePixels(pixels.substr(0, 12), &error));
    std::string huge = pixels;
    huge[8] = huge[9] = huge[10] = huge[11] = '\x7f'; // a width no picture has
    EXPECT_FALSE(decodePixels(huge, &error));
    const std::string stone = encodePixels(*loadPicture(pictures(), PictureId::BlackStone));
    EXPECT_FALSE(loadPicture([&](std::string_view) { return stone; }, PictureId::Board19, &error));
    EXPECT_NE(error.find("45 x 45"), std::string::npos);
}

TEST(Pictures, EncodeDecodeKeepsAlpha) {
    Image image(3, 2);
    image.pixel(0, 0)[0] = 200, image.pixel(0, 0)[3] = 255;
    image.pixel(2, 1)[1] = 64, image.pixel(2, 1)[3] = 128;
    const auto bytes = encodePng(image);
    ASSERT_TRUE(bytes);
    const auto back = decodePng(*bytes);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->bytes(), image.bytes());
}

TEST(Pictures, ThumbnailShowsTheStones) {
    const auto set = loadBoardPictures(pictures(), 19, false);
    ASSERT_TRUE(set);
    BoardPosition pos;
    pos.play({3, 3, kBlack, 1});
    pos.play({15, 15, kWhite, 2});
    const auto thumb = boardThumbnail(*set, pos);
    ASSERT_TRUE(thumb);
    ASSERT_EQ(thumb->width(), kThumbnailSide);
    ASSERT_EQ(thumb->height(), kThumbnailSide);
    // 856 × 920 shrinks to 119 × 128, centred.
    const double scale = 128.0 / 920;
    auto at = [&](const Image& image, int x, int y) {
        const PixelPoint c = BoardGeometry().centre(x, y);
        return brightness(image, static_cast<int>(4 + c.x * scale), static_cast<int>(c.y * scale));
    };
    EXPECT_LT(at(*thumb, 3, 3), 90);
    EXPECT_GT(at(*thumb, 15, 15), 200);
    EXPECT_EQ(thumb->pixel(0, 64)[3], 0); // transparent beside the board
    EXPECT_FALSE(boardThumbnail(BoardPictureSet{}, pos));

    // From a record: the position at the move asked for.
    GameRecord record;
    record.main().appendNode(makeMoveNode(1, 3, 3));
    record.main().appendNode(makeMoveNode(2, 15, 15));
    const auto first = boardThumbnail(*set, record, 19, 1);
    ASSERT_TRUE(first);
    EXPECT_LT(at(*first, 3, 3), 90);
    EXPECT_LT(at(*first, 15, 15), at(*thumb, 15, 15) - 30); // white's move is not shown yet
}

} // namespace
} // namespace stonewise
