#pragma once
// What the simulation knows of the mission as a whole: where it lies on the earth, its
// acoustic environment and which mission of which kind it is. The scenario reader fills the
// environment from the scenario header; mission selection and scoring set the mode and index;
// a loaded mission and the host built on a mission set their flags. The clock, the random
// seeding, the sound-speed profile and the stations read them.

#include <cstdint>

namespace q71 {

/// Mission modes: which set of scenarios the mission comes from.
enum MissionMode : std::int32_t {
    kMissionModeTutorial = 1, ///< "T%c%d.scn"
    kMissionModeSingle = 2,   ///< "S%c%d.scn"
    kMissionModeCampaign = 3, ///< "C%c%d.scn"
};

/// Why the own boat was lost, as the death screen tells it and the replay log's damage records mark it.
enum OwnBoatLossCause : std::int32_t {
    kLossNone = 0,
    kLossWeapon = 1,      ///< a weapon's detonation (the only one with the death movie)
    kLossDepthCharge = 2,
    kLossMine = 3,
    kLossCollision = 4,
    kLossGrounded = 5,    ///< wrecked on the bottom
    kLossCrushed = 6,     ///< below crush depth
    kLossGroundBlast = 7, ///< a missile's ground blast (damage records only)
};

struct MissionState {
    double mapOriginLatitude = 40.93;   ///< degrees, of the grid centre
    double mapOriginLongitude = 18.45;  ///< degrees
    std::uint32_t soundProfileKind = 0; ///< 1 isothermal, 2 deep layer, any other: layer to the bottom
    std::uint32_t bottomType = 0;       ///< chooses the seabed texture
    std::int32_t missionMode = 0;       ///< a MissionMode
    std::int32_t missionIndex = 0;      ///< 0-based number of the mission within its set
    bool loadedFromSave = false;        ///< the running mission came from a saved game
    /// The in-mission host was built on the running mission: built again (after a refused load),
    /// its stations take up the state the mission holds, as after a load.
    bool hostBuilt = false;
    std::int32_t ownBoatLossCause = kLossNone; ///< set when the own boat is lost
    bool deathScreenQueued = false; ///< asked for inside a walk of the world, shown once it is over

    /// The first single mission runs on the fixed seed 1000, so that it plays the same every time.
    bool fixedSeedMode() const { return missionMode == kMissionModeSingle && missionIndex == 0; }
};

/// The mission state of the program.
MissionState& missionState();

} // namespace q71
