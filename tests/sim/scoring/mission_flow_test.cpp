#include "career_fixture.h"

#include <cmath>

namespace q71 {
namespace {

using test::CareerTest;
using MissionBegin = CareerTest;
using MissionEnd = CareerTest;
using CampaignMissions = CareerTest;

TEST(ScenarioMissionIndex, TheNumberFromTheThirdCharacterLessOne) {
    EXPECT_EQ(scenarioMissionIndex("Ta1.scn"), 0);
    EXPECT_EQ(scenarioMissionIndex("Cb12.scn"), 11);
    EXPECT_EQ(scenarioMissionIndex("Scenario\\Sa3.scn"), 2);
    EXPECT_EQ(scenarioMissionIndex("Tab.scn"), 0);
    EXPECT_EQ(scenarioMissionIndex("Ta"), 0);
    EXPECT_EQ(scenarioMissionIndex("Ca0.scn"), -1);
}

TEST(CampaignRating, WeightedGradesRaisedToTheMissionNumber) {
    std::array<std::int32_t, 20> grades{};
    grades.fill(-1);
    grades[0] = 5;
    EXPECT_EQ(campaignRating(grades, 0), 0); // always 0 after the first mission
    grades[1] = 2;
    EXPECT_EQ(campaignRating(grades, 1), 2); // (2.5 + 2) / 1.5 = 3, less one
    grades = {3, 2, 1};
    EXPECT_EQ(campaignRating(grades, 2), 1); // ((0.75 + 1 + 1) / 1.75)^2 − 1 = 1.47
    grades = {5, 5, 5};
    EXPECT_EQ(campaignRating(grades, 2), 5); // 24, held to 5
    grades = {0, 0};
    EXPECT_EQ(campaignRating(grades, 1), 0); // −1, held to 0
}

TEST_F(MissionBegin, TheScenarioNamePlacesACampaignMissionInItsLeg) {
    struct Case {
        const char* name;
        std::int32_t index, leg;
        bool first;
    };
    const Case cases[] = {
        {"Ca1.scn", 0, 0, true}, {"Ca3.scn", 2, 0, false}, {"Ca4.scn", 3, 1, true},
        {"Ca8.scn", 7, 2, true}, {"Ca9.scn", 8, 2, false}, {"Ca10.scn", 9, 0, false},
    };
    for (const Case& c : cases) {
        scoringBeginMission(c.name, kMissionModeCampaign, nullptr);
        EXPECT_EQ(missionState().missionIndex, c.index) << c.name;
        EXPECT_EQ(campaignPlay().leg, c.leg) << c.name;
        EXPECT_EQ(campaignPlay().firstOfLeg, c.first) << c.name;
    }
    scoringBeginMission("Ta5.scn", kMissionModeTutorial, nullptr);
    EXPECT_EQ(missionState().missionMode, kMissionModeTutorial);
    EXPECT_EQ(missionState().missionIndex, 4);
    EXPECT_EQ(campaignPlay().leg, 0);
}

TEST_F(MissionBegin, BeginningClearsTheLastMissionAndOpensANewLog) {
    addGoal(kGoalSubject);
    scoringState().score = 500;
    scoringState().won = true;
    replayLogOpen();
    replayLogWrite(event(3, kOwnId), 0);
    scoringBeginMission(folder.dir().file("Sa2"), kMissionModeSingle, nullptr);
    EXPECT_EQ(scoringState().score, 0);
    EXPECT_FALSE(scoringState().won);
    EXPECT_EQ(goalTreeRoot(), nullptr);
    EXPECT_TRUE(replayLogIsOpen());
    EXPECT_EQ(goalTreeFileName(), folder.dir().file("Sa2") + "G");
    replayLogClose();
    EXPECT_TRUE(replayLogRead().empty());
}

TEST_F(MissionBegin, GoalsAndThresholdsComeFromTheOpenScenario) {
    goalTreeAddNode(GoalNode{}, nullptr);
    scoringState().thresholds = {1, 2, 3, 4, 5};
    {
        RecordFile out(folder.dir().file("scn"), true, false, false);
        ASSERT_TRUE(goalTreeWrite(out));
        ASSERT_TRUE(gradeThresholdsWrite(out));
    }
    goalTreeClear();
    gradeThresholdsDefault();
    RecordFile in(folder.dir().file("scn"), false, true, false);
    scoringBeginMission("Sa1.scn", kMissionModeSingle, &in);
    EXPECT_NE(goalTreeRoot(), nullptr);
    EXPECT_EQ(scoringState().thresholds, (GradeThresholds{1, 2, 3, 4, 5}));
}

TEST_F(MissionBegin, AfterDamagedGoalsTheScenarioKeepsTheDefaultThresholds) {
    // One node whose message runs past the end of the file: the goal section is damaged, and
    // the bytes after it are no thresholds, however they would read.
    std::string bytes("\x01\x00\x00\x00", 4);
    bytes += std::string(kGoalNodeFixedSize, '\0');
    bytes += std::string("\x00\x10\x00\x00", 4);
    bytes += std::string(kGradeThresholdsSize, '\x7f');
    folder.dir().write("scn", bytes);
    scoringState().thresholds = {1, 2, 3, 4, 5};
    RecordFile in(folder.dir().file("scn"), false, true, false);
    scoringBeginMission("Sa1.scn", kMissionModeSingle, &in);
    EXPECT_EQ(goalTreeRoot(), nullptr);
    EXPECT_EQ(scoringState().thresholds, kDefaultGradeThresholds);
}

TEST_F(MissionBegin, DamagedGoalsLeaveAMissionWithoutGoals) {
    folder.dir().write("badG", std::string("\x03\x00\x00\x00", 4));
    scoringBeginMission(folder.dir().file("bad"), kMissionModeSingle, nullptr);
    EXPECT_EQ(goalTreeRoot(), nullptr);
    EXPECT_EQ(scoringState().thresholds, kDefaultGradeThresholds);
}

TEST_F(CampaignMissions, TheFirstMissionOfASetStartsFromTheSetsFirstSnapshot) {
    record->carriedWords = {1, 2, 3, 4, 5, 6};
    record->stationLevels = {0.5f, 1.0f, 1.5f, 2.0f, 2.5f};
    record->inventory = {1, 1, 1, 1, 1, 1, 1};
    simWeapons().setUnlimitedWeapons(false);
    scoringBeginMission("Ca1.scn", kMissionModeCampaign, nullptr);
    const CampaignSnapshot& first = record->snapshots[0];
    EXPECT_EQ(first.inventory, (Inventory{10, 0, 0, 10, 0, 15, 15}));
    EXPECT_EQ(first.cells[11], kWeaponTomahawk);
    EXPECT_EQ(first.tubes, (std::array<std::int32_t, 4>{2, 2, 0, 0}));
    EXPECT_EQ(first.carriedWords, (std::array<std::int32_t, 6>{1, 2, 3, 4, 5, 6}));
    EXPECT_EQ(first.stationLevels[4], 2.5f);
    EXPECT_EQ(record->inventory, first.inventory);
    EXPECT_EQ(world.inventory, first.inventory);
    EXPECT_EQ(world.tubes[0]->type, kWeaponHarpoon);
    EXPECT_EQ(world.tubes[3]->type, kWeaponAdcap);
    EXPECT_EQ(world.cells[5]->type, kWeaponTomahawk);
    // The load is given, not taken from the stock, and the stations' switch is left as it was.
    for (bool unlimited : world.tubes[0]->unlimitedWhenSet)
        EXPECT_TRUE(unlimited);
    EXPECT_FALSE(simWeapons().unlimitedWeapons());
    EXPECT_TRUE(world.restoredStatus.empty()); // the first mission of its leg
}

TEST_F(CampaignMissions, InsideALegTheOwnBoatTakesOverTheCarriedState) {
    record->campaignScore[1] = -1;
    record->snapshots[1].statusWords = {1, 0, 1, 0, 2, 1, 0};
    scoringBeginMission("Ca2.scn", kMissionModeCampaign, nullptr);
    ASSERT_EQ(world.restoredStatus.size(), 1u);
    EXPECT_EQ(world.restoredStatus[0], (std::array<std::int32_t, 7>{1, 0, 1, 0, 2, 1, 0}));
}

TEST_F(CampaignMissions, ReplayingMissionThreeUndoesItAndEveryLaterOne) {
    for (int m = 0; m < 6; ++m)
        record->campaignScore[static_cast<size_t>(m)] = 100 * (m + 1);
    record->careerPoints = 2100;
    record->progress[0] = 6;
    record->snapshots[3].inventory = {3, 3, 3, 3, 3, 3, 3};
    record->snapshots[3].tubes = {0, 0, 1, 1};
    record->snapshots[3].stationLevels = {1.0f, 1.0f, 1.0f, 1.0f, 1.0f};
    scoringBeginMission("Ca4.scn", kMissionModeCampaign, nullptr);

    const PlayerRecord onDisk = saved();
    for (const PlayerRecord* r : {static_cast<const PlayerRecord*>(record), &onDisk}) {
        EXPECT_EQ(r->campaignScore[2], 300);
        for (int m = 3; m < 20; ++m)
            EXPECT_EQ(r->campaignScore[static_cast<size_t>(m)], -1);
        EXPECT_EQ(r->careerPoints, 2100 - 400 - 500 - 600);
        EXPECT_EQ(r->progress[0], 3);
        EXPECT_EQ(r->inventory, (Inventory{3, 3, 3, 3, 3, 3, 3}));
        EXPECT_EQ(r->stationLevels[0], 1.0f);
    }
    EXPECT_EQ(world.inventory, (Inventory{3, 3, 3, 3, 3, 3, 3}));
    EXPECT_EQ(world.tubes[2]->type, kWeaponSlmm);
}

TEST_F(MissionEnd, AFirstTutorialCompletionRaisesTheStationLevels) {
    scoringState().thresholds = kDefaultGradeThresholds;
    play("Ta2.scn", kMissionModeTutorial, 1000); // grade 5
    EXPECT_EQ(record->tutorialScore[1], 1000);
    EXPECT_EQ(record->careerPoints, 1000);
    const std::array<float, 5> raised = {0.4f, 0.6f, 0.8f, 1.0f, 1.0f};
    for (size_t i = 0; i < raised.size(); ++i)
        EXPECT_NEAR(record->stationLevels[i], raised[i], 1e-6) << i;

    play("Ta2.scn", kMissionModeTutorial, 700); // a second completion books only the difference
    EXPECT_EQ(record->tutorialScore[1], 700);
    EXPECT_EQ(record->careerPoints, 700);
    for (size_t i = 0; i < raised.size(); ++i)
        EXPECT_NEAR(record->stationLevels[i], raised[i], 1e-6) << i;
    EXPECT_EQ(saved().careerPoints, 700);
    EXPECT_FALSE(replayLogIsOpen());
}

TEST_F(MissionEnd, StationLevelsStopAtFour) {
    record->stationLevels = {3.9f, 3.9f, 3.9f, 3.9f, 3.9f};
    play("Ta1.scn", kMissionModeTutorial, 1000);
    EXPECT_EQ(record->stationLevels[3], 4.0f);
    EXPECT_EQ(record->stationLevels[0], 4.0f);
    record->stationLevels = {0.0f, 0.0f, 0.0f, 0.0f, 0.0f};
    play("Ta3.scn", kMissionModeTutorial, 0); // grade 0 still counts as one step
    EXPECT_NEAR(record->stationLevels[4], 0.16666667, 1e-6);
}

TEST_F(MissionEnd, SingleMissionsBookTheirScoreWithoutRaisingLevels) {
    play("Sa1.scn", kMissionModeSingle, 300);
    EXPECT_EQ(record->singleScore[0], 300);
    EXPECT_EQ(record->careerPoints, 300);
    EXPECT_EQ(record->stationLevels[0], 0.0f);
}

TEST_F(MissionEnd, AMissionOutsideTheTablesIsScoredButNotBooked) {
    play("Ta25.scn", kMissionModeTutorial, 300);
    EXPECT_EQ(record->careerPoints, 0);
    EXPECT_EQ(scoringState().grade, 1);
}

TEST_F(CampaignMissions, AWonCampaignMissionMovesTheCampaignOn) {
    scoringBeginMission("Ca1.scn", kMissionModeCampaign, nullptr);
    GoalNode survive;
    survive.kind = kGoalSurvive;
    survive.required = 1;
    survive.points = 600;
    goalTreeAddNode(survive, nullptr);
    world.inventory = {9, 0, 0, 9, 0, 14, 15};
    world.tubes[1]->type = kWeaponEmpty;
    world.carried.deviceFailed = {true, false, false, true, true};
    world.carried.valueQ = -1.0;
    world.carried.wireValue = -1.0;
    scoringEndMission();

    EXPECT_TRUE(scoringState().won);
    EXPECT_EQ(record->campaignScore[0], 600);
    EXPECT_EQ(record->campaignGrade[0], 3);
    EXPECT_EQ(record->progress[0], 1);
    EXPECT_EQ(campaignPlay().rating, 0);
    EXPECT_EQ(record->inventory, (Inventory{9, 0, 0, 9, 0, 14, 15}));
    EXPECT_EQ(record->tubes[1], kWeaponEmpty);
    EXPECT_EQ(record->statusWords, (std::array<std::int32_t, 7>{1, 0, 0, 1, 1, 1, 1}));
    const CampaignSnapshot& next = record->snapshots[1];
    EXPECT_EQ(next.inventory, record->inventory);
    EXPECT_EQ(next.tubes[1], kWeaponEmpty);
    EXPECT_EQ(next.statusWords, record->statusWords);
    EXPECT_EQ(saved().progress[0], 1);
}

TEST_F(CampaignMissions, ALostMissionKeepsTheCampaignWhereItWas) {
    scoringBeginMission("Ca1.scn", kMissionModeCampaign, nullptr);
    goalTreeAddNode(
        [] {
            GoalNode node;
            node.kind = kGoalSubject;
            node.required = 1;
            return node;
        }(),
        nullptr);
    scoringEndMission();
    EXPECT_FALSE(scoringState().won);
    EXPECT_EQ(record->progress[0], 0);
    EXPECT_EQ(record->campaignScore[0], 0);
}

TEST_F(CampaignMissions, TheLastMissionSavesNoNextSnapshot) {
    record->campaignScore[8] = -1;
    world.carried.deviceFailed = {true, true, true, true, true};
    scoringBeginMission("Ca9.scn", kMissionModeCampaign, nullptr);
    const std::array<std::int32_t, 7> before = record->statusWords;
    scoringEndMission();
    EXPECT_EQ(record->statusWords, before);
    EXPECT_EQ(record->snapshots[9].inventory, (Inventory{}));
}

TEST_F(CampaignMissions, TheTowedArraysAreCarriedAsOneWord) {
    struct Case {
        double p, q;
        bool flag;
        std::int32_t word;
    };
    const Case cases[] = {
        {-1.0, -1.0, false, 3}, {0.0, -1.0, true, 2}, {0.0, -1.0, false, 1},
        {-1.0, 0.0, false, 2},  {-1.0, 0.0, true, 1}, {5.0, 5.0, true, 0},
    };
    for (const Case& c : cases) {
        world.carried.valueP = c.p;
        world.carried.valueQ = c.q;
        world.carried.sideFlag = c.flag;
        play("Ca1.scn", kMissionModeCampaign, 0);
        EXPECT_EQ(record->statusWords[4], c.word) << c.p << " " << c.q << " " << c.flag;
        EXPECT_EQ(record->statusWords[5], 0);
    }
}

TEST_F(CampaignMissions, WithoutAnOwnBoatNothingIsCarried) {
    world.list.clear();
    world.ownId.reset();
    world.carried.deviceFailed = {true, true, true, true, true};
    record->statusWords = {1, 1, 1, 1, 1, 1, 1};
    record->inventory = {4, 4, 4, 4, 4, 4, 4};
    play("Ca1.scn", kMissionModeCampaign, 0);
    EXPECT_EQ(record->statusWords, (std::array<std::int32_t, 7>{}));
    EXPECT_EQ(record->inventory, (Inventory{10, 0, 0, 10, 0, 15, 15})); // the first snapshot's, kept
}

TEST_F(MissionEnd, AbandoningACampaignMissionUndoesIt) {
    record->campaignScore[1] = 400;
    record->campaignGrade[1] = 2;
    record->careerPoints = 1000;
    scoringBeginMission("Ca2.scn", kMissionModeCampaign, nullptr);
    EXPECT_EQ(record->careerPoints, 600); // beginning the replay took the old score off
    record->campaignScore[1] = 250;       // whatever the table holds when the mission is abandoned
    scoringAbortMission();
    EXPECT_EQ(record->campaignScore[1], -1);
    EXPECT_EQ(record->campaignGrade[1], 0);
    EXPECT_EQ(record->careerPoints, 350);
    EXPECT_FALSE(replayLogIsOpen());
}

TEST_F(MissionEnd, AbandoningASingleMissionKeepsItsScore) {
    scoringBeginMission("Sa4.scn", kMissionModeSingle, nullptr);
    scoringState().score = 150;
    scoringAbortMission();
    EXPECT_EQ(record->singleScore[3], 150);
    EXPECT_EQ(record->careerPoints, 150);
    EXPECT_EQ(saved().singleScore[3], 150);
}

TEST_F(MissionEnd, ResumingASavedMissionTakesItsState) {
    addGoal(kGoalSubject);
    scoringResumeMission(kMissionModeCampaign, 5, 420, 1);
    EXPECT_EQ(scoringState().score, 420);
    EXPECT_EQ(missionState().missionIndex, 5);
    EXPECT_EQ(campaignPlay().leg, 1);
    EXPECT_FALSE(campaignPlay().firstOfLeg);
    EXPECT_EQ(goalTreeRoot(), nullptr);
    EXPECT_TRUE(replayLogIsOpen());
}

TEST_F(MissionEnd, ShutdownWritesTheRecordAndLetsItGo) {
    record->careerPoints = 31;
    addGoal(kGoalSubject);
    replayLogOpen();
    scoringShutdown();
    EXPECT_EQ(playerRecord(), nullptr);
    EXPECT_EQ(goalTreeRoot(), nullptr);
    EXPECT_FALSE(replayLogIsOpen());
    EXPECT_EQ(saved().careerPoints, 31);
    record = nullptr;
}

} // namespace
} // namespace q71
