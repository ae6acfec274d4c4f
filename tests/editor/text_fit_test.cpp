// Every text the program draws fits its place: each screen of the front end reached from the main
// menu as a player reaches it (the books through every entry, the options and the debriefing
// through every page, the mission lists of each kind, the editor and the network lobby), and
// each station of the host on a running mission of the data set through each of its pages, with every text
// whose ink runs past its rectangle, or past the window or bitmap it is drawn into, collected and named with
// the screen it showed on. A text that has a place of its own (a label that is a widget of its own, a line in
// its field) also keeps clear of the art it is drawn over: its ink touches no lamp, bevel or mark of the
// picture under it.

#include "host_mission_fixture.h"

#include "editor/missioneditor/editor_layout.h"
#include "editor/missioneditor/editor_screens.h"
#include "editor/missioneditor/pro_mission.h"
#include "framework/app/full_screen.h"
#include "framework/app/screen_manager.h"
#include "framework/app/station_table.h"
#include "framework/app/sub_screen.h"
#include "framework/widgets/edit_box.h"
#include "framework/widgets/spin_edit.h"
#include "framework/widgets/super_list_box.h"
#include "frontend/books/book_screen.h"
#include "frontend/books/container_fs.h"
#include "frontend/debrief/debrief_screen.h"
#include "frontend/frontend_services.h"
#include "frontend/mainmenu/main_menu_entries.h"
#include "frontend/options/options_record.h"
#include "frontend/options/options_screen.h"
#include "multiplayer/lobby/multi_suite.h"
#include "platform/controls/control_messages.h"
#include "platform/gdi/text_overflow.h"
#include "platform/msgbox/message_box_types.h"
#include "platform/window/message_ids.h"
#include "platform/window/message_queue.h"
#include "platform/window/modal_loop.h"
#include "sim/entities/contact_record.h"
#include "sim/entities/controllers/weapon_guidance.h"
#include "sim/entities/entity.h"
#include "sim/entities/motion/motion_model.h"
#include "sim/entities/types/own_submarine.h"
#include "sim/services/sim_services.h"
#include "sim/simulation/launcher_tables.h"
#include "sim/simulation/world_lists.h"
#include "stations/firectrl/fire_chart.h"
#include "stations/firectrl/fire_control_stations.h"
#include "stations/firectrl/fire_ctrl.h"
#include "stations/firectrl/fire_display.h"
#include "stations/firectrl/fire_layout.h"
#include "stations/firectrl/fire_readouts.h"
#include "stations/firectrl/torpedo_tube.h"
#include "stations/firectrl/weapon_console.h"
#include "stations/firectrl/weapon_console_layout.h"
#include "stations/firectrl/wire_panel.h"
#include "stations/geninfo/gen_info.h"
#include "stations/geninfo/gen_info_service.h"
#include "support/text_on_art.h"
#include "tactical/rwutils/scene_entities.h"
#include "tactical/rwutils/sea_texture.h"
#include "tactical/tactical_shell.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace q71::test {
namespace {

constexpr int kStationSlots = kStationEntityViewer + 1;
// The editor's buttons of its boxes, in layout order.
constexpr int kSettingsButton = 6, kGoalsButton = 7, kOpenButton = 8, kSaveButton = 9;

struct Overflow {
    std::string screen;
    std::string text;
    Rect ink;
    Rect field;
};

class TextFit : public HostMissionFixture {
protected:
    TextFit() {
        editorInstallScreens();
        mpInstallScreens();
        frontEndRegisterStations();
        // The stations reach the simulation's services as in the program (no sound here).
        SimServices services;
        services.weapons = &fireControlStations();
        services.frontEnd = &frontEndSimServices();
        services.host = &genInfoHostScreen();
        services.tactical = &tacticalSimDisplays();
        simInstallServices(services);
        gdiWatchTextOverflow([this](const TextOverflow& o) { found_.push_back({screen_, o.text, o.ink, o.field}); });
        gdiWatchTextsDrawn([this](const TextDrawn& text) {
            if (!text.opaque && !text.field.isEmpty() && !overChart(text))
                if (const std::optional<Point> art = textTouchesArt(text, &previous_))
                    onArt_.push_back(
                        {screen_, text.text, text.ink, {art->x, art->y, art->x + 1, art->y + 1}});
            previous_ = text;
        });
    }
    ~TextFit() override {
        gdiWatchTextOverflow({});
        gdiWatchTextsDrawn({});
        optionsRecord() = optionsDefaults();
        screenDestroy(kSlotGenInfo);
        effectsEnd();
        rwShutdown();
        for (int station = 0; station < kStationSlots; ++station)
            stationRegisterMaker(station, nullptr);
        simInstallServices({});
    }

