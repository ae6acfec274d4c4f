#pragma once
// The active sonar station's state, one for the program's run (it lives with the suite): the
// ping mode and orientation, the scale painted with, the cursor, and what the last transmit
// measured of the water round the boat.

#include "tactical/sonar/active_geometry.h"

namespace q71 {

class OwnShipMotion;

struct ActiveSonarState {
    int pingMode = 1;            ///< 1 repeating pings, 0 single pings
    int offset = 180;            ///< degrees added to every bearing drawn
    double scale = kActiveRangeScales[0];
    int paintedIndex = -1;       ///< the range-scale index last painted with
    double lastPingTime = -1.0;  ///< the ping time last seen
    double armedPingTime = -1.0; ///< the ping time a transmit set back to make its ping due
    int pingSlot = 0;            ///< the ping row of the ping painted
    double cursorRange = 4572.0; ///< yards
    double arrayDepth = 0.0;     ///< |own depth|, compared with ranges in yards
    double bottomClearance = 0.0;
    double reverberationBase = 0.0;
    bool redraw = false; ///< the overlay must be composed again

    /// The switches from the own boat's stored settings.
    void takeSettings(const OwnShipMotion& motion);
    /// Pulls a cursor beyond the scale to 0.66 of it; true when it moved.
    bool holdCursor();
};

} // namespace q71
