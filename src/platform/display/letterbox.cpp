#include "platform/display/letterbox.h"

#include "platform/display/screen_surface.h"

#include <algorithm>
#include <cstdint>

namespace q71 {

Rect letterboxRect(int windowWidth, int windowHeight) {
    constexpr std::int64_t w = ScreenSurface::kWidth, h = ScreenSurface::kHeight;
    if (windowWidth <= 0 || windowHeight <= 0)
        return {};
    // Take the width that fits when it leaves enough height, else the height that fits.
    std::int64_t width = windowWidth, height = width * h / w;
    if (height > windowHeight) {
        height = windowHeight;
        width = height * w / h;
    }
    int left = static_cast<int>((windowWidth - width) / 2),
        top = static_cast<int>((windowHeight - height) / 2);
    return {left, top, left + static_cast<int>(width), top + static_cast<int>(height)};
}

Point letterboxToScreen(Point windowPoint, const Rect& shown) {
    if (shown.isEmpty())
        return {};
    auto map = [](int v, int origin, int extent, int size) {
        std::int64_t s = (static_cast<std::int64_t>(v) - origin) * size / extent;
        return static_cast<int>(std::clamp<std::int64_t>(s, 0, size - 1));
    };
    return {map(windowPoint.x, shown.left, shown.width(), ScreenSurface::kWidth),
            map(windowPoint.y, shown.top, shown.height(), ScreenSurface::kHeight)};
}

Point letterboxToWindow(Point screenPoint, const Rect& shown) {
    auto map = [](int v, int origin, int extent, int size) {
        return origin + static_cast<int>((2 * static_cast<std::int64_t>(v) + 1) * extent / (2 * size));
    };
    return {map(screenPoint.x, shown.left, shown.width(), ScreenSurface::kWidth),
            map(screenPoint.y, shown.top, shown.height(), ScreenSurface::kHeight)};
}

} // namespace q71
