#include "scenario_bytes.h"
#include "sim/scoring/byte_stream.h"
#include "sim/simulation/scenario_file.h"
#include "sim/simulation/scenario_reader.h"
#include "sim/support/scoped_folders.h"

#include <gtest/gtest.h>

namespace q71 {
namespace {

std::span<const std::uint8_t> span(const std::string& bytes) {
    return {reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()};
}

bool readBody(const std::string& bytes, Scenario& scenario) {
    MemorySource source(span(bytes));
    return scenarioReadBody(source, scenario);
}

// A submarine on a route of two waypoints and an own-ship start, as the editor would write them.
test::ScenarioBytes patrol() {
    test::ScenarioBytes file;
    test::RecordBytes sub;
    sub.x = 268800.5;
    sub.y = 270000.25;
    sub.type = 1;
    sub.side = 2;
    sub.typeName = "Akula";
    sub.level = 3;
    sub.mode = 5;
    sub.course = 270;
    sub.depth = -400;
    sub.speed = 8;
    sub.west = -3000;
    sub.south = -2000;
    sub.east = 3000;
    sub.north = 2500;
    sub.areaFlag = 7;
    sub.delay = 600;
    sub.goal1 = 2;
    sub.goal2 = -1;
    sub.randomFlag = 1;
    sub.randomWidth = 1500;
    sub.randomHeight = 800;
    sub.waypoints = {{270000, 271000, -120, 10}, {272000, 269000, -60, 12}};
    test::RecordBytes start;
    start.type = 6;
    start.side = 1;
    start.typeName = "Orque";
    start.depth = -88;
    start.speed = 5;
    file.records = {sub, start};
    return file;
}

TEST(ScenarioFile, EveryFieldIsReadFromItsOffset) {
    const test::ScenarioBytes file = patrol();
    Scenario scenario;
    const std::string bytes = file.bytes();
    MemorySource source(span(bytes));
    ASSERT_TRUE(scenarioReadBody(source, scenario));
    EXPECT_EQ(source.remaining(), file.goals.size() + file.thresholds.size()) << "left at the goal section";

    EXPECT_EQ(scenario.texts[kScenarioDescription], "Patrouille");
    EXPECT_EQ(scenario.texts[kScenarioMissionName], "Mission 1");
    EXPECT_EQ(scenario.texts[kScenarioBriefing], "Le briefing");
    EXPECT_FALSE(scenario.texts[kScenarioIntelligence]) << "an empty block reads as none";
    EXPECT_EQ(scenario.texts[kScenarioTasking], "Les ordres");

    EXPECT_EQ(scenario.header.originLatitude, 49.0);
    EXPECT_EQ(scenario.header.originLongitude, -172.0);
    EXPECT_EQ(scenario.header.timeOfDay, 3);
    EXPECT_EQ(scenario.header.seaState, 4);
    EXPECT_EQ(scenario.header.soundProfile, 2);
    EXPECT_EQ(scenario.header.bottomType, 1);

    ASSERT_EQ(scenario.records.size(), 2u);
    const ScenarioRecord& sub = scenario.records[0];
    EXPECT_EQ(sub.x, 268800.5);
    EXPECT_EQ(sub.y, 270000.25);
    EXPECT_EQ(sub.type, kScenarioSubmarine);
    EXPECT_EQ(sub.side, 2);
    EXPECT_EQ(sub.typeName, "Akula");
    EXPECT_EQ(sub.level, 3);
    EXPECT_EQ(sub.patrolMode, 5);
    EXPECT_EQ(sub.course, 270);
    EXPECT_EQ(sub.depth, -400);
    EXPECT_EQ(sub.speed, 8);
    EXPECT_EQ(sub.boxWest, -3000);
    EXPECT_EQ(sub.boxSouth, -2000);
    EXPECT_EQ(sub.boxEast, 3000);
    EXPECT_EQ(sub.boxNorth, 2500);
    EXPECT_EQ(sub.areaFlag, 7);
    EXPECT_EQ(sub.entryDelay, 600);
    EXPECT_EQ(sub.goalNode1, 2);
    EXPECT_EQ(sub.goalNode2, -1);
    EXPECT_EQ(sub.randomPlacement, 1);
    EXPECT_EQ(sub.randomWidth, 1500);
    EXPECT_EQ(sub.randomHeight, 800);
    ASSERT_EQ(sub.waypoints.size(), 2u);
    EXPECT_EQ(sub.waypoints[1].x, 272000);
    EXPECT_EQ(sub.waypoints[1].y, 269000);
    EXPECT_EQ(sub.waypoints[1].depth, -60);
    EXPECT_EQ(sub.waypoints[1].speed, 12);

    const ScenarioRecord& start = scenario.records[1];
    EXPECT_EQ(start.type, kScenarioOwnShipStart);
    EXPECT_EQ(start.typeName, "Orque");
    EXPECT_EQ(start.depth, -88);
    EXPECT_TRUE(start.waypoints.empty());
}

TEST(ScenarioFile, TextsEndAtTheirFirstNulOrAtTheirLength) {
    test::ScenarioBytes file = patrol();
    file.records[0].typeName = std::string(32, 'K');                // a name filling its field, with no NUL
    std::string bytes = test::le32(6) + std::string("Ab\0cd\0", 6); // a NUL inside the block
    bytes += test::le32(3) + "xyz";                                 // a block without its NUL
    for (int i = 2; i < 5; ++i)
        bytes += test::textBlock(file.texts[i]);
    const std::string all = file.bytes();
    const size_t textsEnd = [&] {
        size_t at = 0;
        for (const auto& t : file.texts)
            at += test::textBlock(t).size();
        return at;
    }();
    bytes += all.substr(textsEnd);
    Scenario scenario;
    ASSERT_TRUE(readBody(bytes, scenario));
    EXPECT_EQ(scenario.texts[0], "Ab");
    EXPECT_EQ(scenario.texts[1], "xyz");
    EXPECT_EQ(scenario.records[0].typeName, std::string(32, 'K'));
}

TEST(ScenarioFile, ALengthOrCountBeyondTheFileIsRefusedBeforeAnythingIsMade) {
    const Scenario before = [] {
        Scenario s;
        s.records.resize(3);
        return s;
    }();
    auto refused = [&](const std::string& bytes) {
        Scenario scenario = before;
        const bool read = readBody(bytes, scenario);
        return !read && scenario.records.size() == 3 && !scenario.texts[0];
    };
    const std::string good = patrol().bytes();

    EXPECT_TRUE(refused(test::le32(0x7fffffff) + good)) << "a text longer than the file";
    EXPECT_TRUE(refused(test::le32(0xffffffff) + good)) << "a negative text length";
    // The entity count lies just after the five texts and the header.
    const size_t countAt = good.find("Les ordres") + 11 + 56;
    std::string bigCount = good;
    bigCount.replace(countAt, 4, test::le32(20000000));
    EXPECT_TRUE(refused(bigCount)) << "more records than the file holds";
    std::string negativeCount = good;
    negativeCount.replace(countAt, 4, test::le32(0x80000000));
    EXPECT_TRUE(refused(negativeCount));

    test::ScenarioBytes lying = patrol();
    lying.records[0].countOverride = 0x10000000;
    EXPECT_TRUE(refused(lying.bytes())) << "more waypoints than the file holds";
    lying.records[0].countOverride = 0xfffffffe;
    EXPECT_TRUE(refused(lying.bytes())) << "a negative waypoint count";

    for (size_t cut : {size_t{3}, countAt - 1, countAt + 100, countAt + 4 + 192 + 30})
        EXPECT_TRUE(refused(good.substr(0, cut))) << "cut at " << cut;
}

TEST(ScenarioFile, TheWriterPutsEveryFieldWhereTheReaderFindsIt) {
    test::ScenarioBytes file = patrol();
    file.fillReserved = false;
    for (test::RecordBytes& r : file.records)
        r.fillReserved = false;
    Scenario scenario;
    const std::string bytes = file.bytes();
    ASSERT_TRUE(readBody(bytes, scenario));

    GoalTree goals;
    GoalNode node;
    node.id = 2;
    node.kind = kGoalDestroy;
    node.points = 300;
    goals.addNode(node, nullptr);
    MemorySink sink;
    ASSERT_TRUE(scenarioWrite(sink, scenario, goals, {10, 20, 30, 40, 50}));
    const std::string written(sink.bytes().begin(), sink.bytes().end());
    const std::string body = bytes.substr(0, bytes.size() - file.goals.size() - file.thresholds.size());
    EXPECT_EQ(written.substr(0, body.size()), body);
    EXPECT_EQ(written.substr(written.size() - 20), file.thresholds);

    MemorySource source(sink.bytes());
    Scenario again;
    ASSERT_TRUE(scenarioReadBody(source, again));
    GoalTree goalsAgain;
    ASSERT_TRUE(goalsAgain.read(source));
    ASSERT_NE(goalsAgain.root(), nullptr);
    EXPECT_EQ(goalsAgain.root()->points, 300);
    EXPECT_EQ(source.remaining(), 20u);
}

TEST(ScenarioFile, TheWriterRefusesWhatItsFieldsCannotHold) {
    MemorySink sink;
    EXPECT_TRUE(scenWriteBlock(sink, std::nullopt));
    EXPECT_EQ(sink.bytes(), std::vector<std::uint8_t>(4, 0)) << "no text: a length of 0";
    EXPECT_FALSE(scenWriteBlock(sink, std::string("a\0b", 3))) << "a NUL would cut the text";

    Scenario scenario;
    scenario.records.resize(1);
    scenario.records[0].typeName = std::string(31, 'n');
    EXPECT_TRUE(scenarioWriteBody(sink, scenario));
    scenario.records[0].typeName = std::string(32, 'n');
    EXPECT_FALSE(scenarioWriteBody(sink, scenario)) << "the name field keeps room for its NUL";
}

TEST(ScenarioFile, TheMissionListsReadTheFirstTwoBlocksByName) {
    test::DataFolder data;
    data.write("Scenario/Sb3.scn", patrol().bytes());
    EXPECT_EQ(scenReadBlock1("Sb3.scn"), "Patrouille");
    EXPECT_EQ(scenReadBlock2("Sb3.scn"), "Mission 1");
    EXPECT_EQ(scenReadBlock1("SB3.SCN"), "Patrouille") << "names are matched without regard to case";

    data.write("Scenario/Empty.scn", test::le32(0) + test::le32(0));
    EXPECT_FALSE(scenReadBlock1("Empty.scn"));
    EXPECT_FALSE(scenReadBlock2("Empty.scn"));
    data.write("Scenario/Short.scn", test::le32(50) + "Patr");
    EXPECT_FALSE(scenReadBlock1("Short.scn"));
    EXPECT_FALSE(scenReadBlock1("Missing.scn"));
}

} // namespace
} // namespace q71
