#include "sim/services/shell_simulation.h"

#include "sim/entities/entity.h"
#include "sim/scoring/mission_event.h"
#include "sim/scoring/mission_flow.h"
#include "sim/scoring/replay_log.h"
#include "sim/simulation/mission_end.h"
#include "sim/simulation/mission_state.h"
#include "sim/simulation/sim_clock.h"
#include "sim/simulation/sound_profile.h"
#include "sim/simulation/world_lists.h"
#include "sim/simulation/world_step.h"
#include "sim/world/object_database.h"
#include "sim/world/terrain_world.h"

namespace q71 {
namespace {

class ShellSimulation final : public AppSimulation {
public:
    void resetClock() override { simResetClock(); }
    void loadObjectDatabase() override { objdbLoad(); }
    void freeObjectDatabase() override { objdbFree(); }
    void openTerrain() override { worldOpen(); }
    void endMission() override { simEndMission(); }
    void scoringShutdown() override { q71::scoringShutdown(); }
    void scoringEndMission() override { q71::scoringEndMission(); }
    void scoringAbortMission() override { q71::scoringAbortMission(); }
    void replayLogClose() override { q71::replayLogClose(); }

    void logOptionFlag(int code) override {
        MissionEvent event;
        event.kind = kEventOptionFlag;
        event.subject = worldOwnShip() ? worldOwnShip()->id : 0;
        event.time = simClock().gameClock;
        event.extra = code;
        replayLogWrite(event, 0);
    }

    bool missionLoaded() const override { return missionState().loadedFromSave; }

    // The own boat's station state, which can ask for an aborted mission, is the own boat's to
    // keep; an own boat without one has not asked.
    bool missionAborted() const override { return worldOwnShip() == nullptr; }
    int ownShipLossCause() const override { return missionState().ownBoatLossCause; }

    void pause(bool on) override { simPause(on); }
    void startRunning() override { simStartRunning(); }
    void stopRunning() override { simStopRunning(); }
    bool running() const override { return simClock().running; }
    int pauseCount() const override { return simClock().pauseCount; }
    void tickClock() override { simClockTick(); }
    double gameClock() const override { return simClock().gameClock; }
    double lastStepTime() const override { return simClock().lastStepTime; }
    void setLastStepTime(double time) override { simClock().lastStepTime = time; }
    double lastSecondPassTime() const override { return simClock().lastSecondPassTime; }
    void setLastSecondPassTime(double time) override { simClock().lastSecondPassTime = time; }
};

class ShellWorldStep final : public AppWorldStep {
public:
    void updateLayerDepth() override { simUpdateLayerDepth(worldBottomUnderOwnShip()); }
    void snapshotMotionStates() override { worldSnapshotMotionStates(); }
    void advance(double seconds) override { worldAdvance(seconds); }
    void secondPass(double elapsed) override { worldSecondPass(elapsed); }
};

} // namespace

AppSimulation& simShellSimulation() {
    static ShellSimulation services;
    return services;
}

AppWorldStep& simShellWorldStep() {
    static ShellWorldStep services;
    return services;
}

} // namespace q71
