// The active sonar page on a running mission of the data set, as the host holds it: one transmit
// sends one ping (a single one, whatever the knob did, or repeated ones at the scale's period),
// whose picture is painted behind its front; a transmit while the world stands
// still paints nothing until the ping goes; the contact label's window in range; and the Report
// button, which hands the echo at the cursor to the bow array's trackers.
#include "tactical/support/station_mission.h"

#include "sim/entities/motion/own_boat_motion.h"
#include "sim/entities/sensors/active_sonar.h"
#include "sim/entities/sensors/passive_arrays.h"
#include "sim/entities/types/own_submarine.h"
#include "sim/simulation/geometry.h"
#include "sim/simulation/sim_clock.h"
#include "sim/simulation/sound_profile.h"
#include "sim/simulation/world_lists.h"
#include "sim/world/object_database.h"
#include "tactical/sonar/active_page.h"
#include "tactical/sonar/sonar_label.h"
#include "tactical/sonar/sonar_suite.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <vector>

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

// The game times of the pings sent while the world runs `ms` in passes of 100 ms.
std::vector<double> pingTimes(ActiveSonar& sonar, const std::function<void(std::uint64_t)>& run, int ms) {
    std::vector<double> times;
    double last = sonar.lastTransmit;
    for (int pass = 0; pass < ms / 100; ++pass) {
        run(100);
        if (sonar.lastTransmit != last)
            times.push_back(sonar.lastTransmit);
        last = sonar.lastTransmit;
    }
    return times;
}

TEST_F(ActivePageMission, ASinglePingTransmitSendsOnePingWhateverTheScaleDid) {
    ActiveSonarPage& page = openActive("Sa2.scn", 4);
    const auto run100 = [this](std::uint64_t ms) { run(ms, 100); };
    page.pageCommand(6, 0); // the ping mode switch: single pings
    ASSERT_EQ(page.state().pingMode, 0);
    // The first transmit of the page (its picture has no scale yet), the same scale again, and
    // then a transmit after each turn of the knob, up and down.
    for (int index : {4, 4, 2, 0, 3}) {
        setStationSetting(*ownBoat().ownMotion, kSettingActiveRange, index);
        page.pageCommand(8, 1);
        // Past the period a repeated ping would have at this scale (the front then beyond it).
        const double scale = kActiveRangeScales[static_cast<std::size_t>(index)];
        const int period = 1 + 2 * static_cast<int>(scale / 1548);
        const std::vector<double> times = pingTimes(sonar(), run100, (period + 5) * 1000);
        EXPECT_EQ(times.size(), 1u) << "scale index " << index;
        EXPECT_EQ(sonar().transmitInterval, -1) << "no ping is pending";
    }
}

