#include "tactical/rwutils/sea_surface.h"

#include "framework/math/fast_math.h"
#include "platform/window/timers.h"
#include "tactical/rwutils/sea_texture.h"
#include "tactical/rwutils/view_geometry.h"

#include <cmath>
#include <numbers>

namespace q71 {
namespace {

constexpr float kAmplitudePerState = 0.08f;
constexpr int kCentreComponents = 6;
constexpr int kVerticesPerComponent = 72; // two rings
constexpr float kTextureScale = 0.2f;

float wrap(float v, float period) {
    return static_cast<float>(wrapInto(v, period));
}

double ringRadius(int ring) {
    return 0.4 * std::pow(2.1, ring);
}

int ringVertex(int ring, int k) {
    return 2 + (ring - 1) * SeaSurface::kAround + (k % SeaSurface::kAround);
}

} // namespace

float SeaSurface::reach() {
    return static_cast<float>(ringRadius(kRings) * std::cos(std::numbers::pi / kAround));
}

SeaSurface::SeaSurface() : current_(3 * kVertices, 0.0f) {
    clump_ = r3d::createClump();
    material_ = r3d::createMaterial();
    r3d::setMaterialColour(*material_, 0.3f, 0.7f, 0.8f);
    r3d::setMaterialSurface(*material_, 0.0f, 0.7f, 0.7f);
    r3d::keepMaterialValue(*material_, 1.0f);
    r3d::keepMaterialValue(*material_, 128.0f);
    for (int r = 1; r <= kRings; ++r) {
        const double radius = ringRadius(r);
        for (int k = 0; k < kAround; ++k) {
            const double a = 2.0 * std::numbers::pi * k / kAround;
            const int v = ringVertex(r, k);
            current_[3 * (v - 1)] = static_cast<float>(std::cos(a) * radius);
            current_[3 * (v - 1) + 2] = static_cast<float>(std::sin(a) * radius);
        }
    }
    for (int v = 0; v < kVertices; ++v) {
        const int n = r3d::addVertex(*clump_, {current_[3 * v], 0.0f, current_[3 * v + 2]});
        r3d::setVertexNormal(*clump_, n, {0.0f, 1.0f, 0.0f});
    }
    auto triangle = [&](int a, int b, int c) { r3d::setPolygonMaterial(*r3d::addTriangle(*clump_, a, b, c), material_); };
    for (int k = 1; k <= kAround; ++k)
        triangle(k % kAround + 2, (k - 1) % kAround + 2, 1);
    for (int r = 1; r < kRings; ++r)
        for (int k = 0; k < kAround; ++k) {
            triangle(ringVertex(r, k), ringVertex(r + 1, k), ringVertex(r + 1, k + 1));
            triangle(ringVertex(r, k), ringVertex(r + 1, k + 1), ringVertex(r, k + 1));
        }
    rest_ = current_;
    startTick_ = timerTickCount();
}

SeaSurface::~SeaSurface() {
    r3d::destroyMaterial(material_);
    r3d::destroyClump(clump_);
}

void SeaSurface::setSeaState(int value) {
    seaState_ = value;
    amplitude_ = static_cast<float>(value) * kAmplitudePerState;
}

void SeaSurface::applyTexture() {
    r3d::setMaterialTexture(*material_, rwSeaTexture());
}

void SeaSurface::update(float cameraX, float cameraZ, float) {
    const std::uint32_t elapsed = timerTickCount() - startTick_ - consumedMs_;
    consumedMs_ += elapsed;
    waveTime_ += static_cast<float>(elapsed) / 1000.0f;

    const float u0 = wrap(cameraX * kTextureScale * 0.5f, 1.0f);
    const float v0 = wrap(cameraZ * kTextureScale * 0.5f, 1.0f);
    for (int v = 0; v < kVertices; ++v) {
        const int components = std::max(0, kCentreComponents - v / kVerticesPerComponent);
        const float x = rest_[3 * v], z = rest_[3 * v + 2];
        const float h = components == 0 ? 0.0f
                                        : static_cast<float>(waveHeight(cameraX + x, cameraZ - z, waveTime_,
                                                                        components)) * amplitude_;
        current_[3 * v] = x;
        current_[3 * v + 1] = h;
        current_[3 * v + 2] = z;
        r3d::setVertexPosition(*clump_, v + 1, {x, h, z});
        r3d::setVertexUV(*clump_, v + 1, wrap(x * kTextureScale + u0 + 16.0f, 32.0f),
                         wrap(z * kTextureScale + v0 + 16.0f, 32.0f));
    }
}

} // namespace q71
