#pragma once
// The radar's sweep: one ray every 4 degrees of the turn (one turn in 15 game seconds), each
// sampled at radii 5, 7, ... 105 pixels. Land higher than anything nearer on the ray returns
// strongly and hides what lies behind it; open sea returns clutter that grows with the sea state
// and fades with the range, and floods the scope once the antenna is awash. The ray's heights
// are kept as the terrain mask, against which the blips are tested.

#include "tactical/displays/display_noise.h"
#include "tactical/radar/radar_picture.h"

#include <array>
#include <cstdint>
#include <functional>

namespace q71 {

/// The scope's range scales and ring spacings (yards) by index.
inline constexpr int kRadarRangeScales[] = {10000, 20000, 30000, 40000, 50000, 60000};
inline constexpr int kRadarRingSpacings[] = {500, 1000, 2000, 5000, 10000, 20000};
inline constexpr int kRadarIndexCount = 6;
/// An index of those tables as stored (a saved mission may hold anything): outside 0-5 it gives `fallback`.
int radarValidIndex(int index, int fallback);

/// The terrain's height (metres) at a world point, false off the grid (worldDepthAt's form).
using RadarHeightLookup = std::function<bool(double x, double y, double* height)>;

/// The sweep angle at a game time: one turn per 15 s.
double radarSweepAngle(double clock);

/// The sea return's intensity at a range (yards) for an antenna at depth coordinate z (metres).
double radarSeaIntensity(double rangeYards, double z);

struct RadarSweepInput {
    double x = 0.0, y = 0.0, z = 0.0; ///< the own boat, metres
    int rangeScale = 60000;           ///< yards
    int seaState = 0;
};

class RadarSweep {
public:
    static constexpr int kMaskEntries = 51;

    /// Sweeps from the stored angle to the angle of `clock`: fades the picture by the number of
    /// rays and draws them. Returns the angle swept (degrees), 0 when no ray was due.
    double sweep(double clock, const RadarSweepInput& input, const RadarHeightLookup& heightAt,
                 RadarPicture& picture, DisplayNoise& noise);
    /// The terrain mask's height (metres) at a radius in pixels: within 5 pixels the first entry,
    /// beyond the last ray sample the last.
    std::int32_t maskAt(int radiusPixels) const;

    double angle() const { return angle_; }
    /// Where the sweep starts from (on opening and while the mast moves).
    void setAngle(double angle) { angle_ = angle; }
    /// The angle the last sweep started from.
    double startAngle() const { return startAngle_; }

private:
    double angle_ = 0.0;
    double startAngle_ = 0.0;
    std::array<std::int32_t, kMaskEntries> mask_{};
};

} // namespace q71
