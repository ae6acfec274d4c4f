#include "tactical/radar/radar_picture.h"

#include <algorithm>
#include <cmath>

namespace q71 {

int scopeLevel(long long level) {
    return static_cast<int>(std::clamp<long long>(level, 0, kScopeTopLevel));
}

std::uint8_t RadarPicture::at(int x, int y) const {
    if (x < 0 || y < 0 || x >= kScopeSize || y >= kScopeSize)
        return 0;
    return levels_[static_cast<std::size_t>(y * kScopeSize + x)];
}

std::span<const std::uint8_t> RadarPicture::row(int y) const {
    if (y < 0 || y >= kScopeSize)
        return {};
    return std::span<const std::uint8_t>(levels_).subspan(static_cast<std::size_t>(y * kScopeSize), kScopeSize);
}

void RadarPicture::fade(int n) {
    if (n <= 0)
        return;
    for (std::uint8_t& level : levels_)
        if (level > n + 1)
            level = static_cast<std::uint8_t>(level - n);
}

void RadarPicture::dot(int x, int y, std::uint8_t level) {
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx) {
            const int px = x + dx, py = y + dy;
            if (px >= 0 && py >= 0 && px < kScopeSize && py < kScopeSize)
                levels_[static_cast<std::size_t>(py * kScopeSize + px)] = level;
        }
}

void RadarPicture::line(double x0, double y0, double x1, double y1, int level) {
    const auto pen = static_cast<std::uint8_t>(scopeLevel(level));
    const double steps = std::ceil(std::max(std::abs(x1 - x0), std::abs(y1 - y0)));
    if (!(steps < 4 * kScopeSize)) // not finite, or far larger than the picture: nothing sensible to draw
        return;
    for (int i = 0; i <= static_cast<int>(steps); ++i) {
        const double t = steps > 0 ? i / steps : 0.0;
        dot(static_cast<int>(std::lround(x0 + (x1 - x0) * t)), static_cast<int>(std::lround(y0 + (y1 - y0) * t)),
            pen);
    }
}

} // namespace q71
