#include "mkdata/terrain/terrain_generator.h"

#include "mkdata/terrain/area_checks.h"
#include "mkdata/terrain/dem_writer.h"
#include "mkdata/terrain/mission_areas.h"
#include "mkdata/terrain/parallel.h"
#include "mkdata/terrain/seabed_model.h"
#include "mkdata/terrain/world_grid_writer.h"
#include "platform/text/cp1252.h"
#include "sim/world/map_projection.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <stdexcept>
#include <set>

namespace q71::mkdata {

namespace {

constexpr int kRowsPerDegree = 120; // about 925 m, the spacing of a mission grid
constexpr double kWorldGridStep = 0.5;
// Half the side of the squares covered around an area: a loaded mission's grid and a margin.
constexpr double kCoveredHalfKm = 290.0;

// Samples of about the same width in every band.
DemLayout layout() {
    DemLayout l;
    l.rows = kRowsPerDegree;
    for (int band = 0; band < 180; ++band)
        l.columns[band] = static_cast<uint8_t>(
            std::max(1L, std::lround(kRowsPerDegree * std::cos((89.5 - band) * M_PI / 180.0))));
    return l;
}

// The one-degree squares (band, column) under an area's grid and its margin.
void addSquaresAround(const MissionArea& area, std::set<std::pair<int, int>>& squares) {
    auto plane = projCreate(area.lat, area.lon, false);
    double south = 90, north = -90, west = 360, east = -360;
    for (double t = -kCoveredHalfKm; t <= kCoveredHalfKm; t += 10.0) {
        for (const auto& [x, y] : {std::pair{t, -kCoveredHalfKm},
                                   {t, kCoveredHalfKm},
                                   {-kCoveredHalfKm, t},
                                   {kCoveredHalfKm, t}}) {
            double lat, lon;
            projInverse(plane.get(), x, y, &lat, &lon);
            // Longitudes counted from the centre's, so that an area across the date line is one range.
            const double relative = std::remainder(lon - area.lon, 360.0);
            south = std::min(south, lat);
            north = std::max(north, lat);
            west = std::min(west, relative);
            east = std::max(east, relative);
        }
    }
    // The floors and ceilings take in the squares of the samples next to the edges as well.
    for (int top = static_cast<int>(std::floor(south)); top <= static_cast<int>(std::ceil(north)); ++top) {
        for (int left = static_cast<int>(std::floor(area.lon + west));
             left <= static_cast<int>(std::floor(area.lon + east)) + 1; ++left)
            squares.insert({90 - top, ((left % 360) + 360) % 360});
    }
}

DemSquareSamples sampleSquare(const SeabedModel& model, const DemLayout& l, std::pair<int, int> square) {
    DemSquareSamples s{square.first, square.second, {}};
    const int columns = l.columns[s.band];
    s.samples.reserve(static_cast<size_t>(l.rows) * columns);
    for (int i = 0; i < l.rows; ++i)
        for (int j = 0; j < columns; ++j)
            s.samples.push_back(static_cast<int16_t>(std::lround(std::clamp(
                model.elevation(90.0 - s.band - double(i) / l.rows, s.column + double(j) / columns), -32768.0,
                32767.0))));
    return s;
}

} // namespace

namespace {

// The mission editor's list of the areas: centre and name (Windows-1252), tab-separated.
void writeAreaList(const std::filesystem::path& path, const std::vector<MissionArea>& areas) {
    std::string text;
    for (const MissionArea& area : areas) {
        std::string name;
        size_t errorAt = 0;
        if (!utf8ToCp1252(area.name, name, errorAt))
            throw std::runtime_error("the name of area " + area.key + " has no Windows-1252 form");
        char centre[64];
        std::snprintf(centre, sizeof centre, "%.6f\t%.6f\t", area.lat, area.lon);
        text += centre + name + "\n";
    }
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
    if (!out)
        throw std::runtime_error("cannot write " + path.string());
}

} // namespace

void generateTerrain(const Context& context) {
    const std::filesystem::path source = context.source / "areas.txt";
    const std::vector<MissionArea> areas = readMissionAreas(source);
    const SeabedModel model(areas);
    const DemLayout l = layout();

    std::set<std::pair<int, int>> covered;
    for (const MissionArea& area : areas)
        addSquaresAround(area, covered);
    const std::vector<std::pair<int, int>> squares(covered.begin(), covered.end());
    std::vector<DemSquareSamples> tiles(squares.size());
    parallelFor(squares.size(), [&](size_t i) { tiles[i] = sampleSquare(model, l, squares[i]); });

    const std::filesystem::path folder = context.out / "terrain";
    writeDemFile(folder / "WCDEM.dem", "q71 terrain: the mission areas at 120 samples per degree", l, tiles);
    writeWorldGrid(folder / "DemWorld.dgd", kWorldGridStep,
                   [&](double lat, double lon) { return model.elevation(lat, lon); });
    checkMissionAreas(folder / "WCDEM.dem", areas, source);
    writeAreaList(folder / "areas.lst", areas);
}

} // namespace q71::mkdata
