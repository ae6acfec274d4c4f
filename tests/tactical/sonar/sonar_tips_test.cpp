// The tips of the sonar suite as the host holds it: one tip stands on the screen at a time, whoever
// owns it (a page button, a label of a page), a page or a station that goes out of sight takes
// its tip along, also one still waiting to pop up, and a tip shows again each time the pointer
// comes back to its button.
#include "tactical/support/station_mission.h"

#include "framework/widgets/hot_spot.h"
#include "framework/widgets/tool_tip.h"
#include "platform/window/window.h"
#include "platform/window/window_layout.h"
#include "tactical/sonar/broadband_page.h"
#include "tactical/sonar/demon_page.h"
#include "tactical/sonar/sonar_page.h"
#include "tactical/sonar/sonar_state.h"
#include "tactical/sonar/sonar_suite.h"
#include "tactical/ssp/ssp_screen.h"

#include <gtest/gtest.h>

#include <functional>

namespace q71::test {
namespace {

class SonarTips : public StationMission {
protected:
    SonarSuiteScreen& openSuite() {
        startMission("Sa1.scn");
        return openRegisteredStation<SonarSuiteScreen>(kStationSonar, sonarRegisterStation);
    }
    // The sound-speed station, built as the host builds it and left hidden.
    void buildSoundSpeedStation() {
        sspRegisterStation();
        ASSERT_NE(buildRegisteredStation(kStationSoundProfile), nullptr);
        stationRegisterMaker(kStationSoundProfile, nullptr);
    }
    // The button of a page on the page shown (each page carries the row, each button a window).
    static HotSpot& pageButtonTip(SonarSuiteScreen& suite, int page) {
        const SonarWidgetRow& row = kSonarPageButtons[page];
        for (WindowHandle child : windowGetChildren(suite.page(suite.currentPage())->window()))
            if (auto* button = windowObjectAs<BaseWidget>(child);
                button && button->getX() == row.x && button->getY() == row.y && button->hotSpot())
                return *button->hotSpot();
        throw std::runtime_error("no page button with a tip");
    }
    static Point middle(const Rect& r) { return {(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }
    static Point middle(const SonarWidgetRow& row) { return {row.x + row.width / 2, row.y + row.height / 2}; }
    static bool shows(HotSpot* spot) {
        return spot && spot->isToolTipShown() && windowIsVisible(spot->toolTip().window());
    }
    // Rests the pointer at a point of the station until `shown` (at most 2 s, past the pop-up delay).
    bool restUntil(Point at, const std::function<bool()>& shown) {
        moveTo(at);
        for (int i = 0; i < 20 && !shown(); ++i)
            run(100, 100);
        return shown();
    }
    // Rests the pointer on a label of the page shown until its tip shows; the label's hot spot.
    HotSpot* restOnLabel(const Rect& label) {
        EXPECT_TRUE(restUntil(middle(label), [] { return shows(HotSpot::current()); }));
        return HotSpot::current();
    }
};

TEST_F(SonarTips, ATipThatShowsHidesTheOneBeforeIt) {
    SonarSuiteScreen& suite = openSuite();
    ASSERT_EQ(suite.currentPage(), kSonarBroadbandPage);
    HotSpot& intercept = pageButtonTip(suite, kSonarInterceptPage);
    HotSpot& demon = pageButtonTip(suite, kSonarDemonPage);
    ASSERT_TRUE(restUntil(middle(kSonarPageButtons[kSonarInterceptPage]), [&] { return shows(&intercept); }));
    // Over the next button the first tip may stay a while, but not once the next one shows.
    ASSERT_TRUE(restUntil(middle(kSonarPageButtons[kSonarDemonPage]), [&] { return shows(&demon); }));
    EXPECT_FALSE(shows(&intercept)) << "the intercept page's button still shows its tip";
    // A label's tip after a button's.
    HotSpot* label = restOnLabel(kBroadbandHotSpots[1].rect);
    ASSERT_NE(label, nullptr);
    EXPECT_FALSE(shows(&demon)) << "the DEMON page's button still shows its tip";
    keepPicture("label-tip");
}

TEST_F(SonarTips, APageOrAStationOutOfSightTakesItsTipAlong) {
    SonarSuiteScreen& suite = openSuite();
    buildSoundSpeedStation();
    // The broadband page's label tip, then the DEMON page's button pressed: the page goes.
    HotSpot* label = restOnLabel(kBroadbandHotSpots[1].rect);
    clickAt(middle(kSonarPageButtons[kSonarDemonPage]));
    ASSERT_EQ(suite.currentPage(), kSonarDemonPage);
    EXPECT_FALSE(shows(label)) << "the broadband page's tip stands over the DEMON page";
    keepPicture("demon");

    // A label's tip on the DEMON page, then the sound-speed station chosen: the suite goes.
    label = restOnLabel(kDemonHotSpots[1].rect);
    showStation(kStationSoundProfile);
    EXPECT_FALSE(shows(label)) << "the sonar's tip stands over the sound-speed station";
    keepPicture("sound-speed");

    // A tip still waiting when the suite goes never pops up, though the pointer stays put.
    showStation(kStationSonar);
    moveTo(middle(kDemonHotSpots[2].rect));
    run(500, 100);
    HotSpot* waiting = HotSpot::current();
    ASSERT_NE(waiting, nullptr);
    ASSERT_FALSE(shows(waiting));
    showStation(kStationSoundProfile);
    run(2000, 100);
    EXPECT_FALSE(shows(waiting)) << "the sonar's tip popped up over the sound-speed station";
}

TEST_F(SonarTips, APageButtonsTipShowsAgainWhenThePointerOrItsStationComesBack) {
    SonarSuiteScreen& suite = openSuite();
    buildSoundSpeedStation();
    HotSpot& demon = pageButtonTip(suite, kSonarDemonPage);
    const Point button = middle(kSonarPageButtons[kSonarDemonPage]);
    const Point offTheButtons{button.x, button.y + 40};
    ASSERT_EQ(windowFromPoint(windowClientToScreen(suite.window(), offTheButtons)),
              suite.page(suite.currentPage())->window())
        << "the point off the buttons lies on the page";
    for (int visit = 1; visit <= 3; ++visit) {
        EXPECT_TRUE(restUntil(button, [&] { return shows(&demon); })) << "visit " << visit;
        moveTo(offTheButtons);
        EXPECT_FALSE(shows(&demon)) << "the tip stays once the pointer has left, visit " << visit;
    }

    // The pointer rests on the button while the station goes and comes back: its next move
    // there brings the tip.
    ASSERT_TRUE(restUntil(button, [&] { return shows(&demon); }));
    showStation(kStationSoundProfile);
    EXPECT_FALSE(shows(&demon));
    showStation(kStationSonar);
    EXPECT_TRUE(restUntil({button.x + 1, button.y}, [&] { return shows(&demon); }))
        << "the button still counts the pointer in from before the station went";
}

} // namespace
} // namespace q71::test
