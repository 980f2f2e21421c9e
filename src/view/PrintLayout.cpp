#include "view/PrintLayout.h"

#include <algorithm>
#include <cmath>

#include "record/GameInfoText.h"
#include "view/CoordinateLabels.h"
#include "view/PanelStrings.h"

namespace stonewise {

namespace {

constexpr double kLineGap = 8;        // device units between two lines of text
constexpr double kStoneRadius = 0.47; // of the pitch
constexpr double kLabelHeight = 0.4;  // coordinate labels, of the pitch
constexpr std::u16string_view kEllipsis = u"…";
// Text sizes, chosen so that a printed A4 page reads well: the text area at about 7 points (a
// 200th of the paper's width, as once used, gave 3-point text), the title filling the top margin.
constexpr double kTextDivisor = 80; // of the shorter side
constexpr double kTitleShare = 0.7; // of the top margin

bool fullWidth(char16_t c) {
    return (c >= 0x1100 && c <= 0x115F) || (c >= 0x2E80 && c <= 0xA4CF) || (c >= 0xAC00 && c <= 0xD7A3) ||
           (c >= 0xF900 && c <= 0xFAFF) || (c >= 0xFE30 && c <= 0xFE4F) || (c >= 0xFF00 && c <= 0xFF60) ||
           (c >= 0xFFE0 && c <= 0xFFE6);
}

int digitCount(int n) {
    int digits = 1;
    for (n = std::abs(n); n >= 10; n /= 10) ++digits;
    return digits;
}

double sizeFactor(int step) { return step == 1 ? 1.0 : step == 3 ? 0.5 : 0.75; }

// Makes the steps of one page.
class PageBuilder {
public:
    PageBuilder(PrintPage& page, const PrintTextMeasure& measure) : m_page(page), m_measure(measure) {}

