// The station keys of the in-mission host with the program's own stations, pressed on the
// keyboard: Alt+letter answers whatever child holds the focus (the message log's scroll arrow, the
// fire-control contact list, dropped or not, the radio room's chat line) and as soon as a menu has
// closed, and typing into an edit field stays there.
#include "stations/host_mission.h"

#include "framework/widgets/edit_box.h"
#include "framework/widgets/line_scroller.h"
#include "framework/widgets/scroller.h"
#include "framework/widgets/simple_button.h"
#include "framework/widgets/super_list_box.h"
#include "framework/widgets/text_box.h"
#include "platform/controls/control_messages.h"
#include "platform/display/input_event.h"
#include "platform/window/focus.h"
#include "platform/window/message_queue.h"
#include "platform/window/virtual_keys.h"
#include "platform/window/window.h"
#include "platform/window/window_layout.h"
#include "sim/entities/types/own_submarine.h"
#include "sim/services/front_end.h"
#include "sim/services/sim_services.h"
#include "sim/simulation/world_lists.h"
#include "stations/firectrl/fire_control_stations.h"
#include "stations/firectrl/fire_ctrl.h"
#include "stations/firectrl/fire_display.h"
#include "stations/nav/nav_chart_page.h"
#include "stations/nav/nav_chart_window.h"
#include "stations/nav/nav_contact_marker.h"
#include "stations/nav/nav_screen.h"
#include "stations/shipctrl/ship_control.h"
#include "tactical/radio/radio_room.h"
#include "tactical/radio/radio_station.h"

#include <algorithm>
#include <cctype>
#include <functional>
#include <string>

#include <gtest/gtest.h>

namespace q71::test {
namespace {

// Where the fire-control display shows its contact list, in the station.
constexpr Point kContactList{420, 46};

class HostKeys : public HostMission {
protected:
    HostKeys() {
        simInstallServices({.audio = &audio, .weapons = &fireControlStations(), .frontEnd = &options});
        textBoxSetScrollerFactory(&makeTextBoxScroller); // as the program installs it at start-up
        startMission("Sa1.scn");
        shipControlRegister();
        fireRegisterStation();
        radioRegisterStation();
        navRegisterStation();
    }
    void TearDown() override {
        HostMission::TearDown();
        for (int slot : {kStationShipControl, kStationFireControl, kStationRadio, kStationNavigation})
            stationRegisterMaker(slot, nullptr);
        textBoxSetScrollerFactory(nullptr);
        simSetNetworkGame(nullptr);
    }

