#include "platform/window/window_class.h"

#include "platform/window/text_compare.h"
#include "platform/window/window_state.h"

#include <algorithm>

namespace q71 {
namespace windowing {

// Atoms of classes are numbered as registered messages are.
constexpr std::uint16_t kFirstClassAtom = 0xC000;

const WindowClass* findClass(std::string_view name) {
    for (const WindowClass& c : state().classes) {
        if (equalNoCase(c.name, name))
            return &c;
    }
    return nullptr;
}

} // namespace windowing

std::uint16_t classRegister(const WindowClass& windowClass) {
    auto& s = windowing::state();
    if (windowClass.name.empty() || windowClass.procedure == nullptr ||
        windowing::findClass(windowClass.name))
        return 0;
    s.classes.push_back(windowClass);
    return static_cast<std::uint16_t>(windowing::kFirstClassAtom + s.classes.size() - 1);
}

bool classGetInfo(std::string_view name, WindowClass& out) {
    const WindowClass* found = windowing::findClass(name);
    if (!found)
        return false;
    out = *found;
    return true;
}

} // namespace q71
