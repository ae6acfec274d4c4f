// The debriefing's replay: the story a log tells (the own boat's track, the markers), and the
// replay map playing a hand-built log over a hand-built grid.
#include "framework/app/shell.h"
#include "framework/resources/registry.h"
#include "frontend/debrief/debrief_layout.h"
#include "frontend/debrief/replay_map.h"
#include "frontend/debrief/replay_page.h"
#include "frontend/debrief/replay_story.h"
#include "frontend/debrief/track_plot.h"
#include "frontend/screen_art.h"
#include "frontend_fixture.h"
#include "sim/support/terrain_grid.h"
#include "sim/world/terrain_world.h"
#include "support/golden_image.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <limits>

namespace q71 {
namespace {

constexpr const char* kGolden = "tests/frontend/golden";

constexpr std::int32_t kOwnBoat = 1;

ReplayEvent at(std::int32_t kind, double time, double xKm, double yKm, std::int32_t extra = 0,
               std::int32_t subject = kOwnBoat) {
    ReplayEvent event;
    event.subjectId = subject;
    event.kind = kind;
    event.time = time;
    event.x = xKm * 1000.0;
    event.y = yKm * 1000.0;
    event.extra = extra;
    return event;
}

// A patrol of eleven position reports, one every 100 s, with a record of each marked kind.
std::vector<ReplayEvent> patrolLog() {
    std::vector<ReplayEvent> log;
    for (int i = 0; i <= 10; ++i)
        log.push_back(at(2, 100.0 * i, 20.0 + 6.0 * i, 20.0 + 5.0 * i + 6.0 * std::sin(i * 0.9)));
    log.push_back(at(8, 200.0, 30.0, 70.0));
    log.push_back(at(18, 300.0, 0.0, 0.0)); // a launch keeps no place of its own
    log.push_back(at(20, 600.0, 62.0, 58.0));
    log.push_back(at(1, 650.0, 64.0, 60.0));
    log.push_back(at(23, 900.0, 72.0, 30.0));
    log.push_back(at(24, 950.0, -4200.0, 0.0, 3)); // its place holds the damage
    log.push_back(at(6, 980.0, 10.0, 10.0));       // a meeting: told in the log, not marked
    log.push_back(at(2, 990.0, 90.0, 90.0, 0, 7)); // another vehicle's motion report: no track
    // The log runs in the mission's time.
    std::stable_sort(log.begin(), log.end(),
                     [](const ReplayEvent& a, const ReplayEvent& b) { return a.time < b.time; });
    return log;
}

TEST(ReplayStory, TheTrackComesFromPositionReportsAndTheMarkersFromTheirKinds) {
    std::vector<ReplayEvent> log = patrolLog();
    log.push_back(at(2, std::numeric_limits<double>::quiet_NaN(), 1.0, 1.0));
    log.push_back(at(20, 990.0, std::numeric_limits<double>::infinity(), 1.0));
    log.push_back(at(18, 995.0, 0.0, 0.0, 0, 7)); // by the vehicle that reported itself at 990 s
    log.push_back(at(18, 996.0, 0.0, 0.0, 0, 9)); // by one never reported
    const ReplayStory story = replayStory(log, kOwnBoat);
    ASSERT_EQ(story.track.size(), 11u) << "only the own boat's reports with a time";
    EXPECT_EQ(story.endTime, 1000.0);
    std::vector<std::int32_t> kinds;
    for (const ReplayMarker& m : story.markers)
        kinds.push_back(m.kind);
    ASSERT_EQ(kinds, (std::vector<std::int32_t>{8, 18, 20, 1, 23, 24, 18}))
        << "no meeting, no hit off the map, no launch from nowhere";
    const auto standsAt = [](const ReplayMarker& m, double x, double y) { return m.x == x && m.y == y; };
    EXPECT_TRUE(standsAt(story.markers[1], story.track[3].x, story.track[3].y))
        << "the boat's launch stands where it was at 300 s";
    EXPECT_TRUE(standsAt(story.markers[5], story.track[9].x, story.track[9].y))
        << "damage aboard stands where the boat last was, at 900 s";
    EXPECT_TRUE(standsAt(story.markers[6], 90000.0, 90000.0)) << "the other vehicle's launch, at its report";
    EXPECT_EQ(story.trackPointsAt(500.0), 6u);
    EXPECT_EQ(story.trackPointsAt(-1.0), 0u);
    EXPECT_TRUE(replayStory({}, kOwnBoat).empty());
    EXPECT_TRUE(replayStory({at(24, 5.0, 0, 0, 1)}, kOwnBoat).empty())
        << "damage before any position has no place";
}

class Replay : public test::FrontEndFixture {
protected:
    // 101 x 101 samples a kilometre apart: the sea of islands.
    test::TerrainGrid terrain{101, 101, 1000.0, test::islandSeaFloor};
    ReplayStory story = replayStory(patrolLog(), kOwnBoat);

