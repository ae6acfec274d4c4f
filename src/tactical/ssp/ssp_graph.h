#pragma once
// The arithmetic of the sound-speed profile station: the probe's timing (it rises to the
// surface from the boat's depth at 3 m/s, then falls at 10 m/s to the bottom, at most 1524 m),
// the depth scale of the graph and when the layer line shows.

#include <optional>

namespace q71 {

struct SoundProfile;

inline constexpr double kSspDeepest = -1524.0; ///< metres
inline constexpr int kSspTop = 56;             ///< y of the surface
inline constexpr int kSspHeight = 320;         ///< pixels from the surface to full scale
inline constexpr int kSspLineRight = 248;      ///< x where the probe and layer lines end

/// When a probe launched at `now` from a depth (metres, negative) over a bottom (negative) starts
/// falling and when it reaches its last depth.
struct SspDrop {
    bool launched = false;
    double start = 0.0;
    double end = 0.0;
};
SspDrop sspDrop(double now, double boatZ, double bottom);

/// The full-scale depth (metres, negative): the bottom rounded down past the next 33.3 m, in whole
/// metres, never deeper than 1524 m.
double sspFullScale(double bottom);
/// The y of a depth on a full scale.
int sspDepthY(double depth, double fullScale);

/// The probe's depth at `now`: none before it starts falling, the bottom once it has fallen (or when
/// its fall takes no time), in between in proportion.
std::optional<double> sspProbeDepth(double now, const SspDrop& drop, double bottom);

/// True when the layer line shows: there is a layer above the bottom, the probe has reached the
/// bottom and the speed falls from level 4 to level 5.
bool sspLayerShown(const SoundProfile& profile, std::optional<double> probe);

/// Metres (negative) to whole feet as the table and the labels show them.
int sspFeet(double metres);

} // namespace q71
