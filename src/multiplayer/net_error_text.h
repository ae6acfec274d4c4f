#pragma once
// What a socket call the system refused means to the player, in the text table's words.

#include "multiplayer/net_socket.h"

#include <string>

namespace q71 {

/// A clause that follows a colon in the lobby's lines ("le port 47110 est déjà pris par un autre
/// programme."): the port taken or reserved, no way to the address, no game answering there, no
/// socket left, access refused, or the system's error number for anything else.
std::string netErrorSaid(const NetError& error);

} // namespace q71
