// The narrowband, DEMON and intercept pages on a mission of the data set: their controls and the
// settings they keep with the boat, the reference platforms the rocker steps through, the DEMON
// tracker remembered per array, and the intercept readouts written only when they change.
#include "tactical/support/station_mission.h"

#include "sim/entities/motion/own_boat_motion.h"
#include "sim/entities/sensors/intercept_receivers.h"
#include "sim/entities/sensors/passive_arrays.h"
#include "sim/entities/types/own_submarine.h"
#include "sim/simulation/world_lists.h"
#include "sim/world/object_database.h"
#include "tactical/sonar/demon_page.h"
#include "tactical/sonar/intercept_page.h"
#include "tactical/sonar/level_dib.h"
#include "tactical/sonar/narrowband_page.h"
#include "tactical/sonar/sonar_suite.h"

#include <gtest/gtest.h>

#include <vector>

namespace q71::test {
namespace {

class SonarPages : public StationMission {
protected:
    SonarSuiteScreen& openSuite(int page) {
        startMission("Sa1.scn");
        auto& suite = buildStation<SonarSuiteScreen>(kStationSonar, "sonarsuite");
        showStation(kStationSonar);
        sonarShowPage(page);
        pump();
        return suite;
    }
    OwnShipEntity& own() { return *worldOwnSubmarine(); }
    int setting(StationSetting which) { return stationSetting(*own().ownMotion, which); }
};

TEST_F(SonarPages, NarrowbandKeepsItsSettingsWithTheBoat) {
    SonarSuiteScreen& suite = openSuite(kSonarNarrowbandPage);
    auto& page = *dynamic_cast<NarrowbandPage*>(suite.page(kSonarNarrowbandPage));
    ASSERT_TRUE(page.isVisible());
    const int orientation = setting(kSettingNarrowbandOrientation);
    const int offset = page.state().offset;
    page.pageCommand(6, 1);
    EXPECT_EQ(page.state().offset, 180 - offset);
    EXPECT_EQ(setting(kSettingNarrowbandOrientation), 1 - orientation);
    for (int array : {0, 1, 2}) {
        page.pageCommand(9 + array, 1);
        EXPECT_EQ(setting(kSettingArray), array);
    }
    EXPECT_EQ(sonarState().selectedArray, 2);
    // A designation with no line near the cursor arms nothing.
    page.state().lineFrequency.fill(0);
    page.pageCommand(8, 1);
    for (const TrackSlot& tracker : own().array2->trackers())
        EXPECT_FALSE(tracker.inUse());
    // The waterfall's cursor never leaves the scale: a drag past the right end reads the full scale.
    leftButton({32 + 200, 33 + 60}, true);
    moveTo({32 + 300, 33 + 60});
    leftButton({32 + 300, 33 + 60}, false);
    EXPECT_EQ(page.state().cursorFrequency, page.state().fullScale());
    sonarShowPage(kSonarBroadbandPage);
}

TEST_F(SonarPages, TheRockerStepsThroughEveryReferencePlatformBothWays) {
    SonarSuiteScreen& suite = openSuite(kSonarNarrowbandPage);
    auto& page = *dynamic_cast<NarrowbandPage*>(suite.page(kSonarNarrowbandPage));
    // The records with lines that are not floats, in id order.
    std::vector<int> expected;
    for (int id = 1; id <= 149; ++id) {
        const ObjectRecord* r = objdbFindById(static_cast<std::uint32_t>(id));
        if (r && r->categoryWord.view() != "float" && r->signatureValues[0] != 0)
            expected.push_back(id);
    }
    ASSERT_GT(expected.size(), 10u);
    EXPECT_EQ(page.state().referenceId, 0) << "no reference before the first step";
    std::vector<int> up;
    for (std::size_t i = 0; i < expected.size(); ++i) {
        page.pageCommand(7, 1);
        up.push_back(page.state().referenceId);
    }
    EXPECT_EQ(up, expected);
    EXPECT_EQ(page.referenceName(),
              std::string(objdbFindById(static_cast<std::uint32_t>(expected.back()))->displayName.view()));
    page.pageCommand(7, 1);
    EXPECT_EQ(page.state().referenceId, expected.front()) << "past the highest, back to the lowest";
    page.pageCommand(7, 0);
    EXPECT_EQ(page.state().referenceId, expected.back()) << "and back below it";
    // The strip shows the record's lines: a column lit for each line on the scale.
    const ObjectRecord& record = *objdbFindById(static_cast<std::uint32_t>(expected.back()));
    auto& strip = const_cast<LevelDib&>(page.reference().picture());
    for (std::int32_t f : record.signatureValues)
        if (f > 0 && f < page.state().fullScale()) {
            const int x = kNarrowbandLeft + narrowbandColumn(f, page.state().fullScale());
            EXPECT_GT(strip.row(40)[static_cast<std::size_t>(x)] + 0, 0) << f << " Hz";
        }
    sonarShowPage(kSonarBroadbandPage);
}

TEST_F(SonarPages, DemonRemembersTheTrackerOfEachArrayAndKeepsItsSettings) {
    SonarSuiteScreen& suite = openSuite(kSonarDemonPage);
    auto& page = *dynamic_cast<DemonPage*>(suite.page(kSonarDemonPage));
    ASSERT_TRUE(page.isVisible());
    EXPECT_EQ(sonarState().selectedArray, kSonarHullArray);
    page.pageCommand(7, 1);
    EXPECT_EQ(page.state().selectedTracker, 2);
    // The towed array is not out: no array, the tracker buttons change nothing.
    page.pageCommand(12, 1);
    EXPECT_EQ(sonarCurrentArray(), nullptr);
    page.pageCommand(6, 1);
    EXPECT_EQ(page.state().selectedTracker, 0) << "the towed array's remembered tracker";
    page.pageCommand(14, 1);
    EXPECT_EQ(page.state().selectedTracker, 2) << "the hull array's tracker came back";
    page.pageCommand(9, 2);
    EXPECT_EQ(setting(kSettingDemonScale), 2);
    for (int i = 0; i < 40; ++i)
        page.pageCommand(10, 1);
    EXPECT_EQ(page.state().divisor, 6);
    EXPECT_EQ(setting(kSettingDemonDivisor), 6);
    // The trackers' labels: the letter alone while a tracker follows nothing.
    EXPECT_EQ(page.trackerLabel(0), std::string(1, own().array2->trackers()[0].letter) + "       ");
    sonarShowPage(kSonarBroadbandPage);
}

TEST_F(SonarPages, InterceptReadoutsWaitForTheFirstIntercept) {
    SonarSuiteScreen& suite = openSuite(kSonarInterceptPage);
    auto& page = *dynamic_cast<InterceptPage*>(suite.page(kSonarInterceptPage));
    EXPECT_EQ(sonarState().selectedArray, kSonarInterceptArray);
    run(2000, 100);
    EXPECT_EQ(page.shownSince(), -1) << "no intercept yet: the time since is not written";
    EXPECT_EQ(page.shownBearing(), 0);
    own().interceptUnit->onPing(9999, 200, 60);
    run(3300, 100);
    EXPECT_EQ(page.shownBearing(), 200);
    EXPECT_EQ(page.shownSince(), 3);
    sonarShowPage(kSonarBroadbandPage);
}

TEST(LevelPicture, ScrollingMovesOnlyTheAreaGiven) {
    LevelDib picture;
    if (!picture.create(8, 6))
        GTEST_SKIP() << "no DIB on this display";
    for (int y = 0; y < 6; ++y)
        std::fill(picture.row(y).begin(), picture.row(y).end(), static_cast<std::uint8_t>(y + 1));
    picture.scrollDown(1, 4, 2, 6, 2);
    const std::uint8_t expected[6][8] = {{1, 1, 1, 1, 1, 1, 1, 1}, {2, 2, 2, 2, 2, 2, 2, 2},
                                         {3, 3, 3, 3, 3, 3, 3, 3}, {4, 4, 2, 2, 2, 2, 4, 4},
                                         {5, 5, 3, 3, 3, 3, 5, 5}, {6, 6, 6, 6, 6, 6, 6, 6}};
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 8; ++x)
            EXPECT_EQ(picture.row(y)[static_cast<std::size_t>(x)], expected[y][x]) << x << ", " << y;
    picture.scrollDown(0, 5, -4, 40, 9); // more rows than the area: nothing moves
    EXPECT_EQ(picture.row(5)[0], 6);
}

} // namespace
} // namespace q71::test
