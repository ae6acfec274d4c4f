#include "tactical/radar/radar_blips.h"

#include "sim/entities/entity.h"
#include "sim/entities/motion/motion_model.h"
#include "sim/simulation/geometry.h"
#include "sim/simulation/world_lists.h"
#include "sim/world/object_database.h"
#include "tactical/radar/radar_sweep.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace q71 {
namespace {

constexpr double kMastHeight = 7.9248; ///< 26 ft: deeper than this nothing shows above the waves
constexpr double kRepaintWindow = 3.75; ///< a blip repainted within this many seconds is the same blip
constexpr double kBlipLife = 15.0;

} // namespace

RadarTargetForm radarTargetForm(const Entity& entity) {
    RadarTargetForm form;
    if (const ObjectRecord* record = objdbFindById(entity.recordId))
        form.size = std::max(0, record->length / 100);
    form.form = entity.category == kCategoryShip ? 0 : 1;
    return form;
}

int radarBlipLevel(double rangeYards, const RadarTargetForm& form, double z) {
    // The size enters as s + 1, never below 1: a record without a length still returns.
    const double reach = std::max(1, form.size + 1) * 60000.0;
    const double e = form.form == 0 ? 1.0 - 0.2 * rangeYards / reach
                                    : (1.0 - rangeYards / reach) * (z + kMastHeight) / kMastHeight;
    if (!std::isfinite(e))
        return 0;
    return scopeLevel(16 + static_cast<long long>(std::trunc(48.0 * std::clamp(e, -2.0, 2.0))));
}

void RadarBlips::scan(const RadarScan& scan, const RadarSweep& mask, const std::function<void(Entity&)>& painted) {
    Entity* own = worldOwnShip();
    for (auto* node = worldList().head(); node; node = node->next) {
        Entity& entity = *node->item;
        if (&entity == own || !entity.motion)
            continue;
        const MotionModel& motion = *entity.motion;
        if (!(motion.z > -kMastHeight))
            continue;
        const double bearing = geoBearing(motion.x - scan.ownX, motion.y - scan.ownY);
        const double off = angleDiff(scan.sectorStart, bearing);
        if (!(off > 0.0 && off < scan.swept))
            continue;
        const double range = geoRange(motion.x - scan.ownX, motion.y - scan.ownY) * kMetresToYards;
        if (!(range < scan.rangeScale))
            continue;
        const int radius = static_cast<int>(std::trunc(range)) * kScopeRadius / scan.rangeScale;
        if (!(mask.maskAt(radius) - kMastHeight < motion.z))
            continue;
        record(RadarBlip{entity.id, entity.category, radarBlipLevel(range, radarTargetForm(entity), motion.z),
                         static_cast<int>(bearing), static_cast<int>(range), static_cast<int>(motion.heading),
                         scan.clock});
        painted(entity);
    }
}

void RadarBlips::record(const RadarBlip& blip) {
    auto held = std::ranges::find_if(blips_, [&](const RadarBlip& b) {
        return b.entityId == blip.entityId && blip.time - b.time < kRepaintWindow;
    });
    if (held == blips_.end())
        blips_.push_back(blip);
    else
        *held = blip;
}

void RadarBlips::draw(RadarPicture& picture, int rangeScale, double clock) {
    constexpr double kDegrees = std::numbers::pi / 180.0;
    for (auto blip = blips_.begin(); blip != blips_.end();) {
        const double age = clock - blip->time;
        const long long faded = static_cast<long long>(std::trunc(age * 1000.0)) / 150;
        const long long level = std::min<long long>(blip->level - faded, kScopeTopLevel);
        if (level < 1 || age >= kBlipLife) {
            blip = blips_.erase(blip);
            continue;
        }
        const double r = static_cast<double>(blip->range) * kScopeRadius / rangeScale;
        const double cx = kScopeCentre + r * std::sin(blip->bearing * kDegrees);
        const double cy = kScopeCentre - r * std::cos(blip->bearing * kDegrees);
        const double half = std::max(1, blip->level * 1060 / rangeScale);
        const double hx = half * std::sin(blip->heading * kDegrees), hy = -half * std::cos(blip->heading * kDegrees);
        picture.line(cx - hx, cy - hy, cx + hx, cy + hy, static_cast<int>(level));
        ++blip;
    }
}

const RadarBlip* RadarBlips::nearest(double bearing, double rangeYards) const {
    const RadarBlip* best = nullptr;
    double bestBearing = 0.0, bestRange = 0.0;
    for (const RadarBlip& blip : blips_) {
        const double bearingError = std::abs(angleDiff(blip.bearing, std::trunc(bearing)));
        const double rangeError = std::abs(blip.range - std::trunc(rangeYards));
        if (!best || (bearingError < bestBearing && rangeError < bestRange)) {
            best = &blip;
            bestBearing = bearingError;
            bestRange = rangeError;
        }
    }
    return best;
}

} // namespace q71
