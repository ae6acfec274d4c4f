#include "multiplayer/network_mission.h"

#include "multiplayer/multi_player_game.h"
#include "sim/entities/entity.h"
#include "sim/simulation/mission_end.h"
#include "sim/simulation/mission_start.h"
#include "sim/simulation/mission_state.h"
#include "sim/simulation/own_ship_setup.h"
#include "sim/simulation/player_entities.h"
#include "sim/simulation/world_lists.h"

#include <algorithm>
#include <vector>

namespace q71 {
namespace {

constexpr std::int32_t kNetworkMissionMode = 0; // booked nowhere
constexpr std::int32_t kPlayerBoatLevel = 4;
constexpr double kAtItsStart = -1.0;

} // namespace

bool mpStartMission(MultiPlayerGame& game, const MsgStart& start, const std::string& scenario,
                    std::string& why) {
    const auto own = std::find_if(start.players.begin(), start.players.end(),
                                  [&](const StartPlayer& p) { return p.id == game.ownPlayerId(); });
    if (own == start.players.end()) {
        why = "this player is not in the start";
        return false;
    }
    missionState().missionMode = kNetworkMissionMode;
    missionState().missionIndex = 0;
    game.setGameActive(true);
    simSetupOwnShip(own->side);
    // The players' boats hold ids 1 to N: every peer numbers the scenario's units after them.
    std::int32_t lastPlayer = 0;
    for (const StartPlayer& p : start.players)
        lastPlayer = std::max(lastPlayer, p.id);
    entitySetIdCounter(lastPlayer);
    const ScenarioStatus status = simStartMission(scenario, kNetworkMissionMode);
    if (!status.ok()) {
        game.setGameActive(false);
        why = scenarioErrorMessage(status, scenario);
        return false;
    }
    game.setLastSharedEntity(std::max(lastPlayer, entityIdCounter()));
    if (game.role() == MultiPlayerGame::Role::Client) {
        // Units that enter later too: the host's world decides when, and none may fire here.
        std::vector<Entity*> units;
        for (LinkedList<Entity>* list : {&worldList(), &worldPendingList()})
            for (auto* node = list->head(); node; node = node->next)
                if (node->item->id > lastPlayer)
                    units.push_back(node->item);
        for (Entity* unit : units)
            simMakeEntityRemote(*unit);
    }
    for (const StartPlayer& p : start.players)
        if (p.id != own->id)
            simCreateEntityByName("Whale", p.side, kPlayerBoatLevel, kAtItsStart, kAtItsStart, 0.0, 0.0, 0.0,
                                  p.id);
    return true;
}

} // namespace q71
