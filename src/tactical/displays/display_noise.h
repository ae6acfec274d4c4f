#pragma once
// The noise the tactical displays draw with (sonar speckle, DEMON and radar clutter). It keeps
// the contract of the simulation's randomScaled (15-bit values of the C library's rand rule,
// scaled by x / 32767) but is a sequence of its own: drawing must never move the world's
// sequence, on which replays and network peers rely. Tests seed it to draw the same picture.

#include <cstdint>

namespace q71 {

class DisplayNoise {
public:
    /// Restarts the sequence from a seed.
    void seed(std::uint32_t seed) { state_ = seed; }
    /// The next value, 0 to 32767.
    int next();
    /// next() × x / 32767: from 0 to x inclusive.
    double scaled(double x);

private:
    std::uint32_t state_ = 1;
};

/// The displays' one generator.
DisplayNoise& displayNoise();

} // namespace q71
