#pragma once
// A test suite that runs missions over the generated data set: the data set's folder made
// current with its settings, its object database, texts and terrain open for the whole suite,
// and, for each test, a player folder of its own; the mission ends with each test. Missions of
// the data set start as the mission selection starts them.

#include "framework/resources/registry.h"
#include "framework/textmngr/text_manager.h"
#include "platform/files/locations.h"
#include "platform/files/path.h"
#include "sim/simulation/mission_end.h"
#include "sim/simulation/sim_clock.h"
#include "sim/support/data_set_mission.h"
#include "sim/support/scoped_folders.h"
#include "sim/world/object_database.h"
#include "sim/world/terrain_world.h"
#include "support/data_set_settings.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <set>
#include <string>
#include <unistd.h>

namespace q71::test {

class DataSetWorld : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        previous_ = std::filesystem::current_path();
        // The settings are read once a run, and the player's folder they name (where the replay
        // log goes) must be this run's own, not one that tests running beside it write too.
        runPlayer_ = std::make_unique<PlayerFolder>();
        loadDataSetSettings(); // afresh: a suite before this one may have installed its own
        appReadInstallPaths();
        ASSERT_EQ(::chdir(rootInstallPath), 0) << rootInstallPath;
        ASSERT_TRUE(objdbLoad());
        ASSERT_EQ(textOpen(), 1);
        worldOpen();
    }
    static void TearDownTestSuite() {
        worldShutdown();
        objdbFree();
        std::filesystem::current_path(previous_);
        // The settings name this suite's player folder, which goes now: the suites after it
        // must find the player's files where their own folder puts them.
        settingsUnload();
        runPlayer_.reset();
    }
    void TearDown() override { simEndMission(); }

    /// The scenario files of the data set.
    static std::set<std::string> dataSetScenarios() {
        std::set<std::string> names;
        for (const auto& entry :
             std::filesystem::directory_iterator(fileResolvePath(locationDataRoot() + "/Scenario")))
            if (entry.path().extension() == ".scn")
                names.insert(entry.path().filename().string());
        return names;
    }

    /// Starts a scenario as the mission selection does, its mode by its first letter and its index
    /// by its number, and lets it run.
    static void startDataSetMission(const std::string& name) {
        const ScenarioStatus status = startDataSetScenario(name);
        EXPECT_TRUE(status.ok()) << scenarioErrorMessage(status, name);
        simStartRunning();
    }

    PlayerFolder player;

private:
    static inline std::filesystem::path previous_;
    static inline std::unique_ptr<PlayerFolder> runPlayer_;
};

} // namespace q71::test
