#include "sim/world/dem_grid.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

namespace q71 {
namespace {

// A 4 x 3 grid whose sample at (column c, row r) is 10 c + 100 r.
DemGrid smallGrid(bool wrapX = false, bool wrapY = false) {
    DemGrid grid;
    grid.projection = projCreate(0, 0, true);
    grid.width = 4;
    grid.height = 3;
    grid.extentX = 3;
    grid.extentY = 2;
    grid.originX = -1.5;
    grid.originY = -1;
    grid.wrapX = wrapX;
    grid.wrapY = wrapY;
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 4; ++c)
            grid.samples.push_back(static_cast<int16_t>(10 * c + 100 * r));
    return grid;
}

double sample(const DemGrid& grid, double gx, double gy) {
    double v = std::numeric_limits<double>::quiet_NaN();
    EXPECT_TRUE(demSample(&grid, gx, gy, &v)) << gx << "," << gy;
    return v;
}

TEST(DemSample, BilinearBetweenFourSamples) {
    DemGrid grid = smallGrid();
    EXPECT_DOUBLE_EQ(sample(grid, 0, 0), 0);
    EXPECT_DOUBLE_EQ(sample(grid, 1.5, 0.25), 40);
    EXPECT_DOUBLE_EQ(sample(grid, 2.2, 1.9), 212);
}

TEST(DemSample, LastColumnAndRowUseTheLastCell) {
    DemGrid grid = smallGrid();
    EXPECT_DOUBLE_EQ(sample(grid, 3, 0), 30);
    EXPECT_DOUBLE_EQ(sample(grid, 3, 2), 230);
    EXPECT_DOUBLE_EQ(sample(grid, 0.5, 2), 205);
}

TEST(DemSample, OutsideANonWrappingGridFails) {
    DemGrid grid = smallGrid();
    double v = 77;
    EXPECT_FALSE(demSample(&grid, -0.001, 1, &v));
    EXPECT_FALSE(demSample(&grid, 3.001, 1, &v));
    EXPECT_FALSE(demSample(&grid, 1, 2.5, &v));
    EXPECT_FALSE(demSample(&grid, std::nan(""), 1, &v));
    EXPECT_FALSE(demSample(nullptr, 1, 1, &v));
    EXPECT_EQ(v, 77); // unchanged
}

TEST(DemSample, WrappingStepsByOneLessThanTheWidth) {
    DemGrid grid = smallGrid(true, false);
    EXPECT_DOUBLE_EQ(sample(grid, -1, 0), 20); // width - 2
    EXPECT_DOUBLE_EQ(sample(grid, -0.5, 0), 25);
    EXPECT_DOUBLE_EQ(sample(grid, 3.5, 1), 105); // 0.5 again
    EXPECT_DOUBLE_EQ(sample(grid, 6, 0), 30);    // a whole period past the end stops on the end
    EXPECT_DOUBLE_EQ(sample(grid, -3, 0), 0);
    EXPECT_DOUBLE_EQ(sample(grid, 3e9 + 1, 0), 10);
    double v;
    EXPECT_FALSE(demSample(&grid, 1, -1, &v)); // y does not wrap
    EXPECT_FALSE(demSample(&grid, std::numeric_limits<double>::infinity(), 0, &v));
}

TEST(DemSample, RowsWrapToo) {
    DemGrid grid = smallGrid(false, true);
    EXPECT_DOUBLE_EQ(sample(grid, 0, -1), 100);
    EXPECT_DOUBLE_EQ(sample(grid, 1, 2.5), 60);
}

TEST(DemGridConversion, GeographicGridsCountMinutesFromTheCorner) {
    DemGrid grid = smallGrid();
    double column, row, lat, lon;
    ASSERT_TRUE(demLatLongToGrid(&grid, 0, 0, &column, &row));
    EXPECT_DOUBLE_EQ(column, 1.5);
    EXPECT_DOUBLE_EQ(row, 1.0);
    ASSERT_TRUE(demLatLongToGrid(&grid, 1.0 / 60, -1.5 / 60, &column, &row));
    EXPECT_NEAR(column, 0.0, 1e-12);
    EXPECT_NEAR(row, 0.0, 1e-12); // row 0 is the northern edge
    ASSERT_TRUE(demGridToLatLong(&grid, 3, 2, &lat, &lon));
    EXPECT_NEAR(lat, -1.0 / 60, 1e-12);
    EXPECT_NEAR(lon, 1.5 / 60, 1e-12);
    EXPECT_FALSE(demLatLongToGrid(nullptr, 0, 0, &column, &row));
    EXPECT_FALSE(demGridToLatLong(nullptr, 0, 0, &lat, &lon));
}

TEST(DemGridConversion, RoundTripOnAStereographicGrid) {
    DemGrid grid;
    grid.projection = projCreate(58.0, -4.0, false);
    grid.width = grid.height = 600;
    grid.extentX = grid.extentY = 537.6;
    grid.originX = grid.originY = -268.8;
    for (double column : {0.0, 17.25, 299.5, 598.9}) {
        for (double row : {0.0, 123.4, 599.0}) {
            double lat, lon, c, r;
            ASSERT_TRUE(demGridToLatLong(&grid, column, row, &lat, &lon));
            ASSERT_TRUE(demLatLongToGrid(&grid, lat, lon, &c, &r));
            EXPECT_NEAR(c, column, 1e-7);
            EXPECT_NEAR(r, row, 1e-7);
        }
    }
    double lat, lon;
    demGridToLatLong(&grid, 299.5, 299.5, &lat, &lon);
    EXPECT_NEAR(lat, 58.0, 1e-9);
    EXPECT_NEAR(lon, -4.0, 1e-9);
}

// ----- grid files -----

void put(std::string& s, const void* p, size_t n) {
    s.append(static_cast<const char*>(p), n);
}

struct GridFile {
    char signature[24] = "DemGrid V.1";
    uint32_t geographic = 1;
    double lat = 0, lon = 0;
    uint32_t width = 3, height = 2;
    double extentX = 21600, extentY = 10800, originX = -10800, originY = -5400;
    uint32_t wrapX = 1, wrapY = 0;
    std::vector<int16_t> samples{-5, 0, -5, 100, 200, 300};

