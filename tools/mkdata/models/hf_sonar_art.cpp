// The high-frequency sonar display of the ship control station: its glass, drawn at the
// display's size behind the echoes, and the pattern its mine echoes wear.
#include "mkdata/models/textures.h"
#include "mkdata/models/texels.h"

#include <algorithm>
#include <cmath>

namespace q71::mkdata {
namespace {

constexpr int kGlassWidth = 211, kGlassHeight = 59;

// Black display glass with a faint phosphor graticule: range arcs opening from the bottom middle
// (the boat) and bearing lines every 15 degrees either side of ahead, a thin steel rim.
r3d::ImageRecord glass() {
    r3d::ImageRecord image{kGlassWidth, kGlassHeight,
                           std::vector<std::uint8_t>(static_cast<std::size_t>(kGlassWidth) * kGlassHeight * 3)};
    const double cx = kGlassWidth / 2.0, cy = kGlassHeight + 20.0;
    for (int y = 0; y < kGlassHeight; ++y)
        for (int x = 0; x < kGlassWidth; ++x) {
            const double dx = x + 0.5 - cx, dy = cy - (y + 0.5);
            const double r = std::hypot(dx, dy);
            const double bearing = std::atan2(dx, dy) * 180.0 / 3.141592653589793;
            const bool arc = std::fmod(r, 22.0) < 0.9;
            const bool line = std::fabs(std::remainder(bearing, 15.0)) < 0.35;
            const bool rim = x == 0 || y == 0 || x == kGlassWidth - 1 || y == kGlassHeight - 1;
            const float noise = texels::hash01(41u, x, y) * 6.0f;
            std::uint8_t red = static_cast<std::uint8_t>(4 + noise), green = static_cast<std::uint8_t>(10 + noise),
                         blue = static_cast<std::uint8_t>(6 + noise);
            if (rim)
                red = green = blue = 90;
            else if (arc || line)
                green = static_cast<std::uint8_t>(std::min(255.0f, 46.0f + noise)), red = 10, blue = 16;
            const std::size_t at = (static_cast<std::size_t>(y) * kGlassWidth + x) * 3;
            image.rgb[at] = red;
            image.rgb[at + 1] = green;
            image.rgb[at + 2] = blue;
        }
    return image;
}

// A mine's echo: a bright ring round a dark core crossed by the horns, tinted green by the echo.
r3d::TextureRecord mineEcho() {
    return texels::paint("hf-mine.bmp", 32, 32, 1, [](float u, float v, int) {
        const float d = std::hypot(u - 0.5f, v - 0.5f);
        const float ring = 1.0f - texels::smoothstep(0.0f, 0.08f, std::fabs(d - 0.32f));
        const bool horn = d < 0.45f && (std::fabs(u - 0.5f) < 0.04f || std::fabs(v - 0.5f) < 0.04f);
        const float c = std::max({ring, horn ? 0.9f : 0.0f, 0.25f});
        return texels::Rgba{c, c, c, 1.0f};
    });
}

} // namespace

SkyImage hfSonarGlass() {
    return {"x126y117.bmp", glass()};
}

std::vector<r3d::TextureRecord> displayTextures() {
    return {mineEcho()};
}

} // namespace q71::mkdata
