#pragma once
// Materials: how a polygon takes light and texture (docs/render3d.md). Polygons hold their
// material, so destroying a material's handle leaves the polygons showing it unchanged.

#include "render3d/texture.h"

#include <memory>
#include <vector>

namespace q71::r3d {

/// Shading: one light value per triangle, or one per vertex blended across.
constexpr int kShadingFlat = 1;
constexpr int kShadingSmooth = 2;
/// Texture modes: texels times the light; texels times colour and light; the same, with the
/// perspective worked out every 16 pixels only (the cheaper low-detail look).
constexpr int kTextureLit = 0;
constexpr int kTextureTinted = 3;
constexpr int kTextureTintedFast = 4;

struct Material : std::enable_shared_from_this<Material> {
    float red = 1.0f, green = 1.0f, blue = 1.0f;
    float opacity = 1.0f;
    float ambient = 0.3f, diffuse = 0.7f;
    /// Kept; the lighting has no highlights.
    float specular = 0.0f;
    int shading = kShadingSmooth;
    int textureMode = kTextureTinted;
    std::shared_ptr<Texture> texture;
    /// Night vision: the picture's luminance goes into green alone.
    bool nightVision = false;
    /// Values callers set with no meaning here (the last few), kept in order.
    std::vector<float> keptValues;

    /// Translucent: drawn after the opaque polygons, blended.
    bool translucent() const { return opacity < 1.0f || (texture && texture->hasAlpha()); }
};

using MaterialRef = std::shared_ptr<Material>;

/// What a material multiplies its texels (or, untextured, the light) by, per channel.
struct Tint {
    float red, green, blue;
};
/// A tinted texture carries the surface's detail about the material's own colour: a texel of
/// mid-grey (0.5) shows the colour as it is, brighter texels lighten it. Untextured, the colour
/// itself; a lit texture (mode 0) is not tinted.
Tint materialTint(const Material& m);

/// A new material (white, ambient 0.3, diffuse 0.7, smooth, texture mode 3); the caller holds
/// the handle until destroyMaterial.
Material* createMaterial();
void destroyMaterial(Material* material);
/// Forgets the handles of every material (when the library closes).
void clearMaterials();

void setMaterialColour(Material& m, float red, float green, float blue);
void setMaterialOpacity(Material& m, float opacity);
void setMaterialSurface(Material& m, float ambient, float diffuse, float specular);
/// 1 flat or 2 smooth; other values are ignored (false).
bool setMaterialShading(Material& m, int shading);
/// A registered texture, or null for none.
void setMaterialTexture(Material& m, Texture* texture);
/// 0, 3 or 4; other values are ignored (false).
bool setMaterialTextureMode(Material& m, int mode);
/// Keeps a value that changes nothing (the last kMaxKeptValues are kept).
void keepMaterialValue(Material& m, float value);
constexpr std::size_t kMaxKeptValues = 4;
void setMaterialNightVision(Material& m);
void setMaterialDaylight(Material& m);

} // namespace q71::r3d
