// The fire-control display on a running mission: the contact selector and the chart's readouts,
// the world's reports of contacts and entities, the placing cursor, and golden images of the
// display with waypoints, seeker cones and readouts.
#include "fire_mission.h"

#include "framework/textmngr/text_manager.h"
#include "framework/widgets/super_list_box.h"
#include "platform/controls/control_messages.h"
#include "platform/window/cursors.h"
#include "platform/window/message_ids.h"
#include "platform/window/message_queue.h"
#include "sim/entities/controllers/weapon_guidance.h"
#include "sim/entities/entity.h"
#include "sim/entities/motion/motion_model.h"
#include "sim/entities/sensors/own_boat_contacts.h"
#include "sim/simulation/geometry.h"
#include "sim/world/terrain_world.h"
#include "stations/firectrl/fire_layout.h"
#include "stations/firectrl/fire_readouts.h"
#include "stations/firectrl/torpedo_tube.h"
#include "support/golden_image.h"

#include <string>
#include <vector>

namespace q71::test {
namespace {

constexpr const char* kGolden = "tests/stations/firectrl/golden";

class FireDisplayMission : public FireMission {
protected:
    void openDisplay() {
        startMission("Sa1.scn");
        build();
        showStation(kStationFireControl);
        run(100);
    }
    SuperListBox& selector() { return display().contactSelector(); }
    std::vector<std::string> entries() {
        std::vector<std::string> texts;
        for (int i = 0; i < selector().getCount(); ++i)
            texts.push_back(selector().getItemText(i));
        return texts;
    }
    std::string shown() { return selector().getItemText(selector().getCurSel()); }
    // The player picks an entry of the selector.
    void choose(int entry) {
        selector().setCurSel(entry);
        messageSend(display().window(), WM_COMMAND,
                    static_cast<WParam>(kFireCmdContactSelector) | WParam{CBN_SELCHANGE} << 16, 0);
        pump();
    }
    std::vector<std::string> readouts() {
        std::vector<std::string> values;
        for (std::size_t row = 0; row < FireReadouts::kRows; ++row)
            values.push_back(chart().readouts().value(row));
        return values;
    }
    // An entity near the own boat, put into the world (which reports it).
    Entity& enter(std::int32_t side, std::int32_t kind, std::int32_t typeCode, double east, double north) {
        auto* made = new Entity(side, "Adcap", own().level, kind, -1);
        made->typeCode = typeCode;
        made->parentId = own().id;
        made->motion = std::make_unique<MotionModel>(*made);
        made->motion->x = own().motion->x + east;
        made->motion->y = own().motion->y + north;
        made->motion->z = own().motion->z;
        worldAddEntity(made);
        return *made;
    }
    // A torpedo of the own side near the own boat, on a straight run that lasts.
    Entity& weapon(double east, double north, double heading, bool seekerArmed) {
        Entity& made = enter(own().side, kKindWeapon, kEntityGeneric, east, north);
        made.motion->heading = heading;
        auto guidance = std::make_unique<GuidanceController>(made);
        guidance->enableRange = seekerArmed ? 0.0 : 2000.0;
        guidance->launchX = made.motion->x;
        guidance->launchY = made.motion->y;
        guidance->runEndTime = 1.0e6;
        guidance->presetCourse = heading;
        guidance->searchPattern = 2;
        made.controller = std::move(guidance);
        return made;
    }
};

TEST_F(FireDisplayMission, AnOpenDisplayGoesAfterTheMissionsGridWithoutReadingIt) {
    openDisplay();
    ASSERT_TRUE(chart().hasGrid());
    ASSERT_FALSE(plot().items().empty()); // the own boat at least, a symbol on the chart
    worldClose(); // at exit the mission's world goes first
    host().setChild(kStationFireControl, nullptr);
    EXPECT_EQ(fireCtrl(), nullptr);
}

TEST_F(FireDisplayMission, TheSelectorFollowsTheContactsAndTheReadoutsShowTheChosenOne) {
    openDisplay();
    const std::string none = textCopy(kFireNoContactText);
    ASSERT_FALSE(none.empty());
    EXPECT_EQ(entries(), std::vector<std::string>{none});
    EXPECT_EQ(shown(), none);
    EXPECT_FALSE(chart().readouts().shown());

    // A new contact is in the selector and on the plot at once, not at the next tick.
    const auto [contact, number] = registerContact();
    ASSERT_NE(contact, nullptr);
    const std::string name = std::string(1, static_cast<char>(contact->designation.letter)) + std::to_string(number);
    EXPECT_EQ(entries(), (std::vector<std::string>{none, name}));
    EXPECT_EQ(selector().getItemData(1), number);
    EXPECT_NE(plot().find(FirePlotKind::contact, number), nullptr);
    EXPECT_EQ(shown(), none) << "a new contact is not chosen for the player";
    EXPECT_FALSE(fireHighlightContact(number + 1)) << "no entry of that number";
    EXPECT_EQ(display().selectedContact(), 0);

    // Chosen by the player, or highlighted by number: the readouts show it, row by row.
    contact->course = 45.4;
    contact->speed = 12.6;
    contact->range = 6000.2;
    contact->bearing = 271.5;
    contact->kind = 0;
    struct Case {
        bool byNumber;
        std::int32_t kind;
        int classText;
    };
    for (const Case c : {Case{false, 0, 812}, Case{true, 3, 813}}) {
        contact->kind = c.kind;
        choose(0);
        EXPECT_FALSE(chart().readouts().shown());
        if (c.byNumber)
            EXPECT_TRUE(fireHighlightContact(number));
        else
            choose(1);
        EXPECT_EQ(shown(), name);
        EXPECT_EQ(display().selectedContact(), number);
        EXPECT_TRUE(chart().readouts().shown());
        EXPECT_EQ(readouts(), (std::vector<std::string>{name, " 45", "13", "6000", "272", textCopy(c.classText)}));
        EXPECT_TRUE(plot().find(FirePlotKind::contact, number)->selected);
        EXPECT_FALSE(plot().find(FirePlotKind::ownBoat, own().id)->selected);
    }
    // The page's update keeps the readouts current.
    contact->bearing = 10.0;
    run(20);
    EXPECT_EQ(chart().readouts().value(4), "10");

    // Dropped: gone from the selector and the plot at once; the selector falls back to no contact.
    ASSERT_TRUE(ownBoatRemoveContact(own(), contact));
    EXPECT_EQ(entries(), std::vector<std::string>{none});
    EXPECT_EQ(plot().find(FirePlotKind::contact, number), nullptr);
    EXPECT_EQ(shown(), none);
    EXPECT_EQ(display().selectedContact(), 0);
    EXPECT_FALSE(chart().readouts().shown());
    hideStation();
}

TEST_F(FireDisplayMission, ARenumberedContactIsTakenAnewAtTheNextTickAndTheListIsFilledOnOpen) {
    openDisplay();
    const auto [contact, number] = registerContact();
    ASSERT_NE(contact, nullptr);
    // A sensor of a higher type numbers it: it is shown with that number from now on.
    contact->designation.numbers[13] = 42;
    const std::string renamed = std::string(1, static_cast<char>(contact->designation.letter)) + "42";
    run(450);
    ASSERT_EQ(selector().getCount(), 2);
    EXPECT_EQ(selector().getItemText(1), renamed);
    EXPECT_EQ(selector().getItemData(1), 42);
    EXPECT_NE(plot().find(FirePlotKind::contact, 42), nullptr);
    EXPECT_EQ(plot().find(FirePlotKind::contact, number), nullptr);

    // Chosen, then the page closed and opened again: the list is filled anew, the choice kept.
    EXPECT_TRUE(fireHighlightContact(42));
    fireCtrl()->onCommand(kFireCmdPanel, 0);
    pump();
    EXPECT_EQ(display().plot(), nullptr);
    ASSERT_NE(registerContact().first, nullptr); // not reported: the page is shut
    fireCtrl()->onCommand(kFireCmdDisplay, 0);
    pump();
    EXPECT_EQ(selector().getCount(), 1 + own().contacts.count());
    EXPECT_EQ(shown(), renamed);
    EXPECT_EQ(display().selectedContact(), 42);
    hideStation();
}

TEST_F(FireDisplayMission, EntitiesTheWorldReportsArePlottedAndDroppedAtOnceAndLabelledByTheirLauncher) {
    openDisplay();
    Entity& torpedo = weapon(500.0, 500.0, 45.0, false);
    const std::int32_t id = torpedo.id;
    ASSERT_NE(plot().find(FirePlotKind::entity, id), nullptr) << "added as the world reports it";
    EXPECT_EQ(plot().find(FirePlotKind::entity, id)->label, -1);
    // The tube records its weapon after the world took it in: the label comes at the next tick.
    static_cast<TorpedoTube&>(tube(1)).launchedTorpedoId = id;
    run(450);
    EXPECT_EQ(plot().find(FirePlotKind::entity, id)->label, tube(1).number());

    worldList().remove(&torpedo);
    delete &torpedo;
    EXPECT_EQ(plot().find(FirePlotKind::entity, id), nullptr) << "dropped as the world reports it";
    hideStation();
}

TEST_F(FireDisplayMission, ThePlotFollowsTheOwnSidesWeaponsMissilesAndItsTypesTenAndSix) {
    openDisplay();
    const std::int32_t ours = own().side;
    const std::int32_t theirs = ours == 2 ? 1 : 2;
    struct Case {
        std::int32_t side, kind, typeCode;
        bool plotted;
        std::int32_t laterType; ///< the type it takes afterwards
        bool keptAfter;         ///< still plotted at the next tick
    };
    const Case cases[] = {
        {ours, kKindWeapon, 3, true, 3, true},
        {theirs, kKindWeapon, 3, false, 3, false},
        {theirs, kKindMissile, 3, true, 6, true}, // a missile no longer followed is kept where it was
        {theirs, kKindMissile, 6, false, 6, false},
        {ours, 2, 10, true, 3, false},            // any other entity no longer followed goes
        {ours, 2, 6, true, 6, true},
        {theirs, 2, 10, false, 10, false},
        {ours, 2, 3, false, 3, false},
    };
    std::vector<Entity*> made;
    for (const Case& c : cases) {
        made.push_back(&enter(c.side, c.kind, c.typeCode, 800.0, 800.0));
        EXPECT_EQ(plot().find(FirePlotKind::entity, made.back()->id) != nullptr, c.plotted)
            << c.side << " " << c.kind << " " << c.typeCode;
    }
    for (std::size_t i = 0; i < made.size(); ++i)
        made[i]->typeCode = cases[i].laterType;
    run(450);
    for (std::size_t i = 0; i < made.size(); ++i)
        EXPECT_EQ(plot().find(FirePlotKind::entity, made[i]->id) != nullptr, cases[i].keptAfter) << i;
    hideStation();
}

TEST_F(FireDisplayMission, ThePointerIsTheCrossHairWhileTheChartIsArmed) {
    openDisplay();
    const CursorHandle placing = chart().placingCursor();
    const Point inChart{kFireChartGlass.left + 100, kFireChartGlass.top + 100};
    moveTo(inChart);
    EXPECT_NE(cursorGet(), placing);
    tube(0).setWeaponType(kWeaponAdcap);
    chart().armForTube(&tube(0));
    moveTo({inChart.x + 5, inChart.y});
    EXPECT_EQ(cursorGet(), placing);
    clickAt({inChart.x + 5, inChart.y});
    EXPECT_FALSE(chart().armed());
    EXPECT_NE(cursorGet(), placing) << "placed: the chart's own pointer again";
    hideStation();
}

TEST_F(FireDisplayMission, PicturesOfWaypointsSeekerConesAndReadouts) {
    openDisplay();
    const WorldPoint at = worldPoint(own());
    // An SLMM aim point short of a weapon's run (with the tick), another beyond it (none), and a
    // cell's route with its label.
    tube(2).setWeaponType(kWeaponSlmm);
    tube(2).addAimPoint(at.x + 20000.0, at.y + 20000.0);
    tube(3).setWeaponType(kWeaponSlmm);
    tube(3).addAimPoint(at.x - 60000.0, at.y + 10000.0);
    cell(0).addRoute(at.x, at.y, at.x + 40000.0, at.y - 80000.0);
    run(450);
    EXPECT_TRUE(matchesGoldenIn(kGolden, *stationPicture(), "display-waypoints"));

    // Close in on the boat, the waypoints gone: two torpedoes on the wires of tubes 2 and 1, their
    // seekers armed (red) and not yet (cyan), a third whose wire is cut (no cone), and the
    // readouts of a contact.
    for (Launcher* launcher : {&tube(2), &tube(3), &cell(0)})
        launcher->clearWaypoints();
    static_cast<TorpedoTube&>(tube(0)).launchedTorpedoId = weapon(-500.0, -300.0, 0.0, true).id;
    static_cast<TorpedoTube&>(tube(1)).launchedTorpedoId = weapon(300.0, -200.0, 90.0, false).id;
    const Entity& cut = weapon(-300.0, 400.0, 180.0, true);
    const auto [contact, number] = registerContact();
    ASSERT_NE(contact, nullptr);
    EXPECT_TRUE(fireHighlightContact(number));
    for (int i = 0; i < 8; ++i)
        display().onCommand(kFireCmdScaleUp, 0);
    run(1000);
    EXPECT_TRUE(matchesGoldenIn(kGolden, *stationPicture(), "display-cones-readouts"));
    EXPECT_FALSE(fireGuidedByWire(cut));
    hideStation();
}

TEST_F(FireDisplayMission, OnlyATorpedoThatStillHearsItsTubesWireIsGuided) {
    openDisplay();
    auto& tube1 = static_cast<TorpedoTube&>(tube(1));
    Entity& torpedo = weapon(300.0, -200.0, 90.0, false);
    EXPECT_FALSE(fireGuidedByWire(torpedo)) << "no tube launched it";
    tube1.launchedTorpedoId = torpedo.id;
    EXPECT_TRUE(fireGuidedByWire(torpedo));
    static_cast<GuidanceController&>(*torpedo.controller).wireConnected = 0;
    EXPECT_FALSE(fireGuidedByWire(torpedo)) << "its guidance no longer hears the wire";
    static_cast<GuidanceController&>(*torpedo.controller).wireConnected = 1;
    tube1.launchedTorpedoId = -1; // the shut door cut it
    EXPECT_FALSE(fireGuidedByWire(torpedo));
    tube1.launchedMineId = torpedo.id;
    EXPECT_FALSE(fireGuidedByWire(torpedo)) << "a mine takes no orders";
    hideStation();
}

} // namespace
} // namespace q71::test
