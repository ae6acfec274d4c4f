// Saved missions read back: any bytes give a mission or a refusal that leaves the world as it
// was (here, empty), never a crash nor an allocation beyond what the bytes can hold; a mission
// that was loaded saves a file that loads again and saves the same bytes.
#include "sim/simulation/mission_load.h"
#include "scratch_files.h"
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
#include "sim/world/object_database.h"
#include "stations/firectrl/fire_control_stations.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

namespace {

q71::ObjectRecord record(std::uint32_t id, const char* name, const char* category, std::uint32_t kind) {
    q71::ObjectRecord r;
    r.id = id;
    r.keyName.assign(name);
    r.categoryWord.assign(category);
    r.kind = kind;
    r.length = 300;
    r.beam = 30;
    r.height = 30;
    r.maxSpeed = 30;
    r.sonarFigure = 2.0f;
    r.signatureFactor = 1.0f;
    return r;
}

// The own boat: a hull of the first record without a controller.
q71::Entity* makeOwnShip(std::int32_t side, std::int32_t level, std::int32_t id) {
    auto* own = new q71::Entity(side, "Q71i", level, q71::kKindSubsurface, id);
    own->typeCode = q71::kEntityOwnShip;
    own->motion = std::make_unique<q71::MotionModel>(*own);
    return own;
}

// A small object database (records 1 to 6), the entity classes, the own boat and fire control.
bool setUp() {
    std::vector<std::uint8_t> bytes;
    for (const q71::ObjectRecord& r :
         {record(1, "Q71i", "sub", 1), record(2, "Ship", "ship", 2), record(3, "Boat", "sub", 1),
          record(4, "Plane", "plane", 3), record(5, "Explosion", "other", 4), record(6, "Fish", "torp", 5)}) {
        const auto encoded = q71::objectRecordEncode(r);
        bytes.insert(bytes.end(), encoded.begin(), encoded.end());
    }
    const std::string path = q71::fuzz::scratchPath("objects.db");
    q71::fuzz::writeScratch(path, bytes.data(), bytes.size());
    if (!q71::objdbLoadFile(path))
        std::abort();
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
