#include "tactical/rwutils/scene_entities.h"

#include "framework/math/fast_math.h"
#include "sim/entities/entity.h"
#include "sim/entities/motion/motion_model.h"
#include "sim/simulation/sim_clock.h"
#include "sim/simulation/world_lists.h"
#include "sim/world/object_database.h"
#include "tactical/rwutils/rw_cache.h"
#include "tactical/rwutils/rw_explosions.h"
#include "tactical/rwutils/rw_model_utils.h"
#include "tactical/rwutils/rw_puffs.h"
#include "tactical/rwutils/rw_wake.h"
#include "tactical/rwutils/rw_widget.h"

#include <algorithm>
#include <array>

namespace q71 {
namespace {

constexpr double kAliveHealth = 0.1;
constexpr double kDefaultBlast = 5.0;
constexpr double kBlastPerDiagonal = 1.5;
constexpr float kDentStrength = 0.2f;
constexpr int kWreckStage = 5;
// Health below which stages 0 ... 3 dent the model once more.
constexpr std::array<double, 4> kDentHealth{0.8, 0.6, 0.4, 0.2};
constexpr std::int32_t kClassBreaksInTwo = 1;
constexpr std::int32_t kClassLeavesWreck = 5;

constexpr double kWreckSmokePeriod = 0.25;

struct TrailLook {
    float period;
    int particles;
    float size;
    int emitterType;
    float a, b;
};

// The trail of an object record's class; none for the classes not named.
TrailLook trailOf(std::int32_t classCode, std::int32_t entityKind) {
    if (classCode == 0)
        return {0.25f, 1, 0.2f, kPuffBubbles, 15.0f, 0.4f};
    if (classCode == 2 || (classCode == 6 && entityKind == 4))
        return {0.1f, 3, 0.05f, kPuffBubbles, 20.0f, 0.4f};
    if (classCode == 10)
        return {0.05f, 3, 0.1f, kPuffRisingSmoke, 7.0f, 0.7f};
    return {};
}

struct List {
    std::vector<std::unique_ptr<SceneEntity>> records;
    RWWidget* view = nullptr;
    // Explosions hang in this clump of the attached view's scene, at the scene's own frame.
    r3d::Clump* blasts = nullptr;
    bool detail = true;
    bool observing = false;
};

List& list() {
    static List l;
    return l;
}

bool alive(const Entity& e) {
    return e.hull > kAliveHealth;
}

SceneEntity* findRecord(std::int32_t id) {
    for (auto& r : list().records)
        if (r->id == id)
            return r.get();
    return nullptr;
}

void attachPart(SceneEntity& r, ScenePart& part) {
    if (!part.model || part.attached)
        return;
    r3d::addChild(*r.clump, part.model);
    part.attached = true;
}

void addToView(SceneEntity& r) {
    List& l = list();
    rwRemoveTaggedChildren(*r.clump);
    Entity& e = *r.entity;
    const MotionModel& m = *e.motion;
    const RwPose pose{&m.x, &m.y, &m.z, &m.heading, &m.pitch, &m.roll};
    const bool whole = e.hull >= kAliveHealth;
    r.handle = l.view->addObject(r.clump, r.name, pose, r.kind, r.size, whole, e.isOwnShip());
    if (!r.bearingTest)
        l.view->setObjectVisibleFlag(r.handle, false);
    if (!whole)
        l.view->setObjectSize(r.handle, 0.0f);
    if (l.detail && whole && r.wake)
        rwDecorateModel(r.name, *r.clump, e.isOwnShip());
}

void freeRecord(std::unique_ptr<SceneEntity>& r) {
    if (list().view && r->handle >= 0)
        list().view->removeObject(r->handle);
    rwRemoveTaggedChildren(*r->clump);
    for (ScenePart& part : r->parts) {
        if (!part.model)
            continue;
        if (part.attached)
            r3d::removeChild(part.model);
        rwReleaseModel(part.model);
    }
    r3d::destroyClump(r->clump);
    r.reset();
}

void spawnExplosion(const Entity& blast) {
    RWWidget* view = list().view;
    if (!view || !view->scene())
        return;
    double size = kDefaultBlast;
    if (const Entity* target = worldFindEntity(blast.parentId))
        if (const SceneEntity* r = findRecord(target->id))
            size = kBlastPerDiagonal * distance3D(r->minimum.x, r->minimum.y, r->minimum.z, r->maximum.x,
                                                  r->maximum.y, r->maximum.z);
    List& l = list();
    if (!l.blasts)
        l.blasts = r3d::createClump();
    if (l.blasts->scene() != view->scene())
        view->scene()->addClump(l.blasts);
    const MotionModel& m = *blast.motion;
    rwStartExplosion(l.blasts, m.x, m.y, m.z, size, false, 0);
}

void loadPart(SceneEntity& r, std::string_view model, int type) {
    if (model.empty())
        return;
    r3d::Clump* clump = rwLoadModel(std::string(model), false);
    if (!clump)
        return;
    clump->tag = RWWidget::kTagHull;
    r.parts.push_back({type, clump, false});
}

void entityAdded(Entity& e) {
    const ObjectRecord* record = objdbFindById(e.recordId);
    if (!record || !e.motion)
        return;
    List& l = list();
    if (record->keyName.view() == "Explosion") {
        spawnExplosion(e);
        return;
    }
    if (findRecord(e.id))
        return;
    auto r = std::make_unique<SceneEntity>();
    r->name = std::string(record->keyName.view());
    r->clump = r3d::createClump();
    r->id = e.id;
    r->entity = &e;
    r->kind = static_cast<int>(record->kind);
    r->size = record->size;
    if (r3d::Clump* hull = rwLoadModel(r->name, true)) {
        hull->tag = RWWidget::kTagHull;
        r->parts.push_back({1, hull, false});
        attachPart(*r, r->parts.back());
        rwModelBounds(*hull, r->minimum, r->maximum);
        r->radius = std::max({r->maximum.x, r->maximum.y, r->maximum.z});
    }
    const TrailLook trail = trailOf(record->classCode, e.kind);
    r->trailPeriod = trail.period;
    r->particles = trail.particles;
    r->particleSize = trail.size;
    r->emitterType = trail.emitterType;
    r->particleA = trail.a;
    r->particleB = trail.b;
    r->emitterVariant = record->classCode == 0 ? record->trailVariant : (trail.particles > 0 ? 1 : 0);
    r->wake = l.detail && (record->kind != kObjectKindSurfaceShip || e.motion->speed >= 2.0);
    if (l.detail) {
        if (record->classCode == kClassBreaksInTwo) {
            loadPart(*r, record->secondModelName.view(), 3);
            loadPart(*r, record->thirdModelName.view(), 3);
        } else if (record->classCode == kClassLeavesWreck) {
            loadPart(*r, record->secondModelName.view(), 2);
        }
    }
    if (l.view)
        addToView(*r);
    l.records.push_back(std::move(r));
}

void entityDestroyed(Entity& e) {
    auto& records = list().records;
    auto it = std::find_if(records.begin(), records.end(), [&](const auto& r) { return r->id == e.id; });
    if (it == records.end())
        return;
    std::unique_ptr<SceneEntity> r = std::move(*it);
    records.erase(it);
    freeRecord(r);
}

void observe(std::uintptr_t, Entity* entity, int flag) {
    if (!entity)
        return;
    if (flag == kWorldEntityAdded)
        entityAdded(*entity);
    else if (flag == kWorldEntityDestroyed)
        entityDestroyed(*entity);
}

void dent(SceneEntity& r) {
    rwDeformModel(*r.clump, kDentStrength, r.radius * 0.5f);
    ++r.damageStage;
}

ScenePart* partOfType(SceneEntity& r, int type) {
    auto it = std::find_if(r.parts.begin(), r.parts.end(), [type](const ScenePart& p) { return p.type == type; });
    return it == r.parts.end() ? nullptr : &*it;
}

// Swaps the hull for its wreck part, or for its two sections once the motion reports the hull
// broken (until then the dented hull stays); nothing once the hull is gone or without either.
void swapHull(SceneEntity& r) {
    ScenePart* hull = partOfType(r, 1);
    if (!hull || r.parts.size() < 2)
        return;
    const bool sections = partOfType(r, 3) != nullptr;
    ScenePart* wreckPart = partOfType(r, 2);
    if (sections ? r.entity->motion->breaksInTwo == 0 : wreckPart == nullptr)
        return;
    if (hull->attached)
        r3d::removeChild(hull->model);
    rwReleaseModel(hull->model);
    *hull = ScenePart{};
    if (!sections) {
        attachPart(r, *wreckPart);
        return;
    }
    for (ScenePart& part : r.parts)
        if (part.type == 3)
            attachPart(r, part);
    // The halves drift apart: the wreck is drawn whatever its bearing.
    r.bearingTest = false;
    RWWidget* view = list().view;
    if (view && r.handle >= 0)
        view->setObjectVisibleFlag(r.handle, false);
}

// The second section follows the motion's second body. It hangs in the entity's clump, which the
// view places at the first body: the clump's attitude is undone, the section moved by the
// bodies' offset and given the second body's attitude.
void placeSecondSection(SceneEntity& r) {
    int seen = 0;
    ScenePart* second = nullptr;
    for (ScenePart& part : r.parts)
        if (part.type == 3 && ++seen == 2)
            second = &part;
    const MotionModel& m = *r.entity->motion;
    if (!second || !second->attached || m.breaksInTwo == 0)
        return;
    const HullPiece& b = m.secondPiece;
    const r3d::Vec3 offset{static_cast<float>((b.x - m.x) * 0.1), static_cast<float>((b.z - m.z) * 0.1),
                           static_cast<float>(-(b.y - m.y) * 0.1)};
    r3d::Clump& c = *second->model;
    using r3d::Axis;
    using r3d::Matrix;
    r3d::transformJoint(c, Matrix::rotation(Axis::Z, static_cast<float>(-b.roll)), r3d::Combine::Replace);
    r3d::transformJoint(c, Matrix::rotation(Axis::X, static_cast<float>(-b.pitch)), r3d::Combine::Postcat);
    r3d::transformJoint(c, Matrix::rotation(Axis::Y, static_cast<float>(180.0 - b.heading)), r3d::Combine::Postcat);
    r3d::transformJoint(c, Matrix::translation(offset), r3d::Combine::Postcat);
    r3d::transformJoint(c, Matrix::rotation(Axis::Y, static_cast<float>(m.heading - 180.0)), r3d::Combine::Postcat);
    r3d::transformJoint(c, Matrix::rotation(Axis::X, static_cast<float>(m.pitch)), r3d::Combine::Postcat);
    r3d::transformJoint(c, Matrix::rotation(Axis::Z, static_cast<float>(m.roll)), r3d::Combine::Postcat);
}

// The last stage: effects off, the hull swapped for its wreck or its sections where the model
// has them.
void wreck(SceneEntity& r) {
    RWWidget* view = list().view;
    rwRemoveTaggedChildren(*r.clump);
    if (view && r.handle >= 0) {
        view->clearAnimatedParts(r.handle);
        view->setObjectSize(r.handle, 0.0f);
    }
    swapHull(r);
}

// A puff of the record's trail at a scene point (y up).
void trailPuff(const SceneEntity& r, float x, float y, float z) {
    const bool smoke = r.emitterType == kPuffRisingSmoke;
    rwAddPuff(x, y, z, r.particleSize, r.particleB, r.particleA, r.emitterType, smoke ? 0.01f : 0.0f, 0.0f,
              smoke ? 0.03f : 0.02f, 0.0f);
}

// The particles of one emission, spread behind the stern along the distance run since the last.
void emitTrail(const SceneEntity& r) {
    const MotionModel& m = *r.entity->motion;
    const double oX = r.radius * tableSinDegrees(m.heading);
    const double oY = r.radius * tableCosDegrees(m.heading);
    const double oZ = r.radius * tableSinDegrees(m.pitch);
    const double s = m.speed * 0.1;
    for (int k = 0; k < r.particles; ++k) {
        const double f = static_cast<double>(k) / r.particles;
        const double g = r.radius > 0.0f ? 1.0 + s * r.trailPeriod * f / r.radius : 1.0;
        const auto x = static_cast<float>(m.x * 0.1 - oX * g);
        if (r.emitterType == kPuffBubbles && r.emitterVariant == 2) {
            for (double side : {-4.0, 4.0})
                trailPuff(r, x, static_cast<float>((m.z - 2) * 0.1 - oZ * g),
                          static_cast<float>(-((m.y + side) * 0.1 - oY * g)));
        } else {
            trailPuff(r, x, static_cast<float>(m.z * 0.1 - oZ * g),
                      static_cast<float>(-(m.y * 0.1 - oY * g)));
        }
    }
}

void animate(SceneEntity& r) {
    const Entity& e = *r.entity;
    const double now = simClock().gameClock;
    if (!alive(e)) {
        if (now > r.lastEmission + kWreckSmokePeriod) {
            const MotionModel& m = *e.motion;
            rwAddPuff(static_cast<float>(m.x * 0.1), static_cast<float>(m.z * 0.1 + 0.5),
                      static_cast<float>(-m.y * 0.1), 2.0f, 0.3f, 120.0f, kPuffSmoke, 2.0f, 0.02f, 0.5f,
                      0.02f);
            r.lastEmission = now;
        }
        if (r.damageStage < kWreckStage) {
            dent(r);
            if (r.damageStage == kWreckStage)
                wreck(r);
        } else {
            swapHull(r); // a break reported after the last stage
        }
        placeSecondSection(r);
        return;
    }
    if (r.particles > 0 && e.motion->trailOn() && now > r.lastEmission + r.trailPeriod) {
        emitTrail(r);
        r.lastEmission = now;
    }
    List& l = list();
    if (r.wake && l.view && r.handle >= 0 && e.motion->driveSpeed == 0.0 && !e.isOwnShip() &&
        e.category != kCategoryHelo) {
        l.view->clearAnimatedParts(r.handle);
        l.view->setObjectSize(r.handle, 0.0f);
        rwRemoveTaggedChildren(*r.clump);
        r.wake = false;
    }
    if (r.damageStage < static_cast<int>(kDentHealth.size()) &&
        e.hull < kDentHealth[static_cast<std::size_t>(r.damageStage)])
        dent(r);
}

// The explosions of a view that goes end with it.
void dropBlasts() {
    List& l = list();
    if (!l.blasts)
        return;
    rwDropExplosionsIn(l.blasts);
    r3d::destroyClump(l.blasts);
    l.blasts = nullptr;
}

} // namespace

void effectsBegin() {
    List& l = list();
    for (auto* node = worldList().head(); node; node = node->next)
        observe(kSceneEntitiesObserver, node->item, kWorldEntityAdded);
    if (!l.observing) {
        worldAddEntityObserver(kSceneEntitiesObserver, observe);
        l.observing = true;
    }
}

void effectsEnd() {
    List& l = list();
    dropBlasts();
    for (auto& r : l.records)
        freeRecord(r);
    l.records.clear();
    if (l.observing)
        worldRemoveEntityObserver(kSceneEntitiesObserver);
    l.observing = false;
    l.view = nullptr;
}

void effectsSetView(RWWidget* view, bool detail) {
    if (view != list().view)
        dropBlasts();
    list().view = view;
    list().detail = detail;
}

void effectsAttachView() {
    if (!list().view)
        return;
    for (auto& r : list().records)
        if (r->handle < 0) // records made while the view was set are in it already
            addToView(*r);
}

void effectsDetachView() {
    List& l = list();
    if (l.view)
        for (auto& r : l.records) {
            l.view->removeObject(r->handle);
            r->handle = -1;
        }
    dropBlasts();
    l.view = nullptr;
}

void effectsAnimate() {
    for (auto& r : list().records)
        animate(*r);
}

std::vector<SceneViewObject> effectsGetViewObjects() {
    std::vector<SceneViewObject> objects;
    for (const auto& r : list().records)
        objects.push_back({r->handle, r->name, r->id});
    return objects;
}

std::vector<Entity*> effectsGetEntities() {
    std::vector<Entity*> entities;
    for (const auto& r : list().records)
        entities.push_back(r->entity);
    return entities;
}

const std::vector<std::unique_ptr<SceneEntity>>& sceneEntities() {
    return list().records;
}

} // namespace q71
