#pragma once
// Stand-ins that record what a network game tells its lobby and its mission.

#include "multiplayer/multi_player_game.h"
#include "multiplayer/peer_world.h"

#include <string>
#include <utility>
#include <vector>

namespace q71::test {

struct RecordingLobby : LobbyListener {
    std::vector<std::string> lines;
    std::vector<MsgStart> starts;
    int changes = 0;
    void lobbyLine(const std::string& line) override { lines.push_back(line); }
    void lobbyChanged() override { ++changes; }
    void missionStart(const MsgStart& start) override { starts.push_back(start); }
    bool saw(const std::string& text) const {
        for (const std::string& line : lines)
            if (line.find(text) != std::string::npos)
                return true;
        return false;
    }
};

struct RecordingWorld : PeerWorld {
    std::vector<MsgEntityState> states;
    std::vector<MsgDamage> damages;
    std::vector<double> clocks;
    std::vector<MsgEvent> events;
    std::vector<std::pair<std::int32_t, int>> pauses; ///< (player, lock)
    std::vector<std::string> chat;
    std::vector<std::int32_t> leavers;
    int hostGoneCount = 0;
    void entityState(const MsgEntityState& s) override { states.push_back(s); }
    void damage(const MsgDamage& d) override { damages.push_back(d); }
    void clock(double t) override { clocks.push_back(t); }
    void boatEvent(const MsgEvent& e) override { events.push_back(e); }
    void pauseLock(std::int32_t player, int lock) override { pauses.emplace_back(player, lock); }
    void chatLine(const std::string& line, std::int32_t) override { chat.push_back(line); }
    void playerLeft(std::int32_t player) override { leavers.push_back(player); }
    void hostGone() override { ++hostGoneCount; }
};

} // namespace q71::test
