// The whole run of the shell on the headless window system: start-up, the loop and shutdown, in
// the order of the services' calls, and the ways a start-up can fail.
#include "framework/app/main_cursor.h"
#include "framework/app/screen_manager.h"
#include "framework/app/shell.h"
#include "framework/app/shell_state.h"
#include "platform/window/cursors.h"
#include "platform/window/message_queue.h"
#include "platform/window/window.h"
#include "platform/window/window_styles.h"
#include "shell_fixture.h"

#include <gtest/gtest.h>

namespace q71 {
namespace {

using test::CallLog;

const CallLog kOpening{"media.musicInit",       "media.soundInit",
                       "media.initMoviePlayer", "media.setDisplayMode 640x480x16",
                       "media.initDisplay",     "tactical.openRenderer"};

const CallLog kClosing{"network.shutdown",        "sim.scoringShutdown",    "tactical.effectsEnd",
                       "tactical.freeEffectList", "tactical.shutdown",      "tactical.closeRenderer",
                       "sim.endMission",          "sim.freeObjectDatabase", "media.closeMoviePlayer",
                       "media.musicShutdown",     "media.soundShutdown"};

class ShellRun : public test::ShellFixture {
protected:
    /// The service calls of the log (what services do, not what screens have done to them).
    CallLog serviceCalls() const {
        CallLog services;
        for (const std::string& call : calls)
            if (call.find('.') != std::string::npos && call.rfind("make ", 0) != 0 &&
                call.rfind("activate ", 0) != 0 && call.rfind("deactivate ", 0) != 0 &&
                call.rfind("destroy ", 0) != 0 && call != "media.musicApplyVolume")
                services.push_back(call);
        return services;
    }
};

TEST_F(ShellRun, StartsShowsTheIntroFinishesOnTheTimerAndClosesInOrder) {
    // Once the logo shows, the test drives the loop: each idle pass moves the clock 10 ms, and
    // the run ends once the start-up timer has made the login.
    int passes = 0;
    test::setActivationHook([&](const std::string& key) {
        if (key == "LogoScreen")
            test::installIdleScript([&] {
                clock.advance(10);
                if (++passes == 30)
                    messagePostQuit(0);
            });
    });
    EXPECT_EQ(appWinMain(SW_SHOWDEFAULT), 0);
    EXPECT_EQ(passes, 30);

    CallLog expected = kOpening;
    expected.insert(expected.end(),
                    {"sim.resetClock", "sim.loadObjectDatabase", "frontEnd.resetEntityViewerCamera",
                     "tactical.initParticles", "frontEnd.loadOptions", "tactical.updateSeaTexture",
                     "tactical.effectsBegin", "sim.openTerrain", "network.resetState"});
    expected.insert(expected.end(), kClosing.begin(), kClosing.end());
    EXPECT_EQ(serviceCalls(), expected);
    EXPECT_EQ(callsStartingWith("make"),
              (CallLog{"make LogoScreen 0", "make movie Velms.wve Openfade.wve", "make login 0"}));
    EXPECT_EQ(callsStartingWith("activate"), (CallLog{"activate LogoScreen"}))
        << "the login waits for the movie";
    EXPECT_EQ(cursorGet(), appMainCursor()) << "the start-up's busy cursor is gone";
    EXPECT_TRUE(windowIsValid(appMainWindow()));
    EXPECT_EQ(windowGetText(appMainWindow()), kMainWindowTitle);
}

TEST_F(ShellRun, TheStartUpTimerActsOnce) {
    createMainWindow();
    appShellState().startupTimer = 1;
    appStartupTimer(appMainWindow(), 0, 1, 0);
    const std::size_t once = calls.size();
    appStartupTimer(appMainWindow(), 0, 1, 0);
    EXPECT_EQ(calls.size(), once);
    EXPECT_EQ(appShellState().startupTimer, 0u);
}

// The main window is not shown yet, so the warning has no window to stand on: it goes to stderr.
TEST_F(ShellRun, ADisplayModeThatCannotBeSetWarnsAndShutsDownWithoutTheLoop) {
    media.displayModeResult = 0;
    testing::internal::CaptureStderr();
    EXPECT_EQ(appWinMain(SW_SHOWDEFAULT), 1) << "a failed start-up is not a success";
    EXPECT_NE(testing::internal::GetCapturedStderr().find("q71: "), std::string::npos);
    CallLog expected{"media.musicInit", "media.soundInit", "media.initMoviePlayer",
                     "media.setDisplayMode 640x480x16"};
    expected.insert(expected.end(), kClosing.begin(), kClosing.end());
    EXPECT_EQ(serviceCalls(), expected);
    EXPECT_TRUE(callsStartingWith("make").empty()) << "no screen is made";
}

TEST_F(ShellRun, AMoviePlayerThatFailsEndsTheStartUpSilently) {
    media.moviePlayerResult = 1;
    EXPECT_EQ(appWinMain(SW_SHOWDEFAULT), 1);
    CallLog expected{"media.musicInit", "media.soundInit", "media.initMoviePlayer"};
    expected.insert(expected.end(), kClosing.begin(), kClosing.end());
    EXPECT_EQ(serviceCalls(), expected);
}

TEST_F(ShellRun, ARendererThatDoesNotOpenWarnsAndShutsDown) {
    tactical.rendererOpens = false;
    testing::internal::CaptureStderr();
    EXPECT_EQ(appWinMain(SW_SHOWDEFAULT), 1);
    EXPECT_NE(testing::internal::GetCapturedStderr().find("q71: "), std::string::npos);
    EXPECT_EQ(callsStartingWith("tactical.openRenderer").size(), 1u);
    EXPECT_TRUE(callsStartingWith("make").empty());
}

} // namespace
} // namespace q71
