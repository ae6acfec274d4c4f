#pragma once
// The generated planet: elevation in metres at any latitude and longitude. A seeded field of
// continents gives coasts with their shelves, slopes and deep basins everywhere; around each
// mission area that field gives way to the area's own coasts, islands, banks and channels.
// Both share the roughness of coasts and sea floor, so the seam between them cannot be seen.

#include "mkdata/terrain/mission_areas.h"
#include "mkdata/terrain/sphere_noise.h"
#include "sim/world/map_projection.h"

#include <memory>
#include <vector>

namespace q71::mkdata {

class SeabedModel {
public:
    explicit SeabedModel(const std::vector<MissionArea>& areas);
    SeabedModel(const SeabedModel&) = delete;
    SeabedModel& operator=(const SeabedModel&) = delete;

    /// Elevation in metres (negative below sea level).
    double elevation(double lat, double lon) const;

private:
    struct Area {
        const MissionArea* source;
        SpherePoint centre;
        std::unique_ptr<MapProjection> plane; ///< the mission grid's projection
    };
    // The shape of the ground at a point before its roughness.
    struct Shape {
        double coast = 0.0; ///< km to the nearest coast, positive inland
        double shelf = 0.0, slope = 0.0, floor = 0.0;
    };

    Shape planetShape(const SpherePoint& p) const;
    PlanePoint bend(const SpherePoint& p, const PlanePoint& at, double freedom) const;
    Shape areaShape(const MissionArea& area, const SpherePoint& p, const PlanePoint& at,
                    const PlanePoint& bent, double freedom) const;
    static double freedom(const MissionArea& area, const PlanePoint& at);
    static double profile(const Shape& shape);
    static double applyShoals(const MissionArea& area, const PlanePoint& bent, double weight,
                              double elevation);
    static double applyChannels(const MissionArea& area, const PlanePoint& at, double weight,
                                double elevation);

    std::vector<Area> areas_;
    SphereNoise continents_, coastline_, relief_, basins_, warpEast_, warpNorth_;
};

} // namespace q71::mkdata
