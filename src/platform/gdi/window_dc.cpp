#include "platform/gdi/window_dc.h"

#include "platform/window/message_ids.h"
#include "platform/window/message_queue.h"
#include "platform/window/window.h"
#include "platform/window/window_layout.h"
#include "platform/window/window_paint.h"
#include "platform/window/window_system.h"

#include <optional>

namespace q71 {
namespace {

// What the main thread may draw of an area: all of it but the part another thread has claimed.
Region unclaimed(Region area) {
    const std::optional<Region>& claimed = screenSurface().claimed;
    return claimed ? area.subtracted(*claimed) : area;
}

PixelSurface screenPixels() {
    ScreenSurface& screen = screenSurface();
    PixelSurface s;
    s.top = reinterpret_cast<std::uint8_t*>(screen.pixels.data());
    s.pitch = ScreenSurface::kWidth * 2;
    s.width = ScreenSurface::kWidth;
    s.height = ScreenSurface::kHeight;
    s.format = PixelFormat::Rgb565;
    return s;
}

// A window's part of the screen. Outside a paint the visible region follows the windows as they
// move, show and hide; a paint keeps the region it began with.
class WindowTarget final : public DrawingTarget {
public:
    WindowTarget(WindowHandle window, std::optional<Region> paintClip)
        : window_(window), paintClip_(std::move(paintClip)) {}

    bool resolve(PixelSurface& surface, Point& origin, Region& visible) override {
        if (!windowSystemRunning() || !windowIsValid(window_))
            return false;
        surface = screenPixels();
        origin = windowClientToScreen(window_, {0, 0});
        visible = unclaimed(paintClip_ ? *paintClip_ : windowVisibleRegion(window_));
        return true;
    }
    std::uint64_t generation() const override {
        // A paint keeps its region; otherwise the region is asked for again whenever the layout
        // of windows changed. Both are dropped when the window goes.
        if (!windowSystemRunning() || !windowIsValid(window_))
            return 0;
        // A claim of the screen changes what may be drawn as well.
        const std::uint64_t claims = screenSurface().claimGeneration;
        return paintClip_ ? 1 + claims : windowLayoutGeneration() + 2 + claims;
    }
    void drawn() override {
        if (windowSystemRunning())
            screenSurface().markChanged();
    }

private:
    WindowHandle window_;
    std::optional<Region> paintClip_;
};

class ScreenTarget final : public DrawingTarget {
public:
    bool resolve(PixelSurface& surface, Point& origin, Region& visible) override {
        if (!windowSystemRunning())
            return false;
        surface = screenPixels();
        origin = {};
        visible = unclaimed(Region(ScreenSurface::bounds()));
        return true;
    }
    std::uint64_t generation() const override {
        return windowSystemRunning() ? 3 + screenSurface().claimGeneration : 2;
    }
    void drawn() override {
        if (windowSystemRunning())
            screenSurface().markChanged();
    }
};

// Class backgrounds below this value are stock brushes (their number plus one); others point
// at a brush.
constexpr std::uintptr_t kStockBrushLimit = 0x100;

} // namespace

std::unique_ptr<DeviceContext> getWindowDC(WindowHandle window) {
    if (!windowSystemRunning() || !windowIsValid(window))
        return nullptr;
    return DeviceContext::createForTarget(std::make_unique<WindowTarget>(window, std::nullopt));
}

std::unique_ptr<DeviceContext> createDisplayDC() {
    return DeviceContext::createForTarget(std::make_unique<ScreenTarget>());
}

PaintStruct beginPaint(WindowHandle window) {
    PaintStruct paint;
    PaintState state = windowSystemRunning() ? paintBegin(window) : PaintState{};
    paint.paint = state.rect;
    paint.dc = DeviceContext::createForTarget(std::make_unique<WindowTarget>(window, std::move(state.clip)));
    if (state.erase)
        paint.erase = messageSend(window, WM_ERASEBKGND, deviceContextToWParam(paint.dc.get()), 0) == 0;
    return paint;
}

void endPaint(WindowHandle, PaintStruct& paint) {
    paint.dc.reset();
}

DeviceContext* deviceContextFromWParam(WParam wParam) {
    return reinterpret_cast<DeviceContext*>(wParam);
}
WParam deviceContextToWParam(DeviceContext* dc) {
    return reinterpret_cast<WParam>(dc);
}

std::uintptr_t classBackgroundBrush(StockObject stock) {
    return static_cast<std::uintptr_t>(stock) + 1;
}
std::uintptr_t classBackgroundBrush(const Brush* brush) {
    return reinterpret_cast<std::uintptr_t>(brush);
}

std::optional<Brush> brushFromHandle(std::uintptr_t handle) {
    if (handle == 0)
        return std::nullopt;
    if (handle < kStockBrushLimit)
        return stockBrush(static_cast<StockObject>(handle - 1));
    return *reinterpret_cast<const Brush*>(handle);
}

void installWindowDrawing() {
    windowSetDefaultPainter([](WindowHandle window) {
        PaintStruct paint = beginPaint(window);
        endPaint(window, paint);
    });
    windowSetBackgroundEraser([](WindowHandle window, WParam context, std::uintptr_t background) {
        DeviceContext* dc = deviceContextFromWParam(context);
        std::optional<Brush> brush = brushFromHandle(background);
        if (!dc || !brush)
            return false;
        dc->fillRect(windowGetClientRect(window), *brush);
        return true;
    });
}

} // namespace q71
