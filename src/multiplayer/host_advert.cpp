#include "multiplayer/host_advert.h"

#include "multiplayer/net_messages.h"
#include "platform/files/little_endian.h"

#include <algorithm>
#include <cstring>

namespace q71 {
namespace {

constexpr char kGameId[6] = {'Q', '7', '1', 'I', '1', '1'};
constexpr std::size_t kPortAt = 6, kPlayersAt = 8, kMaxPlayersAt = 9, kNameAt = 10;
constexpr int kAdvertsPerPoll = 64;

} // namespace

std::vector<std::uint8_t> encodeAdvert(const HostAdvert& advert) {
    std::vector<std::uint8_t> bytes(kAdvertSize, 0);
    std::memcpy(bytes.data(), kGameId, sizeof kGameId);
    storeLe16(bytes.data() + kPortAt, advert.port);
    bytes[kPlayersAt] = static_cast<std::uint8_t>(advert.players);
    bytes[kMaxPlayersAt] = static_cast<std::uint8_t>(advert.maxPlayers);
    std::memcpy(bytes.data() + kNameAt, advert.hostName.data(),
                std::min(advert.hostName.size(), kNetNameField - 1));
    return bytes;
}

DecodedAdvert decodeAdvert(std::span<const std::uint8_t> bytes) {
    if (bytes.size() >= sizeof kGameId && std::memcmp(bytes.data(), kGameId, sizeof kGameId) != 0)
        return {std::nullopt, true, "another game's advert"};
    if (bytes.size() != kAdvertSize)
        return {std::nullopt, false, "advert of the wrong size"};
    HostAdvert advert;
    advert.port = loadLe16(bytes.data() + kPortAt);
    advert.players = bytes[kPlayersAt];
    advert.maxPlayers = bytes[kMaxPlayersAt];
    const auto name = bytes.subspan(kNameAt, kNetNameField);
    const auto end = std::find(name.begin(), name.end(), 0);
    if (advert.port == 0)
        return {std::nullopt, false, "advert without a port"};
    if (advert.maxPlayers > kNetMaxPlayers || advert.players < 1 || advert.players > advert.maxPlayers)
        return {std::nullopt, false, "advert's player count out of range"};
    if (end == name.end() || end == name.begin())
        return {std::nullopt, false, "advert's host name empty or without its end"};
    advert.hostName.assign(name.begin(), end);
    return {advert, false, {}};
}

std::unique_ptr<AdvertBeacon> AdvertBeacon::open(const NetAddress& broadcast, const Clock& clock,
                                                 NetError& error) {
    std::unique_ptr<UdpSocket> socket = UdpSocket::open(0, error);
    if (!socket)
        return nullptr;
    return std::make_unique<AdvertBeacon>(std::move(socket), broadcast, clock);
}

void AdvertBeacon::poll(const HostAdvert& advert) {
    const std::uint64_t now = clock_.nowMs();
    if (lastSentMs_ && now - *lastSentMs_ < kAdvertIntervalMs)
        return;
    socket_->sendTo(broadcast_, encodeAdvert(advert));
    lastSentMs_ = now;
}

std::unique_ptr<AdvertListener> AdvertListener::open(std::uint16_t port, const Clock& clock,
                                                     NetError& error) {
    std::unique_ptr<UdpSocket> socket = UdpSocket::open(port, error);
    if (!socket)
        return nullptr;
    return std::make_unique<AdvertListener>(std::move(socket), clock);
}

bool AdvertListener::poll() {
    const std::uint64_t now = clock_.nowMs();
    bool changed = false;
    NetAddress from;
    for (int i = 0; i < kAdvertsPerPoll; ++i) {
        const std::optional<std::vector<std::uint8_t>> datagram = socket_->receiveFrom(kAdvertSize + 1, from);
        if (!datagram)
            break;
        const DecodedAdvert decoded = decodeAdvert(*datagram);
        if (!decoded.advert)
            continue;
        const NetAddress address{from.ip, decoded.advert->port};
        if (ownAdvert(address))
            continue;
        auto known = std::find_if(hosts_.begin(), hosts_.end(),
                                  [&](const HeardHost& h) { return h.address == address; });
        if (known == hosts_.end()) {
            if (hosts_.size() < kMostHeardHosts) {
                hosts_.push_back({address, *decoded.advert, now});
                changed = true;
            }
        } else {
            changed = changed || known->advert.players != decoded.advert->players ||
                      known->advert.hostName != decoded.advert->hostName;
            known->advert = *decoded.advert;
            known->heardMs = now;
        }
    }
    const auto stale = std::remove_if(hosts_.begin(), hosts_.end(),
                                      [&](const HeardHost& h) { return now - h.heardMs > kAdvertForgetMs; });
    changed = changed || stale != hosts_.end();
    hosts_.erase(stale, hosts_.end());
    return changed;
}

void AdvertListener::setOwnGamePort(std::optional<std::uint16_t> port) {
    ownGamePort_ = port;
    const auto own = std::remove_if(hosts_.begin(), hosts_.end(),
                                    [&](const HeardHost& h) { return ownAdvert(h.address); });
    hosts_.erase(own, hosts_.end());
}

bool AdvertListener::ownAdvert(const NetAddress& address) const {
    // No two games of this machine listen on one port.
    return ownGamePort_ && address.port == *ownGamePort_ && netIsLocalAddress(address.ip);
}

} // namespace q71
