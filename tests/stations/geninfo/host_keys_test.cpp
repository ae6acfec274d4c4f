// The station keys of the in-mission host with the program's own stations, pressed on the
// keyboard: Alt+letter answers whatever child holds the focus (the message log's scroll arrow, the
// fire-control contact list, the radio room's chat line), and typing into an edit field stays there.
#include "stations/host_mission.h"

#include "framework/widgets/edit_box.h"
#include "framework/widgets/line_scroller.h"
#include "framework/widgets/scroller.h"
#include "framework/widgets/text_box.h"
#include "platform/display/input_event.h"
#include "platform/window/focus.h"
#include "platform/window/virtual_keys.h"
#include "platform/window/window.h"
#include "platform/window/window_layout.h"
#include "sim/services/sim_services.h"
#include "stations/firectrl/fire_control_stations.h"
#include "stations/firectrl/fire_ctrl.h"
#include "stations/shipctrl/ship_control.h"
#include "tactical/radio/radio_room.h"
#include "tactical/radio/radio_station.h"

#include <cctype>
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
    }
    void TearDown() override {
        HostMission::TearDown();
        for (int slot : {kStationShipControl, kStationFireControl, kStationRadio})
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
    clickHost(kContactList);
    ASSERT_TRUE(windowIsChild(fireCtrl()->window(), focusGet())) << "the list holds the focus";

    press('a', true);
    EXPECT_EQ(host.currentChild(), kStationShipControl);
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

} // namespace
} // namespace q71::test
