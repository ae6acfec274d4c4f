#pragma once
// A test suite that runs missions over the generated data set: the data set's folder made
// current with its settings, its object database, texts and terrain open for the whole suite,
// and, for each test, a player folder of its own; the mission ends with each test.

#include "framework/resources/registry.h"
#include "framework/textmngr/text_manager.h"
#include "sim/simulation/mission_end.h"
#include "sim/support/scoped_folders.h"
#include "sim/world/object_database.h"
#include "sim/world/terrain_world.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <unistd.h>

namespace q71::test {

class DataSetWorld : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        previous_ = std::filesystem::current_path();
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
    }
    void TearDown() override { simEndMission(); }

    PlayerFolder player;

private:
    static inline std::filesystem::path previous_;
};

} // namespace q71::test
