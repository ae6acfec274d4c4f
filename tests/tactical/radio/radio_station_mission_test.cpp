// The radio room on a running mission of the data set, as the host holds it and the main loop
// steps it: the orders shown and the intelligence message coming in by antenna at 30 ft, the
// lines kept through a save, the ESM mast naming an emitter, and the chat of a network game.
#include "tactical/support/station_mission.h"

#include "support/text_fixture.h"

#include "framework/widgets/edit_box.h"
#include "framework/widgets/scroller.h"
#include "framework/widgets/scroller_parts.h"
#include "framework/widgets/text_box.h"
#include "platform/window/focus.h"
#include "platform/window/virtual_keys.h"
#include "platform/window/window_layout.h"
#include "sim/entities/motion/own_boat_motion.h"
#include "sim/entities/sensors/sensor.h"
#include "sim/entities/types/own_submarine.h"
#include "sim/radio/comms_queue.h"
#include "sim/services/sim_services.h"
#include "sim/simulation/mission_state.h"
#include "sim/simulation/scenario_reader.h"
#include "sim/simulation/sim_clock.h"
#include "sim/simulation/world_lists.h"
#include "sim/support/log_lines.h"
#include "tactical/radio/radio_room.h"
#include "tactical/radio/radio_station.h"
#include "tactical/tactical_shell.h"

#include <algorithm>
#include <cctype>
#include <cmath>

#include <gtest/gtest.h>

namespace q71::test {
namespace {

class RadioStationMission : public StationMission {
protected:
    ~RadioStationMission() override { msgLogDetach(); } // the log may have been watched

    RadioRoom& openRoom() { return openRegisteredStation<RadioRoom>(kStationRadio, radioRegisterStation); }

    OwnShipEntity& own() { return ownBoat(); }

    // Mission Sa2 with the boat at 30 ft (z = -9.14 m), slow enough to raise its masts.
    void startAtThirtyFeet() { startMissionAtDepth("Sa2.scn", -9.14, 5.0); }

    /// Flips a switch of the room as a player does, and lets it settle.
    void flip(const StationControlRow& row) {
        clickAt({row.x + row.width / 2, row.y + row.height / 2});
        run(2000, 50);
    }

    static bool holds(const std::vector<std::string>& lines, const std::string& text) {
        return std::ranges::find(lines, text) != lines.end();
    }

