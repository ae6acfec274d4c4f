// The models placed in a 3-D view: their records, animated parts, masts and the camera's object.
#include "tactical/rwutils/rw_widget.h"

#include "render3d/scene.h"
#include "sim/world/object_database.h"
#include "tactical/rwutils/rw_cache.h"
#include "tactical/rwutils/view_geometry.h"

#include <algorithm>
#include <array>

namespace q71 {
namespace {

constexpr float kMinRadius = 1.0f, kMaxRadius = 30.0f;
constexpr std::array<const char*, kRwMastSlots> kMastModels{"Q71_peri", "Q71_ant", "Q71_esm", "Q71_radar",
                                                             "Q71_snork"};
constexpr const char* kOwnBoatModel = "Q71i";

// Half the diagonal of the box around the model's own geometry (effect children left out).
float modelRadius(r3d::Clump& model, int& sizeCount) {
    r3d::Vec3 lo{1e30f, 1e30f, 1e30f}, hi{-1e30f, -1e30f, -1e30f};
    sizeCount = 0;
    const r3d::Matrix toModel = r3d::inverse(model.world());
    r3d::forAllClumps(model, [&](r3d::Clump& c) {
        sizeCount += r3d::polygonCount(c);
        if (c.tag == kTagWake || c.tag == kTagBubbles || c.tag == kTagFurtherEffect)
            return;
        const r3d::Matrix m = r3d::compose(toModel, c.world());
        for (const auto& v : c.vertices) {
            const r3d::Vec3 p = m.apply(v.position);
            lo = {std::min(lo.x, p.x), std::min(lo.y, p.y), std::min(lo.z, p.z)};
            hi = {std::max(hi.x, p.x), std::max(hi.y, p.y), std::max(hi.z, p.z)};
        }
    });
    if (lo.x > hi.x)
        return kMinRadius;
    return std::clamp(r3d::length(hi - lo) * 0.5f, kMinRadius, kMaxRadius);
}
} // namespace

int RWWidget::addObject(r3d::Clump* model, const std::string& name, const RwPose& pose, int kind, float size,
                        bool animatedParts, bool masts) {
    RwObject& o = objects_.emplace_front();
    o.name = name;
    o.clump = model;
    r3d::Clump* hull = model ? r3d::findByTag(*model, kTagHull) : nullptr;
    o.hull = hull ? hull : model;
    o.handle = nextHandle_++;
    o.x = pose.x;
    o.y = pose.y;
    o.z = pose.z;
    o.heading = pose.heading;
    o.pitch = pose.pitch;
    o.roll = pose.roll;
    o.kind = kind;
    o.size = size;
    if (model)
        o.radius = modelRadius(*model, o.sizeCount);
    o.visibleRange = visibilityRange(kind, hullDown_, farClip_);
    if (animatedParts)
        loadAnimatedParts(o);
    if (masts)
        loadMasts(o);
    return o.handle;
}

void RWWidget::loadAnimatedParts(RwObject& o) {
    const ObjectRecord* record = objdbFindByName(o.name);
    if (!record || !o.clump)
        return;
    float phase = 0.0f;
    for (std::size_t i = 0; i < o.parts.size(); ++i) {
        const AnimatedPart& entry = record->animatedParts[i];
        if (i > 0)
            phase -= 10.0f * entry.rate;
        if (entry.tag <= 0)
            continue;
        if (r3d::Clump* part = r3d::findByTag(*o.clump, entry.tag))
            o.parts[i] = {part, entry.motionType, entry.rate, phase};
    }
}

void RWWidget::loadMasts(RwObject& o) {
    if (o.name != kOwnBoatModel)
        return;
    for (std::size_t i = 0; i < o.masts.size(); ++i)
        o.masts[i].model = rwLoadModel(kMastModels[i], false);
}

void RWWidget::removeObject(int handle) {
    auto it = std::find_if(objects_.begin(), objects_.end(), [&](const RwObject& o) { return o.handle == handle; });
    if (it == objects_.end())
        return;
    for (auto& mast : it->masts) {
        if (!mast.model)
            continue;
        if (mast.attached)
            r3d::removeChild(mast.model);
        rwReleaseModel(mast.model);
    }
    if (it->inScene && scene_)
        scene_->removeClump(it->clump);
    if (attached_ == &*it) {
        attached_ = nullptr;
        // The camera stays where it was, free.
        freeCamera_ = cameraScene_;
        if (camera_)
            look_ = r3d::cameraLookAt(*camera_);
    }
    objects_.erase(it);
}

RwObject* RWWidget::findObject(int handle) {
    auto it = std::find_if(objects_.begin(), objects_.end(), [&](const RwObject& o) { return o.handle == handle; });
    return it == objects_.end() ? nullptr : &*it;
}

void RWWidget::clearAnimatedParts(int handle) {
    if (RwObject* o = findObject(handle))
        o->parts = {};
}

void RWWidget::setObjectSize(int handle, float size) {
    if (RwObject* o = findObject(handle))
        o->size = size;
}

void RWWidget::setObjectVisibleFlag(int handle, bool test) {
    if (RwObject* o = findObject(handle))
        o->bearingTest = test;
}

float RWWidget::getObjectSize(int handle) {
    RwObject* o = findObject(handle);
    return o ? o->radius : 0.0f;
}

RwObject* RWWidget::attachCamera(int handle) {
    attached_ = handle ? findObject(handle) : nullptr;
    return attached_;
}

} // namespace q71
