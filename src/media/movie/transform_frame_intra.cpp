// The intra block-transform frame, built like the intra blocks of MPEG-1 video: differential DC
// codes, run/level codes with an escape, and the intra quantiser matrix. The bit stream is a
// run of 32-bit little-endian words read from their most significant bit down.
#include "media/movie/inverse_transform.h"
#include "media/movie/transform_frame.h"
#include "media/movie/transform_tables.h"

#include <algorithm>

namespace q71 {
namespace {

class WordBitReader {
public:
    explicit WordBitReader(std::span<const std::uint8_t> bytes)
        : bytes_(bytes), totalBits_(static_cast<std::uint64_t>(bytes.size()) * 8) {}

    /// The 32 bits from the read position on; bits past the end read as 0.
    std::uint32_t peek() const {
        std::uint64_t word = position_ / 32;
        unsigned offset = position_ % 32;
        std::uint32_t high = wordAt(word);
        return offset ? (high << offset) | (wordAt(word + 1) >> (32 - offset)) : high;
    }
    void skip(unsigned n) { position_ += n; }
    std::uint32_t take(unsigned n) {
        std::uint32_t value = n ? peek() >> (32 - n) : 0;
        position_ += n;
        return value;
    }
    bool overrun() const { return position_ > totalBits_; }

private:
    std::uint32_t wordAt(std::uint64_t index) const {
        std::uint64_t first = index * 4;
        if (first + 4 <= bytes_.size()) {
            const std::uint8_t* b = bytes_.data() + first;
            return std::uint32_t{b[0]} | std::uint32_t{b[1]} << 8 | std::uint32_t{b[2]} << 16 |
                   std::uint32_t{b[3]} << 24;
        }
        std::uint32_t word = 0;
        for (std::uint64_t i = 0; i < 4; ++i) {
            std::uint64_t at = index * 4 + i;
            if (at < bytes_.size())
                word |= std::uint32_t{bytes_[at]} << (8 * i);
        }
        return word;
    }

    std::span<const std::uint8_t> bytes_;
    std::uint64_t totalBits_;
    std::uint64_t position_ = 0;
};

std::int32_t readDcDifference(WordBitReader& bits, bool luminance) {
    std::uint32_t next = bits.peek();
    std::uint8_t entry = luminance ? kLuminanceDcSizes[next >> 25] : kChrominanceDcSizes[next >> 24];
    bits.skip(entry & 15);
    unsigned size = entry >> 4;
    if (size == 0)
        return 0;
    auto d = static_cast<std::int32_t>(bits.take(size));
    return (d >> (size - 1)) ? d : d - ((1 << size) - 1);
}

std::int32_t readEscapedLevel(WordBitReader& bits) {
    std::uint32_t field = bits.take(8);
    if (field == 0)
        return static_cast<std::int32_t>(bits.take(8));
    if (field == 128)
        return static_cast<std::int32_t>(bits.take(8)) - 256;
    return static_cast<std::int8_t>(field);
}

void readBlock(WordBitReader& bits, const DequantisationTable& table, std::int32_t& predictor, bool luminance,
               std::int32_t block[64]) {
    std::fill(block, block + 64, 0);
    predictor = static_cast<std::int32_t>(static_cast<std::uint32_t>(predictor) +
                                          static_cast<std::uint32_t>(readDcDifference(bits, luminance)));
    block[0] = wrappingProduct(predictor, table[0]);
    int k = 0;
    while (!bits.overrun()) {
        CoefficientCode code = coefficientCodeAt(bits.peek());
        bits.skip(code.length);
        if (code.runPlusOne == kEndOfBlockRun)
            return;
        std::int32_t level;
        if (code.runPlusOne == kEscapeRun) {
            k += static_cast<int>(bits.take(6)) + 1;
            level = readEscapedLevel(bits);
        } else {
            k += code.runPlusOne;
            level = bits.take(1) ? -code.level : code.level;
        }
        // A run past the last position drops the coefficient; reading goes on to the block's end
        // so that the next block starts where it should.
        if (k > 63)
            k = 64;
        else
            block[kTransformOrder[k]] = wrappingProduct(level, table[kTransformOrder[k]]);
    }
}

} // namespace

bool decodeIntraFrame(MovieCodec& codec, std::span<const std::uint8_t> chunk) {
    TransformHeader header;
    if (!beginTransformFrame(codec, chunk, header))
        return false;
    codec.studioRange = header.studioRange;
    const DequantisationTable table = intraDequantisation(header.quantiser);

    WordBitReader bits(chunk.subspan(kTransformHeaderSize));
    std::int32_t predictors[3] = {0, 0, 0};
    MacroblockSamples samples;
    std::int32_t block[64];
    for (int my = 0; my < header.height / 16; ++my) {
        for (int mx = 0; mx < header.width / 16; ++mx) {
            for (int b = 0; b < 6; ++b) {
                int component = b < 4 ? 0 : b - 3;
                readBlock(bits, table, predictors[component], component == 0, block);
                if (bits.overrun())
                    return false;
                int stride = 0;
                std::int32_t* target = macroblockBlock(samples, b, stride);
                inverseTransform(block, target, stride);
            }
            if (codec.studioRange)
                writeMacroblockStudioRange(codec, samples, mx, my);
            else
                writeMacroblockByTables(codec, samples, mx, my);
        }
    }
    return true;
}

} // namespace q71