    /// What shows from now on is called so.
    void at(const std::string& screen) {
        screen_ = screen;
        run(200);
    }

    /// Goes from the main menu to the screen of a line, names it and lets it draw.
    bool enter(int slot, const std::string& screen) {
        screenSwitch(kSlotMainMenu);
        at("main menu");
        screen_ = screen;
        if (!clickMainMenuLine(slot))
            return false;
        at(screen);
        return true;
    }

    /// Back to the main menu, the screen left behind destroyed.
    void leave(int slot) {
        screenSwitch(kSlotMainMenu);
        screenDestroy(slot);
        pump();
    }

    /// Opens a box of the editor under a name and closes it once it has drawn.
    void lookAtBox(const std::string& name, const std::function<void()>& open) {
        const std::string before = screen_;
        screen_ = name;
        auto shown = std::make_shared<bool>(false);
        modalScriptPush([shown](WindowHandle box) {
            *shown = true;
            modalLoopEnd(box, kIdCancel);
        });
        open();
        EXPECT_TRUE(*shown) << name << " did not open";
        screen_ = before;
    }

    void walkEditorBoxes(ProMission& editor) {
        // A start and a submarine with a route point, each one's box, then the mission's boxes.
        const auto placeAt = [&](ProMission::Tool tool, double x, double y) {
            editor.setTool(tool);
            editor.mapPressed(x, y, Point{});
            editor.mapReleased();
        };
        constexpr double kCentre = 268800.0;
        placeAt(ProMission::Tool::Start, kCentre, kCentre);
        placeAt(ProMission::Tool::Submarine, kCentre + 20000.0, kCentre);
        placeAt(ProMission::Tool::Route, kCentre + 40000.0, kCentre);
        run(100);
        editor.document().forEachMissionObject([&](MissionObject& object) {
            Point at;
            if (object.viewPosition(*editor.map(), at))
                lookAtBox(object.isStart() ? "editor start box" : "editor unit box",
                          [&] { editor.editAt(at); });
            if (MapWaypoint* point = object.firstWaypoint(); point && point->viewPosition(*editor.map(), at))
                lookAtBox("editor route point box", [&] { editor.editAt(at); });
        });
        for (const auto& [button, name] : {std::pair{kSettingsButton, "editor settings box"}, {kGoalsButton, "editor goals box"},
                                           {kOpenButton, "editor open box"}, {kSaveButton, "editor save box"}})
            lookAtBox(name, [&] {
                clickAt(Point{editor_layout::kButtonX + 20, editor_layout::buttonY(button) + 10});
            });
        editor.document().changed = false;
    }

    void walkFrontEnd() {
        // The login and the main menu.
        at("main menu");
        ASSERT_TRUE(enter(kSlotCaptainsLog, "captain's log"));
        leave(kSlotCaptainsLog);
        for (const auto& [slot, name] : {std::pair{kSlotShipBooks, "ship book"}, {kSlotReferenceBook, "reference book"}}) {
            ASSERT_TRUE(enter(slot, name));
            auto* frame = dynamic_cast<ContainerFS*>(screenGet(slot));
            ASSERT_NE(frame, nullptr);
            auto* book = dynamic_cast<BookScreen*>(frame->child(0));
            ASSERT_NE(book, nullptr);
            for (int entry = 0; entry < static_cast<int>(book->entries().size()); ++entry) {
                book->choose(entry);
                run(20);
            }
            leave(slot);
        }
        if (enter(kSlotOptions, "options")) {
            auto* options = dynamic_cast<OptionsScreen*>(screenGet(kSlotOptions));
            ASSERT_NE(options, nullptr);
            for (int page = 0; page < kOptionsPageCount; ++page) {
                options->showPage(static_cast<OptionsPage>(page));
                run(50);
            }
            leave(kSlotOptions);
        }
        for (const int line : {0, 1, 2}) { // the tutorials, the missions, the campaign
            screenSwitch(kSlotMainMenu);
            at("main menu");
            screen_ = "mission selection " + std::to_string(line);
            clickAt(Point{main_menu_layout::kButtonX + 20, main_menu_layout::buttonY(line) + 10});
            at("mission selection " + std::to_string(line));
            leave(kSlotMissionSelection);
        }
        if (enter(kSlotPortOfCall, "port of call"))
            leave(kSlotPortOfCall);
        if (enter(kSlotMissionEditor, "mission editor")) {
            auto* editor = dynamic_cast<ProMission*>(screenGet(kSlotMissionEditor));
            ASSERT_NE(editor, nullptr);
            ASSERT_FALSE(editor->areas().empty());
            editor->newMission(static_cast<int>(editor->areas().size()) - 1);
            run(100);
            walkEditorBoxes(*editor);
            leave(kSlotMissionEditor);
        }
        if (enter(kSlotMultiPlayer, "network lobby"))
            leave(kSlotMultiPlayer);
        screen_ = "credits";
        screenCreate(kSlotCredits);
        screenSwitch(kSlotCredits);
        run(20000);
        leave(kSlotCredits);
    }

