// The active sonar page on a running mission of the data set, as the host holds it: one transmit
// sends one ping, whose picture is painted behind its front; a transmit while the world stands
// still paints nothing until the ping goes; the contact label's window in range; and the Report
// button, which hands the echo at the cursor to the bow array's trackers.
#include "tactical/support/station_mission.h"

#include "sim/entities/motion/own_boat_motion.h"
#include "sim/entities/sensors/active_sonar.h"
#include "sim/entities/sensors/passive_arrays.h"
#include "sim/entities/types/own_submarine.h"
#include "sim/simulation/geometry.h"
#include "sim/simulation/sim_clock.h"
#include "sim/simulation/world_lists.h"
#include "tactical/sonar/active_page.h"
#include "tactical/sonar/sonar_label.h"
#include "tactical/sonar/sonar_suite.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>

namespace q71::test {
namespace {

class ActivePageMission : public StationMission {
protected:
    // The suite on the active page at a range-scale index.
    ActiveSonarPage& openActive(const std::string& mission, int rangeIndex) {
        startMission(mission);
        sonarRegisterStation();
        SubScreen* station = buildRegisteredStation(kStationSonar);
        stationRegisterMaker(kStationSonar, nullptr);
        EXPECT_NE(station, nullptr);
        showStation(kStationSonar);
        setStationSetting(*ownBoat().ownMotion, kSettingActiveRange, rangeIndex);
        sonarShowPage(0);
        pump();
        auto* page = dynamic_cast<ActiveSonarPage*>(static_cast<SonarSuiteScreen*>(station)->page(0));
        EXPECT_NE(page, nullptr);
        return *page;
    }
    void TearDown() override {
        sonarShowPage(3);
        StationMission::TearDown();
    }
    ActiveSonar& sonar() { return *ownBoat().activeUnit; }

