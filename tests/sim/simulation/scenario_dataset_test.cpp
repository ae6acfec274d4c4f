// The scenarios and the campaign of the generated data set, read as the program reads them:
// every mission set complete, every file whole, every record naming an object of its kind,
// every goal bound to a unit that exists and every mission able to reach its top grade.
#include "framework/resources/registry.h"
#include "platform/files/locations.h"
#include "platform/files/path.h"
#include "sim/scoring/campaign_file.h"
#include "sim/scoring/player_files.h"
#include "sim/simulation/scenario_file.h"
#include "sim/simulation/scenario_reader.h"
#include "sim/world/object_database.h"
#include "sim/world/terrain_world.h"
#include "support/data_set_settings.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <map>
#include <set>
#include <unistd.h>

namespace q71 {
namespace {

struct ScenarioOnDisk {
    std::string name;
    Scenario scenario;
    GoalTree goals;
    GradeThresholds thresholds{};
};

class DataSetScenarios : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        test::loadDataSetSettings(); // afresh: a suite before this one may have installed its own
        appReadInstallPaths();
        ASSERT_EQ(::chdir(rootInstallPath), 0) << rootInstallPath;
        ASSERT_TRUE(objdbLoad());
        for (const auto& entry :
             std::filesystem::directory_iterator(fileResolvePath(locationDataRoot() + "/Scenario")))
            if (entry.path().extension() == ".scn")
                names().insert(entry.path().filename().string());
    }
    static void TearDownTestSuite() { objdbFree(); }

    static std::set<std::string>& names() {
        static std::set<std::string> all;
        return all;
    }

    // Reads a whole scenario: body, goals and thresholds, with nothing left after them.
    static ScenarioOnDisk read(const std::string& name) {
        ScenarioOnDisk s;
        s.name = name;
        std::vector<std::uint8_t> bytes;
        EXPECT_TRUE(fileReadContents(scenarioPath(name), bytes)) << name;
        MemorySource source(bytes);
        EXPECT_TRUE(scenarioReadBody(source, s.scenario)) << name;
        EXPECT_TRUE(s.goals.read(source)) << name;
        std::array<std::uint8_t, kGradeThresholdsSize> thresholds{};
        EXPECT_TRUE(source.read(thresholds)) << name;
        EXPECT_EQ(source.remaining(), 0u) << name;
        for (size_t i = 0; i < s.thresholds.size(); ++i)
            s.thresholds[i] =
                static_cast<std::int32_t>(thresholds[4 * i] | thresholds[4 * i + 1] << 8 |
                                          thresholds[4 * i + 2] << 16 | thresholds[4 * i + 3] << 24);
        return s;
    }

    template <class Check> static void forEachScenario(Check check) {
        for (const std::string& name : names()) {
            SCOPED_TRACE(name);
            check(read(name));
        }
    }
};

TEST_F(DataSetScenarios, EveryMissionSetRunsFromOneWithoutAGap) {
    std::map<std::string, int> counts;
    for (const std::string& name : names())
        ++counts[name.substr(0, 2)];
    EXPECT_GE(counts["Ta"], 3) << "tutorials";
    EXPECT_GE(counts["Sa"], 6) << "single missions";
    EXPECT_EQ(counts["Ca"], 5) << "campaign missions";
    for (const auto& [series, count] : counts)
        for (int n = 1; n <= count; ++n)
            EXPECT_TRUE(names().count(series + std::to_string(n) + ".scn")) << series << n;
}

TEST_F(DataSetScenarios, EveryFileIsWholeWithItsTextsAndRisingGrades) {
    forEachScenario([](const ScenarioOnDisk& s) {
        for (const auto& text : s.scenario.texts)
            EXPECT_TRUE(text && !text->empty());
        EXPECT_TRUE(std::is_sorted(s.thresholds.begin(), s.thresholds.end()));
        EXPECT_GT(s.thresholds[0], 0);
        EXPECT_EQ(scenReadBlock2(s.name), s.scenario.texts[kScenarioMissionName]);
    });
}

