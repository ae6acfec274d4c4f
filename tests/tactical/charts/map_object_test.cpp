// Map objects and route points: positions typed as latitude and longitude, the pixel in a view,
// and routes whose legs follow their points.

#include "chart_fixture.h"

#include "sim/support/terrain_grid.h"
#include "sim/world/dem_grid.h"
#include "sim/world/terrain_world.h"
#include "tactical/charts/chart_view.h"
#include "tactical/charts/map_object.h"
#include "tactical/charts/map_waypoint.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <memory>

namespace q71::test {
namespace {

TEST(MapParseAngle, ReadsTheFormsAPlayerTypesAndRefusesTheRest) {
    struct Case {
        const char* text;
        bool latitude;
        bool ok;
        double degrees;
    };
    const std::array<Case, 14> cases{{
        {"49-05.250 N", true, true, 49.0875},
        {"49 05.250 S", true, true, -49.0875},
        {"172-00.000 O", false, true, -172.0},
        {"172 30 W", false, true, -172.5},
        {"12\xB0" "30'E", false, true, 12.5},
        {"-12.5", false, true, -12.5},
        {"  7.25", true, true, 7.25},
        {"91 N", true, false, 0},
        {"49-60.0 N", true, false, 0},
        {"49 E", true, false, 0},
        {"-49 S", true, false, 0},
        {"49 N 3", true, false, 0},
        {"nord", true, false, 0},
        {"", true, false, 0},
    }};
    for (const Case& c : cases) {
        double degrees = 0.0;
        EXPECT_EQ(mapParseAngle(c.text, c.latitude, degrees), c.ok) << c.text;
        if (c.ok) {
            EXPECT_NEAR(degrees, c.degrees, 1e-12) << c.text;
        }
    }
}

class MapObjectTest : public ChartFixture {
protected:
    // 101 x 101 samples a kilometre apart around (0, 0): world (c km, r km) is column c, row 100 - r.
    TerrainGrid terrain{101, 101, 1000.0, [](int, int) -> std::int16_t { return -300; }};
};

TEST_F(MapObjectTest, APositionWrittenAndTypedBackLandsWhereItWas) {
    MapObject placed(61234.0, 38765.0, nullptr, nullptr);
    std::string latitude, longitude;
    ASSERT_TRUE(placed.formatLatLong(latitude, longitude));
    // The grid lies on the equator east and west of the meridian: its south-east quarter.
    EXPECT_EQ(latitude.back(), 'S');
    EXPECT_EQ(longitude.back(), 'E');
    MapObject typed(10000.0, 10000.0, nullptr, nullptr);
    ASSERT_TRUE(typed.setLatLong(latitude, longitude));
    double x = 0, y = 0;
    ASSERT_TRUE(typed.worldPosition(&x, &y));
    // A thousandth of a minute is under two metres.
    EXPECT_NEAR(x, 61234.0, 2.0);
    EXPECT_NEAR(y, 38765.0, 2.0);

    // Off the grid or unreadable: nothing moves.
    EXPECT_FALSE(typed.setLatLong("10-00.000 N", longitude));
    EXPECT_FALSE(typed.setLatLong(latitude, "est"));
    double after = 0;
    typed.worldPosition(&after, nullptr);
    EXPECT_EQ(after, x);
}

TEST_F(MapObjectTest, TheViewPositionIsThePixelOfTheGridPoint) {
    ChartView view(mainWindow, 0, 0, 200, 200, worldGrid());
    MapObject object(30000.0, 70000.0, nullptr, &view);
    Point pixel;
    ASSERT_TRUE(object.viewPosition(view, pixel));
    EXPECT_EQ(pixel, view.getTransform().toPixel(30.0, 30.0));
    ChartView empty(mainWindow, 0, 0, 50, 50, nullptr);
    EXPECT_FALSE(object.viewPosition(empty, pixel));
}

TEST_F(MapObjectTest, ARouteKeepsItsChainAndItsLegsWhenPointsComeGoAndMove) {
    MapObject owner(10000.0, 10000.0, nullptr, nullptr);
    auto* first = new MapWaypoint(13000.0, 14000.0, nullptr, &owner);
    auto* third = new MapWaypoint(13000.0, 30000.0, first, &owner);
    auto* second = new MapWaypoint(20000.0, 20000.0, first, &owner); // put between them
    EXPECT_EQ(first->next(), second);
    EXPECT_EQ(second->next(), third);
    EXPECT_EQ(third->previous(), second);
    EXPECT_DOUBLE_EQ(first->legDistance(), 5000.0) << "the first leg starts at the owner";
    EXPECT_DOUBLE_EQ(third->legDistance(), std::hypot(7000.0, 10000.0));

    // Moving a point carries the box of the leg after it: the third's leg now starts further east.
    second->moveTo(40000.0, 30000.0, nullptr);
    EXPECT_NEAR(third->record().upperX, 27.0, 1e-9);
    EXPECT_DOUBLE_EQ(third->legDistance(), 27000.0);

    second->depth = -60;
    second->speed = 12;
    const MapWaypointRecord saved = second->save();
    EXPECT_DOUBLE_EQ(saved.x, 40000.0);
    EXPECT_DOUBLE_EQ(saved.y, 30000.0);
    EXPECT_EQ(saved.depth, -60);
    EXPECT_EQ(saved.speed, 12);

    delete second;
    EXPECT_EQ(first->next(), third);
    EXPECT_EQ(third->previous(), first);
    EXPECT_DOUBLE_EQ(third->legDistance(), 16000.0);
    delete third;
    delete first;
}

TEST_F(MapObjectTest, APointIsHitOnItsMarkOnly) {
    ChartView view(mainWindow, 0, 0, 200, 200, worldGrid());
    MapObject owner(50000.0, 50000.0, nullptr, &view);
    MapWaypoint point(60000.0, 50000.0, nullptr, &owner);
    ASSERT_EQ(point.views().size(), 1u) << "a point shows where its owner shows";
    Point at;
    ASSERT_TRUE(point.viewPosition(view, at));
    EXPECT_TRUE(point.hitTest(view, at));
    EXPECT_TRUE(point.hitTest(view, Point{at.x + 2, at.y - 2}));
    EXPECT_FALSE(point.hitTest(view, Point{at.x + 12, at.y}));
    point.visible = false;
    EXPECT_FALSE(point.hitTest(view, at));
}

} // namespace
} // namespace q71::test
