#pragma once
// What the shell and the screen manager ask of the subsystems above the framework: audio and
// movies, the tactical displays with the 3-D library, the simulation with its world step, the
// front end and the network game. The program installs the real services at start-up; until
// then, and in tests that install nothing, null versions stand in: they succeed at opening,
// play and draw nothing, and know of no mission, no options and no network game.

#include "platform/window/window_types.h"

#include <cstdint>

namespace q71 {

/// Music, sound effects, crew speech and the movie player with its display.
class AppMedia {
public:
    virtual ~AppMedia() = default;
    virtual void musicInit(WindowHandle mainWindow) = 0;
    virtual void soundInit(WindowHandle mainWindow) = 0;
    /// Starts the movie player on the sound manager's device; non-zero on failure.
    virtual int initMoviePlayer(WindowHandle mainWindow) = 0;
    /// Sets the display mode; 0 on failure.
    virtual int setDisplayMode(int width, int height, int depth) = 0;
    /// Creates the display surfaces; non-zero on failure.
    virtual int initDisplay() = 0;
    /// Restores the display surfaces; false when they are unusable.
    virtual bool restoreDisplay() = 0;
    /// Asks a playing movie to stop.
    virtual void abortMovie() = 0;
    virtual void closeMoviePlayer() = 0;
    virtual void musicShutdown() = 0;
    /// Releases the crew's speech channels and closes the sound manager.
    virtual void soundShutdown() = 0;
    virtual bool musicIsEnabled() = 0;
    virtual void musicEnable() = 0;
    virtual void musicDisable() = 0;
    virtual void musicApplyVolume() = 0;
    virtual void musicUnload() = 0;
    virtual void musicLoadAndPlay(const char* name, int loop) = 0;
    /// The end of a piece of music, as the music layer's notification reports it.
    virtual void musicNotifyEnd(WindowHandle window, WParam argument) = 0;
    /// 1 or -1: which crew reports are spoken.
    virtual void crewSetReportLevel(int level) = 0;
};

/// The 3-D library, its effects and the chart defaults of the tactical displays.
class AppTactical {
public:
    virtual ~AppTactical() = default;
    /// Opens the 3-D renderer on the device "MSWindows" with the program's settings; false on failure.
    virtual bool openRenderer() = 0;
    virtual void closeRenderer() = 0;
    /// Loads the bubble and smoke sprites.
    virtual void initParticles() = 0;
    /// Brings the sea and sky textures in line with the sea state.
    virtual void updateSeaTexture() = 0;
    /// Builds the 3-D effects of the world's entities.
    virtual void effectsBegin() = 0;
    /// Animates the 3-D effects, once per idle pass.
    virtual void effectsAnimate() = 0;
    virtual void effectsEnd() = 0;
    virtual void freeEffectList() = 0;
    /// Releases the sea texture.
    virtual void shutdown() = 0;
    /// Pixel block size of chart shading, 1 to 16.
    virtual void setChartDefaultCellSize(int size) = 0;
    /// Number of colour shades of charts, 1 to 32.
    virtual void setChartDefaultShades(int count) = 0;
};

/// The simulation's clock, object database, terrain, mission and scoring.
class AppSimulation {
public:
    virtual ~AppSimulation() = default;
    virtual void resetClock() = 0;
    virtual void loadObjectDatabase() = 0;
    virtual void freeObjectDatabase() = 0;
    /// Opens the terrain world.
    virtual void openTerrain() = 0;
    /// Tears the running mission down (nothing without one).
    virtual void endMission() = 0;
    /// Writes the player's record back and frees scoring, goals and the replay log.
    virtual void scoringShutdown() = 0;
    virtual void scoringEndMission() = 0;
    virtual void scoringAbortMission() = 0;
    virtual void replayLogClose() = 0;
    /// Writes the option-flag event with this code into the replay log.
    virtual void logOptionFlag(int code) = 0;
    /// True when the running mission was loaded from a save (its log holds its start already).
    virtual bool missionLoaded() const = 0;
    /// True without an own boat, or when its station state asks for an aborted mission.
    virtual bool missionAborted() const = 0;
    /// Why the own boat was lost (1 a weapon's detonation, ...); 0 when it was not.
    virtual int ownShipLossCause() const = 0;

    /// Nests a pause (true) or ends one (false).
    virtual void pause(bool on) = 0;
    virtual void startRunning() = 0;
    virtual void stopRunning() = 0;
    /// True while a mission runs.
    virtual bool running() const = 0;
    virtual int pauseCount() const = 0;
    /// Advances the game clock by the real time since the last tick.
    virtual void tickClock() = 0;
    virtual double gameClock() const = 0;
    /// Game time up to which the world has been advanced.
    virtual double lastStepTime() const = 0;
    virtual void setLastStepTime(double time) = 0;
    /// Game time of the last per-second pass.
    virtual double lastSecondPassTime() const = 0;
    virtual void setLastSecondPassTime(double time) = 0;
};

/// The world step of the running mission.
class AppWorldStep {
public:
    virtual ~AppWorldStep() = default;
    /// Moves the sonic layer for the water under the own boat.
    virtual void updateLayerDepth() = 0;
    /// Lets every motion model keep its previous state.
    virtual void snapshotMotionStates() = 0;
    /// Advances the world by 0.1 to 10 s, in fixed sub-steps.
    virtual void advance(double seconds) = 0;
    /// Purges removed entities and gives the others their per-second update.
    virtual void secondPass(double elapsed) = 0;
};

/// The front end: the options record and the entity viewer.
class AppFrontEnd {
public:
    virtual ~AppFrontEnd() = default;
    /// Reads the options record of the player.
    virtual void loadOptions() = 0;
    /// A 32-bit field of the options record.
    virtual std::int32_t optionsField(int field) const = 0;
    virtual void resetEntityViewerCamera() = 0;
};

/// The network game.
class AppNetwork {
public:
    virtual ~AppNetwork() = default;
    /// Handles incoming messages of a connected game.
    virtual void poll() = 0;
    /// Forgets the players and the game.
    virtual void resetState() = 0;
    /// Ends any network session; safe without one.
    virtual void shutdown() = 0;
    /// True while a network game exists.
    virtual bool gameExists() const = 0;
};

struct AppServices {
    AppMedia* media = nullptr;
    AppTactical* tactical = nullptr;
    AppSimulation* simulation = nullptr;
    AppWorldStep* worldStep = nullptr;
    AppFrontEnd* frontEnd = nullptr;
    AppNetwork* network = nullptr;
};

/// Installs the services (not owned); a null member puts back that service's null version.
void appInstallServices(const AppServices& services);

AppMedia& appMedia();
AppTactical& appTactical();
AppSimulation& appSimulation();
AppWorldStep& appWorldStep();
AppFrontEnd& appFrontEnd();
AppNetwork& appNetwork();

} // namespace q71
