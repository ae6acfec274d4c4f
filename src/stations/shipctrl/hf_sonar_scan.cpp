#include "stations/shipctrl/hf_sonar_scan.h"

#include "sim/entities/entity.h"
#include "sim/entities/entity_events.h"
#include "sim/entities/motion/motion_model.h"
#include "sim/entities/sensors/sensor.h"
#include "sim/entities/types/own_submarine.h"
#include "sim/scoring/scoring.h"
#include "sim/simulation/geometry.h"
#include "sim/simulation/world_lists.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace q71 {
namespace {

constexpr float kClickReach = 450.0f;
constexpr std::array<float, 6> kCrewReach{300.0f, 350.0f, 400.0f, 450.0f, 500.0f, 600.0f};
constexpr double kAbeam = 90.0;
constexpr std::uint8_t kQuality = 95;

r3d::Vec3 scenePosition(const MotionModel& m) {
    return {static_cast<float>(m.x * 0.1), static_cast<float>(m.z * 0.1), static_cast<float>(-m.y * 0.1)};
}

} // namespace

std::optional<HfEchoBox> hfEchoBox(int category) {
    switch (category) {
    case kCategorySub:
    case kCategoryShip:
        return HfEchoBox{35.0f, 35.0f, 10.5f};
    case kCategoryTorp:
    case kCategoryCm:
        return HfEchoBox{25.0f, 25.0f, 7.0f};
    case kCategoryFloat:
    case kCategoryRock:
        return HfEchoBox{10.0f, 10.0f, 10.0f};
    case kCategoryMine:
    case kCategoryDepth:
        return HfEchoBox{25.0f, 25.0f, 25.0f};
    default:
        return std::nullopt;
    }
}

std::vector<HfEcho> hfSonarEchoes(const Entity* own, r3d::Vec3 camera) {
    std::vector<HfEcho> echoes;
    for (auto* node = worldList().head(); node; node = node->next) {
        Entity* entity = node->item;
        if (entity == own || !entity->motion)
            continue;
        const std::optional<HfEchoBox> box = hfEchoBox(entity->category);
        if (!box)
            continue;
        const r3d::Vec3 at = scenePosition(*entity->motion);
        const float d = r3d::length(r3d::Vec3{at.x - camera.x, at.y - camera.y, at.z - camera.z});
        if (d < kHfSonarReach)
            echoes.push_back({entity, at, d, *box});
    }
    std::sort(echoes.begin(), echoes.end(), [](const HfEcho& a, const HfEcho& b) { return a.distance > b.distance; });
    return echoes;
}

float hfEchoBrightness(float distance) {
    return (2.0f - distance / kHfSonarReach) / 2.0f;
}

std::optional<float> hfDesignationReach(bool clicked, bool crewAssist, int crewLevel) {
    if (crewAssist)
        return kCrewReach[static_cast<std::size_t>(std::clamp(crewLevel, 0, 5))];
    if (clicked)
        return kClickReach;
    return std::nullopt;
}

int hfSonarDesignate(OwnShipEntity& own, const std::vector<HfEcho>& echoes, float reach) {
    if (!own.motion)
        return 0;
    const MotionModel& m = *own.motion;
    int designated = 0;
    for (const HfEcho& echo : echoes) {
        if (echo.distance >= reach)
            continue;
        const double range = entityRange3dYards(own, *echo.entity);
        const double bearing = entityBearing(own, *echo.entity);
        if (std::fabs(angleDiff(bearing, m.heading)) > kAbeam)
            continue;
        if (Sensor* sonar = own.ownShipSensorByType(kSensorActive)) {
            sonar->x = m.x;
            sonar->y = m.y;
            sonar->z = m.z;
        }
        own.registerContact(kSensorActive, echo.entity->id, bearing, range, -1.0, -1.0, kQuality);
        scoringPostEvent(missionEventAt(worldPoint(own), kEventMeeting, own.id, echo.entity->id), 0);
        ++designated;
    }
    return designated;
}

} // namespace q71
