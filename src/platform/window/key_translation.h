#pragma once
// What a key-down becomes, as the keyboard translation of Windows makes it: which key message
// (plain or system) and which character message with which character.

#include <cstdint>

namespace q71 {

struct KeyModifiers {
    bool shift = false;
    bool control = false;
    bool alt = false;
};

struct TranslatedKey {
    std::uint32_t keyMessage = 0;  // WM_KEYDOWN or WM_SYSKEYDOWN
    std::uint32_t charMessage = 0; // WM_CHAR, WM_SYSCHAR, WM_DEADCHAR, WM_SYSDEADCHAR, or 0 for none
    std::uint32_t character = 0;
};

/// Translates a key-down of a virtual key with the modifiers held; layoutCharacter is what the
/// keyboard layout gives for it (Windows-1252, -1 for none) and dead marks an accent key.
TranslatedKey keyTranslate(std::uint32_t virtualKey, KeyModifiers modifiers, int layoutCharacter, bool dead);
/// The message of a key release: WM_SYSKEYUP while Alt is held without Ctrl (or for F10), else WM_KEYUP.
std::uint32_t keyUpMessage(std::uint32_t virtualKey, KeyModifiers modifiers);

} // namespace q71
