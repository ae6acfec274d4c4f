#include "platform/gdi/pixel_surface.h"

#include <algorithm>
#include <cstring>

namespace q71 {

int IndexedPalette::set(int first, const RgbQuad* entries, int count) {
    if (first < 0 || first >= 256 || count <= 0)
        return 0;
    count = std::min(count, 256 - first);
    if (entries_.size() < static_cast<size_t>(first + count))
        entries_.resize(static_cast<size_t>(first + count));
    std::copy(entries, entries + count, entries_.begin() + first);
    cache_.clear();
    return count;
}

std::uint8_t IndexedPalette::nearest(ColorRef c) const {
    if (auto it = cache_.find(c); it != cache_.end())
        return it->second;
    std::uint8_t best = 0;
    int bestDistance = 1 << 30;
    for (size_t i = 0; i < entries_.size(); ++i) {
        int dr = entries_[i].red - colorRed(c), dg = entries_[i].green - colorGreen(c);
        int db = entries_[i].blue - colorBlue(c);
        int d = dr * dr + dg * dg + db * db;
        if (d < bestDistance) {
            bestDistance = d;
            best = static_cast<std::uint8_t>(i);
            if (d == 0)
                break;
        }
    }
    cache_.emplace(c, best);
    return best;
}

std::uint32_t PixelSurface::encode(ColorRef c) const {
    switch (format) {
    case PixelFormat::Indexed8:
        return palette ? palette->nearest(c) : 0;
    case PixelFormat::Rgb555:
        return colorTo555(c);
    case PixelFormat::Rgb565:
        return colorTo565(c);
    case PixelFormat::Bgr24:
    case PixelFormat::Bgrx32:
        return static_cast<std::uint32_t>(colorBlue(c) | (colorGreen(c) << 8) | (colorRed(c) << 16));
    }
    return 0;
}

ColorRef PixelSurface::decode(std::uint32_t pixel) const {
    switch (format) {
    case PixelFormat::Indexed8:
        return palette ? palette->colour(static_cast<std::uint8_t>(pixel)) : 0;
    case PixelFormat::Rgb555:
        return colorFrom555(static_cast<std::uint16_t>(pixel));
    case PixelFormat::Rgb565:
        return colorFrom565(static_cast<std::uint16_t>(pixel));
    case PixelFormat::Bgr24:
    case PixelFormat::Bgrx32:
        return rgb((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF);
    }
    return 0;
}

std::uint32_t PixelSurface::read(int x, int y) const {
    const std::uint8_t* p = row(y) + static_cast<std::ptrdiff_t>(x) * pixelBytes(format);
    switch (format) {
    case PixelFormat::Indexed8:
        return *p;
    case PixelFormat::Rgb555:
    case PixelFormat::Rgb565: {
        std::uint16_t v;
        std::memcpy(&v, p, 2);
        return v;
    }
    case PixelFormat::Bgr24:
        return static_cast<std::uint32_t>(p[0] | (p[1] << 8) | (p[2] << 16));
    case PixelFormat::Bgrx32: {
        std::uint32_t v;
        std::memcpy(&v, p, 4);
        return v & 0x00FFFFFFu;
    }
    }
    return 0;
}

void PixelSurface::write(int x, int y, std::uint32_t pixel) const {
    std::uint8_t* p = row(y) + static_cast<std::ptrdiff_t>(x) * pixelBytes(format);
    switch (format) {
    case PixelFormat::Indexed8:
        *p = static_cast<std::uint8_t>(pixel);
        return;
    case PixelFormat::Rgb555:
    case PixelFormat::Rgb565: {
        auto v = static_cast<std::uint16_t>(pixel);
        std::memcpy(p, &v, 2);
        return;
    }
    case PixelFormat::Bgr24:
        p[0] = static_cast<std::uint8_t>(pixel);
        p[1] = static_cast<std::uint8_t>(pixel >> 8);
        p[2] = static_cast<std::uint8_t>(pixel >> 16);
        return;
    case PixelFormat::Bgrx32: {
        std::uint32_t v = pixel & 0x00FFFFFFu;
        std::memcpy(p, &v, 4);
        return;
    }
    }
}

std::uint32_t PixelSurface::valueMask() const {
    switch (format) {
    case PixelFormat::Indexed8:
        return 0xFF;
    case PixelFormat::Rgb555:
        return 0x7FFF;
    case PixelFormat::Rgb565:
        return 0xFFFF;
    case PixelFormat::Bgr24:
    case PixelFormat::Bgrx32:
        return 0x00FFFFFF;
    }
    return 0;
}

} // namespace q71
