// The 3-D library drawing a periscope-like view on one core: a 400 x 225 camera with fog, a sky
// backdrop, a textured sea plane and 50 textured ship-sized models of 600 triangles each, all in
// view. Frames per second are the items per second of BM_FullFrame (goal: at least 300); the
// other benchmarks split the frame into where its time goes.
#include "render3d/camera.h"
#include "render3d/clump.h"
#include "render3d/fog.h"
#include "render3d/frame_renderer.h"
#include "render3d/library.h"
#include "render3d/scene.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <numbers>

namespace {

using namespace q71::r3d;

constexpr int kShips = 50;
// A hull of 30 rings of 11 vertices: 29 x 10 quads, plus a deck of 10 x 1 quads: 600 triangles.
constexpr int kRings = 30, kAround = 11;

Texture* texture(const char* name, int side, std::uint32_t a, std::uint32_t b) {
    TextureRecord r{name, side, side, {{}}};
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x) {
            const std::uint32_t t = ((x / 4 + y / 4) % 2) ? a : b;
            r.frames[0].insert(r.frames[0].end(), {static_cast<std::uint8_t>(t >> 16), static_cast<std::uint8_t>(t >> 8),
                                                   static_cast<std::uint8_t>(t), 255});
        }
    return registerTexture(r);
}

Clump* ship(Material* hull) {
    Clump* c = createClump();
    for (int i = 0; i < kRings; ++i) {
        const float z = -5.0f + 10.0f * static_cast<float>(i) / (kRings - 1);
        const float beam = 0.8f * std::sin(std::numbers::pi_v<float> * (static_cast<float>(i) + 0.5f) / kRings);
        for (int k = 0; k < kAround; ++k) {
            const float a = std::numbers::pi_v<float> * static_cast<float>(k) / (kAround - 1);
            const int n = addVertex(*c, {beam * std::cos(a), -0.6f * std::sin(a) + 0.3f, z});
            setVertexNormal(*c, n, {std::cos(a), -std::sin(a), 0.0f});
            setVertexUV(*c, n, static_cast<float>(i) / 4.0f, static_cast<float>(k) / 4.0f);
        }
    }
    auto at = [](int ring, int k) { return ring * kAround + k + 1; };
    for (int i = 0; i + 1 < kRings; ++i)
        for (int k = 0; k + 1 < kAround; ++k) {
            setPolygonMaterial(*addTriangle(*c, at(i, k), at(i + 1, k), at(i + 1, k + 1)), hull);
            setPolygonMaterial(*addTriangle(*c, at(i, k), at(i + 1, k + 1), at(i, k + 1)), hull);
        }
    // The deck: ten strips across the top edge.
    for (int i = 0; i + 3 < kRings; i += 3) {
        setPolygonMaterial(*addTriangle(*c, at(i, 0), at(i + 3, 0), at(i + 3, kAround - 1)), hull);
        setPolygonMaterial(*addTriangle(*c, at(i, 0), at(i + 3, kAround - 1), at(i, kAround - 1)), hull);
    }
    while (polygonCount(*c) < 600)
        setPolygonMaterial(*addTriangle(*c, at(0, 0), at(1, 0), at(1, 1)), hull);
    return c;
}

struct PeriscopeView {
    Camera* camera = nullptr;
    Scene* scene = nullptr;
    Scene* seaOnly = nullptr;
    Fog* fog = nullptr;
    std::vector<Clump*> clumps;

