#include "dem_test_file.h"
#include "framework/resources/registry.h"
#include "platform/settings/settings_store.h"
#include "sim/world/terrain_progress.h"
#include "sim/world/terrain_world.h"
#include "support/temp_dir.h"
#include "support/text_fixture.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <filesystem>

namespace q71 {
namespace {

// A program folder whose settings put the terrain folder at "terrain", holding a database of
// the linear test field around 45.5 N 10.5 E; the test runs from that folder.
class TerrainWorldTest : public ::testing::Test {
protected:
    test::TempDir dir;
    std::filesystem::path previous = std::filesystem::current_path();

    TerrainWorldTest() {
        std::string error;
        EXPECT_TRUE(settingsLoadText("[HKEY_LOCAL_MACHINE\\Software\\Velm's Combat Simulations\\"
                                     "Q71I Varden-Morrow\\1.0]\nDemDirectory = \"terrain\"\n",
                                     error))
            << error;
        regSetFamilyKey("Velm's Combat Simulations");
        regSetProductKey("Q71I Varden-Morrow");
        regSetVersionKey("1.0");
        dir.write("terrain/WCDEM.dem", test::demLinearField(50, 40, 4, 17).bytes());
        std::filesystem::current_path(dir.path());
    }
    ~TerrainWorldTest() override {
        worldShutdown();
        worldSetProgressBox(nullptr);
        std::filesystem::current_path(previous);
    }
    void openMissionGrid() {
        worldOpen();
        ASSERT_TRUE(worldLoadRegion(45.5, 10.5, kMissionRegionKm, kMissionRegionKm, kMissionGridSamples,
                                    kMissionGridSamples, false));
    }
};

TEST_F(TerrainWorldTest, MissionGridSpansTheWorldFromItsSouthWestCorner) {
    openMissionGrid();
    double column, row, x, y;
    ASSERT_TRUE(worldToGrid(537600, 0, &column, &row));
    EXPECT_DOUBLE_EQ(column, 599);
    EXPECT_DOUBLE_EQ(row, 599);
    ASSERT_TRUE(worldToGrid(0, 537600, &column, &row));
    EXPECT_DOUBLE_EQ(column, 0);
    EXPECT_DOUBLE_EQ(row, 0);
    ASSERT_TRUE(gridToWorld(299.5, 299.5, &x, &y));
    EXPECT_DOUBLE_EQ(x, 268800);
    EXPECT_DOUBLE_EQ(y, 268800);
    ASSERT_TRUE(worldExtent(&x, &y));
    EXPECT_DOUBLE_EQ(x, 537600);
    EXPECT_DOUBLE_EQ(y, 537600);
    for (double wx : {0.0, 1234.5, 300000.0}) {
        ASSERT_TRUE(worldToGrid(wx, 537600 - wx, &column, &row));
        ASSERT_TRUE(gridToWorld(column, row, &x, &y));
        EXPECT_NEAR(x, wx, 1e-6);
        EXPECT_NEAR(y, 537600 - wx, 1e-6);
    }
}

TEST_F(TerrainWorldTest, MapOriginLiesAtTheGridCentre) {
    openMissionGrid();
    double lat, lon, column, row;
    ASSERT_TRUE(worldToGrid(268800, 268800, &column, &row));
    ASSERT_TRUE(demGridToLatLong(worldGrid(), column, row, &lat, &lon));
    EXPECT_NEAR(lat, 45.5, 1e-9);
    EXPECT_NEAR(lon, 10.5, 1e-9);
    // 100 km north and east of the origin, on the grid's plane.
    ASSERT_TRUE(worldToGrid(368800, 368800, &column, &row));
    ASSERT_TRUE(demGridToLatLong(worldGrid(), column, row, &lat, &lon));
    EXPECT_GT(lat, 46.3);
    EXPECT_GT(lon, 11.7);
}

TEST_F(TerrainWorldTest, DepthFollowsTheGridSamples) {
    openMissionGrid();
    const DemGrid* grid = worldGrid();
    double depth;
    ASSERT_TRUE(worldDepthAt(268800, 268800, &depth, false));
    EXPECT_NEAR(depth, test::demLinearElevation(45.5, 10.5), 1.0);
    double x, y;
    gridToWorld(17, 42, &x, &y);
    ASSERT_TRUE(worldDepthAt(x, y, &depth, false));
    EXPECT_NEAR(depth, grid->at(17, 42), 1e-6);
    gridToWorld(17.5, 42, &x, &y);
    ASSERT_TRUE(worldDepthAt(x, y, &depth, false));
    EXPECT_NEAR(depth, (grid->at(17, 42) + grid->at(18, 42)) / 2.0, 1e-6);
}

TEST_F(TerrainWorldTest, NoiseScalesTheDepthByAFewPerCent) {
    openMissionGrid();
    int changed = 0;
    for (double x = 1000; x < 537600; x += 37777) {
        for (double y = 500; y < 537600; y += 41111) {
            double plain, rough, again;
            ASSERT_TRUE(worldDepthAt(x, y, &plain, false));
            ASSERT_TRUE(worldDepthAt(x, y, &rough, true));
            ASSERT_TRUE(worldDepthAt(x, y, &again, true));
            EXPECT_EQ(rough, again);
            EXPECT_LE(std::fabs(rough - plain), 0.15 * std::fabs(plain) + 1e-9);
            changed += rough != plain;
        }
    }
    EXPECT_GT(changed, 100);
}

TEST_F(TerrainWorldTest, OffTheGridOrWithoutOneNothingIsFound) {
    worldOpen();
    double depth = 42, column = 5, row = 5;
    EXPECT_FALSE(worldDepthAt(1000, 1000, &depth, true));
    EXPECT_FALSE(worldToGrid(1000, 1000, &column, &row));
    EXPECT_EQ(column, 0);
    EXPECT_FALSE(worldExtent(&column, &row));
    openMissionGrid();
    EXPECT_FALSE(worldDepthAt(-1, 1000, &depth, false));
    EXPECT_FALSE(worldDepthAt(1000, 537601, &depth, true));
    EXPECT_FALSE(worldDepthAt(std::nan(""), 1000, &depth, true));
    EXPECT_EQ(depth, 42);
    worldClose();
    EXPECT_EQ(worldGrid(), nullptr);
    EXPECT_FALSE(worldDepthAt(1000, 1000, &depth, false));
}

TEST_F(TerrainWorldTest, FailedRegionLeavesNoGrid) {
    openMissionGrid();
    EXPECT_FALSE(worldLoadRegion(95, 10.5, 100, 100, 10, 10, false));
    EXPECT_EQ(worldGrid(), nullptr);
}

TEST_F(TerrainWorldTest, WithoutDatabaseNoRegion) {
    EXPECT_FALSE(worldLoadRegion(45.5, 10.5, 100, 100, 10, 10, false));
    EXPECT_EQ(worldGrid(), nullptr);
}

TEST_F(TerrainWorldTest, OpeningTwiceKeepsTheFirstDatabase) {
    worldOpen();
    std::filesystem::remove(dir.file("terrain/WCDEM.dem"));
    worldOpen(); // would be fatal if it looked again
    EXPECT_TRUE(worldLoadRegion(45.5, 10.5, 100, 100, 10, 10, false));
}

using TerrainWorldDeathTest = TerrainWorldTest;

TEST_F(TerrainWorldDeathTest, MissingDatabaseIsFatal) {
    std::filesystem::remove(dir.file("terrain/WCDEM.dem"));
    EXPECT_EXIT(worldOpen(), ::testing::ExitedWithCode(EXIT_FAILURE), "");
}

// A box that records what the terrain world asks of it and is cancelled at a given pump.
class RecordingBox final : public TerrainProgressBox {
public:
    int cancelAtPump = -1;
    int opens = 0, closes = 0, pumps = 0;
    bool cancellable = false;
    std::string message, button;
    std::vector<long> levels;
    long total = 0;

