#pragma once
// The ship-handling orders sent to the network game's peers, only while a game exists: speed (0),
// depth (1) and course (2) as the double's two 32-bit halves, low then high; the snorkel (7) and
// the emergency blow (8) as one value.

#include <cstdint>

namespace q71 {

void peersSendOrder(std::uint8_t code, double value);
void peersSendValue(std::uint8_t code, std::int32_t value);

} // namespace q71
