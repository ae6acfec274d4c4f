// The static control: a text label aligned left, centred or right, wrapped at word breaks
// (SS_LEFTNOWORDWRAP keeps each line whole), in the colours the parent gives for
// WM_CTLCOLORSTATIC.

#include "platform/controls/control.h"
#include "platform/controls/control_look.h"
#include "platform/controls/control_messages.h"
#include "platform/controls/control_styles.h"
#include "platform/controls/standard_controls.h"
#include "platform/gdi/window_dc.h"
#include "platform/window/window.h"
#include "platform/window/window_layout.h"

namespace q71 {
namespace {

unsigned textFormatOf(std::uint32_t style) {
    unsigned format = (style & SS_NOPREFIX) ? kDtNoPrefix : 0;
    switch (style & SS_TYPEMASK) {
    case SS_CENTER:
        return format | kDtCenter | kDtWordBreak;
    case SS_RIGHT:
        return format | kDtRight | kDtWordBreak;
    case SS_LEFTNOWORDWRAP:
        return format | kDtLeft | kDtExpandTabs;
    default:
        return format | kDtLeft | kDtWordBreak;
    }
}

class StaticControl final : public Control {
public:
    StaticControl(WindowHandle window, const CreateStruct& cs) : Control(window), style_(cs.style) {}

    LResult handle(std::uint32_t message, WParam wParam, LParam lParam) override {
        switch (message) {
        case WM_SETTEXT: {
            LResult result = byDefault(message, wParam, lParam);
            invalidate();
            return result;
        }
        case WM_ENABLE:
        case WM_SIZE:
            invalidate();
            return 0;
        case WM_GETDLGCODE:
            return DLGC_STATIC;
        case WM_ERASEBKGND:
            return 1;
        case WM_PAINT:
            paint();
            return 0;
        default:
            return byDefault(message, wParam, lParam);
        }
    }

private:
    void paint() {
        ControlPaint paint(*this, WM_CTLCOLORSTATIC);
        if (!windowIsEnabled(window()))
            paint.dc().setTextColor(look::kDimmed);
        Rect area = paint.client();
        paint.dc().drawText(windowGetText(window()), area, textFormatOf(style_));
    }

    std::uint32_t style_;
};

} // namespace

LResult staticControlProc(WindowHandle window, std::uint32_t message, WParam wParam, LParam lParam) {
    return Control::procedure<StaticControl>(window, message, wParam, lParam);
}

} // namespace q71