    LogLines log; ///< the message log's lines, once a test points the log here
};

TEST_F(RadioStationMission, TheOrdersShowAndTheIntelligenceComesByAntenna) {
    startAtThirtyFeet();
    ASSERT_TRUE(missionTexts().tasking.has_value());
    ASSERT_TRUE(missionTexts().intelligence.has_value());
    RadioRoom& room = openRoom();
    EXPECT_FALSE(room.log().lines().empty()) << "the orders are shown at once";
    EXPECT_EQ(commsQueueCount(), 1) << "the intelligence waits for the radio";
    const std::size_t before = room.log().lines().size();
    run(5000, 100);
    EXPECT_EQ(commsQueueCount(), 1) << "no antenna up, no wire out";
    room.command(4, 2); // the antenna mast up: 10 s
    run(9000, 100);
    EXPECT_EQ(commsQueueCount(), 1);
    run(3000, 100);
    EXPECT_EQ(commsQueueCount(), 0) << "received by antenna once the mast is up";
    EXPECT_GT(room.log().lines().size(), before + 1);
    EXPECT_TRUE(holds(room.log().lines(), textGetString(347))) << "set apart from the orders";
    EXPECT_GT(room.textBox().lineCount(), 0);
    keepPicture("radio");

    // A save keeps the lines; the room of the loaded mission shows them again.
    const std::vector<std::string> saved = tacticalSimDisplays().radioRoomLines();
    EXPECT_EQ(saved, room.log().lines());
    hideStation();
    tacticalSimDisplays().restoreRadioRoomLines(saved);
    missionState().loadedFromSave = true;
    radioRegisterStation();
    auto* loaded = static_cast<RadioRoom*>(buildRegisteredStation(kStationRadio));
    stationRegisterMaker(kStationRadio, nullptr);
    ASSERT_NE(loaded, nullptr);
    EXPECT_EQ(loaded->log().lines(), saved);
    EXPECT_EQ(commsQueueCount(), 0) << "a loaded mission does not queue its intelligence again";
}

TEST_F(RadioStationMission, MessagesPastTheLogsHeightBringItsBarFromTheRoomsOwnPictures) {
    // The bar is made as the program makes it, from the room's own arrows and thumb.
    textBoxSetScrollerFactory(&makeTextBoxScroller);
    startAtThirtyFeet();
    RadioRoom& room = openRoom();
    for (int i = 0; room.textBox().lineCount() <= room.textBox().visibleLines() && i < 100; ++i)
        room.appendMessage("Message de l'\xE9tat-major n\xB0 " + std::to_string(i), 2);
    run(500, 50);
    ASSERT_NE(room.textBox().scroller(), nullptr) << "the log overflows";
    const auto& bar = dynamic_cast<const Scroller&>(room.textBox().scroller()->widget());
    EXPECT_TRUE(windowIsVisible(bar.window()));
    EXPECT_EQ(bar.thumb()->fileName(), kRadioCaret);
    textBoxSetScrollerFactory(nullptr);
}

TEST_F(RadioStationMission, TheEsmMastNamesTheEmitterUnderThePointer) {
    startAtThirtyFeet();
    RadioRoom& room = openRoom();
    room.command(5, 2);
    // Wait for a radar of the convoy to sweep the boat.
    int bearing = -1;
    for (int tick = 0; tick < 1200 && bearing < 0; ++tick) {
        run(100, 100);
        const EsmLevels& levels = room.esmLevels();
        const auto strongest = std::ranges::max_element(levels);
        if (*strongest >= 0.2)
            bearing = static_cast<int>(strongest - levels.begin());
    }
    if (bearing < 0)
        GTEST_SKIP() << "no radar of the mission swept the boat";
    // The pointer dragged onto the bearing: the name clears at once and comes 2 s later.
    const int dx = static_cast<int>(60 * std::sin(bearing * 3.14159265358979 / 180.0));
    const int dy = static_cast<int>(-60 * std::cos(bearing * 3.14159265358979 / 180.0));
    leftButton({kEsmDialCentre.x + dx, kEsmDialCentre.y + dy}, true);
    leftButton({kEsmDialCentre.x + dx, kEsmDialCentre.y + dy}, false);
    EXPECT_EQ(room.emitter().id, -1);
    EXPECT_NEAR(room.esmBearing(), bearing, 2);
    run(2500, 100);
    keepPicture("esm");
    EXPECT_GE(room.emitter().id, 0);
    EXPECT_FALSE(room.emitter().name.empty());
    EXPECT_GT(room.litLamps(), 0);
    room.command(6, 1);
    EXPECT_NE(worldFindEntity(room.emitter().id)->designation[11], 0) << "an ESM contact";
}

TEST_F(RadioStationMission, TheChatLineGoesToTheNetworkGameInPiecesAndWithEnter) {
    FakeNetworkGame game;
    startAtThirtyFeet();
    simSetNetworkGame(&game);
    RadioRoom& room = openRoom();
    ASSERT_NE(room.chatLine(), nullptr);
    room.chatLine()->setText(std::string(100, 'a'));
    room.command(10, 13);
    EXPECT_EQ(game.chats, (std::vector<std::string>{std::string(80, 'a'), std::string(20, 'a')}));
    EXPECT_EQ(room.chatLine()->getText(), "");

    // Typed into the box and sent with Enter, as a player does.
    focusSet(room.chatLine()->editWindow());
    for (char c : std::string("Cap au 270"))
        display.typeKey(static_cast<std::uint8_t>(std::toupper(static_cast<unsigned char>(c))), c);
    display.typeKey(static_cast<std::uint8_t>(VK_RETURN), '\r');
    pump();
    simSetNetworkGame(nullptr);
    EXPECT_EQ(game.chats.back(), "Cap au 270");
    EXPECT_EQ(room.chatLine()->getText(), "");
}

TEST_F(RadioStationMission, FailedMastsOnlyReportTheirMalfunction) {
    startAtThirtyFeet();
    msgLogSetTarget(true, &log);
    RadioRoom& room = openRoom();
    OwnShipMotion& motion = *own().ownMotion;
    motion.masts[kMastRadio].state = kDeviceBroken;
    motion.masts[kMastEsm].state = kDeviceBroken;
    audio.spoken.clear();
    log.lines.clear();

    flip(kRadioAntenna); // up
    EXPECT_EQ(timesSaid("COWRdoAF.wav"), 1);
    EXPECT_EQ(timesSaid("COWAntUp.wav"), 0);
    EXPECT_EQ(log.lines, std::vector<std::string>{textCopy(272)});
    EXPECT_EQ(motion.masts[kMastRadio].state, kDeviceBroken);
    run(12000, 100);
    EXPECT_EQ(commsQueueCount(), 1) << "nothing comes in by a failed antenna";

    audio.spoken.clear();
    log.lines.clear();
    flip(kRadioAntenna); // down: a failed mast says nothing
    EXPECT_TRUE(audio.spoken.empty());
    EXPECT_TRUE(log.lines.empty());

    flip(kRadioEsmMast);
    EXPECT_EQ(timesSaid("COWEsmFl.wav"), 1);
    EXPECT_EQ(timesSaid("COWEsmUp.wav"), 0);
    EXPECT_EQ(log.lines, std::vector<std::string>{textCopy(270)});
    run(3000, 100);
    EXPECT_EQ(room.litLamps(), 0) << "the ESM stays dark";
    EXPECT_EQ(room.emitter().id, -1);
}

TEST_F(RadioStationMission, ACutWireCannotBePaidOutAndWithTheAntennaFailedNoReminderWaits) {
    startAtThirtyFeet();
    msgLogSetTarget(true, &log);
    RadioRoom& room = openRoom();
    OwnShipMotion& motion = *own().ownMotion;
    run(500, 100);
    ASSERT_EQ(commsQueueCount(), 1);
    EXPECT_TRUE(room.traffic().reminderArmed()) << "no path: the operator will remind";

    motion.wireLength = -1.0; // the wire was cut, to be mended in an hour
    motion.wireRepairTime = simClock().gameClock + 3600.0;
    motion.wireOrder = 0;
    audio.spoken.clear();
    log.lines.clear();
    room.command(kRadioWire.id, 0); // pay out
    EXPECT_EQ(timesSaid("COWFwCut.wav"), 1);
    EXPECT_EQ(timesSaid("COWDpAnt.wav"), 0);
    EXPECT_EQ(log.lines, std::vector<std::string>{textCopy(783)});
    EXPECT_EQ(motion.wireOrder, 0) << "nothing pays out";
    room.command(kRadioWire.id, 2); // reel in
    EXPECT_EQ(timesSaid("COWRtAnt.wav"), 0);
    EXPECT_EQ(motion.wireOrder, 0);
    run(2500, 100);
    EXPECT_TRUE(room.traffic().reminderArmed()) << "the antenna could still take it";

    motion.masts[kMastRadio].state = kDeviceBroken;
    run(2500, 100); // the next pass of the room's message timer
    EXPECT_FALSE(room.traffic().reminderArmed()) << "no path is left: no reminder";
    EXPECT_EQ(commsQueueCount(), 1);
}

TEST_F(RadioStationMission, TheEsmContactButtonDoesNothingWhileNoEmitterIsIdentified) {
    startAtThirtyFeet();
    RadioRoom& room = openRoom();
    flip(kRadioEsmMast);
    run(12000, 100);
    ASSERT_EQ(own().ownMotion->masts[kMastEsm].state, kDeviceRaised);
    ASSERT_EQ(room.emitter().id, -1) << "nothing radiates on the bearing";
    const int contacts = own().contacts.count();
    clickAt({kRadioEsmContact.x + kRadioEsmContact.width / 2, kRadioEsmContact.y + kRadioEsmContact.height / 2});
    run(500, 100);
    EXPECT_EQ(own().contacts.count(), contacts);
    for (auto* node = worldList().head(); node; node = node->next)
        EXPECT_EQ(node->item->designation[kSensorEsm], 0) << "no entity was designated";
}

TEST_F(RadioStationMission, TheButtonsShowTheirTipsWhateverTheTextSwitchAndTheLabelsFollowIt) {
    startAtThirtyFeet();
    for (bool switchOn : {true, false}) {
        const DataSetTextsWith texts({{486, switchOn ? "1" : "0"}});
        openRoom();
        for (const StationControlRow* row : {&kRadioEndMission, &kRadioTrafficLamp, &kRadioEsmContact})
            EXPECT_TRUE(tipPopsUpOver({row->x + row->width / 2, row->y + row->height / 2}))
                << "control " << row->id << ", text switch " << switchOn;
        const RadioLabel& label = kRadioLabels[0];
        EXPECT_EQ(tipPopsUpOver({label.rect.left + 5, label.rect.top + 5}), switchOn);
        hideStation();
    }
}

TEST_F(RadioStationMission, TheEndMissionButtonsNameIsEngravedWhereItCanBeRead) {
    startAtThirtyFeet();
    openRoom();
    // Pale label strokes (the engraving colour of the room's labels) by the covered button.
    const StationControlRow& end = kRadioEndMission;
    EXPECT_GE(palePixels(Rect{end.x - 8, end.y - 4, end.x + end.width + 8, end.y + end.height + 20}), 40)
        << "the name, not a dark red on the red cover";
}

} // namespace
} // namespace q71::test
