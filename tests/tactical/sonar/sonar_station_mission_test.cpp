// The sonar suite on a running mission of the data set, as the host holds it and the main loop
// steps it: mission Sa2 with its convoy coming into hearing, on the broadband page the suite
// opens on and on the active page after a ping.
#include "tactical/support/station_mission.h"

#include "sim/entities/sensors/active_sonar.h"
#include "sim/entities/sensors/passive_arrays.h"
#include "sim/entities/types/own_submarine.h"
#include "sim/simulation/sim_clock.h"
#include "sim/simulation/world_lists.h"
#include "tactical/sonar/active_page.h"
#include "tactical/sonar/broadband_page.h"
#include "tactical/sonar/sonar_label.h"
#include "tactical/sonar/sonar_suite.h"

#include <cmath>

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

    OwnShipEntity& own() { return *dynamic_cast<OwnShipEntity*>(worldOwnShip()); }

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
    int slot = -1;
    for (int i = 0; i < 4 && slot < 0; ++i)
        if (trackers[static_cast<std::size_t>(i)].inUse())
            slot = i;
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
    leftButton({40 + emptyX, 30 + 15}, false);
    EXPECT_EQ(broadband.state().pickedTracker, -1);
    EXPECT_FALSE(tracker.inUse()) << "let go where nothing is heard, the tracker is freed";
    EXPECT_EQ(sonarState().cursorBearing, empty);
}

} // namespace
} // namespace q71::test
