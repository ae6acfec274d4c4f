#include "framework/math/fast_math.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>

namespace q71 {
namespace {

TEST(FastMath, ApproximateDistanceTruncatesTheAxes) {
    EXPECT_NEAR(approxDistance2D(0, 0, 3, 4), 5.24264, 1e-5);
    EXPECT_NEAR(approxDistance2D(0, 0, 3.9, 4.9), 5.24264, 1e-5);
    EXPECT_NEAR(approxDistance2D(10, 10, 10, 0), 10.0, 1e-12);
    EXPECT_NEAR(approxDistance2D(-2, 0, 0, -2), 2 * 1.414213562373, 1e-9);
    EXPECT_DOUBLE_EQ(distance3D(0, 0, 0, 3, 4, 12), 13.0);
}

TEST(FastMath, CosineTableIsExactAtTheQuarters) {
    EXPECT_EQ(cosTable[0], 1.0);
    EXPECT_EQ(cosTable[90], 0.0);
    EXPECT_EQ(cosTable[180], -1.0);
    EXPECT_EQ(cosTable[270], 0.0);
    EXPECT_NEAR(cosTable[60], 0.5, 1e-7);
    EXPECT_NEAR(cosTable[359], std::cos(359 * 3.14159265358979 / 180), 1e-7);
}

TEST(FastMath, SquareRootTablesHoldTheMantissaOfTheRoot) {
    // sqrt(1) = 1: mantissa 0; sqrt(2) = 1.414...: top 7 bits of .414 x 128 = 53.
    EXPECT_EQ(sqrtTableEven[0], 0);
    EXPECT_EQ(sqrtTableOdd[0], 53);
    for (int i = 0; i < 128; ++i) {
        double even = std::sqrt(1.0 + i / 128.0), odd = std::sqrt(2.0 + i / 64.0);
        EXPECT_EQ(sqrtTableEven[i], static_cast<int>((even - 1.0) * 128.0)) << i;
        EXPECT_EQ(sqrtTableOdd[i], static_cast<int>((odd - 1.0) * 128.0)) << i;
    }
}

TEST(FastMath, WaveHeightIsTheMeanOfItsComponents) {
    // At the origin and t = 0 only the phases count: component 0 has phase 3.6611 rad.
    double degrees = std::trunc(360.5 + 57.29578 * 3.6611);
    int k = static_cast<int>(std::fmod(degrees, 360.0));
    EXPECT_DOUBLE_EQ(waveHeight(0, 0, 0, 1), cosTable[k] * 0.33);
    double sum = 0;
    for (int n = 1; n <= 30; ++n) {
        double h = waveHeight(120.0, -40.0, 88.8, n);
        EXPECT_LE(std::fabs(h), 1.424) << n;
        sum += h;
    }
    EXPECT_NE(sum, 0.0);
    // Waves travel: the surface at one place changes with time.
    EXPECT_NE(waveHeight(5, 5, 0, 12), waveHeight(5, 5, 1.0, 12));
}

} // namespace
} // namespace q71
