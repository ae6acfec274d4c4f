#include "sim/entities/sensors/simple_active_sonar.h"

#include "sim/entities/entity.h"
#include "sim/entities/player_upgrades.h"
#include "sim/entities/sensors/scan_index.h"
#include "sim/services/sim_services.h"
#include "sim/simulation/sim_clock.h"
#include "sim/simulation/sound_profile.h"

#include <cmath>

namespace q71 {

namespace {

constexpr std::uint8_t kEventTransmission = 10;
constexpr double kPingHeardFor = 5.0; // s after a ping during which it is heard

} // namespace

SimpleActiveSonar::SimpleActiveSonar(Entity& owner, float figure, std::int16_t interval)
    : SimpleSonarSensor(owner, figure) {
    type = kSensorActive;
    switch (owner.category) {
    case kCategorySub:
        arcHalfWidth = owner.recordId == 1 ? 150.0 : 80.0;
        break;
    case kCategoryShip:
        arcHalfWidth = 150.0;
        break;
    case kCategoryTorp:
        arcHalfWidth = owner.parentId != 0 && worldOwnShipId() == owner.parentId &&
                               playerHasUpgrade(PlayerUpgrade::torpedoSeekerArc)
                           ? 60.0
                           : 20.0 + 5.0 * figure;
        break;
    case kCategoryPlane:
    case kCategoryHelo:
        arcHalfWidth = 180.0;
        z = -22.86;
        break;
    default:
        break;
    }
    transmitInterval = interval;
    bandLow = 0;
    bandHigh = 3000;
}

void SimpleActiveSonar::step(double /*dt*/) {
    copyOwnerPose();
    const double now = simClock().gameClock;
    Entity& self = owner();
    if (transmitDue(now)) {
        if (NetworkGame* game = simNetworkGame(); game && self.controller)
            game->sendEventWithValue(kEventTransmission, kSensorActive, self.id);
        sourceTable.fill(0);
        HearingScan scan = hearingScan();
        Hearing hearing;
        scanWorldInOrder(
            [&](const Entity& entity) { return &entity != &self && mayHearInScan(scan, entity, hearing); },
            [&](Entity& entity) {
                canSense(entity); // the echoes
                refreshHearing(scan);
            },
            askForNoise);
        lastTransmit = now;
        pinged_ = true;
        if (transmitInterval == 0)
            transmitInterval = -1;
    }
    if (!pinged_ || now - lastTransmit >= kPingHeardFor)
        return;
    HearingScan scan = hearingScan();
    scanWorldInOrder([&](const Entity& entity) { return &entity != &self && pingMayReach(scan, entity); },
                     [&](Entity& entity) {
                         scanList(entity);
                         refreshHearing(scan);
                     });
}

bool SimpleActiveSonar::scanMayReach(const Entity& entity) const {
    const HearingScan scan = hearingScan();
    Hearing hearing;
    return mayHear(scan, entity, hearing) || pingMayReach(scan, entity);
}

void SimpleActiveSonar::scanList(Entity& entity) {
    const double now = simClock().gameClock;
    Entity& self = owner();
    const WorldPoint target = worldPoint(entity);
    const double ambient = soundProfile().ambientNoise;
    for (auto* node = entity.sensors.head(); node; node = node->next) {
        Sensor& hearer = *node->item;
        const bool intercept = hearer.type == kSensorIntercept && now == lastTransmit;
        const bool passive = hearer.type == kSensorPassive && hearer.bandHigh > self.activeSonar;
        if (hearer.deleteFlag || !(intercept || passive))
            continue;
        const double bearing = geoBearing(target.x - x, target.y - y);
        if (!inWindow(target.z) || !inArc(bearing, true))
            continue;
        // How far a ping carries is the pinging sonar's own curve, whoever listens.
        const double range = geoRange3d(target.x - x, target.y - y, target.z - z);
        const int level =
            passiveLevel(entity.noiseFactor, 0.5 * range, worldPoint(self).z, target.z, 0);
        if (level == 0 || (hearer.type != kSensorIntercept && !(level > ambient)))
            continue;
        // Heard loud at first, the ping fades to the ambient noise over the five seconds.
        const int base = static_cast<int>(ambient);
        const int quality = base + static_cast<int>(level - ambient) *
                                       static_cast<int>(kPingHeardFor - (now - lastTransmit)) / 5;
        const double back = entityBearing(entity, self);
        hearer.onPing(self.id, static_cast<int>(back), quality);
        entity.processContactRecord(self, interceptFix(self, entity, back, quality, hearer.type));
    }
}

} // namespace q71
