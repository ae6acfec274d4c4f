#include "mkdata/terrain/seabed_model.h"

#include <algorithm>
#include <cmath>

namespace q71::mkdata {

namespace {

constexpr double kEarthRadiusKm = 6366.0;
constexpr double kShelfBreak = 160.0; // m of water at the shelf's outer edge
constexpr double kShoreDepth = 3.0;   // m of water at the waterline
constexpr double kNoLand = -2000.0;   // km: an area without land
constexpr uint32_t kSeed = 0x71DE71;

double smoothstep(double t) {
    t = std::clamp(t, 0.0, 1.0);
    return t * t * (3.0 - 2.0 * t);
}

// Plain square roots: these run for every sample of every feature, and the distances never overflow.
double length(double dx, double dy) {
    return std::sqrt(dx * dx + dy * dy);
}

double distance(const PlanePoint& a, const PlanePoint& b) {
    return length(a.east - b.east, a.north - b.north);
}

double segmentDistance(const PlanePoint& p, const PlanePoint& a, const PlanePoint& b) {
    const double dx = b.east - a.east, dy = b.north - a.north;
    const double length2 = dx * dx + dy * dy;
    const double t = length2 > 0
                         ? std::clamp(((p.east - a.east) * dx + (p.north - a.north) * dy) / length2, 0.0, 1.0)
                         : 0.0;
    return length(p.east - (a.east + t * dx), p.north - (a.north + t * dy));
}

// Signed distance to a polygon's edges, positive inside.
double polygonDistance(const std::vector<PlanePoint>& polygon, const PlanePoint& p) {
    double nearest = 1e9;
    bool inside = false;
    for (size_t i = 0, j = polygon.size() - 1; i < polygon.size(); j = i++) {
        const PlanePoint &a = polygon[i], &b = polygon[j];
        nearest = std::min(nearest, segmentDistance(p, a, b));
        if ((a.north > p.north) != (b.north > p.north) &&
            p.east < (b.east - a.east) * (p.north - a.north) / (b.north - a.north) + a.east)
            inside = !inside;
    }
    return inside ? nearest : -nearest;
}

} // namespace

SeabedModel::SeabedModel(const std::vector<MissionArea>& areas)
    : continents_(kSeed), coastline_(kSeed + 1), relief_(kSeed + 2), basins_(kSeed + 3), warpEast_(kSeed + 4),
      warpNorth_(kSeed + 5) {
    for (const MissionArea& area : areas)
        areas_.push_back({&area, spherePoint(area.lat, area.lon), projCreate(area.lat, area.lon, false)});
}

SeabedModel::Shape SeabedModel::planetShape(const SpherePoint& p) const {
    // About a third of the globe above the sea, in continents some thousands of km across.
    const double continent = continents_.fractal(p, 2600.0, 7);
    return {(continent - 0.08) * 1600.0, 45.0 + 35.0 * basins_.fractal(p, 3000.0, 2), 45.0,
            4300.0 + 1000.0 * basins_.fractal(p, 1400.0, 3)};
}

double SeabedModel::freedom(const MissionArea& area, const PlanePoint& at) {
    double nearest = 1e9;
    for (const AreaSite& site : area.sites)
        nearest = std::min(nearest, distance(at, site.at));
    for (const AreaCircle& bay : area.bays)
        nearest = std::min(nearest, distance(at, bay.centre) - bay.radius);
    for (const AreaChannel& channel : area.channels)
        nearest = std::min(nearest, segmentDistance(at, channel.from, channel.to));
    return smoothstep((nearest - 5.0) / 35.0);
}

PlanePoint SeabedModel::bend(const SpherePoint& p, const PlanePoint& at, double freedom) const {
    // The lines of an area are bent by a few tens of km where nothing relies on them.
    return {at.east + freedom * 70.0 * warpEast_.fractal(p, 160.0, 3),
            at.north + freedom * 70.0 * warpNorth_.fractal(p, 160.0, 3)};
}

SeabedModel::Shape SeabedModel::areaShape(const MissionArea& area, const SpherePoint& p, const PlanePoint& at,
                                          const PlanePoint& bent, double freedom) const {
    double coast = kNoLand;
    for (const auto& polygon : area.lands)
        coast = std::max(coast, polygonDistance(polygon, bent));
    for (const AreaCircle& island : area.islands)
        coast = std::max(coast, island.radius - distance(bent, island.centre));
    for (const AreaCircle& bay : area.bays)
        coast = std::min(coast, distance(at, bay.centre) - bay.radius);
    const double widen = 1.0 + freedom * 0.3 * basins_.fractal(p, 180.0, 2);
    const double basins = 1.0 + freedom * 0.12 * basins_.fractal(p, 250.0, 3);
    return {coast, area.shelfWidth * widen, area.slopeWidth * widen, area.floorDepth * basins};
}

double SeabedModel::profile(const Shape& shape) {
    if (shape.coast >= 0.0)
        return std::min(2500.0, 2.0 + 18.0 * std::pow(shape.coast, 0.7));
    const double offshore = -shape.coast;
    if (offshore <= shape.shelf)
        return -(kShoreDepth + (kShelfBreak - kShoreDepth) * offshore / shape.shelf);
    return -(kShelfBreak + (shape.floor - kShelfBreak) * smoothstep((offshore - shape.shelf) / shape.slope));
}

double SeabedModel::applyShoals(const MissionArea& area, const PlanePoint& bent, double weight,
                                double elevation) {
    for (const AreaShoal& shoal : area.shoals) {
        // A flat top over the inner part, then the flanks down to the surrounding floor.
        const double r = shoal.circle.radius;
        const double rise = weight * smoothstep((r - distance(bent, shoal.circle.centre)) / (0.4 * r));
        elevation = std::max(elevation, elevation + (-shoal.depth - elevation) * rise);
    }
    return elevation;
}

double SeabedModel::applyChannels(const MissionArea& area, const PlanePoint& at, double weight,
                                  double elevation) {
    for (const AreaChannel& channel : area.channels) {
        // The full depth across the channel's width, then banks at least a grid cell or two wide.
        const double half = channel.width / 2, bank = std::max(half, 1.5);
        const double cut =
            weight * smoothstep(1.0 - (segmentDistance(at, channel.from, channel.to) - half) / bank);
        elevation = std::min(elevation, elevation + (-channel.depth - elevation) * cut);
    }
    return elevation;
}

double SeabedModel::elevation(double lat, double lon) const {
    const SpherePoint p = spherePoint(lat, lon);
    const Area* near = nullptr;
    double weight = 0.0;
    const double outerDot = std::cos((kAreaOuterKm + kAreaWobbleKm) / kEarthRadiusKm);
    for (const Area& area : areas_) {
        const double dot = p.x * area.centre.x + p.y * area.centre.y + p.z * area.centre.z;
        if (dot > outerDot) {
            const double km = kEarthRadiusKm * std::acos(std::min(dot, 1.0));
            near = &area;
            const double wobble =
                std::clamp(2.0 * kAreaWobbleKm * basins_.fractal(p, 500.0, 2), -kAreaWobbleKm, kAreaWobbleKm);
            weight = smoothstep((kAreaOuterKm + wobble - km) / (kAreaOuterKm - kAreaInnerKm));
            break; // areas lie too far apart to meet
        }
    }

    Shape shape;
    PlanePoint at;
    PlanePoint bent;
    double free = 1.0;
    if (near) {
        projForward(near->plane.get(), lat, lon, &at.east, &at.north);
        free = freedom(*near->source, at);
        bent = bend(p, at, free);
        shape = areaShape(*near->source, p, at, bent, free);
    }
    if (weight < 1.0) {
        const Shape planet = planetShape(p);
        shape.coast = weight * shape.coast + (1 - weight) * planet.coast;
        shape.shelf = weight * shape.shelf + (1 - weight) * planet.shelf;
        shape.slope = weight * shape.slope + (1 - weight) * planet.slope;
        shape.floor = weight * shape.floor + (1 - weight) * planet.floor;
        free = weight * free + (1 - weight);
    }
    // Coasts wander a few km about their lines, leaving coves, spits and rocks.
    shape.coast += (2.0 + 10.0 * free) * coastline_.fractal(p, 30.0, 5);
    double height = profile(shape);
    if (near)
        height = applyShoals(*near->source, bent, weight, height);
    // Hills on land; on the sea floor abyssal hills and shelf ripples in proportion to the depth.
    const double roughness = relief_.fractal(p, 40.0, 4);
    height = height >= 0.0 ? std::max(1.0, height + roughness * (0.25 * height + 15.0))
                           : std::min(-2.0, height + roughness * 0.06 * -height);
    if (near)
        height = applyChannels(*near->source, at, weight, height);
    return height;
}

} // namespace q71::mkdata
