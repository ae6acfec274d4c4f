#include "platform/display/window_scaler.h"

#include "platform/display/letterbox.h"
#include "platform/display/screen_surface.h"

#include <bit>
#include <cstring>

namespace q71 {
namespace {

// An 8-bit colour channel placed under its mask, keeping the mask's number of high bits.
std::uint32_t placeChannel(std::uint32_t value8, std::uint32_t mask) {
    if (mask == 0)
        return 0;
    const int bits = std::popcount(mask);
    const int shift = std::countr_zero(mask);
    const std::uint32_t kept = bits >= 8 ? value8 << (bits - 8) : value8 >> (8 - bits);
    return (kept << shift) & mask;
}

// The 5 and 6 bits of an RGB565 channel widened to 8 by repeating their high bits.
std::uint32_t widen(std::uint32_t value, int bits) {
    return (value << (8 - bits)) | (value >> (2 * bits - 8));
}

// The window columns (or rows) showing each screen column from 0 to `size`, the one past the
// end included: the first window column whose screen column is at least it.
std::vector<int> firstCovering(int size, int extent, int origin) {
    std::vector<int> first(static_cast<std::size_t>(size) + 1);
    for (int s = 0; s <= size; ++s)
        first[static_cast<std::size_t>(s)] =
            origin + static_cast<int>((static_cast<std::int64_t>(s) * extent + size - 1) / size);
    return first;
}

// The screen column (or row) each window column of the shown part shows, as the pointer maps.
std::vector<int> sourceOf(int size, int extent) {
    std::vector<int> source(static_cast<std::size_t>(extent));
    for (int w = 0; w < extent; ++w)
        source[static_cast<std::size_t>(w)] = static_cast<int>(static_cast<std::int64_t>(w) * size / extent);
    return source;
}

} // namespace

bool WindowScaler::setTarget(int width, int height, const PixelLayout& layout) {
    shown_ = {};
    bytesPerPixel_ = 0;
    if (layout.bytesPerPixel < 2 || layout.bytesPerPixel > 4)
        return false;
    bytesPerPixel_ = layout.bytesPerPixel;
    colours_.resize(0x10000);
    for (std::uint32_t c = 0; c < 0x10000; ++c)
        colours_[c] = placeChannel(widen(c >> 11, 5), layout.redMask) |
                      placeChannel(widen((c >> 5) & 0x3F, 6), layout.greenMask) |
                      placeChannel(widen(c & 0x1F, 5), layout.blueMask);
    shown_ = letterboxRect(width, height);
    sourceColumn_ = sourceOf(ScreenSurface::kWidth, shown_.width());
    sourceRow_ = sourceOf(ScreenSurface::kHeight, shown_.height());
    firstColumn_ = firstCovering(ScreenSurface::kWidth, shown_.width(), shown_.left);
    firstRow_ = firstCovering(ScreenSurface::kHeight, shown_.height(), shown_.top);
    return true;
}

void WindowScaler::putRow(const std::uint16_t* screenRow, int first, int last,
                          std::uint8_t* windowRow) const {
    const int* source = sourceColumn_.data() - shown_.left;
    const std::uint32_t* colours = colours_.data();
    switch (bytesPerPixel_) {
    case 4: {
        auto* out = reinterpret_cast<std::uint32_t*>(windowRow);
        for (int x = first; x < last; ++x)
            out[x] = colours[screenRow[source[x]]];
        break;
    }
    case 2: {
        auto* out = reinterpret_cast<std::uint16_t*>(windowRow);
        for (int x = first; x < last; ++x)
            out[x] = static_cast<std::uint16_t>(colours[screenRow[source[x]]]);
        break;
    }
    default:
        for (int x = first; x < last; ++x) {
            const std::uint32_t c = colours[screenRow[source[x]]];
            std::uint8_t* out = windowRow + 3 * x;
            out[0] = static_cast<std::uint8_t>(c);
            out[1] = static_cast<std::uint8_t>(c >> 8);
            out[2] = static_cast<std::uint8_t>(c >> 16);
        }
        break;
    }
}

void WindowScaler::drawAll(const std::uint16_t* screen, const WindowPixels& window) const {
    if (bytesPerPixel_ == 0 || !window.pixels)
        return;
    const std::size_t rowBytes = static_cast<std::size_t>(window.width) * bytesPerPixel_;
    for (int y = 0; y < window.height; ++y)
        std::memset(window.pixels + static_cast<std::ptrdiff_t>(y) * window.pitch, 0, rowBytes);
    draw(screen, ScreenSurface::bounds(), window);
}

Rect WindowScaler::draw(const std::uint16_t* screen, const Rect& area, const WindowPixels& window) const {
    const Rect part = area.intersected(ScreenSurface::bounds());
    if (bytesPerPixel_ == 0 || !window.pixels || part.isEmpty())
        return {};
    const Rect out =
        Rect{firstColumn_[static_cast<std::size_t>(part.left)], firstRow_[static_cast<std::size_t>(part.top)],
             firstColumn_[static_cast<std::size_t>(part.right)],
             firstRow_[static_cast<std::size_t>(part.bottom)]}
            .intersected({0, 0, window.width, window.height});
    if (out.isEmpty())
        return {};
    const std::size_t rowBytes = static_cast<std::size_t>(out.width()) * bytesPerPixel_;
    int lastSource = -1;
    const std::uint8_t* lastRow = nullptr;
    for (int y = out.top; y < out.bottom; ++y) {
        std::uint8_t* row = window.pixels + static_cast<std::ptrdiff_t>(y) * window.pitch;
        const int source = sourceRow_[static_cast<std::size_t>(y - shown_.top)];
        // Window rows showing the same screen row are copies of the first.
        if (source == lastSource)
            std::memcpy(row + out.left * bytesPerPixel_, lastRow + out.left * bytesPerPixel_, rowBytes);
        else
            putRow(screen + static_cast<std::size_t>(source) * ScreenSurface::kWidth, out.left, out.right,
                   row);
        lastSource = source;
        lastRow = row;
    }
    return out;
}

} // namespace q71
