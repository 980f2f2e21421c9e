// Makes the pictures and game records of a book's source folder from its diagrams file: each
// diagram becomes NAME.bmp (the corner drawn from its rows) and NAME.sgf (its stones and moves,
// read and written again by the program's own SGF reader and writer).
//   make_book_sample DIAGRAMS_FILE OUT_DIR
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "formats/GameFileLoader.h"
#include "formats/SgfWriter.h"
#include "record/Text.h"

namespace {

struct Diagram {
    std::string id;
    std::string name;
    std::string player = "B";
    std::vector<std::string> rows; // one character per point: . X O, * a marked empty point,
                                   // # @ marked stones, b w territory
    std::string tree;
    bool setup = true; // the rows' stones stand in the record before its moves
};

std::string trim(const std::string& s) {
    const auto a = s.find_first_not_of(" \t\r");
    return a == std::string::npos ? std::string() : s.substr(a, s.find_last_not_of(" \t\r") - a + 1);
}

std::vector<Diagram> readDiagrams(std::istream& in) {
    std::vector<Diagram> out;
    std::string line;
    bool inBoard = false;
    while (std::getline(in, line)) {
        line = trim(line);
        if (line.starts_with("#") && !inBoard) continue;
        if (line.starts_with("[diagram ")) {
            out.push_back({line.substr(9, line.size() - 10)});
            inBoard = false;
            continue;
        }
        if (out.empty()) continue;
        Diagram& d = out.back();
        if (inBoard && !line.empty() && line.find(':') == std::string::npos) {
            std::string row;
            for (char c : line)
                if (c != ' ') row += c;
            d.rows.push_back(row);
            continue;
        }
        inBoard = false;
        if (line.starts_with("name:")) d.name = trim(line.substr(5));
        else if (line.starts_with("player:")) d.player = trim(line.substr(7));
        else if (line.starts_with("tree:")) d.tree = trim(line.substr(5));
        else if (line == "setup: no") d.setup = false;
        else if (line == "board:") inBoard = true;
    }
    return out;
}

// --- the picture ----------------------------------------------------------------------------

constexpr int kCell = 24, kMargin = 16;

struct Canvas {
    int w, h;
    std::vector<std::uint8_t> rgb;
    Canvas(int width, int height) : w(width), h(height), rgb(static_cast<std::size_t>(width * height * 3)) {}
    void set(int x, int y, int r, int g, int b) {
        if (x < 0 || y < 0 || x >= w || y >= h) return;
        std::uint8_t* p = &rgb[static_cast<std::size_t>((y * w + x) * 3)];
        p[0] = static_cast<std::uint8_t>(r);
        p[1] = static_cast<std::uint8_t>(g);
        p[2] = static_cast<std::uint8_t>(b);
    }
    void rect(int x0, int y0, int x1, int y1, int r, int g, int b) {
        for (int y = y0; y <= y1; ++y)
            for (int x = x0; x <= x1; ++x) set(x, y, r, g, b);
    }
    // A disc with a soft edge over what is there.
    void disc(int cx, int cy, double radius, int r, int g, int b) {
        for (int y = cy - kCell; y <= cy + kCell; ++y)
            for (int x = cx - kCell; x <= cx + kCell; ++x) {
                const double d = std::sqrt(double((x - cx) * (x - cx) + (y - cy) * (y - cy)));
                const double a = std::clamp(radius + 0.5 - d, 0.0, 1.0);
                if (a <= 0 || x < 0 || y < 0 || x >= w || y >= h) continue;
                std::uint8_t* p = &rgb[static_cast<std::size_t>((y * w + x) * 3)];
                p[0] = static_cast<std::uint8_t>(p[0] * (1 - a) + r * a);
                p[1] = static_cast<std::uint8_t>(p[1] * (1 - a) + g * a);
                p[2] = static_cast<std::uint8_t>(p[2] * (1 - a) + b * a);
            }
    }
    // A 24-bit BMP file: the 14-byte file header, the 40-byte info header, rows from the bottom.
    std::string bmp() const {
        const int stride = (w * 3 + 3) / 4 * 4;
        const std::uint32_t size = 54 + static_cast<std::uint32_t>(stride * h);
        std::string out;
        auto u16 = [&](std::uint32_t v) { out += char(v & 0xFF), out += char((v >> 8) & 0xFF); };
        auto u32 = [&](std::uint32_t v) { u16(v & 0xFFFF), u16(v >> 16); };
        out += "BM";
        u32(size), u32(0), u32(54);
        u32(40), u32(static_cast<std::uint32_t>(w)), u32(static_cast<std::uint32_t>(h)), u16(1), u16(24), u32(0);
        u32(static_cast<std::uint32_t>(stride * h)), u32(2835), u32(2835), u32(0), u32(0);
        for (int y = h - 1; y >= 0; --y) {
            for (int x = 0; x < w; ++x) {
                const std::uint8_t* p = &rgb[static_cast<std::size_t>((y * w + x) * 3)];
                out += char(p[2]), out += char(p[1]), out += char(p[0]);
            }
            out.append(static_cast<std::size_t>(stride - w * 3), '\0');
        }
        return out;
    }
};

// The top-left corner of the board: the top and left lines are the board's edges.
std::string drawDiagram(const Diagram& d) {
    const int cols = d.rows.empty() ? 0 : static_cast<int>(d.rows[0].size());
    const int rows = static_cast<int>(d.rows.size());
    Canvas c(kMargin + (cols - 1) * kCell + kMargin, kMargin + (rows - 1) * kCell + kMargin);
    c.rect(0, 0, c.w - 1, c.h - 1, 222, 184, 122);
    for (int i = 0; i < cols; ++i) c.rect(kMargin + i * kCell, kMargin, kMargin + i * kCell, c.h - 1, 40, 30, 20);
    for (int j = 0; j < rows; ++j) c.rect(kMargin, kMargin + j * kCell, c.w - 1, kMargin + j * kCell, 40, 30, 20);
    c.rect(kMargin - 1, kMargin - 1, c.w - 1, kMargin, 40, 30, 20);
    c.rect(kMargin - 1, kMargin - 1, kMargin, c.h - 1, 40, 30, 20);
    for (int j = 0; j < rows; ++j)
        for (int i = 0; i < cols && i < static_cast<int>(d.rows[static_cast<std::size_t>(j)].size()); ++i) {
            const char p = d.rows[static_cast<std::size_t>(j)][static_cast<std::size_t>(i)];
            const int x = kMargin + i * kCell, y = kMargin + j * kCell;
            const bool black = p == 'X' || p == '#', white = p == 'O' || p == '@';
            if (black) c.disc(x, y, kCell / 2.0 - 1, 20, 20, 20);
            if (white) {
                c.disc(x, y, kCell / 2.0 - 1, 30, 30, 30);
                c.disc(x, y, kCell / 2.0 - 2, 245, 245, 240);
            }
            if (p == '*' || p == '#' || p == '@') {
                c.disc(x, y, 5, 200, 30, 30);
                c.disc(x, y, 3,
                       black   ? 20
                       : white ? 245
                               : 222,
                       black   ? 20
                       : white ? 245
                               : 184,
                       black   ? 20
                       : white ? 240
                               : 122);
            }
            if (p == 'b') c.rect(x - 4, y - 4, x + 4, y + 4, 20, 20, 20);
            if (p == 'w') {
                c.rect(x - 5, y - 5, x + 5, y + 5, 30, 30, 30);
                c.rect(x - 4, y - 4, x + 4, y + 4, 245, 245, 240);
            }
        }
    return c.bmp();
}

// --- the game record ------------------------------------------------------------------------

std::string sgfOf(const Diagram& d) {
    std::string black, white;
    for (std::size_t j = 0; d.setup && j < d.rows.size(); ++j)
        for (std::size_t i = 0; i < d.rows[j].size(); ++i) {
            const char point[5] = {'[', static_cast<char>('a' + i), static_cast<char>('a' + j), ']', '\0'};
            const char p = d.rows[j][i];
            if (p == 'X' || p == '#') black += point;
            if (p == 'O' || p == '@') white += point;
        }
    std::string sgf = "(;GM[1]FF[4]CA[UTF-8]SZ[19]GN[" + d.name + "]PL[" + d.player + "]";
    if (!black.empty()) sgf += "AB" + black;
    if (!white.empty()) sgf += "AW" + white;
    return sgf + d.tree + ")";
}

bool writeFile(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}

} // namespace

int main(int argc, char** argv) {
    using namespace stonewise;
    if (argc != 3) {
        std::cerr << "usage: make_book_sample DIAGRAMS_FILE OUT_DIR\n";
        return 2;
    }
    std::ifstream in(argv[1]);
    if (!in) {
        std::cerr << argv[1] << ": cannot be read\n";
        return 1;
    }
    const std::string out = std::string(argv[2]) + "/";
    for (const Diagram& d : readDiagrams(in)) {
        if (d.rows.empty() || !writeFile(out + d.id + ".bmp", drawDiagram(d))) {
            std::cerr << d.id << ": no picture\n";
            return 1;
        }
        LoadedGame g = loadGameBytes(sgfOf(d), GameFileKind::Sgf, fromUtf8(d.name), LoadRequest{}, LoadSettings{});
        SgfWriteOptions options;
        options.encoding = SgfEncoding::Utf8;
        if (!g.ok || !saveSgfFile(out + d.id + ".sgf", *g.main, g.info, options)) {
            std::cerr << d.id << ": no game record\n";
            return 1;
        }
    }
    return 0;
}
