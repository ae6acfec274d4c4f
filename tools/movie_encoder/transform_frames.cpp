#include "movie_encoder/transform_frames.h"
#include "movie_encoder/bit_writers.h"
#include "movie_encoder/transform_basis.h"

#include "media/movie/colour_tables.h"
#include "media/movie/transform_frame.h"
#include "media/movie/transform_tables.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <stdexcept>

namespace q71::encoder {

namespace {

constexpr int kLongestMacroblock = 255;

DisplayFormat referenceFormat() {
    MovieSurface surface; // the game's display: 16-bit 5-6-5
    return displayFormatOf(surface);
}

// A frame value's left pixel as 8-bit channels.
void channelsOf(std::uint32_t value, int out[3]) {
    out[0] = static_cast<int>((value >> 11) & 31) * 255 / 31;
    out[1] = static_cast<int>((value >> 5) & 63) * 255 / 63;
    out[2] = static_cast<int>(value & 31) * 255 / 31;
}

// How far 16 by 16 frame values (rows `pitch` apart) are from the picture's macroblock at
// (mx, my): the mean squared error per channel and the largest error of any channel.
MacroblockFit macroblockFit(const std::uint32_t* values, int pitch, const RgbImage& image, int mx, int my, int margin) {
    MacroblockFit fit;
    double sum = 0;
    for (int r = 0; r < 16; ++r)
        for (int c = 0; c < 16; ++c) {
            int shown[3];
            channelsOf(values[static_cast<std::size_t>(r) * pitch + c], shown);
            std::uint8_t wanted[3];
            const std::uint8_t* source = image.at(mx * 16 + c, my * 16 + r);
            std::copy(source, source + 3, wanted);
            applyMargin(wanted, margin);
            for (int k = 0; k < 3; ++k) {
                int error = std::abs(shown[k] - wanted[k]);
                sum += error * error;
                fit.worst = std::max(fit.worst, error);
            }
        }
    fit.mean = sum / (256 * 3);
    return fit;
}

// One block's levels in coding order, position 0 being DC.
using Levels = std::array<int, 64>;

void quantise(const double* samples, int stride, const DequantisationTable& table, Levels& levels) {
    double coefficients[64];
    forwardTransform(samples, stride, coefficients);
    for (int k = 0; k < 64; ++k) {
        int position = kTransformOrder[k];
        long level = std::lround(coefficients[position] / table[position]);
        levels[k] = static_cast<int>(std::clamp(level, -128L, 127L));
    }
}

void putBlock(LowBitWriter& bits, const Levels& levels, int lastKept) {
    bits.put(static_cast<std::uint32_t>(levels[0]) & 0xFF, 8);
    int zeros = 0;
    auto flushZeros = [&] {
        while (zeros > 0) {
            if (zeros >= 3) {
                int n = std::min(zeros, 63);
                bits.put(1, 1);
                bits.put(0, 1);
                bits.put(static_cast<std::uint32_t>(n), 6);
                zeros -= n;
            } else {
                bits.put(0, 1);
                bits.put(0, 1);
                bits.put(zeros == 2 ? 1 : 0, 1);
                zeros = 0;
            }
        }
    };
    for (int k = 1; k < 64; ++k) {
        int level = k <= lastKept ? levels[k] : 0;
        if (level == 0) {
            ++zeros;
            continue;
        }
        flushZeros();
        if (level == 1 || level == -1) {
            bits.put(0, 1);
            bits.put(1, 1);
            bits.put(level < 0 ? 1 : 0, 1);
        } else {
            bits.put(1, 1);
            bits.put(1, 1);
            if (level >= -32 && level <= 31) {
                bits.put(static_cast<std::uint32_t>(level) & 63, 6);
            } else {
                bits.put(63, 6);
                bits.put(static_cast<std::uint32_t>(level) & 0xFF, 8);
            }
        }
    }
    flushZeros();
}

// The signed byte whose dequantised, halved value is the colour-table level nearest to the
// wanted sample (level i shows the centred sample 2i + 1).
std::uint8_t flatLevel(double sample, std::int32_t dcFactor) {
    int target = std::clamp(static_cast<int>(std::lround((sample - 1) / 2)), -64, 63);
    int best = 0, bestDistance = 1 << 30;
    for (int level = -128; level <= 127; ++level) {
        int distance = std::abs((roundedProduct(level, dcFactor) >> 1) - target);
        if (distance < bestDistance) {
            best = level;
            bestDistance = distance;
        }
    }
    return static_cast<std::uint8_t>(best);
}

double meanOf(const double* samples, int stride, int size) {
    double sum = 0;
    for (int r = 0; r < size; ++r)
        for (int c = 0; c < size; ++c)
            sum += samples[r * stride + c];
    return sum / (size * size);
}

double spreadOf(const double* samples, int stride, int size, double mean) {
    double worst = 0;
    for (int r = 0; r < size; ++r)
        for (int c = 0; c < size; ++c)
            worst = std::max(worst, std::abs(samples[r * stride + c] - mean));
    return worst;
}

// Six flat levels when every block of the macroblock is within a level of its mean.
bool flatLevels(const MacroblockSource& s, std::int32_t dcFactor, std::uint8_t out[6]) {
    constexpr double kFlat = 1.0;
    for (int b = 0; b < 4; ++b) {
        const double* block = s.luminance + (b / 2) * 8 * 16 + (b % 2) * 8;
        double mean = meanOf(block, 16, 8);
        if (spreadOf(block, 16, 8, mean) > kFlat)
            return false;
        out[b] = flatLevel(mean, dcFactor);
    }
    const double* chroma[2] = {s.blueDifference, s.redDifference};
    for (int i = 0; i < 2; ++i) {
        double mean = meanOf(chroma[i], 8, 8);
        if (spreadOf(chroma[i], 8, 8, mean) > kFlat)
            return false;
        out[4 + i] = flatLevel(mean, dcFactor);
    }
    return true;
}

std::vector<std::uint8_t> codedMacroblock(const MacroblockSource& s, const DequantisationTable& table) {
    Levels levels[6];
    for (int b = 0; b < 4; ++b)
        quantise(s.luminance + (b / 2) * 8 * 16 + (b % 2) * 8, 16, table, levels[b]);
    quantise(s.blueDifference, 8, table, levels[4]);
    quantise(s.redDifference, 8, table, levels[5]);
    // Keep as much of each block's tail as the length byte allows.
    for (int lastKept : {63, 44, 32, 20, 12, 6, 2, 0}) {
        LowBitWriter bits;
        for (const Levels& l : levels)
            putBlock(bits, l, lastKept);
        std::vector<std::uint8_t> bytes = bits.bytes();
        if (bytes.size() <= kLongestMacroblock) {
            if (bytes.size() < 13)
                bytes.resize(13, 0); // lengths up to 12 mean other macroblock kinds
            return bytes;
        }
    }
    throw std::logic_error("a macroblock of DC levels alone always fits");
}

// The best copy of the previous frame for a macroblock: its vector byte and error, or -1.
struct CopyChoice {
    int vector = -1;
    double error = 0;
};

CopyChoice bestCopy(const MovieCodec& reference, const RgbImage& image, int mx, int my, std::span<const Motion> hints,
                    int margin) {
    CopyChoice best;
    for (std::size_t i = 0; i <= hints.size(); ++i) {
        // The frame's vector is subtracted from the position: the opposite of the offset.
        Motion m = i ? hints[i - 1] : Motion{};
        int dx = -m.dx, dy = -m.dy;
        int x = mx * 16 - dx, y = my * 16 - dy;
        if (dx < -8 || dx > 7 || dy < -8 || dy > 7 || x < 0 || y < 0 || x + 16 > image.width ||
            y + 16 > image.height)
            continue;
        const std::uint32_t* from = reference.previous.data() + static_cast<std::size_t>(y) * reference.width + x;
        double error = macroblockFit(from, reference.width, image, mx, my, margin).mean;
        if (best.vector < 0 || error < best.error)
            best = {(dx & 15) << 4 | (dy & 15), error};
    }
    return best;
}

} // namespace

TransformFrameEncoder::TransformFrameEncoder(TransformFrameOptions options) : options_(options) {
    codec_setup(reference_, referenceFormat());
    codec_setup(scratch_, referenceFormat());
}

bool TransformFrameEncoder::unchanged(const RgbImage& image, int mx, int my) const {
    for (int r = 0; r < 16; ++r)
        if (std::memcmp(image.at(mx * 16, my * 16 + r), previousImage_.at(mx * 16, my * 16 + r), 16 * 3) != 0)
            return false;
    return true;
}

MacroblockFit TransformFrameEncoder::codedFit(std::span<const std::uint8_t> coded, const RgbImage& image, int mx,
                                              int my) {
    std::vector<std::uint8_t> frame = {16, 0, 16, 0, static_cast<std::uint8_t>(options_.quantiser), 0, 0, 0,
                                       static_cast<std::uint8_t>(coded.size())};
    frame.insert(frame.end(), coded.begin(), coded.end());
    codec_decode_frame(scratch_, frame, FrameKind::Transform);
    return macroblockFit(scratch_.current.data(), 16, image, mx, my, options_.margin);
}

std::vector<std::uint8_t> TransformFrameEncoder::codedMacroblockFor(const RgbImage& image, int mx, int my,
                                                                    const DequantisationTable& table,
                                                                    MacroblockFit& fit) {
    // A channel off by this much has wrapped: the colour tables do not clamp, and coding noise
    // carried it past the end of its range.
    constexpr int kWrapped = 96;
    std::vector<std::uint8_t> coded;
    for (int margin = options_.margin, attempt = 0; attempt < 4; ++attempt, margin += 12) {
        coded = codedMacroblock(macroblockSource(image, mx, my, SampleRange::Centred, margin), table);
        fit = codedFit(coded, image, mx, my);
        if (fit.worst < kWrapped)
            break; // else the colours are drawn further in, away from the ends of the tables
    }
    return coded;
}

std::vector<std::uint8_t> TransformFrameEncoder::encode(const RgbImage& image, std::span<const Motion> hints) {
    if (image.width <= 0 || image.height <= 0 || image.width % 16 || image.height % 16 ||
        image.width * image.height > MovieCodec::kFrameValues || image.width > 32767 || image.height > 32767)
        throw std::invalid_argument("block-transform frames need a size in whole macroblocks that fits the buffers");
    bool canCopy = !first_ && reference_.width == image.width && reference_.height == image.height;
    const DequantisationTable table = transformDequantisation(options_.quantiser);

    std::vector<std::uint8_t> out = {
        static_cast<std::uint8_t>(image.width),  static_cast<std::uint8_t>(image.width >> 8),
        static_cast<std::uint8_t>(image.height), static_cast<std::uint8_t>(image.height >> 8),
        static_cast<std::uint8_t>(options_.quantiser), 0, 0, 0};
    auto emit = [&out](std::span<const std::uint8_t> macroblock) {
        out.push_back(static_cast<std::uint8_t>(macroblock.size()));
        out.insert(out.end(), macroblock.begin(), macroblock.end());
    };
    for (int my = 0; my < image.height / 16; ++my) {
        for (int mx = 0; mx < image.width / 16; ++mx) {
            if (canCopy && unchanged(image, mx, my)) { // shown as it should be already
                const std::uint8_t still[1] = {0};
                emit(still);
                continue;
            }
            CopyChoice copy;
            if (canCopy)
                copy = bestCopy(reference_, image, mx, my, hints, options_.margin);
            const std::uint8_t copyBytes[1] = {static_cast<std::uint8_t>(copy.vector)};
            if (copy.vector >= 0 && copy.error <= options_.copyTolerance) {
                emit(copyBytes);
                continue;
            }
            MacroblockSource source = macroblockSource(image, mx, my, SampleRange::Centred, options_.margin);
            std::uint8_t levels[6];
            if (flatLevels(source, table[0], levels)) {
                emit(levels);
                continue;
            }
            MacroblockFit fit;
            std::vector<std::uint8_t> coded = codedMacroblockFor(image, mx, my, table, fit);
            // Moving what is already shown wins only when it is as good as coding anew.
            if (copy.vector >= 0 && copy.error <= fit.mean * 1.02 + 1)
                emit(copyBytes);
            else
                emit(coded);
        }
    }
    // Decode it as the player will, so the next frame copies from what is really shown.
    codec_decode_frame(reference_, out, FrameKind::Transform);
    codec_swap_frames(reference_);
    first_ = false;
    previousImage_ = image;
    return out;
}

} // namespace q71::encoder
