#pragma once
// Controls on the headless window system: a main window and a recording panel that is their
// parent, so a test sees every notification, colour and owner-draw message and may answer them.

#include "platform/gdi/bitmap.h"
#include "support/headless_windows.h"

#include <string_view>
#include <utility>
#include <vector>

namespace q71::test {

class ControlTest : public HeadlessWindows {
protected:
    ControlTest();

    /// A control of a class on the panel (rectangle in the panel's coordinates).
    WindowHandle make(std::string_view className, std::string_view text, std::uint32_t style, Rect rect,
                      int id);
    /// The notifications the panel received, as (control id, code), in order.
    std::vector<std::pair<int, int>> commands() const;
    /// Clicks at a point of a window's client area.
    void clickAt(WindowHandle window, Point point);
    /// Types the characters one key at a time (letters, digits, space and punctuation).
    void type(std::string_view text);
    /// Presses and releases a key with Shift held.
    void typeShifted(std::uint8_t virtualKey);
    /// What the screen shows under a window.
    BitmapRef capture(WindowHandle window) const;

    WindowHandle main{};
    WindowHandle panel{};
};

} // namespace q71::test
