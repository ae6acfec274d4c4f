#include "framework/app/app_services.h"

namespace q71 {
namespace {

class NullMedia final : public AppMedia {
public:
    void musicInit(WindowHandle) override {}
    void soundInit(WindowHandle) override {}
    int initMoviePlayer(WindowHandle) override { return 0; }
    int setDisplayMode(int, int, int) override { return 1; }
    int initDisplay() override { return 0; }
    bool restoreDisplay() override { return true; }
    void abortMovie() override {}
    void closeMoviePlayer() override {}
    void musicShutdown() override {}
    void soundShutdown() override {}
    bool musicIsEnabled() override { return false; }
    void musicEnable() override {}
    void musicDisable() override {}
    void musicApplyVolume() override {}
    void musicUnload() override {}
    void musicLoadAndPlay(const char*, int) override {}
    void musicNotifyEnd(WindowHandle, WParam) override {}
    void crewSetReportLevel(int) override {}
};

class NullTactical final : public AppTactical {
public:
    bool openRenderer() override { return true; }
    void closeRenderer() override {}
    void initParticles() override {}
    void updateSeaTexture() override {}
    void effectsBegin() override {}
    void effectsAnimate() override {}
    void effectsEnd() override {}
    void freeEffectList() override {}
    void shutdown() override {}
    void setChartDefaultCellSize(int) override {}
    void setChartDefaultShades(int) override {}
};

// No mission ever runs: the clock stands still and the step times are only kept.
class NullSimulation final : public AppSimulation {
public:
    void resetClock() override {}
    void loadObjectDatabase() override {}
    void freeObjectDatabase() override {}
    void openTerrain() override {}
    void endMission() override {}
    void scoringShutdown() override {}
    void scoringEndMission() override {}
    void scoringAbortMission() override {}
    void replayLogClose() override {}
    void logOptionFlag(int) override {}
    bool missionLoaded() const override { return false; }
    bool missionAborted() const override { return true; }
    int ownShipLossCause() const override { return 0; }
    void pause(bool) override {}
    void startRunning() override {}
    void stopRunning() override {}
    bool running() const override { return false; }
    int pauseCount() const override { return 0; }
    void tickClock() override {}
    double gameClock() const override { return 0.0; }
    double lastStepTime() const override { return lastStep_; }
    void setLastStepTime(double time) override { lastStep_ = time; }
    double lastSecondPassTime() const override { return lastSecondPass_; }
    void setLastSecondPassTime(double time) override { lastSecondPass_ = time; }

private:
    double lastStep_ = 0.0;
    double lastSecondPass_ = 0.0;
};

class NullWorldStep final : public AppWorldStep {
public:
    void updateLayerDepth() override {}
    void snapshotMotionStates() override {}
    void advance(double) override {}
    void secondPass(double) override {}
};

class NullFrontEnd final : public AppFrontEnd {
public:
    void loadOptions() override {}
    std::int32_t optionsField(int) const override { return 0; }
    void resetEntityViewerCamera() override {}
};

class NullNetwork final : public AppNetwork {
public:
    void poll() override {}
    void resetState() override {}
    void shutdown() override {}
    bool gameExists() const override { return false; }
};

template <class Service, class Null> Service& orNull(Service* installed) {
    static Null null;
    return installed ? *installed : null;
}

AppServices installed;

} // namespace

void appInstallServices(const AppServices& services) {
    installed = services;
}

AppMedia& appMedia() {
    return orNull<AppMedia, NullMedia>(installed.media);
}
AppTactical& appTactical() {
    return orNull<AppTactical, NullTactical>(installed.tactical);
}
AppSimulation& appSimulation() {
    return orNull<AppSimulation, NullSimulation>(installed.simulation);
}
AppWorldStep& appWorldStep() {
    return orNull<AppWorldStep, NullWorldStep>(installed.worldStep);
}
AppFrontEnd& appFrontEnd() {
    return orNull<AppFrontEnd, NullFrontEnd>(installed.frontEnd);
}
AppNetwork& appNetwork() {
    return orNull<AppNetwork, NullNetwork>(installed.network);
}

} // namespace q71
