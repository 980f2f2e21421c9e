#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "board/BoardPosition.h"
#include "view/BoardGeometry.h"
#include "view/MarkCodes.h"
#include "view/ViewSettings.h"

namespace stonewise {

class GameRecord;

// An opaque colour.
struct Rgb {
    std::uint8_t r = 0;
    std::uint8_t g = 0;
    std::uint8_t b = 0;
    bool operator==(const Rgb&) const = default;
};

// The pictures a drawing step can place (from the board's picture set).
enum class ScenePicture : std::uint8_t { BlackStone, WhiteStone, LastMove, LastMoveBranches, MailGoMarker };

// What kind of text a drawing step writes; all use the bold board font.
enum class SceneText : std::uint8_t { Number, Letter, Label };

// One drawing step of a point, in board-picture pixels (fractional: pixel (x, y) covers
// [x, x + 1) × [y, y + 1)).
struct DrawOp {
    enum class Kind : std::uint8_t {
        Picture, // `picture` scaled into `x, y, w, h` with constant `alpha`
        Line,    // from (x, y) to (x2, y2), pen `width`, `colour`
        Circle,  // outline of radius `radius` around (x, y), pen `width`, `colour`
        Disc,    // filled circle of radius `radius` around (x, y) in `colour` (clears lines under text)
        Text,    // `text` centred in `x, y, w, h`, `fontPx` high, `colour`; condensed to `fitWidth`
    };
    Kind kind = Kind::Picture;
    ScenePicture picture = ScenePicture::BlackStone;
    SceneText textKind = SceneText::Number;
    std::uint8_t alpha = 255;
    Rgb colour;
    float x = 0, y = 0, w = 0, h = 0;
    float x2 = 0, y2 = 0;
    float radius = 0;
    float width = 0;
    float fontPx = 0;
    float fitWidth = 0;
    std::u16string text;

    bool operator==(const DrawOp&) const = default;
};

// Everything drawn at one point: the steps in order over the clean board, all inside `rect`.
struct PointDrawing {
    int x = 0;
    int y = 0;
    PixelRect rect;
    std::vector<DrawOp> ops;

    bool operator==(const PointDrawing&) const = default;
};

// The board window's state that decides numbers and marks, beside its position and settings.
struct SceneState {
    bool numbersOn = false; // "番号を表示" or "分岐の番号を１から表示"
    bool branchNumbersFromOne = false;
    int pathDepth = 0;                  // depth of the sequence shown (0 = main record)
    int numberOffset = 0;               // of the main record: −1 with two or more handicap stones
    int firstNumberedMove = 0;          // earlier moves never show a number or a flag mark
    int shownMove = 0;                  // the move shown (the end resolved to its number)
    int selectedMove = 0;               // selected in the move list; a red circle when before the shown move
    int mailGoMove = 0;                 // last exchanged move of a Mail Go game; 0 = none
    bool traceMode = false;             // the trace exercise: no last-move mark
    const GameRecord* record = nullptr; // texts of labels; none: labels show their letter
    int numberFontPx = 16;              // height of the number font in picture pixels
    // The opacity (0..255) of the stone at (x, y) while it fades in; none: every stone opaque.
    std::function<int(int x, int y)> stoneAlpha;
};

// The colours of the marks.
constexpr Rgb kMarkRed{220, 24, 24};
constexpr Rgb kCommentYellow{255, 255, 0};
constexpr Rgb kCommentEdge{150, 118, 0};

// What a board window shows, point by point: the stone, its number, the marks of its flags and of
// the record, the last-move and Mail Go markers, branch marks and comment marks. Holds references
// to the position and its surroundings; make a new scene after they change.
class BoardScene {
public:
    BoardScene(const BoardPosition& position, const BoardGeometry& geometry, const ViewSettings& settings,
               const SceneState& state, Rgb wood = {220, 176, 112});

    // The drawing of point (x, y) (an empty drawing off the board).
    PointDrawing describe(int x, int y) const;
    // The number shown on the stone at (x, y), or 0 for none.
    int numberAt(int x, int y) const;
    // The move number of the newest stone on the board (0 when none): the move whose number is
    // always shown.
    int lastStoneMove() const { return m_lastStone; }
    // True when the stone at (x, y) is one of the last moves whose numbers are shown (code 19).
    bool isRecentStone(int x, int y) const;

private:
    bool isStoneColour(std::uint8_t c) const { return c == 1 || c == 2 || c == 5 || c == 6; }
    bool forcedNumber(const BoardPoint& p, const PointMark& m) const;
    int numberOf(const BoardPoint& p, bool forced) const;
    void addStone(std::vector<DrawOp>& ops, float cx, float cy, bool black, float size, int alpha) const;
    void addNumber(std::vector<DrawOp>& ops, float cx, float cy, int number, bool onBlack, float stoneSize) const;
    void addMark(std::vector<DrawOp>& ops, int code, int x, int y, float cx, float cy, const BoardPoint& p,
                 const PointMark& m) const;
    void addText(std::vector<DrawOp>& ops, float cx, float cy, const std::u16string& text, float fontPx,
                 const BoardPoint& p) const;
    std::u16string labelText(int x, int y, const PointMark& m) const;

    const BoardPosition& m_position;
    const BoardGeometry& m_geometry;
    const ViewSettings& m_settings;
    const SceneState& m_state;
    Rgb m_wood;
    int m_lastStone = 0;
};

} // namespace stonewise
