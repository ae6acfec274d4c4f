#include "frontend/mission/front_end_host.h"

#include "framework/app/screen_manager.h"

namespace q71 {
namespace {

class PlainHost final : public HostScreen {
public:
    // The plain screen has no stations to lock and no damage station to show.
    void ownShipDestroyed() override {}
    // Nor an engine-noise loop.
    void setEngineSound(bool) override {}
    void showDeathScreen() override { screenShowDeath(); }
};

} // namespace

HostScreen& frontEndHostScreen() {
    static PlainHost host;
    return host;
}

} // namespace q71
