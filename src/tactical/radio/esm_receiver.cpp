#include "tactical/radio/esm_receiver.h"

#include "sim/entities/entity.h"
#include "sim/entities/motion/motion_model.h"
#include "sim/entities/sensors/receiver_sensor.h"
#include "sim/simulation/geometry.h"
#include "sim/simulation/world_lists.h"
#include "sim/world/object_database.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace q71 {
namespace {

constexpr double kDegrees = std::numbers::pi / 180.0;
constexpr int kDialCentre = 71;
constexpr double kHistorySeconds = 5.0;
constexpr double kIdentifyLevel = 0.05;
constexpr int kIdentifyWindow = 8;

// Degrees from b to a, within -180..180.
int degreesOff(int a, int b) {
    int off = (a - b) % 360;
    if (off > 180)
        off -= 360;
    if (off < -180)
        off += 360;
    return off;
}

Point dialPoint(double angle, double radius) {
    return {kDialCentre + static_cast<int>(radius * std::cos(angle * kDegrees)),
            kDialCentre + static_cast<int>(radius * std::sin(angle * kDegrees))};
}

} // namespace

EsmLevels esmLevels(const ReceiverSensor* esm, double clock) {
    return esmLevels(esm ? esm->broadband() : nullptr, clock);
}

EsmLevels esmLevels(const SoundRing<BroadbandRow>* rows, double clock) {
    EsmLevels levels{};
    if (!rows)
        return levels;
    for (std::size_t age = 0; age < rows->count(); ++age) {
        const BroadbandRow& row = rows->newest(age);
        const double weight = (kHistorySeconds - (clock - row.time)) * 0.2;
        for (int d = 0; d < 360; ++d) {
            const double level = row.level[static_cast<std::size_t>(d * kBearingBins / 360)] * weight * 0.01;
            levels[static_cast<std::size_t>(d)] = std::max(levels[static_cast<std::size_t>(d)], level);
        }
    }
    return levels;
}

int esmBearingAt(int dx, int dy) {
    if (dx == 0 && dy == 0)
        return 0;
    double bearing = std::atan2(dx, -dy) / kDegrees;
    if (bearing < 0.0)
        bearing += 360.0;
    const int whole = static_cast<int>(bearing);
    return whole >= 360 ? 0 : whole;
}

EsmSignal esmSignal(double level) {
    if (!(level > 0.0))
        return {};
    return {static_cast<int>(std::min(9.0, std::trunc(10.0 * level))),
            static_cast<int>(std::min(127.0, std::trunc(100.0 * level)))};
}

std::optional<EsmEmitter> esmIdentify(const Entity& own, int bearing, double level) {
    if (!(level >= kIdentifyLevel) || !own.motion)
        return std::nullopt;
    const Entity* best = nullptr;
    const ObjectRecord* bestRecord = nullptr;
    double bestScore = 0.0;
    for (auto* node = worldList().head(); node; node = node->next) {
        const Entity& entity = *node->item;
        if (&entity == &own || !entity.motion)
            continue;
        const ObjectRecord* record = objdbFindById(entity.recordId);
        if (!record || !(record->emitterValue > 0.0f))
            continue;
        const double dx = entity.motion->x - own.motion->x, dy = entity.motion->y - own.motion->y;
        double toward = std::atan2(dx, dy) / kDegrees;
        if (toward < 0.0)
            toward += 360.0;
        const int off = std::abs(degreesOff(static_cast<int>(std::lround(toward)), bearing));
        if (off >= kIdentifyWindow)
            continue;
        const double score = entityRangeYards(own, entity) * std::exp2(off);
        if (!best || score < bestScore) {
            best = &entity;
            bestRecord = record;
            bestScore = score;
        }
    }
    if (!best)
        return std::nullopt;
    return EsmEmitter{best->id, std::string(bestRecord->displayName.view())};
}

int esmStrength(double level) {
    return static_cast<int>(std::clamp(std::trunc(16.0 * level), 0.0, 15.0));
}

std::vector<EsmFan> esmFans(const EsmLevels& levels) {
    std::vector<EsmFan> fans;
    int first = 0;
    for (int d = 1; d <= 360; ++d) {
        const int index = esmStrength(levels[static_cast<std::size_t>(first)]);
        if (d < 360 && esmStrength(levels[static_cast<std::size_t>(d)]) == index)
            continue;
        if (index > 0)
            fans.push_back({first, d - 1, index});
        first = d;
    }
    return fans;
}

Point esmRimPoint(int degree) {
    return dialPoint(degree - 90.5, 50.0);
}

std::vector<Point> esmFanPolygon(const EsmFan& fan) {
    std::vector<Point> points{{kDialCentre, kDialCentre}};
    for (int d = fan.first; d <= fan.last; ++d)
        points.push_back(esmRimPoint(d));
    points.push_back(esmRimPoint((fan.last + 1) % 360)); // the run ending at 359 closes on degree 0
    return points;
}

std::array<Point, 3> esmPointer(int bearing) {
    return {dialPoint(bearing - 90.0, 45.0), dialPoint(bearing + 5 - 90.0, 60.0), dialPoint(bearing - 5 - 90.0, 60.0)};
}

} // namespace q71
