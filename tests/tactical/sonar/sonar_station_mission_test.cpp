// The sonar suite on a running mission of the data set, as the host holds it and the main loop
// steps it: mission Sa2 with its convoy coming into hearing, on the broadband page the suite
// opens on, on the active page after a ping, on narrowband and DEMON following the convoy's lines,
// and on the intercept page.
#include "tactical/support/station_mission.h"

#include "platform/gdi/colour.h"
#include "platform/window/window_layout.h"
#include "platform/window/window_paint.h"

#include "sim/entities/sensors/active_sonar.h"
#include "sim/entities/sensors/passive_arrays.h"
#include "sim/entities/types/own_submarine.h"
#include "sim/simulation/sim_clock.h"
#include "sim/simulation/world_lists.h"
#include "tactical/sonar/active_page.h"
#include "tactical/sonar/broadband_page.h"
#include "tactical/sonar/demon_page.h"
#include "tactical/sonar/intercept_page.h"
#include "tactical/sonar/narrowband_page.h"
#include "sim/entities/motion/own_boat_motion.h"
#include "sim/entities/sensors/intercept_receivers.h"
#include "tactical/sonar/sonar_label.h"
#include "tactical/sonar/sonar_suite.h"

#include <cmath>
#include <set>

#include <gtest/gtest.h>

namespace q71::test {
namespace {

class SonarStationMission : public StationMission {
protected:
    SonarSuiteScreen& openSuite() {
        sonarRegisterStation();
        SubScreen* station = buildRegisteredStation(kStationSonar);
        stationRegisterMaker(kStationSonar, nullptr);
        EXPECT_NE(station, nullptr);
        showStation(kStationSonar);
        return *static_cast<SonarSuiteScreen*>(station);
    }

    OwnShipEntity& own() { return *worldOwnSubmarine(); }

    // The first tracker in use (or locked), or -1.
    static int firstTracker(const ReceiverSensor::Trackers& trackers, bool locked = false) {
        for (int i = 0; i < ReceiverSensor::kTrackers; ++i) {
            const TrackSlot& tracker = trackers[static_cast<std::size_t>(i)];
            if (locked ? tracker.locked != 0 : tracker.inUse())
                return i;
        }
        return -1;
    }

    // Steps the mission until the bow array hears a source (at most half an hour); its bearing, or -1.
    int runUntilHeard() {
        for (int second = 0; second < 1800; ++second) {
            run(1000, 1000);
            const auto& sources = own().array2->sourceTable;
            for (int degree = 0; degree < 360; ++degree)
                if (sources[static_cast<std::size_t>(degree)] != 0)
                    return degree;
        }
        return -1;
    }

    // Runs until the convoy is heard and designates it on the broadband page: the bow array's
    // tracker that locked on it (DEMON reads the bow array: the towed array is not out), or -1.
    int lockOnTheConvoy(SonarSuiteScreen& suite) {
        const int heard = runUntilHeard();
        if (heard < 0)
            return -1;
        setStationSetting(*own().ownMotion, kSettingArray, 2);
        sonarState().cursorBearing = heard;
        dynamic_cast<BroadbandPage*>(suite.page(3))->pageCommand(9, 1);
        run(5000, 100);
        return firstTracker(own().array2->trackers(), true);
    }

