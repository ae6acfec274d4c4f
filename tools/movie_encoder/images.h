#pragma once
// The pictures the movie encoder takes: true-colour frames for the block-transform kinds and
// palettised frames for the key-frame and block-map kinds.

#include <array>
#include <cstdint>
#include <vector>

namespace q71::encoder {

struct RgbImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgb; ///< red, green, blue per pixel, row after row

    RgbImage() = default;
    RgbImage(int w, int h) : width(w), height(h), rgb(static_cast<std::size_t>(w) * h * 3) {}
    std::uint8_t* at(int x, int y) { return rgb.data() + (static_cast<std::size_t>(y) * width + x) * 3; }
    const std::uint8_t* at(int x, int y) const {
        return rgb.data() + (static_cast<std::size_t>(y) * width + x) * 3;
    }
};

struct IndexedImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> pixels; ///< palette indices, row after row
    std::array<std::uint8_t, 256 * 3> palette{};
    int colours = 256; ///< palette entries stored in key frames

    IndexedImage() = default;
    IndexedImage(int w, int h) : width(w), height(h), pixels(static_cast<std::size_t>(w) * h) {}
    std::uint8_t& at(int x, int y) { return pixels[static_cast<std::size_t>(y) * width + x]; }
    std::uint8_t at(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
};

} // namespace q71::encoder
