#include "movie_encoder/intra_frames.h"
#include "movie_encoder/bit_writers.h"
#include "movie_encoder/transform_basis.h"

#include "media/movie/movie_codec.h"
#include "media/movie/transform_frame.h"
#include "media/movie/transform_tables.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdlib>
#include <map>
#include <stdexcept>
#include <utility>

namespace q71::encoder {

namespace {

const std::map<std::pair<int, int>, const char*>& codesByRunAndLevel() {
    static const std::map<std::pair<int, int>, const char*> codes = [] {
        std::map<std::pair<int, int>, const char*> m;
        for (const RunLevelCode& c : kCoefficientCodes)
            m[{c.run, c.level}] = c.bits;
        return m;
    }();
    return codes;
}

void putDc(WordBitWriter& bits, int difference, bool luminance) {
    int size = static_cast<int>(std::bit_width(static_cast<unsigned>(std::abs(difference))));
    bits.putCode(luminance ? kLuminanceDcSizeCodes[size] : kChrominanceDcSizeCodes[size]);
    if (size > 0)
        bits.put(static_cast<std::uint32_t>(difference > 0 ? difference : difference + (1 << size) - 1),
                 size);
}

void putCoefficient(WordBitWriter& bits, int run, int level) {
    auto found = codesByRunAndLevel().find({run, std::abs(level)});
    if (found != codesByRunAndLevel().end()) {
        bits.putCode(found->second);
        bits.put(level < 0 ? 1 : 0, 1);
        return;
    }
    bits.putCode(kEscapeCode);
    bits.put(static_cast<std::uint32_t>(run), 6);
    if (level >= -127 && level <= 127) {
        bits.put(static_cast<std::uint32_t>(level) & 0xFF, 8);
    } else if (level > 0) {
        bits.put(0, 8);
        bits.put(static_cast<std::uint32_t>(level), 8);
    } else {
        bits.put(128, 8);
        bits.put(static_cast<std::uint32_t>(level + 256), 8);
    }
}

void putBlock(WordBitWriter& bits, const double* samples, int stride, const DequantisationTable& table,
              int& predictor, bool luminance) {
    double coefficients[64];
    forwardTransform(samples, stride, coefficients);
    int dc = static_cast<int>(std::clamp(std::lround(coefficients[0] / 65536.0), -255L, 510L));
    int difference = std::clamp(dc - predictor, -255, 255);
    predictor += difference;
    putDc(bits, difference, luminance);
    int run = 0;
    for (int k = 1; k < 64; ++k) {
        int position = kTransformOrder[k];
        int level = static_cast<int>(std::clamp(std::lround(coefficients[position] / table[position]), -255L, 255L));
        if (level == 0) {
            ++run;
            continue;
        }
        putCoefficient(bits, run, level);
        run = 0;
    }
    bits.putCode(kEndOfBlockCode);
}

} // namespace

std::vector<std::uint8_t> encodeIntraFrame(const RgbImage& image, const IntraFrameOptions& options) {
    if (image.width <= 0 || image.height <= 0 || image.width % 16 || image.height % 16 ||
        image.width * image.height > MovieCodec::kFrameValues || image.width > 32767 || image.height > 32767)
        throw std::invalid_argument("block-transform frames need a size in whole macroblocks that fits the buffers");
    const DequantisationTable table = intraDequantisation(options.quantiser);
    const SampleRange range = options.studioRange ? SampleRange::Studio : SampleRange::Centred;
    const int margin = options.studioRange ? 0 : options.margin;
    WordBitWriter bits;
    int predictors[3] = {0, 0, 0};
    for (int my = 0; my < image.height / 16; ++my)
        for (int mx = 0; mx < image.width / 16; ++mx) {
            MacroblockSource s = macroblockSource(image, mx, my, range, margin);
            for (int b = 0; b < 4; ++b)
                putBlock(bits, s.luminance + (b / 2) * 8 * 16 + (b % 2) * 8, 16, table, predictors[0], true);
            putBlock(bits, s.blueDifference, 8, table, predictors[1], false);
            putBlock(bits, s.redDifference, 8, table, predictors[2], false);
        }
    std::vector<std::uint8_t> out = {
        static_cast<std::uint8_t>(image.width),  static_cast<std::uint8_t>(image.width >> 8),
        static_cast<std::uint8_t>(image.height), static_cast<std::uint8_t>(image.height >> 8),
        static_cast<std::uint8_t>(options.quantiser), 0, 0,
        static_cast<std::uint8_t>(options.studioRange ? 2 : 0)};
    std::vector<std::uint8_t> words = bits.finish();
    out.insert(out.end(), words.begin(), words.end());
    return out;
}

} // namespace q71::encoder
