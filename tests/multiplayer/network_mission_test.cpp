// A two-player start of the data set's duel in one process, over loopback: the lobby's start
// reaches the client, whose world is built from the host's seed with its own boat at the second
// start, the host's boat a remote "Whale" at the first and the scenario's unit the host's to move;
// then the host's messages move that unit, hit the client's boat, pause it (once, however often
// it says so) and set its clock; and when the host's program dies, its pause goes with it.
#include "multiplayer/multi_player_game.h"
#include "multiplayer/network_mission.h"
#include "multiplayer/peer_world.h"
#include "multiplayer/scenario_facts.h"
#include "multiplayer/support/duel_script.h"
#include "multiplayer/support/loopback.h"
#include "multiplayer/support/network_mission_world.h"
#include "multiplayer/support/recording_peers.h"
#include "sim/entities/motion/motion_model.h"
#include "sim/services/sim_services.h"
#include "sim/simulation/world_lists.h"

#include <gtest/gtest.h>

#include <bit>

namespace q71 {
namespace {

using test::pollUntil;

class NetworkMission : public test::NetworkMissionWorld {
protected:
    void pollBoth() {
        host->poll();
        client->poll();
    }

    FakeClock clock;
    test::FakeTimeSource time;
    test::RecordingLobby hostLobby, clientLobby;
    test::RecordingWorld hostWorld;
    std::unique_ptr<MultiPlayerGame> host, client;
};

TEST_F(NetworkMission, TheDuelStartsAtBothPeersAndTheHostsMessagesPlayOnTheClient) {
    NetError error;
    host = MultiPlayerGame::host("Nemo", 0, std::nullopt, clock, error);
    ASSERT_TRUE(host) << error.text();
    client = MultiPlayerGame::join("Ondine", {0x7F000001, host->port()}, error);
    ASSERT_TRUE(client) << error.text();
    host->setListener(&hostLobby);
    host->setPeerWorld(&hostWorld);
    client->setListener(&clientLobby);
    client->setPeerWorld(&simPeerWorld());
    client->setScenarioLookup([](const std::string& name) { return scenarioFacts(name); });
    ASSERT_TRUE(
        pollUntil([&] { pollBoth(); }, [&] { return host->players().size() == 2 && client->connected(); }));

    const std::optional<ScenarioFacts> duel = scenarioFacts("Duel.scm");
    ASSERT_TRUE(duel);
    EXPECT_EQ(duel->ownShipStarts, 2);
    client->setSide(2);
    host->chooseScenario({"Duel.scm", duel->size, duel->crc});
    ASSERT_TRUE(pollUntil(
        [&] { pollBoth(); },
        [&] { return host->players()[1].scenario == ScenarioCheck::Has && host->players()[1].side == 2; }));
    std::string why;
    ASSERT_TRUE(host->start(4242, duel->ownShipStarts, why)) << why;
    ASSERT_TRUE(pollUntil([&] { pollBoth(); }, [&] { return !clientLobby.starts.empty(); }));

    // The client's world: what the simulation sees is the client's game.
    simSetNetworkGame(client.get());
    ASSERT_TRUE(mpStartMission(*client, clientLobby.starts[0], "Duel.scm", why)) << why;
    simStartRunning();
    EXPECT_EQ(client->missionSeed(), 4242u);
    EXPECT_TRUE(client->gameActive());

    Entity* own = worldOwnShip();
    ASSERT_TRUE(own);
    EXPECT_EQ(own->id, 2);
    EXPECT_EQ(own->side, 2);
    Entity* hostBoat = worldFindEntity(1);
    ASSERT_TRUE(hostBoat);
    EXPECT_EQ(hostBoat->remote, 1);
    EXPECT_EQ(hostBoat->side, 1);
    test::expectAtTheDuelsStarts(*own, *hostBoat);
    // The trawler counts after the two players, and is the host's to move.
    Entity* trawler = worldFindEntity(3);
    ASSERT_TRUE(trawler);
    EXPECT_EQ(trawler->remote, 1);
    EXPECT_EQ(trawler->controller, nullptr);

    const double ownX = own->motion->x;
    // The host's world, started from the same scenario and seed, numbers its entities alike.
    host->setGameActive(true);
    host->setLastSharedEntity(entityIdCounter());
    host->sendEntityState({3, 0, 270000.0, 281000.0, 0.0, 1.5, 45.0, 0.0, 0.0});
    host->sendEntityState({2, 0, 1.0, 1.0, 0.0, 0.0, 0.0, 0.0, 0.0}); // the client's own boat: not the host's
    host->sendDamage(0.25, 1, 2, false);
    host->sendControl(0, 1);
    host->sendControl(0, 1);
    const auto clockBits = std::bit_cast<std::uint64_t>(60.0);
    host->sendEventWithPair(9, static_cast<std::uint32_t>(clockBits),
                            static_cast<std::uint32_t>(clockBits >> 32), -1);
    ASSERT_TRUE(pollUntil([&] { pollBoth(); }, [&] { return simClock().gameClock == 60.0; }));
    EXPECT_DOUBLE_EQ(trawler->motion->x, 270000.0);
    EXPECT_DOUBLE_EQ(trawler->motion->heading, 45.0);
    EXPECT_DOUBLE_EQ(own->motion->x, ownX);
    EXPECT_LT(own->hull, 1.0);
    EXPECT_EQ(simClock().pauseCount, 1);
    test::duelPass(time, 1.0);
    EXPECT_EQ(simClock().gameClock, 60.0);

    // The paused host's program dies: the client's world runs on.
    host.reset();
    ASSERT_TRUE(pollUntil([&] { client->poll(); },
                          [&] { return client->hostState() == MultiPlayerGame::HostState::Left; }));
    EXPECT_EQ(simClock().pauseCount, 0);
    test::duelPass(time, 1.0);
    EXPECT_DOUBLE_EQ(simClock().gameClock, 61.0);
}

} // namespace
} // namespace q71
