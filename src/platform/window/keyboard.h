#pragma once
// The state of keys and mouse buttons by virtual-key code.

#include <cstdint>

namespace q71 {

/// The key as of the input messages taken so far: negative (bit 15) while down, bit 0 toggled.
std::int16_t keyGetState(std::uint32_t virtualKey);
/// The key as of now (the device events read so far): negative while down.
std::int16_t keyGetAsyncState(std::uint32_t virtualKey);

} // namespace q71
