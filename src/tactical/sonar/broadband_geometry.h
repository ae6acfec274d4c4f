#pragma once
// The geometry of the broadband waterfalls (256 by 163 each): bearing across 235 columns from
// x 17, one ring row per pixel row from y 26 down, a letter strip above; and the rules the
// page applies to the contact it hears.

#include <array>
#include <cstdint>
#include <span>

namespace q71 {

inline constexpr int kWaterfallWidth = 256;
inline constexpr int kWaterfallHeight = 163;
inline constexpr int kWaterfallLeft = 17;  ///< x of bearing 0 without offset
inline constexpr int kWaterfallRight = 251;
inline constexpr int kWaterfallTop = 26;    ///< y of the newest row
inline constexpr int kWaterfallBottom = 162; ///< y of the oldest row drawn
inline constexpr int kWaterfallRows = kWaterfallBottom - kWaterfallTop + 1;
inline constexpr int kStripTop = 11;        ///< the letter strip's DIB rows
inline constexpr int kStripBottom = 21;

/// The x of a bearing with the orientation offset.
int waterfallBearingX(double bearing, int offset);
/// The column of a level cell (0 to 255) with the orientation offset.
int waterfallCellX(int cell, int offset);
/// The bearing under an x (held within 17 to 251) with the orientation offset.
int waterfallXBearing(int x, int offset);
/// Rows a tick adds on a time scale: the fine scale one per 0.444 s since the row last drawn
/// (at least one), the others one; never more than the area holds.
int waterfallRowsToAdd(int scale, double headTime, double lastDrawn);

/// The degree nearest the cursor, within 5 either way, whose source is not 0: offsets 0, -1,
/// +1, -2, +2, ... -5 in that order, wrapped into the circle; -1 when none.
int sonarNearestSourceDegree(int cursor, std::span<const std::uint16_t, 360> sources);

/// The pitch of a contact's sound: its base at rest, 1.5 times it at full speed (a maximum speed
/// of 0 plays at rest).
double broadbandPitch(double base, double orderedSpeed, double maxSpeed);
/// A voice volume, held within 0 to 127.
int broadbandVolume(double level);

} // namespace q71
