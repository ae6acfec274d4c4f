#pragma once
// The common ground of the standard controls: each control keeps its state in an object
// attached to its window when it is created and freed with the window's last message, so its
// procedure works the same for a superclass of its class and under a subclass chained in front
// of it. The object outlives a window destroyed while the control is still handling one of its
// messages (a parent may destroy a control in answer to its notification).

#include "platform/gdi/device_context.h"
#include "platform/gdi/font.h"
#include "platform/gdi/window_dc.h"
#include "platform/window/default_proc.h"
#include "platform/window/message_ids.h"
#include "platform/window/window_types.h"

#include <cstdint>
#include <memory>
#include <string_view>

namespace q71 {

class Control {
public:
    explicit Control(WindowHandle window);
    virtual ~Control() = default;
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    /// Handles one message of the window (the class procedure's body); WM_SETFONT and WM_GETFONT
    /// are answered before it.
    virtual LResult handle(std::uint32_t message, WParam wParam, LParam lParam) = 0;

    WindowHandle window() const { return window_; }
    /// Where notifications, colour and owner-draw messages go: the parent, or the combo box a
    /// drop-down list belongs to.
    WindowHandle notifyTarget() const { return notifyTarget_; }
    void setNotifyTarget(WindowHandle target) { notifyTarget_ = target; }
    /// The font set with WM_SETFONT, or the system font.
    FontRef font() const;
    /// Repaints the whole control.
    void invalidate() const;

    /// The state of a control's window, when it is of that kind.
    template <class Kind> static Kind* of(WindowHandle window) {
        return dynamic_cast<Kind*>(attached(window));
    }
    /// The class procedure of a control kind: makes the state at WM_CREATE (calling its onCreate,
    /// whose -1 refuses the window), frees it at WM_NCDESTROY and hands every other message to it.
    template <class Kind>
    static LResult procedure(WindowHandle window, std::uint32_t message, WParam wParam, LParam lParam);

protected:
    /// Called once the state is attached; -1 refuses the window.
    virtual LResult onCreate(const CreateStruct&) { return 0; }
    /// Called after WM_SETFONT gave the control a new font (before it repaints, when asked to).
    virtual void fontChanged() {}
    /// Sends WM_COMMAND with the control's id and the code to the notify target.
    void notify(std::uint32_t code);
    /// Sets the font as WM_SETFONT does, without telling the control (null: the system font).
    void setFont(FontRef font) { font_ = std::move(font); }
    /// The font WM_SETFONT gave, null when none was.
    const FontRef& fontGiven() const { return font_; }
    /// Lets the default procedure handle the message.
    LResult byDefault(std::uint32_t message, WParam wParam, LParam lParam) {
        return windowDefaultProc(window_, message, wParam, lParam);
    }

private:
    static Control* attached(WindowHandle window);
    static LResult create(WindowHandle window, std::unique_ptr<Control> control, const CreateStruct& create);
    static LResult dispatch(Control* control, std::uint32_t message, WParam wParam, LParam lParam);
    LResult route(std::uint32_t message, WParam wParam, LParam lParam);

    WindowHandle window_;
    WindowHandle notifyTarget_;
    FontRef font_;
    int busy_ = 0;       // messages of this control being handled, one inside the other
    bool freed_ = false; // the window is gone; the last handler to return deletes the state
};

template <class Kind>
LResult Control::procedure(WindowHandle window, std::uint32_t message, WParam wParam, LParam lParam) {
    if (message == WM_CREATE) {
        const auto& cs = *reinterpret_cast<const CreateStruct*>(lParam);
        return create(window, std::make_unique<Kind>(window, cs), cs);
    }
    Kind* control = of<Kind>(window);
    if (!control)
        return windowDefaultProc(window, message, wParam, lParam);
    return dispatch(control, message, wParam, lParam);
}

/// A paint of a control in its colours: begun, the control's font selected, the colours asked
/// of its notify target with a WM_CTLCOLOR* message and the whole client area filled with the
/// brush; the paint ends with the object.
class ControlPaint {
public:
    ControlPaint(const Control& control, std::uint32_t colourMessage);
    ~ControlPaint();
    ControlPaint(const ControlPaint&) = delete;
    ControlPaint& operator=(const ControlPaint&) = delete;

    DeviceContext& dc() { return *paint_.dc; }
    const Brush& background() const { return background_; }
    const Rect& client() const { return client_; }

private:
    WindowHandle window_;
    PaintStruct paint_;
    Brush background_;
    Rect client_;
};

/// The wParam of WM_SETFONT: the font, which the control keeps a reference to (the FontRef
/// itself need only live through the call).
WParam fontToWParam(const FontRef& font);
/// The font a WM_SETFONT carries (or a WM_GETFONT returned); null for 0.
FontRef fontFromWParam(WParam wParam);

/// Answers WM_GETTEXT: copies as much of the text as the buffer of that capacity holds, with its
/// terminating zero; returns the number of characters copied.
LResult copyTextToBuffer(std::string_view text, WParam capacity, LParam buffer);

/// Asks the notify target for the colours of a control part (WM_CTLCOLOREDIT, ...LISTBOX,
/// ...BTN, ...STATIC or ...DLG): the target may set the context's text colour, background colour
/// and mode (transparent when it leaves it) and returns the brush for the background. Without an
/// answer the console look's colours are set and its brush returned.
Brush controlColours(WindowHandle control, WindowHandle target, DeviceContext& dc,
                     std::uint32_t colourMessage);

} // namespace q71
