// The world through the periscope optic as the panel builds it, on missions of the data set: the
// shores and shallows of the mission's own terrain, the round window that clips the picture and
// the clicks, the sea by day, dusk and night, no wakes, and ships of the size their range gives.
#include "tactical/periscope/periscope_mission.h"

#include "render3d/camera.h"
#include "sim/world/terrain_world.h"
#include "support/camera_pixels.h"
#include "tactical/rwutils/surface_patch.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

namespace q71::test {
namespace {

constexpr int kSide = 300; // the optic's picture

struct Rgb {
    double r, g, b;
};

Rgb rgbOf(std::uint16_t p) {
    return {((p >> 11) & 0x1F) / 31.0, ((p >> 5) & 0x3F) / 63.0, (p & 0x1F) / 31.0};
}

double luminance(const Rgb& c) {
    return 0.30 * c.r + 0.59 * c.g + 0.11 * c.b;
}

// Triangles of the low-ground patch by kind.
struct PatchCount {
    int land = 0, coast = 0, sea = 0;
};

PatchCount countOf(LandSurface& patch) {
    PatchCount n;
    const r3d::Material* coast = &patch.material(PatchKind::Coast);
    const r3d::Material* sea = &patch.material(PatchKind::Sea);
    r3d::forAllPolygons(*patch.clump(), [&](r3d::Polygon& p) {
        if (p.material.get() == coast)
            ++n.coast;
        else if (p.material.get() == sea)
            ++n.sea;
        else
            ++n.land;
    });
    return n;
}

double terrainAt(double x, double y) {
    double h = 0.0;
    EXPECT_TRUE(worldDepthAt(x, y, &h, false)) << x << ", " << y;
    return h;
}

class PeriscopeWorld : public PeriscopeMission {
protected:
    Scope& optic() { return panel().optic(); }
    LandSurface& lowGround() {
        LandSurface* patch = optic().lowGroundPatch();
        if (!patch)
            throw std::logic_error("the optic has no low-ground patch");
        return *patch;
    }
    // The patch as the optic's frame puts it under a head at world (x, y), 5 m up.
    void patchAt(double x, double y) {
        lowGround().update(static_cast<float>(x * 0.1), 0.5f, static_cast<float>(-y * 0.1));
    }
    // The sea well below the horizon (the optic level; clear of the reticle): its mean colour
    // and the luminance of each pixel, brightest last.
    struct Sea {
        Rgb mean{0, 0, 0};
        std::vector<double> levels;
    };
    Sea sea() {
        const std::vector<std::uint16_t> picture = cameraPixels(*optic().camera());
        Sea s;
        for (int y = 200; y < 280; ++y)
            for (int x = 30; x < 140; ++x) {
                const Rgb c = rgbOf(picture[static_cast<std::size_t>(y * kSide + x)]);
                s.mean = {s.mean.r + c.r, s.mean.g + c.g, s.mean.b + c.b};
                s.levels.push_back(luminance(c));
            }
        const auto n = static_cast<double>(s.levels.size());
        s.mean = {s.mean.r / n, s.mean.g / n, s.mean.b / n};
        std::sort(s.levels.begin(), s.levels.end());
        return s;
    }
    void lookAtDayPhase(int phase) {
        optic().setDayPhaseOverride(phase);
        optic().setAngles(0.0f, 0.0f);
        panel().update();
    }
};

TEST_F(PeriscopeWorld, OpenSeaShowsNoShore) {
    // The basin of Sa1: every position 12 km apart over 360 km around the start where the sea is
    // deeper than 200 m.
    open(-9.14, 3, "Sa1.scn");
    const double x0 = motion().x, y0 = motion().y;
    int open = 0;
    for (int i = -15; i < 15; ++i)
        for (int j = -15; j < 15; ++j) {
            const double x = x0 + i * 12000.0, y = y0 + j * 12000.0;
            if (terrainAt(x, y) > -200.0)
                continue;
            patchAt(x, y);
            const PatchCount n = countOf(lowGround());
            ASSERT_EQ(n.coast, 0) << "at " << x << ", " << y;
            ASSERT_EQ(n.land, 0) << "at " << x << ", " << y;
            ++open;
        }
    EXPECT_GT(open, 800) << "the basin is open sea";
}

TEST_F(PeriscopeWorld, TheMissionsOwnCoastShowsWhereItsTerrainRises) {
    // The landing bay of Sa4: from the start, north to the first dry ground, then 3 km back.
    open(-9.14, 3, "Sa4.scn");
    const double x = motion().x;
    double shore = motion().y;
    while (terrainAt(x, shore) < 0.0 && shore < 537600.0)
        shore += 250.0;
    ASSERT_LT(shore, 537600.0) << "the bay has a shore north of the start";
    const double y = shore - 3000.0;
    ASSERT_LT(terrainAt(x, y), 0.0);
    patchAt(x, y);
    const PatchCount n = countOf(lowGround());
    EXPECT_GT(n.coast, 0);
    EXPECT_GT(n.land, 0) << "the shore rises to dry land within 6 km";
    // Each coast triangle stands on the terrain: a vertex is on the waterline or at the ground's
    // height there, above the water.
    const r3d::Material* coast = &lowGround().material(PatchKind::Coast);
    const r3d::Clump& clump = *lowGround().clump();
    int checked = 0;
    r3d::forAllPolygons(*lowGround().clump(), [&](r3d::Polygon& p) {
        if (p.material.get() != coast)
            return;
        for (int index : {p.a, p.b, p.c}) {
            const r3d::Vec3 v = clump.vertices[static_cast<std::size_t>(index)].position;
            if (v.y == 0.0f)
                continue;
            EXPECT_GT(v.y, 0.0f);
            EXPECT_NEAR(v.y * 10.0, terrainAt(v.x * 10.0, -v.z * 10.0), 0.05);
            ++checked;
        }
    });
    EXPECT_GT(checked, 0);

    // The boat there, the optic raised and trained on the shore.
    motion().x = x;
    motion().y = y;
    raiseAndWait();
    optic().setDayPhaseOverride(kDayPhaseDay);
    trainTo(0.0);
    panel().update();
    keepPicture("coast");
    press(control(kPeriscopeZoomIn));
    trainTo(0.0);
    panel().update();
    keepPicture("coast-6x");
}

TEST_F(PeriscopeWorld, TheRoundWindowClipsThePictureAndTheClicks) {
    open();
    raiseAndWait();
    const Rect& o = kPeriscopeOptic;
    const Point corner{o.left + 6, o.top + 6}, inside{o.left + 150, o.top + 230};
    const BitmapRef shown = stationPicture();
    keepPicture("round");
    ASSERT_TRUE(optic().shown());
    press(control(kPeriscopeRaiseLower));
    run(5000, 50);
    ASSERT_FALSE(optic().shown());
    const BitmapRef hidden = stationPicture();
    EXPECT_EQ(shown->surface().read(corner.x, corner.y), hidden->surface().read(corner.x, corner.y))
        << "the bezel's corner";
    EXPECT_EQ(shown->surface().read(o.right - 6, o.bottom - 6),
              hidden->surface().read(o.right - 6, o.bottom - 6));
    EXPECT_NE(shown->surface().read(inside.x, inside.y), hidden->surface().read(inside.x, inside.y))
        << "the picture";

    raiseAndWait();
    const float bearing = optic().bearing();
    rightButton(corner, true);
    moveTo({corner.x + 20, corner.y});
    rightButton({corner.x + 20, corner.y}, false);
    EXPECT_FLOAT_EQ(optic().bearing(), bearing) << "a drag from the bezel does not train";
    rightButton(inside, true);
    moveTo({inside.x + 20, inside.y});
    rightButton({inside.x + 20, inside.y}, false);
    EXPECT_NEAR(optic().bearing(), bearing + 20.0 * kRad, 1e-4);
}

TEST_F(PeriscopeWorld, TheSeaByDayIsALitBlueGreenDarkerAtDuskAndNight) {
    open(-9.14, 4);
    raiseAndWait();
    lookAtDayPhase(kDayPhaseDay);
    const Sea day = sea();
    keepPicture("sea-day");
    const Rgb& c = day.mean;
    EXPECT_GE(luminance(c), 0.12) << c.r << " " << c.g << " " << c.b;
    EXPECT_GT(c.g, c.r * 1.5) << "blue-green";
    EXPECT_GT(c.b, c.r * 1.5) << "blue-green";
    // Whitecaps: the brightest sea stands well above the mean.
    EXPECT_GT(day.levels[day.levels.size() * 99 / 100], luminance(c) * 1.4);

    lookAtDayPhase(kDayPhaseDusk);
    const Sea dusk = sea();
    keepPicture("sea-dusk");
    lookAtDayPhase(kDayPhaseNight);
    const Sea night = sea();
    keepPicture("sea-night");
    EXPECT_LT(luminance(dusk.mean), luminance(c) * 0.8);
    EXPECT_LT(luminance(night.mean), luminance(dusk.mean) * 0.8);
}

TEST_F(PeriscopeWorld, TheOpticShowsNoWakes) {
    // The scene entities made once the ships are under way, with the detail a program starts
    // with (as before any view took them): those of ships have their wakes.
    startShallow();
    effectsEnd();
    run(20000, 100);
    effectsSetView(nullptr, true);
    effectsBegin();
    ASSERT_TRUE(
        std::any_of(sceneEntities().begin(), sceneEntities().end(), [](const auto& r) { return r->wake; }));
    suite_ = &openSuite();
    raiseAndWait();
    for (const auto& record : sceneEntities()) {
        ASSERT_GE(record->handle, 0) << record->name << " is in the optic's view";
        EXPECT_EQ(r3d::findByTag(*record->clump, 501), nullptr) << record->name;
        EXPECT_EQ(r3d::findByTag(*record->clump, 503), nullptr) << record->name;
    }
}

// A ship beam on, dead ahead at a range, seen at a magnification from the head at periscope
// depth over a flat sea: it spans the columns its length gives; it stands on the row of the sea's
// edge (its waterline, or beyond the sea element's rim the line from the head over the rim) less
// the optic's hull-down drop; it rises at least half way to its masthead (a thin mast may cover
// no pixel) and never above it; and it stands out of the sea and the sky.
TEST_F(PeriscopeWorld, AShipCoversThePixelsItsSizeAndRangeGive) {
    open(-9.14, 0);
    raiseAndWait();
    Entity* ship = tallShip();
    ASSERT_NE(ship, nullptr);
    const ObjectRecord& record = *objdbFindById(ship->recordId);
    const double length = record.length * 0.3048 * 0.1,
                 mast = record.mastHeight * 0.9144 * 0.1; // scene units
    optic().setDayPhaseOverride(kDayPhaseDay);
    const double rim = 0.4 * std::pow(2.1, 9); // the sea element's edge
    // The sea texture steps a frame every sixth view frame: a whole loop of it between two
    // pictures shows the same water in both.
    const int seaLoop = 6 * rwSeaTexture()->frameCount();
    int seen = 0;
    for (int index : {0, 1}) {
        while (panel().magnificationIndex() != index)
            press(control(index > panel().magnificationIndex() ? kPeriscopeZoomIn : kPeriscopeZoomOut));
        const double field = 48.0 / (index == 0 ? 1.5 : 6.0);
        for (double km : {2.0, 5.0, 10.0}) {
            SCOPED_TRACE(testing::Message()
                         << record.keyName.view() << ", " << field << " degrees, " << km << " km");
            putAhead(*ship, km * 1000.0 / 0.9144);
            const std::vector<std::uint16_t> with = cameraPixels(*optic().camera());
            keepPicture("ship-" + std::to_string(static_cast<int>(km)) + "km-" +
                        (index == 0 ? "1.5x" : "6x"));
            const double head = optic().cameraScenePosition().y; // the raised head above the sea
            for (int i = 1; i < seaLoop; ++i)
                rwUpdateSeaTexture();
            putAhead(*ship, 100000.0);
            const std::vector<std::uint16_t> without = cameraPixels(*optic().camera());
            int top = kSide, bottom = -1, left = kSide, right = -1, covered = 0;
            double contrast = 0.0;
            for (int y = 0; y < kSide; ++y)
                for (int x = 0; x < kSide; ++x) {
                    const auto at = static_cast<std::size_t>(y * kSide + x);
                    if (with[at] != without[at]) {
                        contrast += std::fabs(luminance(rgbOf(with[at])) - luminance(rgbOf(without[at])));
                        ++covered;
                        top = std::min(top, y);
                        bottom = std::max(bottom, y);
                        left = std::min(left, x);
                        right = std::max(right, x);
                    }
                }
            // Pixels per scene unit at the ship: the view window is 2 tan(field / 2) wide at a
            // unit's distance and spans half the picture; the level line of sight is its middle.
            const double d = km * 100.0 - 2.35;
            const double scale = kSide / 2.0 / (2.0 * std::tan(field / 2.0 * kRad) * d);
            auto rowOf = [&](double height) { return kSide / 2.0 - (height - head) * scale; };
            // The drop: beyond the horizon's distance by the curve, beyond 317 units by the height.
            const double horizon = std::sqrt(head * 32.397408) * 1.14 * 185.2;
            double drop = std::max(0.0, (d - 317.0) * head * 0.005678233);
            if (d > horizon)
                drop += std::pow((d - horizon) * 0.004736463, 2) * 0.030866666;
            const double lowest = d < rim ? -drop : head * (1.0 - d / rim);
            const double masthead = mast - drop;
            const double rows = (masthead - lowest) * scale;
            if (rows <= 0.0) {
                EXPECT_LT(bottom, 0) << "sunk below the sea's edge";
                continue;
            }
            if (rows < 2.0) {
                EXPECT_LE(bottom - top + 1, 2);
                continue;
            }
            ASSERT_GE(bottom, 0) << "the ship shows";
            ++seen;
            // The last row whose middle lies above the sea's edge, unless the reticle's line
            // covers it.
            int edge = static_cast<int>(std::floor(rowOf(lowest) - 0.5));
            if (edge == kSide / 2)
                --edge;
            EXPECT_NEAR(bottom, edge, 1.0);
            EXPECT_GE(top, rowOf(masthead) - 1.5);
            EXPECT_LE(top, rowOf((masthead + lowest) / 2.0) + 1.5);
            EXPECT_NEAR(right - left + 1, length * scale, std::max(1.5, length * scale * 0.1));
            EXPECT_GT(contrast / covered, 0.1) << "a ship that stands out";
        }
    }
    EXPECT_GE(seen, 4) << "seen at 2 and 5 km at both magnifications";
}

} // namespace
} // namespace q71::test
