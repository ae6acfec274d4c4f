#pragma once
// Non-blocking IPv4 sockets for the network game: a TCP listener, TCP connections with an
// outgoing buffer, and UDP sockets for the hosts' adverts. Nothing here ever waits.

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace q71 {

struct NetAddress {
    std::uint32_t ip = 0; ///< host byte order
    std::uint16_t port = 0;

    /// "a.b.c.d:port".
    std::string text() const;
    /// Parses "a.b.c.d" or "a.b.c.d:port"; without a port, `defaultPort`.
    static std::optional<NetAddress> parse(const std::string& text, std::uint16_t defaultPort);
    bool operator==(const NetAddress&) const = default;
};

/// A socket call the system refused: the call, the system's error number and the port it was
/// about, so that the lobby can say what happened in the player's words.
struct NetError {
    std::string call; ///< "bind", "connect", ...
    int code = 0;     ///< errno
    std::uint16_t port = 0;
    /// "bind: Address already in use", for the program's log.
    std::string text() const;
};

/// True when `ip` (host byte order) is an address of this machine: a loopback address or one of
/// its interfaces'.
bool netIsLocalAddress(std::uint32_t ip);

/// An open file descriptor, closed with its owner.
class SocketHandle {
public:
    SocketHandle() = default;
    explicit SocketHandle(int fd) : fd_(fd) {}
    SocketHandle(SocketHandle&& other) noexcept : fd_(other.release()) {}
    SocketHandle& operator=(SocketHandle&& other) noexcept;
    SocketHandle(const SocketHandle&) = delete;
    SocketHandle& operator=(const SocketHandle&) = delete;
    ~SocketHandle();
    int fd() const { return fd_; }
    int release();

private:
    int fd_ = -1;
};

/// The system's send on a connected socket: bytes written, or -1 with errno set. Replaceable, so
/// that a test can make the link fail at a chosen moment.
using SocketSendCall = std::function<long(int fd, std::span<const std::uint8_t> bytes)>;

class TcpConnection {
public:
    enum class State { Connecting, Open, Closed };

    /// Starts connecting; the connection is Connecting until the peer answers. Null and `error`
    /// when no socket can be made or the system refuses the connection at once.
    static std::unique_ptr<TcpConnection> connect(const NetAddress& to, NetError& error);
    explicit TcpConnection(SocketHandle socket, State state) : socket_(std::move(socket)), state_(state) {}

    /// Moves a pending connect on and writes what is buffered; returns the state.
    State update();
    State state() const { return state_; }
    /// Queues bytes and writes what the socket takes now.
    void send(std::span<const std::uint8_t> bytes);
    /// Reads what has arrived, at most `limit` bytes; empty when nothing came. The state turns
    /// Closed when the peer closed or the link failed (`closeReason`).
    std::vector<std::uint8_t> receive(std::size_t limit);
    const std::string& closeReason() const { return closeReason_; }
    /// Bytes queued and not yet written.
    std::size_t pending() const { return outgoing_.size(); }
    /// Writes through `call` from now on instead of the system's send.
    void setSendCall(SocketSendCall call) { send_ = std::move(call); }

private:
    void close(std::string reason);
    void flush();

    SocketHandle socket_;
    State state_;
    std::vector<std::uint8_t> outgoing_;
    std::string closeReason_;
    SocketSendCall send_;
};

class TcpListener {
public:
    /// Listens on all addresses at `port` (0: a free port). Null and `error` when it cannot.
    static std::unique_ptr<TcpListener> open(std::uint16_t port, NetError& error);
    explicit TcpListener(SocketHandle socket, std::uint16_t port) : socket_(std::move(socket)), port_(port) {}
    /// The next connection waiting, or null.
    std::unique_ptr<TcpConnection> accept();
    std::uint16_t port() const { return port_; }

private:
    SocketHandle socket_;
    std::uint16_t port_;
};

class UdpSocket {
public:
    /// A UDP socket that may broadcast, bound to `port` on all addresses (0: any free port), able
    /// to share that port with other listeners. Null and `error` when it cannot.
    static std::unique_ptr<UdpSocket> open(std::uint16_t port, NetError& error);
    explicit UdpSocket(SocketHandle socket, std::uint16_t port) : socket_(std::move(socket)), port_(port) {}
    /// Sends one datagram; false when the system refused it.
    bool sendTo(const NetAddress& to, std::span<const std::uint8_t> bytes);
    /// The next datagram waiting (cut at `limit` bytes) and who sent it, or none.
    std::optional<std::vector<std::uint8_t>> receiveFrom(std::size_t limit, NetAddress& from);
    std::uint16_t port() const { return port_; }

private:
    SocketHandle socket_;
    std::uint16_t port_;
};

} // namespace q71
