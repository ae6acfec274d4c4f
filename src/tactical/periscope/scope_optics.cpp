// The periscope optic's readouts, drag training and wash.
#include "tactical/periscope/scope_optics.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <numbers>

namespace q71 {
namespace {

constexpr double kDegreesPerRadian = 57.29578;
constexpr int kFullWeight = 70;
// The images of the fade frames after the head comes clear.
constexpr std::array<int, 7> kFadeImages{2, 3, 3, 3, 4, 4, 4};

std::string formatted(const char* format, auto value) {
    char text[32];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

std::uint16_t mixed(std::uint16_t image, std::uint16_t wash, int a) {
    auto channel = [&](int shift, int mask) {
        const int p = (image >> shift) & mask, w = (wash >> shift) & mask;
        return ((p * (kFullWeight - a) + w * a) / kFullWeight) << shift;
    };
    return static_cast<std::uint16_t>(channel(11, 0x1F) | channel(5, 0x3F) | channel(0, 0x1F));
}

} // namespace

std::string scopeBearingText(double headingDegrees, double bearing) {
    // Rounded half up on both sides of zero, then brought into 0 ... 359.
    const int whole = static_cast<int>(std::floor(headingDegrees + bearing * kDegreesPerRadian + 0.5));
    return formatted("%03d", (whole % 360 + 360) % 360);
}

std::string scopeElevationText(double elevation) {
    return formatted("%+d", static_cast<int>(elevation * kDegreesPerRadian + 0.5));
}

std::string scopeMagnificationText(double zoom) {
    return formatted("%.1fx", zoom * 1.5);
}

ScopeAngles scopeTrainBy(ScopeAngles from, int dx, int dy, double zoom) {
    const double k = 1.0 / (zoom * kDegreesPerRadian);
    return scopeLimited(from.bearing + dx * k, from.elevation + dy * k);
}

ScopeAngles scopeLimited(double bearing, double elevation) {
    const double turn = 2.0 * std::numbers::pi;
    bearing = std::fmod(bearing, turn);
    if (bearing < 0.0)
        bearing += turn;
    elevation = std::clamp(elevation, double{kScopeElevationMin}, double{kScopeElevationMax});
    return {static_cast<float>(bearing), static_cast<float>(elevation)};
}

int WashState::beginFrame(bool awash) {
    if (awash) {
        level = 5;
        washing = true;
        fadeStep = 0;
        return awashCycle;
    }
    awashCycle = 0;
    return washing ? kFadeImages[static_cast<std::size_t>(fadeStep)] : 0;
}

void WashState::endFrame(bool awash) {
    if (awash) {
        awashCycle = (awashCycle + 1) % 3;
        return;
    }
    ++fadeStep;
    --level;
    if (fadeStep >= static_cast<int>(kFadeImages.size())) {
        washing = false;
        fadeStep = 0;
    }
}

int washWeight(int level, int row) {
    return std::clamp(level * 10 + row / 10, 0, kFullWeight);
}

void blendWash(const r3d::ImagePixels& image, const WashPicture& wash, int level, int rowOffset) {
    if (!image.pixels || !wash.bits || wash.width <= 0 || wash.height <= 0)
        return;
    auto* base = reinterpret_cast<std::uint8_t*>(image.pixels);
    for (int row = 0; row < image.height; row += 2) {
        const int a = washWeight(level, row);
        const std::uint8_t* washRow = wash.bits + ((row + rowOffset) % wash.height) * wash.rowStep;
        auto* top = reinterpret_cast<std::uint16_t*>(base + row * image.rowStep);
        auto* below = row + 1 < image.height ? reinterpret_cast<std::uint16_t*>(base + (row + 1) * image.rowStep)
                                             : nullptr;
        for (int column = 0; column < image.width; column += 2) {
            const std::uint16_t v = mixed(top[column], wash.palette[washRow[column % wash.width]], a);
            const bool right = column + 1 < image.width;
            top[column] = v;
            if (right)
                top[column + 1] = v;
            if (below) {
                below[column] = v;
                if (right)
                    below[column + 1] = v;
            }
        }
    }
}

} // namespace q71
