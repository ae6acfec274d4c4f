// Fire control over the missions of one run, as the front end leads the player through them: the
// second mission's launchers and panels start afresh whatever the first left in them, and the
// panels built again over the running mission after a refused load show its launchers as the
// player left them.
#include "framework/app/screen_manager.h"
#include "framework/app/station_table.h"
#include "framework/widgets/animated_switch.h"
#include "frontend/debrief/debrief_layout.h"
#include "frontend/frontend_services.h"
#include "frontend/options/options_record.h"
#include "frontend/selection/selection_layout.h"
#include "frontend/stateroom/stateroom.h"
#include "frontend/stateroom/stateroom_layout.h"
#include "host_mission_fixture.h"
#include "platform/msgbox/message_box_types.h"
#include "sim/entities/entity.h"
#include "sim/services/sim_services.h"
#include "sim/simulation/launcher_tables.h"
#include "sim/simulation/world_lists.h"
#include "stations/firectrl/decoy_panel.h"
#include "stations/firectrl/fire_control_stations.h"
#include "stations/firectrl/fire_ctrl.h"
#include "stations/firectrl/fire_layout.h"
#include "stations/firectrl/fire_panel.h"
#include "stations/firectrl/fire_panel_layout.h"
#include "stations/firectrl/fire_panels.h"
#include "stations/firectrl/launcher.h"
#include "stations/firectrl/torpedo_tube.h"
#include "stations/firectrl/tube_panel.h"
#include "stations/firectrl/vls_cell.h"
#include "stations/firectrl/vls_panel.h"
#include "stations/geninfo/gen_info.h"

#include <gtest/gtest.h>

#include <array>
#include <fstream>

namespace q71 {
namespace {

// Long enough for a valve switch's run or a selector's blinking load.
constexpr std::uint64_t kControlRunMs = 8000;

Point centreOf(int x, int y, int width, int height) {
    return Point{x + width / 2, y + height / 2};
}

int countermeasuresInWorld() {
    int count = 0;
    for (auto* node = worldList().head(); node; node = node->next)
        count +=
            node->item->typeCode == kEntityCountermeasure || node->item->typeCode == kEntityCountermeasure2;
    return count;
}

class FireControlRoad : public test::HostMissionFixture {
protected:
    FireControlRoad() {
        // Fire control as the program installs it, and the state room the player ends and loads from.
        simInstallServices({.weapons = &fireControlStations(), .frontEnd = &frontEndSimServices()});
        fireRegisterStation();
        firePanelsInstall();
        stateroomRegister();
    }
    ~FireControlRoad() override {
        screenDestroy(kSlotGenInfo);
        firePanelInstallMakers({});
        fireControlStations().restoreStationStates({});
        simInstallServices({});
        optionsRecord() = optionsDefaults();
    }

    GenInfo& host() { return *static_cast<GenInfo*>(screenGet(kSlotGenInfo)); }

    /// The first mission of the single missions' list, started with its button.
    void startFromTheList() {
        screenCreateMissionSelectionMode2();
        screenSwitch(kSlotMissionSelection);
        pump();
        using namespace selection_layout;
        clickAt(centreOf(kStartX, kButtonY, kButtonWidth, kButtonHeight));
        ASSERT_EQ(screenCurrentIndex(), kSlotGenInfo) << "the mission started";
    }
    /// From the state room's end of the mission through the debriefing back to the main menu.
    void endToTheMenu() {
        host().selectStation(kStationStateroom);
        pump();
        {
            using namespace stateroom_layout;
            clickAt(centreOf(kEndX, kButtonY, kButtonWidth, kButtonHeight));
        }
        ASSERT_EQ(screenCurrentIndex(), kSlotDebrief);
        using namespace debrief_layout;
        clickAt(centreOf(kContinueX, kButtonY, kButtonWidth, kButtonHeight));
        pump();
        ASSERT_EQ(screenCurrentIndex(), kSlotMainMenu);
    }
    /// The fire-control station's fire panel page, opened with the station's page button.
    FirePanel& openFirePanel() {
        host().selectStation(kStationFireControl);
        pump();
        const NavControlRow& toPanel = kFirePageButtons[0];
        clickAt(centreOf(toPanel.x, toPanel.y, toPanel.width, toPanel.height));
        return fireCtrl()->firePanel();
    }
    /// A click on a control of a panel of the page (at its middle, or `fromTop` pixels below its
    /// top), and the time for it to run.
    void click(const FirePanelRow& panel, const PanelControlRow& control, int fromTop = -1) {
        clickAt({panel.x + control.dx + control.width / 2,
                 panel.y + control.dy + (fromTop < 0 ? control.height / 2 : fromTop)});
        play(kControlRunMs);
    }

    static TubePanel& tubePanel(FirePanel& page, std::size_t i) {
        return dynamic_cast<TubePanel&>(*page.tubePanel(i));
    }
    static VlsPanel& cellPanel(FirePanel& page, std::size_t i) {
        return dynamic_cast<VlsPanel&>(*page.cellPanel(i));
    }
    static DecoyPanel& decoyPanel(FirePanel& page, std::size_t i) {
        return dynamic_cast<DecoyPanel&>(*page.decoyPanel(i));
    }
    static TorpedoTube& tube(std::size_t slot) {
        return static_cast<TorpedoTube&>(*launcherTables()->tubes[slot]);
    }
    static VlsCell& cell(std::size_t slot) { return static_cast<VlsCell&>(*launcherTables()->cells[slot]); }