    void line(double x, double y, double x2, double y2, double pen, bool white = false) {
        PrintOp op;
        op.kind = PrintOp::Kind::Line;
        op.x = x, op.y = y, op.x2 = x2, op.y2 = y2, op.pen = pen, op.white = white;
        m_page.ops.push_back(std::move(op));
    }
    void ring(double cx, double cy, double radius, bool white, double pen) {
        disc(cx, cy, radius, white, pen);
        m_page.ops.back().kind = PrintOp::Kind::Ring;
    }
    void disc(double cx, double cy, double radius, bool white, double pen) {
        PrintOp op;
        op.kind = PrintOp::Kind::Disc;
        op.x = cx, op.y = cy, op.radius = radius, op.white = white, op.pen = pen;
        m_page.ops.push_back(std::move(op));
    }
    // A text centred in a box.
    void centred(const PrintRect& box, const PrintFont& font, std::u16string text, bool white = false) {
        PrintOp op;
        op.kind = PrintOp::Kind::Text;
        op.x = box.x, op.y = box.y, op.w = box.width, op.h = box.height;
        op.centred = true, op.white = white, op.font = font, op.text = std::move(text);
        m_page.ops.push_back(std::move(op));
    }
    // A text from (x, y) on, cut with "…" to at most `maxWidth`.
    void left(double x, double y, const PrintFont& font, std::u16string text, double maxWidth) {
        PrintTextSize size = m_measure(font, text);
        if (size.width > maxWidth) {
            while (!text.empty() && size.width > maxWidth) {
                text.pop_back();
                size = m_measure(font, text + std::u16string(kEllipsis));
            }
            text += kEllipsis;
        }
        if (size.width > maxWidth) return;
        PrintOp op;
        op.kind = PrintOp::Kind::Text;
        op.x = x, op.y = y, op.w = size.width, op.h = std::max(size.height, font.height);
        op.font = font, op.text = std::move(text);
        m_page.ops.push_back(std::move(op));
    }
    PrintTextSize measure(const PrintFont& font, std::u16string_view text) const { return m_measure(font, text); }

private:
    PrintPage& m_page;
    const PrintTextMeasure& m_measure;
};

// The star points of a board of `lines`.
std::vector<int> starLines(int lines) { return lines == 13 ? std::vector{3, 6, 9} : std::vector{3, 9, 15}; }

// A mark centred on (cx, cy); white on a black stone. A text on an empty point clears the lines
// under it first.
void drawMark(PageBuilder& b, const PrintMark& m, double cx, double cy, double p, bool onBlack, bool empty) {
    const double pen = p / 14;
    switch (m.kind) {
    case kMarkCircle: b.ring(cx, cy, p * 0.27, onBlack, pen); return;
    case kMarkSquare: {
        const double h = p * 0.21;
        b.line(cx - h, cy - h, cx + h, cy - h, pen, onBlack);
        b.line(cx + h, cy - h, cx + h, cy + h, pen, onBlack);
        b.line(cx + h, cy + h, cx - h, cy + h, pen, onBlack);
        b.line(cx - h, cy + h, cx - h, cy - h, pen, onBlack);
        return;
    }
    case kMarkTriangle: {
        const double top = cy - p * 0.28, base = cy + p * 0.16, half = p * 0.25;
        b.line(cx, top, cx + half, base, pen, onBlack);
        b.line(cx + half, base, cx - half, base, pen, onBlack);
        b.line(cx - half, base, cx, top, pen, onBlack);
        return;
    }
    case kMarkCross: {
        const double h = p * 0.2;
        b.line(cx - h, cy - h, cx + h, cy + h, pen, onBlack);
        b.line(cx - h, cy + h, cx + h, cy - h, pen, onBlack);
        return;
    }
    default: break;
    }
    if (m.text.empty()) return;
    if (empty) b.disc(cx, cy, p * 0.36, true, 0);
    const double height = p * (m.kind == kMarkSmallLabel ? 0.3 : 0.45);
    b.centred({cx - p / 2, cy - p / 2, p, p}, {height, 700}, m.text, onBlack);
}

void drawBoard(PageBuilder& b, const PrintGeometry& g, const PrintDiagram& d, const PrintOptions& options,
               const ViewSettings& settings) {
    const double p = g.pitch;
    const double left = g.margin;
    const double top = g.top + p;
    const int n = d.lines;
    const auto at = [&](int i) { return p / 2 + i * p; };
    const double first = at(0);
    const double last = at(n - 1);
    for (int i = 0; i < n; ++i) {
        const double pen = (i == 0 || i == n - 1) ? p / 20 : p / 40;
        b.line(left + first, top + at(i), left + last, top + at(i), pen);
        b.line(left + at(i), top + first, left + at(i), top + last, pen);
    }
    for (int sx : starLines(n))
        for (int sy : starLines(n)) b.disc(left + at(sx), top + at(sy), p / 11, false, 0);

    if (!settings.coordinatesHidden) {
        const CoordinateLabels labels(settings, n);
        PrintFont font{p * kLabelHeight, 400};
        // Row labels stand left of the board, in the margin; a wide label takes a smaller font.
        const double boxLeft = std::max(0.0, left - p);
        const double boxWidth = left - p * 0.05 - boxLeft;
        double widest = 0;
        for (int y = 0; y < n; ++y) widest = std::max(widest, b.measure(font, labels.row(y)).width);
        if (widest > boxWidth && widest > 0) font.height *= boxWidth / widest;
        for (int y = 0; y < n; ++y) b.centred({boxLeft, top + at(y) - p / 2, boxWidth, p}, font, labels.row(y));
        const PrintFont columnFont{p * kLabelHeight, 400};
        for (int x = 0; x < n; ++x) b.centred({left + at(x) - p / 2, g.top, p, p}, columnFont, labels.column(x));
    }

    std::vector<const PrintStone*> stoneAt(static_cast<std::size_t>(n * n), nullptr);
    for (const PrintStone& s : d.stones) {
        const double cx = left + at(s.x);
        const double cy = top + at(s.y);
        const bool white = s.colour == kWhite;
        b.disc(cx, cy, p * kStoneRadius, white, white ? p / 25 : 0);
        if (s.number > 0)
            b.centred({cx - p / 2, cy - p / 2, p, p}, printNumberFont(p, digitCount(s.number), options.numberSize),
                      toU16(s.number), !white);
        if (s.x < n && s.y < n) stoneAt[static_cast<std::size_t>(s.y * n + s.x)] = &s;
    }
    for (const PrintMark& m : d.marks) {
        if (m.x >= n || m.y >= n) continue;
        const PrintStone* stone = stoneAt[static_cast<std::size_t>(m.y * n + m.x)];
        if (stone && stone->number > 0) continue;
        drawMark(b, m, left + at(m.x), top + at(m.y), p, stone && stone->colour == kBlack, !stone);
    }
}

std::u16string pointText(const StringTable* strings, int id, const PrintNote& n, const CoordinateLabels& labels) {
    return panelText(strings, id, {n.number, labels.column(n.x), labels.row(n.y), n.firstNumber});
}

void layoutText(PageBuilder& b, PrintPage& page, const std::vector<std::u16string>& lines, const StringTable* strings) {
    const PrintGeometry& g = page.geometry;
    const PrintFont font{g.shorter / kTextDivisor, 700};
    const PrintTextSize sample = b.measure(font, panelText(strings, kStrPrintSample));
    const double lineHeight = std::max(sample.height, font.height);
    const double width = g.shorter - 2 * g.margin;
    page.columns = sample.width > 0 ? static_cast<int>(width / sample.width) : 0;
    page.linesPerColumn = static_cast<int>(std::floor((g.bottom - g.textTop - lineHeight) / (lineHeight + kLineGap)));
    if (page.columns <= 0 || page.linesPerColumn <= 0) {
        page.overflow = !lines.empty();
        return;
    }
    const double columnPitch = width / page.columns;
    const int places = page.columns * page.linesPerColumn;
    const int fitting = static_cast<int>(lines.size()) <= places ? static_cast<int>(lines.size()) : places - 1;
    page.overflow = fitting < static_cast<int>(lines.size());
    const auto place = [&](int i, std::u16string text) {
        const int column = i / page.linesPerColumn;
        const int row = i % page.linesPerColumn;
        const double x = g.margin + column * columnPitch;
        const double y = g.textTop + (row + 1) * (lineHeight + kLineGap);
        b.left(x, y, font, std::move(text), std::min(columnPitch, g.shorter - x));
    };
    for (int i = 0; i < fitting; ++i) place(i, lines[static_cast<std::size_t>(i)]);
    page.linesPrinted = fitting;
    if (page.overflow) place(fitting, panelText(strings, kStrPrintOverflow));
}

} // namespace

PrintTextSize estimateTextSize(const PrintFont& font, std::u16string_view text) {
    double ems = 0;
    for (char16_t c : text) ems += fullWidth(c) ? 1.0 : 0.5;
    return {ems * font.height, text.empty() ? 0 : font.height};
}

PrintRect PrintOp::bounds() const {
    switch (kind) {
    case Kind::Line:
        return {std::min(x, x2) - pen / 2, std::min(y, y2) - pen / 2, std::abs(x2 - x) + pen, std::abs(y2 - y) + pen};
    case Kind::Disc:
    case Kind::Ring: {
        const double r = radius + pen / 2;
        return {x - r, y - r, 2 * r, 2 * r};
    }
    case Kind::Text: break;
    }
    return {x, y, w, h};
}

PrintGeometry printGeometry(double pageWidth, double pageHeight, int printSize, int lines) {
    PrintGeometry g;
    g.shorter = std::min(pageWidth, pageHeight);
    g.longer = std::max(pageWidth, pageHeight);
    const double factor = sizeFactor(printSize);
    g.margin = std::floor(g.shorter * 6 / 100) * factor;
    g.top = std::floor(g.longer * 2 / 100);
    g.bottom = std::floor(g.longer * 97 / 100);
    g.boardWidth = (g.shorter - g.margin) * factor;
    g.pitch = g.boardWidth / (lines == 13 ? 13 : 19);
    g.textTop = std::floor(g.pitch) + g.boardWidth + g.top;
    return g;
}

PrintFont printNumberFont(double pitch, int digits, int numberSize) {
    const double share = digits >= 3 ? 0.3 : 0.4;
    return {pitch * 0.75 * share * sizeFactor(numberSize), 700};
}

std::vector<std::u16string> printTextLines(const PrintDiagram& d, const PrintRecordTexts& texts,
                                           const PrintOptions& options, const ViewSettings& settings,
                                           const StringTable* strings) {
    const CoordinateLabels labels(settings, d.lines);
    std::vector<std::u16string> lines;
    if (texts.date.year != 0)
        lines.push_back(panelText(strings, kStrPrintDate, {texts.date.year, texts.date.month, texts.date.day}));
    lines.push_back(panelText(strings, kStrPrintWhite, {texts.white}));
    lines.push_back(panelText(strings, kStrPrintBlack, {texts.black}));
    lines.push_back(panelText(strings, kStrPrintHandicap, {handicapText(texts.handicap)}));
    if (d.lastX >= 0)
        lines.push_back(
            panelText(strings, kStrPrintLastMove, {d.lastNumber, labels.column(d.lastX), labels.row(d.lastY)}));
    else if (d.lastIsPass) lines.push_back(panelText(strings, kStrPrintLastPass, {d.lastNumber}));
    lines.push_back(panelText(strings, kStrPrintPrisoners, {d.whitePrisoners, d.blackPrisoners}));
    lines.push_back(panelText(strings, kStrPrintResult, {texts.result}));
    lines.emplace_back();
    for (const PrintNote& n : d.notes) {
        if (n.number < options.firstNumber || n.number > d.lastNumber) continue;
        const bool retaken = n.kind == PrintNote::Kind::Retaken;
        lines.push_back(pointText(strings, retaken ? kStrPrintRetaken : kStrPrintDistant, n, labels));
    }
    return lines;
}

PrintPage layoutPrintPage(const PrintDiagram& diagram, const PrintRecordTexts& texts, const PrintOptions& options,
                          const ViewSettings& settings, double pageWidth, double pageHeight,
                          const PrintTextMeasure& measure, const StringTable* strings) {
    PrintPage page;
    page.documentName = texts.title;
    page.geometry = printGeometry(pageWidth, pageHeight, options.printSize, diagram.lines);
    page.width = page.geometry.shorter;
    page.height = page.geometry.longer;
    const PrintGeometry& g = page.geometry;
    PageBuilder b(page, measure);
    b.left(g.margin, g.top / 4, {g.top * kTitleShare, 400}, texts.title, g.shorter - g.margin);
    drawBoard(b, g, diagram, options, settings);
    layoutText(b, page, printTextLines(diagram, texts, options, settings, strings), strings);
    return page;
}

} // namespace stonewise
