// The periscope station on a running mission of the data set, as the host holds it and the main
// loop steps it, with the explosion pool open: the mast raised, lowered and out of action, the
// panel's training, magnification and night vision, the visual fix, the ESM meter, the picture
// handed to the stadimeter, and pictures of the optic by day, by night and awash.
#include "tactical/periscope/periscope_mission.h"

#include "framework/textmngr/text_manager.h"
#include "framework/widgets/button_toggle.h"
#include "framework/widgets/simple_button.h"
#include "render3d/camera.h"
#include "sim/entities/sensors/receiver_sensor.h"
#include "sim/entities/sensors/sensor.h"
#include "sim/simulation/geometry.h"
#include "support/camera_pixels.h"
#include "tactical/stadimeter/stadimeter_image.h"
#include "tactical/stadimeter/stadimeter_math.h"
#include "tactical/stadimeter/stadimeter_screen.h"

#include <gtest/gtest.h>

#include <cmath>

namespace q71::test {
namespace {

class PeriscopeStationMission : public PeriscopeMission {};

TEST_F(PeriscopeStationMission, RaisingShowsTheOpticAtHalfTravelAndTheMastReportsUpAfterTenSeconds) {
    open();
    PeriscopeScreen& p = panel();
    EXPECT_EQ(scopeEffective(), kDeviceLowered);
    EXPECT_EQ(p.raiseSwitch().getState(), 1) << "the switch shows the mast down";
    run(100);
    EXPECT_EQ(p.viewState(), kScopeViewHidden);
    press(control(kPeriscopeRaiseLower));
    const double ordered = untilOrdered(kDeviceRaised);
    while (simClock().gameClock < ordered + 3.4)
        run(50, 50);
    EXPECT_EQ(p.viewState(), kScopeViewHidden) << "below half travel at 3.4 s";
    EXPECT_FALSE(p.optic().shown());
    while (simClock().gameClock < ordered + 3.7)
        run(50, 50);
    EXPECT_EQ(p.viewState(), kScopeViewShown) << "above half travel at 3.7 s";
    EXPECT_TRUE(p.optic().shown());
    EXPECT_EQ(scopeEffective(), kDeviceLowered) << "the device is not up before 10 s";
    while (simClock().gameClock < ordered + 9.8)
        run(50, 50);
    EXPECT_EQ(scopeEffective(), kDeviceLowered);
    EXPECT_FLOAT_EQ(p.mast().height, kScopeMastTop) << "the shown travel ends at 7 s";
    while (simClock().gameClock < ordered + 10.2)
        run(50, 50);
    EXPECT_EQ(scopeEffective(), kDeviceRaised);

    // Lowering: the optic goes once the head has run below half travel.
    press(control(kPeriscopeRaiseLower));
    const double lowered = untilOrdered(kDeviceLowered);
    while (simClock().gameClock < lowered + 3.4)
        run(50, 50);
    EXPECT_EQ(p.viewState(), kScopeViewShown);
    while (simClock().gameClock < lowered + 3.7)
        run(50, 50);
    EXPECT_EQ(p.viewState(), kScopeViewHidden);
    EXPECT_FALSE(p.optic().shown());
}

TEST_F(PeriscopeStationMission, RaisingAPeriscopeOutOfActionOnlyBringsTheCrewsReport) {
    open();
    msgLogSetTarget(true, &log);
    motion().masts[kMastPeriscope] = {kDeviceBroken, 0.0};
    run(100);
    EXPECT_EQ(panel().viewState(), kScopeViewOutOfAction);
    EXPECT_EQ(panel().raiseSwitch().getState(), 1);
    audio.spoken.clear();
    ASSERT_TRUE(panel().command(kPeriscopeRaiseLower, 2));
    EXPECT_EQ(audio.spoken, std::vector<std::string>{"other channel: CowPsFld.wav"});
    ASSERT_EQ(log.lines.size(), 1u);
    EXPECT_EQ(log.lines[0], textGetString(277));
    EXPECT_EQ(scopeMast().state, kDeviceBroken);
    EXPECT_EQ(panel().mast().motion, 0) << "the mast does not move";
    run(3000);
    EXPECT_FLOAT_EQ(panel().mast().height, 0.0f);
    EXPECT_FALSE(panel().optic().shown());
}

TEST_F(PeriscopeStationMission, ButtonsTrainAndTiltByTheMagnificationAndShiftTrainsFiveTimesFaster) {
    open();
    raiseAndWait();
    Scope& optic = panel().optic();
    const float step = static_cast<float>(3.0 / 1.5 * kRad);
    press(control(kPeriscopeTrainRight));
    EXPECT_NEAR(optic.bearing(), step, 1e-5);
    press(control(kPeriscopeTrainLeft));
    press(control(kPeriscopeTrainLeft));
    EXPECT_NEAR(optic.bearing(), 2.0 * std::numbers::pi - step, 1e-5) << "left of the bow wraps";
    shift(true);
    press(control(kPeriscopeTrainRight));
    shift(false);
    EXPECT_NEAR(optic.bearing(), 4.0 * step, 1e-5) << "15 degrees / 1.5 with Shift";

    // At 24x a press trains an eighth of a degree and tilts a sixteenth.
    for (int i = 0; i < 5; ++i)
        press(control(kPeriscopeZoomIn));
    EXPECT_EQ(panel().magnificationIndex(), 3) << "the steps stop at 24x";
    EXPECT_DOUBLE_EQ(optic.zoom(), 32.0 / 2.0);
    const float before = optic.bearing();
    press(control(kPeriscopeTrainRight));
    EXPECT_NEAR(optic.bearing() - before, 0.125 * kRad, 1e-6);
    press(control(kPeriscopeTiltUp));
    EXPECT_NEAR(optic.elevation(), 0.0625 * kRad, 1e-6);
    for (int i = 0; i < 5; ++i)
        press(control(kPeriscopeZoomOut));
    EXPECT_EQ(panel().magnificationIndex(), 0) << "and at 1.5x";
    EXPECT_DOUBLE_EQ(optic.zoom(), 1.0);
    for (int i = 0; i < 40; ++i)
        press(control(kPeriscopeTiltUp));
    EXPECT_FLOAT_EQ(optic.elevation(), 0.61f);
    for (int i = 0; i < 60; ++i)
        press(control(kPeriscopeTiltDown));
    EXPECT_FLOAT_EQ(optic.elevation(), -0.35f);
}

TEST_F(PeriscopeStationMission, ARightDragTrainsTheOpticOneDegreeAPixelAt1Point5) {
    open();
    raiseAndWait();
    Scope& optic = panel().optic();
    const Point at{kPeriscopeOptic.left + 150, kPeriscopeOptic.top + 150};
    rightButton(at, true);
    moveTo({at.x + 20, at.y - 5});
    rightButton({at.x + 20, at.y - 5}, false);
    EXPECT_NEAR(optic.bearing(), 20.0 * kRad, 1e-4);
    EXPECT_NEAR(optic.elevation(), -5.0 * kRad, 1e-4);
}

TEST_F(PeriscopeStationMission, AVisualFixRegistersTheShipOnTheLineOfSightOrAContactOfNoEntity) {
    open();
    raiseAndWait();
    OwnShipEntity& own = ownBoat();
    // Empty sea: opposite every ship of the mission.
    Entity* ship = surfaceShip();
    ASSERT_NE(ship, nullptr);
    trainTo(entityBearing(own, *ship) + 180.0);
    const int before = own.contacts.count();
    const double sight = lineOfSight();
    press(control(kPeriscopeFix));
    EXPECT_EQ(panel().pickedTarget(), 0);
    EXPECT_EQ(own.contacts.count(), before + 1) << "a new visual contact";
    const ContactRecord& empty = newestContact();
    EXPECT_NE(empty.designation.numbers[kSensorVisual], 0);
    EXPECT_EQ(empty.recordId, 0u) << "tied to no entity";
    EXPECT_NEAR(empty.bearing, sight, 1e-3);
    EXPECT_TRUE(empty.fixes[kSensorVisual].empty());

    trainTo(entityBearing(own, *ship) + 3.0);
    press(control(kPeriscopeFix));
    EXPECT_NE(panel().pickedTarget(), 0);
    const Entity* picked = worldFindEntity(panel().pickedTarget());
    ASSERT_NE(picked, nullptr);
    EXPECT_LT(std::fabs(angleDiff(entityBearing(own, *picked), lineOfSight())), 16.0);
    const std::int32_t number = picked->designation[kSensorVisual];
    EXPECT_NE(number, 0) << "the ship got a visual number";
    const ContactRecord& fixed = newestContact();
    EXPECT_EQ(fixed.designation.numbers[kSensorVisual], number);
    EXPECT_EQ(fixed.recordId, picked->recordId);
    ASSERT_FALSE(fixed.fixes[kSensorVisual].empty());
    EXPECT_EQ(fixed.fixes[kSensorVisual][0].quality, 95);
}

TEST_F(PeriscopeStationMission, TheEsmMeterLightsFromTheBottomOnlyWithTheHeadUp) {
    open();
    auto* esm = dynamic_cast<ReceiverSensor*>(ownBoat().ownShipSensorByType(kSensorEsm));
    ASSERT_NE(esm, nullptr);
    esm->onPing(0, 90, 200);
    run(200);
    EXPECT_EQ(panel().litLamps(), 0) << "mast down: no lamp";
    EXPECT_EQ(panel().esmVolume(), 0) << "and no tone";
    raiseAndWait();
    esm->onPing(0, 90, 200);
    run(100);
    const int lit = panel().litLamps();
    EXPECT_GT(lit, 0);
    EXPECT_GT(panel().esmVolume(), 0);
    for (int i = 0; i < 9; ++i)
        EXPECT_EQ(panel().lamp(i).getState(), i < lit ? 1 : 2) << "lamp " << i;
    EXPECT_FALSE(audio.volumes.empty());
    EXPECT_EQ(audio.volumes.back(), panel().esmVolume()) << "the tone's volume follows the level";
    // The head below half travel: the meter goes dark and the tone silent.
    press(control(kPeriscopeRaiseLower));
    run(4000);
    EXPECT_EQ(panel().litLamps(), 0);
    EXPECT_EQ(panel().esmVolume(), 0);
    EXPECT_EQ(audio.volumes.back(), 0);
}

TEST_F(PeriscopeStationMission, NightVisionIsKeptWithTheBoatAndTheStationOpensThePeriscopePage) {
    open();
    EXPECT_EQ(suite_->currentPage(), PeriSuite::kPeriscopePageIndex);
    EXPECT_EQ(panel().nightSwitch().getState(), 2);
    press(control(kPeriscopeNightVision));
    run(500);
    EXPECT_EQ(motion().periscopeNightVision, 1);
    EXPECT_TRUE(panel().optic().nightVision());
    press(control(kPeriscopeNightVision));
    run(500);
    EXPECT_EQ(motion().periscopeNightVision, 0);
    EXPECT_FALSE(panel().optic().nightVision());
}

TEST_F(PeriscopeStationMission, ThePictureGoesToTheStadimeterOnlyWithTheMastRaised) {
    open();
    StadimeterScreen& stadimeter = suite_->stadimeter();
    press(control(kPeriscopeToStadimeter));
    EXPECT_EQ(stadimeter.image().pictureHeight(), 0) << "mast down: no picture";
    raiseAndWait();
    Entity* ship = tallShip();
    ASSERT_NE(ship, nullptr);
    panel().optic().setDayPhaseOverride(kDayPhaseDay);
    press(control(kPeriscopeZoomIn));
    putAhead(*ship, 1500.0);
    const double now = simClock().gameClock;
    press(control(kPeriscopeToStadimeter));
    EXPECT_EQ(stadimeter.image().pictureWidth(), 300);
    EXPECT_EQ(stadimeter.image().pictureHeight(), 300);
    const StadimeterPictureValues& v = stadimeter.pictureValues();
    EXPECT_DOUBLE_EQ(v.fieldOfView, 8.0) << "48 / 6";
    EXPECT_NEAR(v.trueBearing, lineOfSight(), 1e-3);
    EXPECT_DOUBLE_EQ(v.time, now);
    EXPECT_EQ(v.pickedId, ship->id) << "the ship on the line of sight";
    EXPECT_DOUBLE_EQ(v.ownX, motion().x);
    // The page choice shows the stadimeter, and back.
    press(control(kStadimeterPage));
    EXPECT_EQ(suite_->currentPage(), PeriSuite::kStadimeterPageIndex);
    for (int i = 0; i < 3; ++i)
        stadimeter.command(kStadimeterSplitUp);
    run(700); // the silhouette's model comes half a second after the page opens
    keepPicture("stadimeter");
    clickAt({390 + 22, 380 + 20});
    EXPECT_EQ(suite_->currentPage(), PeriSuite::kPeriscopePageIndex);
}

TEST_F(PeriscopeStationMission, PicturesByDayByNightAndAwash) {
    open();
    raiseAndWait();
    Entity* ship = tallShip();
    ASSERT_NE(ship, nullptr);
    panel().optic().setDayPhaseOverride(kDayPhaseDay);
    press(control(kPeriscopeZoomIn));
    putAhead(*ship, 2000.0);
    keepPicture("periscope-day");
    press(control(kPeriscopeZoomOut));
    panel().optic().setDayPhaseOverride(kDayPhaseNight);
    press(control(kPeriscopeNightVision));
    run(500);
    keepPicture("periscope-night");
    press(control(kPeriscopeNightVision));
    // The head put a hand above the water under it (the sea's height in metres, the head 14 m
    // above the viewpoint): within the spray.
    const double head = panel().optic().getSeaLevel() * 10.0 + 0.2;
    motion().z = head - 14.0;
    motion().setOrderedDepth(motion().z);
    for (int i = 0; i < 100 && !panel().optic().washState().washing; ++i)
        run(10, 10);
    EXPECT_TRUE(panel().optic().washState().washing);
    keepPicture("periscope-awash");
}

TEST_F(PeriscopeStationMission, AShipOfTheDataSetRangedByItsMastReadsItsDistanceTimesTheFactor) {
    open(-9.14, 0); // a flat sea: the waterline is where the hull leaves the picture
    raiseAndWait();
    Entity* ship = tallShip();
    ASSERT_NE(ship, nullptr) << "a ship with a tall mast in the mission";
    const double mast = objdbFindById(ship->recordId)->mastHeight;
    for (int i = 0; i < 3; ++i)
        press(control(kPeriscopeZoomIn));
    ASSERT_EQ(panel().magnificationIndex(), 3);
    // The ship 2,000 yards dead ahead, beam on, still.
    constexpr double kDistanceYards = 2000.0;
    putAhead(*ship, kDistanceYards);
    const std::vector<std::uint16_t> with = cameraPixels(*panel().optic().camera());
    putAhead(*ship, kDistanceYards * 40.0); // beyond the far clip: the same picture without the ship
    const std::vector<std::uint16_t> without = cameraPixels(*panel().optic().camera());
    int top = -1, bottom = -1;
    for (int y = 0; y < 300; ++y)
        for (int x = 0; x < 300; ++x)
            if (with[static_cast<std::size_t>(y * 300 + x)] != without[static_cast<std::size_t>(y * 300 + x)]) {
                top = top < 0 ? y : top;
                bottom = y;
            }
    ASSERT_GE(top, 0) << "the ship shows";
    const auto range = stadimeterRange(bottom - top + 1, 300, scopeFieldOfView(3), mast);
    ASSERT_TRUE(range);
    EXPECT_NEAR(*range, kDistanceYards, kDistanceYards * 0.03) << "rows " << top << " to " << bottom;
    EXPECT_NEAR(*range * kStadimeterRangeFactor, kDistanceYards * kStadimeterRangeFactor,
                kDistanceYards * kStadimeterRangeFactor * 0.03);
}

} // namespace
} // namespace q71::test
