#include "sim/world/map_projection.h"

#include <algorithm>
#include <cmath>

namespace q71 {

namespace {
constexpr double kPi = 3.14159265359;
constexpr double kDegToRad = kPi / 180.0;
constexpr double kRadToDeg = 180.0 / kPi;
constexpr double kEarthRadius = 6366.0;    // km
constexpr double kEarthDiameter = 12732.0; // km
constexpr double kEarthRadiusSquared = 40525956.0;

// asin and acos of a ratio that rounding may carry a hair past +-1.
double clampUnit(double v) {
    return std::clamp(v, -1.0, 1.0);
}

void forwardStereographic(const MapProjection& p, double lat, double lon, double& x, double& y) {
    const double colat = (90.0 - lat) * kDegToRad;
    const double lonRad = lon * kDegToRad;
    const double point[3] = {kEarthRadius * std::sin(colat) * std::cos(lonRad),
                             kEarthRadius * std::sin(colat) * std::sin(lonRad),
                             kEarthRadius * std::cos(colat)};
    double q[3];
    for (int j = 0; j < 3; ++j)
        q[j] = p.rotation[0][j] * point[0] + p.rotation[1][j] * point[1] + p.rotation[2][j] * point[2];
    const double r = std::hypot(q[0], q[1]);
    if (r <= 0.0) {
        x = y = 0.0;
        return;
    }
    double distance = std::asin(clampUnit(r / kEarthRadius)) * kRadToDeg;
    if (q[2] < 0.0)
        distance = 180.0 - distance; // the far hemisphere
    const double rho = kEarthDiameter * std::tan(distance * 0.5 * kDegToRad);
    x = rho * q[1] / r;
    y = -rho * q[0] / r;
}

void inverseStereographic(const MapProjection& p, double x, double y, double& lat, double& lon) {
    const double rho = std::hypot(x, y);
    const double s = kEarthRadius * std::sin(2.0 * std::atan(rho / kEarthDiameter));
    double point[3] = {0.0, 0.0, kEarthRadius};
    if (rho > 0.0) {
        // Beyond 90 degrees from the centre the point lies on the far side of the sphere:
        // its height above the tangent plane's parallel is negative. Flipping only the sign
        // of the latitude afterwards would be right for a polar centre alone.
        const double height = std::sqrt(std::max(0.0, kEarthRadiusSquared - s * s));
        point[0] = -s * y / rho;
        point[1] = s * x / rho;
        point[2] = rho > kEarthDiameter ? -height : height;
    }
    double q[3];
    for (int j = 0; j < 3; ++j)
        q[j] = p.transpose[0][j] * point[0] + p.transpose[1][j] * point[1] + p.transpose[2][j] * point[2];
    lat = 90.0 - std::acos(clampUnit(q[2] / kEarthRadius)) * kRadToDeg;
    if (q[0] == 0.0) {
        lon = q[1] > 0.0 ? 90.0 : -90.0;
    } else {
        lon = std::atan(q[1] / q[0]) * kRadToDeg;
        if (q[0] < 0.0)
            lon += lon >= 0.0 ? -180.0 : 180.0;
    }
}
} // namespace

std::unique_ptr<MapProjection> projCreate(double lat, double lon, bool geographic) {
    if (!(lat >= -90.0 && lat <= 90.0))
        return nullptr;
    auto p = std::make_unique<MapProjection>();
    p->geographic = geographic ? 1 : 0;
    p->centreLat = lat;
    p->centreLon = lon;
    if (!geographic) {
        const double a = lon * kDegToRad;
        const double b = (90.0 - lat) * kDegToRad;
        const double ca = std::cos(a), sa = std::sin(a), cb = std::cos(b), sb = std::sin(b);
        const double rotation[3][3] = {{cb * ca, -sa, sb * ca}, {cb * sa, ca, sb * sa}, {-sb, 0.0, cb}};
        for (int i = 0; i < 3; ++i) {
            for (int j = 0; j < 3; ++j) {
                p->rotation[i][j] = rotation[i][j];
                p->transpose[j][i] = rotation[i][j];
            }
        }
    }
    return p;
}

void projForward(const MapProjection* p, double lat, double lon, double* x, double* y) {
    if (!p)
        return;
    double px, py;
    if (p->geographic) {
        px = (lon - p->centreLon) * 60.0;
        py = (lat - p->centreLat) * 60.0;
    } else {
        forwardStereographic(*p, lat, lon, px, py);
    }
    if (x)
        *x = px;
    if (y)
        *y = py;
}

void projInverse(const MapProjection* p, double x, double y, double* lat, double* lon) {
    if (!p)
        return;
    double la, lo;
    if (p->geographic) {
        la = p->centreLat + y / 60.0;
        lo = p->centreLon + x / 60.0;
    } else {
        inverseStereographic(*p, x, y, la, lo);
    }
    if (lat)
        *lat = la;
    if (lon)
        *lon = lo;
}

bool projIsGeographic(const MapProjection* p) {
    return !p || p->geographic != 0;
}

void projCentre(const MapProjection* p, double* lat, double* lon) {
    if (lat)
        *lat = p ? p->centreLat : 0.0;
    if (lon)
        *lon = p ? p->centreLon : 0.0;
}

} // namespace q71
