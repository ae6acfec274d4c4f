// The network game over loopback in one process: a host and clients joining it, the lobby's
// sides, scenario and start with its refusals, chat, the mission's messages checked by who sent
// them, and hostile streams that get their sender dropped while the game goes on.
#include "framework/textmngr/text_manager.h"
#include "multiplayer/multi_player_game.h"
#include "multiplayer/support/loopback.h"
#include "multiplayer/support/recording_peers.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <chrono>
#include <thread>

namespace q71 {
namespace {

using test::pollUntil;
using test::RecordingLobby;
using test::RecordingWorld;

const NetAddress kLoopback{0x7F000001, 0};

struct Peer {
    std::unique_ptr<MultiPlayerGame> game;
    RecordingLobby lobby;
    RecordingWorld world;
};

class NetworkGame2 : public ::testing::Test {
protected:
    void SetUp() override {
        std::string error;
        host.game = MultiPlayerGame::host("Nemo", 0, std::nullopt, clock, error);
        ASSERT_TRUE(host.game) << error;
        wire(host);
    }

    void wire(Peer& peer) {
        peer.game->setListener(&peer.lobby);
        peer.game->setPeerWorld(&peer.world);
        peer.game->setScenarioLookup([this](const std::string& name) -> std::optional<ScenarioFacts> {
            return name == "Duel.scm" ? std::optional<ScenarioFacts>(duelHere) : std::nullopt;
        });
    }

    Peer& join(const char* name) {
        auto peer = std::make_unique<Peer>();
        std::string error;
        peer->game = MultiPlayerGame::join(name, {kLoopback.ip, host.game->port()}, error);
        EXPECT_TRUE(peer->game) << error;
        wire(*peer);
        clients.push_back(std::move(peer));
        Peer& joined = *clients.back();
        EXPECT_TRUE(pollUntil([&] { pollAll(); }, [&] { return joined.game->connected(); }));
        return joined;
    }

    void pollAll() {
        host.game->poll();
        for (auto& c : clients)
            c->game->poll();
    }

    // Polls until every peer has heard what `done` waits for.
    void settle(const std::function<bool()>& done) {
        ASSERT_TRUE(pollUntil([&] { pollAll(); }, done));
    }

    void startDuel(Peer& client) {
        host.game->chooseScenario({"Duel.scm", duelHere.size, duelHere.crc});
        const auto& players = host.game->players();
        settle([&] {
            return std::all_of(players.begin(), players.end(),
                               [](const LobbyPlayer& p) { return p.hasScenario; });
        });
        std::string why;
        ASSERT_TRUE(host.game->start(77, static_cast<std::int32_t>(players.size()), why)) << why;
        settle([&] { return !client.lobby.starts.empty(); });
        host.game->setGameActive(true);
        client.game->setGameActive(true);
    }

