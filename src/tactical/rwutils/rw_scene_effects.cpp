#include "tactical/rwutils/rw_scene_effects.h"

#include "tactical/rwutils/rw_effects.h"
#include "tactical/rwutils/rw_explosions.h"
#include "tactical/rwutils/rw_puffs.h"
#include "tactical/rwutils/rw_wake.h"

namespace q71 {
namespace {

class SceneEffects final : public RwEffects {
public:
    void updateExplosions(float originX, float originZ) override { rwUpdateExplosions(originX, originZ); }
    void drawEffects(r3d::Vec3 camera) override { rwDrawPuffs(camera); }
    void drawBubbles(r3d::Vec3 camera) override { rwDrawParticles(camera); }
    void releaseWakeTexture() override { rwFreeWake(); }
};

} // namespace

void rwInstallSceneEffects() {
    static SceneEffects effects;
    rwInstallEffects(&effects);
}

} // namespace q71
