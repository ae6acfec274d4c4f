#include "platform/display/single_instance.h"

#include <algorithm>
#include <cerrno>
#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <string>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace q71 {
namespace {

// The display the program shows on, as the desktop session names it ("" without one).
std::string displayName() {
    for (const char* variable : {"DISPLAY", "WAYLAND_DISPLAY"}) {
        if (const char* value = std::getenv(variable); value && *value)
            return value;
    }
    return {};
}

// The socket address of a name for this user on this display; the leading zero byte selects the
// abstract namespace.
socklen_t addressOf(std::string_view name, sockaddr_un& address) {
    std::memset(&address, 0, sizeof address);
    address.sun_family = AF_UNIX;
    std::string key = "q71-" + std::to_string(getuid()) + "-" + displayName() + "-" + std::string(name);
    size_t length = std::min(key.size(), sizeof address.sun_path - 1);
    std::memcpy(address.sun_path + 1, key.data(), length);
    return static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + 1 + length);
}

} // namespace

SingleInstance::~SingleInstance() {
    if (listener_ >= 0)
        close(listener_);
}

bool SingleInstance::claim(std::string_view name) {
    if (listener_ >= 0)
        return true;
    sockaddr_un address;
    socklen_t length = addressOf(name, address);
    int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return true;
    if (bind(fd, reinterpret_cast<sockaddr*>(&address), length) == 0 && listen(fd, 4) == 0) {
        listener_ = fd;
        return true;
    }
    bool taken = errno == EADDRINUSE;
    close(fd);
    if (!taken)
        return true;
    // Another copy holds the name: knocking is the request to come to the front.
    int knock = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (knock >= 0) {
        bool reached = connect(knock, reinterpret_cast<sockaddr*>(&address), length) == 0;
        close(knock);
        if (!reached)
            return true; // nobody answers: the name is stale, run anyway
    }
    return false;
}

bool SingleInstance::takeRaiseRequest() {
    if (listener_ < 0)
        return false;
    bool requested = false;
    int peer;
    while ((peer = accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC)) >= 0) {
        close(peer);
        requested = true;
    }
    return requested;
}

} // namespace q71
