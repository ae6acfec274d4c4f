#include "dem_test_file.h"
#include "sim/world/dem_database.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace q71 {
namespace {

using test::demSquare;
using test::DemTestFile;

// Two sample rows per degree (on the northern edge and half a degree south of it) and two
// columns per degree unless a test says otherwise.
class DemElevation : public ::testing::Test {
protected:
    DemTestFile file;
    std::string bytes;
    std::unique_ptr<DemDatabase> db;

    DemElevation() {
        file.records[demSquare(50, 10)] = DemTestFile::plainRecord({0, 100, 200, 300});
        file.columns[41] = 4;
        file.records[demSquare(49, 10)] = DemTestFile::plainRecord({1000, 1100, 1200, 1300, 0, 0, 0, 0});
        file.records[demSquare(45, 359)] = DemTestFile::plainRecord({10, 20, 30, 40});
        file.records[demSquare(45, 0)] = DemTestFile::plainRecord({50, 60, 70, 80});
        file.records[demSquare(45, 20)] = DemTestFile::plainRecord({1, 2, 3, -4});
        file.records[demSquare(90, 0)] = DemTestFile::plainRecord({5, 5, 9, 9});
        file.records[demSquare(-89, 0)] = DemTestFile::plainRecord({-1, -1, -7, -7});
    }
    void open() {
        db.reset();
        bytes = file.bytes();
        db = demOpenStream(fmemopen(bytes.data(), bytes.size(), "rb"));
        ASSERT_NE(db, nullptr);
    }
    double at(double lat, double lon) {
        double e = std::numeric_limits<double>::quiet_NaN();
        EXPECT_TRUE(demElevationAt(db.get(), lat, lon, &e)) << lat << "," << lon;
        return e;
    }
    bool found(double lat, double lon) {
        double e = 12345;
        const bool ok = demElevationAt(db.get(), lat, lon, &e);
        EXPECT_TRUE(ok || e == 12345) << "output changed on failure";
        return ok;
    }
};

TEST_F(DemElevation, BilinearInsideATile) {
    open();
    EXPECT_DOUBLE_EQ(at(49.75, 10.25), 150.0);
    EXPECT_DOUBLE_EQ(at(50.0, 10.0), 0.0);
    EXPECT_DOUBLE_EQ(at(49.5, 10.5), 300.0);
}

TEST_F(DemElevation, RowBelowComesFromTheNextBandWithItsOwnColumns) {
    open();
    // Row 1 of band 40 at fx 0.6 gives 260; row 0 of band 41 (4 columns) at x = 1.2 gives 1120.
    EXPECT_NEAR(at(49.25, 10.3), 690.0, 1e-9);
}

TEST_F(DemElevation, MissingNeighboursLeaveTheSamplesThatExist) {
    open();
    EXPECT_DOUBLE_EQ(at(49.75, 10.75), 200.0); // square 11 has no data: one sample per row
    EXPECT_DOUBLE_EQ(at(44.25, 20.75), -4.0);  // only one of the four samples exists
    EXPECT_FALSE(found(44.25, 21.75));
    EXPECT_FALSE(found(0.0, 0.0));
}

TEST_F(DemElevation, LongitudesWrapAcrossTheMeridian) {
    open();
    EXPECT_DOUBLE_EQ(at(45.0, -0.5), 20.0);  // looked up at 359.5
    EXPECT_DOUBLE_EQ(at(45.0, -0.25), 35.0); // between the last column of 359 and the first of 0
    EXPECT_DOUBLE_EQ(at(45.0, 359.75), 35.0);
    EXPECT_DOUBLE_EQ(at(45.0, 719.75), 35.0);
    EXPECT_DOUBLE_EQ(at(45.0, -360.25), 35.0);
}

TEST_F(DemElevation, PolesAndLatitudeLimits) {
    open();
    EXPECT_DOUBLE_EQ(at(90.0, 0.2), 5.0);    // the first row of band 0
    EXPECT_DOUBLE_EQ(at(-89.75, 0.0), -7.0); // the last band: no row below it
    EXPECT_FALSE(found(-90.0, 0.0));         // in no band
    EXPECT_FALSE(found(90.01, 0.0));
    EXPECT_FALSE(found(std::nan(""), 10.0));
    EXPECT_FALSE(found(49.75, std::numeric_limits<double>::infinity()));
    EXPECT_FALSE(demElevationAt(nullptr, 49.75, 10.25, nullptr));
}

TEST_F(DemElevation, SampleRowOffsetInterpolatesBetweenBands) {
    file.latOffset = 1.0; // half a sample row north, with two rows per degree
    file.records[demSquare(51, 10)] = DemTestFile::plainRecord({0, 0, 400, 400});
    open();
    // Halfway between row 1 of band 39 (400) and row 0 of band 40 (0), not beyond row 0.
    EXPECT_DOUBLE_EQ(at(50.0, 10.0), 200.0);
}

TEST_F(DemElevation, DamagedHeadersFailCleanly) {
    file.latOffset = 1e300;
    open();
    EXPECT_FALSE(found(49.75, 10.25));
    file.latOffset = std::nan("");
    open();
    EXPECT_FALSE(found(49.75, 10.25));
    file.latOffset = 0;
    file.lonOffset = -1e300;
    open();
    EXPECT_FALSE(found(49.75, 10.25));
    file.lonOffset = 0;
    file.rows = 0;
    open();
    EXPECT_FALSE(found(49.75, 10.25));
    file.rows = 2;
    file.columns[40] = 0;
    file.columns[41] = 0;
    open();
    EXPECT_FALSE(found(49.75, 10.25));
}

TEST_F(DemElevation, OutputMayBeLeftOut) {
    open();
    EXPECT_TRUE(demElevationAt(db.get(), 49.75, 10.25, nullptr));
}

} // namespace
} // namespace q71
