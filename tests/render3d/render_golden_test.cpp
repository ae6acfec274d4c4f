// Golden images of tiny scenes, with the few pixels each picture is about checked by value too.
#include "platform/gdi/pen_brush.h"
#include "render3d/fog.h"
#include "render3d/immediate.h"
#include "render3d/sprite.h"
#include "scene_fixture.h"

namespace q71::r3d {
namespace {

using test::flatMaterial;
using test::makeTexture;
using test::matchesGolden;
using test::square;

class Render3dGolden : public test::SceneTest {};

// A model's transform as the 3-D views build it: roll about Z, then pitch about X, then the turn
// about Y by 180 - heading, then the move.
void place(Clump& c, float heading, float pitch, float roll, Vec3 at) {
    transformClump(c, Matrix::rotation(Axis::Z, -roll), Combine::Replace);
    transformClump(c, Matrix::rotation(Axis::X, -pitch), Combine::Postcat);
    transformClump(c, Matrix::rotation(Axis::Y, 180.0f - heading), Combine::Postcat);
    transformClump(c, Matrix::translation(at), Combine::Postcat);
}

TEST_F(Render3dGolden, AModelOfHeading90FacesEast) {
    // An arrow whose nose is the model's +Z, with a green fin on its +X side, seen from above
    // with north up the picture.
    Clump* arrow = createClump();
    for (const Vec3 p : {Vec3{0, 0, 2}, Vec3{-1, 0, -1}, Vec3{1, 0, -1}, Vec3{1, 0, -1}, Vec3{2, 0, -1}, Vec3{1, 0, 0}})
        setVertexNormal(*arrow, addVertex(*arrow, p), {0, 1, 0});
    setPolygonMaterial(*addTriangle(*arrow, 1, 2, 3), flatMaterial(1, 0, 0));
    setPolygonMaterial(*addTriangle(*arrow, 4, 5, 6), flatMaterial(0, 1, 0));
    add(arrow);
    place(*arrow, 90.0f, 0.0f, 0.0f, {0, 0, 0});
    setCameraPosition(*camera, {0, 10, 0});
    setCameraLookAt(*camera, {0, -1, 0});
    setCameraLookUp(*camera, {0, 0, -1});
    render();

    const Vec3 nose = arrow->world().apply({0, 0, 2});
    EXPECT_NEAR(nose.x, 2.0f, 1e-6f); // east
    EXPECT_NEAR(nose.z, 0.0f, 1e-6f);
    EXPECT_EQ(at(32 + 10, 24), rgb(248, 0, 0)); // the nose, right of the centre
    EXPECT_TRUE(matchesGolden(*camera, "heading_90"));
}

TEST_F(Render3dGolden, NearerSurfacesHideFartherOnesWhateverTheOrder) {
    add(square({1, 1, -5}, 1.5f, flatMaterial(0, 1, 0)));
    add(square({0, 0, -10}, 3.0f, flatMaterial(1, 0, 0)));
    add(square({-1, -1, -4}, 1.0f, flatMaterial(0, 0, 1)));
    // A floor reaching from behind the camera through the near plane into the distance.
    Clump* floor = createClump();
    for (const Vec3 p : {Vec3{-3, -1.5f, 3}, Vec3{3, -1.5f, 3}, Vec3{0, -1.5f, -40}})
        setVertexNormal(*floor, addVertex(*floor, p), {0, 1, 0});
    setPolygonMaterial(*addTriangle(*floor, 1, 2, 3), flatMaterial(1, 1, 0));
    add(floor);
    render();
    EXPECT_EQ(at(32 + 6, 24 - 6), rgb(0, 252, 0));  // green before red
    EXPECT_EQ(at(32 - 6, 24 + 6), rgb(0, 0, 248));  // blue before both
    EXPECT_EQ(at(32, 47), rgb(248, 252, 0));        // the floor under the camera's feet
    EXPECT_TRUE(matchesGolden(*camera, "depth_order"));
}

TEST_F(Render3dGolden, TrianglesOfEitherWindingShowAndTranslucentOnesBlendFarthestFirst) {
    Clump* both = createClump();
    for (const Vec3 p : {Vec3{-3, -1, -8}, Vec3{-1, -1, -8}, Vec3{-2, 1, -8}})
        addVertex(*both, p);
    for (const Vec3 p : {Vec3{1, -1, -8}, Vec3{3, -1, -8}, Vec3{2, 1, -8}})
        addVertex(*both, p);
    setPolygonMaterial(*addTriangle(*both, 1, 2, 3), flatMaterial(1, 1, 1)); // counterclockwise
    setPolygonMaterial(*addTriangle(*both, 4, 6, 5), flatMaterial(1, 1, 1)); // clockwise
    add(both);
    render();
    EXPECT_EQ(at(32 - 16, 26), rgb(248, 252, 248));
    EXPECT_EQ(at(32 + 16, 26), rgb(248, 252, 248));

    // Two half-opaque squares, the nearer added first: the nearer must still end on top.
    Material* red = flatMaterial(1, 0, 0);
    setMaterialOpacity(*red, 0.5f);
    Material* green = flatMaterial(0, 1, 0);
    setMaterialOpacity(*green, 0.5f);
    add(square({0, 0, -6}, 1.0f, red));
    add(square({0, 0, -7}, 2.0f, green));
    render();
    const ColorRef overlap = at(32, 24);
    EXPECT_GT(colorRed(overlap), colorGreen(overlap));
    EXPECT_GT(colorGreen(overlap), 0);
}

TEST_F(Render3dGolden, APointAtTheViewWindowsEdgeLandsOnTheImagesEdge) {
    // x = w·d at distance d: the square's right edge is the image's right edge.
    const float d = 8.0f, w = 0.5f;
    Clump* c = createClump();
    for (const Vec3 p : {Vec3{0, -1, -d}, Vec3{w * d, -1, -d}, Vec3{w * d, 1, -d}, Vec3{0, 1, -d}})
        addVertex(*c, p);
    setPolygonMaterial(*addTriangle(*c, 1, 2, 3), flatMaterial(1, 1, 1));
    setPolygonMaterial(*addTriangle(*c, 1, 3, 4), flatMaterial(1, 1, 1));
    add(c);
    render();
    EXPECT_EQ(at(63, 24), rgb(248, 252, 248));
    EXPECT_EQ(at(32, 24), rgb(248, 252, 248));
    EXPECT_EQ(at(31, 24), rgb(0, 0, 64));
    const ViewProjector projector(*camera);
    EXPECT_FLOAT_EQ(projector.project({{-w * d, 0, d}}, 0, 0, 0, 0).x, 64.0f);
}

TEST_F(Render3dGolden, ParallelProjectionKeepsSizesOverDistance) {
    setProjection(*camera, Projection::Parallel);
    setViewWindow(*camera, 4.0f, 3.0f);
    add(square({-2, 0, -5}, 1.0f, flatMaterial(1, 0, 0)));
    add(square({2, 0, -50}, 1.0f, flatMaterial(0, 1, 0)));
    render();
    // Both squares are 2 units of an 8-unit window: 16 pixels across.
    int red = 0, green = 0;
    for (int x = 0; x < 64; ++x) {
        red += at(x, 24) == rgb(248, 0, 0) ? 1 : 0;
        green += at(x, 24) == rgb(0, 252, 0) ? 1 : 0;
    }
    EXPECT_EQ(red, 16);
    EXPECT_EQ(green, 16);
    EXPECT_TRUE(matchesGolden(*camera, "parallel"));
}

TEST_F(Render3dGolden, FogBlendsTowardTheBackgroundFromItsDistanceToTheFarClip) {
    Fog* fog = createFog(0.15f, 0.2f, 0.3f);
    makeFogCurrent(fog);
    setFogDistance(*fog, 20.0f);
    setBackgroundColour(*camera, 0.5f, 0.7f, 1.0f);
    // Before the fog, in the middle of its range, at its far end.
    add(square({-4, 0, -10}, 1.0f, flatMaterial(1, 0, 0)));
    add(square({0, 0, -60}, 12.0f, flatMaterial(1, 0, 0)));
    add(square({48, 0, -99}, 20.0f, flatMaterial(1, 0, 0)));
    switchFog(true);
    render();
    EXPECT_EQ(at(2, 24), rgb(248, 0, 0));
    const ColorRef middle = at(32, 24);
    EXPECT_NEAR(colorRed(middle), (255 + 127) / 2, 8);
    EXPECT_NEAR(colorBlue(middle), 255 / 2, 8);
    EXPECT_NEAR(colorBlue(at(62, 24)), 248, 8);
    EXPECT_TRUE(matchesGolden(*camera, "fog_on"));

    switchFog(false);
    render();
    EXPECT_EQ(at(32, 24), rgb(248, 0, 0));
    EXPECT_EQ(at(62, 24), rgb(248, 0, 0));
    destroyFog(fog);
}

TEST_F(Render3dGolden, BackdropScrollsWrapsAndStaysInItsViewport) {
    // 16 x 8: the column in red, the row in green.
    ImageRecord picture{16, 8, {}};
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 16; ++x)
            picture.rgb.insert(picture.rgb.end(), {static_cast<std::uint8_t>(x * 16), static_cast<std::uint8_t>(y * 32), 0});
    Image* image = createImage(picture);
    setBackdrop(*camera, image);
    destroyImage(image); // the camera keeps it
    setBackdropOffset(*camera, 5, 20);
    setBackdropViewport(*camera, 0, 0, 64, 30);
    setViewport(*camera, 4, 2, 56, 44);
    add(square({0, 0, -10}, 1.0f, flatMaterial(1, 1, 1)));
    render();
    // The backdrop stands 20 rows above the image's bottom edge: its bottom row on image row 27,
    // its top row on row 20; above, its top row goes on, below, its bottom row.
    auto backdrop = [](int column, int row) {
        return rgb((column % 16) * 16 & 0xF8, row * 32 & 0xFC, 0);
    };
    EXPECT_EQ(at(4, 29), backdrop(4 + 5, 7));
    EXPECT_EQ(at(10, 2), backdrop(10 + 5, 0));
    EXPECT_EQ(at(12, 24), backdrop(12 + 5, 4));
    EXPECT_EQ(at(30, 34), rgb(0, 0, 64)); // below the backdrop viewport: background
    EXPECT_EQ(at(1, 1), rgb(0, 0, 0));    // outside the viewport: untouched
    EXPECT_TRUE(matchesGolden(*camera, "backdrop"));

