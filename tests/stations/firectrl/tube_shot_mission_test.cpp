// Shots from the tubes on the torpedo tutorial, fired as fire control fires them and run by the
// world: the seeker arms where the tube's enable setting puts it, an exercise torpedo that turns
// away from its target keeps within its top speed while it circles, and the fire-control chart
// shows the torpedo's seeker cone only where it is now.
#include "fire_mission.h"

#include "platform/gdi/colour.h"
#include "sim/entities/controllers/weapon_guidance.h"
#include "sim/entities/entity.h"
#include "sim/entities/motion/motion_model.h"
#include "sim/simulation/geometry.h"
#include "sim/world/object_database.h"
#include "sim/world/terrain_world.h"
#include "stations/firectrl/fire_layout.h"
#include "stations/firectrl/torpedo_tube.h"
#include "tactical/charts/chart_view.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

namespace q71::test {
namespace {

constexpr std::uint64_t kPassMs = 100;

class TubeShotMission : public FireMission {
protected:
    static TorpedoTube& loaded(std::size_t slot, std::int32_t weaponType) {
        auto& tube = static_cast<TorpedoTube&>(*launcherTables()->tubes[slot]);
        tube.setWeaponType(weaponType);
        tube.target = -1; // on its gyro course
        return tube;
    }
    static GuidanceController& guidanceOf(const Entity& weapon) {
        return static_cast<GuidanceController&>(*weapon.controller);
    }
    // The entity of the mission built from a record of the data set.
    static const Entity* unitOf(std::string_view key) {
        for (auto* node = worldList().head(); node; node = node->next) {
            const ObjectRecord* record = objdbFindById(node->item->recordId);
            if (record && record->keyName.view() == key)
                return node->item;
        }
        return nullptr;
    }
    // The weapon's run from its launch point (metres) when its seeker arms: the world runs until
    // then; -1 when the weapon is gone or a game minute passes first.
    double runWhenArmed(std::int32_t weaponId) {
        for (double waited = 0.0; waited < 60.0; waited += kPassMs / 1000.0) {
            run(kPassMs, kPassMs);
            const Entity* weapon = worldFindEntity(weaponId);
            if (!weapon)
                return -1.0;
            const GuidanceController& guidance = guidanceOf(*weapon);
            if (guidance.enableRange == 0.0)
                return geoRange(weapon->motion->x - guidance.launchX, weapon->motion->y - guidance.launchY);
        }
        return -1.0;
    }
    // Metres a weapon runs at its top speed in a second and a pass: its seeker is armed by the
    // guidance of the per-second pass, which comes up to that much after the enable point.
    static double armingSlack(const Entity& weapon) {
        return weapon.motion->maxSpeed * kSpeedUnitMetresPerSecond * (1.0 + kPassMs / 1000.0);
    }
};

TEST_F(TubeShotMission, TheSeekerArmsWhereTheTubesEnableSettingPutsIt) {
    startMissionAtDepth("Ta3.scn", -9.0, 5.0); // shallow and slow enough for a missile to leave

    TorpedoTube& torpedoTube = loaded(2, kWeaponAdcap);
    torpedoTube.gyroCourse = 10;
    torpedoTube.adcapEnableRange = 1000; // yards
    torpedoTube.fire();
    const Entity* torpedo = torpedoTube.launchedEntity();
    ASSERT_NE(torpedo, nullptr);
    const double torpedoSlack = armingSlack(*torpedo);
    const double torpedoRun = runWhenArmed(torpedo->id);
    EXPECT_GE(torpedoRun, 1000 * kYardsToMetres);
    EXPECT_LE(torpedoRun, 1000 * kYardsToMetres + torpedoSlack);

    TorpedoTube& missileTube = loaded(0, kWeaponHarpoon);
    missileTube.gyroCourse = 10;
    missileTube.harpoonRange1 = 10;
    missileTube.harpoonRange2 = 2; // units of 2000 yards
    missileTube.fire();
    const Entity* missile = missileTube.launchedHarpoon();
    ASSERT_NE(missile, nullptr) << "the missile left its tube";
    const double missileSlack = armingSlack(*missile);
    const double missileRun = runWhenArmed(missile->id);
    EXPECT_GE(missileRun, 4000 * kYardsToMetres);
    EXPECT_LE(missileRun, 4000 * kYardsToMetres + missileSlack);
}

TEST_F(TubeShotMission, AnExerciseTorpedoCirclingItsTargetAfterTurningAwayKeepsWithinItsTopSpeed) {
    startMission("Ta3.scn");
    const Entity* cargo = unitOf("Merchant");
    ASSERT_NE(cargo, nullptr);
    TorpedoTube& tube = loaded(2, kWeaponAdcap);
    tube.gyroCourse = static_cast<std::int32_t>(std::lround(entityBearing(ownBoat(), *cargo))) % 360;
    tube.fire();
    const Entity* torpedo = tube.launchedEntity();
    ASSERT_NE(torpedo, nullptr);
    const std::int32_t id = torpedo->id;
    const ObjectRecord* record = objdbFindById(torpedo->recordId);
    ASSERT_NE(record, nullptr);
    const double topSpeed = record->maxSpeed;

    // It runs to the cargo, turns away, circles it for its last 30 s and sinks.
    double fastest = 0.0;
    for (double t = 0.0; t < 1800.0 && worldFindEntity(id) && !worldFindEntity(id)->motion->sinking;
         t += kPassMs / 1000.0) {
        run(kPassMs, kPassMs);
        if (const Entity* running = worldFindEntity(id))
            fastest = std::max(fastest, running->motion->speed);
    }
    EXPECT_EQ(timesSaid("SSturn.wav"), 1) << "the torpedo turned away from its target";
    EXPECT_LE(fastest, topSpeed);
    EXPECT_GT(fastest, 0.9 * topSpeed) << "it ran at speed";
}

// The fire-control chart as the station paints it, on the torpedo tutorial: a torpedo run from
// a tube on its gyro course, the chart closed in and no longer locked on the own boat.
class ConeOnChartMission : public TubeShotMission {
protected:
    static Point centreOf(const NavControlRow& row) {
        return {row.x + row.width / 2, row.y + row.height / 2};
    }
    // The player presses one of the chart's pan and scale buttons.
    void press(int command) {
        for (const NavControlRow& row : kFireViewButtons)
            if (row.id == command) {
                clickAt(centreOf(row));
                run(500); // the view's steps
                return;
            }
        ADD_FAILURE() << "no button " << command;
    }
    // Where the chart shows a world point, in the station's pixels.
    Point onChart(double worldX, double worldY) {
        double column = 0, row = 0;
        EXPECT_TRUE(worldToGrid(worldX, worldY, &column, &row));
        const Point at = chart().getTransform().toPixel(column, row);
        return {kFireChartGlass.left + at.x, kFireChartGlass.top + at.y};
    }
    // Pixels the chart's 1000 m span: the seeker cone's lines are that long.
    double pixelsPerThousandMetres() {
        const WorldPoint at = worldPoint(own());
        const Point from = onChart(at.x, at.y);
        const Point to = onChart(at.x, at.y + 1000.0);
        return std::hypot(to.x - from.x, to.y - from.y);
    }
    // The pixels of the chart's glass in one pure colour of the chart (the screen keeps 5 or 6
    // bits of each channel): red, an armed seeker's cone; green, a launcher's number.
    std::vector<Point> pixelsOf(const Bitmap& picture, bool red) {
        const PixelSurface surface = picture.surface();
        std::vector<Point> found;
        for (int y = kFireChartGlass.top; y < kFireChartGlass.bottom; ++y)
            for (int x = kFireChartGlass.left; x < kFireChartGlass.right; ++x) {
                const ColorRef c = surface.decode(surface.read(x, y));
                const int lit = red ? colorRed(c) : colorGreen(c);
                const int others =
                    red ? std::max(colorGreen(c), colorBlue(c)) : std::max(colorRed(c), colorBlue(c));
                if (lit >= 240 && others < 16)
                    found.push_back({x, y});
            }
        return found;
    }
    static std::vector<Point> fartherThan(const std::vector<Point>& pixels, Point from, double reach) {
        std::vector<Point> far;
        for (const Point& p : pixels)
            if (std::hypot(p.x - from.x, p.y - from.y) > reach)
                far.push_back(p);
        return far;
    }
};

TEST_F(ConeOnChartMission, TheChartShowsTheSeekerConeOnlyWhereTheTorpedoIsNow) {
    startMission("Ta3.scn");
    build();
    showStation(kStationFireControl);
    run(500); // a tick of the plot centres the chart on the own boat
    // The player closes in on the own boat until the cone's sides stand well out of the
    // torpedo's symbol, and frees the chart from the boat.
    for (int i = 0; i < 20 && pixelsPerThousandMetres() < 50.0; ++i)
        press(kFireCmdScaleUp);
    const double cone = pixelsPerThousandMetres();
    ASSERT_GE(cone, 50.0);
    clickAt(centreOf(kFireLockButton));
    run(300); // the button's frames play through before it tells the page
    ASSERT_FALSE(chart().ownShipLocked());

    const Entity* cargo = unitOf("Merchant");
    ASSERT_NE(cargo, nullptr);
    TorpedoTube& tube = loaded(2, kWeaponAdcap);
    tube.gyroCourse = static_cast<std::int32_t>(std::lround(entityBearing(ownBoat(), *cargo))) % 360;
    tube.adcapEnableRange = 1000; // yards
    tube.fire();
    const Entity* torpedo = tube.launchedEntity();
    ASSERT_NE(torpedo, nullptr);
    const std::int32_t id = torpedo->id;
    ASSERT_GT(runWhenArmed(id), 0.0);
    // Armed, the player pans ahead of the torpedo: the whole chart is drawn anew.
    press(kFireCmdPanUp);
    press(kFireCmdPanUp);
    const auto torpedoOnChart = [&] {
        const FireContact* item = plot().find(FirePlotKind::entity, id);
        EXPECT_NE(item, nullptr);
        double x = 0, y = 0;
        if (item)
            item->worldPosition(&x, &y);
        return onChart(x, y);
    };
    // The cone's lines run a cone's length from the torpedo's point: its red lies within that
    // (and a pixel or two for the pen and the rounding) and reaches out to it.
    const double reach = cone + 2.0;
    const auto expectTheConeOfTheMoment = [&](const std::vector<Point>& red, const char* when) {
        const Point at = torpedoOnChart();
        EXPECT_TRUE(kFireChartGlass.contains(at)) << when << ": the torpedo is on the chart";
        const std::vector<Point> stray = fartherThan(red, at, reach);
        EXPECT_TRUE(stray.empty()) << when << ": " << stray.size()
                                   << " red pixels out of the cone's reach, at" << listedPixels(stray);
        EXPECT_FALSE(fartherThan(red, at, cone - 3.0).empty())
            << when << ": the cone is drawn its whole length";
    };
    const std::vector<Point> firstCone = pixelsOf(*stationPicture(), true);
    expectTheConeOfTheMoment(firstCone, "armed");
    const WorldPoint start = worldPoint(*torpedo);

    // A cone's length and a fifth on, the chart shows the cone of the moment and nothing of the
    // one it drew before; the launcher's number stands by the torpedo only.
    for (int i = 0; i < 1200 && worldFindEntity(id); ++i) {
        const WorldPoint now = worldPoint(*worldFindEntity(id));
        if (geoRange(now.x - start.x, now.y - start.y) > 1200.0)
            break;
        run(kPassMs, kPassMs);
    }
    run(500);
    ASSERT_NE(worldFindEntity(id), nullptr);
    ASSERT_TRUE(fireGuidedByWire(*worldFindEntity(id)));
    const BitmapRef picture = stationPicture();
    const std::vector<Point> red = pixelsOf(*picture, true);
    expectTheConeOfTheMoment(red, "moved on");
    std::vector<Point> left;
    for (const Point& p : firstCone)
        if (std::find(red.begin(), red.end(), p) != red.end())
            left.push_back(p);
    EXPECT_TRUE(left.empty()) << left.size() << " pixels of the first cone are still red, at" << listedPixels(left);
    // "%d", 3 pixels right of and below the point, in the chart's small face.
    const std::vector<Point> green = fartherThan(pixelsOf(*picture, false), torpedoOnChart(), 30.0);
    EXPECT_TRUE(green.empty()) << green.size() << " green pixels away from the torpedo, at" << listedPixels(green);

    // The wire is gone: so is the cone.
    static_cast<GuidanceController&>(*worldFindEntity(id)->controller).wireConnected = 0;
    run(1000);
    const std::vector<Point> afterWire = pixelsOf(*stationPicture(), true);
    EXPECT_TRUE(afterWire.empty()) << afterWire.size() << " red pixels with the wire cut, at"
                                   << listedPixels(afterWire);
    hideStation();
}

} // namespace
} // namespace q71::test
