#pragma once
// The mission areas of the data set (data/areas.txt): where on the globe each lies, what it
// offers a scenario, the shape of its sea floor and coasts, and named sites with what stands
// there. Positions inside an area are km east and north of its centre on the mission grid's
// plane; the scenarios place their entities by them.

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace q71::mkdata {

struct PlanePoint {
    double east = 0.0;  ///< km
    double north = 0.0; ///< km
};

struct AreaCircle {
    PlanePoint centre;
    double radius = 0.0; ///< km
};

struct AreaShoal {
    AreaCircle circle;
    double depth = 0.0; ///< m below the surface at its top
};

struct AreaChannel {
    PlanePoint from, to;
    double width = 0.0; ///< km
    double depth = 0.0; ///< m of water kept along its middle
};

struct AreaSite {
    std::string name;
    PlanePoint at;
    std::optional<double> minDepth; ///< metres of water at least; none: dry land
    int line = 0;                   ///< where it is declared, for error messages

    /// World position (metres from the grid's south-west corner).
    double worldX() const;
    double worldY() const;
};

struct MissionArea {
    std::string key;  ///< short ASCII name
    std::string name; ///< as the player reads it (UTF-8)
    double lat = 0.0, lon = 0.0;
    std::vector<std::string> offers;
    double floorDepth = 4000.0;                 ///< m of the deep sea floor
    double shelfWidth = 50.0;                   ///< km of continental shelf off every coast
    double slopeWidth = 40.0;                   ///< km of slope from the shelf edge down to the floor
    std::vector<std::vector<PlanePoint>> lands; ///< polygons of dry land
    std::vector<AreaCircle> islands;
    std::vector<AreaCircle> bays; ///< water carved out of the land
    std::vector<AreaShoal> shoals;
    std::vector<AreaChannel> channels;
    std::vector<AreaSite> sites;
    int line = 0;
};

/// An area's own sea floor holds out to kAreaInnerKm from its centre and fades into the
/// planet's by kAreaOuterKm, both moved in or out by up to kAreaWobbleKm so that the border
/// is no circle; centres lie far enough apart that no two areas meet.
inline constexpr double kAreaInnerKm = 400.0;
inline constexpr double kAreaOuterKm = 700.0;
inline constexpr double kAreaWobbleKm = 75.0;

/// What an area may offer.
inline const char* const kAreaOffers[] = {"ocean",   "shelf-edge",    "strait", "landing",
                                          "harbour", "mined-channel", "banks"};

/// Reads the areas file; throws with "file:line: reason" on any malformed line.
std::vector<MissionArea> readMissionAreas(const std::filesystem::path& path);

} // namespace q71::mkdata
