#pragma once
// Seeded gradient noise in three dimensions, sampled on the sphere so that the generated
// terrain has no seam at the date line and no pinch at the poles.

#include <array>
#include <cstdint>

namespace q71::mkdata {

struct SpherePoint {
    double x = 0.0, y = 0.0, z = 0.0; ///< unit vector
};

/// The unit vector of a latitude and longitude in degrees.
SpherePoint spherePoint(double lat, double lon);

class SphereNoise {
public:
    explicit SphereNoise(uint32_t seed);
    /// Gradient noise at a point of space, about -1..1, 0 on the integer lattice.
    double at(double x, double y, double z) const;
    /// Octaves of noise of halving amplitude from features about `wavelength` km wide on the
    /// globe down, scaled back to about -1..1.
    double fractal(const SpherePoint& p, double wavelength, int octaves) const;

private:
    std::array<uint8_t, 512> permutation_{};
};

} // namespace q71::mkdata
