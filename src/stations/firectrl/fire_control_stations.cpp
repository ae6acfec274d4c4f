#include "stations/firectrl/fire_control_stations.h"

#include "sim/entities/motion/own_boat_motion.h"
#include "sim/entities/types/own_submarine.h"
#include "sim/services/sim_services.h"
#include "sim/simulation/world_lists.h"
#include "stations/firectrl/fire_ctrl.h"
#include "stations/firectrl/torpedo_tube.h"
#include "stations/firectrl/vls_cell.h"
#include "stations/station_charts.h"

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
    if (FireCtrl* screen = fireCtrl())
        screen->setTubeSideState(side, state);
}

std::int32_t FireControlStations::tubeSideState(int side) const {
    return side == kTubeSideStarboard || side == kTubeSidePort
               ? tubeSideStates_[static_cast<std::size_t>(side - 1)]
               : 0;
}

std::vector<WorldPoint> FireControlStations::plottedWaypoints() const {
    if (const OwnShipChart* chart = stationNavChart())
        return chart->waypointPositions();
    // Without the navigation chart the boat's own copy stands, so a save loses nothing.
    std::vector<WorldPoint> kept;
    if (const auto* own = worldOwnSubmarineWithMotion()) {
        const OwnShipMotion& motion = *own->ownMotion;
        for (int i = 0; i < motion.waypointCount && i < OwnShipMotion::kWaypointCapacity; ++i)
            kept.push_back({motion.waypoints[static_cast<std::size_t>(i)].x,
                            motion.waypoints[static_cast<std::size_t>(i)].y});
    }
    return kept;
}

FireControlStations& fireControlStations() {
    static FireControlStations fireControl;
    return fireControl;
}

} // namespace q71
