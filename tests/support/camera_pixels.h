#pragma once
// The pixels of a 3-D camera's image, row by row (RGB565), for tests that compare pictures.

#include "render3d/camera.h"

#include <cstdint>
#include <vector>

namespace q71::test {

inline std::vector<std::uint16_t> cameraPixels(r3d::Camera& camera) {
    const r3d::ImagePixels image = r3d::lockCameraImage(camera);
    std::vector<std::uint16_t> pixels;
    for (int y = 0; y < image.height; ++y) {
        const auto* row = reinterpret_cast<const std::uint16_t*>(
            reinterpret_cast<const std::uint8_t*>(image.pixels) + y * image.rowStep);
        pixels.insert(pixels.end(), row, row + image.width);
    }
    return pixels;
}

} // namespace q71::test
