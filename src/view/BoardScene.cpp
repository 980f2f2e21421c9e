#include "view/BoardScene.h"

#include <algorithm>
#include <cmath>

#include "record/GameRecord.h"

namespace stonewise {

namespace {

constexpr Rgb kTextOnWhite{16, 16, 16};
constexpr Rgb kTextOnBlack{255, 255, 255};
constexpr Rgb kTerritoryBlack{0, 0, 0};
constexpr Rgb kTerritoryWhite{255, 255, 255};

// Stone sizes as fractions of the diameter, and their constant alphas.
constexpr float kSmallStone = 0.75f;
constexpr int kSmallStoneAlpha = 208;
constexpr float kSmallBranchStone = 0.4f;
constexpr int kSmallBranchAlpha = 224;
constexpr int kMarkPictureAlpha = 192;

bool isBlackColour(std::uint8_t c) { return c == 1 || c == 5; }

DrawOp line(float x1, float y1, float x2, float y2, Rgb colour, float width) {
    DrawOp op;
    op.kind = DrawOp::Kind::Line;
    op.x = x1;
    op.y = y1;
    op.x2 = x2;
    op.y2 = y2;
    op.colour = colour;
    op.width = width;
    return op;
}

DrawOp circle(float cx, float cy, float radius, Rgb colour, float width) {
    DrawOp op;
    op.kind = DrawOp::Kind::Circle;
    op.x = cx;
    op.y = cy;
    op.radius = radius;
    op.colour = colour;
    op.width = width;
    return op;
}

DrawOp picture(ScenePicture p, float cx, float cy, float w, float h, int alpha) {
    DrawOp op;
    op.kind = DrawOp::Kind::Picture;
    op.picture = p;
    op.x = cx - w / 2;
    op.y = cy - h / 2;
    op.w = w;
    op.h = h;
    op.alpha = static_cast<std::uint8_t>(alpha);
    return op;
}

} // namespace

BoardScene::BoardScene(const BoardPosition& position, const BoardGeometry& geometry, const ViewSettings& settings,
                       const SceneState& state, Rgb wood)
    : m_position(position), m_geometry(geometry), m_settings(settings), m_state(state), m_wood(wood) {
    const int lines = std::min(position.size(), geometry.lines());
    for (int x = 0; x < lines; ++x)
        for (int y = 0; y < lines; ++y) {
            const BoardPoint& p = position.at(x, y);
            if (isStoneColour(p.colour) && p.moveNumber != kNoDisplayNumber)
                m_lastStone = std::max<int>(m_lastStone, p.moveNumber);
        }
}

bool BoardScene::isRecentStone(int x, int y) const {
    if (!m_position.onBoard(x, y)) return false;
    const BoardPoint& p = m_position.at(x, y);
    const int n = m_settings.numbersBeforeLast;
    if (n <= 0 || m_state.shownMove <= 3 || !isStoneColour(p.colour)) return false;
    const int move = p.moveNumber;
    return move != 0 && move != kNoDisplayNumber && move < m_lastStone && move >= m_lastStone - n;
}

bool BoardScene::forcedNumber(const BoardPoint& p, const PointMark& m) const {
    if (!isStoneColour(p.colour) || p.moveNumber == 0 || p.moveNumber == kNoDisplayNumber) return false;
    if (m.kind == kCodeRecentNumber) return true;
    if (p.moveNumber == m_lastStone) return m_settings.numbersBeforeLast >= 0;
    return isRecentStone(p.x, p.y);
}

int BoardScene::numberOf(const BoardPoint& p, bool forced) const {
    const bool branchNumbering = m_state.branchNumbersFromOne && m_state.pathDepth > 0;
    const bool numbered = m_state.numbersOn && (!branchNumbering || p.depth == m_state.pathDepth);
    if (!numbered && !forced) return 0;
    if (p.displayNumber == kHiddenDisplayNumber) return 0;
    const int move = p.moveNumber;
    if (move == 0 || move == kNoDisplayNumber || move < m_state.firstNumberedMove) return 0;
    const bool counted = p.displayNumber != kNoDisplayNumber;
    int n = counted ? p.displayNumber : move;
    if (counted && m_state.branchNumbersFromOne && p.depth > 0) {
        // Branch numbers from 1 were counted past the handicap offset; take it back here.
        n += m_state.numberOffset;
    } else if (m_state.numberOffset < 0) {
        // Handicap games: the handicap stones are move 1 and white's first move is shown as 1.
        if (n < 2) return 0;
        n += m_state.numberOffset;
    }
    return n > 0 ? n : 0;
}

int BoardScene::numberAt(int x, int y) const {
    if (!m_position.onBoard(x, y)) return 0;
    const BoardPoint& p = m_position.at(x, y);
    const PointMark& m = m_position.mark(x, y);
    if (!isStoneColour(p.colour) || m.kind == kCodeLabel || m.kind == kCodeSmallLabel) return 0;
    return numberOf(p, forcedNumber(p, m));
}

void BoardScene::addStone(std::vector<DrawOp>& ops, float cx, float cy, bool black, float size, int alpha) const {
    ops.push_back(picture(black ? ScenePicture::BlackStone : ScenePicture::WhiteStone, cx, cy, size, size, alpha));
}

void BoardScene::addNumber(std::vector<DrawOp>& ops, float cx, float cy, int number, bool onBlack,
                           float stoneSize) const {
    const float s = static_cast<float>(m_geometry.drawingScale());
    const float r = static_cast<float>(m_geometry.radius());
    DrawOp op;
    op.kind = DrawOp::Kind::Text;
    op.textKind = SceneText::Number;
    op.text = std::u16string();
    for (char c : std::to_string(number)) op.text += static_cast<char16_t>(c);
    op.x = cx - r;
    op.y = cy - 14 * s;
    op.w = 2 * r;
    op.h = 28 * s;
    op.fontPx = static_cast<float>(m_state.numberFontPx);
    op.fitWidth = stoneSize * 0.9f;
    op.colour = onBlack ? kTextOnBlack : kTextOnWhite;
    ops.push_back(std::move(op));
}

void BoardScene::addText(std::vector<DrawOp>& ops, float cx, float cy, const std::u16string& text, float fontPx,
                         const BoardPoint& p) const {
    if (text.empty()) return;
    const float r = static_cast<float>(m_geometry.radius());
    const bool stone = isStoneColour(p.colour);
    if (!stone) {
        // Clear the lines under the text so that it reads on an empty point.
        DrawOp disc;
        disc.kind = DrawOp::Kind::Disc;
        disc.x = cx;
        disc.y = cy;
        disc.radius = r * 0.62f;
        disc.colour = m_wood;
        ops.push_back(disc);
    }
    DrawOp op;
    op.kind = DrawOp::Kind::Text;
    op.textKind = text.size() == 1 ? SceneText::Letter : SceneText::Label;
    op.text = text;
    op.x = cx - r;
    op.y = cy - r;
    op.w = 2 * r;
    op.h = 2 * r;
    op.fontPx = fontPx;
    op.fitWidth = 2 * r * 0.95f;
    op.colour = stone && isBlackColour(p.colour) ? kTextOnBlack : kTextOnWhite;
    ops.push_back(std::move(op));
}

std::u16string BoardScene::labelText(int x, int y, const PointMark& m) const {
    if (!m_state.record || m.character < '@') return {};
    const int entry = m.character - '@';
    const GameRecord& record = *m_state.record;
    for (int level = record.pathDepth(); level >= 0; --level) {
        const RecordSequence* s = record.pathSequence(level);
        if (!s || entry >= s->labelCount()) continue;
        const LabelEntry& e = s->label(entry);
        if (e.x != x || e.y != y) continue;
        return std::u16string(s->comments().text(static_cast<int>(e.textIndex)));
    }
    return {};
}

void BoardScene::addMark(std::vector<DrawOp>& ops, int code, int x, int y, float cx, float cy, const BoardPoint& p,
                         const PointMark& m) const {
    const float s = static_cast<float>(m_geometry.drawingScale());
    const float r = static_cast<float>(m_geometry.radius());
    const float d = static_cast<float>(m_geometry.stoneDiameter());
    const float font = static_cast<float>(m_state.numberFontPx);
    switch (code) {
    case kCodeCircle: ops.push_back(circle(cx, cy, r * 0.52f, kMarkRed, 4 * s)); break;
    case kCodeSquare: {
        const float h = r * 0.42f;
        ops.push_back(line(cx - h, cy - h, cx + h, cy - h, kMarkRed, 3 * s));
        ops.push_back(line(cx + h, cy - h, cx + h, cy + h, kMarkRed, 3 * s));
        ops.push_back(line(cx + h, cy + h, cx - h, cy + h, kMarkRed, 3 * s));
        ops.push_back(line(cx - h, cy + h, cx - h, cy - h, kMarkRed, 3 * s));
        break;
    }
    case kCodeTriangle: {
        const float k = r * 0.58f;
        const float oy = cy + r * 0.08f;
        const float ax = cx, ay = oy - k;
        const float bx = cx + k * 0.866f, by = oy + k * 0.5f;
        const float qx = cx - k * 0.866f, qy = oy + k * 0.5f;
        ops.push_back(line(ax, ay, bx, by, kMarkRed, 3 * s));
        ops.push_back(line(bx, by, qx, qy, kMarkRed, 3 * s));
        ops.push_back(line(qx, qy, ax, ay, kMarkRed, 3 * s));
        break;
    }
    case kCodeCross: {
        const float h = r * 0.40f;
        ops.push_back(line(cx - h, cy - h, cx + h, cy + h, kMarkRed, 3 * s));
        ops.push_back(line(cx + h, cy - h, cx - h, cy + h, kMarkRed, 3 * s));
        break;
    }
    case kCodeUpperLetter:
    case kCodeLowerLetter:
        if (m.character > ' ' && m.character < 127) {
            const std::u16string letter(1, static_cast<char16_t>(m.character));
            addText(ops, cx, cy, letter, font * (code == kCodeUpperLetter ? 1.2f : 1.05f), p);
        }
        break;
    case kCodeLabel:
    case kCodeSmallLabel: addText(ops, cx, cy, labelText(x, y, m), font * (code == kCodeLabel ? 1.0f : 0.8f), p); break;
    case kCodeSmallBlack:
    case kCodeSmallWhite: addStone(ops, cx, cy, code == kCodeSmallBlack, d * kSmallStone, kSmallStoneAlpha); break;
    case kCodeBlackTerritory:
    case kCodeWhiteTerritory: {
        const float h = r * 0.22f;
        const Rgb c = code == kCodeBlackTerritory ? kTerritoryBlack : kTerritoryWhite;
        ops.push_back(line(cx - h, cy - h, cx + h, cy - h, c, 3 * s));
        ops.push_back(line(cx + h, cy - h, cx + h, cy + h, c, 3 * s));
        ops.push_back(line(cx + h, cy + h, cx - h, cy + h, c, 3 * s));
        ops.push_back(line(cx - h, cy + h, cx - h, cy - h, c, 3 * s));
        break;
    }
    case kCodeFalseEye: {
        const float h = r * 0.40f;
        ops.push_back(line(cx, cy - h, cx + h, cy, kMarkRed, 3 * s));
        ops.push_back(line(cx + h, cy, cx, cy + h, kMarkRed, 3 * s));
        ops.push_back(line(cx, cy + h, cx - h, cy, kMarkRed, 3 * s));
        ops.push_back(line(cx - h, cy, cx, cy - h, kMarkRed, 3 * s));
        break;
    }
    case kCodeMailGo: {
        DrawOp op = picture(ScenePicture::MailGoMarker, 0, 0, 12 * s, 10 * s, kMarkPictureAlpha);
        op.x = cx + r * 0.30f;
        op.y = cy - r * 0.92f;
        ops.push_back(op);
        break;
    }
    case kCodeLastMove:
    case kCodeLastMoveBranches:
        if (m_settings.lastMoveMarkOff || m_settings.diagramDisplay || m_state.traceMode) break;
        ops.push_back(picture(code == kCodeLastMove ? ScenePicture::LastMove : ScenePicture::LastMoveBranches, cx, cy,
                              24 * s, 24 * s, kMarkPictureAlpha));
        break;
    case kCodeBranchBlack:
    case kCodeBranchWhite:
        if (!isStoneColour(p.colour)) addStone(ops, cx, cy, code == kCodeBranchBlack, d, 255);
        break;
    case kCodeSmallBranchBlack:
    case kCodeSmallBranchWhite:
        if (!isStoneColour(p.colour))
            addStone(ops, cx, cy, code == kCodeSmallBranchBlack, d * kSmallBranchStone, kSmallBranchAlpha);
        break;
    default: break;
    }
}

PointDrawing BoardScene::describe(int x, int y) const {
    PointDrawing out;
    out.x = x;
    out.y = y;
    if (!m_position.onBoard(x, y) || x >= m_geometry.lines() || y >= m_geometry.lines()) return out;
    out.rect = m_geometry.pointRect(x, y);
    const BoardPoint& p = m_position.at(x, y);
    const PointMark& m = m_position.mark(x, y);
    const PixelPoint c = m_geometry.centre(x, y);
    const float cx = c.x + 0.5f;
    const float cy = c.y + 0.5f;
    const float d = static_cast<float>(m_geometry.stoneDiameter());
    const bool stone = isStoneColour(p.colour);
    const FlagMarks flags = decodeMarkFlags(p.markFlags);
    // Flag marks of stones count from the first numbered move on.
    const bool flagsApply = stone ? (p.moveNumber >= m_state.firstNumberedMove) : !flags.hiddenOnEmpty;
    out.ops.reserve(6);

    // The stone: full size, or three quarters for the small colours and flagged stones.
    float stoneSize = d;
    if (stone) {
        const bool small = p.colour >= 5 || (flagsApply && flags.flaggedStone) || m.kind == kCodeFlaggedStone;
        stoneSize = small ? d * kSmallStone : d;
        int alpha = small ? kSmallStoneAlpha : 255;
        if (m_state.stoneAlpha) alpha = alpha * std::clamp(m_state.stoneAlpha(x, y), 0, 255) / 255;
        addStone(out.ops, cx, cy, isBlackColour(p.colour), stoneSize, alpha);
    }

    // Its number; a text label on the point takes the number's place.
    const bool labelled = m.kind == kCodeLabel || m.kind == kCodeSmallLabel;
    if (stone && !labelled) {
        if (const int n = numberOf(p, forcedNumber(p, m)))
            addNumber(out.ops, cx, cy, n, isBlackColour(p.colour), stoneSize);
    }

    // The mark of the point's flags, then the mark of the record.
    if (flagsApply && flags.code != kCodeNone) addMark(out.ops, flags.code, x, y, cx, cy, p, m);
    if (m.kind != kCodeNone && m.kind != kCodeRecentNumber && m.kind != kCodeFlaggedStone)
        addMark(out.ops, m.kind, x, y, cx, cy, p, m);

    if (stone) {
        // The stone selected in the move list, when it lies before the move shown.
        if (m_state.selectedMove > 0 && m_state.selectedMove < m_state.shownMove &&
            p.moveNumber == m_state.selectedMove)
            addMark(out.ops, kCodeCircle, x, y, cx, cy, p, m);
        // The last move exchanged by mail.
        if (m_state.mailGoMove > 0 && p.moveNumber == m_state.mailGoMove)
            addMark(out.ops, kCodeMailGo, x, y, cx, cy, p, m);
        // A small yellow ring on moves that carry a comment.
        if (flags.comment && m_settings.commentMarks && p.moveNumber >= m_state.firstNumberedMove) {
            const float r = static_cast<float>(m_geometry.radius());
            const float s = static_cast<float>(m_geometry.drawingScale());
            const float ring = r * 0.17f;
            out.ops.push_back(circle(cx + r * 0.56f, cy + r * 0.56f, ring, kCommentYellow, 6 * s));
            // A thin darker edge keeps the ring visible on white stones.
            out.ops.push_back(circle(cx + r * 0.56f, cy + r * 0.56f, ring + 3.4f * s, kCommentEdge, 0.9f * s));
        }
    }
    return out;
}

} // namespace stonewise
