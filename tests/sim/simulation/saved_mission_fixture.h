#pragma once
// Missions of the data set started and run headless for the tests of the mission save and load:
// the own submarine and units of the real entity classes with their controllers, launchers that
// keep their loads, a pinned seed and clock.
#include "saved_mission_stations.h"
#include "sim/entities/controllers/aircraft_controller.h"
#include "sim/entities/controllers/countermeasure_controller.h"
#include "sim/entities/controllers/entity_controller.h"
#include "sim/entities/controllers/mine_controller.h"
#include "sim/entities/types/controller_makers.h"
#include "sim/entities/types/entity_classes.h"
#include "sim/scoring/byte_stream.h"
#include "sim/simulation/mission_save.h"
#include "sim/support/data_set_world.h"
#include "sim/support/world_harness.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace q71::test {

class SavedMissionWorld : public DataSetWorld {
protected:
    SavedMissionWorld() {
        std::filesystem::create_directories(player.file(""));
        entityClassesInstall();
        airPlatformControllerInstall();
        mineControllersInstall();
        countermeasureControllerInstall();
        for (ControllerClass which : kPlainControllers)
            entitySetControllerMaker(which, plainController);
    }
    ~SavedMissionWorld() override {
        for (ControllerClass which : kAllControllers)
            entitySetControllerMaker(which, nullptr);
        entityClassesUninstall();
    }

    /// Starts a scenario of the data set as the mission selection does and runs it.
    void startMission(const std::string& name, double runSeconds) {
        startDataSetMission(name);
        harness.run(runSeconds, 1.0);
    }

    /// The running mission in its saved form.
    static std::vector<std::uint8_t> savedBytes() {
        MemorySink sink;
        EXPECT_TRUE(missionWrite(sink));
        return sink.bytes();
    }

    KeepingStations stations;
    WorldHarness harness{1};

private:
    // Ships and submarines follow their plans with the controllers' common part until their own
    // controllers are there.
    static constexpr ControllerClass kPlainControllers[] = {ControllerClass::surfaceShip,
                                                            ControllerClass::submarine};
    static constexpr ControllerClass kAllControllers[] = {
        ControllerClass::surfaceShip,   ControllerClass::submarine, ControllerClass::airPlatform,
        ControllerClass::mine,          ControllerClass::mine2,     ControllerClass::mobileMine,
        ControllerClass::countermeasure};
    static EntityController* plainController(Entity& owner, double) { return new EntityController(owner); }
};

} // namespace q71::test
