// The mission editor's screen, end to end over the data set: from the main menu into the
// editor, an area, a start, a hostile ship with a route of three points and a destroy goal,
// saved, each through its box; the saved file started headless in mission mode 0, the ship
// heading for its first point within two game minutes. The test keeps artefacts/editor.png and editor-mission.scu.

#include "editor_screen_fixture.h"

#include "editor/missioneditor/editor_layout.h"
#include "editor/missioneditor/editor_screens.h"
#include "editor/missioneditor/goal_form.h"
#include "editor/missioneditor/goals_dialog.h"
#include "editor/missioneditor/object_form.h"
#include "editor/missioneditor/pro_mission.h"
#include "framework/app/screen_manager.h"
#include "framework/widgets/scroller.h"
#include "framework/widgets/scroller_parts.h"
#include "framework/widgets/simple_button.h"
#include "framework/textmngr/text_manager.h"
#include "frontend/glass_list.h"
#include "frontend/mainmenu/main_menu.h"
#include "frontend/mainmenu/main_menu_entries.h"
#include "frontend/scenario_files/scenario_file_dialog.h"
#include "platform/controls/control_messages.h"
#include "platform/files/path.h"
#include "platform/dialogs/dialog_manager.h"
#include "platform/msgbox/message_box_types.h"
#include "platform/window/message_ids.h"
#include "platform/window/message_queue.h"
#include "platform/window/modal_loop.h"
#include "platform/window/window.h"
#include "platform/window/window_layout.h"
#include "sim/entities/entity.h"
#include "sim/entities/entity_hooks.h"
#include "sim/entities/explosion.h"
#include "sim/entities/motion/motion_model.h"
#include "sim/entities/types/entity_classes.h"
#include "sim/scoring/player_roster.h"
#include "sim/simulation/mission_end.h"
#include "sim/simulation/mission_start.h"
#include "sim/simulation/mission_state.h"
#include "sim/simulation/own_ship_setup.h"
#include "sim/simulation/scenario_reader.h"
#include "sim/simulation/sim_clock.h"
#include "sim/simulation/world_lists.h"
#include "sim/simulation/own_ship_starts.h"
#include "sim/support/world_harness.h"
#include "stations/geninfo/order_read_out.h"
#include "platform/window/virtual_keys.h"
#include "sim/world/object_database.h"
#include "sim/world/terrain_world.h"
#include "support/golden_image.h"
#include "support/screen_picture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>

