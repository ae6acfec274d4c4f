#pragma once
// Keys of the real keyboard as virtual-key codes. Letters, digits and the named keys follow the
// key's symbol in the active layout, as virtual keys do; keys whose symbol has no virtual key
// (accented letters of other layouts) fall back on the key's place on a US keyboard.

#include <cstdint>

namespace q71 {

/// The virtual key of an SDL key symbol and scan code; 0 for keys the program has no use for.
std::uint8_t virtualKeyFromSdl(std::int32_t keycode, int scancode);

} // namespace q71
