#include "Noise.h"

#include <cmath>
#include <numeric>
#include <random>

Noise::Noise(std::uint32_t seed) : m_seed(seed) {
    std::array<std::uint16_t, 256> p{};
    std::iota(p.begin(), p.end(), 0);
    std::mt19937 rng(seed);
    for (int i = 255; i > 0; --i) {
        std::uniform_int_distribution<int> pick(0, i);
        std::swap(p[static_cast<std::size_t>(i)], p[static_cast<std::size_t>(pick(rng))]);
    }
    for (std::size_t i = 0; i < 512; ++i) m_perm[i] = p[i & 255];
}

double Noise::gradient(int ix, int iy, double dx, double dy) const {
    const int h = m_perm[static_cast<std::size_t>((m_perm[static_cast<std::size_t>(ix & 255)] + iy) & 511)] & 7;
    static constexpr double kGx[8] = {1, -1, 1, -1, 0.7071, -0.7071, 0.7071, -0.7071};
    static constexpr double kGy[8] = {0.7071, 0.7071, -0.7071, -0.7071, 1, 1, -1, -1};
    return kGx[h] * dx + kGy[h] * dy;
}

double Noise::at(double x, double y) const {
    const double fx = std::floor(x);
    const double fy = std::floor(y);
    const int ix = static_cast<int>(fx);
    const int iy = static_cast<int>(fy);
    const double dx = x - fx;
    const double dy = y - fy;
    auto fade = [](double t) { return t * t * t * (t * (t * 6 - 15) + 10); };
    const double u = fade(dx);
    const double v = fade(dy);
    const double n00 = gradient(ix, iy, dx, dy);
    const double n10 = gradient(ix + 1, iy, dx - 1, dy);
    const double n01 = gradient(ix, iy + 1, dx, dy - 1);
    const double n11 = gradient(ix + 1, iy + 1, dx - 1, dy - 1);
    const double a = n00 + u * (n10 - n00);
    const double b = n01 + u * (n11 - n01);
    return 1.4 * (a + v * (b - a));
}

double Noise::fbm(double x, double y, int octaves, double gain) const {
    double sum = 0;
    double amp = 1;
    double norm = 0;
    for (int i = 0; i < octaves; ++i) {
        sum += amp * at(x, y);
        norm += amp;
        x = x * 2.03 + 17.1;
        y = y * 2.03 + 5.3;
        amp *= gain;
    }
    return sum / norm;
}

double Noise::hash01(std::int64_t key) const {
    std::uint64_t z = static_cast<std::uint64_t>(key) * 0x9E3779B97F4A7C15ull + m_seed;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    z ^= z >> 31;
    return static_cast<double>(z >> 11) / 9007199254740992.0;
}