namespace q71::test {
namespace {

TEST_F(EditorScreen, AMissionMadeOnTheMapIsSavedAndStartsWithTheShipHeadingForItsFirstPoint) {
    ProMission& editor = enterEditor();
    const int varden = areaIndex(editor, "Bassin de Varden");
    ASSERT_GE(varden, 0) << "the data set lists its areas by name";
    ASSERT_TRUE(editor.newMission(varden));
    pump();

    clickButton(kStart);
    clickMap(editor, kCentre - 30000.0, kCentre - 30000.0);
    clickButton(kShip);
    clickMap(editor, kCentre, kCentre);
    clickButton(kRoute);
    const std::array<std::pair<double, double>, 3> route{
        {{kCentre + 40000.0, kCentre}, {kCentre + 40000.0, kCentre + 40000.0}, {kCentre, kCentre + 60000.0}}};
    for (const auto& [x, y] : route)
        clickMap(editor, x, y);

    MissionDocument& document = editor.document();
    EXPECT_TRUE(document.changed);
    MissionObject* ship = nullptr;
    int starts = 0;
    document.forEachMissionObject([&](MissionObject& o) {
        starts += o.isStart();
        if (!o.isStart())
            ship = &o;
    });
    ASSERT_EQ(starts, 1);
    ASSERT_NE(ship, nullptr);
    EXPECT_EQ(ship->waypointCount(), 3);

    // The destroy goal made in the goals box, then the ship's record and the goal bound in its box.
    modalScriptPush([](WindowHandle box) {
        messageSend(box, WM_COMMAND, GoalsDialog::kNew, 0);
        dialogSetItemText(box, GoalsDialog::kFirstEdit + kGoalFieldKind, "D\xE9truire");
        dialogSetItemText(box, GoalsDialog::kFirstEdit + kGoalFieldPoints, "1000");
        dialogSetItemText(box, GoalsDialog::kFirstEdit + kGoalFieldMessage, "Le cargo est coul\xE9.");
        messageSend(box, WM_COMMAND, GoalsDialog::kApply, 0);
        messageSend(box, WM_COMMAND, kIdOk, 0);
    });
    clickButton(kGoals);
    GoalNode* destroy = document.goals.root();
    ASSERT_NE(destroy, nullptr);
    ASSERT_EQ(destroy->kind, kGoalDestroy);
    const std::string goalNumber = std::to_string(destroy->id);
    modalScriptPush([&](WindowHandle box) {
        dialogSetItemText(box, 1000 + kFieldName, "Merchant");
        dialogSetItemText(box, 1000 + kFieldGoal1, goalNumber);
        messageSend(box, WM_COMMAND, kIdOk, 0);
    });
    Point at;
    ASSERT_TRUE(ship->viewPosition(*editor.map(), at));
    ASSERT_TRUE(editor.editAt(at));
    EXPECT_EQ(ship->fields.typeName, "Merchant");
    EXPECT_EQ(document.unitOfGoal(destroy->id), ship);
    modalScriptPush([](WindowHandle box) {
        const char* texts[] = {"Un cargo", "Le cargo", "Coulez le cargo.", "Rien.", "Coulez-le."};
        for (int i = 0; i < 5; ++i)
            dialogSetItemText(box, 1000 + i, texts[i]);
        messageSend(box, WM_COMMAND, kIdOk, 0);
    });
    clickButton(kSettings);
    EXPECT_EQ(document.texts[kScenarioBriefing], std::optional<std::string>("Coulez le cargo."));

    run(500);
    saveScreenPicture("editor");
    modalScriptPush([](WindowHandle box) {
        dialogSetItemText(box, ScenarioFileDialog::kName, "editor-mission");
        messageSend(box, WM_COMMAND, kIdOk, 0);
    });
    clickButton(kSave);
    EXPECT_FALSE(document.changed) << "the mission was saved";
    EXPECT_EQ(editor.fileName(), "editor-mission.scu");
    const std::string saved = fileResolvePath(scenarioPath("editor-mission.scu"));
    ASSERT_TRUE(std::filesystem::exists(saved));
    std::filesystem::copy_file(saved, artefactFolder() / "editor-mission.scu",
                               std::filesystem::copy_options::overwrite_existing);

    clickButton(kQuit);
    EXPECT_EQ(screenCurrentIndex(), kSlotMainMenu) << "an unchanged mission is left without a question";
    pump();

    WorldHarness harness(1);
    simSetupOwnShip(-1);
    ASSERT_TRUE(simStartMission("editor-mission.scu", 0).ok()) << "a mission of no set";
    simStartRunning();
    Entity* merchant = nullptr;
    for (auto* node = worldList().head(); node; node = node->next)
        if (node->item != worldOwnShip() && node->item->side == 2)
            merchant = node->item;
    ASSERT_NE(merchant, nullptr);
    const double firstX = route[0].first, firstY = route[0].second;
    const double before = std::hypot(firstX - merchant->motion->x, firstY - merchant->motion->y);
    harness.run(120.0, 1.0);
    const MotionModel& m = *merchant->motion;
    const double bearing = std::fmod(std::atan2(firstX - m.x, firstY - m.y) * 180.0 / M_PI + 360.0, 360.0);
    const double off = std::fabs(std::remainder(m.heading - bearing, 360.0));
    EXPECT_LT(off, 15.0) << "heading " << m.heading << ", the first point bears " << bearing;
    EXPECT_LT(std::hypot(firstX - m.x, firstY - m.y), before);
}

TEST_F(EditorScreen, AChangedMissionAsksBeforeItIsLeft) {
    ProMission& editor = enterEditor();
    ASSERT_TRUE(editor.newMission(0));
    clickButton(kShip);
    clickMap(editor, kCentre, kCentre);
    ASSERT_TRUE(editor.document().changed);

    auto asked = answerNextBox(kIdCancel);
    clickButton(kQuit);
    EXPECT_TRUE(*asked);
    EXPECT_EQ(screenCurrentIndex(), kSlotMissionEditor) << "cancel stays";
    EXPECT_EQ(editor.document().objects.count(), 1);

    // Saving is refused without a start: the refusal is said and the player stays.
    asked = answerNextBox(kIdYes);
    auto refused = answerNextBox(kIdOk);
    clickButton(kQuit);
    EXPECT_TRUE(*asked);
    EXPECT_TRUE(*refused);
    EXPECT_EQ(screenCurrentIndex(), kSlotMissionEditor);

    asked = answerNextBox(kIdNo);
    clickButton(kQuit);
    EXPECT_TRUE(*asked);
    EXPECT_EQ(screenCurrentIndex(), kSlotMainMenu) << "dropped";
}

TEST_F(EditorScreen, AScenarioThatCannotBeOpenedSaysWhyAndLeavesTheDocument) {
    ProMission& editor = enterEditor();
    ASSERT_TRUE(editor.newMission(0));
    clickButton(kStart);
    clickMap(editor, kCentre, kCentre);
    std::filesystem::create_directories(std::filesystem::path(fileResolvePath(scenarioPath("abime.scu"))).parent_path());
    {
        std::ofstream bad(fileResolvePath(scenarioPath("abime.scu")), std::ios::binary);
        bad << "not a scenario";
    }
    modalScriptPush([](WindowHandle box) {
        dialogSetItemText(box, ScenarioFileDialog::kName, "abime");
        messageSend(box, WM_COMMAND, kIdOk, 0);
    });
    auto said = answerNextBox(kIdOk);
    clickButton(kOpen);
    EXPECT_TRUE(*said);
    EXPECT_EQ(editor.document().objects.count(), 1);
    EXPECT_TRUE(editor.document().changed);
    answerNextBox(kIdNo);
    clickButton(kQuit);
}

TEST_F(EditorScreen, AMissionSavedThroughTheFileBoxIsOpenedAgainFromItsList) {
    ProMission& editor = enterEditor();
    ASSERT_TRUE(editor.newMission(0));
    clickButton(kStart);
    clickMap(editor, kCentre, kCentre);
    clickButton(kShip);
    clickMap(editor, kCentre + 10000.0, kCentre);
    modalScriptPush([](WindowHandle box) {
        EXPECT_EQ(dialogGetItemText(box, ScenarioFileDialog::kName), "") << "a new mission has no name yet";
        dialogSetItemText(box, ScenarioFileDialog::kName, "aller");
        messageSend(box, WM_COMMAND, kIdOk, 0);
    });
    clickButton(kSave);
    EXPECT_EQ(editor.fileName(), "aller.scu");

    // A second save offers the same name and writes over the mission's own file without a question.
    modalScriptPush([](WindowHandle box) {
        EXPECT_EQ(dialogGetItemText(box, ScenarioFileDialog::kName), "aller.scu");
        messageSend(box, WM_COMMAND, kIdOk, 0);
    });
    clickButton(kSave);
    EXPECT_FALSE(editor.document().changed);

    ASSERT_TRUE(editor.newMission(1 % static_cast<int>(editor.areas().size())));
    EXPECT_EQ(editor.fileName(), "");
    EXPECT_EQ(editor.document().objects.count(), 0);
    modalScriptPush([](WindowHandle box) {
        messageSend(dialogGetItem(box, ScenarioFileDialog::kList), LB_SETCURSEL, 0, 0);
        messageSend(box, WM_COMMAND, (static_cast<WParam>(LBN_DBLCLK) << 16) | ScenarioFileDialog::kList, 0);
    });
    clickButton(kOpen);
    EXPECT_EQ(editor.fileName(), "aller.scu");
    EXPECT_EQ(editor.document().objects.count(), 2);
    EXPECT_FALSE(editor.document().changed);

    // Cancel in the box opens nothing.
    modalScriptPush([](WindowHandle box) { messageSend(box, WM_COMMAND, kIdCancel, 0); });
    EXPECT_FALSE(editor.openScenario());
    EXPECT_EQ(editor.document().objects.count(), 2);
}

TEST_F(EditorScreen, AGoalAreasCentreIsClickedOnTheMapAndTheGoalsBoxTakesIt) {
    ProMission& editor = enterEditor();
    ASSERT_TRUE(editor.newMission(0));
    auto refused = std::make_shared<bool>(false);
    modalScriptPush([](WindowHandle box) {
        messageSend(box, WM_COMMAND, GoalsDialog::kNew, 0); // a survive goal: no area to place
        messageSend(box, WM_COMMAND, GoalsDialog::kPlaceCentre, 0);
        EXPECT_TRUE(windowIsVisible(box)) << "the box stays";
        dialogSetItemText(box, GoalsDialog::kFirstEdit + kGoalFieldKind, "Atteindre");
        dialogSetItemText(box, GoalsDialog::kFirstEdit + kGoalFieldRadius, "5000");
        dialogSetItemText(box, GoalsDialog::kFirstEdit + kGoalFieldMessage, "Zone atteinte.");
        messageSend(box, WM_COMMAND, GoalsDialog::kPlaceCentre, 0);
    });
    modalScriptPush([refused](WindowHandle box) {
        *refused = true;
        modalLoopEnd(box, kIdOk);
    });
    clickButton(kGoals);
    EXPECT_TRUE(*refused) << "a goal without an area is named";
    GoalNode* goal = editor.document().goals.root();
    ASSERT_NE(goal, nullptr);
    EXPECT_EQ(goal->kind, kGoalSurvive) << "nothing is applied before the centre is clicked";

    const double x = kCentre + 20000.0, y = kCentre - 10000.0;
    std::string shownLatitude;
    modalScriptPush([&](WindowHandle box) {
        shownLatitude = dialogGetItemText(box, GoalsDialog::kFirstEdit + kGoalFieldLatitude);
        messageSend(box, WM_COMMAND, kIdOk, 0);
    });
    editor.document().changed = false;
    clickMap(editor, x, y);
    EXPECT_FALSE(shownLatitude.empty()) << "the goals box opened again with the centre";
    EXPECT_EQ(goal->kind, kGoalReachArea);
    EXPECT_EQ(goal->radius, 5000.0);
    EXPECT_EQ(goal->message, std::optional<std::string>("Zone atteinte."));
    EXPECT_NEAR(goal->centreX, x, 1500.0) << "within a pixel of the map";
    EXPECT_NEAR(goal->centreY, y, 1500.0);
    EXPECT_TRUE(editor.document().changed);

    // The next click places nothing more.
    clickMap(editor, kCentre, kCentre);
    EXPECT_NEAR(goal->centreX, x, 1500.0);
    EXPECT_EQ(editor.document().objects.count(), 0);
    answerNextBox(kIdNo);
    clickButton(kQuit);
}

TEST_F(EditorScreen, EveryAreaOfTheListIsReachedByKeysWheelAndBarAndTheLastStartsAMission) {
    ProMission& editor = enterEditor();
    const int areas = static_cast<int>(editor.areas().size());
    ASSERT_GE(areas, 12) << "the data set's mission areas";
    const Point inList{editor_layout::kAreaGlass.left + 30, editor_layout::kAreaGlass.top + 40};

    // The wheel turns the rows shown, three a notch, and never past the last page.
    display.moveMouse(inList);
    display.turnWheel(inList, -1);
    pump();
    EXPECT_EQ(firstAreaShown(), 3);
    display.turnWheel(inList, -10);
    pump();
    EXPECT_EQ(firstAreaShown(), areas - visibleAreas());
    display.turnWheel(inList, 10);
    pump();
    EXPECT_EQ(firstAreaShown(), 0);

    // The bar beside the rows: its lower arrow steps one row.
    Scroller* bar = areaList().scrollBar();
    ASSERT_NE(bar, nullptr) << "more areas than rows";
    EXPECT_TRUE(windowIsVisible(bar->window()));
    EXPECT_TRUE(windowIsVisible(bar->incrementArrow()->window()));
    const Rect barRect = windowGetRect(bar->window());
    clickAt(Point{(barRect.left + barRect.right) / 2, barRect.bottom - 4});
    EXPECT_EQ(firstAreaShown(), 1);

    // The keys: End reaches the last area, Home the first, Page Down a page on.
    press(static_cast<std::uint8_t>(VK_END));
    EXPECT_EQ(areaList().selected(), areas - 1);
    EXPECT_EQ(firstAreaShown(), areas - visibleAreas()) << "the chosen row shows";
    press(static_cast<std::uint8_t>(VK_HOME));
    EXPECT_EQ(areaList().selected(), 0);
    press(static_cast<std::uint8_t>(VK_NEXT));
    EXPECT_EQ(areaList().selected(), visibleAreas());
    press(static_cast<std::uint8_t>(VK_END));
    clickButton(kNew);
    const EditorArea& last = editor.areas().back();
    EXPECT_EQ(editor.document().header.originLatitude, last.latitude);
    EXPECT_EQ(editor.document().header.originLongitude, last.longitude);
    EXPECT_EQ(editor.document().texts[kScenarioMissionName], std::optional<std::string>(last.name));
}

TEST_F(EditorScreen, TheButtonOfTheToolInHandStaysDownUntilAnotherIsTaken) {
    ProMission& editor = enterEditor();
    ASSERT_TRUE(editor.newMission(0));
    pump();
    const auto down = [&](int button) { return editor.buttons()[static_cast<std::size_t>(button)]->getState() == 1; };
    clickButton(kShip);
    EXPECT_TRUE(down(kShip));
    clickButton(kDelete);
    EXPECT_TRUE(down(kDelete));
    EXPECT_FALSE(down(kShip)) << "one tool at a time";
    clickButton(kDelete);
    EXPECT_FALSE(down(kDelete)) << "pressed again, the tool is put down";
    EXPECT_EQ(editor.tool(), ProMission::Tool::Pick);
    // A unit placed: the tool is done and its button comes up; a route wants a unit chosen.
    clickButton(kSubmarine);
    clickMap(editor, kCentre, kCentre);
    EXPECT_FALSE(down(kSubmarine));
    EXPECT_EQ(editor.tool(), ProMission::Tool::Pick);
    clickButton(kRoute);
    EXPECT_TRUE(down(kRoute)) << "the submarine just placed is chosen";
    clickButton(kStart);
    EXPECT_TRUE(down(kStart));
    EXPECT_FALSE(down(kRoute));
    clickMap(editor, kCentre - 20000.0, kCentre);
    for (int button = 0; button < static_cast<int>(editor.buttons().size()); ++button)
        EXPECT_FALSE(down(button)) << button;
}

TEST_F(EditorScreen, ANetworkScenarioOfTheDataSetOpensWhereItLiesAndSavesIntoThePlayersFolder) {
    ProMission& editor = enterEditor();
    const std::string shipped = fileResolvePath(scenarioDataSetFolder() + "\\Duel.scm");
    ASSERT_TRUE(std::filesystem::exists(shipped));
    const auto timeBefore = std::filesystem::last_write_time(shipped);
    modalScriptPush([](WindowHandle box) {
        messageSend(dialogGetItem(box, ScenarioFileDialog::kNetwork), BM_CLICK, 0, 0);
        dialogSetItemText(box, ScenarioFileDialog::kName, "Duel.scm");
        messageSend(box, WM_COMMAND, kIdOk, 0);
    });
    ASSERT_TRUE(editor.openScenario()) << "the listed scenario opens";
    EXPECT_GT(editor.document().objects.count(), 1);
    EXPECT_EQ(editor.fileName(), "Duel.scm");
    const int shown = editor.areaList().selected();
    ASSERT_GE(shown, 0) << "the list shows the scenario's area";
    EXPECT_EQ(editor.areas()[static_cast<std::size_t>(shown)].latitude, editor.document().header.originLatitude);

    modalScriptPush([](WindowHandle box) {
        EXPECT_EQ(dialogGetItemText(box, ScenarioFileDialog::kName), "Duel.scm");
        messageSend(box, WM_COMMAND, kIdOk, 0);
    });
    // Yes to taking the data set's place, then OK to any warning.
    modalScriptSetUnansweredHandler([](WindowHandle box) { modalLoopEnd(box, kIdYes); });
    EXPECT_TRUE(editor.save());
    modalScriptSetUnansweredHandler(nullptr);
    EXPECT_TRUE(std::filesystem::exists(player.file("q71/Scenario/Duel.scm")) ||
                std::filesystem::exists(fileResolvePath(scenarioPlayersFolder() + "\\Duel.scm")));
    EXPECT_EQ(fileResolvePath(scenarioPath("Duel.scm")).rfind(fileResolvePath(scenarioPlayersFolder()), 0), 0u)
        << "saved into the player's folder";
    EXPECT_EQ(std::filesystem::last_write_time(shipped), timeBefore) << "the data set's file is only read";
}

TEST_F(EditorScreen, ANewStartShowsTheFeetShipControlWillShow) {
    ProMission& editor = enterEditor();
    ASSERT_TRUE(editor.newMission(0));
    pump();
    clickButton(kStart);
    clickMap(editor, kCentre, kCentre);
    MissionObject* start = nullptr;
    editor.document().forEachMissionObject([&](MissionObject& o) { start = &o; });
    ASSERT_NE(start, nullptr);
    EXPECT_EQ(objectFormTexts(start->fields)[kFieldDepth], "100");
    EXPECT_EQ(depthFeetOf(ownShipStartFromRecord(start->fields).depth), 100);
}

TEST_F(EditorScreen, ADataSetScenarioOpensAsACopyThatIsSavedInThePlayersFolder) {
    ProMission& editor = enterEditor();
    const std::string original = fileResolvePath(scenarioPath("Sa1.scn"));
    const auto bytesBefore = std::filesystem::file_size(original);
    const auto timeBefore = std::filesystem::last_write_time(original);
    modalScriptPush([](WindowHandle box) {
        messageSend(dialogGetItem(box, ScenarioFileDialog::kDataSet), BM_CLICK, 0, 0);
        dialogSetItemText(box, ScenarioFileDialog::kName, "Sa1");
        messageSend(box, WM_COMMAND, kIdOk, 0);
    });
    ASSERT_TRUE(editor.openScenario());
    const int objects = editor.document().objects.count();
    EXPECT_GT(objects, 1) << "its start and units";
    EXPECT_EQ(editor.fileName(), "Sa1.scn");
    EXPECT_TRUE(editor.document().changed) << "the copy is not saved";

    modalScriptPush([](WindowHandle box) {
        EXPECT_FALSE(windowIsVisible(dialogGetItem(box, ScenarioFileDialog::kDataSet)));
        EXPECT_EQ(dialogGetItemText(box, ScenarioFileDialog::kName), "Sa1.scu") << "as the save writes it";
        dialogSetItemText(box, ScenarioFileDialog::kName, "copie");
        messageSend(box, WM_COMMAND, kIdOk, 0);
    });
    modalScriptSetUnansweredHandler([](WindowHandle box) { modalLoopEnd(box, kIdOk); }); // any warning
    EXPECT_TRUE(editor.save());
    modalScriptSetUnansweredHandler(nullptr);
    EXPECT_EQ(editor.fileName(), "copie.scu");
    EXPECT_FALSE(editor.document().changed);
    EXPECT_TRUE(std::filesystem::exists(fileResolvePath(scenarioPath("copie.scu"))));
    EXPECT_EQ(std::filesystem::file_size(original), bytesBefore) << "the data set's file is only read";
    EXPECT_EQ(std::filesystem::last_write_time(original), timeBefore);

    modalScriptPush([](WindowHandle box) {
        dialogSetItemText(box, ScenarioFileDialog::kName, "copie");
        messageSend(box, WM_COMMAND, kIdOk, 0);
    });
    ASSERT_TRUE(editor.openScenario());
    EXPECT_EQ(editor.document().objects.count(), objects);
    EXPECT_EQ(editor.fileName(), "copie.scu");
}

TEST_F(EditorScreen, TheBoxesOfTheTextsAndTheGoalsGoByTheNamesOfTheirButtons) {
    enterEditor();
    for (const int button : {kSettings, kGoals}) {
        const std::string label = textCopy(editor_layout::kButtonTexts[static_cast<std::size_t>(button)]);
        ASSERT_FALSE(label.empty()) << "the button's text, which the data set draws on it";
        std::string caption;
        modalScriptPush([&caption](WindowHandle box) {
            caption = windowGetText(box);
            messageSend(box, WM_COMMAND, kIdCancel, 0);
        });
        clickButton(button);
        EXPECT_EQ(caption, label) << button;
    }
}

TEST_F(EditorScreen, TheBoxesEditAnObjectAndARoutePointAndRefuseWhatDoesNotRead) {
    ProMission& editor = enterEditor();
    ASSERT_TRUE(editor.newMission(0));
    clickButton(kShip);
    clickMap(editor, kCentre, kCentre);
    MissionObject* ship = nullptr;
    editor.document().forEachMissionObject([&](MissionObject& o) { ship = &o; });
    ASSERT_NE(ship, nullptr);
    MapWaypoint* point = ship->appendWaypoint(kCentre + 20000.0, kCentre, -10, 10);
    editor.document().changed = false;
    Point at;
    ASSERT_TRUE(ship->viewPosition(*editor.map(), at));

    bool refused = false;
    modalScriptPush([](WindowHandle box) {
        dialogSetItemText(box, 1000 + kFieldDepth, "profond");
        messageSend(box, WM_COMMAND, kIdOk, 0);
    });
    modalScriptPush([&](WindowHandle box) {
        refused = true;
        modalLoopEnd(box, kIdOk);
    });
    modalScriptPush([](WindowHandle box) {
        dialogSetItemText(box, 1000 + kFieldDepth, "-300");
        dialogSetItemText(box, 1000 + kFieldSpeed, "14");
        dialogSetItemText(box, 1000 + kFieldSide, "4");
        // The patrol fields follow the mode as it is typed.
        EXPECT_FALSE(windowIsVisible(dialogGetItem(box, 1000 + kFieldBoxEast))) << "mode 3 has no box";
        dialogSetItemText(box, 1000 + kFieldMode, "6");
        EXPECT_TRUE(windowIsVisible(dialogGetItem(box, 1000 + kFieldBoxEast)));
        EXPECT_TRUE(windowIsVisible(dialogGetItem(box, 1000 + kFieldBuoys)));
        EXPECT_FALSE(windowIsVisible(dialogGetItem(box, 1000 + kFieldBoxWest)));
        EXPECT_EQ(dialogGetItemText(box, 1100 + kFieldBoxEast), "Largeur zone (yards)");
        dialogSetItemText(box, 1000 + kFieldMode, "4");
        EXPECT_EQ(dialogGetItemText(box, 1100 + kFieldBoxEast), "Zone est (yards)");
        EXPECT_TRUE(windowIsVisible(dialogGetItem(box, 1000 + kFieldBoxWest)));
        saveScreenPicture("editor-object");
        messageSend(box, WM_COMMAND, kIdOk, 0);
    });
    EXPECT_TRUE(editor.editAt(at));
    EXPECT_TRUE(refused) << "the depth that does not read is named";
    EXPECT_EQ(ship->fields.depth, -300);
    EXPECT_EQ(ship->fields.speed, 14);
    EXPECT_EQ(ship->fields.side, 4);
    EXPECT_TRUE(editor.document().changed);

    // The route point: its latitude typed a minute further north, 100 ft, 7 knots.
    std::string latitude, longitude;
    ASSERT_TRUE(point->formatLatLong(latitude, longitude));
    double before = 0, after = 0;
    point->worldPosition(nullptr, &before);
    ASSERT_TRUE(point->viewPosition(*editor.map(), at));
    const int degrees = std::stoi(latitude.substr(0, 2)), minutes = std::stoi(latitude.substr(3, 2));
    char north[32];
    std::snprintf(north, sizeof north, "%02d-%02d%s", degrees + (minutes + 1) / 60, (minutes + 1) % 60,
                  latitude.substr(5).c_str());
    modalScriptPush([&](WindowHandle box) {
        dialogSetItemText(box, 1000, north);
        dialogSetItemText(box, 1002, "-100");
        dialogSetItemText(box, 1003, "7");
        messageSend(box, WM_COMMAND, kIdOk, 0);
    });
    EXPECT_TRUE(editor.editAt(at));
    point->worldPosition(nullptr, &after);
    EXPECT_NEAR(after - before, 1852.0, 30.0) << "a minute of latitude is a nautical mile";
    EXPECT_EQ(point->depth, -30);
    EXPECT_EQ(point->speed, 7);

    // Cancel changes nothing.
    modalScriptPush([](WindowHandle box) { messageSend(box, WM_COMMAND, kIdCancel, 0); });
    ASSERT_TRUE(ship->viewPosition(*editor.map(), at));
    EXPECT_FALSE(editor.editAt(at));
    editor.document().changed = false;
}

TEST_F(EditorScreen, TheSettingsBoxTakesTheTextsEnvironmentAndGradesOrNamesWhatDoesNotRead) {
    ProMission& editor = enterEditor();
    ASSERT_TRUE(editor.newMission(0));
    bool refused = false;
    modalScriptPush([](WindowHandle box) {
        dialogSetItemText(box, 1002, "Cap au nord.\r\nPuis plong\xE9" "e.");
        dialogSetItemText(box, 1006, "4");
        dialogSetItemText(box, 1012, "10"); // below the second grade's
        messageSend(box, WM_COMMAND, kIdOk, 0);
    });
    modalScriptPush([&](WindowHandle box) {
        refused = true;
        modalLoopEnd(box, kIdOk);
    });
    modalScriptPush([](WindowHandle box) {
        dialogSetItemText(box, 1012, "650");
        saveScreenPicture("editor-settings");
        messageSend(box, WM_COMMAND, kIdOk, 0);
    });
    clickButton(kSettings);
    EXPECT_TRUE(refused);
    const MissionDocument& document = editor.document();
    EXPECT_EQ(document.texts[kScenarioBriefing], std::optional<std::string>("Cap au nord.\r\nPuis plong\xE9" "e."));
    EXPECT_EQ(document.header.seaState, 4);
    EXPECT_EQ(document.thresholds[2], 650);
    EXPECT_TRUE(document.changed);
    answerNextBox(kIdNo);
    clickButton(kQuit);
}

TEST_F(EditorScreen, TheGoalsBoxAddsAGoalThatAUnitIsBoundToThroughItsBox) {
    ProMission& editor = enterEditor();
    ASSERT_TRUE(editor.newMission(0));
    clickButton(kShip);
    clickMap(editor, kCentre, kCentre);
    modalScriptPush([](WindowHandle box) {
        messageSend(box, WM_COMMAND, 1020, 0); // a new goal, chosen
        dialogSetItemText(box, 1001, "D\xE9truire"); // the kind chosen by its name
        dialogSetItemText(box, 1002, "800");
        dialogSetItemText(box, 1008, "Le cargo est coul\xE9.");
        messageSend(box, WM_COMMAND, 1022, 0);
        messageSend(box, WM_COMMAND, 1020, 0);
        messageSend(box, WM_COMMAND, 1020, 0);
        messageSend(box, WM_COMMAND, 1021, 0); // the third goes again
        saveScreenPicture("editor-goals");
        messageSend(box, WM_COMMAND, kIdOk, 0);
    });
    clickButton(kGoals);
    MissionDocument& document = editor.document();
    std::vector<GoalListLine> lines = goalListLines(document);
    ASSERT_EQ(lines.size(), 2u);
    GoalNode* sink = nullptr;
    for (const GoalListLine& line : lines)
        if (line.goal->kind == kGoalDestroy)
            sink = line.goal;
    ASSERT_NE(sink, nullptr);
    EXPECT_EQ(sink->points, 800);

    MissionObject* ship = nullptr;
    document.forEachMissionObject([&](MissionObject& o) { ship = &o; });
    ASSERT_NE(ship, nullptr);
    Point at;
    ASSERT_TRUE(ship->viewPosition(*editor.map(), at));
    const std::string goalNumber = std::to_string(sink->id);
    modalScriptPush([&](WindowHandle box) {
        dialogSetItemText(box, 1000 + kFieldGoal1, goalNumber);
        messageSend(box, WM_COMMAND, kIdOk, 0);
    });
    EXPECT_TRUE(editor.editAt(at));
    EXPECT_EQ(document.unitOfGoal(sink->id), ship);
    answerNextBox(kIdNo);
    clickButton(kQuit);
}

} // namespace
} // namespace q71::test
