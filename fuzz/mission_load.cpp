// Saved missions read back: any bytes give a mission or a refusal that leaves the world as it
// was (here, empty), never a crash nor an allocation beyond what the bytes can hold; a mission
// that was loaded saves a file that loads again and saves the same bytes.
#include "sim/simulation/mission_load.h"
#include "fuzz_records.h"
#include "sim/entities/entity.h"
#include "sim/entities/motion/motion_model.h"
#include "sim/entities/types/entity_classes.h"
#include "sim/scoring/byte_stream.h"
#include "sim/services/sim_services.h"
#include "sim/simulation/launcher_tables.h"
#include "sim/simulation/mission_end.h"
#include "sim/simulation/mission_entity_makers.h"
#include "sim/simulation/mission_save.h"
#include "sim/simulation/world_lists.h"
#include "stations/firectrl/fire_control_stations.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

namespace {

// The own boat: a hull of the first record without a controller.
q71::Entity* makeOwnShip(std::int32_t side, std::int32_t level, std::int32_t id) {
    auto* own = new q71::Entity(side, "Q71i", level, q71::kKindSubsurface, id);
    own->typeCode = q71::kEntityOwnShip;
    own->motion = std::make_unique<q71::MotionModel>(*own);
    return own;
}

// A small object database (records 1 to 6), the entity classes, the own boat and fire control.
bool setUp() {
    using q71::fuzz::plainRecord;
    q71::fuzz::loadRecords({plainRecord(1, "Q71i", "sub", 1), plainRecord(2, "Ship", "ship", 2),
                            plainRecord(3, "Boat", "sub", 1), plainRecord(4, "Plane", "plane", 3),
                            plainRecord(5, "Explosion", "other", 4), plainRecord(6, "Fish", "torp", 5)});
    q71::entityClassesInstall();
    q71::simSetOwnShipMaker(makeOwnShip);
    q71::simInstallServices({.weapons = &q71::fireControlStations()});
    return true;
}

std::vector<std::uint8_t> saved() {
    q71::MemorySink sink;
    if (!q71::missionWrite(sink))
        __builtin_trap();
    return sink.bytes();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const bool ready = setUp();
    (void)ready;
    if (!q71::missionRestore({data, size})) {
        if (!q71::worldList().empty() || !q71::worldPendingList().empty() || q71::launcherTables())
            __builtin_trap(); // a refused file leaves nothing behind
        return 0;
    }
    const std::vector<std::uint8_t> once = saved();
    if (!q71::missionRestore(once) || saved() != once)
        __builtin_trap();
    q71::simEndMission();
    return 0;
}