    PeriscopeView() {
        openLibrary(kDevice, {});
        camera = createCamera(400, 225);
        const float w = 2.0f * std::tan(16.0f * std::numbers::pi_v<float> / 180.0f);
        setViewWindow(*camera, w, w * 225.0f / 400.0f);
        setNearClip(*camera, 0.5f);
        setFarClip(*camera, 600.0f);
        setCameraPosition(*camera, {0, 1.5f, 0});
        setBackgroundColour(*camera, 0.5f, 0.7f, 1.0f);
        ImageRecord sky{512, 512, {}};
        for (int y = 0; y < 512; ++y)
            for (int x = 0; x < 512; ++x)
                sky.rgb.insert(sky.rgb.end(), {static_cast<std::uint8_t>(y / 4), static_cast<std::uint8_t>(120 + y / 8),
                                               static_cast<std::uint8_t>(255 - (x % 7))});
        Image* image = createImage(sky);
        setBackdrop(*camera, image);
        destroyImage(image);
        setBackdropOffset(*camera, 0, -120);
        setBackdropViewport(*camera, 0, 0, 400, 116);
        fog = createFog(0.15f, 0.2f, 0.3f);
        makeFogCurrent(fog);
        setFogDistance(*fog, 300.0f);
        switchFog(true);

        scene = createScene();
        seaOnly = createScene();
        for (Scene* s : {scene, seaOnly})
            s->addLight(createDirectionalLight({0, -1, -1}, 0.4f));
        Material* seaMaterial = createMaterial();
        setMaterialTexture(*seaMaterial, texture("sea", 128, 0xFF2060A0u, 0xFF3070B0u));
        for (Scene* s : {scene, seaOnly}) {
            Clump* sea = createClump();
            for (const Vec3 p : {Vec3{-200, 0, -200}, Vec3{200, 0, -200}, Vec3{200, 0, 200}, Vec3{-200, 0, 200}}) {
                const int n = addVertex(*sea, p);
                setVertexUV(*sea, n, (p.x + 200) / 25.0f, (p.z + 200) / 25.0f);
            }
            setPolygonMaterial(*addTriangle(*sea, 1, 2, 3), seaMaterial);
            setPolygonMaterial(*addTriangle(*sea, 1, 3, 4), seaMaterial);
            s->addClump(sea);
            clumps.push_back(sea);
        }
        Material* hull = createMaterial();
        setMaterialTexture(*hull, texture("hull", 64, 0xFF606060u, 0xFF808890u));
        setMaterialTextureMode(*hull, 4);
        for (int i = 0; i < kShips; ++i) {
            Clump* c = ship(hull);
            const float distance = 25.0f + 5.5f * static_cast<float>(i);
            const float bearing = (static_cast<float>(i % 9) - 4.0f) * 3.0f;
            transformClump(*c, Matrix::rotation(Axis::Y, static_cast<float>(i * 37)), Combine::Replace);
            transformClump(*c,
                           Matrix::translation({distance * std::sin(bearing * std::numbers::pi_v<float> / 180.0f), 0.0f,
                                                -distance * std::cos(bearing * std::numbers::pi_v<float> / 180.0f)}),
                           Combine::Postcat);
            scene->addClump(c);
            clumps.push_back(c);
        }
    }
    ~PeriscopeView() {
        for (Clump* c : clumps)
            destroyClump(c);
        destroyScene(scene);
        destroyScene(seaOnly);
        destroyFog(fog);
        destroyCamera(camera);
        closeLibrary();
    }
    void frame(Scene* s) {
        beginCameraUpdate(*camera);
        clearCamera(*camera);
        if (s)
            renderScene(*s);
        endCameraUpdate(*camera);
    }
};

// Frames of the view, drawing the scene `which` picks (null: clearing and the backdrop only).
void frames(benchmark::State& state, Scene* (*which)(PeriscopeView&)) {
    PeriscopeView view;
    Scene* scene = which(view);
    for (auto _ : state)
        view.frame(scene);
    state.SetItemsProcessed(state.iterations());
}

void BM_FullFrame(benchmark::State& state) {
    frames(state, [](PeriscopeView& v) { return v.scene; });
}
BENCHMARK(BM_FullFrame)->Unit(benchmark::kMillisecond);

void BM_ClearAndBackdrop(benchmark::State& state) {
    frames(state, [](PeriscopeView&) -> Scene* { return nullptr; });
}
BENCHMARK(BM_ClearAndBackdrop)->Unit(benchmark::kMillisecond);

void BM_SeaPlane(benchmark::State& state) {
    frames(state, [](PeriscopeView& v) { return v.seaOnly; });
}
BENCHMARK(BM_SeaPlane)->Unit(benchmark::kMillisecond);

} // namespace