    // The fire-control display with its numbers at their widest: a tube's settings for each weapon,
    // every editor at its largest value (the ADCAP's enabling range has five digits), and the
    // readouts of a contact five figures of yards away.
    void walkFireControlAtItsWidest(GenInfo& host) {
        host.selectStation(kStationFireControl);
        SubScreen* station = host.child(kStationFireControl);
        ASSERT_NE(station, nullptr);
        station->selectPage(FireCtrl::kDisplayPage);
        auto* display = dynamic_cast<FireDisplay*>(station->page(FireCtrl::kDisplayPage));
        ASSERT_NE(display, nullptr);
        const auto tables = launcherTables();
        ASSERT_TRUE(tables && !tables->tubes.empty() && tables->tubes[0]);
        WeaponLauncher& tube = *tables->tubes[0];
        const std::int32_t loaded = tube.weaponType();
        constexpr const ConsoleSettingRow* kRows[] = {
            &kAdcapCeilingRow, &kAdcapDepth2Row,   &kAdcapFloorRow,    &kAdcapEnableRow,  &kAdcapSpeedRow,
            &kSlmmDepthRow,    &kGyroRow,          &kHarpoonRange1Row, &kHarpoonRange2Row, &kTomahawkRangeRow};
        WeaponConsole& console = display->console();
        for (const auto& [type, name] : {std::pair{kWeaponAdcap, "ADCAP"},
                                         {kWeaponSlmm, "SLMM"},
                                         {kWeaponHarpoon, "Harpoon"},
                                         {kWeaponTomahawk, "Tomahawk"}}) {
            tube.setWeaponType(type);
            screen_ = std::string("fire-control settings of a tube holding ") + name + ", at their largest";
            display->onCommand(kFireCmdTubeViews, 0);
            ASSERT_TRUE(console.shown()) << screen_;
            int largest = 0;
            for (const ConsoleSettingRow* row : kRows)
                if (SpinEdit* editor = console.rowShown(*row) ? console.editor(*row) : nullptr) {
                    editor->editBox()->setInt(row->maximum);
                    largest = std::max(largest, row->maximum);
                }
            EXPECT_GT(largest, 0) << screen_;
            at(screen_);
            display->onCommand(kFireReturnButton.id, 0);
        }
        tube.setWeaponType(loaded);

        // The guidance of a torpedo on the first tube's wire, "Return" on its button.
        OwnShipEntity* boat = worldOwnSubmarine();
        ASSERT_NE(boat, nullptr);
        auto* torpedo = new Entity(boat->side, "Adcap", boat->level, kKindWeapon, -1);
        torpedo->motion = std::make_unique<MotionModel>(*torpedo);
        torpedo->motion->x = boat->motion->x + 500.0;
        torpedo->motion->y = boat->motion->y;
        torpedo->controller = std::make_unique<GuidanceController>(*torpedo);
        worldAddEntity(torpedo);
        auto& wired = static_cast<TorpedoTube&>(tube);
        const std::int32_t launched = wired.launchedTorpedoId;
        wired.launchedTorpedoId = torpedo->id;
        screen_ = "fire-control guidance of a torpedo on the wire";
        display->onCommand(kFireCmdWireViews, 0);
        ASSERT_TRUE(display->wirePanel().shown()) << screen_;
        at(screen_);
        display->onCommand(kFireReturnButton.id, 0);
        wired.launchedTorpedoId = launched;

        OwnShipEntity& own = *boat;
        if (!own.contacts.head())
            for (auto* node = worldList().head(); node && !own.contacts.head(); node = node->next)
                if (node->item != &own)
                    own.registerContact(7, node->item->id, 90.0, 1000.0, -1.0, -1.0, 95);
        for (auto* node = own.contacts.head(); node; node = node->next)
            node->item->range = 54321.0;
        screen_ = "fire-control readouts of a contact 54321 yards away";
        display->fillContactList();
        SuperListBox& selector = display->contactSelector();
        ASSERT_GT(selector.getCount(), 1) << "a contact to choose";
        selector.setCurSel(1);
        messageSend(display->window(), WM_COMMAND,
                    static_cast<WParam>(kFireCmdContactSelector) | WParam{CBN_SELCHANGE} << 16, 0);
        at(screen_);
        EXPECT_EQ(display->chart()->readouts().value(3), "54321") << "the range shows, five figures";
    }