TEST_F(DataSetScenarios, EveryRecordNamesAnObjectOfItsKindOnTheMissionGrid) {
    const double side = kMissionRegionKm * 1000.0;
    forEachScenario([&](const ScenarioOnDisk& s) {
        int starts = 0;
        for (const ScenarioRecord& r : s.scenario.records) {
            SCOPED_TRACE(r.typeName);
            EXPECT_TRUE(r.x > 0.0 && r.x < side && r.y > 0.0 && r.y < side);
            for (const ScenarioWaypoint& w : r.waypoints)
                EXPECT_TRUE(w.x > 0.0 && w.x < side && w.y > 0.0 && w.y < side);
            if (r.type == kScenarioOwnShipStart) {
                ++starts;
                EXPECT_FALSE(r.typeName.empty()) << "the start names the boat";
                EXPECT_TRUE(r.waypoints.empty());
                continue;
            }
            const ObjectRecord* object = objdbFindByName(r.typeName);
            ASSERT_NE(object, nullptr);
            switch (r.type) {
            case kScenarioSubmarine:
            case kScenarioSurfaceShip:
            case kScenarioAircraft:
                EXPECT_EQ(object->kind, static_cast<std::uint32_t>(r.type));
                EXPECT_GE(r.level, 1);
                EXPECT_LE(r.level, 4);
                break;
            case kScenarioMine:
                EXPECT_EQ(object->category(), kCategoryMine);
                break;
            case kScenarioObject:
                EXPECT_NE(object->category(), kCategoryMine);
                EXPECT_EQ(r.entryDelay, 0.0) << "objects without a controller enter at once";
                break;
            default:
                ADD_FAILURE() << "record type " << r.type;
            }
        }
        EXPECT_GE(starts, 1);
    });
}

TEST_F(DataSetScenarios, NoTwoHullsStartOnOneAnother) {
    // Hulls placed together collide at once: a ship on the platform it guards would damage it
    // before the mission has begun. Aircraft fly above, and a spread unit starts anywhere in it.
    constexpr double kApart = 500.0; // metres, well beyond any two hulls' reach
    forEachScenario([&](const ScenarioOnDisk& s) {
        std::vector<const ScenarioRecord*> hulls;
        for (const ScenarioRecord& r : s.scenario.records)
            if (r.type != kScenarioAircraft && r.type != kScenarioOwnShipStart && !r.randomPlacement)
                hulls.push_back(&r);
        for (size_t i = 0; i < hulls.size(); ++i)
            for (size_t j = i + 1; j < hulls.size(); ++j)
                EXPECT_GE(std::hypot(hulls[i]->x - hulls[j]->x, hulls[i]->y - hulls[j]->y), kApart)
                    << hulls[i]->typeName << " and " << hulls[j]->typeName;
    });
}

TEST_F(DataSetScenarios, EveryGoalIsBoundToAUnitAndTheTopGradeCanBeReached) {
    forEachScenario([](const ScenarioOnDisk& s) {
        ASSERT_NE(s.goals.root(), nullptr);
        std::int64_t best = 0;
        bool required = false;
        goalTreeForEach(s.goals.root(), [&](GoalNode& goal) {
            best += std::max(0, goal.points);
            required |= goal.required == 1;
            EXPECT_EQ(goal.targetId, 0) << "targets are bound when the mission starts";
        });
        EXPECT_TRUE(required) << "a mission is won by its required goals";
        EXPECT_GE(best, s.thresholds[4]);
        for (const ScenarioRecord& r : s.scenario.records) {
            for (std::int32_t id : {r.goalNode1, r.goalNode2}) {
                if (id > 0) {
                    EXPECT_NE(goalTreeFindNode(s.goals.root(), id), nullptr) << "goal " << id;
                }
            }
        }
    });
}

TEST_F(DataSetScenarios, TheCampaignPlaysTheCampaignMissionsOfItsSet) {
    std::vector<std::uint8_t> bytes;
    ASSERT_TRUE(fileReadContents(scenarioPath("a.cdf"), bytes));
    Campaign campaign;
    ASSERT_EQ(campaignDecode(bytes, campaign), CampaignStatus::Ok);
    EXPECT_EQ(campaign.header.missionSet, 0);
    EXPECT_GE(campaign.header.legCount, 2);
    const auto missions = std::count_if(names().begin(), names().end(),
                                        [](const std::string& n) { return n.rfind("Ca", 0) == 0; });
    EXPECT_EQ(campaign.totalMissions, missions);
}

} // namespace
} // namespace q71
