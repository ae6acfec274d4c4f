#pragma once
// The fire-control station of a running mission with its real launcher panels on the fire panel
// page, shown, as the host holds it.

#include "tactical/support/station_mission.h"

#include "sim/entities/contact_record.h"
#include "sim/entities/types/own_submarine.h"
#include "sim/services/sim_services.h"
#include "sim/simulation/launcher_tables.h"
#include "sim/simulation/mission_state.h"
#include "sim/simulation/world_lists.h"
#include "stations/firectrl/decoy_panel.h"
#include "stations/firectrl/fire_control_stations.h"
#include "stations/firectrl/fire_ctrl.h"
#include "stations/firectrl/fire_panel.h"
#include "stations/firectrl/fire_panels.h"
#include "stations/firectrl/torpedo_tube.h"
#include "stations/firectrl/tube_panel.h"
#include "stations/firectrl/vls_cell.h"
#include "stations/firectrl/vls_panel.h"

namespace q71::test {

class FirePanelsMission : public StationMission {
protected:
    FirePanelsMission() {
        simInstallServices({.audio = &audio, .weapons = &fireControlStations(), .frontEnd = &options});
        firePanelsInstall();
    }
    void TearDown() override {
        host().setChild(kStationFireControl, nullptr);
        firePanelInstallMakers({});
        missionState().loadedFromSave = false;
        fireControlStations().restoreStationStates({});
        StationMission::TearDown();
    }

    /// Builds the station as the host does and shows its fire panel page.
    FirePanel& buildPanels() {
        fireRegisterStation();
        SubScreen* built = buildRegisteredStation(kStationFireControl);
        stationRegisterMaker(kStationFireControl, nullptr);
        station_ = static_cast<FireCtrl*>(built);
        showStation(kStationFireControl);
        station_->onCommand(kFireCmdPanel, 0);
        pump();
        return station_->firePanel();
    }
    FireCtrl& station() { return *station_; }
    FirePanel& panel() { return station_->firePanel(); }
    TubePanel& tubePanel(std::size_t i) { return dynamic_cast<TubePanel&>(*panel().tubePanel(i)); }
    VlsPanel& cellPanel(std::size_t i) { return dynamic_cast<VlsPanel&>(*panel().cellPanel(i)); }
    DecoyPanel& decoyPanel(std::size_t i) { return dynamic_cast<DecoyPanel&>(*panel().decoyPanel(i)); }
    TorpedoTube& tube(std::size_t i) { return static_cast<TorpedoTube&>(*launcherTables()->tubes[i]); }
    VlsCell& cell(std::size_t i) { return static_cast<VlsCell&>(*launcherTables()->cells[i]); }
    /// A notification of a panel's control, as the page hears it.
    void notify(int id, int notification) { panel().onCommand(static_cast<WParam>(id), notification); }
    /// A new contact of the own boat on another entity of the world (the sonar's type 7).
    static ContactRecord* registerContact() {
        auto& own = dynamic_cast<OwnShipEntity&>(*worldOwnShip());
        const Entity* target = nullptr;
        for (auto* node = worldList().head(); node && !target; node = node->next)
            if (node->item != &own && node->item->designation[7] == 0)
                target = node->item;
        EXPECT_NE(target, nullptr);
        if (!target)
            return nullptr;
        own.registerContact(7, target->id, 90.0, 6000.0, -1.0, -1.0, 95);
        ContactRecord* last = nullptr;
        for (auto* node = own.contacts.head(); node; node = node->next)
            last = node->item;
        return last;
    }
    /// Sets the own boat's stock of a weapon type.
    static void setStock(std::int32_t type, std::int32_t count) {
        adjustWeaponInventory(count - weaponStock(type), type);
    }

private:
    FireCtrl* station_ = nullptr;
};

} // namespace q71::test
