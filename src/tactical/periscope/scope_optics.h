#pragma once
// The periscope optic's arithmetic apart from its window: the readouts, training by drag, and
// the sea water that washes over the picture while the head is awash and runs off after.

#include "render3d/camera.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace q71 {

inline constexpr float kScopeElevationMin = -0.35f;
inline constexpr float kScopeElevationMax = 0.61f;

/// True bearing readout: three digits, 0 ... 359 (heading in degrees, bearing in radians).
std::string scopeBearingText(double headingDegrees, double bearing);
/// Elevation readout with its sign, whole degrees rounded half up and cut toward zero.
std::string scopeElevationText(double elevation);
/// Magnification readout ("1.5x" at zoom 1).
std::string scopeMagnificationText(double zoom);

struct ScopeAngles {
    float bearing;
    float elevation;
};
/// The angles brought into range: the bearing wrapped into 0 ... 2 pi, the elevation limited.
ScopeAngles scopeLimited(double bearing, double elevation);
/// Training by a drag of (dx, dy) pixels: one pixel is 1 / zoom degrees; the bearing wraps into
/// 0 ... 2 pi, the elevation stops at its limits.
ScopeAngles scopeTrainBy(ScopeAngles from, int dx, int dy, double zoom);

/// The wash's state from frame to frame: washing at level 5 while awash with the first three
/// images cycling, then seven fade frames at falling weight.
struct WashState {
    bool washing = false;
    int fadeStep = 0;
    int level = 0;
    int awashCycle = 0;

    /// The wash image (0 ... 4) this frame blends with, the state taken into this frame.
    int beginFrame(bool awash);
    /// Steps the state after a frame that blended.
    void endFrame(bool awash);
};

/// An 8-bit wash image: its rows in memory order and its palette as RGB565.
struct WashPicture {
    const std::uint8_t* bits = nullptr;
    int width = 0;
    int height = 0;
    std::ptrdiff_t rowStep = 0;
    std::array<std::uint16_t, 256> palette{};
};

/// Points the picture at a checked bitmap's header and bits (as grpMakeDib leaves them): false
/// unless it is an 8-bit image of 1 ... 4096 pixels a side whose rows all lie in the bits.
bool washPictureFrom(std::span<const std::uint8_t> header, std::span<const std::uint8_t> bits, WashPicture& picture);
/// The blend weight (0 ... 70) of a picture row at the level.
int washWeight(int level, int row);
/// Blends the wash over the picture in 2 by 2 blocks, using the picture's own row step.
void blendWash(const r3d::ImagePixels& image, const WashPicture& wash, int level, int rowOffset);

} // namespace q71
