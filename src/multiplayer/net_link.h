#pragma once
// The star of a network game over TCP: the host listens and every client connects to it; the
// host passes each client's messages on to the others (the game decides which). Peers are known
// by their player ids: the host is 1, clients 2 to 4 in the order they came. Every message read
// is checked; a peer that sends a malformed one, or whose link fails, is dropped.

#include "multiplayer/message_framer.h"
#include "multiplayer/net_messages.h"
#include "multiplayer/net_socket.h"

#include <memory>
#include <string>
#include <vector>

namespace q71 {

/// Messages read from one peer in one poll, at most: a flood cannot hold the game up.
inline constexpr int kMessagesPerPoll = 256;
inline constexpr std::int32_t kHostPlayerId = 1;

struct LinkEvent {
    enum class Kind { Connected, Message, Dropped };
    Kind kind = Kind::Message;
    std::int32_t peer = 0;
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

class HostLink final : public NetLink {
public:
    /// Listens on `port` (0: a free one). Null and `error` when it cannot.
    static std::unique_ptr<HostLink> open(std::uint16_t port, std::string& error);
    explicit HostLink(std::unique_ptr<TcpListener> listener) : listener_(std::move(listener)) {}
    std::uint16_t port() const { return listener_->port(); }
    /// While closed, new connections are turned away (once the mission runs).
    void setOpen(bool open) { open_ = open; }

    void poll(std::vector<LinkEvent>& events) override;
    void sendTo(std::int32_t peer, const NetMessage& message) override;
    void sendAll(const NetMessage& message, std::int32_t except = 0) override;
    void drop(std::int32_t peer) override;
    std::vector<std::int32_t> peers() const override;

private:
    std::unique_ptr<TcpListener> listener_;
    std::vector<LinkedPeer> peers_;
    bool open_ = true;
};

class ClientLink final : public NetLink {
public:
    /// Starts connecting to a host. Null and `error` when no socket can be made.
    static std::unique_ptr<ClientLink> connect(const NetAddress& host, std::string& error);
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
