#include "tactical/tactical_shell.h"

#include "tactical/charts/chart_defaults.h"

namespace q71 {
namespace {

class TacticalShell final : public AppTactical {
public:
    // Seam of the 3-D view: no renderer, particles, sea texture or effects exist yet.
    bool openRenderer() override { return true; }
    void closeRenderer() override {}
    void initParticles() override {}
    void updateSeaTexture() override {}
    void effectsBegin() override {}
    void effectsAnimate() override {}
    void effectsEnd() override {}
    void freeEffectList() override {}
    void shutdown() override {}

    void setChartDefaultCellSize(int size) override { chartSetDefaultCellSize(size); }
    void setChartDefaultShades(int count) override { chartSetDefaultShades(count); }
};

} // namespace

AppTactical& tacticalShellServices() {
    static TacticalShell services;
    return services;
}

} // namespace q71
