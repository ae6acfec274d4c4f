#pragma once
// The default window procedure: what a window does with a message it leaves alone.

#include "platform/window/window_types.h"

#include <cstdint>

namespace q71 {

/// Default handling: WM_CLOSE destroys the window; WM_SYSCOMMAND closes, minimises or restores;
/// Alt+F4 asks to close; WM_SETCURSOR asks the parent first, then sets the class cursor;
/// WM_MOUSEWHEEL, WM_SYSCHAR and WM_SYSDEADCHAR go on to the parent; WM_ACTIVATE takes the focus;
/// WM_PAINT validates; WM_ERASEBKGND fills with the class brush; window text messages keep the
/// text. Everything else returns 0.
LResult windowDefaultProc(WindowHandle window, std::uint32_t message, WParam wParam, LParam lParam);

} // namespace q71
