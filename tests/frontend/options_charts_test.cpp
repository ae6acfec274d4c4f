// The chart options changed during a mission, from the options screen the host opens: the open
// navigation and fire-control charts take them at once, as new charts do.
#include "framework/app/app_services.h"
#include "framework/app/screen_manager.h"
#include "framework/app/station_table.h"
#include "frontend/frontend_services.h"
#include "frontend/options/options_record.h"
#include "frontend/options/options_screen.h"
#include "host_mission_fixture.h"
#include "sim/services/shell_simulation.h"
#include "sim/services/sim_services.h"
#include "stations/firectrl/fire_control_stations.h"
#include "stations/firectrl/fire_ctrl.h"
#include "stations/firectrl/fire_panel_parts.h"
#include "stations/firectrl/fire_panels.h"
#include "stations/nav/nav_screen.h"
#include "stations/station_charts.h"
#include "tactical/charts/chart_defaults.h"
#include "tactical/tactical_shell.h"

#include <gtest/gtest.h>

namespace q71 {
namespace {

class OptionsAndCharts : public test::HostMissionFixture {
protected:
    OptionsAndCharts() {
        appInstallServices({nullptr, &tacticalShellServices(), &simShellSimulation(), &simShellWorldStep(),
                            &frontEndShellServices(), nullptr});
        // Fire control stands as the program installs it: its launchers and panels.
        simInstallServices({.weapons = &fireControlStations()});
        firePanelsInstall();
        navRegisterStation();
        fireRegisterStation();
    }
    ~OptionsAndCharts() override {
        screenDestroy(kSlotGenInfo);
        stationRegisterMaker(kStationNavigation, nullptr);
        stationRegisterMaker(kStationFireControl, nullptr);
        firePanelInstallMakers({});
        fireControlStations().restoreStationStates({});
        simInstallServices({});
        optionsRecord() = optionsDefaults();
        // The charts of later tests are drawn at the defaults this test found.
        chartSetDefaultCellSize(cellSize_);
        chartSetDefaultShades(shades_);
    }

private:
    int cellSize_ = chartDefaultCellSize();
    int shades_ = chartDefaultShades();
};

TEST_F(OptionsAndCharts, ChartOptionsChangedInAMissionReachTheOpenCharts) {
    startOnHost("Sa1.scn");
    OwnShipChart* nav = stationNavChart();
    OwnShipChart* fire = stationFireChart();
    ASSERT_NE(nav, nullptr) << "the host built the navigation chart";
    ASSERT_NE(fire, nullptr) << "and the fire-control chart";

    screenCreateOptions(kOptionsBackToHost);
    screenSwitch(kSlotOptions);
    pump();
    auto& options = *static_cast<OptionsScreen*>(screenGet(kSlotOptions));
    options.showPage(OptionsPage::Display);
    for (int click = 0; click < 3; ++click)
        options.cycleLine(3); // the cell size
    options.cycleLine(2);     // the shading
    const int cellField = options.edited().field(3), shadesField = options.edited().field(2);
    options.applyCurrentPage();
    pump();
    EXPECT_EQ(screenCurrentIndex(), kSlotGenInfo) << "back to the mission";
    // Cell size = the field + 1; 9 shades with shading on, 1 with it off.
    const int cell = cellField + 1, shades = shadesField != 0 ? 9 : 1;
    for (OwnShipChart* chart : {nav, fire}) {
        EXPECT_EQ(chart->baseCellSize(), cell);
        EXPECT_EQ(chart->shades(), shades);
    }
    EXPECT_EQ(chartDefaultCellSize(), cell);
    EXPECT_EQ(chartDefaultShades(), shades);
}

} // namespace
} // namespace q71
