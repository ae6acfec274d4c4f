#include "render3d/material.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace q71::r3d {

namespace {

// Materials made by createMaterial, held until destroyMaterial.
std::vector<MaterialRef>& handles() {
    static std::vector<MaterialRef> list;
    return list;
}

float unit(float v) {
    return std::isfinite(v) ? std::clamp(v, 0.0f, 1.0f) : 0.0f;
}

float nonNegative(float v) {
    return std::isfinite(v) ? std::clamp(v, 0.0f, 4.0f) : 0.0f;
}

} // namespace

Material* createMaterial() {
    handles().push_back(std::make_shared<Material>());
    return handles().back().get();
}

void destroyMaterial(Material* material) {
    std::erase_if(handles(), [&](const MaterialRef& m) { return m.get() == material; });
}

void clearMaterials() {
    handles().clear();
}

void setMaterialColour(Material& m, float red, float green, float blue) {
    m.red = unit(red);
    m.green = unit(green);
    m.blue = unit(blue);
}

void setMaterialOpacity(Material& m, float opacity) {
    m.opacity = unit(opacity);
}

void setMaterialSurface(Material& m, float ambient, float diffuse, float specular) {
    m.ambient = nonNegative(ambient);
    m.diffuse = nonNegative(diffuse);
    m.specular = nonNegative(specular);
}

bool setMaterialShading(Material& m, int shading) {
    if (shading != kShadingFlat && shading != kShadingSmooth)
        return false;
    m.shading = shading;
    return true;
}

void setMaterialTexture(Material& m, Texture* texture) {
    m.texture = texture ? texture->shared_from_this() : nullptr;
}

bool setMaterialTextureMode(Material& m, int mode) {
    if (mode != kTextureLit && mode != kTextureTinted && mode != kTextureTintedFast)
        return false;
    m.textureMode = mode;
    return true;
}

void keepMaterialValue(Material& m, float value) {
    if (m.keptValues.size() == kMaxKeptValues)
        m.keptValues.erase(m.keptValues.begin());
    m.keptValues.push_back(value);
}

Tint materialTint(const Material& m) {
    if (!m.texture)
        return {m.red, m.green, m.blue};
    if (m.textureMode == kTextureLit)
        return {1.0f, 1.0f, 1.0f};
    constexpr float kMidGrey = 2.0f; // 1 / 0.5
    return {m.red * kMidGrey, m.green * kMidGrey, m.blue * kMidGrey};
}

void setMaterialNightVision(Material& m) {
    m.nightVision = true;
}

void setMaterialDaylight(Material& m) {
    m.nightVision = false;
}

} // namespace q71::r3d
