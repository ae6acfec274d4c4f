#include "media/movie/inverse_transform.h"

#include <gtest/gtest.h>

#include <cmath>

namespace q71 {
namespace {

TEST(InverseTransform, FirstCoefficientAloneFillsTheBlock) {
    std::int32_t block[64] = {-123456};
    std::int32_t out[16 * 8];
    inverseTransform(block, out, 16);
    for (int r = 0; r < 8; ++r)
        for (int c = 0; c < 8; ++c)
            EXPECT_EQ(out[r * 16 + c], -123456);
}

// One coefficient of frequency k gives sqrt(2) cos(k pi / 16) times the cosine of that
// frequency, which the prescale folded into the dequantisation cancels.
double expectedProfile(int k, int i) {
    if (k == 0)
        return 1;
    return 2 * std::cos(k * M_PI / 16) * std::cos((2 * i + 1) * k * M_PI / 16);
}

TEST(InverseTransform, SingleCoefficientGivesItsCosine) {
    const std::int32_t value = 1 << 20;
    for (int u = 0; u < 8; ++u)
        for (int v = 0; v < 8; ++v) {
            std::int32_t block[64] = {};
            block[u * 8 + v] = value; // u: horizontal frequency, v: vertical
            std::int32_t out[64];
            inverseTransform(block, out, 8);
            for (int i = 0; i < 8; ++i)
                for (int j = 0; j < 8; ++j)
                    EXPECT_NEAR(out[i * 8 + j], value * expectedProfile(v, i) * expectedProfile(u, j), 8)
                        << "u " << u << " v " << v << " at row " << i << " column " << j;
        }
}

} // namespace
} // namespace q71
