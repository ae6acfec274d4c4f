// Ship control's high-frequency sonar display: what it shows, how bright, what a click or the crew
// designates, and its picture, on a running mission of the data set.
#include "tactical/support/station_mission.h"

#include "sim/entities/entity.h"
#include "sim/entities/motion/own_boat_motion.h"
#include "sim/entities/sensors/sensor.h"
#include "sim/entities/types/own_submarine.h"
#include "sim/services/front_end.h"
#include "sim/simulation/world_lists.h"
#include "stations/shipctrl/hf_sonar.h"
#include "stations/shipctrl/ship_control.h"
#include "support/golden_image.h"

#include "platform/window/window_layout.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace q71::test {
namespace {

TEST(HfSonarRules, EchoBoxesBrightnessAndTheReachOfDesignation) {
    struct Box {
        int category;
        bool shown;
        float width, length, height;
    };
    for (const Box& b : {Box{kCategorySub, true, 35, 35, 10.5f}, Box{kCategoryShip, true, 35, 35, 10.5f},
                         Box{kCategoryTorp, true, 25, 25, 7}, Box{kCategoryCm, true, 25, 25, 7},
                         Box{kCategoryFloat, true, 10, 10, 10}, Box{kCategoryRock, true, 10, 10, 10},
                         Box{kCategoryMine, true, 25, 25, 25}, Box{kCategoryDepth, true, 25, 25, 25},
                         Box{kCategoryPlane, false, 0, 0, 0}, Box{kCategoryHelo, false, 0, 0, 0},
                         Box{kCategoryMissile, false, 0, 0, 0}, Box{kCategoryOther, false, 0, 0, 0}}) {
        const std::optional<HfEchoBox> box = hfEchoBox(b.category);
        ASSERT_EQ(box.has_value(), b.shown) << b.category;
        if (box) {
            EXPECT_FLOAT_EQ(box->width, b.width) << b.category;
            EXPECT_FLOAT_EQ(box->length, b.length) << b.category;
            EXPECT_FLOAT_EQ(box->height, b.height) << b.category;
        }
    }
    EXPECT_FLOAT_EQ(hfEchoBrightness(0.0f), 1.0f);
    EXPECT_FLOAT_EQ(hfEchoBrightness(300.0f), 0.75f);
    EXPECT_FLOAT_EQ(hfEchoBrightness(600.0f), 0.5f);

    EXPECT_FALSE(hfDesignationReach(false, false, 3)) << "nobody designates without a click or the crew";
    EXPECT_FLOAT_EQ(*hfDesignationReach(true, false, 0), 450.0f);
    const float crew[] = {300, 350, 400, 450, 500, 600};
    for (int level = 0; level <= 5; ++level) {
        EXPECT_FLOAT_EQ(*hfDesignationReach(false, true, level), crew[level]) << level;
        EXPECT_FLOAT_EQ(*hfDesignationReach(true, true, level), crew[level]) << "the assisting crew's reach";
    }
}

class HfSonarTest : public StationMission {
protected:
    HfSonarTest() {
        startMission("Sa1.scn");
        station = &buildStation<ShipControl>(kStationShipControl, "shipctrl");
        showStation(kStationShipControl);
        own().ownMotion->hfSonarOn = 0;
        for (auto* node = worldList().head(); node; node = node->next)
            if (node->item != &own() && node->item->motion)
                others.push_back(node->item);
        // Everyone far out of reach, the boat at rest heading north.
        OwnShipMotion& m = *own().ownMotion;
        m.heading = 0.0;
        m.pitch = 0.0;
        m.z = -30.0;
        for (std::size_t i = 0; i < others.size(); ++i)
            place(*others[i], 0.0, 20000.0 + 1000.0 * static_cast<double>(i), 0.0);
    }

    OwnShipEntity& own() { return ownBoat(); }
    /// Puts an entity at an offset (metres east, north, up) from the boat.
    void place(Entity& e, double east, double north, double up) {
        const OwnShipMotion& m = *own().ownMotion;
        e.motion->x = m.x + east;
        e.motion->y = m.y + north;
        e.motion->z = up;
    }
    bool designated(const Entity& e) const { return e.designation[kSensorActive] != 0; }
    /// A frame of the station, the world held still.
    void frame() {
        pump();
        station->update();
    }
    bool displayShown() { return windowIsVisible(station->hfSonarDisplay().window()); }

