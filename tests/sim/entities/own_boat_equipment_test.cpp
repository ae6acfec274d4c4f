// The masts, the floating wire and the towed arrays: their rates, their limits and their damage.
#include "own_boat_world.h"

#include "sim/entities/sensors/passive_arrays.h"
#include "sim/simulation/sim_clock.h"

#include <algorithm>

namespace q71::test {
namespace {

class OwnShipEquipment : public OwnBoatWorld {
protected:
    int sensorCount() const { return own->sensors.count(); }
    static bool failedEvent(const std::vector<ReplayEvent>& events, std::int32_t equipment) {
        return std::any_of(events.begin(), events.end(), [&](const ReplayEvent& e) {
            return e.kind == kEventEquipmentFailed && e.extra == equipment;
        });
    }
};

TEST_F(OwnShipEquipment, AMastRunTooFastForFifteenSecondsBreaks) {
    placeBoat(-20.0);
    boat->orderMast(kMastPeriscope, true);
    underWay(12.0);
    run(14.5);
    EXPECT_EQ(boat->masts[kMastPeriscope].state, kDeviceRaised);
    run(1.0);
    EXPECT_EQ(boat->masts[kMastPeriscope].state, kDeviceBroken);
    const CrewRecorder::Report* report = crew.find("CowPsFld.wav");
    ASSERT_NE(report, nullptr);
    EXPECT_EQ(report->channel, CrewChannel::chiefOfWatch);
    EXPECT_EQ(report->priority, -1);
    EXPECT_NE(std::find(logLines().begin(), logLines().end(), "T277"), logLines().end());
    // The strain started: the crew asked for the masts down at once.
    EXPECT_NE(crew.find("COWlower.wav"), nullptr);
    EXPECT_TRUE(failedEvent(logged(), kEquipmentPeriscope));
}

TEST_F(OwnShipEquipment, SlowingDownInTimeSavesTheMast) {
    placeBoat(-20.0);
    boat->orderMast(kMastEsm, true);
    underWay(11.0);
    run(10.0);
    underWay(10.0); // at the limit is within it
    run(60.0);
    EXPECT_EQ(boat->masts[kMastEsm].state, kDeviceRaised);
    EXPECT_EQ(boat->mastDamageTimers[kMastEsm], 0.0);
}

TEST_F(OwnShipEquipment, Above25FeetNoMastComesToHarm) {
    placeBoat(-7.0);
    boat->orderMast(kMastRadio, true);
    underWay(20.0);
    run(60.0);
    EXPECT_EQ(boat->masts[kMastRadio].state, kDeviceRaised);
}

TEST_F(OwnShipEquipment, TheRadarMastBreaksDeeperThan32FeetEvenStopped) {
    placeBoat(-12.0);
    boat->orderMast(kMastRadar, true);
    run(16.0);
    EXPECT_EQ(boat->masts[kMastRadar].state, kDeviceBroken);
    EXPECT_NE(crew.find("CowRdrMF.wav"), nullptr);
}

TEST_F(OwnShipEquipment, EachMastHasItsOwnSpeedLimit) {
    placeBoat(-20.0);
    for (Mast mast : {kMastEsm, kMastRadio, kMastPeriscope, kMastSnorkel})
        boat->masts[mast].state = kDeviceRaised;
    boat->blowerOn = 1;
    underWay(11.0);
    run(16.0);
    EXPECT_EQ(boat->masts[kMastEsm].state, kDeviceBroken);
    EXPECT_EQ(boat->masts[kMastRadio].state, kDeviceBroken);
    EXPECT_EQ(boat->radioRepairTime, 3600.0);
    EXPECT_EQ(boat->masts[kMastPeriscope].state, kDeviceBroken);
    EXPECT_EQ(boat->masts[kMastSnorkel].state, kDeviceRaised); // stands 12
    EXPECT_EQ(boat->blowerOn, 1);
    underWay(13.0);
    run(16.0);
    EXPECT_EQ(boat->masts[kMastSnorkel].state, kDeviceBroken);
    EXPECT_EQ(boat->blowerOn, 0);
    const std::vector<ReplayEvent> events = logged();
    for (std::int32_t equipment : {kEquipmentEsm, kEquipmentRadio, kEquipmentPeriscope, kEquipmentSnorkel})
        EXPECT_TRUE(failedEvent(events, equipment)) << equipment;
}

TEST_F(OwnShipEquipment, TheNoDamageOptionSparesMastsWireAndArrays) {
    setOption(kOptionNoMastDamage, 1);
    placeBoat(-20.0);
    boat->orderMast(kMastPeriscope, true);
    boat->wireLength = 200.0;
    boat->arrayLength1 = 300.0;
    boat->pitch = -10.0;
    boat->setEngineOrder(-3);
    run(30.0);
    EXPECT_EQ(boat->masts[kMastPeriscope].state, kDeviceRaised);
    EXPECT_EQ(boat->wireLength, 200.0);
    EXPECT_EQ(boat->arrayLength1, 300.0);
    EXPECT_FALSE(boat->strikeMasts());
    EXPECT_EQ(boat->masts[kMastPeriscope].state, kDeviceRaised);
}

TEST_F(OwnShipEquipment, AStruckSailLosesEveryRaisedMast) {
    boat->masts[kMastSnorkel].state = kDeviceRaised;
    boat->masts[kMastRadar].state = kDeviceRaised;
    boat->blowerOn = 1;
    EXPECT_TRUE(boat->strikeMasts());
    EXPECT_EQ(boat->masts[kMastSnorkel].state, kDeviceBroken);
    EXPECT_EQ(boat->masts[kMastRadar].state, kDeviceBroken);
    EXPECT_EQ(boat->masts[kMastPeriscope].state, kDeviceLowered);
    EXPECT_EQ(boat->blowerOn, 0);
    EXPECT_EQ(crew.said(CrewChannel::chiefOfWatch),
              (std::vector<std::string>{"CowSnrkF.wav", "CowRdrMF.wav"}));
    EXPECT_FALSE(boat->strikeMasts());
}

TEST_F(OwnShipEquipment, TheFloatingWirePaysOutAndReelsInAtSixMetresASecond) {
    boat->wireOrder = 1;
    run(1.0);
    double at = boat->wireLength;
    run(10.0);
    EXPECT_NEAR(boat->wireLength - at, 60.0, 1e-6);
    run(100.0);
    EXPECT_EQ(boat->wireLength, OwnShipMotion::kWireFullLength);
    boat->wireOrder = -1;
    run(1.0);
    at = boat->wireLength;
    run(10.0);
    EXPECT_NEAR(at - boat->wireLength, 60.0, 1e-6);
    run(100.0);
    EXPECT_EQ(boat->wireLength, 0.0);
    boat->wireOrder = 0;
    run(10.0);
    EXPECT_EQ(boat->wireLength, 0.0);
}

TEST_F(OwnShipEquipment, ASteepDiveUnderWayCutsTheWireWhichIsMendedAnHourLater) {
    boat->wireLength = 150.0;
    boat->setEngineOrder(2);
    boat->manualPlanes = 1;
    boat->pitch = -6.0;
    run(0.4);
    EXPECT_EQ(boat->wireLength, -1.0);
    EXPECT_NE(crew.find("COWFwCut.wav"), nullptr);
    EXPECT_NEAR(boat->wireRepairTime, simClock().gameClock + 3600.0, 0.5);
    boat->manualPlanes = 0;
    boat->pitch = 0.0;
    boat->setEngineOrder(0);
    boat->wireOrder = -1; // reeling in a cut wire does not make it whole
    run(60.0);
    EXPECT_EQ(boat->wireLength, -1.0);
    boat->wireOrder = 1;
    run(60.0);
    EXPECT_EQ(boat->wireLength, -1.0);
    boat->wireOrder = 0;
    run(3600.0);
    EXPECT_EQ(boat->wireLength, 0.0);
    const CrewRecorder::Report* mended = crew.find("CowFwFix.wav");
    ASSERT_NE(mended, nullptr);
    EXPECT_EQ(mended->priority, -1);
    const std::vector<ReplayEvent> events = logged();
    EXPECT_TRUE(failedEvent(events, kEquipmentWire));
    EXPECT_TRUE(std::any_of(events.begin(), events.end(), [](const ReplayEvent& e) {
        return e.kind == kEventEquipmentRepaired && e.extra == kEquipmentWire;
    }));
}

TEST_F(OwnShipEquipment, AShortWireOrALevelBoatKeepsTheWire) {
    boat->wireLength = 90.0;
    boat->setEngineOrder(2);
    boat->manualPlanes = 1;
    boat->pitch = -8.0;
    run(0.4);
    EXPECT_EQ(boat->wireLength, 90.0);
    boat->wireLength = 200.0;
    boat->pitch = -4.0;
    run(0.4);
    EXPECT_EQ(boat->wireLength, 200.0);
}

TEST_F(OwnShipEquipment, AnArrayOrderedOutWhileStoppedMakesOneSonarAndWaitsForWay) {
    const int before = sensorCount();
    boat->towedArrayOrder(TowedArray::P) = 1.0;
    run(10.0);
    EXPECT_EQ(sensorCount(), before + 1);
    ASSERT_NE(own->array0, nullptr);
    EXPECT_EQ(own->ownShipSensorByType(0), own->array0);
    EXPECT_LT(boat->arrayLength1, 0.01); // a stopped hull only drifts by a hair
    underWay(6.0);
    run(1.0);
    double at = boat->arrayLength1;
    run(10.0);
    EXPECT_NEAR(boat->arrayLength1 - at, 6.0 * 0.508 * 10.0, 0.5); // at the speed the hull makes
    underWay(20.0);                                                // streams at most as fast as at 10 units
    at = boat->arrayLength1;
    run(10.0);
    EXPECT_NEAR(boat->arrayLength1 - at, 10.0 * 0.508 * 10.0, 0.5);
    run(600.0);
    EXPECT_EQ(boat->arrayLength1, boat->maxArrayLength);
    EXPECT_EQ(sensorCount(), before + 1);
}

TEST_F(OwnShipEquipment, HaulingInAtEightUnitsRemovesTheSonarWhenHoused) {
    boat->arrayLength1 = 100.0;
    own->makeArraySonar();
    const int out = sensorCount();
    boat->towedArrayOrder(TowedArray::P) = -1.0;
    run(1.0);
    const double at = boat->arrayLength1;
    run(10.0);
    EXPECT_NEAR(at - boat->arrayLength1, 8.0 * 0.508 * 10.0, 1e-6);
    run(20.0);
    EXPECT_EQ(boat->arrayLength1, 0.0);
    EXPECT_EQ(own->array0, nullptr);
    EXPECT_EQ(sensorCount(), out - 1);
}

TEST_F(OwnShipEquipment, GoingAsternLosesTheStreamedArraysWithTheirReports) {
    boat->arrayLength1 = 200.0; // the selected P array
    boat->arrayLength2 = 50.0;  // the S array
    own->makeArraySonar();
    boat->setEngineOrder(-2);
    run(0.4);
    EXPECT_EQ(boat->arrayLength1, -1.0);
    EXPECT_EQ(boat->arrayLength2, -1.0);
    EXPECT_EQ(own->array0, nullptr);
    EXPECT_EQ(crew.said(CrewChannel::chiefOfWatch),
              (std::vector<std::string>{"CowPAryF.wav", "CowSAryF.wav"}));
    EXPECT_EQ(logLines(), (std::vector<std::string>{"T273", "T274"}));
    // Lost arrays stay lost.
    boat->setEngineOrder(2);
    boat->towedArrayOrder(TowedArray::P) = 1.0;
    underWay(8.0);
    run(30.0);
    EXPECT_EQ(boat->arrayLength1, -1.0);
    EXPECT_EQ(own->array0, nullptr);
    const std::vector<ReplayEvent> events = logged();
    EXPECT_TRUE(failedEvent(events, kEquipmentArrayP));
    EXPECT_TRUE(failedEvent(events, kEquipmentArrayS));
}

TEST_F(OwnShipEquipment, WithTheSArraySelectedItsLossIsReportedAsTheS) {
    boat->arraySelector = 0;
    boat->arrayLength1 = 120.0; // now the S array's length
    boat->setEngineOrder(-2);
    run(0.4);
    EXPECT_EQ(boat->towedArrayLength(TowedArray::S), -1.0);
    EXPECT_EQ(boat->towedArrayLength(TowedArray::P), 0.0);
    EXPECT_EQ(crew.said(CrewChannel::chiefOfWatch), std::vector<std::string>{"CowSAryF.wav"});
}

TEST_F(OwnShipEquipment, TheFirstWinchDrivesTheWorkingArrayAndTheSecondTheSpare) {
    boat->arraySelector = 0; // the S array is the working one
    boat->arrayOrder1 = 1.0;
    underWay(8.0);
    run(10.0);
    const double streamed = boat->towedArrayLength(TowedArray::S);
    EXPECT_GT(streamed, 30.0);
    EXPECT_EQ(boat->towedArrayLength(TowedArray::P), 0.0);
    EXPECT_NE(own->array0, nullptr);
    EXPECT_EQ(&boat->towedArrayOrder(TowedArray::S), &boat->arrayOrder1);
    boat->arrayOrder1 = 0.0;
    boat->arrayOrder2 = 1.0; // the spare P streams while the working array holds
    run(10.0);
    EXPECT_GT(boat->towedArrayLength(TowedArray::P), 30.0);
    EXPECT_EQ(boat->towedArrayLength(TowedArray::S), streamed);
}

TEST_F(OwnShipEquipment, ASlowAsternBellKeepsTheArrays) {
    boat->arrayLength1 = 200.0;
    own->makeArraySonar();
    boat->setEngineOrder(-1);
    run(0.4);
    EXPECT_EQ(boat->arrayLength1, 200.0);
}

TEST_F(OwnShipEquipment, SelectingTheOtherArraySwapsTheLengthsAndTheSonarFollows) {
    boat->arrayLength1 = 300.0; // P, selected
    own->makeArraySonar();
    boat->arraySelector = 0; // the station selects S
    boat->swapArrays();
    EXPECT_EQ(boat->arrayLength1, 0.0);
    EXPECT_EQ(boat->arrayLength2, 300.0);
    EXPECT_EQ(boat->towedArrayLength(TowedArray::P), 300.0);
    EXPECT_EQ(own->array0, nullptr); // the S array is housed
    boat->arraySelector = 1;         // and back to P
    boat->swapArrays();
    EXPECT_EQ(boat->towedArrayLength(TowedArray::P), 300.0);
    EXPECT_NE(own->array0, nullptr);
}

} // namespace
} // namespace q71::test
