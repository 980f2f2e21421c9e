#include "view/BoardThumbnail.h"

#include <algorithm>
#include <cmath>
#include <memory>

#include "board/PositionRebuild.h"
#include "record/GameRecord.h"
#include "view/BoardGeometry.h"

namespace stonewise {

std::optional<Image> boardThumbnail(const BoardPictureSet& pictures, const BoardPosition& position, int side) {
    if (pictures.board.isNull() || pictures.blackStone.isNull() || pictures.whiteStone.isNull()) return std::nullopt;
    if (side < 1 || side > Image::kMaxSide) return std::nullopt;
    const BoardGeometry geometry(position.size(), pictures.board.width(), pictures.board.height(), pictures.large,
                                 pictures.blackStone.width());
    Image board = pictures.board;
    const int d = geometry.stoneDiameter();
    for (int x = 0; x < geometry.lines(); ++x)
        for (int y = 0; y < geometry.lines(); ++y) {
            const BoardPoint& p = position.at(x, y);
            if (!p.hasStone()) continue;
            const PixelPoint c = geometry.centre(x, y);
            const Image& stone = p.colour == kBlack ? pictures.blackStone : pictures.whiteStone;
            board.drawOver(stone, c.x - geometry.pixelRadius(), c.y - geometry.pixelRadius(), d, d);
        }
    const double scale =
        std::min(static_cast<double>(side) / board.width(), static_cast<double>(side) / board.height());
    const int w = std::max(1, static_cast<int>(std::lround(board.width() * scale)));
    const int h = std::max(1, static_cast<int>(std::lround(board.height() * scale)));
    Image small = board.resized(w, h);
    Image out(side, side);
    if (small.isNull() || out.isNull()) return std::nullopt;
    out.drawOver(small, (side - w) / 2, (side - h) / 2, w, h);
    return out;
}

std::optional<Image> boardThumbnail(const BoardPictureSet& pictures, GameRecord& record, int lines, int move,
                                    int side) {
    auto position = std::make_unique<BoardPosition>();
    position->setSize(lines);
    BoardNavigation nav;
    nav.showEndOf(record.pathLastMove());
    nav.show(move);
    RebuildOptions options;
    options.withNumbers = false;
    options.lastMoveMark = false;
    rebuildPosition(*position, nav, record, options);
    return boardThumbnail(pictures, *position, side);
}

} // namespace stonewise
