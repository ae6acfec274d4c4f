#pragma once
// What a display backend reports from its device: pointer and keys in screen-surface terms
// (positions in the 640 by 480 space, keys as virtual-key codes with the character the
// keyboard layout gives), and changes of the real window's state.

#include "platform/geometry/rect.h"

#include <cstdint>

namespace q71 {

enum class InputKind : std::uint8_t {
    MouseMove,
    ButtonDown,
    ButtonUp,
    KeyDown,
    KeyUp,
    Wheel,          // the wheel turned by wheelDelta at position
    Minimized,      // the user minimised the window
    Restored,       // the user brought a minimised window back
    CloseRequested, // the user asked the window to close
};

enum class MouseButton : std::uint8_t { Left, Right, Middle };

struct InputEvent {
    InputKind kind = InputKind::MouseMove;
    Point position; // pointer events: where, in screen-surface coordinates
    MouseButton button = MouseButton::Left;
    std::uint8_t virtualKey = 0; // key events; left/right variants for Shift, Ctrl and Alt
    // The Windows-1252 character the layout gives for this key-down with the modifiers held, or
    // -1 for none. Esc, Enter, Backspace, Tab and Ctrl+letter need none: they are translated by rule.
    int character = -1;
    bool dead = false;  // the key is a dead key (an accent waiting for its letter)
    int wheelDelta = 0; // Wheel: multiples of 120 per notch, positive away from the user

    /// A pointer move to p.
    static InputEvent moveTo(Point p) {
        InputEvent e;
        e.position = p;
        return e;
    }
    /// A press (ButtonDown) or release (ButtonUp) of a button at p.
    static InputEvent buttonAt(InputKind kind, MouseButton b, Point p) {
        InputEvent e;
        e.kind = kind;
        e.position = p;
        e.button = b;
        return e;
    }
    /// A turn of the wheel by delta (120 a notch, positive away from the user) with the pointer at p.
    static InputEvent wheelAt(Point p, int delta) {
        InputEvent e;
        e.kind = InputKind::Wheel;
        e.position = p;
        e.wheelDelta = delta;
        return e;
    }
    /// A press (KeyDown) or release (KeyUp) of a key; a press of a key already down is an
    /// auto-repeat.
    static InputEvent keyOf(InputKind kind, std::uint8_t vk, int character = -1) {
        InputEvent e;
        e.kind = kind;
        e.virtualKey = vk;
        e.character = character;
        return e;
    }
    /// A change of the window's state (Minimized, Restored, CloseRequested).
    static InputEvent windowChange(InputKind kind) {
        InputEvent e;
        e.kind = kind;
        return e;
    }
};

} // namespace q71
