// The faces behind the ship control station's 3-D dials: staged as backdrop images, drawn at the
// size of the dial's window (the backdrop is not scaled).
#include "mkdata/models/textures.h"

#include <algorithm>

#include <cmath>
#include <numbers>

namespace q71::mkdata {

namespace {

struct Rgb {
    std::uint8_t r, g, b;
};

void put(r3d::ImageRecord& image, int x, int y, Rgb c) {
    if (x < 0 || y < 0 || x >= image.width || y >= image.height)
        return;
    const std::size_t at = (static_cast<std::size_t>(y) * image.width + x) * 3;
    image.rgb[at] = c.r;
    image.rgb[at + 1] = c.g;
    image.rgb[at + 2] = c.b;
}

// A dark glass disc with a brass rim.
r3d::ImageRecord disc(int width, int height) {
    r3d::ImageRecord image{width, height, std::vector<std::uint8_t>(static_cast<std::size_t>(width) * height * 3)};
    const double cx = width / 2.0, cy = height / 2.0;
    const double radius = std::min(cx, cy) - 1.0;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const double d = std::hypot(x + 0.5 - cx, y + 0.5 - cy);
            const auto shade = static_cast<std::uint8_t>(24 + 18 * (1.0 - std::min(1.0, d / radius)));
            put(image, x, y, d > radius ? Rgb{40, 40, 44} : d > radius - 3 ? Rgb{150, 120, 60} : Rgb{shade, shade, static_cast<std::uint8_t>(shade + 8)});
        }
    return image;
}

// A mark on the scale at a bearing (degrees clockwise from up), `length` pixels in from the rim.
void tick(r3d::ImageRecord& image, int degrees, double length, Rgb colour) {
    const double cx = image.width / 2.0, cy = image.height / 2.0;
    const double radius = std::min(cx, cy) - 4.0;
    const double a = degrees * std::numbers::pi / 180.0;
    for (double r = radius - length; r < radius; r += 0.5)
        for (double w = -0.5; w <= 0.5; w += 0.5)
            put(image, static_cast<int>(cx + r * std::sin(a) + w * std::cos(a)),
                static_cast<int>(cy - r * std::cos(a) + w * std::sin(a)), colour);
}

// The compass: ticks every 10 degrees, long ones every 30, a red lubber mark at north.
r3d::ImageRecord compassFace() {
    r3d::ImageRecord image = disc(95, 95);
    for (int degrees = 0; degrees < 360; degrees += 10)
        tick(image, degrees, degrees % 30 == 0 ? 9.0 : 4.0, degrees == 0 ? Rgb{230, 60, 40} : Rgb{210, 210, 200});
    return image;
}

// The telegraph: its ten orders as coloured sectors (astern red, stop white, ahead green), the
// dead band at the bottom left dark.
r3d::ImageRecord telegraphFace() {
    constexpr int kAngles[10] = {237, 268, 300, 335, 0, 30, 62, 92, 124, 152};
    r3d::ImageRecord image = disc(115, 115);
    for (int p = 0; p < 10; ++p) {
        const Rgb colour = p < 4 ? Rgb{200, 50, 40} : p == 4 ? Rgb{230, 230, 220} : Rgb{60, 190, 80};
        for (int d = -6; d <= 6; d += 2)
            tick(image, kAngles[p] + d, d == 0 ? 16.0 : 10.0, colour);
    }
    return image;
}

// A plain face for the pointers that swing about a pivot: a scale of ticks every 5 degrees, long
// ones every 10, on an arc of `radius` pixels either side of the bearing (degrees clockwise from
// up) at rest, which is marked white.
r3d::ImageRecord arcFace(int width, int height, double px, double py, double radius, int rest, int span) {
    r3d::ImageRecord image{width, height, std::vector<std::uint8_t>(static_cast<std::size_t>(width) * height * 3)};
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const bool edge = x < 2 || y < 2 || x >= width - 2 || y >= height - 2;
            put(image, x, y, edge ? Rgb{150, 120, 60} : Rgb{30, 30, 38});
        }
    for (int d = -span; d <= span; d += 5) {
        const double a = (rest + d) * std::numbers::pi / 180.0;
        const double inner = radius - (d % 10 == 0 ? 7.0 : 4.0);
        const Rgb colour = d == 0 ? Rgb{240, 240, 230} : d < 0 ? Rgb{200, 60, 50} : Rgb{60, 190, 80};
        for (double r = inner; r < radius; r += 0.5)
            put(image, static_cast<int>(px + r * std::sin(a)), static_cast<int>(py - r * std::cos(a)), colour);
    }
    return image;
}

// The helmsman's panel behind the yoke: a dark plate with the column's slot down the middle.
r3d::ImageRecord wheelPanel() {
    constexpr int kWidth = 282, kHeight = 124;
    r3d::ImageRecord image{kWidth, kHeight, std::vector<std::uint8_t>(static_cast<std::size_t>(kWidth) * kHeight * 3)};
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x) {
            const bool slot = std::abs(x - kWidth / 2) < 6 && y > kHeight / 2;
            const auto shade = static_cast<std::uint8_t>(44 + (y * 20) / kHeight);
            put(image, x, y, slot ? Rgb{12, 12, 14} : Rgb{shade, shade, static_cast<std::uint8_t>(shade + 6)});
        }
    return image;
}

} // namespace

std::vector<SkyImage> dialFaces() {
    // The pivots and reaches are where the station puts the plane and rudder pointers.
    return {{"course.bmp", compassFace()},
            {"engine.bmp", telegraphFace()},
            {"stern.bmp", arcFace(90, 80, 68.7, 41.5, 40.0, 270, 30)},
            {"bow.bmp", arcFace(90, 80, 21.3, 40.0, 40.0, 90, 30)},
            {"rudder.bmp", arcFace(80, 69, 42.1, 10.4, 48.0, 180, 30)},
            {"wheelbk.bmp", wheelPanel()}};
}

} // namespace q71::mkdata
