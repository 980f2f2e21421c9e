#pragma once

#include <array>
#include <cstdint>

// Smooth gradient noise in two dimensions (values about -1..1), seeded so that every run of the
// generator draws the same pictures.
class Noise {
public:
    explicit Noise(std::uint32_t seed);

    // Gradient noise at (x, y); one feature per unit.
    double at(double x, double y) const;
    // Sum of `octaves` layers, each of twice the frequency and `gain` times the amplitude.
    double fbm(double x, double y, int octaves, double gain = 0.5) const;
    // A repeatable pseudo-random value in 0..1 for an integer key.
    double hash01(std::int64_t key) const;

private:
    double gradient(int ix, int iy, double dx, double dy) const;
    std::array<std::uint16_t, 512> m_perm{};
    std::uint32_t m_seed;
};
