#pragma once
// Every screen, widget and view that owns a window keeps its own address under the window's
// property "THIS", and the window's procedure finds the object again through it. Objects are kept
// as WindowObject, so a procedure that asks for the wrong kind of object gets none rather than
// a wrong one.

#include "platform/window/default_proc.h"
#include "platform/window/window_types.h"

#include <functional>
#include <memory>
#include <type_traits>

namespace q71 {

/// The name of the property under which a window keeps its object.
inline constexpr const char* kThisProperty = "THIS";

class WindowObject {
public:
    WindowObject() = default;
    WindowObject(const WindowObject&) = delete;
    WindowObject& operator=(const WindowObject&) = delete;
    virtual ~WindowObject() = default;

    /// Expires when the object is destroyed: code that hands control to others (a notification
    /// sent to a parent may close the whole screen) checks it before touching the object again.
    std::weak_ptr<const void> watch() const { return alive_; }

private:
    std::shared_ptr<const char> alive_ = std::make_shared<const char>('\0');
};

/// Stores the object under "THIS"; false when the window does not exist.
bool windowObjectAttach(WindowHandle window, WindowObject* object);
/// The object under "THIS", or null.
WindowObject* windowObjectOf(WindowHandle window);
/// Removes "THIS" from the window (nothing when it is gone).
void windowObjectDetach(WindowHandle window);

/// The object under "THIS" when it is of the asked kind, else null.
template <class T> T* windowObjectAs(WindowHandle window) {
    return dynamic_cast<T*>(windowObjectOf(window));
}

/// A window procedure for windows of objects of kind T: each message goes to the member `Handle`
/// of the object under "THIS" (taking the window and the message, or the message alone), or to
/// the default procedure while there is none.
template <class T, auto Handle>
LResult windowObjectProc(WindowHandle window, std::uint32_t message, WParam wParam, LParam lParam) {
    T* object = windowObjectAs<T>(window);
    if (!object)
        return windowDefaultProc(window, message, wParam, lParam);
    if constexpr (std::is_invocable_v<decltype(Handle), T&, WindowHandle, std::uint32_t, WParam, LParam>)
        return std::invoke(Handle, *object, window, message, wParam, lParam);
    else
        return std::invoke(Handle, *object, message, wParam, lParam);
}

} // namespace q71
