// The byte-coded block-transform frame: each macroblock is a length byte and that many bytes,
// which copy a shifted macroblock of the previous frame, fill flat blocks, or carry the
// coefficients of six transformed blocks in a bit stream read least-significant bit first.
#include "media/movie/colour_tables.h"
#include "media/movie/inverse_transform.h"
#include "media/movie/transform_frame.h"
#include "media/movie/transform_tables.h"

#include <algorithm>
#include <cstring>

namespace q71 {
namespace {

// Bits of one macroblock, first bit = bit 0 of the first byte. Running out of bytes is
// remembered, and the macroblock is then given up.
class LowBitReader {
public:
    explicit LowBitReader(std::span<const std::uint8_t> bytes) : next_(bytes.data()), end_(next_ + bytes.size()) {}

    std::uint32_t take(int n) {
        while (count_ < n) {
            if (next_ == end_) {
                overrun_ = true;
                return 0;
            }
            buffer_ |= std::uint32_t{*next_++} << count_;
            count_ += 8;
        }
        std::uint32_t value = buffer_ & ((1u << n) - 1);
        buffer_ >>= n;
        count_ -= n;
        return value;
    }
    bool overrun() const { return overrun_; }

private:
    const std::uint8_t* next_;
    const std::uint8_t* end_;
    std::uint32_t buffer_ = 0;
    int count_ = 0;
    bool overrun_ = false;
};

// Fills the coefficients of one block; every one of the 63 positions after DC is coded.
void readBlock(LowBitReader& bits, const DequantisationTable& table, std::int32_t block[64]) {
    std::fill(block, block + 64, 0);
    block[0] = wrappingProduct(static_cast<std::int8_t>(bits.take(8)), table[0]);
    int k = 1;
    while (k < 64 && !bits.overrun()) {
        bool first = bits.take(1) != 0;
        bool second = bits.take(1) != 0;
        if (!first && !second) {
            k += bits.take(1) ? 2 : 1;
        } else if (!first) {
            bool negative = bits.take(1) != 0;
            std::int32_t entry = table[kTransformOrder[k]];
            block[kTransformOrder[k]] = negative ? -entry : entry;
            ++k;
        } else if (!second) {
            k += static_cast<int>(bits.take(6));
        } else {
            auto field = static_cast<std::int32_t>(bits.take(6));
            std::int32_t level = field >= 32 ? field - 64 : field;
            if (level == -1)
                level = static_cast<std::int8_t>(bits.take(8));
            block[kTransformOrder[k]] = wrappingProduct(level, table[kTransformOrder[k]]);
            ++k;
        }
    }
}

bool decodeCodedMacroblock(MovieCodec& codec, std::span<const std::uint8_t> bytes, const DequantisationTable& table,
                           int mx, int my) {
    MacroblockSamples samples;
    LowBitReader bits(bytes);
    std::int32_t block[64];
    for (int b = 0; b < 6; ++b) {
        readBlock(bits, table, block);
        if (bits.overrun())
            return false;
        int stride = 0;
        std::int32_t* target = macroblockBlock(samples, b, stride);
        inverseTransform(block, target, stride);
    }
    writeMacroblockByTables(codec, samples, mx, my);
    return true;
}

// Flat blocks: four luminance levels and two colour-difference levels, each a signed byte.
void writeFlatMacroblock(MovieCodec& codec, const std::int8_t levels[6], std::int32_t dcFactor, int mx, int my) {
    unsigned index[6];
    for (int i = 0; i < 6; ++i)
        index[i] = static_cast<unsigned>(roundedProduct(levels[i], dcFactor) >> 1) & 127;
    std::uint32_t chroma = codec.blueDifference[index[4]] + codec.redDifference[index[5]];
    for (int r = 0; r < 16; ++r) {
        std::uint32_t* out = codec.current.data() + (my * 16 + r) * codec.width + mx * 16;
        for (int c = 0; c < 16; ++c)
            out[c] = codec.luminance[index[(r / 8) * 2 + c / 8]] + chroma;
    }
}

bool copyShiftedMacroblock(MovieCodec& codec, std::uint8_t vector, int mx, int my) {
    int dx = static_cast<std::int8_t>(vector) >> 4;
    int dy = static_cast<std::int8_t>(vector << 4) >> 4;
    int sx = mx * 16 - dx;
    int sy = my * 16 - dy;
    if (sx < 0 || sy < 0 || sx + 16 > codec.width || sy + 16 > codec.height)
        return false;
    for (int r = 0; r < 16; ++r)
        std::memcpy(codec.current.data() + (my * 16 + r) * codec.width + mx * 16,
                    codec.previous.data() + (sy + r) * codec.width + sx, 16 * sizeof(std::uint32_t));
    return true;
}

} // namespace

bool decodeTransformFrame(MovieCodec& codec, std::span<const std::uint8_t> chunk) {
    TransformHeader header;
    if (!beginTransformFrame(codec, chunk, header))
        return false;
    const DequantisationTable table = transformDequantisation(header.quantiser);

    std::size_t at = kTransformHeaderSize;
    for (int my = 0; my < header.height / 16; ++my) {
        for (int mx = 0; mx < header.width / 16; ++mx) {
            if (at >= chunk.size())
                return false;
            std::size_t length = chunk[at];
            if (chunk.size() - at - 1 < length)
                return false;
            std::span<const std::uint8_t> bytes = chunk.subspan(at + 1, length);
            at += 1 + length;
            bool ok = true;
            if (length == 1) {
                ok = copyShiftedMacroblock(codec, bytes[0], mx, my);
            } else if (length == 3) {
                std::int8_t levels[6];
                std::fill(levels, levels + 4, static_cast<std::int8_t>(bytes[0]));
                levels[4] = static_cast<std::int8_t>(bytes[1]);
                levels[5] = static_cast<std::int8_t>(bytes[2]);
                writeFlatMacroblock(codec, levels, table[0], mx, my);
            } else if (length == 6 || length == 12) {
                std::int8_t levels[6];
                for (std::size_t i = 0; i < 6; ++i)
                    levels[i] = static_cast<std::int8_t>(bytes[i * (length / 6)]);
                writeFlatMacroblock(codec, levels, table[0], mx, my);
            } else if (length > 12) {
                ok = decodeCodedMacroblock(codec, bytes, table, mx, my);
            }
            if (!ok)
                return false;
        }
    }
    return true;
}

} // namespace q71
