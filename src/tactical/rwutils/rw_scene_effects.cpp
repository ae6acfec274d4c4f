#include "tactical/rwutils/rw_scene_effects.h"

#include "tactical/rwutils/rw_effects.h"
#include "tactical/rwutils/rw_explosions.h"

namespace q71 {
namespace {

class SceneEffects final : public RwEffects {
public:
    void updateExplosions(float originX, float originZ) override { rwUpdateExplosions(originX, originZ); }
    // Wakes, particles, puffs and bubbles are not drawn yet.
    void drawEffects(r3d::Vec3) override {}
    void drawBubbles(r3d::Vec3) override {}
    void releaseWakeTexture() override {}
};

} // namespace

void rwInstallSceneEffects() {
    static SceneEffects effects;
    rwInstallEffects(&effects);
}

} // namespace q71
