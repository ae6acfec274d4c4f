#include "tactical/tactical_shell.h"

#include "render3d/library.h"
#include "tactical/charts/chart_defaults.h"
#include "tactical/radio/radio_station.h"
#include "tactical/rwutils/rw_puffs.h"
#include "tactical/rwutils/rw_scene_effects.h"
#include "tactical/rwutils/scene_entities.h"
#include "tactical/rwutils/sea_texture.h"

#include <cstdint>
#include <utility>

namespace q71 {
namespace {

// The program's open call: two option pairs, then the renderer-state setting.
constexpr r3d::OptionPair kRendererOptions[] = {{1007, 0}, {1004, 16}};
constexpr int kRendererStateSetting = 450;
constexpr std::int32_t kRendererStateValue = 2;

class TacticalShell final : public AppTactical {
public:
    bool openRenderer() override {
        if (!r3d::openLibrary(r3d::kDevice, kRendererOptions))
            return false;
        r3d::setLibrarySetting(kRendererStateSetting, kRendererStateValue);
        return true;
    }
    void closeRenderer() override { r3d::closeLibrary(); }
    void updateSeaTexture() override { rwUpdateSeaTexture(); }
    void shutdown() override { rwShutdown(); }
    void initParticles() override {
        rwInstallSceneEffects();
        rwInitParticles();
    }
    void effectsBegin() override { q71::effectsBegin(); }
    void effectsAnimate() override {
        rwUpdatePuffs();
        q71::effectsAnimate();
    }
    void effectsEnd() override { q71::effectsEnd(); }
    void freeEffectList() override { rwFreeEffectList(); }

    // The options reach new charts and the station charts open now alike.
    void setChartDefaultCellSize(int size) override { chartApplyCellSize(size); }
    void setChartDefaultShades(int count) override { chartApplyShades(count); }
};

// What the simulation asks of the displays: the sea texture, the puffs cleared, and the radio
// room's lines for a saved mission and back.
class TacticalSimDisplays final : public TacticalDisplays {
public:
    void updateSeaTexture() override { rwUpdateSeaTexture(); }
    void clearEffectList() override { rwClearEffectList(); }
    std::vector<std::string> radioRoomLines() const override { return radioSavedLines(); }
    void restoreRadioRoomLines(std::vector<std::string> lines) override { radioRestoreLines(std::move(lines)); }
};

} // namespace

TacticalDisplays& tacticalSimDisplays() {
    static TacticalSimDisplays displays;
    return displays;
}

AppTactical& tacticalShellServices() {
    static TacticalShell services;
    return services;
}

} // namespace q71
