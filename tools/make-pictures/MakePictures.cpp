// Generates the board, stone and mark pictures of Stonewise.
//
// Boards: a straight-grained golden wood with the grid and the star points, for 19 and 13 lines, in
// the normal and the large set. The grid lines lie on the pixel rows and columns that the program
// computes for the points: centre = round(margin + i × cell), cell = (size − 2 × margin) / (lines − 1).
// Stones: biconvex slate (black) and shell (white) stones with alpha, lit from the upper left.
// Marks: the last-move dots, the Mail Go marker, the alarm badge and the answer stamps.
//
// Usage: make_pictures <output folder>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>
#include <string>

#include "Noise.h"
#include "PictureCanvas.h"

namespace {

constexpr double kPi = 3.14159265358979323846;

double smoothstep(double a, double b, double x) {
    const double t = std::clamp((x - a) / (b - a), 0.0, 1.0);
    return t * t * (3 - 2 * t);
}

Rgba mix(Rgba a, Rgba b, double t) {
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t, a.a + (b.a - a.a) * t};
}

Rgba rgb(int r, int g, int b, double a = 1.0) { return {r / 255.0, g / 255.0, b / 255.0, a}; }

// Runs `inside` over an n × n grid of samples of pixel (x, y) and returns the covered fraction.
double coverage(int x, int y, int n, const std::function<bool(double, double)>& inside) {
    int hits = 0;
    for (int j = 0; j < n; ++j)
        for (int i = 0; i < n; ++i)
            if (inside(x + (i + 0.5) / n, y + (j + 0.5) / n)) ++hits;
    return static_cast<double>(hits) / (n * n);
}

// Length of the overlap of [a0, a1] with [b0, b1].
double overlap(double a0, double a1, double b0, double b1) {
    return std::max(0.0, std::min(a1, b1) - std::max(a0, b0));
}

// ---------------------------------------------------------------------------------------------
// The wood

class Wood {
public:
    explicit Wood(std::uint32_t seed)
        : m_warp(seed), m_phase(seed + 11), m_fibre(seed + 23), m_pores(seed + 37), m_tone(seed + 41),
          m_figure(seed + 53) {}

    // The colour of the board surface at (x, y) in units of the normal set's pixels.
    Rgba at(double x, double y) const {
        // The grain runs from the far edge to the near edge, bending gently.
        const double warp = 22 * m_warp.fbm(x * 0.0021, y * 0.00075, 3) + 3.5 * m_warp.fbm(x * 0.011, y * 0.0028, 2);
        const double u = x + warp;

        // Growth rings cut lengthwise: bands of slowly changing width, each ending in a darker
        // line of late wood.
        const double t = u * 0.105 + 2.6 * m_phase.fbm(u * 0.0045, y * 0.00028, 2);
        const double k = std::floor(t);
        const double f = t - k;
        const double strength = 0.20 + 0.80 * std::pow(m_phase.hash01(static_cast<std::int64_t>(k)), 1.4);
        const double late = smoothstep(0.66, 0.94, f) * (1.0 - smoothstep(0.955, 1.0, f));
        // A faint early-wood glow at the start of each band.
        const double early = (1.0 - smoothstep(0.0, 0.3, f)) * 0.25;
        // Finer lines between the rings.
        const double fine = std::pow(0.5 + 0.5 * std::sin(u * 0.95 + 3.0 * m_fibre.at(u * 0.02, y * 0.001)), 8.0);

        // Fine fibres and pores, long along the grain.
        const double fibre = m_fibre.fbm(u * 0.42, y * 0.010, 2);
        const double pores = std::max(0.0, m_pores.at(u * 0.85, y * 0.045) - 0.35);
        // Broad changes of tone over the board, and a soft shimmer across the grain.
        const double tone = m_tone.fbm(x * 0.0016, y * 0.0012, 3);
        const double figure = m_figure.fbm(x * 0.004, y * 0.02, 2);

        const Rgba light = rgb(240, 201, 136);
        const Rgba dark = rgb(196, 136, 70);
        double shade = 0.62 * late * strength - 0.10 * early + 0.05 * fine * (0.4 + strength) +
                       0.10 * (0.5 + 0.5 * fibre) + 0.22 * pores + 0.22 * tone + 0.05 * figure;
        shade = std::clamp(shade + 0.15, 0.0, 1.0);
        Rgba c = mix(light, dark, shade);
        // A touch more red in the darker lines, as in old kaya.
        c.r += 0.015 * late * strength;
        c.b -= 0.018 * late * strength;
        return c;
    }

private:
    Noise m_warp, m_phase, m_fibre, m_pores, m_tone, m_figure;
};

