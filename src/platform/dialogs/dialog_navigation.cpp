// The keyboard of a dialog: Tab through the tab stops, the arrows within a group, Enter and Esc
// for the default button and Cancel, as the dialog's controls ask through WM_GETDLGCODE.

#include "platform/controls/control_messages.h"
#include "platform/dialogs/dialog_manager.h"
#include "platform/msgbox/message_box_types.h"
#include "platform/window/focus.h"
#include "platform/window/keyboard.h"
#include "platform/window/message_queue.h"
#include "platform/window/virtual_keys.h"
#include "platform/window/window.h"
#include "platform/window/window_layout.h"
#include "platform/window/window_styles.h"

#include <algorithm>
#include <vector>

namespace q71 {
namespace {

// The control of the dialog that holds a window (the window itself, or the combo box around
// an edit field).
WindowHandle itemHolding(WindowHandle dialog, WindowHandle window) {
    for (WindowHandle w = window; windowIsValid(w); w = windowGetParent(w)) {
        if (windowGetParent(w) == dialog && !(windowGetStyle(w) & WS_POPUP))
            return w;
        if (windowGetTopLevel(w) == w)
            break;
    }
    return {};
}

// A control the keyboard may go to: shown (by its own style, so a dialog not yet shown has its
// first control too) and enabled.
bool reachable(WindowHandle item) {
    return (windowGetStyle(item) & WS_VISIBLE) && windowIsEnabled(item);
}

bool isWithin(WindowHandle window, WindowHandle root) {
    return windowGetTopLevel(window) == root;
}

void pressEnter(WindowHandle dialog, WindowHandle focused, LResult code) {
    if ((code & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON)) && windowIsEnabled(focused)) {
        messageSend(focused, BM_CLICK, 0, 0);
        return;
    }
    int id = loWord(static_cast<std::uintptr_t>(messageSend(dialog, DM_GETDEFID, 0, 0)));
    WindowHandle button = dialogGetItem(dialog, id);
    if (button != WindowHandle{} && !windowIsEnabled(button))
        return;
    messageSend(dialog, WM_COMMAND, commandWParam(static_cast<std::uintptr_t>(id), BN_CLICKED),
                static_cast<LParam>(button));
}

void pressEscape(WindowHandle dialog) {
    WindowHandle cancel = dialogGetItem(dialog, kIdCancel);
    if (cancel != WindowHandle{} && !windowIsEnabled(cancel))
        return;
    messageSend(dialog, WM_COMMAND, commandWParam(kIdCancel, BN_CLICKED), static_cast<LParam>(cancel));
}

// A key-down the dialog takes for itself; false leaves it to the control.
bool dialogKey(WindowHandle dialog, const Message& m) {
    WindowHandle focused = focusGet();
    LResult code = isWithin(focused, dialog) ? messageSend(focused, WM_GETDLGCODE, m.wParam, 0) : 0;
    bool shift = keyGetState(VK_SHIFT) < 0;
    switch (m.wParam) {
    case VK_TAB:
        if (code & (DLGC_WANTTAB | DLGC_WANTALLKEYS))
            return false;
        if (WindowHandle next = dialogNextTabItem(dialog, focused, shift); next != WindowHandle{})
            dialogFocusControl(next);
        return true;
    case VK_LEFT:
    case VK_UP:
    case VK_RIGHT:
    case VK_DOWN: {
        if (code & (DLGC_WANTARROWS | DLGC_WANTALLKEYS))
            return false;
        bool back = m.wParam == VK_LEFT || m.wParam == VK_UP;
        WindowHandle next = dialogNextGroupItem(dialog, focused, back);
        if (next == WindowHandle{})
            return true;
        dialogFocusControl(next);
        // Moving onto a radio button chooses it.
        if (messageSend(next, WM_GETDLGCODE, 0, 0) & DLGC_RADIOBUTTON)
            messageSend(next, BM_CLICK, 0, 0);
        return true;
    }
    case VK_RETURN:
        if (code & DLGC_WANTALLKEYS)
            return false;
        pressEnter(dialog, focused, code);
        return true;
    case VK_ESCAPE:
        if (code & DLGC_WANTALLKEYS)
            return false;
        pressEscape(dialog);
        return true;
    default:
        return false;
    }
}

} // namespace

WindowHandle dialogNextTabItem(WindowHandle dialog, WindowHandle from, bool previous) {
    std::vector<WindowHandle> items = windowGetChildren(dialog);
    if (previous)
        std::reverse(items.begin(), items.end());
    auto start = std::find(items.begin(), items.end(), itemHolding(dialog, from));
    auto isStop = [](WindowHandle item) { return (windowGetStyle(item) & WS_TABSTOP) && reachable(item); };
    if (start == items.end()) {
        auto first = std::find_if(items.begin(), items.end(), isStop);
        return first != items.end() ? *first : WindowHandle{};
    }
    for (size_t n = 1; n <= items.size(); ++n) {
        WindowHandle candidate = items[(static_cast<size_t>(start - items.begin()) + n) % items.size()];
        if (isStop(candidate))
            return candidate;
    }
    return {};
}

WindowHandle dialogNextGroupItem(WindowHandle dialog, WindowHandle from, bool previous) {
    std::vector<WindowHandle> items = windowGetChildren(dialog);
    auto self = std::find(items.begin(), items.end(), itemHolding(dialog, from));
    if (self == items.end())
        return {};
    auto first = self;
    while (first != items.begin() && !(windowGetStyle(*first) & WS_GROUP))
        --first;
    auto last = self + 1;
    while (last != items.end() && !(windowGetStyle(*last) & WS_GROUP))
        ++last;
    std::vector<WindowHandle> group(first, last);
    if (previous)
        std::reverse(group.begin(), group.end());
    auto at = std::find(group.begin(), group.end(), *self);
    for (size_t n = 1; n <= group.size(); ++n) {
        WindowHandle candidate = group[(static_cast<size_t>(at - group.begin()) + n) % group.size()];
        if (reachable(candidate))
            return candidate;
    }
    return {};
}

bool dialogIsMessage(WindowHandle dialog, const Message& message) {
    if (!windowIsValid(dialog) || !isWithin(message.window, dialog))
        return false;
    if (message.message == WM_KEYDOWN && dialogKey(dialog, message))
        return true;
    messageTranslate(message);
    messageDispatch(message);
    return true;
}

} // namespace q71
