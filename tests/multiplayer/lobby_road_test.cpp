// The road from the network lobby into a mission, at the host and at a client, the other peer
// a game of its own in the same process over loopback: the lobby's start builds the duel and
// shows the host screen; in the mission a peer's pause holds the world and the pause button
// until that peer goes; and the mission ends through the state room on the debriefing, whose
// result books the duel's survival at either peer as the scoring gives it.
#include "framework/app/app_services.h"
#include "framework/app/full_screen.h"
#include "framework/app/screen_manager.h"
#include "framework/app/station_table.h"
#include "framework/widgets/simple_button.h"
#include "frontend/debrief/debrief_screen.h"
#include "frontend/frontend_services.h"
#include "frontend/stateroom/stateroom.h"
#include "frontend/stateroom/stateroom_layout.h"
#include "host_mission_fixture.h"
#include "multiplayer/scenario_facts.h"
#include "multiplayer/support/lobby_driver.h"
#include "multiplayer/support/loopback.h"
#include "multiplayer/support/recording_peers.h"
#include "platform/window/virtual_keys.h"
#include "sim/entities/entity.h"
#include "sim/scoring/mission_world.h"
#include "sim/scoring/scoring_state.h"
#include "sim/services/shell_simulation.h"
#include "sim/simulation/sim_clock.h"
#include "sim/simulation/world_lists.h"
#include "sim/simulation/world_mission_facts.h"
#include "stations/geninfo/gen_info.h"
#include "support/screen_picture.h"

#include <gtest/gtest.h>

namespace q71 {
namespace {

constexpr int kPausedState = 1, kRunningState = 2;

class LobbyRoad : public test::LobbyDriver<test::HostMissionFixture> {
protected:
    LobbyRoad() {
        // The program's network and scoring services, as it installs them.
        appInstallServices({nullptr, nullptr, &simShellSimulation(), &simShellWorldStep(),
                            &frontEndShellServices(), &mpShellNetwork()});
        scoringSetWorld(&worldMissionFacts());
        stateroomRegister();
        lobbyOnLoopback();
        // The menu built before the lobby's maker was registered had no line for it.
        screenDestroy(kSlotMainMenu);
        screenEnterMainMenu();
        pump();
    }
    ~LobbyRoad() override {
        stationRegisterMaker(kStationStateroom, nullptr);
        screenDestroy(kSlotDebrief);
        scoringSetWorld(nullptr);
        scoringState() = ScoringState{};
    }

    /// The other peer: a game of its own, polled between the program's passes.
    void wire(MultiPlayerGame& game) {
        game.setListener(&otherLobby);
        game.setPeerWorld(&otherWorld);
        game.setScenarioLookup([](const std::string& name) { return scenarioFacts(name); });
    }

    /// Runs the program's idle passes (the network's poll, messages, the world and the screens)
    /// and the other peer's until `done`.
    bool until(const std::function<bool()>& done) {
        return test::pollUntil(
            [&] {
                if (other)
                    other->poll();
                appNetwork().poll();
                play(50);
            },
            done);
    }

    GenInfo& hostScreen() { return *static_cast<GenInfo*>(screenGet(kSlotGenInfo)); }

    /// The station a network mission is ended from (the only one these tests build).
    void showStateroom() {
        hostScreen().selectStation(kStationStateroom);
        pump();
    }

    /// Ends the mission as a player does: the state room's "end of mission".
    const std::string& endThroughTheStateroom() {
        showStateroom();
        using namespace stateroom_layout;
        clickAt(Point{kEndX + kButtonWidth / 2, kButtonY + kButtonHeight / 2});
        EXPECT_EQ(screenCurrentIndex(), kSlotDebrief);
        static const std::string none;
        const auto* debrief = static_cast<const DebriefScreen*>(screenGet(kSlotDebrief));
        return debrief ? debrief->resultText() : none;
    }

