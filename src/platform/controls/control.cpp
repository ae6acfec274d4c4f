#include "platform/controls/control.h"

#include "platform/controls/control_look.h"
#include "platform/controls/control_messages.h"
#include "platform/gdi/window_dc.h"
#include "platform/window/message_queue.h"
#include "platform/window/window.h"
#include "platform/window/window_layout.h"
#include "platform/window/window_paint.h"

#include <algorithm>
#include <cstring>

namespace q71 {
namespace {

// The window property holding a control's state (not "THIS", which belongs to the program's
// objects that subclass controls).
constexpr const char* kStateProperty = "Q71.Control";

struct DefaultColours {
    ColorRef text;
    ColorRef background;
};

DefaultColours defaultColours(std::uint32_t colourMessage) {
    switch (colourMessage) {
    case WM_CTLCOLOREDIT:
        return {look::kAmber, look::kGlass};
    case WM_CTLCOLORLISTBOX:
        return {look::kText, look::kGlass};
    default:
        return {look::kLabel, look::kFace};
    }
}

} // namespace

Control::Control(WindowHandle window) : window_(window), notifyTarget_(windowGetParent(window)) {}

FontRef Control::font() const {
    return font_ ? font_ : stockFont(StockObject::SystemFont);
}

void Control::invalidate() const {
    windowInvalidate(window_, nullptr, true);
}

void Control::notify(std::uint32_t code) {
    messageSend(notifyTarget_, WM_COMMAND, commandWParam(windowGetId(window_), code),
                static_cast<LParam>(window_));
}

Control* Control::attached(WindowHandle window) {
    return static_cast<Control*>(windowGetProperty(window, kStateProperty));
}

LResult Control::create(WindowHandle window, std::unique_ptr<Control> control, const CreateStruct& cs) {
    Control* c = control.release();
    windowSetProperty(window, kStateProperty, c);
    return dispatch(c, WM_CREATE, 0, reinterpret_cast<LParam>(&cs));
}

LResult Control::dispatch(Control* control, std::uint32_t message, WParam wParam, LParam lParam) {
    if (message == WM_NCDESTROY) {
        windowRemoveProperty(control->window_, kStateProperty);
        control->freed_ = true;
        if (control->busy_ == 0)
            delete control;
        return 0;
    }
    ++control->busy_;
    LResult result = control->route(message, wParam, lParam);
    if (--control->busy_ == 0 && control->freed_)
        delete control;
    return result;
}

LResult Control::route(std::uint32_t message, WParam wParam, LParam lParam) {
    switch (message) {
    case WM_CREATE:
        return onCreate(*reinterpret_cast<const CreateStruct*>(lParam));
    case WM_SETFONT:
        font_ = fontFromWParam(wParam);
        fontChanged();
        if (lParam)
            invalidate();
        return 0;
    case WM_GETFONT:
        // The font set (which the caller may copy), or 0 for the system font.
        return font_ ? reinterpret_cast<LResult>(&font_) : 0;
    default:
        return handle(message, wParam, lParam);
    }
}

ControlPaint::ControlPaint(const Control& control, std::uint32_t colourMessage)
    : window_(control.window()), paint_(beginPaint(window_)) {
    paint_.dc->selectFont(control.font());
    background_ = controlColours(window_, control.notifyTarget(), *paint_.dc, colourMessage);
    client_ = windowGetClientRect(window_);
    paint_.dc->fillRect(client_, background_);
}

ControlPaint::~ControlPaint() {
    endPaint(window_, paint_);
}

WParam fontToWParam(const FontRef& font) {
    return font ? reinterpret_cast<WParam>(&font) : 0;
}

FontRef fontFromWParam(WParam wParam) {
    return wParam ? *reinterpret_cast<const FontRef*>(wParam) : nullptr;
}

LResult copyTextToBuffer(std::string_view text, WParam capacity, LParam buffer) {
    if (capacity == 0 || buffer == 0)
        return 0;
    std::size_t copied = std::min(text.size(), static_cast<std::size_t>(capacity) - 1);
    char* out = reinterpret_cast<char*>(buffer);
    std::memcpy(out, text.data(), copied);
    out[copied] = '\0';
    return static_cast<LResult>(copied);
}

Brush controlColours(WindowHandle control, WindowHandle target, DeviceContext& dc,
                     std::uint32_t colourMessage) {
    // Text goes over the brush unless the target asks for an opaque background itself.
    dc.setBkMode(kTransparent);
    LResult answer = windowIsValid(target) ? messageSend(target, colourMessage, deviceContextToWParam(&dc),
                                                         static_cast<LParam>(control))
                                           : 0;
    if (std::optional<Brush> brush = brushFromHandle(static_cast<std::uintptr_t>(answer)))
        return *brush;
    DefaultColours colours = defaultColours(colourMessage);
    dc.setTextColor(colours.text);
    dc.setBkColor(colours.background);
    return createSolidBrush(colours.background);
}

} // namespace q71
