#include "platform/window/window_system.h"

#include "platform/window/window.h"
#include "platform/window/window_state.h"

#include <cstdio>
#include <memory>
#include <vector>

namespace q71 {
namespace {

std::unique_ptr<windowing::State> current;

} // namespace

namespace windowing {

State& state() {
    return *current;
}

WindowRecord* findWindow(WindowHandle window) {
    auto value = static_cast<std::uint32_t>(window);
    if (!current || value < kFirstHandle || value - kFirstHandle >= current->windows.size())
        return nullptr;
    return current->windows[value - kFirstHandle].get();
}

bool onMainThread() {
    return current && std::this_thread::get_id() == current->mainThread;
}

} // namespace windowing

void windowSystemStart(DisplayBackend& backend, Clock& clock) {
    current = std::make_unique<windowing::State>(backend, clock);
}

void windowSystemStop() {
    if (!current)
        return;
    // Windows still open get their WM_DESTROY, so their objects are released as usual.
    std::vector<WindowHandle> open = current->topLevels;
    for (auto it = open.rbegin(); it != open.rend(); ++it)
        windowDestroy(*it);
    current.reset();
}

bool windowSystemRunning() {
    return current != nullptr;
}

ScreenSurface& screenSurface() {
    return windowing::state().backend.surface();
}

bool systemInteractive() {
    return windowSystemRunning() && windowing::state().backend.interactive();
}

void screenClaim(std::optional<Region> area) {
    ScreenSurface& surface = screenSurface();
    surface.claimed = std::move(area);
    ++surface.claimGeneration;
}

void windowSetBackgroundEraser(BackgroundEraser eraser) {
    windowing::state().eraseBackground = std::move(eraser);
}

void windowSetDefaultPainter(DefaultPainter painter) {
    windowing::state().defaultPaint = std::move(painter);
}

bool systemClaimSingleInstance(std::string_view name) {
    if (windowing::state().backend.claimSingleInstance(name))
        return true;
    std::fprintf(stderr, "q71 is already running; its window has been brought to the front.\n");
    return false;
}

bool systemScreenSaverEnabled() {
    return windowing::state().backend.screenSaverEnabled();
}

void systemSetScreenSaverEnabled(bool enabled) {
    windowing::state().backend.setScreenSaverEnabled(enabled);
}

} // namespace q71
