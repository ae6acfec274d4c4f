// Scenario files played: any bytes either are refused or start a mission of the entity classes
// with their controllers, and three game minutes of it leave every place, heading, speed, hull
// and the sea's noise a finite number. Whatever crew level, place or speed a file gives its units.
#include "fuzz_records.h"
#include "sim/entities/entity.h"
#include "sim/entities/explosion.h"
#include "sim/entities/motion/motion_model.h"
#include "sim/entities/types/entity_classes.h"
#include "sim/services/sim_services.h"
#include "sim/simulation/mission_end.h"
#include "sim/simulation/mission_start.h"
#include "sim/simulation/mission_state.h"
#include "sim/simulation/own_ship_setup.h"
#include "sim/simulation/sim_clock.h"
#include "sim/simulation/sound_profile.h"
#include "sim/simulation/world_lists.h"
#include "sim/simulation/world_step.h"
#include "stations/firectrl/fire_control_stations.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <initializer_list>
#include <vector>

namespace {

constexpr double kRunSeconds = 180.0;

// A platform with sensors, armour, an active sonar and a signature.
q71::ObjectRecord record(std::uint32_t id, const char* name, const char* category, std::uint32_t kind) {
    q71::ObjectRecord r = q71::fuzz::plainRecord(id, name, category, kind);
    r.radarFigure = 1.0f;
    r.visualFigure = 1.0f;
    r.armour = 10;
    r.activeSonar = 5;
    r.signatureValues = {300, 900, 0, 0, 0};
    r.signatureParameters = {20, 0, 0, 0};
    return r;
}

// The own boat, a submarine, a ship, an aircraft, a mine and the weapons they carry, in a data
// folder of the run's own whose "Scenario" folder takes the input.
bool setUp() {
    q71::ObjectRecord boat = record(2, "Boat", "sub", 1);
    q71::ObjectRecord ship = record(3, "Ship", "ship", 2);
    for (q71::ObjectRecord* armed : {&boat, &ship}) {
        armed->weapons[1].keyName.assign("Fish");
        armed->weapons[1].count = 4;
    }
    q71::fuzz::loadRecords({record(1, "Q71i", "sub", 1), boat, ship, record(4, "Plane", "plane", 3),
                            record(5, "Explosion", "other", 4), record(6, "Fish", "torp", 5),
                            record(7, "Mine", "mine", 4)});
    std::filesystem::create_directories(q71::fuzz::scratchPath("Scenario"));
    ::setenv("Q71_DATA", q71::fuzz::scratchPath("").c_str(), 1);
    q71::entityClassesInstall();
    q71::entityControllersInstall();
    q71::explosionInstallMaker();
    q71::simInstallServices({.weapons = &q71::fireControlStations()});
    return true;
}

bool finite(std::initializer_list<double> values) {
    for (double v : values)
        if (!std::isfinite(v))
            return false;
    return true;
}

bool worldFinite() {
    for (auto* node = q71::worldList().head(); node; node = node->next) {
        const q71::Entity& e = *node->item;
        if (!finite({e.hull, e.noiseFactor}))
            return false;
        if (const q71::MotionModel* m = e.motion.get(); m && !finite({m->x, m->y, m->z, m->heading, m->speed}))
            return false;
    }
    return finite({q71::soundProfile().ambientNoise});
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const bool ready = setUp();
    (void)ready;
    q71::fuzz::writeScratch(q71::fuzz::scratchPath("Scenario/Sa2.scn"), data, size);
    q71::missionState().missionMode = q71::kMissionModeSingle;
    q71::missionState().missionIndex = 1;
    q71::simSetupOwnShip(-1);
    if (!q71::simStartMission("Sa2.scn", q71::kMissionModeSingle).ok()) {
        if (!q71::worldList().empty() || !q71::worldPendingList().empty())
            __builtin_trap(); // a refused file leaves nothing behind
        return 0;
    }
    q71::simStartRunning();
    // The main loop's step at passes of one game second.
    for (double t = 1.0; t <= kRunSeconds; t += 1.0) {
        q71::worldSnapshotMotionStates();
        q71::worldAdvance(1.0);
        q71::simSetGameTime(t);
        q71::worldSecondPass(1.0);
        if (!worldFinite())
            __builtin_trap();
    }
    q71::simEndMission();
    return 0;
}
