#pragma once
// Window classes: a name with the procedure, style bits, cursor and background brush that every
// window of the class starts with.

#include "platform/window/window_types.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace q71 {

struct WindowClass {
    std::string name;
    std::uint32_t style = 0; // CS_ bits
    WindowProc procedure = nullptr;
    CursorHandle cursor{};         // set over the client area by the default WM_SETCURSOR; none = leave as is
    std::uintptr_t background = 0; // a brush of the drawing layer; 0 = none (nothing erased)
};

/// Registers a class; returns its atom (non-zero), or 0 when the name is empty or taken or no procedure is
/// given.
std::uint16_t classRegister(const WindowClass& windowClass);
/// Copies the description of the class of that name (any letter case); false when there is none.
bool classGetInfo(std::string_view name, WindowClass& out);

} // namespace q71