    ShipControl* station = nullptr;
    std::vector<Entity*> others;
};

TEST_F(HfSonarTest, TheSwitchShowsTheDisplayWhichShowsWhatIsWithinReachFarthestFirst) {
    ASSERT_GE(others.size(), 2u) << "the mission needs two other entities";
    Entity& ahead = *others[0];
    Entity& astern = *others[1];
    place(ahead, 0.0, 2000.0, 0.0);
    place(astern, 0.0, -4000.0, 0.0);
    frame();
    EXPECT_FALSE(displayShown());
    EXPECT_TRUE(station->hfSonarDisplay().echoes().empty()) << "a hidden display draws nothing";

    station->onCommand(100, 1);
    EXPECT_EQ(own().ownMotion->hfSonarOn, 1);
    frame();
    EXPECT_TRUE(displayShown());
    const std::vector<HfEcho>& echoes = station->hfSonarDisplay().echoes();
    ASSERT_EQ(echoes.size(), 2u) << "the others lie beyond 6000 m";
    EXPECT_EQ(echoes[0].entity, &astern) << "farthest first";
    EXPECT_EQ(echoes[1].entity, &ahead);
    // 200 scene units and 3 m of transducer height and depth between them.
    EXPECT_NEAR(echoes[1].distance, std::hypot(200.0, 3.06), 0.01);

    station->onCommand(100, 2);
    frame();
    EXPECT_FALSE(displayShown());
    EXPECT_EQ(own().ownMotion->hfSonarOn, 0);
}

TEST_F(HfSonarTest, AClickDesignatesWhatIsAheadWithin4500Metres) {
    ASSERT_GE(others.size(), 2u);
    Entity& near = *others[0];
    Entity& astern = *others[1];
    place(near, 1000.0, 2000.0, 0.0);
    place(astern, 0.0, -2000.0, 0.0);
    station->onCommand(100, 1);
    frame();
    EXPECT_FALSE(designated(near)) << "nothing without a click";

    clickAt({RWhfsonar::kX + 100, RWhfsonar::kY + 30});
    frame();
    EXPECT_EQ(station->hfSonarDisplay().lastClick(), (Point{100, 30}));
    EXPECT_TRUE(designated(near));
    EXPECT_FALSE(designated(astern)) << "more than 90 degrees off the heading";
    const Sensor* sonar = own().ownShipSensorByType(kSensorActive);
    ASSERT_NE(sonar, nullptr);
    EXPECT_DOUBLE_EQ(sonar->x, own().ownMotion->x) << "the fix is taken from the boat";

    // Beyond 450 units the click does not reach, though the display still shows it.
    Entity& far = astern;
    place(far, 0.0, 5000.0, 0.0);
    clickAt({RWhfsonar::kX + 100, RWhfsonar::kY + 30});
    frame();
    EXPECT_EQ(station->hfSonarDisplay().echoes().size(), 2u);
    EXPECT_FALSE(designated(far));
}

TEST_F(HfSonarTest, TheAssistingCrewDesignatesWithoutAClickToItsReach) {
    ASSERT_GE(others.size(), 1u);
    Entity& far = *others[0];
    options.options[kOptionAssistStation0] = 1; // automatic: level 5, 6000 m
    place(far, 0.0, 5500.0, 0.0);
    frame();
    EXPECT_FALSE(designated(far)) << "the display is off";
    station->onCommand(100, 1);
    frame();
    EXPECT_TRUE(designated(far));
}

TEST_F(HfSonarTest, ThePictureOfAShipAheadAndAFarOneAbeam) {
    ASSERT_GE(others.size(), 2u);
    place(*others[0], -300.0, 2500.0, 0.0);
    place(*others[1], 3500.0, 3500.0, 0.0);
    station->onCommand(100, 1);
    frame();
    frame();
    const BitmapRef picture = screenArea({RWhfsonar::kX, RWhfsonar::kY}, RWhfsonar::kWidth, RWhfsonar::kHeight);
    EXPECT_TRUE(matchesGoldenIn("tests/stations/shipctrl/golden", *picture, "hf-sonar"));
    keepPicture("hf-sonar");
}

} // namespace
} // namespace q71::test
