#include "mkdata/art/canvas.h"

#include "platform/files/little_endian.h"
#include "platform/gdi/dib_format.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <vector>

namespace q71::mkdata {
namespace {

constexpr std::size_t kFileHeaderBytes = 14;
constexpr std::size_t kInfoBytes = 40 + 12; // header and the three masks

int channel(double value) {
    return std::clamp(static_cast<int>(std::lround(value)), 0, 255);
}

} // namespace

Canvas::Canvas(int width, int height) : width_(width), height_(height) {
    bitmap_ = Bitmap::createDibSection(dibMakeInfo({width, -height, 32}));
    if (!bitmap_)
        throw std::runtime_error("cannot make a picture of " + std::to_string(width) + " by " +
                                 std::to_string(height));
    dc_ = DeviceContext::createMemory();
    dc_->selectBitmap(bitmap_);
}

ColorRef Canvas::pixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_)
        return 0;
    const std::uint8_t* p = bitmap_->bits().data() + static_cast<std::size_t>(y) * bitmap_->stride() + 4 * x;
    return rgb(p[2], p[1], p[0]);
}

void Canvas::setPixel(int x, int y, ColorRef colour) {
    if (x < 0 || y < 0 || x >= width_ || y >= height_)
        return;
    std::uint8_t* p = bitmap_->bits().data() + static_cast<std::size_t>(y) * bitmap_->stride() + 4 * x;
    p[0] = static_cast<std::uint8_t>(colorBlue(colour));
    p[1] = static_cast<std::uint8_t>(colorGreen(colour));
    p[2] = static_cast<std::uint8_t>(colorRed(colour));
    p[3] = 0;
}

void Canvas::blend(int x, int y, ColorRef colour, double amount) {
    setPixel(x, y, mixColour(pixel(x, y), colour, amount));
}

void Canvas::paste(const Canvas& source, int x, int y) {
    for (int row = 0; row < source.height(); ++row)
        for (int column = 0; column < source.width(); ++column)
            setPixel(x + column, y + row, source.pixel(column, row));
}

std::string Canvas::bitmapFile() const {
    const std::size_t stride = dibStride(width_, 16);
    const std::size_t imageBytes = stride * static_cast<std::size_t>(height_);
    std::string file(kFileHeaderBytes + kInfoBytes + imageBytes, '\0');
    auto* p = reinterpret_cast<std::uint8_t*>(file.data());
    p[0] = 'B';
    p[1] = 'M';
    storeLe32(p + 2, static_cast<std::uint32_t>(file.size()));
    storeLe32(p + 10, static_cast<std::uint32_t>(kFileHeaderBytes + kInfoBytes));
    const std::vector<std::uint8_t> info = dibMakeInfo({width_, height_, 16, {}, {0xF800, 0x07E0, 0x001F}});
    std::copy(info.begin(), info.end(), p + kFileHeaderBytes);
    std::uint8_t* bits = p + kFileHeaderBytes + kInfoBytes;
    for (int y = 0; y < height_; ++y) {
        std::uint8_t* row = bits + static_cast<std::size_t>(height_ - 1 - y) * stride;
        for (int x = 0; x < width_; ++x)
            storeLe16(row + 2 * x, colorTo565(pixel(x, y)));
    }
    return file;
}

std::string frameStripFile(std::span<const Canvas> frames) {
    if (frames.empty())
        throw std::runtime_error("a strip needs at least one frame");
    const int width = frames.front().width();
    const int height = frames.front().height();
    Canvas strip(width, static_cast<int>(frames.size()) * (height + 1));
    for (std::size_t i = 0; i < frames.size(); ++i) {
        if (frames[i].width() != width || frames[i].height() != height)
            throw std::runtime_error("the frames of a strip differ in size");
        strip.paste(frames[i], 0, static_cast<int>(i) * (height + 1) + 1);
    }
    return strip.bitmapFile();
}

ColorRef mixColour(ColorRef a, ColorRef b, double amount) {
    const double t = std::clamp(amount, 0.0, 1.0);
    return rgb(channel(colorRed(a) + (colorRed(b) - colorRed(a)) * t),
               channel(colorGreen(a) + (colorGreen(b) - colorGreen(a)) * t),
               channel(colorBlue(a) + (colorBlue(b) - colorBlue(a)) * t));
}

ColorRef shade(ColorRef colour, double amount) {
    return amount >= 0 ? mixColour(colour, rgb(255, 255, 255), amount) : mixColour(colour, 0, -amount);
}

} // namespace q71::mkdata
