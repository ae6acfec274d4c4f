// The screen table: switching, destruction, the update list and the transitions.
#include "framework/app/main_cursor.h"
#include "framework/app/screen_manager.h"
#include "framework/app/shell.h"
#include "framework/app/shell_state.h"
#include "framework/widgets/hot_spot.h"
#include "platform/window/cursors.h"
#include "platform/window/focus.h"
#include "platform/window/message_ids.h"
#include "platform/window/message_queue.h"
#include "platform/window/window.h"
#include "shell_fixture.h"

#include <gtest/gtest.h>

namespace q71 {
namespace {

using test::CallLog;

class ScreenTable : public test::ShellFixture {
protected:
    ScreenTable() {
        createMainWindow();
        // As after the start-up: the busy cursor off, the main cursor on.
        appCursorMode(appMainWindow(), 3);
        cursorSet(appMainCursor());
        calls.clear();
    }
    // Entering the main menu sets the class-wide tips switch from the options: put it back on, as
    // a program starts.
    ~ScreenTable() override { HotSpot::enableToolTips(true); }

    /// The log from here on.
    CallLog since(std::size_t mark) const {
        return {calls.begin() + static_cast<std::ptrdiff_t>(mark), calls.end()};
    }
};

TEST_F(ScreenTable, SwitchingOutsideTheTableOrToAnEmptySlotDoesNothing) {
    const std::size_t mark = calls.size();
    screenSwitch(22);
    screenSwitch(-1);
    screenSwitch(kSlotDeath);
    screenSwitch(kSlotLogin);
    EXPECT_TRUE(since(mark).empty());
    EXPECT_EQ(screenCurrentIndex(), 0);
}

TEST_F(ScreenTable, TheFrontEndSlotsAreMadeOnFirstUse) {
    const std::size_t mark = calls.size();
    screenSwitch(kSlotMainMenu);
    screenSwitch(kSlotCaptainsLog);
    screenSwitch(kSlotMainMenu);
    EXPECT_EQ(since(mark),
              (CallLog{"make mainmenu 0", "activate mainmenu", "make captlog 0", "activate captlog",
                       "deactivate mainmenu", "activate mainmenu", "deactivate captlog"}));
    EXPECT_EQ(screenCurrentIndex(), kSlotMainMenu);
    EXPECT_EQ(activeFullScreen(), screenGet(kSlotMainMenu));
}

TEST_F(ScreenTable, ASlotWithoutAMakerStaysEmpty) {
    screenRegisterMaker(kSlotMissionEditor, nullptr);
    screenSwitch(kSlotMissionEditor);
    EXPECT_EQ(screenGet(kSlotMissionEditor), nullptr);
    EXPECT_FALSE(screenHasMaker(kSlotMissionEditor));
    EXPECT_TRUE(screenHasMaker(kSlotCredits));
}

TEST_F(ScreenTable, DestroyingDeactivatesThenDeletes) {
    screenSwitch(kSlotMainMenu);
    const WindowHandle window = screenGet(kSlotMainMenu)->window();
    const std::size_t mark = calls.size();
    screenDestroy(kSlotMainMenu);
    screenDestroy(kSlotMainMenu);
    screenDestroy(40);
    EXPECT_EQ(since(mark), (CallLog{"deactivate mainmenu", "destroy mainmenu"}));
    EXPECT_EQ(screenGet(kSlotMainMenu), nullptr);
    EXPECT_FALSE(windowIsValid(window));
}

TEST_F(ScreenTable, AScreenMadeIntoAnOccupiedSlotReplacesTheOldOneAndItsWindow) {
    screenCreateOptions(5);
    const WindowHandle first = screenGet(kSlotOptions)->window();
    const std::size_t mark = calls.size();
    screenCreateOptions(6);
    EXPECT_EQ(since(mark), (CallLog{"make options 6", "deactivate options", "destroy options"}));
    EXPECT_FALSE(windowIsValid(first));
    EXPECT_TRUE(windowIsValid(screenGet(kSlotOptions)->window()));
    EXPECT_EQ(windowGetChildren(appMainWindow()).size(), 1u) << "one options window, not two";
}

TEST_F(ScreenTable, NothingIsUpdatedBeforeTheMainMenu) {
    screenCreate(kSlotLogo);
    screenCreate(kSlotLogin);
    screenSetSuccessor(kSlotLogo, kSlotMovie);
    const std::size_t mark = calls.size();
    appUpdateScreens();
    EXPECT_TRUE(since(mark).empty());
}

TEST_F(ScreenTable, EnteringTheMainMenuBuildsTheUpdateListAndDropsLogoAndLogin) {
    screenCreate(kSlotLogo);
    screenCreate(kSlotLogin);
    for (int slot : {kSlotCaptainsLog, kSlotShipBooks, kSlotReferenceBook, kSlotGenInfo, kSlotMissionEditor,
                     kSlotPortOfCall, kSlotMultiPlayer, kSlotMissionSelection, kSlotIndy, kSlotOptions,
                     kSlotCredits, kSlotDebrief})
        screenCreate(slot);
    frontEnd.options = {{22, 0}, {3, 2}, {2, 1}, {18, 1}};
    const std::size_t mark = calls.size();
    screenEnterMainMenu();
    EXPECT_EQ(since(mark),
              (CallLog{"make mainmenu 0", "activate mainmenu", "deactivate LogoScreen", "destroy LogoScreen",
                       "deactivate login", "destroy login", "tactical.setChartDefaultCellSize 3",
                       "tactical.setChartDefaultShades 9", "media.crewSetReportLevel 1"}));
    EXPECT_FALSE(HotSpot::toolTipsEnabled());
    EXPECT_EQ(screenCurrentIndex(), kSlotMainMenu);

    const std::size_t updates = calls.size();
    appUpdateScreens();
    EXPECT_EQ(since(updates),
              (CallLog{"update mainmenu", "update captlog", "update ShipBooks", "update Velms",
                       "update gen_info", "update ProMission", "update PortofCall", "update MultiPlayer",
                       "update missionSelection", "update Indy", "update options"}))
        << "credits and debriefing are not on the list";
}

TEST_F(ScreenTable, TheOptionsGiveOneShadeAndTheQuietReportLevelWhenOff) {
    frontEnd.options = {{22, 1}, {3, 0}, {2, 0}, {18, 2}};
    screenEnterMainMenu();
    EXPECT_EQ(callsStartingWith("tactical.setChart"),
              (CallLog{"tactical.setChartDefaultCellSize 1", "tactical.setChartDefaultShades 1"}));
    EXPECT_EQ(callsStartingWith("media.crew"), (CallLog{"media.crewSetReportLevel -1"}));
    EXPECT_TRUE(HotSpot::toolTipsEnabled());
}

TEST_F(ScreenTable, TheCreditsAreTheOnlyScreenUpdatedOnTheWayOut) {
    screenEnterMainMenu();
    screenShowCredits();
    EXPECT_EQ(screenCurrentIndex(), kSlotCredits);
    EXPECT_EQ(activeFullScreen(), screenGet(kSlotCredits));
    const std::size_t mark = calls.size();
    appUpdateScreens();
    EXPECT_EQ(since(mark), (CallLog{"update Credits"}));
}

TEST_F(ScreenTable, LeavingAMissionEndsItAfterTheHostIsGone) {
    screenEnterMainMenu();
    screenCreateGenInfo();
    const std::size_t mark = calls.size();
    screenExitToMainMenu();
    EXPECT_EQ(since(mark), (CallLog{"activate mainmenu", "network.shutdown", "deactivate gen_info",
                                    "destroy gen_info", "sim.endMission"}));
    EXPECT_EQ(screenGet(kSlotGenInfo), nullptr);
}

TEST_F(ScreenTable, EnteringAMissionRunsTheClockAndLogsTheOptionsOfflineAndNotAgainAfterALoad) {
    frontEnd.options = {{4, 1}, {5, 1}, {11, 1}, {13, 1}, {12, 2}, {8, 0}};
    screenCreateGenInfo();
    EXPECT_EQ(calls, (CallLog{"sim.pause on", "sim.startRunning", "make gen_info 0", "sim.logOptionFlag 2",
                              "sim.logOptionFlag 1", "sim.logOptionFlag 8", "sim.logOptionFlag 10",
                              "sim.pause off"}))
        << "fields 4, 5, 11 and 13 hold 1; field 12 holds 2";
    EXPECT_EQ(simulation.pauses, 0);

    calls.clear();
    screenDestroy(kSlotGenInfo);
    calls.clear();
    network.gameRuns = true;
    screenCreateGenInfo();
    EXPECT_TRUE(callsStartingWith("sim.logOptionFlag").empty()) << "a network game logs nothing";

    screenDestroy(kSlotGenInfo);
    calls.clear();
    network.gameRuns = false;
    simulation.loaded = true;
    screenCreateGenInfo();
    EXPECT_EQ(calls, (CallLog{"sim.pause on", "sim.startRunning", "make gen_info 0", "sim.pause off"}))
        << "a loaded mission logged its options when it started";
}

TEST_F(ScreenTable, TheDebriefingBooksAnAbortedOrAnEndedMission) {
    simulation.aborted = true;
    screenShowDebrief();
    EXPECT_EQ(calls, (CallLog{"sim.stopRunning", "sim.pause off", "sim.scoringAbortMission",
                              "network.shutdown", "make DeBrief 0", "activate DeBrief"}));
    calls.clear();
    simulation.aborted = false;
    screenShowDebrief();
    EXPECT_EQ(callsStartingWith("sim.scoring"), (CallLog{"sim.scoringEndMission"}));
}

TEST_F(ScreenTable, DeathByAWeaponPlaysTheMovieFirstAndHappensOnce) {
    screenCreateGenInfo();
    simulation.lossCause = 1;
    calls.clear();
    screenShowDeath();
    EXPECT_EQ(calls, (CallLog{"sim.stopRunning", "sim.replayLogClose", "sim.pause off", "media.musicUnload",
                              "make Death 0", "make movie death.wve -", "activate death.wve",
                              "deactivate gen_info", "destroy gen_info"}));
    EXPECT_EQ(screenGet(kSlotMovie)->nextScreenSlot(), kSlotDeath);
    EXPECT_EQ(screenCurrentIndex(), kSlotMovie);

    calls.clear();
    screenShowDeath();
    EXPECT_TRUE(calls.empty()) << "the death screen exists already";
}

TEST_F(ScreenTable, OtherDeathsGoStraightToTheDeathScreen) {
    simulation.lossCause = 6;
    screenShowDeath();
    EXPECT_EQ(screenGet(kSlotMovie), nullptr);
    EXPECT_EQ(screenCurrentIndex(), kSlotDeath);
}

TEST_F(ScreenTable, VictoryPreparesTheMovieThatLeadsToTheVictoryScreen) {
    screenPlayVictory();
    ASSERT_NE(screenGet(kSlotVictory), nullptr);
    ASSERT_NE(screenGet(kSlotMovie), nullptr);
    EXPECT_EQ(screenGet(kSlotMovie)->key(), "victory.wve");
    EXPECT_EQ(screenGet(kSlotMovie)->nextScreenSlot(), kSlotVictory);
    EXPECT_EQ(screenCurrentIndex(), 0) << "the caller switches";
}

TEST_F(ScreenTable, TheCreatorsPassTheirArguments) {
    screenCreateMissionSelectionMode1();
    screenCreateMissionSelectionMode2();
    screenCreateCampaignSelection(1);
    screenCreateCampaignSelectionQuiet();
    screenCreateIndy(4);
    EXPECT_EQ(callsStartingWith("make"),
              (CallLog{"make missionSelection 1", "make missionSelection 2", "make missionSelection 3",
                       "make missionSelection 3", "make Indy 4"}));
    EXPECT_EQ(callsStartingWith("media.music"), (CallLog{"media.musicLoadAndPlay prog.mid 1"}));
}

TEST_F(ScreenTable, QuittingDestroysEveryScreenFreesTheKeysAndPostsQuit) {
    screenCreate(kSlotLogo);
    screenSwitch(kSlotMainMenu);
    screenCreate(kSlotVictory);
    ASSERT_TRUE(appShellState().quitKey);
    calls.clear();
    screenQuitProgram();
    EXPECT_EQ(calls, (CallLog{"deactivate LogoScreen", "destroy LogoScreen", "deactivate mainmenu",
                              "destroy mainmenu", "deactivate Victory", "destroy Victory"}));
    EXPECT_FALSE(appShellState().quitKey);
    EXPECT_FALSE(appShellState().minimiseKey);
    pump();
    EXPECT_TRUE(quitRead);
}

TEST_F(ScreenTable, DestroyingTheFrontEndLeavesTheRest) {
    screenSwitch(kSlotMainMenu);
    screenCreateOptions(0);
    screenCreate(kSlotLogo);
    screenDestroyFrontEnd();
    EXPECT_EQ(screenGet(kSlotMainMenu), nullptr);
    EXPECT_EQ(screenGet(kSlotOptions), nullptr);
    EXPECT_NE(screenGet(kSlotLogo), nullptr);
}

TEST_F(ScreenTable, TheBusyCursorCapturesAndGivesBackTheCursorItReplaced) {
    const CursorHandle before = cursorGet();
    appCursorMode(appMainWindow(), 2);
    const CursorHandle busy = cursorGet();
    EXPECT_NE(busy, before);
    EXPECT_EQ(captureGet(), appMainWindow());
    appCursorMode(appMainWindow(), 2);
    EXPECT_EQ(cursorGet(), busy) << "already busy";
    appCursorMode(appMainWindow(), 3);
    EXPECT_EQ(cursorGet(), before);
    EXPECT_EQ(captureGet(), WindowHandle{});

    appCursorMode(appMainWindow(), 1);
    appCursorMode(appMainWindow(), 2);
    EXPECT_EQ(cursorGet(), appShellState().cursor156);
    appCursorMode(appMainWindow(), 3);
    appCursorMode(appMainWindow(), 7);
    EXPECT_EQ(cursorGet(), before);
}

TEST_F(ScreenTable, ThePumpHandsOnAQuitAndPollsTheNetworkOnlyWhenEmpty) {
    messagePostQuit(0);
    appPumpMessages();
    EXPECT_TRUE(callsStartingWith("network").empty());
    pump();
    EXPECT_TRUE(quitRead) << "the quit is posted again for the outer loop";

    messagePost(appMainWindow(), WM_USER, 0, 0);
    appPumpMessages();
    EXPECT_EQ(callsStartingWith("network"), (CallLog{"network.poll"}));
}

} // namespace
} // namespace q71