    // The lowest y (nearest the full scale) of a painted pixel in the echo picture; 328 for none.
    static int highestPaintedRow(ActiveSonarPage& page) {
        auto& picture = const_cast<LevelDib&>(page.display().picture());
        for (int y = kActiveTop; y <= kActiveBottom + 3; ++y)
            for (std::uint8_t level : picture.row(y))
                if (level != 0)
                    return y;
        return kActiveHeight;
    }
};

TEST_F(ActivePageMission, OneTransmitSendsOnePingWithinItsInterval) {
    ActiveSonarPage& page = openActive("Sa2.scn", 0);
    for (int index : {0, 1, 2, 4}) {
        setStationSetting(*ownBoat().ownMotion, kSettingActiveRange, index);
        const double scale = kActiveRangeScales[static_cast<std::size_t>(index)];
        const int interval = 1 + 2 * static_cast<int>(scale / 1548); // 103, 52, 27 and 7 s
        // Each ping takes the next of the sonar's ping rows: counted pass by pass.
        std::size_t row = sonar().pingSlot();
        int pings = 0;
        page.pageCommand(8, 1);
        for (int pass = 0; pass < 10 * interval - 15; ++pass) {
            run(100, 100);
            pings += sonar().pingSlot() != row ? 1 : 0;
            row = sonar().pingSlot();
        }
        EXPECT_EQ(pings, 1) << "scale " << scale;
    }
}

TEST_F(ActivePageMission, TheFirstPictureIsPaintedBehindTheMovingFront) {
    ActiveSonarPage& page = openActive("Sa2.scn", 0);
    page.pageCommand(8, 1);
    run(1000, 100);
    ASSERT_GT(sonar().lastTransmit, 0.0) << "the ping went";
    // One second out the front has run about 774 yards, a few pixels above range 0.
    const double front = (simClock().gameClock - sonar().lastTransmit) * 774.0;
    const int frontY = activeRangeY(front, 80000.0, static_cast<int>(sonar().pingSlot()));
    EXPECT_GE(highestPaintedRow(page), frontY - 4) << "nothing is painted beyond the front";
    EXPECT_LT(highestPaintedRow(page), kActiveHeight) << "the rows the front passed are painted";
    run(60000, 500);
    EXPECT_LT(highestPaintedRow(page), activeRangeY(40000.0, 80000.0, 0))
        << "a minute later, past 40,000 yards";
}

TEST_F(ActivePageMission, ATransmitWhileTheWorldStandsStillPaintsNothingUntilThePingGoes) {
    ActiveSonarPage& page = openActive("Sa2.scn", 2);
    page.pageCommand(8, 1);
    // The echo timer ticks before the world has stepped (as in a pause): no front yet.
    for (int tick = 0; tick < 5; ++tick)
        page.display().echoTick();
    EXPECT_EQ(highestPaintedRow(page), kActiveHeight);
    run(1000, 100);
    EXPECT_LT(highestPaintedRow(page), kActiveHeight);
    EXPECT_GE(highestPaintedRow(page), activeRangeY(2.0 * 774.0, 20000.0, 0) - 4);

    // A single ping (the mode switch flipped) waits the same way, and is painted once it goes.
    page.pageCommand(6, 0);
    run(30000, 500);
    page.display().clearPicture();
    page.pageCommand(8, 1);
    for (int tick = 0; tick < 5; ++tick)
        page.display().echoTick();
    EXPECT_EQ(highestPaintedRow(page), kActiveHeight);
    run(3000, 100);
    EXPECT_LT(highestPaintedRow(page), kActiveHeight) << "the single ping's echoes are painted";
}

// Steps Sa2 until a ping of the active sonar hears an echo; its degree, or -1.
int pingUntilEcho(ActiveSonar& sonar, const std::function<void(std::uint64_t)>& run) {
    for (int ping = 0; ping < 40; ++ping) {
        run(30000);
        const auto slot = sonar.pingSlot();
        for (int degree = 0; degree < 360; ++degree)
            if (sonar.pingSnapshot(slot)[static_cast<std::size_t>(degree)] != 0)
                return degree;
    }
    return -1;
}

TEST_F(ActivePageMission, TheLabelNamesAnEchoWithinAFractionOfTheScaleOfTheCursorRange) {
    ActiveSonarPage& page = openActive("Sa2.scn", 1);
    page.pageCommand(8, 1);
    const int echo = pingUntilEcho(sonar(), [this](std::uint64_t ms) { run(ms, 500); });
    ASSERT_GE(echo, 0) << "a ping heard the convoy";
    const auto slot = sonar().pingSlot();
    const std::int32_t source = sonar().pingSnapshot(slot)[static_cast<std::size_t>(echo)];
    const double range = sonar().broadband()->row(slot).range[static_cast<std::size_t>(bearingBin(echo))];
    ownBoat().registerContact(kSensorActive, source, echo, range, -1.0, -1.0, 95);
    ASSERT_GT(worldFindEntity(source)->designation[kSonarActiveSlot], 0);
    const std::string label = sonarContactLabel(source, kSonarActiveSlot, SonarLabelStyle::active);
    EXPECT_EQ(label.find("S"), 2u);
    sonarState().cursorBearing = echo;
    // The window is a 92nd of the scale (40,000 yards: 434.8) on either side of an echo's range,
    // in any of the four ping rows that hold the source at the cursor bearing.
    const auto within = [&](double cursorRange) {
        for (std::size_t row = 0; row < ActiveSonar::kPingRows; ++row)
            if (sonar().pingSnapshot(row)[static_cast<std::size_t>(echo)] == source &&
                std::fabs(sonar().broadband()->row(row).range[static_cast<std::size_t>(bearingBin(echo))] -
                          cursorRange) < 40000.0 / 92.0)
                return true;
        return false;
    };
    int named = 0, blank = 0;
    for (double offset : {0.0, 430.0, -430.0, 440.0, -440.0, 3000.0, -3000.0}) {
        page.state().cursorRange = range + offset;
        page.refreshLabel(true);
        const bool expected = within(range + offset);
        EXPECT_EQ(page.label(), expected ? label : std::string(9, ' ')) << offset;
        (expected ? named : blank) += 1;
    }
    EXPECT_GE(named, 3) << "the echo's own range and 430 yards either side";
    EXPECT_GE(blank, 1);
}

TEST_F(ActivePageMission, ReportHandsTheEchoAtTheCursorToTheBowArraysTrackers) {
    ActiveSonarPage& page = openActive("Sa2.scn", 1);
    page.pageCommand(8, 1);
    const int echo = pingUntilEcho(sonar(), [this](std::uint64_t ms) { run(ms, 500); });
    ASSERT_GE(echo, 0);
    const auto slot = sonar().pingSlot();
    const std::int32_t source = sonar().pingSnapshot(slot)[static_cast<std::size_t>(echo)];
    sonarState().cursorBearing = echo;
    page.state().cursorRange =
        sonar().broadband()->row(slot).range[static_cast<std::size_t>(bearingBin(echo))];
    page.pageCommand(10, 1);
    // A tracker of the bow array takes the source at once, as an active one.
    const TrackSlot* taken = nullptr;
    for (const TrackSlot& tracker : ownBoat().array2->trackers())
        if (tracker.locked && tracker.source == source)
            taken = &tracker;
    ASSERT_NE(taken, nullptr) << "the bow array follows the echo's source";
    EXPECT_EQ(taken->sensorType, kSensorActive);
    EXPECT_NEAR(taken->bearing, echo, 0.5);
    // ... and the own boat holds an active contact on it.
    Entity* entity = worldFindEntity(source);
    ASSERT_NE(entity, nullptr);
    EXPECT_GT(entity->designation[kSensorActive], 0);
    bool held = false;
    for (auto* node = ownBoat().contacts.head(); node; node = node->next)
        held = held || worldFindByDesignation(node->item->designation) == entity;
    EXPECT_TRUE(held) << "the own boat holds a contact on it";
}

TEST_F(ActivePageMission, TheTransmitButtonsNameIsEngravedWhereItCanBeRead) {
    openActive("Sa2.scn", 0);
    // Pale label strokes (the engraving colour of the page's labels) in the button's housing, with
    // the cover shut and raised.
    const SonarWidgetRow& transmit = kActiveTransmit;
    const Rect housing{transmit.x, transmit.y, transmit.x + transmit.width, transmit.y + transmit.height + 4};
    EXPECT_GE(palePixels(housing), 30) << "the name, not a dark red on the red cover";
    clickAt({transmit.x + transmit.width / 2, transmit.y + 10});
    run(1000, 100);
    EXPECT_GE(palePixels(housing), 30) << "the cover raised";
}

} // namespace
} // namespace q71::test
