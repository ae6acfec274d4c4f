// Device input becomes messages: pointer events go to the capture window or the window under
// the pointer (WM_SETCURSOR first), key events to the focus window. This happens when the queue
// reaches its input stage, so the key state seen by a handler matches the messages it has taken.

#include "platform/window/key_translation.h"
#include "platform/window/keyboard.h"
#include "platform/window/message_ids.h"
#include "platform/window/message_queue.h"
#include "platform/window/virtual_keys.h"
#include "platform/window/window_layout.h"
#include "platform/window/window_state.h"
#include "platform/window/window_styles.h"

#include <cstdlib>

namespace q71 {
namespace windowing {
namespace {

constexpr std::uint8_t kDown = 0x80;
constexpr std::uint8_t kToggled = 0x01;
constexpr std::uint64_t kDoubleClickMs = 500;
constexpr int kDoubleClickDistance = 2; // a double click lands within a 4 by 4 pixel box

std::uint8_t buttonKey(MouseButton b) {
    return b == MouseButton::Left ? VK_LBUTTON : b == MouseButton::Right ? VK_RBUTTON : VK_MBUTTON;
}

std::uint8_t genericKey(std::uint8_t vk) {
    switch (vk) {
    case VK_LSHIFT:
    case VK_RSHIFT:
        return VK_SHIFT;
    case VK_LCONTROL:
    case VK_RCONTROL:
        return VK_CONTROL;
    case VK_LMENU:
    case VK_RMENU:
        return VK_MENU;
    default:
        return vk;
    }
}

void setKey(std::array<std::uint8_t, 256>& keys, std::uint8_t vk, bool down) {
    if (down) {
        if (!(keys[vk] & kDown))
            keys[vk] ^= kToggled;
        keys[vk] |= kDown;
    } else {
        keys[vk] &= static_cast<std::uint8_t>(~kDown);
    }
    // The generic Shift, Ctrl and Alt are down while either side is.
    std::uint8_t generic = genericKey(vk);
    if (generic != vk) {
        std::uint8_t left = generic == VK_SHIFT ? VK_LSHIFT : generic == VK_CONTROL ? VK_LCONTROL : VK_LMENU;
        bool anyDown = ((keys[left] | keys[left + 1]) & kDown) != 0;
        keys[generic] = static_cast<std::uint8_t>((keys[generic] & kToggled) | (anyDown ? kDown : 0));
    }
}

KeyModifiers modifiers() {
    const auto& keys = state().keyState;
    return {(keys[VK_SHIFT] & kDown) != 0, (keys[VK_CONTROL] & kDown) != 0, (keys[VK_MENU] & kDown) != 0};
}

WParam mouseKeyFlags() {
    const auto& keys = state().keyState;
    WParam flags = 0;
    flags |= (keys[VK_LBUTTON] & kDown) ? MK_LBUTTON : 0;
    flags |= (keys[VK_RBUTTON] & kDown) ? MK_RBUTTON : 0;
    flags |= (keys[VK_MBUTTON] & kDown) ? MK_MBUTTON : 0;
    flags |= (keys[VK_SHIFT] & kDown) ? MK_SHIFT : 0;
    flags |= (keys[VK_CONTROL] & kDown) ? MK_CONTROL : 0;
    return flags;
}

void queueInput(WindowHandle window, std::uint32_t message, WParam wParam, LParam lParam) {
    State& s = state();
    s.inputMessages.push_back(Message{window, message, wParam, lParam, messageTime(), s.cursorPosition});
}

// The window that receives a pointer event, after WM_SETCURSOR; none when input is blocked there.
WindowHandle pointerTarget(Point position, std::uint32_t mouseMessage) {
    State& s = state();
    if (findWindow(s.capture))
        return s.capture;
    WindowHandle target = windowFromPoint(position);
    WindowRecord* w = findWindow(target);
    if (!w || !isInputEnabled(*topLevelOf(w)))
        return {};
    messageSend(target, WM_SETCURSOR, static_cast<WParam>(target),
                makeLParam(HTCLIENT, static_cast<int>(mouseMessage)));
    return findWindow(target) ? target : WindowHandle{};
}

void queuePointer(WindowHandle target, std::uint32_t message, Point screen) {
    Point client = windowScreenToClient(target, screen);
    queueInput(target, message, mouseKeyFlags(), makeLParam(client.x, client.y));
}

std::uint32_t buttonDownMessage(MouseButton b) {
    return b == MouseButton::Left    ? WM_LBUTTONDOWN
           : b == MouseButton::Right ? WM_RBUTTONDOWN
                                     : WM_MBUTTONDOWN;
}

void convertButtonDown(const InputEvent& e) {
    State& s = state();
    std::uint32_t down = buttonDownMessage(e.button);
    WindowHandle target = pointerTarget(e.position, down);
    setKey(s.keyState, buttonKey(e.button), true);
    WindowRecord* w = findWindow(target);
    if (!w)
        return;
    if (WindowRecord* top = topLevelOf(w); top->handle != s.active && !(top->exStyle & WS_EX_NOACTIVATE))
        activate(top->handle);
    if (!(w = findWindow(target)))
        return;
    std::uint64_t now = s.clock.nowMs();
    const ClickRecord& last = s.lastClick;
    bool doubleClick = (w->windowClass->style & CS_DBLCLKS) && last.valid && last.window == target &&
                       last.downMessage == down && now - last.timeMs <= kDoubleClickMs &&
                       std::abs(e.position.x - last.position.x) <= kDoubleClickDistance &&
                       std::abs(e.position.y - last.position.y) <= kDoubleClickDistance;
    // The third press after a double click starts a new pair.
    s.lastClick = doubleClick ? ClickRecord{} : ClickRecord{target, down, now, e.position, true};
    // The double-click message is the down message + 2 for every button.
    queuePointer(target, doubleClick ? down + 2 : down, e.position);
}

void convertButtonUp(const InputEvent& e) {
    std::uint32_t up = buttonDownMessage(e.button) + 1;
    WindowHandle target = pointerTarget(e.position, up);
    setKey(state().keyState, buttonKey(e.button), false);
    if (findWindow(target))
        queuePointer(target, up, e.position);
}

void convertKey(const InputEvent& e) {
    State& s = state();
    bool down = e.kind == InputKind::KeyDown;
    bool wasDown = (s.keyState[e.virtualKey] & kDown) != 0;
    KeyModifiers before = modifiers();
    setKey(s.keyState, e.virtualKey, down);
    std::uint8_t generic = genericKey(e.virtualKey);
    // Without a focus window, keys go to the active window as system keys.
    WindowHandle target = s.focus;
    bool noFocus = !findWindow(target);
    if (noFocus)
        target = s.active;
    WindowRecord* w = findWindow(target);
    if (!w || !isInputEnabled(*w))
        return;
    KeyModifiers now = modifiers();
    LParam lParam = 1 | (now.alt ? 1 << 29 : 0) | ((down ? wasDown : true) ? 1 << 30 : 0);
    if (!down)
        lParam |= static_cast<LParam>(1u << 31);
    if (!down) {
        std::uint32_t message = keyUpMessage(generic, before);
        queueInput(target, noFocus ? WM_SYSKEYUP : message, generic, lParam);
        return;
    }
    TranslatedKey key = keyTranslate(generic, now, e.character, e.dead);
    Message m{target,          noFocus ? WM_SYSKEYDOWN : key.keyMessage, generic, lParam, messageTime(),
              s.cursorPosition};
    m.charMessage = key.charMessage;
    if (noFocus && key.charMessage == WM_CHAR)
        m.charMessage = WM_SYSCHAR;
    if (noFocus && key.charMessage == WM_DEADCHAR)
        m.charMessage = WM_SYSDEADCHAR;
    m.character = key.character;
    s.inputMessages.push_back(m);
}

// The wheel turns for the focus window (the active window without one), with the pointer in
// screen coordinates; windows that leave it alone pass it to their parent.
void convertWheel(const InputEvent& e) {
    State& s = state();
    WindowHandle target = findWindow(s.focus) ? s.focus : s.active;
    WindowRecord* w = findWindow(target);
    if (!w || !isInputEnabled(*w))
        return;
    auto delta = static_cast<std::uint16_t>(static_cast<std::int16_t>(e.wheelDelta));
    queueInput(target, WM_MOUSEWHEEL, (static_cast<WParam>(delta) << 16) | mouseKeyFlags(),
               makeLParam(e.position.x, e.position.y));
}

void convert(const InputEvent& e) {
    State& s = state();
    if (e.kind == InputKind::MouseMove || e.kind == InputKind::ButtonDown || e.kind == InputKind::ButtonUp)
        pointerMovedTo(e.position);
    switch (e.kind) {
    case InputKind::MouseMove:
        s.cursorPosition = e.position;
        if (WindowHandle target = pointerTarget(e.position, WM_MOUSEMOVE); findWindow(target))
            queuePointer(target, WM_MOUSEMOVE, e.position);
        break;
    case InputKind::ButtonDown:
        s.cursorPosition = e.position;
        convertButtonDown(e);
        break;
    case InputKind::ButtonUp:
        s.cursorPosition = e.position;
        convertButtonUp(e);
        break;
    case InputKind::KeyDown:
    case InputKind::KeyUp:
        convertKey(e);
        break;
    case InputKind::Wheel:
        s.cursorPosition = e.position;
        convertWheel(e);
        break;
    default:
        break;
    }
}

void postSystemCommand(std::uint32_t command) {
    if (WindowRecord* main = mainWindow())
        messagePost(main->handle, WM_SYSCOMMAND, command, 0);
    else if (command == SC_CLOSE)
        messagePostQuit(0);
}

} // namespace

void readDeviceEvents() {
    State& s = state();
    InputEvent e;
    while (s.backend.pollEvent(e)) {
        switch (e.kind) {
        case InputKind::Minimized:
            postSystemCommand(SC_MINIMIZE);
            break;
        case InputKind::Restored:
            postSystemCommand(SC_RESTORE);
            break;
        case InputKind::CloseRequested:
            postSystemCommand(SC_CLOSE);
            break;
        case InputKind::KeyDown:
        case InputKind::KeyUp:
            setKey(s.asyncKeyState, e.virtualKey, e.kind == InputKind::KeyDown);
            s.rawInput.push_back(e);
            break;
        case InputKind::ButtonDown:
        case InputKind::ButtonUp:
            setKey(s.asyncKeyState, buttonKey(e.button), e.kind == InputKind::ButtonDown);
            s.rawInput.push_back(e);
            break;
        case InputKind::Wheel:
            s.rawInput.push_back(e);
            break;
        case InputKind::MouseMove:
            // Moves that another move follows at once are folded into it.
            if (!s.rawInput.empty() && s.rawInput.back().kind == InputKind::MouseMove)
                s.rawInput.back() = e;
            else
                s.rawInput.push_back(e);
            break;
        }
    }
}

bool takeInputMessage(Message& out, bool remove) {
    State& s = state();
    while (true) {
        while (s.inputMessages.empty() && !s.rawInput.empty()) {
            InputEvent e = s.rawInput.front();
            s.rawInput.pop_front();
            convert(e);
        }
        if (s.inputMessages.empty())
            return false;
        out = s.inputMessages.front();
        if (findWindow(out.window)) {
            if (remove)
                s.inputMessages.pop_front();
            return true;
        }
        s.inputMessages.pop_front(); // its window went away meanwhile
    }
}

} // namespace windowing

std::int16_t keyGetState(std::uint32_t virtualKey) {
    std::uint8_t k = windowing::state().keyState[virtualKey & 0xFF];
    return static_cast<std::int16_t>(((k & windowing::kDown) ? 0x8000 : 0) | (k & windowing::kToggled));
}

std::int16_t keyGetAsyncState(std::uint32_t virtualKey) {
    std::uint8_t k = windowing::state().asyncKeyState[virtualKey & 0xFF];
    return static_cast<std::int16_t>((k & windowing::kDown) ? 0x8000 : 0);
}

} // namespace q71