    void press(char c, bool alt = false) {
        if (alt)
            display.inject(InputEvent::keyOf(InputKind::KeyDown, VK_LMENU));
        display.typeKey(static_cast<std::uint8_t>(std::toupper(static_cast<unsigned char>(c))), c);
        if (alt)
            display.inject(InputEvent::keyOf(InputKind::KeyUp, VK_LMENU));
        run(100);
    }
    void clickHost(Point at) {
        display.click(windowClientToScreen(gen_->window(), at));
        run(100);
    }
    bool focusWithin(WindowHandle window) const {
        return focusGet() == window || windowIsChild(window, focusGet());
    }
};

TEST_F(HostKeys, AltLettersAnswerAfterAClickOnTheMessageLogsScrollArrow) {
    GenInfo& host = openHost();
    for (int i = 0; i < 8; ++i)
        msgLogAdd(("ligne " + std::to_string(i)).c_str());
    TextBox& log = host.messageLog();
    ASSERT_NE(log.scroller(), nullptr) << "the lines overflow: the log has its bar";
    const int first = log.firstVisibleLine();
    // The pointer crosses the log on its way to the up arrow.
    display.moveMouse(windowClientToScreen(host.window(), {log.getX() + 200, log.getY() + 20}));
    pump();
    clickHost({log.getX() + log.getWidth() - 8, log.getY() + 5});
    EXPECT_EQ(log.firstVisibleLine(), first - 1) << "the arrow was clicked";
    ASSERT_TRUE(focusWithin(log.window())) << "the log holds the focus";

    press('d', true);
    EXPECT_EQ(host.currentChild(), kStationRadio);
    press('a', true);
    EXPECT_EQ(host.currentChild(), kStationShipControl);
}

TEST_F(HostKeys, AltLettersAnswerFromTheFireControlContactList) {
    GenInfo& host = openHost();
    press('f', true);
    ASSERT_EQ(host.currentChild(), kStationFireControl);
    clickHost(kContactList); // its field: the list drops
    ASSERT_TRUE(windowIsChild(fireCtrl()->window(), focusGet())) << "the list holds the focus";
    const SuperListBox& box = fireCtrl()->display().contactSelector();
    ASSERT_NE(messageSend(box.comboWindow(), CB_GETDROPPEDSTATE, 0, 0), 0);
    const WindowHandle list = captureGet(); // the dropped list holds the mouse
    ASSERT_TRUE(windowIsVisible(list));

    press('a', true);
    EXPECT_EQ(host.currentChild(), kStationShipControl);
    // The list went up with the station, not left over the next one holding the mouse.
    EXPECT_EQ(messageSend(box.comboWindow(), CB_GETDROPPEDSTATE, 0, 0), 0);
    EXPECT_FALSE(windowIsVisible(list));
    EXPECT_NE(captureGet(), list);
    EXPECT_EQ(box.dropButton()->getState(), 2) << "the drop button came up with the list";
}

TEST_F(HostKeys, TypingIntoTheChatLineStaysThereAndAltLettersStillAnswer) {
    FakeNetworkGame game;
    simSetNetworkGame(&game);
    GenInfo& host = openHost();
    press('d', true);
    auto* room = dynamic_cast<RadioRoom*>(host.child(kStationRadio));
    ASSERT_NE(room, nullptr);
    ASSERT_EQ(host.currentChild(), kStationRadio);
    EditBox& chat = *room->chatLine();
    clickHost({chat.getX() + 10, chat.getY() + chat.getHeight() / 2});
    ASSERT_TRUE(focusWithin(chat.window()));

    for (char c : std::string("abcdefghijklmn"))
        press(c);
    EXPECT_EQ(chat.getText(), "abcdefghijklmn");
    EXPECT_EQ(host.currentChild(), kStationRadio) << "plain letters are the field's";

    press('e', true); // the TMA slot is empty here: the key does nothing, and types nothing
    EXPECT_EQ(chat.getText(), "abcdefghijklmn");
    press('f', true);
    EXPECT_EQ(host.currentChild(), kStationFireControl);
}

TEST_F(HostKeys, AltLettersAnswerAsSoonAsTheChartsMenuHasClosedHoweverItClosed) {
    options.setOptionsField(kOptionAssistStation0 + 1, 0); // the crew leaves the contacts alone
    GenInfo& host = openHost();
    press('k', true);
    ASSERT_EQ(host.currentChild(), kStationNavigation);
    // A contact of the own boat on the chart.
    OwnShipEntity& own = *worldOwnSubmarine();
    const Entity* target = nullptr;
    for (auto* node = worldList().head(); node && !target; node = node->next)
        if (node->item != worldOwnShip())
            target = node->item;
    ASSERT_NE(target, nullptr);
    own.registerContact(7, target->id, 120.0, 3000.0, -1.0, -1.0, 95);
    run(400);
    NavChartPage& page = navScreen()->chartPage();
    NavChartWindow& chart = *page.chart();
    const auto marker = std::find_if(page.markers().begin(), page.markers().end(),
                                     [](const auto& m) { return !m->ownShip(); });
    ASSERT_NE(marker, page.markers().end());
    const Point onChart = chart.getTransform().toPixel((*marker)->x(), (*marker)->y());
    const Point atMarker = windowClientToScreen(chart.window(), {onChart.x + 3, onChart.y - 2});
    const Point elsewhere = windowClientToScreen(chart.window(), {onChart.x - 60, onChart.y + 60});
    // Where the menu's first item stands on the screen (under the heading of its first row).
    const auto firstItem = [&] {
        const MenuNode& menu = chart.menu();
        return Point{menu.x() + 20, menu.y() + menu.itemHeight() * 3 / 2};
    };

    struct Way {
        const char* name;
        std::function<void()> close;
    } ways[] = {
        {"a choice", [&] { display.click(firstItem()); }},
        {"Escape", [&] { display.typeKey(VK_ESCAPE, 27); }},
        {"a click elsewhere on the chart", [&] { display.click(elsewhere); }},
    };
    for (const Way& way : ways) {
        SCOPED_TRACE(way.name);
        ASSERT_EQ(host.currentChild(), kStationNavigation);
        display.click(atMarker, MouseButton::Right);
        run(100);
        ASSERT_TRUE(chart.menu().isOpen());
        way.close();
        run(100);
        EXPECT_FALSE(chart.menu().isOpen());
        press('a', true);
        EXPECT_EQ(host.currentChild(), kStationShipControl) << "Alt+A did not answer";
        press('k', true);
    }
}

} // namespace
} // namespace q71::test
