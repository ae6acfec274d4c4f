#include "tactical/rwutils/surface_patch.h"

#include "framework/math/fast_math.h"
#include "render3d/library.h"
#include "tactical/rwutils/rw_cache.h"
#include "tactical/rwutils/sea_texture.h"

#include <cmath>
#include <cstdio>

namespace q71 {
namespace {

constexpr float kShallowest = -1.3000001f; // 13 m, in scene units
constexpr double kNormalTime = 88.8;
constexpr int kNormalComponents = 12;
constexpr float kCoastStep = 1.0f;
constexpr float kCoastPeriod = 16.0f;
constexpr const char* kCoastTexture = "coast.bmp";
constexpr std::array<const char*, 2> kLandTextures{"land1.bmp", "land2.bmp"};

r3d::Material* patchMaterial(float diffuse) {
    r3d::Material* m = r3d::createMaterial();
    r3d::setMaterialTextureMode(*m, patchTextureMode());
    r3d::setMaterialSurface(*m, 0.2f, diffuse, 0.4f);
    r3d::setMaterialShading(*m, r3d::kShadingSmooth);
    r3d::keepMaterialValue(*m, 128.0f);
    return m;
}

// The point where the edge from a to b crosses height 0.
r3d::Vec3 crossing(r3d::Vec3 a, r3d::Vec3 b) {
    const float t = -a.y / (b.y - a.y);
    return {a.x + (b.x - a.x) * t, 0.0f, a.z + (b.z - a.z) * t};
}

} // namespace

LandSurface::LandSurface(bool fromTerrain, int gridSize, bool restricted)
    : Surface(fromTerrain, gridSize), restricted_(restricted) {
    sea_ = patchMaterial(1.0f);
    coast_ = patchMaterial(0.7f);
    land_ = {patchMaterial(0.7f), patchMaterial(0.7f)};
    r3d::setMaterialColour(*sea_, 0.2f, 0.6f, 0.8f);
    r3d::setMaterialColour(*coast_, 0.7f, 0.7f, 0.7f);
    for (r3d::Material* m : land_)
        r3d::setMaterialColour(*m, 0.2f, 0.7f, 0.2f);
}

LandSurface::~LandSurface() {
    releaseTextures();
    for (r3d::Material* m : {sea_, coast_, land_[0], land_[1]})
        r3d::destroyMaterial(m);
}

r3d::Material& LandSurface::material(PatchKind kind, int landVariant) {
    switch (kind) {
    case PatchKind::Sea:
        return *sea_;
    case PatchKind::Coast:
        return *coast_;
    case PatchKind::Land:
        break;
    }
    return *land_[static_cast<std::size_t>(landVariant & 1)];
}

void LandSurface::applyTextures() {
    if (!patchTexturesOn()) {
        releaseTextures();
        return;
    }
    if (!texturesLoaded_) {
        texturesLoaded_ = true;
        r3d::setMaterialTexture(*coast_, rwLoadTexture(kCoastTexture));
        for (std::size_t i = 0; i < land_.size(); ++i)
            r3d::setMaterialTexture(*land_[i], rwLoadTexture(kLandTextures[i]));
    }
    r3d::setMaterialTexture(*sea_, rwSeaTexture());
}

void LandSurface::releaseTextures() {
    // A view may outlive the library at the program's end: its materials went with the library.
    if (r3d::libraryOpen())
        for (r3d::Material* m : {sea_, coast_, land_[0], land_[1]})
            r3d::setMaterialTexture(*m, nullptr);
    if (!texturesLoaded_)
        return;
    texturesLoaded_ = false;
    rwReleaseTexture(kCoastTexture);
    for (const char* name : kLandTextures)
        rwReleaseTexture(name);
}

void LandSurface::addTriangle(const std::array<r3d::Vec3, 3>& v, PatchKind kind, const std::array<bool, 3>& waterline) {
    textureScale_ = kind == PatchKind::Land ? 2.0 : kind == PatchKind::Sea ? 8.0 : 1.0;
    int numbers[3];
    for (int i = 0; i < 3; ++i) {
        const r3d::Vec3& p = v[static_cast<std::size_t>(i)];
        float u = 0.0f, t = 0.0f;
        if (kind == PatchKind::Coast) {
            u = coastU_ + 8.0f;
            t = waterline[static_cast<std::size_t>(i)] ? 1.0f : 0.0f;
            coastU_ = std::fmod(coastU_ + kCoastStep, kCoastPeriod);
        } else {
            u = static_cast<float>(textureU(0.0, p.x * 10.0));
            t = static_cast<float>(textureV(0.0, -p.z * 10.0));
        }
        const auto w = static_cast<float>(waveHeight(p.x, p.z, kNormalTime, kNormalComponents));
        numbers[i] = addVertex(p, {0.0f, 1.0f - 2.0f * w, 1.0f + 2.0f * w}, u, t);
    }
    r3d::Polygon* polygon = r3d::addTriangle(*clump(), numbers[0], numbers[1], numbers[2]);
    if (!polygon) {
        std::fprintf(stderr, "warning: a triangle of the land patch could not be added\n");
        return;
    }
    r3d::Material* m = kind == PatchKind::Sea ? sea_ : kind == PatchKind::Coast ? coast_ : land_[static_cast<std::size_t>(landParity_++ & 1)];
    r3d::setPolygonMaterial(*polygon, m);
}

void LandSurface::addCellTriangle(std::array<r3d::Vec3, 3> v) {
    int dry = 0;
    for (const auto& p : v)
        dry += p.y >= 0.0f ? 1 : 0;
    if (dry == 3) {
        addTriangle(v, PatchKind::Land, {false, false, false});
        return;
    }
    if (dry == 0) {
        bool shallow = false;
        for (auto& p : v) {
            shallow = shallow || p.y >= kShallowest;
            if (restricted_)
                p.y = 0.0f;
        }
        if (restricted_ || shallow)
            addTriangle(v, PatchKind::Sea, {false, false, false});
        return;
    }
    // The lone vertex is the one on its own side of the waterline; turn it to the front, keeping
    // the winding.
    const bool loneDry = dry == 1;
    int lone = 0;
    while ((v[static_cast<std::size_t>(lone)].y >= 0.0f) != loneDry)
        ++lone;
    const r3d::Vec3 l = v[static_cast<std::size_t>(lone)], a = v[static_cast<std::size_t>((lone + 1) % 3)],
                    b = v[static_cast<std::size_t>((lone + 2) % 3)];
    const r3d::Vec3 xa = crossing(l, a), xb = crossing(l, b);
    auto wet = [&](r3d::Vec3 p) {
        if (restricted_ && p.y < 0.0f)
            p.y = 0.0f;
        return p;
    };
    const PatchKind loneKind = loneDry ? PatchKind::Coast : PatchKind::Sea;
    const PatchKind pairKind = loneDry ? PatchKind::Sea : PatchKind::Coast;
    addTriangle({loneDry ? l : wet(l), xa, xb}, loneKind, {false, true, true});
    const r3d::Vec3 pa = loneDry ? wet(a) : a, pb = loneDry ? wet(b) : b;
    addTriangle({xa, pa, pb}, pairKind, {true, false, false});
    addTriangle({xa, pb, xb}, pairKind, {true, false, true});
}

void LandSurface::yieldSeaWithin(float x, float z, float radius) {
    if (!restricted_)
        return;
    const float reach = radius * radius;
    const r3d::Clump& c = *clump();
    auto within = [&](int index) {
        const r3d::Vec3& p = c.vertices[static_cast<std::size_t>(index)].position;
        return (p.x - x) * (p.x - x) + (p.z - z) * (p.z - z) < reach;
    };
    for (const auto& polygon : c.polygons)
        if (polygon->material.get() == sea_)
            polygon->opacity = within(polygon->a) && within(polygon->b) && within(polygon->c) ? 0.0f : 1.0f;
}

void LandSurface::build() {
    coastU_ = 0.0f;
    const int n = gridSize();
    std::vector<r3d::Vec3> grid(static_cast<std::size_t>(n * n));
    for (int i = 0; i < n; ++i)
        for (int j = 0; j < n; ++j) {
            const double x = gridX(j), y = gridY(i);
            grid[static_cast<std::size_t>(i * n + j)] = {static_cast<float>(x * 0.1),
                                                         static_cast<float>(terrainHeight(x, y) * 0.1),
                                                         static_cast<float>(-y * 0.1)};
        }
    for (int i = 0; i + 1 < n; ++i)
        for (int j = 0; j + 1 < n; ++j) {
            const auto a = static_cast<std::size_t>(i * n + j), b = a + 1, c = a + static_cast<std::size_t>(n),
                       d = c + 1;
            addCellTriangle({grid[a], grid[c], grid[b]});
            addCellTriangle({grid[b], grid[c], grid[d]});
        }
}

} // namespace q71
