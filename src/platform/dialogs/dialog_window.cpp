#include "platform/dialogs/dialog_window.h"

#include "platform/controls/control_look.h"
#include "platform/controls/control_messages.h"
#include "platform/controls/control_styles.h"
#include "platform/dialogs/dialog_manager.h"
#include "platform/gdi/window_dc.h"
#include "platform/msgbox/message_box_types.h"
#include "platform/window/focus.h"
#include "platform/window/message_queue.h"
#include "platform/window/text_compare.h"
#include "platform/window/window.h"
#include "platform/window/window_layout.h"
#include "platform/window/window_styles.h"

namespace q71 {
namespace {

const DialogCreation& creationOf(const CreateStruct& cs) {
    return *static_cast<const DialogCreation*>(cs.createParam);
}

bool isWithin(WindowHandle window, WindowHandle root) {
    for (WindowHandle w = window; w != WindowHandle{}; w = windowGetParent(w)) {
        if (w == root)
            return true;
        if (w == windowGetTopLevel(w))
            break;
    }
    return false;
}

// A control the wheel turns: a list box, or a multi-line field with its scroll bar.
bool turnsWithTheWheel(WindowHandle w) {
    const std::string name = windowGetClassName(w);
    constexpr std::uint32_t kScrollingField = ES_MULTILINE | WS_VSCROLL;
    return windowing::equalNoCase(name, "LISTBOX") ||
           (windowing::equalNoCase(name, "EDIT") && (windowGetStyle(w) & kScrollingField) == kScrollingField);
}

/// The control of a dialog the wheel turns under a screen point (or whose part, its scroll bar,
/// lies there).
WindowHandle wheelTargetUnder(WindowHandle dialog, Point point) {
    for (WindowHandle w = windowFromPoint(point); w != WindowHandle{} && w != dialog; w = windowGetParent(w))
        if (turnsWithTheWheel(w))
            return isWithin(w, dialog) ? w : WindowHandle{};
    return {};
}

} // namespace

void dialogFocusControl(WindowHandle control) {
    focusSet(control);
    if (messageSend(control, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL)
        messageSend(control, EM_SETSEL, 0, -1);
}

DialogWindow::DialogWindow(WindowHandle window, const CreateStruct& cs)
    : Control(window), procedure_(creationOf(cs).procedure), modal_(creationOf(cs).modal),
      captionFont_(look::interfaceFont(-12, kFontWeightBold)) {
    setFont(creationOf(cs).font);
}

void DialogWindow::end(LResult result) {
    ended_ = true;
    result_ = result;
}

LResult DialogWindow::handle(std::uint32_t message, WParam wParam, LParam lParam) {
    LResult answer = procedure_ ? procedure_(window(), message, wParam, lParam) : 0;
    LResult result = answer;
    switch (message) {
    case WM_INITDIALOG:
        break;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSTATIC:
        // No brush: the control falls back on the look's colours.
        break;
    default:
        if (answer == 0)
            result = byDialogDefault(message, wParam, lParam);
        break;
    }
    if (message == WM_PAINT)
        paintFrame();
    return result;
}

LResult DialogWindow::byDialogDefault(std::uint32_t message, WParam wParam, LParam lParam) {
    switch (message) {
    case WM_ERASEBKGND: {
        DeviceContext* dc = deviceContextFromWParam(wParam);
        if (!dc)
            return 0;
        LResult brush = messageSend(window(), WM_CTLCOLORDLG, wParam, static_cast<LParam>(window()));
        std::optional<Brush> fill = brushFromHandle(static_cast<std::uintptr_t>(brush));
        dc->fillRect(windowGetClientRect(window()), fill ? *fill : createSolidBrush(look::kFace));
        return 1;
    }
    case WM_CLOSE: {
        WindowHandle cancel = dialogGetItem(window(), kIdCancel);
        if (cancel == WindowHandle{} || windowIsEnabled(cancel))
            messageSend(window(), WM_COMMAND, commandWParam(kIdCancel, BN_CLICKED),
                        static_cast<LParam>(cancel));
        return 0;
    }
    case WM_ACTIVATE:
        if (loWord(wParam) == WA_INACTIVE) {
            if (isWithin(focusGet(), window()) && focusGet() != window())
                focusItem_ = focusGet();
        } else {
            restoreFocus();
        }
        return 0;
    case WM_SETFOCUS:
        restoreFocus();
        return 0;
    case WM_MOUSEWHEEL:
        // The wheel comes to the focus (a box opens with it in a field) and climbs to here: the
        // list or the long text under the pointer turns, as lists on the screens do.
        if (const WindowHandle target =
                wheelTargetUnder(window(), {pointXFromLParam(lParam), pointYFromLParam(lParam)});
            target != WindowHandle{})
            return messageSend(target, message, wParam, lParam);
        return byDefault(message, wParam, lParam);
    case DM_GETDEFID:
        return makeLParam(defaultId_, DC_HASDEFID);
    case DM_SETDEFID:
        defaultId_ = static_cast<int>(wParam & 0xFFFF);
        return 1;
    default:
        return byDefault(message, wParam, lParam);
    }
}

// The focus goes to the control that had it last, or the first tab stop, or the dialog itself.
void DialogWindow::restoreFocus() {
    if (isWithin(focusGet(), window()) && focusGet() != window())
        return;
    WindowHandle target = focusItem_;
    if (!windowIsValid(target) || !isWithin(target, window()) || !windowIsVisible(target) ||
        !windowIsEnabled(target))
        target = dialogNextTabItem(window(), {}, false);
    if (target != WindowHandle{})
        dialogFocusControl(target);
    else if (focusGet() != window())
        focusSet(window());
}

void DialogWindow::paintFrame() const {
    if (!windowIsVisible(window()))
        return;
    std::unique_ptr<DeviceContext> dc = getWindowDC(window());
    if (!dc)
        return;
    Rect area = windowGetClientRect(window());
    look::paintBoxFrame(*dc, area.width(), area.height());
    if ((windowGetStyle(window()) & WS_CAPTION) == WS_CAPTION)
        look::paintBoxCaption(*dc, area.width(), windowGetText(window()), captionFont_);
}

} // namespace q71
