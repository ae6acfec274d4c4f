// The network session without a network game.
#include "multiplayer/mp_session.h"
#include "sim/services/sim_services.h"

#include <gtest/gtest.h>

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

} // namespace
} // namespace q71