    void open(const char* m, const char* b, bool c) override {
        ++opens;
        message = m;
        button = b;
        cancellable = c;
    }
    void setLevel(long done, long all) override {
        levels.push_back(done);
        total = all;
    }
    bool pumpMessages() override { return ++pumps == cancelAtPump && cancellable; }
    void close() override { ++closes; }
};

TEST_F(TerrainWorldTest, ProgressBoxFollowsTheCut) {
    RecordingBox box;
    worldSetProgressBox(&box);
    worldOpen();
    ASSERT_TRUE(worldLoadRegion(45.5, 10.5, 300, 300, 200, 150, true));
    EXPECT_EQ(box.opens, 1);
    EXPECT_EQ(box.closes, 1);
    EXPECT_TRUE(box.cancellable);
    EXPECT_EQ(box.total, 30000);
    ASSERT_FALSE(box.levels.empty());
    EXPECT_TRUE(std::is_sorted(box.levels.begin(), box.levels.end()));
    EXPECT_EQ(box.levels.back(), 30000);
    EXPECT_GE(box.pumps, 50); // about once per whole percent
    EXPECT_LE(box.pumps, 100);
}

TEST_F(TerrainWorldTest, ProgressBoxShowsItsMessageAndItsButtonText) {
    test::TextFixture texts("42\tAnnuler\n43\tChargement du terrain\n");
    RecordingBox box;
    worldSetProgressBox(&box);
    worldOpen();
    ASSERT_TRUE(worldLoadRegion(45.5, 10.5, 300, 300, 200, 150, true));
    EXPECT_EQ(box.message, "Chargement du terrain");
    EXPECT_EQ(box.button, "Annuler");
}

TEST_F(TerrainWorldTest, CancellingTheCutLeavesNoGrid) {
    RecordingBox box;
    box.cancelAtPump = 3;
    worldSetProgressBox(&box);
    worldOpen();
    EXPECT_FALSE(worldLoadRegion(45.5, 10.5, 300, 300, 200, 150, true));
    EXPECT_EQ(worldGrid(), nullptr);
    EXPECT_EQ(box.pumps, 3);
    EXPECT_EQ(box.closes, 1);
    // Without its Cancel button the box cannot stop the cut.
    box.pumps = 0;
    EXPECT_TRUE(worldLoadRegion(45.5, 10.5, 300, 300, 200, 150, false));
    EXPECT_FALSE(box.cancellable);
    EXPECT_EQ(box.closes, 2);
}

TEST_F(TerrainWorldTest, WholeWorldGridComesFromItsFile) {
    std::string bytes(24, '\0');
    std::memcpy(bytes.data(), "DemGrid V.1", 11);
    auto put = [&](const auto& v) { bytes.append(reinterpret_cast<const char*>(&v), sizeof v); };
    put(uint32_t{1});
    put(0.0);
    put(0.0);
    put(uint32_t{3});
    put(uint32_t{2});
    for (double d : {21600.0, 10800.0, -10800.0, -5400.0})
        put(d);
    put(uint32_t{1});
    put(uint32_t{0});
    for (int16_t s : {-4000, -3000, -4000, 100, 200, 100})
        put(s);
    EXPECT_FALSE(worldLoadWhole());
    dir.write("terrain/demworld.DGD", bytes); // found whatever the letter case
    ASSERT_TRUE(worldLoadWhole());
    EXPECT_EQ(worldGrid()->width, 3);
    EXPECT_TRUE(projIsGeographic(worldGrid()->projection.get()));
    dir.write("terrain/demworld.DGD", bytes.substr(0, 60));
    EXPECT_FALSE(worldLoadWhole());
    EXPECT_EQ(worldGrid(), nullptr);
}

} // namespace
} // namespace q71
