#pragma once
// Where the network game listens and advertises: settings of the program's key
// ("mpBroadcastAddress", "mpGamePort", "mpAdvertPort"), each with its default when missing or not
// understood.

#include "multiplayer/net_socket.h"

#include <cstdint>
#include <optional>
#include <string>

namespace q71 {

struct MpSettings {
    NetAddress broadcast{0xFFFFFFFF, 47111}; ///< where hosts send their adverts
    std::uint16_t gamePort = 47110;          ///< the host's TCP port (0: any free one)
    std::uint16_t advertPort = 47111;        ///< where the lobby listens for adverts
};

/// The settings from texts as the settings store holds them; a missing or bad one keeps its default.
MpSettings mpSettingsFrom(const std::optional<std::string>& broadcast,
                          const std::optional<std::string>& gamePort,
                          const std::optional<std::string>& advertPort);
/// The settings of the program's key.
MpSettings mpSettingsLoad();

} // namespace q71
