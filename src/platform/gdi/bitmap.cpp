#include "platform/gdi/bitmap.h"

namespace q71 {

Bitmap::Bitmap(int width, int height, PixelFormat format, bool topDown, bool dibSection)
    : width_(width), height_(height), format_(format), topDown_(topDown), dibSection_(dibSection),
      stride_(dibStride(width, pixelBytes(format) * 8)), bits_(stride_ * static_cast<std::size_t>(height)) {}

std::shared_ptr<Bitmap> Bitmap::createCompatible(int width, int height) {
    if (!dibSizeAcceptable(width, height))
        return nullptr;
    return std::shared_ptr<Bitmap>(new Bitmap(width, height, PixelFormat::Rgb565, true, false));
}

std::shared_ptr<Bitmap> Bitmap::createDibSection(std::span<const std::uint8_t> info) {
    auto format = dibParseInfo(info);
    if (!format)
        return nullptr;
    PixelFormat pixels;
    switch (format->bitCount) {
    case 8:
        pixels = PixelFormat::Indexed8;
        break;
    case 16:
        if (format->redMask == 0xF800 && format->greenMask == 0x07E0 && format->blueMask == 0x001F)
            pixels = PixelFormat::Rgb565;
        else if (format->redMask == 0x7C00 && format->greenMask == 0x03E0 && format->blueMask == 0x001F)
            pixels = PixelFormat::Rgb555;
        else
            return nullptr;
        break;
    case 24:
        pixels = PixelFormat::Bgr24;
        break;
    case 32:
        if (format->redMask != 0xFF0000 || format->greenMask != 0x00FF00 || format->blueMask != 0x0000FF)
            return nullptr;
        pixels = PixelFormat::Bgrx32;
        break;
    default:
        return nullptr;
    }
    auto bitmap =
        std::shared_ptr<Bitmap>(new Bitmap(format->width, format->height, pixels, format->topDown, true));
    if (pixels == PixelFormat::Indexed8)
        bitmap->palette_.set(0, format->palette.data(), format->paletteSize);
    return bitmap;
}

int Bitmap::setColorTable(int first, std::span<const RgbQuad> entries) {
    if (format_ != PixelFormat::Indexed8)
        return 0;
    return palette_.set(first, entries.data(), static_cast<int>(entries.size()));
}

PixelSurface Bitmap::surface() const {
    PixelSurface s;
    auto pitch = static_cast<std::ptrdiff_t>(stride_);
    s.top = topDown_ ? bits_.data() : bits_.data() + pitch * (height_ - 1);
    s.pitch = topDown_ ? pitch : -pitch;
    s.width = width_;
    s.height = height_;
    s.format = format_;
    s.palette = format_ == PixelFormat::Indexed8 ? &palette_ : nullptr;
    return s;
}

} // namespace q71
