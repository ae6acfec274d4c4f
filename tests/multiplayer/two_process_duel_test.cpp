// The duel between two processes over loopback: this test is the client, the peer program
// (tests/peers/duel_peer.cpp) the host, each with a world of its own. The host's advert is heard
// on a port chosen here, the client joins, chats both ways and asks for the duel; then each boat
// stands at its start in the client's world, the host's boat, turned in the host's world, turns
// in the client's too, the clocks agree after a game minute in both, the host's hit and pause
// reach the client, a blast among weapons each side made names only what both know, and the
// host's leaving gives the client the host's loss (1106 with 0).
#include "framework/textmngr/text_manager.h"
#include "multiplayer/host_advert.h"
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

#include <algorithm>
#include <chrono>
#include <cmath>
#include <sstream>
#include <csignal>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <vector>

extern char** environ;

namespace q71 {
namespace {

using namespace test;
using std::chrono::seconds;

// The peer loads the data set under the sanitizers before it advertises: give it time.
constexpr seconds kPeerLimit{60};

class TwoProcessDuel : public NetworkMissionWorld {
protected:
    ~TwoProcessDuel() override {
        if (peer > 0) {
            ::kill(peer, SIGKILL);
            ::waitpid(peer, nullptr, 0);
        }
    }

    void startPeer(std::uint16_t advertPort) {
        std::vector<std::string> variables;
        for (char** v = environ; *v; ++v)
            variables.emplace_back(*v);
        variables.push_back(std::string(kDuelAdvertPortVariable) + "=" + std::to_string(advertPort));
        std::vector<char*> envp;
        for (std::string& v : variables)
            envp.push_back(v.data());
        envp.push_back(nullptr);
        std::string program = Q71_DUEL_PEER;
        char* argv[] = {program.data(), nullptr};
        ASSERT_EQ(::posix_spawn(&peer, program.c_str(), nullptr, nullptr, argv, envp.data()), 0) << program;
    }

    /// The peer's exit status once it ended, waiting at most `limit`; -1 when it did not end.
    int peerExit(seconds limit) {
        int status = 0;
        const bool ended = pollUntil([] {}, [&] { return ::waitpid(peer, &status, WNOHANG) == peer; }, limit);
        if (!ended)
            return -1;
        peer = -1;
        return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    }

    bool until(const std::function<bool()>& done, seconds limit = kPeerLimit) {
        return pollUntil([&] { client->poll(); }, done, limit);
    }

    /// Asks the host by chat and waits for its answer, in the lobby or in the mission.
    bool ask(const std::string& what, const std::string& answer) {
        client->sendChat(what);
        const std::string heard = duelChatLine(kDuelHostName, answer);
        return until([&] {
            return lobby.saw(heard) || std::find(world.chat.begin(), world.chat.end(), heard) != world.chat.end();
        });
    }

    /// Runs this world `gameSeconds` in the main loop's passes, reading the host between them.
    void run(double gameSeconds) {
        for (int pass = 0; pass < static_cast<int>(std::lround(gameSeconds / kDuelPassSeconds)); ++pass) {
            duelPass(time, kDuelPassSeconds);
            client->poll();
        }
    }

