// The intercept scope's rules: how strong an intercept shows as it fades, the lamps and the
// spoke's colour, and where each bearing's spoke is drawn.
#include "framework/math/fast_math.h"
#include "tactical/sonar/intercept_scope.h"

#include <gtest/gtest.h>

namespace q71::test {
namespace {

TEST(InterceptScope, AnInterceptFadesOverFiveSeconds) {
    EXPECT_DOUBLE_EQ(interceptStrength(50, 0.0), 50.0) << "just received";
    EXPECT_DOUBLE_EQ(interceptStrength(50, 2.5), 25.0);
    EXPECT_DOUBLE_EQ(interceptStrength(50, 5.0), 0.0) << "gone at 5 s";
    EXPECT_LT(interceptStrength(100, 6.0), 0.0);
    EXPECT_EQ(interceptLamps(50.0), 5);
    EXPECT_EQ(interceptLamps(9.9), 0);
    EXPECT_EQ(interceptLamps(100.0), 9);
    EXPECT_EQ(interceptLamps(250.0), 9) << "nine lamps at most";
    EXPECT_EQ(interceptColour(50.0), rgb(24, 150, 41)) << "level 50: green 150";
    EXPECT_EQ(interceptColour(110.0), rgb(24, 14, 41)) << "the green wraps past 255";
}

TEST(InterceptScope, BearingZeroIsUpAndNinetyRight) {
    initCosTable();
    struct Case {
        int bearing;
        Point inner, outer;
    };
    const Case cases[] = {{0, {96, 79}, {96, 9}},
                          {90, {113, 96}, {183, 96}},
                          {180, {96, 113}, {96, 183}},
                          {270, {79, 96}, {9, 96}}};
    for (const Case& c : cases) {
        const auto spoke = interceptSpoke(c.bearing);
        EXPECT_EQ(spoke[0], c.inner) << c.bearing;
        EXPECT_EQ(spoke[1], c.outer) << c.bearing;
    }
    // Every bearing's spoke stays inside the square.
    for (int bearing = 0; bearing < 360; ++bearing)
        for (const Point& p : interceptSpoke(bearing)) {
            EXPECT_GE(p.x, 0);
            EXPECT_LT(p.x, InterceptScope::kSize);
            EXPECT_GE(p.y, 0);
            EXPECT_LT(p.y, InterceptScope::kSize);
        }
}

} // namespace
} // namespace q71::test
