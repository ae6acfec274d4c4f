#include "stations/geninfo/gen_info_service.h"

#include "framework/app/screen_manager.h"
#include "sim/services/host_screen.h"
#include "stations/geninfo/gen_info.h"
#include "stations/geninfo/host_hooks.h"

namespace q71 {
namespace {

HostLossHooks g_lossHooks;

GenInfo* builtHost() {
    return dynamic_cast<GenInfo*>(screenGet(kSlotGenInfo));
}

class GenInfoHost final : public HostScreen {
public:
    void ownShipDestroyed() override {
        if (GenInfo* host = builtHost())
            host->onOwnShipDestroyed();
    }
    void setEngineSound(bool on) override {
        if (GenInfo* host = builtHost())
            host->setEngineSound(on);
    }
    void showDeathScreen() override { screenShowDeath(); }
};

std::unique_ptr<FullScreen> makeGenInfo(const ScreenRequest& request) {
    return std::make_unique<GenInfo>("gen_info", request.mainWindow, 640, 480, 0, 0);
}

} // namespace

void genInfoSetLossHooks(const HostLossHooks& hooks) {
    g_lossHooks = hooks;
}

const HostLossHooks& genInfoLossHooks() {
    return g_lossHooks;
}

void genInfoRegisterScreen() {
    screenRegisterMaker(kSlotGenInfo, makeGenInfo);
}

HostScreen& genInfoHostScreen() {
    static GenInfoHost host;
    return host;
}

} // namespace q71
