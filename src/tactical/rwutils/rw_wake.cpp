#include "tactical/rwutils/rw_wake.h"

#include "render3d/immediate.h"
#include "render3d/library.h"
#include "render3d/material.h"
#include "sim/world/object_database.h"
#include "tactical/rwutils/rw_cache.h"

namespace q71 {
namespace {

constexpr const char* kWakeTexture = "wake.bmp";
constexpr float kApexLight = 0.7f;
constexpr float kTailLight = 0.3f;
constexpr float kTailHalfWidth = 10.0f;
constexpr float kTailLength = 150.0f;

r3d::Material*& wakeMaterial() {
    static r3d::Material* material = nullptr;
    return material;
}

r3d::Material& ensureWakeMaterial() {
    r3d::Material*& m = wakeMaterial();
    if (!m) {
        m = r3d::createMaterial();
        r3d::setMaterialShading(*m, r3d::kShadingSmooth);
        r3d::setMaterialColour(*m, 0.2f, 0.3f, 0.4f);
        r3d::setMaterialSurface(*m, 0.0f, 0.6f, 0.0f);
        r3d::setMaterialOpacity(*m, 0.5f);
        r3d::setMaterialTexture(*m, rwLoadTexture(kWakeTexture));
        r3d::setMaterialTextureMode(*m, r3d::kTextureTinted);
    }
    return *m;
}

void drawWake(r3d::Clump&) {
    r3d::Material* m = wakeMaterial();
    if (!m || !r3d::beginImmediate(*m))
        return;
    const double l = r3d::queryLibrary(r3d::kQueryLightingValue) * 65536.0;
    const auto apex = static_cast<std::int32_t>(kApexLight * l);
    const auto tail = static_cast<std::int32_t>(kTailLight * l);
    auto v = r3d::immediateBuffer();
    v[0] = {{0, 0, 0}, apex, apex, apex, 0x8000, 0};
    v[1] = {{kTailHalfWidth, 0, -kTailLength}, tail, tail, tail, 0x10000, 0x10000};
    v[2] = {{-kTailHalfWidth, 0, -kTailLength}, tail, tail, tail, 0, 0x10000};
    r3d::immediateTriangle();
    r3d::endImmediate();
}

} // namespace

void rwDecorateModel(const std::string& objectKey, r3d::Clump& clump) {
    const ObjectRecord* record = objdbFindByName(objectKey);
    if (record && record->kind == kObjectKindSurfaceShip)
        rwAddWake(clump);
}

void rwAddWake(r3d::Clump& clump) {
    ensureWakeMaterial();
    r3d::Clump* wake = r3d::createClump();
    r3d::addVertex(*wake, {0, 0, 0});
    r3d::addVertex(*wake, {kTailHalfWidth, 0, -kTailLength});
    r3d::addVertex(*wake, {-kTailHalfWidth, 0, -kTailLength});
    r3d::addTriangle(*wake, 1, 2, 3);
    wake->renderCallback = drawWake;
    wake->tag = kTagWake;
    r3d::addChild(clump, wake);
}

void rwFreeWake() {
    r3d::Material*& m = wakeMaterial();
    if (!m)
        return;
    rwReleaseTexture(kWakeTexture);
    r3d::destroyMaterial(m);
    m = nullptr;
}

} // namespace q71
