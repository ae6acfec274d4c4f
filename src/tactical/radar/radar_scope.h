#pragma once
// What the radar station shows, apart from its window: the mast's lamp, the swept picture with
// its blips, the cursor and the range settings. A tick (every 150 ms) follows the mast: nothing is
// painted until 10 s after the mast has come up (the lamp blinks while it travels), a failed mast
// lets the picture fade out.

#include "tactical/displays/display_noise.h"
#include "tactical/radar/radar_blips.h"
#include "tactical/radar/radar_picture.h"
#include "tactical/radar/radar_sweep.h"

#include <optional>

namespace q71 {

class OwnShipMotion;
struct TwoPositionDevice;

/// The mast lamp's frames.
inline constexpr int kLampLit = 1;
inline constexpr int kLampDark = 2;

/// The lamp frame and whether the sweep runs at a game time, for a mast (its ordered state and
/// completion time): nothing but the lamp until 10 s after the completion time.
struct RadarMastPhase {
    int lampFrame = kLampDark;
    bool sweeps = false; ///< the mast is up and settled: sweep and paint
    bool fades = false;  ///< the mast has failed: the picture dies away
};
RadarMastPhase radarMastPhase(const TwoPositionDevice& mast, double clock);

/// A cursor position: bearing in degrees and range in yards.
struct RadarCursor {
    double bearing = 0.0;
    double range = 10000.0;
};
/// The cursor a press at a window point places, for a range scale (yards); none outside the scope.
std::optional<RadarCursor> radarCursorAt(int x, int y, int rangeScale);

class RadarScope {
public:
    /// One tick at a game time for the own boat; `painted` is told of each entity the sweep painted.
    /// Returns the lamp frame.
    int tick(double clock, const OwnShipMotion& motion, const RadarHeightLookup& heightAt,
             int seaState, const std::function<void(Entity&)>& painted);
    /// The range scale (yards) of the stored index.
    int rangeScale() const { return kRadarRangeScales[radarValidIndex(rangeIndex, 5)]; }
    int ringSpacing() const { return kRadarRingSpacings[radarValidIndex(spacingIndex, 4)]; }
    /// Empties the picture (the blips are drawn again at the next tick).
    void clear();

    RadarPicture picture;
    RadarSweep sweep;
    RadarBlips blips;
    RadarCursor cursor;
    int rangeIndex = 5;
    int spacingIndex = 4;
    DisplayNoise* noise = &displayNoise();
};

} // namespace q71
