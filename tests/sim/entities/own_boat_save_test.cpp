// The own boat in a saved mission: its motion's blocks at their offsets, the entity with its
// contacts and receivers, refusals of damaged saves; and the state a campaign carries over.
#include "own_boat_world.h"

#include "sim/entities/sensors/acoustic_suite.h"
#include "sim/entities/types/own_submarine_campaign.h"
#include "sim/scoring/byte_stream.h"
#include "sim/simulation/world_lists.h"
#include "sim/simulation/world_mission_facts.h"

#include <cstring>

namespace q71::test {
namespace {

constexpr std::size_t kOwnBlock = 472; // the own boat's block follows the submarine's

class OwnShipSave : public OwnBoatWorld {
protected:
    /// A boat with something in every part of its state.
    void busyBoat() {
        underWay(8.0);
        boat->towedArrayOrder(TowedArray::P) = 1.0;
        boat->wireOrder = 1;
        boat->orderMast(kMastRadio, true);
        boat->masts[kMastEsm].state = kDeviceBroken;
        boat->waypoints[0] = {1.0, 2.0};
        boat->waypoints[1] = {3.0, 4.0};
        boat->waypointCount = 2;
        boat->stationSettings[7] = 3;
        boat->setCompressor(1);
        platform("Frigate", 2, {10000.0, 15000.0, 0.0});
        run(300.0);
        own->registerContact(kSensorRadar, worldList().tail()->item->id, 0.0, 5000.0, -1.0, -1.0, 80);
    }
    static std::vector<std::uint8_t> saved(const Entity& entity) {
        MemorySink sink;
        EXPECT_TRUE(entity.save(sink));
        return sink.bytes();
    }
    static std::vector<std::uint8_t> savedMotion(const OwnShipMotion& motion) {
        MemorySink sink;
        EXPECT_TRUE(motion.save(sink));
        return sink.bytes();
    }
    template <class T> static T at(const std::vector<std::uint8_t>& bytes, std::size_t offset) {
        T value;
        std::memcpy(&value, bytes.data() + kOwnBlock + offset, sizeof value);
        return value;
    }
    /// A second own boat (the one a mission load builds), made while the world's own boat is kept.
    std::unique_ptr<OwnShipEntity> freshBoat() { return std::make_unique<OwnShipEntity>(1, 4, own->id); }
};

TEST_F(OwnShipSave, TheMotionKeepsItsFieldsAtTheirOffsets) {
    busyBoat();
    const std::vector<std::uint8_t> bytes = savedMotion(*boat);
    ASSERT_EQ(bytes.size(), kOwnBlock + 34248u + 6 * 5600u);
    EXPECT_EQ(at<std::int32_t>(bytes, 5600), boat->depthHistory.ring10s.newest);
    EXPECT_EQ(
        at<double>(bytes, 11208 + 16 * boat->depthHistory.track80s.newest),
        boat->depthHistory.trackPositions[static_cast<std::size_t>(boat->depthHistory.track80s.newest)].x);
    EXPECT_EQ(at<std::int32_t>(bytes, 33680), kDeviceBroken);
    EXPECT_EQ(at<std::int32_t>(bytes, 33696), kDeviceRaised);
    EXPECT_EQ(at<double>(bytes, 33704), boat->masts[kMastRadio].completionTime);
    EXPECT_EQ(at<std::int32_t>(bytes, 33736), 1); // the radar station's rings
    EXPECT_EQ(at<double>(bytes, 33784), boat->wireLength);
    EXPECT_EQ(at<std::int32_t>(bytes, 33792), 1);
    EXPECT_EQ(at<double>(bytes, 33808), 1.0);
    EXPECT_EQ(at<double>(bytes, 33824), boat->airBank);
    EXPECT_EQ(at<std::int32_t>(bytes, 33832), 1);
    EXPECT_EQ(at<std::int32_t>(bytes, 33852 + 7 * 4), 3);
    EXPECT_EQ(at<double>(bytes, 33976 + 16), 3.0);
    EXPECT_EQ(at<std::int32_t>(bytes, 34232), 2);
    EXPECT_EQ(at<double>(bytes, 34240), boat->lastLowerMastsCue);
    // The sounding arrays come again after the block.
    EXPECT_EQ(std::memcmp(bytes.data() + kOwnBlock, bytes.data() + kOwnBlock + 34248, 5600), 0);
}

TEST_F(OwnShipSave, TheBoatLoadsBackAsItWasSaved) {
    busyBoat();
    ASSERT_NE(own->array0, nullptr);
    const std::vector<std::uint8_t> first = saved(*own);
    std::unique_ptr<OwnShipEntity> loaded = freshBoat();
    MemorySource source(first);
    ASSERT_TRUE(loaded->load(source));
    EXPECT_EQ(source.remaining(), 0u);
    EXPECT_EQ(saved(*loaded), first);
    EXPECT_NE(loaded->array0, nullptr);
    EXPECT_EQ(loaded->contacts.count(), 1);
    EXPECT_EQ(loaded->ownMotion->wireLength, boat->wireLength);
    EXPECT_EQ(loaded->ownMotion->depthHistory.ring10s.count(), boat->depthHistory.ring10s.count());
}

TEST_F(OwnShipSave, ShipControlsSwitchesAreTheTwoWordsAfterTheCompressorAndReadAsZeroOrOne) {
    boat->hfSonarOn = 1;
    boat->blowLeverSet = 1;
    const std::vector<std::uint8_t> bytes = savedMotion(*boat);
    EXPECT_EQ(at<std::int32_t>(bytes, 33836), 1);
    EXPECT_EQ(at<std::int32_t>(bytes, 33840), 1);
    struct Case {
        std::int32_t stored, read;
    };
    for (const Case& c : {Case{0, 0}, Case{1, 1}, Case{2, 0}, Case{-1, 0}}) {
        std::vector<std::uint8_t> changed = bytes;
        for (std::size_t offset : {std::size_t{33836}, std::size_t{33840}})
            std::memcpy(changed.data() + kOwnBlock + offset, &c.stored, sizeof c.stored);
        OwnShipMotion fresh(*own);
        MemorySource source(changed);
        ASSERT_TRUE(fresh.load(source)) << c.stored;
        EXPECT_EQ(fresh.hfSonarOn, c.read) << c.stored;
        EXPECT_EQ(fresh.blowLeverSet, c.read) << c.stored;
    }
}

TEST_F(OwnShipSave, TheChartsWaypointsAreKeptToBeSaved) {
    std::vector<WorldPoint> plotted;
    for (int i = 0; i < 20; ++i)
        plotted.push_back({100.0 * i, 200.0 * i, 0.0});
    own->motion->storePlottedWaypoints(plotted);
    EXPECT_EQ(boat->waypointCount, 16); // the table's size: the rest are not kept
    EXPECT_EQ(boat->waypoints[15].x, 1500.0);
    EXPECT_EQ(boat->waypoints[15].y, 3000.0);
    own->motion->storePlottedWaypoints({});
    EXPECT_EQ(boat->waypointCount, 0);
}

TEST_F(OwnShipSave, ABoatSavedWithoutATowedArrayLoadsWithoutOne) {
    std::unique_ptr<OwnShipEntity> loaded = freshBoat();
    loaded->makeArraySonar();
    const std::vector<std::uint8_t> bytes = saved(*own);
    MemorySource source(bytes);
    ASSERT_TRUE(loaded->load(source));
    EXPECT_EQ(loaded->array0, nullptr);
}

TEST_F(OwnShipSave, DamagedSavesAreRefused) {
    busyBoat();
    const std::vector<std::uint8_t> good = savedMotion(*boat);
    const auto refused = [&](std::size_t offset, std::int32_t value) {
        std::vector<std::uint8_t> bad = good;
        std::memcpy(bad.data() + kOwnBlock + offset, &value, sizeof value);
        OwnShipMotion fresh(*own);
        MemorySource source(bad);
        return !fresh.load(source);
    };
    EXPECT_TRUE(refused(5600, 350)); // a sounding index off the ring
    EXPECT_TRUE(refused(28028, -1));
    EXPECT_TRUE(refused(34232, 17)); // more waypoints than the table holds
    EXPECT_FALSE(refused(34232, 16));
    for (std::size_t cut : {std::size_t{100}, kOwnBlock + 100, good.size() - 1}) {
        OwnShipMotion fresh(*own);
        MemorySource source({good.data(), cut});
        EXPECT_FALSE(fresh.load(source)) << cut;
    }
    const std::vector<std::uint8_t> entity = saved(*own);
    std::unique_ptr<OwnShipEntity> loaded = freshBoat();
    MemorySource source({entity.data(), entity.size() - 1});
    EXPECT_FALSE(loaded->load(source));
}

TEST_F(OwnShipSave, ADiveUnderWayIsTakenUpWhereItStood) {
    placeBoat(0.0);
    boat->ballastLevel = 100.0;
    underWay(6.0);
    boat->setOrderedDepth(-40.0);
    run(0.1); // step 0 done: the vents opened, the dive was called
    ASSERT_EQ(boat->diveStep, 1);
    const std::vector<std::uint8_t> good = savedMotion(*boat);
    // The running sequence's step plus 1 after the wire's order, its timer after the snorkel.
    EXPECT_EQ(at<std::int32_t>(good, 33796), 2);
    EXPECT_EQ(at<double>(good, 33776), boat->diveTimer);
    const auto loaded = [&](const std::vector<std::uint8_t>& bytes) {
        auto fresh = std::make_unique<OwnShipMotion>(*own);
        MemorySource source(bytes);
        return fresh->load(source) ? std::move(fresh) : nullptr;
    };
    const std::unique_ptr<OwnShipMotion> back = loaded(good);
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(back->diving, 1);
    EXPECT_EQ(back->diveStep, 1);
    EXPECT_EQ(back->diveTimer, boat->diveTimer);
    // Each case: the step word, whether the save loads and the sequence it leaves running.
    struct Case {
        std::int32_t stepPlusOne;
        bool loads;
        std::int32_t diving;
    };
    for (const Case c : {Case{0, true, 0}, Case{8, true, 1}, Case{9, false, 0}, Case{-1, false, 0}}) {
        SCOPED_TRACE(c.stepPlusOne);
        std::vector<std::uint8_t> bytes = good;
        std::memcpy(bytes.data() + kOwnBlock + 33796, &c.stepPlusOne, 4);
        const std::unique_ptr<OwnShipMotion> motion = loaded(bytes);
        ASSERT_EQ(motion != nullptr, c.loads);
        if (motion) {
            EXPECT_EQ(motion->diving, c.diving); // an older save (0) holds no sequence
        }
    }
}

TEST_F(OwnShipSave, ATowedArrayFlagOtherThan0Or1IsRefused) {
    std::vector<std::uint8_t> bytes = saved(*own); // no array out: the flag is the last word
    bytes[bytes.size() - 4] = 7;
    std::unique_ptr<OwnShipEntity> loaded = freshBoat();
    MemorySource source(bytes);
    EXPECT_FALSE(loaded->load(source));
}

TEST_F(OwnShipSave, ACampaignCarriesBrokenMastsLostArraysAndACutWire) {
    boat->masts[kMastPeriscope].state = kDeviceBroken;
    boat->masts[kMastSnorkel].state = kDeviceBroken;
    boat->arrayLength2 = -1.0;
    boat->wireLength = -1.0;
    const OwnBoatCarriedState carried = ownShipCarriedState(*boat);
    EXPECT_EQ(carried.deviceFailed, (std::array<bool, 5>{true, false, false, false, true}));
    EXPECT_EQ(carried.valueP, 0.0);
    EXPECT_EQ(carried.valueQ, -1.0);
    EXPECT_TRUE(carried.sideFlag);
    EXPECT_EQ(carried.wireValue, -1.0);
}

TEST_F(OwnShipSave, TheNextCampaignMissionStartsWithThemBrokenAndLost) {
    own->makeArraySonar();
    ownShipRestoreCampaignState(*own, {0, 1, 1, 0, 1, 1, 1});
    EXPECT_EQ(boat->masts[kMastPeriscope].state, kDeviceLowered);
    EXPECT_EQ(boat->masts[kMastEsm].state, kDeviceBroken);
    EXPECT_EQ(boat->masts[kMastRadio].state, kDeviceBroken);
    EXPECT_EQ(boat->masts[kMastRadar].state, kDeviceLowered);
    EXPECT_EQ(boat->masts[kMastSnorkel].state, kDeviceBroken);
    EXPECT_EQ(boat->towedArrayLength(TowedArray::P), -1.0);
    EXPECT_EQ(boat->towedArrayLength(TowedArray::S), 0.0);
    EXPECT_EQ(own->array0, nullptr);
    EXPECT_EQ(boat->wireLength, 0.0); // a new mission's wire is whole
    ownShipRestoreCampaignState(*own, {0, 0, 0, 0, 3, 0, 0});
    EXPECT_EQ(boat->arrayLength1, -1.0);
    EXPECT_EQ(boat->arrayLength2, -1.0);
}

TEST_F(OwnShipSave, ScoringReachesTheWorldsOwnBoat) {
    boat->masts[kMastRadar].state = kDeviceBroken;
    const std::optional<OwnBoatCarriedState> carried = worldMissionFacts().ownBoatCarriedState();
    ASSERT_TRUE(carried.has_value());
    EXPECT_TRUE(carried->deviceFailed[3]);
    worldMissionFacts().restoreOwnBoatCampaignState({1, 0, 0, 0, 0, 0, 0});
    EXPECT_EQ(boat->masts[kMastPeriscope].state, kDeviceBroken);
    worldSetOwnShip(nullptr);
    EXPECT_FALSE(worldMissionFacts().ownBoatCarriedState().has_value());
}

} // namespace
} // namespace q71::test
