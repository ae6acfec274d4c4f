// The TMA station on a running mission of the data set, as the host builds it: the solution typed
// and stepped, an entry kept through the plot's ticks until it commits, the contact boxes (no caret
// over a choice, Escape closing a dropped list and no more), the plot's menu, contacts merged, split
// and deleted with every fix kept and the trackers freed, and pictures of the plot and the whole
// station over a scripted contact.
#include "tactical/tma/tma_mission.h"

#include "platform/controls/control_messages.h"
#include "platform/window/focus.h"
#include "platform/window/message_ids.h"
#include "platform/window/message_queue.h"
#include "platform/window/virtual_keys.h"
#include "platform/window/window.h"
#include "platform/window/window_layout.h"
#include "sim/entities/motion/motion_model.h"
#include "sim/entities/sensors/own_boat_contacts.h"
#include "sim/entities/sensors/passive_arrays.h"
#include "sim/entities/sensors/sensor.h"
#include "sim/entities/types/own_submarine.h"
#include "sim/services/front_end.h"
#include "sim/simulation/geometry.h"
#include "sim/simulation/sim_clock.h"
#include "sim/simulation/sound_profile.h"
#include "sim/simulation/world_lists.h"
#include "support/golden_image.h"
#include "tactical/tma/tma_screen.h"
#include "tactical/tma/tma_state.h"
#include "tactical/tma/tma_station.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <string>
#include <vector>

