#pragma once
// The ground of the shell's tests: a headless window system with the program's texts, services
// that record every call the shell makes of them (in one log, in order), and screens of every
// slot that record their activation, update and destruction in the same log.

#include "framework/app/app_services.h"
#include "framework/app/full_screen.h"
#include "framework/app/screen_manager.h"
#include "support/headless_windows.h"

#include <functional>
#include <map>
#include <string>
#include <vector>

namespace q71::test {

using CallLog = std::vector<std::string>;

class RecordingMedia final : public AppMedia {
public:
    explicit RecordingMedia(CallLog& log) : log_(log) {}
    void musicInit(WindowHandle) override { log_.push_back("media.musicInit"); }
    void soundInit(WindowHandle) override { log_.push_back("media.soundInit"); }
    int initMoviePlayer(WindowHandle) override { return log("media.initMoviePlayer", moviePlayerResult); }
    int setDisplayMode(int width, int height, int depth) override;
    int initDisplay() override { return log("media.initDisplay", 0); }
    bool restoreDisplay() override { return log("media.restoreDisplay", restoreResult); }
    void abortMovie() override { log_.push_back("media.abortMovie"); }
    void closeMoviePlayer() override { log_.push_back("media.closeMoviePlayer"); }
    void musicShutdown() override { log_.push_back("media.musicShutdown"); }
    void soundShutdown() override { log_.push_back("media.soundShutdown"); }
    bool musicIsEnabled() override { return musicEnabled; }
    void musicEnable() override { log_.push_back("media.musicEnable"); }
    void musicDisable() override { log_.push_back("media.musicDisable"); }
    void musicApplyVolume() override { log_.push_back("media.musicApplyVolume"); }
    void musicUnload() override { log_.push_back("media.musicUnload"); }
    void musicLoadAndPlay(const char* name, int loop) override;
    void musicNotifyEnd(WindowHandle, WParam) override { log_.push_back("media.musicNotifyEnd"); }
    void crewSetReportLevel(int level) override {
        log_.push_back("media.crewSetReportLevel " + std::to_string(level));
    }

    int moviePlayerResult = 0;
    int displayModeResult = 1;
    bool restoreResult = true;
    bool musicEnabled = true;

private:
    template <class T> T log(const char* call, T result) {
        log_.push_back(call);
        return result;
    }
    CallLog& log_;
};

class RecordingTactical final : public AppTactical {
public:
    explicit RecordingTactical(CallLog& log) : log_(log) {}
    bool openRenderer() override {
        log_.push_back("tactical.openRenderer");
        return rendererOpens;
    }
    void closeRenderer() override { log_.push_back("tactical.closeRenderer"); }
    void initParticles() override { log_.push_back("tactical.initParticles"); }
    void updateSeaTexture() override { log_.push_back("tactical.updateSeaTexture"); }
    void effectsBegin() override { log_.push_back("tactical.effectsBegin"); }
    void effectsAnimate() override { log_.push_back("tactical.effectsAnimate"); }
    void effectsEnd() override { log_.push_back("tactical.effectsEnd"); }
    void freeEffectList() override { log_.push_back("tactical.freeEffectList"); }
    void shutdown() override { log_.push_back("tactical.shutdown"); }
    void setChartDefaultCellSize(int size) override;
    void setChartDefaultShades(int count) override;

    bool rendererOpens = true;

private:
    CallLog& log_;
};

/// A simulation whose clock the test sets; the step times are kept as the real clock keeps them.
class RecordingSimulation final : public AppSimulation {
public:
    explicit RecordingSimulation(CallLog& log) : log_(log) {}
    void resetClock() override { log_.push_back("sim.resetClock"); }
    void loadObjectDatabase() override { log_.push_back("sim.loadObjectDatabase"); }
    void freeObjectDatabase() override { log_.push_back("sim.freeObjectDatabase"); }
    void openTerrain() override { log_.push_back("sim.openTerrain"); }
    void endMission() override { log_.push_back("sim.endMission"); }
    void scoringShutdown() override { log_.push_back("sim.scoringShutdown"); }
    void scoringEndMission() override { log_.push_back("sim.scoringEndMission"); }
    void scoringAbortMission() override { log_.push_back("sim.scoringAbortMission"); }
    void replayLogClose() override { log_.push_back("sim.replayLogClose"); }
    void logOptionFlag(int code) override { log_.push_back("sim.logOptionFlag " + std::to_string(code)); }
    bool missionLoaded() const override { return loaded; }
    bool missionAborted() const override { return aborted; }
    int ownShipLossCause() const override { return lossCause; }
    void pause(bool on) override;
    void startRunning() override { log_.push_back("sim.startRunning"); }
    void stopRunning() override { log_.push_back("sim.stopRunning"); }
    bool running() const override { return isRunning; }
    int pauseCount() const override { return pauses; }
    void tickClock() override { log_.push_back("sim.tickClock"); }
    double gameClock() const override { return clock; }
    double lastStepTime() const override { return lastStep; }
    void setLastStepTime(double time) override { lastStep = time; }
    double lastSecondPassTime() const override { return lastSecondPass; }
    void setLastSecondPassTime(double time) override { lastSecondPass = time; }

