#pragma once
// Whether the boat hears the radio: by the antenna mast when it is up, switched on and out of the
// water (D = 28 - 3z at most 60), at 1200 characters a second; else by the floating wire when more
// than 750 ft of it is out and the boat is shallow enough for its speed, at 20 a second.

namespace q71 {

inline constexpr double kAntennaRate = 1200.0;
inline constexpr double kWireRate = 20.0;

/// The deepest D the floating wire receives at for a speed (knots); negative outside 0-10 knots.
double radioWireDepthLimit(double speed);

struct RadioReceiver {
    bool antennaReady = false; ///< the antenna mast is up and switched on
    double z = 0.0;            ///< the boat's depth coordinate, metres
    double wireLength = 0.0;   ///< metres out; -1 cut
    double speed = 0.0;        ///< knots
};

/// Characters a second the boat receives at: 1200 by antenna, 20 by wire, 0 with neither.
double radioReceptionRate(const RadioReceiver& receiver);

} // namespace q71
