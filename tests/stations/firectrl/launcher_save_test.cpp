// The tubes and cells in a saved mission: every field comes back, saving again gives the same
// bytes, and a damaged record is refused whole, leaving the launcher as it was.
#include "launcher_fixture.h"
#include "sim/scoring/byte_stream.h"

#include <cstring>

namespace q71::test {
namespace {

class LauncherSave : public LauncherTest {
protected:
    template <class Launcher> static std::vector<std::uint8_t> saved(const Launcher& launcher) {
        MemorySink sink;
        EXPECT_TRUE(launcher.save(sink));
        return sink.bytes();
    }

    template <class Launcher> static bool loads(Launcher& launcher, const std::vector<std::uint8_t>& bytes) {
        MemorySource source(bytes);
        return launcher.load(source) && source.remaining() == 0;
    }

    static void putWord(std::vector<std::uint8_t>& bytes, std::size_t at, std::int32_t value) {
        std::memcpy(bytes.data() + at, &value, 4);
    }
};

TEST_F(LauncherSave, EveryTubeLoadComesBackAsItWasSaved) {
    for (std::int32_t type : {kWeaponAdcap, kWeaponSlmm, kWeaponHarpoon, kWeaponTomahawk, kWeaponEmpty}) {
        SCOPED_TRACE(type);
        TorpedoTube tube(2);
        tube.setWeaponType(type);
        tube.adcapCeiling = 111;
        tube.adcapEnableRange = 2222;
        tube.slmmDepth = 333;
        tube.harpoonRange2 = 44;
        tube.tomahawkRange = 55;
        tube.launchedTorpedoId = 17;
        tube.launchedMineId = 19;
        tube.gyroCourse = 271;
        tube.doorStates = {1, 2, 1};
        tube.target = 23;
        tube.launched = 1;
        tube.addRoute(100.5, 200.25, 900.0, 1800.0);
        tube.lastWaypoint()->depth = -70; // read back as its magnitude
        const std::vector<std::uint8_t> bytes = saved(tube);

        TorpedoTube copy(2);
        ASSERT_TRUE(loads(copy, bytes));
        EXPECT_EQ(copy.weaponType(), type);
        EXPECT_EQ(copy.launchedTorpedoId, 17);
        EXPECT_EQ(copy.launchedMineId, 19);
        EXPECT_EQ(copy.gyroCourse, 271);
        EXPECT_EQ(copy.doorStates, tube.doorStates);
        EXPECT_EQ(copy.target, 23);
        EXPECT_EQ(copy.launched, 1);
        ASSERT_EQ(copy.waypoints.count(), 4);
        EXPECT_EQ(copy.waypoints.head()->item->x, tube.waypoints.head()->item->x);
        EXPECT_EQ(copy.lastWaypoint()->depth, 70);
        EXPECT_FALSE(copy.lastWaypoint()->visible);
        EXPECT_EQ(copy.lastWaypoint()->previous, copy.waypoints.tail()->previous->item);
        // Only the loaded type's settings travel; the others keep a new tube's.
        EXPECT_EQ(copy.adcapEnableRange, type == kWeaponAdcap ? 2222 : 1000);
        EXPECT_EQ(copy.slmmDepth, type == kWeaponSlmm ? 333 : 100);
        EXPECT_EQ(copy.harpoonRange2, type == kWeaponHarpoon ? 44 : 0);
        EXPECT_EQ(copy.tomahawkRange, type == kWeaponTomahawk ? 55 : 485);
        copy.lastWaypoint()->depth = -70;
        EXPECT_EQ(saved(copy), bytes);
    }
}

TEST_F(LauncherSave, ATubeRecordHoldsItsTypesSettingsOnly) {
    TorpedoTube tube(1);
    EXPECT_EQ(saved(tube).size(), 4u + 20 + 4 + 12 + 8);
    tube.setWeaponType(kWeaponAdcap);
    EXPECT_EQ(saved(tube).size(), 4u + 24 + 20 + 4 + 12 + 8);
    tube.setWeaponType(kWeaponHarpoon);
    tube.addAimPoint(1, 2);
    EXPECT_EQ(saved(tube).size(), 4u + 12 + 20 + 4 + 24 + 12 + 8);
}

TEST_F(LauncherSave, ACellComesBackWithItsRouteNameAndMissile) {
    ownBoat();
    Entity* missile = world.spawn("Tomahawk", 1, kKindAir, {0, 0, 10});
    VlsCell cell(10);
    cell.setWeaponType(kWeaponTomahawk);
    cell.tomahawkRange = 300;
    cell.target = 12;
    std::strcpy(cell.targetName.data(), "Croiseur Kirov");
    cell.launched = 1;
    cell.launchedMissileId = missile->id;
    cell.hatchStates = {1, 1};
    cell.addRoute(0, 0, 5000, 5000);
    const std::vector<std::uint8_t> bytes = saved(cell);
    EXPECT_EQ(bytes.size(), 4u + 4 + 4 + 255 + 4 + 4 + 4 * 24 + 12);

    VlsCell copy(10);
    ASSERT_TRUE(loads(copy, bytes));
    EXPECT_EQ(copy.tomahawkRange, 300);
    EXPECT_EQ(copy.target, 12);
    EXPECT_STREQ(copy.targetName.data(), "Croiseur Kirov");
    EXPECT_EQ(copy.waypoints.count(), 4);
    EXPECT_EQ(copy.hatchStates, (std::array<std::int32_t, 2>{1, 1}));
    EXPECT_EQ(copy.launchedEntity(), missile); // found again by its id
    EXPECT_EQ(saved(copy), bytes);

    VlsCell empty(11);
    EXPECT_EQ(saved(empty).size(), 4u + 12);
    VlsCell emptyCopy(11);
    EXPECT_TRUE(loads(emptyCopy, saved(empty)));
    EXPECT_EQ(emptyCopy.launchedEntity(), nullptr);
}

TEST_F(LauncherSave, DamagedTubeRecordsAreRefusedAndChangeNothing) {
    TorpedoTube tube(3);
    tube.setWeaponType(kWeaponHarpoon);
    tube.addAimPoint(10, 20);
    const std::vector<std::uint8_t> good = saved(tube);
    // type (4), Harpoon settings (12), ids and gyro (20), count (4) at 36, the waypoint (24) at
    // 40, doors at 64, target at 76, launched at 80.
    struct Damage {
        const char* what;
        std::size_t at;
        std::int32_t value;
    };
    for (const Damage& damage :
         {Damage{"an unknown type", 0, 5}, Damage{"a negative type", 0, -1},
          Damage{"more waypoints than bytes", 36, 3}, Damage{"a negative count", 36, -1},
          Damage{"a door half open", 68, 3}, Damage{"a target beyond any number", 76, 100},
          Damage{"a fired flag of 2", 80, 2}}) {
        SCOPED_TRACE(damage.what);
        std::vector<std::uint8_t> bytes = good;
        putWord(bytes, damage.at, damage.value);
        TorpedoTube copy(3);
        EXPECT_FALSE(loads(copy, bytes));
        EXPECT_EQ(copy.weaponType(), kWeaponEmpty);
        EXPECT_TRUE(copy.waypoints.empty());
    }
    std::vector<std::uint8_t> notANumber = good;
    putWord(notANumber, 40 + 4, 0x7FF80000); // the waypoint's x becomes NaN
    TorpedoTube copy(3);
    EXPECT_FALSE(loads(copy, notANumber));
    for (std::size_t size = 0; size < good.size(); ++size) {
        std::vector<std::uint8_t> shortRecord(good.begin(), good.begin() + static_cast<long>(size));
        EXPECT_FALSE(loads(copy, shortRecord)) << size;
    }
}

TEST_F(LauncherSave, DamagedCellRecordsAreRefused) {
    VlsCell cell(8);
    cell.setWeaponType(kWeaponTomahawk);
    const std::vector<std::uint8_t> good = saved(cell);
    std::vector<std::uint8_t> unterminated = good;
    std::fill(unterminated.begin() + 12, unterminated.begin() + 12 + 255, 'A');
    VlsCell copy(8);
    EXPECT_FALSE(loads(copy, unterminated));
    std::vector<std::uint8_t> adcapCell = good;
    putWord(adcapCell, 0, kWeaponAdcap);
    EXPECT_FALSE(loads(copy, adcapCell));
    std::vector<std::uint8_t> openHatch = good;
    putWord(openHatch, good.size() - 4, 0);
    EXPECT_FALSE(loads(copy, openHatch));
    EXPECT_EQ(copy.weaponType(), kWeaponEmpty);
    EXPECT_STREQ(copy.targetName.data(), "Aucune cible");
}

TEST_F(LauncherSave, NothingAssignedIsSavedAsFourAndAContactFourComesBackUnassigned) {
    struct Case {
        std::int32_t target, word, readBack;
    };
    const Case cases[] = {
        {kTargetNotAssigned, 4, kTargetNotAssigned}, {4, 4, kTargetNotAssigned}, {-1, -1, -1}, {7, 7, 7}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.target);
        TorpedoTube tube(1);
        tube.target = c.target;
        const std::vector<std::uint8_t> tubeBytes = saved(tube);
        std::int32_t word = 0;
        std::memcpy(&word, tubeBytes.data() + tubeBytes.size() - 8, 4); // target, then launched
        EXPECT_EQ(word, c.word);
        TorpedoTube tubeCopy(1);
        tubeCopy.target = 9;
        ASSERT_TRUE(loads(tubeCopy, tubeBytes));
        EXPECT_EQ(tubeCopy.target, c.readBack);

        VlsCell cell(5);
        cell.setWeaponType(kWeaponTomahawk);
        cell.target = c.target;
        const std::vector<std::uint8_t> cellBytes = saved(cell);
        std::memcpy(&word, cellBytes.data() + 8, 4); // type, range, target
        EXPECT_EQ(word, c.word);
        VlsCell cellCopy(5);
        ASSERT_TRUE(loads(cellCopy, cellBytes));
        EXPECT_EQ(cellCopy.target, c.readBack);
    }
}

} // namespace
} // namespace q71::test
