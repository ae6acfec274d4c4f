#pragma once
// The fire-control station on a running mission of the data set, as the host builds it, with the
// parts of it the tests look at: its display, chart and plot, the launchers, the own boat and a
// contact of it.

#include "tactical/support/station_mission.h"

#include "sim/entities/types/own_submarine.h"
#include "sim/services/sim_services.h"
#include "sim/simulation/launcher_tables.h"
#include "sim/simulation/mission_state.h"
#include "sim/simulation/world_lists.h"
#include "stations/firectrl/fire_chart.h"
#include "stations/firectrl/fire_contact.h"
#include "stations/firectrl/fire_control_stations.h"
#include "stations/firectrl/fire_ctrl.h"
#include "stations/firectrl/fire_display.h"
#include "stations/firectrl/fire_panel_parts.h"
#include "stations/firectrl/launcher.h"
#include "support/golden_image.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace q71::test {

class FireMission : public StationMission {
protected:
    FireMission() {
        simInstallServices({.audio = &audio, .weapons = &fireControlStations(), .frontEnd = &options});
    }
    void TearDown() override {
        host().setChild(kStationFireControl, nullptr);
        firePanelInstallMakers({});
        missionState().loadedFromSave = false;
        StationMission::TearDown();
    }

    /// Builds the station as the host does (the display is its page at start).
    FireCtrl& build() {
        fireRegisterStation();
        SubScreen* station = buildRegisteredStation(kStationFireControl);
        stationRegisterMaker(kStationFireControl, nullptr);
        EXPECT_NE(station, nullptr);
        return *static_cast<FireCtrl*>(station);
    }

    /// Keeps the station's picture as artefacts/firectrl-<name>.png.
    void keepPage(const std::string& name) {
        EXPECT_TRUE(keepArtefact(*stationPicture(), "firectrl-" + name + ".png")) << name;
    }

    FireDisplay& display() { return fireCtrl()->display(); }
    FireChart& chart() { return *display().chart(); }
    const FirePlot& plot() { return *display().plot(); }
    static Launcher& tube(std::size_t slot) { return static_cast<Launcher&>(*launcherTables()->tubes[slot]); }
    static Launcher& cell(std::size_t slot) { return static_cast<Launcher&>(*launcherTables()->cells[slot]); }
    static std::vector<LaunchWaypoint*> listOf(Launcher& launcher) {
        std::vector<LaunchWaypoint*> list;
        for (auto* node = launcher.waypoints.head(); node; node = node->next)
            list.push_back(node->item);
        return list;
    }
    OwnShipEntity& own() { return *worldOwnSubmarine(); }

    /// A contact of the own boat (a sonar contact at 90 degrees, 6000 yards) on another entity of
    /// the world, with its designation number.
    std::pair<ContactRecord*, std::int32_t> registerContact() {
        const Entity* target = nullptr;
        for (auto* node = worldList().head(); node && !target; node = node->next)
            if (node->item != worldOwnShip() && node->item->designation[7] == 0)
                target = node->item;
        EXPECT_NE(target, nullptr);
        if (!target)
            return {nullptr, 0};
        own().registerContact(7, target->id, 90.0, 6000.0, -1.0, -1.0, 95);
        for (auto* node = own().contacts.head(); node; node = node->next)
            if (worldFindByDesignation(node->item->designation) == target)
                return {node->item, contactShownNumber(node->item->designation)};
        ADD_FAILURE() << "no record for the contact";
        return {nullptr, 0};
    }
};

} // namespace q71::test
