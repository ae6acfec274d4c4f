#pragma once
// Device contexts on windows: drawing on the screen surface where a window is visible, inside
// a paint (limited to what needs painting) or outside one, and reading back what is on the
// screen. Also the background brush of window classes and its eraser.

#include "platform/gdi/device_context.h"
#include "platform/window/window_types.h"

#include <cstdint>
#include <memory>
#include <optional>

namespace q71 {

/// A context on the window's client area; null when the window is invalid or the window system
/// is not running. Each drawing call clips to where the window is visible at that moment.
std::unique_ptr<DeviceContext> getWindowDC(WindowHandle window);
/// A context on the whole screen (the "DISPLAY" context), also used to measure text.
std::unique_ptr<DeviceContext> createDisplayDC();

/// What beginPaint gives: the context, limited to the update region as it stood; whether the
/// background still needs erasing (WM_ERASEBKGND did not erase it); the bounding box of the update.
struct PaintStruct {
    std::unique_ptr<DeviceContext> dc;
    bool erase = false;
    Rect paint;
};

/// Starts painting a window: takes its update region (leaving it empty) and, when the
/// background was to be erased, sends WM_ERASEBKGND with the context in wParam. An invalid window
/// gives a context that draws nothing.
PaintStruct beginPaint(WindowHandle window);
/// Ends painting: the context is released.
void endPaint(WindowHandle window, PaintStruct& paint);

/// The context a WM_ERASEBKGND message carries.
DeviceContext* deviceContextFromWParam(WParam wParam);
/// The wParam that carries a context.
WParam deviceContextToWParam(DeviceContext* dc);

/// A window class's background: a stock brush, or a brush the caller keeps alive as long as the class.
/// The same handles answer the control colour messages (WM_CTLCOLOREDIT and the others).
std::uintptr_t classBackgroundBrush(StockObject stock);
std::uintptr_t classBackgroundBrush(const Brush* brush);
/// The brush of a handle made by classBackgroundBrush; none for 0.
std::optional<Brush> brushFromHandle(std::uintptr_t handle);
/// Connects the window system's defaults to drawing, once after it starts: the default WM_PAINT
/// then begins and ends a paint, and the default WM_ERASEBKGND fills with the class background.
void installWindowDrawing();

} // namespace q71
