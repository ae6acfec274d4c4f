// Making dialogs from their templates, running modal ones and ending both kinds.

#include "platform/dialogs/dialog_manager.h"

#include "platform/controls/control_look.h"
#include "platform/controls/control_messages.h"
#include "platform/controls/control_styles.h"
#include "platform/controls/standard_controls.h"
#include "platform/dialogs/dialog_template.h"
#include "platform/dialogs/dialog_units.h"
#include "platform/display/screen_surface.h"
#include "platform/msgbox/message_box_types.h"
#include "platform/window/cursors.h"
#include "platform/window/focus.h"
#include "platform/window/message_queue.h"
#include "platform/window/modal_loop.h"
#include "platform/window/text_compare.h"
#include "platform/window/window.h"
#include "platform/window/window_class.h"
#include "platform/window/window_layout.h"
#include "platform/window/window_paint.h"
#include "platform/window/window_styles.h"

#include <algorithm>

namespace q71 {
namespace {

constexpr const char* kDialogClass = "Q71Dialog";

LResult dialogWindowProc(WindowHandle window, std::uint32_t message, WParam wParam, LParam lParam) {
    return Control::procedure<DialogWindow>(window, message, wParam, lParam);
}

bool registerDialogClass() {
    WindowClass existing;
    if (classGetInfo(kDialogClass, existing))
        return true;
    return classRegister({kDialogClass, 0, dialogWindowProc, cursorArrow(), 0}) != 0;
}

// Where the inside of a dialog starts within its window: below the caption band, or the border.
Point insideOrigin(const DialogTemplate& t) {
    return {look::kBorder, (t.style & WS_CAPTION) == WS_CAPTION ? look::kCaptionHeight : look::kBorder};
}

// The dialog's rectangle on the screen: in the middle of the owner's window with DS_CENTER, else
// at the template's place from the owner's window's corner; kept on the screen.
Rect placeOnScreen(const DialogTemplate& t, const DialogUnits& units, WindowHandle owner) {
    Point inside = insideOrigin(t);
    int width = units.toPixelsX(t.width) + 2 * inside.x;
    int height = units.toPixelsY(t.height) + inside.y + look::kBorder;
    WindowHandle top = windowGetTopLevel(owner);
    Rect frame = windowIsValid(top) ? windowGetRect(top) : ScreenSurface::bounds();
    int x = frame.left + units.toPixelsX(t.x), y = frame.top + units.toPixelsY(t.y);
    if (t.style & DS_CENTER) {
        x = frame.left + (frame.width() - width) / 2;
        y = frame.top + (frame.height() - height) / 2;
    }
    x = std::clamp(x, 0, std::max(ScreenSurface::kWidth - width, 0));
    y = std::clamp(y, 0, std::max(ScreenSurface::kHeight - height, 0));
    return {x, y, x + width, y + height};
}

bool isDefaultButton(const DialogItemTemplate& item) {
    return windowing::equalNoCase(item.className, "BUTTON") && (item.style & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
}

// Makes the controls; false when one of them cannot be made.
bool makeItems(WindowHandle dialog, DialogWindow& state, const DialogTemplate& t, const DialogUnits& units,
               const FontRef& font) {
    Point inside = insideOrigin(t);
    int defaultId = kIdOk;
    bool defaultFound = false;
    for (const DialogItemTemplate& item : t.items) {
        Rect r = units.toPixels(item.x, item.y, item.width, item.height).offsetBy(inside.x, inside.y);
        WindowHandle control = windowCreate(0, item.className, item.text, (item.style | WS_CHILD) & ~WS_POPUP,
                                            r.left, r.top, r.width(), r.height(), dialog, item.id);
        if (control == WindowHandle{})
            return false;
        messageSend(control, WM_SETFONT, fontToWParam(font), 0);
        if (!defaultFound && isDefaultButton(item)) {
            defaultId = item.id;
            defaultFound = true;
        }
    }
    state.setDefaultId(defaultId);
    return true;
}

WindowHandle makeDialog(const DialogTemplate* t, WindowHandle owner, DialogProc procedure, LParam initParam,
                        bool modal) {
    if (!t || !controlsRegisterClasses() || !registerDialogClass())
        return {};
    FontRef font = dialogFontOf(*t);
    if (!font)
        return {};
    DialogUnits units(*font);
    Rect place = placeOnScreen(*t, units, owner);
    DialogCreation creation{procedure, modal, font};
    std::uint32_t style = (t->style | WS_POPUP) & ~(WS_VISIBLE | WS_CHILD);
    WindowHandle dialog = windowCreate(0, kDialogClass, t->caption, style, place.left, place.top,
                                       place.width(), place.height(), owner, 0, &creation);
    DialogWindow* state = Control::of<DialogWindow>(dialog);
    if (!state || !makeItems(dialog, *state, *t, units, font)) {
        windowDestroy(dialog);
        return {};
    }
    WindowHandle first = dialogNextTabItem(dialog, {}, false);
    if (messageSend(dialog, WM_INITDIALOG, static_cast<WParam>(first), initParam) != 0 &&
        first != WindowHandle{})
        state->setFocusItem(first);
    if (!windowIsValid(dialog))
        return {};
    if ((t->style & WS_VISIBLE) && !state->ended())
        windowShow(dialog, SW_SHOWNORMAL);
    return dialog;
}

// Shows a modal dialog until it ends; -1 when it cannot be made.
LResult runModal(const DialogTemplate* t, WindowHandle owner, DialogProc procedure, LParam initParam) {
    WindowHandle previousFocus = focusGet();
    WindowHandle dialog = makeDialog(t, owner, procedure, initParam, true);
    if (dialog == WindowHandle{})
        return -1;
    DialogWindow* state = Control::of<DialogWindow>(dialog);
    LResult result = state->result();
    if (!state->ended()) {
        windowShow(dialog, SW_SHOWNORMAL);
        windowUpdate(dialog);
        result =
            modalLoopRun(dialog, owner, [dialog](const Message& m) { return dialogIsMessage(dialog, m); });
    }
    if (windowIsValid(dialog))
        windowDestroy(dialog);
    if (windowIsValid(previousFocus) && windowIsEnabled(previousFocus))
        focusSet(previousFocus);
    return result;
}

} // namespace

LResult dialogBox(int templateId, WindowHandle owner, DialogProc procedure, LParam initParam) {
    return runModal(dialogTemplateFind(templateId), owner, procedure, initParam);
}

LResult dialogBoxIndirect(const DialogTemplate& dialog, WindowHandle owner, DialogProc procedure,
                          LParam initParam) {
    return runModal(&dialog, owner, procedure, initParam);
}

WindowHandle dialogCreate(int templateId, WindowHandle owner, DialogProc procedure, LParam initParam) {
    return makeDialog(dialogTemplateFind(templateId), owner, procedure, initParam, false);
}

WindowHandle dialogCreateIndirect(const DialogTemplate& dialog, WindowHandle owner, DialogProc procedure,
                                  LParam initParam) {
    return makeDialog(&dialog, owner, procedure, initParam, false);
}

bool dialogEnd(WindowHandle dialog, LResult result) {
    DialogWindow* state = Control::of<DialogWindow>(dialog);
    if (!state)
        return false;
    state->end(result);
    // A modal dialog ended before its loop started (from WM_INITDIALOG) never runs one.
    if (state->modal())
        modalLoopEnd(dialog, result);
    windowShow(dialog, SW_HIDE);
    return true;
}

bool dialogRouteMessage(const Message& message) {
    WindowHandle top = windowGetTopLevel(message.window);
    DialogWindow* state = Control::of<DialogWindow>(top);
    return state && !state->modal() && dialogIsMessage(top, message);
}

} // namespace q71
