#include "stations/firectrl/fire_control_stations.h"

#include "sim/services/sim_services.h"
#include "stations/firectrl/torpedo_tube.h"
#include "stations/firectrl/vls_cell.h"

namespace q71 {

std::unique_ptr<WeaponLauncher> FireControlStations::createTorpedoTube(int number) {
    return std::make_unique<TorpedoTube>(number);
}

std::unique_ptr<WeaponLauncher> FireControlStations::createVlsCell(int number) {
    return std::make_unique<VlsCell>(number);
}

bool FireControlStations::unlimitedWeapons() const {
    return simFrontEnd().optionsField(kOptionUnlimitedWeapons) != 0;
}

void FireControlStations::setUnlimitedWeapons(bool on) {
    simFrontEnd().setOptionsField(kOptionUnlimitedWeapons, on ? 1 : 0);
}

void FireControlStations::setTubeSideState(int side, int state) {
    if (side == kTubeSideStarboard || side == kTubeSidePort)
        tubeSideStates_[static_cast<std::size_t>(side - 1)] = state;
}

std::int32_t FireControlStations::tubeSideState(int side) const {
    return side == kTubeSideStarboard || side == kTubeSidePort
               ? tubeSideStates_[static_cast<std::size_t>(side - 1)]
               : 0;
}

std::vector<WorldPoint> FireControlStations::plottedWaypoints() const {
    return {}; // the navigation station keeps the plot; until it is built nothing is plotted
}

FireControlStations& fireControlStations() {
    static FireControlStations fireControl;
    return fireControl;
}

} // namespace q71
