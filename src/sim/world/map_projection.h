#pragma once
// Map projection: latitude and longitude to plane coordinates around a centre and back.
// A geographic projection measures the plane in minutes of arc from the centre; a
// stereographic one works on a sphere of radius 6366 km and measures the plane in km,
// x to the east and y to the north.

#include <cstdint>
#include <memory>

namespace q71 {

struct MapProjection {
    uint32_t geographic = 0;
    double centreLat = 0.0; ///< degrees
    double centreLon = 0.0; ///< degrees
    // Stereographic kind only: the rotation whose columns are the centre's local frame
    // (south, east, up), so that its transpose brings the centre onto the third axis.
    double rotation[3][3] = {};
    double transpose[3][3] = {};
};

/// A projection centred on (lat, lon) in degrees; null when lat lies outside -90..90.
/// Freed by its owner (the unique_ptr stands for projFree).
std::unique_ptr<MapProjection> projCreate(double lat, double lon, bool geographic);

/// Plane coordinates of a point; nothing happens for a null projection, either output may be null.
void projForward(const MapProjection* p, double lat, double lon, double* x, double* y);

/// Latitude and longitude of a plane point; nothing happens for a null projection.
void projInverse(const MapProjection* p, double x, double y, double* lat, double* lon);

/// True for a geographic projection, and for none at all.
bool projIsGeographic(const MapProjection* p);

/// The centre in degrees; (0, 0) for a null projection.
void projCentre(const MapProjection* p, double* lat, double* lon);

} // namespace q71