    FakeClock netClock;
    std::unique_ptr<MultiPlayerGame> other;
    test::RecordingLobby otherLobby;
    test::RecordingWorld otherWorld;
};

// What the debriefing says of the duel won by surviving: its survival goal, 200 points, grade 5.
void expectTheDuelSurvived(const std::string& result) {
    for (const char* part : {"Mission accomplie.", "Score : 200", "Note : 5 / 5",
                             "Objectifs atteints :\n- Survie jusqu'\xE0 la fin de la mission"})
        EXPECT_NE(result.find(part), std::string::npos) << part << " in\n" << result;
}

TEST_F(LobbyRoad, TheHostStartsTheDuelFromItsLobbyAndEndsItAloneOnASurvival) {
    MultiSuite& lobby = enterLobby();
    lobby.setScenarioChooser([] { return std::optional<std::string>("Duel.scm"); });
    clickButton(MultiSuite::kHost);
    ASSERT_NE(mpGame(), nullptr);
    NetError error;
    other = MultiPlayerGame::join("Ondine", {0x7F000001, mpGame()->port()}, error);
    ASSERT_TRUE(other) << error.text();
    wire(*other);
    ASSERT_TRUE(until([&] { return other->connected(); }));
    other->setSide(2);
    clickButton(MultiSuite::kScenario);
    ASSERT_TRUE(until([&] { return holds(*lobby.players(), "Ondine \x97 Camp 2, a le sc\xE9nario"); }));

    clickButton(MultiSuite::kStart);
    ASSERT_EQ(screenCurrentIndex(), kSlotGenInfo);
    ASSERT_TRUE(until([&] { return !otherLobby.starts.empty(); }));
    EXPECT_EQ(otherLobby.starts[0].seed, mpGame()->missionSeed());
    const Entity* own = worldOwnShip();
    ASSERT_TRUE(own);
    EXPECT_EQ(own->id, 1);
    const Entity* opponent = worldFindEntity(2);
    ASSERT_TRUE(opponent);
    EXPECT_EQ(opponent->remote, 1);
    EXPECT_EQ(opponent->side, 2);
    showStateroom();
    play(1000);
    test::saveScreenPicture("network-host-mission");

    // The opponent leaves: the host's log says so, and the host ends the mission on its own.
    other->leave();
    ASSERT_TRUE(until([&] { return mpGame()->players().size() == 1; }));
    expectTheDuelSurvived(endThroughTheStateroom());
    EXPECT_EQ(mpGame(), nullptr) << "the debriefing ends the network game";
    test::saveScreenPicture("network-host-debriefing");
}

TEST_F(LobbyRoad, AClientStartsFromItsLobbyOutlivesItsPausedHostAndEndsOnASurvival) {
    NetError error;
    other = MultiPlayerGame::host("Nemo", 0, std::nullopt, netClock, error);
    ASSERT_TRUE(other) << error.text();
    wire(*other);
    MultiSuite& lobby = enterLobby();
    type("127.0.0.1:" + std::to_string(other->port()));
    press(VK_RETURN, '\r');
    ASSERT_TRUE(until([&] { return mpGame() && mpGame()->connected(); }));
    clickButton(MultiSuite::kSide2);
    const std::optional<ScenarioFacts> duel = scenarioFacts("Duel.scm");
    ASSERT_TRUE(duel);
    other->chooseScenario({"Duel.scm", duel->size, duel->crc});
    ASSERT_TRUE(until([&] {
        return other->players().size() == 2 && other->players()[1].scenario == ScenarioCheck::Has &&
               other->players()[1].side == 2;
    }));
    EXPECT_TRUE(holds(*lobby.players(), "Triton \x97 Camp 2, a le sc\xE9nario"));

    std::string why;
    ASSERT_TRUE(other->start(4242, duel->ownShipStarts, why)) << why;
    ASSERT_TRUE(until([&] { return screenCurrentIndex() == kSlotGenInfo; }));
    EXPECT_EQ(mpGame()->missionSeed(), 4242u);
    const Entity* own = worldOwnShip();
    ASSERT_TRUE(own);
    EXPECT_EQ(own->id, 2);
    EXPECT_EQ(own->side, 2);
    ASSERT_TRUE(worldFindEntity(1));
    EXPECT_EQ(worldFindEntity(1)->remote, 1);
    other->setGameActive(true);
    other->setLastSharedEntity(entityIdCounter());
    showStateroom();

    // The host pauses, twice over: the world stands and the pause button is held.
    SimpleButton& pause = hostScreen().pauseButton();
    other->sendControl(0, 1);
    other->sendControl(0, 1);
    ASSERT_TRUE(until([&] { return !pause.isClickable(); }));
    EXPECT_EQ(pause.getState(), kPausedState);
    EXPECT_EQ(simClock().pauseCount, 1);
    clickAt(Point{pause.getX() + 50, pause.getY() + 15});
    EXPECT_EQ(pause.getState(), kPausedState) << "held by the host's pause";
    const double pausedAt = simClock().gameClock;
    play(2000);
    EXPECT_EQ(simClock().gameClock, pausedAt);
    test::saveScreenPicture("network-client-paused");

    // The host's program dies while paused: the clock runs on and the button comes back.
    other.reset();
    ASSERT_TRUE(until([&] { return pause.isClickable(); }));
    EXPECT_EQ(pause.getState(), kRunningState);
    EXPECT_EQ(simClock().pauseCount, 0);
    // The player's own pause works again, and ends again.
    clickAt(Point{pause.getX() + 50, pause.getY() + 15});
    EXPECT_EQ(pause.getState(), kPausedState);
    EXPECT_EQ(simClock().pauseCount, 1);
    clickAt(Point{pause.getX() + 50, pause.getY() + 15});
    EXPECT_EQ(simClock().pauseCount, 0);
    play(2000);
    EXPECT_GT(simClock().gameClock, pausedAt + 1.0);
    test::saveScreenPicture("network-client-host-gone");

    expectTheDuelSurvived(endThroughTheStateroom());
    test::saveScreenPicture("network-client-debriefing");
}

} // namespace
} // namespace q71
