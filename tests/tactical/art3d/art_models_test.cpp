// The data set's models as the 3-D caches and views read them: every name has its descriptor and
// geometry, sizes follow the object records, animated parts carry their tags, the own boat's
// masts stand on its sail and the dial pointers pivot where the dials turn them.
#include "art_data_set.h"

#include "render3d/camera.h"
#include "render3d/frame_renderer.h"
#include "render3d/library.h"
#include "render3d/scene.h"
#include "render3d/stream.h"
#include "render3d/texture.h"
#include "render3d/clump.h"
#include "sim/world/object_database.h"

#include <algorithm>
#include <cmath>

namespace q71::test {
namespace {

constexpr float kFoot = 0.03048f; // scene units (10 m) of a foot
constexpr float kYard = 0.09144f;

class ArtModels : public ArtDataSet {};

TEST_F(ArtModels, EveryModelHasItsDescriptorTexturesAndGeometryAndTheLibraryReadsThem) {
    ASSERT_TRUE(r3d::openLibrary("MSWindows", {}));
    std::vector<std::string> names = recordModelNames();
    for (const std::string& n : programModelNames())
        names.push_back(n);
    ASSERT_GT(names.size(), 60u);
    for (const std::string& name : names) {
        SCOPED_TRACE(name);
        const auto d = descriptor(name);
        ASSERT_TRUE(d);
        ASSERT_GE(d->textureCount, 0);
        ASSERT_LE(d->textureCount, 25);
        ASSERT_EQ(static_cast<std::int32_t>(d->textures.size()), d->textureCount);
        // Textures first, as the cache does: a model naming an unknown texture is refused.
        for (const std::string& t : d->textures) {
            const auto bytes = member("models", t);
            ASSERT_TRUE(bytes) << t;
            r3d::Stream* stream = r3d::openMemoryStream(bytes->data(), bytes->size());
            ASSERT_EQ(r3d::readChunkType(*stream), r3d::kChunkTexture);
            EXPECT_NE(r3d::readTexture(*stream), nullptr) << r3d::streamError(*stream);
            r3d::closeStream(stream);
        }
        const auto geometry = member("models", d->geometry);
        ASSERT_TRUE(geometry) << d->geometry;
        r3d::Stream* stream = r3d::openMemoryStream(geometry->data(), geometry->size());
        ASSERT_EQ(r3d::readChunkType(*stream), r3d::kChunkClump);
        r3d::Clump* clump = r3d::readClump(*stream);
        EXPECT_NE(clump, nullptr) << r3d::streamError(*stream);
        r3d::closeStream(stream);
        if (clump)
            r3d::destroyClump(clump);
        r3d::clearTextures();
    }
    r3d::closeLibrary();
}

TEST_F(ArtModels, GeneralTexturesAndSkiesReadBack) {
    for (const std::string& name : generalTextureNames()) {
        const r3d::TextureRecord t = texture("textures", name);
        EXPECT_FALSE(t.frames.empty()) << name;
    }
    for (const std::string& name : skyNames()) {
        const r3d::ImageRecord sky = ArtDataSet::sky(name);
        EXPECT_GT(sky.height, 0) << name;
    }
}

// About 800 triangles for a ship, 400 for a submarine, 100 for a small object.
TEST_F(ArtModels, ModelsKeepTheTriangleBudget) {
    for (int i = 0; i < objdbCount(); ++i) {
        const ObjectRecord& r = *objdbGetByIndex(i);
        const std::string name(r.modelName.view());
        const std::size_t budget = r.kind == 2                                      ? 800
                                   : r.kind == 1 || r.kind == 3                     ? 400
                                   : r.category() == kCategoryRock && r.length > 0 ? 400 // the rig
                                                                                    : 100;
        EXPECT_LE(trianglesOf(model(name)), budget) << name;
    }
}

TEST_F(ArtModels, SizesFollowTheRecordsAndShipsCarryTheirMastheadAtTheMastHeight) {
    int measured = 0;
    for (int i = 0; i < objdbCount(); ++i) {
        const ObjectRecord& r = *objdbGetByIndex(i);
        if (r.length <= 0)
            continue;
        const std::string name(r.modelName.view());
        SCOPED_TRACE(name);
        const ModelBox box = boxOf(model(name));
        EXPECT_NEAR(box.max.z - box.min.z, r.length * kFoot, r.length * kFoot * 0.01f);
        EXPECT_NEAR(box.max.x - box.min.x, r.beam * kFoot, r.beam * kFoot * 0.01f);
        if (r.mastHeight > 0.0f) {
            // The masthead is the highest point, at the mast height above the waterline, within
            // the record's height; the hull goes down below the waterline.
            EXPECT_NEAR(box.max.y, r.mastHeight * kYard, 0.005f);
            EXPECT_LE(box.max.y, r.height * kFoot + 0.005f);
            EXPECT_LT(box.min.y, 0.0f);
        } else {
            EXPECT_NEAR(box.max.y - box.min.y, r.height * kFoot, r.height * kFoot * 0.01f);
        }
        if (r.kind == 1 || r.kind == 2) {
            EXPECT_LT(box.min.y, 0.0f); // waterline at 0: the hull reaches below it
            EXPECT_GT(box.max.y, 0.0f);
        }
        ++measured;
    }
    EXPECT_GT(measured, 40);
    // A masthead without a length: the navigation buoy.
    const ObjectRecord* buoy = objdbFindByName("NavBuoy");
    ASSERT_NE(buoy, nullptr);
    EXPECT_NEAR(boxOf(model(std::string(buoy->modelName.view()))).max.y, buoy->mastHeight * kYard, 0.005f);
}

TEST_F(ArtModels, AnimatedPartsAreChildrenWithTheRecordsTagsPivotingAtTheirOrigin) {
    int parts = 0;
    for (int i = 0; i < objdbCount(); ++i) {
        const ObjectRecord& r = *objdbGetByIndex(i);
        const r3d::ClumpRecord m = model(std::string(r.modelName.view()));
        for (const AnimatedPart& p : r.animatedParts) {
            if (p.tag <= 0)
                continue;
            SCOPED_TRACE(std::string(r.keyName.view()) + " tag " + std::to_string(p.tag));
            const r3d::ClumpRecord* part = childTagged(m, p.tag);
            ASSERT_NE(part, nullptr);
            // The origin lies inside the part's own box: it turns in place.
            const ModelBox box = boxOf(*part);
            for (int axis = 0; axis < 3; ++axis) {
                const float lo = axis == 0 ? box.min.x : axis == 1 ? box.min.y : box.min.z;
                const float hi = axis == 0 ? box.max.x : axis == 1 ? box.max.y : box.max.z;
                EXPECT_LE(lo, 1e-4f);
                EXPECT_GE(hi, -1e-4f);
            }
            ++parts;
        }
    }
    EXPECT_GT(parts, 40);
}

TEST_F(ArtModels, TheOwnBoatsMastsStandOnItsSail) {
    const r3d::ClumpRecord boat = model("Q71i");
    const ModelBox hull = boxOf(boat);
    // The sail's top: the boat's highest vertices.
    ModelBox top;
    for (const r3d::VertexRecord& v : boat.vertices)
        if (v.position.y > hull.max.y - 1e-3f) {
            top.min = {std::min(top.min.x, v.position.x), 0, std::min(top.min.z, v.position.z)};
            top.max = {std::max(top.max.x, v.position.x), 0, std::max(top.max.z, v.position.z)};
        }
    for (const char* name : {"Q71_peri", "Q71_ant", "Q71_esm", "Q71_radar", "Q71_snork"}) {
        SCOPED_TRACE(name);
        const r3d::ClumpRecord mast = model(name);
        const ModelBox box = boxOf(mast);
        EXPECT_LE(box.min.y, hull.max.y);          // its foot inside the sail
        EXPECT_GT(box.min.y, hull.max.y - 0.2f);   // not hanging below it
        EXPECT_GT(box.max.y, hull.max.y + 0.2f);   // raised above it
        for (const r3d::VertexRecord& v : mast.vertices)
            if (v.position.y < hull.max.y) {
                EXPECT_GE(v.position.x, top.min.x);
                EXPECT_LE(v.position.x, top.max.x);
                EXPECT_GE(v.position.z, top.min.z);
                EXPECT_LE(v.position.z, top.max.z);
            }
    }
    // The optic looks from the periscope, 2.35 units forward of the boat's origin.
    const ModelBox peri = boxOf(model("Q71_peri"));
    EXPECT_NEAR((peri.min.z + peri.max.z) / 2, 2.35f, 0.01f);
}

// The dials scale each pointer and turn it about its origin in the view plane, move it to its
// position and draw it with the camera at the origin looking along -Z: every pointer lies flat
// and in front of the near plane (0.05) once placed.
TEST_F(ArtModels, DialPointersPivotAtTheOriginInFrontOfTheDialCamera) {
    struct Placed {
        const char* name;
        float z, scale;
    };
    const Placed pointers[] = {{"crs_act", 0.0f, 0.9f},   {"crs_ord", -1.0f, 1.4f},  {"en_actul", -0.95f, 1.3f},
                               {"enor_fin", -1.0f, 1.3f}, {"strnpnt", 0.0f, 0.35f},  {"strnhld", 0.5f, 0.32f},
                               {"bowpnt", 0.0f, 0.35f},   {"bowhld", 0.5f, 0.35f},   {"rudpnt", 0.0f, 0.5f},
                               {"rudhld", 0.5f, 0.38f}};
    for (const Placed& p : pointers) {
        SCOPED_TRACE(p.name);
        const ModelBox box = boxOf(model(p.name));
        EXPECT_LT(box.max.z - box.min.z, 0.01f); // flat
        EXPECT_LT(p.z + box.max.z * p.scale, -0.05f);
        // The origin lies on the pointer's axis.
        EXPECT_TRUE((box.min.x <= 0 && box.max.x >= 0) || (box.min.y <= 0 && box.max.y >= 0));
        // Reaching far enough from the pivot to be read.
        const float reach = std::max({-box.min.x, box.max.x, -box.min.y, box.max.y});
        EXPECT_GT(reach * p.scale, 0.3f);
    }
}

// The stadimeter's range from a picture of the optic: the masthead stands s rows above the
// waterline in a picture of P rows taken with the field of view F, range = 0.5 · mast height /
// sin(s / P · F), in yards. A destroyer seen broadside from the waterline reads its true range.
TEST_F(ArtModels, TheStadimeterReadsTheTrueRangeOfAShipFromItsMasthead) {
    const ObjectRecord* burke = objdbFindByName("Burke");
    ASSERT_NE(burke, nullptr);
    ASSERT_TRUE(r3d::openLibrary("MSWindows", {}));
    const auto d = descriptor("Burke");
    ASSERT_TRUE(d);
    for (const std::string& t : d->textures) {
        const auto bytes = member("models", t);
        ASSERT_TRUE(bytes);
        r3d::Stream* stream = r3d::openMemoryStream(bytes->data(), bytes->size());
        ASSERT_NE(r3d::readTexture(*stream), nullptr);
        r3d::closeStream(stream);
    }
    const auto geometry = member("models", d->geometry);
    ASSERT_TRUE(geometry);
    r3d::Stream* stream = r3d::openMemoryStream(geometry->data(), geometry->size());
    r3d::Clump* ship = r3d::readClump(*stream);
    r3d::closeStream(stream);
    ASSERT_NE(ship, nullptr);

    constexpr int kPicture = 300;
    constexpr float kFieldOfView = 2.0f; // degrees: the optic at 24x
    constexpr float kDistance = 170.0f;  // scene units
    r3d::Scene* scene = r3d::createScene();
    r3d::Light* light = r3d::createDirectionalLight({0, -1, -1}, 0.4f);
    scene->addLight(light);
    scene->addClump(ship);
    r3d::Camera* optic = r3d::createCamera(kPicture, kPicture);
    // The views ask for a field of view F with the view window 2 tan(F / 2).
    const float window = 2.0f * std::tan(kFieldOfView / 2 * 3.14159265f / 180.0f);
    r3d::setViewWindow(*optic, window, window);
    r3d::setNearClip(*optic, 0.5f);
    r3d::setFarClip(*optic, 1000.0f);
    r3d::setBackgroundColour(*optic, 1.0f, 0.0f, 1.0f);
    r3d::setCameraPosition(*optic, {kDistance, 0.0f, 0.0f});
    r3d::setCameraLookAt(*optic, {-1.0f, 0.0f, 0.0f});
    r3d::setCameraLookUp(*optic, {0.0f, 1.0f, 0.0f});
    ASSERT_TRUE(r3d::beginCameraUpdate(*optic));
    r3d::clearCamera(*optic);
    r3d::renderScene(*scene);
    r3d::endCameraUpdate(*optic);

    const r3d::ImagePixels p = r3d::lockCameraImage(*optic);
    int masthead = -1;
    for (int y = 0; y < p.height && masthead < 0; ++y) {
        const auto* row = reinterpret_cast<const std::uint16_t*>(reinterpret_cast<const std::uint8_t*>(p.pixels) +
                                                                  y * p.rowStep);
        for (int x = 0; x < p.width; ++x)
            if (row[x] != optic->background)
                masthead = y;
    }
    ASSERT_GT(masthead, 0);
    const int split = kPicture / 2 - masthead; // the waterline is the picture's middle
    const double range = 0.5 * burke->mastHeight / std::sin(split * 1.0 / kPicture * kFieldOfView * 0.017453292519944444);
    const double trueRange = kDistance * 10.0 / 0.9144; // yards
    EXPECT_NEAR(range, trueRange, trueRange * 0.015) << "split " << split;

    scene->removeClump(ship);
    r3d::destroyClump(ship);
    r3d::destroyCamera(optic);
    r3d::destroyScene(scene);
    r3d::destroyLight(light);
    r3d::clearTextures();
    r3d::closeLibrary();
}

} // namespace
} // namespace q71::test
