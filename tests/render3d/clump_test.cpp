#include "render3d/modelling.h"
#include "render3d/picking.h"
#include "scene_fixture.h"

namespace q71::r3d {
namespace {

using test::flatMaterial;
using test::makeTexture;
using test::square;

class Render3dClumps : public test::SceneTest {};

TEST_F(Render3dClumps, DuplicatesOwnTheirVerticesAndShareTextures) {
    Texture* t = makeTexture("hull", 2, 2, 1, [](int, int, int) { return 0xFFFFFFFFu; });
    Material* m = flatMaterial(1, 1, 1);
    setMaterialTexture(*m, t);
    Clump* model = add(createClump());
    Clump* hull = square({0, 0, 0}, 1.0f, m);
    hull->tag = 510;
    addChild(*model, hull);
    Clump* mast = createClump();
    mast->tag = 511;
    addChild(*hull, mast);
    int data = 0;
    model->userData = &data;

    Clump* copy = add(duplicateClump(*model));
    Clump* copiedHull = findByTag(*copy, 510);
    ASSERT_NE(copiedHull, nullptr);
    EXPECT_NE(copiedHull, hull);
    EXPECT_NE(findByTag(*copy, 511), nullptr); // at any depth
    EXPECT_EQ(copy->userData, nullptr);
    ASSERT_TRUE(setVertexPosition(*copiedHull, 1, {9, 9, 9}));
    Vec3 original;
    ASSERT_TRUE(vertexPosition(*hull, 1, original));
    EXPECT_EQ(original, (Vec3{-1, 1, 0}));
    EXPECT_EQ(copiedHull->polygons[0]->material->texture.get(), t);
    EXPECT_EQ(copiedHull->polygons[0]->clump, copiedHull);

    addChild(*mast, model); // a clump cannot hang below its own grandchild
    EXPECT_EQ(model->parent(), nullptr);
    EXPECT_EQ(removeChild(mast), mast);
    EXPECT_EQ(findByTag(*model, 511), nullptr);
    destroyClump(mast);
}

TEST_F(Render3dClumps, VerticesAndTrianglesRefuseBadNumbers) {
    Clump* c = add(createClump());
    EXPECT_EQ(addVertex(*c, {0, 0, 0}), 1);
    EXPECT_EQ(addVertex(*c, {1, 0, 0}), 2);
    EXPECT_EQ(addVertex(*c, {0, 1, 0}), 3);
    EXPECT_EQ(vertexCount(*c), 3);
    const struct {
        int number;
        int uv;
    } cases[] = {{0, 0}, {1, 1}, {3, 1}, {4, 0}, {-1, 0}};
    for (const auto& k : cases)
        EXPECT_EQ(setVertexUV(*c, k.number, 0.5f, 0.5f), k.uv) << k.number;
    EXPECT_EQ(addTriangle(*c, 1, 2, 4), nullptr);
    EXPECT_EQ(addTriangle(*c, 0, 1, 2), nullptr);
    ASSERT_NE(addTriangle(*c, 1, 2, 3), nullptr);
    ASSERT_NE(addTriangle(*c, 3, 2, 1), nullptr);
    EXPECT_EQ(polygonCount(*c), 2);
    forAllPolygons(*c, [](Polygon& p) { destroyPolygon(&p); });
    EXPECT_EQ(polygonCount(*c), 0);

    Vec3 lo, hi;
    EXPECT_FALSE(clumpBounds(*add(createClump()), lo, hi));
    ASSERT_TRUE(clumpBounds(*c, lo, hi));
    EXPECT_EQ(lo, (Vec3{0, 0, 0}));
    EXPECT_EQ(hi, (Vec3{1, 1, 0}));
}

TEST_F(Render3dClumps, RenderCallbacksRunOncePerRenderOfShownClumpsOnly) {
    Clump* shown = add(square({0, 0, -10}, 1.0f, flatMaterial(1, 0, 0)));
    Clump* hiddenParent = add(createClump());
    Clump* belowHidden = createClump();
    addChild(*hiddenParent, belowHidden);
    hiddenParent->visible = false;
    int shownCalls = 0, hiddenCalls = 0;
    shown->renderCallback = [&](Clump& c) {
        ++shownCalls;
        EXPECT_TRUE(renderClump(c));
    };
    hiddenParent->renderCallback = [&](Clump&) { ++hiddenCalls; };
    belowHidden->renderCallback = [&](Clump&) { ++hiddenCalls; };
    int oneShotCalls = 0;
    Clump* oneShot = add(createClump());
    oneShot->renderCallback = [&oneShotCalls](Clump& c) {
        ++oneShotCalls;
        c.renderCallback = nullptr; // a hook that removes itself
        renderClump(c);
    };
    render();
    render();
    EXPECT_EQ(oneShotCalls, 1);
    EXPECT_EQ(shownCalls, 2);
    EXPECT_EQ(hiddenCalls, 0);
    EXPECT_EQ(at(32, 24), rgb(248, 0, 0)); // the callback drew it
    EXPECT_FALSE(renderClump(*shown));     // outside a render
}

TEST_F(Render3dClumps, ScenesLetGoOfDestroyedClumpsAndKeepTheirLights) {
    Clump* kept = add(square({0, 0, -10}, 1.0f, flatMaterial(0, 1, 0)));
    Clump* gone = square({0, 0, -5}, 1.0f, flatMaterial(1, 0, 0));
    ASSERT_TRUE(scene->addClump(gone));
    destroyClump(gone); // leaves the scene as it goes
    render();
    EXPECT_EQ(at(32, 24), rgb(0, 252, 0));
    EXPECT_EQ(scene->clumps().size(), 1u);

    Scene* other = createScene();
    EXPECT_TRUE(other->addClump(kept)); // moves over
    EXPECT_EQ(kept->scene(), other);
    EXPECT_TRUE(scene->clumps().empty());
    Clump* child = createClump();
    addChild(*kept, child);
    EXPECT_FALSE(scene->addClump(child)); // a child is drawn with its parent
    other->addLight(light);               // lights move too
    EXPECT_TRUE(scene->lights().empty());
    destroyScene(other); // the clump is the fixture's to destroy, the light went with the scene
    EXPECT_EQ(kept->scene(), nullptr);
    light = nullptr;
}

TEST_F(Render3dClumps, PickingFindsTheNearestPartAndItsTaggedOwner) {
    Clump* room = add(createClump());
    room->tag = 3;
    Clump* desk = square({0, 0, -5}, 1.0f, flatMaterial(1, 0, 0));
    addChild(*room, desk);
    Clump* wall = square({0, 0, -9}, 4.0f, flatMaterial(0, 1, 0));
    wall->tag = 12;
    addChild(*room, wall);
    setCameraPosition(*camera, {0, 0, 1});
    const PickResult onDesk = pickScene(*camera, *scene, 32, 24);
    EXPECT_EQ(onDesk.clump, desk);
    EXPECT_EQ(onDesk.objectId, 3); // the desk is untagged: its room's tag
    const PickResult onWall = pickScene(*camera, *scene, 10, 10);
    EXPECT_EQ(onWall.clump, wall);
    EXPECT_EQ(onWall.objectId, 12);
    desk->visible = false;
    EXPECT_EQ(pickScene(*camera, *scene, 32, 24).clump, wall);
    setCameraLookAt(*camera, {0, 0, 1});
    EXPECT_EQ(pickScene(*camera, *scene, 32, 24).clump, nullptr);
}

TEST_F(Render3dClumps, ModellingGivesEachTriangleTheSurfaceStandingWhenAdded) {
    beginModelling();
    for (const Vec3 p : {Vec3{0, 0, 0}, Vec3{1, 0, 0}, Vec3{0, 1, 0}})
        EXPECT_GT(modelVertex(p, 0.0f, 0.0f), 0);
    modelSurfaceColour(1, 0, 0);
    EXPECT_TRUE(modelTriangle(1, 2, 3));
    modelSurfaceColour(0, 0, 1);
    modelSurfaceProperties(0.5f, 0.25f, 0.0f);
    EXPECT_TRUE(modelTriangle(3, 2, 1));
    EXPECT_FALSE(modelTriangle(1, 2, 9));
    Clump* c = add(endModelling());
    ASSERT_NE(c, nullptr);
    ASSERT_EQ(polygonCount(*c), 2);
    EXPECT_EQ(c->polygons[0]->material->red, 1.0f);
    EXPECT_EQ(c->polygons[1]->material->blue, 1.0f);
    EXPECT_EQ(c->polygons[1]->material->ambient, 0.5f);
    EXPECT_EQ(endModelling(), nullptr);
    EXPECT_EQ(modelVertex({0, 0, 0}, 0, 0), 0);
}

TEST_F(Render3dClumps, TheImageIsLockedWithItsTrueRowStep) {
    Camera* odd = createCamera(33, 5);
    ASSERT_NE(odd, nullptr);
    const ImagePixels image = lockCameraImage(*odd);
    EXPECT_EQ(image.width, 33);
    EXPECT_EQ(image.height, 5);
    EXPECT_EQ(image.rowStep, 68); // 66 bytes of pixels, rows kept on 4-byte bounds
    auto* row3 = reinterpret_cast<std::uint16_t*>(reinterpret_cast<std::uint8_t*>(image.pixels) + 3 * image.rowStep);
    row3[7] = 0xF800;
    PixelSurface s = odd->image()->surface();
    EXPECT_EQ(s.decode(s.read(7, 3)), rgb(248, 0, 0));
    destroyCamera(odd);
    EXPECT_EQ(createCamera(0, 5), nullptr);
}

} // namespace
} // namespace q71::r3d