TEST_F(ActivePageMission, RepeatedPingsKeepTheirPeriodAndTakeANewScalesAtTheNextPing) {
    ActiveSonarPage& page = openActive("Sa2.scn", 4);
    const auto run100 = [this](std::uint64_t ms) { run(ms, 100); };
    ASSERT_EQ(page.state().pingMode, 1);
    page.pageCommand(8, 1);
    // 5,000 yards: a ping every 1 + 2 x 3 = 7 s, the first at once.
    std::vector<double> times = pingTimes(sonar(), run100, 30000);
    ASSERT_EQ(times.size(), 5u);
    for (std::size_t i = 1; i < times.size(); ++i)
        EXPECT_NEAR(times[i] - times[i - 1], 7.0, 0.5) << i;
    // The knob turned to 10,000 yards: the ping already due goes at the old period, those after it
    // every 1 + 2 x 6 = 13 s.
    setStationSetting(*ownBoat().ownMotion, kSettingActiveRange, 3);
    const double before = times.back();
    times = pingTimes(sonar(), run100, 40000);
    ASSERT_EQ(times.size(), 3u);
    EXPECT_NEAR(times[0] - before, 7.0, 0.5);
    EXPECT_NEAR(times[1] - times[0], 13.0, 0.5);
    EXPECT_NEAR(times[2] - times[1], 13.0, 0.5);
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

TEST_F(ActivePageMission, ACargosEchoAtFiveKilometresIsTheBrightestGreenOfThePicture) {
    ActiveSonarPage& page = openActive("Sa2.scn", 3); // 10,000 yards
    OwnShipEntity& own = ownBoat();
    Entity* cargo = nullptr;
    for (auto* node = worldList().head(); node && !cargo; node = node->next)
        if (const ObjectRecord* record = objdbFindById(node->item->recordId);
            record && record->keyName.view() == "Merchant")
            cargo = node->item;
    ASSERT_NE(cargo, nullptr);
    // 5 km off the bow of the boat, which runs south over deep water.
    const double bearing = 160.0 * kDegreesToRadians;
    cargo->motion->x = own.motion->x + 5000.0 * std::sin(bearing);
    cargo->motion->y = own.motion->y + 5000.0 * std::cos(bearing);
    page.pageCommand(6, 0);
    page.pageCommand(8, 1);
    run(9000, 100); // the front is past 5,500 yards after about 7 s
    const auto slot = sonar().pingSlot();
    const BroadbandRow& row = sonar().broadband()->row(slot);
    int echo = -1;
    for (int degree = 0; degree < 360; ++degree)
        if (sonar().pingSnapshot(slot)[static_cast<std::size_t>(degree)] == cargo->id &&
            (echo < 0 || row.level[bearingBin(degree)] > row.level[bearingBin(echo)]))
            echo = degree;
    ASSERT_GE(echo, 0) << "the ping heard the cargo";
    const int echoY = activeRangeY(row.range[bearingBin(echo)], 10000.0, page.state().pingSlot);
    const int echoX = activeBearingX(echo, page.state().offset);

    // The noise of a pixel in deep water: up to trunc(0.5 x 25) + 25 / 2 + the ambient noise, and
    // at most the larger of the surface's (sea state + 10) and the bottom's (10) reverberation on it.
    ASSERT_EQ(page.state().reverberationBase, 25.0) << "deep water";
    const int noiseTop = 12 + 12 + static_cast<int>(soundProfile().ambientNoise) +
                         std::max(10, static_cast<int>(simClock().seaState) + 10);
    ASSERT_LT(noiseTop, 100);
    auto& picture = const_cast<LevelDib&>(page.display().picture());
    int echoPixels = 0, brightestNoise = 0;
    Point noisePixel{};
    for (int y = kActiveTop; y <= kActiveBottom; ++y)
        for (int x = 0; x < kActiveWidth; ++x) {
            const int level = picture.row(y)[static_cast<std::size_t>(x)];
            if (level == 100 && std::abs(y - echoY) <= 1 && std::abs(x - echoX) <= 8) {
                ++echoPixels;
            } else if (level > brightestNoise) {
                brightestNoise = level;
                noisePixel = {x, y};
            }
        }
    // The echo rises above the noise to the ramp's top, level 100, on its degree's column and the
    // one to its right; nothing else reaches it.
    EXPECT_EQ(picture.row(echoY)[static_cast<std::size_t>(echoX)], 100);
    EXPECT_EQ(picture.row(echoY)[static_cast<std::size_t>(echoX) + 1], 100);
    EXPECT_GE(echoPixels, 2);
    EXPECT_LE(brightestNoise, noiseTop);
    // On the screen the echo is the ramp's top, pure green 255 x 100 / 101, and the brightest
    // noise is a darker green by the levels between them.
    const BitmapRef screen = stationPicture();
    const PixelSurface surface = screen->surface();
    const auto green = [&](Point at) {
        const ColorRef c = surface.decode(surface.read(32 + at.x, 45 + at.y));
        EXPECT_EQ(c & 0xFF00FF, 0u) << "pure green";
        return static_cast<int>(c >> 8 & 0xFF);
    };
    EXPECT_NEAR(green({echoX, echoY}), 252, 4);
    EXPECT_LE(green(noisePixel), 255 * noiseTop / 101 + 4);
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
