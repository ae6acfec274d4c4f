// The network session: without a network game, and the remote-player table the replay log names
// the other players' boats by, over a game hosted on loopback in this process.
#include "multiplayer/mp_session.h"
#include "multiplayer/multi_player_game.h"
#include "multiplayer/support/loopback.h"
#include "platform/window/clock.h"
#include "sim/services/sim_services.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace q71 {
namespace {

TEST(MpSession, ResettingForgetsThePlayersAndTheLocalId) {
    MpSession& session = mpSession();
    session.localPlayerId = 3;
    session.playerCount = 4;
    session.playerSlot = 2;
    session.remotePlayers.push_back({7, "Ondine"});
    mpResetState();
    EXPECT_EQ(session.localPlayerId, -1);
    EXPECT_EQ(session.playerCount, 0);
    EXPECT_EQ(session.playerSlot, 0);
    EXPECT_TRUE(session.remotePlayers.empty());
}

TEST(MpSession, WithoutAGamePollingAndEndingAreSafeAndTheShellSeesNoGame) {
    ASSERT_EQ(simNetworkGame(), nullptr);
    mpPoll();
    mpShutdown();
    mpShutdown();
    EXPECT_FALSE(mpShellNetwork().gameExists());
    EXPECT_EQ(simNetworkGame(), nullptr);
}

std::unique_ptr<MultiPlayerGame> joinOnLoopback(const char* name) {
    NetError error;
    auto client = MultiPlayerGame::join(name, {0x7F000001, mpGame()->port()}, error);
    EXPECT_TRUE(client) << error.text();
    if (client) {
        EXPECT_TRUE(test::pollUntil(
            [&] {
                mpPoll();
                client->poll();
            },
            [&] { return client->connected(); }));
    }
    return client;
}

// A game installed as the lobby installs it, ended with the test whatever the test's outcome.
class HostedSession : public ::testing::Test {
protected:
    void TearDown() override { mpResetState(); }
};

TEST_F(HostedSession, TheMissionsPlayersAreNamedAfterTheyLeaveAndOnlyThey) {
    FakeClock clock;
    NetError error;
    mpInstallGame(MultiPlayerGame::host("Nemo", 0, std::nullopt, clock, error));
    ASSERT_NE(mpGame(), nullptr) << error.text();
    const ScenarioFacts duel{4096, 0xC0FFEE, 2};
    const auto lookup = [&](const std::string&) { return std::optional<ScenarioFacts>(duel); };
    mpGame()->setScenarioLookup(lookup);
    auto ondine = joinOnLoopback("Ondine");
    auto aronnax = joinOnLoopback("Aronnax");
    ASSERT_TRUE(ondine && aronnax);
    ondine->setScenarioLookup(lookup);
    const auto pollAll = [&] {
        mpPoll();
        for (auto* client : {ondine.get(), aronnax.get()})
            if (client)
                client->poll();
    };
    ASSERT_TRUE(test::pollUntil(pollAll, [&] { return mpGame()->players().size() == 3; }));
    EXPECT_EQ(mpRemotePlayerName(3), "Aronnax");

    // Aronnax leaves the lobby: the mission will number its first unit 3, which is nobody's boat.
    aronnax->leave();
    aronnax.reset();
    ASSERT_TRUE(test::pollUntil(pollAll, [&] { return mpGame()->players().size() == 2; }));
    mpGame()->chooseScenario({"Duel.scm", duel.size, duel.crc});
    ASSERT_TRUE(test::pollUntil(pollAll, [&] {
        const auto& players = mpGame()->players();
        return std::all_of(players.begin(), players.end(),
                           [](const LobbyPlayer& p) { return p.scenario == ScenarioCheck::Has; });
    }));
    std::string why;
    ASSERT_TRUE(mpGame()->start(77, duel.ownShipStarts, why)) << why;
    mpGame()->setGameActive(true);
    ASSERT_TRUE(test::pollUntil(pollAll, [&] { return ondine->started().has_value(); }));

    // Ondine leaves the mission: her boat stays hers, as it does at the peers she left behind.
    ondine->leave();
    ondine.reset();
    ASSERT_TRUE(test::pollUntil(pollAll, [&] { return mpGame()->players().size() == 1; }));
    ASSERT_NE(simNetworkGame(), nullptr);
    EXPECT_EQ(simNetworkGame()->remotePlayerName(2), "Ondine");
    EXPECT_EQ(simNetworkGame()->remotePlayerName(3), std::nullopt);
    EXPECT_EQ(simNetworkGame()->remotePlayerName(1), std::nullopt) << "the own boat is named by its scenario";
}

} // namespace
} // namespace q71
