#pragma once
// Matching key events against key-binding records (the quit and minimise keys) and the
// dismiss keys of the screens.

#include "framework/textmngr/text_manager.h"

#include <cstdint>

namespace q71 {

/// Key categories of a key event: 0 WM_CHAR, 1 WM_KEYDOWN of a special key, 2 WM_SYSDEADCHAR,
/// 3 WM_SYSCHAR, 4 WM_DEADCHAR, 5 WM_CHAR with Ctrl held, 6 WM_CHAR with Ctrl and Shift held.
enum KeyCategory : int {
    kKeyChar = 0,
    kKeySpecialDown = 1,
    kKeySysDeadChar = 2,
    kKeySysChar = 3,
    kKeyDeadChar = 4,
    kKeyCtrlChar = 5,
    kKeyCtrlShiftChar = 6,
};

/// True when a key (a character or virtual-key code, as a signed byte) of a category matches the record.
bool appKeyMatches(int8_t key, int category, const KeyBinding& record);
/// Esc or Space as characters, Enter as a key-down.
bool appIsDismissKey(int8_t key, int category);
/// appIsDismissKey (key, 0).
bool appIsDismissKeyDown(int8_t key);

} // namespace q71
