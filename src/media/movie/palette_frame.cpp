#include "media/movie/palette_frame.h"
#include "media/movie/colour_tables.h"
#include "media/movie/lz77_unpack.h"

#include <cstring>
#include <utility>

namespace q71 {
namespace {

unsigned u16(std::span<const std::uint8_t> b, std::size_t at) { return b[at] | b[at + 1] << 8; }

void expandPalette(MovieCodec& codec) {
    const std::size_t pixels = static_cast<std::size_t>(codec.width) * codec.height;
    for (std::size_t i = 0; i < pixels; ++i)
        codec.current[i] = codec.paletteValues[codec.current8[i]];
}

// The n-bit field (n <= 24) at a bit position of fields packed least-significant bit first.
std::uint32_t fieldAt(const std::uint8_t* bytes, std::size_t bit, unsigned n) {
    std::uint32_t window = 0;
    for (std::size_t i = 0; i * 8 < (bit % 8) + n; ++i)
        window |= std::uint32_t{bytes[bit / 8 + i]} << (8 * i);
    return (window >> (bit % 8)) & ((1u << n) - 1);
}

struct BlockFrameLayout {
    unsigned vectors, fullBlocks, twoColourBlocks, codeBits;
    std::size_t fullAt, twoColourAt, mapAt, end;
};

bool readBlockFrameLayout(std::span<const std::uint8_t> chunk, std::size_t blocks, BlockFrameLayout& l) {
    if (chunk.size() < kBlockFrameHeaderSize)
        return false;
    l.vectors = u16(chunk, 0);
    l.fullBlocks = u16(chunk, 2);
    l.twoColourBlocks = u16(chunk, 4);
    l.codeBits = u16(chunk, 6);
    if (l.codeBits > 24)
        return false;
    std::size_t vectorBytes = (std::size_t{l.vectors} * 20 + 7) / 8;
    vectorBytes = (vectorBytes + 3) & ~std::size_t{3};
    l.fullAt = kBlockFrameHeaderSize + vectorBytes;
    l.twoColourAt = l.fullAt + std::size_t{l.fullBlocks} * 16;
    l.mapAt = l.twoColourAt + std::size_t{l.twoColourBlocks} * 8;
    l.end = l.mapAt + (blocks * l.codeBits + 7) / 8;
    return l.end <= chunk.size();
}

} // namespace

bool decodeKeyFrame(MovieCodec& codec, std::span<const std::uint8_t> chunk) {
    if (chunk.size() < kKeyFrameHeaderSize)
        return false;
    const int width = static_cast<int>(u16(chunk, 0));
    const int height = static_cast<int>(u16(chunk, 2));
    const unsigned colours = u16(chunk, 6);
    const std::size_t paletteEnd = kKeyFrameHeaderSize + std::size_t{colours} * 3;
    if (width <= 0 || height <= 0 || width % 4 || height % 4 ||
        static_cast<long long>(width) * height > MovieCodec::kFrameValues ||
        colours > 256 || paletteEnd > chunk.size())
        return false;
    std::span<std::uint8_t> pixels(codec.current8.data(), static_cast<std::size_t>(width) * height);
    if (lz77Unpack(chunk.subspan(paletteEnd), pixels) < 0)
        return false;

    codec.width = width;
    codec.height = height;
    codec.hasKeyFrame = true;
    std::memcpy(codec.palette.data(), chunk.data() + kKeyFrameHeaderSize, std::size_t{colours} * 3);
    for (int i = 0; i < 256; ++i)
        codec.paletteValues[i] = paletteFrameValue(codec.palette.data() + i * 3, codec.format);
    expandPalette(codec);
    return true;
}

bool decodeBlockFrame(MovieCodec& codec, std::span<const std::uint8_t> chunk) {
    if (!codec.hasKeyFrame)
        return false; // nothing to build on before the first key frame
    const int columns = codec.width / 4;
    const int rows = codec.height / 4;
    BlockFrameLayout layout;
    if (!readBlockFrameLayout(chunk, static_cast<std::size_t>(columns) * rows, layout))
        return false;

    std::swap(codec.current8, codec.previous8);
    const std::uint8_t* vectors = chunk.data() + kBlockFrameHeaderSize;
    const std::uint8_t* map = chunk.data() + layout.mapAt;
    const int width = codec.width;
    std::size_t block = 0;
    for (int by = 0; by < rows; ++by) {
        for (int bx = 0; bx < columns; ++bx, ++block) {
            std::uint32_t code = layout.codeBits ? fieldAt(map, block * layout.codeBits, layout.codeBits) : 0;
            std::uint8_t* out = codec.current8.data() + (by * 4) * width + bx * 4;
            if (code < layout.vectors) {
                auto signedField = [&](std::size_t field) {
                    auto v = static_cast<int>(fieldAt(vectors, field * 10, 10));
                    return v >= 512 ? v - 1024 : v;
                };
                int sx = bx * 4 + signedField(2 * std::size_t{code});
                int sy = by * 4 + signedField(2 * std::size_t{code} + 1);
                if (sx < 0 || sy < 0 || sx + 4 > width || sy + 4 > codec.height)
                    return false;
                const std::uint8_t* in = codec.previous8.data() + sy * width + sx;
                for (int r = 0; r < 4; ++r)
                    std::memcpy(out + r * width, in + r * width, 4);
                continue;
            }
            std::uint32_t fresh = code - layout.vectors;
            if (fresh < layout.fullBlocks) {
                const std::uint8_t* in = chunk.data() + layout.fullAt + std::size_t{fresh} * 16;
                for (int r = 0; r < 4; ++r)
                    std::memcpy(out + r * width, in + r * 4, 4);
                continue;
            }
            fresh -= layout.fullBlocks;
            if (fresh >= layout.twoColourBlocks)
                return false;
            const std::uint8_t* in = chunk.data() + layout.twoColourAt + std::size_t{fresh} * 8;
            std::uint32_t indices = in[4] | in[5] << 8 | in[6] << 16 | static_cast<std::uint32_t>(in[7]) << 24;
            for (int p = 0; p < 16; ++p)
                out[(p / 4) * width + p % 4] = in[(indices >> (30 - 2 * p)) & 3];
        }
    }
    expandPalette(codec);
    return true;
}

} // namespace q71
