#include "tactical/rwutils/surface_patch.h"

#include "framework/math/fast_math.h"
#include "render3d/library.h"
#include "sim/simulation/mission_state.h"
#include "tactical/rwutils/rw_cache.h"

#include <algorithm>
#include <array>
#include <vector>

namespace q71 {
namespace {

constexpr std::array<const char*, 3> kBottomTextures{"Rock06.bmp", "mud02.bmp", "sand01.bmp"};
constexpr double kNormalTime = 88.8;
constexpr int kNormalComponents = 12;

} // namespace

SeabedSurface::SeabedSurface(bool fromTerrain, int gridSize) : Surface(fromTerrain, gridSize) {
    material_ = r3d::createMaterial();
    r3d::setMaterialTextureMode(*material_, patchTextureMode());
    r3d::setMaterialColour(*material_, 0.6f, 0.5f, 0.4f);
    r3d::setMaterialSurface(*material_, 0.2f, 0.7f, 0.4f);
    r3d::setMaterialShading(*material_, r3d::kShadingSmooth);
    r3d::keepMaterialValue(*material_, 128.0f);
}

SeabedSurface::~SeabedSurface() {
    releaseTextures();
    r3d::destroyMaterial(material_);
}

void SeabedSurface::applyTextures() {
    releaseTextures();
    if (!patchTexturesOn())
        return;
    const auto type = std::min<std::size_t>(missionState().bottomType, kBottomTextures.size() - 1);
    texture_ = kBottomTextures[type];
    r3d::setMaterialTexture(*material_, rwLoadTexture(texture_));
}

void SeabedSurface::releaseTextures() {
    if (texture_.empty())
        return;
    if (r3d::libraryOpen()) // at the program's end the material may have gone with the library
        r3d::setMaterialTexture(*material_, nullptr);
    rwReleaseTexture(texture_);
    texture_.clear();
}

void SeabedSurface::build() {
    const int n = gridSize();
    std::vector<int> numbers(static_cast<std::size_t>(n * n));
    std::vector<float> heights(numbers.size());
    for (int i = 0; i < n; ++i)
        for (int j = 0; j < n; ++j) {
            const double x = gridX(j), y = gridY(i);
            const auto h = static_cast<float>(terrainHeight(x, y) * 0.1);
            const r3d::Vec3 p{static_cast<float>(x * 0.1), h, static_cast<float>(-y * 0.1)};
            const auto w = static_cast<float>(waveHeight(p.x, p.z, kNormalTime, kNormalComponents));
            const std::size_t k = static_cast<std::size_t>(i * n + j);
            heights[k] = h;
            numbers[k] = addVertex(p, {0.0f, 1.0f - 5.0f * w, 1.0f + 5.0f * w}, static_cast<float>(textureU(0.0, x)),
                                   static_cast<float>(textureV(0.0, y)));
        }
    auto triangle = [&](std::size_t a, std::size_t b, std::size_t c) {
        if (heights[a] > 0.0f && heights[b] > 0.0f && heights[c] > 0.0f)
            return; // dry land is the land patches'
        r3d::setPolygonMaterial(*r3d::addTriangle(*clump(), numbers[a], numbers[b], numbers[c]), material_);
    };
    for (int i = 0; i + 1 < n; ++i)
        for (int j = 0; j + 1 < n; ++j) {
            const auto a = static_cast<std::size_t>(i * n + j), b = a + 1, c = a + static_cast<std::size_t>(n),
                       d = c + 1;
            triangle(a, c, b);
            triangle(b, c, d);
        }
}

} // namespace q71
