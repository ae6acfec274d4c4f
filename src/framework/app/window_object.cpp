#include "framework/app/window_object.h"

#include "platform/window/window.h"

namespace q71 {

bool windowObjectAttach(WindowHandle window, WindowObject* object) {
    return windowSetProperty(window, kThisProperty, object);
}

WindowObject* windowObjectOf(WindowHandle window) {
    return static_cast<WindowObject*>(windowGetProperty(window, kThisProperty));
}

void windowObjectDetach(WindowHandle window) {
    if (windowIsValid(window))
        windowRemoveProperty(window, kThisProperty);
}

} // namespace q71
