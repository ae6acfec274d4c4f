// The aircraft's searches: patrol loops (a helicopter of a good crew dips along them), the
// dipping search at random points of an area, sonobuoy fields, and the sonars it works.
#include "sim/entities/controllers/aircraft_controller.h"

#include "sim/entities/entity.h"
#include "sim/entities/motion/motion_model.h"
#include "sim/entities/sensors/air_deployed_sonar.h"
#include "sim/entities/sensors/simple_active_sonar.h"
#include "sim/simulation/random.h"
#include "sim/simulation/sim_clock.h"

#include <cmath>

namespace q71 {

namespace {

constexpr double kSearchHeight = 100.0;       // metres, between dips
constexpr double kDipHeight = 30.0;           // metres, with the sonar in the water
constexpr double kFieldHeight = 500.0;        // metres, over a sonobuoy field
constexpr double kPatrolDipTime = 300.0;      // seconds of a dip along a patrol
constexpr double kSearchDipTime = 180.0;      // seconds of a dip of the dipping search
constexpr std::int16_t kDipPingInterval = 20; // seconds between the pings of a dipped sonar
constexpr int kHelicopterDipLevel = 3;        // the crew level from which a helicopter dips on patrol
// The plan's byte that holds the number of buoys of a field (docs/scenarios.md).
constexpr std::size_t kFieldCountOffset = 0;

} // namespace

std::vector<FieldPoint> sonobuoyFieldLayout(int count, double width, double height, bool drops) {
    std::vector<FieldPoint> points;
    if (count <= 0)
        return points; // no buoys, no field (the spacing would divide by nothing)
    const double side = std::sqrt(static_cast<double>(count));
    const double dx = std::trunc(std::fabs(width) / side), dy = std::trunc(std::fabs(height) / side);
    const double signX = width < 0.0 ? -1.0 : 1.0, signY = height < 0.0 ? -1.0 : 1.0;
    const auto rows = static_cast<int>(side);
    for (int row = rows; row >= 0; --row) {
        const bool staggered = row % 2 == 1;
        // Even rows run back from the far side, odd ones out from the near side half a spacing in.
        for (int k = 0; staggered ? k < side : k < 1.0 + side; ++k) {
            const double column = staggered ? k + 0.5 : side + 1.0 - k;
            points.push_back(
                {signX * column * dx, signY * row * dy, drops ? kAircraftSonobuoyDrop : kAircraftTransit});
        }
    }
    if (drops)
        points.front().kind = kAircraftFieldMarker;
    return points;
}

void AirPlatformController::layField(bool drops) {
    if (!activeParams)
        return;
    const PlanParameters& area = *activeParams;
    const int count = area.bytes[kFieldCountOffset];
    for (const FieldPoint& point : sonobuoyFieldLayout(count, area.areaWidth(), area.areaHeight(), drops)) {
        double x = 0.0, y = 0.0;
        geoProject(area.areaX(), area.areaY(),
                   std::fmod(geoBearing(point.x, point.y) + area.areaOrientation(), 360.0),
                   geoRange(point.x, point.y), x, y);
        queueOrder(point.kind, 0, 0.0, x, y, 0.0, 0.0);
    }
}

// An order to a random point of the plan's area.
void AirPlatformController::queueAreaPoint(std::int32_t kind) {
    if (!activeParams)
        return;
    const PlanParameters& area = *activeParams;
    const double dx = randomScaled(area.areaWidth()), dy = randomScaled(area.areaHeight());
    double x = 0.0, y = 0.0;
    geoProject(area.areaX(), area.areaY(), std::fmod(geoBearing(dx, dy) + area.areaOrientation(), 360.0),
               geoRange(dx, dy), x, y);
    queueOrder(kind, 0, 0.0, x, y, 0.0, 0.0);
}

void AirPlatformController::patrolSearch() {
    if (advanceWaypoint() == kAircraftDippingSearch)
        queueAreaPoint(kAircraftDippingSearch);
    if (!isHelicopter() || level < kHelicopterDipLevel)
        steerForCurrentOrder(motion().quietSpeed);
    else
        dipFromPatrol();
}

// A helicopter on patrol stops now and then to dip its sonar, and flies on between dips.
void AirPlatformController::dipFromPatrol() {
    const double now = simClock().gameClock;
    if (!(now > dipTimer))
        return;
    MotionModel& m = motion();
    const ControllerOrder* order = currentOrder();
    if (m.orderedSpeed == 0.0) {
        silenceSonars();
        m.setOrderedSpeed(m.quietSpeed);
        steerForCurrentOrder(m.quietSpeed);
        m.setOrderedDepth(kSearchHeight);
        dipTimer = now + (randomScaled(5.0) + 5.0) * 60.0;
    } else if (order && order->type == planMode) {
        lowerSonar();
        m.setOrderedSpeed(0.0);
        m.setOrderedDepth(kDipHeight);
        dipTimer = now + kPatrolDipTime;
    } else {
        dipTimer = now + kPatrolDipTime;
    }
}

// A helicopter flies to a point of its area, hovers there with its sonar down for three
// minutes, then flies on to the next point.
void AirPlatformController::dippingSearch() {
    MotionModel& m = motion();
    const double now = simClock().gameClock;
    const bool hovering = m.orderedSpeed == 0.0;
    if (hovering && dipTimer == 0.0) {
        dipTimer = now + kSearchDipTime;
        return;
    }
    if (dipTimer != 0.0) {
        if (now > dipTimer) {
            // The sonar comes up before the helicopter flies on.
            silenceSonars();
            queueAreaPoint(kAircraftDippingSearch);
            m.setOrderedSpeed(m.quietSpeed);
            dipTimer = 0.0;
        }
        return;
    }
    if (!currentOrder())
        return;
    if (advanceWaypoint() == 0) {
        steerForCurrentOrder(m.quietSpeed);
        m.setOrderedDepth(kSearchHeight);
        return;
    }
    m.setOrderedSpeed(0.0);
    m.setOrderedDepth(kDipHeight);
    lowerSonar();
}

void AirPlatformController::sonobuoyField() {
    if (!activeOrders || activeOrders->empty()) {
        layField(true);
        return;
    }
    MotionModel& m = motion();
    switch (advanceWaypoint()) {
    case 0:
        if (const ControllerOrder* order = currentOrder())
            m.setOrderedCourse(steerBearing(worldPoint(m), m.heading, m.speed, worldPoint(*order)));
        break;
    case kAircraftFieldMarker:
        layField(false);
        m.setOrderedSpeed(m.quietSpeed);
        m.setOrderedDepth(kFieldHeight);
        break;
    case kAircraftSonobuoyDrop:
        dropBuoy();
        m.setOrderedSpeed(m.quietSpeed);
        m.setOrderedDepth(kFieldHeight);
        break;
    default:
        break;
    }
}

void AirPlatformController::dropBuoy() {
    Entity& aircraft = owner();
    aircraft.addSensor(new AirDeployedSonar(aircraft, aircraft.sensorRange));
}

void AirPlatformController::lowerSonar() {
    Entity& aircraft = owner();
    if (Sensor* sonar = aircraft.findSensorByType(kSensorActive))
        sonar->transmitInterval = kDipPingInterval;
    else
        aircraft.addSensor(new SimpleActiveSonar(aircraft, aircraft.sensorRange, kDipPingInterval));
}

void AirPlatformController::silenceSonars() {
    for (auto* node = owner().sensors.head(); node; node = node->next)
        if (node->item->type == kSensorActive)
            node->item->transmitInterval = -1;
}

} // namespace q71
