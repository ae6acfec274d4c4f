// The settings the fire-control crew computes for a loaded weapon when crew assistance is on:
// from the target contact's range and the water under the boat, with a random spread that
// shrinks as the crew's level rises and is gone at level 5.
#include "sim/entities/entity.h"
#include "sim/entities/motion/motion_model.h"
#include "sim/scoring/upgrades.h"
#include "sim/simulation/random.h"
#include "sim/simulation/sound_profile.h"
#include "sim/simulation/world_lists.h"
#include "sim/world/terrain_world.h"
#include "stations/firectrl/torpedo_tube.h"
#include "stations/firectrl/vls_cell.h"

#include <algorithm>
#include <cmath>

namespace q71 {
namespace {

constexpr int kFireControlStation = 2;
constexpr double kDeepestAdcapWater = 900.0;
constexpr double kDeepWater = 1524.0;                   // the water taken where the terrain knows no bottom
constexpr double kPerRangeUnit = 0.0005468066491688539; // yards to units of 2000 yards (1 / 1828.8)

std::int32_t truncated(double value) {
    return static_cast<std::int32_t>(std::trunc(value));
}

std::int32_t nearest(double value) {
    return truncated(value + 0.5);
}

// The crew assisting the fire-control station: its level, or nothing when it does not assist.
std::optional<int> assistLevel() {
    if (crewAssistEnabled(kFireControlStation) != 1)
        return std::nullopt;
    return crewAssistLevel(kFireControlStation);
}

// The water depth under the own boat, positive.
double waterUnder(const Entity& ownShip) {
    const WorldPoint at = worldPoint(ownShip);
    double bottom = -kDeepWater;
    worldDepthAt(at.x, at.y, &bottom, true);
    return -bottom;
}

// The flight range for a route: the distance to its last point with a margin.
std::int32_t tomahawkPreset(const Launcher& launcher, const Entity& ownShip, int level) {
    const LaunchWaypoint* last = launcher.lastWaypoint();
    const WorldPoint from = worldPoint(ownShip);
    const double margin = 1.5 + 0.5 * randomScaled(1.0 - 0.2 * level);
    return nearest(geoRange(last->x - from.x, last->y - from.y) * margin);
}

} // namespace

void TorpedoTube::loadPresets() {
    const std::optional<int> level = assistLevel();
    const Entity* ownShip = worldOwnShip();
    if (!level || !ownShip)
        return;
    const ContactRecord* contact = target != kTargetNotAssigned ? launcherFindContact(target) : nullptr;
    const double spread = 1.0 - 0.2 * *level;
    switch (weaponType()) {
    case kWeaponAdcap: {
        if (!contact)
            return;
        const double water = std::min(waterUnder(*ownShip), kDeepestAdcapWater);
        const double layer = soundProfile().layerDepth;
        // Above the layer the torpedo searches above it; below it, deep.
        adcapCeiling = contact->belowLayer == 0 ? truncated(-0.5 * layer) : truncated(0.5 * (800.0 - layer));
        adcapCeiling = std::max(adcapCeiling, 20);
        if (adcapCeiling > 0.9 * water)
            adcapCeiling = truncated(0.9 * water);
        adcapDepth2 = 0;
        adcapFloor = nearest(0.9 * water);
        adcapFlag = 0;
        const double range = contact->range;
        adcapEnableRange = truncated(0.7 * range - randomScaled(0.2 * spread * range));
        adcapSpeed = 55;
        break;
    }
    case kWeaponSlmm:
        if (!waypoints.empty())
            slmmDepth = truncated((waterUnder(*ownShip) + 1.0) * 0.5);
        break;
    case kWeaponHarpoon: {
        if (!contact)
            return;
        const double range = contact->range;
        harpoonRange1 = nearest((1.5 + 0.5 * randomScaled(spread)) * range * kPerRangeUnit);
        harpoonRange2 = nearest((0.5 - 0.5 * randomScaled(spread)) * range * kPerRangeUnit);
        harpoonFlag = 0;
        break;
    }
    case kWeaponTomahawk:
        if (lastWaypoint())
            tomahawkRange = tomahawkPreset(*this, *ownShip, *level);
        break;
    default:
        break;
    }
}

void VlsCell::loadPresets() {
    const std::optional<int> level = assistLevel();
    const Entity* ownShip = worldOwnShip();
    if (level && ownShip && weaponType() == kWeaponTomahawk && lastWaypoint())
        tomahawkRange = tomahawkPreset(*this, *ownShip, *level);
}

} // namespace q71
