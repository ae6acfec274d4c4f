// Light, shading and texture modes, checked by the value of pixels.
#include "render3d/immediate.h"
#include "render3d/sprite.h"
#include "scene_fixture.h"

#include <cmath>

namespace q71::r3d {
namespace {

using test::flatMaterial;
using test::makeTexture;
using test::square;

class Render3dShading : public test::SceneTest {};

// A channel of 8 bits as the 5-6-5 image keeps it.
int red565(int v) {
    return std::clamp(v, 0, 255) & 0xF8;
}

TEST_F(Render3dShading, LightIsAmbientPlusDiffuseTimesEachLightsColour) {
    // The fixture's light shines straight along -Z onto squares facing +Z (cosine 1).
    const struct {
        float ambient, diffuse, lightRed;
        int expected; // red of a white material, 0 ... 255
    } cases[] = {
        {1.0f, 0.0f, 0.8f, 255},                       // ambient alone
        {0.0f, 1.0f, 0.8f, 204},                       // diffuse alone, light 0.8
        {0.2f, 0.5f, 0.8f, static_cast<int>(0.6f * 256) - 1}, // 0.2 + 0.5 · 0.8
        {0.0f, 1.0f, 0.0f, 0},                         // a dark light
        {0.5f, 1.0f, 2.0f, 255},                       // saturates
    };
    Material* m = createMaterial();
    add(square({0, 0, -6}, 2.0f, m));
    for (const auto& c : cases) {
        setMaterialSurface(*m, c.ambient, c.diffuse, 0.0f);
        setLightColour(*light, c.lightRed, 0.0f, 0.0f);
        render();
        EXPECT_NEAR(colorRed(at(32, 24)), red565(c.expected), 8) << c.ambient << " " << c.diffuse;
    }
    // A light from behind the surface adds nothing.
    setMaterialSurface(*m, 0.0f, 1.0f, 0.0f);
    setLightBrightness(*light, 1.0f);
    light->direction = {0, 0, 1};
    render();
    EXPECT_EQ(at(32, 24), rgb(0, 0, 0));
}

TEST_F(Render3dShading, SmoothShadingBlendsVertexLightFlatShadingDoesNot) {
    // A square whose left vertices face the light and whose right ones face away.
    Material* m = createMaterial();
    setMaterialSurface(*m, 0.0f, 1.0f, 0.0f);
    Clump* c = add(square({0, 0, -6}, 2.0f, m));
    setVertexNormal(*c, 2, {1, 0, 0});
    setVertexNormal(*c, 3, {1, 0, 0});
    render();
    const int left = colorRed(at(14, 24)), right = colorRed(at(50, 24));
    EXPECT_GT(left, right + 64);
    ASSERT_TRUE(setMaterialShading(*m, kShadingFlat));
    EXPECT_FALSE(setMaterialShading(*m, 3));
    render();
    // Each triangle has one light value: along a row inside one triangle it does not change.
    EXPECT_EQ(at(40, 14), at(46, 14));
}

// A quad of four corners whose texture runs 0 ... repeats from the first corner to the second.
Clump* texturedQuad(const Vec3 (&corners)[4], float repeats, Material* m) {
    Clump* c = createClump();
    const float uv[4][2] = {{0, 0}, {repeats, 0}, {repeats, 1}, {0, 1}};
    for (int i = 0; i < 4; ++i) {
        const int n = addVertex(*c, corners[i]);
        setVertexNormal(*c, n, {0, 0, 1});
        setVertexUV(*c, n, uv[i][0], uv[i][1]);
    }
    setPolygonMaterial(*addTriangle(*c, 1, 2, 3), m);
    setPolygonMaterial(*addTriangle(*c, 1, 3, 4), m);
    return c;
}

TEST_F(Render3dShading, TextureModesTintAndWorkOutPerspective) {
    Texture* grey = makeTexture("grey", 8, 8, 1, [](int x, int, int) { return x < 4 ? 0xFF808080u : 0xFFFFFFFFu; });
    Material* m = flatMaterial(1, 0, 0);
    setMaterialTexture(*m, grey);
    // A floor going into the distance, where the perspective matters.
    add(texturedQuad({{-2, -1, -2}, {2, -1, -2}, {2, -1, -30}, {-2, -1, -30}}, 1.0f, m));

    ASSERT_TRUE(setMaterialTextureMode(*m, kTextureLit));
    EXPECT_FALSE(setMaterialTextureMode(*m, 1));
    render();
    EXPECT_EQ(at(20, 40), rgb(128, 128, 128)); // texels as they are: the colour is left out
    EXPECT_EQ(at(44, 40), rgb(248, 252, 248));

    setMaterialTextureMode(*m, kTextureTinted);
    render();
    EXPECT_EQ(at(20, 40), rgb(248, 0, 0)); // tinted about mid-grey: a texel of 0x80 shows the red itself
    setMaterialColour(*m, 0.5f, 0.0f, 0.0f);
    render();
    EXPECT_EQ(at(20, 40), rgb(128, 0, 0));
    EXPECT_EQ(at(44, 40), rgb(248, 0, 0)); // white texels twice as bright

    // A wall receding to the left: its depth changes along each row, and so does the
    // perspective; eight stripes run into the distance.
    add(texturedQuad({{-1.5f, -0.5f, -2}, {-1.5f, -0.5f, -30}, {-1.5f, 2, -30}, {-1.5f, 2, -2}}, 8.0f, m));
    render();
    EXPECT_TRUE(test::matchesGolden(*camera, "perspective_exact"));
    std::vector<ColorRef> exact;
    for (int y = 0; y < 48; ++y)
        for (int x = 0; x < 64; ++x)
            exact.push_back(at(x, y));

    setMaterialTextureMode(*m, kTextureTintedFast);
    render();
    EXPECT_TRUE(test::matchesGolden(*camera, "perspective_every_16"));
    int onWall = 0, onFloor = 0;
    for (int y = 0, i = 0; y < 48; ++y)
        for (int x = 0; x < 64; ++x, ++i)
            (y < 42 ? onWall : onFloor) += at(x, y) != exact[static_cast<std::size_t>(i)] ? 1 : 0;
    // Along a row of the floor the depth does not change and straight lines are exact; along the
    // wall's rows they are not.
    EXPECT_EQ(onFloor, 0);
    EXPECT_GT(onWall, 0);
}

TEST_F(Render3dShading, SpritesAreAsLargeAsTheirScaleAndUnlit) {
    Texture* white = makeTexture("white", 2, 2, 1, [](int, int, int) { return 0xFFFFFFFFu; });
    setLightBrightness(*light, 0.0f);
    Clump* sprite = add(makeSprite(white));
    // 2 units across at distance 8: a quarter of the 8-unit wide view, 16 pixels.
    transformClump(*sprite, Matrix::scaling({2, 2, 2}), Combine::Replace);
    transformClump(*sprite, Matrix::translation({0, 0, -8}), Combine::Postcat);
    render();
    int across = 0;
    for (int x = 0; x < 64; ++x)
        across += at(x, 24) == rgb(248, 252, 248) ? 1 : 0;
    EXPECT_EQ(across, 16);
    EXPECT_EQ(makeSprite(nullptr), nullptr);
}

TEST_F(Render3dShading, ImmediateModeNeedsACameraUpdateAndTakesColoursAsLight) {
    Material* m = flatMaterial(1, 1, 1);
    EXPECT_FALSE(beginImmediate(*m));
    ASSERT_TRUE(beginCameraUpdate(*camera));
    clearCamera(*camera);
    ASSERT_TRUE(beginImmediate(*m));
    ImmediateVertex v[3] = {{{-2, -2, -5}, 0x8000, 0x4000, 0}, {{2, -2, -5}, 0x8000, 0x4000, 0}, {{0, 2, -5}, 0x8000, 0x4000, 0}};
    immediateTriangle(v, 0, 1, 3); // an index outside the list: nothing
    EXPECT_EQ(at(32, 24), rgb(0, 0, 64));
    immediateTriangle(v, 0, 1, 2);
    endImmediate();
    endCameraUpdate(*camera);
    EXPECT_EQ(at(32, 24), rgb(128, 64, 0));
}

} // namespace
} // namespace q71::r3d
