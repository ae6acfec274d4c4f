#pragma once
// The pixels of a rectangle of a picture, to tell whether a part of a station changed.

#include "platform/gdi/bitmap.h"

#include <cstdint>
#include <vector>

namespace q71::test {

inline std::vector<std::uint32_t> areaPixels(const Bitmap& picture, int left, int top, int width, int height) {
    const PixelSurface surface = picture.surface();
    std::vector<std::uint32_t> pixels;
    for (int y = top; y < top + height; ++y)
        for (int x = left; x < left + width; ++x)
            pixels.push_back(surface.read(x, y));
    return pixels;
}

} // namespace q71::test
