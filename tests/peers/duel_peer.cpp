// The host of the two-process duel, a program of its own that tests/multiplayer/
// two_process_duel_test.cpp runs: it advertises on the test's advert port, greets the client that
// joins when greeted, starts the data set's duel when asked, then does what the client asks by chat (run the
// world, hit its boat, pause, resume, blow a torpedo up at it, leave) and answers by chat. Bounded
// in real time and passes.
#include "multiplayer/multi_player_game.h"
#include "multiplayer/network_mission.h"
#include "multiplayer/scenario_facts.h"
#include "multiplayer/support/duel_script.h"
#include "multiplayer/support/loopback.h"
#include "multiplayer/support/network_mission_world.h"
#include "multiplayer/support/recording_peers.h"
#include "sim/entities/motion/motion_model.h"
#include "sim/simulation/sim_clock.h"
#include "sim/simulation/world_lists.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <string>
#include <thread>

namespace q71 {
namespace {

using namespace test;

// The host turns its boat north, which the scenario does not do: the client sees it only by messages.
constexpr double kOrderedCourse = 0.0;

class DuelPeer : public NetworkMissionWorld {
protected:
    void SetUp() override {
        const char* port = std::getenv(kDuelAdvertPortVariable);
        ASSERT_TRUE(port) << kDuelAdvertPortVariable << " is not set: the two-process test runs this program";
        NetError error;
        const std::optional<NetAddress> broadcast =
            NetAddress::parse("127.255.255.255", static_cast<std::uint16_t>(std::atoi(port)));
        ASSERT_TRUE(broadcast);
        game = MultiPlayerGame::host(kDuelHostName, 0, broadcast, clock, error);
        ASSERT_TRUE(game) << error.text();
        game->setListener(&lobby);
        game->setPeerWorld(&world);
        game->setScenarioLookup([](const std::string& name) { return scenarioFacts(name); });
        simSetNetworkGame(game.get());
    }

    // The client's next ask, from the lobby's lines or, in the mission, from the chat.
    std::optional<std::string> nextAsk() {
        const std::string prefix = duelChatLine(kDuelClientName, "");
        for (auto* lines : {&lobby.lines, &world.chat}) {
            std::size_t& seen = lines == &lobby.lines ? lobbySeen : chatSeen;
            while (seen < lines->size()) {
                const std::string& line = (*lines)[seen++];
                if (line.rfind(prefix, 0) == 0)
                    return line.substr(prefix.size());
            }
        }
        return std::nullopt;
    }

    void startDuel() {
        const std::optional<ScenarioFacts> duel = scenarioFacts("Duel.scm");
        ASSERT_TRUE(duel);
        game->chooseScenario({"Duel.scm", duel->size, duel->crc});
        const auto& players = game->players();
        ASSERT_TRUE(pollUntil([&] { game->poll(); },
                              [&] {
                                  return players.size() == 2 && players[1].scenario == ScenarioCheck::Has &&
                                         players[1].side == 2;
                              }));
        std::string why;
        ASSERT_TRUE(game->start(kDuelSeed, duel->ownShipStarts, why)) << why;
        ASSERT_EQ(lobby.starts.size(), 1u);
        ASSERT_TRUE(mpStartMission(*game, lobby.starts[0], "Duel.scm", why)) << why;
        simStartRunning();
        Entity* own = worldOwnShip();
        ASSERT_TRUE(own && own->motion);
        own->motion->setOrderedCourse(kOrderedCourse);
    }

    void run() {
        for (int pass = 0; pass < static_cast<int>(kDuelRunSeconds / kDuelPassSeconds); ++pass) {
            duelPass(time, kDuelPassSeconds);
            game->poll();
        }
        // The boat's last state goes ahead of the answer: the states come every few game seconds,
        // so the client, whose world stood still or ran on while they travelled, sees the boat
        // where this world has it however the two processes were paced.
        const Entity& own = *worldOwnShip();
        const MotionModel& boat = *own.motion;
        game->sendEntityState({static_cast<std::uint32_t>(own.id), static_cast<std::uint32_t>(boat.sinking), boat.x,
                               boat.y, boat.z, boat.speed, boat.heading, boat.pitch, boat.roll});
        game->sendChat(kAnswerClock + std::to_string(simClock().gameClock) + " " + std::to_string(boat.x) + " " +
                       std::to_string(boat.y) + " " + std::to_string(boat.heading));
    }

    void hit() {
        Entity* target = worldFindEntity(2);
        ASSERT_TRUE(target);
        target->applyDamage(0.25, worldOwnShip(), false, true, true);
    }

    // The blast of a weapon hits every hull in its reach, the weapon's own side's too.
    void blast() {
        const auto [torpedoId, decoyId] = duelWeapons(*worldOwnShip());
        Entity* torpedo = worldFindEntity(torpedoId);
        Entity* clientBoat = worldFindEntity(2);
        ASSERT_TRUE(torpedo && clientBoat);
        game->sendChat(kAnswerWeapons + std::to_string(torpedoId) + " " + std::to_string(decoyId));
        for (Entity* hull : {clientBoat, worldFindEntity(decoyId)})
            hull->applyDamage(0.25, torpedo, true, true, true);
        torpedo->markForRemoval();
    }

    void pause(bool on) {
        simPause(on);
        game->sendControl(0, on ? 1 : 0);
    }

    SteadyClock clock;
    FakeTimeSource time;
    RecordingLobby lobby;
    HeardWorld world;
    std::unique_ptr<MultiPlayerGame> game;
    std::size_t lobbySeen = 0, chatSeen = 0;
};

TEST_F(DuelPeer, HostsTheDuelAndDoesWhatTheClientAsks) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(120);
    for (int i = 0; i < 100000 && std::chrono::steady_clock::now() < deadline; ++i) {
        game->poll();
        const std::optional<std::string> ask = nextAsk();
        if (!ask) {
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
            continue;
        }
        if (*ask == kAskGreeting)
            game->sendChat(kAnswerWelcome);
        else if (*ask == kAskDuel)
            startDuel();
        else if (*ask == kAskRun)
            run();
        else if (*ask == kAskHit)
            hit();
        else if (*ask == kAskPause)
            pause(true);
        else if (*ask == kAskResume)
            pause(false);
        else if (*ask == kAskBlast)
            blast();
        else if (*ask == kAskLeave) {
            game->leave();
            return;
        }
        if (::testing::Test::HasFatalFailure())
            return;
        if (*ask != kAskRun && *ask != kAskGreeting)
            game->sendChat(kAnswerDone + std::string(" ") + *ask);
    }
    FAIL() << "the client never asked to leave";
}

} // namespace
} // namespace q71
