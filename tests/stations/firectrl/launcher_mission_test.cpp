// Fire control's tubes and cells in a whole saved mission: their loads, settings, targets and
// routes come back with the mission, the tube finds its torpedo again in the loaded world, and a
// loaded mission saves the same bytes again.
#include "launcher_fixture.h"
#include "sim/entities/types/torpedo_entities.h"
#include "sim/scoring/byte_stream.h"
#include "sim/simulation/mission_end.h"
#include "sim/simulation/mission_entity_makers.h"
#include "sim/simulation/mission_load.h"
#include "sim/simulation/mission_save.h"
#include "sim/support/scoped_folders.h"

namespace q71::test {
namespace {

// The own boat of a loaded mission's set-up: a hull the saved state is read into.
Entity* plainOwnBoat(std::int32_t side, std::int32_t level, std::int32_t id) {
    auto* own = new Entity(side, "Q71i", level, kKindSubsurface, id);
    own->typeCode = kEntityOwnShip;
    own->motion = std::make_unique<MotionModel>(*own);
    return own;
}

class LaunchersInASavedMission : public LauncherTest {
protected:
    LaunchersInASavedMission() {
        simSetOwnShipMaker(plainOwnBoat);
        ownBoat()->typeCode = kEntityOwnShip;
        launcherTablesBuild();
    }
    ~LaunchersInASavedMission() override {
        simEndMission();
        simSetOwnShipMaker(nullptr);
    }

    static std::vector<std::uint8_t> saved() {
        MemorySink sink;
        EXPECT_TRUE(missionWrite(sink));
        return sink.bytes();
    }
    static TorpedoTube& tube(std::size_t slot) {
        return static_cast<TorpedoTube&>(*launcherTables()->tubes[slot]);
    }
    static VlsCell& cell(std::size_t slot) { return static_cast<VlsCell&>(*launcherTables()->cells[slot]); }

    PlayerFolder player;
};

TEST_F(LaunchersInASavedMission, TubesAndCellsComeBackWithTheMission) {
    auto* torpedo = new TorpedoEntity(1, "Adcap", 2, WeaponWorld::kOwnBoatId);
    worldAddEntity(torpedo);
    const std::int32_t torpedoId = torpedo->id;
    TorpedoTube& first = tube(0);
    first.setWeaponType(kWeaponAdcap);
    first.adcapCeiling = 120;
    first.gyroCourse = 271;
    first.target = 23;
    first.launchedTorpedoId = torpedoId;
    first.addRoute(100.5, 200.25, 900.0, 1800.0);
    cell(2).setWeaponType(kWeaponEmpty);
    cell(5).tomahawkRange = 300;
    const std::vector<std::uint8_t> bytes = saved();

    ASSERT_TRUE(missionRestore(bytes));
    const TorpedoTube& loaded = tube(0);
    EXPECT_EQ(loaded.number(), 2);
    EXPECT_EQ(loaded.weaponType(), kWeaponAdcap);
    EXPECT_EQ(loaded.adcapCeiling, 120);
    EXPECT_EQ(loaded.gyroCourse, 271);
    EXPECT_EQ(loaded.target, 23);
    EXPECT_EQ(loaded.waypoints.count(), 4);
    // The torpedo of the loaded world: the running one was deleted with its mission.
    ASSERT_NE(tube(0).launchedEntity(), nullptr);
    EXPECT_EQ(tube(0).launchedEntity()->id, torpedoId);
    EXPECT_EQ(cell(2).weaponType(), kWeaponEmpty);
    EXPECT_EQ(cell(5).tomahawkRange, 300);
    EXPECT_EQ(tube(2).weaponType(), kWeaponAdcap); // tube 4 as the set-up loaded it
    // A loaded torpedo's guidance takes up its plan at its next update: from the first load on,
    // the saves are the same.
    const std::vector<std::uint8_t> once = saved();
    ASSERT_TRUE(missionRestore(once));
    EXPECT_TRUE(saved() == once);
}

TEST_F(LaunchersInASavedMission, ADamagedTubeRecordLeavesTheRunningLaunchersInPlace) {
    tube(1).gyroCourse = 45;
    const std::vector<std::uint8_t> before = saved();
    const TorpedoTube* running = &tube(1);
    std::vector<std::uint8_t> bytes = before;
    bytes.resize(bytes.size() - 40); // into the last tube's record

    EXPECT_FALSE(missionRestore(bytes));
    EXPECT_EQ(&tube(1), running);
    EXPECT_EQ(tube(1).gyroCourse, 45);
    EXPECT_TRUE(saved() == before);
}

} // namespace
} // namespace q71::test