// ---------------------------------------------------------------------------------------------
// Boards

struct BoardSpec {
    const char* file;
    int width;
    int height;
    int lines;
    int margin; // left and top margins are equal in the large set
    int top;
    double scale; // 1 for the normal set
    std::uint32_t seed;
};

int linePixel(double margin, double cell, int i) { return static_cast<int>(std::lround(margin + i * cell)); }

bool makeBoard(const std::string& folder, const BoardSpec& s) {
    const Wood wood(s.seed);
    PictureCanvas c(s.width, s.height);
    const double cellW = (s.width - 2.0 * s.margin) / (s.lines - 1);
    const double cellH = (s.height - 2.0 * s.top) / (s.lines - 1);

    // Wood, with a soft bevel along the edges of the board top.
    for (int y = 0; y < s.height; ++y)
        for (int x = 0; x < s.width; ++x) {
            Rgba w = wood.at((x + 0.5) / s.scale, (y + 0.5) / s.scale);
            const double e = 3.0 * s.scale;
            const double fromLeft = (x + 0.5) / e, fromTop = (y + 0.5) / e;
            const double fromRight = (s.width - x - 0.5) / e, fromBottom = (s.height - y - 0.5) / e;
            double light = 0;
            if (fromLeft < 1) light += 0.06 * (1 - fromLeft);
            if (fromTop < 1) light += 0.07 * (1 - fromTop);
            if (fromRight < 1) light -= 0.10 * (1 - fromRight);
            if (fromBottom < 1) light -= 0.12 * (1 - fromBottom);
            w.r = std::clamp(w.r * (1 + light), 0.0, 1.0);
            w.g = std::clamp(w.g * (1 + light), 0.0, 1.0);
            w.b = std::clamp(w.b * (1 + light), 0.0, 1.0);
            c.set(x, y, w);
        }

    // The grid: ink lines centred on the point pixels, the outer square drawn thicker.
    const Rgba ink = rgb(34, 22, 10, 0.88);
    const double inner = 0.60 * s.scale; // half widths
    const double outer = 1.10 * s.scale;
    const double x0 = linePixel(s.margin, cellW, 0) + 0.5, x1 = linePixel(s.margin, cellW, s.lines - 1) + 0.5;
    const double y0 = linePixel(s.top, cellH, 0) + 0.5, y1 = linePixel(s.top, cellH, s.lines - 1) + 0.5;
    PictureCanvas lines(s.width, s.height, {0, 0, 0, 0});
    auto addLine = [&](double ax0, double ax1, double ay0, double ay1) {
        for (int y = std::max(0, static_cast<int>(ay0) - 1); y <= std::min(s.height - 1, static_cast<int>(ay1) + 1);
             ++y)
            for (int x = std::max(0, static_cast<int>(ax0) - 1); x <= std::min(s.width - 1, static_cast<int>(ax1) + 1);
                 ++x) {
                const double cov = overlap(ax0, ax1, x, x + 1) * overlap(ay0, ay1, y, y + 1);
                if (cov <= 0) continue;
                Rgba p = lines.get(x, y);
                p.a = std::max(p.a, cov);
                lines.set(x, y, p);
            }
    };
    for (int i = 0; i < s.lines; ++i) {
        const bool edge = i == 0 || i == s.lines - 1;
        const double hw = edge ? outer : inner;
        const double cx = linePixel(s.margin, cellW, i) + 0.5;
        const double cy = linePixel(s.top, cellH, i) + 0.5;
        addLine(cx - hw, cx + hw, y0 - outer, y1 + outer);
        addLine(x0 - outer, x1 + outer, cy - hw, cy + hw);
    }
    // Star points.
    const int far = s.lines - 4;
    const int mid = s.lines / 2;
    const int stars19[9][2] = {{3, 3},     {3, mid}, {3, far},   {mid, 3},  {mid, mid},
                               {mid, far}, {far, 3}, {far, mid}, {far, far}};
    const int stars13[5][2] = {{3, 3}, {3, far}, {far, 3}, {far, far}, {mid, mid}};
    const int count = s.lines == 19 ? 9 : 5;
    const double starRadius = 3.7 * s.scale;
    for (int k = 0; k < count; ++k) {
        const int* p = s.lines == 19 ? stars19[k] : stars13[k];
        const double cx = linePixel(s.margin, cellW, p[0]) + 0.5;
        const double cy = linePixel(s.top, cellH, p[1]) + 0.5;
        for (int y = static_cast<int>(cy - starRadius) - 1; y <= static_cast<int>(cy + starRadius) + 1; ++y)
            for (int x = static_cast<int>(cx - starRadius) - 1; x <= static_cast<int>(cx + starRadius) + 1; ++x) {
                const double cov = coverage(x, y, 8, [&](double px, double py) {
                    return (px - cx) * (px - cx) + (py - cy) * (py - cy) <= starRadius * starRadius;
                });
                Rgba q = lines.get(x, y);
                q.a = std::max(q.a, cov);
                lines.set(x, y, q);
            }
    }
    for (int y = 0; y < s.height; ++y)
        for (int x = 0; x < s.width; ++x) {
            const double a = lines.get(x, y).a;
            if (a > 0) c.blend(x, y, ink, a);
        }
    return c.writePng(folder + "/" + s.file, false);
}

