// Every label of the fire-control pages stays in its place, as a player sees the pages: the loads
// named in the launchers' selector windows and on the load-out's lamps clear of the windows'
// edges and of the fire buttons' covers, and the green labels of the display's launcher views on
// the glass, clear of one another, of the editors they name and of the button they stand on, and
// "Return" on its button's face, clear of the lamp stripe and the bevel.
#include "fire_panels_fixture.h"

#include "framework/widgets/covered_button.h"
#include "framework/widgets/edit_box.h"
#include "framework/widgets/simple_button.h"
#include "framework/widgets/spin_edit.h"
#include "framework/widgets/state_button.h"
#include "framework/widgets/static_text.h"
#include "framework/widgets/weapon_selector.h"
#include "platform/gdi/pixel_surface.h"
#include "platform/gdi/text_overflow.h"
#include "sim/entities/controllers/weapon_guidance.h"
#include "sim/entities/entity.h"
#include "sim/entities/motion/motion_model.h"
#include "sim/simulation/geometry.h"
#include "sim/simulation/world_lists.h"
#include "stations/firectrl/fire_chart.h"
#include "stations/firectrl/fire_display.h"
#include "stations/firectrl/fire_layout.h"
#include "stations/firectrl/launch_waypoint_mark.h"
#include "stations/firectrl/load_out_screen.h"
#include "stations/firectrl/tube_select_panel.h"
#include "stations/firectrl/tube_weapon_selector.h"
#include "stations/firectrl/weapon_console.h"
#include "stations/firectrl/weapon_console_layout.h"
#include "stations/firectrl/wire_panel.h"
#include "support/text_on_art.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace q71::test {
namespace {

Rect rectOf(const BaseWidget& widget) {
    return {widget.getX(), widget.getY(), widget.getX() + widget.getWidth(), widget.getY() + widget.getHeight()};
}

std::string describe(const Rect& r) {
    return "(" + std::to_string(r.left) + ", " + std::to_string(r.top) + ")-(" + std::to_string(r.right) + ", " +
           std::to_string(r.bottom) + ")";
}

bool inside(const Rect& inner, const Rect& outer) {
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

// The first and last columns of a window's face (its 1-pixel bevel left out) that hold ink: in
// each row, a pixel of another colour than most of that row's. Nothing for a plain face.
std::optional<std::pair<int, int>> inkColumns(const Bitmap& picture, const Rect& window) {
    const PixelSurface surface = picture.surface();
    std::optional<std::pair<int, int>> ink;
    for (int y = window.top + 1; y < window.bottom - 1; ++y) {
        std::map<std::uint32_t, int> counts;
        for (int x = window.left + 1; x < window.right - 1; ++x)
            ++counts[surface.read(x, y)];
        std::uint32_t face = 0;
        int most = 0;
        for (auto [colour, count] : counts)
            if (count > most)
                face = colour, most = count;
        for (int x = window.left + 1; x < window.right - 1; ++x)
            if (surface.read(x, y) != face)
                ink = ink ? std::pair{std::min(ink->first, x), std::max(ink->second, x)} : std::pair{x, x};
    }
    return ink;
}

class FireLabels : public FirePanelsMission {
protected:
    FireDisplay& display() { return *static_cast<FireDisplay*>(station().page(FireCtrl::kDisplayPage)); }
    int displayCommand(int id, int value = 0) { return display().onCommand(static_cast<WParam>(id), value); }

    // Each position of a selector: its name, with a clear column before and after it, where the
    // window shows beyond the fire button's cover.
    void expectNamesClear(WeaponSelector& selector, const BaseWidget& fireButton, int positions) {
        const Rect window = rectOf(selector);
        const int shownFrom = std::max(window.left + 1, rectOf(fireButton).right);
        for (int p = 0; p < positions; ++p) {
            selector.select(p);
            const auto ink = inkColumns(*stationPicture(), window);
            ASSERT_TRUE(ink) << "position " << p << " names nothing";
            EXPECT_GT(ink->first, shownFrom) << "position " << p << " of " << describe(window);
            EXPECT_LT(ink->second, window.right - 2) << "position " << p << " of " << describe(window);
        }
    }

    // The labels of the display's view in place: on the glass, none over another.
    void expectLabelsInPlace(const std::vector<const StaticText*>& labels, const std::string& view) {
        SCOPED_TRACE(view);
        EXPECT_FALSE(labels.empty());
        for (std::size_t i = 0; i < labels.size(); ++i) {
            const Rect r = rectOf(*labels[i]);
            EXPECT_TRUE(inside(r, kFireLauncherViews)) << '"' << labels[i]->text() << "\" at " << describe(r);
            for (std::size_t j = i + 1; j < labels.size(); ++j)
                EXPECT_FALSE(r.intersects(rectOf(*labels[j])))
                    << '"' << labels[i]->text() << "\" over \"" << labels[j]->text() << '"';
        }
    }
};

TEST_F(FireLabels, SelectorWindowsNameEachLoadClearOfTheirEdgesAndOfTheCover) {
    for (const char* mission : {"Sa1.scn", "Ta3.scn"}) { // the tutorial's tubes hold exercise torpedoes
        SCOPED_TRACE(mission);
        startMission(mission);
        buildPanels();
        {
            SCOPED_TRACE("tube");
            expectNamesClear(tubePanel(0).selector(), tubePanel(0).fireButton(), 10);
        }
        {
            SCOPED_TRACE("countermeasure launcher");
            expectNamesClear(decoyPanel(0).selector(), decoyPanel(0).fireButton(), 10);
        }
        {
            SCOPED_TRACE("cell");
            expectNamesClear(cellPanel(0).selector(), cellPanel(0).fireButton(), 4);
        }
        hideStation();
        host().setChild(kStationFireControl, nullptr);
    }
}

TEST_F(FireLabels, LoadOutLampsNameTheirWeaponClearOfTheirEdges) {
    startMission("Sa1.scn");
    buildPanels();
    station().onCommand(kFireCmdLoadOut, 0);
    pump();
    StateButton& lamp = station().loadOut().rackLamp(0);
    for (int frame = 1; frame < kLoadOutLampFrames; ++frame) { // frame 0 is the dark lamp
        lamp.setFrameIndex(frame);
        const Rect window = rectOf(lamp);
        const auto ink = inkColumns(*stationPicture(), window);
        ASSERT_TRUE(ink) << "frame " << frame;
        EXPECT_GT(ink->first, window.left + 1) << "frame " << frame;
        EXPECT_LT(ink->second, window.right - 2) << "frame " << frame;
    }
}

TEST_F(FireLabels, TheDisplaysViewsKeepTheirLabelsOnTheGlass) {
    startMission("Sa1.scn");
    registerContact();
    buildPanels();
    station().onCommand(kFireCmdDisplay, 0);
    pump();
    displayCommand(1402, 1); // a tube on "no contact", the longest label
    expectLabelsInPlace(display().tubeSelect().shownLabels(), "overview");

    // The settings of each weapon with the gyro course, and the position of a picked route point.
    WeaponConsole& console = display().console();
    const WorldPoint own = worldPoint(*worldOwnShip());
    fireControlStations().setUnlimitedWeapons(true);
    for (std::int32_t type : {kWeaponAdcap, kWeaponSlmm, kWeaponHarpoon, kWeaponTomahawk}) {
        const std::string view = weaponTypeName(type);
        tube(0).setWeaponType(type);
        tube(0).target = -1;
        tube(0).addAimPoint(own.x + 5000.0, own.y);
        displayCommand(1600);
        console.waypointPicked(*display().chart()->markOf(*tube(0).lastWaypoint()));
        const std::vector<const StaticText*> labels = console.shownLabels();
        expectLabelsInPlace(labels, view);
        std::vector<const BaseWidget*> controls{&console.latitudeBox(), &console.longitudeBox()};
        for (const ConsoleSettingRow* row :
             {&kAdcapCeilingRow, &kAdcapDepth2Row, &kAdcapFloorRow, &kAdcapFlagRow, &kAdcapEnableRow,
              &kAdcapSpeedRow, &kGyroRow, &kHarpoonRange1Row, &kHarpoonRange2Row, &kHarpoonFlagRow,
              &kTomahawkRangeRow})
            if (console.rowShown(*row)) {
                if (const StateButton* check = console.checkBox(*row)) {
                    controls.push_back(check);
                } else {
                    const SpinEdit& editor = *console.editor(*row);
                    controls.insert(controls.end(), {editor.editBox(), editor.upButton(), editor.downButton()});
                }
            }
        for (const StaticText* label : labels)
            for (const BaseWidget* control : controls)
                EXPECT_FALSE(rectOf(*label).intersects(rectOf(*control)))
                    << view << ": \"" << label->text() << "\" over the control at " << describe(rectOf(*control));
        displayCommand(1);
        tube(0).clearWaypoints();
    }
    fireControlStations().setUnlimitedWeapons(false);
    std::vector<TextDrawn> drawn;
    gdiWatchTextsDrawn([&](const TextDrawn& text) { drawn.push_back(text); });
    displayCommand(1511);
    pump();
    gdiWatchTextsDrawn({});
    expectLabelsInPlace(console.shownLabels(), "cell 15");
    const Rect button = rectOf(display().returnButton());
    EXPECT_TRUE(inside(rectOf(display().returnLabel()), button)) << "on its button " << describe(button);
    const auto returnText =
        std::find_if(drawn.begin(), drawn.end(), [](const TextDrawn& t) { return t.text == "Return"; });
    ASSERT_NE(returnText, drawn.end()) << "\"Return\" is drawn";
    const std::optional<Point> art = textTouchesArt(*returnText);
    EXPECT_FALSE(art) << "\"Return\" touches its button's lamp or bevel at " << art->x << ", " << art->y;
    displayCommand(1);

    // The guidance of a torpedo on tube 4's wire.
    auto* torpedo = new Entity(worldOwnShip()->side, "Adcap", worldOwnShip()->level, kKindWeapon, -1);
    torpedo->motion = std::make_unique<MotionModel>(*torpedo);
    torpedo->motion->x = own.x + 500.0;
    torpedo->motion->y = own.y;
    torpedo->controller = std::make_unique<GuidanceController>(*torpedo);
    worldAddEntity(torpedo);
    tube(2).launchedTorpedoId = torpedo->id;
    displayCommand(1702);
    ASSERT_TRUE(display().wirePanel().shown());
    expectLabelsInPlace(display().wirePanel().shownLabels(), "guidance");
    displayCommand(1);
}

} // namespace
} // namespace q71::test
