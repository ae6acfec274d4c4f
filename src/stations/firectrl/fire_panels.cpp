#include "stations/firectrl/fire_panels.h"

#include "stations/firectrl/decoy_panel.h"
#include "stations/firectrl/tube_panel.h"
#include "stations/firectrl/vls_panel.h"

namespace q71 {

void firePanelsInstall() {
    firePanelInstallMakers({
        [](WindowHandle page, int index, const FirePanelRow& row) -> std::unique_ptr<CellPanelPart> {
            return std::make_unique<VlsPanel>(page, index, row);
        },
        [](WindowHandle page, int index, const FirePanelRow& row) -> std::unique_ptr<TubePanelPart> {
            return std::make_unique<TubePanel>(page, index, row);
        },
        [](FirePanel& owner, int index, const FirePanelRow& row,
           const char* lamp) -> std::unique_ptr<DecoyPanelPart> {
            return std::make_unique<DecoyPanel>(owner, index, row, lamp);
        },
    });
}

} // namespace q71