namespace q71::test {
namespace {

constexpr const char* kGolden = "tests/tactical/tma/golden";

class TmaStationMission : public TmaMission {
protected:
    // A detection of the entity by a sensor type, as a station reports it, at the game time `t`.
    void detect(Entity& entity, int type, double t) {
        simClock().gameClock = t;
        const double dx = entity.motion->x - own->motion->x, dy = entity.motion->y - own->motion->y;
        own->registerContact(type, entity.id, geoBearing(dx, dy), geoRange(dx, dy) * kMetresToYards, -1.0,
                             -1.0, 95);
    }
    ContactRecord* named(const std::string& name) {
        for (auto* node = own->contacts.head(); node; node = node->next)
            if (name == worldFormatDesignation(node->item->designation))
                return node->item;
        return nullptr;
    }
    static std::vector<std::string> entries(SuperListBox& list) {
        std::vector<std::string> out;
        for (int i = 0; i < list.getCount(); ++i)
            out.push_back(list.getItemText(i));
        return out;
    }
};

TEST_F(TmaStationMission, TypedValuesAreBroughtIntoRangeAndShown) {
    TMAScreen& tma = openStation();
    keepPicture("opened");
    tma.command(29, 400);
    tma.command(30, 123456);
    tma.command(31, 725);
    tma.command(32, 150);
    EXPECT_EQ(tma.solutionReadOut(0).getValue(), 40);
    EXPECT_EQ(tma.solutionReadOut(1).getValue(), 99999);
    EXPECT_EQ(tma.solutionReadOut(2).getValue(), 5);
    EXPECT_EQ(tma.solutionReadOut(3).getValue(), 99);
    // Each second the target runs on along the solution: north-east at 99 units here, from 20,000
    // yards out.
    tma.command(30, 20000);
    const TmaSolution before = tmaState().solution;
    run(2000);
    const TmaSolution& after = tmaState().solution;
    EXPECT_NEAR(
        after.targetY - before.targetY,
        (after.lastUpdate - before.lastUpdate) * 99 * 0.508 * std::cos(5.0 * 3.14159265358979 / 180.0), 1.0);
    EXPECT_GT(after.lastUpdate, before.lastUpdate);
}

TEST_F(TmaStationMission, AReadOutCommitsWhatWasClickedTwoSecondsLater) {
    TMAScreen& tma = openStation();
    tma.command(29, 0);
    tma.command(30, 5000);
    tma.command(1, 1); // the bearing held, so that the dead reckoning leaves it alone
    for (int i = 0; i < 4; ++i)
        clickAt({104 + 6, 355 + 6}); // the hundreds of the bearing: 400
    run(1900);
    EXPECT_EQ(tmaState().solution.bearing, 0.0);
    run(200);
    EXPECT_EQ(tmaState().solution.bearing, 40.0);
    EXPECT_EQ(tma.solutionReadOut(0).getValue(), 40);
}

TEST_F(TmaStationMission, ChoosingInTheListSelectsTheContact) {
    TMAScreen& tma = openStation();
    Entity& target = stranger();
    detect(target, kSensorRadar, 1.0);
    detect(target, kSensorEsm, 2.0);
    clickAt({361 + 153, 197 + 6});      // the drop button
    clickAt({361 + 40, 197 + 13 + 20}); // the second line of the list: E1
    ASSERT_NE(tmaState().selected, nullptr);
    EXPECT_EQ(tmaState().selected, named("E1"));
    EXPECT_EQ(entries(tma.secondList()), std::vector<std::string>{"R1"});
}

// The keys that reach a window, counted in front of its own procedure.
class KeysReaching {
public:
    explicit KeysReaching(WindowHandle window)
        : window_(window), own_(windowSetProc(window, &KeysReaching::procedure)) {
        windowSetProperty(window, kProperty, this);
    }
    ~KeysReaching() {
        windowRemoveProperty(window_, kProperty);
        windowSetProc(window_, own_);
    }
    std::size_t count() const { return keys_.size(); }

private:
    static constexpr const char* kProperty = "KeysReaching";
    static LResult procedure(WindowHandle window, std::uint32_t message, WParam wParam, LParam lParam) {
        auto* self = static_cast<KeysReaching*>(windowGetProperty(window, kProperty));
        if (message == WM_KEYDOWN || message == WM_CHAR)
            self->keys_.push_back(static_cast<std::uint32_t>(wParam));
        return self->own_(window, message, wParam, lParam);
    }
    WindowHandle window_;
    WindowProc own_;
    std::vector<std::uint32_t> keys_;
};

TEST_F(TmaStationMission, EscapeClosesTheDroppedContactListAndGoesNoFurther) {
    TMAScreen& tma = openStation();
    detect(stranger(), kSensorRadar, 1.0);
    SuperListBox& box = tma.firstList();
    const auto dropped = [&] { return messageSend(box.comboWindow(), CB_GETDROPPEDSTATE, 0, 0) != 0; };
    clickAt({361 + 153, 197 + 6}); // the drop button
    ASSERT_TRUE(dropped());
    ASSERT_EQ(box.dropButton()->getState(), 1) << "the button stays down while the list is down";
    const KeysReaching station(tma.window()), hostScreen(host().window());
    display.typeKey(VK_ESCAPE, 27);
    pump();
    EXPECT_FALSE(dropped());
    EXPECT_EQ(box.dropButton()->getState(), 2) << "the button comes up with the list";
    EXPECT_EQ(station.count(), 0u);
    EXPECT_EQ(hostScreen.count(), 0u);
    EXPECT_EQ(box.getCurSel(), -1) << "nothing chosen";
    EXPECT_EQ(tmaState().selected, nullptr);
}

TEST_F(TmaStationMission, AClickOnTheContactBoxsFieldOpensItsListAsItsButtonDoes) {
    TMAScreen& tma = openStation();
    detect(stranger(), kSensorRadar, 1.0);
    SuperListBox& box = tma.firstList();
    const auto dropped = [&] { return messageSend(box.comboWindow(), CB_GETDROPPEDSTATE, 0, 0) != 0; };
    const Point field{361 + 40, 197 + 6};
    clickAt(field);
    ASSERT_TRUE(dropped()) << "the field's click left the list up";
    EXPECT_EQ(box.dropButton()->getState(), 1) << "the button goes down with the list, as when pressed";
    clickAt({361 + 40, 197 + 13 + 6}); // the first line: R1
    EXPECT_FALSE(dropped());
    EXPECT_EQ(box.dropButton()->getState(), 2);
    ASSERT_NE(box.getCurSel(), -1);
    EXPECT_EQ(box.getItemText(box.getCurSel()), "R1");
    EXPECT_EQ(tmaState().selected, named("R1"));

    // Showing a choice, the field opens the list again; a click on it then closes the list.
    clickAt(field);
    ASSERT_TRUE(dropped());
    clickAt(field);
    EXPECT_FALSE(dropped());
    EXPECT_EQ(box.dropButton()->getState(), 2);
    EXPECT_EQ(box.getItemText(box.getCurSel()), "R1") << "the choice stands";
}

TEST_F(TmaStationMission, TheContactBoxShowsItsChoiceWithoutACaret) {
    TMAScreen& tma = openStation();
    detect(stranger(), kSensorRadar, 1.0);
    SuperListBox& box = tma.firstList();
    clickAt({361 + 153, 197 + 6});     // the drop button
    clickAt({361 + 40, 197 + 13 + 6}); // the first line: R1
    ASSERT_EQ(box.getItemText(box.getCurSel()), "R1");
    const WindowHandle focus = focusGet();
    ASSERT_TRUE(focus == box.comboWindow() || windowIsChild(box.comboWindow(), focus))
        << "the box has the keys";
    // The field left of the drop button, over a blink of a caret (500 ms on, 500 ms off).
    const Point field{361, 197};
    const int width = 160 - 13, height = 13;
    std::vector<BitmapRef> focused;
    for (int i = 0; i < 4; ++i) {
        run(250);
        focused.push_back(screenArea(windowClientToScreen(tma.window(), field), width, height));
    }
    keepPicture("chosen");
    focusSet(tma.window());
    pump();
    const BitmapRef unfocused = screenArea(windowClientToScreen(tma.window(), field), width, height);
    const PixelSurface without = unfocused->surface();
    int ink = 0;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            ink += without.read(x, y) != without.read(0, 0) ? 1 : 0;
    EXPECT_GT(ink, 0) << "the choice shows";
    // With the keys the box looks as it does without them.
    for (const BitmapRef& picture : focused) {
        const PixelSurface with = picture->surface();
        std::vector<Point> changed;
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                if (with.read(x, y) != without.read(x, y))
                    changed.push_back({field.x + x, field.y + y});
        EXPECT_TRUE(changed.empty()) << changed.size() << " pixels over the text:" << listedPixels(changed);
    }
}

TEST_F(TmaStationMission, StoringTheSolutionEstimatesTheLayerFromTheRangeError) {
    TMAScreen& tma = openStation();
    Entity& target = stranger();
    detect(target, kSensorRadar, 1.0);
    tma.selectFirst("R1");
    target.motion->z = -100.0;
    struct Case {
        double rangeFactor, layer;
        int below;
    };
    // With the true range v is the target's depth; a range twice the truth puts v between 2/3 and
    // 4/3 of it, so a layer at 50 m still lies above and one at 140 m may not.
    const Case cases[] = {{1.0, -50.0, 1}, {1.0, -150.0, 0}, {2.0, -60.0, 1}, {2.0, -140.0, 0}};
    for (const Case& c : cases) {
        const double trueRange = entityRangeYards(*own, target);
        soundProfile().layerDepth = c.layer;
        tma.command(30, static_cast<int>(trueRange * c.rangeFactor + 0.5));
        tma.command(TMAScreen::kStore, 0);
        ContactRecord* contact = named("R1");
        EXPECT_EQ(contact->range, tmaState().solution.range);
        EXPECT_EQ(contact->belowLayer, c.below) << c.rangeFactor << " " << c.layer;
    }
    // A target on top of the boat: no range to judge the error by, so v is its depth.
    target.motion->x = own->motion->x;
    target.motion->y = own->motion->y;
    soundProfile().layerDepth = -50.0;
    tma.command(TMAScreen::kStore, 0);
    EXPECT_EQ(named("R1")->belowLayer, 1);
}

TEST_F(TmaStationMission, ZoomButtonsStopAtTheirLimits) {
    openStation();
    const Point zoomIn{365 + 17, 90 + 17}, zoomOut{365 + 17, 125 + 17};
    for (int i = 0; i < 8; ++i)
        clickAt(zoomIn);
    EXPECT_EQ(tmaState().view.scale, 160.0);
    for (int i = 0; i < 14; ++i)
        clickAt(zoomOut);
    EXPECT_LE(tmaState().view.scale, 0.01);
    tmaState().view.centreX += 5000.0;
    clickAt(zoomOut); // at the outer limit the plot goes back to the own boat
    EXPECT_EQ(tmaState().view.centreX, own->motion->x);
}

TEST_F(TmaStationMission, MergeAndSplitKeepEveryFixAndTheListsFollow) {
    TMAScreen& tma = openStation();
    Entity& target = stranger();
    for (double t : {10.0, 30.0, 50.0})
        detect(target, kSensorRadar, t);
    for (double t : {20.0, 40.0})
        detect(target, kSensorEsm, t);
    ASSERT_NE(named("R1"), nullptr);
    ASSERT_NE(named("E1"), nullptr);
    EXPECT_EQ(entries(tma.firstList()), (std::vector<std::string>{"R1", "E1"}));
    EXPECT_EQ(named("R1")->fixes[kSensorRadar].size(), 3u);

    tma.selectFirst("R1");
    EXPECT_EQ(entries(tma.secondList()), std::vector<std::string>{"E1"}); // the analysed one left out
    tma.command(TMAScreen::kMerge, 0);                                    // no second contact chosen: nothing
    EXPECT_EQ(own->contacts.count(), 2);
    tma.selectSecond("E1");
    tma.command(TMAScreen::kMerge, 0);
    ASSERT_EQ(own->contacts.count(), 1);
    ContactRecord* merged = named("M1");
    ASSERT_NE(merged, nullptr);
    EXPECT_EQ(merged->fixes[kSensorRadar].size(), 3u);
    EXPECT_EQ(merged->fixes[kSensorEsm].size(), 2u);
    EXPECT_EQ(entries(tma.firstList()), std::vector<std::string>{"M1"});
    EXPECT_EQ(tmaState().selected, merged);

    tma.command(TMAScreen::kSplit, 0);
    ASSERT_NE(named("R1"), nullptr);
    ASSERT_NE(named("E1"), nullptr);
    EXPECT_EQ(named("R1")->fixes[kSensorRadar].size(), 3u);
    EXPECT_EQ(named("E1")->fixes[kSensorEsm].size(), 2u);
    EXPECT_EQ(named("E1")->fixes[kSensorEsm][0].time, 40.0);
    EXPECT_EQ(tmaState().selected, nullptr); // the track it analysed is gone
    EXPECT_EQ(entries(tma.firstList()), (std::vector<std::string>{"E1", "R1"}));

    tma.selectFirst("R1");
    tma.command(TMAScreen::kSplit, 0); // not a merged track: nothing
    EXPECT_EQ(own->contacts.count(), 2);
}

TEST_F(TmaStationMission, DeleteFreesTheTrackersAndAContactGoneClearsTheSelection) {
    TMAScreen& tma = openStation();
    Entity& target = stranger();
    detect(target, kSensorPassive, 5.0);
    detect(target, kSensorRadar, 6.0);
    const double dx = target.motion->x - own->motion->x, dy = target.motion->y - own->motion->y;
    const int bearing = static_cast<int>(geoBearing(dx, dy));
    own->array2->trackEvent(1, 0, bearing, 0.0, -1, kSensorPassive);
    own->array2->onNoise(target.id, bearing, 1000.0, 60);
    ASSERT_TRUE(own->array2->tracks(target.id));

    tma.selectFirst("S1");
    ASSERT_NE(tmaState().selected, nullptr);
    tma.command(TMAScreen::kDelete, 0);
    EXPECT_EQ(named("S1"), nullptr);
    EXPECT_FALSE(own->array2->tracks(target.id));
    EXPECT_EQ(tmaState().selected, nullptr);
    EXPECT_EQ(entries(tma.firstList()), std::vector<std::string>{"R1"});
    run(3000, 100); // the world runs on without the contact

    // A contact removed elsewhere (the sonar crew) clears the station's selection.
    tma.selectFirst("R1");
    ASSERT_TRUE(ownBoatRemoveContact(*own, named("R1")));
    EXPECT_EQ(tmaState().selected, nullptr);
    EXPECT_TRUE(entries(tma.firstList()).empty());
    run(2000);
}

TEST_F(TmaStationMission, TheMenuMarksTheSourcesAndTheHistory) {
    TMAScreen& tma = openStation();
    rightClickAt({35 + 100, 26 + 100});
    MenuNode& menu = tma.plot().menu();
    ASSERT_TRUE(menu.isOpen());
    keepPicture("menu");
    const auto checked = [&](const char* label) {
        for (int i = 0; i < menu.itemCount(); ++i)
            if (menu.item(i).text == label)
                return menu.item(i).checked;
        ADD_FAILURE() << label;
        return false;
    };
    EXPECT_TRUE(checked("  Most Recent"));
    EXPECT_TRUE(checked("  10 Min"));
    EXPECT_TRUE(menu.item(0).header);
    menu.close();
    tma.command(22, 0); // sonar
    tma.command(21, 0); // radar
    tma.command(27, 0); // one hour
    rightClickAt({35 + 100, 26 + 100});
    EXPECT_FALSE(checked("  Most Recent"));
    EXPECT_TRUE(checked("  Sonar"));
    EXPECT_TRUE(checked("  Radar"));
    EXPECT_FALSE(checked("  ESM"));
    EXPECT_TRUE(checked("  1 Hour"));
    EXPECT_EQ(own->tmaSources.historyWindow, 30);
    for (int type = 0; type < 4; ++type)
        EXPECT_TRUE(own->tmaSources.shown[static_cast<std::size_t>(type)]) << type;
    menu.close();
    tma.command(18, 0);
    EXPECT_FALSE(own->tmaSources.explicitSelection);
    EXPECT_FALSE(own->tmaSources.shown[kSensorRadar]);
    tma.command(28, 0);
    EXPECT_EQ(own->tmaSources.historyWindow, 120); // four hours of 120 s
}

TEST_F(TmaStationMission, PicturesOfThePlotAndTheStationOverAScriptedContact) {
    TMAScreen& tma = openStation();
    Entity& target = stranger();
    // A radar contact seen every 30 s for ten minutes: the target running east at 5 units, the boat
    // running north.
    detect(target, kSensorRadar, 0.0);
    ContactRecord* contact = named("R1");
    ASSERT_NE(contact, nullptr);
    FixList& fixes = contact->fixes[kSensorRadar];
    fixes.clear();
    const double ownX = own->motion->x, ownY = own->motion->y;
    for (int i = 0; i <= 20; ++i) {
        ContactFix fix;
        fix.time = 30.0 * i;
        fix.sensorType = kSensorRadar;
        fix.sensorX = ownX;
        fix.sensorY = ownY - 1200.0 + i * 60.0;
        fix.x = ownX + 3000.0 + fix.time * 5 * 0.508;
        fix.y = ownY + 4000.0;
        fix.bearing = geoBearing(fix.x - fix.sensorX, fix.y - fix.sensorY);
        fixes.push(fix, 100);
    }
    simClock().gameClock = 600.0;
    tma.selectFirst("R1");
    // The solution typed in whole numbers near the truth: the target now 3000 + 1524 m east and
    // 4000 m north of the boat, running east at 5 units.
    const double east = 3000.0 + 600 * 5 * 0.508, north = 4000.0;
    tma.command(29, static_cast<int>(geoBearing(east, north) + 0.5));
    tma.command(30, static_cast<int>(std::hypot(east, north) * 1.0936 + 0.5));
    tma.command(31, 90);
    tma.command(32, 5);
    tma.command(9, 0);
    tma.plot().redraw();
    keepPicture("contact");
    EXPECT_TRUE(matchesGoldenIn(kGolden, *tma.plot().picture(), "plot-radar-contact"));
    EXPECT_TRUE(matchesGoldenIn(kGolden, *stationPicture(), "station-radar-contact"));
}

// The cell of digit `position` of a solution readout (large readouts: 13-pixel cells).
Point solutionDigit(int readout, int position) {
    const Point origins[] = {{104, 355}, {76, 395}, {203, 355}, {209, 395}};
    return {origins[readout].x + 13 * position + 6, origins[readout].y + 6};
}

class TmaTypedEntry : public TmaStationMission {
protected:
    // The operator's own solution (crew assistance off), moving fast across the line of sight,
    // 1,000 yards north of the boat, running east at 99 units: its bearing turns about 3 degrees a
    // second and its range grows, so each tick of the plot gives the bearing and range readouts
    // new values. No hold is set.
    void fastSolution(TMAScreen& tma) {
        options.options[kOptionAssistStation0 + kTmaAssistStation] = 0;
        tma.command(30, 1000);
        tma.command(29, 0);
        tma.command(31, 90);
        tma.command(32, 99);
        for (bool hold : tmaState().holds)
            ASSERT_FALSE(hold);
    }
    // The crew's solution (crew assistance on): each tick the plot takes the selected contact's
    // bearing, range, course and speed, which the crew revises as the contact turns and speeds up
    // (updateScreens), 5 degrees and 1 unit a second, so each tick gives the course and speed
    // readouts new values.
    void crewSolution(TMAScreen& tma) {
        options.options[kOptionAssistStation0 + kTmaAssistStation] = 1;
        if (turning_)
            return;
        own->registerContact(kSensorRadar, stranger().id, 30.0, 6000.0, -1.0, -1.0, 95);
        for (auto* node = own->contacts.head(); node; node = node->next)
            turning_ = node->item;
        ASSERT_NE(turning_, nullptr);
        tma.selectFirst(worldFormatDesignation(turning_->designation));
        ASSERT_EQ(tmaState().selected, turning_);
    }
    void updateScreens() override {
        if (turning_) {
            const double t = simClock().gameClock;
            turning_->course = std::fmod(5.0 * t, 360.0);
            turning_->speed = 20.0 + std::fmod(t, 60.0);
        }
        TmaStationMission::updateScreens();
    }
    // Runs until the plot has just moved the solution on (its one-second tick).
    void untilTick() {
        const double last = tmaState().solution.lastUpdate;
        for (int pass = 0; pass < 150 && tmaState().solution.lastUpdate == last; ++pass)
            run(10);
        ASSERT_NE(tmaState().solution.lastUpdate, last) << "the plot ticks";
    }
    static double solutionValue(int readout) {
        const TmaSolution& s = tmaState().solution;
        return std::array<double, 4>{s.bearing, s.range, s.course,
                                     s.speed}[static_cast<std::size_t>(readout)];
    }
    // A value typed into a readout as the solution takes it: angles modulo 360, the range up to
    // 99,999 yards, the speed up to 99.
    static double taken(int readout, int typed) {
        if (readout == 0 || readout == 2)
            return typed % 360;
        return std::min(typed, readout == 1 ? 99999 : 99);
    }