    /// The debriefing's pictures, for the play button: the grid is loaded, back to the data set.
    static void selectDebriefArt() {
        std::filesystem::current_path(rootInstallPath);
        frontEndSelectGroup(kDebriefGroup);
    }
};

TEST_F(Replay, PlayedToHalfTimeHalfTheTrackAndItsMarkersShow) {
    ReplayMap map(appMainWindow(), Rect{0, 0, 320, 320}, worldGrid(), story);
    map.setTime(story.endTime / 2);
    ASSERT_NE(map.track(), nullptr);
    EXPECT_EQ(map.track()->shownPoints(), 6u) << "reports at 0 to 500 s of 0 to 1000 s";
    EXPECT_EQ(map.shownMarkers(), 2) << "the mine's report and the launch";
    map.setTime(story.endTime);
    EXPECT_EQ(map.track()->shownPoints(), 11u);
    EXPECT_EQ(map.shownMarkers(), 6);
    map.setTime(-5.0);
    EXPECT_EQ(map.time(), 0.0);
    EXPECT_EQ(map.track()->shownPoints(), 1u);
}

TEST_F(Replay, TheReplayMapAtTheEndAndAtHalfTime) {
    ReplayMap map(appMainWindow(), Rect{0, 0, 320, 320}, worldGrid(), story);
    map.show();
    map.showWholeMap(0);
    for (const auto& [time, name] : std::vector<std::pair<double, const char*>>{
             {story.endTime, "replay_end"}, {story.endTime / 2, "replay_half"}}) {
        map.setTime(time);
        pump();
        ASSERT_NE(map.backBuffer(), nullptr);
        EXPECT_TRUE(test::matchesGoldenIn(kGolden, *map.backBuffer(), name));
    }
}

TEST_F(Replay, TheTimeBarMovesTheReplayAndPlayStopsAtTheEnd) {
    selectDebriefArt();
    using namespace debrief_layout;
    ReplayPage page(appMainWindow(), story, worldGrid(), 99);
    page.show(true);
    EXPECT_TRUE(page.map().isVisible());
    EXPECT_TRUE(page.pressTimeBar({kTimeBar.left + kTimeBar.width() / 2, kTimeBar.top + 2}));
    page.releaseTimeBar();
    EXPECT_NEAR(page.map().time(), story.endTime / 2, story.endTime / kTimeBar.width());
    EXPECT_FALSE(page.pressTimeBar({kTimeBar.left, kTimeBar.top - 20})) << "above the bar";
    page.togglePlay();
    ASSERT_TRUE(page.playing());
    // The screen hands the page its timer's ticks, ten a second.
    for (int tick = 0; tick < 10; ++tick)
        page.playStep();
    EXPECT_NEAR(page.map().time() - story.endTime / 2, story.endTime / 30, 1e-6)
        << "a mission plays in about 30 seconds";
    for (int tick = 0; tick < 400 && page.playing(); ++tick)
        page.playStep();
    EXPECT_FALSE(page.playing()) << "the end stops the play";
    EXPECT_EQ(page.map().time(), story.endTime);
    page.togglePlay();
    EXPECT_EQ(page.map().time(), 0.0) << "played again from the start";
}

TEST_F(Replay, AnEmptyLogGivesAnEmptyMapThatIsNotShown) {
    selectDebriefArt();
    const ReplayStory nothing;
    ReplayPage page(appMainWindow(), nothing, worldGrid(), 99);
    page.show(true);
    EXPECT_FALSE(page.map().isVisible());
    page.togglePlay();
    EXPECT_FALSE(page.playing());
    EXPECT_FALSE(page.pressTimeBar({debrief_layout::kTimeBar.left + 5, debrief_layout::kTimeBar.top + 2}));
}

TEST_F(Replay, TheTrackPlotGrowsItsTrackAndZoomsOntoIt) {
    TrackPlot plot(appMainWindow(), Rect{0, 0, 240, 240}, worldGrid(), story);
    plot.show();
    plot.showWholeMap(0);
    const double wholeScale = plot.scale();
    plot.zoomOntoTrack(10);
    EXPECT_LT(plot.pendingScale(), wholeScale) << "it zooms in";
    EXPECT_TRUE(plot.animating());
    run(1000);
    EXPECT_FALSE(plot.animating());
    EXPECT_DOUBLE_EQ(plot.scale(), plot.pendingScale());
    EXPECT_GE(plot.scale(), 12.0) << "never closer than a dozen kilometres";
    EXPECT_EQ(plot.shownPoints(), 0u);
    plot.showPoints(4);
    pump();
    EXPECT_EQ(plot.shownPoints(), 4u);
    plot.showPoints(99);
    EXPECT_EQ(plot.shownPoints(), 11u);
    pump();
    ASSERT_NE(plot.backBuffer(), nullptr);
    EXPECT_TRUE(test::matchesGoldenIn(kGolden, *plot.backBuffer(), "track_plot"));
}

} // namespace
} // namespace q71
