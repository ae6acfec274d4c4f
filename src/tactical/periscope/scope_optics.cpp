// The periscope optic's readouts, drag training and wash.
#include "tactical/periscope/scope_optics.h"

#include "framework/dibutils/dib_fields.h"
#include "framework/dibutils/dib_utils.h"
#include "platform/files/little_endian.h"
#include "platform/gdi/colour.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
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

bool washPictureFrom(std::span<const std::uint8_t> header, std::span<const std::uint8_t> bits, WashPicture& picture) {
    if (header.size() < dib::kInfoHeaderSize || loadLe16(header.data() + dib::kBitCount) != 8)
        return false;
    const auto width = static_cast<std::int32_t>(loadLe32(header.data() + dib::kWidth));
    const auto height = static_cast<std::int32_t>(loadLe32(header.data() + dib::kHeight));
    constexpr std::int32_t kMaxSide = 4096;
    if (width <= 0 || width > kMaxSide || height == 0 || height < -kMaxSide || height > kMaxSide)
        return false;
    const std::ptrdiff_t rowStep = (width + 3) & ~3;
    if (bits.size() < static_cast<std::size_t>(rowStep) * static_cast<std::size_t>(std::abs(height)))
        return false;
    picture.bits = bits.data();
    picture.width = width;
    picture.height = std::abs(height);
    picture.rowStep = rowStep;
    picture.palette.fill(0);
    const std::uint32_t colours = std::min<std::uint32_t>(dibInfoNumColors(header), 256);
    for (std::uint32_t i = 0; i < colours && dib::kInfoHeaderSize + 4 * (i + 1) <= header.size(); ++i) {
        const std::uint8_t* q = header.data() + dib::kInfoHeaderSize + 4 * i;
        picture.palette[i] = colorTo565(rgb(q[2], q[1], q[0]));
    }
    return true;
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
