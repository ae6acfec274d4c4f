#pragma once
// The adverts of waiting hosts: a UDP broadcast once a second with the game id "Q71I11", the
// host's name, its TCP port and its players (docs/multiplayer.md). Joining players listen for
// them and list the hosts heard lately; adverts of other games are ignored.

#include "multiplayer/net_socket.h"
#include "platform/window/clock.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace q71 {

inline constexpr std::size_t kAdvertSize = 42;
inline constexpr std::uint64_t kAdvertIntervalMs = 1000;
/// A host not heard for this long leaves the list.
inline constexpr std::uint64_t kAdvertForgetMs = 5000;
/// Hosts listed at one time, at most: a burst of adverts cannot grow the list without end.
inline constexpr std::size_t kMostHeardHosts = 16;

struct HostAdvert {
    std::string hostName;
    std::uint16_t port = 0;
    int players = 0;
    int maxPlayers = 0;
};

std::vector<std::uint8_t> encodeAdvert(const HostAdvert& advert);

struct DecodedAdvert {
    std::optional<HostAdvert> advert;
    bool otherGame = false; ///< well-formed enough to see it is another game's: ignored, not an error
    std::string error;
};
/// Decodes one datagram. Refused: a size other than 42, a port of 0, a player count outside 1 to
/// the maximum or a maximum above 4, a name empty or without its end.
DecodedAdvert decodeAdvert(std::span<const std::uint8_t> bytes);

/// Broadcasts the host's advert once a second while the host waits.
class AdvertBeacon {
public:
    static std::unique_ptr<AdvertBeacon> open(const NetAddress& broadcast, const Clock& clock,
                                              NetError& error);
    AdvertBeacon(std::unique_ptr<UdpSocket> socket, const NetAddress& broadcast, const Clock& clock)
        : socket_(std::move(socket)), broadcast_(broadcast), clock_(clock) {}
    /// Sends the advert when a second has passed since the last (at once the first time).
    void poll(const HostAdvert& advert);

private:
    std::unique_ptr<UdpSocket> socket_;
    NetAddress broadcast_;
    const Clock& clock_;
    std::optional<std::uint64_t> lastSentMs_;
};

/// A host heard: where to join it and what it said.
struct HeardHost {
    NetAddress address; ///< the sender's address with the advert's TCP port
    HostAdvert advert;
    std::uint64_t heardMs = 0;
};

/// Listens for adverts on the advert port.
class AdvertListener {
public:
    static std::unique_ptr<AdvertListener> open(std::uint16_t port, const Clock& clock, NetError& error);
    AdvertListener(std::unique_ptr<UdpSocket> socket, const Clock& clock)
        : socket_(std::move(socket)), clock_(clock) {}
    /// Reads the adverts waiting (at most 64) and forgets hosts not heard lately; true when the
    /// list changed. A host not listed yet is left out while the list holds 16.
    bool poll();
    const std::vector<HeardHost>& hosts() const { return hosts_; }
    std::uint16_t port() const { return socket_->port(); }
    /// The TCP port of the game this program hosts, if any: its own advert is not listed.
    void setOwnGamePort(std::optional<std::uint16_t> port);

private:
    bool ownAdvert(const NetAddress& address) const;

    std::unique_ptr<UdpSocket> socket_;
    const Clock& clock_;
    std::vector<HeardHost> hosts_;
    std::optional<std::uint16_t> ownGamePort_;
};

} // namespace q71