    // Far offsets, as a narrow view looking up or down reaches: the top or bottom row goes on.
    for (const int offset : {-2900, 2900}) {
        setBackdropOffset(*camera, -1000005, offset);
        render();
        EXPECT_EQ(at(10, 10), backdrop(10 - 1000005 + 16 * 62500, offset < 0 ? 0 : 7)) << offset;
    }
}

TEST_F(Render3dGolden, TexturesWrapAndTheirAlphaBlends) {
    Texture* checker = makeTexture("checker", 4, 4, 1, [](int x, int y, int) {
        return (x + y) % 2 ? 0xFFFFFFFFu : 0xFF202080u;
    });
    Material* tiled = flatMaterial(1, 1, 1);
    setMaterialTexture(*tiled, checker);
    add(square({-1.2f, 0, -6}, 1.0f, tiled, 3.0f));
    Texture* fade = makeTexture("fade", 8, 1, 1, [](int x, int, int) {
        return static_cast<std::uint32_t>(x * 32 + 31) << 24 | 0x0000FF00u;
    });
    Material* glass = flatMaterial(1, 1, 1);
    setMaterialTexture(*glass, fade);
    setMaterialTextureMode(*glass, 0);
    add(square({1.2f, 0, -6}, 1.0f, flatMaterial(1, 0, 0)));
    add(square({1.2f, 0, -5}, 0.8f, glass)); // nearer, drawn after the opaque ones
    render();
    EXPECT_TRUE(matchesGolden(*camera, "texture_wrap_alpha"));
}

TEST_F(Render3dGolden, SpritesShowTheirFrameAndFade) {
    Texture* frames = makeTexture("boom", 2, 2, 2, [](int, int, int f) { return f ? 0xFF00FF00u : 0xFFFF0000u; });
    add(square({0, 0, -12}, 2.0f, flatMaterial(0, 0, 1)));
    Clump* sprite = add(makeSprite(frames));
    transformClump(*sprite, Matrix::scaling({3, 3, 3}), Combine::Replace);
    transformClump(*sprite, Matrix::translation({1, 0, -10}), Combine::Postcat);
    frames->nextFrame();
    forAllPolygons(*sprite, [](Polygon& p) { setPolygonOpacity(p, 0.5f); });
    render();
    const ColorRef mixed = at(32 + 2, 24);
    EXPECT_NEAR(colorGreen(mixed), 127, 4);
    EXPECT_NEAR(colorBlue(mixed), 127, 8);
    EXPECT_TRUE(matchesGolden(*camera, "sprite"));
    frames->nextFrame();
    EXPECT_EQ(frames->frame(), 0);
}

TEST_F(Render3dGolden, NightVisionPutsLuminanceIntoGreen) {
    Material* day = flatMaterial(1, 0.5f, 0);
    Material* night = flatMaterial(1, 0.5f, 0);
    setMaterialNightVision(*night);
    add(square({-1.2f, 0, -6}, 1.0f, day));
    add(square({1.2f, 0, -6}, 1.0f, night));
    render();
    const ColorRef n = at(32 + 12, 24);
    EXPECT_EQ(colorRed(n), 0);
    EXPECT_EQ(colorBlue(n), 0);
    EXPECT_NEAR(colorGreen(n), (255 * 77 + 127 * 150) / 256, 4);
    EXPECT_TRUE(matchesGolden(*camera, "night"));
    setMaterialDaylight(*night);
    render();
    EXPECT_EQ(at(32 + 12, 24), at(32 - 12, 24));
}

TEST_F(Render3dGolden, ImmediateGeometryMeetsTheSceneInDepth) {
    add(square({0, 0, -10}, 2.0f, flatMaterial(0, 0, 1)));
    Material* white = flatMaterial(1, 1, 1);
    Material* yellow = flatMaterial(1, 1, 0);
    ASSERT_TRUE(beginCameraUpdate(*camera));
    clearCamera(*camera);
    renderScene(*scene);
    ASSERT_TRUE(beginImmediate(*white));
    auto buffer = immediateBuffer();
    buffer[0].position = {-6, -2, -15}; // partly behind the square
    buffer[1].position = {-3, 2, -15};
    buffer[2].position = {-2, -2, -15};
    immediateTriangle();
    const ImmediateVertex before[3] = {{{0.5f, 0, -5}}, {{1.5f, 0, -5}, 0x8000, 0x8000, 0x8000}, {{1, 1, -5}}};
    immediateTriangle(before, 0, 1, 2);
    endImmediate();
    ASSERT_TRUE(beginImmediate(*yellow));
    immediateLine({{-4, -1, -8}}, {{4, 1, -12}});
    endImmediate();
    endCameraUpdate(*camera);
    EXPECT_TRUE(matchesGolden(*camera, "immediate"));
}

TEST_F(Render3dGolden, AnOverlayDrawnOnTheImageIsShown) {
    add(square({0, 0, -10}, 3.0f, flatMaterial(1, 0, 0)));
    render();
    auto dc = cameraContext(*camera);
    dc->fillRect({28, 20, 36, 28}, createSolidBrush(rgb(255, 255, 255)));
    q71::test::Canvas window(80, 60, rgb(40, 40, 40));
    ASSERT_TRUE(showCamera(*camera, *window.dc, 8, 6));
    EXPECT_EQ(window.at(8 + 30, 6 + 22), rgb(248, 252, 248));
    EXPECT_TRUE(q71::test::matchesGoldenIn("tests/render3d/golden", *window.bitmap, "overlay"));
}

} // namespace
} // namespace q71::r3d
