#pragma once
// The standard control classes: "EDIT", "LISTBOX", "COMBOBOX" (with "ComboLBox", the class of
// its drop-down list), "STATIC" and "BUTTON". Like any class they can be looked up with
// classGetInfo and superclassed, and each window's procedure can be replaced and chained.

#include "platform/window/window_types.h"

#include <cstdint>

namespace q71 {

/// Registers the standard classes with the running window system; true once they exist. The
/// program does this right after starting the window system, and dialogs make sure of it.
bool controlsRegisterClasses();

/// The class procedures, for the class table.
LResult editControlProc(WindowHandle window, std::uint32_t message, WParam wParam, LParam lParam);
LResult listBoxControlProc(WindowHandle window, std::uint32_t message, WParam wParam, LParam lParam);
LResult comboBoxControlProc(WindowHandle window, std::uint32_t message, WParam wParam, LParam lParam);
LResult staticControlProc(WindowHandle window, std::uint32_t message, WParam wParam, LParam lParam);
LResult buttonControlProc(WindowHandle window, std::uint32_t message, WParam wParam, LParam lParam);

} // namespace q71
