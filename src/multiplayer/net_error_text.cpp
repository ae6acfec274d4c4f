#include "multiplayer/net_error_text.h"

#include "framework/textmngr/text_manager.h"

#include <cerrno>

namespace q71 {
namespace {

constexpr int kTextPortTaken = 2732;
constexpr int kTextPortReserved = 2733;
constexpr int kTextNoRoute = 2734;
constexpr int kTextNoGameThere = 2735;
constexpr int kTextNoSocketLeft = 2736;
constexpr int kTextAccessRefused = 2737;
constexpr int kTextSystemError = 2738;

} // namespace

std::string netErrorSaid(const NetError& error) {
    const int port = error.port;
    switch (error.code) {
    case EADDRINUSE:
        return textFormatted(kTextPortTaken, port);
    case EACCES:
    case EPERM:
        // Only a privileged program binds a port below 1024; elsewhere the system or its
        // firewall keeps the network from the game.
        return error.call == "bind" ? textFormatted(kTextPortReserved, port) : textCopy(kTextAccessRefused);
    case ENETUNREACH:
    case EHOSTUNREACH:
    case ENETDOWN:
    case EADDRNOTAVAIL:
        return textCopy(kTextNoRoute);
    case ECONNREFUSED:
    case ETIMEDOUT:
        return textCopy(kTextNoGameThere);
    case EMFILE:
    case ENFILE:
    case ENOBUFS:
    case ENOMEM:
        return textCopy(kTextNoSocketLeft);
    default:
        return textFormatted(kTextSystemError, error.code);
    }
}

} // namespace q71
