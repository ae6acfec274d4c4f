#pragma once
// A peer of the loopback tests that speaks through a bare socket: it connects, sends what it
// likes, reads or does not, and can break its link with a reset, as a crashed or hostile
// program does.

#include <arpa/inet.h>
#include <cstdint>
#include <netinet/in.h>
#include <span>
#include <sys/socket.h>
#include <unistd.h>
#include <vector>

namespace q71::test {

class RawSocket {
public:
    /// Connects to 127.0.0.1:`port`, waiting for the connection (loopback answers at once).
    explicit RawSocket(std::uint16_t port) : fd_(::socket(AF_INET, SOCK_STREAM, 0)) {
        sockaddr_in to{};
        to.sin_family = AF_INET;
        to.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        to.sin_port = htons(port);
        connected_ = fd_ >= 0 && ::connect(fd_, reinterpret_cast<const sockaddr*>(&to), sizeof to) == 0;
    }
    ~RawSocket() {
        if (fd_ >= 0)
            ::close(fd_);
    }
    RawSocket(const RawSocket&) = delete;
    RawSocket& operator=(const RawSocket&) = delete;

    bool connected() const { return connected_; }
    /// Sends all the bytes; false when the link refused them.
    bool send(std::span<const std::uint8_t> bytes) {
        return ::send(fd_, bytes.data(), bytes.size(), MSG_NOSIGNAL) == static_cast<ssize_t>(bytes.size());
    }
    /// What has arrived by now, without waiting.
    std::vector<std::uint8_t> received() {
        std::vector<std::uint8_t> all, chunk(4096);
        ssize_t n;
        while ((n = ::recv(fd_, chunk.data(), chunk.size(), MSG_DONTWAIT)) > 0)
            all.insert(all.end(), chunk.begin(), chunk.begin() + n);
        closedByPeer_ = closedByPeer_ || n == 0;
        return all;
    }
    /// True once the other end closed the link (seen by `received`).
    bool closedByPeer() const { return closedByPeer_; }
    /// Breaks the link at once: the other end gets a reset, not an orderly close.
    void reset() {
        const linger abort{1, 0};
        ::setsockopt(fd_, SOL_SOCKET, SO_LINGER, &abort, sizeof abort);
        ::close(fd_);
        fd_ = -1;
    }

private:
    int fd_;
    bool connected_ = false;
    bool closedByPeer_ = false;
};

/// A port of every address held as another program holds it: bound without sharing (a TCP
/// socket listening), so that the game cannot take it too.
class PortHolder {
public:
    /// Holds a free port of the kind (SOCK_STREAM or SOCK_DGRAM).
    explicit PortHolder(int type) : fd_(::socket(AF_INET, type, 0)) {
        sockaddr_in at{};
        at.sin_family = AF_INET;
        at.sin_addr.s_addr = htonl(INADDR_ANY);
        socklen_t size = sizeof at;
        held_ = fd_ >= 0 && ::bind(fd_, reinterpret_cast<const sockaddr*>(&at), sizeof at) == 0 &&
                (type != SOCK_STREAM || ::listen(fd_, 1) == 0) &&
                ::getsockname(fd_, reinterpret_cast<sockaddr*>(&at), &size) == 0;
        port_ = ntohs(at.sin_port);
    }
    ~PortHolder() {
        if (fd_ >= 0)
            ::close(fd_);
    }
    PortHolder(const PortHolder&) = delete;
    PortHolder& operator=(const PortHolder&) = delete;

    bool held() const { return held_; }
    std::uint16_t port() const { return port_; }

private:
    int fd_;
    bool held_ = false;
    std::uint16_t port_ = 0;
};

} // namespace q71::test