    ContactRecord* turning_ = nullptr; ///< the contact whose course and speed the crew revises
};

// The digit right-clicked in each readout (bearing, range, course, speed): the tens of the
// angles, the ten-thousands of the range, the tens of the speed.
constexpr std::array<int, 4> kTypedDigit = {1, 0, 1, 0};

TEST_F(TmaTypedEntry, AnEntryStaysShownThroughTheTicksAndTheSolutionTakesItAtItsCommit) {
    TMAScreen& tma = openStation();
    for (int readout = 0; readout < 4; ++readout) {
        SCOPED_TRACE(readout);
        // Bearing and range move with the operator's solution; course and speed only with the crew's.
        if (readout < 2)
            fastSolution(tma);
        else
            crewSolution(tma);
        untilTick();
        run(300);
        rightClickAt(solutionDigit(readout, kTypedDigit[static_cast<std::size_t>(readout)]));
        const int typed = tma.solutionReadOut(readout).getValue();
        ASSERT_GE(typed, 0);
        ASSERT_GT(std::fabs(taken(readout, typed) - solutionValue(readout)), 5.0) << "an entry of its own";
        run(1200); // a tick of the plot passes, 700 ms after the click
        EXPECT_EQ(tma.solutionReadOut(readout).getValue(), typed) << "the entry is still shown";
        run(1000); // committed 2 s after the click, 300 ms before the next tick
        EXPECT_EQ(solutionValue(readout), taken(readout, typed)) << "the solution holds the typed value";
        EXPECT_EQ(tma.solutionReadOut(readout).getValue(), static_cast<int>(taken(readout, typed)));
    }
    // Afterwards the readouts follow the solution again: the bearing turns with the target.
    fastSolution(tma);
    const int shown = tma.solutionReadOut(0).getValue();
    run(3000);
    EXPECT_NE(tma.solutionReadOut(0).getValue(), shown);
    EXPECT_EQ(tma.solutionReadOut(0).getValue(), static_cast<int>(std::floor(solutionValue(0) + 0.5)) % 360);
}

TEST_F(TmaTypedEntry, AnEntryWaitingWhenTheScreenClosesIsTakenByTheSolution) {
    TMAScreen& tma = openStation();
    fastSolution(tma);
    untilTick();
    rightClickAt(solutionDigit(1, 0));
    const int typed = tma.solutionReadOut(1).getValue();
    run(500);
    hideStation();
    EXPECT_EQ(tmaState().solution.range, static_cast<double>(typed));
    run(3000);
    showStation(kStationTma);
    EXPECT_EQ(tma.solutionReadOut(1).getValue(), typed) << "the station opens on the typed range";
}

TEST_F(TmaStationMission, ASpeedTypedAndRecordedReachesTheContactEvenBeforeItsCommit) {
    TMAScreen& tma = openStation();
    Entity& target = stranger();
    detect(target, kSensorRadar, simClock().gameClock);
    tma.selectFirst("R1");
    ContactRecord* contact = named("R1");
    ASSERT_NE(contact, nullptr);
    tma.command(32, 0);
    for (int i = 0; i < 8; ++i)
        clickAt(solutionDigit(3, 1)); // VIT 08
    run(3000);
    EXPECT_EQ(tmaState().solution.speed, 8.0) << "committed two seconds after the last click";
    clickAt({290 + 16, 370 + 18}); // ENR
    run(2000);
    EXPECT_EQ(contact->speed, 8.0);
    EXPECT_EQ(tma.contactReadOut(3).getValue(), 8);

    // ENR pressed before the typed digits' commit: they are stored, not lost.
    for (int i = 0; i < 4; ++i)
        clickAt(solutionDigit(3, 0)); // VIT 48
    run(500);
    clickAt({290 + 16, 370 + 18});
    EXPECT_EQ(contact->speed, 48.0);
    EXPECT_EQ(tmaState().solution.speed, 48.0);
    run(3000);
    EXPECT_EQ(tma.solutionReadOut(3).getValue(), 48);
    EXPECT_EQ(tma.contactReadOut(3).getValue(), 48);
}

} // namespace
} // namespace q71::test
