#include "mkdata/terrain/sphere_noise.h"

#include <cmath>
#include <random>

namespace q71::mkdata {

namespace {

constexpr double kEarthRadiusKm = 6366.0;

double fade(double t) {
    return t * t * t * (t * (t * 6 - 15) + 10);
}

double lerp(double a, double b, double t) {
    return a + (b - a) * t;
}

// The gradients of the lattice corners: the cube's twelve edge directions, four of them
// twice so that a hash picks one with a mask.
constexpr double kGradients[16][3] = {
    {1, 1, 0}, {-1, 1, 0}, {1, -1, 0}, {-1, -1, 0}, {1, 0, 1}, {-1, 0, 1}, {1, 0, -1}, {-1, 0, -1},
    {0, 1, 1}, {0, -1, 1}, {0, 1, -1}, {0, -1, -1}, {1, 1, 0}, {0, -1, 1}, {-1, 1, 0}, {0, -1, -1}};

inline double gradient(uint8_t hash, double x, double y, double z) {
    const double* g = kGradients[hash & 15];
    return g[0] * x + g[1] * y + g[2] * z;
}

} // namespace

SpherePoint spherePoint(double lat, double lon) {
    const double k = M_PI / 180.0;
    return {std::cos(lat * k) * std::cos(lon * k), std::cos(lat * k) * std::sin(lon * k), std::sin(lat * k)};
}

SphereNoise::SphereNoise(uint32_t seed) {
    // Our own shuffle over the standard engine, whose output the standard fixes, so that the
    // permutation is the same with every library.
    std::mt19937 engine(seed);
    for (int i = 0; i < 256; ++i)
        permutation_[i] = static_cast<uint8_t>(i);
    for (int i = 255; i > 0; --i) {
        const int j = static_cast<int>(engine() % static_cast<uint32_t>(i + 1));
        std::swap(permutation_[i], permutation_[j]);
    }
    for (int i = 0; i < 256; ++i)
        permutation_[256 + i] = permutation_[i];
}

double SphereNoise::at(double x, double y, double z) const {
    const double fx = std::floor(x), fy = std::floor(y), fz = std::floor(z);
    const int ix = static_cast<int>(fx) & 255, iy = static_cast<int>(fy) & 255,
              iz = static_cast<int>(fz) & 255;
    x -= fx;
    y -= fy;
    z -= fz;
    const double u = fade(x), v = fade(y), w = fade(z);
    const auto& p = permutation_;
    const int a = p[ix] + iy, aa = p[a] + iz, ab = p[a + 1] + iz;
    const int b = p[ix + 1] + iy, ba = p[b] + iz, bb = p[b + 1] + iz;
    return lerp(lerp(lerp(gradient(p[aa], x, y, z), gradient(p[ba], x - 1, y, z), u),
                     lerp(gradient(p[ab], x, y - 1, z), gradient(p[bb], x - 1, y - 1, z), u), v),
                lerp(lerp(gradient(p[aa + 1], x, y, z - 1), gradient(p[ba + 1], x - 1, y, z - 1), u),
                     lerp(gradient(p[ab + 1], x, y - 1, z - 1), gradient(p[bb + 1], x - 1, y - 1, z - 1), u),
                     v),
                w);
}

double SphereNoise::fractal(const SpherePoint& p, double wavelength, int octaves) const {
    double scale = kEarthRadiusKm / wavelength, amplitude = 1.0, sum = 0.0, total = 0.0;
    for (int i = 0; i < octaves; ++i) {
        // Each octave is shifted, so that the lattice points of the octaves do not line up.
        const double shift = 17.31 * i;
        sum += amplitude * at(p.x * scale + shift, p.y * scale - shift, p.z * scale + 0.5 * shift);
        total += amplitude;
        amplitude *= 0.5;
        scale *= 2.03;
    }
    return sum / total;
}

} // namespace q71::mkdata
