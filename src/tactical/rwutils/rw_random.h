#pragma once
// Random fractions for the 3-D effects, from the 3-D library's own generator: the simulation's
// sequence must not depend on how many frames were drawn.

#include "render3d/library.h"

namespace q71 {

/// 0 ... 32767 / 32768, in steps of 1/32768.
inline float rwRandomFraction() {
    return static_cast<float>(r3d::libraryRandom() & 0x7FFF) / 32768.0f;
}

/// 0 ... 1, in steps of 1/255.
inline float rwRandomByteFraction() {
    return static_cast<float>(r3d::libraryRandom() & 0xFF) / 255.0f;
}

} // namespace q71
