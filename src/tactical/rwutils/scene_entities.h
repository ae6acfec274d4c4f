#pragma once
// The scene-entity list (docs/rwutils.md): one record per entity of the world with its model (a
// parent clump holding the hull and, with detail, the wreck parts), kept in step with the world
// by an entity observer. One view at a time is attached and shows every record as an object.
// Entities called "Explosion" get no record: each spawns an explosion in the attached view.
// Once per frame the list dents damaged models and swaps destroyed ones for their wrecks.

#include "render3d/clump.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace q71 {

class Entity;
class RWWidget;

/// The owner key of the list's world observer.
inline constexpr std::uintptr_t kSceneEntitiesObserver = 88;

struct ScenePart {
    int type = 0; ///< 1 hull, 2 wreck shown after destruction, 3 broken-off section
    r3d::Clump* model = nullptr;
    bool attached = false;
};

struct SceneEntity {
    std::string name;
    r3d::Clump* clump = nullptr; ///< owns the attached parts
    std::int32_t id = 0;
    Entity* entity = nullptr;
    int kind = 0;
    float size = 0.0f;
    int handle = -1; ///< object in the attached view
    double lastEmission = 0.0;
    int damageStage = 0;
    r3d::Vec3 minimum{}, maximum{};
    float radius = 0.0f;
    std::vector<ScenePart> parts;
    // The trail: an emission every period of `particles` puffs of `particleSize`.
    float trailPeriod = 0.0f;
    int particles = 0;
    float particleSize = 0.0f;
    int emitterType = 0;
    float particleA = 0.0f, particleB = 0.0f;
    int emitterVariant = 0;
    bool wake = false;
    bool bearingTest = true;
};

/// Records for every entity of the world, then the observer (once until effectsEnd).
void effectsBegin();
/// Frees every record and unregisters the observer; the view is let go.
void effectsEnd();
/// The view the records will be shown in and its detail (1: wakes and wreck parts).
void effectsSetView(RWWidget* view, bool detail);
void effectsAttachView();
/// Removes every record's object from the view and lets the view go.
void effectsDetachView();
/// Once per frame: damage dents, destruction, trails and stopped wakes.
void effectsAnimate();
struct SceneViewObject {
    int handle = -1;
    std::string name;
    std::int32_t id = 0;
};
/// Each record's object in the attached view (handle −1 when none), name and entity id.
std::vector<SceneViewObject> effectsGetViewObjects();
/// Each record's entity, in the records' order.
std::vector<Entity*> effectsGetEntities();
/// The records, for the views and tests.
const std::vector<std::unique_ptr<SceneEntity>>& sceneEntities();

} // namespace q71
