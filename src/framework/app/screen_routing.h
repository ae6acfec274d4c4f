#pragma once
// Pieces of the screens' message handling: their window classes, the special keys and key
// categories, the paint through a back buffer, and the default handling that hands timers and
// the mouse to the widgets.

#include "framework/app/widget_container.h"
#include "platform/gdi/bitmap.h"
#include "platform/window/window_types.h"

#include <functional>
#include <string_view>

namespace q71 {

class DeviceContext;

/// Registers a screen class of that name unless it exists (cursor none: the screen sets it).
bool screenRegisterClass(std::string_view key, WindowProc procedure, CursorHandle cursor);
/// True for the virtual keys that screens take from WM_KEYDOWN (key category 1).
bool screenIsSpecialKey(WParam key);
/// The key category of WM_CHAR (0, or 5 with Ctrl held), WM_SYSDEADCHAR (2), WM_SYSCHAR (3) and
/// WM_DEADCHAR (4); -1 for other messages.
int screenCharCategory(std::uint32_t message);
/// Paints the window through a back buffer of its size: black, then `paintScreen`, then the
/// widgets, then copied to the window. Only the area to paint is drawn and copied, since the
/// window takes no more; `buffer` is kept by the caller from one paint to the next (made or
/// remade at the window's size as needed). Without a background nothing at all is drawn.
void screenPaintBuffered(WindowHandle window, int width, int height, bool hasBackground, BitmapRef& buffer,
                         WidgetContainer& widgets, const std::function<void(DeviceContext&)>& paintScreen);
/// The default handling of the three classes: timers and the mouse go to the widgets.
LResult screenDefaultMessage(WidgetContainer& widgets, WindowHandle window, std::uint32_t message,
                             WParam wParam, LParam lParam);

} // namespace q71
