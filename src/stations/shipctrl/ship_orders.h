#pragma once
// The ship control station's rules that need no screen: where a click on a dial points, which
// telegraph position and rudder order it gives, what the helm answers, when the diving officer
// reports, and how the trim gauge and the helm wheel follow the boat.

#include <optional>

namespace q71 {

/// The compass bearing (0 up, clockwise, whole degrees 0-359) of a click at (dx, dy) from a dial's
/// centre, screen y down; none for a click at the exact centre.
std::optional<int> dialClickBearing(int dx, int dy);

inline constexpr int kTelegraphPositions = 10;
/// The telegraph position (0 full astern ... 4 stop ... 9 flank) a bearing picks; none in the dead
/// band at the bottom of the dial (165-225).
std::optional<int> telegraphPositionAt(int bearing);
/// The scale angle of a telegraph position, degrees clockwise from up.
int telegraphAngle(int position);

/// The rudder order (-30 to 30 in 5-degree steps) of a click below the dial's centre; none for a
/// click at or above the centre line.
std::optional<int> rudderOrderAt(int dx, int dy);

/// What the helm says and the log prints for an order.
struct HelmCall {
    const char* sample;
    int text;
    int value; ///< the text's argument (0 when it takes none)
};
HelmCall rudderCall(int rudder);
HelmCall telegraphCall(int position);

/// True when the diving officer reports an ordered depth of `feet` with the boat at `z`: deep
/// orders while submerged, shallow ones at the surface, never exactly at 12 feet.
bool depthReportDue(double z, int feet);

/// The trim gauge: the top edge of a bar 106 high at 31 for a pitch reading v (pitch x 10), with
/// the bar's scale limit (50 fine, 400 coarse).
int trimBarTop(int v, int limit);

/// The helm wheel: its turn step for a rudder angle with gain k1 (-9 to 9) and its fore-and-aft
/// offset with the bow planes at `planes` (-0.06 at rest, -0.15 to 0.03).
int wheelStep(double rudder, double k1);
double wheelOffset(double planes, double k2);

} // namespace q71