    void walkStations() {
        optionsRecord().setField(kOptionControlRoom3d, 1); // the control room is shown only so
        startOnHost("Sa2.scn");
        effectsBegin();
        auto& host = *static_cast<GenInfo*>(screenGet(kSlotGenInfo));
        for (int station = 0; station < kStationSlots; ++station) {
            if (!stationHasMaker(station))
                continue;
            screen_ = stationKey(station);
            host.selectStation(station);
            at(screen_);
            play(2000);
            SubScreen* shown = host.child(station);
            if (!shown)
                continue;
            for (int page = 0; page < shown->pageCount(); ++page)
                if (shown->page(page)) {
                    screen_ = std::string(stationKey(station)) + " page " + std::to_string(page);
                    shown->selectPage(page);
                    at(screen_);
                    play(1000);
                }
        }
        walkFireControlAtItsWidest(host);
        screen_ = "debriefing";
        screenCreateDebrief();
        screenSwitch(kSlotDebrief);
        auto* debrief = dynamic_cast<DebriefScreen*>(screenGet(kSlotDebrief));
        ASSERT_NE(debrief, nullptr);
        for (int page = 0; page < kDebriefPageCount; ++page) {
            debrief->showPage(static_cast<DebriefPage>(page));
            at("debriefing page " + std::to_string(page));
        }
        screen_ = "death";
        screenCreate(kSlotDeath);
        screenSwitch(kSlotDeath);
        at(screen_);
        screen_ = "victory";
        screenCreateVictory();
        screenSwitch(kSlotVictory);
        at(screen_);
    }

    // The readouts of the fire-control chart stand over its map, whose land and marks move under
    // them as the chart moves: what they meet there is not art of their place.
    bool overChart(const TextDrawn& text) const {
        const Rect& f = text.field;
        const Rect& chart = kFireChartGlass;
        const bool onFireControl =
            screen_.starts_with("fire-control") || screen_.starts_with(stationKey(kStationFireControl));
        return onFireControl && f.left >= chart.left && f.top >= chart.top && f.right <= chart.right &&
               f.bottom <= chart.bottom;
    }

    std::vector<Overflow> found_;
    std::vector<Overflow> onArt_; ///< `field`: the pixel of art the ink touches
    TextDrawn previous_;
    std::string screen_ = "login";
};

TEST_F(TextFit, EveryTextOfEveryScreenAndStationFitsItsPlace) {
    walkFrontEnd();
    walkStations();
    std::set<std::pair<std::string, std::string>> told;
    for (const Overflow& o : found_) {
        if (!told.insert({o.screen, o.text}).second)
            continue;
        ADD_FAILURE() << o.screen << ": \"" << o.text << "\" ink " << o.ink.left << "," << o.ink.top << " to "
                      << o.ink.right << "," << o.ink.bottom << " in " << o.field.left << "," << o.field.top
                      << " to " << o.field.right << "," << o.field.bottom;
    }
    std::set<std::pair<std::string, std::string>> toldOnArt;
    for (const Overflow& o : onArt_)
        if (toldOnArt.insert({o.screen, o.text}).second)
            ADD_FAILURE() << o.screen << ": \"" << o.text << "\" ink " << o.ink.left << "," << o.ink.top
                          << " to " << o.ink.right << "," << o.ink.bottom << " touches the art under it at "
                          << o.field.left << "," << o.field.top;
}

} // namespace
} // namespace q71::test
