#pragma once
// The value types of the window system: handles, message parameters, procedures and the
// message record. Handles are numbers that are never reused, so a stale handle is simply
// invalid rather than pointing at another window.

#include "platform/geometry/rect.h"

#include <cstdint>

namespace q71 {

/// A window; WindowHandle{} is "no window". Live handles are never 0 or 1.
enum class WindowHandle : std::uint32_t {};
/// A cursor made by the cursor service; CursorHandle{} is "no cursor".
enum class CursorHandle : std::uint32_t {};

using WParam = std::uintptr_t;
using LParam = std::intptr_t;
using LResult = std::intptr_t;

/// The procedure of a window class or of one window.
using WindowProc = LResult (*)(WindowHandle window, std::uint32_t message, WParam wParam, LParam lParam);
/// A timer callback, run from dispatch of its WM_TIMER (time is the tick count).
using TimerProc = void (*)(WindowHandle window, std::uint32_t message, std::uintptr_t id, std::uint32_t time);

/// One message as the loop reads it.
struct Message {
    WindowHandle window{};
    std::uint32_t message = 0;
    WParam wParam = 0;
    LParam lParam = 0;
    std::uint32_t time = 0; // tick count when it was queued
    Point point;            // cursor position (screen) when it was queued
    // What messageTranslate makes of a key-down: a character message (0 = none) and its character.
    std::uint32_t charMessage = 0;
    std::uint32_t character = 0;
};

/// The parameter of WM_CREATE: how the window was asked for.
struct CreateStruct {
    void* createParam = nullptr;
    std::uintptr_t id = 0;
    WindowHandle parent{};
    int height = 0, width = 0, y = 0, x = 0;
    std::uint32_t style = 0;
    const char* name = "";
    const char* className = "";
    std::uint32_t exStyle = 0;
};

/// The value with lo in the low 16 bits and hi in the next 16.
constexpr LParam makeLParam(int lo, int hi) {
    return static_cast<LParam>((static_cast<std::uint32_t>(hi & 0xFFFF) << 16) |
                               static_cast<std::uint32_t>(lo & 0xFFFF));
}
/// The low 16 bits, unsigned.
constexpr int loWord(std::uintptr_t v) {
    return static_cast<int>(v & 0xFFFF);
}
/// Bits 16 to 31, unsigned.
constexpr int hiWord(std::uintptr_t v) {
    return static_cast<int>((v >> 16) & 0xFFFF);
}
/// The x of a mouse message's lParam, sign-extended (client coordinates may be negative).
constexpr int pointXFromLParam(LParam v) {
    return static_cast<std::int16_t>(v & 0xFFFF);
}
/// The y of a mouse message's lParam, sign-extended.
constexpr int pointYFromLParam(LParam v) {
    return static_cast<std::int16_t>((v >> 16) & 0xFFFF);
}

} // namespace q71