    pid_t peer = -1;
    FakeTimeSource time;
    RecordingLobby lobby;
    HeardWorld world;
    std::unique_ptr<MultiPlayerGame> client;
};

TEST_F(TwoProcessDuel, TheHostsAdvertJoinChatStartMovesHitPauseClockAndLeaving) {
    SteadyClock clock;
    NetError error;
    auto listener = AdvertListener::open(0, clock, error);
    ASSERT_TRUE(listener) << error.text();
    startPeer(listener->port());

    ASSERT_TRUE(pollUntil([&] { listener->poll(); }, [&] { return !listener->hosts().empty(); }, kPeerLimit));
    const HeardHost heard = listener->hosts()[0];
    EXPECT_EQ(heard.advert.hostName, kDuelHostName);
    EXPECT_EQ(heard.advert.players, 1);
    EXPECT_EQ(heard.address.ip >> 24, 127u);

    client = MultiPlayerGame::join(kDuelClientName, heard.address, error);
    ASSERT_TRUE(client) << error.text();
    client->setListener(&lobby);
    client->setPeerWorld(&world);
    client->setScenarioLookup([](const std::string& name) { return scenarioFacts(name); });
    ASSERT_TRUE(until([&] { return client->connected() && client->players().size() == 2; }));
    EXPECT_EQ(client->ownPlayerId(), 2);

    // Chat both ways: the host answers only a greeting it heard.
    ASSERT_TRUE(ask(kAskGreeting, kAnswerWelcome));

    client->setSide(2);
    client->sendChat(kAskDuel);
    ASSERT_TRUE(until([&] { return !lobby.starts.empty(); }));
    EXPECT_EQ(lobby.starts[0].seed, kDuelSeed);
    simSetNetworkGame(client.get());
    std::string why;
    ASSERT_TRUE(mpStartMission(*client, lobby.starts[0], "Duel.scm", why)) << why;
    simStartRunning();

    Entity* own = worldOwnShip();
    Entity* hostBoat = worldFindEntity(1);
    ASSERT_TRUE(own && own->motion && hostBoat && hostBoat->motion);
    EXPECT_EQ(own->id, 2);
    EXPECT_EQ(hostBoat->remote, 1);
    expectAtTheDuelsStarts(*own, *hostBoat);
    const double hostX = hostBoat->motion->x, hostY = hostBoat->motion->y;

    // Both worlds run a game minute, this one first: run side by side, the faster process would
    // set the other's clock on ahead of it (the host's clock is the shared one), however loaded
    // the machine. The host's boat is under way in its own world.
    run(kDuelRunSeconds);
    client->sendChat(kAskRun);
    const std::string clockPrefix = duelChatLine(kDuelHostName, kAnswerClock);
    ASSERT_TRUE(until([&] { return !world.lastAfter(clockPrefix).empty(); }));
    double hostClock = -1, x = 0, y = 0, heading = -1;
    std::istringstream(world.lastAfter(clockPrefix)) >> hostClock >> x >> y >> heading;
    // The host turned its boat north: here it went where the host's world has it (its last state
    // came just ahead of the answer).
    EXPECT_GT(std::hypot(hostBoat->motion->x - hostX, hostBoat->motion->y - hostY), 50.0);
    EXPECT_LT(std::hypot(hostBoat->motion->x - x, hostBoat->motion->y - y), 40.0);
    EXPECT_NEAR(hostBoat->motion->heading, heading, 5.0);
    EXPECT_GT(std::fabs(std::remainder(heading - 90.0, 180.0)), 10.0) << "the host's boat turned";
    // Each world ran its own game minute.
    EXPECT_GE(hostClock, kDuelRunSeconds - kDuelPassSeconds);
    EXPECT_NEAR(simClock().gameClock, hostClock, 1.0);

    // The host's boat hits this one.
    const double hull = own->hull;
    ASSERT_TRUE(ask(kAskHit, std::string(kAnswerDone) + " " + kAskHit));
    EXPECT_LT(own->hull, hull);

    // The host pauses: the pause is locked here and this world stands until the host resumes.
    ASSERT_TRUE(ask(kAskPause, std::string(kAnswerDone) + " " + kAskPause));
    using Locks = std::vector<std::pair<std::int32_t, int>>;
    EXPECT_EQ(world.locks, (Locks{{1, 1}}));
    EXPECT_GT(simClock().pauseCount, 0);
    const double pausedAt = simClock().gameClock;
    run(5.0);
    EXPECT_EQ(simClock().gameClock, pausedAt);
    ASSERT_TRUE(ask(kAskResume, std::string(kAnswerDone) + " " + kAskResume));
    EXPECT_EQ(world.locks, (Locks{{1, 1}, {1, 0}}));
    EXPECT_EQ(simClock().pauseCount, 0);
    run(5.0);
    EXPECT_NEAR(simClock().gameClock, pausedAt + 5.0, 1e-6);

    // Each world puts out a torpedo and a decoy of its own, which each numbers alike; then the
    // host's torpedo goes off at this boat with the host's decoy in reach. The hit is booked to
    // the host's boat, and what this world made of its own is untouched.
    const auto [torpedo, decoy] = duelWeapons(*own);
    const std::size_t damagesBefore = world.damages.size();
    const double hullBefore = own->hull;
    ASSERT_TRUE(ask(kAskBlast, std::string(kAnswerDone) + " " + kAskBlast));
    int hostTorpedo = 0, hostDecoy = 0;
    std::istringstream(world.lastAfter(duelChatLine(kDuelHostName, kAnswerWeapons))) >> hostTorpedo >>
        hostDecoy;
    ASSERT_EQ(hostTorpedo, torpedo) << "each world numbers what it makes after the start alike";
    ASSERT_EQ(hostDecoy, decoy);
    ASSERT_EQ(world.damages.size(), damagesBefore + 1);
    EXPECT_EQ(world.damages.back().targetId, own->id);
    EXPECT_EQ(world.damages.back().attackerId, hostBoat->id);
    EXPECT_LT(own->hull, hullBefore);
    for (const std::int32_t mine : {torpedo, decoy}) {
        const Entity* weapon = worldFindEntity(mine);
        ASSERT_TRUE(weapon);
        EXPECT_EQ(weapon->removeFlag, 0) << mine;
    }

    // The host leaves: its loss is said here, and its program ends well.
    client->sendChat(kAskLeave);
    ASSERT_TRUE(until([&] { return !world.leavers.empty(); }));
    EXPECT_EQ(world.leavers, std::vector<std::int32_t>{0});
    EXPECT_TRUE(lobby.saw(builtinText(14)));
    EXPECT_FALSE(client->connected());
    EXPECT_EQ(peerExit(kPeerLimit), 0);
}

} // namespace
} // namespace q71
