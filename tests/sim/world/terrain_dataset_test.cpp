// The terrain of the generated data set, read the way the game reads it.
#include "framework/resources/registry.h"
#include "sim/world/dem_database.h"
#include "sim/world/terrain_world.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace q71 {
namespace {

struct AreaCentre {
    double lat, lon;
};

std::filesystem::path environmentPath(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

// The centres of the mission areas, from the source of the data set.
std::vector<AreaCentre> areaCentres() {
    std::vector<AreaCentre> centres;
    std::ifstream in(environmentPath("Q71_SOURCE_DIR") / "data" / "areas.txt");
    for (std::string line; std::getline(in, line);) {
        std::istringstream words(line);
        std::string keyword;
        AreaCentre c;
        if (words >> keyword && keyword == "centre" && words >> c.lat >> c.lon)
            centres.push_back(c);
    }
    return centres;
}

// Runs from the data set's folder with its settings, as the game does.
class DataSetTerrain : public ::testing::Test {
protected:
    std::filesystem::path previous = std::filesystem::current_path();
    void SetUp() override {
        ASSERT_FALSE(environmentPath("Q71_DATA").empty()) << "the tests run with Q71_DATA set";
        ASSERT_FALSE(environmentPath("Q71_SOURCE_DIR").empty()) << "the tests run with Q71_SOURCE_DIR set";
        std::filesystem::current_path(environmentPath("Q71_DATA"));
        appReadInstallPaths();
        worldOpen();
    }
    ~DataSetTerrain() override {
        worldShutdown();
        std::filesystem::current_path(previous);
    }
};

TEST_F(DataSetTerrain, AtLeastTenMissionAreas) {
    EXPECT_GE(areaCentres().size(), 10u);
}

TEST_F(DataSetTerrain, EveryMissionGridAgreesWithDirectLookups) {
    auto db = demOpen("WCDEM.dem");
    ASSERT_NE(db, nullptr);
    EXPECT_TRUE(db->huffman && db->delta);
    for (const AreaCentre& c : areaCentres()) {
        ASSERT_TRUE(worldLoadRegion(c.lat, c.lon, kMissionRegionKm, kMissionRegionKm, kMissionGridSamples,
                                    kMissionGridSamples, false));
        const DemGrid* grid = worldGrid();
        int water = 0, land = 0;
        for (int row = 0; row < grid->height; row += 13) {
            for (int column = 0; column < grid->width; column += 11) {
                double lat, lon, direct;
                ASSERT_TRUE(demGridToLatLong(grid, column, row, &lat, &lon));
                ASSERT_TRUE(demElevationAt(db.get(), lat, lon, &direct)) << lat << "," << lon;
                ASSERT_EQ(grid->at(column, row), std::round(direct)) << c.lat << "," << c.lon;
                (direct < 0 ? water : land)++;
            }
        }
        EXPECT_GT(water, (water + land) / 5) << "a mission area without sea room: " << c.lat << "," << c.lon;
        double depth;
        EXPECT_TRUE(worldDepthAt(268800, 268800, &depth, true));
    }
}

TEST_F(DataSetTerrain, WholeWorldGridAgreesWithTheDatabase) {
    auto db = demOpen("WCDEM.dem");
    ASSERT_NE(db, nullptr);
    ASSERT_TRUE(worldLoadWhole());
    const DemGrid* world = worldGrid();
    EXPECT_TRUE(world->wrapX);
    EXPECT_TRUE(projIsGeographic(world->projection.get()));
    int compared = 0;
    for (const AreaCentre& c : areaCentres()) {
        // The half-degree nodes around the centre: the same ground, the database's finer samples
        // interpolated a little differently.
        for (double lat = std::round(c.lat * 2) / 2 - 1; lat <= c.lat + 1; lat += 0.5) {
            for (double lon = std::round(c.lon * 2) / 2 - 1; lon <= c.lon + 1; lon += 0.5) {
                double column, row, coarse, fine;
                ASSERT_TRUE(demLatLongToGrid(world, lat, lon, &column, &row));
                ASSERT_TRUE(demSample(world, column, row, &coarse));
                ASSERT_TRUE(demElevationAt(db.get(), lat, lon, &fine));
                EXPECT_NEAR(coarse, fine, 5 + 0.02 * std::fabs(fine)) << lat << "," << lon;
                ++compared;
            }
        }
    }
    EXPECT_GT(compared, 100);
}

} // namespace
} // namespace q71