    // Field by field, little-endian as the host.
    std::string bytes() const {
        std::string s;
        put(s, signature, 24);
        put(s, &geographic, 4);
        put(s, &lat, 8);
        put(s, &lon, 8);
        put(s, &width, 4);
        put(s, &height, 4);
        put(s, &extentX, 8);
        put(s, &extentY, 8);
        put(s, &originX, 8);
        put(s, &originY, 8);
        put(s, &wrapX, 4);
        put(s, &wrapY, 4);
        put(s, samples.data(), samples.size() * 2);
        return s;
    }
};

std::unique_ptr<DemGrid> readGrid(const std::string& bytes, std::string* error = nullptr) {
    size_t pos = 0;
    return demReadGrid(
        [&](std::span<std::byte> out) {
            if (bytes.size() - pos < out.size())
                return false;
            std::memcpy(out.data(), bytes.data() + pos, out.size());
            pos += out.size();
            return true;
        },
        error);
}

TEST(DemGridFile, ReadsHeaderAndSamples) {
    auto grid = readGrid(GridFile().bytes());
    ASSERT_NE(grid, nullptr);
    EXPECT_TRUE(projIsGeographic(grid->projection.get()));
    EXPECT_EQ(grid->width, 3);
    EXPECT_EQ(grid->height, 2);
    EXPECT_EQ(grid->extentX, 21600);
    EXPECT_EQ(grid->originY, -5400);
    EXPECT_EQ(grid->wrapX, 1u);
    EXPECT_EQ(grid->wrapY, 0u);
    EXPECT_EQ(grid->at(2, 1), 300);
    EXPECT_EQ(grid->at(0, 0), -5);
}

TEST(DemGridFile, ManyChunksOfSamples) {
    GridFile file;
    file.width = 301;
    file.height = 300;
    file.samples.resize(301 * 300);
    for (size_t i = 0; i < file.samples.size(); ++i)
        file.samples[i] = static_cast<int16_t>(i * 7);
    auto grid = readGrid(file.bytes());
    ASSERT_NE(grid, nullptr);
    EXPECT_EQ(grid->samples, file.samples);
}

TEST(DemGridFile, DamagedFilesFailWithAReason) {
    auto expectFailure = [](const GridFile& file, const char* words, size_t cut = 0) {
        std::string bytes = file.bytes();
        std::string error;
        EXPECT_EQ(readGrid(bytes.substr(0, bytes.size() - cut), &error), nullptr) << words;
        EXPECT_NE(error.find(words), std::string::npos) << error;
    };
    GridFile file;
    expectFailure(file, "samples", 1);
    expectFailure(file, "header", 12 + 1);
    file.signature[15] = '!';
    expectFailure(file, "signature");
    file = GridFile();
    file.lat = 91;
    expectFailure(file, "projection");
    file = GridFile();
    file.lon = std::nan("");
    expectFailure(file, "projection");
    file = GridFile();
    file.width = 1;
    expectFailure(file, "size");
    file.width = 0x10000;
    file.height = 0x10000;
    expectFailure(file, "size");
    file = GridFile();
    file.extentY = 0;
    expectFailure(file, "extent");
    file = GridFile();
    file.originX = std::numeric_limits<double>::infinity();
    expectFailure(file, "origin");
}

TEST(DemGridFile, HeaderPromisingMoreThanTheFileHoldsFails) {
    GridFile file;
    file.width = 8000;
    file.height = 8000; // 64 million samples promised, six present
    EXPECT_EQ(readGrid(file.bytes()), nullptr);
}

} // namespace
} // namespace q71
