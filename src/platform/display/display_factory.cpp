#include "platform/display/display_factory.h"

#include "platform/display/headless_backend.h"
#include "platform/display/sdl_backend.h"

#include <cstdlib>
#include <string_view>

namespace q71 {

DisplayKind displayKindFromEnvironment() {
    const char* wanted = std::getenv("Q71_DISPLAY");
    return wanted && std::string_view(wanted) == "headless" ? DisplayKind::Headless : DisplayKind::Window;
}

std::unique_ptr<DisplayBackend> displayOpen(DisplayKind kind, std::string& error) {
    if (kind == DisplayKind::Headless)
        return std::make_unique<HeadlessBackend>(true);
    return SdlBackend::open(error);
}

} // namespace q71
