#include "platform/resources/cursor_file.h"

#include "platform/files/little_endian.h"

namespace q71 {
namespace {

constexpr std::size_t kDirectorySize = 6;
constexpr std::size_t kEntrySize = 16;
constexpr std::size_t kInfoHeaderSize = 40;
constexpr int kMaxCursorSide = 256;

std::optional<CursorImage> refuse(std::string& error, const char* reason) {
    error = reason;
    return std::nullopt;
}

} // namespace

std::optional<CursorImage> cursorFileDecode(std::span<const std::uint8_t> bytes, std::string& error) {
    if (bytes.size() < kDirectorySize + kEntrySize)
        return refuse(error, "too short for a cursor directory");
    const std::uint8_t* p = bytes.data();
    if (loadLe16(p) != 0 || loadLe16(p + 2) != 2)
        return refuse(error, "not a cursor file");
    if (loadLe16(p + 4) == 0)
        return refuse(error, "the cursor file holds no image");

    const std::uint8_t* entry = p + kDirectorySize;
    const Point hotSpot{loadLe16(entry + 4), loadLe16(entry + 6)};
    const std::size_t imageSize = loadLe32(entry + 8);
    const std::size_t imageOffset = loadLe32(entry + 12);
    if (imageOffset > bytes.size() || imageSize > bytes.size() - imageOffset || imageSize < kInfoHeaderSize)
        return refuse(error, "the cursor image lies outside the file");

    const std::uint8_t* info = p + imageOffset;
    const auto width = static_cast<std::int32_t>(loadLe32(info + 4));
    const auto doubleHeight = static_cast<std::int32_t>(loadLe32(info + 8));
    if (loadLe32(info) != kInfoHeaderSize || loadLe16(info + 12) != 1 || loadLe32(info + 16) != 0)
        return refuse(error, "the cursor image has an unknown header");
    if (loadLe16(info + 14) != 32)
        return refuse(error, "only 32-bit cursor images are supported");
    if (width < 1 || width > kMaxCursorSide || doubleHeight < 2 || doubleHeight > 2 * kMaxCursorSide ||
        doubleHeight % 2 != 0)
        return refuse(error, "the cursor image has an impossible size");

    const int height = doubleHeight / 2;
    const std::size_t colourStride = static_cast<std::size_t>(width) * 4;
    const std::size_t maskStride = (static_cast<std::size_t>(width) + 31) / 32 * 4;
    const std::size_t needed =
        kInfoHeaderSize + (colourStride + maskStride) * static_cast<std::size_t>(height);
    if (needed > imageSize)
        return refuse(error, "the cursor image is cut short");
    if (hotSpot.x >= width || hotSpot.y >= height)
        return refuse(error, "the hot spot lies outside the cursor");

    // Rows are stored bottom-up. Images whose alpha is all zero take their transparency from
    // the mask, as cursors drawn without alpha do.
    const std::uint8_t* colour = info + kInfoHeaderSize;
    const std::uint8_t* mask = colour + colourStride * static_cast<std::size_t>(height);
    bool anyAlpha = false;
    for (std::size_t i = 0; i < colourStride * static_cast<std::size_t>(height); i += 4)
        anyAlpha = anyAlpha || colour[i + 3] != 0;

    CursorImage image;
    image.width = width;
    image.height = height;
    image.hotSpot = hotSpot;
    image.argb.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    for (int y = 0; y < height; ++y) {
        const std::size_t stored = static_cast<std::size_t>(height - 1 - y);
        const std::uint8_t* row = colour + stored * colourStride;
        const std::uint8_t* maskRow = mask + stored * maskStride;
        for (int x = 0; x < width; ++x) {
            std::uint32_t pixel = loadLe32(row + 4 * static_cast<std::size_t>(x));
            if (!anyAlpha) {
                const bool transparent = (maskRow[x / 8] >> (7 - x % 8)) & 1;
                pixel = transparent ? 0u : (pixel | 0xFF000000u);
            }
            image.argb[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                       static_cast<std::size_t>(x)] = pixel;
        }
    }
    return image;
}

std::string cursorFileEncode(const CursorImage& image) {
    const std::size_t colourStride = static_cast<std::size_t>(image.width) * 4;
    const std::size_t maskStride = (static_cast<std::size_t>(image.width) + 31) / 32 * 4;
    const std::size_t height = static_cast<std::size_t>(image.height);
    const std::size_t imageSize = kInfoHeaderSize + (colourStride + maskStride) * height;
    std::string file(kDirectorySize + kEntrySize + imageSize, '\0');
    auto* p = reinterpret_cast<std::uint8_t*>(file.data());
    storeLe16(p + 2, 2);
    storeLe16(p + 4, 1);
    std::uint8_t* entry = p + kDirectorySize;
    entry[0] = static_cast<std::uint8_t>(image.width); // 256 is stored as 0
    entry[1] = static_cast<std::uint8_t>(image.height);
    storeLe16(entry + 4, static_cast<std::uint16_t>(image.hotSpot.x));
    storeLe16(entry + 6, static_cast<std::uint16_t>(image.hotSpot.y));
    storeLe32(entry + 8, static_cast<std::uint32_t>(imageSize));
    storeLe32(entry + 12, static_cast<std::uint32_t>(kDirectorySize + kEntrySize));
    std::uint8_t* info = entry + kEntrySize;
    storeLe32(info, kInfoHeaderSize);
    storeLe32(info + 4, static_cast<std::uint32_t>(image.width));
    storeLe32(info + 8, static_cast<std::uint32_t>(2 * image.height));
    storeLe16(info + 12, 1);
    storeLe16(info + 14, 32);
    std::uint8_t* colour = info + kInfoHeaderSize;
    std::uint8_t* mask = colour + colourStride * height;
    for (std::size_t y = 0; y < height; ++y) {
        const std::size_t stored = height - 1 - y;
        for (std::size_t x = 0; x < static_cast<std::size_t>(image.width); ++x) {
            const std::uint32_t pixel = image.argb[y * static_cast<std::size_t>(image.width) + x];
            storeLe32(colour + stored * colourStride + 4 * x, pixel);
            if ((pixel >> 24) == 0)
                mask[stored * maskStride + x / 8] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
        }
    }
    return file;
}

} // namespace q71