// ---------------------------------------------------------------------------------------------
// Stones

struct Vec {
    double x, y, z;
};
Vec normalise(Vec v) {
    const double l = std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z);
    return {v.x / l, v.y / l, v.z / l};
}
double dot(Vec a, Vec b) { return a.x * b.x + a.y * b.y + a.z * b.z; }

bool makeStone(const std::string& folder, const char* file, int size, bool black, std::uint32_t seed) {
    PictureCanvas c(size, size);
    const Noise grain(seed);
    const Noise bands(seed + 5);
    const double centre = size / 2.0;
    const double radius = size / 2.0 - 0.025 * size / 2.0;
    const Vec light = normalise({-0.42, -0.58, 0.70});
    const Vec half = normalise({light.x, light.y, light.z + 1.0});
    const double bulge = 0.50; // height of the biconvex lens relative to the radius
    const int n = 6;           // samples per pixel side

    // The soft shadow the stone throws on the board, offset towards the lower right.
    const double sx = centre + 0.02 * size, sy = centre + 0.03 * size;
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            const double d = std::hypot(x + 0.5 - sx, y + 0.5 - sy) / radius;
            const double a = 0.38 * (1.0 - smoothstep(0.90, 1.05, d));
            if (a > 0) c.blend(x, y, {0.10, 0.06, 0.02, 1.0}, a);
        }

    // White shell: growth lines run across the stone at a slant and curve gently.
    const double angle = 0.35;
    const double ca = std::cos(angle), sa = std::sin(angle);

    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            double r = 0, g = 0, b = 0;
            int inside = 0;
            for (int j = 0; j < n; ++j)
                for (int i = 0; i < n; ++i) {
                    const double px = (x + (i + 0.5) / n - centre) / radius;
                    const double py = (y + (j + 0.5) / n - centre) / radius;
                    const double rr = px * px + py * py;
                    if (rr > 1.0) continue;
                    ++inside;
                    const double h = std::sqrt(1.0 - rr);
                    // Surface normal of z = bulge × sqrt(1 − r²), steepening towards the rim.
                    const double slope = bulge / std::max(h, 0.06);
                    const Vec normal = normalise({px * slope, py * slope, 1.0});
                    const double diffuse = std::max(0.0, dot(normal, light));
                    const double spec = std::max(0.0, dot(normal, half));
                    const double rim = smoothstep(0.80, 1.0, std::sqrt(rr));
                    Rgba col;
                    if (black) {
                        // Slate: nearly black, matte, with a broad soft sheen and a fine grain.
                        const double tex = 0.010 * grain.fbm(px * 9, py * 9, 3);
                        const double base = 0.050 + tex;
                        const double v = base + 0.085 * diffuse + 0.20 * std::pow(spec, 10) +
                                         0.16 * std::pow(spec, 48) - 0.025 * rim;
                        col = {v * 0.98, v * 1.0, v * 1.05, 1};
                    } else {
                        // Shell: warm white with faint growth lines and a gentle sheen.
                        const double u = px * ca + py * sa;
                        const double w = -px * sa + py * ca + 0.10 * u * u;
                        const double line = 0.5 + 0.5 * std::sin(w * 58.0 + 2.0 * bands.at(w * 3.0, 0.5));
                        const double band = bands.fbm(w * 5.5, 0.2, 3);
                        // The fine lines show more in some growth bands than in others.
                        const double visible = 0.35 + 0.65 * (0.5 + 0.5 * bands.at(w * 2.3 + 4.1, 1.7));
                        const double growth = 0.024 * line * line * visible + 0.022 * band;
                        const double shade = 0.60 + 0.40 * diffuse;
                        const double v = shade - growth - 0.05 * rim;
                        const double sheen = 0.14 * std::pow(spec, 22) + 0.05 * std::pow(spec, 5);
                        col = {std::min(1.0, 0.985 * v + sheen), std::min(1.0, 0.970 * v + sheen),
                               std::min(1.0, 0.925 * v + sheen), 1};
                    }
                    r += col.r;
                    g += col.g;
                    b += col.b;
                }
            if (inside == 0) continue;
            const double cov = static_cast<double>(inside) / (n * n);
            c.blend(x, y, {r / inside, g / inside, b / inside, 1.0}, cov);
        }
    return c.writePng(folder + "/" + file, true);
}

