#include "platform/gdi/blit.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <vector>

namespace q71 {
namespace {

// Reads pixels of stored DIB rows as native pixels of a destination surface.
class DibRowReader {
public:
    DibRowReader(const DibFormat& format, const PixelSurface& to) : format_(format), to_(to) {
        if (format.bitCount <= 8) {
            table_.assign(256, to.encode(0));
            for (int i = 0; i < format.paletteSize; ++i)
                table_[static_cast<size_t>(i)] =
                    to.encode(colorFromQuad(format.palette[static_cast<size_t>(i)]));
        }
        direct565_ = format.bitCount == 16 && to.format == PixelFormat::Rgb565 && format.redMask == 0xF800 &&
                     format.greenMask == 0x07E0 && format.blueMask == 0x001F;
        direct555_ = format.bitCount == 16 && to.format == PixelFormat::Rgb555 && format.redMask == 0x7C00 &&
                     format.greenMask == 0x03E0 && format.blueMask == 0x001F;
    }

    /// Writes pixels [from, to) of a stored row to a destination row starting at `out`.
    void convert(const std::uint8_t* row, int from, int to, std::uint8_t* out) const {
        // The two common cases run without a switch per pixel: 8-bit pictures through their
        // palette onto the screen's format, and 16-bit pixels already in the destination's form.
        if (format_.bitCount == 8 && pixelBytes(to_.format) == 2) {
            for (int x = from; x < to; ++x, out += 2) {
                auto v = static_cast<std::uint16_t>(table_[row[x]]);
                std::memcpy(out, &v, 2);
            }
            return;
        }
        if (direct565_ || direct555_) {
            std::memcpy(out, row + 2 * from, static_cast<size_t>(to - from) * 2);
            return;
        }
        for (int x = from; x < to; ++x)
            writeNative(out + static_cast<std::ptrdiff_t>(x - from) * pixelBytes(to_.format), read(row, x));
    }

    std::uint32_t read(const std::uint8_t* row, int x) const {
        switch (format_.bitCount) {
        case 1:
            return table_[(row[x >> 3] >> (7 - (x & 7))) & 1];
        case 4:
            return table_[(row[x >> 1] >> ((x & 1) ? 0 : 4)) & 0xF];
        case 8:
            return table_[row[x]];
        case 16: {
            std::uint16_t v;
            std::memcpy(&v, row + 2 * x, 2);
            return direct565_ || direct555_ ? v : to_.encode(fromMasks(v));
        }
        case 24: {
            const std::uint8_t* p = row + 3 * x;
            return to_.encode(rgb(p[2], p[1], p[0]));
        }
        default: {
            std::uint32_t v;
            std::memcpy(&v, row + 4 * x, 4);
            return to_.encode(fromMasks(v));
        }
        }
    }

private:
    void writeNative(std::uint8_t* p, std::uint32_t v) const {
        switch (pixelBytes(to_.format)) {
        case 1:
            *p = static_cast<std::uint8_t>(v);
            return;
        case 2: {
            auto w = static_cast<std::uint16_t>(v);
            std::memcpy(p, &w, 2);
            return;
        }
        case 3:
            p[0] = static_cast<std::uint8_t>(v), p[1] = static_cast<std::uint8_t>(v >> 8);
            p[2] = static_cast<std::uint8_t>(v >> 16);
            return;
        default:
            std::memcpy(p, &v, 4);
        }
    }

    static int channel(std::uint32_t value, std::uint32_t mask) {
        int shift = std::countr_zero(mask), width = std::popcount(mask);
        std::uint32_t v = (value & mask) >> shift;
        return width >= 8 ? static_cast<int>(v >> (width - 8)) : static_cast<int>(v << (8 - width));
    }
    ColorRef fromMasks(std::uint32_t v) const {
        return rgb(channel(v, format_.redMask), channel(v, format_.greenMask), channel(v, format_.blueMask));
    }

    const DibFormat& format_;
    const PixelSurface& to_;
    std::vector<std::uint32_t> table_;
    bool direct565_ = false;
    bool direct555_ = false;
};

} // namespace

int setDIBitsToDevice(DeviceContext& destination, int x, int y, int w, int h, int sx, int sy, int startScan,
                      int scanLines, std::span<const std::uint8_t> bits, std::span<const std::uint8_t> info,
                      unsigned colorUse) {
    auto format = dibParseInfo(info, colorUse);
    if (!format || startScan < 0 || scanLines <= 0 || startScan >= format->height)
        return 0;
    // Only whole rows that the bits really hold are used.
    int available = static_cast<int>(
        std::min<std::size_t>(bits.size() / format->stride, static_cast<std::size_t>(scanLines)));
    available = std::min(available, format->height - startScan);
    if (available <= 0)
        return 0;
    const DeviceContext::Resolved* dst = destination.resolve();
    if (!dst || w <= 0 || h <= 0)
        return available;
    // Columns of the block that lie inside the DIB.
    long long firstColumn = std::max<long long>(0, -static_cast<long long>(sx));
    long long lastColumn = std::min<long long>(w, static_cast<long long>(format->width) - sx);
    if (firstColumn >= lastColumn)
        return available;
    DibRowReader reader(*format, dst->surface);
    const PixelSurface& to = dst->surface;
    const Rect& reach = dst->clip.bounds();
    long long firstRow = std::max<long long>(0, static_cast<long long>(reach.top) - dst->origin.y - y);
    long long lastRow = std::min<long long>(h, static_cast<long long>(reach.bottom) - dst->origin.y - y);
    for (long long row = firstRow; row < lastRow; ++row) {
        long long scan =
            format->topDown ? static_cast<long long>(sy) + row : static_cast<long long>(sy) + h - 1 - row;
        if (scan < startScan || scan >= startScan + available)
            continue;
        const std::uint8_t* source =
            bits.data() + static_cast<std::size_t>(scan - startScan) * format->stride;
        // Rows visited lie within the clip, so the row number fits.
        int dy = static_cast<int>(static_cast<long long>(dst->origin.y) + y + row);
        long long left = static_cast<long long>(dst->origin.x) + x;
        dst->clip.forEachSpan(dy, left + firstColumn, left + lastColumn, [&](int a, int b) {
            reader.convert(source, static_cast<int>(a - left + sx), static_cast<int>(b - left + sx),
                           to.row(dy) + static_cast<std::ptrdiff_t>(a) * pixelBytes(to.format));
        });
    }
    destination.notifyDrawn();
    return available;
}

BitmapRef createDIBitmap(std::span<const std::uint8_t> info, std::span<const std::uint8_t> bits) {
    auto format = dibParseInfo(info);
    if (!format || bits.size() < format->imageSize())
        return nullptr;
    BitmapRef bitmap = Bitmap::createCompatible(format->width, format->height);
    auto dc = DeviceContext::createMemory();
    dc->selectBitmap(bitmap);
    setDIBitsToDevice(*dc, 0, 0, format->width, format->height, 0, 0, 0, format->height, bits, info);
    return bitmap;
}

} // namespace q71
