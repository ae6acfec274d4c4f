#include "movie_encoder/audio_encoders.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace q71::encoder {

namespace {

// The decoder's own arithmetic for one sample of the block form.
int decodeSample(int nibble, int shift, int previous1, int previous2, const int* filter) {
    auto placed = static_cast<std::int32_t>(static_cast<std::uint32_t>(nibble & 15) << 28);
    int s = ((placed >> (shift + 8)) + previous1 * filter[0] + previous2 * filter[1] + 128) >> 8;
    return std::clamp(s, -32768, 32767);
}

struct Trial {
    double error = 0;
    int previous1 = 0, previous2 = 0;
    std::uint8_t nibbles[kXaSamplesPerBlock]{};
};

Trial tryBlock(const std::int16_t* samples, int stride, int previous1, int previous2, int filterIndex, int shift) {
    const int* filter = kXaFilters[filterIndex];
    Trial t;
    const int scale = 1 << (20 - shift); // one nibble step before the final >> 8
    for (int i = 0; i < kXaSamplesPerBlock; ++i) {
        int target = samples[i * stride];
        int predicted = previous1 * filter[0] + previous2 * filter[1] + 128;
        double ideal = (static_cast<double>(target) * 256 - predicted) / scale;
        int nibble = std::clamp(static_cast<int>(std::lround(ideal)), -8, 7);
        int s = decodeSample(nibble, shift, previous1, previous2, filter);
        double e = s - target;
        t.error += e * e;
        t.nibbles[i] = static_cast<std::uint8_t>(nibble & 15);
        previous2 = previous1;
        previous1 = s;
    }
    t.previous1 = previous1;
    t.previous2 = previous2;
    return t;
}

// The finest shift whose nibbles still reach the largest ideal residual of the filter.
int shiftFor(const std::int16_t* samples, int stride, int previous1, int previous2, int filterIndex) {
    const int* filter = kXaFilters[filterIndex];
    int largest = 0;
    for (int i = 0; i < kXaSamplesPerBlock; ++i) {
        int target = samples[i * stride];
        int residual = target - (previous1 * filter[0] + previous2 * filter[1]) / 256;
        largest = std::max(largest, std::abs(residual));
        previous2 = previous1;
        previous1 = target;
    }
    int shift = 12;
    while (shift > 0 && 7 * (1 << (12 - shift)) < largest)
        --shift;
    return shift;
}

// The best filter and shift of one channel of one block.
struct BlockChoice {
    int filter = 0;
    int shift = 0;
    Trial trial;
};

BlockChoice chooseBlock(const std::int16_t* samples, int stride, int previous1, int previous2) {
    BlockChoice best;
    bool first = true;
    for (int f = 0; f < 4; ++f) {
        int finest = shiftFor(samples, stride, previous1, previous2, f);
        for (int s = std::max(0, finest - 1); s <= finest; ++s) {
            Trial t = tryBlock(samples, stride, previous1, previous2, f, s);
            if (first || t.error < best.trial.error) {
                best = {f, s, t};
                first = false;
            }
        }
    }
    return best;
}

void putWord(std::vector<std::uint8_t>& out, int value) {
    out.push_back(static_cast<std::uint8_t>(value));
    out.push_back(static_cast<std::uint8_t>(value >> 8));
}

} // namespace

std::vector<std::uint8_t> BlockAdpcmEncoder::encodeChunk(std::span<const std::int16_t> stereo) {
    const std::size_t pairs = stereo.size() / 2;
    const std::size_t blocks = (pairs + kXaSamplesPerBlock - 1) / kXaSamplesPerBlock;
    std::vector<std::uint8_t> out;
    out.reserve(kXaHeaderSize + blocks * kXaBlockSize);
    // Words 0-1 hold the chunk's sample pairs (the player does not need them), 2-5 the state.
    putWord(out, static_cast<int>(pairs & 0xFFFF));
    putWord(out, static_cast<int>(pairs >> 16));
    putWord(out, left_.previous1);
    putWord(out, left_.previous2);
    putWord(out, right_.previous1);
    putWord(out, right_.previous2);

    std::int16_t block[kXaSamplesPerBlock * 2];
    for (std::size_t b = 0; b < blocks; ++b) {
        for (std::size_t i = 0; i < kXaSamplesPerBlock * 2; ++i) {
            std::size_t at = b * kXaSamplesPerBlock * 2 + i;
            block[i] = at < stereo.size() ? stereo[at] : 0;
        }
        BlockChoice l = chooseBlock(block, 2, left_.previous1, left_.previous2);
        BlockChoice r = chooseBlock(block + 1, 2, right_.previous1, right_.previous2);
        left_ = {l.trial.previous1, l.trial.previous2};
        right_ = {r.trial.previous1, r.trial.previous2};
        out.push_back(static_cast<std::uint8_t>(l.filter << 4 | r.filter));
        out.push_back(static_cast<std::uint8_t>(l.shift << 4 | r.shift));
        for (int i = 0; i < kXaSamplesPerBlock; ++i)
            out.push_back(static_cast<std::uint8_t>(l.trial.nibbles[i] << 4 | r.trial.nibbles[i]));
    }
    return out;
}

namespace {

unsigned stepCode(ImaChannel& channel, int target) {
    int step = kImaSteps[channel.stepIndex];
    int difference = target - channel.predictor;
    unsigned code = 0;
    if (difference < 0) {
        code = 8;
        difference = -difference;
    }
    for (unsigned bit = 4; bit; bit >>= 1) {
        if (difference >= step) {
            code |= bit;
            difference -= step;
        }
        step >>= 1;
    }
    imaDecodeNibble(channel, code); // the decoder's own update keeps both sides in step
    return code;
}

} // namespace

std::vector<std::uint8_t> StepAdpcmEncoder::encodeChunk(std::span<const std::int16_t> stereo) {
    std::vector<std::uint8_t> out;
    out.reserve(stereo.size() / 2);
    for (std::size_t i = 0; i + 1 < stereo.size(); i += 2) {
        unsigned high = stepCode(left_, stereo[i]);
        unsigned low = stepCode(right_, stereo[i + 1]);
        out.push_back(static_cast<std::uint8_t>(high << 4 | low));
    }
    return out;
}

} // namespace q71::encoder
