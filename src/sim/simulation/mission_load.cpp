#include "sim/simulation/mission_load.h"

#include "sim/scoring/byte_stream.h"
#include "sim/scoring/player_files.h"
#include "sim/simulation/mission_end.h"
#include "sim/simulation/mission_load_parking.h"
#include "sim/simulation/mission_load_sections.h"
#include "sim/simulation/mission_save_replay.h"
#include "sim/simulation/own_ship_setup.h"
#include "sim/simulation/random.h"

#include <vector>

namespace q71 {

namespace {

constexpr int kTextLoadCaption = 636;
constexpr int kTextCannotOpen = 664;
constexpr int kTextDamaged = 1820;
// The side the own boat of a single-player set-up takes; its saved state then says which it is.
constexpr std::int32_t kOwnShipSide = 1;

// The rest of the file, read into a world of its own beside the running mission; false when it
// does not hold.
bool readSavedWorld(ByteSource& source, SavedMission& saved) {
    simSeedMission();
    simBuildOwnShipAndLaunchers(kOwnShipSide);
    return missionReadEntities(source, saved) && missionReadRest(source, saved);
}

} // namespace

bool missionRestore(std::span<const std::uint8_t> bytes) {
    MemorySource source(bytes);
    SavedMission saved;
    if (!missionReadPreamble(source, saved))
        return false;

    // The entities can only be rebuilt in a world: the running mission's stands aside meanwhile,
    // and whatever the rebuilding draws or logs is taken back should the file fail.
    const std::uint32_t randomState = randomCurrentState();
    const std::optional<std::uint64_t> replayLength = replayLogLength();
    ParkedWorld running;
    if (!readSavedWorld(source, saved)) {
        const ParkedWorld failed; // the half-built world, deleted as this returns
        running.putBack();
        randomSeed(randomState);
        if (replayLength)
            replayLogCutBack(*replayLength);
        return false;
    }

    // The file holds together: the running mission ends as any does, and the loaded one takes its place.
    ParkedWorld loaded;
    running.putBack();
    simEndMission();
    loaded.putBack();
    missionApply(saved);
    return true;
}

bool simLoadMission(const std::string& path) {
    std::vector<std::uint8_t> bytes;
    if (!fileReadContents(path, bytes)) {
        savedMissionAlert(kTextLoadCaption, kTextCannotOpen, path);
        return false;
    }
    if (missionRestore(bytes))
        return true;
    savedMissionAlert(kTextLoadCaption, kTextDamaged, path);
    return false;
}

} // namespace q71
