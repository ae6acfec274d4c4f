#include "tactical/rwutils/rw_model_utils.h"

#include "sim/world/object_database.h"
#include "tactical/rwutils/rw_cache.h"
#include "tactical/rwutils/rw_random.h"

#include <algorithm>

namespace q71 {
namespace {

// The clump setting the dents ask for before the vertices change.
constexpr float kDeformSetting = 4.0f;

bool isEffect(const r3d::Clump& clump) {
    return clump.tag == kTagWake || clump.tag == kTagBubbles || clump.tag == kTagFurtherEffect;
}

void setMaterials(r3d::Clump& clump, void (*set)(r3d::Material&)) {
    r3d::forAllClumps(clump, [set](r3d::Clump& c) {
        r3d::forAllPolygons(c, [set](r3d::Polygon& p) {
            if (p.material)
                set(*p.material);
        });
    });
}

} // namespace

void rwDeformModel(r3d::Clump& clump, float amplitude, float radius) {
    if (radius <= 0.0f)
        return;
    r3d::forAllClumps(clump, [&](r3d::Clump& c) {
        c.setting = kDeformSetting;
        const int count = r3d::vertexCount(c);
        for (int i = 1; i <= count; ++i) {
            r3d::Vec3 v;
            r3d::vertexPosition(c, i, v);
            const float r = r3d::length(v);
            if (r >= radius)
                continue;
            const float k = (radius - r) / radius;
            const float a = amplitude * k * k;
            v.x += rwRandomFraction() * a - a / 2;
            v.y += rwRandomFraction() * a - a / 2;
            v.z += rwRandomFraction() * a - a / 2;
            r3d::setVertexPosition(c, i, v);
        }
    });
}

void rwModelBounds(r3d::Clump& clump, r3d::Vec3& minimum, r3d::Vec3& maximum) {
    minimum = {10000000.0f, 10000000.0f, 10000000.0f};
    maximum = {-100000000.0f, -100000000.0f, -100000000.0f};
    r3d::forAllClumps(clump, [&](r3d::Clump& c) {
        // An effect child and everything hung on it stay out.
        for (const r3d::Clump* up = &c; up && up != &clump; up = up->parent())
            if (isEffect(*up))
                return;
        if (isEffect(c))
            return;
        r3d::Vec3 lo, hi;
        if (!r3d::clumpBounds(c, lo, hi))
            return;
        minimum = {std::min(minimum.x, lo.x), std::min(minimum.y, lo.y), std::min(minimum.z, lo.z)};
        maximum = {std::max(maximum.x, hi.x), std::max(maximum.y, hi.y), std::max(maximum.z, hi.z)};
    });
}

bool rwModelBoundsById(std::uint32_t id, r3d::Vec3& minimum, r3d::Vec3& maximum) {
    const ObjectRecord* record = objdbFindById(id);
    if (!record)
        return false;
    if (r3d::Clump* cached = rwCachedModel(std::string(record->modelName.view()))) {
        rwModelBounds(*cached, minimum, maximum);
        return true;
    }
    r3d::Clump* loaded = rwLoadModel(std::string(record->keyName.view()), true);
    if (!loaded)
        return false;
    rwModelBounds(*loaded, minimum, maximum);
    rwReleaseModel(loaded);
    return true;
}

void rwNightMaterials(r3d::Clump& clump) {
    setMaterials(clump, r3d::setMaterialNightVision);
}

void rwDayMaterials(r3d::Clump& clump) {
    setMaterials(clump, r3d::setMaterialDaylight);
}

} // namespace q71
