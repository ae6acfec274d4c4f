#include "multiplayer/mp_settings.h"

#include "framework/resources/registry.h"

namespace q71 {
namespace {

std::optional<std::uint16_t> portOf(const std::optional<std::string>& text) {
    if (!text)
        return std::nullopt;
    // A port alone is read as the port of an address.
    const std::optional<NetAddress> address = NetAddress::parse("0.0.0.0:" + *text, 0);
    return address && address->port != 0 ? std::optional<std::uint16_t>(address->port) : std::nullopt;
}

} // namespace

MpSettings mpSettingsFrom(const std::optional<std::string>& broadcast,
                          const std::optional<std::string>& gamePort,
                          const std::optional<std::string>& advertPort) {
    MpSettings settings;
    // A game port of 0 hosts on any free port, which the adverts tell the others.
    settings.gamePort = gamePort == "0" ? 0 : portOf(gamePort).value_or(settings.gamePort);
    settings.advertPort = portOf(advertPort).value_or(settings.advertPort);
    settings.broadcast.port = settings.advertPort;
    if (broadcast)
        if (const std::optional<NetAddress> address = NetAddress::parse(*broadcast, settings.advertPort))
            settings.broadcast = *address;
    return settings;
}

MpSettings mpSettingsLoad() {
    SettingsKey* key = nullptr;
    if (!regOpenKey(&key, 0, false))
        return MpSettings{};
    const MpSettings settings =
        mpSettingsFrom(regReadString(key, "mpBroadcastAddress"), regReadString(key, "mpGamePort"),
                       regReadString(key, "mpAdvertPort"));
    regCloseKey(key);
    return settings;
}

} // namespace q71
