#include "tactical/rwutils/rw_effects.h"

namespace q71 {
namespace {

class NoEffects final : public RwEffects {
public:
    void updateExplosions(float, float) override {}
    void drawEffects(r3d::Vec3) override {}
    void drawBubbles(r3d::Vec3) override {}
    void releaseWakeTexture() override {}
};

RwEffects* installed = nullptr;

} // namespace

RwEffects& rwEffects() {
    static NoEffects none;
    return installed ? *installed : none;
}

void rwInstallEffects(RwEffects* effects) {
    installed = effects;
}

} // namespace q71