    bool aborted = false;
    bool loaded = false;
    int lossCause = 0;
    bool isRunning = false;
    int pauses = 0;
    double clock = 0.0;
    double lastStep = 0.0;
    double lastSecondPass = 0.0;

private:
    CallLog& log_;
};

/// The world step, recording the lengths it is given.
class RecordingWorld final : public AppWorldStep {
public:
    explicit RecordingWorld(CallLog& log) : log_(log) {}
    void updateLayerDepth() override { log_.push_back("world.updateLayerDepth"); }
    void snapshotMotionStates() override { log_.push_back("world.snapshot"); }
    void advance(double seconds) override { advances.push_back(seconds); }
    void secondPass(double elapsed) override { secondPasses.push_back(elapsed); }

    std::vector<double> advances;
    std::vector<double> secondPasses;

private:
    CallLog& log_;
};

class RecordingFrontEnd final : public AppFrontEnd {
public:
    explicit RecordingFrontEnd(CallLog& log) : log_(log) {}
    void loadOptions() override { log_.push_back("frontEnd.loadOptions"); }
    std::int32_t optionsField(int field) const override;
    void resetEntityViewerCamera() override { log_.push_back("frontEnd.resetEntityViewerCamera"); }

    std::map<int, std::int32_t> options;

private:
    CallLog& log_;
};

class RecordingNetwork final : public AppNetwork {
public:
    explicit RecordingNetwork(CallLog& log) : log_(log) {}
    void poll() override { log_.push_back("network.poll"); }
    void resetState() override { log_.push_back("network.resetState"); }
    void shutdown() override { log_.push_back("network.shutdown"); }
    bool gameExists() const override { return gameRuns; }

    bool gameRuns = false;

private:
    CallLog& log_;
};

/// A screen of a slot that records what is done to it as "<operation> <key>".
class RecordingScreen final : public FullScreen {
public:
    RecordingScreen(const std::string& key, WindowHandle parent, CallLog& log);
    ~RecordingScreen() override;
    void activate() override;
    void deactivate() override;
    void update() override;
    /// Logs WM_USER as "user <key> <wParam> <lParam>" and WM_SIZE as "size <key> <wParam> <lParam>".
    LResult handleMessage(WindowHandle window, std::uint32_t message, WParam wParam, LParam lParam) override;

private:
    CallLog& log_;
};

class ShellFixture : public HeadlessWindows {
protected:
    ShellFixture();
    ~ShellFixture() override;

    /// Registers the class and creates the main window with the program's texts loaded.
    void createMainWindow();
    /// The entries of the log that start with a prefix, in order.
    CallLog callsStartingWith(const std::string& prefix) const;
    /// Types Ctrl and an upper-case letter on the keyboard and handles what follows.
    void pressWithCtrl(char letter);

    CallLog calls;
    RecordingMedia media{calls};
    RecordingTactical tactical{calls};
    RecordingSimulation simulation{calls};
    RecordingWorld world{calls};
    RecordingFrontEnd frontEnd{calls};
    RecordingNetwork network{calls};
};

/// The key the recording screen of a slot is made with ("LogoScreen", "login", ...).
std::string recordingScreenKey(int slot);

/// Runs an action on every idle pass of the loop (the test's idle hook), until it is replaced.
void installIdleScript(std::function<void()> script);
/// Runs an action whenever a recording screen is activated, with its key (none: nothing runs).
void setActivationHook(std::function<void(const std::string& key)> hook);

} // namespace q71::test
