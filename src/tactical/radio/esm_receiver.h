#pragma once
// What the ESM mast shows: per degree the strongest intercept of the last five seconds, weighted
// down with its age; the emitter nearest the bearing pointer (by range, doubled per degree off);
// the signal lamps and tone; and the fans, runs of degrees of one strength drawn as one polygon.

#include "platform/geometry/rect.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace q71 {

class Entity;
class ReceiverSensor;
struct BroadbandRow;
template <class Row> class SoundRing;

using EsmLevels = std::array<double, 360>;

/// The levels per degree from the ESM receiver's rows at a game time; all 0 without rows.
EsmLevels esmLevels(const SoundRing<BroadbandRow>* rows, double clock);
/// The same from the receiver (null: none).
EsmLevels esmLevels(const ReceiverSensor* esm, double clock);

/// The bearing (0-359) a window point gives about a centre: 0 at the centre.
int esmBearingAt(int dx, int dy);

/// Lamps lit (0-9) and tone volume (0-127) for the level at the bearing.
struct EsmSignal {
    int lamps = 0;
    int volume = 0;
};
EsmSignal esmSignal(double level);

struct EsmEmitter {
    std::int32_t id = -1;
    std::string name;
};
/// The emitter the pointer names: of the entities other than `own` whose record emits, within 8
/// degrees of the bearing, the one of least range x 2^(degrees off); none while the level at the
/// bearing is below 0.05.
std::optional<EsmEmitter> esmIdentify(const Entity& own, int bearing, double level);

/// A run of degrees first..last of one strength (1-15) and the polygon that fills it.
struct EsmFan {
    int first = 0, last = 0;
    int index = 0;
};
/// The fans of the levels; runs of strength 0 are left out. A run ending at 359 closes on degree 0.
std::vector<EsmFan> esmFans(const EsmLevels& levels);
/// The strength index of a level, 0-15.
int esmStrength(double level);

/// The dial's rim point of a degree, in the dial's 143 by 143 picture.
Point esmRimPoint(int degree);
/// The polygon of a fan: the dial's centre, the rim points of its degrees and of the degree after.
std::vector<Point> esmFanPolygon(const EsmFan& fan);
/// The bearing pointer: its tip 45 pixels out at the bearing, its base 60 out 5 degrees either side.
std::array<Point, 3> esmPointer(int bearing);

} // namespace q71
