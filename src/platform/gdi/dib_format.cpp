#include "platform/gdi/dib_format.h"

#include <bit>
#include <cstring>

namespace q71 {
namespace {

template <typename T> T readAt(std::span<const std::uint8_t> bytes, std::size_t offset) {
    T value;
    std::memcpy(&value, bytes.data() + offset, sizeof(T));
    return value;
}

// A mask is usable when it is one run of set bits.
bool isContiguous(std::uint32_t mask) {
    if (mask == 0)
        return false;
    std::uint32_t shifted = mask >> std::countr_zero(mask);
    return (shifted & (shifted + 1)) == 0;
}

bool readPalette(std::span<const std::uint8_t> info, std::size_t offset, int count, std::size_t entrySize,
                 DibFormat& format) {
    if (offset + static_cast<std::size_t>(count) * entrySize > info.size())
        return false;
    for (int i = 0; i < count; ++i) {
        const std::uint8_t* e = info.data() + offset + static_cast<std::size_t>(i) * entrySize;
        format.palette[static_cast<std::size_t>(i)] = {e[0], e[1], e[2], 0};
    }
    format.paletteSize = count;
    return true;
}

} // namespace

std::optional<DibFormat> dibParseInfo(std::span<const std::uint8_t> info, unsigned colorUse) {
    if (colorUse != kDibRgbColors || info.size() < 12)
        return std::nullopt;
    auto headerSize = readAt<std::uint32_t>(info, 0);
    DibFormat format;
    std::uint32_t compression = kDibCompressionRgb;
    std::uint32_t clrUsed = 0;
    std::int64_t height = 0;
    int planes = 0;
    if (headerSize == 12) {
        format.width = readAt<std::uint16_t>(info, 4);
        height = readAt<std::uint16_t>(info, 6);
        planes = readAt<std::uint16_t>(info, 8);
        format.bitCount = readAt<std::uint16_t>(info, 10);
    } else if (headerSize == 40 || headerSize == 108 || headerSize == 124) {
        if (info.size() < headerSize)
            return std::nullopt;
        auto header = readAt<BitmapInfoHeader>(info, 0);
        format.width = header.width;
        height = header.height;
        planes = header.planes;
        format.bitCount = header.bitCount;
        compression = header.compression;
        clrUsed = header.clrUsed;
    } else {
        return std::nullopt;
    }
    format.topDown = height < 0;
    height = height < 0 ? -height : height;
    if (planes != 1 || !dibSizeAcceptable(format.width, height))
        return std::nullopt;
    format.height = static_cast<int>(height);
    format.stride = dibStride(format.width, format.bitCount);

    switch (format.bitCount) {
    case 1:
    case 4:
    case 8: {
        if (compression != kDibCompressionRgb)
            return std::nullopt;
        int full = 1 << format.bitCount;
        int count =
            clrUsed == 0 || clrUsed > static_cast<std::uint32_t>(full) ? full : static_cast<int>(clrUsed);
        if (!readPalette(info, headerSize, count, headerSize == 12 ? 3 : 4, format))
            return std::nullopt;
        return format;
    }
    case 16:
    case 24:
    case 32:
        break;
    default:
        return std::nullopt;
    }
    if (compression == kDibCompressionRgb) {
        if (format.bitCount == 16) {
            format.redMask = 0x7C00, format.greenMask = 0x03E0, format.blueMask = 0x001F;
        } else {
            format.redMask = 0xFF0000, format.greenMask = 0x00FF00, format.blueMask = 0x0000FF;
        }
        return format;
    }
    if (compression != kDibCompressionBitfields || format.bitCount == 24)
        return std::nullopt;
    // A 40-byte header is followed by the masks; the longer headers hold them at the same offset.
    if (info.size() < 52)
        return std::nullopt;
    format.redMask = readAt<std::uint32_t>(info, 40);
    format.greenMask = readAt<std::uint32_t>(info, 44);
    format.blueMask = readAt<std::uint32_t>(info, 48);
    std::uint32_t limit = format.bitCount == 16 ? 0xFFFFu : 0xFFFFFFFFu;
    for (std::uint32_t mask : {format.redMask, format.greenMask, format.blueMask})
        if (!isContiguous(mask) || (mask & ~limit) != 0)
            return std::nullopt;
    if ((format.redMask & format.greenMask) || (format.redMask & format.blueMask) ||
        (format.greenMask & format.blueMask))
        return std::nullopt;
    return format;
}

std::vector<std::uint8_t> dibMakeInfo(const DibSpec& spec) {
    bool bitfields = spec.masks[0] != 0 || spec.masks[1] != 0 || spec.masks[2] != 0;
    BitmapInfoHeader header;
    header.width = spec.width;
    header.height = spec.height;
    header.bitCount = static_cast<std::uint16_t>(spec.bitCount);
    header.compression = bitfields ? kDibCompressionBitfields : kDibCompressionRgb;
    header.clrUsed = static_cast<std::uint32_t>(spec.palette.size());
    std::vector<std::uint8_t> info(sizeof header + (bitfields ? 12 : spec.palette.size() * 4));
    std::memcpy(info.data(), &header, sizeof header);
    if (bitfields)
        std::memcpy(info.data() + sizeof header, spec.masks.data(), 12);
    else if (!spec.palette.empty())
        std::memcpy(info.data() + sizeof header, spec.palette.data(), spec.palette.size() * 4);
    return info;
}

} // namespace q71
