// The network game over loopback in one process: a host and clients joining it, the lobby's
// sides, scenario and start with its refusals, chat, the mission's messages checked by who sent
// them and what they name, the players' pauses released when they go, joins that fail, and
// hostile streams that get their sender dropped while the game goes on.
#include "framework/textmngr/text_manager.h"
#include "multiplayer/builtin_format.h"
#include "multiplayer/multi_player_game.h"
#include "multiplayer/support/loopback.h"
#include "multiplayer/support/raw_socket.h"
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
// The entity ids a started mission shares at every peer: the players' boats and its units.
constexpr std::int32_t kLastSharedEntity = 20;

struct Peer {
    std::unique_ptr<MultiPlayerGame> game;
    RecordingLobby lobby;
    RecordingWorld world;
};

class NetworkGame2 : public ::testing::Test {
protected:
    void SetUp() override {
        NetError error;
        host.game = MultiPlayerGame::host("Nemo", 0, std::nullopt, clock, error);
        ASSERT_TRUE(host.game) << error.text();
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
        NetError error;
        peer->game = MultiPlayerGame::join(name, {kLoopback.ip, host.game->port()}, error);
        EXPECT_TRUE(peer->game) << error.text();
        wire(*peer);
        clients.push_back(std::move(peer));
        Peer& joined = *clients.back();
        EXPECT_TRUE(pollUntil([&] { pollAll(); }, [&] { return joined.game->connected(); }));
        return joined;
    }

    // Polls every peer whose program still runs.
    void pollAll() {
        for (Peer* peer : peers())
            peer->game->poll();
    }

    std::vector<Peer*> peers() {
        std::vector<Peer*> all;
        for (Peer* peer : {&host})
            if (peer->game)
                all.push_back(peer);
        for (auto& c : clients)
            if (c->game)
                all.push_back(c.get());
        return all;
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
                               [](const LobbyPlayer& p) { return p.scenario == ScenarioCheck::Has; });
        });
        std::string why;
        ASSERT_TRUE(host.game->start(77, static_cast<std::int32_t>(players.size()), why)) << why;
        settle([&] { return !client.lobby.starts.empty(); });
        missionStands(host);
        missionStands(client);
    }

    // Ondine and Aronnax join; the duel starts at every peer.
    std::pair<Peer&, Peer&> twoClientsInTheMission() {
        Peer& ondine = join("Ondine");
        Peer& aronnax = join("Aronnax");
        settle([&] { return host.game->players().size() == 3; });
        startDuel(ondine);
        missionStands(aronnax);
        return {ondine, aronnax};
    }

    // What the start of the mission does to a peer's game (mpStartMission).
    static void missionStands(Peer& peer) {
        peer.game->setGameActive(true);
        peer.game->setLastSharedEntity(kLastSharedEntity);
    }

    FakeClock clock;
    ScenarioFacts duelHere{4096, 0xC0FFEE, 2};
    Peer host;
    std::vector<std::unique_ptr<Peer>> clients;
};

