// Golden pictures of the pages on the first mission of the data set, the displays' noise
// seeded: the active page painting the echoes of a ping at the 5,000-yard scale, the broadband
// page's waterfalls, narrowband and DEMON after twenty seconds, and the intercept page.
#include "tactical/support/station_mission.h"

#include "sim/entities/motion/own_boat_motion.h"
#include "sim/entities/types/own_submarine.h"
#include "sim/simulation/world_lists.h"
#include "support/golden_image.h"
#include "tactical/displays/display_noise.h"
#include "tactical/sonar/active_page.h"
#include "tactical/sonar/sonar_suite.h"

#include <gtest/gtest.h>

namespace q71::test {
namespace {

class SonarGolden : public StationMission {
protected:
    SonarSuiteScreen& openSuite() {
        startMission("Sa1.scn");
        displayNoise().seed(1);
        auto& suite = buildStation<SonarSuiteScreen>(kStationSonar, "sonarsuite");
        showStation(kStationSonar);
        return suite;
    }
};

TEST_F(SonarGolden, ActivePageAfterAPing) {
    SonarSuiteScreen& suite = openSuite();
    sonarShowPage(0);
    pump();
    auto& own = *worldOwnSubmarine();
    setStationSetting(*own.ownMotion, kSettingActiveRange, 4);
    dynamic_cast<ActiveSonarPage*>(suite.page(0))->pageCommand(8, 1);
    run(8000, 100);
    EXPECT_TRUE(matchesGoldenIn("tests/tactical/sonar/golden", *stationPicture(), "active-page"));
    sonarShowPage(3);
}

TEST_F(SonarGolden, BroadbandPageAfterTwentySeconds) {
    openSuite();
    run(20000, 100);
    EXPECT_TRUE(matchesGoldenIn("tests/tactical/sonar/golden", *stationPicture(), "broadband-page"));
}

TEST_F(SonarGolden, NarrowbandDemonAndInterceptPages) {
    openSuite();
    struct Page {
        int index;
        const char* name;
    };
    for (const Page& page : {Page{4, "narrowband-page"}, Page{2, "demon-page"}, Page{1, "intercept-page"}}) {
        displayNoise().seed(1);
        sonarShowPage(page.index);
        run(20000, 100);
        EXPECT_TRUE(matchesGoldenIn("tests/tactical/sonar/golden", *stationPicture(), page.name));
    }
    sonarShowPage(3);
}

} // namespace
} // namespace q71::test
