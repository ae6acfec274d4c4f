#include "platform/controls/standard_controls.h"

#include "platform/window/cursors.h"
#include "platform/window/window_class.h"
#include "platform/window/window_styles.h"

namespace q71 {

bool controlsRegisterClasses() {
    struct Entry {
        const char* name;
        std::uint32_t style;
        WindowProc procedure;
    };
    // Controls paint their whole client area, so no class brush erases under them.
    const Entry classes[] = {
        {"EDIT", CS_GLOBALCLASS, editControlProc},
        {"LISTBOX", CS_GLOBALCLASS | CS_DBLCLKS, listBoxControlProc},
        {"ComboLBox", CS_GLOBALCLASS, listBoxControlProc},
        {"COMBOBOX", CS_GLOBALCLASS | CS_PARENTDC | CS_DBLCLKS, comboBoxControlProc},
        {"STATIC", CS_GLOBALCLASS, staticControlProc},
        {"BUTTON", CS_GLOBALCLASS, buttonControlProc},
    };
    for (const Entry& entry : classes) {
        WindowClass existing;
        if (!classGetInfo(entry.name, existing) &&
            classRegister({entry.name, entry.style, entry.procedure, cursorArrow(), 0}) == 0)
            return false;
    }
    return true;
}

} // namespace q71
