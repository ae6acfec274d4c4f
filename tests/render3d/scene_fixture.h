#pragma once
// Tiny scenes for the drawing tests: an open library, a small camera looking along -Z from the
// origin, a scene with one light from behind the camera, and helpers for flat squares and
// textures.

#include "render3d/camera.h"
#include "render3d/clump.h"
#include "render3d/frame_renderer.h"
#include "render3d/library.h"
#include "render3d/scene.h"
#include "support/golden_image.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>

namespace q71::r3d::test {

inline ::testing::AssertionResult matchesGolden(const Camera& camera, const std::string& name) {
    return q71::test::matchesGoldenIn("tests/render3d/golden", *camera.image(), name);
}

/// A texture of the size whose texels (0xAARRGGBB) come from `texel(x, y, frame)`.
inline Texture* makeTexture(const std::string& name, int width, int height, int frames,
                            const std::function<std::uint32_t(int, int, int)>& texel) {
    TextureRecord r{name, width, height, {}};
    for (int f = 0; f < frames; ++f) {
        std::vector<std::uint8_t> bytes;
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) {
                const std::uint32_t t = texel(x, y, f);
                bytes.insert(bytes.end(), {static_cast<std::uint8_t>(t >> 16), static_cast<std::uint8_t>(t >> 8),
                                           static_cast<std::uint8_t>(t), static_cast<std::uint8_t>(t >> 24)});
            }
        r.frames.push_back(std::move(bytes));
    }
    return registerTexture(r);
}

/// A material of a flat colour, fully lit by ambient light alone.
inline Material* flatMaterial(float r, float g, float b) {
    Material* m = createMaterial();
    setMaterialColour(*m, r, g, b);
    setMaterialSurface(*m, 1.0f, 0.0f, 0.0f);
    return m;
}

/// A square of side 2·half in the plane z = centre.z, facing +Z, texture coordinates 0 ... uv.
inline Clump* square(Vec3 centre, float half, Material* m, float uv = 1.0f) {
    Clump* c = createClump();
    const float corners[4][2] = {{-1, 1}, {1, 1}, {1, -1}, {-1, -1}};
    for (const auto& k : corners) {
        const int n = addVertex(*c, {centre.x + k[0] * half, centre.y + k[1] * half, centre.z});
        setVertexNormal(*c, n, {0, 0, 1});
        setVertexUV(*c, n, (k[0] + 1) * 0.5f * uv, (1 - k[1]) * 0.5f * uv);
    }
    for (Polygon* p : {addTriangle(*c, 1, 2, 3), addTriangle(*c, 1, 3, 4)})
        setPolygonMaterial(*p, m);
    return c;
}

class SceneTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(openLibrary(kDevice, {}));
        camera = createCamera(64, 48);
        setViewWindow(*camera, 0.5f, 0.375f);
        setNearClip(*camera, 0.5f);
        setFarClip(*camera, 100.0f);
        setBackgroundColour(*camera, 0.0f, 0.0f, 0.25f);
        scene = createScene();
        light = createDirectionalLight({0, 0, -1}, 0.8f);
        scene->addLight(light);
    }
    void TearDown() override {
        for (Clump* c : owned)
            destroyClump(c);
        destroyScene(scene);
        destroyCamera(camera);
        closeLibrary();
    }
    /// Adds a clump to the scene; the fixture destroys it.
    Clump* add(Clump* c) {
        scene->addClump(c);
        owned.push_back(c);
        return c;
    }
    void render() {
        ASSERT_TRUE(beginCameraUpdate(*camera));
        clearCamera(*camera);
        renderScene(*scene);
        endCameraUpdate(*camera);
    }
    /// The colour of a pixel of the camera image.
    ColorRef at(int x, int y) const {
        PixelSurface s = camera->image()->surface();
        return s.decode(s.read(x, y));
    }

    Camera* camera = nullptr;
    Scene* scene = nullptr;
    Light* light = nullptr;
    std::vector<Clump*> owned;
};

} // namespace q71::r3d::test
