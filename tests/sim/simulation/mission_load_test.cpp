// Saved missions read back: every scenario of the data set comes back as it was saved, byte for
// byte; damaged files are refused with the running mission as it was; waiting entities, ids, the
// campaign, the terrain, the replay log and the loaded-mission flag.
#include "saved_mission_fixture.h"
#include "sim/entities/entity.h"
#include "sim/entities/motion/motion_model.h"
#include "sim/entities/types/missile_entity.h"
#include "sim/radio/comms_queue.h"
#include "sim/scoring/goal_tree.h"
#include "sim/scoring/player_files.h"
#include "sim/scoring/replay_log.h"
#include "sim/scoring/scoring_state.h"
#include "sim/simulation/launcher_tables.h"
#include "sim/simulation/mission_end.h"
#include "sim/simulation/mission_load.h"
#include "sim/simulation/mission_state.h"
#include "sim/simulation/sim_clock.h"
#include "sim/simulation/sound_profile.h"
#include "sim/simulation/world_lists.h"
#include "sim/simulation/world_step.h"
#include "sim/world/terrain_world.h"

#include <cstring>
#include <set>
#include <tuple>

namespace q71 {
namespace {

// What a mission must come back with besides its bytes: each entity in list order with its
// place, motion and hull, the own boat with its contacts; the clock, the score, the goals reached, the
// launchers and the queue.
struct MissionDigest {
    std::vector<std::tuple<std::int32_t, std::int32_t, double, double, double, double, double, double, int>>
        entities;
    std::vector<std::int32_t> pending;
    double clock = 0.0, timeOfDay = 0.0;
    std::int32_t score = 0;
    int goalsReached = 0;
    std::vector<std::pair<std::int32_t, std::int32_t>> launchers;
    int queued = 0;
    friend bool operator==(const MissionDigest&, const MissionDigest&) = default;
};

MissionDigest digest() {
    MissionDigest d;
    for (auto* node = worldList().head(); node; node = node->next) {
        const Entity& e = *node->item;
        const MotionModel& m = *e.motion;
        // Only the own boat's contacts are saved: the others find theirs again.
        const int contacts = e.typeCode == kEntityOwnShip ? e.contacts.count() : 0;
        d.entities.emplace_back(e.id, e.typeCode, m.x, m.y, m.z, m.heading, m.speed, e.hull, contacts);
    }
    for (auto* node = worldPendingList().head(); node; node = node->next)
        d.pending.push_back(node->item->id);
    d.clock = simClock().gameClock;
    d.timeOfDay = simClock().timeOfDay;
    d.score = scoringState().score;
    goalTreeForEach(goalTreeRoot(), [&](const GoalNode& node) { d.goalsReached += node.achieved; });
    const LauncherTables launchers = *launcherTables();
    for (WeaponLauncher* launcher : launchers.cells)
        d.launchers.emplace_back(launcher->weaponType(),
                                 static_cast<test::KeptLauncher*>(launcher)->target());
    for (WeaponLauncher* launcher : launchers.tubes)
        d.launchers.emplace_back(launcher->weaponType(),
                                 static_cast<test::KeptLauncher*>(launcher)->target());
    d.queued = commsQueueCount();
    return d;
}

// The offset of the entity count: after the five text blocks and the 76 bytes of environment.
std::size_t entityCountOffset(const std::vector<std::uint8_t>& bytes) {
    std::size_t at = 0;
    for (int block = 0; block < 5; ++block) {
        std::uint32_t length = 0;
        std::memcpy(&length, bytes.data() + at, 4);
        at += 4 + length;
    }
    return at + 76;
}

class MissionLoad : public test::SavedMissionWorld {
protected:
    // The mission in the middle of things: a tube reloaded and aimed, messages and radio lines waiting.
    void dressMission() {
        LauncherTables launchers = *launcherTables();
        launchers.tubes[1]->setWeaponType(kWeaponSlmm);
        launchers.tubes[1]->setTarget(12);
        launchers.cells[3]->setWeaponType(kWeaponEmpty);
        commsQueueAdd("Message en attente", 0);
        simTactical().restoreRadioRoomLines({"Reçu : relevez-vous"});
        stations.states = {3, 1};
    }
};

TEST_F(MissionLoad, EveryScenarioAfterHalfAnHourComesBackAsItWasSaved) {
    const std::set<std::string> names = dataSetScenarios();
    ASSERT_GE(names.size(), 14u);
    for (const std::string& name : names) {
        SCOPED_TRACE(name);
        startMission(name, 1800.0);
        dressMission();
        const MissionDigest before = digest();
        // A loaded controller takes up its plan again at its next update, so only the saves of
        // loaded missions are compared byte for byte.
        ASSERT_TRUE(missionRestore(savedBytes()));
        EXPECT_TRUE(digest() == before);
        const std::vector<std::uint8_t> once = savedBytes();
        ASSERT_TRUE(missionRestore(once));
        EXPECT_TRUE(digest() == before);
        EXPECT_TRUE(savedBytes() == once);
        EXPECT_EQ(simTactical().radioRoomLines(), std::vector<std::string>{"Reçu : relevez-vous"});
        EXPECT_EQ((stations.states), (std::array<std::uint32_t, 2>{3, 1}));
        simEndMission();
    }
}

TEST_F(MissionLoad, WaitingEntitiesComeBackWaitingAndEnterWhenDue) {
    startMission("Sa5.scn", 60.0);
    const std::vector<std::int32_t> waiting = digest().pending;
    ASSERT_EQ(waiting.size(), 2u);
    ASSERT_TRUE(missionRestore(savedBytes()));
    EXPECT_EQ(digest().pending, waiting);
    for (std::int32_t id : waiting)
        EXPECT_EQ(worldFindEntity(id), nullptr);

    simStartRunning();
    harness.run(31.0 * 60.0, 1.0);
    EXPECT_EQ(worldPendingList().count(), 0);
    for (std::int32_t id : waiting)
        EXPECT_NE(worldFindEntity(id), nullptr) << id;
}

TEST_F(MissionLoad, NewEntitiesTakeIdsAboveTheHighestIdRead) {
    startMission("Sa1.scn", 10.0);
    // The entity of the highest id is put first, so that the last id read is not the highest.
    Entity* newest = worldList().tail()->item;
    worldList().remove(newest);
    worldList().prepend(newest);
    const std::int32_t highest = newest->id;
    ASSERT_NE(worldList().tail()->item->id, highest);

    ASSERT_TRUE(missionRestore(savedBytes()));
    Entity made(1, "Merchant", 1, kKindSurface, -1);
    EXPECT_EQ(made.id, highest + 1);
}

TEST_F(MissionLoad, DamagedOrShortFilesLeaveTheRunningMissionAsItWas) {
    startMission("Sa2.scn", 120.0);
    dressMission();
    const std::vector<std::uint8_t> running = savedBytes();
    const MissionDigest before = digest();
    const std::size_t entities = entityCountOffset(running);

    std::vector<std::vector<std::uint8_t>> damaged;
    for (std::size_t length :
         {std::size_t{0}, std::size_t{3}, entities - 10, entities + 2, entities + 40, running.size() / 3,
          running.size() / 2, running.size() - 200, running.size() - 3})
        damaged.emplace_back(running.begin(), running.begin() + static_cast<std::ptrdiff_t>(length));
    std::vector<std::uint8_t> unknownClass = running;
    unknownClass[entities + 4 + 8] = 19; // the first entity's type code
    damaged.push_back(unknownClass);
    std::vector<std::uint8_t> tooMany = running;
    tooMany[entities + 3] = 0x7F; // an entity count far beyond the bytes
    damaged.push_back(tooMany);
    std::vector<std::uint8_t> otherId = running;
    otherId[entities + 4 + 28 + 16] ^= 0x40; // the own boat's state names another id than its entry
    damaged.push_back(otherId);
    std::vector<std::uint8_t> trailing = running;
    trailing.push_back(0);
    damaged.push_back(trailing);

    for (const std::vector<std::uint8_t>& bytes : damaged) {
        SCOPED_TRACE(bytes.size());
        EXPECT_FALSE(missionRestore(bytes));
        EXPECT_TRUE(savedBytes() == running);
        EXPECT_TRUE(digest() == before);
        EXPECT_TRUE(simClock().running);
        EXPECT_FALSE(missionState().loadedFromSave);
    }
}

TEST_F(MissionLoad, AnEntityOfACrewLevelOutsideOneToFourIsRefused) {
    startMission("Sa2.scn", 10.0);
    const std::vector<std::uint8_t> running = savedBytes();
    const MissionDigest before = digest();
    // The first entry's level, in its header (offset 12) and in its state after the 28-byte header.
    const std::size_t header = entityCountOffset(running) + 4;
    for (const auto& [level, loads] : {std::pair{0, false}, {-1, false}, {5, false}, {6, false}, {1, true}, {3, true}}) {
        SCOPED_TRACE(level);
        std::vector<std::uint8_t> bytes = running;
        for (std::size_t at : {header + 12, header + 28 + 12})
            std::memcpy(bytes.data() + at, &level, 4);
        EXPECT_EQ(missionRestore(bytes), loads);
        if (!loads) {
            EXPECT_TRUE(savedBytes() == running);
            EXPECT_TRUE(digest() == before);
        }
    }
}

TEST_F(MissionLoad, APlainObjectOfAnUnknownRecordComesBack) {
    startMission("Sa2.scn", 10.0);
    auto* wreck = new MissileEntity(2, "Epave", 1); // as a scenario places an object it cannot name
    ASSERT_EQ(wreck->recordId, 0u);
    wreck->motion->x = 268800.0;
    wreck->motion->y = 268800.0;
    worldAddEntity(wreck);
    const MissionDigest before = digest();
    ASSERT_TRUE(missionRestore(savedBytes()));
    EXPECT_TRUE(digest() == before);
    const Entity* back = worldList().tail()->item;
    EXPECT_EQ(back->typeCode, kEntityMissile);
    EXPECT_EQ(back->recordId, 0u);
    EXPECT_EQ(back->motion->x, 268800.0);
}

TEST_F(MissionLoad, WithoutARunningMissionADamagedFileLeavesTheWorldEmpty) {
    startMission("Sa1.scn", 10.0);
    std::vector<std::uint8_t> bytes = savedBytes();
    simEndMission();
    bytes.resize(bytes.size() / 2);
    EXPECT_FALSE(missionRestore(bytes));
    EXPECT_EQ(worldList().count(), 0);
    EXPECT_EQ(worldOwnShip(), nullptr);
    EXPECT_FALSE(launcherTables().has_value());
    EXPECT_FALSE(simLoadMission(player.file("missing.svs")));
}

TEST_F(MissionLoad, TheCampaignIsReadOnlyWhenItsIndexChanges) {
    startMission("Ca2.scn", 10.0);
    const std::vector<std::uint8_t> running = savedBytes();
    const std::size_t campaignIndex = entityCountOffset(running) - 4;
    ASSERT_EQ(running[campaignIndex], 0);

    // Campaign "b" is not in the data set: a file that names it cannot be played.
    std::vector<std::uint8_t> other = running;
    other[campaignIndex] = 1;
    EXPECT_FALSE(missionRestore(other));
    other[campaignIndex] = 200;
    EXPECT_FALSE(missionRestore(other));
    EXPECT_TRUE(savedBytes() == running);
    EXPECT_TRUE(missionRestore(running));
    EXPECT_EQ(missionState().missionMode, kMissionModeCampaign);
    EXPECT_EQ(missionState().missionIndex, 1);
}

TEST_F(MissionLoad, TheLoadedMissionKeepsItsClockUntilANewMissionIsChosen) {
    startMission("Sa1.scn", 200.0);
    const double clock = simClock().gameClock, timeOfDay = simClock().timeOfDay;
    const std::vector<std::uint8_t> saved = savedBytes();
    simEndMission();

    ASSERT_TRUE(missionRestore(saved));
    EXPECT_TRUE(missionState().loadedFromSave);
    EXPECT_FALSE(simClock().running);
    simStartRunning();
    EXPECT_EQ(simClock().gameClock, clock);
    EXPECT_EQ(simClock().timeOfDay, timeOfDay);

    simEndMission();
    startMission("Sa1.scn", 0.0);
    EXPECT_FALSE(missionState().loadedFromSave);
    EXPECT_EQ(simClock().gameClock, 0.0);
}

TEST_F(MissionLoad, TheTerrainLayerAndReplayLogAreThoseOfTheSavedMission) {
    startMission("Sa4.scn", 120.0);
    double width = 0.0, height = 0.0;
    ASSERT_TRUE(worldExtent(&width, &height));
    const double layerBase = soundProfile().layerDepthBase;
    MissionEvent event;
    event.kind = kEventOwnBoatMoved;
    event.subject = worldOwnShip()->id;
    replayLogWrite(event, 0);
    const std::vector<std::uint8_t> saved = savedBytes();
    simEndMission();
    replayLogClose();
    std::vector<std::uint8_t> log;
    ASSERT_TRUE(fileReadContents(replayLogPath(), log));
    ASSERT_FALSE(log.empty());

    ASSERT_TRUE(missionRestore(saved));
    double loadedWidth = 0.0, loadedHeight = 0.0;
    ASSERT_TRUE(worldExtent(&loadedWidth, &loadedHeight));
    EXPECT_EQ(loadedWidth, width);
    EXPECT_EQ(loadedHeight, height);
    EXPECT_EQ(soundProfile().layerDepthBase, layerBase);
    replayLogClose();
    std::vector<std::uint8_t> loadedLog;
    ASSERT_TRUE(fileReadContents(replayLogPath(), loadedLog));
    EXPECT_TRUE(loadedLog == log);
}

TEST_F(MissionLoad, AMissionSavedAfterItsOwnBoatWasLostComesBackWithoutOne) {
    startMission("Sa1.scn", 10.0);
    const std::int32_t ownId = worldOwnShip()->id;
    worldOwnShip()->markForRemoval();
    harness.run(2.0, 1.0);
    ASSERT_EQ(worldFindEntity(ownId), nullptr);

    ASSERT_TRUE(missionRestore(savedBytes()));
    EXPECT_EQ(worldOwnShip(), nullptr);
    for (auto* node = worldList().head(); node; node = node->next)
        EXPECT_NE(node->item->typeCode, kEntityOwnShip);
}

} // namespace
} // namespace q71
