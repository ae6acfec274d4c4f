// The main window: the quit and minimise keys, the quit question, minimising and restoring.
#include "framework/app/main_cursor.h"
#include "framework/app/screen_manager.h"
#include "framework/app/shell.h"
#include "platform/msgbox/message_box_types.h"
#include "platform/window/message_ids.h"
#include "platform/window/message_queue.h"
#include "platform/window/modal_loop.h"
#include "platform/window/virtual_keys.h"
#include "platform/window/window.h"
#include "platform/window/window_layout.h"
#include "shell_fixture.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace q71 {
namespace {

using test::CallLog;

class MainWindow : public test::ShellFixture {
protected:
    MainWindow() {
        createMainWindow();
        screenSwitch(kSlotMainMenu);
        screenCreateGenInfo();
        pump();
        calls.clear();
        received.clear();
    }

    /// Answers the next message box with a button; returns whether one was shown.
    std::shared_ptr<bool> answerNextBox(int answer) {
        auto shown = std::make_shared<bool>(false);
        modalScriptPush([shown, answer](WindowHandle box) {
            *shown = true;
            modalLoopEnd(box, answer);
        });
        return shown;
    }
};

TEST_F(MainWindow, CtrlQAnsweredYesShowsTheCreditsAndEndsTheMission) {
    auto shown = answerNextBox(kIdYes);
    pressWithCtrl('Q');
    EXPECT_TRUE(*shown);
    // The box gives the focus back to the main window, which applies the music volume again.
    EXPECT_EQ(calls, (CallLog{"media.abortMovie", "media.musicApplyVolume", "media.musicUnload",
                              "make Credits 1", "activate Credits", "deactivate mainmenu",
                              "deactivate gen_info", "destroy gen_info", "sim.endMission"}));
    EXPECT_EQ(screenCurrentIndex(), kSlotCredits);
}

TEST_F(MainWindow, AQuitAskedWhileHeldIsAskedOnceWhenTheLastHoldEnds) {
    appHoldQuit(true);
    appHoldQuit(true);
    auto shown = answerNextBox(kIdNo);
    pressWithCtrl('Q');
    pressWithCtrl('Q');
    EXPECT_FALSE(*shown) << "a mission start is not left half done";
    EXPECT_TRUE(calls.empty());
    appHoldQuit(false);
    EXPECT_FALSE(*shown) << "held still";
    appHoldQuit(false);
    EXPECT_TRUE(*shown) << "asked now";
    EXPECT_EQ(std::count(calls.begin(), calls.end(), "media.abortMovie"), 1) << "once";
    shown = answerNextBox(kIdNo);
    appHoldQuit(false); // an unmatched release holds nothing and asks nothing
    EXPECT_FALSE(*shown);
}

TEST_F(MainWindow, AScreenLeftIsDestroyedOnceTheQueueReachesItUnlessItIsShownAgain) {
    screenCreate(kSlotOptions);
    screenDestroyLater(kSlotOptions);
    EXPECT_NE(screenGet(kSlotOptions), nullptr) << "not from inside its own handler";
    pump();
    EXPECT_EQ(screenGet(kSlotOptions), nullptr);

    screenCreate(kSlotOptions);
    screenSwitch(kSlotOptions);
    screenDestroyLater(kSlotOptions);
    screenDestroyLater(99);
    pump();
    EXPECT_NE(screenGet(kSlotOptions), nullptr) << "shown again before the message came";
}

int g_actionsRun = 0;

TEST_F(MainWindow, AnActionRunLaterRunsOnceWhenTheQueueReachesIt) {
    g_actionsRun = 0;
    screenRunLater([] { ++g_actionsRun; });
    screenRunLater(nullptr);
    EXPECT_EQ(g_actionsRun, 0) << "not from inside the caller's handler";
    pump();
    EXPECT_EQ(g_actionsRun, 1);
    pump();
    EXPECT_EQ(g_actionsRun, 1) << "once";
}

TEST_F(MainWindow, CtrlQAnsweredNoLeavesEverythingAndNudgesTheScreen) {
    auto shown = answerNextBox(kIdNo);
    pressWithCtrl('Q');
    EXPECT_TRUE(*shown);
    EXPECT_EQ(calls, (CallLog{"media.abortMovie", "media.musicApplyVolume", "user mainmenu 1 3"}));
    EXPECT_EQ(screenCurrentIndex(), kSlotMainMenu);
    EXPECT_NE(screenGet(kSlotGenInfo), nullptr);
}

TEST_F(MainWindow, CtrlRMinimisesAndRestoringEndsThePause) {
    pressWithCtrl('R');
    EXPECT_TRUE(appIsMinimized());
    EXPECT_TRUE(windowIsMinimized(appMainWindow()));
    EXPECT_EQ(simulation.pauses, 1);
    EXPECT_EQ(calls, (CallLog{"media.musicDisable", "sim.pause on", "media.abortMovie"}));

    calls.clear();
    messagePost(appMainWindow(), WM_SYSCOMMAND, SC_RESTORE, 0);
    pump();
    EXPECT_FALSE(appIsMinimized());
    EXPECT_FALSE(windowIsMinimized(appMainWindow()));
    EXPECT_EQ(simulation.pauses, 0);
    EXPECT_EQ(callsStartingWith("sim."), (CallLog{"sim.pause off"}));
    EXPECT_EQ(callsStartingWith("media.music"), (CallLog{"media.musicEnable"})) << "music was on before";
    EXPECT_EQ(callsStartingWith("size"), (CallLog{"size mainmenu 1 3"}));
}

TEST_F(MainWindow, MinimisingTwiceOrRestoringWhenShownDoesNothing) {
    appMinimizeRestore(0);
    EXPECT_TRUE(calls.empty());
    appMinimizeRestore(1);
    const std::size_t once = calls.size();
    appMinimizeRestore(1);
    EXPECT_EQ(calls.size(), once);
    EXPECT_EQ(simulation.pauses, 1);
}

TEST_F(MainWindow, MusicThatWasOffStaysOffAfterRestoring) {
    media.musicEnabled = false;
    appMinimizeRestore(1);
    calls.clear();
    appMinimizeRestore(0);
    EXPECT_EQ(callsStartingWith("media.music"), (CallLog{"media.musicDisable"}));
}

TEST_F(MainWindow, TheDesktopMinimisingTheWindowPausesTheProgramToo) {
    messagePost(appMainWindow(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
    pump();
    EXPECT_TRUE(appIsMinimized());
    EXPECT_EQ(simulation.pauses, 1);
}

TEST_F(MainWindow, OtherKeysAreLeftAlone) {
    display.typeKey('Q', 'q');
    display.typeKey(static_cast<std::uint8_t>(VK_F4));
    pump();
    EXPECT_TRUE(calls.empty());
    EXPECT_FALSE(appIsMinimized());
}

TEST_F(MainWindow, TheMusicLayersNotificationReachesIt) {
    messageSend(appMainWindow(), MM_MCINOTIFY, 1, 0);
    EXPECT_EQ(calls, (CallLog{"media.musicNotifyEnd"}));
}

} // namespace
} // namespace q71
