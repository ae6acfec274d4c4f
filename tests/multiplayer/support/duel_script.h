#pragma once
// What the two processes of the two-process duel say to each other: the client (the test) asks
// by chat, the host (the peer program, tests/peers/duel_peer.cpp) does it and answers by chat;
// and the main loop's pass that both run, on a time source of their own.

#include "framework/app/shell.h"
#include "multiplayer/peer_world.h"
#include "sim/services/shell_simulation.h"
#include "sim/support/fake_time.h"

#include <cstdint>
#include <string>
#include <vector>

namespace q71::test {

/// The environment variable that gives the peer the advert port the test listens on.
inline constexpr const char* kDuelAdvertPortVariable = "Q71_DUEL_ADVERT_PORT";
inline constexpr const char* kDuelHostName = "Nemo";
inline constexpr const char* kDuelClientName = "Ondine";
inline constexpr std::uint32_t kDuelSeed = 4242;

// The client's asks (chat lines) and the host's answers.
inline constexpr const char* kAskGreeting = "Bonjour";
inline constexpr const char* kAskDuel = "Duel";
inline constexpr const char* kAskRun = "Avance"; ///< runs kDuelRunSeconds; answered by the clock, x, y, heading
inline constexpr const char* kAskHit = "Feu";      ///< the host's boat hits the client's
inline constexpr const char* kAskPause = "Pause";  ///< the host pauses
inline constexpr const char* kAskResume = "Reprise";
inline constexpr const char* kAskLeave = "Adieu";  ///< the host leaves and ends
inline constexpr const char* kAnswerWelcome = "Bienvenue";
inline constexpr const char* kAnswerClock = "Horloge ";
inline constexpr const char* kAnswerDone = "Fait";
inline constexpr double kDuelRunSeconds = 60.0;
inline constexpr double kDuelPassSeconds = 0.1;

/// One pass of the main loop, `passSeconds` of game time at a compression of 1.
inline void duelPass(FakeTimeSource& time, double passSeconds) {
    time.ticks += static_cast<std::uint32_t>(passSeconds * 1000.0);
    AppSimulation& simulation = simShellSimulation();
    if (simulation.running() && simulation.pauseCount() <= 0)
        appStepWorld(simulation, simShellWorldStep());
}

/// The simulation's own handling of the mission's messages, recording the chat heard, the
/// players who left and the pause locks.
class HeardWorld final : public PeerWorld {
public:
    void entityState(const MsgEntityState& s) override { simPeerWorld().entityState(s); }
    void damage(const MsgDamage& d) override { simPeerWorld().damage(d); }
    void clock(double t) override { simPeerWorld().clock(t); }
    void boatEvent(const MsgEvent& e) override { simPeerWorld().boatEvent(e); }
    void pauseLock(int lock) override {
        locks.push_back(lock);
        simPeerWorld().pauseLock(lock);
    }
    void chatLine(const std::string& line, std::int32_t player) override {
        chat.push_back(line);
        simPeerWorld().chatLine(line, player);
    }
    void playerLeft(std::int32_t player) override {
        leavers.push_back(player);
        simPeerWorld().playerLeft(player);
    }
    void hostGone() override { simPeerWorld().hostGone(); }

    /// The text after "<name>: " of the last chat line that starts so, or none.
    std::string lastAfter(const std::string& prefix) const {
        for (auto it = chat.rbegin(); it != chat.rend(); ++it)
            if (it->rfind(prefix, 0) == 0)
                return it->substr(prefix.size());
        return {};
    }

    std::vector<std::string> chat;
    std::vector<std::int32_t> leavers;
    std::vector<int> locks;
};

} // namespace q71::test
