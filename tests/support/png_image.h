#pragma once
// Just enough PNG for golden images of the drawing tests: 8-bit RGB pictures, written with
// zlib and read back (any of the five row filters, no interlacing).

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace q71::test {

struct RgbImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> pixels; ///< r, g, b per pixel, rows top first

    friend bool operator==(const RgbImage&, const RgbImage&) = default;
};

/// Writes the image as a PNG file; false when the file cannot be written.
bool writePng(const std::string& path, const RgbImage& image);
/// Reads a PNG file written as above; nullopt when it is missing or of another kind.
std::optional<RgbImage> readPng(const std::string& path);

} // namespace q71::test
