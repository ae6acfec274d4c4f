// The state room on a running mission of the data set: the safe's save and load through the
// page, the save toggle after the own boat's loss, the kinds of mission that have no save, the
// resume from the mission selection, a damaged save, and the names of the player's files.
#include "framework/app/full_screen.h"
#include "framework/app/screen_manager.h"
#include "framework/app/station_table.h"
#include "frontend/player_file_name.h"
#include "frontend/selection/selection_layout.h"
#include "frontend/selection/sor_tsel.h"
#include "frontend/stateroom/saved_mission_file.h"
#include "frontend/stateroom/stateroom.h"
#include "frontend/stateroom/stateroom_layout.h"
#include "host_mission_fixture.h"
#include "platform/msgbox/message_box_types.h"
#include "sim/simulation/mission_state.h"
#include "sim/simulation/sim_clock.h"
#include "stations/geninfo/gen_info.h"
#include "stations/geninfo/host_hooks.h"
#include "support/screen_picture.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace q71 {
namespace {

Point centreOf(int x, int y, int width, int height) {
    return Point{x + width / 2, y + height / 2};
}

class StateroomTest : public test::HostMissionFixture {
protected:
    StateroomTest() {
        stateroomRegister();
        genInfoSetLossHooks({nullptr, stateroomLockSafe});
    }
    ~StateroomTest() override {
        genInfoSetLossHooks({});
        stationRegisterMaker(kStationStateroom, nullptr);
    }

    GenInfo& host() { return *static_cast<GenInfo*>(screenGet(kSlotGenInfo)); }
    Stateroom& room() { return *static_cast<Stateroom*>(host().child(kStationStateroom)); }
    Stateroom& openRoom() {
        host().selectStation(kStationStateroom);
        pump();
        return room();
    }
    void clickSave() {
        using namespace stateroom_layout;
        clickAt(centreOf(kSaveX, kToggleY, kToggleWidth, kToggleHeight));
    }
    void clickLoad() {
        using namespace stateroom_layout;
        clickAt(centreOf(kLoadX, kToggleY, kToggleWidth, kToggleHeight));
    }
    std::string saveFile(const char* extension) const {
        return player.file(std::string("Narval000") + extension);
    }
};

TEST_F(StateroomTest, AMissionSavedThenLoadedThroughTheSafeIsTheWorldAsSaved) {
    startOnHost("Sa2.scn");
    play(5000);
    Stateroom& before = openRoom();
    EXPECT_FALSE(before.canLoad()) << "nothing in the safe yet";
    clickSave();
    ASSERT_TRUE(std::filesystem::exists(saveFile(".svs"))) << "a single mission's save";
    const std::vector<double> saved = worldState();
    const double savedClock = simClock().gameClock;
    test::saveScreenPicture("stateroom");
    EXPECT_TRUE(room().canLoad());

    play(20000);
    ASSERT_NE(worldState(), saved) << "the world moved on";
    clickLoad();
    EXPECT_EQ(screenCurrentIndex(), kSlotGenInfo);
    ASSERT_NE(screenGet(kSlotGenInfo), nullptr) << "the host is built again";
    EXPECT_EQ(worldState(), saved);
    EXPECT_DOUBLE_EQ(simClock().gameClock, savedClock) << "the loaded clock runs on";
    EXPECT_TRUE(simClock().running);
    play(1000);
    EXPECT_GT(simClock().gameClock, savedClock);
}

TEST_F(StateroomTest, AfterTheOwnBoatsLossTheSaveToggleStaysOff) {
    startOnHost("Sa1.scn");
    EXPECT_TRUE(openRoom().canSave());
    host().onOwnShipDestroyed();
    host().selectStation(kStationStateroom);
    pump();
    EXPECT_FALSE(room().canSave());
    clickSave();
    EXPECT_FALSE(std::filesystem::exists(saveFile(".svs"))) << "a click on the dimmed toggle saves nothing";
}

TEST_F(StateroomTest, OnlyTutorialsSingleAndCampaignMissionsHaveASaveEachOfItsOwn) {
    startOnHost("Ta1.scn");
    const struct {
        std::int32_t mode;
        const char* extension;
    } cases[] = {
        {kMissionModeTutorial, ".svt"}, {kMissionModeSingle, ".svs"}, {kMissionModeCampaign, ".svc"}};
    for (const auto& c : cases) {
        missionState().missionMode = c.mode;
        EXPECT_FALSE(savedMissionExists(c.mode)) << c.extension;
        ASSERT_TRUE(savedMissionWrite()) << c.extension;
        EXPECT_TRUE(savedMissionExists(c.mode)) << c.extension;
        EXPECT_TRUE(std::filesystem::equivalent(savedMissionPath(c.mode), saveFile(c.extension)))
            << c.extension;
    }
    missionState().missionMode = 0;
    EXPECT_EQ(savedMissionPath(0), "");
    EXPECT_FALSE(savedMissionWrite());
    Stateroom& room = openRoom();
    EXPECT_FALSE(room.canSave());
    EXPECT_FALSE(room.canLoad());
}

TEST_F(StateroomTest, TheSelectionResumesItsModesSave) {
    startOnHost("Sa1.scn");
    play(3000);
    ASSERT_TRUE(savedMissionWrite());
    const std::vector<double> saved = worldState();
    screenExitToMainMenu();
    pump();

    screenCreateMissionSelectionMode1();
    screenSwitch(kSlotMissionSelection);
    pump();
    auto* tutorials = static_cast<SorTsel*>(screenGet(kSlotMissionSelection));
    EXPECT_FALSE(tutorials->resumeSaved()) << "the tutorials have no save";
    EXPECT_EQ(screenCurrentIndex(), kSlotMissionSelection);

    screenCreateMissionSelectionMode2();
    screenSwitch(kSlotMissionSelection);
    pump();
    using namespace selection_layout;
    clickAt(centreOf(kResumeX, kButtonY, kButtonWidth, kButtonHeight));
    EXPECT_EQ(screenCurrentIndex(), kSlotGenInfo);
    EXPECT_EQ(worldState(), saved);
    pump();
    EXPECT_EQ(screenGet(kSlotMissionSelection), nullptr) << "the selection went";
}

TEST_F(StateroomTest, ADamagedSaveIsSaidAndTheRunningMissionGoesOnWhereItStood) {
    startOnHost("Sa1.scn");
    play(4000);
    {
        std::ofstream damaged(saveFile(".svs"), std::ios::binary);
        damaged << "not a saved mission";
    }
    openRoom();
    const std::vector<double> running = worldState();
    const double clockBefore = simClock().gameClock;
    auto shown = answerNextBox(kIdOk);
    clickLoad();
    EXPECT_TRUE(*shown);
    EXPECT_EQ(screenCurrentIndex(), kSlotGenInfo);
    ASSERT_NE(screenGet(kSlotGenInfo), nullptr);
    EXPECT_EQ(worldState(), running);
    EXPECT_DOUBLE_EQ(simClock().gameClock, clockBefore) << "the clock is not started again";
}

TEST(PlayerFileName, OnlyLettersDigitsAndDashesReachAFileName) {
    const std::pair<std::string, std::string> cases[] = {
        {"Narval000", "Narval000"},
        {"Jean-Luc007", "Jean-Luc007"},
        {"../etc/x001", "___etc_x001"},
        {"Le Triomphant 001", "Le_Triomphant_001"},
        {"Oc\xE9"
         "an002",
         "Oc_an002"},
        {"", ""},
    };
    for (const auto& [key, stem] : cases)
        EXPECT_EQ(safeFileStem(key), stem) << key;
}

} // namespace
} // namespace q71
