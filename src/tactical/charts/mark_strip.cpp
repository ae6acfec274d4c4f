#include "tactical/charts/mark_strip.h"

#include "framework/widgets/widget_bitmap.h"
#include "platform/gdi/blit.h"
#include "platform/gdi/device_context.h"

namespace q71 {

bool MarkStrip::load(std::string_view name, int frames) {
    WidgetBitmap bitmap;
    return bitmap.load(name) && cut(bitmap.header(), bitmap.bits(), frames);
}

bool MarkStrip::cut(std::span<const std::uint8_t> header, std::span<const std::uint8_t> bits, int frames) {
    *this = MarkStrip{};
    if (frames <= 0)
        return false;
    const BitmapRef bitmap = createDIBitmap(header, bits);
    if (!bitmap || bitmap->width() <= 0 || bitmap->height() % frames != 0 || bitmap->height() / frames < 2)
        return false;
    const auto dc = DeviceContext::createMemory();
    dc->selectBitmap(bitmap);
    const int width = bitmap->width(), height = bitmap->height() / frames - 1;
    std::vector<ColorRef> pixels;
    pixels.reserve(static_cast<std::size_t>(width) * static_cast<std::size_t>(height * frames));
    for (int frame = 0; frame < frames; ++frame)
        for (int row = 0; row < height; ++row)
            for (int column = 0; column < width; ++column)
                pixels.push_back(dc->getPixel(Point{column, frame * (height + 1) + 1 + row}));
    key_ = dc->getPixel(Point{0, 0});
    pixels_ = std::move(pixels);
    width_ = width;
    height_ = height;
    frames_ = frames;
    return true;
}

void MarkStrip::draw(DeviceContext& dc, int frame, int x, int y) const {
    if (frame < 0 || frame >= frames_)
        return;
    const int left = x - width_ / 2, top = y - height_ / 2;
    const ColorRef* pixel = pixels_.data() + static_cast<std::size_t>(frame) * width_ * height_;
    for (int row = 0; row < height_; ++row)
        for (int column = 0; column < width_; ++column, ++pixel)
            if (*pixel != key_)
                dc.setPixel(Point{left + column, top + row}, *pixel);
}

} // namespace q71
