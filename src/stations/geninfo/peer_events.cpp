#include "stations/geninfo/peer_events.h"

#include "sim/services/network_game.h"
#include "sim/services/sim_services.h"

#include <cstring>

namespace q71 {

void peersSendOrder(std::uint8_t code, double value) {
    NetworkGame* game = simNetworkGame();
    if (!game)
        return;
    std::uint64_t bits = 0;
    static_assert(sizeof bits == sizeof value);
    std::memcpy(&bits, &value, sizeof bits);
    game->sendEventWithPair(code, static_cast<std::uint32_t>(bits), static_cast<std::uint32_t>(bits >> 32),
                            game->ownPlayerId());
}

void peersSendValue(std::uint8_t code, std::int32_t value) {
    if (NetworkGame* game = simNetworkGame())
        game->sendEventWithValue(code, value, game->ownPlayerId());
}

} // namespace q71