// A raw peer that says hello properly, as a hostile one would before turning.
std::unique_ptr<TcpConnection> rawPlayer(std::uint16_t port) {
    NetError error;
    auto raw = TcpConnection::connect({kLoopback.ip, port}, error);
    EXPECT_TRUE(raw) << error.text();
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

TEST_F(NetworkGame2, PlayersJoinChooseSidesAndChatBothWays) {
    Peer& ondine = join("Ondine");
    settle([&] { return ondine.game->players().size() == 2; });
    EXPECT_EQ(ondine.game->ownPlayerId(), 2);
    EXPECT_TRUE(host.lobby.saw("Ondine"));

    Peer& aronnax = join("Aronnax");
    settle([&] { return aronnax.game->players().size() == 3 && ondine.game->players().size() == 3; });
    EXPECT_EQ(aronnax.game->ownPlayerId(), 3);
    // Each client is told of those who come after it, not of those it found there.
    const std::string joinedLine = builtinFormat(kTextPlayerJoined, "Aronnax");
    EXPECT_EQ(ondine.lobby.lines, std::vector<std::string>{joinedLine});
    EXPECT_TRUE(aronnax.lobby.lines.empty());

    ondine.game->setSide(2);
    settle([&] { return aronnax.game->players()[1].side == 2 && host.game->players()[1].side == 2; });

    ondine.game->sendChat("Bonjour");
    host.game->sendChat("Salut");
    settle([&] {
        return host.lobby.saw("Ondine : Bonjour") && aronnax.lobby.saw("Ondine : Bonjour") &&
               ondine.lobby.saw("Nemo : Salut") && aronnax.lobby.saw("Nemo : Salut");
    });
    EXPECT_TRUE(ondine.lobby.saw("Ondine : Bonjour")); // the sender sees its own line

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
    settle([&] {
        return host.game->players()[1].scenario == ScenarioCheck::Has &&
               host.game->players()[2].scenario == ScenarioCheck::Has;
    });
    EXPECT_FALSE(host.game->start(1, 2, why));
    EXPECT_NE(why.find("2 d\xE9parts pour 3 joueurs"), std::string::npos) << why;
    // One start, or none, is said as French says it.
    EXPECT_FALSE(host.game->start(1, 1, why));
    EXPECT_EQ(why, "Le sc\xE9nario n'a qu'un d\xE9part pour 3 joueurs.");
    EXPECT_FALSE(host.game->start(1, 0, why));
    EXPECT_EQ(why, "Le sc\xE9nario n'a aucun d\xE9part pour 3 joueurs.");
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
    auto [ondine, aronnax] = twoClientsInTheMission();

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
    EXPECT_EQ(host.world.pauses, (std::vector<std::pair<std::int32_t, int>>{{2, 1}}));
    // Nobody hears back what he sent.
    EXPECT_TRUE(ondine.world.events.empty());
    EXPECT_TRUE(host.world.states.empty());
    EXPECT_TRUE(ondine.world.pauses.empty());

    // In the mission, chat goes to the radio room; the remote-player table names the others.
    aronnax.game->sendChat("En plongée");
    settle([&] { return ondine.world.chat.size() == 1 && host.world.chat.size() == 1; });
    EXPECT_EQ(host.world.chat[0], "Aronnax : En plongée");

    // A client leaving gives its number to the others; the host leaving gives 0 and stops its units.
    aronnax.game->leave();
    settle([&] { return host.world.leavers.size() == 1 && ondine.world.leavers.size() == 1; });
    EXPECT_EQ(host.world.leavers[0], 3);
    EXPECT_EQ(ondine.world.leavers[0], 3);
    host.game->leave();
    ASSERT_TRUE(pollUntil([&] { ondine.game->poll(); }, [&] { return ondine.world.hostGoneCount == 1; }));
    EXPECT_EQ(ondine.world.leavers.back(), 0);
}

TEST_F(NetworkGame2, APlayersPauseIsReleasedWhenHeLeavesOrVanishes) {
    auto [ondine, aronnax] = twoClientsInTheMission();
    using Locks = std::vector<std::pair<std::int32_t, int>>;

    // Ondine pauses and leaves: the others end her pause as she goes.
    ondine.game->sendControl(0, 1);
    settle([&] { return aronnax.world.pauses.size() == 1; });
    ondine.game->leave();
    settle([&] { return aronnax.world.pauses.size() == 2 && host.world.pauses.size() == 2; });
    EXPECT_EQ(host.world.pauses, (Locks{{2, 1}, {2, 0}}));
    EXPECT_EQ(aronnax.world.pauses, (Locks{{2, 1}, {2, 0}}));

    // Aronnax pauses and his program dies: the host ends his pause.
    aronnax.game->sendControl(0, 1);
    settle([&] { return host.world.pauses.size() == 3; });
    clients.back()->game.reset();
    settle([&] { return host.world.pauses.size() == 4; });
    EXPECT_EQ(host.world.pauses.back(), (std::pair<std::int32_t, int>{3, 0}));
    EXPECT_TRUE(host.lobby.saw(builtinFormat(kTextLinkLost, "Aronnax")));
}

TEST_F(NetworkGame2, WhenTheHostVanishesEveryPauseHeldAtAClientIsReleased) {
    auto [ondine, aronnax] = twoClientsInTheMission();

    host.game->sendControl(0, 1);
    aronnax.game->sendControl(0, 1);
    settle([&] { return ondine.world.pauses.size() == 2; });
    // The host's program dies without a word.
    host.game.reset();
    ASSERT_TRUE(pollUntil([&] { ondine.game->poll(); }, [&] { return ondine.world.hostGoneCount == 1; }));
    auto released = ondine.world.pauses;
    released.erase(released.begin(), released.begin() + 2);
    std::sort(released.begin(), released.end());
    EXPECT_EQ(released, (std::vector<std::pair<std::int32_t, int>>{{1, 0}, {3, 0}}));
    EXPECT_EQ(ondine.game->hostState(), MultiPlayerGame::HostState::Left);
    EXPECT_TRUE(ondine.lobby.saw(builtinText(14)));
}

TEST_F(NetworkGame2, MissionMessagesNameOnlyTheEntitiesEveryPeerShares) {
    Peer& ondine = join("Ondine");
    // Another peer, an older or a hostile one, that names what it likes.
    auto raw = rawPlayer(host.game->port());
    settle([&] {
        raw->update();
        return host.game->players().size() == 3;
    });
    const std::int32_t rawId = host.game->players().back().id;
    raw->send(encodeMessage(MsgScenarioReply{rawId, 1}));
    startDuel(ondine);
    // A hit on what only the sender's world holds (its weapon, decoy or explosion) is not sent.
    host.game->sendDamage(0.5, 1, kLastSharedEntity + 1, true);
    host.game->sendEntityState({kLastSharedEntity + 2, 0, 1.0, 2.0, -3.0, 4.0, 5.0, 0.0, 0.0});
    // A hit by an entity the world does not hold is booked to nobody.
    host.game->sendDamage(0.25, kLastSharedEntity + 3, 2, true);
    host.game->sendDamage(0.125, 1, 2, false);
    settle([&] { return ondine.world.damages.size() == 2; });
    EXPECT_EQ(ondine.world.damages[0].attackerId, 0);
    EXPECT_EQ(ondine.world.damages[0].targetId, 2);
    EXPECT_EQ(ondine.world.damages[1].attackerId, 1);
    EXPECT_TRUE(ondine.world.states.empty());

    // What the other peer names beyond the shared ids is refused, by the host and by Ondine.
    raw->send(encodeMessage(MsgDamage{rawId, 0.5, kLastSharedEntity + 1, 2, 1}));
    raw->send(encodeMessage(MsgDamage{rawId, 0.5, 1, kLastSharedEntity + 1, 1}));
    raw->send(encodeMessage(MsgEntityState{rawId, kLastSharedEntity + 1, 0, 1, 2, 3, 4, 5, 0, 0}));
    raw->send(encodeMessage(MsgDamage{rawId, 0.75, 1, 2, 0}));
    raw->update();
    settle([&] { return host.world.damages.size() == 1 && ondine.world.damages.size() == 3; });
    EXPECT_EQ(host.world.damages[0].amount, 0.75);
    EXPECT_EQ(ondine.world.damages[2].amount, 0.75);
    EXPECT_TRUE(host.world.states.empty());
}

TEST_F(NetworkGame2, HostileStreamsDropTheirSenderAndTheGameGoesOn) {
    Peer& ondine = join("Ondine");
    settle([&] { return host.game->players().size() == 2; });
    using Bytes = std::vector<std::uint8_t>;
    const std::vector<std::pair<std::string, Bytes>> streams{
        {"garbage", {'G', 'E', 'T', ' ', '/', ' ', 'H', 'T', 'T', 'P'}},
        {"oversize length", headerOnly(54, 60000, 4)},
        {"one byte over the largest", headerOnly(54, 1025, 1025)},
        {"length below the header", headerOnly(54, 2, 4)},
        {"unknown type", headerOnly(999, 8, 8)},
        {"wrong body size", headerOnly(72, 12, 12)},
        {"longer than its type", headerOnly(72, 20, 20)},
        {"truncated, then closed", headerOnly(69, 72, 40)},
        {"header cut short, then closed", Bytes{69, 0}},
        {"reset while the host writes to it", {}},
    };
    int sent = 0;
    for (const auto& [what, bytes] : streams) {
        test::RawSocket raw(host.game->port());
        ASSERT_TRUE(raw.connected());
        raw.send(encodeMessage(MsgHello{"Intrus"}));
        settle([&] { return host.game->players().size() == 3; });
        host.lobby.lines.clear();
        // Ondine talks before, while and after the hostile peer does its worst.
        ondine.game->sendChat("avant " + what);
        ++sent;
        if (what == "reset while the host writes to it") {
            raw.reset(); // what the host sent it lies unread: the link resets
            for (int i = 0; i < 20; ++i, ++sent)
                ondine.game->sendChat("pendant " + std::to_string(i));
        } else {
            raw.send(bytes);
        }
        if (what.ends_with("closed"))
            raw.reset();
        settle([&] { return host.game->players().size() == 2; });
        ondine.game->sendChat("après " + what);
        ++sent;
        settle([&] { return host.lobby.saw("après " + what); });
        // The host says the link is lost, and the others hear that the player left.
        EXPECT_TRUE(host.lobby.saw(builtinFormat(kTextLinkLost, "Intrus"))) << what;
        settle([&] { return ondine.lobby.saw(builtinFormat(kTextPlayerLeftLobby, "Intrus")); });
    }
    // Nothing Ondine said was lost on the way.
    const auto heard = std::count_if(host.lobby.lines.begin(), host.lobby.lines.end(),
                                     [](const std::string& line) { return line.starts_with("Ondine : "); });
    EXPECT_EQ(heard, 2 + 20); // the last round's lines; the earlier rounds were checked as they came
    EXPECT_GT(sent, 0);

    // In the mission too: the hostile player is dropped, said lost, and the mission runs on.
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
    settle([&] { return host.world.pauses.size() == 2; });
    EXPECT_EQ(host.world.pauses, (std::vector<std::pair<std::int32_t, int>>{{3, 0}, {2, 1}}));
}

TEST_F(NetworkGame2, AConnectionGetsNoIdNorTrafficBeforeItsHelloAndIsClosedAfter10sOfSilence) {
    // Silent connections, as many as there are seats, come before any player.
    std::vector<std::unique_ptr<test::RawSocket>> silent;
    for (int i = 0; i < kNetMaxPlayers; ++i) {
        silent.push_back(std::make_unique<test::RawSocket>(host.game->port()));
        ASSERT_TRUE(silent.back()->connected());
    }
    host.game->poll();
    // A player still gets the first seat, is welcomed and plays.
    Peer& ondine = join("Ondine");
    EXPECT_EQ(ondine.game->ownPlayerId(), 2);
    Peer& aronnax = join("Aronnax");
    EXPECT_EQ(aronnax.game->ownPlayerId(), 3);
    ondine.game->setSide(2);
    host.game->chooseScenario({"Duel.scm", duelHere.size, duelHere.crc});
    ondine.game->sendChat("Bonjour");
    settle([&] { return aronnax.lobby.saw("Ondine : Bonjour") && host.game->players()[1].side == 2; });
    // The silent ones heard none of it.
    for (auto& s : silent)
        EXPECT_TRUE(s->received().empty());

    // Ten seconds without a hello close them; the host says so on its log.
    testing::internal::CaptureStderr();
    clock.advance(kHelloWaitMs - 1);
    host.game->poll();
    EXPECT_FALSE(silent[0]->received().size() || silent[0]->closedByPeer());
    clock.advance(1);
    host.game->poll();
    const std::string said = testing::internal::GetCapturedStderr();
    EXPECT_NE(said.find("no hello within 10 s"), std::string::npos) << said;
    for (auto& s : silent)
        ASSERT_TRUE(pollUntil([&] { s->received(); }, [&] { return s->closedByPeer(); }));
    EXPECT_EQ(host.game->players().size(), 3u);

    // A first message other than a hello closes the connection too, unanswered.
    test::RawSocket rude(host.game->port());
    rude.send(encodeMessage(MsgChat{2, "Je suis Ondine"}));
    ASSERT_TRUE(pollUntil(
        [&] {
            pollAll();
            rude.received();
        },
        [&] { return rude.closedByPeer(); }));
    EXPECT_FALSE(host.lobby.saw("Je suis Ondine"));
    EXPECT_FALSE(aronnax.lobby.saw("Je suis Ondine"));
}

TEST_F(NetworkGame2, AJoinWithNobodyThereOrNoSeatLeftSaysSoAndHearsNothingMore) {
    // Nobody listens on a port just freed.
    NetError error;
    std::uint16_t freePort = 0;
    {
        auto listener = TcpListener::open(0, error);
        ASSERT_TRUE(listener) << error.text();
        freePort = listener->port();
    }
    Peer lost;
    lost.game = MultiPlayerGame::join("Perdu", {kLoopback.ip, freePort}, error);
    ASSERT_TRUE(lost.game) << error.text();
    wire(lost);
    ASSERT_TRUE(pollUntil([&] { lost.game->poll(); },
                          [&] { return lost.game->hostState() != MultiPlayerGame::HostState::Joining; }));
    EXPECT_EQ(lost.game->hostState(), MultiPlayerGame::HostState::Unreachable);
    EXPECT_FALSE(lost.game->connected());
    EXPECT_FALSE(lost.lobby.saw(builtinText(14))) << "nobody was there to leave";

    // A full game turns the fifth player away without a welcome.
    for (const char* name : {"Ondine", "Aronnax", "Conseil"})
        join(name);
    settle([&] { return host.game->players().size() == 4; });
    Peer fifth;
    fifth.game = MultiPlayerGame::join("Ned", {kLoopback.ip, host.game->port()}, error);
    ASSERT_TRUE(fifth.game) << error.text();
    wire(fifth);
    settle([&] {
        fifth.game->poll();
        return fifth.game->hostState() != MultiPlayerGame::HostState::Joining;
    });
    EXPECT_EQ(fifth.game->hostState(), MultiPlayerGame::HostState::Refused);
    EXPECT_EQ(fifth.game->ownPlayerId(), 0);
    EXPECT_TRUE(fifth.game->players().empty());
    EXPECT_EQ(host.game->players().size(), 4u);
}

TEST_F(NetworkGame2, AFloodIsReadAtMost256MessagesAPoll) {
    NetError error;
    auto raw = TcpConnection::connect({kLoopback.ip, host.game->port()}, error);
    ASSERT_TRUE(raw) << error.text();
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
        if (std::count(host.lobby.lines.begin(), host.lobby.lines.end(), "Bavard : bla") == 1000)
            break;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    EXPECT_EQ(std::count(host.lobby.lines.begin(), host.lobby.lines.end(), "Bavard : bla"), 1000);
    EXPECT_LE(*std::max_element(perPoll.begin(), perPoll.end()), 256u);
    EXPECT_GE(perPoll.size(), 4u);
}

} // namespace
} // namespace q71
