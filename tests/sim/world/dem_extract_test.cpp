#include "dem_test_file.h"
#include "sim/world/dem_database.h"
#include "sim/world/dem_grid.h"

#include <gtest/gtest.h>

#include <cmath>

namespace q71 {
namespace {

class DemExtract : public ::testing::Test {
protected:
    std::string bytes = test::demLinearField(50, 40, 4, 17).bytes();
    std::unique_ptr<DemDatabase> db = demOpenStream(fmemopen(bytes.data(), bytes.size(), "rb"));
};

TEST_F(DemExtract, GridSamplesAreTheRoundedElevationsOfTheirPoints) {
    ASSERT_NE(db, nullptr);
    auto grid = demExtract(db.get(), 45.5, 10.5, 537.6, 537.6, 61, 41, false);
    ASSERT_NE(grid, nullptr);
    EXPECT_EQ(grid->width, 61);
    EXPECT_EQ(grid->height, 41);
    EXPECT_EQ(grid->extentX, 537.6);
    EXPECT_EQ(grid->originX, -268.8);
    EXPECT_EQ(grid->originY, -268.8);
    EXPECT_FALSE(projIsGeographic(grid->projection.get()));
    for (int row = 0; row < grid->height; ++row) {
        for (int column = 0; column < grid->width; ++column) {
            double lat, lon, direct;
            ASSERT_TRUE(demGridToLatLong(grid.get(), column, row, &lat, &lon));
            ASSERT_TRUE(demElevationAt(db.get(), lat, lon, &direct));
            EXPECT_NEAR(direct, test::demLinearElevation(lat, lon), 1e-6);
            ASSERT_EQ(grid->at(column, row), std::round(direct)) << column << "," << row;
        }
    }
    double lat, lon;
    demGridToLatLong(grid.get(), 0, 0, &lat, &lon);
    EXPECT_GT(lat, 47.5); // row 0 north, column 0 west
    EXPECT_LT(lon, 7.5);
}

TEST_F(DemExtract, SquaresWithoutDataGiveZero) {
    auto grid = demExtract(db.get(), 40.2, 10.5, 100, 100, 21, 21, false);
    ASSERT_NE(grid, nullptr);
    EXPECT_EQ(grid->at(10, 0), std::round(test::demLinearElevation(40.2 + 50 / 111.12, 10.5)));
    EXPECT_EQ(grid->at(10, 20), 0); // south of 39 N nothing exists
}

TEST_F(DemExtract, RejectsBadArguments) {
    EXPECT_EQ(demExtract(nullptr, 45, 10, 100, 100, 10, 10, false), nullptr);
    EXPECT_EQ(demExtract(db.get(), 90.1, 10, 100, 100, 10, 10, false), nullptr);
    EXPECT_EQ(demExtract(db.get(), 45, 10, 0, 100, 10, 10, false), nullptr);
    EXPECT_EQ(demExtract(db.get(), 45, 10, 100, -1, 10, 10, false), nullptr);
    EXPECT_EQ(demExtract(db.get(), 45, 10, std::nan(""), 100, 10, 10, false), nullptr);
    EXPECT_EQ(demExtract(db.get(), 45, 10, 100, 100, 1, 10, false), nullptr);
    EXPECT_EQ(demExtract(db.get(), 45, 10, 100, 100, 10, 1, false), nullptr);
    EXPECT_NE(demExtract(db.get(), 45, 10, 100, 100, 2, 2, false), nullptr);
}

TEST_F(DemExtract, ProgressCountsEverySampleAndCanStop) {
    std::vector<long> reports;
    auto grid = demExtract(db.get(), 45, 10, 300, 300, 50, 40, false, [&](long done, long total) {
        EXPECT_EQ(total, 2000);
        reports.push_back(done);
        return true;
    });
    ASSERT_NE(grid, nullptr);
    ASSERT_FALSE(reports.empty());
    EXPECT_TRUE(std::is_sorted(reports.begin(), reports.end()));
    EXPECT_EQ(reports.back(), 2000);

    int calls = 0;
    EXPECT_EQ(demExtract(db.get(), 45, 10, 300, 300, 50, 40, false, [&](long, long) { return ++calls < 3; }),
              nullptr);
    EXPECT_EQ(calls, 3);
}

TEST_F(DemExtract, ClearsTheTileCacheOnRequest) {
    ASSERT_NE(demExtract(db.get(), 45, 10, 100, 100, 10, 10, false), nullptr);
    EXPECT_FALSE(db->cache.empty());
    ASSERT_NE(demExtract(db.get(), 45, 10, 100, 100, 10, 10, true), nullptr);
    EXPECT_TRUE(db->cache.empty());
    EXPECT_EQ(db->cachedSamples, 0);
}

} // namespace
} // namespace q71
