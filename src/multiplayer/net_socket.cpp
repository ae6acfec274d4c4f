#include "multiplayer/net_socket.h"

#include <arpa/inet.h>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <ifaddrs.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace q71 {
namespace {

constexpr std::size_t kMaxPendingBytes = std::size_t{1} << 20;

std::string systemError(const char* what) {
    return std::string(what) + ": " + std::strerror(errno);
}

NetError refused(const char* call, std::uint16_t port) {
    return {call, errno, port};
}

sockaddr_in socketAddress(const NetAddress& address) {
    sockaddr_in in{};
    in.sin_family = AF_INET;
    in.sin_addr.s_addr = htonl(address.ip);
    in.sin_port = htons(address.port);
    return in;
}

NetAddress netAddress(const sockaddr_in& in) {
    return {ntohl(in.sin_addr.s_addr), ntohs(in.sin_port)};
}

std::optional<std::uint16_t> boundPort(int fd) {
    sockaddr_in in{};
    socklen_t size = sizeof in;
    if (getsockname(fd, reinterpret_cast<sockaddr*>(&in), &size) != 0)
        return std::nullopt;
    return ntohs(in.sin_port);
}

bool makeNonBlocking(int fd) {
    const int flags = fcntl(fd, F_GETFL, 0);
    return flags >= 0 && fcntl(fd, F_SETFL, flags | O_NONBLOCK) == 0;
}

SocketHandle openSocket(int type, std::uint16_t port, NetError& error) {
    SocketHandle socket(::socket(AF_INET, type | SOCK_CLOEXEC, 0));
    if (socket.fd() < 0) {
        error = refused("socket", port);
        return {};
    }
    if (!makeNonBlocking(socket.fd())) {
        error = refused("fcntl", port);
        return {};
    }
    return socket;
}

bool setOption(int fd, int level, int name) {
    const int on = 1;
    return setsockopt(fd, level, name, &on, sizeof on) == 0;
}

// A socket bound to a port of every address (0: a free one), which others may share (a UDP
// socket may also broadcast); `bound` is the port it got. Closed and `error` when it fails.
SocketHandle openBound(int type, std::uint16_t port, std::uint16_t& bound, NetError& error) {
    SocketHandle socket = openSocket(type, port, error);
    if (socket.fd() < 0)
        return socket;
    if (!setOption(socket.fd(), SOL_SOCKET, SO_REUSEADDR) ||
        (type == SOCK_DGRAM && !setOption(socket.fd(), SOL_SOCKET, SO_BROADCAST))) {
        error = refused("setsockopt", port);
        return {};
    }
    const sockaddr_in in = socketAddress({INADDR_ANY, port});
    if (bind(socket.fd(), reinterpret_cast<const sockaddr*>(&in), sizeof in) != 0) {
        error = refused("bind", port);
        return {};
    }
    const std::optional<std::uint16_t> got = boundPort(socket.fd());
    if (!got) {
        error = refused("getsockname", port);
        return {};
    }
    bound = *got;
    return socket;
}

long systemSend(int fd, std::span<const std::uint8_t> bytes) {
    return ::send(fd, bytes.data(), bytes.size(), MSG_NOSIGNAL);
}

bool wouldBlock() {
    return errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR;
}

} // namespace

std::string NetError::text() const {
    return call + ": " + std::strerror(code);
}

std::string NetAddress::text() const {
    return std::to_string(ip >> 24) + "." + std::to_string(ip >> 16 & 0xFF) + "." +
           std::to_string(ip >> 8 & 0xFF) + "." + std::to_string(ip & 0xFF) + ":" + std::to_string(port);
}

std::optional<NetAddress> NetAddress::parse(const std::string& text, std::uint16_t defaultPort) {
    NetAddress address{0, defaultPort};
    std::size_t at = 0;
    const auto number = [&](unsigned long limit) -> std::optional<unsigned long> {
        std::size_t digits = 0;
        unsigned long value = 0;
        while (at < text.size() && text[at] >= '0' && text[at] <= '9' && digits < 6) {
            value = value * 10 + static_cast<unsigned long>(text[at++] - '0');
            ++digits;
        }
        if (digits == 0 || value > limit)
            return std::nullopt;
        return value;
    };
    for (int part = 0; part < 4; ++part) {
        if (part > 0 && (at >= text.size() || text[at++] != '.'))
            return std::nullopt;
        const std::optional<unsigned long> byte = number(255);
        if (!byte)
            return std::nullopt;
        address.ip = address.ip << 8 | static_cast<std::uint32_t>(*byte);
    }
    if (at < text.size()) {
        if (text[at++] != ':')
            return std::nullopt;
        const std::optional<unsigned long> port = number(65535);
        if (!port || *port == 0)
            return std::nullopt;
        address.port = static_cast<std::uint16_t>(*port);
    }
    if (at != text.size())
        return std::nullopt;
    return address;
}

bool netIsLocalAddress(std::uint32_t ip) {
    if (ip >> 24 == 127)
        return true;
    ifaddrs* interfaces = nullptr;
    if (getifaddrs(&interfaces) != 0)
        return false;
    bool local = false;
    for (const ifaddrs* i = interfaces; i && !local; i = i->ifa_next)
        if (i->ifa_addr && i->ifa_addr->sa_family == AF_INET)
            local = netAddress(*reinterpret_cast<const sockaddr_in*>(i->ifa_addr)).ip == ip;
    freeifaddrs(interfaces);
    return local;
}

SocketHandle& SocketHandle::operator=(SocketHandle&& other) noexcept {
    if (this != &other) {
        if (fd_ >= 0)
            ::close(fd_);
        fd_ = other.release();
    }
    return *this;
}

