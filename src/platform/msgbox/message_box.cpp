#include "platform/msgbox/message_box.h"

#include "platform/gdi/window_dc.h"
#include "platform/msgbox/message_box_layout.h"
#include "platform/window/cursors.h"
#include "platform/window/default_proc.h"
#include "platform/window/focus.h"
#include "platform/window/keyboard.h"
#include "platform/window/message_ids.h"
#include "platform/window/message_queue.h"
#include "platform/window/modal_loop.h"
#include "platform/window/virtual_keys.h"
#include "platform/window/window.h"
#include "platform/window/window_class.h"
#include "platform/window/window_layout.h"
#include "platform/window/window_paint.h"
#include "platform/window/window_styles.h"
#include "platform/window/window_system.h"
#include "platform/text/program_log.h"

#include <string>

namespace q71 {
namespace {

constexpr const char* kClassName = "Q71MessageBox";
constexpr const char* kSelf = "THIS";

// The state of one box while it shows.
struct BoxState {
    MessageBoxLayout layout;
    int focused;
    int pressed = -1;        // button held down by the mouse
    bool pressedHot = false; // the pointer is still over it
};

BoxState* stateOf(WindowHandle box) {
    return static_cast<BoxState*>(windowGetProperty(box, kSelf));
}

void answer(WindowHandle box, int id) {
    if (id != 0)
        modalLoopEnd(box, id);
}

void moveFocus(WindowHandle box, BoxState& s, int step) {
    int count = static_cast<int>(s.layout.buttons().size());
    s.focused = ((s.focused + step) % count + count) % count;
    windowInvalidate(box, nullptr, false);
}

LResult onKeyDown(WindowHandle box, BoxState& s, WParam key) {
    switch (key) {
    case VK_RETURN:
    case VK_SPACE:
        answer(box, s.layout.buttons()[static_cast<size_t>(s.focused)].id);
        return 0;
    case VK_ESCAPE:
        answer(box, s.layout.escapeAnswer());
        return 0;
    case VK_TAB:
        moveFocus(box, s, (keyGetState(VK_SHIFT) & 0x8000) ? -1 : 1);
        return 0;
    case VK_RIGHT:
    case VK_DOWN:
        moveFocus(box, s, 1);
        return 0;
    case VK_LEFT:
    case VK_UP:
        moveFocus(box, s, -1);
        return 0;
    default:
        return 0;
    }
}

LResult boxProc(WindowHandle box, std::uint32_t message, WParam wParam, LParam lParam) {
    if (message == WM_CREATE) {
        auto* create = reinterpret_cast<const CreateStruct*>(lParam);
        windowSetProperty(box, kSelf, create->createParam);
        return 0;
    }
    BoxState* s = stateOf(box);
    if (!s)
        return windowDefaultProc(box, message, wParam, lParam);
    Point at{pointXFromLParam(lParam), pointYFromLParam(lParam)};
    switch (message) {
    case WM_PAINT: {
        PaintStruct paint = beginPaint(box);
        s->layout.paint(*paint.dc, s->focused, s->pressedHot ? s->pressed : -1);
        endPaint(box, paint);
        return 0;
    }
    case WM_ERASEBKGND:
        return 1;
    case WM_KEYDOWN:
        return onKeyDown(box, *s, wParam);
    case WM_CHAR:
    case WM_SYSCHAR:
        if (int index = s->layout.buttonForMnemonic(static_cast<char>(wParam)); index >= 0)
            answer(box, s->layout.buttons()[static_cast<size_t>(index)].id);
        return 0;
    case WM_LBUTTONDOWN:
        if (int index = s->layout.buttonAt(at); index >= 0) {
            s->pressed = s->focused = index;
            s->pressedHot = true;
            captureSet(box);
            windowInvalidate(box, nullptr, false);
        }
        return 0;
    case WM_MOUSEMOVE:
        if (s->pressed >= 0 && (s->layout.buttonAt(at) == s->pressed) != s->pressedHot) {
            s->pressedHot = !s->pressedHot;
            windowInvalidate(box, nullptr, false);
        }
        return 0;
    case WM_LBUTTONUP: {
        if (s->pressed < 0)
            return 0;
        int index = s->pressed;
        s->pressed = -1;
        s->pressedHot = false;
        captureRelease();
        windowInvalidate(box, nullptr, false);
        if (s->layout.buttonAt(at) == index)
            answer(box, s->layout.buttons()[static_cast<size_t>(index)].id);
        return 0;
    }
    case WM_CLOSE:
        answer(box, s->layout.escapeAnswer());
        return 0;
    case WM_DESTROY:
        windowRemoveProperty(box, kSelf);
        return 0;
    default:
        return windowDefaultProc(box, message, wParam, lParam);
    }
}

bool registerBoxClass() {
    WindowClass existing;
    if (classGetInfo(kClassName, existing))
        return true;
    return classRegister({kClassName, 0, boxProc, cursorArrow(), 0}) != 0;
}

// Without a window to show it on, the box is written where the player starting the program sees
// it: the caption when one was given, then the text. The terminal reads UTF-8.
int answerOnStderr(const MessageBoxLayout& layout, std::string_view caption, std::string_view text) {
    logLine(caption.empty() ? std::string(text) : std::string(caption) + ": " + std::string(text));
    return layout.buttons()[static_cast<size_t>(layout.defaultButton())].id;
}

} // namespace

int messageBox(WindowHandle owner, std::string_view text, std::string_view caption, unsigned style) {
    BoxState state{MessageBoxLayout(text, caption, style), 0};
    state.focused = state.layout.defaultButton();
    // Before the program has a window of its own, a box still shows where a person can see it.
    bool hasWindow = windowSystemRunning() &&
                     (windowIsValid(owner) || windowIsValid(windowGetActive()) || systemInteractive());
    if (!hasWindow || !registerBoxClass())
        return answerOnStderr(state.layout, caption, text);
    int width = state.layout.width(), height = state.layout.height();
    // The program's window is the whole screen: the box stands in its middle.
    int x = (ScreenSurface::kWidth - width) / 2, y = (ScreenSurface::kHeight - height) / 2;
    WindowHandle previousFocus = focusGet();
    WindowHandle box = windowCreate(WS_EX_TOPMOST, kClassName, state.layout.caption(), WS_POPUP | WS_VISIBLE,
                                    x, y, width, height, owner, 0, &state);
    if (!windowIsValid(box))
        return answerOnStderr(state.layout, caption, text);
    focusSet(box);
    auto result = static_cast<int>(modalLoopRun(box, owner));
    if (windowIsValid(box))
        windowDestroy(box);
    if (windowIsValid(previousFocus))
        focusSet(previousFocus);
    // A box taken away before it was answered (the program quits) counts as dismissed.
    if (result == 0)
        result = state.layout.escapeAnswer() != 0
                     ? state.layout.escapeAnswer()
                     : state.layout.buttons()[static_cast<size_t>(state.layout.defaultButton())].id;
    return result;
}

} // namespace q71
