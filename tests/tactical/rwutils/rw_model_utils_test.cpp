// Dents, bounds without the effect children, and the night and day materials, on clumps made
// here and on models of the test archive.
#include "tactical/rwutils/rw_fixture.h"

#include "render3d/library.h"
#include "sim/simulation/random.h"
#include "tactical/rwutils/rw_model_utils.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace q71::test {
namespace {

using RwModelUtils = RwFixture;

// A clump with vertices along X at the distances given, and one child with the same.
r3d::Clump* lineOfVertices(const std::vector<float>& distances) {
    r3d::Clump* root = r3d::createClump();
    r3d::Clump* child = r3d::createClump();
    for (r3d::Clump* c : {root, child})
        for (float d : distances)
            r3d::addVertex(*c, {d, 0, 0});
    r3d::addChild(*root, child);
    return root;
}

TEST_F(RwModelUtils, DentsStayWithinHalfTheirAmplitudeAndLeaveTheSimulationsSequenceAlone) {
    randomSeed(77);
    const int expectedNext = randomNext();
    randomSeed(77);

    const float amplitude = 0.2f, radius = 5.0f;
    const std::vector<float> distances{0.0f, 1.0f, 2.5f, 4.9f, 5.0f, 8.0f};
    r3d::Clump* model = lineOfVertices(distances);
    rwDeformModel(*model, amplitude, radius);
    bool anyMoved = false;
    r3d::forAllClumps(*model, [&](r3d::Clump& c) {
        EXPECT_EQ(c.setting, 4.0f);
        for (int i = 1; i <= static_cast<int>(distances.size()); ++i) {
            const float d = distances[static_cast<std::size_t>(i - 1)];
            const float k = d < radius ? (radius - d) / radius : 0.0f;
            const float half = amplitude * k * k / 2 + 1e-6f;
            r3d::Vec3 v;
            ASSERT_TRUE(r3d::vertexPosition(c, i, v));
            EXPECT_LE(std::fabs(v.x - d), half) << d;
            EXPECT_LE(std::fabs(v.y), half) << d;
            EXPECT_LE(std::fabs(v.z), half) << d;
            anyMoved = anyMoved || v.y != 0.0f;
        }
    });
    EXPECT_TRUE(anyMoved);
    EXPECT_EQ(randomNext(), expectedNext);
    r3d::destroyClump(model);
}

TEST_F(RwModelUtils, BoundsLeaveTheEffectChildrenOut) {
    r3d::Clump* model = lineOfVertices({-3.0f, 2.0f});
    struct Effect {
        int tag;
        float reach;
    };
    for (const Effect& e : {Effect{501, 100.0f}, Effect{503, -200.0f}, Effect{504, 300.0f}}) {
        r3d::Clump* effect = r3d::createClump();
        effect->tag = e.tag;
        r3d::addVertex(*effect, {e.reach, e.reach, e.reach});
        r3d::Clump* below = r3d::createClump();
        r3d::addVertex(*below, {-e.reach, 0, 0});
        r3d::addChild(*effect, below);
        r3d::addChild(*model, effect);
    }
    r3d::Clump* mast = r3d::createClump();
    mast->tag = 510;
    r3d::addVertex(*mast, {0, 7, -1});
    r3d::addChild(*model, mast);

    r3d::Vec3 lo, hi;
    rwModelBounds(*model, lo, hi);
    EXPECT_EQ(lo.x, -3.0f);
    EXPECT_EQ(hi.x, 2.0f);
    EXPECT_EQ(lo.y, 0.0f);
    EXPECT_EQ(hi.y, 7.0f);
    EXPECT_EQ(lo.z, -1.0f);
    EXPECT_EQ(hi.z, 0.0f);
    r3d::destroyClump(model);

    r3d::Clump* empty = r3d::createClump();
    rwModelBounds(*empty, lo, hi);
    EXPECT_GT(lo.x, hi.x) << "nothing to measure leaves the box inverted";
    r3d::destroyClump(empty);
}

TEST_F(RwModelUtils, BoundsByIdOfAnUnknownIdAreRefused) {
    r3d::Vec3 lo, hi;
    EXPECT_FALSE(rwModelBoundsById(4000, lo, hi));
}

TEST_F(RwModelUtils, NightAndDayMaterialsReachEveryClumpBelow) {
    addModel("frigate", {"hull.bmp"}, 1.0f, {501, 510});
    r3d::Clump* model = rwLoadModel("frigate", false);
    ASSERT_NE(model, nullptr);
    auto all = [&](bool night) {
        int polygons = 0;
        r3d::forAllClumps(*model, [&](r3d::Clump& c) {
            r3d::forAllPolygons(c, [&](r3d::Polygon& p) {
                ++polygons;
                EXPECT_EQ(p.material->nightVision, night);
            });
        });
        EXPECT_GT(polygons, 12);
    };
    rwNightMaterials(*model);
    all(true);
    rwDayMaterials(*model);
    all(false);
    rwReleaseModel(model);
}

} // namespace
} // namespace q71::test