// ---------------------------------------------------------------------------------------------
// Marks

// The last-move mark: a small dot above the middle of the stone, so that the move's number below it
// stays readable; a light halo lets it show on black stones too.
bool makeLastMoveMark(const std::string& folder, const char* file, Rgba colour) {
    const int size = 24;
    PictureCanvas c(size, size);
    const double cx = size / 2.0, cy = 3.2, radius = 3.3;
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            const double halo =
                coverage(x, y, 8, [&](double px, double py) { return std::hypot(px - cx, py - cy) <= radius + 0.8; });
            c.blend(x, y, {1, 1, 1, 0.55}, halo);
            const double dot =
                coverage(x, y, 8, [&](double px, double py) { return std::hypot(px - cx, py - cy) <= radius; });
            c.blend(x, y, colour, dot);
        }
    return c.writePng(folder + "/" + file, true);
}

// The Mail Go marker: a small envelope.
bool makeMailGoMarker(const std::string& folder) {
    PictureCanvas c(12, 10);
    const Rgba paper = rgb(255, 196, 40);
    const Rgba edge = rgb(120, 60, 0);
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 12; ++x) {
            const double body =
                coverage(x, y, 8, [](double px, double py) { return px >= 0.5 && px <= 11.5 && py >= 1 && py <= 9.5; });
            c.blend(x, y, paper, body);
            const double outline = coverage(x, y, 8, [](double px, double py) {
                const bool in = px >= 0.5 && px <= 11.5 && py >= 1 && py <= 9.5;
                const bool core = px >= 1.5 && px <= 10.5 && py >= 2 && py <= 8.5;
                const double flap = std::abs(py - 1.2 - (5.5 - std::abs(px - 6.0)) * 0.8);
                return in && (!core || flap < 0.6);
            });
            c.blend(x, y, edge, outline);
        }
    return c.writePng(folder + "/mailgo-marker.png", true);
}

