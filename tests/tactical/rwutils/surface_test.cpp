// The animated sea and the land, coast and seabed patches at mesh level.
#include "tactical/rwutils/rw_fixture.h"

#include "framework/math/fast_math.h"
#include "tactical/rwutils/rw_cache.h"
#include "tactical/rwutils/sea_surface.h"
#include "tactical/rwutils/surface_patch.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

namespace q71::test {
namespace {

using Surfaces = RwFixture;

float area(const r3d::Clump& c, const r3d::Polygon& p) {
    const r3d::Vec3 a = c.vertices[static_cast<std::size_t>(p.a)].position,
                    b = c.vertices[static_cast<std::size_t>(p.b)].position,
                    d = c.vertices[static_cast<std::size_t>(p.c)].position;
    // Seen from above.
    return 0.5f * std::fabs((b.x - a.x) * (d.z - a.z) - (d.x - a.x) * (b.z - a.z));
}

TEST_F(Surfaces, TheSeaMovesWithTimeAndItsTextureStaysInRange) {
    SeaSurface sea;
    EXPECT_EQ(r3d::vertexCount(*sea.clump()), 325);
    EXPECT_EQ(r3d::polygonCount(*sea.clump()), 36 + 8 * 72);
    r3d::Vec3 outer;
    ASSERT_TRUE(r3d::vertexPosition(*sea.clump(), 325, outer));
    EXPECT_NEAR(std::hypot(outer.x, outer.z), 0.4 * std::pow(2.1, 9), 1e-3);

    sea.setSeaState(0);
    clock.advance(500);
    sea.update(123.4f, -56.7f, 0.0f);
    for (const auto& v : sea.clump()->vertices) {
        EXPECT_EQ(v.position.y, 0.0f); // state 0: flat
        EXPECT_GE(v.u, 0.0f);
        EXPECT_LT(v.u, 32.0f);
        EXPECT_GE(v.v, 0.0f);
        EXPECT_LT(v.v, 32.0f);
    }
    EXPECT_FLOAT_EQ(sea.waveTime(), 0.5f);
    // A long pause advances the waves by all of it.
    clock.advance(60000);
    sea.setSeaState(4);
    sea.update(0.0f, 0.0f, 0.0f);
    EXPECT_FLOAT_EQ(sea.waveTime(), 60.5f);
    EXPECT_FLOAT_EQ(sea.centreHeight(), static_cast<float>(waveHeight(0, 0, 60.5f, 6)) * 0.32f);
}

TEST_F(Surfaces, AWaterlineSplitAddsUpToItsTriangle) {
    LandSurface low(false, 16, false);
    LandSurface flat(false, 16, true);
    const std::array<std::array<r3d::Vec3, 3>, 4> triangles{{
        {{{0, 2, 0}, {10, -3, 0}, {0, -1, 10}}},  // one dry vertex
        {{{0, 2, 0}, {10, 1, 0}, {0, -1, 10}}},   // two dry
        {{{0, 0, 0}, {10, -3, 0}, {0, -1, 10}}},  // a vertex on the waterline counts as dry
        {{{0, 5, 0}, {10, 4, 0}, {7, 1, 10}}},    // all dry
    }};
    for (const auto& t : triangles) {
        const float whole = 0.5f * std::fabs((t[1].x - t[0].x) * (t[2].z - t[0].z) - (t[2].x - t[0].x) * (t[1].z - t[0].z));
        for (LandSurface* s : {&low, &flat}) {
            const int before = r3d::polygonCount(*s->clump());
            s->addCellTriangle(t);
            float sum = 0.0f;
            int coast = 0, sea = 0;
            for (std::size_t i = static_cast<std::size_t>(before); i < s->clump()->polygons.size(); ++i) {
                const r3d::Polygon& p = *s->clump()->polygons[i];
                sum += area(*s->clump(), p);
                coast += p.material.get() == &s->material(PatchKind::Coast);
                sea += p.material.get() == &s->material(PatchKind::Sea);
                if (s == &flat && p.material.get() == &s->material(PatchKind::Sea)) {
                    for (int k : {p.a, p.b, p.c}) {
                        EXPECT_GE(s->clump()->vertices[static_cast<std::size_t>(k)].position.y, 0.0f);
                    }
                }
            }
            EXPECT_NEAR(sum, whole, 1e-3);
            if (t[2].y < 0.0f) {
                EXPECT_GT(coast, 0);
            }
        }
    }
}

TEST_F(Surfaces, DeepWaterAndTheSyntheticFloor) {
    LandSurface low(false, 16, false);
    LandSurface flat(false, 16, true);
    const std::array<r3d::Vec3, 3> deep{{{0, -20, 0}, {10, -30, 0}, {0, -14, 10}}};
    low.addCellTriangle(deep);
    EXPECT_EQ(r3d::polygonCount(*low.clump()), 0); // all below 13 m: nothing in the low-ground patch
    low.addCellTriangle({{{0, -20, 0}, {10, -30, 0}, {0, -1.2f, 10}}});
    EXPECT_EQ(r3d::polygonCount(*low.clump()), 1); // shallow water
    flat.addCellTriangle(deep);
    ASSERT_EQ(r3d::polygonCount(*flat.clump()), 1);
    for (const auto& v : flat.clump()->vertices)
        EXPECT_EQ(v.position.y, 0.0f);
    // The synthetic floor, whatever the mission; the mission's terrain off the map is deep.
    EXPECT_DOUBLE_EQ(low.terrainHeight(1234.0, -567.0), waveHeight(1234.0, -567.0, 0.0, 12) * 500.0 - 200.0);
    LandSurface mission(true, 16, false);
    EXPECT_EQ(mission.terrainHeight(1e7, 1e7), -2000.0);
    // Texture coordinates wrap into [0, 32).
    for (double b : {-1e6, -3.0, 0.0, 749.9, 1e6}) {
        EXPECT_GE(mission.textureU(0.0, b), 0.0);
        EXPECT_LT(mission.textureU(0.0, b), 32.0);
    }
}

TEST_F(Surfaces, PatchesRebuildOnANewCellOrCrossingTheSurface) {
    SeabedSurface bed(false, 30);
    bed.update(10.0f, -5.0f, -10.0f);
    EXPECT_EQ(bed.builds(), 1);
    EXPECT_EQ(r3d::vertexCount(*bed.clump()), 900);
    bed.update(12.0f, -5.0f, -11.0f); // same cell
    EXPECT_EQ(bed.builds(), 1);
    bed.update(12.0f, 0.5f, -11.0f); // crossed the surface
    EXPECT_EQ(bed.builds(), 2);
    bed.update(12.0f + static_cast<float>(bed.cellSize() * 0.1), 0.5f, -11.0f); // next cell
    EXPECT_EQ(bed.builds(), 3);
    // The patch is placed by the floating origin.
    EXPECT_EQ(bed.clump()->matrix.t.x, -12.0f - static_cast<float>(bed.cellSize() * 0.1));
    // Only triangles with a vertex at or below the surface: the synthetic floor is all sea floor.
    EXPECT_EQ(r3d::polygonCount(*bed.clump()), 2 * 29 * 29);
    // Dry land gives two land triangles per cell.
    LandSurface land(false, 16, true);
    land.addCellTriangle({{{0, 1, 0}, {1, 1, 0}, {0, 1, 1}}});
    land.addCellTriangle({{{1, 1, 0}, {0, 1, 1}, {1, 1, 1}}});
    ASSERT_EQ(r3d::polygonCount(*land.clump()), 2);
    EXPECT_NE(land.clump()->polygons[0]->material, land.clump()->polygons[1]->material);
}

TEST_F(Surfaces, APatchOutlivingTheLibraryGivesItsTexturesBackWithoutTouchingItsFreedMaterials) {
    // At the program's end the 3-D library closes before the screens and their views go.
    for (const char* name : {"coast.bmp", "land1.bmp", "land2.bmp"})
        addTexture("textures", name, 0x808080);
    auto land = std::make_unique<LandSurface>(false, 16, true);
    land->applyTextures();
    ASSERT_EQ(rwTextureReferences("coast.bmp"), 1);
    r3d::closeLibrary();
    land.reset(); // the sanitizer build sees any touch of a freed material
    EXPECT_EQ(rwTextureReferences("coast.bmp"), 0) << "the cache's reference given back";
    r3d::openLibrary(r3d::kDevice, {});
}

} // namespace
} // namespace q71::test
