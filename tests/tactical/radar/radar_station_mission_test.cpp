// The radar station on a running mission of the data set, as the host holds it and the main loop
// steps it: the mast raised at 30 ft, the lamp blinking, then the sweep painting the coast, the
// clutter and the convoy, and a tag on a blip.
#include "tactical/support/station_mission.h"

#include "support/text_fixture.h"

#include "sim/entities/motion/own_boat_motion.h"
#include "sim/entities/sensors/sensor.h"
#include "sim/entities/types/own_submarine.h"
#include "sim/simulation/geometry.h"
#include "sim/simulation/sim_clock.h"
#include "sim/simulation/world_lists.h"
#include "sim/support/log_lines.h"
#include "tactical/radar/radar_screen.h"
#include "tactical/radar/radar_station.h"

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace q71::test {
namespace {

class RadarStationMission : public StationMission {
protected:
    ~RadarStationMission() override { msgLogDetach(); } // the log may have been watched

    RadarScreen& openRadar() { return openRegisteredStation<RadarScreen>(kStationRadar, radarRegisterStation); }

    OwnShipEntity& own() { return ownBoat(); }

    // Mission Sa2 with the boat at 30 ft (z = -9.14 m), slow enough to raise its masts.
    void startAtThirtyFeet() { startMissionAtDepth("Sa2.scn", -9.14, 5.0); }

    /// Flips the mast switch as a player does, and lets it settle.
    void flipMastSwitch() {
        clickAt({kRadarMast.x + kRadarMast.width / 2, kRadarMast.y + kRadarMast.height / 2});
        run(2000, 50);
    }
    /// Raises the mast by its switch and runs until the sweep has painted a few seconds.
    void paintAFewSweeps(RadarScreen& radar) {
        flipMastSwitch();
        ASSERT_EQ(own().ownMotion->masts[kMastRadar].state, kDeviceRaised);
        run(25000, 150);
        ASSERT_GT(litPixels(radar.scope().picture, 1), 0);
    }
    static std::vector<std::uint8_t> levels(const RadarPicture& picture) {
        std::vector<std::uint8_t> all;
        for (int y = 0; y < kScopeSize; ++y)
            all.insert(all.end(), picture.row(y).begin(), picture.row(y).end());
        return all;
    }

    static int litPixels(const RadarPicture& picture, int atLeast) {
        int count = 0;
        for (int y = 0; y < kScopeSize; ++y)
            for (std::uint8_t level : picture.row(y))
                count += level >= atLeast ? 1 : 0;
        return count;
    }

    LogLines log; ///< the message log's lines, once a test points the log here
};

TEST_F(RadarStationMission, TheRaisedMastBlinksThenTheSweepPaintsLandAndShips) {
    startAtThirtyFeet();
    RadarScreen& radar = openRadar();
    ASSERT_NE(own().findSensorByType(kSensorRadar), nullptr) << "opening makes the radar";
    EXPECT_EQ(own().findSensorByType(kSensorRadar)->transmitInterval, -1);
    radar.command(1, 2);
    EXPECT_EQ(own().findSensorByType(kSensorRadar)->transmitInterval, 15);
    const double ordered = simClock().gameClock;
    std::set<int> lamps;
    while (simClock().gameClock < ordered + 19.5) {
        run(150, 150);
        lamps.insert(radar.lampFrame());
    }
    EXPECT_EQ(lamps.size(), 2u) << "the lamp blinks while the mast rises and settles";
    EXPECT_EQ(litPixels(radar.scope().picture, 1), 0) << "nothing painted before 20 s";
    // A turn of the sweep: the convoy, 51,700 yd and more to the south-east, comes up as blips.
    std::set<std::int32_t> painted;
    while (simClock().gameClock < ordered + 36.0) {
        run(150, 150);
        for (const RadarBlip& blip : radar.scope().blips.list())
            painted.insert(blip.entityId);
        if (painted.size() == 1 && radar.scope().blips.list().size() == 1)
            keepPicture("radar");
    }
    EXPECT_EQ(radar.lampFrame(), kLampLit);
    ASSERT_FALSE(painted.empty());
    for (std::int32_t id : painted) {
        const Entity* entity = worldFindEntity(id);
        ASSERT_NE(entity, nullptr);
        EXPECT_GT(entity->motion->z, -7.9248) << "only what shows above 26 ft is painted";
        EXPECT_LT(entityRangeYards(own(), *entity), 60000.0);
    }
    // The antenna at 30 ft is awash: the sea returns everywhere the sweep passed (a disc of
    // radius 106 is some 35,000 pixels), and what was painted last is still bright.
    EXPECT_GT(litPixels(radar.scope().picture, 1), 30000);
    EXPECT_GT(litPixels(radar.scope().picture, 30), 100);
}

TEST_F(RadarStationMission, TheTagMakesTheBlipUnderTheCursorARadarContact) {
    startAtThirtyFeet();
    RadarScreen& radar = openRadar();
    radar.command(0, 1);
    EXPECT_EQ(own().contacts.count(), 0) << "the tag does nothing while the mast is down";
    radar.command(1, 2);
    const RadarBlip* seen = nullptr;
    for (int tick = 0; tick < 300 && !seen; ++tick) {
        run(150, 150);
        if (!radar.scope().blips.list().empty())
            seen = &radar.scope().blips.list().front();
    }
    ASSERT_NE(seen, nullptr);
    const std::int32_t id = seen->entityId;
    radar.scope().cursor = RadarCursor{seen->bearing + 0.5, seen->range + 100.0};
    radar.command(0, 1);
    const Entity* entity = worldFindEntity(id);
    ASSERT_NE(entity, nullptr);
    EXPECT_NE(entity->designation[kSensorRadar], 0) << "the blip's entity got a radar number";
    EXPECT_EQ(own().contacts.count(), 1);
}

TEST_F(RadarStationMission, TheRangeScaleClearsThePictureAndTheRingSpacingDoesNot) {
    startAtThirtyFeet();
    RadarScreen& radar = openRadar();
    paintAFewSweeps(radar);
    const std::vector<std::uint8_t> painted = levels(radar.scope().picture);
    radar.command(4, 3);
    EXPECT_EQ(radar.scope().ringSpacing(), 5000);
    EXPECT_EQ(own().ownMotion->radarRingSpacing, 3) << "kept with the boat";
    EXPECT_EQ(levels(radar.scope().picture), painted) << "the spacing leaves the picture";
    radar.command(3, 5);
    EXPECT_EQ(radar.scope().rangeScale(), 60000);
    EXPECT_EQ(own().ownMotion->radarRangeScale, 5);
    EXPECT_EQ(litPixels(radar.scope().picture, 1), 0) << "the scale clears it";
}

TEST_F(RadarStationMission, ATagWithNoBlipsRegistersAContactOfNoEntityAtTheCursor) {
    startAtThirtyFeet();
    RadarScreen& radar = openRadar();
    radar.command(1, 2);
    run(12000, 150); // the mast is up; the sweep paints from 20 s after the order
    ASSERT_TRUE(radar.scope().blips.list().empty());
    // The player points 50 pixels east of the scope's centre, then presses the tag button.
    const int scale = radar.scope().rangeScale();
    clickAt({184 + 50, 193});
    clickAt({kRadarTag.x + kRadarTag.width / 2, kRadarTag.y + kRadarTag.height / 2});
    ASSERT_EQ(own().contacts.count(), 1);
    const ContactRecord& contact = newestContact();
    EXPECT_EQ(contact.recordId, 0u) << "no entity's record";
    EXPECT_NEAR(contact.bearing, 90.0, 1e-6);
    EXPECT_NEAR(contact.range, 50.0 * scale / 106.0, 1e-6);
    EXPECT_NE(contact.designation.numbers[kSensorRadar], 0) << "a radar number";
    for (auto* node = worldList().head(); node; node = node->next)
        EXPECT_EQ(node->item->designation[kSensorRadar], 0) << "no entity was designated";
}

TEST_F(RadarStationMission, AFailedMastOnlyReportsItsMalfunctionFadesAndStillClearsOnTheSwitch) {
    startAtThirtyFeet();
    msgLogSetTarget(true, &log);
    RadarScreen& radar = openRadar();
    paintAFewSweeps(radar);
    const int radiating = own().findSensorByType(kSensorRadar)->transmitInterval;
    own().ownMotion->masts[kMastRadar].state = kDeviceBroken;
    const double failed = simClock().gameClock;
    const int bright = litPixels(radar.scope().picture, 20);
    run(3000, 150);
    EXPECT_EQ(radar.lampFrame(), kLampDark);
    EXPECT_LT(litPixels(radar.scope().picture, 20), bright) << "the picture fades";
    for (const RadarBlip& blip : radar.scope().blips.list())
        EXPECT_LE(blip.time, failed) << "nothing is painted any more";

    audio.spoken.clear();
    log.lines.clear();
    flipMastSwitch(); // down
    EXPECT_TRUE(audio.spoken.empty()) << "lowering a failed mast says nothing";
    EXPECT_TRUE(log.lines.empty());
    EXPECT_EQ(own().ownMotion->masts[kMastRadar].state, kDeviceBroken);
    EXPECT_EQ(own().findSensorByType(kSensorRadar)->transmitInterval, radiating);
    EXPECT_EQ(litPixels(radar.scope().picture, 1), 0) << "but clears the picture";

    flipMastSwitch(); // up again
    EXPECT_EQ(timesSaid("CowRdrMF.wav"), 1);
    EXPECT_EQ(timesSaid("CowRdrUp.wav"), 0);
    EXPECT_EQ(log.lines, std::vector<std::string>{textCopy(271)});
    EXPECT_EQ(own().ownMotion->masts[kMastRadar].state, kDeviceBroken) << "a failed mast stays failed";
}

TEST_F(RadarStationMission, TheTagButtonShowsItsTipWhateverTheTextSwitchAndTheLabelsFollowIt) {
    startAtThirtyFeet();
    for (bool switchOn : {true, false}) {
        const DataSetTextsWith texts({{486, switchOn ? "1" : "0"}});
        openRadar();
        EXPECT_TRUE(tipPopsUpOver({kRadarTag.x + kRadarTag.width / 2, kRadarTag.y + kRadarTag.height / 2}))
            << "text switch " << switchOn;
        const RadarLabel& label = kRadarLabels[0];
        EXPECT_EQ(tipPopsUpOver({label.rect.left + 5, label.rect.top + 5}), switchOn);
        hideStation();
    }
}

} // namespace
} // namespace q71::test
