#pragma once
// The star of a network game over TCP: the host listens and every client connects to it; the
// host passes each client's messages on to the others (the game decides which). Peers are known
// by their player ids: the host is 1, clients 2 to 4, each given its id by the host once it has
// said hello. Every message read is checked; a peer that sends a malformed one, or whose link
// fails, is dropped.

#include "multiplayer/message_framer.h"
#include "multiplayer/net_messages.h"
#include "multiplayer/net_socket.h"
#include "platform/window/clock.h"

#include <memory>
#include <string>
#include <vector>

namespace q71 {

/// Messages read from one peer in one poll, at most: a flood cannot hold the game up.
inline constexpr int kMessagesPerPoll = 256;
inline constexpr std::int32_t kHostPlayerId = 1;
/// How long the host waits for a new connection's hello before it closes it.
inline constexpr std::uint64_t kHelloWaitMs = 10000;
/// Connections waiting for their hello at one time, at most; more are closed at once.
inline constexpr std::size_t kMostWaitingConnections = 8;

struct LinkEvent {
    enum class Kind { Connected, Message, Dropped };
    Kind kind = Kind::Message;
    std::int32_t peer = 0; ///< 0: a connection that had not said hello
    NetMessage message;
    std::string reason; ///< why a peer was dropped
};

class NetLink {
public:
    virtual ~NetLink() = default;
    /// Accepts, connects and reads what is waiting; appends what happened to `events`.
    virtual void poll(std::vector<LinkEvent>& events) = 0;
    /// Sends to one peer; nothing when it is not linked.
    virtual void sendTo(std::int32_t peer, const NetMessage& message) = 0;
    /// Sends to every linked peer but `except`.
    virtual void sendAll(const NetMessage& message, std::int32_t except = 0) = 0;
    /// Ends the link to a peer.
    virtual void drop(std::int32_t peer) = 0;
    /// The ids of the peers linked now.
    virtual std::vector<std::int32_t> peers() const = 0;
};

/// One linked peer: its connection and the stream cut into messages.
struct LinkedPeer {
    std::int32_t id = 0;
    std::unique_ptr<TcpConnection> connection;
    MessageFramer framer;
    bool announced = false; ///< its Connected event was given
};

/// A connection the host accepted that has not said hello yet: it has no id and hears nothing.
struct WaitingConnection {
    std::unique_ptr<TcpConnection> connection;
    MessageFramer framer;
    std::uint64_t acceptedMs = 0;
};

class HostLink final : public NetLink {
public:
    /// Listens on `port` (0: a free one). Null and `error` when it cannot.
    static std::unique_ptr<HostLink> open(std::uint16_t port, const Clock& clock, NetError& error);
    HostLink(std::unique_ptr<TcpListener> listener, const Clock& clock)
        : listener_(std::move(listener)), clock_(clock) {}
    std::uint16_t port() const { return listener_->port(); }
    /// While closed, new connections and those still waiting are turned away (once the mission runs).
    void setOpen(bool open);

    /// A connection's first message must be a hello: it then gets the lowest free id and is given
    /// as that peer's message. Any other first message, none within 10 s or no room left closes
    /// it (a Dropped event of peer 0).
    void poll(std::vector<LinkEvent>& events) override;
    void sendTo(std::int32_t peer, const NetMessage& message) override;
    void sendAll(const NetMessage& message, std::int32_t except = 0) override;
    void drop(std::int32_t peer) override;
    std::vector<std::int32_t> peers() const override;

private:
    void acceptWaiting(std::vector<LinkEvent>& events);
    /// False when the connection is to be closed (the Dropped event is then given).
    bool readHello(WaitingConnection& waiting, std::vector<LinkEvent>& events);
    std::int32_t freeId() const;

    std::unique_ptr<TcpListener> listener_;
    const Clock& clock_;
    std::vector<WaitingConnection> waiting_;
    std::vector<LinkedPeer> peers_;
    bool open_ = true;
};

class ClientLink final : public NetLink {
public:
    /// Starts connecting to a host. Null and `error` when no socket can be made.
    static std::unique_ptr<ClientLink> connect(const NetAddress& host, NetError& error);
    explicit ClientLink(std::unique_ptr<TcpConnection> connection);

    void poll(std::vector<LinkEvent>& events) override;
    void sendTo(std::int32_t peer, const NetMessage& message) override;
    void sendAll(const NetMessage& message, std::int32_t except = 0) override;
    void drop(std::int32_t peer) override;
    std::vector<std::int32_t> peers() const override;

private:
    std::vector<LinkedPeer> host_; // the host, while linked
};

} // namespace q71