    FakeClock clock;
    ScenarioFacts duelHere{4096, 0xC0FFEE, 2};
    Peer host;
    std::vector<std::unique_ptr<Peer>> clients;
};

TEST_F(NetworkGame2, PlayersJoinChooseSidesAndChatBothWays) {
    Peer& ondine = join("Ondine");
    settle([&] { return ondine.game->players().size() == 2; });
    EXPECT_EQ(ondine.game->ownPlayerId(), 2);
    EXPECT_TRUE(host.lobby.saw("Ondine"));

    Peer& aronnax = join("Aronnax");
    settle([&] { return aronnax.game->players().size() == 3 && ondine.game->players().size() == 3; });
    EXPECT_EQ(aronnax.game->ownPlayerId(), 3);

    ondine.game->setSide(2);
    settle([&] { return aronnax.game->players()[1].side == 2 && host.game->players()[1].side == 2; });

    ondine.game->sendChat("Bonjour");
    host.game->sendChat("Salut");
    settle([&] {
        return host.lobby.saw("Ondine: Bonjour") && aronnax.lobby.saw("Ondine: Bonjour") &&
               ondine.lobby.saw("Nemo: Salut") && aronnax.lobby.saw("Nemo: Salut");
    });
    EXPECT_TRUE(ondine.lobby.saw("Ondine: Bonjour")); // the sender sees its own line

    aronnax.game->leave();
    settle([&] { return host.game->players().size() == 2 && ondine.game->players().size() == 2; });
    EXPECT_TRUE(ondine.lobby.saw("Aronnax"));
}

TEST_F(NetworkGame2, AStartIsRefusedUntilItCanBePlayedAndThenReachesEveryPeerWithOneSeed) {
    std::string why;
    EXPECT_FALSE(host.game->start(1, 2, why));
    EXPECT_EQ(why, builtinText(kTextChooseScenario));
    host.game->chooseScenario({"Duel.scm", duelHere.size, duelHere.crc});
    EXPECT_FALSE(host.game->start(1, 2, why));
    EXPECT_EQ(why, builtinText(kTextAlone));

    Peer& ondine = join("Ondine");
    Peer& aronnax = join("Aronnax");
    settle([&] { return host.game->players().size() == 3; });
    // Aronnax's copy differs from the host's: he is said to lack it, and the start is refused.
    duelHere.crc ^= 1;
    host.game->chooseScenario({"Duel.scm", duelHere.size, duelHere.crc ^ 1});
    settle([&] { return ondine.lobby.saw("Duel.scm") && aronnax.lobby.saw("Duel.scm"); });
    EXPECT_FALSE(host.game->start(1, 4, why));
    EXPECT_NE(why.find("Ondine"), std::string::npos);
    // The scenario every peer has, but only two starts for three players.
    duelHere.crc ^= 1;
    host.game->chooseScenario({"Duel.scm", duelHere.size, duelHere.crc});
    settle([&] { return host.game->players()[1].hasScenario && host.game->players()[2].hasScenario; });
    EXPECT_FALSE(host.game->start(1, 2, why));
    EXPECT_NE(why.find("2 d\xE9parts pour 3 joueurs"), std::string::npos) << why;
    EXPECT_TRUE(ondine.lobby.starts.empty());

    host.game->setLobbyFlag(true);
    ASSERT_TRUE(host.game->start(424242, 3, why)) << why;
    settle([&] { return ondine.lobby.starts.size() == 1 && aronnax.lobby.starts.size() == 1; });
    ASSERT_EQ(host.lobby.starts.size(), 1u);
    for (Peer* peer : {&host, &ondine, &aronnax}) {
        EXPECT_EQ(peer->game->missionSeed(), 424242u);
        EXPECT_TRUE(peer->game->lobbyFlag());
        EXPECT_EQ(peer->game->players().size(), 3u);
    }
    EXPECT_EQ(ondine.lobby.starts[0].players[1].name, "Ondine");
}

TEST_F(NetworkGame2, TheMissionsMessagesReachThePeersAsTheirSendersMayGiveThem) {
    Peer& ondine = join("Ondine");
    Peer& aronnax = join("Aronnax");
    settle([&] { return host.game->players().size() == 3; });
    startDuel(ondine);
    aronnax.game->setGameActive(true);

    const auto clockBits = std::bit_cast<std::uint64_t>(600.5);
    // The host's clock sets the clients'; a client's clock is taken by nobody.
    host.game->sendEventWithPair(9, static_cast<std::uint32_t>(clockBits),
                                 static_cast<std::uint32_t>(clockBits >> 32), -1);
    ondine.game->sendEventWithPair(9, 0, 0x40000000, -1);
    // A client's boat order and transmission reach the host and, relayed, the other client.
    ondine.game->sendEventWithValue(10, 4, 2);
    // An event naming another boat than the sender's own is not taken.
    ondine.game->sendEventWithValue(8, 1, 3);
    host.game->sendEntityState({12, 0, 1.0, 2.0, -3.0, 4.0, 5.0, 0.0, 0.0});
    aronnax.game->sendDamage(0.25, 3, 2, true);
    ondine.game->sendControl(0, 1);
    settle([&] {
        return aronnax.world.clocks.size() == 1 && aronnax.world.events.size() == 1 &&
               ondine.world.states.size() == 1 && ondine.world.damages.size() == 1 &&
               aronnax.world.pauses.size() == 1 && host.world.pauses.size() == 1;
    });
    EXPECT_EQ(ondine.world.clocks, std::vector<double>{600.5});
    EXPECT_TRUE(host.world.clocks.empty());
    EXPECT_EQ(host.world.events.size(), 1u);
    EXPECT_EQ(aronnax.world.events[0].subject, 2);
    EXPECT_EQ(aronnax.world.events[0].value1, 4u);
    EXPECT_EQ(ondine.world.states[0].entityId, 12u);
    EXPECT_EQ(ondine.world.damages[0].targetId, 2);
    EXPECT_EQ(host.world.pauses, std::vector<int>{1});
    // Nobody hears back what he sent.
    EXPECT_TRUE(ondine.world.events.empty());
    EXPECT_TRUE(host.world.states.empty());
    EXPECT_TRUE(ondine.world.pauses.empty());

    // In the mission, chat goes to the radio room; the remote-player table names the others.
    aronnax.game->sendChat("En plongée");
    settle([&] { return ondine.world.chat.size() == 1 && host.world.chat.size() == 1; });
    EXPECT_EQ(host.world.chat[0], "Aronnax: En plongée");

    // A client leaving gives its number to the others; the host leaving gives 0 and stops its units.
    aronnax.game->leave();
    settle([&] { return host.world.leavers.size() == 1 && ondine.world.leavers.size() == 1; });
    EXPECT_EQ(host.world.leavers[0], 3);
    EXPECT_EQ(ondine.world.leavers[0], 3);
    host.game->leave();
    ASSERT_TRUE(pollUntil([&] { ondine.game->poll(); }, [&] { return ondine.world.hostGoneCount == 1; }));
    EXPECT_EQ(ondine.world.leavers.back(), 0);
}

// A raw peer that says hello properly, as a hostile one would before turning.
std::unique_ptr<TcpConnection> rawPlayer(std::uint16_t port) {
    std::string error;
    auto raw = TcpConnection::connect({kLoopback.ip, port}, error);
    EXPECT_TRUE(raw) << error;
    if (raw)
        raw->send(encodeMessage(MsgHello{"Intrus"}));
    return raw;
}

std::vector<std::uint8_t> headerOnly(std::uint16_t type, std::uint16_t length, std::size_t size) {
    std::vector<std::uint8_t> bytes{static_cast<std::uint8_t>(type), static_cast<std::uint8_t>(type >> 8),
                                    static_cast<std::uint8_t>(length),
                                    static_cast<std::uint8_t>(length >> 8)};
    bytes.resize(std::max<std::size_t>(size, 4), 0);
    return bytes;
}

TEST_F(NetworkGame2, HostileStreamsDropTheirSenderAndTheGameGoesOn) {
    Peer& ondine = join("Ondine");
    settle([&] { return host.game->players().size() == 2; });
    const std::vector<std::pair<const char*, std::vector<std::uint8_t>>> streams{
        {"garbage", {'G', 'E', 'T', ' ', '/', ' ', 'H', 'T', 'T', 'P'}},
        {"oversize length", headerOnly(54, 60000, 4)},
        {"length below the header", headerOnly(54, 2, 4)},
        {"unknown type", headerOnly(999, 8, 8)},
        {"wrong body size", headerOnly(72, 12, 12)},
        {"truncated, then closed", headerOnly(69, 72, 40)},
    };
    for (const auto& [what, bytes] : streams) {
        auto raw = rawPlayer(host.game->port());
        settle([&] {
            raw->update();
            return host.game->players().size() == 3;
        });
        raw->send(bytes);
        raw->update();
        if (std::string(what) == "truncated, then closed")
            raw.reset();
        settle([&] { return host.game->players().size() == 2; });
        EXPECT_EQ(host.game->players().size(), 2u) << what;
        // The game goes on: Ondine's lines still reach the host.
        host.lobby.lines.clear();
        ondine.game->sendChat(what);
        settle([&] { return host.lobby.saw(what); });
    }

    // In the mission too: the hostile player is dropped, said to have left, and the mission runs on.
    auto raw = rawPlayer(host.game->port());
    settle([&] {
        raw->update();
        return host.game->players().size() == 3;
    });
    raw->send(encodeMessage(MsgScenarioReply{3, 1}));
    startDuel(ondine);
    raw->send(headerOnly(85, 1024, 1024));
    settle([&] { return host.world.leavers == std::vector<std::int32_t>{3}; });
    ondine.game->sendControl(0, 1);
    settle([&] { return host.world.pauses == std::vector<int>{1}; });
}

TEST_F(NetworkGame2, AFloodIsReadAtMost256MessagesAPoll) {
    std::string error;
    auto raw = TcpConnection::connect({kLoopback.ip, host.game->port()}, error);
    ASSERT_TRUE(raw) << error;
    raw->send(encodeMessage(MsgHello{"Bavard"}));
    settle([&] {
        raw->update();
        return host.game->players().size() == 2;
    });
    std::vector<std::uint8_t> flood;
    for (int i = 0; i < 1000; ++i) {
        const std::vector<std::uint8_t> chat = encodeMessage(MsgChat{2, "bla"});
        flood.insert(flood.end(), chat.begin(), chat.end());
    }
    raw->send(flood);
    ASSERT_TRUE(pollUntil([&] { raw->update(); }, [&] { return raw->pending() == 0; }));
    std::vector<std::size_t> perPoll;
    std::size_t before = host.lobby.lines.size();
    for (int i = 0; i < 200; ++i) {
        host.game->poll();
        perPoll.push_back(host.lobby.lines.size() - before);
        before = host.lobby.lines.size();
        if (std::count(host.lobby.lines.begin(), host.lobby.lines.end(), "Bavard: bla") == 1000)
            break;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    EXPECT_EQ(std::count(host.lobby.lines.begin(), host.lobby.lines.end(), "Bavard: bla"), 1000);
    EXPECT_LE(*std::max_element(perPoll.begin(), perPoll.end()), 256u);
    EXPECT_GE(perPoll.size(), 4u);
}

} // namespace
} // namespace q71
