#pragma once
// What the two processes of the two-process duel say to each other: the client (the test) asks
// by chat, the host (the peer program, tests/peers/duel_peer.cpp) does it and answers by chat;
// and the main loop's pass that both run, on a time source of their own.

#include "framework/app/shell.h"
#include "multiplayer/peer_world.h"
#include "sim/entities/motion/motion_model.h"
#include "sim/entities/types/countermeasure_entities.h"
#include "sim/entities/types/torpedo_entities.h"
#include "sim/services/shell_simulation.h"
#include "sim/simulation/world_lists.h"
#include "sim/support/fake_time.h"

#include <cstdint>
#include <string>
#include <utility>
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
/// The host puts out a torpedo and a decoy, and the torpedo goes off at the client's boat with
/// the decoy in reach; answered by the weapons' ids, then done.
inline constexpr const char* kAskBlast = "Torpille";
inline constexpr const char* kAskLeave = "Adieu";  ///< the host leaves and ends
inline constexpr const char* kAnswerWelcome = "Bienvenue";
inline constexpr const char* kAnswerClock = "Horloge ";
inline constexpr const char* kAnswerDone = "Fait";
inline constexpr const char* kAnswerWeapons = "Armes "; ///< the torpedo's id, the decoy's id
inline constexpr double kDuelRunSeconds = 60.0;
/// The chat line a player's words are shown as: "Nemo : Bonjour", the space before the colon
/// French sets.
inline std::string duelChatLine(const std::string& player, const std::string& words) {
    return player + " : " + words;
}
inline constexpr double kDuelPassSeconds = 0.1;

/// One pass of the main loop, `passSeconds` of game time at a compression of 1.
inline void duelPass(FakeTimeSource& time, double passSeconds) {
    time.ticks += static_cast<std::uint32_t>(passSeconds * 1000.0);
    AppSimulation& simulation = simShellSimulation();
    if (simulation.running() && simulation.pauseCount() <= 0)
        appStepWorld(simulation, simShellWorldStep());
}

/// A torpedo and a decoy put out by `launcher` where it lies, numbered by this peer's world
/// alone: their ids.
inline std::pair<std::int32_t, std::int32_t> duelWeapons(const Entity& launcher) {
    auto* torpedo = new TorpedoEntity(launcher.side, "Adcap", launcher.level, launcher.id);
    torpedo->motion->x = launcher.motion->x;
    torpedo->motion->y = launcher.motion->y;
    torpedo->motion->z = launcher.motion->z;
    worldAddEntity(torpedo);
    auto* decoy =
        new Countermeasure2Entity(launcher.side, "Counter2", launcher.level, launcher.id, launcher.motion->z);
    worldAddEntity(decoy);
    return {torpedo->id, decoy->id};
}

/// The simulation's own handling of the mission's messages, recording the chat heard, the
/// damage taken, the players who left and the pause locks.
class HeardWorld final : public PeerWorld {
public:
    void entityState(const MsgEntityState& s) override { simPeerWorld().entityState(s); }
    void damage(const MsgDamage& d) override {
        damages.push_back(d);
        simPeerWorld().damage(d);
    }
    void clock(double t) override { simPeerWorld().clock(t); }
    void boatEvent(const MsgEvent& e) override { simPeerWorld().boatEvent(e); }
    void pauseLock(std::int32_t player, int lock) override {
        locks.emplace_back(player, lock);
        simPeerWorld().pauseLock(player, lock);
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
    std::vector<MsgDamage> damages;
    std::vector<std::int32_t> leavers;
    std::vector<std::pair<std::int32_t, int>> locks; ///< (player, lock)
};

} // namespace q71::test