SocketHandle::~SocketHandle() {
    if (fd_ >= 0)
        ::close(fd_);
}

int SocketHandle::release() {
    const int fd = fd_;
    fd_ = -1;
    return fd;
}

std::unique_ptr<TcpConnection> TcpConnection::connect(const NetAddress& to, NetError& error) {
    SocketHandle socket = openSocket(SOCK_STREAM, to.port, error);
    if (socket.fd() < 0)
        return nullptr;
    setOption(socket.fd(), IPPROTO_TCP, TCP_NODELAY);
    const sockaddr_in in = socketAddress(to);
    if (::connect(socket.fd(), reinterpret_cast<const sockaddr*>(&in), sizeof in) == 0)
        return std::make_unique<TcpConnection>(std::move(socket), State::Open);
    if (errno != EINPROGRESS) {
        error = refused("connect", to.port);
        return nullptr;
    }
    return std::make_unique<TcpConnection>(std::move(socket), State::Connecting);
}

TcpConnection::State TcpConnection::update() {
    if (state_ == State::Connecting) {
        pollfd watch{socket_.fd(), POLLOUT, 0};
        if (poll(&watch, 1, 0) <= 0)
            return state_;
        int failure = 0;
        socklen_t size = sizeof failure;
        if (getsockopt(socket_.fd(), SOL_SOCKET, SO_ERROR, &failure, &size) != 0 || failure != 0) {
            close(std::string("connect: ") + std::strerror(failure != 0 ? failure : errno));
            return state_;
        }
        state_ = State::Open;
    }
    flush();
    return state_;
}

void TcpConnection::send(std::span<const std::uint8_t> bytes) {
    if (state_ == State::Closed)
        return;
    outgoing_.insert(outgoing_.end(), bytes.begin(), bytes.end());
    // A peer that reads nothing for long is not kept at the cost of unbounded memory.
    if (outgoing_.size() > kMaxPendingBytes) {
        close("the peer does not read what is sent");
        return;
    }
    if (state_ == State::Open)
        flush();
}

void TcpConnection::flush() {
    std::size_t written = 0;
    while (state_ == State::Open && written < outgoing_.size()) {
        const std::span<const std::uint8_t> rest = std::span(outgoing_).subspan(written);
        const long n = send_ ? send_(socket_.fd(), rest) : systemSend(socket_.fd(), rest);
        if (n > 0) {
            written += static_cast<std::size_t>(n);
        } else if (n < 0 && wouldBlock()) {
            break;
        } else {
            // Closing empties the queue: what was written of it is gone with the rest.
            close(systemError("send"));
            return;
        }
    }
    outgoing_.erase(outgoing_.begin(), outgoing_.begin() + static_cast<std::ptrdiff_t>(written));
}

std::vector<std::uint8_t> TcpConnection::receive(std::size_t limit) {
    std::vector<std::uint8_t> bytes;
    if (state_ != State::Open)
        return bytes;
    bytes.resize(limit);
    const ssize_t n = ::recv(socket_.fd(), bytes.data(), bytes.size(), 0);
    if (n > 0) {
        bytes.resize(static_cast<std::size_t>(n));
        return bytes;
    }
    if (n == 0)
        close("the peer closed the connection");
    else if (!wouldBlock())
        close(systemError("recv"));
    bytes.clear();
    return bytes;
}

void TcpConnection::close(std::string reason) {
    state_ = State::Closed;
    closeReason_ = std::move(reason);
    outgoing_.clear();
    socket_ = SocketHandle();
}

std::unique_ptr<TcpListener> TcpListener::open(std::uint16_t port, NetError& error) {
    std::uint16_t bound = 0;
    SocketHandle socket = openBound(SOCK_STREAM, port, bound, error);
    if (socket.fd() < 0)
        return nullptr;
    if (listen(socket.fd(), 8) != 0) {
        error = refused("listen", port);
        return nullptr;
    }
    return std::make_unique<TcpListener>(std::move(socket), bound);
}

std::unique_ptr<TcpConnection> TcpListener::accept() {
    SocketHandle socket(::accept4(socket_.fd(), nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC));
    if (socket.fd() < 0)
        return nullptr;
    setOption(socket.fd(), IPPROTO_TCP, TCP_NODELAY);
    return std::make_unique<TcpConnection>(std::move(socket), TcpConnection::State::Open);
}

std::unique_ptr<UdpSocket> UdpSocket::open(std::uint16_t port, NetError& error) {
    std::uint16_t bound = 0;
    SocketHandle socket = openBound(SOCK_DGRAM, port, bound, error);
    if (socket.fd() < 0)
        return nullptr;
    return std::make_unique<UdpSocket>(std::move(socket), bound);
}

bool UdpSocket::sendTo(const NetAddress& to, std::span<const std::uint8_t> bytes) {
    const sockaddr_in in = socketAddress(to);
    return ::sendto(socket_.fd(), bytes.data(), bytes.size(), 0, reinterpret_cast<const sockaddr*>(&in),
                    sizeof in) == static_cast<ssize_t>(bytes.size());
}

std::optional<std::vector<std::uint8_t>> UdpSocket::receiveFrom(std::size_t limit, NetAddress& from) {
    std::vector<std::uint8_t> bytes(limit);
    sockaddr_in in{};
    socklen_t size = sizeof in;
    const ssize_t n = ::recvfrom(socket_.fd(), bytes.data(), bytes.size(), MSG_TRUNC,
                                 reinterpret_cast<sockaddr*>(&in), &size);
    if (n < 0)
        return std::nullopt;
    bytes.resize(std::min(bytes.size(), static_cast<std::size_t>(n)));
    from = netAddress(in);
    return bytes;
}

} // namespace q71