    // Lit pixels of a waterfall's data area within 3 columns of an x.
    static int litNear(LevelDib& picture, int x) {
        int count = 0;
        for (int y = 26; y <= 162; ++y) {
            auto row = picture.row(y);
            for (int c = std::max(17, x - 3); c <= std::min(252, x + 3); ++c)
                count += row[static_cast<std::size_t>(c)] > 0 ? 1 : 0;
        }
        return count;
    }
};

TEST_F(SonarStationMission, TheConvoyTracesBothWaterfalls) {
    startMission("Sa2.scn");
    ASSERT_NE(worldOwnShip(), nullptr);
    SonarSuiteScreen& suite = openSuite();
    auto* broadband = dynamic_cast<BroadbandPage*>(suite.page(3));
    ASSERT_NE(broadband, nullptr);
    EXPECT_TRUE(broadband->isVisible()) << "the suite opens on broadband";
    const int heard = runUntilHeard();
    ASSERT_GE(heard, 0) << "the convoy never came into hearing";
    run(60000, 100);
    keepPicture("sonar-broadband");
    const int offset = broadband->state().offset;
    const int column = 17 + static_cast<int>(((heard + offset) % 360) * 235 / 360);
    auto& upper = const_cast<LevelDib&>(broadband->upper().picture());
    auto& lower = const_cast<LevelDib&>(broadband->lower().picture());
    // A trace: the source's column lit on many of the fine rows, and on the medium ring's too.
    EXPECT_GT(litNear(upper, column), 60);
    EXPECT_GT(litNear(lower, column), 0);
}

TEST_F(SonarStationMission, APingPaintsTheConvoysEchoes) {
    startMission("Sa2.scn");
    SonarSuiteScreen& suite = openSuite();
    ASSERT_GE(runUntilHeard(), 0);
    sonarShowPage(0);
    pump();
    auto* active = dynamic_cast<ActiveSonarPage*>(suite.page(0));
    ASSERT_NE(active, nullptr);
    EXPECT_TRUE(active->isVisible());
    active->pageCommand(8, 1); // the transmit button pressed under its cover
    run(100000, 100);          // the front runs out to 77,400 yards; the next ping is due at 103 s
    keepPicture("sonar-active");
    const ActiveSonar& sonar = *own().activeUnit;
    const int slot = static_cast<int>(sonar.pingSlot());
    const BroadbandRow& row = sonar.broadband()->row(static_cast<std::size_t>(slot));
    int echoes = 0, painted = 0;
    auto& picture = const_cast<LevelDib&>(active->display().picture());
    for (int degree = 0; degree < 360; ++degree) {
        if (sonar.pingSnapshot(static_cast<std::size_t>(slot))[static_cast<std::size_t>(degree)] == 0)
            continue;
        const auto bin = static_cast<std::size_t>(bearingBin(degree));
        if (row.range[bin] == 0)
            continue;
        ++echoes;
        const int y = activeRangeY(row.range[bin], 80000.0, slot);
        const int x = activeBearingX(degree, active->state().offset);
        for (int dy = -1; dy <= 1; ++dy)
            if (!picture.row(y + dy).empty() && picture.row(y + dy)[static_cast<std::size_t>(x)] > 0) {
                ++painted;
                break;
            }

    }
    EXPECT_GT(echoes, 0) << "the ping heard no echo";
    EXPECT_EQ(painted, echoes) << "every echo of the ping is painted at its bearing and range";
    sonarShowPage(3);
}

TEST_F(SonarStationMission, DesignatingAnEchoRegistersAnActiveContact) {
    startMission("Sa2.scn");
    SonarSuiteScreen& suite = openSuite();
    ASSERT_GE(runUntilHeard(), 0);
    sonarShowPage(0);
    pump();
    auto& active = *dynamic_cast<ActiveSonarPage*>(suite.page(0));
    active.pageCommand(8, 1);
    run(100000, 100);
    const ActiveSonar& sonar = *own().activeUnit;
    const auto slot = sonar.pingSlot();
    int echo = -1;
    for (int degree = 0; degree < 360 && echo < 0; ++degree)
        if (sonar.pingSnapshot(slot)[static_cast<std::size_t>(degree)] != 0)
            echo = degree;
    ASSERT_GE(echo, 0);
    const std::int32_t source = sonar.pingSnapshot(slot)[static_cast<std::size_t>(echo)];
    // The cursor two degrees off the echo still takes it.
    sonarState().cursorBearing = (echo + 2) % 360;
    active.state().cursorRange = sonar.broadband()->row(slot).range[static_cast<std::size_t>(bearingBin(echo))];
    active.pageCommand(9, 1);
    Entity* entity = worldFindEntity(source);
    ASSERT_NE(entity, nullptr);
    EXPECT_GT(entity->designation[4], 0) << "the echo's entity got its active-sonar number";
    active.refreshLabel(true);
    sonarState().cursorBearing = echo;
    active.refreshLabel(false);
    EXPECT_EQ(active.label(), sonarContactLabel(source, 4, SonarLabelStyle::active));
    EXPECT_NE(active.label().find('S'), std::string::npos);
    sonarShowPage(3);
}

// The mean column of the lit pixels of the rows y0 to y1 between x0 and x1; -1 when none is lit.
double litCentre(const LevelDib& picture, int x0, int x1, int y0, int y1) {
    auto& bytes = const_cast<LevelDib&>(picture);
    double sum = 0.0;
    int lit = 0;
    for (int y = y0; y <= y1; ++y) {
        auto row = bytes.row(y);
        for (int x = x0; x <= x1 && !row.empty(); ++x)
            if (row[static_cast<std::size_t>(x)] > 0) {
                sum += x;
                ++lit;
            }
    }
    return lit ? sum / lit : -1.0;
}

TEST_F(SonarStationMission, ATrackerPickedAndLetGoTakesTheContactOrIsFreed) {
    startMission("Sa2.scn");
    SonarSuiteScreen& suite = openSuite();
    auto& broadband = *dynamic_cast<BroadbandPage*>(suite.page(3));
    const int heard = runUntilHeard();
    ASSERT_GE(heard, 0);
    // Designate the contact at the cursor: a tracker of the bow array takes it.
    sonarState().cursorBearing = heard;
    broadband.pageCommand(9, 1);
    run(3000, 100);
    const auto& trackers = own().array2->trackers();
    const int slot = firstTracker(trackers);
    ASSERT_GE(slot, 0) << "the designate armed a tracker";
    const TrackSlot& tracker = trackers[static_cast<std::size_t>(slot)];
    // Press on its letter above the upper waterfall, drag it where nothing is heard, let go.
    const int offset = broadband.state().offset;
    const int x = 17 + static_cast<int>(std::fmod(tracker.bearing + offset, 360.0) * 235 / 360);
    leftButton({40 + x, 30 + 15}, true);
    EXPECT_EQ(broadband.state().pickedTracker, slot);
    int empty = -1;
    for (int degree = 0; degree < 360 && empty < 0; ++degree) {
        bool quiet = true;
        for (int k = -6; k <= 6; ++k)
            quiet = quiet && own().array2->sourceTable[static_cast<std::size_t>((degree + k + 360) % 360)] == 0;
        if (quiet)
            empty = degree;
    }
    ASSERT_GE(empty, 0);
    const int emptyX = 17 + ((empty + offset) % 360) * 235 / 360 + 1;
    moveTo({40 + emptyX, 30 + 15});
    // While dragged, the tracker's letter rides on the cursor, over the strip where nothing is.
    broadband.upper().redraw();
    EXPECT_NEAR(litCentre(broadband.upper().picture(), emptyX - 8, emptyX + 8, 12, 21), emptyX, 1.0);
    leftButton({40 + emptyX, 30 + 15}, false);
    EXPECT_EQ(broadband.state().pickedTracker, -1);
    EXPECT_FALSE(tracker.inUse()) << "let go where nothing is heard, the tracker is freed";
    EXPECT_EQ(sonarState().cursorBearing, empty);
}

// Narrowband on the bow array at the 2000 Hz scale, the cursor on the convoy's bearing.
NarrowbandPage& showNarrowband(SonarSuiteScreen& suite, OwnShipEntity& own, int bearing) {
    setStationSetting(*own.ownMotion, kSettingArray, 2);
    setStationSetting(*own.ownMotion, kSettingNarrowbandScale, 5);
    sonarState().cursorBearing = bearing;
    sonarShowPage(4);
    auto& page = *dynamic_cast<NarrowbandPage*>(suite.page(4));
    return page;
}

int litInArea(LevelDib& picture, int x0, int x1, int y0, int y1) {
    int lit = 0;
    for (int y = y0; y <= y1; ++y) {
        auto row = picture.row(y);
        for (int x = x0; x <= x1 && !row.empty(); ++x)
            lit += row[static_cast<std::size_t>(x)] > 0 ? 1 : 0;
    }
    return lit;
}

TEST_F(SonarStationMission, NarrowbandShowsTheConvoysLinesAndTheirTrackerIsHandedOrFreed) {
    startMission("Sa2.scn");
    SonarSuiteScreen& suite = openSuite();
    const int heard = runUntilHeard();
    ASSERT_GE(heard, 0);
    NarrowbandPage& page = showNarrowband(suite, own(), heard);
    pump();
    EXPECT_TRUE(page.isVisible());
    run(30000, 100);
    keepPicture("sonar-narrowband");
    // Every line heard at the cursor's bin in the rows on show is drawn in its row, at its column.
    page.waterfall().redraw();
    auto& waterfall = const_cast<LevelDib&>(page.waterfall().picture());
    const auto& ring = *own().array2->narrowband();
    int lines = 0, drawn = 0;
    for (int age = 0; age < std::min<int>(static_cast<int>(ring.count()), 125); ++age)
        for (const LineItem& line : ring.newest(static_cast<std::size_t>(age)).lines(bearingBin(heard))) {
            ++lines;
            drawn += waterfall.row(26 + age)[static_cast<std::size_t>(17 + narrowbandColumn(line.frequency, 2000))] > 0;
        }
    EXPECT_GT(lines, 0) << "the convoy's lines were heard at its bearing";
    EXPECT_EQ(drawn, lines);
    // Wait for a row holding a line: the newest row's lines are the ones the cursor can take.
    int lineColumn = -1;
    for (int wait = 0; wait < 120 && lineColumn < 0; ++wait) {
        run(500, 100);
        for (int c = 0; c < kNarrowbandColumns && lineColumn < 0; ++c)
            if (page.state().lineFrequency[static_cast<std::size_t>(c)] > 0)
                lineColumn = c;
    }
    ASSERT_GE(lineColumn, 0) << "the newest row holds a line";
    // Designate the line at the cursor: a tracker of the bow array waits for it.
    page.state().cursorFrequency = page.state().lineFrequency[static_cast<std::size_t>(lineColumn)] - 1;
    page.pageCommand(8, 1);
    const auto& trackers = own().array2->trackers();
    const int slot = firstTracker(trackers);
    ASSERT_GE(slot, 0) << "the designate armed a tracker";
    const TrackSlot& tracker = trackers[static_cast<std::size_t>(slot)];
    EXPECT_NE(tracker.lineFrequency, -1) << "on the line";
    // Press on its letter, drag it to a quiet part of the scale and let go: the tracker is freed.
    const int x = 17 + narrowbandColumn(tracker.lineFrequency, 2000);
    leftButton({32 + x, 33 + 15}, true);
    EXPECT_EQ(page.state().pickedTracker, slot);
    int quiet = -1;
    for (int c = 10; c < kNarrowbandColumns - 10 && quiet < 0; ++c) {
        bool empty = true;
        for (int k = -6; k <= 6; ++k)
            empty = empty && page.state().lineFrequency[static_cast<std::size_t>(c + k)] == 0;
        if (empty)
            quiet = c;
    }
    ASSERT_GE(quiet, 0);
    moveTo({32 + 17 + quiet, 33 + 15});
    // While dragged, the tracker's letter rides on the cursor, over the strip's quiet stretch.
    page.waterfall().redraw();
    EXPECT_NEAR(litCentre(page.waterfall().picture(), 17 + quiet - 8, 17 + quiet + 8, 12, 21), 17 + quiet,
                1.0);
    leftButton({32 + 17 + quiet, 33 + 15}, false);
    EXPECT_EQ(page.state().pickedTracker, -1);
    EXPECT_FALSE(tracker.inUse()) << "let go away from any line, the tracker is freed";
    // The bearing trace: a click sets the cursor bearing to the bearing drawn there.
    clickAt({32 + narrowbandTraceX(123, page.state().offset), 322 + 40});
    EXPECT_EQ(narrowbandTraceX(sonarState().cursorBearing, page.state().offset),
              narrowbandTraceX(123, page.state().offset));
    sonarShowPage(3);
}

TEST_F(SonarStationMission, DemonShowsTheLinesOfTheContactATrackerFollows) {
    startMission("Sa2.scn");
    SonarSuiteScreen& suite = openSuite();
    const int slot = lockOnTheConvoy(suite);
    ASSERT_GE(slot, 0) << "a tracker locked on the convoy";
    const auto& trackers = own().array2->trackers();
    sonarShowPage(2);
    pump();
    auto& demon = *dynamic_cast<DemonPage*>(suite.page(2));
    EXPECT_TRUE(demon.isVisible());
    demon.pageCommand(5 + slot, 1);
    demon.pageCommand(9, 1); // the 50 Hz scale
    run(30000, 100);
    keepPicture("sonar-demon");
    EXPECT_EQ(demon.trackerLabel(slot).substr(0, 3), std::string(1, trackers[static_cast<std::size_t>(slot)].letter) + "-S");
    auto& picture = const_cast<LevelDib&>(demon.display().picture());
    EXPECT_GT(litInArea(picture, 17, 249, 26, 223), 0) << "speckle and lines run down";
    // The divisor stops at its limits.
    for (int i = 0; i < 40; ++i)
        demon.pageCommand(10, 0);
    EXPECT_EQ(demon.state().divisor, 30);
    EXPECT_EQ(stationSetting(*own().ownMotion, kSettingDemonDivisor), 30);
    sonarShowPage(3);
}

TEST_F(SonarStationMission, AnInterceptLightsTheLampsAndFades) {
    startMission("Sa2.scn");
    SonarSuiteScreen& suite = openSuite();
    sonarShowPage(1);
    pump();
    auto& intercept = *dynamic_cast<InterceptPage*>(suite.page(1));
    EXPECT_TRUE(intercept.isVisible());
    run(1000, 100);
    EXPECT_EQ(intercept.lampsLit(), 0) << "nothing heard yet";
    ASSERT_NE(own().interceptUnit, nullptr);
    own().interceptUnit->onPing(9999, 90, 80); // a sonar no longer in the world
    run(1100, 100);
    keepPicture("sonar-intercept");
    EXPECT_GT(intercept.lampsLit(), 0);
    EXPECT_EQ(intercept.shownBearing(), 90);
    run(6000, 100);
    EXPECT_EQ(intercept.lampsLit(), 0) << "faded after five seconds";
    sonarShowPage(3);
}

// Green ink (the displays' text) in the station's picture within a rectangle of rows and columns.
int greenInk(const Bitmap& picture, int x0, int x1, int y0, int y1) {
    const PixelSurface s = picture.surface();
    int ink = 0;
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x) {
            const ColorRef c = s.decode(s.read(x, y));
            ink += colorGreen(c) > 150 && colorRed(c) < 60 && colorBlue(c) < 60 ? 1 : 0;
        }
    return ink;
}

TEST_F(SonarStationMission, EveryReferencePlatformsNameStaysInsideItsSlot) {
    startMission("Sa2.scn");
    SonarSuiteScreen& suite = openSuite();
    sonarShowPage(4);
    pump();
    auto& page = *dynamic_cast<NarrowbandPage*>(suite.page(4));
    const Rect slot = kNarrowbandNameArea;
    std::set<std::string> seen;
    for (int step = 0; step < 200; ++step) {
        page.pageCommand(7, 1);
        if (!seen.insert(page.referenceName()).second)
            break; // round the whole database
        const BitmapRef picture = stationPicture();
        EXPECT_GT(greenInk(*picture, slot.left, slot.right - 1, slot.top, slot.bottom - 1), 20)
            << page.referenceName();
        // Nothing of the name left or right of the slot, nor below it.
        EXPECT_EQ(greenInk(*picture, slot.left - 40, slot.left - 1, slot.top, slot.bottom - 1), 0)
            << page.referenceName();
        EXPECT_EQ(greenInk(*picture, slot.right, slot.right + 20, slot.top, slot.bottom - 1), 0)
            << page.referenceName();
        EXPECT_EQ(greenInk(*picture, slot.left, slot.right - 1, slot.bottom, slot.bottom + 3), 0)
            << page.referenceName();
    }
    EXPECT_GT(seen.size(), 20u);
    sonarShowPage(3);
}

TEST_F(SonarStationMission, ADemonLabelGrownShorterLeavesNothingOfTheLongerOne) {
    startMission("Sa2.scn");
    SonarSuiteScreen& suite = openSuite();
    const int slot = lockOnTheConvoy(suite);
    ASSERT_GE(slot, 0) << "a tracker locked on the convoy";
    Entity* entity = worldFindEntity(own().array2->trackers()[static_cast<std::size_t>(slot)].source);
    ASSERT_NE(entity, nullptr);
    sonarShowPage(2);
    pump();
    auto& demon = *dynamic_cast<DemonPage*>(suite.page(2));
    const Point at = windowClientToScreen(demon.window(), {43 + 71 * slot, kDemonLabelY});
    // The label drawn with a two-digit number, then (the divisor stepped) with a one-digit one.
    entity->designation[static_cast<std::size_t>(kSonarHullArray)] = 12;
    demon.pageCommand(10, 0);
    ASSERT_NE(demon.trackerLabel(slot).find("12"), std::string::npos);
    entity->designation[static_cast<std::size_t>(kSonarHullArray)] = 1;
    demon.pageCommand(10, 1);
    const BitmapRef redrawn = screenArea(at, 64, 14);
    // The same label drawn on a page painted afresh.
    windowInvalidate(demon.window(), nullptr, true);
    pump();
    const BitmapRef fresh = screenArea(at, 64, 14);
    const PixelSurface a = redrawn->surface(), b = fresh->surface();
    int differing = 0;
    for (int y = 0; y < 14; ++y)
        for (int x = 0; x < 64; ++x)
            differing += a.read(x, y) != b.read(x, y) ? 1 : 0;
    EXPECT_EQ(differing, 0) << demon.trackerLabel(slot);
    sonarShowPage(3);
}

TEST_F(SonarStationMission, TheContactLabelStaysInItsSlot) {
    startMission("Sa2.scn");
    SonarSuiteScreen& suite = openSuite();
    auto& broadband = *dynamic_cast<BroadbandPage*>(suite.page(3));
    const int slot = lockOnTheConvoy(suite); // its entity takes a number: the label has one to show
    ASSERT_GE(slot, 0);
    const TrackSlot& tracker = own().array2->trackers()[static_cast<std::size_t>(slot)];
    // The rows of the page just above and below the label's slot, (353, 200)-(512, 211).
    const auto around = [&] {
        const BitmapRef picture = stationPicture();
        const PixelSurface s = picture->surface();
        std::vector<std::uint32_t> pixels;
        for (int y : {196, 197, 198, 199, 211, 212, 213, 214, 215})
            for (int x = 353; x < 512; ++x)
                pixels.push_back(s.read(x, y));
        return pixels;
    };
    sonarState().cursorBearing = (static_cast<int>(tracker.bearing) + 180) % 360; // nothing there
    broadband.refreshLabel();
    ASSERT_TRUE(broadband.label().empty());
    const auto blank = around();
    for (int wait = 0; wait < 600 && broadband.label().empty(); ++wait) {
        run(100, 100);
        sonarState().cursorBearing = static_cast<int>(tracker.bearing);
        broadband.refreshLabel();
    }
    ASSERT_FALSE(broadband.label().empty()) << "the convoy labelled";
    EXPECT_GT(greenInk(*stationPicture(), 353, 511, 200, 210), 10) << broadband.label();
    EXPECT_TRUE(around() == blank) << "the label's ground stays in the slot";
}

} // namespace
} // namespace q71::test
