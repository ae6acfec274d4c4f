#include "sim/simulation/geometry.h"

#include <bit>
#include <cmath>

namespace q71 {

double geoRange(double dx, double dy) {
    return std::hypot(dx, dy);
}

double geoRange3d(double dx, double dy, double dz) {
    return std::hypot(dz, std::hypot(dx, dy));
}

double geoBearing(double dx, double dy) {
    if (dx == 0.0 && dy == 0.0)
        return 0.0;
    const double bearing = std::atan2(dx, dy) * kRadiansToDegrees;
    return bearing < 0.0 ? bearing + 360.0 : bearing;
}

namespace {

void projectAlong(double x, double y, double sine, double cosine, double rangeYards, double& outX,
                  double& outY) {
    outX = x + sine * rangeYards * kYardsToMetres;
    outY = y + cosine * rangeYards * kYardsToMetres;
}

} // namespace

void geoProject(double x, double y, double bearing, double rangeYards, double& outX, double& outY) {
    const double radians = bearing * kDegreesToRadians;
    projectAlong(x, y, std::sin(radians), std::cos(radians), rangeYards, outX, outY);
}

void geoProject(double x, double y, const AngleTrig& bearing, double rangeYards, double& outX, double& outY) {
    projectAlong(x, y, bearing.sine(), bearing.cosine(), rangeYards, outX, outY);
}

const AngleTrig& AngleTrig::at(double degrees) {
    if (const auto bits = std::bit_cast<std::uint64_t>(degrees); bits != angleBits_) {
        const double radians = degrees * kDegreesToRadians;
        angleBits_ = bits;
        sine_ = std::sin(radians);
        cosine_ = std::cos(radians);
    }
    return *this;
}

double angleDiff(double a, double b) {
    double d = b - a;
    if (d < -180.0)
        d += 360.0;
    else if (d > 180.0)
        d -= 360.0;
    return d;
}

double relativeBearing(double heading, double dx, double dy) {
    return angleDiff(heading, geoBearing(dx, dy));
}

double angleAdd(double a, double b) {
    double sum = a + b;
    if (sum < 0.0)
        sum = std::fmod(sum, 360.0) + 360.0;
    if (sum >= 360.0)
        sum = std::fmod(sum, 360.0);
    return sum;
}

double steerBearing(const WorldPoint& position, double heading, double speed, const WorldPoint& point) {
    const double bearing = entityBearing(position, point);
    const double off = std::fabs(angleDiff(heading, bearing));
    const bool insideTurn = entityRangeYards(position, point) < speed * kSpeedUnitMetresPerSecond * off / 3.0;
    return off > 90.0 && insideTurn ? heading : bearing;
}

double worldAspectAngle(double bearing, double heading) {
    const double d = angleDiff(bearing, heading);
    return d > 0.0 ? 90.0 - std::fabs(90.0 - d) : std::fabs(90.0 - std::fabs(d)) - 90.0;
}

int entitySampleCount(double arrayLength) {
    return static_cast<int>(1.0 + 0.1 * arrayLength);
}

} // namespace q71
