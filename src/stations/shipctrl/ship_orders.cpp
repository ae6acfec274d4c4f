#include "stations/shipctrl/ship_orders.h"

#include "sim/simulation/geometry.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace q71 {
namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kPeriscopeLine = -3.6576; // 12 feet of vertical coordinate

constexpr std::array<int, kTelegraphPositions> kTelegraphAngles = {237, 268, 300, 335, 0, 30, 62, 92, 124, 152};
constexpr std::array<const char*, kTelegraphPositions> kTelegraphSamples = {
    "Hlm10.wav", "Hlm9.wav", "Hlm8.wav", "Hlm7.wav", "Hlm1.wav",
    "Hlm2.wav",  "Hlm3.wav", "Hlm4.wav", "Hlm5.wav", "Hlm6.wav"};

} // namespace

std::optional<int> dialClickBearing(int dx, int dy) {
    if (dx == 0 && dy == 0)
        return std::nullopt;
    const double a = std::acos(dx / std::sqrt(static_cast<double>(dx) * dx + static_cast<double>(dy) * dy)) *
                     180.0 / kPi;
    const int whole = static_cast<int>(a);
    if (dy > 0)
        return whole + 90;
    if (dx >= 0)
        return (90 - whole + 360) % 360;
    return (450 - whole) % 360;
}

std::optional<int> telegraphPositionAt(int b) {
    if (b > 346 || b < 17)
        return 4;
    if (b <= 46)
        return 5;
    if (b <= 76)
        return 6;
    if (b <= 105)
        return 7;
    if (b <= 134)
        return 8;
    if (b <= 164)
        return 9;
    if (b >= 316)
        return 3;
    if (b >= 287)
        return 2;
    if (b >= 255)
        return 1;
    if (b >= 226)
        return 0;
    return std::nullopt;
}

int telegraphAngle(int position) {
    return kTelegraphAngles.at(static_cast<std::size_t>(std::clamp(position, 0, kTelegraphPositions - 1)));
}

std::optional<int> rudderOrderAt(int dx, int dy) {
    if (dy <= 0)
        return std::nullopt;
    // Screen y runs down; the bearing is taken north-up, so straight below is 180.
    double d = angleDiff(geoBearing(dx, -dy), 180.0);
    if (d < 0.0)
        d -= 5.0;
    else if (d > 0.0)
        d += 5.0;
    const int r = static_cast<int>(d * 0.1) * 5;
    return std::clamp(r, -30, 30);
}

HelmCall rudderCall(int r) {
    switch (r) {
    case -30:
        return {"Hlm15f.wav", 295, 0};
    case -25:
        return {"Hlm1525.wav", 294, 25};
    case -20:
        return {"Hlm1520.wav", 294, 20};
    case -15:
        return {"Hlm1515.wav", 294, 15};
    case -10:
        return {"Hlm1510.wav", 294, 10};
    case -5:
        return {"Hlm155.wav", 294, 5};
    case 5:
        return {"Hlm145.wav", 292, 5};
    case 10:
        return {"Hlm1410.wav", 292, 10};
    case 15:
        return {"Hlm1415.wav", 292, 15};
    case 20:
        return {"Hlm1420.wav", 292, 20};
    case 25:
        return {"Hlm1425.wav", 292, 25};
    case 30:
        return {"Hlm14f.wav", 293, 0};
    default:
        return {"Hlm16.wav", 296, 0};
    }
}

HelmCall telegraphCall(int position) {
    const int p = std::clamp(position, 0, kTelegraphPositions - 1);
    return {kTelegraphSamples[static_cast<std::size_t>(p)], 73 + p, 0};
}

bool depthReportDue(double z, int feet) {
    if (z < kPeriscopeLine)
        return feet >= 40;
    if (z > kPeriscopeLine)
        return feet < 40;
    return false;
}

int trimBarTop(int v, int limit) {
    const int h = 106 / 2;
    return 31 + h - std::clamp(v, -limit, limit) * h / limit;
}

int wheelStep(double rudder, double k1) {
    return std::clamp(static_cast<int>(-(k1 * rudder)), -9, 9);
}

double wheelOffset(double planes, double k2) {
    // From the rest position each frame, so that the wheel does not creep while the planes hold.
    return std::clamp(-0.06 + k2 * planes, -0.15, 0.03);
}

} // namespace q71
