#include "render3d/camera.h"
#include "render3d/library.h"
#include "render3d/math.h"

#include <gtest/gtest.h>

#include <cmath>

namespace q71::r3d {
namespace {

void expectNear(Vec3 actual, Vec3 expected, const char* what) {
    EXPECT_NEAR(actual.x, expected.x, 1e-5f) << what;
    EXPECT_NEAR(actual.y, expected.y, 1e-5f) << what;
    EXPECT_NEAR(actual.z, expected.z, 1e-5f) << what;
}

TEST(Render3dMatrices, RotationsTurnCounterclockwiseAndCombineInOrder) {
    // Scene axes: X east, Y up, Z south. A turn of 90 degrees about Y takes south (+Z) to east.
    expectNear(Matrix::rotation(Axis::Y, 90.0f).apply({0, 0, 1}), {1, 0, 0}, "Y 90");
    expectNear(Matrix::rotation(Axis::X, 90.0f).apply({0, 1, 0}), {0, 0, 1}, "X 90");
    expectNear(Matrix::rotation(Axis::Z, 90.0f).apply({1, 0, 0}), {0, 1, 0}, "Z 90");
    expectNear(Matrix::rotationByCosine({0, 1, 0}, 0.0f).apply({0, 0, 1}), {1, 0, 0}, "cosine 0");
    expectNear(Matrix::rotationByCosine({0, 1, 0}, 7.0f).apply({0, 0, 1}), {0, 0, 1}, "cosine clamped");

    const Matrix move = Matrix::translation({10, 0, 0});
    const Matrix turn = Matrix::rotation(Axis::Y, 90.0f);
    // Post-concatenation applies the new transform after the standing one.
    expectNear(combine(move, turn, Combine::Postcat).apply({0, 0, 0}), {0, 0, -10}, "move then turn");
    expectNear(combine(move, turn, Combine::Precat).apply({0, 0, 0}), {10, 0, 0}, "turn then move");
    expectNear(combine(move, turn, Combine::Replace).apply({0, 0, 1}), {1, 0, 0}, "replaced");
    const Matrix m = compose(Matrix::scaling({2, 2, 2}), compose(turn, move));
    expectNear(compose(inverse(m), m).apply({3, -4, 5}), {3, -4, 5}, "inverse");
}

TEST(Render3dCameras, PanTiltTurnMoveAndTransformPlaceTheView) {
    Camera* c = createCamera(40, 30);
    ASSERT_NE(c, nullptr);
    expectNear(cameraLookAt(*c), {0, 0, -1}, "looks north at first");
    panCamera(*c, 90.0f);
    expectNear(cameraLookAt(*c), {1, 0, 0}, "pan right: east");
    tiltCamera(*c, 90.0f);
    expectNear(cameraLookAt(*c), {0, 1, 0}, "tilt up");
    tiltCamera(*c, -90.0f);
    moveCamera(*c, {0, 0, -5}); // back along the view
    expectNear(cameraPosition(*c), {-5, 0, 0}, "moved back");

    // A view built as a model is placed: looking along +Z, turned by 180 - heading.
    setCameraPosition(*c, {0, 0, 0});
    setCameraLookAt(*c, {0, 0, 1});
    setCameraLookUp(*c, {0, 1, 0});
    turnCamera(*c, 180.0f - 90.0f);
    expectNear(cameraLookAt(*c), {1, 0, 0}, "heading 90 looks east");
    // The transform is given in the camera's own axes: forward 2, then a look 90 degrees right.
    transformCamera(*c, Matrix::rotation(Axis::Y, -90.0f), Combine::Replace);
    transformCamera(*c, Matrix::translation({0, 1, 2}), Combine::Postcat);
    expectNear(cameraPosition(*c), {2, 1, 0}, "transform moves along the heading");
    expectNear(cameraLookAt(*c), {0, 0, 1}, "and turns the view right of it");
    expectNear(cameraLookUp(*c), {0, 1, 0}, "up stays up");
    destroyCamera(c);
}

TEST(Render3dCameras, SettingsRefuseMeaninglessValues) {
    Camera* c = createCamera(40, 30);
    EXPECT_FALSE(setViewWindow(*c, 0.0f, 1.0f));
    EXPECT_FALSE(setViewWindow(*c, NAN, 1.0f));
    EXPECT_TRUE(setViewWindow(*c, 2.0f * std::tan(0.5f * 32.0f * 3.14159265f / 180.0f), 0.3f));
    EXPECT_FALSE(setNearClip(*c, -1.0f));
    EXPECT_FALSE(setFarClip(*c, INFINITY));
    setViewport(*c, -10, 5, 100, 100);
    EXPECT_EQ(c->viewport.x, 0);
    EXPECT_EQ(c->viewport.width, 40);
    EXPECT_EQ(c->viewport.height, 25);
    setCameraLookAt(*c, {0, 0, 0});
    expectNear(cameraLookAt(*c), {0, 0, -1}, "a zero look-at is ignored");
    destroyCamera(c);
    destroyCamera(nullptr); // no camera, none being drawn: nothing to do
}

TEST(Render3dLibrary, SettingsAreKeptAndTheGeneratorIsItsOwn) {
    ASSERT_TRUE(openLibrary(kDevice, std::array{OptionPair{1007, 0}, OptionPair{1004, 16}}));
    setLibrarySetting(1100, 4);
    EXPECT_EQ(queryLibrary(1100), 4.0);
    EXPECT_EQ(queryLibrary(kQueryLightingValue), 1.0);
    std::int32_t first[4];
    for (auto& r : first)
        r = libraryRandom();
    seedLibraryRandom(1);
    for (const std::int32_t r : first) {
        EXPECT_EQ(libraryRandom(), r);
        EXPECT_GE(r, 0);
    }
    EXPECT_NE(first[0], first[1]);
    closeLibrary();
    EXPECT_FALSE(libraryOpen());
}

} // namespace
} // namespace q71::r3d