// The alarm badge: a red disc with a white exclamation mark.
bool makeAlarm(const std::string& folder) {
    const int size = 16;
    PictureCanvas c(size, size);
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            const double disc =
                coverage(x, y, 8, [](double px, double py) { return std::hypot(px - 8, py - 8) <= 7.4; });
            c.blend(x, y, rgb(214, 32, 28), disc);
            const double mark = coverage(x, y, 8, [](double px, double py) {
                const bool bar = std::abs(px - 8) <= 1.1 && py >= 3.2 && py <= 9.6;
                const bool dot = std::hypot(px - 8, py - 12.0) <= 1.25;
                return bar || dot;
            });
            c.blend(x, y, {1, 1, 1, 1}, mark);
        }
    return c.writePng(folder + "/mark-alarm.png", true);
}

// The stamp of a right answer: a red double circle.
bool makeCorrect(const std::string& folder) {
    const int size = 200;
    PictureCanvas c(size, size);
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            const double cov = coverage(x, y, 4, [](double px, double py) {
                const double d = std::hypot(px - 100, py - 100);
                return (d >= 78 && d <= 94) || (d >= 56 && d <= 64);
            });
            c.blend(x, y, rgb(220, 30, 36, 0.92), cov);
        }
    return c.writePng(folder + "/mark-correct.png", true);
}

// The stamp of a wrong answer: a blue cross with rounded ends.
bool makeWrong(const std::string& folder) {
    const int size = 202;
    PictureCanvas c(size, size);
    auto segment = [](double px, double py, double ax, double ay, double bx, double by) {
        const double vx = bx - ax, vy = by - ay;
        const double t = std::clamp(((px - ax) * vx + (py - ay) * vy) / (vx * vx + vy * vy), 0.0, 1.0);
        return std::hypot(px - ax - t * vx, py - ay - t * vy);
    };
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            const double cov = coverage(x, y, 4, [&](double px, double py) {
                return segment(px, py, 30, 30, 172, 172) <= 11 || segment(px, py, 172, 30, 30, 172) <= 11;
            });
            c.blend(x, y, rgb(30, 80, 200, 0.92), cov);
        }
    return c.writePng(folder + "/mark-wrong.png", true);
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_pictures <output folder>\n");
        return 2;
    }
    const std::string out = argv[1];
    const double large = 1.733;
    const BoardSpec boards[] = {
        {"board19.png", 856, 920, 19, 23, 26, 1.0, 1901},
        {"board13.png", 590, 630, 13, 23, 26, 1.0, 1301},
        {"board19-large.png", 1482, 1600, 19, 41, 41, large, 1901},
        {"board13-large.png", 1009, 1091, 13, 41, 41, large, 1301},
    };
    bool ok = true;
    for (const BoardSpec& b : boards) ok = makeBoard(out, b) && ok;
    ok = makeStone(out, "stone-black.png", 45, true, 7) && ok;
    ok = makeStone(out, "stone-white.png", 45, false, 8) && ok;
    ok = makeStone(out, "stone-black-large.png", 78, true, 7) && ok;
    ok = makeStone(out, "stone-white-large.png", 78, false, 8) && ok;
    ok = makeLastMoveMark(out, "last-move.png", rgb(230, 30, 24)) && ok;
    ok = makeLastMoveMark(out, "last-move-branches.png", rgb(30, 110, 240)) && ok;
    ok = makeMailGoMarker(out) && ok;
    ok = makeAlarm(out) && ok;
    ok = makeCorrect(out) && ok;
    ok = makeWrong(out) && ok;
    if (!ok) {
        std::fprintf(stderr, "make_pictures: a picture could not be written to %s\n", out.c_str());
        return 1;
    }
    return 0;
}
