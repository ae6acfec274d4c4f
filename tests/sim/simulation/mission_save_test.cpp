// A running mission written to a saved-mission file: its sections where they belong, the queue
// left as it was, the chart's waypoints handed to the own boat first, and the file replaced whole.
#include "saved_mission_fixture.h"
#include "sim/entities/entity.h"
#include "sim/entities/motion/motion_model.h"
#include "sim/radio/comms_queue.h"
#include "sim/scoring/player_files.h"
#include "sim/services/sim_services.h"
#include "sim/simulation/mission_save.h"
#include "sim/simulation/scenario_reader.h"
#include "sim/simulation/sound_profile.h"
#include "sim/simulation/world_lists.h"
#include "sim/world/object_database.h"

#include <bit>
#include <cstring>
#include <filesystem>

namespace q71 {
namespace {

// Little-endian values one after another, as the file holds them.
class Bytes {
public:
    Bytes& u32(std::uint32_t v) {
        for (int i = 0; i < 4; ++i, v >>= 8)
            bytes.push_back(static_cast<std::uint8_t>(v));
        return *this;
    }
    Bytes& f64(double v) {
        auto bits = std::bit_cast<std::uint64_t>(v);
        for (int i = 0; i < 8; ++i, bits >>= 8)
            bytes.push_back(static_cast<std::uint8_t>(bits));
        return *this;
    }
    /// A text as a count of its characters and the characters.
    Bytes& text(const std::string& s) {
        u32(static_cast<std::uint32_t>(s.size()));
        bytes.insert(bytes.end(), s.begin(), s.end());
        return *this;
    }
    /// A text block: its length with the NUL and the characters with it; 0 for none.
    Bytes& block(const std::optional<std::string>& s) {
        if (!s)
            return u32(0);
        u32(static_cast<std::uint32_t>(s->size() + 1));
        bytes.insert(bytes.end(), s->begin(), s->end());
        bytes.push_back(0);
        return *this;
    }
    std::vector<std::uint8_t> bytes;
};

bool startsWith(const std::vector<std::uint8_t>& whole, const std::vector<std::uint8_t>& part) {
    return whole.size() >= part.size() && std::equal(part.begin(), part.end(), whole.begin());
}

bool endsWith(const std::vector<std::uint8_t>& whole, const std::vector<std::uint8_t>& part) {
    return whole.size() >= part.size() && std::equal(part.rbegin(), part.rend(), whole.rbegin());
}

class MissionSave : public test::SavedMissionWorld {};

TEST_F(MissionSave, TheFileBeginsWithTheTextsTheEnvironmentAndTheOwnBoat) {
    startMission("Sa1.scn", 90.0);
    missionTexts().flowText = "Compte rendu";
    const MissionTexts& t = missionTexts();
    const SimClock& clock = simClock();
    const Entity& own = *worldOwnShip();
    Bytes expected;
    expected.block(t.name).block(t.flowText).block(t.briefing).block(t.intelligence).block(t.tasking);
    expected.f64(missionState().mapOriginLatitude).f64(missionState().mapOriginLongitude);
    expected.u32(missionState().soundProfileKind).f64(soundProfile().layerDepthBase).u32(clock.seaState);
    expected.f64(clock.lastStepTime).f64(clock.lastSecondPassTime).f64(clock.timeOfDayBase);
    expected.f64(clock.gameClock).f64(clock.timeOfDay).u32(0);
    expected.u32(static_cast<std::uint32_t>(worldList().count()));
    expected.u32(1).u32(objdbFindByName("Q71i")->id).u32(kEntityOwnShip).u32(4).u32(kKindSubsurface);
    expected.u32(static_cast<std::uint32_t>(own.id)).u32(0);

    EXPECT_TRUE(t.name && t.briefing && t.tasking);
    EXPECT_NEAR(clock.gameClock, 90.0, 1.0);
    EXPECT_TRUE(startsWith(savedBytes(), expected.bytes));
}

TEST_F(MissionSave, TheFileEndsWithTheLaunchersStationsRadioQueueWaitingEntitiesAndBoatName) {
    startMission("Sa1.scn", 30.0);
    stations.states = {7, 9};
    simTactical().restoreRadioRoomLines({"Ligne un", "Ligne deux"});
    commsQueueClear();
    commsQueueInit();
    commsQueueAdd("Alpha", 0);
    commsQueueAdd("Bravo", 0);

    Bytes expected;
    for (int cell = 0; cell < kVlsCellCount; ++cell)
        expected.u32(kWeaponTomahawk).u32(kTargetNotAssigned);
    for (std::uint32_t type :
         {kWeaponHarpoon, kWeaponHarpoon, kWeaponAdcap, kWeaponAdcap}) // tubes 2, 1, 4, 3
        expected.u32(type).u32(kTargetNotAssigned);
    expected.u32(7).u32(9);
    expected.u32(2).text("Ligne un").text("Ligne deux");
    expected.u32(2).text("Alpha").text("Bravo");
    expected.u32(0).block("Orque");
    EXPECT_TRUE(endsWith(savedBytes(), expected.bytes));
}

TEST_F(MissionSave, SavingLeavesTheQueueAsItWasAndAnEmptyQueueIsACountOfZero) {
    startMission("Sa1.scn", 10.0);
    commsQueueClear();
    commsQueueInit();
    Bytes empty;
    empty.u32(0).u32(0).block("Orque");
    EXPECT_TRUE(endsWith(savedBytes(), empty.bytes));

    // Messages are queued as they stand, with a "[ship name]" that no substitution replaced.
    for (const char* message : {"Un", "Deux [ship name]", "Trois"})
        commsQueueAdd(message, 0);
    savedBytes();
    ASSERT_EQ(commsQueueCount(), 3);
    EXPECT_EQ(commsQueuePop(), "Un");
    EXPECT_EQ(commsQueuePop(), "Deux [ship name]");
    EXPECT_EQ(commsQueuePop(), "Trois");
}

TEST_F(MissionSave, WaitingEntitiesFollowInTheirOwnSection) {
    startMission("Sa5.scn", 60.0);
    ASSERT_EQ(worldPendingList().count(), 2);
    const Entity& first = *worldPendingList().head()->item;
    Bytes header;
    header.u32(2).u32(static_cast<std::uint32_t>(first.side)).u32(first.recordId);
    header.u32(static_cast<std::uint32_t>(first.typeCode)).u32(static_cast<std::uint32_t>(first.level));
    header.u32(static_cast<std::uint32_t>(first.kind)).u32(static_cast<std::uint32_t>(first.id)).u32(0);
    const std::vector<std::uint8_t> bytes = savedBytes();
    EXPECT_NE(std::search(bytes.begin(), bytes.end(), header.bytes.begin(), header.bytes.end()), bytes.end());
}

// An own boat whose model keeps what it is handed of the navigation chart.
class ChartedMotion final : public MotionModel {
public:
    using MotionModel::MotionModel;
    void storePlottedWaypoints(std::span<const WorldPoint> waypoints) override {
        stored.assign(waypoints.begin(), waypoints.end());
    }
    std::vector<WorldPoint> stored;
};

TEST_F(MissionSave, TheChartsWaypointsGoToTheOwnBoatBeforeTheFileIsWritten) {
    startMission("Sa1.scn", 10.0);
    auto* motion = new ChartedMotion(*worldOwnShip());
    worldOwnShip()->motion.reset(motion);
    stations.waypoints = {{1000.0, 2000.0, 0.0}, {3000.0, 4000.0, 0.0}};
    ASSERT_TRUE(simSaveMission(player.file("chart.svs")));
    ASSERT_EQ(motion->stored.size(), 2u);
    EXPECT_EQ(motion->stored[1].x, 3000.0);
    EXPECT_EQ(motion->stored[1].y, 4000.0);
}

TEST_F(MissionSave, TheFileIsReplacedWholeAndAFailedSaveLeavesTheOldOne) {
    startMission("Sa1.scn", 10.0);
    const std::string path = player.file("mission.svs");
    ASSERT_TRUE(simSaveMission(path));
    std::vector<std::uint8_t> onDisk;
    ASSERT_TRUE(fileReadContents(path, onDisk));
    EXPECT_TRUE(onDisk == savedBytes());

    harness.run(30.0, 1.0);
    ASSERT_TRUE(simSaveMission(path));
    ASSERT_TRUE(fileReadContents(path, onDisk));
    EXPECT_TRUE(onDisk == savedBytes());
    EXPECT_FALSE(std::filesystem::exists(path + ".new"));

    const std::vector<std::uint8_t> kept = onDisk;
    EXPECT_FALSE(simSaveMission(player.file("no such folder/mission.svs")));
    ASSERT_TRUE(fileReadContents(path, onDisk));
    EXPECT_TRUE(onDisk == kept);
}

TEST_F(MissionSave, AContactWhoseIdDoesNotFitSixteenBitsIsNotSaved) {
    startMission("Sa1.scn", 10.0);
    const std::string path = player.file("mission.svs");
    ASSERT_TRUE(simSaveMission(path));
    std::vector<std::uint8_t> kept;
    ASSERT_TRUE(fileReadContents(path, kept));
    auto* contact = new ContactRecord;
    worldOwnShip()->contacts.appendItem(contact);
    for (const auto& [id, saves] : {std::pair{65535, true}, {65536, false}, {70000, false}, {-1, false}}) {
        SCOPED_TRACE(id);
        contact->entityId = id;
        MemorySink sink;
        EXPECT_EQ(missionWrite(sink), saves);
        const std::string other = player.file("other.svs");
        EXPECT_EQ(simSaveMission(other), saves);
        if (saves)
            continue;
        EXPECT_FALSE(simSaveMission(path));
        std::vector<std::uint8_t> onDisk;
        ASSERT_TRUE(fileReadContents(path, onDisk));
        EXPECT_TRUE(onDisk == kept) << "the old file stays";
    }
}

TEST_F(MissionSave, WithoutAMissionThereIsNothingToSave) {
    MemorySink sink;
    EXPECT_FALSE(missionWrite(sink));
    EXPECT_FALSE(simSaveMission(player.file("empty.svs")));
    EXPECT_FALSE(std::filesystem::exists(player.file("empty.svs")));
}

} // namespace
} // namespace q71
