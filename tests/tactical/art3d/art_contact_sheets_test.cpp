// Contact sheets of the data set's 3-D art, drawn by our rasteriser, for a look by eye:
// artefacts/models-sheet.png (every model from the side, from above and from the bow quarter) and
// artefacts/textures-sheet.png (every texture and frame, then every sky around its horizon).
// Each picture must show its subject.
#include "art_data_set.h"

#include "render3d/camera.h"
#include "render3d/clump.h"
#include "render3d/frame_renderer.h"
#include "render3d/library.h"
#include "render3d/material.h"
#include "render3d/scene.h"
#include "render3d/stream.h"
#include "render3d/texture.h"
#include "support/png_image.h"

#include <algorithm>
#include <cmath>

namespace q71::test {
namespace {

constexpr int kCellWidth = 120;
constexpr int kCellHeight = 80;
constexpr int kModelsPerRow = 5;
constexpr int kTextureCell = 64;
constexpr int kTexturesPerRow = 18;
constexpr int kSkyCellWidth = 128;
constexpr int kSkyCellHeight = 330;

class ArtContactSheets : public ArtDataSet {
protected:
    void SetUp() override { ASSERT_TRUE(r3d::openLibrary("MSWindows", {})); }
    void TearDown() override { r3d::closeLibrary(); }
};

// Copies a camera's picture into the sheet; returns how many pixels differ from the background.
int paste(r3d::Camera& camera, RgbImage& sheet, int left, int top, std::uint16_t background) {
    const r3d::ImagePixels p = r3d::lockCameraImage(camera);
    int shown = 0;
    for (int y = 0; y < p.height; ++y) {
        const auto* row = reinterpret_cast<const std::uint16_t*>(reinterpret_cast<const std::uint8_t*>(p.pixels) +
                                                                  y * p.rowStep);
        for (int x = 0; x < p.width; ++x) {
            const std::uint16_t c = row[x];
            shown += c != background;
            std::uint8_t* out = &sheet.pixels[(static_cast<std::size_t>(top + y) * sheet.width + left + x) * 3];
            out[0] = static_cast<std::uint8_t>((c >> 11) << 3);
            out[1] = static_cast<std::uint8_t>((c >> 5 & 63) << 2);
            out[2] = static_cast<std::uint8_t>((c & 31) << 3);
        }
    }
    return shown;
}

std::uint16_t background565(const r3d::Camera& camera) {
    return camera.background;
}

// Reads a chunk of a member through the library's stream.
template <class Read> auto readChunk(const std::vector<std::uint8_t>& bytes, Read read) {
    r3d::Stream* stream = r3d::openMemoryStream(bytes.data(), bytes.size());
    auto result = read(*stream);
    r3d::closeStream(stream);
    return result;
}

TEST_F(ArtContactSheets, EveryModelFromThreeSides) {
    std::vector<std::string> names = recordModelNames();
    for (const std::string& n : programModelNames())
        names.push_back(n);
    const int rows = (static_cast<int>(names.size()) + kModelsPerRow - 1) / kModelsPerRow;
    RgbImage sheet{kCellWidth * 3 * kModelsPerRow, kCellHeight * rows, {}};
    sheet.pixels.assign(static_cast<std::size_t>(sheet.width * sheet.height) * 3, 0);

    r3d::Camera* camera = r3d::createCamera(kCellWidth, kCellHeight);
    r3d::setProjection(*camera, r3d::Projection::Parallel);
    r3d::setBackgroundColour(*camera, 0.62f, 0.68f, 0.74f);
    r3d::Scene* scene = r3d::createScene();
    r3d::Light* light = r3d::createDirectionalLight({-0.4f, -1.0f, -0.6f}, 0.9f);
    scene->addLight(light);

    for (std::size_t i = 0; i < names.size(); ++i) {
        SCOPED_TRACE(names[i]);
        const auto d = descriptor(names[i]);
        ASSERT_TRUE(d);
        for (const std::string& t : d->textures)
            ASSERT_NE(readChunk(*member("models", t), r3d::readTexture), nullptr) << t;
        r3d::Clump* clump = readChunk(*member("models", d->geometry), r3d::readClump);
        ASSERT_NE(clump, nullptr);
        scene->addClump(clump);
        const ModelBox box = boxOf(model(names[i]));
        const r3d::Vec3 centre = (box.min + box.max) * 0.5f;
        const float radius = std::max(r3d::length(box.max - box.min) * 0.5f, 0.01f);
        // From port, from above and from the bow quarter; a flat pointer from the dial's side.
        const bool flat = box.max.z - box.min.z < radius * 0.05f;
        const r3d::Vec3 looks[3] = {flat ? r3d::Vec3{0, 0, -1} : r3d::Vec3{-1, 0, 0},
                                    flat ? r3d::normalised({-0.3f, 0.3f, -1.0f}) : r3d::Vec3{0, -1, 0},
                                    r3d::normalised({-0.6f, -0.4f, -0.7f})};
        const r3d::Vec3 ups[3] = {{0, 1, 0}, flat ? r3d::Vec3{0, 1, 0} : r3d::Vec3{1, 0, 0}, {0, 1, 0}};
        for (int view = 0; view < 3; ++view) {
            r3d::setCameraPosition(*camera, centre - looks[view] * (radius * 3.0f));
            r3d::setCameraLookAt(*camera, looks[view]);
            r3d::setCameraLookUp(*camera, ups[view]);
            r3d::setViewWindow(*camera, radius * 1.05f * kCellWidth / kCellHeight, radius * 1.05f);
            r3d::setNearClip(*camera, radius * 0.5f);
            r3d::setFarClip(*camera, radius * 6.0f);
            ASSERT_TRUE(r3d::beginCameraUpdate(*camera));
            r3d::clearCamera(*camera);
            r3d::renderScene(*scene);
            r3d::endCameraUpdate(*camera);
            const int col = static_cast<int>(i) % kModelsPerRow * 3 + view;
            const int shown = paste(*camera, sheet, col * kCellWidth, static_cast<int>(i) / kModelsPerRow * kCellHeight,
                                    background565(*camera));
            EXPECT_GT(shown, 0) << "view " << view;
        }
        scene->removeClump(clump);
        r3d::destroyClump(clump);
        r3d::clearTextures();
    }
    r3d::destroyScene(scene);
    r3d::destroyLight(light);
    r3d::destroyCamera(camera);
    EXPECT_TRUE(writePng((artefacts() / "models-sheet.png").string(), sheet));
}

TEST_F(ArtContactSheets, EveryTextureFrameAndSky) {
    struct Entry {
        const char* group;
        std::string name;
    };
    std::vector<Entry> textures;
    for (const std::string& n : generalTextureNames())
        textures.push_back({"textures", n});
    for (const char* n : {"hullplt.bmp", "subtile.bmp"})
        textures.push_back({"models", n});
    int cells = 0;
    for (const Entry& e : textures)
        cells += static_cast<int>(texture(e.group, e.name).frames.size());
    const int textureRows = (cells + kTexturesPerRow - 1) / kTexturesPerRow;
    const std::vector<std::string> skies = skyNames();
    const int skiesPerRow = 9;
    RgbImage sheet{std::max(kTextureCell * kTexturesPerRow, kSkyCellWidth * skiesPerRow),
                   kTextureCell * textureRows + kSkyCellHeight * 2, {}};
    sheet.pixels.assign(static_cast<std::size_t>(sheet.width * sheet.height) * 3, 0);

    // Each frame on a square that fills a parallel view, unlit, over grey (alpha shows).
    r3d::Camera* camera = r3d::createCamera(kTextureCell, kTextureCell);
    r3d::setProjection(*camera, r3d::Projection::Parallel);
    r3d::setViewWindow(*camera, 0.5f, 0.5f);
    r3d::setNearClip(*camera, 0.5f);
    r3d::setFarClip(*camera, 2.0f);
    r3d::setBackgroundColour(*camera, 0.35f, 0.35f, 0.35f);
    r3d::Scene* scene = r3d::createScene();
    int cell = 0;
    for (const Entry& e : textures) {
        SCOPED_TRACE(e.name);
        r3d::Texture* t = readChunk(*member(e.group, e.name), r3d::readTexture);
        ASSERT_NE(t, nullptr);
        r3d::Material* m = r3d::createMaterial();
        r3d::setMaterialSurface(*m, 1.0f, 0.0f, 0.0f);
        r3d::setMaterialTexture(*m, t);
        r3d::setMaterialTextureMode(*m, 0);
        r3d::Clump* square = r3d::createClump();
        const float corners[4][2] = {{-0.5f, 0.5f}, {0.5f, 0.5f}, {0.5f, -0.5f}, {-0.5f, -0.5f}};
        for (const auto& k : corners) {
            const int n = r3d::addVertex(*square, {k[0], k[1], -1.0f});
            r3d::setVertexNormal(*square, n, {0, 0, 1});
            r3d::setVertexUV(*square, n, k[0] + 0.5f, 0.5f - k[1]);
        }
        for (r3d::Polygon* p : {r3d::addTriangle(*square, 1, 2, 3), r3d::addTriangle(*square, 1, 3, 4)})
            r3d::setPolygonMaterial(*p, m);
        scene->addClump(square);
        for (int f = 0; f < t->frameCount(); ++f, ++cell) {
            t->setFrame(f);
            ASSERT_TRUE(r3d::beginCameraUpdate(*camera));
            r3d::clearCamera(*camera);
            r3d::renderScene(*scene);
            r3d::endCameraUpdate(*camera);
            const int shown = paste(*camera, sheet, cell % kTexturesPerRow * kTextureCell,
                                    cell / kTexturesPerRow * kTextureCell, background565(*camera));
            EXPECT_GT(shown, 0) << "frame " << f;
        }
        scene->removeClump(square);
        r3d::destroyClump(square);
        r3d::destroyMaterial(m);
        r3d::clearTextures();
    }
    r3d::destroyScene(scene);
    r3d::destroyCamera(camera);

    // Skies: the backdrop with the horizon of the optic's plain view across the middle.
    r3d::Camera* skyCamera = r3d::createCamera(kSkyCellWidth, kSkyCellHeight);
    for (std::size_t i = 0; i < skies.size(); ++i) {
        SCOPED_TRACE(skies[i]);
        r3d::Image* image = readChunk(*member("textures", skies[i]), r3d::readImage);
        ASSERT_NE(image, nullptr);
        r3d::setBackdrop(*skyCamera, image);
        r3d::setBackdropOffset(*skyCamera, 0, -(303 - kSkyCellHeight / 2));
        r3d::setBackgroundColour(*skyCamera, 1.0f, 0.0f, 1.0f);
        ASSERT_TRUE(r3d::beginCameraUpdate(*skyCamera));
        r3d::clearCamera(*skyCamera);
        r3d::endCameraUpdate(*skyCamera);
        const int shown = paste(*skyCamera, sheet, static_cast<int>(i) % skiesPerRow * kSkyCellWidth,
                                kTextureCell * textureRows + static_cast<int>(i) / skiesPerRow * kSkyCellHeight,
                                background565(*skyCamera));
        EXPECT_EQ(shown, kSkyCellWidth * kSkyCellHeight); // the backdrop covers the whole view
        r3d::setBackdrop(*skyCamera, nullptr);
        r3d::destroyImage(image);
    }
    r3d::destroyCamera(skyCamera);
    EXPECT_TRUE(writePng((artefacts() / "textures-sheet.png").string(), sheet));
}

} // namespace
} // namespace q71::test