    /// The player floods tube 2, pressurizes cell 8 and loads countermeasure launcher `decoy`
    /// anew; the load it took.
    int workTheFirePanel(FirePanel& page, std::size_t decoy) {
        click(kFireTubePanels[0], kTubeFlood);
        click(kFireCellPanels[0], kCellPressurize);
        const int first = decoyPanel(page, decoy).decoyType();
        click(kFireDecoyPanels[decoy], kDecoySelector);
        const int chosen = decoyPanel(page, decoy).decoyType();
        EXPECT_NE(chosen, first) << "the selector took another load";
        EXPECT_EQ(tube(0).doorStates[0], 1) << "tube 2 flooded";
        EXPECT_EQ(cell(0).hatchStates[0], 1) << "cell 8 pressurized";
        return chosen;
    }
};

TEST_F(FireControlRoad, TheSecondMissionOfTheRunStartsItsLaunchersAndPanelsAfresh) {
    ASSERT_NO_FATAL_FAILURE(startFromTheList());
    const int firstMissionLoad = workTheFirePanel(openFirePanel(), 0);
    ASSERT_NO_FATAL_FAILURE(endToTheMenu());
    ASSERT_FALSE(launcherTables().has_value()) << "the launchers went with their mission";

    ASSERT_NO_FATAL_FAILURE(startFromTheList());
    FirePanel& page = openFirePanel();
    // The own-ship set-up's loads: Harpoon in tubes 2 and 1, ADCAP in 4 and 3, Tomahawk in every cell.
    const std::array<std::int32_t, 4> tubeLoads{kWeaponHarpoon, kWeaponHarpoon, kWeaponAdcap, kWeaponAdcap};
    for (std::size_t slot = 0; slot < tubeLoads.size(); ++slot) {
        EXPECT_EQ(tube(slot).weaponType(), tubeLoads[slot]) << "tube slot " << slot;
        EXPECT_EQ(tube(slot).doorStates, (std::array<std::int32_t, 3>{2, 2, 2})) << "tube slot " << slot;
    }
    for (std::size_t slot = 0; slot < kVlsCellCount; ++slot) {
        EXPECT_EQ(cell(slot).weaponType(), kWeaponTomahawk) << "cell slot " << slot;
        EXPECT_EQ(cell(slot).hatchStates, (std::array<std::int32_t, 2>{2, 2})) << "cell slot " << slot;
    }
    EXPECT_EQ(tubePanel(page, 0).floodSwitch().getState(), 2) << "tube 2 shows dry";
    EXPECT_FALSE(tubePanel(page, 0).equalizeSwitch().isClickable());
    EXPECT_EQ(cellPanel(page, 0).pressurizeSwitch().getState(), 2) << "cell 8 shows vented";
    EXPECT_FALSE(cellPanel(page, 0).hatchSwitch().isClickable());
    // The first launcher takes kind A deep while the boat carries kind A, whatever the last mission loaded.
    ASSERT_GT(countermeasureStock(0), 0);
    EXPECT_NE(decoyPanel(page, 0).decoyType(), firstMissionLoad);
    EXPECT_EQ(decoyPanel(page, 0).decoyType(), 0);

    // And the panels fire from this mission's boat: a countermeasure goes into the water.
    const int inWater = countermeasuresInWorld();
    const std::int32_t stock = countermeasureStock(0);
    click(kFireDecoyPanels[0], kDecoyFire, 2); // the cover's grip
    click(kFireDecoyPanels[0], kDecoyFire);
    EXPECT_EQ(countermeasuresInWorld(), inWater + 1);
    EXPECT_EQ(countermeasureStock(0), stock - 1);
    EXPECT_EQ(decoyPanel(page, 0).decoyType(), kDecoyEmpty);
}

TEST_F(FireControlRoad, AfterARefusedLoadThePanelsShowTheLaunchersAsThePlayerLeftThem) {
    startOnHost("Sa1.scn");
    const int chosenLoad = workTheFirePanel(openFirePanel(), 1);
    {
        std::ofstream damaged(player.file("Narval000.svs"), std::ios::binary);
        damaged << "not a saved mission";
    }
    host().selectStation(kStationStateroom);
    pump();
    auto refused = answerNextBox(kIdOk);
    {
        using namespace stateroom_layout;
        clickAt(centreOf(kLoadX, kToggleY, kToggleWidth, kToggleHeight));
    }
    ASSERT_TRUE(*refused);
    ASSERT_NE(screenGet(kSlotGenInfo), nullptr) << "the host was built again";

    FirePanel& page = openFirePanel();
    EXPECT_EQ(tube(0).doorStates[0], 1) << "the running mission's tube 2 is still flooded";
    EXPECT_EQ(tubePanel(page, 0).floodSwitch().getState(), 1) << "and shows so";
    EXPECT_TRUE(tubePanel(page, 0).equalizeSwitch().isClickable()) << "its next valve can be worked";
    EXPECT_EQ(cellPanel(page, 0).pressurizeSwitch().getState(), 1) << "cell 8 shows pressurized";
    EXPECT_TRUE(cellPanel(page, 0).hatchSwitch().isClickable());
    EXPECT_EQ(decoyPanel(page, 1).decoyType(), chosenLoad) << "the load the player chose stays";
}

} // namespace
} // namespace q71
