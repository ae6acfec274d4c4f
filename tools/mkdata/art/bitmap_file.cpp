#include "mkdata/art/bitmap_file.h"

#include "platform/files/little_endian.h"
#include "platform/gdi/colour.h"
#include "platform/gdi/dib_format.h"

#include <algorithm>
#include <stdexcept>
#include <vector>

namespace q71::mkdata {
namespace {

constexpr std::size_t kFileHeaderBytes = 14;
constexpr std::size_t kInfoBytes = 40 + 12; // the header and the three masks

} // namespace

std::string bitmapFile(const Canvas& picture) {
    const int width = picture.width();
    const int height = picture.height();
    const encoder::RgbImage image = picture.toImage();
    const std::size_t stride = dibStride(width, 16);
    std::string file(kFileHeaderBytes + kInfoBytes + stride * static_cast<std::size_t>(height), '\0');
    auto* p = reinterpret_cast<std::uint8_t*>(file.data());
    p[0] = 'B';
    p[1] = 'M';
    storeLe32(p + 2, static_cast<std::uint32_t>(file.size()));
    storeLe32(p + 10, static_cast<std::uint32_t>(kFileHeaderBytes + kInfoBytes));
    const std::vector<std::uint8_t> info = dibMakeInfo({width, height, 16, {}, {0xF800, 0x07E0, 0x001F}});
    std::copy(info.begin(), info.end(), p + kFileHeaderBytes);
    std::uint8_t* bits = p + kFileHeaderBytes + kInfoBytes;
    for (int y = 0; y < height; ++y) {
        std::uint8_t* row = bits + static_cast<std::size_t>(height - 1 - y) * stride;
        for (int x = 0; x < width; ++x) {
            const std::uint8_t* rgb = &image.rgb[(static_cast<std::size_t>(y) * width + x) * 3];
            storeLe16(row + 2 * x, colorTo565(q71::rgb(rgb[0], rgb[1], rgb[2])));
        }
    }
    return file;
}

std::string frameStripFile(std::span<const Canvas> frames, Colour separator) {
    if (frames.empty())
        throw std::runtime_error("a strip needs at least one frame");
    const int width = frames.front().width();
    const int height = frames.front().height();
    Canvas strip(width, static_cast<int>(frames.size()) * (height + 1));
    strip.fill(separator);
    for (std::size_t i = 0; i < frames.size(); ++i) {
        if (frames[i].width() != width || frames[i].height() != height)
            throw std::runtime_error("the frames of a strip differ in size");
        strip.place(frames[i], 0, static_cast<int>(i) * (height + 1) + 1);
    }
    return bitmapFile(strip);
}

} // namespace q71::mkdata
